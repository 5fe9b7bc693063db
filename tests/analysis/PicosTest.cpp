// SPDX-License-Identifier: AGPL-3.0-or-later
#include "analysis/Picos.h"

#include <gtest/gtest.h>

#include "app/FormVarnolt.h"
#include "app/Regional.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

using prueba::Contacto;

// Five days of 2024 with weights 10, 40, 20, 40, 5 and 1, 2, 3, 4, 5 contacts.
class Picos : public ::testing::Test {
  protected:
    Picos() : form(ventana) {
        std::vector<Contacto> cs;
        const char* pesos[] = {"10", "40", "20", "40", "5"};
        for (int dia = 1; dia <= 5; ++dia) {
            for (int k = 0; k < dia; ++k) {
                Contacto c;
                c.fecha = "2024-1-" + std::to_string(dia);
                c.peso = k == 0 ? pesos[dia - 1] : "0";
                cs.push_back(c);
            }
        }
        ConfiguracionRegional().SeparadorDecimal = '.';
        form.CargarAgendas({carpeta.Agenda("a.csv", cs)});
    }
    std::vector<TFecha> DiasPico() const {
        std::vector<TFecha> r;
        for (const auto& f : form.Picos.FechasPico) {
            r.push_back(f.Fecha);
        }
        return r;
    }
    static TFecha Dia(int d) { return CodificarFecha(2024, 1, d); }

    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
};

TEST_F(Picos, ListAndLabelsAfterLoading) {
    EXPECT_DOUBLE_EQ(form.Picos.PPMaxRango, 40);
    EXPECT_EQ(form.Picos.FechaPPMax, Dia(2));  // the earliest on ties
    EXPECT_DOUBLE_EQ(form.Picos.UmbralPico, 24);
    EXPECT_EQ(DiasPico(), (std::vector<TFecha>{Dia(2), Dia(4)}));
    EXPECT_EQ(form.LBFechaPP.Textos(),
              (std::vector<std::string>{
                  "1.2024 ene 1 (c:1) (pp:10.00)", "2.** 2024 ene 2 (c:2) (pp:40.00) **",
                  "3.2024 ene 3 (c:3) (pp:20.00)", "4.** 2024 ene 4 (c:4) (pp:40.00) **",
                  "5.2024 ene 5 (c:5) (pp:5.00)"}));
    EXPECT_EQ(form.LBFechaPP.Datos[1], Dia(2));
    const TEtiquetasInfo& e = form.Etiquetas;
    EXPECT_EQ(e.RangoData, "2024-ene-1 y 2024-ene-5");
    EXPECT_EQ(e.RangoVisual, "2024-ene-1 y 2024-dic-31");
    EXPECT_EQ(e.SumaPP, "115.00");
    EXPECT_EQ(e.FechasPico, "2  fechas pico en el rango\rMáx.PP: 40.00, 100.00%\r2024 ene 2");
    EXPECT_EQ(e.Max, "Máx.PP:40.00, 2024 ene 2");
    EXPECT_EQ(e.NoContactos, "  5 días. 24.00");
}

TEST_F(Picos, PeaksOnlyAndSorts) {
    form.RGTipoFechaClick(TipoFecha::Picos);
    EXPECT_EQ(form.LBFechaPP.Textos(),
              (std::vector<std::string>{"1.** 2024 ene 2 (c:2) (pp:40.00) **",
                                        "2.** 2024 ene 4 (c:4) (pp:40.00) **"}));
    EXPECT_EQ(form.Etiquetas.SumaPP, "80.00");
    EXPECT_EQ(form.Etiquetas.NoContactos, "  2 días. 24.00");
    form.RGTipoFechaClick(TipoFecha::Todas);
    form.RGSortFechaClick(OrdenFecha::Contactos);
    EXPECT_EQ(form.LBFechaPP.Textos().front(), "1.2024 ene 5 (c:5) (pp:5.00)");
    form.RGSortFechaClick(OrdenFecha::PesoPonderado);
    EXPECT_EQ(form.LBFechaPP.Textos().back(), "5.2024 ene 5 (c:5) (pp:5.00)");
    // Whatever the listing order, the days stay in date order for everyone else.
    EXPECT_TRUE(std::is_sorted(form.Ponderacion.FechasRango.begin(),
                               form.Ponderacion.FechasRango.end(),
                               [](const auto& a, const auto& b) { return a.Fecha < b.Fecha; }));
}

TEST_F(Picos, Threshold) {
    form.SEValPicoChange("100");
    EXPECT_EQ(DiasPico(), (std::vector<TFecha>{Dia(2), Dia(4)}));
    form.SEValPicoChange("10");
    EXPECT_EQ(DiasPico().size(), 5u);  // 5 >= 4
    form.SEValPicoChange("150");       // typed, not yet clamped
    EXPECT_TRUE(DiasPico().empty());
    EXPECT_EQ(form.Etiquetas.FechasPico.rfind("0  fechas pico", 0), 0u);
    form.SEValPicoExit();
    EXPECT_EQ(form.SEValPico, "100");
    EXPECT_EQ(DiasPico().size(), 2u);
    form.SEValPicoChange("abc");  // not a number: the minimum
    EXPECT_DOUBLE_EQ(form.Picos.UmbralPico, 4);
    form.CBViewMediaClick(false);
    EXPECT_TRUE(DiasPico().empty());
    EXPECT_EQ(form.Etiquetas.NoContactos, "  5 días. 4.00");
    for (const TBarra& b : form.Graficos.ChartDia.Series[1].Barras) {
        EXPECT_EQ(b.Valor, 0);
    }
}

