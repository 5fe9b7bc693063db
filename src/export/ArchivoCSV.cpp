// SPDX-License-Identifier: AGPL-3.0-or-later
#include "export/ArchivoCSV.h"

#include "app/ArchivoSeguro.h"
#include "app/Texto.h"

namespace varnolt {

std::string BytesArchivoCSV(const std::vector<std::string>& lineas) {
    std::string bytes;
    for (const std::string& l : lineas) {
        bytes += Utf8ACp1252(l);
        bytes += "\r\n";
    }
    return bytes;
}

std::string NombreDeArchivo(std::string_view ruta) {
    const size_t barra = ruta.find_last_of('/');
    return std::string(barra == std::string_view::npos ? ruta : ruta.substr(barra + 1));
}

bool EscribirArchivoCSV(const std::string& ruta, const std::vector<std::string>& lineas,
                        std::string& error) {
    if (const FalloArchivo fallo = ReemplazarArchivo(ruta, BytesArchivoCSV(lineas))) {
        error = fallo.Texto(ruta);
        return false;
    }
    return true;
}

}  // namespace varnolt
