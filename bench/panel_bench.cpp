// SPDX-License-Identifier: AGPL-3.0-or-later
// How well the agenda model separates days, over a panel of births.
//   panel_bench [CARTAS] [AÑO] [PERFIL]
// Draws CARTAS births (24 by default; seeded, so every run draws the same:
// several zones, born 1940-2009), computes the agenda of each for the year
// AÑO (2026) with the default model and PERFIL's content (the default
// profile), and weighs its days as the window does with its defaults (every
// item, the written weights, peaks at 60 % of the heaviest day). It prints
// per chart and as medians:
//   picos    share of the year's days that are peaks;
//   max/med  the heaviest day's weight over the median day's;
//   exactos  how many of the ten heaviest days hold an exact (>= 95 %)
//            conjunction, opposition, trine or square of Sol..Plu with Sol,
//            Lun, Mer, Ven, Mar, C01 or C10.
// The same figures follow for the baseline: the previous model (weight
// linear in the strength, no point factors, every body, point and angle).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "transitos/DatosCarta.h"

using namespace varnolt;

namespace {

struct Lugar {
    const char* zona;
    double lat;
    double lon;
};

constexpr Lugar kLugares[] = {
    {"Europe/Madrid", 40.42, -3.70},
    {"America/Mexico_City", 19.43, -99.13},
    {"America/Argentina/Buenos_Aires", -34.60, -58.38},
    {"America/Bogota", 4.71, -74.07},
    {"America/New_York", 40.71, -74.01},
    {"Asia/Tokyo", 35.68, 139.69},
    {"Australia/Sydney", -33.87, 151.21},
    {"Africa/Johannesburg", -26.20, 28.05},
    {"Asia/Kolkata", 28.61, 77.21},
    {"Europe/Berlin", 52.52, 13.40},
    {"America/Santiago", -33.45, -70.67},
    {"Europe/Moscow", 55.76, 37.62},
};

struct Cifras {
    double picos = 0;  // percent
    double razon = 0;
    int exactos = 0;
};

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

bool EsGolpeExacto(const Contacto& c, const CartaNatal& carta) {
    static const std::vector<std::string> kPuntos = {"Sol", "Lun", "Mer", "Ven",
                                                     "Mar", "C01", "C10"};
    const int a = kAngulosAgenda[static_cast<size_t>(c.angulo)];
    return c.fuerza >= 95.0 && static_cast<int>(c.transito) <= static_cast<int>(Cuerpo::Plu) &&
           (a == 0 || a == 180 || a == 120 || a == 90) &&
           std::find(kPuntos.begin(), kPuntos.end(), carta.puntos[c.punto].codigo) != kPuntos.end();
}

// The window's reading of the days: the written weight (three decimals)
// summed per day, peaks at 60 % of the heaviest day.
Cifras Medir(const std::vector<double>& peso, const std::vector<bool>& exacto) {
    Cifras r;
    const double maximo = *std::max_element(peso.begin(), peso.end());
    int picos = 0;
    for (double p : peso) {
        picos += maximo > 0 && p >= 0.6 * maximo ? 1 : 0;
    }
    r.picos = 100.0 * picos / static_cast<double>(peso.size());
    const double mediana = Mediana(peso);
    r.razon = mediana > 0 ? maximo / mediana : INFINITY;
    std::vector<size_t> orden(peso.size());
    for (size_t i = 0; i < orden.size(); ++i) {
        orden[i] = i;
    }
    std::stable_sort(orden.begin(), orden.end(),
                     [&](size_t a, size_t b) { return peso[a] > peso[b]; });
    for (size_t i = 0; i < 10 && i < orden.size(); ++i) {
        r.exactos += exacto[orden[i]] ? 1 : 0;
    }
    return r;
}

double Redondeado(double peso) {
    return std::round(peso * 1000.0) / 1000.0;
}

// The previous model's orb factors and weight of a contact.
constexpr std::array<double, kNumCuerpos> kOrbeAnterior = {1.25, 1.25, 1.0, 1.0,  1.0,  1.0,  1.0,
                                                           1.0,  1.0,  1.0, 0.75, 0.75, 0.75, 0.75,
                                                           0.75, 0.5,  0.5, 0.5,  0.5,  0.5};

double PesoAnterior(const Contacto& c) {
    static constexpr double kCuerpo[kNumCuerpos] = {1.0, 0.5, 1.0, 1.0, 1.5, 2.0, 3.0,
                                                    4.0, 4.0, 4.0, 2.0, 2.0, 1.5, 1.0,
                                                    3.0, 2.0, 1.0, 1.0, 1.0, 1.0};
    const int a = kAngulosAgenda[static_cast<size_t>(c.angulo)];
    const double fa = a == 0 || a == 180 || a == 120 || a == 90 ? 2.0 : (a == 60 ? 1.5 : 1.0);
    return c.fuerza / 100.0 * kCuerpo[static_cast<int>(c.transito)] * fa;
}

}  // namespace

