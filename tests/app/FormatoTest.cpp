// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/Formato.h"

#include <gtest/gtest.h>

#include "app/Fecha.h"
#include "app/Regional.h"
#include "app/Texto.h"

namespace varnolt {
namespace {

class ConSeparador {
  public:
    explicit ConSeparador(char sep) : antes_(ConfiguracionRegional().SeparadorDecimal) {
        ConfiguracionRegional().SeparadorDecimal = sep;
    }
    ~ConSeparador() { ConfiguracionRegional().SeparadorDecimal = antes_; }

  private:
    char antes_;
};

TEST(Fecha, SerialsOfKnownDays) {
    const struct {
        int a, m, d;
        TFecha serial;
    } casos[] = {{1899, 12, 30, 0},  {1899, 12, 31, 1},      {1900, 1, 1, 2},
                 {1900, 3, 1, 61},   {2000, 1, 1, 36526},    {2024, 3, 7, 45358},
                 {1, 1, 1, -693593}, {9999, 12, 31, 2958465}};
    for (const auto& c : casos) {
        EXPECT_EQ(CodificarFecha(c.a, c.m, c.d), c.serial) << c.a << "-" << c.m << "-" << c.d;
        const FechaCivil f = DecodificarFecha(c.serial);
        EXPECT_EQ(f.anio, c.a);
        EXPECT_EQ(f.mes, c.m);
        EXPECT_EQ(f.dia, c.d);
    }
    for (TFecha s = -800; s < 80000; s += 7) {
        const FechaCivil f = DecodificarFecha(s);
        ASSERT_EQ(CodificarFecha(f.anio, f.mes, f.dia), s);
    }
    EXPECT_FALSE(EsFechaValida(2023, 2, 29));
    EXPECT_TRUE(EsFechaValida(2000, 2, 29));
    EXPECT_FALSE(EsFechaValida(2100, 2, 29));
    EXPECT_FALSE(EsFechaValida(0, 1, 1));
    EXPECT_FALSE(EsFechaValida(2024, 13, 1));
}

TEST(Formato, PrintfLikeFormats) {
    ConSeparador punto('.');
    const struct {
        std::string obtenido, esperado;
    } casos[] = {
        {Format("%d.%s%s (c:%d) (pp:%.2f)%s", {3, "** ", "2024 ene 1", 12, 179.386, " **"}),
         "3.** 2024 ene 1 (c:12) (pp:179.39) **"},
        {Format("%.2f%%", {100.0}), "100.00%"},
        {Format("%5d|%-5d|%s", {42, 7, ""}), "   42|7    |"},
        {Format("%.3d", {7}), "007"},
        {Format("%f", {2.5}), "2.50"},
        {Format("%n", {1234567.891}), "1,234,567.89"},
        {Format("%.0n", {1234.6}), "1,235"},
        {Format("%d días", {}), " días"},
        {Format("C0%d", {5}), "C05"},
        {Format("%.2f", {-0.004}), "-0.00"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(c.obtenido, c.esperado);
    }
}

TEST(Formato, DecimalSeparatorOfTheRegion) {
    ConSeparador coma(',');
    EXPECT_EQ(Format("Máx.PP:%.2f", {247.918}), "Máx.PP:247,92");
    EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
    EXPECT_EQ(FormatoReal(0.5, 1), "0,5");
}

TEST(Formato, DatePatterns) {
    const TFecha f = CodificarFecha(2024, 3, 7);
    const std::pair<const char*, const char*> casos[] = {
        {"yyyy mmm d", "2024 mar 7"},
        {"yyy-mmm-d", "2024-mar-7"},
        {"yyyy-mm-dd", "2024-03-07"},
        {"dd/mm/yyyy", "07/03/2024"},
        {"yy", "24"},
        {"mmmm", "marzo"},
        {"d \"de\" mmm", "7 de mar"},
        {"m/d", "3/7"},
    };
    for (const auto& [patron, esperado] : casos) {
        EXPECT_EQ(FormatDateTime(patron, f), esperado) << patron;
    }
    const char* meses[] = {"ene", "feb", "mar", "abr", "may", "jun",
                           "jul", "ago", "sep", "oct", "nov", "dic"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(FormatDateTime("mmm", CodificarFecha(2024, m, 1)), meses[m - 1]);
    }
}

TEST(Texto, Windows1252EdgesAndCaseFolding) {
    EXPECT_EQ(Cp1252AUtf8("J\xFAp \xB0 \x80"), "Júp ° €");
    EXPECT_EQ(Utf8ACp1252("Júp ° €"), "J\xFAp \xB0 \x80");
    bool perdido = false;
    EXPECT_EQ(Utf8ACp1252("α", &perdido), "?");
    EXPECT_TRUE(perdido);
    std::string todos;
    for (int b = 0; b < 256; ++b) {
        todos += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ACp1252(Cp1252AUtf8(todos)), todos);
    EXPECT_TRUE(IgualesSinMayusculas("júp", "JÚP"));
    EXPECT_TRUE(IgualesSinMayusculas("sol", "SOL"));
    EXPECT_FALSE(IgualesSinMayusculas("Jup", "Júp"));
    EXPECT_EQ(Mayusculas("ñandú ÷"), "ÑANDÚ ÷");
}

}  // namespace
}  // namespace varnolt
