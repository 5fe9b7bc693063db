// SPDX-License-Identifier: AGPL-3.0-or-later
// The content of the tool window TWCSV, "Data CSV": a
// thin view over the core's CBTipoTransito, CBTipoReporte, MemoInfo, MemoCSV
// and MemoResultados.
//
// The bar holds BtnGenCSV "CSV >>", the drop-down lists CBTipoTransito
// ("Todos", "Rápidos", "NO rápidos") and CBTipoReporte ("Todos", "Semanal",
// "Mensual") and BtnExportCSV "Crear [ ].csv"; below it MemoInfo (the
// summary: centred blue text, no border), MemoCSV (the range data lines, the
// report's input) and MemoResultados (the report, no word wrap). A change of
// either list runs the core's change handler, which generates the report
// again.
//
// Host: put the panel in TWCSV with a fixed size (sizeHint), call
// Refrescar() on IVentana::Refrescar(Vista::Exportacion). The save dialog and
// the message of the export go through the host's IVentana.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "gui/PartesComun.h"

class QComboBox;
class QPlainTextEdit;
class QToolButton;

namespace varnolt {
class TFormVarnolt;
}

namespace varnolt::gui {

class PanelCSV : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kAncho = 700;
    static constexpr int kAlto = 460;
    static constexpr int kAltoMinimo = 300;

    PanelCSV(TFormVarnolt& form, QWidget* padre, Ejecutor ejecutar = {});

    // The two lists' items and the three memos from the core.
    void Refrescar();
    QSize sizeHint() const override { return {kAncho, kAlto}; }

  private:
    void Accion(const std::function<void()>& manejador);

    TFormVarnolt& form_;
    Ejecutor ejecutar_;
    bool refrescando_ = false;

    QToolButton* btnGenCSV_ = nullptr;
    QComboBox* cbTipoTransito_ = nullptr;
    QComboBox* cbTipoReporte_ = nullptr;
    QToolButton* btnExportCSV_ = nullptr;
    QPlainTextEdit* memoInfo_ = nullptr;
    QPlainTextEdit* memoCSV_ = nullptr;
    QPlainTextEdit* memoResultados_ = nullptr;
    std::vector<std::string> lineasInfo_;
    std::vector<std::string> lineasCSV_;
    std::vector<std::string> lineasResultados_;
};

}  // namespace varnolt::gui
