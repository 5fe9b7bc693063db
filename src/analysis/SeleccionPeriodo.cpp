// SPDX-License-Identifier: AGPL-3.0-or-later
// Handlers of the year list and the period buttons.
#include "agenda/LectorAgenda.h"
#include "analysis/Periodo.h"
#include "app/FormVarnolt.h"

namespace varnolt {

void TFormVarnolt::SBPerAllClick(int codigo) {
    Periodo = codigo;
    BotonPeriodo = codigo;
    AplicarPeriodo();
}

void TFormVarnolt::AplicarPeriodo() {
    // With no current year (nothing but header lines loaded) there is no year
    // to apply the period to: the range stays as it is.
    // A list nobody has clicked yet has its first row as the current one.
    const int actual = LBYear.ItemIndex < 0 && LBYear.Count() > 0 ? 0 : LBYear.ItemIndex;
    std::int32_t anio = 0;
    if (actual >= 0 && actual < LBYear.Count() &&
        LeerEntero(LBYear.Items[static_cast<size_t>(actual)], anio)) {
        TFecha ini = 0;
        TFecha fin = 0;
        if (RangoDePeriodo(Periodo, anio, ini, fin)) {
            RangoIni = ini;
            RangoFin = fin;
            if (Periodo == 1) {
                HabilitarControles(true);
            }
        }
    }
    SetTendenciasItems(true);
}

void TFormVarnolt::LBYearClick() {
    if (Actualizando) {
        return;
    }
    const int seleccionados = LBYear.SelCount();
    if (seleccionados > 1) {
        int primero = -1;
        int ultimo = -1;
        for (int i = 0; i < LBYear.Count(); ++i) {
            if (LBYear.IsSelected(i)) {
                if (primero < 0) {
                    primero = i;
                }
                ultimo = i;
            }
        }
        std::int32_t a1 = 0;
        std::int32_t a2 = 0;
        if (LeerEntero(LBYear.Items[static_cast<size_t>(primero)], a1) &&
            LeerEntero(LBYear.Items[static_cast<size_t>(ultimo)], a2) && EsFechaValida(a1, 1, 1) &&
            EsFechaValida(a2, 12, 31)) {
            RangoIni = CodificarFecha(a1, 1, 1);
            RangoFin = CodificarFecha(a2, 12, 31);
        }
        BotonPeriodo = 1;
        Ventana.Refrescar(Vista::Controles);
        SetTendenciasItems(true);
    } else if (seleccionados == 1) {
        Periodo = 1;
        BotonPeriodo = 1;
        AplicarPeriodo();
    }
}

void TFormVarnolt::BBAllYearClick() {
    Actualizando = true;
    LBYear.SelectAll(true);
    Ventana.Refrescar(Vista::Listas);
    Actualizando = false;
    LBYearClick();
}

void TFormVarnolt::ReaplicarSeleccion() {
    if (LBYear.SelCount() == 1) {
        AplicarPeriodo();
    } else {
        LBYearClick();
    }
}

}  // namespace varnolt
