// SPDX-License-Identifier: AGPL-3.0-or-later
#include "analysis/Periodo.h"

namespace varnolt {

bool RangoDePeriodo(int codigo, int anio, TFecha& ini, TFecha& fin) {
    if (!EsFechaValida(anio, 1, 1)) {
        return false;
    }
    int mesIni = 0;
    int mesFin = 0;
    if (codigo == 1) {
        mesIni = 1;
        mesFin = 12;
    } else if (codigo >= 2 && codigo <= 5) {
        mesIni = (codigo - 2) * 3 + 1;
        mesFin = mesIni + 2;
    } else if (codigo == 6 || codigo == 7) {
        mesIni = (codigo - 6) * 6 + 1;
        mesFin = mesIni + 5;
    } else if (codigo >= 8 && codigo <= 19) {
        mesIni = codigo - 7;
        mesFin = mesIni;
    } else {
        return false;
    }
    ini = CodificarFecha(anio, mesIni, 1);
    fin = CodificarFecha(anio, mesFin, DiasDelMes(anio, mesFin));
    return true;
}

}  // namespace varnolt
