// SPDX-License-Identifier: AGPL-3.0-or-later
#include "analysis/Ponderacion.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "agenda/LectorAgenda.h"
#include "app/Texto.h"

namespace varnolt {
namespace {

std::vector<std::uint8_t> TablaCodigos(const std::vector<std::string>& lista) {
    if (lista.empty()) {
        return {};
    }
    std::unordered_set<std::string> buscados;
    for (const std::string& s : lista) {
        buscados.insert(Mayusculas(s));
    }
    const std::uint32_t n = Codigo::Cantidad();
    // One extra slot so that an empty list never collides with "no restriction".
    std::vector<std::uint8_t> tabla(n + 1, 0);
    for (std::uint32_t id = 0; id < n; ++id) {
        if (buscados.count(Mayusculas(Codigo::TextoDe(id))) != 0) {
            tabla[id] = 1;
        }
    }
    return tabla;
}

bool ContieneSinMayusculas(const std::vector<std::string>& lista, const std::string& s) {
    return std::any_of(lista.begin(), lista.end(),
                       [&](const std::string& x) { return IgualesSinMayusculas(x, s); });
}

bool ContieneAngulo(const std::vector<std::string>& lista, std::int32_t angulo) {
    for (const std::string& s : lista) {
        std::int32_t v = 0;
        if (LeerEntero(s, v) && v == angulo) {
            return true;
        }
    }
    return false;
}

// Finds or appends the tally entry of a key through a side index that keeps
// first-creation order.
template <typename Clave, typename Indice>
TTendenciaItem& EntradaDe(std::vector<TTendenciaItem>& totales, Indice& indice, Clave clave,
                          auto&& texto) {
    auto [it, nuevo] = indice.try_emplace(clave, totales.size());
    if (nuevo) {
        totales.push_back({texto(), 0.0});
    }
    return totales[it->second];
}

}  // namespace

bool CumpleSeleccion(const TSeleccion& sel, const TTendencia& c) {
    return (sel.ItemsNatSel.empty() || ContieneSinMayusculas(sel.ItemsNatSel, c.ItemNatal)) &&
           (sel.ItemsTraSel.empty() || ContieneSinMayusculas(sel.ItemsTraSel, c.ItemTransito)) &&
           (sel.AspectosSel.empty() || ContieneAngulo(sel.AspectosSel, c.Aspecto));
}

FiltroSeleccion::FiltroSeleccion(const TSeleccion& sel)
    : natales_(TablaCodigos(sel.ItemsNatSel)),
      transitos_(TablaCodigos(sel.ItemsTraSel)),
      hayAngulos_(!sel.AspectosSel.empty()) {
    for (const std::string& s : sel.AspectosSel) {
        std::int32_t v = 0;
        if (LeerEntero(s, v)) {
            angulos_.push_back(v);
        }
    }
}

bool FiltroSeleccion::AdmiteAngulo(std::int32_t angulo) const {
    return std::find(angulos_.begin(), angulos_.end(), angulo) != angulos_.end();
}

void TPonderacion::Vaciar() {
    TotalesDia.clear();
    FechasRango.clear();
    TotalesNat.clear();
    TotalesTra.clear();
    TotalesAsp.clear();
}

void Ponderar(const TTendencias& tendencias, TFecha rangoIni, TFecha rangoFin,
              const TSeleccion& seleccion, TPonderacion& r) {
    r.Vaciar();
    if (rangoIni > rangoFin) {
        return;
    }
    const FiltroSeleccion filtro(seleccion);
    auto menor = [](const TTendencia& t, TFecha f) { return t.Fecha < f; };
    auto mayor = [](TFecha f, const TTendencia& t) { return f < t.Fecha; };
    const auto desde = std::lower_bound(tendencias.begin(), tendencias.end(), rangoIni, menor);
    const auto hasta = std::upper_bound(desde, tendencias.end(), rangoFin, mayor);

    // Item tallies are indexed by code id, angles by value (directly for the
    // usual 0..1023, through a map beyond).
    const std::uint32_t codigos = Codigo::Cantidad();
    std::vector<std::int32_t> idxNat(codigos, -1);
    std::vector<std::int32_t> idxTra(codigos, -1);
    std::array<std::int32_t, 1024> idxAspCorto;
    idxAspCorto.fill(-1);
    std::unordered_map<std::int32_t, size_t> idxAspLargo;
    std::unordered_map<TFecha, size_t> idxDia;

    size_t dia = 0;
    TFecha ultimaFecha = 0;
    bool hayDia = false;
    for (auto it = desde; it != hasta; ++it) {
        const TTendencia& c = *it;
        if (!filtro.Cumple(c)) {
            continue;
        }
        if (!hayDia || c.Fecha != ultimaFecha) {
            auto [pos, nuevo] = idxDia.try_emplace(c.Fecha, r.TotalesDia.size());
            if (nuevo) {
                r.TotalesDia.push_back({c.Fecha, 0.0});
                r.FechasRango.push_back({0, c.Fecha, 0.0, false});
            }
            dia = pos->second;
            ultimaFecha = c.Fecha;
            hayDia = true;
        }
        r.TotalesDia[dia].Peso += c.Peso;
        r.FechasRango[dia].Peso += c.Peso;
        r.FechasRango[dia].Contactos += 1;

        std::int32_t& n = idxNat[c.ItemNatal.id()];
        if (n < 0) {
            n = static_cast<std::int32_t>(r.TotalesNat.size());
            r.TotalesNat.push_back({c.ItemNatal.texto(), 0.0});
        }
        r.TotalesNat[static_cast<size_t>(n)].Peso += c.Peso;

        std::int32_t& t = idxTra[c.ItemTransito.id()];
        if (t < 0) {
            t = static_cast<std::int32_t>(r.TotalesTra.size());
            r.TotalesTra.push_back({c.ItemTransito.texto(), 0.0});
        }
        r.TotalesTra[static_cast<size_t>(t)].Peso += c.Peso;

        if (c.Aspecto >= 0 && c.Aspecto < static_cast<std::int32_t>(idxAspCorto.size())) {
            std::int32_t& a = idxAspCorto[static_cast<size_t>(c.Aspecto)];
            if (a < 0) {
                a = static_cast<std::int32_t>(r.TotalesAsp.size());
                r.TotalesAsp.push_back({std::to_string(c.Aspecto), 0.0});
            }
            r.TotalesAsp[static_cast<size_t>(a)].Peso += c.Peso;
        } else {
            EntradaDe(r.TotalesAsp, idxAspLargo, c.Aspecto, [&] {
                return std::to_string(c.Aspecto);
            }).Peso += c.Peso;
        }
    }
}

void OrdenarPorPeso(std::vector<TTendenciaItem>& totales) {
    std::stable_sort(
        totales.begin(), totales.end(),
        [](const TTendenciaItem& a, const TTendenciaItem& b) { return a.Peso > b.Peso; });
}

}  // namespace varnolt
