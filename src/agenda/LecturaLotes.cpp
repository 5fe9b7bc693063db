// SPDX-License-Identifier: AGPL-3.0-or-later
#include "agenda/LecturaLotes.h"

#include <climits>
#include <cstdint>

namespace varnolt {

int& MinimoCargaParalela() {
    // Off: measured with agenda_bench (CargarAgenda on 1 and 2 threads,
    // alternated fresh processes) on the two shared, busy cores this was
    // built on, the second thread paid only in the rare rounds that found
    // the other core idle (10,000,000 lines: best 2.8 s against 3.5 s) and
    // cost some 10 % in the others (1,000,000 lines: best 425 against
    // 377 ms). Set it where a core is free.
    static int minimo = INT32_MAX;
    return minimo;
}

namespace LecturaLotes {

size_t& LineasPorLote() {
    static size_t lineas = 32768;
    return lineas;
}

bool Lote::Llenar(LectorLineas& lector, int desde) {
    texto.clear();
    fines.clear();
    primera = desde;
    std::string_view linea;
    while (fines.size() < LineasPorLote() && lector.Siguiente(linea)) {
        texto.append(linea);
        fines.push_back(texto.size());
    }
    return !fines.empty();
}

void Lote::Leer(char sep, TraductorCodigos& codigos) noexcept {
    registros.clear();
    aspectos.clear();
    fallo = {};
    error = nullptr;
    try {
        registros.reserve(fines.size());
        LineaAgenda leida;
        size_t inicio = 0;
        for (size_t k = 0; k < fines.size(); ++k) {
            const std::string_view linea(texto.data() + inicio, fines[k] - inicio);
            inicio = fines[k];
            leida.tendencia = TTendencia{};
            if (!LeerLineaAgenda(linea, sep, codigos, leida)) {
                fallo = {primera + static_cast<int>(k), std::string(linea)};
                return;
            }
            if (aspectos.empty() || !IgualesCortos(leida.textoAspecto, aspectos.back().second)) {
                aspectos.emplace_back(static_cast<std::uint32_t>(k), leida.textoAspecto);
            }
            registros.push_back(leida.tendencia);
        }
    } catch (...) {
        error = std::current_exception();
    }
}

}  // namespace LecturaLotes
}  // namespace varnolt
