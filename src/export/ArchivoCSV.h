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

// Writes the lines to `ruta`, replacing an existing file. The bytes go to a
// temporary file in the same folder, which is flushed to disk and then
// renamed over the target, so a failure leaves an existing file as it was
// (and removes the temporary file). A symbolic link is followed: the file it
// points to is replaced. An existing file's permission bits are kept; a new
// file gets the usual ones (0666 less the umask). Returns false with the
// system's error text in `error` on failure.
bool EscribirArchivoCSV(const std::string& ruta, const std::vector<std::string>& lineas,
                        std::string& error);

// The file-name part of a path (everything after the last "/").
std::string NombreDeArchivo(std::string_view ruta);

}  // namespace varnolt
