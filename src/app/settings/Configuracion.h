// SPDX-License-Identifier: AGPL-3.0-or-later
// The settings the suite keeps in Varnolt.ini, as the program holds them.
//
// Twelve sections. Data, View, Apps and ViewPelliqor are lists of single
// settings (DefAjuste: key, form, default, rule) held in file order. ViewNat,
// ViewTra, ViewAPNat and ViewAPTra are view lists of 27 entries (keys
// "Peso<n>" and "Item<n>"); MatDig is a 27 × 12 matrix ("valmatdig_<i>_<j>");
// DataAspNat, DataAspDin and DataAspNatDin are aspect setups of 19 entries
// ("Asp<n>_Color", "Asp<n>_Width", "Asp<n>_Orbe", "Asp<n>_Peso").
//
// Running by itself the program uses only Data/FileARQ; everything else is
// read at start and written back at exit for the suite's other modules, in the
// forms and orders they expect, changed only by a few fixed rules:
//   - View: ViewPosCuspNat, ViewPosCuspDin, Especifico and HexaEsp are read
//     but kept false; Ciclos and SignosRx are not read and are always true;
//   - ViewAPTra: entries 9 to 26 are hidden after reading;
//   - a "Peso<n>" of 0 or less is not written (the file keeps its text);
//   - a MatDig cell below 1 has its key deleted;
//   - ViewPelliqor: ViewAspII and ViewAspIC are read, never written;
//   - the aspect setups come from the template files while the settings file
//     has none (DataAspDin/Asp0_Width missing or -1).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/settings/ArchivoIni.h"

namespace varnolt {

// ---------------------------------------------------------------------------
// Single settings

enum class Forma : std::uint8_t { Booleano, Entero, Color, Real, Cadena };

enum class Regla : std::uint8_t {
    Normal,
    SiempreFalso,   // read, but the value kept and written is false
    SoloEscritura,  // not read: always true, and written
    SoloLectura,    // read, never written
};

struct DefAjuste {
    std::string_view clave;
    Forma forma;
    double defecto = 0;         // booleans (0/1), integers, colours, reals
    std::string_view texto{};   // strings
    bool enDocumentos = false;  // 'texto' is a path under the documents folder
    Regla regla = Regla::Normal;
};

using ValorAjuste = std::variant<bool, std::int32_t, double, std::string>;

struct Ajuste {
    const DefAjuste* def;
    ValorAjuste valor;
};

struct SeccionAjustes {
    std::string_view nombre;
    std::vector<Ajuste> ajustes;  // in file order

    const Ajuste* Buscar(std::string_view clave) const;
    Ajuste* Buscar(std::string_view clave);
};

// The definitions, in file order.
std::span<const DefAjuste> DefinicionesData();
std::span<const DefAjuste> DefinicionesView();
std::span<const DefAjuste> DefinicionesApps();
std::span<const DefAjuste> DefinicionesViewPelliqor();

// ---------------------------------------------------------------------------
// View lists, MatDig, aspect setups

constexpr int kEntradasVista = 27;
constexpr int kFilasMatDig = 27;
constexpr int kColumnasMatDig = 12;
constexpr int kEntradasAspecto = 19;

// One entry of a view list.
struct TView {
    std::int32_t Indice = 0;
    std::int32_t Segundo = 1;  // the suite's second integer, 1 at creation
    std::int32_t Peso = 0;
    bool Visible = false;
};
using ListaVistas = std::array<TView, kEntradasVista>;

using MatrizDig = std::array<std::array<std::int32_t, kColumnasMatDig>, kFilasMatDig>;

// One entry of an aspect setup: the aspect of the same index in the
// aspect catalogue.
struct TSetupAspecto {
    std::int32_t Indice = 0;
    std::int32_t Color = 0;
    std::int32_t Width = 2;
    std::int32_t Peso = 1;
    double Orbe = 2;
};
using SetupAspectos = std::array<TSetupAspecto, kEntradasAspecto>;

// ---------------------------------------------------------------------------
// The whole configuration

struct Configuracion {
    SeccionAjustes Data;
    SeccionAjustes View;
    SeccionAjustes Apps;
    ListaVistas ViewNat{};
    ListaVistas ViewTra{};
    ListaVistas ViewAPNat{};
    ListaVistas ViewAPTra{};
    SeccionAjustes ViewPelliqor;
    MatrizDig MatDig{};
    SetupAspectos DataAspNat{};
    SetupAspectos DataAspDin{};
    SetupAspectos DataAspNatDin{};
    // The last read took the aspect setups from the template files.
    bool AspectosDePlantillas = false;

