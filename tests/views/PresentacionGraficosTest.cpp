// SPDX-License-Identifier: AGPL-3.0-or-later
#include "views/PresentacionGraficos.h"

#include <gtest/gtest.h>

#include "app/FormVarnolt.h"
#include "app/Regional.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

using R = TRectangulo;

class PresentacionGraficos : public ::testing::Test {
  protected:
    void SetUp() override { ConfiguracionRegional().SeparadorDecimal = '.'; }
    void TearDown() override { ConfiguracionRegional().SeparadorDecimal = '.'; }
};

TEST_F(PresentacionGraficos, ArqDownSplitsHeightAndWidth) {
    TEstadoPaneles e;
    e.Ancho = 1000;
    e.Alto = 501;
    e.SBViewArq = true;
    e.PanelInfoArqVisible = true;
    const auto d = AjustarGraficos(e);
    EXPECT_FALSE(d.SoloTendencias);
    EXPECT_EQ(d.PanelChartDia, (R{0, 0, 1000, 150}));   // Trunc(0.3 × 501)
    EXPECT_EQ(d.PanelInfoArq, (R{0, 150, 1000, 225}));  // Trunc(0.45 × 501)
    EXPECT_EQ(d.PanelGraphs, (R{0, 375, 1000, 126}));   // the rest
    EXPECT_EQ(d.ChartDia, (R{0, 0, 800, 150}));
    EXPECT_TRUE(d.ChartAngTraEnPanelChartDia);
    EXPECT_EQ(d.ChartAngTra, (R{800, 0, 200, 150}));
    EXPECT_EQ(d.ChartItemTra, (R{0, 0, 400, 126}));
    EXPECT_EQ(d.ChartItemNat, (R{400, 0, 600, 126}));
    EXPECT_EQ(d.PanelArqTra, (R{0, 0, 350, 225}));
    EXPECT_EQ(d.PanelArqAsp, (R{350, 0, 250, 225}));
    EXPECT_EQ(d.PanelArqNat, (R{600, 0, 400, 225}));
}

TEST_F(PresentacionGraficos, ArqUpStacksTheItemChartsAboveTheAngles) {
    TEstadoPaneles e;
    e.Ancho = 1000;
    e.Alto = 500;
    const auto d = AjustarGraficos(e);
    EXPECT_EQ(d.PanelChartDia, (R{0, 0, 1000, 150}));
    EXPECT_EQ(d.PanelInfoArq.Alto, 0);
    EXPECT_EQ(d.PanelGraphs, (R{0, 150, 1000, 350}));
    EXPECT_EQ(d.ChartDia, (R{0, 0, 1000, 150}));
    EXPECT_FALSE(d.ChartAngTraEnPanelChartDia);
    EXPECT_EQ(d.ChartItemTra, (R{0, 0, 1000, 119}));  // Trunc(0.34 × 350)
    EXPECT_EQ(d.ChartItemNat, (R{0, 121, 1000, 119}));
    EXPECT_EQ(d.ChartAngTra, (R{0, 240, 1000, 110}));
}

TEST_F(PresentacionGraficos, ArqDownWithoutFilesShowsNoArchetypePanel) {
    TEstadoPaneles e;
    e.Ancho = 1000;
    e.Alto = 500;
    e.SBViewArq = true;
    const auto d = AjustarGraficos(e);
    EXPECT_EQ(d.PanelInfoArq.Alto, 0);
    EXPECT_EQ(d.PanelGraphs, (R{0, 150, 1000, 350}));
}

TEST_F(PresentacionGraficos, TrendsAloneWithArchetypesKeepTheDailyChartFirst) {
    TEstadoPaneles e;
    e.Ancho = 1000;
    e.Alto = 600;
    e.SBViewTends = true;
    e.SBViewArq = true;
    e.PanelGraphsVisible = false;
    e.PanelInfoArqVisible = true;
    const auto d = AjustarGraficos(e);
    EXPECT_TRUE(d.SoloTendencias);
    // From the top: the daily chart, then the archetype panel (0.45 H).
    EXPECT_EQ(d.PanelChartDia, (R{0, 0, 1000, 330}));
    EXPECT_EQ(d.PanelInfoArq, (R{0, 330, 1000, 270}));
    // The hidden angle chart leaves no empty band beside the daily chart.
    EXPECT_EQ(d.ChartDia, (R{0, 0, 1000, 330}));
}

TEST_F(PresentacionGraficos, TrendsAloneFillThePanel) {
    TEstadoPaneles e;
    e.Ancho = 1200;
    e.Alto = 400;
    e.SBViewTends = true;
    e.PanelGraphsVisible = false;
    auto d = AjustarGraficos(e);
    EXPECT_TRUE(d.SoloTendencias);
    EXPECT_EQ(d.PanelChartDia, (R{0, 0, 1200, 400}));
    EXPECT_EQ(d.ChartDia, (R{0, 0, 1200, 400}));
    // Resized: the daily chart still fills it.
    e.Ancho = 800;
    e.Alto = 300;
    d = AjustarGraficos(e);
    EXPECT_EQ(d.ChartDia, (R{0, 0, 800, 300}));
    // "Tend." down but PanelGraphs shown again (AjustarPaneles): the usual split.
    e.PanelGraphsVisible = true;
    EXPECT_FALSE(AjustarGraficos(e).SoloTendencias);
}

