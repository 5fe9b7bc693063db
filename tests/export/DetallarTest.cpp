// SPDX-License-Identifier: AGPL-3.0-or-later
// "Detallar" through the main window's core: the run, its lines,
// the filter restore, the enabled state, and the one-pass way of finding the
// pairs' days against the pair-by-pair way of the original.
#include <gtest/gtest.h>

#include <iostream>
#include <stdexcept>

#include "app/Regional.h"
#include "export/ExportPrueba.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

using prueba::ContactoPos;

std::string Fecha(int d, int m = 1, int a = 2024) {
    return std::to_string(a) + "-" + std::to_string(m) + "-" + std::to_string(d);
}

// Júpiter square natal Sol, Júpiter in Taurus, every day from 5 January to
// 10 February 2024, heaviest on 20 January: the example.
std::vector<ContactoPos> Ejemplo() {
    std::vector<ContactoPos> r;
    const TFecha ini = CodificarFecha(2024, 1, 5);
    for (TFecha f = ini; f <= CodificarFecha(2024, 2, 10); ++f) {
        const FechaCivil c = DecodificarFecha(f);
        ContactoPos x;
        x.fecha = Fecha(c.dia, c.mes, c.anio);
        x.peso = f == CodificarFecha(2024, 1, 20) ? 5 : 1;
        r.push_back(x);
    }
    return r;
}

class Detallar : public ::testing::TestWithParam<bool> {
  protected:
    Detallar() : form(ventana) {
        ConfiguracionRegional().SeparadorDecimal = '.';
        form.RangosParAPar = GetParam();
    }
    void Cargar(const std::vector<ContactoPos>& contactos) {
        form.CargarAgendas({carpeta.Agenda("a.csv", prueba::LineasPos(contactos))});
        ASSERT_TRUE(form.DataCargada) << form.InfoData;
        prueba::LlenarArqDePrueba(form);
        ventana.mensajes.clear();
    }
    void Seleccionar(const std::vector<std::string>& tra, const std::vector<std::string>& nat) {
        prueba::SeleccionarArq(form.LBArqTra, tra);
        prueba::SeleccionarArq(form.LBArqNat, nat);
    }
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
};

TEST_P(Detallar, ThePartsExample) {
    Cargar(Ejemplo());
    Seleccionar({"Júp"}, {"Sol"});
    form.SBCalcTAClick();
    EXPECT_EQ(form.MemoTA,
              std::vector<std::string>{"1,6,1,90,2,2024-01-05,2024-01-20,2024-02-10,37*"});
    EXPECT_EQ(form.MemoCSV, std::vector<std::string>{"1,6,90,2,1,05/01/2024,10/02/2024,37"});
    EXPECT_EQ(form.MemoPrompt,
              std::vector<std::string>{".- Júpiter desde TAURO hace CUADRATURA (90°) a Sol natal "
                                       "desde 2024-01-05, hasta 2024-02-10."});
    EXPECT_EQ(ventana.mensajes, std::vector<std::string>{"\r1 contactos encontrados !"});
    EXPECT_TRUE(form.VentanaHabilitada);
    EXPECT_TRUE(form.SBCalcTAEnabled);
    EXPECT_TRUE(form.SBCopyPromptEnabled);
    EXPECT_TRUE(form.SBPromptCSVEnabled);
    EXPECT_FALSE(form.Actualizando);

    // "Copiar" puts the prompt lines on the clipboard.
    form.SBCopyPromptClick();
    ASSERT_EQ(ventana.portapapeles.size(), 1u);
    EXPECT_EQ(ventana.portapapeles[0], form.MemoPrompt[0] + "\n");
    EXPECT_EQ(ventana.mensajes.back(), "\rContactos copiados en memoria !");
    form.SBTACopyClick();
    EXPECT_EQ(ventana.portapapeles.back(), form.MemoTA[0] + "\n");

    // The CSV window turns the range data line into the report.
    form.FechaCalendario = CodificarFecha(2024, 1, 10);
    form.CBTipoTransitoChange(2);
    EXPECT_EQ(form.MemoResultados,
              (std::vector<std::string>{
                  "no,Planeta Tránsito,Signo,Aspecto,Planeta Natal,Fecha Inicio,Fecha Fin,Duración",
                  "1,Júpiter,Tauro,Cuadratura,Sol,05/01/24,10/02/24,37"}));
    EXPECT_EQ(form.MemoInfo, (std::vector<std::string>{"Semana de 08/01/2024 a 14/01/2024",
                                                       "Contactos de: Júp, Sat, Ura, Nep, Plu, "
                                                       "Nodos, Lil y Qui",
                                                       "1 contactos encontrados."}));
    EXPECT_EQ(form.NombreCSV, "_tránsitos_NO_rápidos_semana_2024-01-08_2024-01-14.csv");
    form.CBTipoReporteChange(0);
    EXPECT_EQ(form.NombreCSV, "_tránsitos_NO_rápidos2024-01-05_2024-02-10.csv");
    EXPECT_EQ(form.MemoResultados.size(), 2u);
    form.CBTipoTransitoChange(1);
    EXPECT_EQ(form.MemoResultados.size(), 1u);
    EXPECT_EQ(form.MemoInfo.back(),
              "No se encontraron contactos para los criterios especificados.");
}

