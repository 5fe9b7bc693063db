// SPDX-License-Identifier: AGPL-3.0-or-later
#include "transitos/Efemerides.h"

#include <dirent.h>
#include <swephexp.h>
#include <sys/stat.h>

#include <cmath>

namespace varnolt {
namespace {

struct DefCuerpo {
    std::string_view codigo;
    int swe;
};

constexpr std::array<DefCuerpo, kNumCuerpos> kCuerpos = {{
    {"Sol", SE_SUN},       {"Lun", SE_MOON},         {"Mer", SE_MERCURY},   {"Ven", SE_VENUS},
    {"Mar", SE_MARS},      {"J\u00fap", SE_JUPITER}, {"Sat", SE_SATURN},    {"Ura", SE_URANUS},
    {"Nep", SE_NEPTUNE},   {"Plu", SE_PLUTO},        {"Nod", SE_MEAN_NODE}, {"NodT", SE_TRUE_NODE},
    {"Lil", SE_MEAN_APOG}, {"LilT", SE_OSCU_APOG},   {"Qui", SE_CHIRON},    {"Pho", SE_PHOLUS},
    {"Cer", SE_CERES},     {"Pal", SE_PALLAS},       {"Jun", SE_JUNO},      {"Ves", SE_VESTA},
}};

double Normalizar(double grados) {
    double r = std::fmod(grados, 360.0);
    if (r < 0) {
        r += 360.0;
    }
    return r >= 360.0 ? 0.0 : r;
}

}  // namespace

std::string_view CodigoCuerpo(Cuerpo c) {
    return kCuerpos[static_cast<int>(c)].codigo;
}

int NumeroSwe(Cuerpo c) {
    return kCuerpos[static_cast<int>(c)].swe;
}

bool EsAsteroide(Cuerpo c) {
    return static_cast<int>(c) >= static_cast<int>(Cuerpo::Qui);
}

std::string ComprobarCarpetaEfemerides(const std::string& carpetas) {
    std::size_t inicio = 0;
    while (inicio <= carpetas.size()) {
        std::size_t fin = carpetas.find_first_of(":;", inicio);
        if (fin == std::string::npos) {
            fin = carpetas.size();
        }
        const std::string carpeta = carpetas.substr(inicio, fin - inicio);
        inicio = fin + 1;
        DIR* dir = carpeta.empty() ? nullptr : ::opendir(carpeta.c_str());
        if (dir == nullptr) {
            continue;
        }
        std::string error;
        while (const dirent* e = ::readdir(dir)) {
            const std::string_view nombre = e->d_name;
            // The library's data files: planets, moons and asteroids (.se1),
            // the JPL files (.eph), and its tables (.txt, .cat).
            const bool suyo = nombre.ends_with(".se1") || nombre.ends_with(".eph") ||
                              nombre.ends_with(".txt") || nombre.ends_with(".cat");
            struct stat st {};
            if (suyo && ::fstatat(::dirfd(dir), e->d_name, &st, 0) == 0 && !S_ISREG(st.st_mode) &&
                !S_ISDIR(st.st_mode)) {
                const std::string ruta =
                    carpeta + (carpeta.ends_with('/') ? "" : "/") + std::string(nombre);
                error = "el archivo de efemérides \"" + ruta +
                        "\" no es un archivo normal (un FIFO, un dispositivo o un socket)";
                break;
            }
        }
        ::closedir(dir);
        if (!error.empty()) {
            return error;
        }
    }
    return {};
}

double DiaJulianoDeUnix(std::int64_t segundos) {
    return 2440587.5 + static_cast<double>(segundos) / 86400.0;
}

Efemerides::Efemerides(std::string carpeta) : carpeta_(std::move(carpeta)) {
    swe_set_ephe_path(carpeta_.c_str());
}

Efemerides::~Efemerides() {
    swe_close();
}

void Efemerides::Avisar(std::string texto) {
    for (const std::string& a : avisos_) {
        if (a == texto) {
            return;
        }
    }
    avisos_.push_back(std::move(texto));
}

Posicion Efemerides::Calcular(Cuerpo c, double diaJuliano) {
    const int i = static_cast<int>(c);
    double xx[6] = {};
    char serr[AS_MAXCH] = {};
    const int32 pedido = SEFLG_SWIEPH | SEFLG_SPEED;
    int32 r = swe_calc_ut(diaJuliano, NumeroSwe(c), pedido, xx, serr);
    // An asteroid comes from its own file only: one that the library had to
    // complete with its analytic mode (the Earth past the planets' files) is
    // left out like one past its file, as a transit and as a natal point.
    if (r >= 0 && EsAsteroide(c) && (r & SEFLG_MOSEPH) != 0) {
        r = -1;
    }
    if (r < 0) {
        if (!EsAsteroide(c)) {
            // Not from the files at all: the analytic mode.
            r = swe_calc_ut(diaJuliano, NumeroSwe(c), SEFLG_MOSEPH | SEFLG_SPEED, xx, serr);
        }
        if (r < 0) {
            if (!ausente_[i]) {
                ausente_[i] = true;
                Avisar(std::string(CodigoCuerpo(c)) +
                       ": sin posición en los archivos de efemérides para parte del rango; "
                       "se omite en esos días");
            }
            return {};
        }
    }
    if ((r & SEFLG_MOSEPH) != 0 && !analitico_[i]) {
        analitico_[i] = true;
        Avisar(std::string(CodigoCuerpo(c)) +
               ": fuera de los archivos de efemérides en parte del rango; calculado con el "
               "modo analítico de la biblioteca");
    }
    return {Normalizar(xx[0]), xx[3], true};
}

Efemerides::Casas Efemerides::CalcularCasas(double diaJuliano, double latitud, double longitud,
                                            char sistema) {
    double cusps[13] = {};
    double ascmc[10] = {};
    const int r = swe_houses_ex(diaJuliano, 0, latitud, longitud, sistema, cusps, ascmc);
    if (r < 0) {
        Avisar(std::string("El sistema de casas \"") + sistema +
               "\" no se puede trazar en esa latitud; las cúspides son de Porfirio");
    }
    Casas c;
    for (int k = 0; k < 12; ++k) {
        c.cuspides[k] = Normalizar(cusps[k + 1]);
    }
    c.ascendente = Normalizar(ascmc[0]);
    c.medioCielo = Normalizar(ascmc[1]);
    return c;
}

}  // namespace varnolt