TEST_F(PresentacionGraficos, ValueMarks) {
    EXPECT_EQ(MarcaValor(0), "");
    EXPECT_EQ(MarcaValor(0.49), "");
    EXPECT_EQ(MarcaValor(0.5), "1");
    EXPECT_EQ(MarcaValor(12.4), "12");
    EXPECT_EQ(MarcaValor(999.5), "1,000");
    EXPECT_EQ(MarcaValor(1234.5), "1,235");
    EXPECT_EQ(MarcaValor(1234567), "1,234,567");
    EXPECT_EQ(MarcaValor(-1500), "-1,500");
    ConfiguracionRegional().SeparadorDecimal = ',';
    EXPECT_EQ(MarcaValor(1234567), "1.234.567");
}

TEST_F(PresentacionGraficos, AxisLabels) {
    EXPECT_EQ(EtiquetaEje(0), "0");
    EXPECT_EQ(EtiquetaEje(2.5), "2.5");
    EXPECT_EQ(EtiquetaEje(0.125), "0.125");
    EXPECT_EQ(EtiquetaEje(1000), "1,000");
    ConfiguracionRegional().SeparadorDecimal = ',';
    EXPECT_EQ(EtiquetaEje(1234.5), "1.234,5");
}

TEST_F(PresentacionGraficos, AxisScale) {
    auto e = EscalaEje(100, 200, 20);
    EXPECT_DOUBLE_EQ(e.Maximo, 100);
    EXPECT_DOUBLE_EQ(e.Paso, 10);
    EXPECT_EQ(e.Marcas.size(), 11u);
    e = EscalaEje(0, 200, 20);
    EXPECT_DOUBLE_EQ(e.Maximo, 1);
    e = EscalaEje(37.2, 100, 25);  // 4 gaps: 9.3 → 10
    EXPECT_DOUBLE_EQ(e.Paso, 10);
    EXPECT_EQ(e.Marcas.back(), 30);
    e = EscalaEje(0.7, 100, 20);  // 5 gaps: 0.14 → 0.2
    EXPECT_NEAR(e.Paso, 0.2, 1e-12);
}

// ---- The main-window state the window needs (FormVarnolt additions) ----

class Paneles : public ::testing::Test {
  protected:
    Paneles() : form(ventana) {
        ConfiguracionRegional().SeparadorDecimal = '.';
        prueba::Contacto a;
        a.fecha = "2024-1-1";
        a.peso = "10";
        prueba::Contacto b;
        b.fecha = "2024-6-1";
        b.peso = "50";
        form.CargarAgendas({carpeta.Agenda("a.csv", {a, b})});
    }
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
};

TEST_F(Paneles, MaxAxisFixedAtTheGlobalMaximumWhenRaised) {
    EXPECT_TRUE(form.SBMaxAxisOrd);
    form.SBMaxAxisOrdClick(false);
    EXPECT_FALSE(form.SBMaxAxisOrd);
    EXPECT_DOUBLE_EQ(form.EjeDiaMaximo, 50);
    EXPECT_EQ(ventana.refrescos.back(), Vista::Graficos);
    // A quieter period keeps the fixed maximum.
    form.SBPerAllClick(8);  // "Ene"
    EXPECT_DOUBLE_EQ(form.Picos.PPMaxRango, 10);
    EXPECT_DOUBLE_EQ(form.EjeDiaMaximo, 50);
    form.SBMaxAxisOrdClick(true);
    EXPECT_TRUE(form.SBMaxAxisOrd);
}

TEST_F(Paneles, TendsHidesTheGraphsPanel) {
    EXPECT_TRUE(form.PanelGraphsVisible);
    EXPECT_TRUE(form.ChartsItemsVisible);
    form.SBViewTendsClick(true);
    EXPECT_TRUE(form.SBViewTends);
    EXPECT_FALSE(form.PanelGraphsVisible);
    EXPECT_EQ(ventana.refrescos.back(), Vista::Controles);
    // Switching the controls on while "Tend." is down hides the item charts.
    form.SBPerAllClick(1);
    EXPECT_FALSE(form.ChartsItemsVisible);
    // Releasing it brings them back at once, without a period click.
    form.SBViewTendsClick(false);
    EXPECT_TRUE(form.PanelGraphsVisible);
    EXPECT_TRUE(form.ChartsItemsVisible);
    // "Arq." while "Tend." is down keeps only the trends.
    form.SBViewTendsClick(true);
    form.SBViewArqClick(true);
    EXPECT_FALSE(form.PanelGraphsVisible);
    EXPECT_FALSE(form.ChartsItemsVisible);
}

TEST(PanelesSinData, ReleasingTendsBeforeLoadingShowsNoChart) {
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    form.SBViewTendsClick(true);
    form.SBViewTendsClick(false);
    EXPECT_FALSE(form.ChartsItemsVisible);
}

TEST_F(Paneles, ArqShowsTheArchetypePanelOnceAFileIsLoaded) {
    form.SBViewArqClick(true);
    EXPECT_TRUE(form.SBViewArq);
    EXPECT_TRUE(form.PanelInfoArqVisible);
    EXPECT_TRUE(form.PanelGraphsVisible);
    form.SBViewArqClick(false);
    EXPECT_FALSE(form.PanelInfoArqVisible);
}

TEST(PanelesSinData, ArqBeforeLoadingShowsNothing) {
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    form.SBViewArqClick(true);
    EXPECT_FALSE(form.PanelInfoArqVisible);
    EXPECT_FALSE(form.ChartsItemsVisible);
}

}  // namespace
}  // namespace varnolt
