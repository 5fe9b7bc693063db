// SPDX-License-Identifier: AGPL-3.0-or-later
// The chart data after a weighting: day bars labelled "yyyy-mm-dd" in both
// series of the daily chart, whatever the year.
#include "views/Graficos.h"

#include <gtest/gtest.h>

#include <array>

#include "app/Formato.h"

namespace varnolt {
namespace {

TEST(GraficosDia, DayLabelsAreTheDatesWrittenYyyyMmDd) {
    const std::vector<std::array<int, 3>> dias = {{1, 1, 1},      {99, 12, 31},   {999, 3, 4},
                                                  {1899, 12, 30}, {1899, 12, 31}, {1900, 2, 28},
                                                  {2000, 2, 29},  {2024, 10, 9},  {9999, 12, 31}};
    TPonderacion p;
    std::vector<TTendenciaFecha> picos;
    for (const auto& [a, m, d] : dias) {
        const TFecha f = CodificarFecha(a, m, d);
        p.TotalesDia.push_back({f, 1.5});
        picos.push_back({1, f, 1.5, false});
    }
    TGraficos g;
    LlenarGraficos(p, p.TotalesDia.front().Fecha, p.TotalesDia.back().Fecha, g);
    LlenarResaltado(p.TotalesDia, picos, g);
    for (const TSerie& serie : g.ChartDia.Series) {
        ASSERT_EQ(serie.Barras.size(), dias.size());
        for (size_t i = 0; i < dias.size(); ++i) {
            EXPECT_EQ(serie.Barras[i].Etiqueta,
                      FormatDateTime("yyyy-mm-dd", p.TotalesDia[i].Fecha));
            EXPECT_EQ(serie.Barras[i].Valor, 1.5);
        }
    }
    EXPECT_EQ(g.ChartDia.Series[0].Barras[3].Etiqueta, "1899-12-30");
    EXPECT_EQ(g.ChartDia.Series[0].Barras[0].Etiqueta, "0001-01-01");
    EXPECT_EQ(g.ChartDia.Titulo, "13.50");
}

}  // namespace
}  // namespace varnolt
