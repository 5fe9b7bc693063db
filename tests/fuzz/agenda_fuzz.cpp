// SPDX-License-Identifier: AGPL-3.0-or-later
// libFuzzer target: the agenda line reader and the line split, on any bytes.
// The input is split into lines through blocks of a size its first byte
// picks, so that line ends fall on block edges; the count read ahead must
// match the lines given. Every line is read as a contact line with both
// decimal separators; a line that reads must give a calendar day and finite
// numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "agenda/LectorAgenda.h"
#include "agenda/LectorLineas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, size_t largo) {
    using namespace varnolt;
    if (largo == 0) {
        return 0;
    }
    const size_t bloque = 1 + datos[0] % 64;
    const std::string_view texto(reinterpret_cast<const char*>(datos) + 1, largo - 1);
    LectorLineas lector(FuenteTexto(texto), bloque);
    const std::uint64_t contadas = lector.Contar();
    std::uint64_t dadas = 0;
    TraductorCodigos codigos;
    for (std::string_view linea; lector.Siguiente(linea);) {
        ++dadas;
        if (linea.find_first_of("\r\n") != std::string_view::npos) {
            std::abort();  // a line never holds a line break
        }
        for (char sep : {'.', ','}) {
            LineaAgenda salida;
            if (LeerLineaAgenda(linea, sep, codigos, salida)) {
                const TTendencia& t = salida.tendencia;
                if (!std::isfinite(t.Peso) || !std::isfinite(t.Fuerza) ||
                    !std::isfinite(t.PosTransito) || t.BandaFuerza < 1 || t.BandaFuerza > 5) {
                    std::abort();
                }
                const FechaCivil f = DecodificarFecha(t.Fecha);
                if (!EsFechaValida(f.anio, f.mes, f.dia)) {
                    std::abort();
                }
            }
        }
    }
    if (dadas != contadas) {
        std::abort();
    }
    return 0;
}