    // A single setting of Data, View, Apps or ViewPelliqor; throws
    // std::out_of_range for any other name.
    const ValorAjuste& Valor(std::string_view seccion, std::string_view clave) const;
    ValorAjuste& Valor(std::string_view seccion, std::string_view clave);
    bool Booleano(std::string_view seccion, std::string_view clave) const;
    std::int32_t Entero(std::string_view seccion, std::string_view clave) const;
    double Real(std::string_view seccion, std::string_view clave) const;
    const std::string& Cadena(std::string_view seccion, std::string_view clave) const;

    // The archetype file setting (Data/FileARQ).
    const std::string& FileARQ() const { return Cadena("Data", "FileARQ"); }
};

// The section names in the order a new file gets them.
extern const std::array<std::string_view, 12> kSeccionesConfig;

// The default of a definition: its number as its form, or its text (under
// the documents folder when it is a path there).
ValorAjuste ValorPredeterminado(const DefAjuste& def, std::string_view carpetaPersonal);

// Every setting at its default, the view lists and aspect setups as created
// and the default MatDig matrix.
Configuracion ConfiguracionPredeterminada(std::string_view carpetaPersonal);

// The default of Data/FileARQ.
std::string FileARQPredeterminado(std::string_view carpetaPersonal);

// The folder of the aspect template files ("<docs>/quillmere/Orbelune
// plantillas/").
std::string CarpetaPlantillas(std::string_view carpetaPersonal);

// The text a setting is written with ("1"/"0", decimal, real with the
// separator, the string).
std::string TextoAjuste(const ValorAjuste& valor, char separadorDecimal);

// ---------------------------------------------------------------------------
// Reading and writing

// Reads a view list: Peso<n> (default: the entry's Peso) and Item<n> (default
// true). Unless 'mantenerTodo', entries above 'limite' are hidden after the
// read.
void LeerVistas(const ArchivoIni& ini, std::string_view seccion, ListaVistas& lista, int limite,
                bool mantenerTodo);
// Writes a view list: Peso<n> only when above 0, then Item<n>.
void GuardarVistas(ArchivoIni& ini, std::string_view seccion, const ListaVistas& lista);

// Reads an aspect setup from the settings file (orb as a real).
void LeerSetupAsp(const ArchivoIni& ini, std::string_view seccion, SetupAspectos& setup);
// Reads an aspect setup from its template file "<seccion>.dat" in the
// template folder (orb as a whole number).
void LeerPlantillaAsp(std::string_view carpetaPlantillas, std::string_view seccion,
                      SetupAspectos& setup);
// Writes an aspect setup (orb as a real).
void GuardarSetupAsp(ArchivoIni& ini, std::string_view seccion, const SetupAspectos& setup);

// Reads every setting from the file, with the fixed rules.
void LeerConfig(Configuracion& config, const ArchivoIni& ini, std::string_view carpetaPlantillas);

// Writes every setting into the file in its fixed order, with the fixed rules.
void GuardarConfig(const Configuracion& config, ArchivoIni& ini);
// Opens the file at 'ruta' as it is now, writes every setting into it and
// saves it; the error when it could not be saved.
std::optional<ErrorEscritura> GuardarConfig(const Configuracion& config, const std::string& ruta);

}  // namespace varnolt
