// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli: Varnolt's analyses for scripts and for people on a server.
#include <iostream>
#include <string>
#include <vector>

#include "archetypes/Arquetipos.h"
#include "cli/Comandos.h"
#include "cli/ComandosExport.h"

#ifdef VARNOLT_CON_CONFIG
#include "cli/ComandoConfig.h"
#endif

namespace {

constexpr const char* kAyuda = R"(uso: varnolt-cli ORDEN [opciones] ...

Órdenes:
  resumen     carga agendas y escribe el análisis de la ventana principal
  arquetipos  escribe el catálogo de arquetipos y los paneles de arquetipos
  carpeta-arquetipos
              escribe la carpeta donde el programa busca los arquetipos
  config      muestra la configuración tal como la lee el programa
  rangos      pulsa "Detallar": los rangos de contactos de los pares elegidos
  csv         el reporte CSV de esos rangos, o su archivo con --salida
  agenda      calcula la agenda de tránsitos de una carta natal

"varnolt-cli ORDEN --help" explica cada orden.
)";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kAyuda;
        return args.empty() ? 2 : 0;
    }
    const std::string orden = args[0];
    args.erase(args.begin());
    if (orden == "resumen") {
        return varnolt::ComandoResumen(args, std::cout, std::cerr);
    }
    if (orden == "carpeta-arquetipos") {
        // The folder the archetype catalogue scans (used by run.sh).
        std::cout << varnolt::CarpetaArq() << "\n";
        return 0;
    }
    if (orden == "arquetipos") {
        return varnolt::ComandoArquetipos(args, std::cout, std::cerr);
    }
    if (orden == "rangos") {
        return varnolt::ComandoRangos(args, std::cout, std::cerr);
    }
    if (orden == "agenda") {
        return varnolt::ComandoAgenda(args, std::cout, std::cerr);
    }
    if (orden == "csv") {
        return varnolt::ComandoCsv(args, std::cout, std::cerr);
    }
#ifdef VARNOLT_CON_CONFIG
    if (orden == "config") {
        return varnolt::ComandoConfig(args, std::cout, std::cerr);
    }
#endif
    std::cerr << "varnolt-cli: orden desconocida \"" << orden << "\"\n" << kAyuda;
    return 2;
}