TEST_P(Detallar, RangesOfPairsComeOutMixedByFirstDay) {
    std::vector<ContactoPos> c;
    for (int d = 10; d <= 14; ++d) {
        c.push_back({Fecha(d), "Sol", "Mar", 0, 1, 200});
    }
    for (int d = 1; d <= 5; ++d) {
        c.push_back({Fecha(d), "Sol", "Júp", 90, 1, 45});
    }
    for (int d = 3; d <= 8; ++d) {
        c.push_back({Fecha(d), "C05", "Mar", 120, d == 6 ? 2.0 : 1.0, 15});
    }
    for (int d = 20; d <= 22; ++d) {  // three days: no range
        c.push_back({Fecha(d), "Lun", "Júp", 90, 1, 45});
    }
    // The loader sorts the contacts by date.
    Cargar(c);
    Seleccionar({}, {});  // every row
    form.SBCalcTAClick();
    EXPECT_EQ(form.MemoCSV, (std::vector<std::string>{"1,6,90,2,1,01/01/2024,05/01/2024,5",
                                                      "2,5,120,1,0,03/01/2024,08/01/2024,6",
                                                      "3,5,0,7,1,10/01/2024,14/01/2024,5"}));
    EXPECT_EQ(form.MemoTA[1], "2,5,0,120,1,2024-01-03,2024-01-06,2024-01-08,6*");
    EXPECT_EQ(form.MemoPrompt[1],
              ".- Marte desde ARIES hace TRIGONO (120°) a Casa 5 natal desde 2024-01-03, hasta "
              "2024-01-08.");
    EXPECT_EQ(form.MemoPrompt[2],
              ".- Marte desde LIBRA hace CONJUNCIÓN (0°) a Sol natal desde 2024-01-10, hasta "
              "2024-01-14.");
    EXPECT_EQ(ventana.mensajes.back(), "\r3 contactos encontrados !");
    // Afterwards the filters hold exactly the archetype selection.
    EXPECT_EQ(form.Seleccion.ItemsTraSel, form.CatItemsTra);
    EXPECT_EQ(form.Seleccion.ItemsNatSel, form.CatItemsNat);
    EXPECT_EQ(form.LBItemTra.SelCount(), form.LBItemTra.Count());
    EXPECT_EQ(form.LBArqNat.SelCount(), form.LBArqNat.Count());
}

