// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include "analysis/Grupos.h"
#include "app/FormVarnolt.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

using prueba::Contacto;

class Filtros : public ::testing::Test {
  protected:
    Filtros() : form(ventana) {
        form.CargarAgendas({carpeta.Agenda(
            "a.csv", std::vector<Contacto>{{"2024-1-1", "Sol", "Mar", 90, "1"},
                                           {"2024-1-2", "Mer", "Ven", 0, "2"},
                                           {"2024-1-3", "PrT", "Sol", 20, "4"},
                                           {"2024-1-4", "C05", "Júp", 40, "8"},
                                           {"2024-1-5", "Ven", "Sat", 180, "16"}})});
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

TEST_F(Filtros, ClickingRowsRestrictsTheWeighting) {
    EXPECT_DOUBLE_EQ(PesoTotal(), 31);  // nothing selected: everything counts
    form.LBItemNat.SetSelected(form.LBItemNat.IndexOf("Sol"), true);
    form.LBItemNat.SetSelected(form.LBItemNat.IndexOf("C05"), true);
    form.LBItemNatClick(1);
    EXPECT_EQ(form.Seleccion.ItemsNatSel, (std::vector<std::string>{"Sol", "C05"}));
    EXPECT_DOUBLE_EQ(PesoTotal(), 9);
    form.LBItemTra.SetSelected(form.LBItemTra.IndexOf("Júp"), true);
    form.LBItemNatClick(2);
    EXPECT_DOUBLE_EQ(PesoTotal(), 8);
    form.LBAspTra.SetSelected(0, true);  // "0"
    form.LBAspTraClick();
    EXPECT_EQ(form.Seleccion.AspectosSel, std::vector<std::string>{"0"});
    EXPECT_DOUBLE_EQ(PesoTotal(), 0);
}

TEST_F(Filtros, GroupButtonsToggleBySubstring) {
    // "Per" toggles Mer, Ven and Mar; twice restores the selection.
    form.SBItemNatAllClick(1);  // "T" adds fixed codes
    form.SBItemNatAllClick(0);  // "N" empties the list
    form.LBItemNat.SetSelected(form.LBItemNat.IndexOf("Sol"), true);
    form.LBItemNatClick(1);
    form.SPItemNat1Click(4);
    EXPECT_EQ(form.LBItemNat.SelectedItems(), (std::vector<std::string>{"Sol", "Mer", "Ven"}));
    EXPECT_EQ(form.Seleccion.ItemsNatSel, (std::vector<std::string>{"Sol", "Mer", "Ven"}));
    form.SPItemNat1Click(4);
    EXPECT_EQ(form.LBItemNat.SelectedItems(), std::vector<std::string>{"Sol"});
    EXPECT_FALSE(form.Actualizando);
    // "SP" matches "PrT" and also "C05" does not occur in it.
    form.SPItemNat1Click(1);
    EXPECT_EQ(form.LBItemNat.SelectedItems(), (std::vector<std::string>{"Mer", "PrT", "Ven"}));
    // A row that occurs only inside a longer code still matches.
    TListBox lista;
    lista.Add("Nod");
    lista.Add("S");
    lista.Add("");
    AlternarGrupo(lista, GrupoTransito(5));  // "Nod,Lil,NodS,…"
    EXPECT_EQ(lista.Selected, (std::vector<std::uint8_t>{1, 1, 0}));
}

TEST_F(Filtros, NatalAndTransitAllAndNone) {
    form.SBItemNatAllClick(1);
    EXPECT_EQ(form.LBItemNat.SelCount(), form.LBItemNat.Count());
    EXPECT_EQ(form.Seleccion.ItemsNatSel.size(), 38u);
    EXPECT_DOUBLE_EQ(PesoTotal(), 27);  // "PrT" is not among the fixed codes
    form.Seleccion.ItemsNatSel = {"PrT"};
    form.SBItemNatAllClick(1);  // natal "T" does not empty the list first
    EXPECT_EQ(form.Seleccion.ItemsNatSel.size(), 39u);
    EXPECT_DOUBLE_EQ(PesoTotal(), 31);
    form.SBItemNatAllClick(0);
    EXPECT_TRUE(form.Seleccion.ItemsNatSel.empty());
    EXPECT_EQ(form.LBItemNat.SelCount(), 0);

    form.Seleccion.ItemsTraSel = {"PrT"};
    form.SBItemTraAllClick(1);  // transit "T" empties it first
    EXPECT_EQ(form.Seleccion.ItemsTraSel.size(), 26u);
    EXPECT_EQ(form.Seleccion.ItemsTraSel.front(), "Sol");
    form.SBItemTraAllClick(0);
    EXPECT_TRUE(form.Seleccion.ItemsTraSel.empty());
}

TEST_F(Filtros, AngleButtons) {
    auto filas = [&] { return form.LBAspTra.SelectedItems(); };
    form.SBAllAspTraClick(4);  // "Mul.30"
    EXPECT_EQ(filas(),
              (std::vector<std::string>{"0", "180", "120", "90", "60", "150", "40", "30"}));
    form.SBAllAspTraClick(2);
    EXPECT_TRUE(filas().empty());
    EXPECT_TRUE(form.Seleccion.AspectosSel.empty());
    form.SBAllAspTraClick(3);  // "May."
    form.SBAllAspTraClick(9);  // "NO May."
    EXPECT_EQ(filas().size(), 19u);
    EXPECT_EQ(form.Seleccion.AspectosSel.size(), 19u);
    EXPECT_DOUBLE_EQ(PesoTotal(), 27);  // the angle 20 is not among the rows
    // After "T", a Ctrl-click clearing one row leaves 18 angles.
    form.SBAllAspTraClick(1);
    form.LBAspTra.SetSelected(5, false);
    form.LBAspTraClick();
    EXPECT_EQ(form.Seleccion.AspectosSel.size(), 18u);
    form.SBAllAspTraClick(5);  // "Mult.15" toggles "40" too
    EXPECT_FALSE(form.LBAspTra.IsSelected(14));
    form.SBAllAspTraClick(7);  // "Exót."
    EXPECT_TRUE(form.LBAspTra.IsSelected(14));
}

TEST_F(Filtros, HouseButtonsOnlyAnnounce) {
    const auto antes = form.Ponderacion.TotalesDia.size();
    const auto refrescos = ventana.refrescos.size();
    form.SBC1Click(9);
    ASSERT_EQ(ventana.informaciones.size(), 1u);
    EXPECT_EQ(ventana.informaciones[0],
              "Próximamente selección automática de los items relacionados para la casa 9.\r\r"
              "Regentes, ocupantes y aspectos a cúspide");
    EXPECT_EQ(form.Ponderacion.TotalesDia.size(), antes);
    EXPECT_EQ(ventana.refrescos.size(), refrescos);
}

TEST_F(Filtros, ArchetypeRowsFollowTheItemLists) {
    form.LBArqTra.AddTermino("El gran benéfico", {"Jup", "El gran benéfico"});
    form.LBArqTra.AddTermino("La acción", {"Mar", "La acción"});
    form.LBItemTra.SetSelected(form.LBItemTra.IndexOf("Júp"), true);
    form.LBItemNatClick(2);
    EXPECT_EQ(form.LBArqTra.Selected, (std::vector<std::uint8_t>{1, 0}));
}

}  // namespace
}  // namespace varnolt
