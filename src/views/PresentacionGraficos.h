// What the window needs to place and label the chart area, without a widget:
// the arrangement of the chart panels (AjustarGraficos), the value
// marks "#,###" and the scale of a chart's left axis.
#pragma once

#include <string>
#include <vector>

namespace varnolt {

struct TRectangulo {
    int X = 0;
    int Y = 0;
    int Ancho = 0;
    int Alto = 0;
    bool operator==(const TRectangulo&) const = default;
};

// The proportions of AjustarGraficos: fractions of the height H and the width
// W of PanelCharts, every product truncated to whole pixels.
inline constexpr double kAltoChartDia = 0.3;      // PanelChartDia
inline constexpr double kAltoInfoArq = 0.45;      // PanelInfoArq (SBViewArq down)
inline constexpr double kAltoGraphs = 0.25;       // PanelGraphs (takes the rest)
inline constexpr double kAnchoArqTra = 0.35;      // PanelArqTra
inline constexpr double kAnchoArqAsp = 0.25;      // PanelArqAsp
inline constexpr double kAnchoChartDiaArq = 0.8;  // ChartDia with SBViewArq down
inline constexpr double kAnchoItemTra = 0.4;      // ChartItemTra with SBViewArq down
inline constexpr double kAltoItem = 0.34;         // ChartItemTra, ChartItemNat with SBViewArq up
inline constexpr int kSeparacionItems = 2;        // ChartItemNat below ChartItemTra

// What decides the arrangement.
struct TEstadoPaneles {
    int Ancho = 0;  // W of PanelCharts
    int Alto = 0;   // H of PanelCharts
    bool SBViewArq = false;
    bool SBViewTends = false;
    bool PanelInfoArqVisible = false;
    bool PanelGraphsVisible = true;
};

// Where every panel and chart of PanelCharts goes. Panel rectangles are in
// PanelCharts coordinates, chart rectangles in those of their own panel, the
// archetype panels in those of PanelInfoArq.
struct TDisposicionGraficos {
    // "Solo Tendencias": SBViewTends down with PanelGraphs hidden; PanelChartDia
    // fills PanelCharts (below PanelInfoArq when that one shows).
    bool SoloTendencias = false;
    TRectangulo PanelChartDia;
    TRectangulo PanelInfoArq;
    TRectangulo PanelGraphs;
    TRectangulo ChartDia;
    // ChartAngTra stands in PanelChartDia right of ChartDia (SBViewArq down)
    // or in PanelGraphs below the two item charts (SBViewArq up).
    bool ChartAngTraEnPanelChartDia = false;
    TRectangulo ChartAngTra;
    TRectangulo ChartItemTra;
    TRectangulo ChartItemNat;
    TRectangulo PanelArqTra;
    TRectangulo PanelArqAsp;
    TRectangulo PanelArqNat;
};

// AjustarPaneles / SBViewTendsClick / AjustarGraficos as one arrangement of
// the current state: the proportions applied to W and H.
TDisposicionGraficos AjustarGraficos(const TEstadoPaneles& estado);

// The separator of thousands that goes with the regional decimal separator:
// "." where the decimal separator is ",", "," otherwise.
char SeparadorMiles();

// A value mark with the pattern "#,###": rounded to a whole number (halves
// away from zero), thousands separated; 0 gives the empty text, as the
// pattern has no obligatory digit.
std::string MarcaValor(double valor);

// A left-axis label: up to three decimals, thousands separated, at least one
// digit ("#,##0.###").
std::string EtiquetaEje(double valor);

// The left axis of a chart: from 0 to Maximo, a label every Paso.
struct TEscalaEje {
    double Maximo = 1;
    double Paso = 1;
    std::vector<double> Marcas;  // 0, Paso, 2 Paso … up to Maximo
};

// Automatic axis: its top is the highest value (1 when nothing is above 0),
// its step the smallest of 1, 2, 5 × 10^k that leaves at least `separacionPx`
// pixels between labels on an axis `altoPx` high. A fixed axis passes its
// maximum the same way.
TEscalaEje EscalaEje(double maximo, int altoPx, int separacionPx);

}  // namespace varnolt
