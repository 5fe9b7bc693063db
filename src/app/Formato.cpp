// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/Formato.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/Regional.h"

namespace varnolt {
namespace {

constexpr std::array<const char*, 12> kMesesLargos = {
    "enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
    "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};

void Rellenar(std::string& destino, std::string_view texto, int ancho, bool izquierda) {
    const int falta = ancho - static_cast<int>(texto.size());
    if (falta > 0 && !izquierda) {
        destino.append(static_cast<size_t>(falta), ' ');
    }
    destino.append(texto);
    if (falta > 0 && izquierda) {
        destino.append(static_cast<size_t>(falta), ' ');
    }
}

std::string Real(double valor, char tipo, int precision) {
    char buf[512];
    char fmt[8] = {'%', '.', '*', tipo, 0};
    int n = std::snprintf(buf, sizeof buf, fmt, precision, valor);
    if (n < 0) {
        return {};
    }
    std::string s(buf, static_cast<size_t>(std::min<int>(n, sizeof buf - 1)));
    const char sep = SeparadorDecimal();
    if (sep != '.') {
        for (char& c : s) {
            if (c == '.') {
                c = sep;
            }
        }
    }
    return s;
}

// "%n": fixed decimals with thousands separators.
std::string RealConMiles(double valor, int precision) {
    std::string s = Real(std::fabs(valor), 'f', precision);
    const char sep = SeparadorDecimal();
    const char miles = sep == ',' ? '.' : ',';
    size_t fin = s.find(sep);
    if (fin == std::string::npos) {
        fin = s.size();
    }
    std::string entero = s.substr(0, fin);
    std::string conMiles;
    for (size_t i = 0; i < entero.size(); ++i) {
        if (i > 0 && (entero.size() - i) % 3 == 0) {
            conMiles += miles;
        }
        conMiles += entero[i];
    }
    std::string r = (valor < 0 && s.find_first_not_of("0.,") != std::string::npos) ? "-" : "";
    return r + conMiles + s.substr(fin);
}

}  // namespace

std::string Format(std::string_view formato, std::initializer_list<ArgFormato> args) {
    std::string r;
    r.reserve(formato.size() + 16);
    const ArgFormato* arg = args.begin();
    for (size_t i = 0; i < formato.size(); ++i) {
        const char c = formato[i];
        if (c != '%') {
            r += c;
            continue;
        }
        if (i + 1 < formato.size() && formato[i + 1] == '%') {
            r += '%';
            ++i;
            continue;
        }
        // %[-][width][.precision]type
        size_t j = i + 1;
        bool izquierda = false;
        if (j < formato.size() && formato[j] == '-') {
            izquierda = true;
            ++j;
        }
        int ancho = 0;
        while (j < formato.size() && formato[j] >= '0' && formato[j] <= '9') {
            ancho = ancho * 10 + (formato[j] - '0');
            ++j;
        }
        int precision = -1;
        if (j < formato.size() && formato[j] == '.') {
            ++j;
            precision = 0;
            while (j < formato.size() && formato[j] >= '0' && formato[j] <= '9') {
                precision = precision * 10 + (formato[j] - '0');
                ++j;
            }
        }
        if (j >= formato.size()) {
            r.append(formato.substr(i));
            break;
        }
        const char tipo = static_cast<char>(formato[j] | 0x20);
        i = j;
        if (arg == args.end()) {
            continue;
        }
        const auto& v = (arg++)->valor();
        std::string texto;
        switch (tipo) {
            case 'd':
            case 'u':
                if (const auto* n = std::get_if<std::int64_t>(&v)) {
                    texto = std::to_string(*n);
                    if (precision > 0 && static_cast<int>(texto.size()) < precision) {
                        const bool neg = *n < 0;
                        std::string digitos = neg ? texto.substr(1) : texto;
                        digitos.insert(0, static_cast<size_t>(precision) - digitos.size(), '0');
                        texto = (neg ? "-" : "") + digitos;
                    }
                }
                break;
            case 'x':
                if (const auto* n = std::get_if<std::int64_t>(&v)) {
                    char buf[32];
                    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(*n));
                    texto = buf;
                }
                break;
            case 's':
                if (const auto* s = std::get_if<std::string_view>(&v)) {
                    texto = precision >= 0
                                ? std::string(s->substr(0, static_cast<size_t>(precision)))
                                : std::string(*s);
                }
                break;
            case 'f':
            case 'e':
            case 'g':
            case 'n': {
                double d = 0;
                if (const auto* x = std::get_if<double>(&v)) {
                    d = *x;
                } else if (const auto* n = std::get_if<std::int64_t>(&v)) {
                    d = static_cast<double>(*n);
                } else {
                    break;
                }
                if (tipo == 'n') {
                    texto = RealConMiles(d, precision < 0 ? 2 : precision);
                } else if (tipo == 'g') {
                    texto = Real(d, 'g', precision < 0 ? 15 : precision);
                } else {
                    texto = Real(d, tipo, precision < 0 ? (tipo == 'f' ? 2 : 15) : precision);
                }
                break;
            }
            default:
                break;
        }
        Rellenar(r, texto, ancho, izquierda);
    }
    return r;
}

std::string FormatoReal(double valor, int decimales) {
    return Real(valor, 'f', decimales);
}

std::string FormatDateTime(std::string_view patron, TFecha fecha) {
    const FechaCivil f = DecodificarFecha(fecha);
    const Regional& regional = ConfiguracionRegional();
    std::string r;
    char buf[16];
    size_t i = 0;
    auto contar = [&](char c) {
        size_t n = 0;
        while (i + n < patron.size() && (patron[i + n] | 0x20) == c) {
            ++n;
        }
        return n;
    };
    while (i < patron.size()) {
        const char c = patron[i];
        if (c == '"' || c == '\'') {
            const size_t fin = patron.find(c, i + 1);
            const size_t hasta = fin == std::string_view::npos ? patron.size() : fin;
            r.append(patron.substr(i + 1, hasta - i - 1));
            i = hasta == patron.size() ? hasta : hasta + 1;
            continue;
        }
        switch (c | 0x20) {
            case 'y': {
                const size_t n = contar('y');
                if (n <= 2) {
                    std::snprintf(buf, sizeof buf, "%02d", f.anio % 100);
                } else {
                    std::snprintf(buf, sizeof buf, "%04d", f.anio);
                }
                r += buf;
                i += n;
                continue;
            }
            case 'm': {
                const size_t n = contar('m');
                if (n >= 4) {
                    r += kMesesLargos[static_cast<size_t>(f.mes - 1)];
                } else if (n == 3) {
                    r += regional.MesesCortos[static_cast<size_t>(f.mes - 1)];
                } else if (n == 2) {
                    std::snprintf(buf, sizeof buf, "%02d", f.mes);
                    r += buf;
                } else {
                    r += std::to_string(f.mes);
                }
                i += n;
                continue;
            }
            case 'd': {
                const size_t n = contar('d');
                if (n >= 2) {
                    std::snprintf(buf, sizeof buf, "%02d", f.dia);
                    r += buf;
                } else {
                    r += std::to_string(f.dia);
                }
                i += n;
                continue;
            }
            default:
                r += c;
                ++i;
        }
    }
    return r;
}

}  // namespace varnolt