TEST_P(Detallar, NothingAtAllWithoutWeightedDays) {
    form.MemoTA = {"x"};
    form.MemoCSV = {"y"};
    form.MemoPrompt = {"z"};
    form.SBCalcTAClick();  // nothing loaded
    EXPECT_TRUE(ventana.mensajes.empty());
    EXPECT_EQ(form.MemoTA, std::vector<std::string>{"x"});
    EXPECT_FALSE(form.SBCopyPromptEnabled);

    Cargar(Ejemplo());
    form.LBAspTra.SetSelected(form.LBAspTra.IndexOf("180"), true);  // no contact has it
    form.LBAspTraClick();
    ASSERT_TRUE(form.Ponderacion.FechasRango.empty());
    Seleccionar({}, {});
    ventana.refrescos.clear();
    form.SBCalcTAClick();
    EXPECT_TRUE(ventana.mensajes.empty());
    EXPECT_TRUE(ventana.refrescos.empty());
    EXPECT_EQ(form.MemoCSV, std::vector<std::string>{"y"});
    EXPECT_EQ(form.MemoPrompt, std::vector<std::string>{"z"});
    EXPECT_FALSE(form.SBPromptCSVEnabled);
}

TEST_P(Detallar, EmptyArchetypeSelectionReportsZeroAndLeavesTheFilters) {
    Cargar(Ejemplo());
    form.LBItemNat.SetSelected(form.LBItemNat.IndexOf("Sol"), true);
    form.LBItemNatClick(1);
    form.MemoTA = {"x"};
    form.MemoCSV = {"y"};
    form.MemoPrompt = {"z"};
    Seleccionar({"Nada"}, {});  // no transit row selected
    const auto ponderadas = form.Ponderacion.FechasRango.size();
    form.SBCalcTAClick();
    EXPECT_TRUE(form.MemoTA.empty());
    EXPECT_TRUE(form.MemoCSV.empty());
    EXPECT_TRUE(form.MemoPrompt.empty());
    // The count, and what to choose.
    EXPECT_EQ(ventana.mensajes, std::vector<std::string>{
                                    std::string("\r0 contactos encontrados !") + kEligaArquetipos});
    EXPECT_EQ(form.Seleccion.ItemsNatSel, std::vector<std::string>{"Sol"});
    EXPECT_TRUE(form.Seleccion.ItemsTraSel.empty());
    EXPECT_EQ(form.Ponderacion.FechasRango.size(), ponderadas);
    EXPECT_TRUE(form.SBCopyPromptEnabled);
    EXPECT_TRUE(form.SBPromptCSVEnabled);
    EXPECT_TRUE(form.VentanaHabilitada);

    // "Copiar" with nothing to copy leaves the user's clipboard alone and
    // says so in the standard box (the message window is for what it copied).
    ventana.mensajes.clear();
    form.SBCopyPromptClick();
    EXPECT_TRUE(ventana.portapapeles.empty());
    EXPECT_TRUE(ventana.mensajes.empty());
    EXPECT_EQ(ventana.informaciones, std::vector<std::string>{kNadaQueCopiar});
}

TEST_P(Detallar, FiltersAreRestoredToTheArchetypeSelection) {
    auto c = Ejemplo();
    c.push_back({Fecha(11, 2), "Lun", "Mar", 0, 1, 100});
    c.push_back({Fecha(12, 2), "Lun", "Mar", 90, 1, 100});
    Cargar(c);
    // A user filter on the natal items and the angles before the run.
    form.LBItemNat.SetSelected(form.LBItemNat.IndexOf("Lun"), true);
    form.LBItemNatClick(1);
    form.LBAspTra.SetSelected(form.LBAspTra.IndexOf("90"), true);
    form.LBAspTraClick();
    Seleccionar({"Júp"}, {"Sol"});
    form.SBCalcTAClick();
    EXPECT_EQ(form.MemoCSV.size(), 1u);
    EXPECT_EQ(form.Seleccion.ItemsTraSel, std::vector<std::string>{"Júp"});
    EXPECT_EQ(form.Seleccion.ItemsNatSel, std::vector<std::string>{"Sol"});
    EXPECT_EQ(form.Seleccion.AspectosSel, std::vector<std::string>{"90"});
    EXPECT_EQ(form.LBItemTra.SelectedItems(), std::vector<std::string>{"Júp"});
    EXPECT_EQ(form.LBItemNat.SelectedItems(), std::vector<std::string>{"Sol"});
    EXPECT_EQ(form.LBArqTra.SelCount(), 1);
    EXPECT_EQ(form.LBArqNat.SelCount(), 1);
    EXPECT_EQ(form.Ponderacion.FechasRango.size(), 37u);
    EXPECT_FALSE(form.Actualizando);
}

