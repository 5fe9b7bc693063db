#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

#include "app/settings/ArchivoIni.h"
#include "app/settings/Configuracion.h"
#include "transitos/Contactos.h"
#include "transitos/DatosCarta.h"

namespace varnolt {
namespace {

PeticionAgenda Peticion(const std::string& desde, const std::string& hasta) {
    std::string error;
    auto p = LeerPeticion(
        {"Prueba", "1985-06-15T14:30", "Europe/Madrid", "40.4168,-3.7038", desde, hasta}, error);
    EXPECT_TRUE(p) << error;
    return *p;
}

using Clave = std::tuple<TFecha, int, int, int>;  // day, body, point, angle

// The reference: every day, every body, every natal point and every angle,
// each body asked for again for every point, the separation taken from the
// cosine of the difference, the applying flag from the position a minute
// later.
TEST(Contactos, AgreeWithABruteForceReferenceOverOneYear) {
    const PeticionAgenda p = Peticion("2026", "2026");
    Efemerides efe;
    const CartaNatal carta =
        CalcularCarta(efe, DiaJulianoDeUnix(p.zona.AUtc(p.nacimiento)), p.latitud, p.longitud, 'P');
    ASSERT_EQ(carta.puntos.size(), 20u + 6u + 12u);

    std::map<Clave, Contacto> calculados;
    ASSERT_TRUE(
        CalcularContactos(efe, carta, p.zona, p.desde, p.hasta, p.modelo, [&](const Contacto& c) {
            calculados[{c.fecha, static_cast<int>(c.transito), c.punto, c.angulo}] = c;
        }));

    const std::vector<double> muestras = MuestrasDiarias(p.zona, p.desde, p.hasta, 12);
    ASSERT_EQ(muestras.size(), 365u);
    const double rad = M_PI / 180.0;
    std::map<Clave, Contacto> referencia;
    size_t aplicativosComparados = 0;
    for (size_t d = 0; d < muestras.size(); ++d) {
        for (int b = 0; b < kNumCuerpos; ++b) {
            for (size_t pt = 0; pt < carta.puntos.size(); ++pt) {
                const Posicion t = efe.Calcular(static_cast<Cuerpo>(b), muestras[d]);
                const Posicion luego =
                    efe.Calcular(static_cast<Cuerpo>(b), muestras[d] + 1.0 / 1440.0);
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
                    c.peso =
                        c.fuerza / 100.0 * p.modelo.factorPeso[b] * p.modelo.factorPesoAngulo[k];
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
        EXPECT_NEAR(c.peso, r.peso, 1e-6);
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
    struct Caso {
        Cuerpo c;
        double transito, natal;
        int angulo;  // index in kAngulosAgenda
        bool hay;
        double fuerza, peso;
        int banda;
    };
    const Caso casos[] = {
        // Pluto exact square: 100%, 4 × 2.
        {Cuerpo::Plu, 100.0, 10.0, 3, true, 100.0, 8.0, 5},
        // Saturn 1.5° from an opposition (orb 3): 50%, 0.5 × 3 × 2.
        {Cuerpo::Sat, 190.0 + 1.5, 10.0, 1, true, 50.0, 3.0, 3},
        // The Sun's orb is 3 × 1.25: 3.6° from the trine is within it.
        {Cuerpo::Sol, 130.0 + 3.6, 10.0, 2, true, 4.0, 0.08, 1},
        // Across 0°: 359 and 1 are 2° apart, a conjunction of Mars at 33.3%.
        {Cuerpo::Mar, 359.0, 1.0, 0, true, 33.3, 1.0, 2},
        // Ceres' quindecile orb is 0.5: 0.6° is outside.
        {Cuerpo::Cer, 25.6, 10.0, 18, false, 0, 0, 0},
        // The septile is 360/7, not 51.
        {Cuerpo::Ura, 10.0 + 360.0 / 7.0, 10.0, 6, true, 100.0, 4.0, 5},
    };
    for (const Caso& k : casos) {
        Contacto r;
        const bool hay = MedirContacto(m, k.c, {k.transito, 1.0, true}, k.natal, k.angulo, r);
        ASSERT_EQ(hay, k.hay) << CodigoCuerpo(k.c);
        if (hay) {
            EXPECT_NEAR(r.fuerza, k.fuerza, 0.051) << CodigoCuerpo(k.c);
            EXPECT_NEAR(r.peso, k.peso, 0.01) << CodigoCuerpo(k.c);
            EXPECT_EQ(BandaDeFuerza(r.fuerza), k.banda) << CodigoCuerpo(k.c);
        }
    }
    EXPECT_STREQ(TextoBanda(BandaDeFuerza(19.99)), "0%-20%");
    EXPECT_STREQ(TextoBanda(BandaDeFuerza(20.0)), "20%-40%");
    EXPECT_STREQ(TextoBanda(BandaDeFuerza(100.0)), "80%-100%");
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
