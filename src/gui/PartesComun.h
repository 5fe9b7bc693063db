// SPDX-License-Identifier: AGPL-3.0-or-later
// What the content widgets of the tool windows and panels share (the
// contacts of the day, the archetype panels, the archetype catalogue, the
// contact ranges and the CSV report): how they run a core handler, and the
// small controls they are built from.
//
// Each content widget is a thin view over the core (TFormVarnolt,
// TArquetipos): every user action calls the core's handler of the same name
// through an Ejecutor, and Refrescar() re-reads all the core state the
// widget shows. The host (the main window) places the widget in its tool
// window or panel, gives it its own Ejecutar so that the core's errors reach
// the main window's error box, and calls Refrescar() when the core reports
// that the view changed (IVentana::Refrescar).
#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QAbstractItemView;
class QHelpEvent;
class QLabel;
class QModelIndex;
class QRect;
class QStyleOptionViewItem;
class QPlainTextEdit;
class QToolButton;
class QWidget;

namespace varnolt::gui {

// Runs a core handler. The host's version shows a std::exception's text in
// its error box; the default one (EjecutorPorDefecto) shows it in
// QMessageBox::critical over `dueno`.
using Ejecutor = std::function<void(const std::function<void()>&)>;
Ejecutor EjecutorPorDefecto(QWidget* dueno);

// A small speed button: a QToolButton of height 20 that takes the focus from
// the keyboard (Tab) but not from a click.
QToolButton* BotonRapido(const QString& nombre, const QString& texto, const QString& pista,
                         QWidget* padre, bool alternar = false);

// A label with a component name, text colour and, when `fondo` is valid, a
// filled background.
QLabel* Etiqueta(const QString& nombre, QColor texto, QColor fondo, QWidget* padre);

// Fills a widget's background with a colour.
void Fondo(QWidget* w, QColor color);

// A read-only memo (QPlainTextEdit) with a component name.
QPlainTextEdit* Memo(const QString& nombre, bool ajustarLineas, QWidget* padre);

// Replaces a memo's lines when they differ from `copia` (the lines it shows,
// kept by the caller); true when it replaced them. The view then shows its
// first line.
bool PonerLineas(QPlainTextEdit* memo, const std::vector<std::string>& lineas,
                 std::vector<std::string>& copia);

// A file dialog's filter written as "description|pattern[|description|
// pattern]..." (patterns of one entry separated by ";") in Qt's form:
// "description (pattern pattern);;...". "Archivos CVS|*.csv" gives
// "Archivos CVS (*.csv)"; an entry without its pattern matches every file.
QString FiltroQt(const std::string& filtro);

// Where a row painter writes a row's text: the row's rectangle, cut to the
// part the view's viewport shows (a row may be laid out wider than the
// list), less `izquierda` pixels at its left and `derecha` at its right.
QRect CajaTextoFila(const QStyleOptionViewItem& opcion, int izquierda, int derecha);

// For a row painter's helpEvent: when the painter shortened the row's text
// (`visible` differs from `completo`), the whole text shows as the row's
// tooltip; otherwise no tooltip shows. True when the event was a tooltip
// request for a row.
bool PistaFila(QHelpEvent* e, QAbstractItemView* vista, const QStyleOptionViewItem& opcion,
               const QString& completo, const QString& visible);

}  // namespace varnolt::gui