TEST_P(Detallar, JupKeysAndAnglesThatCannotBeRead) {
    Cargar(Ejemplo());
    // An archetype file that writes Jupiter "Jup".
    form.LBArqTra.Clear();
    form.LBArqTra.AddTermino("Júpiter", {"Jup", "Júpiter"});
    Seleccionar({"Júp"}, {"Sol"});
    form.LBArqAsp.Clear();  // no angle rows: the contact's own angle
    form.SBCalcTAClick();
    EXPECT_EQ(form.MemoCSV, std::vector<std::string>{"1,6,90,2,1,05/01/2024,10/02/2024,37"});
    EXPECT_EQ(form.Seleccion.ItemsTraSel, std::vector<std::string>{"Júp"});
    EXPECT_EQ(form.LBArqTra.SelCount(), 1);
    // A row whose text holds no angle: the contact's own angle again.
    form.LBArqAsp.AddTermino("Cuadratura", {"90", "Cuadratura"});
    EXPECT_EQ(form.GetAspSignoDia(CodificarFecha(2024, 1, 20), "Júp", "Sol"), "90,2");
    // A row whose text names an angle: that angle.
    form.LBArqAsp.Clear();
    form.LBArqAsp.AddTermino("Otra (60°)", {"90", "Otra (60°)"});
    EXPECT_EQ(form.GetAspSignoDia(CodificarFecha(2024, 1, 20), "Jup", "Sol"), "60,2");
    EXPECT_EQ(form.GetAspSignoDia(CodificarFecha(2024, 1, 20), "Sol", "Júp"), "-");
    EXPECT_EQ(form.GetAspSignoDia(CodificarFecha(2024, 3, 1), "Júp", "Sol"), "-");
}

TEST_P(Detallar, TheWindowIsDisabledDuringTheRunAndEnabledAfterAFailure) {
    struct Espia : prueba::VentanaFalsa {
        TFormVarnolt* form = nullptr;
        bool fallar = false;
        std::vector<bool> habilitada;
        void ProcesarMensajes() override {
            habilitada.push_back(form->VentanaHabilitada || form->SBCalcTAEnabled);
            if (fallar) {
                throw std::runtime_error("fallo");
            }
        }
    } espia;
    TFormVarnolt f(espia);
    f.RangosParAPar = GetParam();
    espia.form = &f;
    f.CargarAgendas({carpeta.Agenda("a.csv", prueba::LineasPos(Ejemplo()))});
    prueba::LlenarArqDePrueba(f);
    prueba::SeleccionarArq(f.LBArqTra, {"Júp"});
    prueba::SeleccionarArq(f.LBArqNat, {"Sol"});
    espia.habilitada.clear();
    f.SBCalcTAClick();
    EXPECT_EQ(espia.habilitada, std::vector<bool>{false});  // once per pair
    EXPECT_TRUE(f.VentanaHabilitada);
    EXPECT_TRUE(f.SBCalcTAEnabled);

    espia.fallar = true;
    espia.mensajes.clear();
    EXPECT_THROW(f.SBCalcTAClick(), std::runtime_error);
    EXPECT_TRUE(f.VentanaHabilitada);
    EXPECT_TRUE(f.SBCalcTAEnabled);
    EXPECT_FALSE(f.Actualizando);
    EXPECT_TRUE(espia.mensajes.empty());
}

