// SPDX-License-Identifier: AGPL-3.0-or-later
#include "analysis/Picos.h"

#include <algorithm>

#include "agenda/LectorAgenda.h"
#include "app/Formato.h"

namespace varnolt {
namespace {

void OrdenarPorFecha(std::vector<TTendenciaFecha>& f) {
    std::stable_sort(f.begin(), f.end(), [](const TTendenciaFecha& a, const TTendenciaFecha& b) {
        return a.Fecha < b.Fecha;
    });
}

}  // namespace

int ValorPico(const std::string& texto) {
    std::int32_t v = 0;
    return LeerEntero(texto, v) ? v : 10;
}

void CalcularPicos(std::vector<TTendenciaFecha>& fechasRango, int valorPico, bool resaltar,
                   TEstadoPicos& p) {
    OrdenarPorFecha(fechasRango);
    p.PPMaxRango = 0;
    for (const TTendenciaFecha& f : fechasRango) {
        if (f.Peso > p.PPMaxRango) {
            p.PPMaxRango = f.Peso;
            p.FechaPPMax = f.Fecha;
            if (p.PPMaxRango > p.PPMaxGlobal) {
                p.PPMaxGlobal = p.PPMaxRango;
                p.FechaPPMaxGlobal = p.FechaPPMax;
            }
        }
    }
    p.FechasPico.clear();
    p.UmbralPico = valorPico / 100.0 * p.PPMaxRango;
    if (resaltar) {
        for (const TTendenciaFecha& f : fechasRango) {
            if (f.Peso >= p.UmbralPico && f.Peso > 0) {
                p.FechasPico.push_back({f.Contactos, f.Fecha, f.Peso, false});
            }
        }
    }
}

std::string TextoFilaFechaPP(const TFilaFechaPP& f) {
    return Format("%d.%s%s (c:%d) (pp:%.2f)%s",
                  {f.Numero, f.Pico ? "** " : "", FormatDateTime("yyyy mmm d", f.Fecha),
                   f.Contactos, f.Peso, f.Pico ? " **" : ""});
}

bool TFilasFechaPP::MismasFilas(const IFilasDiferidas& otras) const {
    const auto* o = dynamic_cast<const TFilasFechaPP*>(&otras);
    return o != nullptr && o->filas_ == filas_;
}

void MostrarFechasPP(std::vector<TTendenciaFecha>& fechasRango, const TEstadoPicos& p,
                     TipoFecha tipo, OrdenFecha orden, bool hayFechas, TFecha fechaMin,
                     TFecha fechaMax, TFecha rangoIni, TFecha rangoFin, TListBox& lb,
                     TEtiquetasInfo& e) {
    lb.Clear();
    // FechasPico is in ascending date order: look days up by binary search.
    auto esPico = [&](TFecha fecha) {
        return std::binary_search(
            p.FechasPico.begin(), p.FechasPico.end(), TTendenciaFecha{0, fecha, 0, false},
            [](const TTendenciaFecha& a, const TTendenciaFecha& b) { return a.Fecha < b.Fecha; });
    };
    // The sum of the listed days, added in date order whatever order the
    // list shows: with "Todas" the same sum, rounded once, as the daily
    // chart's total.
    OrdenarPorFecha(fechasRango);
    double suma = 0;
    for (const TTendenciaFecha& f : tipo == TipoFecha::Todas ? fechasRango : p.FechasPico) {
        suma += f.Peso;
    }
    switch (orden) {
        case OrdenFecha::Fecha:
            break;
        case OrdenFecha::Contactos:
            std::stable_sort(fechasRango.begin(), fechasRango.end(),
                             [](const TTendenciaFecha& a, const TTendenciaFecha& b) {
                                 return a.Contactos > b.Contactos;
                             });
            break;
        case OrdenFecha::PesoPonderado:
            std::stable_sort(
                fechasRango.begin(), fechasRango.end(),
                [](const TTendenciaFecha& a, const TTendenciaFecha& b) { return a.Peso > b.Peso; });
            break;
    }
    std::vector<TFilaFechaPP> filas;
    filas.reserve(tipo == TipoFecha::Todas ? fechasRango.size() : p.FechasPico.size());
    int n = 0;
    for (TTendenciaFecha& f : fechasRango) {
        const bool pico = esPico(f.Fecha);
        if (pico) {
            f.EsPico = true;
        }
        if (tipo == TipoFecha::Todas || pico) {
            filas.push_back({++n, f.Contactos, f.Fecha, pico, f.Peso});
            lb.Datos.push_back(f.Fecha);
        }
    }
    lb.Selected.assign(filas.size(), 0);
    lb.Diferidas = std::make_shared<const TFilasFechaPP>(std::move(filas));
    OrdenarPorFecha(fechasRango);

    auto entre = [](TFecha a, TFecha b) {
        return Format("%s y %s", {FormatDateTime("yyy-mmm-d", a), FormatDateTime("yyy-mmm-d", b)});
    };
    e.RangoData = hayFechas ? entre(fechaMin, fechaMax) : "-";
    e.RangoVisual = rangoIni == 0 ? "-" : entre(rangoIni, rangoFin);
    e.SumaPP = p.PPMaxRango == 0 ? "-" : Format("%.2f", {suma});
    e.FechasPico = p.PPMaxRango == 0
                       ? "-"
                       : Format("%d  fechas pico en el rango%sMáx.PP: %.2f, %.2f%%%s%s",
                                {static_cast<int>(p.FechasPico.size()), "\r", p.PPMaxRango,
                                 p.PPMaxRango / p.PPMaxGlobal * 100, "\r",
                                 FormatDateTime("yyyy mmm d", p.FechaPPMax)});
    e.Max = p.PPMaxGlobal == 0
                ? "-"
                : Format("Máx.PP:%.2f, %s",
                         {p.PPMaxGlobal, FormatDateTime("yyyy mmm d", p.FechaPPMaxGlobal)});
    e.NoContactos = Format("  %d días. %.2f", {lb.Count(), p.UmbralPico});
}

}  // namespace varnolt
