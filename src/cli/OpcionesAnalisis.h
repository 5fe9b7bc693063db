// SPDX-License-Identifier: AGPL-3.0-or-later
// The analysis options shared by the commands that load agendas and act like
// the main window's controls: --anios, --periodo, --natal, --transito,
// --aspecto, --umbral, --sin-picos, --ver and --orden (see "varnolt-cli
// resumen --help").
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/Picos.h"
#include "app/FormVarnolt.h"
#include "cli/Comandos.h"

namespace varnolt {

struct OpcionesAnalisis {
    std::vector<std::string> anios;
    std::optional<int> periodo;
    std::optional<std::vector<std::string>> natal;
    std::optional<std::vector<std::string>> transito;
    std::optional<std::vector<std::string>> aspecto;
    std::optional<std::string> umbral;
    bool sinPicos = false;
    std::optional<TipoFecha> ver;
    std::optional<OrdenFecha> orden;
    std::vector<std::string> agendas;
};

enum class LecturaOpcion {
    NoEs,   // not an analysis option: the command reads it
    Leida,  // read, with its value when it has one (i moved past it)
    Error,  // a bad value or a missing one: `motivo` says which
};

// Reads args[i] when it is an analysis option.
LecturaOpcion LeerOpcionAnalisis(const Argumentos& args, size_t& i, OpcionesAnalisis& o,
                                 std::string& motivo);

// Walks a command's arguments: "--help" or "-h" prints `ayuda` and ends with
// 0; every argument `leer` knows is read; any other "--" option is bad usage
// (`uso` writes it and gives the exit code); the rest are agendas. Returns
// the exit code to end with, or no value when the command goes on.
std::optional<int> LeerArgumentos(
    const Argumentos& args, const char* ayuda, std::ostream& out,
    const std::function<LecturaOpcion(size_t& i, std::string& motivo)>& leer,
    const std::function<int(const std::string& motivo)>& uso, std::vector<std::string>& agendas);

// A comma-separated list without its empty parts.
std::vector<std::string> SepararLista(const std::string& lista);

// Selects exactly the named rows of a list; false names the first missing one.
bool SeleccionarFilas(TListBox& lista, const std::vector<std::string>& textos,
                      std::string& faltante);

// Applies the options to a loaded window in the order of resumen: years,
// period, natal items, transit items (these two only when `conItems`),
// angles, threshold, peaks, "Ver:" and "Ordenar por:". Returns the usage
// error (a year, item or angle not in the data), empty when all applied.
std::string AplicarOpcionesAnalisis(TFormVarnolt& form, const OpcionesAnalisis& o, bool conItems);

}  // namespace varnolt
