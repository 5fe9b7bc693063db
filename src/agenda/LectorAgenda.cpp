// SPDX-License-Identifier: AGPL-3.0-or-later
// The agenda line format.
//
// An agenda is Windows-1252 text. Its first line is a header and is never
// read. Every further line is one contact made of 22 tokens separated by
// single spaces, read from the front of the line: a token is the text up to
// the next space, and the token and that space are removed; when no space is
// left the token taken is empty and the line stays as it is. Token 21, the
// last, is whatever remains. Two spaces in a row therefore make an empty
// token, which fails wherever a number or a date is expected.
//
//   0 1 2    ignored
//   3        date Y-M-D (2024-3-7 and 2024-03-07 are the same day)
//   4        contact N:NAT(A°)TRA, "°" being the single byte 0xB0
//   5 6      natal item code, transit item code
//   7        strength "87.5%"; the one character after its space is skipped too
//   8        strength band "0%-20%" … "80%-100%" (anything else is band 1)
//   9        weight (real)
//   10       aspect angle (integer)
//   11       value (real)
//   12..15   ignored
//   16       natal longitude (real)
//   17..20   ignored
//   21       transit longitude (real), the rest of the line; trailing spaces allowed
//
// Integers are decimal with an optional sign. Reals are an optional sign,
// digits, the file's decimal separator and digits, and an optional exponent;
// no thousands separator. A file is written with one separator, "." or ",",
// and its first contact line tells which: a line that uses the other one
// fails.
#include "agenda/LectorAgenda.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "app/Texto.h"

namespace varnolt {
namespace {

constexpr char kGrado = '\xB0';

// The tokens of a contact line (see the format above), with the spaces of
// the line found 64 bytes at a time: one bit per byte of a window, so that each
// token costs a count of trailing zeros instead of a search.
class Cortador {
  public:
    explicit Cortador(std::string_view linea) : p_(linea.data()), n_(linea.size()) {}

    // The text up to the next space, which is passed; when no space is left
    // the token is empty and nothing is passed.
    std::string_view Token() {
        size_t busca = pos_;
        for (;;) {
            const size_t base = busca & ~size_t{63};
            if (base != base_) {
                base_ = base;
                espacios_ = Espacios(base);
            }
            const std::uint64_t m = espacios_ & (~std::uint64_t{0} << (busca - base));
            if (m != 0) {
                const size_t e = base + static_cast<size_t>(__builtin_ctzll(m));
                const std::string_view t(p_ + pos_, e - pos_);
                pos_ = e + 1;
                return t;
            }
            if (base + 64 >= n_) {
                return {};
            }
            busca = base + 64;
        }
    }
    void Saltar(int tokens) {
        for (int i = 0; i < tokens; ++i) {
            Token();
        }
    }
    // Passes one character, whatever it is.
    void SaltarCaracter() {
        if (pos_ < n_) {
            ++pos_;
        }
    }
    std::string_view Resto() const { return std::string_view(p_ + pos_, n_ - pos_); }

  private:
    // Bit i set when byte base + i is a space.
    std::uint64_t Espacios(size_t base) const {
        constexpr std::uint64_t kUnos = 0x0101010101010101ULL;
        constexpr std::uint64_t kBajos = 0x7F7F7F7F7F7F7F7FULL;
        std::uint64_t r = 0;
        const size_t fin = std::min(n_, base + 64);
        for (size_t w = base; w < fin; w += 8) {
            std::uint64_t x = 0;
            std::memcpy(&x, p_ + w, std::min<size_t>(8, fin - w));  // zeros past the end
            x ^= kUnos * ' ';
            // 0x80 in each byte that was a space, exactly; then one bit per byte.
            const std::uint64_t z = ~(((x & kBajos) + kBajos) | x) & (kUnos << 7);
            r |= (((z >> 7) * 0x0102040810204080ULL) >> 56) << (w - base);
        }
        return r;
    }

