// SPDX-License-Identifier: AGPL-3.0-or-later
#include "GeneradorAgenda.h"

#include <cstdio>
#include <random>
#include <string_view>

#include "app/Fecha.h"

namespace varnolt {
namespace {

// Natal items as agendas write them (Windows-1252), house cusps included.
constexpr std::string_view kNatales[] = {
    "Sol",  "Lun", "Mer", "Ven", "Mar", "J\xFAp", "Sat", "Ura",  "Nep", "Plu", "Nod",
    "NodT", "Lil", "Qui", "Cer", "Pal", "Jun",    "Ves", "NodS", "RfD", "RfN", "C01",
    "C02",  "C03", "C04", "C05", "C06", "C07",    "C08", "C09",  "C10", "C11", "C12"};
constexpr std::string_view kTransitos[] = {"Sol", "Lun", "Mer", "Ven", "Mar", "J\xFAp", "Sat",
                                           "Ura", "Nep", "Plu", "Nod", "Lil", "Qui"};
constexpr int kAngulos[] = {0,   180, 120, 90, 72, 60, 51, 45, 165, 150,
                            144, 135, 105, 75, 40, 36, 33, 30, 15};
constexpr std::string_view kBandas[] = {"0%-20%", "20%-40%", "40%-60%", "60%-80%", "80%-100%"};

}  // namespace

bool GenerarAgenda(const std::string& ruta, std::int64_t lineas, std::uint64_t semilla,
                   int contactosPorDia) {
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    std::mt19937_64 azar(semilla);
    std::uniform_int_distribution<size_t> natal(0, std::size(kNatales) - 1);
    std::uniform_int_distribution<size_t> transito(0, std::size(kTransitos) - 1);
    std::uniform_int_distribution<size_t> angulo(0, std::size(kAngulos) - 1);
    std::uniform_real_distribution<double> unidad(0.0, 1.0);
    std::fputs(
        "n id carta fecha contacto natal transito fuerza banda peso aspecto valor s1 s2 s3 s4 "
        "posnatal t1 t2 t3 t4 postransito\r\n",
        f);
    const TFecha inicio = CodificarFecha(2004, 1, 1);
    char buf[512];
    for (std::int64_t n = 1; n <= lineas; ++n) {
        const FechaCivil dia =
            DecodificarFecha(inicio + static_cast<TFecha>((n - 1) / contactosPorDia));
        const std::string_view nat = kNatales[natal(azar)];
        const std::string_view tra = kTransitos[transito(azar)];
        const int asp = kAngulos[angulo(azar)];
        const double fuerza = unidad(azar) * 100.0;
        const int banda = fuerza >= 100.0 ? 4 : static_cast<int>(fuerza / 20.0);
        const double peso = fuerza / 100.0 * (0.5 + unidad(azar) * 2.5);
        const int largo = std::snprintf(
            buf, sizeof buf,
            "%lld P1 Carta %d-%d-%d %lld:%.*s(%d\xB0)%.*s %.*s %.*s %.1f%%  %.*s %.3f %d %.4f s n "
            "%.2f D %.4f - - - - %.4f\r\n",
            static_cast<long long>(n), dia.anio, dia.mes, dia.dia, static_cast<long long>(n),
            static_cast<int>(nat.size()), nat.data(), asp, static_cast<int>(tra.size()), tra.data(),
            static_cast<int>(nat.size()), nat.data(), static_cast<int>(tra.size()), tra.data(),
            fuerza, static_cast<int>(kBandas[banda].size()), kBandas[banda].data(), peso, asp,
            unidad(azar) * 3.0, unidad(azar) * 3.0, unidad(azar) * 360.0, unidad(azar) * 360.0);
        std::fwrite(buf, 1, static_cast<size_t>(largo), f);
    }
    return std::fclose(f) == 0;
}

}  // namespace varnolt
