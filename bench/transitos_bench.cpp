// SPDX-License-Identifier: AGPL-3.0-or-later
// Figures of the agenda computation: ten years of one chart.
//   transitos_bench [ARCHIVO] [VECES] [PERFIL]
// Computes the agenda of a fixed chart (Madrid, 1985-06-15 14:30) for
// 2026-2035 VECES times (3 by default) with the content of PERFIL (the
// default profile by default), writing it to ARCHIVO (a temporary file by
// default, removed after; "-" is the same), and prints the median time, the lines,
// the file size and the peak resident memory; then the computation alone,
// without writing.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Fecha.h"
#include "transitos/DatosCarta.h"

using namespace varnolt;
using Reloj = std::chrono::steady_clock;

int main(int argc, char** argv) {
    const bool propio = argc > 1 && std::string(argv[1]) != "-";
    const std::string archivo =
        propio ? argv[1]
               : (std::filesystem::temp_directory_path() / "varnolt_transitos_bench.csv").string();
    const int veces = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string perfil = argc > 3 ? argv[3] : "";

    std::string error;
    auto p = LeerPeticion({"Bench",
                           "1985-06-15T14:30",
                           "Europe/Madrid",
                           "40.4168,-3.7038",
                           "2026",
                           "2035",
                           perfil,
                           {},
                           {},
                           {}},
                          error);
    if (!p) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<double> tiempos;
    ResultadoAgenda r;
    for (int i = 0; i < veces; ++i) {
        const auto t0 = Reloj::now();
        r = EscribirAgenda(*p, archivo);
        tiempos.push_back(std::chrono::duration<double>(Reloj::now() - t0).count());
        if (!r.hecho) {
            std::fprintf(stderr, "%s\n", r.error.c_str());
            return 1;
        }
    }
    std::sort(tiempos.begin(), tiempos.end());
    const auto bytes = std::filesystem::file_size(archivo);
    if (!propio) {
        std::filesystem::remove(archivo);
    }

    // The computation alone.
    Efemerides efe;
    const CartaNatal carta = CalcularCarta(efe, DiaJulianoDeUnix(p->zona.AUtc(p->nacimiento)),
                                           p->latitud, p->longitud, 'P');
    std::size_t n = 0;
    const auto t0 = Reloj::now();
    CalcularContactos(efe, carta, p->zona, p->desde, p->hasta, p->modelo,
                      [&](const Contacto&) { ++n; });
    const double calculo = std::chrono::duration<double>(Reloj::now() - t0).count();

    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("Agenda de 10 años (2026-2035), una carta, perfil %s: %zu líneas, %.1f MB\n",
                PerfilDeContenido(p->modelo.contenido).c_str(), r.lineas,
                static_cast<double>(bytes) / 1e6);
    std::printf("  calcular y escribir: %.3f s (mediana de %d)\n", tiempos[tiempos.size() / 2],
                veces);
    std::printf("  solo calcular:       %.3f s (%zu contactos)\n", calculo, n);
    std::printf("  memoria residente máxima: %ld KB\n", uso.ru_maxrss);
    return 0;
}
