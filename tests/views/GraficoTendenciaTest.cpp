// SPDX-License-Identifier: AGPL-3.0-or-later
#include "views/GraficoTendencia.h"

#include <gtest/gtest.h>

#include "app/Formato.h"
#include "app/Regional.h"

namespace varnolt {
namespace {

using Tipo = TTrazoTendencia::Tipo;

// A label font where every character is 5 pixels wide.
int Ancho5(std::string_view texto) {
    return static_cast<int>(texto.size()) * 5;
}

TFecha Dia(int a, int m, int d) {
    return CodificarFecha(a, m, d);
}

std::vector<TTrazoTendencia> DeTipo(const TDibujoTendencia& d, Tipo tipo) {
    std::vector<TTrazoTendencia> r;
    for (const auto& t : d.Trazos) {
        if (t.Clase == tipo) {
            r.push_back(t);
        }
    }
    return r;
}

// The lines that are day bars: they rise from the baseline.
std::vector<TTrazoTendencia> Barras(const TDibujoTendencia& d) {
    std::vector<TTrazoTendencia> r;
    for (const auto& t : DeTipo(d, Tipo::Linea)) {
        if (t.X1 == t.X2 && t.Y1 == d.Base && t.Y2 < d.Base) {
            r.push_back(t);
        }
    }
    return r;
}

std::vector<TTrazoTendencia> Marcas(const TDibujoTendencia& d) {
    std::vector<TTrazoTendencia> r;
    for (const auto& t : DeTipo(d, Tipo::Linea)) {
        if (t.X1 == t.X2 && t.Y1 == d.Base && t.Y2 == d.Base + kTendenciaMarca) {
            r.push_back(t);
        }
    }
    return r;
}

class GraficoTendencia : public ::testing::Test {
  protected:
    void SetUp() override { ConfiguracionRegional().SeparadorDecimal = '.'; }
};

TEST_F(GraficoTendencia, NothingWithoutData) {
    const std::vector<TTendenciaFecha> dias{{1, Dia(2024, 3, 7), 2, true}};
    const auto d = DibujarTendencia(false, Dia(2024, 3, 7), Dia(2024, 3, 7), dias, 2, 100, 100,
                                    Ancho5);
    EXPECT_FALSE(d.Dibujar);
    EXPECT_TRUE(d.Trazos.empty());
    EXPECT_EQ(d.Titulo, "");
}

TEST_F(GraficoTendencia, CaptionNamesTheRange) {
    EXPECT_EQ(TituloTendencia(Dia(2024, 1, 1), Dia(2024, 12, 31)),
              "Gráfico Tendencia. ene-1-2024 a dic-31-2024.");
    const auto d =
        DibujarTendencia(true, Dia(2024, 3, 7), Dia(2024, 3, 9), {}, 0, 1142, 186, Ancho5);
    EXPECT_EQ(d.Titulo, "Gráfico Tendencia. mar-7-2024 a mar-9-2024.");
}

TEST_F(GraficoTendencia, OneDayRangeHasFourSteps) {
    const std::vector<TTendenciaFecha> dias{{3, Dia(2024, 3, 7), 2.0, true}};
    const auto d =
        DibujarTendencia(true, Dia(2024, 3, 7), Dia(2024, 3, 7), dias, 2.0, 100, 100, Ancho5);
    ASSERT_TRUE(d.Dibujar);
    EXPECT_EQ(d.N, 2);
    EXPECT_DOUBLE_EQ(d.Paso, 50.0);
    EXPECT_EQ(d.PasoPx, 50);
    EXPECT_EQ(d.Margen, 15);
    EXPECT_EQ(d.Base, 85);
    // First the baseline, across the whole width, pen width 2, black.
    ASSERT_FALSE(d.Trazos.empty());
    const auto& base = d.Trazos.front();
    EXPECT_EQ(base.Clase, Tipo::Linea);
    EXPECT_EQ(base.X1, 0);
    EXPECT_EQ(base.Y1, 85);
    EXPECT_EQ(base.X2, 100);
    EXPECT_EQ(base.Y2, 85);
    EXPECT_EQ(base.Grosor, 2);
    EXPECT_EQ(base.Color, RGB(0, 0, 0));
    // The day itself stands one step right of the start: x = 10 + pasoPx,
    // full height (it is the range maximum), red as a peak day.
    const auto barras = Barras(d);
    ASSERT_EQ(barras.size(), 1u);
    EXPECT_EQ(barras[0].X1, 60);
    EXPECT_EQ(barras[0].Y2, 0);
    EXPECT_EQ(barras[0].Color, RGB(255, 0, 0));
    EXPECT_EQ(barras[0].Grosor, 2);
    EXPECT_EQ(d.Barras, 1);
    // No 1st or 15th among 6 to 9 March.
    EXPECT_TRUE(DeTipo(d, Tipo::Texto).empty());
}

TEST_F(GraficoTendencia, HeightsAreTruncatedAndColouredByPeak) {
    const std::vector<TTendenciaFecha> dias{{1, Dia(2024, 3, 7), 3.0, false},
                                            {1, Dia(2024, 3, 8), 1.0, true}};
    const auto d =
        DibujarTendencia(true, Dia(2024, 3, 7), Dia(2024, 3, 8), dias, 3.0, 300, 100, Ancho5);
    const auto barras = Barras(d);
    ASSERT_EQ(barras.size(), 2u);
    // N = 3, paso 100: the days at 110 and 210.
    EXPECT_EQ(barras[0].X1, 110);
    EXPECT_EQ(barras[0].Y2, 0);  // 85 high
    EXPECT_EQ(barras[0].Color, RGB(0, 128, 0));
    EXPECT_EQ(barras[1].X1, 210);
    EXPECT_EQ(barras[1].Y2, 85 - 28);  // Trunc(85 / 3) = 28
    EXPECT_EQ(barras[1].Color, RGB(255, 0, 0));
}

TEST_F(GraficoTendencia, TicksAndLabelsStandOneStepRightOfTheirDay) {
    // 28 February to 2 March 2024: N = 5; W 500 gives 100 a step.
    const std::vector<TTendenciaFecha> dias{{1, Dia(2024, 3, 1), 1.0, false}};
    const auto d =
        DibujarTendencia(true, Dia(2024, 2, 28), Dia(2024, 3, 2), dias, 1.0, 500, 100, Ancho5);
    // Steps: 27 Feb (x 10 → 110), 28 Feb (→ 210), 29 Feb (→ 310), 1 Mar at 310 (→ 410).
    const auto barras = Barras(d);
    ASSERT_EQ(barras.size(), 1u);
    EXPECT_EQ(barras[0].X1, 310);
    const auto marcas = Marcas(d);
    ASSERT_EQ(marcas.size(), 1u);
    EXPECT_EQ(marcas[0].X1, 410);
    EXPECT_EQ(marcas[0].Color, RGB(0, 0, 0));
    const auto textos = DeTipo(d, Tipo::Texto);
    ASSERT_EQ(textos.size(), 1u);
    EXPECT_EQ(textos[0].Texto, "mar1");
    EXPECT_EQ(textos[0].X1, 410 - 10);  // "mar1" is 20 wide
    EXPECT_EQ(textos[0].Y1, 85 + 5);
}

TEST_F(GraficoTendencia, HalfOfAnOddLabelWidthRoundsTowardZero) {
    const auto d = DibujarTendencia(true, Dia(2024, 1, 15), Dia(2024, 1, 15), {}, 0, 100, 100,
                                    [](std::string_view) { return 21; });
    const auto textos = DeTipo(d, Tipo::Texto);
    ASSERT_EQ(textos.size(), 1u);
    EXPECT_EQ(textos[0].Texto, "ene15");
    EXPECT_EQ(textos[0].X1, 110 - 10);
}

TEST_F(GraficoTendencia, StepIsRoundedHalfToEven) {
    EXPECT_EQ(RedondeoBancario(2.5), 2);
    EXPECT_EQ(RedondeoBancario(3.5), 4);
    EXPECT_EQ(RedondeoBancario(3.12), 3);
    EXPECT_EQ(RedondeoBancario(0.5), 0);
    EXPECT_EQ(RedondeoBancario(0.51), 1);
    // One day: N = 2, W = 5 → 2.5 → 2; W = 7 → 3.5 → 4.
    EXPECT_EQ(DibujarTendencia(true, 45000, 45000, {}, 0, 5, 100, Ancho5).PasoPx, 2);
    EXPECT_EQ(DibujarTendencia(true, 45000, 45000, {}, 0, 7, 100, Ancho5).PasoPx, 4);
}

TEST_F(GraficoTendencia, AYearOn1142Pixels) {
    std::vector<TTendenciaFecha> dias;
    for (TFecha f = Dia(2023, 1, 1); f <= Dia(2023, 12, 31); ++f) {
        dias.push_back({1, f, 1.0 + (f % 7), false});
    }
    const auto d =
        DibujarTendencia(true, Dia(2023, 1, 1), Dia(2023, 12, 31), dias, 7.0, 1142, 186, Ancho5);
    EXPECT_EQ(d.N, 366);
    EXPECT_NEAR(d.Paso, 3.12, 0.01);
    EXPECT_EQ(d.PasoPx, 3);
    EXPECT_EQ(d.Margen, 27);
    const auto barras = Barras(d);
    ASSERT_EQ(barras.size(), 365u);
    EXPECT_EQ(barras.front().X1, 13);
    EXPECT_EQ(barras.back().X1, 10 + 365 * 3);
    // The 1st and 15th of every month, and 1 January 2024 among the two days
    // after the range.
    EXPECT_EQ(Marcas(d).size(), 25u);
    EXPECT_EQ(DeTipo(d, Tipo::Texto).size(), 25u);
}

TEST_F(GraficoTendencia, DaysWithoutContactsLeaveGaps) {
    const std::vector<TTendenciaFecha> dias{{1, Dia(2024, 5, 2), 1.0, false},
                                            {1, Dia(2024, 5, 6), 1.0, false}};
    const auto d =
        DibujarTendencia(true, Dia(2024, 5, 2), Dia(2024, 5, 6), dias, 1.0, 700, 100, Ancho5);
    // N = 6, paso 116.67 → 117.
    const auto barras = Barras(d);
    ASSERT_EQ(barras.size(), 2u);
    EXPECT_EQ(barras[0].X1, 10 + 117);
    EXPECT_EQ(barras[1].X1, 10 + 5 * 117);
}

TEST_F(GraficoTendencia, TooManyDaysPutEverythingAtTen) {
    std::vector<TTendenciaFecha> dias{{1, Dia(2024, 1, 1), 1.0, false},
                                      {1, Dia(2024, 12, 31), 1.0, false}};
    const auto d =
        DibujarTendencia(true, Dia(2024, 1, 1), Dia(2024, 12, 31), dias, 1.0, 100, 50, Ancho5);
    EXPECT_EQ(d.PasoPx, 0);
    for (const auto& t : d.Trazos) {
        if (t.Clase == Tipo::Linea && t.X1 != 0) {
            EXPECT_EQ(t.X1, 10);
        }
    }
    EXPECT_EQ(Barras(d).size(), 2u);
}

// Over years, leap days and year ends, every day finds its entry and every
// 1st and 15th of a month gets its tick and label; each label text is
// measured once however often it recurs.
TEST_F(GraficoTendencia, YearsOfDaysKeepTheirBarsAndLabels) {
    const TFecha ini = Dia(1999, 12, 1);
    const TFecha fin = Dia(2001, 3, 31);
    std::vector<TTendenciaFecha> dias;
    for (TFecha f = ini; f <= fin; f += 3) {
        dias.push_back({1, f, 1.0 + f % 5, false});
    }
    std::vector<std::string> medidos;
    const AnchoTextoFn ancho = [&](std::string_view t) {
        medidos.emplace_back(t);
        return Ancho5(t);
    };
    const auto d = DibujarTendencia(true, ini, fin, dias, 5.0, 20000, 100, ancho);
    std::vector<std::string> esperadas;
    std::vector<int> alturas;
    for (TFecha f = ini - 1; f <= fin + 1; ++f) {
        const int dia = DecodificarFecha(f).dia;
        if (dia == 1 || dia == 15) {
            esperadas.push_back(FormatDateTime("mmmd", f));
        }
    }
    for (const auto& t : dias) {
        alturas.push_back(static_cast<int>((100 - d.Margen) * t.Peso / 5.0));
    }
    std::vector<std::string> textos;
    for (const auto& t : DeTipo(d, Tipo::Texto)) {
        textos.push_back(t.Texto);
    }
    EXPECT_EQ(textos, esperadas);
    EXPECT_EQ(Marcas(d).size(), esperadas.size());
    std::vector<int> dibujadas;
    for (const auto& b : Barras(d)) {
        dibujadas.push_back(b.Y1 - b.Y2);
    }
    EXPECT_EQ(dibujadas, alturas);
    EXPECT_EQ(medidos.size(), 24u);  // "ene1" … "dic15"
}

TEST_F(GraficoTendencia, NoBarsWhenTheMaximumIsZero) {
    const std::vector<TTendenciaFecha> dias{{1, Dia(2024, 1, 3), 0.0, false}};
    const auto d =
        DibujarTendencia(true, Dia(2024, 1, 1), Dia(2024, 1, 31), dias, 0.0, 600, 100, Ancho5);
    EXPECT_TRUE(Barras(d).empty());
    EXPECT_EQ(Marcas(d).size(), 3u);  // 1 and 15 January, 1 February
}

TEST_F(GraficoTendencia, FirstEntryOfADayCountsInAnyOrder) {
    const std::vector<TTendenciaFecha> dias{{1, Dia(2024, 1, 3), 2.0, false},
                                            {1, Dia(2024, 1, 2), 4.0, true},
                                            {1, Dia(2024, 1, 3), 4.0, true}};
    const auto d =
        DibujarTendencia(true, Dia(2024, 1, 2), Dia(2024, 1, 3), dias, 4.0, 300, 100, Ancho5);
    const auto barras = Barras(d);
    ASSERT_EQ(barras.size(), 2u);
    EXPECT_EQ(barras[0].Y2, 0);
    EXPECT_EQ(barras[0].Color, RGB(255, 0, 0));
    EXPECT_EQ(barras[1].Y2, 85 - 42);  // the first 3 January entry: weight 2
    EXPECT_EQ(barras[1].Color, RGB(0, 128, 0));
}

}  // namespace
}  // namespace varnolt
