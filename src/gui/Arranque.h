// SPDX-License-Identifier: AGPL-3.0-or-later
// What the program does at start besides showing the window: agenda files
// named on the command line load as the Data action loads them, and the
// hidden options for screenshots press buttons and save pictures of windows.
//
//     Varnolt [AGENDA...] [--fecha AAAA-MM-DD] [--pulsar BOTON]...
//             [--ayuda WIDGET X,Y] [--captura VENTANA ARCHIVO.png]...
//
// --fecha picks that day in the month calendar MonthCalendar1 after loading,
// as a click on it does (the contacts window then lists that day).
// --pulsar clicks a button of the main window or of a tool window by its
// component name (SBViewTends, SBViewFechas, SBGP, SBPer9 …) after loading
// and after --fecha; hidden buttons too (SBDetalleArq).
// --ayuda asks a widget of the main window (a chart such as ChartItemNat)
// for its tooltip at the point X,Y of the widget, as resting the mouse there
// does, after the presses.
// --captura saves a picture of a window by its name (TFormVarnolt, a tool
// window such as TWDetalleFechas, or TFormMSG, TFormStepCount, TFormAviso,
// DialogoCarta (the "Nueva" dialog);
// Pantalla for the whole screen, tooltips included) and, after the last
// one, ends the program. With --captura the message
// window does not wait: its text goes to the standard output.
#pragma once

#include <QDate>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

class QTranslator;

namespace varnolt::gui {

class VentanaVarnolt;

struct OpcionesArranque {
    std::vector<std::string> agendas;
    QDate fecha;  // --fecha; not valid when not given
    QStringList pulsar;
    QString ayuda;                                      // --ayuda: the widget ...
    QPoint puntoAyuda;                                  // ... and the point in it
    std::vector<std::pair<QString, QString>> capturas;  // window, file
    QString error;                                      // not empty: bad usage
};

OpcionesArranque LeerOpciones(const QStringList& argumentos);

// Installs Qt's own Spanish texts (file dialogs, standard buttons; Debian
// package qt6-translations-l10n) in the application, whatever the user's
// locale: the program's own texts are Spanish. Returns the translator
// installed (owned by the application), or nullptr when the texts are not
// on the system (Qt's English texts stay).
QTranslator* CargarTextosQt();

// Schedules the loading, the presses and the captures on the event loop.
void Arrancar(VentanaVarnolt& ventana, const OpcionesArranque& opciones);

// Picks a day in the month calendar as a user's click does; false when the
// calendar is disabled (no data loaded).
bool ElegirDia(VentanaVarnolt& ventana, const QDate& dia);

// Clicks a button by its component name; false when there is none.
bool Pulsar(VentanaVarnolt& ventana, const QString& nombre);

// Shows the tooltip of a widget of the main window at a point of it, as
// resting the mouse there does; false when there is no such widget.
bool MostrarAyuda(VentanaVarnolt& ventana, const QString& nombre, QPoint punto);

// Saves a picture of a window by its name; tool windows get their caption
// drawn above them (a picture of the client area has none). False when the
// window does not exist or the file cannot be written.
bool Capturar(VentanaVarnolt& ventana, const QString& nombre, const QString& archivo);

}  // namespace varnolt::gui
