// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "transitos/Efemerides.h"

namespace varnolt {
namespace {

// swetest from the PATH, "" when it is not installed.
std::string Swetest() {
    const char* path = std::getenv("PATH");
    std::istringstream carpetas(path != nullptr ? path : "/usr/bin");
    for (std::string c; std::getline(carpetas, c, ':');) {
        const auto r = std::filesystem::path(c) / "swetest";
        if (!c.empty() && access(r.c_str(), X_OK) == 0) {
            return r.string();
        }
    }
    return "";
}

// The longitudes swetest gives for our twenty bodies at a UT instant.
std::vector<double> LongitudesSwetest(const std::string& programa, int y, int m, int d, int h) {
    // Sun … Pluto, mean and true node, mean and osculating apogee, Chiron,
    // Pholus, Ceres, Pallas, Juno, Vesta: the order of Cuerpo.
    char orden[320];
    std::snprintf(orden, sizeof orden,
                  "%s -b%d.%d.%d -ut%d:00 -p0123456789mtABDEFGHI -fl -head -eswe -edir%s 2>&1",
                  programa.c_str(), d, m, y, h, kCarpetaEfemerides);
    std::vector<double> r;
    FILE* p = popen(orden, "r");
    if (p == nullptr) {
        return r;
    }
    char linea[256];
    while (std::fgets(linea, sizeof linea, p) != nullptr) {
        char* fin = nullptr;
        const double v = std::strtod(linea, &fin);
        if (fin != linea) {
            r.push_back(v);
        }
    }
    pclose(p);
    return r;
}

TEST(Efemerides, PositionsAgreeWithSwetest) {
    const std::string programa = Swetest();
    if (programa.empty()) {
        GTEST_SKIP() << "swetest no está instalado (paquete swetest)";
    }
    struct Caso {
        int y, m, d, h;
    };
    const std::array<Caso, 12> casos = {{{1900, 1, 1, 0},
                                         {1912, 4, 15, 3},
                                         {1929, 10, 24, 12},
                                         {1945, 5, 8, 23},
                                         {1969, 7, 20, 20},
                                         {1985, 6, 15, 12},
                                         {1999, 8, 11, 11},
                                         {2000, 1, 1, 12},
                                         {2024, 2, 29, 6},
                                         {2050, 6, 21, 18},
                                         {2077, 12, 31, 9},
                                         {2100, 12, 31, 23}}};
    Efemerides efe;
    for (const Caso& c : casos) {
        const std::vector<double> ref = LongitudesSwetest(programa, c.y, c.m, c.d, c.h);
        ASSERT_EQ(ref.size(), static_cast<size_t>(kNumCuerpos)) << c.y << "-" << c.m << "-" << c.d;
        // Julian day of the UT instant, from the Unix seconds of that day.
        const std::int64_t dias = [&] {
            int y = c.y - (c.m <= 2);
            const int era = y / 400;
            const int yoe = y - era * 400;
            const int doy = (153 * (c.m + (c.m > 2 ? -3 : 9)) + 2) / 5 + c.d - 1;
            return static_cast<std::int64_t>(era) * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy -
                   719468;
        }();
        const double jd = DiaJulianoDeUnix(dias * 86400 + c.h * 3600);
        for (int i = 0; i < kNumCuerpos; ++i) {
            const Posicion p = efe.Calcular(static_cast<Cuerpo>(i), jd);
            ASSERT_TRUE(p.valida) << CodigoCuerpo(static_cast<Cuerpo>(i));
            double dif = std::fabs(p.longitud - ref[i]);
            dif = std::min(dif, 360.0 - dif);
            EXPECT_LT(dif, 0.001) << CodigoCuerpo(static_cast<Cuerpo>(i)) << " " << c.y << "-"
                                  << c.m << "-" << c.d << " " << c.h << "h";
        }
    }
    EXPECT_TRUE(efe.Avisos().empty()) << efe.Avisos().front();
}

TEST(Efemerides, OutsideTheFilesFallsBackWithANotice) {
    Efemerides efe;
    // 1500: before the files (1800-2399). The Sun comes from the analytic
    // mode; the asteroids are left out.
    const double jd1500 = 2268932.5;
    EXPECT_TRUE(efe.Calcular(Cuerpo::Sol, jd1500).valida);
    EXPECT_FALSE(efe.Calcular(Cuerpo::Cer, jd1500).valida);
    ASSERT_EQ(efe.Avisos().size(), 2u);
    EXPECT_NE(efe.Avisos()[0].find("Sol: fuera de los archivos"), std::string::npos);
    EXPECT_NE(efe.Avisos()[1].find("Cer: sin posición"), std::string::npos);
    // Each notice once.
    efe.Calcular(Cuerpo::Sol, jd1500 + 1);
    EXPECT_EQ(efe.Avisos().size(), 2u);
}

}  // namespace
}  // namespace varnolt
