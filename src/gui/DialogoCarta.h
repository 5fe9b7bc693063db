// SPDX-License-Identifier: AGPL-3.0-or-later
// "Nueva agenda": the dialog where the user enters a natal chart (name,
// birth date, time, zone and place), the range and what goes into the agenda,
// and the action that computes its agenda with one progress window (that can
// be cancelled while computing) from the start to the loaded data, saves it
// where the user says and loads it as the Data action loads one file, in
// place of the loaded data or added to it.
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

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace varnolt::gui {

class VentanaVarnolt;

// What the dialog hands back: the texts, the agenda file to write and
// whether the agenda replaces the loaded data (or is added to it).
struct EntradaCarta {
    TextosCarta textos;
    std::string salida;
    bool reemplazar = true;
};

// The file proposed for a chart: "<documentos>/Agenda_<nombre>_<rango>.csv".
std::string SalidaPropuesta(const TextosCarta& t);
// How the dialog's messages name the ends of the range.
inline constexpr NombresRango kCamposRango{"«Agenda desde»", "«hasta»"};

class DialogoCarta : public QDialog {
    Q_OBJECT
  public:
    explicit DialogoCarta(const TextosCarta& previos, const std::string& salidaPropuesta,
                          QWidget* padre = nullptr);

    EntradaCarta Entrada() const;
    // The reason the entry cannot be computed ("" when it can).
    std::string Revisar() const;

    // Checks the entry and, when the file exists and the user has not said
    // yet that it may be replaced, asks as the save dialog does.
    void accept() override;

  private:
    void ElegirSalida();
    // The birth date or time as typed, checked in place.
    void RevisarFechaHora();
    // "Guardar en" follows the name and the range until the user edits it.
    void SeguirSalida();
    void PerfilElegido();
    void ListaEditada();

    QLineEdit* nombre_;
    QLineEdit* fecha_;
    QLineEdit* hora_;
    QLineEdit* zona_;
    QLineEdit* lugar_;
    QLineEdit* desde_;
    QLineEdit* hasta_;
    QComboBox* perfil_;
    QLineEdit* cuerpos_;
    QLineEdit* puntos_;
    QLineEdit* aspectos_;
    QLineEdit* salida_;
    QCheckBox* reemplazar_;
    QLabel* error_;
    bool salidaEditada_ = false;
    bool poniendoContenido_ = false;
    // The file the save dialog of "…" has already asked about.
    QString salidaConfirmada_;
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
