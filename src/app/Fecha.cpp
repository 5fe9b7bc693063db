// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/Fecha.h"

#include <ctime>

namespace varnolt {
namespace {

// Days from 1 March of year 0 of the proleptic Gregorian calendar (the
// civil-from-days arithmetic), shifted so that 30 December 1899 is day 0.
constexpr std::int64_t kDiasHasta1899 = 693899;  // DiasCiviles(1899, 12, 30)

std::int64_t DiasCiviles(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe);
}

}  // namespace

bool EsBisiesto(int anio) {
    return (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
}

int DiasDelMes(int anio, int mes) {
    static constexpr int kDias[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mes < 1 || mes > 12) {
        return 0;
    }
    return mes == 2 && EsBisiesto(anio) ? 29 : kDias[mes - 1];
}

bool EsFechaValida(int anio, int mes, int dia) {
    return anio >= 1 && anio <= 9999 && mes >= 1 && mes <= 12 && dia >= 1 &&
           dia <= DiasDelMes(anio, mes);
}

TFecha CodificarFecha(int anio, int mes, int dia) {
    return static_cast<TFecha>(
        DiasCiviles(anio, static_cast<unsigned>(mes), static_cast<unsigned>(dia)) - kDiasHasta1899);
}

FechaCivil DecodificarFecha(TFecha fecha) {
    const std::int64_t z = static_cast<std::int64_t>(fecha) + kDiasHasta1899;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

TFecha Hoy() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return CodificarFecha(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace varnolt
