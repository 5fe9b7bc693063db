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
