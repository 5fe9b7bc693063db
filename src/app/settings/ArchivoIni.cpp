#include "app/settings/ArchivoIni.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "app/ArchivoSeguro.h"
#include "app/Regional.h"
#include "app/Texto.h"

namespace varnolt {
namespace {

constexpr std::size_t kNinguna = static_cast<std::size_t>(-1);

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

std::string Plegar(std::string_view utf8) {
    return Mayusculas(utf8);
}

std::string TextoSistema(int error) {
    return std::system_category().message(error);
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

ArchivoIni::ArchivoIni(std::string ruta) : ruta_(std::move(ruta)) {
    std::string bytes;
    const FalloArchivo fallo = LeerArchivoEntero(ruta_, bytes);
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

ArchivoIni ArchivoIni::DesdeTexto(std::string_view cp1252) {
    ArchivoIni ini;
    ini.Analizar(cp1252);
    return ini;
}

char ArchivoIni::Separador() const {
    return separador_ != '\0' ? separador_ : varnolt::SeparadorDecimal();
}

void ArchivoIni::Analizar(std::string_view bytes) {
    // A line ends at CR LF, at LF or at CR alone; each line keeps its own end.
    lineas_.clear();
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t j = bytes.find_first_of("\r\n", i);
        std::string texto;
        std::string fin;
        if (j == std::string_view::npos) {
            texto = bytes.substr(i);
            i = bytes.size();
        } else {
            texto = bytes.substr(i, j - i);
            const bool par = bytes[j] == '\r' && j + 1 < bytes.size() && bytes[j + 1] == '\n';
            fin = par ? "\r\n" : std::string(1, bytes[j]);
            i = j + fin.size();
        }
        lineas_.push_back(AnalizarLinea(std::move(texto), std::move(fin), lineas_.empty()));
    }
}

ArchivoIni::Linea ArchivoIni::AnalizarLinea(std::string texto, std::string fin, bool primera) {
    Linea l;
    l.texto = std::move(texto);
    l.fin = std::move(fin);
    std::size_t p = 0;
    if (primera && l.texto.starts_with("\xEF\xBB\xBF")) {
        p = 3;  // a byte-order mark
    }
    while (p < l.texto.size() && EsBlanco(l.texto[p])) {
        ++p;
    }
    const std::string_view resto = std::string_view(l.texto).substr(p);
    if (resto.empty() || resto.front() == ';') {
        return l;
    }
    if (resto.front() == '[') {
        const std::size_t cierre = resto.rfind(']');
        if (cierre == std::string_view::npos) {
            return l;
        }
        l.tipo = Tipo::Seccion;
        l.nombre = Plegar(Cp1252AUtf8(Recortar(resto.substr(1, cierre - 1))));
        return l;
    }
    const std::size_t igual = resto.find('=');
    if (igual == std::string_view::npos) {
        return l;
    }
    l.tipo = Tipo::Clave;
    l.nombre = Plegar(Cp1252AUtf8(Recortar(resto.substr(0, igual))));
    std::size_t v = p + igual + 1;
    std::size_t q = v;
    while (q < l.texto.size() && EsBlanco(l.texto[q])) {
        ++q;
    }
    // Blanks before a value stay when the value is replaced; an empty value
    // is replaced right after the '='.
    l.inicioValor = q < l.texto.size() ? q : v;
    return l;
}

namespace {

// The value of a key line as read: without blanks around it and without the
// two equal quotes it may stand between (Windows-1252 bytes).
std::string_view ValorLinea(std::string_view texto, std::size_t inicio) {
    std::string_view v = Recortar(texto.substr(inicio));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

}  // namespace

std::size_t ArchivoIni::BuscarSeccion(const std::string& nombre) const {
    for (std::size_t i = 0; i < lineas_.size(); ++i) {
        if (lineas_[i].tipo == Tipo::Seccion && lineas_[i].nombre == nombre) {
            return i;
        }
    }
    return kNinguna;
}

std::size_t ArchivoIni::FinSeccion(std::size_t cabecera) const {
    std::size_t i = cabecera + 1;
    while (i < lineas_.size() && lineas_[i].tipo != Tipo::Seccion) {
        ++i;
    }
    return i;
}

std::size_t ArchivoIni::BuscarClave(std::size_t cabecera, const std::string& nombre) const {
    const std::size_t fin = FinSeccion(cabecera);
    for (std::size_t i = cabecera + 1; i < fin; ++i) {
        if (lineas_[i].tipo == Tipo::Clave && lineas_[i].nombre == nombre) {
            return i;
        }
    }
    return kNinguna;
}

bool ArchivoIni::ExisteSeccion(std::string_view seccion) const {
    return BuscarSeccion(Plegar(seccion)) != kNinguna;
}

bool ArchivoIni::ExisteClave(std::string_view seccion, std::string_view clave) const {
    const std::size_t cab = BuscarSeccion(Plegar(seccion));
    return cab != kNinguna && BuscarClave(cab, Plegar(clave)) != kNinguna;
}

std::vector<std::string> ArchivoIni::Secciones() const {
    std::vector<std::string> r;
    for (std::size_t i = 0; i < lineas_.size(); ++i) {
        if (lineas_[i].tipo != Tipo::Seccion) {
            continue;
        }
        std::string_view t = lineas_[i].texto;
        if (i == 0 && t.starts_with("\xEF\xBB\xBF")) {
            t.remove_prefix(3);
        }
        t = Recortar(t);
        r.push_back(Cp1252AUtf8(Recortar(t.substr(1, t.rfind(']') - 1))));
    }
    return r;
}

std::vector<std::string> ArchivoIni::Claves(std::string_view seccion) const {
    std::vector<std::string> r;
    const std::size_t cab = BuscarSeccion(Plegar(seccion));
    if (cab == kNinguna) {
        return r;
    }
    const std::size_t fin = FinSeccion(cab);
    for (std::size_t i = cab + 1; i < fin; ++i) {
        if (lineas_[i].tipo != Tipo::Clave) {
            continue;
        }
        const std::string_view t = lineas_[i].texto;
        r.push_back(Cp1252AUtf8(Recortar(t.substr(0, t.find('=')))));
    }
    return r;
}

std::optional<std::string> ArchivoIni::LeerTexto(std::string_view seccion,
                                                 std::string_view clave) const {
    const std::size_t cab = BuscarSeccion(Plegar(seccion));
    if (cab == kNinguna) {
        return std::nullopt;
    }
    const std::size_t k = BuscarClave(cab, Plegar(clave));
    if (k == kNinguna) {
        return std::nullopt;
    }
    return Cp1252AUtf8(ValorLinea(lineas_[k].texto, lineas_[k].inicioValor));
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

void ArchivoIni::Insertar(std::size_t posicion, std::string texto) {
    if (posicion > 0 && lineas_[posicion - 1].fin.empty()) {
        lineas_[posicion - 1].fin = "\r\n";
    }
    lineas_.insert(lineas_.begin() + static_cast<std::ptrdiff_t>(posicion),
                   AnalizarLinea(std::move(texto), "\r\n", posicion == 0));
}

void ArchivoIni::EscribirCadena(std::string_view seccion, std::string_view clave,
                                std::string_view valor) {
    const std::string bytes = Utf8ACp1252(valor);
    const std::string clave1252 = Utf8ACp1252(clave);
    const std::size_t cab = BuscarSeccion(Plegar(seccion));
    if (cab == kNinguna) {
        if (!lineas_.empty() && !Recortar(lineas_.back().texto).empty()) {
            Insertar(lineas_.size(), "");
        }
        Insertar(lineas_.size(), "[" + Utf8ACp1252(seccion) + "]");
        Insertar(lineas_.size(), clave1252 + "=" + bytes);
        return;
    }
    const std::size_t k = BuscarClave(cab, Plegar(clave));
    if (k != kNinguna) {
        Linea& l = lineas_[k];
        if (ValorLinea(l.texto, l.inicioValor) == bytes) {
            return;
        }
        l.texto.resize(l.inicioValor);
        l.texto += bytes;
        return;
    }
    std::size_t ultima = cab;
    const std::size_t fin = FinSeccion(cab);
    for (std::size_t i = cab + 1; i < fin; ++i) {
        if (lineas_[i].tipo == Tipo::Clave) {
            ultima = i;
        }
    }
    Insertar(ultima + 1, clave1252 + "=" + bytes);
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
    const std::size_t cab = BuscarSeccion(Plegar(seccion));
    if (cab == kNinguna) {
        return;
    }
    const std::string nombre = Plegar(clave);
    std::size_t fin = FinSeccion(cab);
    for (std::size_t i = cab + 1; i < fin;) {
        if (lineas_[i].tipo == Tipo::Clave && lineas_[i].nombre == nombre) {
            lineas_.erase(lineas_.begin() + static_cast<std::ptrdiff_t>(i));
            --fin;
        } else {
            ++i;
        }
    }
}

std::string ArchivoIni::Contenido() const {
    std::string s;
    for (const Linea& l : lineas_) {
        s += l.texto;
        s += l.fin;
    }
    return s;
}

// ---------------------------------------------------------------------------
// Writing it

std::optional<ErrorEscritura> ArchivoIni::Guardar() const {
    if (ruta_.empty()) {
        return ErrorEscritura{ruta_, TextoSistema(ENOENT)};
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
