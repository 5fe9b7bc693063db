// libFuzzer target: the agenda line reader and the line split, on any bytes.
// Every line of the input is read as a contact line with both decimal
// separators; a line that reads must give a calendar day and finite numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "agenda/LectorAgenda.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, size_t largo) {
    using namespace varnolt;
    const std::string_view texto(reinterpret_cast<const char*>(datos), largo);
    TraductorCodigos codigos;
    for (std::string_view linea : DividirLineas(texto)) {
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
    return 0;
}
