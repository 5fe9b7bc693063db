// SPDX-License-Identifier: AGPL-3.0-or-later
// Writes large, realistic agendas for benchmarks and stress runs: one header
// line, then contacts spread evenly over consecutive days from 1 January
// 2004, with plausible item codes, angles, strengths, weights and longitudes,
// in the agenda format (Windows-1252, CR LF, "." as decimal separator, two
// blanks after the strength). The same seed gives the same file.
#pragma once

#include <cstdint>
#include <string>

namespace varnolt {

// Writes `lineas` contact lines to `ruta`; false when the file cannot be written.
bool GenerarAgenda(const std::string& ruta, std::int64_t lineas, std::uint64_t semilla,
                   int contactosPorDia = 125);

}  // namespace varnolt
