// SPDX-License-Identifier: AGPL-3.0-or-later
// The contacts of a day and the detail of one contact, as texts: the rows of
// the contacts list, the strength bands, the distance between two days, the
// degree text of a longitude, the display names of items and signs, and the
// labels and memo lines that describe one contact with its archetype texts.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "agenda/Tendencia.h"
#include "archetypes/ItemArq.h"

namespace varnolt {

// The strength bands of the contacts window: 0 "T", 1 "0-40", 2 "40-80",
// 3 ">50", 4 ">80", 5 ">90".
bool PasaBanda(int banda, double fuerza);

// The list row of the contact at position `n` (from 1).
std::string FilaContacto(int n, const TTendencia& c);

// "Ord. por: [%d : %.2f]": the count shows 0 when the weights sum to 0.
std::string TituloOrdenContactos(int contactos, double suma);

// Years, months and days between a day and the reference date; "-" in front
// when the reference is later.
std::string TextoIntervalo(TFecha dia, TFecha referencia);

// A longitude as degrees, minutes and seconds within its sign.
std::string TextoGrados(double longitud);

// A real the way the suite writes one without a format: up to 15
// significant digits, no trailing zeros, the regional decimal separator.
std::string TextoReal(double valor);

// The 27 item codes and their display names, by position.
extern const std::array<std::string_view, 27> kCodigosTablaItems;
extern const std::array<std::string_view, 27> kNombresItems;
// The 12 sign codes (keys of the sign tables) and display names.
extern const std::array<std::string_view, 12> kCodigosSignos;
extern const std::array<std::string_view, 12> kNombresSignos;

// The sign number (0 Aries … 11 Piscis) of a longitude in 0 up to 360.
int SignoDe(double longitud);

struct TDetalleContacto {
    std::string LabelDetAspNatal;
    std::string LabelDetAspPos;
    std::string LabelDescItemTra;
    std::string LabelDescItemAsp;
    std::string LabelTipoNatal = "tu";
    std::string LabelDescItemNat;
    std::vector<std::string> MemoArq = {"-para ampliar arquetipo selecciona contacto-"};
};

// Looks a key up in a term table; "-" when it is not there.
using BuscadorArquetipo = std::function<std::string(const std::string&, TablaArq)>;

// The detail of a contact, its texts looked up with `buscar`.
TDetalleContacto MostrarDetalle(const TTendencia& c, const BuscadorArquetipo& buscar);

}  // namespace varnolt
