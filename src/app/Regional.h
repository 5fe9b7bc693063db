// SPDX-License-Identifier: AGPL-3.0-or-later
// The user's regional settings, as the program reads numbers and writes
// numbers and dates: the decimal separator and the short month names.
//
// The separator comes from the environment's numeric locale (LC_ALL,
// LC_NUMERIC, LANG) the first time it is asked for; the month names are the
// Spanish ones whatever the locale, as the interface is Spanish. Tests and
// tools may set both.
#pragma once

#include <array>
#include <string>

namespace varnolt {

struct Regional {
    char SeparadorDecimal = '.';
    std::array<std::string, 12> MesesCortos = {"ene", "feb", "mar", "abr", "may", "jun",
                                               "jul", "ago", "sep", "oct", "nov", "dic"};
    // The program-wide short date format (changed once by the CSV report).
    std::string FormatoFechaCorta = "dd/mm/yyyy";
    // The date separator: a "/" of FormatoFechaCorta stands for it (as the
    // suite's short date format writes it). The CSV report sets it to '/'.
    char SeparadorFecha = '/';
};

// The settings in use. The first call reads the environment.
Regional& ConfiguracionRegional();

inline char SeparadorDecimal() {
    return ConfiguracionRegional().SeparadorDecimal;
}

// Reads the decimal separator of the environment's numeric locale.
char SeparadorDecimalDelEntorno();

}  // namespace varnolt
