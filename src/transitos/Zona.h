// SPDX-License-Identifier: AGPL-3.0-or-later
// Time zones of birth data: an IANA zone name resolved with the system's zone
// data (daylight saving included), or a fixed offset such as "+02:00".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnolt {

// A local civil time, to the minute.
struct HoraLocal {
    int anio = 0;
    int mes = 0;
    int dia = 0;
    int hora = 0;
    int minuto = 0;
};

class ZonaHoraria {
  public:
    // Reads "+HH:MM", "-HH:MM", "+HH" or "UTC"/"Z" as a fixed offset, or an
    // IANA name ("Europe/Madrid") from the zone folder (TZDIR, else
    // /usr/share/zoneinfo). Empty when the text is neither; then `error`, when
    // given, says why a zone file that is there was refused (not a regular
    // file, too large, not a zone file) and is left empty for a name that
    // is simply unknown.
    static std::optional<ZonaHoraria> Leer(std::string_view texto, std::string* error = nullptr);

    const std::string& Texto() const { return texto_; }
    bool EsFija() const { return fija_; }

    // Seconds since 1970-01-01 UTC of a local time. A local time that the
    // clocks skip (spring forward) is read with the offset before the change;
    // one that happens twice (fall back) is the first of the two.
    std::int64_t AUtc(const HoraLocal& h) const;
    // The offset from UTC, in seconds, in force at a UTC instant.
    int DesplazamientoEn(std::int64_t utc) const;
    // AUtc of many local times at once (the zone data is read once).
    std::vector<std::int64_t> AUtc(const std::vector<HoraLocal>& horas) const;
    // AUtc of many local times, empty for one whose whole calendar day never
    // happened in the zone (a date-line change: Pacific/Kiritimati
    // 1994-12-31).
    std::vector<std::optional<std::int64_t>> AUtcDiasExistentes(
        const std::vector<HoraLocal>& horas) const;

    // Whether a local time fell in a change of the clocks, and the offsets
    // (seconds east of UTC) of the reading taken and of the other one.
    struct CambioHora {
        enum Tipo { Ninguno, Omitida, Repetida } tipo = Ninguno;
        int tomado = 0;
        int otro = 0;
    };
    CambioHora CambioEn(const HoraLocal& h) const;

  private:
    std::string texto_;
    bool fija_ = true;
    int desplazamiento_ = 0;  // seconds east of UTC, for a fixed offset
};

}  // namespace varnolt
