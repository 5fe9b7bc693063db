// SPDX-License-Identifier: AGPL-3.0-or-later
#include "analysis/Ponderacion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "app/FormVarnolt.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

TTendencia C(TFecha fecha, const char* nat, const char* tra, int aspecto, double peso) {
    TTendencia t;
    t.Fecha = fecha;
    t.ItemNatal = Codigo(nat);
    t.ItemTransito = Codigo(tra);
    t.NatContacto = t.ItemNatal;
    t.Aspecto = aspecto;
    t.Peso = peso;
    return t;
}

// The weighting written the plain way: every entry searched from the start.
TPonderacion Referencia(const TTendencias& ts, TFecha ini, TFecha fin, const TSeleccion& sel) {
    TPonderacion r;
    auto item = [](std::vector<TTendenciaItem>& v, const std::string& k, double p) {
        for (auto& e : v) {
            if (e.Clave == k) {
                e.Peso += p;
                return;
            }
        }
        v.push_back({k, p});
    };
    for (const TTendencia& c : ts) {
        if (c.Fecha < ini || c.Fecha > fin || !CumpleSeleccion(sel, c)) {
            continue;
        }
        auto d = std::find_if(r.TotalesDia.begin(), r.TotalesDia.end(),
                              [&](const TTendenciaDia& x) { return x.Fecha == c.Fecha; });
        if (d == r.TotalesDia.end()) {
            r.TotalesDia.push_back({c.Fecha, c.Peso});
        } else {
            d->Peso += c.Peso;
        }
        auto f = std::find_if(r.FechasRango.begin(), r.FechasRango.end(),
                              [&](const TTendenciaFecha& x) { return x.Fecha == c.Fecha; });
        if (f == r.FechasRango.end()) {
            r.FechasRango.push_back({1, c.Fecha, c.Peso, false});
        } else {
            f->Peso += c.Peso;
            f->Contactos += 1;
        }
        item(r.TotalesNat, c.ItemNatal, c.Peso);
        item(r.TotalesTra, c.ItemTransito, c.Peso);
        item(r.TotalesAsp, std::to_string(c.Aspecto), c.Peso);
    }
    return r;
}

void EsperarIguales(const std::vector<TTendenciaItem>& a, const std::vector<TTendenciaItem>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].Clave, b[i].Clave);
        EXPECT_DOUBLE_EQ(a[i].Peso, b[i].Peso);
    }
}

TEST(Ponderacion, MatchesThePlainWeightingOnTheSampleAgendas) {
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    form.CargarAgendas(
        {prueba::Muestra("muestra_2024.csv"), prueba::Muestra("muestra_b_2025.csv")});
    ASSERT_TRUE(form.DataCargada);
    const TFecha ini = CodificarFecha(2024, 6, 1);
    const TFecha fin = CodificarFecha(2025, 2, 28);
    const TSeleccion selecciones[] = {
        {},
        {{"Sol", "luN", "C05"}, {}, {}},
        {{}, {"Mar", "JÚP", "Júp"}, {"0", "90", "90", "180"}},
        {{"Ven"}, {"Sat"}, {"120"}},
        {{"nada"}, {}, {}},
    };
    for (const TSeleccion& sel : selecciones) {
        TPonderacion r;
        Ponderar(form.Tendencias, ini, fin, sel, r);
        const TPonderacion esperado = Referencia(form.Tendencias, ini, fin, sel);
        ASSERT_EQ(r.TotalesDia.size(), esperado.TotalesDia.size());
        for (size_t i = 0; i < r.TotalesDia.size(); ++i) {
            EXPECT_EQ(r.TotalesDia[i].Fecha, esperado.TotalesDia[i].Fecha);
            EXPECT_DOUBLE_EQ(r.TotalesDia[i].Peso, esperado.TotalesDia[i].Peso);
            EXPECT_EQ(r.FechasRango[i].Contactos, esperado.FechasRango[i].Contactos);
        }
        EsperarIguales(r.TotalesNat, esperado.TotalesNat);
        EsperarIguales(r.TotalesTra, esperado.TotalesTra);
        EsperarIguales(r.TotalesAsp, esperado.TotalesAsp);
        // The compiled filter answers as the plain test does.
        const FiltroSeleccion filtro(sel);
        for (size_t i = 0; i < form.Tendencias.size(); i += 97) {
            EXPECT_EQ(filtro.Cumple(form.Tendencias[i]), CumpleSeleccion(sel, form.Tendencias[i]));
        }
    }
}