int main(int argc, char** argv) {
    const int cartas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 24;
    const std::string anio = argc > 2 ? argv[2] : "2026";
    const std::string perfil = argc > 3 ? argv[3] : kPerfilPredeterminado;
    const ContenidoAgenda completo = *ContenidoDePerfil("Completo");

    std::mt19937 azar(18);
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    std::vector<double> picos, razones, exactos, picosAnt, razonesAnt, exactosAnt;
    std::printf("Panel de %d cartas, año %s, perfil %s; umbral de pico 60 %%\n", cartas,
                anio.c_str(), perfil.c_str());
    std::printf("%3s  %-16s %-31s %7s %8s %8s | %7s %8s %8s\n", "", "nacimiento", "zona", "picos%",
                "max/med", "exactos", "antes%", "max/med", "exactos");
    Efemerides efe;
    for (int n = 1; n <= cartas; ++n) {
        const Lugar& l = kLugares[entre(0, static_cast<int>(std::size(kLugares)) - 1)];
        char nacimiento[32];
        std::snprintf(nacimiento, sizeof nacimiento, "%04d-%02d-%02dT%02d:%02d", entre(1940, 2009),
                      entre(1, 12), entre(1, 28), entre(0, 23), entre(0, 59));
        char lugar[64];
        std::snprintf(lugar, sizeof lugar, "%.2f,%.2f", l.lat + entre(-100, 100) / 100.0,
                      l.lon + entre(-100, 100) / 100.0);
        std::string error;
        auto p = LeerPeticion({"Panel", nacimiento, l.zona, lugar, anio, anio, perfil, {}, {}, {}},
                              error);
        if (!p) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        const CartaNatal carta = CalcularCarta(efe, DiaJulianoDeUnix(p->zona.AUtc(p->nacimiento)),
                                               p->latitud, p->longitud, 'P');
        const size_t dias = static_cast<size_t>(p->hasta - p->desde + 1);

        auto medir = [&](const ModeloAgenda& m,
                         const std::function<double(const Contacto&)>& peso) {
            std::vector<double> pesoDia(dias, 0.0);
            std::vector<bool> exacto(dias, false);
            CalcularContactos(efe, carta, p->zona, p->desde, p->hasta, m, [&](const Contacto& c) {
                const size_t d = static_cast<size_t>(c.fecha - p->desde);
                pesoDia[d] += Redondeado(peso(c));
                exacto[d] = exacto[d] || EsGolpeExacto(c, carta);
            });
            return Medir(pesoDia, exacto);
        };
        ModeloAgenda m = p->modelo;
        const Cifras ahora = medir(m, [](const Contacto& c) { return c.peso; });
        m.contenido = completo;
        m.factorOrbe = kOrbeAnterior;
        const Cifras antes = medir(m, PesoAnterior);

        std::printf("%3d  %-16s %-31s %7.1f %8.2f %8d | %7.1f %8.2f %8d\n", n, nacimiento, l.zona,
                    ahora.picos, ahora.razon, ahora.exactos, antes.picos, antes.razon,
                    antes.exactos);
        picos.push_back(ahora.picos);
        razones.push_back(ahora.razon);
        exactos.push_back(ahora.exactos);
        picosAnt.push_back(antes.picos);
        razonesAnt.push_back(antes.razon);
        exactosAnt.push_back(antes.exactos);
    }
    std::printf("%3s  %-48s %7.1f %8.2f %8.1f | %7.1f %8.2f %8.1f\n", "", "mediana", Mediana(picos),
                Mediana(razones), Mediana(exactos), Mediana(picosAnt), Mediana(razonesAnt),
                Mediana(exactosAnt));
    std::printf("%3s  %-48s %7.1f %8.2f %8.0f | %7.1f %8.2f %8.0f\n", "", "peor carta",
                *std::max_element(picos.begin(), picos.end()),
                *std::min_element(razones.begin(), razones.end()),
                *std::min_element(exactos.begin(), exactos.end()),
                *std::max_element(picosAnt.begin(), picosAnt.end()),
                *std::min_element(razonesAnt.begin(), razonesAnt.end()),
                *std::min_element(exactosAnt.begin(), exactosAnt.end()));
    return 0;
}
