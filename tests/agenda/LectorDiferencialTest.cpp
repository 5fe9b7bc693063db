// SPDX-License-Identifier: AGPL-3.0-or-later
// The contact line reader against a plain reference reader written straight
// from the rules of the format: both must accept and refuse the same lines
// and read the same fields, on the lines of a real agenda and on many
// mutated copies of them, with either decimal separator.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <fstream>
#include <random>
#include <sstream>

#include "agenda/LectorAgenda.h"
#include "agenda/LectorLineas.h"
#include "app/Fecha.h"
#include "app/Texto.h"
#include "support/AgendaDePrueba.h"

namespace varnolt {
namespace {

struct Referencia {
    TFecha fecha = 0;
    std::int32_t id = 0, angulo = 0, aspecto = 0, banda = 1;
    std::string nat, tra, itemNatal, itemTransito, textoAspecto;
    double fuerza = 0, peso = 0, valor = 0, posNatal = 0, posTransito = 0;
};

// The text up to the next space, which is removed with it; with no space
// left, the empty text and the rest stays.
std::string_view Tok(std::string_view& resto) {
    const size_t p = resto.find(' ');
    if (p == std::string_view::npos) {
        return {};
    }
    const std::string_view t = resto.substr(0, p);
    resto.remove_prefix(p + 1);
    return t;
}

bool Entero(std::string_view s, std::int32_t& v) {
    bool negativo = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negativo = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    while (s.size() > 1 && s[0] == '0') {
        s.remove_prefix(1);
    }
    if (s.size() > 10) {
        return false;
    }
    std::int64_t m = 0;
    std::from_chars(s.data(), s.data() + s.size(), m);
    const std::int64_t r = negativo ? -m : m;
    if (r < INT32_MIN || r > INT32_MAX) {
        return false;
    }
    v = static_cast<std::int32_t>(r);
    return true;
}

// Spaces around it allowed; a sign, digits with at most one separator (at
// least one digit), an optional exponent; exact, and out of the range of a
// double fails. A text of 128 characters or more never reads.
bool Real(std::string_view s, char sep, double& v) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    if (s.empty() || s.size() >= 128) {
        return false;
    }
    std::string n;
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') {
        if (s[i] == '-') {
            n += '-';
        }
        ++i;
    }
    int digitos = 0;
    bool visto = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            n += s[i];
            ++digitos;
        } else if (s[i] == sep && !visto) {
            n += '.';
            visto = true;
        } else {
            break;
        }
    }
    if (digitos == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        n += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            n += s[i++];
        }
        const size_t inicio = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            n += s[i++];
        }
        if (i == inicio) {
            return false;
        }
    }
    if (i != s.size()) {
        return false;
    }
    const auto r = std::from_chars(n.data(), n.data() + n.size(), v);
    return r.ec == std::errc() && r.ptr == n.data() + n.size();
}

bool Fecha(std::string_view s, TFecha& f) {
    const size_t g1 = s.find('-');
    const size_t g2 = g1 == std::string_view::npos ? g1 : s.find('-', g1 + 1);
    std::int32_t a = 0, m = 0, d = 0;
    if (g2 == std::string_view::npos || !Entero(s.substr(0, g1), a) ||
        !Entero(s.substr(g1 + 1, g2 - g1 - 1), m) || !Entero(s.substr(g2 + 1), d) ||
        !EsFechaValida(a, m, d)) {
        return false;
    }
    f = CodificarFecha(a, m, d);
    return true;
}