TEST(Ponderacion, RangeEndsAreIncluded) {
    const TFecha d = CodificarFecha(2024, 5, 5);
    const TTendencias ts = {C(d - 1, "Sol", "Mar", 0, 1), C(d, "Sol", "Mar", 0, 2),
                            C(d + 1, "Sol", "Mar", 0, 4), C(d + 2, "Sol", "Mar", 0, 8)};
    TPonderacion r;
    Ponderar(ts, d, d + 1, {}, r);
    ASSERT_EQ(r.TotalesDia.size(), 2u);
    EXPECT_DOUBLE_EQ(r.TotalesDia[0].Peso + r.TotalesDia[1].Peso, 6);
    Ponderar(ts, d + 1, d, {}, r);  // start after the end: nothing
    EXPECT_TRUE(r.TotalesDia.empty());
    EXPECT_TRUE(r.TotalesNat.empty());
}

TEST(Ponderacion, SelectionRules) {
    const TFecha d = CodificarFecha(2024, 5, 5);
    const TTendencias ts = {C(d, "Sol", "Mar", 90, 1), C(d, "SOL", "Mar", 20, 2),
                            C(d, "Lun", "Mar", 90, 4)};
    struct Caso {
        TSeleccion sel;
        double peso;
    } casos[] = {
        {{}, 7},
        {{{"SOL"}, {}, {}}, 3},  // letter case does not matter in the selection
        {{{},
          {},
          {"0", "180", "120", "90", "72", "60", "51", "45", "165", "150", "144", "135", "105", "75",
           "40", "36", "33", "30", "15"}},
         5},  // all 19 angles exclude 20
        {{{"Sol", "Lun"}, {"mar"}, {"90"}}, 5},
        {{{}, {"Ven"}, {}}, 0},
    };
    for (const Caso& caso : casos) {
        TPonderacion r;
        Ponderar(ts, d, d, caso.sel, r);
        double total = 0;
        for (const auto& x : r.TotalesDia) {
            total += x.Peso;
        }
        EXPECT_DOUBLE_EQ(total, caso.peso);
    }
    // "Sol" and "SOL" stay two tally keys.
    TPonderacion r;
    Ponderar(ts, d, d, {}, r);
    ASSERT_EQ(r.TotalesNat.size(), 3u);
    EXPECT_EQ(r.TotalesNat[0].Clave, "Sol");
    EXPECT_EQ(r.TotalesNat[1].Clave, "SOL");
    EXPECT_EQ(r.TotalesAsp[1].Clave, "20");
}

TEST(Ponderacion, SameDayAndZeroWeights) {
    const TFecha d = CodificarFecha(2024, 5, 5);
    TTendencias ts = {C(d, "Sol", "Mar", 0, 0), C(d + 1, "Sol", "Mar", 0, 0),
                      C(d, "Lun", "Mar", 0, 0)};
    TPonderacion r;
    Ponderar(ts, d, d + 1, {}, r);  // contacts of a day need not be neighbours
    ASSERT_EQ(r.FechasRango.size(), 2u);
    EXPECT_EQ(r.FechasRango[0].Contactos, 2);
    EXPECT_EQ(r.FechasRango[0].Peso, 0);
    EXPECT_EQ(r.TotalesDia.size(), 2u);
}

class SetTendencias : public ::testing::Test {
  protected:
    SetTendencias() : form(ventana) { form.CargarAgendas({prueba::Muestra("muestra_2024.csv")}); }
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
};

