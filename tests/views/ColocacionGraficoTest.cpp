// SPDX-License-Identifier: AGPL-3.0-or-later
// Inside one bar chart: which category labels are drawn, which bands a
// height leaves room for, and the left axis of ChartDia around loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/FormVarnolt.h"
#include "app/Regional.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"
#include "views/PresentacionGraficos.h"

namespace varnolt {
namespace {

// ---- Category labels ----

struct CasoEtiquetas {
    const char* nombre;
    std::vector<double> centros;
    std::vector<int> anchos;
    int desde;
    int hasta;
    std::vector<TEtiquetaColocada> esperadas;
};

class Etiquetas : public ::testing::TestWithParam<CasoEtiquetas> {};

TEST_P(Etiquetas, EveryBarWhoseOwnLabelFitsIsLabelled) {
    const CasoEtiquetas& c = GetParam();
    int preguntas = 0;
    const auto r = ColocarEtiquetas(
        static_cast<int>(c.centros.size()),
        [&](int i) { return c.centros[static_cast<size_t>(i)]; },
        [&](int i) {
            ++preguntas;
            return c.anchos[static_cast<size_t>(i)];
        },
        c.desde, c.hasta, 8);
    EXPECT_EQ(r, c.esperadas);
    EXPECT_LE(preguntas, static_cast<int>(c.centros.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Etiquetas,
    ::testing::Values(
        // "Items Natales": NodST (36 px) ends at 431, so the next label may
        // start at 439; NodT (28 px) under 456.8 starts at 443 and is drawn
        // (measured with NodST's half width it looked 0.2 px short).
        CasoEtiquetas{
            "NodTTrasNodST", {413.0, 456.8}, {36, 28}, 2, 900, {{0, 395, 36}, {1, 443, 28}}},
        // A wide label after a narrow one measures its own width: 100 < 118.
        CasoEtiquetas{"AnchaTrasEstrecha", {100.0, 130.0}, {20, 60}, 2, 900, {{0, 90, 20}}},
        // ... and a narrow one after a wide one fits where the wide would not.
        // (with the wide one's half width the middle one looked 18 px short).
        CasoEtiquetas{"EstrechaTrasAncha",
                      {100.0, 150.0, 190.0},
                      {60, 20, 20},
                      2,
                      900,
                      {{0, 70, 60}, {1, 140, 20}, {2, 180, 20}}},
        // The first date label of a chart whose axis labels are narrow would
        // start left of the chart: it moves inward and is drawn.
        CasoEtiquetas{
            "PrimeraFechaEnElBorde", {28.5, 31.5, 34.5}, {62, 62, 62}, 2, 1000, {{0, 2, 62}}},
        // The last label moves inward at the right edge.
        CasoEtiquetas{
            "UltimaEnElBorde", {300.0, 490.0}, {40, 40}, 2, 500, {{0, 280, 40}, {1, 460, 40}}},
        // A label wider than the chart is never drawn.
        CasoEtiquetas{"MasAnchaQueElGrafico", {50.0}, {120}, 2, 100, {}},
        // Narrow chart: 30 px per bar, 40 px labels: every other bar.
        CasoEtiquetas{"GraficoEstrecho",
                      {15, 45, 75, 105, 135, 165, 195, 225},
                      {40, 40, 40, 40, 40, 40, 40, 40},
                      2,
                      240,
                      {{0, 2, 40}, {2, 55, 40}, {4, 115, 40}, {6, 175, 40}}},
        CasoEtiquetas{"SinBarras", {}, {}, 2, 500, {}}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(EtiquetasGrafico, WidthsAreAskedOnlyPastTheFreePoint) {
    // 1,000 bars a tenth of a pixel apart under 60-px labels: only the bars
    // whose middle lies past the end of the last label are measured.
    std::vector<int> medidas;
    const auto r = ColocarEtiquetas(
        1000, [](int i) { return 40 + i * 0.1; },
        [&](int i) {
            medidas.push_back(i);
            return 60;
        },
        2, 200, 8);
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r[0].Indice, 0);
    EXPECT_LT(medidas.size(), 1000u);
    for (size_t k = 1; k < r.size(); ++k) {
        EXPECT_GE(r[k].X, r[k - 1].X + r[k - 1].Ancho + 8);
    }
}

// ---- Bands of a chart ----

struct CasoBandas {
    const char* nombre;
    int alto;
    bool marcas;  // some series shows marks
    TBandasGrafico esperadas;
};

class Bandas : public ::testing::TestWithParam<CasoBandas> {};

TEST_P(Bandas, MarksGoFirstThenLabelsThenTitle) {
    const CasoBandas& c = GetParam();
    TMedidasBandas m;
    m.Alto = c.alto;
    m.Titulo = 21;
    m.Marcas = c.marcas ? 25 : 0;
    m.Etiquetas = 20;
    m.MargenArriba = 6;
    m.MargenAbajo = 3;
    m.AltoMinimo = 20;
    const TBandasGrafico b = DisponerBandas(m);
    EXPECT_EQ(b, c.esperadas);
    EXPECT_GE(b.Arriba, 0);
    EXPECT_LE(b.Arriba + b.AltoArea, std::max(1, c.alto));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Bandas,
    ::testing::Values(
        // Room for all: 21 + 25 + plot + 20.
        CasoBandas{"Todo", 168, true, {true, true, true, 46, 102}},
        CasoBandas{"JustoTodo", 86, true, {true, true, true, 46, 20}},
        // One pixel less: the marks go, the plot keeps its minimum.
        CasoBandas{"SinMarcas", 85, true, {true, false, true, 27, 38}},
        CasoBandas{"JustoSinMarcas", 67, true, {true, false, true, 27, 20}},
        // Then the labels.
        CasoBandas{"SinEtiquetas", 66, true, {true, false, false, 27, 36}},
        CasoBandas{"JustoSinEtiquetas", 50, true, {true, false, false, 27, 20}},
        // Then the title: only bars.
        CasoBandas{"SoloBarras", 49, true, {false, false, false, 6, 40}},
        CasoBandas{"Diminuto", 12, true, {false, false, false, 6, 3}},
        CasoBandas{"Nada", 0, true, {false, false, false, 0, 1}},
        // A chart without marks never had a mark band.
        CasoBandas{"SinSeriesConMarcas", 67, false, {true, false, true, 27, 20}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ---- The left axis of ChartDia ----

TEST(EjeChartDia, AutomaticWhileDownOrWithoutAMaximum) {
    EXPECT_EQ(EjeChartDia(true, 0), std::nullopt);
    EXPECT_EQ(EjeChartDia(true, 50), std::nullopt);
    EXPECT_EQ(EjeChartDia(false, 0), std::nullopt);
    EXPECT_EQ(EjeChartDia(false, -1), std::nullopt);
    EXPECT_EQ(EjeChartDia(false, 50), std::optional<double>(50));
}

class EjeAntesDeCargar : public ::testing::Test {
  protected:
    EjeAntesDeCargar() : form(ventana) { ConfiguracionRegional().SeparadorDecimal = '.'; }
    void Cargar(const std::string& nombre, const std::string& peso) {
        prueba::Contacto a;
        a.fecha = "2024-1-1";
        a.peso = "10";
        prueba::Contacto b;
        b.fecha = "2024-6-1";
        b.peso = peso;
        ventana.respuestaDialogo = std::vector<std::string>{carpeta.Agenda(nombre, {a, b})};
        form.SBContactosClick();
    }
    std::optional<double> Eje() const { return EjeChartDia(form.SBMaxAxisOrd, form.EjeDiaMaximo); }
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
};

TEST_F(EjeAntesDeCargar, RaisedWithoutDataTheLoadKeepsAnAutomaticAxis) {
    form.SBMaxAxisOrdClick(false);  // up before any data: nothing to fix
    EXPECT_FALSE(form.SBMaxAxisOrd);
    EXPECT_DOUBLE_EQ(form.EjeDiaMaximo, 0);
    EXPECT_EQ(Eje(), std::nullopt);
    Cargar("a.csv", "50");
    ASSERT_TRUE(form.DataCargada);
    EXPECT_EQ(Eje(), std::nullopt);  // the loaded bars are not cut off at 0
    // Down, then up again: fixed at the global maximum as always, and kept
    // over a quieter period.
    form.SBMaxAxisOrdClick(true);
    EXPECT_EQ(Eje(), std::nullopt);
    form.SBMaxAxisOrdClick(false);
    EXPECT_EQ(Eje(), std::optional<double>(50));
    const size_t antes = ventana.refrescos.size();
    form.SBPerAllClick(8);  // "Ene"
    EXPECT_DOUBLE_EQ(form.Picos.PPMaxRango, 10);
    EXPECT_EQ(Eje(), std::optional<double>(50));
    // The charts were redrawn over the new period.
    EXPECT_NE(std::find(ventana.refrescos.begin() + static_cast<std::ptrdiff_t>(antes),
                        ventana.refrescos.end(), Vista::Graficos),
              ventana.refrescos.end());
}

TEST_F(EjeAntesDeCargar, AFixedMaximumStaysOverALaterLoad) {
    Cargar("a.csv", "50");
    form.SBMaxAxisOrdClick(false);
    Cargar("b.csv", "80");  // more data: PPMaxGlobal grows, the axis stays
    EXPECT_GT(form.Picos.PPMaxGlobal, 50);
    EXPECT_EQ(Eje(), std::optional<double>(50));
}

}  // namespace
}  // namespace varnolt
