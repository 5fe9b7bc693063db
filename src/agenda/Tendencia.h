// One agenda contact: on a day a transiting body aspects an item of the natal
// chart, with a strength and a weight ("peso ponderado").
#pragma once

#include <cstdint>
#include <vector>

#include "agenda/Codigo.h"
#include "app/Fecha.h"

namespace varnolt {

struct TTendencia {
    std::int32_t Linea = 0;        // line index in its own file (first data line is 1)
    std::int32_t IdContacto = 0;   // number in front of ":" in the contact token
    std::int32_t AngContacto = 0;  // angle written in the contact token
    std::int32_t BandaFuerza = 1;  // 1 "0%-20%" … 5 "80%-100%"
    std::int32_t Aspecto = 0;      // aspect angle, whole degrees
    Codigo NatContacto;            // natal item code of the contact token
    Codigo TraContacto;            // transit item code of the contact token (cusp rule applied)
    Codigo ItemNatal;              // natal item column
    Codigo ItemTransito;           // transit item column
    TFecha Fecha = 0;              // day of the contact
    double Fuerza = 0;             // strength in percent
    double Peso = 0;               // weight of the contact on its day
    double Valor = 0;
    double PosNatal = 0;     // ecliptic longitude of the natal item, degrees
    double PosTransito = 0;  // ecliptic longitude of the transit item, degrees
};

// All loaded contacts, in ascending Fecha order after every loaded file.
using TTendencias = std::vector<TTendencia>;

}  // namespace varnolt
