// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-generar SALIDA LINEAS [SEMILLA]: writes a large realistic agenda.
#include <cstdlib>
#include <iostream>
#include <string>

#include "GeneradorAgenda.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "uso: varnolt-generar SALIDA LINEAS [SEMILLA]\n";
        return 2;
    }
    const long long lineas = std::atoll(argv[2]);
    const unsigned long long semilla = argc == 4 ? std::strtoull(argv[3], nullptr, 10) : 1;
    if (lineas < 0) {
        std::cerr << "varnolt-generar: LINEAS debe ser 0 o más\n";
        return 2;
    }
    if (!varnolt::GenerarAgenda(argv[1], lineas, semilla)) {
        std::cerr << "varnolt-generar: no se pudo escribir " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
