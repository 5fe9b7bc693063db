// SPDX-License-Identifier: AGPL-3.0-or-later
#include "transitos/Zona.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "app/ArchivoSeguro.h"

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

// The largest zone file read; the system's largest are a few KB.
constexpr std::uint64_t kLimiteArchivoZona = 1u << 20;

std::uint32_t Grande32(std::string_view b, std::size_t i) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[i + 1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[i + 2])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[i + 3]));
}

// One block of a zone file (RFC 8536): its 44-byte header and the data the
// counts announce, with times of `bytesTiempo` bytes. Where the next block
// starts, or nothing when the block does not hold together.
std::optional<std::size_t> BloqueTzif(std::string_view b, std::size_t inicio,
                                      std::size_t bytesTiempo) {
    if (b.size() < inicio + 44 || b.substr(inicio, 4) != "TZif") {
        return std::nullopt;
    }
    const std::uint64_t isut = Grande32(b, inicio + 20);
    const std::uint64_t isstd = Grande32(b, inicio + 24);
    const std::uint64_t leap = Grande32(b, inicio + 28);
    const std::uint64_t tiempos = Grande32(b, inicio + 32);
    const std::uint64_t tipos = Grande32(b, inicio + 36);
    const std::uint64_t letras = Grande32(b, inicio + 40);
    if (tipos == 0 || tipos > 256 || letras == 0 || (isut != 0 && isut != tipos) ||
        (isstd != 0 && isstd != tipos)) {
        return std::nullopt;
    }
    const std::uint64_t datos = tiempos * bytesTiempo + tiempos + tipos * 6 + letras +
                                leap * (bytesTiempo + 4) + isstd + isut;
    const std::size_t cuerpo = inicio + 44;
    if (datos > b.size() - cuerpo) {
        return std::nullopt;
    }
    // Every change names a type that is there.
    const std::size_t indices = cuerpo + tiempos * bytesTiempo;
    for (std::uint64_t k = 0; k < tiempos; ++k) {
        if (static_cast<unsigned char>(b[indices + k]) >= tipos) {
            return std::nullopt;
        }
    }
    return cuerpo + datos;
}

// A whole zone file: the first block, and for version 2 and later the
// second one with 64-bit times and the footer rule between newlines.
bool EsZonaTzif(std::string_view b) {
    const std::optional<std::size_t> fin1 = BloqueTzif(b, 0, 4);
    if (!fin1) {
        return false;
    }
    if (b[4] == '\0') {
        return true;
    }
    const std::optional<std::size_t> fin2 = BloqueTzif(b, *fin1, 8);
    return fin2 && *fin2 < b.size() && b[*fin2] == '\n' &&
           b.find('\n', *fin2 + 1) != std::string_view::npos;
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

std::optional<ZonaHoraria> ZonaHoraria::Leer(std::string_view texto, std::string* error) {
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
    if (!NombreZonaSeguro(texto)) {
        return std::nullopt;
    }
    // Read as every other file: a FIFO in its place would block the C
    // library's own read for ever, and a file it cannot parse would leave the
    // times silently in UTC.
    const std::string ruta = CarpetaZonas() + "/" + std::string(texto);
    std::string bytes;
    const FalloArchivo fallo = LeerArchivoEntero(ruta, bytes, kLimiteArchivoZona);
    std::string motivo;
    if (fallo.causa == FalloArchivo::Causa::Sistema) {
        if (fallo.numero != ENOENT && fallo.numero != ENOTDIR) {
            motivo = "no se puede leer el archivo de zona \"" + ruta + "\": " + fallo.Texto(ruta);
        }
    } else if (fallo) {
        motivo = "el archivo de zona " + fallo.Texto(ruta);
    } else if (!EsZonaTzif(bytes)) {
        motivo = "el archivo de zona \"" + ruta + "\" no es un archivo de zona válido (TZif)";
    }
    if (fallo || !motivo.empty()) {
        if (error != nullptr) {
            *error = motivo;
        }
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
