// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/FormVarnolt.h"

#include <chrono>

#include "analysis/Grupos.h"

namespace varnolt {

TFormVarnolt::TFormVarnolt(IVentana& ventana) : Ventana(ventana) {
    LBYear.Sorted = true;
    LBItemNat.Tag = 1;
    LBItemTra.Tag = 2;
    LBAspTra.Tag = 3;
    LBArqNat.Tag = 1;
    LBArqTra.Tag = 2;
    LBArqAsp.Tag = 3;
    for (std::string_view angulo : kAngulosAspTra) {
        LBAspTra.Add(std::string(angulo));
    }
    RelojMs = [] {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    };
}

void TFormVarnolt::HabilitarControles(bool on) {
    ControlesHabilitados = on;
    if (on) {
        BotonPeriodo = 1;
        // The calendar and the reference date move into the loaded data when
        // they lie outside it (they start on today).
        if (FechaMin > 0 && FechaMax >= FechaMin) {
            for (TFecha* f : {&FechaCalendario, &FechaReferencia}) {
                if (*f < FechaMin || *f > FechaMax) {
                    *f = FechaMin;
                }
            }
        }
    }
    PanelChartDiaVisible = on;
    PanelGraphsVisible = on && !SBViewTends;
    ChartsItemsVisible = on && !SBViewTends;
    PanelInfoArqVisible = on && SBViewArq && !ArchivosInfo.empty();
    Ventana.Refrescar(Vista::Controles);
}

void TFormVarnolt::AjustarPaneles() {
    PanelInfoArqVisible = SBViewArq && !ArchivosInfo.empty();
    // The item charts' panel shows unless "Tend." keeps only the trends.
    PanelGraphsVisible = !SBViewTends;
    Ventana.Refrescar(Vista::Controles);
}

void TFormVarnolt::SBInfoDataClick() {
    Ventana.MostrarMensaje(InfoData);
}

void TFormVarnolt::SBViewArqClick(bool down) {
    SBViewArq = down;
    AjustarPaneles();
}

void TFormVarnolt::SBViewTendsClick(bool down) {
    SBViewTends = down;
    PanelGraphsVisible = !down;
    // Releasing "Tend." brings the item charts back whenever the data
    // controls are on, whatever period or year was chosen meanwhile.
    ChartsItemsVisible = ControlesHabilitados && !down;
    Ventana.Refrescar(Vista::Controles);
}

void TFormVarnolt::SBMaxAxisOrdClick(bool down) {
    SBMaxAxisOrd = down;
    if (!down) {
        EjeDiaMaximo = Picos.PPMaxGlobal;
    }
    Ventana.Refrescar(Vista::Graficos);
}

}  // namespace varnolt