TEST_P(Detallar, ToggleButtonsAndWindows) {
    form.SBTAViewClick(true);
    EXPECT_TRUE(form.TWPromptContactsVisible);
    form.TWPromptContactsClose();
    EXPECT_FALSE(form.TWPromptContactsVisible);
    EXPECT_FALSE(form.SBTAViewDown);
    form.SBPromptCSVClick(true);
    EXPECT_TRUE(form.TWCSVVisible);
    form.SBPromptCSVClick(false);
    EXPECT_FALSE(form.TWCSVVisible);
    form.SBPromptCSVClick(true);
    form.TWCSVClose();
    EXPECT_FALSE(form.SBPromptCSVDown);
    EXPECT_FALSE(form.TWCSVVisible);
    EXPECT_TRUE(form.CBMTAWrap);
    EXPECT_FALSE(form.MemoTAWordWrap);
    form.CBMTAWrapClick(false);
    EXPECT_TRUE(form.MemoTAWordWrap);
    EXPECT_EQ(form.CBTipoTransito, 1);
    EXPECT_EQ(form.CBTipoReporte, 1);
    EXPECT_EQ(form.FechaCalendario, Hoy());
}

TEST_P(Detallar, ClearingTheDataKeepsTheTechnicalAndDataLines) {
    Cargar(Ejemplo());
    Seleccionar({"Júp"}, {"Sol"});
    form.SBCalcTAClick();
    form.SBPromptCSVClick(true);
    form.BtnGenCSVClick();
    form.LimpiarData();
    EXPECT_TRUE(form.MemoPrompt.empty());
    EXPECT_TRUE(form.MemoInfo.empty());
    EXPECT_TRUE(form.MemoResultados.empty());
    EXPECT_EQ(form.MemoTA.size(), 1u);
    EXPECT_EQ(form.MemoCSV.size(), 1u);
    EXPECT_FALSE(form.SBPromptCSVEnabled);
    EXPECT_FALSE(form.TWCSVVisible);
}

INSTANTIATE_TEST_SUITE_P(Modos, Detallar, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) {
                             return i.param ? std::string("ParAPar") : std::string("UnaPasada");
                         });

// ---- One pass against pair by pair, over the sample agendas -----------------

struct Estado {
    std::vector<std::string> ta, csv, prompt, mensajes;
    TSeleccion seleccion;
    std::vector<std::uint8_t> selTra, selNat, selArqTra, selArqNat;
    std::vector<std::pair<TFecha, double>> dias;
    double ppMaxGlobal = 0;
    TFecha fechaPPMaxGlobal = 0;
    std::vector<std::string> fechasPP;
};

using Preparar = std::function<void(TFormVarnolt&)>;

Estado Correr(bool parAPar, const std::vector<std::string>& agendas, const Preparar& preparar) {
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    form.RangosParAPar = parAPar;
    form.CargarAgendas(agendas);
    EXPECT_TRUE(form.DataCargada);
    prueba::LlenarArqDePrueba(form);
    preparar(form);
    ventana.mensajes.clear();
    form.SBCalcTAClick();
    Estado e;
    e.ta = form.MemoTA;
    e.csv = form.MemoCSV;
    e.prompt = form.MemoPrompt;
    e.mensajes = ventana.mensajes;
    e.seleccion = form.Seleccion;
    e.selTra = form.LBItemTra.Selected;
    e.selNat = form.LBItemNat.Selected;
    e.selArqTra = form.LBArqTra.Selected;
    e.selArqNat = form.LBArqNat.Selected;
    for (const auto& d : form.Ponderacion.FechasRango) {
        e.dias.emplace_back(d.Fecha, d.Peso);
    }
    e.ppMaxGlobal = form.Picos.PPMaxGlobal;
    e.fechaPPMaxGlobal = form.Picos.FechaPPMaxGlobal;
    e.fechasPP = form.LBFechaPP.Textos();
    return e;
}

