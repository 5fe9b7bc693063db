#include "transitos/Zona.h"

#include <cstdlib>
#include <ctime>
#include <fstream>

namespace varnolt {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DiasDesdeEpoca(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::int64_t SegundosUtc(const HoraLocal& h) {
    return DiasDesdeEpoca(h.anio, h.mes, h.dia) * 86400 + h.hora * 3600 + h.minuto * 60;
}

std::string CarpetaZonas() {
    const char* tzdir = std::getenv("TZDIR");
    return tzdir != nullptr && *tzdir != '\0' ? tzdir : "/usr/share/zoneinfo";
}

bool NombreZonaSeguro(std::string_view n) {
    if (n.empty() || n.size() > 64 || n.front() == '/' || n.find("..") != std::string_view::npos) {
        return false;
    }
    for (char c : n) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '/' || c == '_' || c == '-' || c == '+';
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool EsArchivoDeZona(const std::string& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    char magia[4] = {};
    return in.read(magia, 4) && std::string_view(magia, 4) == "TZif";
}

// The process's TZ set to one zone while it lives; the old value comes back
// after. The zone rules come from the C library, which reads the zone file
// with its footer rule for times after the last listed change.
class TzTemporal {
  public:
    explicit TzTemporal(const std::string& zona) {
        if (const char* v = std::getenv("TZ")) {
            anterior_ = v;
        }
        setenv("TZ", (":" + zona).c_str(), 1);
        tzset();
    }
    ~TzTemporal() {
        if (anterior_) {
            setenv("TZ", anterior_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    TzTemporal(const TzTemporal&) = delete;
    TzTemporal& operator=(const TzTemporal&) = delete;

  private:
    std::optional<std::string> anterior_;
};

}  // namespace

std::optional<ZonaHoraria> ZonaHoraria::Leer(std::string_view texto) {
    ZonaHoraria z;
    z.texto_ = std::string(texto);
    if (texto == "UTC" || texto == "Z" || texto == "GMT") {
        return z;
    }
    if (!texto.empty() && (texto[0] == '+' || texto[0] == '-')) {
        const std::string_view r = texto.substr(1);
        auto dos = [](std::string_view s, int& v) {
            if (s.size() != 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') {
                return false;
            }
            v = (s[0] - '0') * 10 + (s[1] - '0');
            return true;
        };
        int hh = 0;
        int mm = 0;
        const bool ok = r.size() == 2 ? dos(r, hh)
                                      : r.size() == 5 && r[2] == ':' && dos(r.substr(0, 2), hh) &&
                                            dos(r.substr(3), mm);
        if (!ok || hh > 14 || mm > 59 || hh * 60 + mm > 14 * 60) {
            return std::nullopt;
        }
        z.desplazamiento_ = (texto[0] == '-' ? -1 : 1) * (hh * 3600 + mm * 60);
        return z;
    }
    if (!NombreZonaSeguro(texto) || !EsArchivoDeZona(CarpetaZonas() + "/" + std::string(texto))) {
        return std::nullopt;
    }
    z.fija_ = false;
    return z;
}

int ZonaHoraria::DesplazamientoEn(std::int64_t utc) const {
    if (fija_) {
        return desplazamiento_;
    }
    TzTemporal tz(texto_);
    const std::time_t t = static_cast<std::time_t>(utc);
    std::tm tm{};
    localtime_r(&t, &tm);
    return static_cast<int>(tm.tm_gmtoff);
}

std::int64_t ZonaHoraria::AUtc(const HoraLocal& h) const {
    return AUtc(std::vector<HoraLocal>{h}).front();
}

std::vector<std::int64_t> ZonaHoraria::AUtc(const std::vector<HoraLocal>& horas) const {
    std::vector<std::int64_t> r;
    r.reserve(horas.size());
    if (fija_) {
        for (const HoraLocal& h : horas) {
            r.push_back(SegundosUtc(h) - desplazamiento_);
        }
        return r;
    }
    TzTemporal tz(texto_);
    auto desp = [](std::int64_t utc) {
        const std::time_t t = static_cast<std::time_t>(utc);
        std::tm tm{};
        localtime_r(&t, &tm);
        return static_cast<std::int64_t>(tm.tm_gmtoff);
    };
    for (const HoraLocal& h : horas) {
        const std::int64_t comoUtc = SegundosUtc(h);
        // The offsets in force a day before and a day after: the local time
        // is read with the first that gives it back; none does in a skipped
        // hour, which is read with the offset before the change.
        const std::int64_t antes = desp(comoUtc - 86400);
        const std::int64_t despues = desp(comoUtc + 86400);
        std::int64_t utc = comoUtc - antes;
        if (desp(utc) != antes && desp(comoUtc - despues) == despues) {
            utc = comoUtc - despues;
        }
        r.push_back(utc);
    }
    return r;
}

std::vector<std::optional<std::int64_t>> ZonaHoraria::AUtcDiasExistentes(
    const std::vector<HoraLocal>& horas) const {
    const std::vector<std::int64_t> utc = AUtc(horas);
    std::vector<std::optional<std::int64_t>> r(utc.begin(), utc.end());
    if (fija_) {
        return r;
    }
    TzTemporal tz(texto_);
    for (size_t i = 0; i < horas.size(); ++i) {
        // A skipped hour is read in the same day; a skipped day lands in
        // another one.
        const std::time_t t = static_cast<std::time_t>(utc[i]);
        std::tm tm{};
        localtime_r(&t, &tm);
        if (tm.tm_year + 1900 != horas[i].anio || tm.tm_mon + 1 != horas[i].mes ||
            tm.tm_mday != horas[i].dia) {
            r[i].reset();
        }
    }
    return r;
}

ZonaHoraria::CambioHora ZonaHoraria::CambioEn(const HoraLocal& h) const {
    CambioHora r;
    if (fija_) {
        return r;
    }
    const std::int64_t comoUtc = SegundosUtc(h);
    const int antes = DesplazamientoEn(comoUtc - 86400);
    const int despues = DesplazamientoEn(comoUtc + 86400);
    if (antes == despues) {
        return r;
    }
    const bool conAntes = DesplazamientoEn(comoUtc - antes) == antes;
    const bool conDespues = DesplazamientoEn(comoUtc - despues) == despues;
    const std::int64_t tomado = AUtc(h);
    r.tomado = static_cast<int>(comoUtc - tomado);
    r.otro = r.tomado == antes ? despues : antes;
    if (!conAntes && !conDespues) {
        r.tipo = CambioHora::Omitida;
    } else if (conAntes && conDespues) {
        r.tipo = CambioHora::Repetida;
    }
    return r;
}

}  // namespace varnolt
