// SPDX-License-Identifier: AGPL-3.0-or-later
// Where the program finds its files: its own folder, the user's documents
// folder, and the small path helpers the settings need.
//
// Paths are built with '/'. Paths read back from the settings file may have
// been written by the suite's Windows modules with '\'; the helpers that take
// a path apart accept both.
#pragma once

#include <string>
#include <string_view>

namespace varnolt {

// Full path of the running executable ("" when the system does not tell).
std::string RutaEjecutable();

// The user's configuration folder, without a final '/': $XDG_CONFIG_HOME
// when it is an absolute path, else ~/.config; "" when neither is known.
std::string CarpetaConfiguracion();

// The user's documents folder, without a final '/': XDG_DOCUMENTS_DIR of
// user-dirs.dirs (in CarpetaConfiguracion()), with $HOME expanded; else
// ~/Documents; "" when no home folder is known.
std::string CarpetaPersonal();

// The documents folder as user-dirs.dirs gives it, from the text of that
// file and the home folder; "" when the file does not name it.
std::string CarpetaDocumentosXdg(std::string_view userDirs, std::string_view home);

// The path with its extension (from the last '.' of its file name) replaced
// by 'extension', or 'extension' added when it has none.
std::string CambiarExtension(std::string_view ruta, std::string_view extension);

// The folder part of a path, up to and including its last '/' or '\', with
// every '\' turned into '/'; "" when the path has no folder.
std::string CarpetaDeRuta(std::string_view ruta);

// The file name of a path, after its last '/' or '\'.
std::string NombreDeRuta(std::string_view ruta);

// A folder and a name joined by one '/'. An empty folder gives "/name",
// as a path under a folder that is not known.
std::string UnirRuta(std::string_view carpeta, std::string_view nombre);

}  // namespace varnolt
