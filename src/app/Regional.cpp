// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/Regional.h"

#include <clocale>
#include <locale>

namespace varnolt {

char SeparadorDecimalDelEntorno() {
    // std::locale("") honours LC_ALL / LC_NUMERIC / LANG without touching the
    // process-wide C locale that other code may rely on.
    try {
        const std::locale usuario("");
        const char sep = std::use_facet<std::numpunct<char>>(usuario).decimal_point();
        return sep == ',' ? ',' : '.';
    } catch (const std::exception&) {
        return '.';
    }
}

Regional& ConfiguracionRegional() {
    static Regional regional = [] {
        Regional r;
        r.SeparadorDecimal = SeparadorDecimalDelEntorno();
        return r;
    }();
    return regional;
}

}  // namespace varnolt
