// SPDX-License-Identifier: AGPL-3.0-or-later
// Handlers of the contacts-of-the-day window, the contact detail and the
// three ways of choosing a day (calendar, weighted-days list, daily chart).
#include <algorithm>

#include "agenda/LectorAgenda.h"
#include "app/FormVarnolt.h"
#include "app/Formato.h"

namespace varnolt {

namespace {
constexpr int kAnchoPanelContactosDiaL = 395;
}

int TFormVarnolt::AnchoDetalleContactos() const {
    return SBDetalleArq ? 800 : kAnchoPanelContactosDiaL + 5;
}

void TFormVarnolt::SBViewContactoClick(bool down) {
    SBViewContacto = down;
    TWDetalleContactosVisible = down;
    if (down) {
        CargarContactosDia();
    }
    Ventana.Refrescar(Vista::ContactosDia);
}

void TFormVarnolt::TWDetalleContactosClose() {
    TWDetalleContactosVisible = false;
    SBViewContacto = false;
    Ventana.Refrescar(Vista::ContactosDia);
}

void TFormVarnolt::SBViewAllClick(int banda) {
    BandaContactos = banda;
    CargarContactosDia();
}

void TFormVarnolt::RGSortContactoClick(int indice) {
    RGSortContacto = indice;
    MostrarContactosDia();
}

void TFormVarnolt::CargarContactosDia() {
    Actualizando = true;
    ContactosDia.clear();
    // The loaded contacts are in date order: only the day's run is scanned.
    auto desde = std::lower_bound(Tendencias.begin(), Tendencias.end(), FechaCalendario,
                                  [](const TTendencia& t, TFecha f) { return t.Fecha < f; });
    const FiltroSeleccion filtro(Seleccion);
    for (auto it = desde; it != Tendencias.end() && it->Fecha == FechaCalendario; ++it) {
        if (filtro.Cumple(*it) && PasaBanda(BandaContactos, it->Fuerza)) {
            ContactosDia.push_back(*it);
        }
    }
    MostrarContactosDia();
    Actualizando = false;
}

void TFormVarnolt::MostrarContactosDia() {
    LimpiarDetalle();
    LBContactos.Clear();
    if (RGSortContacto == 0) {
        std::stable_sort(
            ContactosDia.begin(), ContactosDia.end(),
            [](const TTendencia& a, const TTendencia& b) { return a.Fuerza > b.Fuerza; });
    } else {
        std::stable_sort(ContactosDia.begin(), ContactosDia.end(),
                         [](const TTendencia& a, const TTendencia& b) { return a.Peso > b.Peso; });
    }
    double suma = 0;
    for (size_t i = 0; i < ContactosDia.size(); ++i) {
        // Each row carries the position of its contact in ContactosDia.
        LBContactos.Add(FilaContacto(static_cast<int>(i) + 1, ContactosDia[i]),
                        static_cast<std::int64_t>(i));
        suma += ContactosDia[i].Peso;
    }
    RGSortContactoCaption = TituloOrdenContactos(LBContactos.Count(), suma);
    if (LBContactos.Count() > 0) {
        LBContactos.SetSelected(0, true);
        LBContactos.ItemIndex = 0;
        LBContactosClick();
    }
    Ventana.Refrescar(Vista::ContactosDia);
}

void TFormVarnolt::LBContactosClick() {
    const int fila = LBContactos.ItemIndex;
    if (fila < 0 || fila >= LBContactos.Count()) {
        return;
    }
    const auto pos = static_cast<size_t>(LBContactos.Datos[static_cast<size_t>(fila)]);
    if (pos < ContactosDia.size()) {
        Detalle = MostrarDetalle(ContactosDia[pos], BuscarArquetipo);
        Ventana.Refrescar(Vista::ContactosDia);
    }
}

void TFormVarnolt::LimpiarDetalle() {
    Detalle = TDetalleContacto{};
    Ventana.Refrescar(Vista::ContactosDia);
}

void TFormVarnolt::SBDetalleArqClick(bool down) {
    SBDetalleArq = down;
    Ventana.Refrescar(Vista::ContactosDia);
}

void TFormVarnolt::MonthCalendar1Click(TFecha dia) {
    FechaCalendario = dia;
    if (SBViewContacto) {
        CargarContactosDia();
    }
    std::string titulo;
    for (const TTendenciaFecha& f : Ponderacion.FechasRango) {
        if (f.Fecha == dia) {
            titulo = "[ " + FormatDateTime("yyyy-mm-d", dia) + " : " + TextoReal(f.Peso) + " ] " +
                     TextoIntervalo(dia, FechaReferencia);
            break;
        }
    }
    Graficos.ChartDia.Titulo = titulo;
    Ventana.Refrescar(Vista::Graficos);
}

void TFormVarnolt::LBFechaPPClick() {
    const int fila = LBFechaPP.ItemIndex;
    if (LBFechaPP.SelCount() == 0 || fila < 0 || fila >= LBFechaPP.Count()) {
        return;
    }
    FechaCalendario = static_cast<TFecha>(LBFechaPP.Datos[static_cast<size_t>(fila)]);
    SetTendenciasItems(false);
    Graficos.ChartDia.Titulo = TextoIntervalo(FechaCalendario, FechaReferencia);
    Ventana.Refrescar(Vista::Graficos);
}

void TFormVarnolt::ChartDiaClickSeries(int serie, int indice, BotonRaton boton, bool shift,
                                       bool ctrl, bool alt) {
    const auto& series = Graficos.ChartDia.Series;
    if (serie < 0 || serie >= static_cast<int>(series.size()) || indice < 0 ||
        indice >= static_cast<int>(series[static_cast<size_t>(serie)].Barras.size())) {
        return;
    }
    // Copies: the reweighing below refills the series.
    const TBarra barra = series[static_cast<size_t>(serie)].Barras[static_cast<size_t>(indice)];
    std::int32_t anio = 0;
    std::int32_t mes = 0;
    std::int32_t dia = 0;
    const std::string& e = barra.Etiqueta;  // "yyyy-mm-dd"
    if (e.size() < 10 || !LeerEntero(e.substr(0, 4), anio) || !LeerEntero(e.substr(5, 2), mes) ||
        !LeerEntero(e.substr(8, 2), dia) || !EsFechaValida(anio, mes, dia)) {
        return;
    }
    FechaCalendario = CodificarFecha(anio, mes, dia);
    ReaplicarSeleccion();
    std::string titulo = TextoIntervalo(FechaCalendario, FechaReferencia);
    if (boton == BotonRaton::Izquierdo && !shift && !ctrl && !alt) {
        titulo = "[ " + barra.Etiqueta + " : " + TextoReal(barra.Valor) + " ] " + titulo;
    }
    Graficos.ChartDia.Titulo = titulo;
    Ventana.Refrescar(Vista::Graficos);
}

}  // namespace varnolt