TEST_F(Picos, HighlightSeriesFollowsThePeaks) {
    const auto& rojo = form.Graficos.ChartDia.Series[1].Barras;
    ASSERT_EQ(rojo.size(), 5u);
    EXPECT_EQ(rojo[0].Valor, 0);
    EXPECT_EQ(rojo[1].Valor, 40);
    EXPECT_EQ(rojo[1].Etiqueta, "2024-01-02");
    EXPECT_EQ(rojo[1].Color, kColorPico);
}

TEST_F(Picos, GlobalMaximumSurvivesQuieterRanges) {
    form.RangoIni = Dia(3);
    form.RangoFin = Dia(3);
    form.SetTendenciasItems(true);
    EXPECT_DOUBLE_EQ(form.Picos.PPMaxRango, 20);
    EXPECT_DOUBLE_EQ(form.Picos.PPMaxGlobal, 40);
    EXPECT_EQ(form.Etiquetas.FechasPico,
              "1  fechas pico en el rango\rMáx.PP: 20.00, 50.00%\r2024 ene 3");
}

TEST(PicosSinPeso, ZeroWeightsGiveNoPeaksAndDashes) {
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    Contacto c;
    c.peso = "0";
    form.CargarAgendas({carpeta.Agenda("a.csv", std::vector<Contacto>{c})});
    EXPECT_EQ(form.Picos.PPMaxRango, 0);
    EXPECT_TRUE(form.Picos.FechasPico.empty());
    EXPECT_EQ(form.Etiquetas.SumaPP, "-");
    EXPECT_EQ(form.Etiquetas.FechasPico, "-");
    EXPECT_EQ(form.Etiquetas.Max, "-");
    EXPECT_EQ(form.LBFechaPP.Count(), 1);
}

// Five days whose weights add up to 67.475 in date order but to 67.47500000000001
// heaviest first: "Suma PP rango" must not depend on the listing order.
class SumaPP : public ::testing::TestWithParam<OrdenFecha> {};

TEST_P(SumaPP, IsTheDailyChartsTotalInEveryOrder) {
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    std::vector<Contacto> cs;
    const char* pesos[] = {"1.078", "25.902", "15.194", "13.605", "11.696"};
    for (int dia = 1; dia <= 5; ++dia) {
        Contacto c;
        c.fecha = "2024-1-" + std::to_string(dia);
        c.peso = pesos[dia - 1];
        cs.push_back(c);
    }
    ConfiguracionRegional().SeparadorDecimal = '.';
    form.CargarAgendas({carpeta.Agenda("a.csv", cs)});
    form.RGSortFechaClick(GetParam());
    EXPECT_EQ(form.Graficos.ChartDia.Titulo, "67.47");
    EXPECT_EQ(form.Etiquetas.SumaPP, "67.47");
    form.SEValPicoChange("10");  // every day but the first is a peak
    form.RGTipoFechaClick(TipoFecha::Picos);
    EXPECT_EQ(form.LBFechaPP.Count(), 4);
    EXPECT_EQ(form.Etiquetas.SumaPP, Format("%.2f", {((25.902 + 15.194) + 13.605) + 11.696}));
}

INSTANTIATE_TEST_SUITE_P(Ordenes, SumaPP,
                         ::testing::Values(OrdenFecha::Fecha, OrdenFecha::Contactos,
                                           OrdenFecha::PesoPonderado));

// Day 0 (30 December 1899) is a date like any other: "Datos entre" starts
// there, and only a data set without any date shows "-".
struct CasoDiaCero {
    const char* nombre;
    std::vector<const char*> fechas;
    const char* rangoData;
};

class DiaCero : public ::testing::TestWithParam<CasoDiaCero> {};

TEST_P(DiaCero, DatosEntreKeepsDayZeroApartFromNoDate) {
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    std::vector<Contacto> cs;
    for (const char* f : GetParam().fechas) {
        Contacto c;
        c.fecha = f;
        cs.push_back(c);
    }
    ConfiguracionRegional().SeparadorDecimal = '.';
    form.CargarAgendas({carpeta.Agenda("a.csv", cs)});
    EXPECT_EQ(form.Etiquetas.RangoData, GetParam().rangoData);
    form.LimpiarData();
    EXPECT_FALSE(form.HayFechas);
    EXPECT_EQ(form.Etiquetas.RangoData, "-");
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DiaCero,
    ::testing::Values(
        CasoDiaCero{"PrimeroElDiaCero", {"1899-12-30", "2004-1-9"}, "1899-dic-30 y 2004-ene-9"},
        CasoDiaCero{"SoloElDiaCero", {"1899-12-30"}, "1899-dic-30 y 1899-dic-30"},
        CasoDiaCero{"ElDiaCeroEnMedio",
                    {"1899-12-29", "1899-12-30", "1899-12-31"},
                    "1899-dic-29 y 1899-dic-31"},
        CasoDiaCero{"ElDiaCeroAlFinal", {"1899-12-1", "1899-12-30"}, "1899-dic-1 y 1899-dic-30"},
        CasoDiaCero{"SinFechas", {}, "-"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(ValorPico, TextOfTheSpinEdit) {
    EXPECT_EQ(ValorPico("60"), 60);
    EXPECT_EQ(ValorPico("150"), 150);
    EXPECT_EQ(ValorPico(""), 10);
    EXPECT_EQ(ValorPico("6x"), 10);
}

}  // namespace
}  // namespace varnolt
