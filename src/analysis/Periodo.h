// SPDX-License-Identifier: AGPL-3.0-or-later
// Period codes of the year: 1 the whole year, 2..5 the quarters, 6..7 the
// halves, 8..19 the months January to December.
#pragma once

#include "app/Fecha.h"

namespace varnolt {

inline constexpr int kPeriodoTodo = 1;

// The first and last day of the period `codigo` of the year `anio`. False for
// a code outside 1..19 (the range is then left alone).
bool RangoDePeriodo(int codigo, int anio, TFecha& ini, TFecha& fin);

}  // namespace varnolt
