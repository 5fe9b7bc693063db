// SPDX-License-Identifier: AGPL-3.0-or-later
// The CSV report generator as plain functions: the range data
// lines of "Detallar" in, the report lines, the summary lines and the
// proposed file name out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/Fecha.h"

namespace varnolt {

// The report's header line.
inline constexpr std::string_view kCabeceraReporteCSV =
    "no,Planeta Tránsito,Signo,Aspecto,Planeta Natal,Fecha Inicio,Fecha Fin,Duración";
// The second error line of step 9.
inline constexpr std::string_view kAvisoFormatoFechas =
    "Asegúrese que las fechas estén en formato dd/mm/yyyy";

// Monday of the date's week (a Sunday gives the date 6 days earlier).
TFecha InicioSemana(TFecha fecha);
// InicioSemana + 6 days.
TFecha FinSemana(TFecha fecha);
// Day 1 of the date's month.
TFecha InicioMes(TFecha fecha);
// Last day of the date's month (Gregorian leap years).
TFecha FinMes(TFecha fecha);

// A day/month/year text with "/" as separator (05/01/2024, 5/1/2024); a
// one- or two-digit year is read in the current century. 0 when the text is
// not a valid date.
TFecha LeeFecha(std::string_view texto);

// Transit classes: 1..5 fast, 6..14 slow.
inline bool EsRapido(int numero) {
    return numero >= 1 && numero <= 5;
}
inline bool EsLento(int numero) {
    return numero >= 6 && numero <= 14;
}

// Splits a line into values as the report reads them (step 6.3): values are
// separated by a comma or by a run of blanks and control characters; blanks
// after a comma are skipped; a value that starts with a double quote runs to
// the closing quote and a doubled quote inside stands for one; a comma at the
// very end adds an empty last value.
std::vector<std::string> DividirValores(std::string_view linea);

// The report-row names. Outside the tables (left to the implementer) each
// gives "-": item numbers outside 1..16, sign numbers outside 1..12, and
// angles that are negative or beyond 209 (aspect index outside 0..6).
std::string_view NombreSignoReporte(int signo);
std::string_view NombreAspectoReporte(int angulo);
std::string_view NombreItemReporte(int numero);

// The program-wide short date format (Regional::FormatoFechaCorta, "/"
// standing for Regional::SeparadorFecha) applied to a date.
std::string FechaCorta(TFecha fecha);

// GenerarReporteCSV (steps 1 to 9): returns the report lines, refills
// `resumen` and sets `nombreArchivo`. clase: 0 all, 1 fast, other slow;
// tipoReporte: 0 the whole data (fechaMin..fechaMax), 1 the week of
// fechaReferencia, other its month. Sets the program-wide short date format
// to "dd/mm/yyyy" and its separator to "/". Errors become the two lines of
// step 9.
std::vector<std::string> GenerarReporteCSV(const std::vector<std::string>& entrada,
                                           std::vector<std::string>& resumen, int clase,
                                           TFecha fechaMin, TFecha fechaMax, TFecha fechaReferencia,
                                           int tipoReporte, std::string& nombreArchivo);

}  // namespace varnolt