bool LeerReferencia(std::string_view linea, char sep, Referencia& r) {
    std::string_view resto = linea;
    Tok(resto), Tok(resto), Tok(resto);
    if (!Fecha(Tok(resto), r.fecha)) {
        return false;
    }
    const std::string_view c = Tok(resto);
    const size_t dp = c.find(':');
    const size_t ab = dp == std::string_view::npos ? dp : c.find('(', dp + 1);
    const size_t ce = ab == std::string_view::npos ? ab : c.find(')', ab + 1);
    if (ce == std::string_view::npos) {
        return false;
    }
    const std::string_view ang = c.substr(ab + 1, ce - ab - 1);
    const size_t g = ang.find('\xB0');
    if (g == std::string_view::npos || !Entero(c.substr(0, dp), r.id) ||
        !Entero(ang.substr(0, g), r.angulo)) {
        return false;
    }
    r.nat = c.substr(dp + 1, ab - dp - 1);
    r.tra = c.substr(ce + 1);
    const size_t cc = r.tra.find('C');
    if (cc != std::string::npos && (r.tra.substr(cc + 1) == "0" || r.tra.substr(cc + 1) == "1")) {
        r.tra = "C0" + r.tra.substr(cc + 1);
    }
    r.itemNatal = Tok(resto);
    r.itemTransito = Tok(resto);
    const std::string_view fuerza = Tok(resto);
    if (!resto.empty()) {
        resto.remove_prefix(1);
    }
    const size_t pct = fuerza.find('%');
    if (pct == std::string_view::npos || !Real(fuerza.substr(0, pct), sep, r.fuerza)) {
        return false;
    }
    const std::string_view banda = Tok(resto);
    const char* kBandas[] = {"0%-20%", "20%-40%", "40%-60%", "60%-80%", "80%-100%"};
    r.banda = 1;
    for (int i = 0; i < 5; ++i) {
        if (banda == kBandas[i]) {
            r.banda = i + 1;
        }
    }
    if (!Real(Tok(resto), sep, r.peso)) {
        return false;
    }
    r.textoAspecto = Tok(resto);
    if (!Entero(r.textoAspecto, r.aspecto) || !Real(Tok(resto), sep, r.valor)) {
        return false;
    }
    Tok(resto), Tok(resto), Tok(resto), Tok(resto);
    if (!Real(Tok(resto), sep, r.posNatal)) {
        return false;
    }
    Tok(resto), Tok(resto), Tok(resto), Tok(resto);
    return Real(resto, sep, r.posTransito);
}

Codigo Cod(const std::string& cp1252) {
    return Codigo(Cp1252AUtf8(cp1252));
}