    const char* p_;
    size_t n_;
    size_t pos_ = 0;
    size_t base_ = ~size_t{0};
    std::uint64_t espacios_ = 0;
};

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

std::string_view RecortarEspacios(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

int BandaDe(std::string_view texto) {
    static constexpr std::string_view kBandas[] = {"0%-20%", "20%-40%", "40%-60%", "60%-80%",
                                                   "80%-100%"};
    for (int i = 0; i < 5; ++i) {
        if (IgualesCortos(texto, kBandas[i])) {
            return i + 1;
        }
    }
    return 1;
}

// A transit code ending in a lone cusp digit after its first "C" ("C1", "C0")
// is widened to two digits.
std::string_view ReglaCuspide(std::string_view tra, std::string& almacen) {
    const size_t c = tra.find('C');
    if (c == std::string_view::npos) {
        return tra;
    }
    const std::string_view tras = tra.substr(c + 1);
    if (tras == "0" || tras == "1") {
        almacen = "C0";
        almacen += tras;
        return almacen;
    }
    return tra;
}

}  // namespace

Codigo TraductorCodigos::Traducir(std::string_view cp1252) {
    auto nuevo = [&] { return EsAscii(cp1252) ? Codigo(cp1252) : Codigo(Cp1252AUtf8(cp1252)); };
    if (cp1252.empty()) {
        return Codigo();
    }
    if (cp1252.size() <= 7 && ocupadas_ < kRanuras / 2) {
        // Length in the low byte, the bytes above it: never 0 for a code.
        std::uint64_t clave = cp1252.size();
        for (size_t i = 0; i < cp1252.size(); ++i) {
            clave |= static_cast<std::uint64_t>(static_cast<unsigned char>(cp1252[i]))
                     << (8 * (i + 1));
        }
        size_t i = static_cast<size_t>((clave * 0x9E3779B97F4A7C15ULL) >> 55) % kRanuras;
        for (;; i = (i + 1) % kRanuras) {
            Ranura& r = cortos_[i];
            if (r.clave == clave) {
                return r.codigo;
            }
            if (r.clave == 0) {
                r.clave = clave;
                r.codigo = nuevo();
                ++ocupadas_;
                return r.codigo;
            }
        }
    }
    auto it = largos_.find(cp1252);
    if (it != largos_.end()) {
        return it->second;
    }
    const Codigo codigo = nuevo();
    largos_.emplace(std::string(cp1252), codigo);
    return codigo;
}

char SeparadorDeAgenda(std::string_view primeraLinea, char porDefecto) {
    Cortador tokens(primeraLinea);
    tokens.Saltar(7);
    const std::string_view fuerza = tokens.Token();
    for (const char c : fuerza.substr(0, fuerza.find('%'))) {
        if (c == '.' || c == ',') {
            return c;
        }
    }
    return porDefecto;
}

std::string CitaDeLinea(std::string_view cp1252) {
    auto esControl = [](unsigned char b) {
        return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 ||
               b == 0x9D;
    };
    const bool corta = cp1252.size() <= kLargoCita;
    if (corta && std::none_of(cp1252.begin(), cp1252.end(),
                              [&](char c) { return esControl(static_cast<unsigned char>(c)); })) {
        return Cp1252AUtf8(cp1252);
    }
    // One byte is one character of the code page.
    const std::string_view cita = cp1252.substr(0, kLargoCita);
    std::string r;
    for (const char c : cita) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            // U+2400 + b, and U+2421 for DEL, in UTF-8.
            const unsigned cp = b == 0x7F ? 0x2421u : 0x2400u + b;
            r += static_cast<char>(0xE0 | (cp >> 12));
            r += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (esControl(b)) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            r += "\\x";
            r += kHex[b >> 4];
            r += kHex[b & 0xF];
        } else {
            r += Cp1252AUtf8(std::string_view(&c, 1));
        }
    }
    if (!corta) {
        r += "\xE2\x80\xA6";  // …
    }
    return r;
}

