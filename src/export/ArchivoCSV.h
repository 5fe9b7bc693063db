// SPDX-License-Identifier: AGPL-3.0-or-later
// Writing the CSV report file: the lines as Windows-1252 text,
// each followed by CR LF, no byte-order mark.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnolt {

// The bytes of the file: every line converted from UTF-8 to Windows-1252 and
// followed by "\r\n".
std::string BytesArchivoCSV(const std::vector<std::string>& lineas);

// Writes the lines to `ruta`, replacing an existing file, as
// ReemplazarArchivo does: through a temporary file renamed over the target,
// following a symbolic link, keeping an existing file's owner and mode, and
// refusing a target that is not a regular file, is read-only or is no file
// name at all ("carpeta.csv/"). Returns false with the error text (the
// system's, or one naming the file) in `error` on failure.
bool EscribirArchivoCSV(const std::string& ruta, const std::vector<std::string>& lineas,
                        std::string& error);

// The file-name part of a path (everything after the last "/").
std::string NombreDeArchivo(std::string_view ruta);

}  // namespace varnolt