TEST_F(SetTendencias, AllTalliesCarryTheSameWeightAndAreSorted) {
    form.SBPerAllClick(3);
    const TPonderacion& p = form.Ponderacion;
    auto suma = [](const auto& v) {
        return std::accumulate(v.begin(), v.end(), 0.0,
                               [](double s, const auto& e) { return s + e.Peso; });
    };
    const double total = suma(p.TotalesDia);
    EXPECT_GT(total, 0);
    EXPECT_NEAR(suma(p.FechasRango), total, 1e-6);
    EXPECT_NEAR(suma(p.TotalesNat), total, 1e-6);
    EXPECT_NEAR(suma(p.TotalesTra), total, 1e-6);
    EXPECT_NEAR(suma(p.TotalesAsp), total, 1e-6);
    for (const auto* v : {&p.TotalesNat, &p.TotalesTra, &p.TotalesAsp}) {
        EXPECT_TRUE(std::is_sorted(v->begin(), v->end(),
                                   [](const auto& a, const auto& b) { return a.Peso > b.Peso; }));
    }
    EXPECT_TRUE(std::is_sorted(p.FechasRango.begin(), p.FechasRango.end(),
                               [](const auto& a, const auto& b) { return a.Fecha < b.Fecha; }));
    EXPECT_FALSE(form.Actualizando);
    // Chart data follows the tallies.
    EXPECT_EQ(form.Graficos.ChartDia.Series[0].Barras.size(), p.TotalesDia.size());
    EXPECT_EQ(form.Graficos.ChartDia.Series[1].Barras.size(), p.TotalesDia.size());
    EXPECT_EQ(form.Graficos.ChartDia.Titulo, Format("%.2f", {total}));
    EXPECT_EQ(form.Graficos.ChartItemNat.Titulo.rfind("Items Natales. ", 0), 0u);
    EXPECT_EQ(form.Graficos.ChartDia.Series[0].Barras[0].Etiqueta, "2024-04-01");
    EXPECT_FALSE(form.Graficos.ChartDia.Series[0].MarcasVisibles);  // a quarter
    form.SBPerAllClick(9);
    EXPECT_TRUE(form.Graficos.ChartDia.Series[0].MarcasVisibles);  // a month
}

TEST_F(SetTendencias, WithoutRefreshTheListKeepsItsRows) {
    ASSERT_GT(form.LBFechaPP.Count(), 0);
    form.LBFechaPP.SetSelected(3, true);
    const auto filas = form.LBFechaPP.Textos();
    form.RangoIni = form.RangoFin = CodificarFecha(2024, 2, 2);
    form.SetTendenciasItems(false);
    EXPECT_EQ(form.LBFechaPP.Textos(), filas);
    EXPECT_TRUE(form.LBFechaPP.IsSelected(3));
    EXPECT_EQ(form.Ponderacion.FechasRango.size(), 1u);
}

// A load weighs the days once, whether selecting the years weighed them
// (one year or several) or there was no year to select (only a header).
struct CasoCarga {
    const char* nombre;
    std::vector<const char*> fechas;
    size_t dias;
};

class CargaPondera : public ::testing::TestWithParam<CasoCarga> {};

TEST_P(CargaPondera, Once) {
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    std::vector<prueba::Contacto> cs;
    for (const char* f : GetParam().fechas) {
        prueba::Contacto c;
        c.fecha = f;
        cs.push_back(c);
    }
    form.CargarAgendas({carpeta.Agenda("a.csv", cs)});
    ASSERT_TRUE(form.DataCargada);
    // Every weighting ends by redrawing the trend graph, and nothing else
    // in a load that succeeds does.
    EXPECT_EQ(std::count(ventana.refrescos.begin(), ventana.refrescos.end(), Vista::Tendencia), 1);
    EXPECT_EQ(form.Ponderacion.FechasRango.size(), GetParam().dias);
    EXPECT_EQ(
        form.Etiquetas.NoContactos,
        Format("  %d días. %.2f", {static_cast<int>(GetParam().dias), form.Picos.UmbralPico}));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CargaPondera,
    ::testing::Values(CasoCarga{"UnAnio", {"2024-3-7", "2024-3-8"}, 2},
                      CasoCarga{"VariosAnios", {"2022-3-7", "2024-3-8", "2024-3-8"}, 2},
                      CasoCarga{"SoloCabecera", {}, 0}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace varnolt