bool LeerEntero(std::string_view texto, std::int32_t& valor) {
    if (texto.empty()) {
        return false;
    }
    bool negativo = false;
    if (texto.front() == '+' || texto.front() == '-') {
        negativo = texto.front() == '-';
        texto.remove_prefix(1);
    }
    if (texto.empty()) {
        return false;
    }
    std::int64_t v = 0;
    for (char c : texto) {
        if (!EsDigito(c)) {
            return false;
        }
        v = v * 10 + (c - '0');
        if (v > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) {
            return false;
        }
    }
    if (negativo) {
        v = -v;
    }
    if (v > std::numeric_limits<std::int32_t>::max() ||
        v < std::numeric_limits<std::int32_t>::min()) {
        return false;
    }
    valor = static_cast<std::int32_t>(v);
    return true;
}

// Powers of ten a double holds exactly.
constexpr double kPotencias[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common case of the agenda files, digits with an optional separator and
// at most 15 digits in all, read without a general parser: the digits form a
// whole number below 2^53 and one exact division by a power of ten rounds
// correctly. False sends the text to the general reader.
bool LeerRealSencillo(std::string_view texto, char separador, double& valor) {
    size_t i = 0;
    const size_t n = texto.size();
    bool negativo = false;
    if (i < n && (texto[i] == '-' || texto[i] == '+')) {
        negativo = texto[i] == '-';
        ++i;
    }
    std::uint64_t mantisa = 0;
    int digitos = 0;
    int decimales = 0;
    bool separadorVisto = false;
    for (; i < n; ++i) {
        const char c = texto[i];
        if (c >= '0' && c <= '9') {
            mantisa = mantisa * 10 + static_cast<std::uint64_t>(c - '0');
            ++digitos;
            decimales += separadorVisto ? 1 : 0;
        } else if (c == separador && !separadorVisto) {
            separadorVisto = true;
        } else {
            return false;
        }
    }
    if (digitos == 0 || digitos > 15) {
        return false;
    }
    const double v = static_cast<double>(mantisa) / kPotencias[decimales];
    valor = negativo ? -v : v;
    return true;
}

bool LeerReal(std::string_view texto, char separadorDecimal, double& valor) {
    if (LeerRealSencillo(texto, separadorDecimal, valor)) {
        return true;
    }
    texto = RecortarEspacios(texto);
    // Validate the shape first, copying it with "." as the separator.
    char buf[128];
    if (texto.empty() || texto.size() >= sizeof buf) {
        return false;
    }
    size_t i = 0;
    size_t n = 0;
    if (texto[i] == '+' || texto[i] == '-') {
        if (texto[i] == '-') {
            buf[n++] = '-';
        }
        ++i;
    }
    size_t digitos = 0;
    while (i < texto.size() && EsDigito(texto[i])) {
        buf[n++] = texto[i++];
        ++digitos;
    }
    if (i < texto.size() && texto[i] == separadorDecimal) {
        buf[n++] = '.';
        ++i;
        while (i < texto.size() && EsDigito(texto[i])) {
            buf[n++] = texto[i++];
            ++digitos;
        }
    }
    if (digitos == 0) {
        return false;
    }
    if (i < texto.size() && (texto[i] == 'e' || texto[i] == 'E')) {
        buf[n++] = 'e';
        ++i;
        if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) {
            buf[n++] = texto[i++];
        }
        size_t exp = 0;
        while (i < texto.size() && EsDigito(texto[i])) {
            buf[n++] = texto[i++];
            ++exp;
        }
        if (exp == 0) {
            return false;
        }
    }
    if (i != texto.size()) {
        return false;
    }
    double v = 0;
    const auto r = std::from_chars(buf, buf + n, v);
    if (r.ec != std::errc() || r.ptr != buf + n) {
        return false;  // out of the range of a double
    }
    valor = v;
    return true;
}

