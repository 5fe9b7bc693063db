// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "app/settings/ArchivoIni.h"
#include "app/settings/Configuracion.h"
#include "transitos/Contactos.h"
#include "transitos/DatosCarta.h"

namespace varnolt {
namespace {

PeticionAgenda Peticion(const std::string& desde, const std::string& hasta) {
    std::string error;
    auto p = LeerPeticion({"Prueba",
                           "1985-06-15T14:30",
                           "Europe/Madrid",
                           "40.4168,-3.7038",
                           desde,
                           hasta,
                           {},
                           {},
                           {},
                           {}},
                          error);
    EXPECT_TRUE(p) << error;
    return *p;
}

using Clave = std::tuple<TFecha, int, int, int>;  // day, body, point, angle

// The reference: every day, every body, every natal point and every angle,
// each body asked for again for every point, the separation taken from the
// cosine of the difference, the applying flag from the position a minute
// later.
TEST(Contactos, AgreeWithABruteForceReferenceOverOneYear) {
    PeticionAgenda p = Peticion("2026", "2026");
    p.modelo.contenido = *ContenidoDePerfil("Completo");
    // The second end of each axis counts nothing when the first is there.
    const std::set<std::string> segundos = {"NodS", "NodST", "Pr",  "PrT", "C04",
                                            "C05",  "C06",   "C07", "C08", "C09"};
    Efemerides efe;
    const CartaNatal carta =
        CalcularCarta(efe, DiaJulianoDeUnix(p.zona.AUtc(p.nacimiento)), p.latitud, p.longitud, 'P');
    ASSERT_EQ(carta.puntos.size(), 20u + 6u + 12u);

    std::map<Clave, Contacto> calculados;
    ASSERT_TRUE(
        CalcularContactos(efe, carta, p.zona, p.desde, p.hasta, p.modelo, [&](const Contacto& c) {
            calculados[{c.fecha, static_cast<int>(c.transito), c.punto, c.angulo}] = c;
        }));

    const auto muestras = MuestrasDiarias(p.zona, p.desde, p.hasta, 12);
    ASSERT_EQ(muestras.size(), 365u);
    const double rad = M_PI / 180.0;
    std::map<Clave, Contacto> referencia;
    size_t aplicativosComparados = 0;
    for (size_t d = 0; d < muestras.size(); ++d) {
        for (int b = 0; b < kNumCuerpos; ++b) {
            for (size_t pt = 0; pt < carta.puntos.size(); ++pt) {
                const Posicion t = efe.Calcular(static_cast<Cuerpo>(b), *muestras[d]);
                const Posicion luego =
                    efe.Calcular(static_cast<Cuerpo>(b), *muestras[d] + 1.0 / 1440.0);
                const double n = carta.puntos[pt].longitud;
                const double sep = std::acos(std::cos((t.longitud - n) * rad)) / rad;
                const double sepLuego = std::acos(std::cos((luego.longitud - n) * rad)) / rad;
                for (size_t k = 0; k < kAngulosAgenda.size(); ++k) {
                    const double exacto = kAngulosAgenda[k] == 51 ? 360.0 / 7 : kAngulosAgenda[k];
                    const double v = std::fabs(sep - exacto);
                    const double orbe =
                        p.modelo.orbeAngulo[k] * p.modelo.factorOrbe[static_cast<size_t>(b)];
                    if (v > orbe + 1e-9) {
                        continue;
                    }
                    Contacto c;
                    c.valor = v;
                    c.fuerza = 100.0 * (orbe - v) / orbe;
                    // The weight of the written strength.
                    const double escrita = std::round(c.fuerza * 10.0) / 10.0;
                    const std::string& codigo = carta.puntos[pt].codigo;
                    c.peso =
                        std::pow(escrita / 100.0, p.modelo.potenciaFuerza) *
                        p.modelo.factorPeso[b] * p.modelo.factorPesoAngulo[k] *
                        (segundos.count(codigo)
                             ? 0.0
                             : p.modelo
                                   .factorPesoPunto[static_cast<size_t>(IndicePuntoNatal(codigo))]);
                    c.aplicativo = std::fabs(sepLuego - exacto) < v;
                    c.retrogrado = t.velocidad < 0;
                    c.posNatal = n;
                    c.posTransito = t.longitud;
                    referencia[{p.desde + static_cast<TFecha>(d), b, static_cast<int>(pt),
                                static_cast<int>(k)}] = c;
                }
            }
        }
    }

    // The same contacts, except those exactly at the edge of the orb, where
    // rounding of the two separations may differ.
    size_t borde = 0;
    for (const auto& [clave, r] : referencia) {
        const auto it = calculados.find(clave);
        if (it == calculados.end()) {
            EXPECT_LT(r.fuerza, 1e-6) << "falta un contacto";
            ++borde;
            continue;
        }
        const Contacto& c = it->second;
        EXPECT_NEAR(c.valor, r.valor, 1e-6);
        EXPECT_NEAR(c.fuerza, r.fuerza, 0.05 + 1e-9);
        // The file's weight is that of its strength.
        EXPECT_DOUBLE_EQ(
            c.peso, p.modelo.Peso(c.transito, carta.puntos[c.punto].indice, c.angulo, c.fuerza));
        EXPECT_NEAR(c.peso, r.peso, 1e-9);
        EXPECT_EQ(c.retrogrado, r.retrogrado);
        EXPECT_DOUBLE_EQ(c.posNatal, r.posNatal);
        EXPECT_DOUBLE_EQ(c.posTransito, r.posTransito);
        // A minute's step reads the motion as the speed does, unless the
        // body stands still or sits on the exact angle.
        if (r.valor > 0.05) {
            EXPECT_EQ(c.aplicativo, r.aplicativo)
                << std::get<1>(clave) << " " << std::get<2>(clave) << " " << std::get<3>(clave);
            ++aplicativosComparados;
        }
    }
    EXPECT_EQ(calculados.size() + borde, referencia.size());
    for (const auto& [clave, c] : calculados) {
        EXPECT_TRUE(referencia.count(clave)) << "contacto de más";
    }
    EXPECT_GT(calculados.size(), 30000u);
    EXPECT_GT(aplicativosComparados, 20000u);
}

TEST(Contactos, NatalPointsFollowTheirDefinitions) {
    const PeticionAgenda p = Peticion("2026", "2026");
    Efemerides efe;
    const double jd = DiaJulianoDeUnix(p.zona.AUtc(p.nacimiento));
    const CartaNatal carta = CalcularCarta(efe, jd, p.latitud, p.longitud, 'P');
    std::map<std::string, double> lon;
    for (const PuntoNatal& pt : carta.puntos) {
        lon[pt.codigo] = pt.longitud;
    }
    auto mod = [](double g) { return std::fmod(std::fmod(g, 360.0) + 360.0, 360.0); };
    EXPECT_NEAR(lon["NodS"], mod(lon["Nod"] + 180), 1e-9);
    EXPECT_NEAR(lon["NodST"], mod(lon["NodT"] + 180), 1e-9);
    EXPECT_NEAR(lon["Pr"], mod(lon["Lil"] + 180), 1e-9);
    EXPECT_NEAR(lon["PrT"], mod(lon["LilT"] + 180), 1e-9);
    EXPECT_NEAR(lon["RfD"], mod(carta.ascendente + lon["Lun"] - lon["Sol"]), 1e-9);
    EXPECT_NEAR(lon["RfN"], mod(carta.ascendente + lon["Sol"] - lon["Lun"]), 1e-9);
    EXPECT_NEAR(lon["C01"], carta.ascendente, 1e-9);
    EXPECT_NEAR(lon["C10"], carta.medioCielo, 1e-9);
    // Whole signs: every cusp at 0° of a sign.
    const CartaNatal enteros = CalcularCarta(efe, jd, p.latitud, p.longitud, SistemaCasas(5));
    EXPECT_NEAR(std::fmod(enteros.puntos.back().longitud, 30.0), 0.0, 1e-9);
}

TEST(Contactos, StrengthBandAndWeight) {
    const ModeloAgenda m = ModeloPredeterminado();
    const int sol = IndicePuntoNatal("Sol");
    struct Caso {
        Cuerpo c;
        double transito, natal;
        const char* punto;
        int angulo;  // index in kAngulosAgenda
        bool hay;
        double fuerza, peso;
        int banda;
    };
    const Caso casos[] = {
        // Pluto exact square to the Sun: 100%, 4 × 2 × 1.
        {Cuerpo::Plu, 100.0, 10.0, "Sol", 3, true, 100.0, 8.0, 5},
        // Saturn's opposition orb is 3 × 0.7 = 2.1°: 1.05° is 50%, and the
        // weight falls steeply: 0.5^6 × 2.5 × 2.
        {Cuerpo::Sat, 190.0 + 1.05, 10.0, "Sol", 1, true, 50.0, 0.078125, 3},
        // The Sun's orb is 3 × 1.25: 3.6° from the trine is within it, and
        // weighs almost nothing.
        {Cuerpo::Sol, 130.0 + 3.6, 10.0, "Mar", 2, true, 4.0, 6.144e-9, 1},
        // Across 0°: 359 and 1 are 2° apart, a conjunction of Mars at 33.3%.
        {Cuerpo::Mar, 359.0, 1.0, "C01", 0, true, 33.3, std::pow(0.333, 6) * 3.0, 2},
        // The weight is that of the written strength: 1 − 0.14/3 = 95.33…%
        // is written 95.3%, and 0.953^6 × 2 × 1.5 × 0.6 gives the weight.
        {Cuerpo::Mar, 130.0 + 0.14, 10.0, "Sat", 2, true, 95.3,
         std::pow(0.953, 6) * 1.5 * 1.5 * 0.6, 5},
        // An intermediate cusp weighs a quarter of a personal planet.
        {Cuerpo::Ura, 10.0, 10.0, "C02", 0, true, 100.0, 3.0 * 2.0 * 0.25, 5},
        // Ceres' quindecile orb is 0.5: 0.6° is outside.
        {Cuerpo::Cer, 25.6, 10.0, "Sol", 18, false, 0, 0, 0},
        // The septile is 360/7, not 51, and a minor angle weighs a quarter.
        {Cuerpo::Ura, 10.0 + 360.0 / 7.0, 10.0, "Sol", 6, true, 100.0, 0.75, 5},
        // Uranus' orb is 1.5°: 1.6° from a conjunction is outside.
        {Cuerpo::Ura, 11.6, 10.0, "Sol", 0, false, 0, 0, 0},
        // The Moon weighs a quarter of the Sun.
        {Cuerpo::Lun, 100.0, 10.0, "Sol", 3, true, 100.0, 0.5, 5},
    };
    for (const Caso& k : casos) {
        Contacto r;
        const bool hay = MedirContacto(m, k.c, {k.transito, 1.0, true}, k.natal,
                                       IndicePuntoNatal(k.punto), k.angulo, r);
        ASSERT_EQ(hay, k.hay) << CodigoCuerpo(k.c) << " " << k.punto;
        if (hay) {
            EXPECT_NEAR(r.fuerza, k.fuerza, 0.051) << CodigoCuerpo(k.c);
            EXPECT_NEAR(r.peso, k.peso, k.peso * 1e-3 + 1e-12) << CodigoCuerpo(k.c);
            EXPECT_EQ(BandaDeFuerza(r.fuerza), k.banda) << CodigoCuerpo(k.c);
        }
    }
    // Slower planets weigh more, in order.
    for (int i = static_cast<int>(Cuerpo::Mar); i < static_cast<int>(Cuerpo::Plu); ++i) {
        EXPECT_LT(m.factorPeso[i], m.factorPeso[i + 1]) << CodigoCuerpo(static_cast<Cuerpo>(i));
    }
    EXPECT_GT(m.Peso(Cuerpo::Sol, sol, 0, 100.0), 0.0);
    EXPECT_STREQ(TextoBanda(BandaDeFuerza(19.99)), "0%-20%");
    EXPECT_STREQ(TextoBanda(BandaDeFuerza(20.0)), "20%-40%");
    EXPECT_STREQ(TextoBanda(BandaDeFuerza(100.0)), "80%-100%");
}

// An axis counts once: the south node, Priapus and the cusps opposite
// another weigh nothing while their first end is in the agenda, and as
// their own point when it is not.
TEST(Contactos, AnAxisCountsOnce) {
    ModeloAgenda m = ModeloPredeterminado();
    m.contenido = *ContenidoDePerfil("Completo");
    for (const char* segundo : {"NodS", "NodST", "Pr", "PrT", "C04", "C07", "C09"}) {
        EXPECT_EQ(m.FactorPunto(IndicePuntoNatal(segundo)), 0.0) << segundo;
    }
    for (const char* primero : {"Nod", "Lil", "C01", "C10", "C03", "Sol", "RfD"}) {
        EXPECT_GT(m.FactorPunto(IndicePuntoNatal(primero)), 0.0) << primero;
    }
    std::string error;
    ASSERT_TRUE(LeerPuntos("Sol,C07", m.contenido, error));
    EXPECT_EQ(m.FactorPunto(IndicePuntoNatal("C07")), 1.0);
}

TEST(Contactos, SettingsGiveTheHouseSystemAndTheOrbs) {
    const auto carpeta = std::filesystem::temp_directory_path() / "varnolt-transitos-config";
    std::filesystem::create_directories(carpeta);
    const std::string ini = (carpeta / "Varnolt.ini").string();
    // Conjunction (catalogue 0) 8°, square (6) left at the 1 of defaults,
    // septile (16) 0.5°.
    std::ofstream(ini) << "[Data]\nIdSysHousesNat=1\n[DataAspDin]\nAsp0_Width=2\n"
                          "[DataAspNatDin]\nAsp0_Orbe=8\nAsp6_Orbe=1\nAsp16_Orbe=0.5\n";
    Configuracion config = ConfiguracionPredeterminada("");
    LeerConfig(config, ArchivoIni(ini), "");
    PeticionAgenda p = Peticion("2026", "2026");
    std::string aviso;
    AplicarConfiguracion(p, config, &aviso);
    EXPECT_EQ(aviso, "");
    EXPECT_EQ(p.sistemaCasas, 'K');
    EXPECT_DOUBLE_EQ(p.modelo.orbeAngulo[0], 8.0);  // 0
    EXPECT_DOUBLE_EQ(p.modelo.orbeAngulo[3], 3.0);  // 90: the table
    EXPECT_DOUBLE_EQ(p.modelo.orbeAngulo[6], 0.5);  // 51
    EXPECT_DOUBLE_EQ(p.modelo.Orbe(Cuerpo::Sol, 0), 10.0);

    std::ofstream(ini) << "[Data]\nIdSysHousesNat=42\n";
    config = ConfiguracionPredeterminada("");
    LeerConfig(config, ArchivoIni(ini), "");
    AplicarConfiguracion(p, config, &aviso);
    EXPECT_EQ(p.sistemaCasas, 'P');
    EXPECT_NE(aviso.find("IdSysHousesNat=42"), std::string::npos);
    std::filesystem::remove_all(carpeta);
}

// Kiritimati went from 30 December 1994 to 1 January 1995: the day that
// never was has no contacts, and the next day is not counted twice.
TEST(Contactos, ASkippedCalendarDayHasNoContacts) {
    std::string error;
    auto p = LeerPeticion({"",
                           "1985-06-15T14:30",
                           "Pacific/Kiritimati",
                           "1.87,-157.4",
                           "1994-12-29",
                           "1995-01-02",
                           "Completo",
                           {},
                           {},
                           {}},
                          error);
    ASSERT_TRUE(p) << error;
    Efemerides efe;
    const CartaNatal carta = CalcularCarta(efe, DiaJulianoDeUnix(p->zona.AUtc(p->nacimiento)),
                                           p->latitud, p->longitud, 'P');
    std::map<TFecha, std::vector<double>> lunaPorDia;
    CalcularContactos(efe, carta, p->zona, p->desde, p->hasta, p->modelo, [&](const Contacto& c) {
        if (c.transito == Cuerpo::Lun) {
            lunaPorDia[c.fecha].push_back(c.posTransito);
        }
    });
    const TFecha omitido = CodificarFecha(1994, 12, 31);
    EXPECT_EQ(lunaPorDia.count(omitido), 0u);
    for (TFecha d : {omitido - 1, omitido + 1, omitido + 2}) {
        EXPECT_EQ(lunaPorDia.count(d), 1u) << d;
    }
    // The Moon moves about 13° a day between the samples on each side.
    const auto muestras = MuestrasDiarias(p->zona, p->desde, p->hasta, 12);
    ASSERT_EQ(muestras.size(), 5u);
    EXPECT_FALSE(muestras[2]);
    EXPECT_NEAR(*muestras[3] - *muestras[1], 1.0, 1e-9);
}

TEST(Contactos, CancelStopsTheComputation) {
    const PeticionAgenda p = Peticion("2026", "2030");
    Efemerides efe;
    const CartaNatal carta =
        CalcularCarta(efe, DiaJulianoDeUnix(p.zona.AUtc(p.nacimiento)), p.latitud, p.longitud, 'P');
    TFecha ultimo = 0;
    int llamadas = 0;
    const bool hecho = CalcularContactos(
        efe, carta, p.zona, p.desde, p.hasta, p.modelo,
        [&](const Contacto& c) { ultimo = c.fecha; }, [&](int) { return ++llamadas < 3; });
    EXPECT_FALSE(hecho);
    EXPECT_EQ(llamadas, 3);
    EXPECT_LT(ultimo, p.desde + 60);
}

}  // namespace
}  // namespace varnolt
