// SPDX-License-Identifier: AGPL-3.0-or-later
// One agenda contact: on a day a transiting body aspects an item of the natal
// chart, with a strength and a weight ("peso ponderado").
#pragma once

#include <cstdint>
#include <vector>

#include "agenda/Codigo.h"
#include "app/Fecha.h"

namespace varnolt {

// What the analysis and the views read of a contact, and nothing more: the
// line's position, the contact number, the angle of the contact token and the
// "valor" column are checked by the reader (LineaAgenda) but not kept. The
// reals come first so that no field needs padding: 64 bytes, the last 7 of
// them the record's own tail.
struct TTendencia {
    double Fuerza = 0;            // strength in percent
    double Peso = 0;              // weight of the contact on its day
    double PosNatal = 0;          // ecliptic longitude of the natal item, degrees
    double PosTransito = 0;       // ecliptic longitude of the transit item, degrees
    Codigo NatContacto;           // natal item code of the contact token
    Codigo TraContacto;           // transit item code of the contact token (cusp rule applied)
    Codigo ItemNatal;             // natal item column
    Codigo ItemTransito;          // transit item column
    TFecha Fecha = 0;             // day of the contact
    std::int32_t Aspecto = 0;     // aspect angle, whole degrees
    std::int8_t BandaFuerza = 1;  // 1 "0%-20%" … 5 "80%-100%"
};
static_assert(sizeof(TTendencia) == 64);

// All loaded contacts, in ascending Fecha order after every loaded file.
using TTendencias = std::vector<TTendencia>;

}  // namespace varnolt
