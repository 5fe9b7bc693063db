// SPDX-License-Identifier: AGPL-3.0-or-later
// The trend graph as a list of drawing steps: what DibujarTendencia
// draws on the paint box PBRange for a given client size, in pixel
// coordinates from its top-left corner. The window only carries the steps out
// with its painter; nothing here knows about a widget.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Ponderacion.h"
#include "views/Graficos.h"

namespace varnolt {

// Drawing constants of the graph.
inline constexpr int kTendenciaInicioX = 10;        // x of the day before RangoIni
inline constexpr double kTendenciaMargen = 0.15;    // bottom margin, fraction of the height
inline constexpr int kTendenciaGrosor = 2;          // pen width of every line
inline constexpr int kTendenciaMarca = 4;           // tick length below the baseline
inline constexpr int kTendenciaEtiquetaY = 5;       // label top, pixels below the baseline
inline constexpr int kTendenciaTamanoFuente = 7;    // "Small Fonts", points
inline constexpr const char* kTendenciaFuente = "Small Fonts";
inline constexpr TColor kTendenciaNegro = RGB(0, 0, 0);
inline constexpr TColor kTendenciaFondo = RGB(255, 255, 255);

// One drawing step, carried out in list order.
struct TTrazoTendencia {
    enum class Tipo { Linea, Texto };
    Tipo Clase = Tipo::Linea;
    // Linea: from (X1, Y1) to (X2, Y2), pen width Grosor, colour Color.
    // Texto: Texto with its left edge at X1 and its top at Y1 ("Small Fonts",
    // size 7, colour Color, regular style, transparent background).
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    int Grosor = kTendenciaGrosor;
    TColor Color = kTendenciaNegro;
    std::string Texto;
};

struct TDibujoTendencia {
    bool Dibujar = false;  // false (no data loaded): draw nothing, keep the caption
    int Ancho = 0;         // W
    int Alto = 0;          // H
    std::string Titulo;    // the caption of TWGraphRange
    int N = 0;             // days of the range plus one
    double Paso = 0;       // W / N
    int PasoPx = 0;        // Paso rounded, halves to the even neighbour
    int Margen = 0;        // Trunc(H * 0.15)
    int Base = 0;          // H - Margen
    int Barras = 0;        // how many day bars the steps hold
    // Fill the whole area with white first, then carry out the steps.
    std::vector<TTrazoTendencia> Trazos;
};

// "Gráfico Tendencia. " followed by "mmm-d-yyyy a mmm-d-yyyy." of the range.
std::string TituloTendencia(TFecha rangoIni, TFecha rangoFin);

// Rounds to the nearest whole number, halves to the even neighbour.
int RedondeoBancario(double valor);

// The width in pixels of a text in the label font; TextoCentrado places the
// left edge at x minus half of it, the half rounded toward zero.
using AnchoTextoFn = std::function<int(std::string_view)>;

// DibujarTendencia for a client area of ancho × alto pixels. `fechasRango`
// is read, not changed; its days are looked up by date (the first entry of a
// day counts, as in the original search), in any order.
TDibujoTendencia DibujarTendencia(bool dataCargada, TFecha rangoIni, TFecha rangoFin,
                                  const std::vector<TTendenciaFecha>& fechasRango,
                                  double ppMaxRango, int ancho, int alto,
                                  const AnchoTextoFn& anchoTexto);

}  // namespace varnolt
