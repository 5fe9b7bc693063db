// SPDX-License-Identifier: AGPL-3.0-or-later
// Where the program's own files are, found from its real executable, and
// where its settings file goes.
//
// The program runs from one of two layouts:
//   - a build folder or a portable copy: the programs in one folder, with
//     dll/ (the SQLite 2 engine) and arquetipos/ (the sample archetype file)
//     beside them;
//   - an installed tree: the programs in <prefix>/lib/varnolt/ with dll/
//     beside them, links to them in <prefix>/bin/, and the sample files in
//     <prefix>/share/varnolt/ (kDatosDesdePrograma from the programs' folder).
// RutaEjecutable() resolves the links, so both are found from the folder of
// the real executable.
//
//     const std::string muestra = varnolt::ArchivoArqMuestra(varnolt::RutaEjecutable());
//     const std::string ini = varnolt::UbicacionArchivoIni(
//         varnolt::RutaEjecutable(), varnolt::CarpetaConfiguracionVarnolt()).ruta;
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace varnolt {

// The data folder of an installed program, relative to the programs' folder
// ("../../share/varnolt/"), as the build installs it.
extern const std::string_view kDatosDesdePrograma;

// The sample agenda installed in the data folder.
inline constexpr const char* kAgendaMuestra = "muestra_2024.csv";

// The data folder (ending '/') of the program installed at 'ejecutable' when
// that folder is there; "" for a build folder or a portable copy.
std::string CarpetaDatosInstalados(std::string_view ejecutable,
                                   std::string_view datosDesdePrograma = kDatosDesdePrograma);

// The sample archetype file (kArchivoArqInicial) of the program at
// 'ejecutable': arquetipos/ beside it, else the installed data folder; ""
// when neither holds it.
std::string ArchivoArqMuestra(std::string_view ejecutable,
                              std::string_view datosDesdePrograma = kDatosDesdePrograma);

// The program's page (its README.md, opened from "Acerca de Varnolt"): the
// copy in the installed data folder for an installed program, else
// 'paginaFuente' (the README of the checkout it was built from).
inline constexpr const char* kPagina = "README.md";
std::string PaginaDelPrograma(std::string_view ejecutable, std::string_view paginaFuente,
                              std::string_view datosDesdePrograma = kDatosDesdePrograma);

// Varnolt's folder in the user's configuration folder, ending '/':
// CarpetaConfiguracion() followed by "Varnolt/" (what the window's
// QStandardPaths::AppConfigLocation gives for the application "Varnolt");
// "" when no home folder is known.
std::string CarpetaConfiguracionVarnolt();

// Whether the program may write its settings file in a folder.
using SePuedeEscribir = std::function<bool(const std::string& carpeta)>;
// The system's answer: the folder is there and the user may create files in it.
bool CarpetaEscribible(const std::string& carpeta);

// Where the program keeps its settings file, and why there.
struct UbicacionIni {
    enum Motivo {
        JuntoAlPrograma,      // a build folder or portable copy that can be written
        ProgramaInstalado,    // an installed program never writes into its tree
        CarpetaSinEscritura,  // the executable's folder cannot be written
        SinCarpetaUsuario,    // no configuration folder known: beside the program
    };
    std::string ruta;
    Motivo motivo = JuntoAlPrograma;
};

// Where the program at 'ejecutable' keeps its settings file:
//   - beside the executable (its path with ".ini") when it runs from a
//     build folder or a portable copy whose folder can be written, so that
//     the settings file shared with the suite's other modules keeps working;
//   - otherwise "Varnolt.ini" in 'carpetaConfiguracion' (Varnolt's folder in
//     the user's configuration folder): an installed program never writes
//     into its own tree, whoever runs it, and a folder that cannot be written
//     would fail at every exit.
// With an empty 'carpetaConfiguracion' the file stays beside the executable.
UbicacionIni UbicacionArchivoIni(std::string_view ejecutable, std::string_view carpetaConfiguracion,
                                 const SePuedeEscribir& sePuedeEscribir = CarpetaEscribible,
                                 std::string_view datosDesdePrograma = kDatosDesdePrograma);

// What CopiarArqMuestra did.
struct CopiaArqMuestra {
    enum Estado {
        Copiada,        // the sample is now in the folder, at 'destino'
        HabiaArchivos,  // the folder already holds an archetype file: nothing done
        SinMuestra,     // no sample file, or no folder known: nothing done
        Fallo,          // the folder or the copy could not be made: see 'error'
    };
    Estado estado = SinMuestra;
    std::string destino;
    std::string error;
};

// Copies the sample archetype file 'muestra' into the archetype folder
// 'carpetaArq' (made when missing) when that folder holds no ".arq" file, so
// that a new user's first start has archetype texts. A file already there is
// never replaced.
CopiaArqMuestra CopiarArqMuestra(const std::string& carpetaArq, const std::string& muestra);

// The same for the running program: its sample file (ArchivoArqMuestra)
// into the catalogue's folder (CarpetaArq), when the documents folder is known.
CopiaArqMuestra CopiarArqMuestraDelPrograma();

}  // namespace varnolt