bool MismoReal(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Reads the line with both readers and compares everything.
void Comparar(const std::string& linea, char sep, TraductorCodigos& codigos) {
    Referencia r;
    LineaAgenda l;
    const bool ref = LeerReferencia(linea, sep, r);
    const bool leida = LeerLineaAgenda(linea, sep, codigos, l);
    ASSERT_EQ(leida, ref) << testing::PrintToString(linea) << " sep " << sep;
    if (!ref) {
        return;
    }
    const TTendencia& t = l.tendencia;
    const auto d = testing::PrintToString(linea);
    EXPECT_EQ(t.Fecha, r.fecha) << d;
    EXPECT_EQ(l.IdContacto, r.id) << d;
    EXPECT_EQ(l.AngContacto, r.angulo) << d;
    EXPECT_EQ(t.Aspecto, r.aspecto) << d;
    EXPECT_EQ(t.BandaFuerza, r.banda) << d;
    EXPECT_EQ(l.textoAspecto, r.textoAspecto) << d;
    EXPECT_EQ(t.NatContacto, Cod(r.nat)) << d;
    EXPECT_EQ(t.TraContacto, Cod(r.tra)) << d;
    EXPECT_EQ(t.ItemNatal, Cod(r.itemNatal)) << d;
    EXPECT_EQ(t.ItemTransito, Cod(r.itemTransito)) << d;
    EXPECT_TRUE(MismoReal(t.Fuerza, r.fuerza)) << d;
    EXPECT_TRUE(MismoReal(t.Peso, r.peso)) << d;
    EXPECT_TRUE(MismoReal(l.Valor, r.valor)) << d;
    EXPECT_TRUE(MismoReal(t.PosNatal, r.posNatal)) << d;
    EXPECT_TRUE(MismoReal(t.PosTransito, r.posTransito)) << d;
}

std::vector<std::string> LineasDeMuestra(size_t cuantas) {
    std::ifstream in(prueba::Muestra("muestra_2024.csv"), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const std::string texto = s.str();
    LectorLineas lector(FuenteTexto(texto));
    std::vector<std::string> r;
    std::string_view l;
    lector.Siguiente(l);  // the header
    // Every 20th line, across the whole year.
    for (size_t i = 0; lector.Siguiente(l) && r.size() < cuantas; ++i) {
        if (i % 20 == 0) {
            r.emplace_back(l);
        }
    }
    return r;
}

std::string ConComas(std::string l) {
    std::replace(l.begin(), l.end(), '.', ',');
    return l;
}

TEST(LectorDiferencial, RealLinesReadTheSame) {
    TraductorCodigos codigos;
    const auto lineas = LineasDeMuestra(2000);
    ASSERT_GE(lineas.size(), 2000u);
    for (const std::string& l : lineas) {
        for (const char sep : {'.', ','}) {
            // Each file's lines under each separator: one of the two fails.
            Comparar(l, sep, codigos);
            Comparar(ConComas(l), sep, codigos);
        }
    }
}

// Mutated lines: bytes replaced, removed, inserted, spaces doubled, lines
// cut, numbers swapped for their edge values.
TEST(LectorDiferencial, MutatedLinesReadTheSame) {
    std::mt19937_64 azar(2024);
    const std::string kBytes = std::string(
                                   "0123456789.,-+eE %:()\xB0"
                                   "C1x\xFF\x01\t",
                                   27) +
                               '\0';
    const std::vector<std::string> kValores = {"2147483647",
                                               "2147483648",
                                               "-2147483648",
                                               "-2147483649",
                                               "0000000000000000000042",
                                               "1e308",
                                               "1e309",
                                               "-0",
                                               "0.1e-400",
                                               "123456789012345678901234",
                                               "9999-12-31",
                                               "10000-1-1",
                                               "0-1-1",
                                               "2024-2-29",
                                               "2023-2-29",
                                               "+2024-+2-+1",
                                               std::string(130, '7'),
                                               "1.5.5",
                                               ".5",
                                               "5.",
                                               ",5",
                                               "5,"};
    TraductorCodigos codigos;
    const auto base = LineasDeMuestra(400);
    int leidas = 0;
    for (const std::string& original : base) {
        for (int n = 0; n < 25; ++n) {
            std::string l = (n % 2 == 0) ? original : ConComas(original);
            const int cambios = 1 + static_cast<int>(azar() % 3);
            for (int k = 0; k < cambios && !l.empty(); ++k) {
                const size_t p = azar() % l.size();
                switch (azar() % 6) {
                    case 0:
                        l[p] = kBytes[azar() % kBytes.size()];
                        break;
                    case 1:
                        l.erase(p, 1);
                        break;
                    case 2:
                        l.insert(p, 1, kBytes[azar() % kBytes.size()]);
                        break;
                    case 3:
                        l.insert(p, " ");
                        break;
                    case 4:
                        l.resize(p);
                        break;
                    default: {
                        // A whole token replaced by an edge value.
                        const size_t ini = l.rfind(' ', p);
                        const size_t a = ini == std::string::npos ? 0 : ini + 1;
                        const size_t fin = l.find(' ', p);
                        l.replace(a, (fin == std::string::npos ? l.size() : fin) - a,
                                  kValores[azar() % kValores.size()]);
                    }
                }
            }
            for (const char sep : {'.', ','}) {
                Comparar(l, sep, codigos);
                LineaAgenda x;
                leidas += LeerLineaAgenda(l, sep, codigos, x) ? 1 : 0;
            }
            if (HasFatalFailure()) {
                return;
            }
        }
    }
    // Both outcomes are well represented.
    EXPECT_GT(leidas, 2000);
    EXPECT_LT(leidas, 18000);
}

}  // namespace
}  // namespace varnolt
