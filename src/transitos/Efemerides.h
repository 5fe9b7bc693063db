// SPDX-License-Identifier: AGPL-3.0-or-later
// Positions of the sky from the Swiss Ephemeris: the transit bodies, the
// points of a natal chart and its house cusps.
//
// The library reads its data files (sepl_18.se1, semo_18.se1, seas_18.se1:
// years 1800 to 2400) from kCarpetaEfemerides unless told otherwise. Where a
// file does not cover a body or a date, the planets, the Moon, the nodes and
// Lilith come from the library's analytic mode and the asteroids are left
// out; each case is noted once in Avisos().
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnolt {

inline constexpr const char* kCarpetaEfemerides = "/usr/share/libswe/ephe";

// The bodies of a sky, in the order of the agenda's item table.
enum class Cuerpo : std::uint8_t {
    Sol,
    Lun,
    Mer,
    Ven,
    Mar,
    Jup,
    Sat,
    Ura,
    Nep,
    Plu,
    Nod,
    NodT,
    Lil,
    LilT,
    Qui,
    Pho,
    Cer,
    Pal,
    Jun,
    Ves,
};
inline constexpr int kNumCuerpos = 20;

// The agenda item code of a body ("Júp" in UTF-8).
std::string_view CodigoCuerpo(Cuerpo c);
// The Swiss Ephemeris body number.
int NumeroSwe(Cuerpo c);
// True for the asteroids and centaurs (Qui, Pho, Cer, Pal, Jun, Ves), which
// only the data files hold.
bool EsAsteroide(Cuerpo c);

// One position: ecliptic longitude of date in degrees [0, 360) and its daily
// motion in degrees per day.
struct Posicion {
    double longitud = 0;
    double velocidad = 0;
    bool valida = false;
};

// Julian day (UT) of a UTC time given as seconds since 1970-01-01.
double DiaJulianoDeUnix(std::int64_t segundos);

// Why the library must not be pointed at these folders (a list separated by
// ':' or ';'): a data file there that is a FIFO, a device or a socket, which
// the library's own read would block on or never finish. Empty when none is.
std::string ComprobarCarpetaEfemerides(const std::string& carpetas);

// The Swiss Ephemeris as one object: the data folder is set when it is made
// and the library is closed when it goes.
class Efemerides {
  public:
    explicit Efemerides(std::string carpeta = kCarpetaEfemerides);
    ~Efemerides();
    Efemerides(const Efemerides&) = delete;
    Efemerides& operator=(const Efemerides&) = delete;

    // The position of one body at a Julian day (UT).
    Posicion Calcular(Cuerpo c, double diaJuliano);

    // The twelve cusps (index 0 is house 1) and the Ascendant for a place,
    // in the house system of a Swiss Ephemeris letter. When the system cannot
    // be drawn at that latitude (Placidus beyond the polar circles) the
    // library gives Porphyry; that is noted.
    struct Casas {
        std::array<double, 12> cuspides{};
        double ascendente = 0;
        double medioCielo = 0;
    };
    Casas CalcularCasas(double diaJuliano, double latitud, double longitud, char sistema);

    // Notices of fallbacks, in the order they happened, each once.
    const std::vector<std::string>& Avisos() const { return avisos_; }
    // Forgets them: the next fallback of each body is noted again.
    void OlvidarAvisos() {
        avisos_.clear();
        analitico_.fill(false);
        ausente_.fill(false);
    }

  private:
    void Avisar(std::string texto);

    std::string carpeta_;
    std::vector<std::string> avisos_;
    std::array<bool, kNumCuerpos> analitico_{};
    std::array<bool, kNumCuerpos> ausente_{};
};

}  // namespace varnolt
