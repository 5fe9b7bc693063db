// SPDX-License-Identifier: AGPL-3.0-or-later
// The program's data module: the settings and fixed tables that live from
// start to exit, with the start-up and shut-down steps around the window.
//
//     varnolt::DatosPrograma datos;
//     varnolt::GanchosDatos ganchos{...};      // font and error reporting
//     varnolt::IniciarDatos(datos, varnolt::RutasDelProgramaEnEjecucion(), ganchos);
//     ... create the windows, run the event loop ...
//     varnolt::FinalizarDatos(datos, ganchos);
//
// IniciarDatos runs before any window exists: it sets every setting to its
// default, builds the fixed tables, reads the settings file, registers the
// glyph font and points the Swiss Ephemeris at the "dll" folder beside the
// executable. FinalizarDatos writes the settings file back, removes the font
// and closes the ephemeris library; a failed write is reported through the
// hook and the rest of the exit still runs.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings/ArchivoIni.h"
#include "app/settings/Configuracion.h"
#include "archetypes/ItemArq.h"

namespace varnolt {

// The file name every run starts with, in the folder of FileARQ, is
// kArchivoArqInicial (archetypes/ItemArq.h).

// Where the program's files are. Folders end in '/'.
struct RutasPrograma {
    std::string ejecutable;         // full path of the executable
    std::string archivoIni;         // the settings file (see RutasDelProgramaEnEjecucion)
    std::string carpetaImagenes;    // <exe folder>/img64/
    std::string carpetaEfemerides;  // <exe folder>/dll/
    std::string archivoFuente;      // <exe folder>/dll/encode02.dll, the glyph font
    std::string carpetaPersonal;    // the documents folder, no final '/' ("" unknown)
    std::string carpetaPlantillas;  // <docs>/quillmere/Orbelune plantillas/
};

// The paths of the program at 'ejecutable', its settings file beside it
// (the executable's path with ".ini").
RutasPrograma RutasDelPrograma(std::string_view ejecutable, std::string_view carpetaPersonal);
// The paths of the running program and the user's documents folder. The
// settings file is where UbicacionArchivoIni (app/settings/Instalacion.h)
// puts it: beside the executable, or "Varnolt.ini" in
// 'carpetaConfiguracion', Varnolt's folder in the user's configuration folder
// (by default CarpetaConfiguracionVarnolt(); the window passes Qt's).
RutasPrograma RutasDelProgramaEnEjecucion();
RutasPrograma RutasDelProgramaEnEjecucion(std::string_view carpetaConfiguracion);

// One aspect of the catalogue: number, name and angle in degrees.
struct TAspecto {
    std::int32_t Numero;
    std::string_view Nombre;
    double Angulo;
};
using CatalogoAspectos = std::array<TAspecto, kEntradasAspecto>;

// The permutation table of the suite's chart figures: 54 rows of 7 digits.
using TablaPermutaciones = std::array<std::array<std::uint8_t, 7>, 54>;

// What the window provides. Every hook may be left empty.
struct GanchosDatos {
    // Makes the glyph font file available to the program; undone by quitarFuente.
    std::function<void(const std::string& rutaFuente)> registrarFuente;
    std::function<void(const std::string& rutaFuente)> quitarFuente;
    // The settings file could not be written at exit: show it to the user.
    std::function<void(const ErrorEscritura& error)> errorEscritura;
    // The settings file is there but cannot be read (not a regular file,
    // over its bound, no permission): the defaults are used and the file is
    // left as it is. The text says so.
    std::function<void(const std::string& texto)> errorLectura;
};

struct DatosPrograma {
    RutasPrograma rutas;
    Configuracion config;
    // The suite's list of 31 view entries; not stored.
    std::vector<TView> vistasSuite;
    CatalogoAspectos aspectos{};
    TablaPermutaciones permutaciones{};
};

// Start-up: defaults, tables, the settings file, the font, the ephemeris path.
void IniciarDatos(DatosPrograma& datos, const RutasPrograma& rutas,
                  const GanchosDatos& ganchos = {});

// Exit: writes the settings file (its folder is made first when missing, as
// the user's configuration folder may be; a failure goes to
// ganchos.errorEscritura), removes the font, closes the ephemeris library.
// Returns the write error.
std::optional<ErrorEscritura> FinalizarDatos(DatosPrograma& datos,
                                             const GanchosDatos& ganchos = {});

// The settings as the start-up reads them (defaults, the view and aspect
// tables, then rutas.archivoIni), without touching the font or the ephemeris:
// what the program holds after IniciarDatos.
void CargarConfiguracion(DatosPrograma& datos, const RutasPrograma& rutas);
// The same from a settings file already read (whose read failure the caller
// reports).
void CargarConfiguracion(DatosPrograma& datos, const RutasPrograma& rutas, const ArchivoIni& ini);

// True when the program runs by itself: its executable is named exactly
// "Varnolt" (letter case included).
bool EsModoAutonomo(std::string_view rutaEjecutable);

// The archetype file the main window starts with: the folder of FileARQ
// followed by kArchivoArqInicial. Running by itself the program reads
// FileARQ again from the settings file; otherwise it takes the value read at
// start. A folder written with '\' is read with '/'.
std::string ArchivoArqInicial(const DatosPrograma& datos, bool modoAutonomo);
// The folder of a FileARQ value followed by kArchivoArqInicial.
std::string ArchivoArqEnCarpetaDe(std::string_view fileARQ);

}  // namespace varnolt
