// SPDX-License-Identifier: AGPL-3.0-or-later
// The bar charts as data: what each bar shows (value, label, colour) and the
// chart titles. The window paints them; the core fills them after every
// weighting.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Picos.h"
#include "analysis/Ponderacion.h"

namespace varnolt {

// A colour as red + 256 × green + 65536 × blue.
using TColor = std::uint32_t;
constexpr TColor RGB(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

constexpr TColor kColorNatal = RGB(0, 128, 255);
constexpr TColor kColorTransito = RGB(255, 128, 0);
constexpr TColor kColorAngulo = RGB(128, 0, 0);
constexpr TColor kColorDia = RGB(0, 128, 0);
constexpr TColor kColorPico = RGB(255, 0, 0);

struct TBarra {
    double Valor = 0;
    std::string Etiqueta;
    TColor Color = 0;
};

struct TSerie {
    std::vector<TBarra> Barras;
    bool MarcasVisibles = true;  // value marks "#,###" above the bars
};

struct TGrafico {
    std::string Titulo = "TChart";
    std::vector<TSerie> Series;
};

struct TGraficos {
    TGrafico ChartDia{"TChart", {TSerie{{}, true}, TSerie{{}, false}}};  // Series1, Series2
    TGrafico ChartItemNat{"TChart", {TSerie{}}};                         // BarSeries1
    TGrafico ChartItemTra{"TChart", {TSerie{}}};                         // BarSeries2
    TGrafico ChartAngTra{"TChart", {TSerie{}}};                          // BarSeries3
};

// Fills Series1 of ChartDia and the three item charts, sorting the three
// tallies by weight on the way, and sets the titles with their totals.
void LlenarGraficos(TPonderacion& ponderacion, TFecha rangoIni, TFecha rangoFin,
                    TGraficos& graficos);

// Fills Series2 of ChartDia: one bar per day of TotalesDia, the day's weight
// on peak days and 0 on the others.
void LlenarResaltado(const std::vector<TTendenciaDia>& totalesDia,
                     const std::vector<TTendenciaFecha>& fechasPico, TGraficos& graficos);

}  // namespace varnolt
