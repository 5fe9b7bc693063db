// SPDX-License-Identifier: AGPL-3.0-or-later
// Whole-day dates.
//
// A date is the number of days since 30 December 1899 (day 0), the serial the
// suite's files and settings were built around. 0 therefore also means "no
// date" wherever the program keeps an optional date.
#pragma once

#include <cstdint>

namespace varnolt {

using TFecha = std::int32_t;

struct FechaCivil {
    int anio = 0;
    int mes = 0;
    int dia = 0;
};

bool EsBisiesto(int anio);
int DiasDelMes(int anio, int mes);

// True when anio/mes/dia is a valid day of the Gregorian calendar in 1..9999.
bool EsFechaValida(int anio, int mes, int dia);

// Serial of a valid day; callers check EsFechaValida first.
TFecha CodificarFecha(int anio, int mes, int dia);
FechaCivil DecodificarFecha(TFecha fecha);

// The local calendar day of now.
TFecha Hoy();

}  // namespace varnolt