bool LeerFechaAgenda(std::string_view texto, TFecha& fecha) {
    const size_t g1 = texto.find('-');
    if (g1 == std::string_view::npos) {
        return false;
    }
    const size_t g2 = texto.find('-', g1 + 1);
    if (g2 == std::string_view::npos) {
        return false;
    }
    std::int32_t anio = 0;
    std::int32_t mes = 0;
    std::int32_t dia = 0;
    // Each part is an integer of the agenda format, sign included: "+3" is
    // 3. A minus sign only ever reaches the day, as the first two "-" end
    // the year and the month, and a negative day is no calendar day.
    if (!LeerEntero(texto.substr(0, g1), anio) ||
        !LeerEntero(texto.substr(g1 + 1, g2 - g1 - 1), mes) ||
        !LeerEntero(texto.substr(g2 + 1), dia) || !EsFechaValida(anio, mes, dia)) {
        return false;
    }
    fecha = CodificarFecha(anio, mes, dia);
    return true;
}

bool LeerLineaAgenda(std::string_view linea, char sep, TraductorCodigos& codigos,
                     LineaAgenda& salida) {
    TTendencia& t = salida.tendencia;
    Cortador tokens(linea);
    tokens.Saltar(3);
    const std::string_view fecha = tokens.Token();
    if (!codigos.ultimaFechaTexto.empty() && IgualesCortos(fecha, codigos.ultimaFechaTexto)) {
        t.Fecha = codigos.ultimaFecha;
    } else if (LeerFechaAgenda(fecha, t.Fecha)) {
        codigos.ultimaFechaTexto.assign(fecha);
        codigos.ultimaFecha = t.Fecha;
    } else {
        return false;
    }

    // Token 4: N:NAT(A°)TRA
    const std::string_view contacto = tokens.Token();
    const size_t dosPuntos = contacto.find(':');
    if (dosPuntos == std::string_view::npos) {
        return false;
    }
    const size_t abre = contacto.find('(', dosPuntos + 1);
    if (abre == std::string_view::npos) {
        return false;
    }
    const size_t cierra = contacto.find(')', abre + 1);
    if (cierra == std::string_view::npos) {
        return false;
    }
    const std::string_view angulo = contacto.substr(abre + 1, cierra - abre - 1);
    const size_t grado = angulo.find(kGrado);
    if (grado == std::string_view::npos ||
        !LeerEntero(contacto.substr(0, dosPuntos), salida.IdContacto) ||
        !LeerEntero(angulo.substr(0, grado), salida.AngContacto)) {
        return false;
    }
    std::string almacen;
    t.NatContacto = codigos.Traducir(contacto.substr(dosPuntos + 1, abre - dosPuntos - 1));
    t.TraContacto = codigos.Traducir(ReglaCuspide(contacto.substr(cierra + 1), almacen));

    t.ItemNatal = codigos.Traducir(tokens.Token());
    t.ItemTransito = codigos.Traducir(tokens.Token());

    // Token 7: the strength, then one more character is skipped.
    const std::string_view fuerza = tokens.Token();
    tokens.SaltarCaracter();
    const size_t pct = fuerza.find('%');
    if (pct == std::string_view::npos || !LeerReal(fuerza.substr(0, pct), sep, t.Fuerza)) {
        return false;
    }
    t.BandaFuerza = static_cast<std::int8_t>(BandaDe(tokens.Token()));
    if (!LeerReal(tokens.Token(), sep, t.Peso)) {
        return false;
    }
    salida.textoAspecto = tokens.Token();
    if (!LeerEntero(salida.textoAspecto, t.Aspecto) ||
        !LeerReal(tokens.Token(), sep, salida.Valor)) {
        return false;
    }
    tokens.Saltar(4);  // 12 to 15
    if (!LeerReal(tokens.Token(), sep, t.PosNatal)) {
        return false;
    }
    tokens.Saltar(4);  // 17 to 20
    // Token 21: the rest of the line; spaces may follow the number.
    std::string_view ultimo = tokens.Resto();
    while (!ultimo.empty() && ultimo.back() == ' ') {
        ultimo.remove_suffix(1);
    }
    return LeerReal(ultimo, sep, t.PosTransito);
}

}  // namespace varnolt
