// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include "transitos/Zona.h"

namespace varnolt {
namespace {

TEST(Zona, LocalTimesToUtc) {
    struct Caso {
        const char* zona;
        HoraLocal local;
        HoraLocal utc;  // expected, as a civil time in UTC
    };
    const Caso casos[] = {
        // Daylight saving of the date: summer +2, winter +1.
        {"Europe/Madrid", {1985, 6, 15, 14, 30}, {1985, 6, 15, 12, 30}},
        {"Europe/Madrid", {1985, 1, 15, 14, 30}, {1985, 1, 15, 13, 30}},
        // Spain kept +0 before 1940 (and summer time in 1918).
        {"Europe/Madrid", {1930, 1, 15, 12, 0}, {1930, 1, 15, 12, 0}},
        {"America/New_York", {1990, 7, 4, 12, 0}, {1990, 7, 4, 16, 0}},
        {"Asia/Kolkata", {2000, 1, 1, 5, 30}, {2000, 1, 1, 0, 0}},
        // Skipped hour (2024-03-31 02:00 → 03:00): the offset before, +1.
        {"Europe/Madrid", {2024, 3, 31, 2, 30}, {2024, 3, 31, 1, 30}},
        // Repeated hour (2024-10-27 03:00 → 02:00): the first, +2.
        {"Europe/Madrid", {2024, 10, 27, 2, 30}, {2024, 10, 27, 0, 30}},
        // Fixed offsets.
        {"+02:00", {1985, 6, 15, 14, 30}, {1985, 6, 15, 12, 30}},
        {"-05:30", {2001, 12, 31, 22, 0}, {2002, 1, 1, 3, 30}},
        {"+09", {2000, 1, 1, 9, 0}, {2000, 1, 1, 0, 0}},
        {"UTC", {2000, 1, 1, 9, 0}, {2000, 1, 1, 9, 0}},
    };
    const auto referencia = ZonaHoraria::Leer("UTC");
    ASSERT_TRUE(referencia);
    for (const Caso& c : casos) {
        const auto z = ZonaHoraria::Leer(c.zona);
        ASSERT_TRUE(z) << c.zona;
        EXPECT_EQ(z->AUtc(c.local), referencia->AUtc(c.utc))
            << c.zona << " " << c.local.anio << "-" << c.local.mes << "-" << c.local.dia;
    }
    // Many at once give the same.
    const auto madrid = ZonaHoraria::Leer("Europe/Madrid");
    const auto varias = madrid->AUtc(std::vector<HoraLocal>{casos[0].local, casos[1].local});
    EXPECT_EQ(varias[0], madrid->AUtc(casos[0].local));
    EXPECT_EQ(varias[1], madrid->AUtc(casos[1].local));
}

// A calendar day that a zone skipped (a move across the date line) has no
// local time at all; a skipped hour leaves its day in place.
TEST(Zona, SkippedCalendarDays) {
    struct Caso {
        const char* zona;
        HoraLocal dia;
        bool omitido;
    };
    const Caso casos[] = {
        {"Pacific/Kiritimati", {1994, 12, 31, 12, 0}, true},
        {"Pacific/Kiritimati", {1994, 12, 30, 12, 0}, false},
        {"Pacific/Kiritimati", {1995, 1, 1, 12, 0}, false},
        {"Pacific/Apia", {2011, 12, 30, 12, 0}, true},
        {"Pacific/Apia", {2011, 12, 30, 0, 0}, true},
        {"Pacific/Apia", {2011, 12, 31, 12, 0}, false},
        {"Europe/Madrid", {2024, 3, 31, 2, 30}, false},
        {"+14:00", {1994, 12, 31, 12, 0}, false},
    };
    for (const Caso& c : casos) {
        const auto z = ZonaHoraria::Leer(c.zona);
        ASSERT_TRUE(z) << c.zona;
        const auto utc = z->AUtcDiasExistentes({c.dia})[0];
        EXPECT_EQ(!utc, c.omitido) << c.zona << " " << c.dia.dia;
        if (utc) {
            EXPECT_EQ(*utc, z->AUtc(c.dia));
        }
    }
}

TEST(Zona, BirthTimesInAChangeOfTheClocks) {
    using T = ZonaHoraria::CambioHora;
    struct Caso {
        const char* zona;
        HoraLocal hora;
        T::Tipo tipo;
        int tomado, otro;
    };
    const Caso casos[] = {
        {"Europe/Madrid", {2024, 3, 31, 2, 30}, T::Omitida, 3600, 7200},
        {"Europe/Madrid", {2024, 10, 27, 2, 30}, T::Repetida, 7200, 3600},
        {"Europe/Madrid", {2024, 10, 27, 3, 30}, T::Ninguno, 0, 0},
        {"Europe/Madrid", {2024, 6, 15, 2, 30}, T::Ninguno, 0, 0},
        {"America/New_York", {2023, 11, 5, 1, 15}, T::Repetida, -4 * 3600, -5 * 3600},
        {"+02:00", {2024, 3, 31, 2, 30}, T::Ninguno, 0, 0},
    };
    for (const Caso& c : casos) {
        const T r = ZonaHoraria::Leer(c.zona)->CambioEn(c.hora);
        EXPECT_EQ(r.tipo, c.tipo) << c.zona << " " << c.hora.mes;
        if (c.tipo != T::Ninguno) {
            EXPECT_EQ(r.tomado, c.tomado) << c.zona;
            EXPECT_EQ(r.otro, c.otro) << c.zona;
        }
    }
}

TEST(Zona, UnknownOrUnsafeNamesAreRejected) {
    for (const char* z :
         {"", "Mars/Olympus_Mons", "../../etc/passwd", "/etc/localtime", "Europe/Madrid ", "+15:00",
          "+02:60", "+2:00", "02:00", "iso8859-1", "Europe"}) {
        EXPECT_FALSE(ZonaHoraria::Leer(z)) << z;
    }
}

TEST(Zona, TheProcessZoneIsLeftAsItWas) {
    setenv("TZ", "Asia/Tokyo", 1);
    const auto z = ZonaHoraria::Leer("Europe/Madrid");
    z->AUtc(HoraLocal{2000, 1, 1, 0, 0});
    EXPECT_STREQ(std::getenv("TZ"), "Asia/Tokyo");
    unsetenv("TZ");
    z->AUtc(HoraLocal{2000, 1, 1, 0, 0});
    EXPECT_EQ(std::getenv("TZ"), nullptr);
}

}  // namespace
}  // namespace varnolt
