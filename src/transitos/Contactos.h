// SPDX-License-Identifier: AGPL-3.0-or-later
// The contacts of one natal chart over a range of days: Varnolt's own model
// of a transit agenda (docs/agendas.md explains every number).
//
// Every day of the range is sampled once, at a fixed local hour in the zone
// of the birth. Each transit body is computed once per sample; every natal
// point and every aspect angle is then measured against that one position.
// A contact is a (transit body, natal point, angle) whose distance to the
// exact angle ("valor") is within the orb of that angle and that body.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Fecha.h"
#include "transitos/Contenido.h"
#include "transitos/Efemerides.h"
#include "transitos/Zona.h"

namespace varnolt {

struct Configuracion;

// The exact angle of a listed angle: 51 stands for the septile, 360/7.
double AnguloExacto(int angulo);
// The index of a listed angle in the settings' aspect catalogue.
int IndiceCatalogoAspecto(int angulo);

// One point of the natal chart.
struct PuntoNatal {
    std::string codigo;
    double longitud = 0;
    int indice = 0;  // in the natal point table (CodigoPuntoNatal)
};

struct CartaNatal {
    double diaJuliano = 0;  // UT of the birth
    double ascendente = 0;
    double medioCielo = 0;
    // The bodies (those with a position), NodS, NodST, RfD, RfN, Pr, PrT and
    // the cusps C01 to C12, in that order.
    std::vector<PuntoNatal> puntos;
};

// The natal chart of a birth instant and place, in a house system given by
// its Swiss Ephemeris letter.
CartaNatal CalcularCarta(Efemerides& efe, double diaJuliano, double latitud, double longitud,
                         char sistemaCasas);

// The house system of IdSysHousesNat: its letter, Placidus ('P') for 0 and
// for a number the table does not hold (then *conocido is false).
char SistemaCasas(int idSysHousesNat, bool* conocido = nullptr);

// The numbers of the model and what goes into the agenda.
struct ModeloAgenda {
    int horaDiaria = 12;  // local hour of each day's sample
    // Orb in degrees of each listed angle, before the body's factor.
    std::array<double, kNumAngulos> orbeAngulo{};
    // Factor of each transit body on the orb and on the weight.
    std::array<double, kNumCuerpos> factorOrbe{};
    std::array<double, kNumCuerpos> factorPeso{};
    // Factor of each listed angle and of each natal point on the weight.
    std::array<double, kNumAngulos> factorPesoAngulo{};
    std::array<double, kNumPuntosNatales> factorPesoPunto{};
    // The weight rises with the strength to this power: steep near the
    // exact aspect, little at the edge of the orb.
    double potenciaFuerza = 1;
    ContenidoAgenda contenido;

    double Orbe(Cuerpo c, int indiceAngulo) const {
        return orbeAngulo[indiceAngulo] * factorOrbe[static_cast<int>(c)];
    }
    // The factor of a natal point: 0 for the second end of an axis whose
    // first end is in the agenda, so that a contact with the axis counts
    // once.
    double FactorPunto(int indicePunto) const;
    // The weight of a contact of a written strength (percent, one decimal).
    double Peso(Cuerpo c, int indicePunto, int indiceAngulo, double fuerza) const;
};

// The documented tables.
ModeloAgenda ModeloPredeterminado();
// The orbs of the settings' natal-to-transit aspect setup (DataAspNatDin,
// "Asp<n>_Orbe") replace those of the table where they say something: a
// value above 0 and at most 15 other than 1, the value a settings file made
// from defaults holds everywhere.
void AplicarOrbesConfiguracion(ModeloAgenda& modelo, const Configuracion& config);

// The strength band (1 to 5) of a strength in percent.
int BandaDeFuerza(double fuerza);
// Its text, "0%-20%" to "80%-100%".
const char* TextoBanda(int banda);

struct Contacto {
    TFecha fecha = 0;
    Cuerpo transito = Cuerpo::Sol;
    int punto = 0;      // index in CartaNatal::puntos
    int angulo = 0;     // index in kAngulosAgenda
    double valor = 0;   // distance to the exact angle, degrees
    double fuerza = 0;  // percent, rounded to one decimal
    double peso = 0;
    bool aplicativo = false;  // the distance shrinks
    bool retrogrado = false;  // the transit body moves backwards
    double posNatal = 0;
    double posTransito = 0;
};

// The UT Julian day of each day's sample, from 'desde' to 'hasta'; empty
// for a calendar day that the zone skipped (a date-line change), which has
// no sample and no contacts.
std::vector<std::optional<double>> MuestrasDiarias(const ZonaHoraria& zona, TFecha desde,
                                                   TFecha hasta, int horaLocal);

// Computes the contacts day by day, in order of day, transit body, natal
// point and listed angle, of the bodies, points and angles of the model's
// content, handing each to 'salida' as it is found (nothing is kept). 'progreso' gets the
// percentage done after each day and returns false to stop; the result is then false.
bool CalcularContactos(Efemerides& efe, const CartaNatal& carta, const ZonaHoraria& zona,
                       TFecha desde, TFecha hasta, const ModeloAgenda& modelo,
                       const std::function<void(const Contacto&)>& salida,
                       const std::function<bool(int porcentaje)>& progreso = {});

// A contact of one transit position and one natal point (its longitude and
// its index in the natal point table) at one angle, or false when it is out
// of orb. Shared by the day loop and by checks.
bool MedirContacto(const ModeloAgenda& modelo, Cuerpo c, const Posicion& t, double natal,
                   int indicePunto, int indiceAngulo, Contacto& r);

}  // namespace varnolt
