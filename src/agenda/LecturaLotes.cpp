// SPDX-License-Identifier: AGPL-3.0-or-later
#include "agenda/LecturaLotes.h"

#include <climits>
#include <cstdint>
#include <thread>

namespace varnolt {

int& MinimoCargaParalela() {
    // Two threads from a quarter of a million lines, where the machine has a
    // second core. Measured with agenda_bench (alternated fresh processes)
    // on a quiet two-core machine: 1,000,000 lines load in 303 ms on two
    // threads against 369 ms on one (the read-and-sum baseline: 134 ms); the
    // second thread costs some 10 % more CPU time in all, and pays nothing
    // when the other core is busy. Small agendas load faster than a thread
    // starts.
    static int minimo = std::thread::hardware_concurrency() >= 2 ? 250000 : INT32_MAX;
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
