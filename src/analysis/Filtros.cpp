// SPDX-License-Identifier: AGPL-3.0-or-later
// Handlers of the natal item, transit item and angle lists and their buttons.
#include "analysis/Grupos.h"
#include "app/FormVarnolt.h"
#include "app/Formato.h"

namespace varnolt {
namespace {

void Rellenar(std::vector<std::string>& seleccion, const TListBox& lista) {
    seleccion = lista.SelectedItems();
}

}  // namespace

void TFormVarnolt::LBItemNatClick(int tag) {
    if (Actualizando) {
        return;
    }
    if (tag == 1) {
        Rellenar(Seleccion.ItemsNatSel, LBItemNat);
        ReflejarSeleccionArq(LBArqNat, LBItemNat);
    } else {
        Rellenar(Seleccion.ItemsTraSel, LBItemTra);
        ReflejarSeleccionArq(LBArqTra, LBItemTra);
    }
    SetTendenciasItems(true);
}

void TFormVarnolt::LBAspTraClick() {
    if (Actualizando) {
        return;
    }
    Rellenar(Seleccion.AspectosSel, LBAspTra);
    ReflejarSeleccionArq(LBArqAsp, LBAspTra);
    SetTendenciasItems(true);
}

void TFormVarnolt::SPItemNat1Click(int tag) {
    Actualizando = true;
    AlternarGrupo(LBItemNat, GrupoNatal(tag));
    Rellenar(Seleccion.ItemsNatSel, LBItemNat);
    ReflejarSeleccionArq(LBArqNat, LBItemNat);
    Ventana.Refrescar(Vista::Listas);
    SetTendenciasItems(true);
    Actualizando = false;
}

void TFormVarnolt::SPItemTra1Click(int tag) {
    Actualizando = true;
    AlternarGrupo(LBItemTra, GrupoTransito(tag));
    Rellenar(Seleccion.ItemsTraSel, LBItemTra);
    ReflejarSeleccionArq(LBArqTra, LBItemTra);
    Ventana.Refrescar(Vista::Listas);
    SetTendenciasItems(true);
    Actualizando = false;
}

void TFormVarnolt::SBItemNatAllClick(int tag) {
    Actualizando = true;
    const bool todos = tag == 1;
    LBItemNat.SelectAll(todos);
    if (todos) {
        // "T" adds the fixed codes to what is there, without emptying it first.
        for (std::string_view codigo : kCodigosItems) {
            Seleccion.ItemsNatSel.emplace_back(codigo);
        }
        for (std::string& casa : CodigosCasas()) {
            Seleccion.ItemsNatSel.push_back(std::move(casa));
        }
    } else {
        Seleccion.ItemsNatSel.clear();
    }
    ReflejarSeleccionArq(LBArqNat, LBItemNat);
    Ventana.Refrescar(Vista::Listas);
    SetTendenciasItems(true);
    Actualizando = false;
}

void TFormVarnolt::SBItemTraAllClick(int tag) {
    Actualizando = true;
    const bool todos = tag == 1;
    Seleccion.ItemsTraSel.clear();
    LBItemTra.SelectAll(todos);
    if (todos) {
        for (std::string_view codigo : kCodigosItems) {
            Seleccion.ItemsTraSel.emplace_back(codigo);
        }
    }
    ReflejarSeleccionArq(LBArqTra, LBItemTra);
    Ventana.Refrescar(Vista::Listas);
    SetTendenciasItems(true);
    Actualizando = false;
}

void TFormVarnolt::SBAllAspTraClick(int tag) {
    Actualizando = true;
    SeleccionarAspectos(tag);
    Ventana.Refrescar(Vista::Listas);
    SetTendenciasItems(true);
    Actualizando = false;
}

void TFormVarnolt::SeleccionarAspectos(int tag) {
    Seleccion.AspectosSel.clear();
    AplicarBotonAngulos(LBAspTra, tag);
    Rellenar(Seleccion.AspectosSel, LBAspTra);
    ReflejarSeleccionArq(LBArqAsp, LBAspTra);
}

void TFormVarnolt::SBC1Click(int tag) {
    Ventana.MostrarInformacion(
        Format("Próximamente selección automática de los items relacionados para la casa "
               "%d.%sRegentes, ocupantes y aspectos a cúspide",
               {tag, "\r\r"}));
}

void TFormVarnolt::ReflejarSeleccionArq(TListBoxArq& arq, const TListBox& items) {
    arq.SelectAll(false);
    for (int i = 0; i < items.Count(); ++i) {
        if (!items.IsSelected(i)) {
            continue;
        }
        const std::string& texto = items.Items[static_cast<size_t>(i)];
        for (int j = 0; j < arq.Count(); ++j) {
            if (arq.CodigoFila(j) == texto) {
                arq.SetSelected(j, true);
            }
        }
    }
    Ventana.Refrescar(Vista::Arquetipos);
}

}  // namespace varnolt
