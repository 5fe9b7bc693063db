// SPDX-License-Identifier: AGPL-3.0-or-later
// The content of the tool window TWPromptContacts, "Rangos de contactos"
//: a thin view over the core's MemoTA, MemoPrompt and the state of
// the window's buttons.
//
// The top bar holds SBCalcTA "Detallar", SBCopyPrompt "Copiar" and the toggle
// SBPromptCSV "CSV" (both with the hint "Copiar prompt en memoria" and
// disabled until the first run), and the hidden panel PanelAdmonContacts with
// SBTACopy "Copy" and the check box CBMTAWrap "Wrap"; below it the hidden
// MemoTA (no word wrap while "Wrap" is ticked) and MemoPrompt, which fills
// the rest.
//
// Host: put the panel in TWPromptContacts, call Refrescar() on
// IVentana::Refrescar(Vista::Exportacion), and show or hide TWCSV on
// VisibilidadCSV (the core's TWCSVVisible). The core's own calls
// (MostrarMensaje, CopiarAlPortapapeles, VentanaHabilitada) go to the host's
// IVentana as usual.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "gui/PartesComun.h"

class QCheckBox;
class QPlainTextEdit;
class QToolButton;

namespace varnolt {
class TFormVarnolt;
}

namespace varnolt::gui {

class PanelRangos : public QWidget {
    Q_OBJECT
  public:
    PanelRangos(TFormVarnolt& form, QWidget* padre, Ejecutor ejecutar = {});

    // Buttons, check box and memos from the core; emits VisibilidadCSV when
    // the core's TWCSVVisible changed since the last look.
    void Refrescar();
    // The bar of the "Detallar", "Copiar" and "CSV" buttons, in screen
    // coordinates: the window "Data CSV" opens clear of it.
    QRect BarraEnPantalla() const;
    QSize sizeHint() const override { return {640, 420}; }

  signals:
    // TWCSV must be shown (true) or hidden (false).
    void VisibilidadCSV(bool visible);

  private:
    void Accion(const std::function<void()>& manejador);

    TFormVarnolt& form_;
    Ejecutor ejecutar_;
    bool refrescando_ = false;
    bool csvVisible_ = false;

    QToolButton* sbCalcTA_ = nullptr;
    QToolButton* sbCopyPrompt_ = nullptr;
    QToolButton* sbPromptCSV_ = nullptr;
    QWidget* panelAdmonContacts_ = nullptr;
    QToolButton* sbTACopy_ = nullptr;
    QCheckBox* cbMTAWrap_ = nullptr;
    QPlainTextEdit* memoTA_ = nullptr;
    QPlainTextEdit* memoPrompt_ = nullptr;
    std::vector<std::string> lineasTA_;
    std::vector<std::string> lineasPrompt_;
};

}  // namespace varnolt::gui
