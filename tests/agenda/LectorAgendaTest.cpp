// SPDX-License-Identifier: AGPL-3.0-or-later
#include "agenda/LectorAgenda.h"
#include "agenda/LectorLineas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "app/Fecha.h"

namespace varnolt {
namespace {

constexpr const char* kEjemplo =
    "1 A B 2024-3-7 12:Sol(90\xB0)Mar Sol Mar 87.5%  80%-100% 3.25 90 1.5 - - - - 354.25 - - - - "
    "84.1";

bool Leer(std::string_view linea, LineaAgenda& salida, char sep = '.') {
    TraductorCodigos codigos;
    return LeerLineaAgenda(linea, sep, codigos, salida);
}

TEST(LectorAgenda, ReadsEveryFieldOfTheExampleLine) {
    LineaAgenda l;
    ASSERT_TRUE(Leer(kEjemplo, l));
    const TTendencia& t = l.tendencia;
    EXPECT_EQ(t.Fecha, CodificarFecha(2024, 3, 7));
    EXPECT_EQ(l.IdContacto, 12);
    EXPECT_EQ(t.NatContacto.texto(), "Sol");
    EXPECT_EQ(l.AngContacto, 90);
    EXPECT_EQ(t.TraContacto.texto(), "Mar");
    EXPECT_EQ(t.ItemNatal.texto(), "Sol");
    EXPECT_EQ(t.ItemTransito.texto(), "Mar");
    EXPECT_DOUBLE_EQ(t.Fuerza, 87.5);
    EXPECT_EQ(t.BandaFuerza, 5);
    EXPECT_DOUBLE_EQ(t.Peso, 3.25);
    EXPECT_EQ(t.Aspecto, 90);
    EXPECT_EQ(l.textoAspecto, "90");
    EXPECT_DOUBLE_EQ(l.Valor, 1.5);
    EXPECT_DOUBLE_EQ(t.PosNatal, 354.25);
    EXPECT_DOUBLE_EQ(t.PosTransito, 84.1);
}

TEST(LectorAgenda, CodesAreReadAsWindows1252) {
    LineaAgenda l;
    ASSERT_TRUE(Leer(
        "1 A B 2024-3-7 1:J\xFAp(0\xB0)J\xFAp J\xFAp J\xFAp 50%  x 1 0 1 - - - - 1 - - - - 1", l));
    EXPECT_EQ(l.tendencia.NatContacto.texto(), "Júp");
    EXPECT_EQ(l.tendencia.ItemTransito.texto(), "Júp");
}

struct CasoLinea {
    const char* nombre;
    std::string linea;
    bool carga;
};

std::string Reemplazar(std::string s, const std::string& de, const std::string& a) {
    s.replace(s.find(de), de.size(), a);
    return s;
}

class LineasAgenda : public ::testing::TestWithParam<CasoLinea> {};

TEST_P(LineasAgenda, LoadsOrFails) {
    LineaAgenda l;
    EXPECT_EQ(Leer(GetParam().linea, l), GetParam().carga) << GetParam().linea;
}

const std::string kBase = kEjemplo;

INSTANTIATE_TEST_SUITE_P(
    Casos, LineasAgenda,
    ::testing::Values(
        CasoLinea{"ejemplo", kBase, true},
        CasoLinea{"fecha_con_ceros", Reemplazar(kBase, "2024-3-7", "2024-03-07"), true},
        CasoLinea{"fecha_inexistente", Reemplazar(kBase, "2024-3-7", "2023-2-29"), false},
        CasoLinea{"bisiesto", Reemplazar(kBase, "2024-3-7", "2024-2-29"), true},
        CasoLinea{"mes_con_signo", Reemplazar(kBase, "2024-3-7", "2024-+3-7"), true},
        CasoLinea{"anio_con_signo", Reemplazar(kBase, "2024-3-7", "+2024-3-7"), true},
        CasoLinea{"dia_negativo", Reemplazar(kBase, "2024-3-7", "2024-3--7"), false},
        CasoLinea{"mes_negativo", Reemplazar(kBase, "2024-3-7", "2024--3-7"), false},
        CasoLinea{"signo_solo", Reemplazar(kBase, "2024-3-7", "2024-+-7"), false},
        CasoLinea{"fecha_con_barras", Reemplazar(kBase, "2024-3-7", "2024/3/7"), false},
        CasoLinea{"fecha_vacia", Reemplazar(kBase, "2024-3-7 ", " "), false},
        CasoLinea{"sin_dos_puntos", Reemplazar(kBase, "12:", "12"), false},
        CasoLinea{"sin_parentesis", Reemplazar(kBase, "(90", "90"), false},
        CasoLinea{"sin_cierre", Reemplazar(kBase, "\xB0)", "\xB0"), false},
        CasoLinea{"sin_grado", Reemplazar(kBase, "90\xB0", "90"), false},
        CasoLinea{"grado_utf8", Reemplazar(kBase, "90\xB0", "90\xC2\xB0"), false},
        CasoLinea{"angulo_no_entero", Reemplazar(kBase, "(90", "(9x"), false},
        CasoLinea{"id_no_entero", Reemplazar(kBase, "12:", "1.2:"), false},
        CasoLinea{"fuerza_sin_porcentaje", Reemplazar(kBase, "87.5%", "87.5"), false},
        CasoLinea{"banda_desconocida", Reemplazar(kBase, "80%-100%", "muy-alta"), true},
        CasoLinea{"peso_con_coma", Reemplazar(kBase, "3.25", "3,25"), false},
        CasoLinea{"peso_con_exponente", Reemplazar(kBase, "3.25", "3.25E-1"), true},
        CasoLinea{"peso_infinito", Reemplazar(kBase, "3.25", "inf"), false},
        CasoLinea{"peso_con_miles", Reemplazar(kBase, "3.25", "1,003.25"), false},
        CasoLinea{"aspecto_real", Reemplazar(kBase, " 90 1.5", " 90.0 1.5"), false},
        CasoLinea{"aspecto_fuera_de_int32", Reemplazar(kBase, " 90 1.5", " 99999999999 1.5"),
                  false},
        CasoLinea{"dos_espacios_dan_token_vacio", Reemplazar(kBase, "Sol Mar 87", "Sol  Mar 87"),
                  false},
        CasoLinea{"texto_tras_el_ultimo", kBase + " x", false},
        CasoLinea{"espacios_tras_el_ultimo", kBase + "   ", true},
        CasoLinea{"faltan_los_ignorados_17_a_20", Reemplazar(kBase, " - - - - 84.1", " 84.1"),
                  true},
        CasoLinea{"linea_vacia", "", false}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(LectorAgenda, OnlyOneCharacterAfterTheStrengthIsSkipped) {
    // With a single space after the strength, the skipped character is the
    // band's first one: "0%-100%" is no band (1), and the line still loads.
    LineaAgenda l;
    ASSERT_TRUE(Leer(Reemplazar(kBase, "87.5%  80%-100%", "87.5% 80%-100%"), l));
    EXPECT_EQ(l.tendencia.BandaFuerza, 1);
}

TEST(LectorAgenda, StrengthIsTheNumberBeforeTheFirstPercent) {
    LineaAgenda l;
    ASSERT_TRUE(Leer(Reemplazar(kBase, "87.5%", "87.5%%x"), l));
    EXPECT_DOUBLE_EQ(l.tendencia.Fuerza, 87.5);
}

TEST(LectorAgenda, BandsInOrder) {
    const char* bandas[] = {"0%-20%", "20%-40%", "40%-60%", "60%-80%", "80%-100%"};
    for (int i = 0; i < 5; ++i) {
        LineaAgenda l;
        ASSERT_TRUE(Leer(Reemplazar(kBase, "80%-100%", bandas[i]), l));
        EXPECT_EQ(l.tendencia.BandaFuerza, i + 1) << bandas[i];
    }
}

TEST(LectorAgenda, CuspRuleWidensOnlyALoneDigit) {
    const std::pair<const char*, const char*> casos[] = {
        {"C1", "C01"},  {"C0", "C00"},  {"C10", "C10"}, {"C7", "C7"},
        {"XC1", "C01"}, {"Mar", "Mar"}, {"c1", "c1"},   {"C1C", "C1C"}};
    for (const auto& [escrito, guardado] : casos) {
        LineaAgenda l;
        ASSERT_TRUE(Leer(Reemplazar(kBase, "\xB0)Mar", std::string("\xB0)") + escrito), l));
        EXPECT_EQ(l.tendencia.TraContacto.texto(), guardado) << escrito;
    }
}

TEST(LectorAgenda, DecimalSeparatorOfTheRegionalSettings) {
    const std::string conComas =
        "1 A B 2024-3-7 12:Sol(90\xB0)Mar Sol Mar 87,5%  80%-100% 3,25 "
        "90 1,5 - - - - 354,25 - - - - 84,1";
    LineaAgenda l;
    ASSERT_TRUE(Leer(conComas, l, ','));
    EXPECT_DOUBLE_EQ(l.tendencia.Peso, 3.25);
    EXPECT_DOUBLE_EQ(l.tendencia.PosTransito, 84.1);
    // A line written with "." fails at its strength token under ",".
    EXPECT_FALSE(Leer(kBase, l, ','));
}

TEST(LectorAgenda, TheFirstStrengthTellsTheFilesSeparator) {
    const std::pair<const char*, char> casos[] = {
        {kEjemplo, '.'},
        {"1 A B 2024-3-7 12:Sol(90\xB0)Mar Sol Mar 87,5%  80%-100% 3,25 90", ','},
        // Nothing to tell: the locale's separator.
        {"1 A B 2024-3-7 12:Sol(90\xB0)Mar Sol Mar 87%  80%-100% 3,25 90", ';'},
        {"", ';'},
        {"x", ';'},
        // Only the number in front of "%" counts.
        {"1 A B 2024-3-7 12:Sol(90\xB0)Mar Sol Mar 87%,5  80%-100% 3,25 90", ';'},
    };
    for (const auto& [linea, sep] : casos) {
        EXPECT_EQ(SeparadorDeAgenda(linea, ';'), sep) << linea;
    }
}

TEST(LectorAgenda, FailingLineIsQuotedShortAndVisible) {
    const std::string larga(250, 'a');
    const std::pair<std::string, std::string> casos[] = {
        {"", ""},
        {"x y J\xFAp", "x y Júp"},
        {std::string(kLargoCita, 'a'), std::string(kLargoCita, 'a')},
        // Control characters are shown, nothing is cut.
        {std::string("a\tb\0c\x7F", 6), "a\u2409b\u2400c\u2421"},
        {"a\x81\x9D", "a\\x81\\x9D"},
        // Longer: the first 200 characters, then "…".
        {larga, std::string(kLargoCita, 'a') + "\u2026"},
        {std::string(199, 'a') + "\xFA\xFA", std::string(199, 'a') + "ú\u2026"},
    };
    for (const auto& [linea, cita] : casos) {
        EXPECT_EQ(CitaDeLinea(linea), cita) << linea;
    }
}

TEST(LectorAgenda, NumberReaders) {
    const std::pair<const char*, bool> enteros[] = {
        {"0", true},           {"-12", true},        {"+7", true},  {"", false},
        {"-", false},          {"1x", false},        {" 1", false}, {"2147483647", true},
        {"2147483648", false}, {"-2147483648", true}};
    for (const auto& [texto, valido] : enteros) {
        std::int32_t v = 0;
        EXPECT_EQ(LeerEntero(texto, v), valido) << texto;
    }
    const std::pair<const char*, bool> reales[] = {
        {"1.5", true},  {"-1.5", true}, {".5", true},     {"5.", true},   {"1e3", true},
        {"1E+3", true}, {"1e", false},  {"e3", false},    {"nan", false}, {"1.5.2", false},
        {"", false},    {".", false},   {"1e999", false}, {"+2", true},   {"1 ", true}};
    for (const auto& [texto, valido] : reales) {
        double v = 0;
        EXPECT_EQ(LeerReal(texto, '.', v), valido) << texto;
    }
}

TEST(LectorAgenda, SignedPartsOfADateGiveTheSameDay) {
    for (const char* texto : {"2024-3-7", "2024-+3-7", "+2024-3-7", "+2024-+03-+07"}) {
        TFecha fecha = 0;
        ASSERT_TRUE(LeerFechaAgenda(texto, fecha)) << texto;
        EXPECT_EQ(fecha, CodificarFecha(2024, 3, 7)) << texto;
    }
}

// The lines of a text through blocks of `bloque` bytes; the count read
// ahead must match them.
std::vector<std::string> Dividir(std::string_view texto, size_t bloque = kBloqueLectura) {
    LectorLineas lector(FuenteTexto(texto), bloque);
    const std::uint64_t contadas = lector.Contar();
    std::vector<std::string> lineas;
    for (std::string_view l; lector.Siguiente(l);) {
        lineas.emplace_back(l);
    }
    EXPECT_EQ(contadas, lineas.size()) << testing::PrintToString(texto) << " " << bloque;
    return lineas;
}

// The plain rule, byte by byte over the whole text.
std::vector<std::string> DividirReferencia(std::string_view texto) {
    std::vector<std::string> lineas;
    std::string actual;
    bool abierta = false;
    for (size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == '\r' || c == '\n') {
            lineas.push_back(actual);
            actual.clear();
            abierta = false;
            if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') {
                ++i;
            }
        } else {
            actual += c;
            abierta = true;
        }
    }
    if (abierta) {
        lineas.push_back(actual);
    }
    return lineas;
}

TEST(LectorAgenda, LineBreaks) {
    using V = std::vector<std::string>;
    const std::pair<const char*, V> casos[] = {
        {"", V{}},
        {"a", V{"a"}},
        {"a\r\n", V{"a"}},
        {"a\rb\nc\r\nd", V{"a", "b", "c", "d"}},
        {"a\n\nb\n", V{"a", "", "b"}},
        {"a\n\r\nb", V{"a", "", "b"}},
        {"a\n\rb", V{"a", "", "b"}},
        {"\r\r\n\n", V{"", "", ""}},
    };
    // Every block size from one byte: line ends and CR LF pairs fall on the
    // block edges.
    for (const auto& [texto, lineas] : casos) {
        for (size_t bloque : {size_t{1}, size_t{2}, size_t{3}, size_t{5}, kBloqueLectura}) {
            EXPECT_EQ(Dividir(texto, bloque), lineas) << testing::PrintToString(texto) << bloque;
        }
    }
}

// Random texts of short lines, mostly line ends and spaces, split through
// random block sizes give the lines of the plain rule.
TEST(LectorAgenda, LineSplitMatchesThePlainRule) {
    std::mt19937 azar(7);
    const char kLetras[] = {'\r', '\n', '\r', '\n', 'a', ' ', '\xB0', '\0'};
    for (int n = 0; n < 3000; ++n) {
        std::string texto(azar() % 40, ' ');
        for (char& c : texto) {
            c = kLetras[azar() % sizeof kLetras];
        }
        const size_t bloque = 1 + azar() % 16;
        ASSERT_EQ(Dividir(texto, bloque), DividirReferencia(texto))
            << testing::PrintToString(texto) << " " << bloque;
    }
}

// A line longer than a block, even many times over, stays whole.
TEST(LectorAgenda, LinesLongerThanABlock) {
    const std::string larga(10000, 'x');
    const std::string texto = "cabecera\r\n" + larga + "\r\nfin";
    EXPECT_EQ(Dividir(texto, 64), (std::vector<std::string>{"cabecera", larga, "fin"}));
}

// The same lines with each line end.
struct CasoFinDeLinea {
    const char* nombre;
    const char* fin;
    friend void PrintTo(const CasoFinDeLinea& c, std::ostream* os) { *os << c.nombre; }
};

class FinesDeLinea : public ::testing::TestWithParam<CasoFinDeLinea> {
  protected:
    static std::string Texto(int lineas, std::string_view fin) {
        std::string t;
        for (int i = 0; i < lineas; ++i) {
            t += "linea " + std::to_string(i);
            t += fin;
        }
        return t;
    }
};

TEST_P(FinesDeLinea, GiveTheSameLines) {
    const std::string texto = Texto(1000, GetParam().fin);
    const std::vector<std::string> lineas = Dividir(texto, 4096);
    ASSERT_EQ(lineas.size(), 1000u);
    EXPECT_EQ(lineas.front(), "linea 0");
    EXPECT_EQ(lineas[500], "linea 500");
    EXPECT_EQ(lineas.back(), "linea 999");
}

// Splitting takes time in proportion to the text whatever the line end: a
// text of 20,000 lines splits about as fast as the same with LF (best of
// five runs, with a millisecond to spare for the clock). A search for LF to
// the end of the text after every CR made it 1,000 times slower.
TEST_P(FinesDeLinea, SplitInLinearTime) {
    using Reloj = std::chrono::steady_clock;
    auto mejor = [](const std::string& texto) {
        double ms = 1e9;
        for (int i = 0; i < 5; ++i) {
            const auto t0 = Reloj::now();
            const auto lineas = Dividir(texto);
            ms = std::min(ms, std::chrono::duration<double, std::milli>(Reloj::now() - t0).count());
            EXPECT_FALSE(lineas.empty());
        }
        return ms;
    };
    const double lf = mejor(Texto(20000, "\n"));
    const double este = mejor(Texto(20000, GetParam().fin));
    EXPECT_LT(este, 3 * lf + 1) << GetParam().nombre;
}

INSTANTIATE_TEST_SUITE_P(Casos, FinesDeLinea,
                         ::testing::Values(CasoFinDeLinea{"CR", "\r"}, CasoFinDeLinea{"LF", "\n"},
                                           CasoFinDeLinea{"CRLF", "\r\n"}),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace varnolt
