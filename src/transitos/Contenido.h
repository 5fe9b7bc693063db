// SPDX-License-Identifier: AGPL-3.0-or-later
// What goes into an agenda: which transit bodies, which natal points and
// which aspect angles, chosen one by one or through a named profile.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transitos/Efemerides.h"

namespace varnolt {

// The aspect angles of the agenda, in the order of the fixed angle list.
inline constexpr std::array<int, 19> kAngulosAgenda = {0,   180, 120, 90, 72, 60, 51, 45, 165, 150,
                                                       144, 135, 105, 75, 40, 36, 33, 30, 15};
inline constexpr int kNumAngulos = static_cast<int>(kAngulosAgenda.size());

// The points of a natal chart: the twenty bodies (in the order of Cuerpo),
// NodS, NodST, RfD, RfN, Pr, PrT and the cusps C01 to C12.
inline constexpr int kNumPuntosNatales = kNumCuerpos + 6 + 12;
std::string_view CodigoPuntoNatal(int indice);
// The index of a code ("Júp" or "Jup"), -1 when unknown.
int IndicePuntoNatal(std::string_view codigo);
// The other end of the axis of a point that is its second end (NodS → Nod,
// NodST → NodT, Pr → Lil, PrT → LilT, C04 → C10, C05 → C11, C06 → C12,
// C07 → C01, C08 → C02, C09 → C03); -1 for every other point.
int PrimerExtremoEje(int indice);

struct ContenidoAgenda {
    std::array<bool, kNumCuerpos> cuerpos{};
    std::array<bool, kNumPuntosNatales> puntos{};
    std::array<bool, kNumAngulos> angulos{};
    bool operator==(const ContenidoAgenda&) const = default;
};

// The named profiles, the default first.
struct PerfilAgenda {
    const char* nombre;
    const char* descripcion;
    ContenidoAgenda contenido;
};
const std::vector<PerfilAgenda>& PerfilesAgenda();
inline constexpr const char* kPerfilPredeterminado = "Esencial";
// The profile of a name (case does not matter), empty when unknown.
std::optional<ContenidoAgenda> ContenidoDePerfil(std::string_view nombre);
// The name of the profile that holds exactly this content, "" when none.
std::string PerfilDeContenido(const ContenidoAgenda& c);

// Lists as typed: codes or angles separated by commas or spaces; "todos"
// is every one. Each replaces its part of 'c'; false and the reason when a
// name is unknown or the list is empty.
bool LeerCuerpos(std::string_view lista, ContenidoAgenda& c, std::string& error);
bool LeerPuntos(std::string_view lista, ContenidoAgenda& c, std::string& error);
bool LeerAspectos(std::string_view lista, ContenidoAgenda& c, std::string& error);
// The same lists written back, comma-separated, in table order (UTF-8).
std::string TextoCuerpos(const ContenidoAgenda& c);
std::string TextoPuntos(const ContenidoAgenda& c);
std::string TextoAspectos(const ContenidoAgenda& c);

}  // namespace varnolt
