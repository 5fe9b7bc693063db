// "Nueva agenda": the dialog where the user enters a natal chart (name,
// birth date, time, zone and place) and the range, and the action that
// computes its agenda with a progress window that can be cancelled, saves it
// where the user says and loads it as the Data action loads one file.
//
// The last chart entered is kept in Varnolt's own file in the user's
// configuration folder (ArchivoUltimaCarta) and fills the dialog next time.
#pragma once

#include <QDialog>
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "transitos/DatosCarta.h"

class QLabel;
class QLineEdit;
class QDateEdit;
class QTimeEdit;
class QToolButton;

namespace varnolt::gui {

class VentanaVarnolt;

// What the dialog hands back: the texts and the agenda file to write.
struct EntradaCarta {
    TextosCarta textos;
    std::string salida;
};

class DialogoCarta : public QDialog {
    Q_OBJECT
  public:
    explicit DialogoCarta(const TextosCarta& previos, const std::string& salidaPropuesta,
                          QWidget* padre = nullptr);

    EntradaCarta Entrada() const;
    // The reason the entry cannot be computed ("" when it can).
    std::string Revisar() const;

    void accept() override;

  private:
    void ElegirSalida();

    QLineEdit* nombre_;
    QDateEdit* fecha_;
    QTimeEdit* hora_;
    QLineEdit* zona_;
    QLineEdit* lugar_;
    QLineEdit* desde_;
    QLineEdit* hasta_;
    QLineEdit* salida_;
    QLabel* error_;
};

class AccionNuevaAgenda : public QObject {
    Q_OBJECT
  public:
    // Hooks itself to the button and to Ctrl+N in the window.
    AccionNuevaAgenda(VentanaVarnolt& ventana, QToolButton* boton);

    // Asks for the chart; none when cancelled. Empty: DialogoCarta runs
    // modally. Tests replace it.
    std::function<std::optional<EntradaCarta>(const TextosCarta& previos,
                                              const std::string& salidaPropuesta)>
        PedirCarta;
    // The settings file whose house system and orbs are used (the program's
    // own when empty) and the file of the last chart (ArchivoUltimaCarta()
    // when empty).
    std::string ArchivoConfig;
    std::string ArchivoMemoria;
    // The notices and result of the last run (tests).
    ResultadoAgenda Ultimo;

    void Ejecutar();

  private:
    VentanaVarnolt& ventana_;
};

}  // namespace varnolt::gui
