// SPDX-License-Identifier: AGPL-3.0-or-later
#include "analysis/Periodo.h"

#include <gtest/gtest.h>

#include "app/FormVarnolt.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

using prueba::Contacto;

TEST(Periodo, RangesOfTheNineteenCodes) {
    struct Caso {
        int codigo;
        int anio;
        int mesIni, diaIni, mesFin, diaFin;
    } casos[] = {
        {1, 2024, 1, 1, 12, 31}, {2, 2024, 1, 1, 3, 31},    {3, 2024, 4, 1, 6, 30},
        {4, 2024, 7, 1, 9, 30},  {5, 2024, 10, 1, 12, 31},  {6, 2024, 1, 1, 6, 30},
        {7, 2024, 7, 1, 12, 31}, {8, 2024, 1, 1, 1, 31},    {9, 2024, 2, 1, 2, 29},
        {9, 2023, 2, 1, 2, 28},  {9, 2000, 2, 1, 2, 29},    {9, 2100, 2, 1, 2, 28},
        {12, 2024, 5, 1, 5, 31}, {19, 2024, 12, 1, 12, 31},
    };
    for (const Caso& c : casos) {
        TFecha ini = 0;
        TFecha fin = 0;
        ASSERT_TRUE(RangoDePeriodo(c.codigo, c.anio, ini, fin)) << c.codigo;
        EXPECT_EQ(ini, CodificarFecha(c.anio, c.mesIni, c.diaIni)) << c.codigo << " " << c.anio;
        EXPECT_EQ(fin, CodificarFecha(c.anio, c.mesFin, c.diaFin)) << c.codigo << " " << c.anio;
    }
    TFecha ini = 7;
    TFecha fin = 7;
    EXPECT_FALSE(RangoDePeriodo(0, 2024, ini, fin));
    EXPECT_FALSE(RangoDePeriodo(20, 2024, ini, fin));
    EXPECT_EQ(ini, 7);
}

class SeleccionAnios : public ::testing::Test {
  protected:
    SeleccionAnios() : form(ventana) {}
    void Cargar(const std::vector<Contacto>& contactos) {
        form.CargarAgendas({carpeta.Agenda("a.csv", contactos)});
        ASSERT_TRUE(form.DataCargada);
    }
    double PesoTotal() const {
        double s = 0;
        for (const auto& d : form.Ponderacion.TotalesDia) {
            s += d.Peso;
        }
        return s;
    }

    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
};

TEST_F(SeleccionAnios, AfterLoadingTheRangeSpansWholeYears) {
    Cargar({{"2023-3-10"}, {"2024-5-5"}});
    EXPECT_EQ(form.RangoIni, CodificarFecha(2023, 1, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 12, 31));
    EXPECT_EQ(form.LBYear.SelCount(), 2);
}

TEST_F(SeleccionAnios, OneYearOfDataSetsPeriodOne) {
    Cargar({{"2024-3-10"}});
    EXPECT_EQ(form.Periodo, 1);
    EXPECT_EQ(form.RangoIni, CodificarFecha(2024, 1, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 12, 31));
    EXPECT_TRUE(form.ControlesHabilitados);
}

TEST_F(SeleccionAnios, YearsBetweenSelectedOnesCount) {
    Cargar({{"2022-6-1", "Sol", "Mar", 0, "1"},
            {"2023-6-1", "Sol", "Mar", 0, "2"},
            {"2024-6-1", "Sol", "Mar", 0, "4"}});
    form.LBYear.SelectAll(false);
    form.LBYear.SetSelected(0, true);
    form.LBYear.SetSelected(2, true);
    form.LBYear.ItemIndex = 2;
    form.LBYearClick();
    EXPECT_EQ(form.RangoIni, CodificarFecha(2022, 1, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 12, 31));
    EXPECT_DOUBLE_EQ(PesoTotal(), 7);
    // A period applies to the current year only; the list keeps its selection.
    form.SBPerAllClick(6);
    EXPECT_EQ(form.RangoIni, CodificarFecha(2024, 1, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 6, 30));
    EXPECT_EQ(form.LBYear.SelCount(), 2);
    EXPECT_EQ(form.Periodo, 6);
    // One year selected: the whole year of the current item.
    form.LBYear.SetSelected(0, false);
    form.LBYearClick();
    EXPECT_EQ(form.Periodo, 1);
    EXPECT_EQ(form.RangoIni, CodificarFecha(2024, 1, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 12, 31));
    // None selected: nothing happens.
    form.LBYear.SelectAll(false);
    form.LBYearClick();
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 12, 31));
}

TEST_F(SeleccionAnios, ClicksAreIgnoredWhileTheProgramUpdates) {
    Cargar({{"2022-6-1"}, {"2024-6-1"}});
    form.LBYear.SetSelected(0, false);
    form.Actualizando = true;
    form.LBYearClick();
    EXPECT_EQ(form.RangoIni, CodificarFecha(2022, 1, 1));
}

TEST_F(SeleccionAnios, ReapplyingFollowsTheSelection) {
    Cargar({{"2022-6-1"}, {"2024-6-1"}});
    form.SBPerAllClick(8);  // "Ene" of the first row, 2022
    EXPECT_EQ(form.RangoFin, CodificarFecha(2022, 1, 31));
    form.RangoIni = form.RangoFin = 1;  // a day was chosen in the chart
    form.ReaplicarSeleccion();          // several years selected: the years
    EXPECT_EQ(form.RangoIni, CodificarFecha(2022, 1, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 12, 31));
    form.LBYear.SetSelected(0, false);
    form.LBYear.ItemIndex = 1;
    form.Periodo = 9;
    form.ReaplicarSeleccion();  // one year: its period
    EXPECT_EQ(form.RangoIni, CodificarFecha(2024, 2, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 2, 29));
}

}  // namespace
}  // namespace varnolt
