// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/FormVarnolt.h"
#include "app/Regional.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"
#include "views/DetalleContacto.h"

namespace varnolt {
namespace {

using prueba::Contacto;

TEST(DetalleContacto, StrengthBands) {
    // Columns: "T", "0-40", "40-80", ">50", ">80", ">90".
    const struct {
        double fuerza;
        bool pasa[6];
    } casos[] = {
        {0, {true, false, false, false, false, false}},
        {40, {true, true, false, false, false, false}},
        {40.01, {true, false, true, false, false, false}},
        {50, {true, false, true, true, false, false}},
        {80, {true, false, true, true, true, false}},
        {90, {true, false, false, true, true, true}},
        {100, {true, false, false, true, true, true}},
    };
    for (const auto& c : casos) {
        for (int b = 0; b < 6; ++b) {
            EXPECT_EQ(PasaBanda(b, c.fuerza), c.pasa[b]) << c.fuerza << " banda " << b;
        }
    }
}

TEST(DetalleContacto, DistanceBetweenDays) {
    const struct {
        int a1, m1, d1, a2, m2, d2;
        const char* texto;
    } casos[] = {
        {2024, 1, 31, 2024, 3, 1, "-0 años 1 mes 1 días"},
        {2025, 3, 1, 2024, 3, 1, "1 años 0 mes 0 días"},
        {2024, 3, 1, 2024, 3, 1, "0 años 0 mes 0 días"},
        {2023, 5, 10, 2024, 5, 10, "-1 años 0 mes 0 días"},
        {2024, 6, 9, 2024, 5, 10, "0 años 0 mes 30 días"},
        {2024, 3, 5, 2023, 12, 20, "0 años 2 mes 16 días"},
        {2024, 12, 1, 2024, 1, 15, "0 años 10 mes 17 días"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(
            TextoIntervalo(CodificarFecha(c.a1, c.m1, c.d1), CodificarFecha(c.a2, c.m2, c.d2)),
            c.texto);
    }
}

TEST(DetalleContacto, DegreesWithinTheSign) {
    const std::pair<double, const char*> casos[] = {
        {44.0575, "14° 3' 27\""}, {122.5, "2° 30' 0\""}, {30.0, "0° 0' 0\""},
        {359.9999, "30° 0' 0\""}, {0, "0° 0' 0\""},      {-15.25, "15° 15' 0\""}};
    for (const auto& [l, texto] : casos) {
        EXPECT_EQ(TextoGrados(l), texto) << l;
    }
    EXPECT_EQ(SignoDe(30.0), 1);
    EXPECT_EQ(SignoDe(359.9999), 11);
}

TEST(DetalleContacto, RealsWithoutFormat) {
    ConfiguracionRegional().SeparadorDecimal = ',';
    EXPECT_EQ(TextoReal(12.3), "12,3");
    EXPECT_EQ(TextoReal(179.0), "179");
    EXPECT_EQ(TextoReal(0.1 + 0.2), "0,3");
    EXPECT_EQ(TextoReal(1.5e-6), "1,5E-6");
    ConfiguracionRegional().SeparadorDecimal = '.';
    EXPECT_EQ(TextoReal(-2.25), "-2.25");
}

TTendencia Contactar(const char* nat, const char* tra, int aspecto, double posTra, double posNat) {
    TTendencia t;
    t.NatContacto = t.ItemNatal = Codigo(nat);
    t.TraContacto = t.ItemTransito = Codigo(tra);
    t.Aspecto = aspecto;
    t.PosTransito = posTra;
    t.PosNatal = posNat;
    return t;
}

// Every look-up answers with the table and the key, so the memo's lines show
// which text each one asked for.
std::string Eco(const std::string& clave, TablaArq tabla) {
    return std::string(kNombresTablasArq[tabla]) + ":" + clave;
}

TEST(DetalleContacto, HouseContact) {
    ConfiguracionRegional().SeparadorDecimal = '.';
    const TDetalleContacto d = MostrarDetalle(Contactar("C05", "Mar", 90, 10.5, 95), Eco);
    EXPECT_EQ(d.LabelDetAspNatal, "Mar en trán.        90°        C05 natal");
    EXPECT_EQ(d.LabelDetAspPos, "10° 30' 0\" Ari                       5° 0' 0\" Cán");
    EXPECT_EQ(d.LabelTipoNatal, "Mi escenario");
    EXPECT_EQ(d.LabelDescItemTra, "Items_01:Mar");
    EXPECT_EQ(d.LabelDescItemAsp, "Aspectos_01:90");
    EXPECT_EQ(d.LabelDescItemNat, "Casas_01:C05");
    const std::vector<std::string> memo = {"MARTE en ARIES. Tránsito",
                                           "Items_01:Mar",
                                           "Items_02:Mar",
                                           "Items_03:Mar",
                                           "",
                                           "Palabra clave de ARIES: Signos_01:Ari",
                                           "",
                                           "ALTA VIBRACIÓN de ARIES",
                                           "Signos_02:Ari",
                                           "",
                                           "BAJA VIBRACIÓN de ARIES",
                                           "Signos_03:Ari",
                                           "",
                                           "- - - - - - - - - - - - - - - - - - - - -",
                                           "INTENCIONAR con aspecto de 90°",
                                           "Aspectos_02:90, Aspectos_01:90",
                                           "Aspectos_03:90",
                                           "- - - - - - - - - - - - - - - - - - - - -",
                                           "",
                                           "Casa 5 en CÁNCER. Casa Natal.",
                                           "Casas_01:C05",
                                           "Casas_02:C05",
                                           "Casas_03:C05",
                                           "",
                                           "Palabra clave de CÁNCER: Signos_01:Cán",
                                           "",
                                           "ALTA VIBRACIÓN de CÁNCER",
                                           "Signos_02:Cán",
                                           "",
                                           "BAJA VIBRACIÓN de CÁNCER",
                                           "Signos_03:Cán"};
    EXPECT_EQ(d.MemoArq, memo);
}

TEST(DetalleContacto, CeresIsAnItemAndUnknownTransitsArePriapo) {
    const TDetalleContacto d = MostrarDetalle(Contactar("Cer", "Xyz", 0, 0, 200), Eco);
    EXPECT_EQ(d.LabelTipoNatal, "Mi capacidad");
    EXPECT_EQ(d.LabelDescItemNat, "Items_03:Cer");
    EXPECT_EQ(d.MemoArq[0], "PRIAPO verdadero en ARIES. Tránsito");
    EXPECT_EQ(d.MemoArq[1], "Items_01:PrT");
    EXPECT_EQ(d.MemoArq[19], "CERES en LIBRA. Capacidad Natal.");
    EXPECT_EQ(d.MemoArq.size(), 31u);
    const TDetalleContacto n = MostrarDetalle(Contactar("Sol", "NodT", 0, 0, 0), Eco);
    EXPECT_EQ(n.MemoArq[0], "NODO NORTE verdadero en ARIES. Tránsito");
}

class ContactosDia : public ::testing::Test {
  protected:
    ContactosDia() : form(ventana) {
        ConfiguracionRegional().SeparadorDecimal = '.';
        form.CargarAgendas({carpeta.Agenda(
            "a.csv", std::vector<Contacto>{{"2024-3-5", "Sol", "Mar", 90, "2", "40"},
                                           {"2024-3-5", "Lun", "Ven", 0, "7.3", "85.5"},
                                           {"2024-3-5", "Sol", "Sat", 120, "3", "50"},
                                           {"2024-3-6", "Sol", "Mar", 90, "1", "99"},
                                           {"2024-5-10", "Mer", "Mar", 60, "0", "10"}})});
        form.FechaCalendario = CodificarFecha(2024, 3, 5);
        form.FechaReferencia = CodificarFecha(2024, 5, 10);
    }
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
};

TEST_F(ContactosDia, ListsTheDaySortedWithItsCaption) {
    form.SBViewContactoClick(true);
    EXPECT_TRUE(form.TWDetalleContactosVisible);
    EXPECT_EQ(form.LBContactos.Items,
              (std::vector<std::string>{"1. 2024 mar 5: Ven (T) 0° Lun (N). 85.50% (pp:7.30)",
                                        "2. 2024 mar 5: Sat (T) 120° Sol (N). 50.00% (pp:3.00)",
                                        "3. 2024 mar 5: Mar (T) 90° Sol (N). 40.00% (pp:2.00)"}));
    EXPECT_EQ(form.RGSortContactoCaption, "Ord. por: [3 : 12.30]");
    // The first row is chosen and its detail shown.
    EXPECT_TRUE(form.LBContactos.IsSelected(0));
    EXPECT_EQ(form.Detalle.LabelDetAspNatal, "Ven en trán.        0°        Lun natal");
    EXPECT_FALSE(form.Actualizando);

    form.RGSortContactoClick(1);
    EXPECT_EQ(form.LBContactos.Items[1].rfind("2. 2024 mar 5: Sat", 0), 0u);
    form.SBViewAllClick(2);  // "40-80": 40 itself is not in it
    EXPECT_EQ(form.LBContactos.Count(), 1);
    form.SBViewAllClick(1);  // "0-40"
    EXPECT_EQ(form.LBContactos.Items,
              std::vector<std::string>{"1. 2024 mar 5: Mar (T) 90° Sol (N). 40.00% (pp:2.00)"});
    // The selection of the filters applies; the range does not.
    form.SBViewAllClick(0);
    form.LBItemNat.SetSelected(form.LBItemNat.IndexOf("Lun"), true);
    form.LBItemNatClick(1);  // reweighs, and so relists
    EXPECT_EQ(form.LBContactos.Count(), 1);
    form.SBPerAllClick(19);  // December: the day is outside the range
    EXPECT_EQ(form.LBContactos.Count(), 1);
}

TEST_F(ContactosDia, ZeroWeightsShowZeroContacts) {
    form.FechaCalendario = CodificarFecha(2024, 5, 10);
    form.SBViewContactoClick(true);
    EXPECT_EQ(form.LBContactos.Count(), 1);
    EXPECT_EQ(form.RGSortContactoCaption, "Ord. por: [0 : 0.00]");
    form.FechaCalendario = CodificarFecha(2024, 5, 11);
    form.SBViewAllClick(0);
    EXPECT_EQ(form.LBContactos.Count(), 0);
    EXPECT_EQ(form.Detalle.MemoArq,
              std::vector<std::string>{"-para ampliar arquetipo selecciona contacto-"});
    EXPECT_EQ(form.Detalle.LabelTipoNatal, "tu");
}

TEST_F(ContactosDia, ChoosingTheDayThreeWays) {
    // The calendar: the day's weight and the distance to the reference.
    form.MonthCalendar1Click(CodificarFecha(2024, 3, 5));
    EXPECT_EQ(form.Graficos.ChartDia.Titulo, "[ 2024-03-5 : 12.3 ] -0 años 2 mes 5 días");
    form.MonthCalendar1Click(CodificarFecha(2024, 3, 7));  // no weight that day
    EXPECT_EQ(form.Graficos.ChartDia.Titulo, "");

    // The weighted-days list: reweighs without touching the list.
    const auto filas = form.LBFechaPP.Textos();
    form.LBFechaPPClick();  // no row selected: nothing
    EXPECT_EQ(form.FechaCalendario, CodificarFecha(2024, 3, 7));
    form.LBFechaPP.SetSelected(2, true);
    form.LBFechaPP.ItemIndex = 2;
    form.LBFechaPPClick();
    EXPECT_EQ(form.FechaCalendario, CodificarFecha(2024, 5, 10));
    EXPECT_EQ(form.Graficos.ChartDia.Titulo, "0 años 0 mes 0 días");
    EXPECT_EQ(form.LBFechaPP.Textos(), filas);
    EXPECT_TRUE(form.LBFechaPP.IsSelected(2));

    // The daily chart: a left click adds the bar's label and value.
    form.ChartDiaClickSeries(0, 0, TFormVarnolt::BotonRaton::Izquierdo, false, false, false);
    EXPECT_EQ(form.FechaCalendario, CodificarFecha(2024, 3, 5));
    EXPECT_EQ(form.Graficos.ChartDia.Titulo, "[ 2024-03-05 : 12.3 ] -0 años 2 mes 5 días");
    form.ChartDiaClickSeries(0, 1, TFormVarnolt::BotonRaton::Izquierdo, false, true, false);
    EXPECT_EQ(form.Graficos.ChartDia.Titulo, "-0 años 2 mes 4 días");
    EXPECT_EQ(form.FechaCalendario, CodificarFecha(2024, 3, 6));
}

}  // namespace
}  // namespace varnolt
