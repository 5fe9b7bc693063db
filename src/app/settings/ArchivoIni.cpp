// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/settings/ArchivoIni.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/ArchivoSeguro.h"
#include "app/Regional.h"
#include "app/Texto.h"

namespace varnolt {
namespace {

bool EsBlanco(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Recortar(std::string_view s) {
    while (!s.empty() && EsBlanco(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && EsBlanco(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

int HexDigito(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string ErrorEscritura::Mensaje() const {
    return "Unable to write to " + ruta;
}

std::string ErrorEscritura::Texto() const {
    return textoSistema.empty() ? Mensaje() : Mensaje() + "\n" + textoSistema;
}

// ---------------------------------------------------------------------------
// Value forms

std::optional<std::int32_t> LeerEnteroIni(std::string_view t) {
    std::size_t i = 0;
    bool negativo = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negativo = t[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < t.size() && t[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == t.size()) {
        return std::nullopt;
    }
    std::uint64_t valor = 0;
    if (hex) {
        // Up to 32 bits, taken as a signed 32-bit pattern ("$FFFFFFFF" is -1).
        for (; i < t.size(); ++i) {
            const int d = HexDigito(t[i]);
            if (d < 0) {
                return std::nullopt;
            }
            valor = valor * 16 + static_cast<unsigned>(d);
            if (valor > 0xFFFFFFFFu) {
                return std::nullopt;
            }
        }
        std::uint32_t bits = static_cast<std::uint32_t>(valor);
        if (negativo) {
            bits = 0u - bits;
        }
        return static_cast<std::int32_t>(bits);
    }
    const std::uint64_t limite = negativo ? 2147483648u : 2147483647u;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') {
            return std::nullopt;
        }
        valor = valor * 10 + static_cast<unsigned>(t[i] - '0');
        if (valor > limite) {
            return std::nullopt;
        }
    }
    return negativo ? static_cast<std::int32_t>(-static_cast<std::int64_t>(valor))
                    : static_cast<std::int32_t>(valor);
}

std::optional<double> LeerRealIni(std::string_view t, char separador) {
    std::string c;  // the same number with '.' as separator, for from_chars
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') {
            c += '-';
        }
        ++i;
    }
    std::size_t cifras = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++cifras) {
        c += t[i];
    }
    if (i < t.size() && t[i] == separador) {
        c += '.';
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++cifras) {
            c += t[i];
        }
    }
    if (cifras == 0) {
        return std::nullopt;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            c += t[i++];
        }
        std::size_t exp = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++exp) {
            c += t[i];
        }
        if (exp == 0) {
            return std::nullopt;
        }
    }
    if (i != t.size()) {
        return std::nullopt;
    }
    double valor = 0;
    const auto r = std::from_chars(c.data(), c.data() + c.size(), valor);
    if (r.ec != std::errc() || r.ptr != c.data() + c.size() || !std::isfinite(valor)) {
        return std::nullopt;
    }
    return valor;
}

std::string TextoRealIni(double valor, char separador) {
    if (std::isnan(valor)) {
        return "NAN";
    }
    if (std::isinf(valor)) {
        return valor > 0 ? "INF" : "-INF";
    }
    if (valor == 0) {
        return "0";
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(valor));
    // buf: "d.dddddddddddddde±XX"
    std::string cifras;
    cifras += buf[0];
    const char* p = buf + 2;
    while (*p != 'e') {
        cifras += *p++;
    }
    const int exp = std::atoi(p + 1);
    while (cifras.size() > 1 && cifras.back() == '0') {
        cifras.pop_back();
    }

    std::string s = valor < 0 ? "-" : "";
    if (exp >= -5 && exp <= 14) {
        if (exp >= 0) {
            const auto enteras = static_cast<std::size_t>(exp) + 1;
            if (cifras.size() <= enteras) {
                s += cifras;
                s.append(enteras - cifras.size(), '0');
            } else {
                s += cifras.substr(0, enteras);
                s += separador;
                s += cifras.substr(enteras);
            }
        } else {
            s += '0';
            s += separador;
            s.append(static_cast<std::size_t>(-exp - 1), '0');
            s += cifras;
        }
    } else {
        s += cifras[0];
        if (cifras.size() > 1) {
            s += separador;
            s += cifras.substr(1);
        }
        s += 'E';
        s += std::to_string(exp);
    }
    return s;
}

// ---------------------------------------------------------------------------
// Reading the file

namespace {

constexpr std::uint8_t kFinNinguno = 0;
constexpr std::uint8_t kFinLf = 1;
constexpr std::uint8_t kFinCr = 2;
constexpr std::uint8_t kFinCrLf = 3;

std::string_view TextoFin(std::uint8_t fin) {
    switch (fin) {
        case kFinLf:
            return "\n";
        case kFinCr:
            return "\r";
        case kFinCrLf:
            return "\r\n";
        default:
            return "";
    }
}

// The value of a key line as read: without blanks around it and without the
// two equal quotes it may stand between (the file's bytes).
std::string_view ValorLinea(std::string_view texto, std::size_t inicio) {
    std::string_view v = Recortar(texto.substr(inicio));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

// What a line is: a header "[name]", a key "name=value" or anything else;
// the name's bytes and, for a key, where its value starts.
struct Clase {
    bool seccion = false;
    bool clave = false;
    std::string_view nombre;
    std::size_t inicioValor = 0;
};

Clase Clasificar(std::string_view texto, bool primera) {
    Clase c;
    std::size_t p = 0;
    if (primera && texto.starts_with("\xEF\xBB\xBF")) {
        p = 3;  // a byte-order mark
    }
    while (p < texto.size() && EsBlanco(texto[p])) {
        ++p;
    }
    const std::string_view resto = texto.substr(p);
    if (resto.empty() || resto.front() == ';') {
        return c;
    }
    if (resto.front() == '[') {
        const std::size_t cierre = resto.rfind(']');
        if (cierre != std::string_view::npos) {
            c.seccion = true;
            c.nombre = Recortar(resto.substr(1, cierre - 1));
        }
        return c;
    }
    const std::size_t igual = resto.find('=');
    if (igual == std::string_view::npos) {
        return c;
    }
    c.clave = true;
    c.nombre = Recortar(resto.substr(0, igual));
    const std::size_t v = p + igual + 1;
    std::size_t q = v;
    while (q < texto.size() && EsBlanco(texto[q])) {
        ++q;
    }
    // Blanks before a value stay when the value is replaced; an empty value
    // is replaced right after the '='.
    c.inicioValor = q < texto.size() ? q : v;
    return c;
}

}  // namespace

ArchivoIni::ArchivoIni() : secciones_(1) {}

ArchivoIni::ArchivoIni(std::string ruta, FormaIni forma)
    : ruta_(std::move(ruta)), forma_(forma), secciones_(1) {
    std::string bytes;
    const FalloArchivo fallo = LeerArchivoEntero(ruta_, bytes, forma_.limite);
    if (!fallo) {
        existia_ = true;
        Analizar(bytes);
    } else if (fallo.causa != FalloArchivo::Causa::Sistema ||
               (fallo.numero != ENOENT && fallo.numero != ENOTDIR)) {
        falloLectura_ = fallo;
    }
}

std::string ArchivoIni::TextoErrorLectura() const {
    return falloLectura_.Texto(ruta_);
}

ArchivoIni ArchivoIni::DesdeTexto(std::string_view bytes, FormaIni forma) {
    ArchivoIni ini;
    ini.forma_ = forma;
    ini.Analizar(bytes);
    return ini;
}

char ArchivoIni::Separador() const {
    return separador_ != '\0' ? separador_ : varnolt::SeparadorDecimal();
}

std::string ArchivoIni::DeArchivo(std::string_view bytes) const {
    return forma_.utf8 ? std::string(bytes) : Cp1252AUtf8(bytes);
}

std::string ArchivoIni::AArchivo(std::string_view utf8) const {
    return forma_.utf8 ? std::string(utf8) : Utf8ACp1252(utf8);
}

std::string ArchivoIni::Plegar(std::string_view bytes) const {
    return Mayusculas(DeArchivo(bytes));
}

void ArchivoIni::Analizar(std::string_view bytes) {
    // A line ends at CR LF, at LF or at CR alone; each line keeps its own end.
    secciones_.assign(1, Seccion{});
    indice_.clear();
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t j = bytes.find_first_of("\r\n", i);
        if (j == std::string_view::npos) {
            AnadirLinea(bytes.substr(i), kFinNinguno, i == 0);
            break;
        }
        const bool par = bytes[j] == '\r' && j + 1 < bytes.size() && bytes[j + 1] == '\n';
        AnadirLinea(bytes.substr(i, j - i), par ? kFinCrLf : (bytes[j] == '\r' ? kFinCr : kFinLf),
                    i == 0);
        i = j + (par ? 2 : 1);
    }
}

void ArchivoIni::AnadirLinea(std::string_view texto, std::uint8_t fin, bool primera) {
    const Clase c = Clasificar(texto, primera);
    if (c.seccion) {
        Seccion s;
        s.cabecera = {std::string(texto), 0, fin, Tipo::Seccion};
        const auto numero = static_cast<std::uint32_t>(secciones_.size());
        indice_.emplace(Plegar(c.nombre), numero);
        secciones_.push_back(std::move(s));
        return;
    }
    Seccion& s = secciones_.back();
    if (c.clave) {
        const auto numero = static_cast<std::uint32_t>(s.lineas.size());
        s.lineas.push_back(
            {std::string(texto), static_cast<std::uint32_t>(c.inicioValor), fin, Tipo::Clave});
        s.repetidas |= !s.claves.emplace(Plegar(c.nombre), numero).second;
        s.trasUltimaClave = numero + 1;
        return;
    }
    if (!s.lineas.empty() && s.lineas.back().tipo == Tipo::Otra) {
        Linea& run = s.lineas.back();
        run.texto += TextoFin(run.fin);
        run.texto += texto;
        run.fin = fin;
        return;
    }
    s.lineas.push_back({std::string(texto), 0, fin, Tipo::Otra});
}

const ArchivoIni::Seccion* ArchivoIni::BuscarSeccion(std::string_view seccion) const {
    if (seccion.empty() && forma_.clavesSinSeccion) {
        return &secciones_.front();
    }
    const auto it = indice_.find(Mayusculas(seccion));
    return it == indice_.end() ? nullptr : &secciones_[it->second];
}

ArchivoIni::Seccion* ArchivoIni::BuscarSeccion(std::string_view seccion) {
    return const_cast<Seccion*>(std::as_const(*this).BuscarSeccion(seccion));
}

const ArchivoIni::Linea* ArchivoIni::BuscarClave(const Seccion& s, std::string_view clave) const {
    const auto it = s.claves.find(Mayusculas(clave));
    return it == s.claves.end() ? nullptr : &s.lineas[it->second];
}

bool ArchivoIni::ExisteSeccion(std::string_view seccion) const {
    return BuscarSeccion(seccion) != nullptr;
}

bool ArchivoIni::ExisteClave(std::string_view seccion, std::string_view clave) const {
    const Seccion* s = BuscarSeccion(seccion);
    return s != nullptr && BuscarClave(*s, clave) != nullptr;
}

std::vector<std::string> ArchivoIni::Secciones() const {
    std::vector<std::string> r;
    for (std::size_t i = 1; i < secciones_.size(); ++i) {
        std::string_view t = secciones_[i].cabecera.texto;
        if (i == 1 && secciones_[0].lineas.empty() && t.starts_with("\xEF\xBB\xBF")) {
            t.remove_prefix(3);
        }
        t = Recortar(t);
        r.push_back(DeArchivo(Recortar(t.substr(1, t.rfind(']') - 1))));
    }
    return r;
}

std::vector<std::string> ArchivoIni::Claves(std::string_view seccion) const {
    std::vector<std::string> r;
    const Seccion* s = BuscarSeccion(seccion);
    if (s == nullptr) {
        return r;
    }
    for (const Linea& l : s->lineas) {
        if (l.tipo == Tipo::Clave) {
            const std::string_view t = l.texto;
            r.push_back(DeArchivo(Clasificar(t, false).nombre));
        }
    }
    return r;
}

std::optional<std::string> ArchivoIni::LeerTexto(std::string_view seccion,
                                                 std::string_view clave) const {
    const Seccion* s = BuscarSeccion(seccion);
    const Linea* l = s == nullptr ? nullptr : BuscarClave(*s, clave);
    if (l == nullptr) {
        return std::nullopt;
    }
    return DeArchivo(ValorLinea(l->texto, l->inicioValor));
}

std::string ArchivoIni::LeerCadena(std::string_view seccion, std::string_view clave,
                                   std::string_view defecto) const {
    auto t = LeerTexto(seccion, clave);
    return t ? std::move(*t) : std::string(defecto);
}

std::int32_t ArchivoIni::LeerEntero(std::string_view seccion, std::string_view clave,
                                    std::int32_t defecto) const {
    const auto t = LeerTexto(seccion, clave);
    if (!t) {
        return defecto;
    }
    return LeerEnteroIni(*t).value_or(defecto);
}

bool ArchivoIni::LeerBooleano(std::string_view seccion, std::string_view clave,
                              bool defecto) const {
    return LeerEntero(seccion, clave, defecto ? 1 : 0) != 0;
}

double ArchivoIni::LeerReal(std::string_view seccion, std::string_view clave,
                            double defecto) const {
    const auto t = LeerTexto(seccion, clave);
    if (!t) {
        return defecto;
    }
    return LeerRealIni(*t, Separador()).value_or(defecto);
}

// ---------------------------------------------------------------------------
// Changing it

ArchivoIni::Linea* ArchivoIni::UltimaLinea(Seccion& s) {
    for (auto it = s.lineas.rbegin(); it != s.lineas.rend(); ++it) {
        if (it->tipo != Tipo::Borrada) {
            return &*it;
        }
    }
    return s.cabecera.tipo == Tipo::Seccion ? &s.cabecera : nullptr;
}

void ArchivoIni::CerrarUltimaLinea() {
    for (auto it = secciones_.rbegin(); it != secciones_.rend(); ++it) {
        if (Linea* l = UltimaLinea(*it)) {
            if (l->fin == kFinNinguno) {
                l->fin = kFinCrLf;
            }
            return;
        }
    }
}

void ArchivoIni::EscribirCadena(std::string_view seccion, std::string_view clave,
                                std::string_view valor) {
    const std::string bytes = AArchivo(valor);
    const std::string claveArchivo = AArchivo(clave);
    Seccion* s = BuscarSeccion(seccion);
    if (s == nullptr) {
        // A new section at the end, after a blank line.
        Linea* ultima = nullptr;
        for (auto it = secciones_.rbegin(); it != secciones_.rend() && ultima == nullptr; ++it) {
            ultima = UltimaLinea(*it);
        }
        CerrarUltimaLinea();
        if (ultima != nullptr) {
            const std::string_view t = ultima->texto;
            const std::size_t fin = t.find_last_of("\r\n");
            if (!Recortar(fin == std::string_view::npos ? t : t.substr(fin + 1)).empty()) {
                secciones_.back().lineas.push_back({"", 0, kFinCrLf, Tipo::Otra});
            }
        }
        AnadirLinea("[" + AArchivo(seccion) + "]", kFinCrLf, false);
        s = &secciones_.back();
    }
    const auto it = s->claves.find(Mayusculas(clave));
    if (it != s->claves.end()) {
        Linea& l = s->lineas[it->second];
        if (ValorLinea(l.texto, l.inicioValor) == bytes) {
            return;
        }
        l.texto.resize(l.inicioValor);
        l.texto += bytes;
        return;
    }
    // After the last key of the section: only blank lines, comments and
    // removed keys follow it, which no index points at.
    const std::uint32_t posicion = s->trasUltimaClave;
    bool ultimaDelArchivo = true;
    for (std::size_t i = posicion; i < s->lineas.size() && ultimaDelArchivo; ++i) {
        ultimaDelArchivo = s->lineas[i].tipo == Tipo::Borrada;
    }
    if (ultimaDelArchivo && s == &secciones_.back()) {
        CerrarUltimaLinea();
    }
    const std::string texto = claveArchivo + "=" + bytes;
    const Clase c = Clasificar(texto, false);
    s->lineas.insert(s->lineas.begin() + posicion,
                     {texto, static_cast<std::uint32_t>(c.inicioValor), kFinCrLf, Tipo::Clave});
    s->claves.emplace(Plegar(c.nombre), posicion);
    s->trasUltimaClave = posicion + 1;
}

void ArchivoIni::EscribirEntero(std::string_view seccion, std::string_view clave,
                                std::int32_t valor) {
    EscribirCadena(seccion, clave, std::to_string(valor));
}

void ArchivoIni::EscribirBooleano(std::string_view seccion, std::string_view clave, bool valor) {
    EscribirCadena(seccion, clave, valor ? "1" : "0");
}

void ArchivoIni::EscribirReal(std::string_view seccion, std::string_view clave, double valor) {
    EscribirCadena(seccion, clave, TextoRealIni(valor, Separador()));
}

void ArchivoIni::BorrarClave(std::string_view seccion, std::string_view clave) {
    Seccion* s = BuscarSeccion(seccion);
    if (s == nullptr) {
        return;
    }
    const std::string nombre = Mayusculas(clave);
    const auto it = s->claves.find(nombre);
    if (it == s->claves.end()) {
        return;
    }
    // The lines stay where they are, written as nothing, so that no index
    // moves.
    auto borrar = [](Linea& l) {
        l.tipo = Tipo::Borrada;
        l.texto.clear();
        l.texto.shrink_to_fit();
        l.fin = kFinNinguno;
    };
    borrar(s->lineas[it->second]);
    if (s->repetidas) {
        for (Linea& l : s->lineas) {
            if (l.tipo == Tipo::Clave && Plegar(Clasificar(l.texto, false).nombre) == nombre) {
                borrar(l);
            }
        }
    }
    s->claves.erase(it);
}

std::string ArchivoIni::Contenido() const {
    std::string s;
    auto anadir = [&s](const Linea& l) {
        s += l.texto;
        s += TextoFin(l.fin);
    };
    for (const Seccion& sec : secciones_) {
        if (sec.cabecera.tipo == Tipo::Seccion) {
            anadir(sec.cabecera);
        }
        for (const Linea& l : sec.lineas) {
            anadir(l);
        }
    }
    return s;
}

// ---------------------------------------------------------------------------
// Writing it

std::optional<ErrorEscritura> ArchivoIni::Guardar() const {
    if (ruta_.empty()) {
        return ErrorEscritura{ruta_, TextoErrorSistema(ENOENT)};
    }
    // What could not be read is not overwritten.
    if (falloLectura_) {
        return ErrorEscritura{ruta_, falloLectura_.Texto(ruta_)};
    }
    if (const FalloArchivo fallo = ReemplazarArchivo(ruta_, Contenido())) {
        return ErrorEscritura{ruta_, fallo.Texto(ruta_)};
    }
    return std::nullopt;
}

}  // namespace varnolt
