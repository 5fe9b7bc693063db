// SPDX-License-Identifier: AGPL-3.0-or-later
// The daily weighting run and the peak-day handlers of the main window.
#include "analysis/Picos.h"
#include "app/FormVarnolt.h"

namespace varnolt {

void TFormVarnolt::SetTendenciasItems(bool refrescarLista) {
    Actualizando = true;
    Ponderar(Tendencias, RangoIni, RangoFin, Seleccion, Ponderacion);
    LlenarGraficos(Ponderacion, RangoIni, RangoFin, Graficos);
    Ventana.Refrescar(Vista::Graficos);
    CalcularPicos(refrescarLista);
    if (SBViewContacto) {
        CargarContactosDia();
    }
    Ventana.Refrescar(Vista::Tendencia);
    Actualizando = false;
}

void TFormVarnolt::CalcularPicos(bool refrescarLista) {
    varnolt::CalcularPicos(Ponderacion.FechasRango, ValorPico(SEValPico), CBViewMedia, Picos);
    if (refrescarLista) {
        MostrarFechasPP();
    }
    LlenarResaltado(Ponderacion.TotalesDia, Picos.FechasPico, Graficos);
    Ventana.Refrescar(Vista::Graficos);
}

void TFormVarnolt::MostrarFechasPP() {
    varnolt::MostrarFechasPP(Ponderacion.FechasRango, Picos, RGTipoFecha, RGSortFecha, HayFechas,
                             FechaMin, FechaMax, RangoIni, RangoFin, LBFechaPP, Etiquetas);
    Ventana.Refrescar(Vista::FechasPP);
}

void TFormVarnolt::RGTipoFechaClick(TipoFecha tipo) {
    RGTipoFecha = tipo;
    MostrarFechasPP();
}

void TFormVarnolt::RGSortFechaClick(OrdenFecha orden) {
    RGSortFecha = orden;
    MostrarFechasPP();
}

void TFormVarnolt::SEValPicoChange(const std::string& texto) {
    SEValPico = texto;
    SetTendenciasItems(true);
}

void TFormVarnolt::SEValPicoExit() {
    const int valor = ValorPico(SEValPico);
    const int ajustado = valor < 10 ? 10 : (valor > 100 ? 100 : valor);
    const std::string texto = std::to_string(ajustado);
    if (texto != SEValPico) {
        SEValPicoChange(texto);
    }
}

void TFormVarnolt::CBViewMediaClick(bool marcado) {
    CBViewMedia = marcado;
    SetTendenciasItems(true);
}

}  // namespace varnolt
