// SPDX-License-Identifier: AGPL-3.0-or-later
// What the window needs to place and label the chart area, without a widget:
// the arrangement of the chart panels (AjustarGraficos), the value
// marks "#,###", the scale of a chart's left axis, which category labels fit
// and which bands of a chart its height leaves room for.
#pragma once

#include <functional>
#include <optional>
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

// The left axis of ChartDia: automatic (no value) while SBMaxAxisOrd is
// down; while it is up, from 0 to the maximum taken when it went up. A
// maximum of 0 (the button raised before any data was loaded, or over days
// that weigh nothing) fixes no scale: the axis stays automatic, so bars
// loaded later are never cut off at a top of 0. The next time the button
// goes up it takes PPMaxGlobal as always.
std::optional<double> EjeChartDia(bool sbMaxAxisOrd, double ejeDiaMaximo);

// ---- Inside one bar chart --------------------------------------------------

// Category labels under the bars. Bar i's label is centred under the bar's
// middle, its left edge at round(centro(i)) - ancho(i) / 2; a label that would
// stick out of [desde, hasta) is moved inward just enough (it still covers its
// tick). It is drawn when it starts at least `hueco` pixels after the end of
// the last drawn label, so every bar whose own label fits is labelled.
// ancho(i) is asked only for bars whose middle lies past that point.
struct TEtiquetaColocada {
    int Indice = 0;
    int X = 0;  // left edge
    int Ancho = 0;
    bool operator==(const TEtiquetaColocada&) const = default;
};
std::vector<TEtiquetaColocada> ColocarEtiquetas(int n, const std::function<double(int)>& centro,
                                                const std::function<int(int)>& ancho, int desde,
                                                int hasta, int hueco);

// The horizontal bands of a chart from the top: title, value marks, plot
// area, category labels. When the chart is too short for all of them with a
// plot area of at least `altoMinimo` pixels, the value marks go first, then
// the category labels, then the title; the plot area keeps what is left.
struct TMedidasBandas {
    int Alto = 0;          // the chart's height
    int Titulo = 0;        // title band
    int Marcas = 0;        // value-mark band; 0 when no series shows marks
    int Etiquetas = 0;     // category labels below the plot area
    int MargenArriba = 0;  // above the plot area when there is no mark band
    int MargenAbajo = 0;   // below the plot area when there are no labels
    int AltoMinimo = 0;    // the plot area's minimum height
};
struct TBandasGrafico {
    bool Titulo = true;
    bool Marcas = true;
    bool Etiquetas = true;
    int Arriba = 0;    // top of the plot area
    int AltoArea = 0;  // its height, at least 1
    bool operator==(const TBandasGrafico&) const = default;
};
TBandasGrafico DisponerBandas(const TMedidasBandas& m);

}  // namespace varnolt
