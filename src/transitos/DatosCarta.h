// SPDX-License-Identifier: AGPL-3.0-or-later
// The birth data and the range of an agenda as people type them, with the
// checks and the Spanish messages shared by varnolt-cli and the window; and
// the last chart entered, kept in Varnolt's own file in the user's
// configuration folder.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/Fecha.h"
#include "transitos/EscrituraAgenda.h"
#include "transitos/Zona.h"

namespace varnolt {

// The years an agenda may cover: the library's analytic mode holds them
// (the data files cover 1800 to 2399) and the calendar is Gregorian.
inline constexpr int kAnioMinimoAgenda = 1000;
inline constexpr int kAnioMaximoAgenda = 2999;
// The longest range, in years, of one agenda.
inline constexpr int kAniosMaximosAgenda = 100;
// The longest chart name, in characters: what the window's field takes. The
// name goes on every line of the agenda.
inline constexpr std::size_t kLargoMaximoNombre = 32767;

// The texts as typed.
struct TextosCarta {
    std::string nombre;
    std::string nacimiento;  // AAAA-MM-DDTHH:MM
    std::string zona;        // IANA name or ±HH:MM
    std::string lugar;       // LAT,LON
    std::string desde;       // AAAA or AAAA-MM-DD
    std::string hasta;
    // What goes into the agenda: a profile's name and lists that replace
    // its parts (ContenidoAgenda); empty is the default profile.
    std::string perfil;
    std::string cuerpos;
    std::string puntos;
    std::string aspectos;
};

// How the messages name the two ends of the range: the command's options,
// or the window's fields.
struct NombresRango {
    const char* desde = "--desde";
    const char* hasta = "--hasta";
};

// "AAAA-MM-DDTHH:MM" (also with a space for the T); empty and the reason.
std::optional<HoraLocal> LeerNacimiento(std::string_view texto, std::string& error);
// "LAT,LON" in decimal degrees, north and east positive.
bool LeerLugar(std::string_view texto, double& latitud, double& longitud, std::string& error);
// A range end: "AAAA" (1 January, or 31 December when 'final') or
// "AAAA-MM-DD".
std::optional<TFecha> LeerLimite(std::string_view texto, bool final, std::string& error);

// The characters of a UTF-8 text.
std::size_t LargoUtf8(std::string_view utf8);

// All of it checked into a request; empty and the first reason when some
// text does not hold. An empty 'desde' is the current year; an empty
// 'hasta' is the end of the year of 'desde'.
std::optional<PeticionAgenda> LeerPeticion(const TextosCarta& t, std::string& error,
                                           const NombresRango& nombres = {});
// The content of the texts: the profile (the default one when empty) with
// the lists given replacing their parts.
std::optional<ContenidoAgenda> LeerContenido(const TextosCarta& t, std::string& error);

// Varnolt's file of the last chart: <config>/Varnolt/ultima_carta.ini, where
// <config> is $XDG_CONFIG_HOME, else ~/.config (CarpetaConfiguracionVarnolt);
// "" when no home is known.
std::string ArchivoUltimaCarta();
// Reads it (UTF-8 "clave=valor" lines); empty when absent or when it cannot
// be read (not a regular file, over 1 MB).
std::optional<TextosCarta> LeerUltimaCarta(const std::string& ruta);
// Writes it through the program's file edges, keeping the lines it does not
// own; false when it cannot (also when the file there could not be read:
// it is left as it is).
bool GuardarUltimaCarta(const std::string& ruta, const TextosCarta& t);

}  // namespace varnolt

namespace varnolt {
struct Configuracion;
class ArchivoIni;
// A notice when Data/IdSysHousesNat of the settings file is there but is no
// whole 32-bit number (2147483648, 1e9, 5.5): its default, Placidus, is used.
std::string AvisoSistemaCasasIni(const ArchivoIni& ini);
// The house system (Data/IdSysHousesNat) and the orbs (DataAspNatDin) of
// the settings into a request; a notice when the house system is unknown.
void AplicarConfiguracion(PeticionAgenda& p, const Configuracion& config, std::string* aviso);
}  // namespace varnolt
