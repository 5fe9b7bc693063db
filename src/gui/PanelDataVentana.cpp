// SPDX-License-Identifier: AGPL-3.0-or-later
// PanelData, the chart area under the commands: the daily chart, the three
// archetype panels and the item charts, and the placement of all of them
// that the core works out for the current size and view buttons.
#include "gui/VentanaVarnolt.h"

#include <QLabel>
#include <QVBoxLayout>

#include "gui/GraficoBarras.h"
#include "gui/PanelArquetipos.h"
#include "views/PresentacionGraficos.h"

namespace varnolt::gui {

void VentanaVarnolt::ConstruirPanelData(QWidget* panelData) {
    auto* v = new QVBoxLayout(panelData);
    v->setContentsMargins(0, 0, 0, 0);
    panelCharts_ = new QWidget(panelData);
    panelCharts_->setObjectName(QStringLiteral("PanelCharts"));
    v->addWidget(panelCharts_);
    panelCharts_->installEventFilter(this);

    // The first view, and the view after "Limpiar": what to do to begin.
    labelSinData_ =
        new QLabel(QStringLiteral("No hay data cargada.\n\n"
                                  "Pulse «Data» (Ctrl+O) para abrir una o más agendas (.csv),\n"
                                  "o «Nueva» (Ctrl+N) para calcular la agenda de una carta natal."),
                   panelCharts_);
    labelSinData_->setObjectName(QStringLiteral("LabelSinData"));
    labelSinData_->setAlignment(Qt::AlignCenter);
    labelSinData_->setWordWrap(true);
    QFont grande = labelSinData_->font();
    grande.setPointSize(grande.pointSize() + 4);
    labelSinData_->setFont(grande);

    panelChartDia_ = new QWidget(panelCharts_);
    panelChartDia_->setObjectName(QStringLiteral("PanelChartDia"));
    panelInfoArq_ = new QWidget(panelCharts_);
    panelInfoArq_->setObjectName(QStringLiteral("PanelInfoArq"));
    panelGraphs_ = new QWidget(panelCharts_);
    panelGraphs_->setObjectName(QStringLiteral("PanelGraphs"));

    chartDia_ = new GraficoBarras(QStringLiteral("ChartDia"), form_.Graficos.ChartDia,
                                  GraficoBarras::Tipo::Dia, panelChartDia_);
    chartAngTra_ = new GraficoBarras(QStringLiteral("ChartAngTra"), form_.Graficos.ChartAngTra,
                                     GraficoBarras::Tipo::Items, panelGraphs_);
    chartItemTra_ = new GraficoBarras(QStringLiteral("ChartItemTra"), form_.Graficos.ChartItemTra,
                                      GraficoBarras::Tipo::Items, panelGraphs_);
    chartItemNat_ = new GraficoBarras(QStringLiteral("ChartItemNat"), form_.Graficos.ChartItemNat,
                                      GraficoBarras::Tipo::Items, panelGraphs_);

    // The three archetype panels fill PanelInfoArq.
    {
        auto* v = new QVBoxLayout(panelInfoArq_);
        v->setContentsMargins(0, 0, 0, 0);
        panelArquetipos_ =
            new PanelArquetipos(form_, arquetipos_, panelInfoArq_, EjecutorVentana());
        v->addWidget(panelArquetipos_);
        panelArq_[0] = panelArquetipos_->PanelArqTra();
        panelArq_[1] = panelArquetipos_->PanelArqAsp();
        panelArq_[2] = panelArquetipos_->PanelArqNat();
    }

    // A click on a bar of the daily chart chooses that day.
    connect(chartDia_, &GraficoBarras::ClicSerie, this,
            [this](int serie, int indice, const QString&, double, Qt::MouseButton boton,
                   Qt::KeyboardModifiers teclas) {
                const auto b = boton == Qt::LeftButton    ? TFormVarnolt::BotonRaton::Izquierdo
                               : boton == Qt::RightButton ? TFormVarnolt::BotonRaton::Derecho
                                                          : TFormVarnolt::BotonRaton::Medio;
                Ejecutar([&] {
                    form_.ChartDiaClickSeries(serie, indice, b, teclas & Qt::ShiftModifier,
                                              teclas & Qt::ControlModifier,
                                              teclas & Qt::AltModifier);
                });
            });

    // At start PanelInfoArq, PanelChartDia and the four charts are hidden;
    // PanelGraphs is shown, empty.
    panelInfoArq_->hide();
    panelChartDia_->hide();
    for (GraficoBarras* c : {chartDia_, chartAngTra_, chartItemTra_, chartItemNat_}) {
        c->hide();
    }
}

void VentanaVarnolt::AjustarGraficos() {
    TEstadoPaneles e;
    e.Ancho = panelCharts_->width();
    e.Alto = panelCharts_->height();
    e.SBViewArq = form_.SBViewArq;
    e.SBViewTends = form_.SBViewTends;
    e.PanelInfoArqVisible = form_.PanelInfoArqVisible;
    e.PanelGraphsVisible = form_.PanelGraphsVisible;
    const TDisposicionGraficos d = varnolt::AjustarGraficos(e);
    auto rect = [](const TRectangulo& r) { return QRect(r.X, r.Y, r.Ancho, r.Alto); };

    labelSinData_->setGeometry(0, 0, e.Ancho, e.Alto);
    labelSinData_->setVisible(!form_.DataCargada);
    panelChartDia_->setGeometry(rect(d.PanelChartDia));
    panelInfoArq_->setGeometry(rect(d.PanelInfoArq));
    panelGraphs_->setGeometry(rect(d.PanelGraphs));
    chartDia_->setGeometry(rect(d.ChartDia));
    QWidget* padreAng = d.ChartAngTraEnPanelChartDia ? panelChartDia_ : panelGraphs_;
    if (chartAngTra_->parentWidget() != padreAng) {
        chartAngTra_->setParent(padreAng);
    }
    chartAngTra_->setGeometry(rect(d.ChartAngTra));
    chartItemTra_->setGeometry(rect(d.ChartItemTra));
    chartItemNat_->setGeometry(rect(d.ChartItemNat));
    panelArquetipos_->Anchos(d.PanelArqTra.Ancho, d.PanelArqAsp.Ancho, d.PanelArqNat.Ancho);

    panelChartDia_->setVisible(form_.PanelChartDiaVisible);
    chartDia_->setVisible(form_.PanelChartDiaVisible);
    panelInfoArq_->setVisible(form_.PanelInfoArqVisible);
    panelGraphs_->setVisible(form_.PanelGraphsVisible && !d.SoloTendencias);
    for (GraficoBarras* c : {chartAngTra_, chartItemTra_, chartItemNat_}) {
        c->setVisible(form_.ChartsItemsVisible);
    }
}

}  // namespace varnolt::gui