void Comparar(const std::vector<std::string>& agendas, const Preparar& preparar,
              size_t minimoRangos) {
    ConfiguracionRegional().SeparadorDecimal = '.';
    const Estado a = Correr(false, agendas, preparar);
    const Estado b = Correr(true, agendas, preparar);
    EXPECT_GE(a.csv.size(), minimoRangos);
    std::cout << "[          ] " << a.csv.size() << " rangos\n";
    EXPECT_EQ(a.ta, b.ta);
    EXPECT_EQ(a.csv, b.csv);
    EXPECT_EQ(a.prompt, b.prompt);
    EXPECT_EQ(a.mensajes, b.mensajes);
    EXPECT_EQ(a.seleccion.ItemsTraSel, b.seleccion.ItemsTraSel);
    EXPECT_EQ(a.seleccion.ItemsNatSel, b.seleccion.ItemsNatSel);
    EXPECT_EQ(a.seleccion.AspectosSel, b.seleccion.AspectosSel);
    EXPECT_EQ(a.selTra, b.selTra);
    EXPECT_EQ(a.selNat, b.selNat);
    EXPECT_EQ(a.selArqTra, b.selArqTra);
    EXPECT_EQ(a.selArqNat, b.selArqNat);
    EXPECT_EQ(a.dias, b.dias);
    EXPECT_EQ(a.ppMaxGlobal, b.ppMaxGlobal);
    EXPECT_EQ(a.fechaPPMaxGlobal, b.fechaPPMaxGlobal);
    EXPECT_EQ(a.fechasPP, b.fechasPP);
}

void SeleccionarFila(TListBox& lista, const std::string& texto) {
    const int i = lista.IndexOf(texto);
    ASSERT_GE(i, 0) << texto;
    lista.SetSelected(i, true);
}

TEST(UnaPasada, SameLinesAsPairByPairWithEveryPair) {
    Comparar(
        {prueba::Muestra("muestra_2024.csv")},
        [](TFormVarnolt& f) {
            prueba::SeleccionarArq(f.LBArqTra, {});
            prueba::SeleccionarArq(f.LBArqNat, {});
        },
        100);
}

TEST(UnaPasada, SameLinesUnderAPeriodAndAngles) {
    Comparar(
        {prueba::Muestra("muestra_2024.csv")},
        [](TFormVarnolt& f) {
            f.SBPerAllClick(9);  // February
            for (const char* a : {"0", "90", "180"}) {
                SeleccionarFila(f.LBAspTra, a);
            }
            f.LBAspTraClick();
            prueba::SeleccionarArq(f.LBArqTra, {});
            prueba::SeleccionarArq(f.LBArqNat, {});
        },
        10);
}

TEST(UnaPasada, SameLinesWithTwoAgendasAndAUserFilter) {
    Comparar(
        {prueba::Muestra("muestra_2024.csv"), prueba::Muestra("muestra_b_2025.csv")},
        [](TFormVarnolt& f) {
            f.SBPerAllClick(2);  // first quarter of the current year
            SeleccionarFila(f.LBItemNat, "Ven");
            f.LBItemNatClick(1);
            prueba::SeleccionarArq(f.LBArqTra, {"Lun", "Mar", "Ven", "Plu", "Nep"});
            prueba::SeleccionarArq(f.LBArqNat, {});
        },
        10);
}

TEST(UnaPasada, SameLinesWhenAKeyMatchesNoListText) {
    // A key that differs from the list text in case selects nothing in the
    // item list: the weighting then restricts nothing on that side. "Jup"
    // reads as "Júp".
    Comparar(
        {prueba::Muestra("muestra_2024.csv")},
        [](TFormVarnolt& f) {
            f.LBArqTra.AddTermino("Sol en mayúsculas", {"SOL", "Sol en mayúsculas"});
            f.LBArqTra.AddTermino("Jup", {"Jup", "Jup"});
            f.LBArqNat.AddTermino("Luna en mayúsculas", {"LUN", "Luna en mayúsculas"});
            prueba::SeleccionarArq(f.LBArqTra, {"SOL", "Júp", "Mar"});
            prueba::SeleccionarArq(f.LBArqNat, {"LUN", "Sol", "C01"});
            f.LBYear.SelectAll(false);
            f.LBYear.SetSelected(0, true);
            f.LBYear.ItemIndex = 0;
            f.LBYearClick();
        },
        10);
}

}  // namespace
}  // namespace varnolt
