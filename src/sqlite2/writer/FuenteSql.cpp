// SPDX-License-Identifier: AGPL-3.0-or-later
// Reader of the SQL source of an archetype file (the grammar is in
// FuenteSql.h): a tokenizer that keeps line numbers and a recursive-descent
// parser that turns CREATE TABLE and INSERT statements into the tables,
// row ids and Windows-1252 row values that BaseNueva writes.
#include "sqlite2/writer/FuenteSql.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <set>

#include "app/Texto.h"
#include "sqlite2/writer/Formato.h"

namespace varnolt::sqlite2::escritura {

ErrorFuente::ErrorFuente(int linea, const std::string& mensaje)
    : std::runtime_error("linea " + std::to_string(linea) + ": " + mensaje),
      linea_(linea),
      mensaje_(mensaje) {}

namespace {

// ---------------------------------------------------------------- UTF-8 --

// Decodes one UTF-8 character at s[i] and advances i; -1 for a malformed one.
long DecodificarUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int n;
    long c;
    if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2) {
        n = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0 && b0 <= 0xF4) {
        n = 3;
        c = b0 & 0x07;
    } else {
        ++i;
        return -1;
    }
    if (i + n >= s.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k <= n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        c = (c << 6) | (b & 0x3F);
    }
    const long minimo = n == 1 ? 0x80 : n == 2 ? 0x800 : 0x10000;
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return -1;
    }
    i += n + 1;
    return c;
}

std::string CodigoUnicode(long c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04lX", c);
    return buf;
}

// Line (from 1) of position pos in the text.
int LineaDe(std::string_view s, std::size_t pos) {
    int linea = 1;
    for (std::size_t k = 0; k < pos && k < s.size(); ++k) {
        if (s[k] == '\n') {
            ++linea;
        }
    }
    return linea;
}

void ComprobarUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t inicio = i;
        if (DecodificarUtf8(s, i) < 0) {
            throw ErrorFuente(LineaDe(s, inicio),
                              "la fuente no es UTF-8 válido (byte " +
                                  std::to_string(static_cast<unsigned char>(s[inicio])) + ")");
        }
    }
}

// UTF-8 (already valid) to Windows-1252; `que` names the text in messages,
// `linea` is the line where the text starts (a text may span lines).
std::string ACp1252(std::string_view utf8, int lineaInicio, const std::string& que) {
    std::size_t i = 0;
    int linea = lineaInicio;
    while (i < utf8.size()) {
        const std::size_t inicio = i;
        if (utf8[i] == '\n') {
            ++linea;
        }
        const long c = DecodificarUtf8(utf8, i);
        if (c == 0) {
            throw ErrorFuente(linea, que + " contiene el carácter nulo (U+0000), que SQLite 2.8 no puede guardar");
        }
        bool perdido = false;
        Utf8ACp1252(utf8.substr(inicio, i - inicio), &perdido);
        if (perdido) {
            throw ErrorFuente(linea, que + " contiene «" + std::string(utf8.substr(inicio, i - inicio)) +
                                         "» (" + CodigoUnicode(c) +
                                         "), que Windows-1252 no puede guardar");
        }
    }
    return Utf8ACp1252(utf8);
}

bool IgualesAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.size(); ++k) {
        char x = a[k];
        char y = b[k];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) {
            return false;
        }
    }
    return true;
}

// ------------------------------------------------------------ tokenizer --

enum class Tipo { Palabra, NombreCitado, Texto, Numero, Simbolo, Fin };

struct Token {
    Tipo tipo = Tipo::Fin;
    std::string texto;  // Palabra, Numero, Simbolo: as written; Texto, NombreCitado: unquoted
    int linea = 0;
    std::size_t inicio = 0;
    std::size_t fin = 0;
};

bool EsLetraId(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

class Lexico {
public:
    explicit Lexico(std::string_view s) : s_(s) {}

    const Token& Mirar() {
        if (!hay_) {
            siguiente_ = Leer();
            hay_ = true;
        }
        return siguiente_;
    }

    Token Tomar() {
        Mirar();
        hay_ = false;
        return siguiente_;
    }

    std::string_view Fuente() const { return s_; }

private:
    void Avanzar() {
        if (s_[pos_] == '\n') {
            ++linea_;
        }
        ++pos_;
    }

    void SaltarBlancos() {
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                Avanzar();
            } else if (c == '-' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '-') {
                while (pos_ < s_.size() && s_[pos_] != '\n') {
                    Avanzar();
                }
            } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '*') {
                const int lineaInicio = linea_;
                Avanzar();
                Avanzar();
                while (pos_ < s_.size() && !(s_[pos_] == '*' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/')) {
                    Avanzar();
                }
                if (pos_ >= s_.size()) {
                    throw ErrorFuente(lineaInicio, "comentario /* sin cerrar");
                }
                Avanzar();
                Avanzar();
            } else {
                return;
            }
        }
    }

    // A quoted token: the closing character doubled stands for itself
    // (except for brackets).
    std::string LeerCitado(char cierre, bool doblar, const std::string& que) {
        const int lineaInicio = linea_;
        Avanzar();
        std::string valor;
        while (true) {
            if (pos_ >= s_.size()) {
                throw ErrorFuente(lineaInicio, que + " sin cerrar: falta el " + std::string(1, cierre) + " final");
            }
            const char c = s_[pos_];
            if (c == cierre) {
                if (doblar && pos_ + 1 < s_.size() && s_[pos_ + 1] == cierre) {
                    valor += cierre;
                    Avanzar();
                    Avanzar();
                    continue;
                }
                Avanzar();
                return valor;
            }
            valor += c;
            Avanzar();
        }
    }

    Token Leer() {
        SaltarBlancos();
        Token t;
        t.linea = linea_;
        t.inicio = pos_;
        if (pos_ >= s_.size()) {
            t.tipo = Tipo::Fin;
            t.fin = pos_;
            return t;
        }
        const char c = s_[pos_];
        if (c == '\'') {
            t.tipo = Tipo::Texto;
            t.texto = LeerCitado('\'', true, "texto");
        } else if (c == '"') {
            t.tipo = Tipo::NombreCitado;
            t.texto = LeerCitado('"', true, "nombre entre comillas");
        } else if (c == '[') {
            t.tipo = Tipo::NombreCitado;
            t.texto = LeerCitado(']', false, "nombre entre corchetes");
        } else if (EsDigito(c)) {
            t.tipo = Tipo::Numero;
            while (pos_ < s_.size() && EsDigito(s_[pos_])) Avanzar();
            if (pos_ + 1 < s_.size() && s_[pos_] == '.' && EsDigito(s_[pos_ + 1])) {
                Avanzar();
                while (pos_ < s_.size() && EsDigito(s_[pos_])) Avanzar();
            }
            if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
                const bool conSigno = pos_ + 2 < s_.size() && (s_[pos_ + 1] == '+' || s_[pos_ + 1] == '-') &&
                                      EsDigito(s_[pos_ + 2]);
                const bool sinSigno = pos_ + 1 < s_.size() && EsDigito(s_[pos_ + 1]);
                if (conSigno || sinSigno) {
                    Avanzar();
                    Avanzar();
                    while (pos_ < s_.size() && EsDigito(s_[pos_])) Avanzar();
                }
            }
            t.texto = std::string(s_.substr(t.inicio, pos_ - t.inicio));
        } else if (EsLetraId(static_cast<unsigned char>(c))) {
            t.tipo = Tipo::Palabra;
            while (pos_ < s_.size() &&
                   (EsLetraId(static_cast<unsigned char>(s_[pos_])) || EsDigito(s_[pos_]) || s_[pos_] == '$')) {
                Avanzar();
            }
            t.texto = std::string(s_.substr(t.inicio, pos_ - t.inicio));
        } else if (c == '(' || c == ')' || c == ',' || c == ';' || c == '+' || c == '-' || c == '.' ||
                   c == '*') {
            t.tipo = Tipo::Simbolo;
            t.texto = std::string(1, c);
            Avanzar();
        } else {
            throw ErrorFuente(linea_, "carácter inesperado «" + std::string(1, c) + "»");
        }
        t.fin = pos_;
        return t;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    int linea_ = 1;
    Token siguiente_;
    bool hay_ = false;
};

bool EsPalabra(const Token& t, std::string_view palabra) {
    return t.tipo == Tipo::Palabra && IgualesAscii(t.texto, palabra);
}

bool EsSimbolo(const Token& t, char c) {
    return t.tipo == Tipo::Simbolo && t.texto.size() == 1 && t.texto[0] == c;
}

std::string Describir(const Token& t) {
    if (t.tipo == Tipo::Fin) {
        return "el final del archivo";
    }
    std::string texto;
    switch (t.tipo) {
        case Tipo::Texto:
            texto = "'" + t.texto + "'";
            break;
        case Tipo::NombreCitado:
            texto = "\"" + t.texto + "\"";
            break;
        default:
            texto = t.texto;
    }
    if (texto.size() > 40) {
        std::size_t corte = 37;
        while (corte > 0 && (static_cast<unsigned char>(texto[corte]) & 0xC0) == 0x80) {
            --corte;
        }
        texto = texto.substr(0, corte) + "...";
    }
    return "«" + texto + "»";
}

}  // namespace

bool EsPalabraReservada(std::string_view palabra) {
    // The keywords of the 2.8 grammar that never stand for a name (the rest
    // of its keywords fall back to names where a name is expected).
    static const char* const kReservadas[] = {
        "ALL",      "AND",       "AS",     "BETWEEN", "BY",      "CASE",       "CHECK",      "COLLATE",
        "COMMIT",   "CONSTRAINT", "CREATE", "DEFAULT", "DEFERRABLE", "DELETE", "DISTINCT",   "DROP",
        "ELSE",     "EXCEPT",    "FOREIGN", "FROM",   "GROUP",   "HAVING",     "IN",         "INDEX",
        "INSERT",   "INTERSECT", "INTO",   "IS",      "ISNULL",  "JOIN",       "LIMIT",      "NOT",
        "NOTNULL",  "NULL",      "ON",     "OR",      "ORDER",   "PRIMARY",    "REFERENCES", "ROLLBACK",
        "SELECT",   "SET",       "TABLE",  "THEN",    "TRANSACTION", "UNION",  "UNIQUE",     "UPDATE",
        "USING",    "VALUES",    "WHEN",   "WHERE"};
    for (const char* r : kReservadas) {
        if (IgualesAscii(palabra, r)) {
            return true;
        }
    }
    return false;
}

namespace {

// Words that end a column's type and start its constraints.
bool EsRestriccion(const Token& t) {
    static const char* const kPalabras[] = {"CONSTRAINT", "DEFAULT",  "NOT",   "NULL",
                                            "PRIMARY",    "UNIQUE",   "CHECK", "REFERENCES",
                                            "COLLATE",    "DEFERRABLE"};
    for (const char* p : kPalabras) {
        if (EsPalabra(t, p)) {
            return true;
        }
    }
    return false;
}

bool EsRestriccionTabla(const Token& t) {
    return EsPalabra(t, "PRIMARY") || EsPalabra(t, "UNIQUE") || EsPalabra(t, "CHECK") ||
           EsPalabra(t, "CONSTRAINT") || EsPalabra(t, "FOREIGN");
}

// Integer value of a row id text as the 2.8 library takes it (an integer, or
// a number with an integral value), or nullopt.
std::optional<std::int32_t> EnteroDeFila(const std::string& texto) {
    std::string_view v = texto;
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
    if (v.empty()) {
        return std::nullopt;
    }
    std::string_view cifras = v;
    if (cifras.front() == '+') {
        cifras.remove_prefix(1);
    }
    std::int64_t entero = 0;
    const auto [fin, ec] = std::from_chars(cifras.data(), cifras.data() + cifras.size(), entero);
    if (ec == std::errc() && fin == cifras.data() + cifras.size()) {
        if (entero < std::numeric_limits<std::int32_t>::min() || entero > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(entero);
    }
    const std::string copia(v);
    char* resto = nullptr;
    const double d = std::strtod(copia.c_str(), &resto);
    if (resto == copia.c_str() || *resto != '\0' || !std::isfinite(d) || d != std::floor(d) ||
        d < std::numeric_limits<std::int32_t>::min() || d > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(d);
}

// ---------------------------------------------------------------- parser --

struct TablaEnCurso {
    DefinicionTabla def;
    TablaNueva nueva;
    std::set<std::int32_t> rowids;
};

class Analizador {
public:
    explicit Analizador(std::string_view s) : lex_(s) {}

    std::vector<TablaNueva> Fuente() {
        while (true) {
            const Token& t = lex_.Mirar();
            if (t.tipo == Tipo::Fin) {
                break;
            }
            if (EsSimbolo(t, ';')) {
                lex_.Tomar();
                continue;
            }
            Sentencia();
            const Token f = lex_.Tomar();
            if (f.tipo == Tipo::Fin) {
                break;
            }
            if (!EsSimbolo(f, ';')) {
                throw ErrorFuente(f.linea, "se esperaba «;» al final de la sentencia y se encontró " + Describir(f));
            }
        }
        std::vector<TablaNueva> tablas;
        for (TablaEnCurso& t : tablas_) {
            tablas.push_back(std::move(t.nueva));
        }
        return tablas;
    }

    DefinicionTabla UnCreate() {
        const Token t = lex_.Tomar();
        if (!EsPalabra(t, "CREATE")) {
            throw ErrorFuente(t.linea, "se esperaba CREATE TABLE y se encontró " + Describir(t));
        }
        DefinicionTabla def = CrearTabla(t).def;
        const Token f = lex_.Tomar();
        if (EsSimbolo(f, ';')) {
            const Token g = lex_.Tomar();
            if (g.tipo != Tipo::Fin) {
                throw ErrorFuente(g.linea, "sobra " + Describir(g) + " tras la sentencia");
            }
        } else if (f.tipo != Tipo::Fin) {
            throw ErrorFuente(f.linea, "sobra " + Describir(f) + " tras la sentencia");
        }
        return def;
    }

private:
    Token Esperar(char simbolo, const std::string& donde) {
        Token t = lex_.Tomar();
        if (!EsSimbolo(t, simbolo)) {
            throw ErrorFuente(t.linea, "error de sintaxis: se esperaba «" + std::string(1, simbolo) + "»" + donde +
                                           " y se encontró " + Describir(t));
        }
        return t;
    }

    Token EsperarPalabra(std::string_view palabra) {
        Token t = lex_.Tomar();
        if (!EsPalabra(t, palabra)) {
            throw ErrorFuente(t.linea, "error de sintaxis: se esperaba " + std::string(palabra) +
                                           " y se encontró " + Describir(t));
        }
        return t;
    }

    Token Nombre(const std::string& que) {
        Token t = lex_.Tomar();
        if (t.tipo != Tipo::Palabra && t.tipo != Tipo::NombreCitado && t.tipo != Tipo::Texto) {
            throw ErrorFuente(t.linea, "error de sintaxis: se esperaba " + que + " y se encontró " + Describir(t));
        }
        if (t.texto.empty()) {
            throw ErrorFuente(t.linea, "un nombre no puede estar vacío");
        }
        if (t.tipo == Tipo::Palabra && EsPalabraReservada(t.texto)) {
            throw ErrorFuente(t.linea, "error de sintaxis: se esperaba " + que + " y se encontró la palabra "
                                       "reservada " + Describir(t) + " (como nombre, escríbela entre comillas "
                                       "dobles)");
        }
        return t;
    }

    void Sentencia() {
        const Token t = lex_.Tomar();
        if (EsPalabra(t, "CREATE")) {
            tablas_.push_back(CrearTabla(t));
        } else if (EsPalabra(t, "INSERT")) {
            Insertar(t);
        } else {
            throw ErrorFuente(t.linea, "se esperaba CREATE TABLE o INSERT INTO y se encontró " + Describir(t));
        }
    }

    void Conflicto() {
        if (EsPalabra(lex_.Mirar(), "ON")) {
            lex_.Tomar();
            EsperarPalabra("CONFLICT");
            const Token r = lex_.Tomar();
            if (!(EsPalabra(r, "ROLLBACK") || EsPalabra(r, "ABORT") || EsPalabra(r, "FAIL") ||
                  EsPalabra(r, "IGNORE") || EsPalabra(r, "REPLACE"))) {
                throw ErrorFuente(r.linea, "error de sintaxis: ON CONFLICT admite ROLLBACK, ABORT, FAIL, "
                                           "IGNORE o REPLACE, no " + Describir(r));
            }
        }
    }

    // A literal: the stored text (Windows-1252) or NULL.
    Valor Literal(const std::string& que) {
        const Token t = lex_.Tomar();
        if (EsSimbolo(t, '-') || EsSimbolo(t, '+')) {
            const Token n = lex_.Tomar();
            if (n.tipo != Tipo::Numero) {
                throw ErrorFuente(n.linea, "error de sintaxis: se esperaba un número tras «" + t.texto +
                                               "» y se encontró " + Describir(n));
            }
            return EsSimbolo(t, '-') ? "-" + n.texto : n.texto;
        }
        if (t.tipo == Tipo::Numero) {
            return t.texto;
        }
        if (t.tipo == Tipo::Texto) {
            return ACp1252(t.texto, t.linea, "el texto");
        }
        if (EsPalabra(t, "NULL")) {
            return std::nullopt;
        }
        throw ErrorFuente(t.linea, "error de sintaxis: se esperaba " + que +
                                       " (texto entre comillas simples, número o NULL) y se encontró " +
                                       Describir(t));
    }

    TablaEnCurso CrearTabla(const Token& create) {
        Token t = lex_.Tomar();
        if (EsPalabra(t, "TEMP") || EsPalabra(t, "TEMPORARY")) {
            throw ErrorFuente(t.linea, "una tabla temporal no se guarda en el archivo");
        }
        if (EsPalabra(t, "INDEX") || EsPalabra(t, "UNIQUE") || EsPalabra(t, "VIEW") || EsPalabra(t, "TRIGGER")) {
            throw ErrorFuente(t.linea, "CREATE " + t.texto + " no se admite: solo CREATE TABLE");
        }
        if (!EsPalabra(t, "TABLE")) {
            throw ErrorFuente(t.linea, "error de sintaxis: se esperaba TABLE y se encontró " + Describir(t));
        }
        const Token nombre = Nombre("el nombre de la tabla");
        TablaEnCurso tabla;
        DefinicionTabla& def = tabla.def;
        def.nombre = nombre.texto;
        const std::string nombre1252 = ACp1252(nombre.texto, nombre.linea, "el nombre de la tabla");
        if (nombre1252.size() >= 7 && IgualesAscii(nombre1252.substr(0, 7), "sqlite_")) {
            throw ErrorFuente(nombre.linea, "el nombre «" + nombre.texto + "» está reservado para SQLite");
        }
        for (const TablaEnCurso& otra : tablas_) {
            if (IgualesAscii(otra.nueva.nombre, nombre1252)) {
                throw ErrorFuente(nombre.linea, "la tabla «" + nombre.texto + "» ya existe");
            }
        }
        Esperar('(', " tras el nombre de la tabla");
        int lineaClave = 0;
        std::vector<int> claves;  // columns named PRIMARY KEY
        bool restriccionesTabla = false;
        Token cierre;
        while (true) {
            if (!restriccionesTabla && !(def.columnas.size() > 0 && EsRestriccionTabla(lex_.Mirar()))) {
                Columna(def, claves, lineaClave);
            } else {
                restriccionesTabla = true;
                RestriccionTabla(def, claves, lineaClave);
            }
            const Token s = lex_.Tomar();
            if (EsSimbolo(s, ')')) {
                cierre = s;
                break;
            }
            if (restriccionesTabla && EsRestriccionTabla(s)) {
                throw ErrorFuente(s.linea, "error de sintaxis: falta «,» antes de " + Describir(s));
            }
            if (!EsSimbolo(s, ',')) {
                throw ErrorFuente(s.linea, "error de sintaxis: se esperaba «,» o «)» y se encontró " + Describir(s));
            }
        }
        if (claves.size() > 1) {
            throw ErrorFuente(lineaClave, "la tabla «" + def.nombre + "» tiene más de una PRIMARY KEY");
        }
        if (claves.size() == 1) {
            const int c = claves[0];
            std::string tipo;
            for (char ch : def.tipos[c]) {
                if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\r') tipo += ch;
            }
            if (!IgualesAscii(tipo, "INTEGER")) {
                throw ErrorFuente(lineaClave,
                                  "PRIMARY KEY sobre «" + def.columnas[c] + "» (tipo «" + def.tipos[c] +
                                      "») necesita un índice, que varnolt-arq no escribe; "
                                      "solo se admite INTEGER PRIMARY KEY");
            }
            def.clavePrimaria = c;
        }
        const std::string_view fuente = lex_.Fuente();
        tabla.nueva.nombre = nombre1252;
        tabla.nueva.sql = ACp1252(fuente.substr(create.inicio, cierre.fin - create.inicio), create.linea,
                                  "la sentencia CREATE TABLE");
        return tabla;
    }

    void Columna(DefinicionTabla& def, std::vector<int>& claves, int& lineaClave) {
        const Token nombre = Nombre("el nombre de una columna");
        ACp1252(nombre.texto, nombre.linea, "el nombre de la columna");
        for (const std::string& otra : def.columnas) {
            if (IgualesAscii(otra, nombre.texto)) {
                throw ErrorFuente(nombre.linea, "la columna «" + nombre.texto + "» está repetida");
            }
        }
        const int indice = static_cast<int>(def.columnas.size());
        def.columnas.push_back(nombre.texto);
        std::string tipo;
        while (lex_.Mirar().tipo == Tipo::Palabra && !EsRestriccion(lex_.Mirar())) {
            if (EsPalabraReservada(lex_.Mirar().texto)) {
                throw ErrorFuente(lex_.Mirar().linea, "error de sintaxis: " + Describir(lex_.Mirar()) +
                                                          " no puede formar parte del tipo de una columna");
            }
            if (!tipo.empty()) tipo += ' ';
            tipo += lex_.Tomar().texto;
        }
        if (!tipo.empty() && EsSimbolo(lex_.Mirar(), '(')) {
            lex_.Tomar();
            tipo += '(';
            tipo += Tamano();
            if (EsSimbolo(lex_.Mirar(), ',')) {
                lex_.Tomar();
                tipo += ',';
                tipo += Tamano();
            }
            Esperar(')', " al cerrar el tamaño del tipo");
            tipo += ')';
        }
        def.tipos.push_back(tipo);
        def.defectos.push_back(std::nullopt);
        while (EsRestriccion(lex_.Mirar())) {
            const Token r = lex_.Tomar();
            if (EsPalabra(r, "CONSTRAINT")) {
                Nombre("el nombre de la restricción");
                const Token& sigue = lex_.Mirar();
                if (!EsRestriccion(sigue) || EsPalabra(sigue, "DEFAULT") || EsPalabra(sigue, "CONSTRAINT")) {
                    throw ErrorFuente(sigue.linea, "error de sintaxis: tras CONSTRAINT y su nombre se esperaba "
                                                   "una restricción y se encontró " + Describir(sigue));
                }
            } else if (EsPalabra(r, "NOT")) {
                const Token n = lex_.Tomar();
                if (!EsPalabra(n, "NULL")) {
                    throw ErrorFuente(n.linea, "NOT " + n.texto + " no se admite (solo NOT NULL)");
                }
                Conflicto();
            } else if (EsPalabra(r, "NULL")) {
                Conflicto();
            } else if (EsPalabra(r, "DEFAULT")) {
                def.defectos.back() = Literal("el valor por defecto");
            } else if (EsPalabra(r, "COLLATE")) {
                const Token c = lex_.Tomar();
                if (c.tipo != Tipo::Palabra) {
                    throw ErrorFuente(c.linea, "error de sintaxis: se esperaba el nombre de una intercalación "
                                               "tras COLLATE y se encontró " + Describir(c));
                }
            } else if (EsPalabra(r, "PRIMARY")) {
                EsperarPalabra("KEY");
                if (EsPalabra(lex_.Mirar(), "ASC") || EsPalabra(lex_.Mirar(), "DESC")) {
                    lex_.Tomar();
                }
                Conflicto();
                if (EsPalabra(lex_.Mirar(), "AUTOINCREMENT")) {
                    throw ErrorFuente(lex_.Mirar().linea, "AUTOINCREMENT no existe en SQLite 2.8");
                }
                claves.push_back(indice);
                lineaClave = r.linea;
            } else {
                throw ErrorFuente(r.linea, r.texto + " no se admite: varnolt-arq solo escribe tablas sin índices "
                                                     "ni restricciones (se admiten NOT NULL, DEFAULT, COLLATE e "
                                                     "INTEGER PRIMARY KEY)");
            }
        }
    }

    std::string Tamano() {
        std::string s;
        Token t = lex_.Tomar();
        if (EsSimbolo(t, '+') || EsSimbolo(t, '-')) {
            s = t.texto;
            t = lex_.Tomar();
        }
        if (t.tipo != Tipo::Numero || t.texto.find_first_not_of("0123456789") != std::string::npos) {
            throw ErrorFuente(t.linea, "error de sintaxis: se esperaba un entero en el tamaño del tipo y se "
                                       "encontró " + Describir(t));
        }
        return s + t.texto;
    }

    void RestriccionTabla(DefinicionTabla& def, std::vector<int>& claves, int& lineaClave) {
        Token r = lex_.Tomar();
        if (EsPalabra(r, "CONSTRAINT")) {
            Nombre("el nombre de la restricción");
            r = lex_.Tomar();
        }
        if (!EsPalabra(r, "PRIMARY")) {
            throw ErrorFuente(r.linea, Describir(r) + " no se admite: varnolt-arq solo escribe tablas sin índices "
                                                      "ni restricciones (se admite PRIMARY KEY sobre una columna "
                                                      "INTEGER)");
        }
        EsperarPalabra("KEY");
        Esperar('(', " tras PRIMARY KEY");
        std::vector<int> columnas;
        while (true) {
            const Token c = Nombre("el nombre de una columna");
            int indice = -1;
            for (std::size_t k = 0; k < def.columnas.size(); ++k) {
                if (IgualesAscii(def.columnas[k], c.texto)) {
                    indice = static_cast<int>(k);
                }
            }
            if (indice < 0) {
                throw ErrorFuente(c.linea, "PRIMARY KEY nombra la columna «" + c.texto + "», que no existe");
            }
            columnas.push_back(indice);
            if (EsPalabra(lex_.Mirar(), "ASC") || EsPalabra(lex_.Mirar(), "DESC")) {
                lex_.Tomar();
            }
            const Token s = lex_.Tomar();
            if (EsSimbolo(s, ')')) break;
            if (!EsSimbolo(s, ',')) {
                throw ErrorFuente(s.linea, "error de sintaxis: se esperaba «,» o «)» y se encontró " + Describir(s));
            }
        }
        Conflicto();
        if (columnas.size() > 1) {
            throw ErrorFuente(r.linea, "una PRIMARY KEY de varias columnas necesita un índice, que varnolt-arq "
                                       "no escribe");
        }
        claves.push_back(columnas[0]);
        lineaClave = r.linea;
    }

    void Insertar(const Token& insert) {
        const Token into = lex_.Tomar();
        if (!EsPalabra(into, "INTO")) {
            throw ErrorFuente(into.linea, "error de sintaxis: se esperaba INTO tras INSERT y se encontró " +
                                              Describir(into));
        }
        const Token nombre = Nombre("el nombre de la tabla");
        TablaEnCurso* tabla = nullptr;
        for (TablaEnCurso& t : tablas_) {
            if (IgualesAscii(t.def.nombre, nombre.texto)) {
                tabla = &t;
            }
        }
        if (tabla == nullptr) {
            throw ErrorFuente(nombre.linea, "la tabla «" + nombre.texto + "» no existe");
        }
        const DefinicionTabla& def = tabla->def;
        std::vector<int> destino;  // column of each value
        if (EsSimbolo(lex_.Mirar(), '(')) {
            lex_.Tomar();
            while (true) {
                const Token c = Nombre("el nombre de una columna");
                int indice = -1;
                for (std::size_t k = 0; k < def.columnas.size(); ++k) {
                    if (IgualesAscii(def.columnas[k], c.texto)) {
                        indice = static_cast<int>(k);
                    }
                }
                if (indice < 0) {
                    throw ErrorFuente(c.linea, "la tabla «" + def.nombre + "» no tiene la columna «" + c.texto + "»");
                }
                for (int d : destino) {
                    if (d == indice) {
                        throw ErrorFuente(c.linea, "la columna «" + c.texto + "» se nombra dos veces");
                    }
                }
                destino.push_back(indice);
                const Token s = lex_.Tomar();
                if (EsSimbolo(s, ')')) break;
                if (!EsSimbolo(s, ',')) {
                    throw ErrorFuente(s.linea, "error de sintaxis: se esperaba «,» o «)» y se encontró " +
                                                   Describir(s));
                }
            }
        } else {
            for (std::size_t k = 0; k < def.columnas.size(); ++k) {
                destino.push_back(static_cast<int>(k));
            }
        }
        const Token values = lex_.Tomar();
        if (!EsPalabra(values, "VALUES")) {
            throw ErrorFuente(values.linea, "error de sintaxis: se esperaba VALUES y se encontró " + Describir(values));
        }
        Esperar('(', " tras VALUES");
        std::vector<Valor> dados;
        while (true) {
            dados.push_back(Literal("un valor"));
            const Token s = lex_.Tomar();
            if (EsSimbolo(s, ')')) break;
            if (!EsSimbolo(s, ',')) {
                throw ErrorFuente(s.linea, "error de sintaxis: se esperaba «,» o «)» entre los valores y se "
                                           "encontró " + Describir(s));
            }
        }
        if (dados.size() != destino.size()) {
            const bool todas = destino.size() == def.columnas.size();
            throw ErrorFuente(insert.linea, "la tabla «" + def.nombre + "» " + (todas ? "tiene " : "recibe ") +
                                                std::to_string(destino.size()) +
                                                (todas ? " columnas" : " columnas nombradas") + " pero se dan " +
                                                std::to_string(dados.size()) + " valores");
        }
        FilaNueva fila;
        fila.valores = def.defectos;
        for (std::size_t k = 0; k < dados.size(); ++k) {
            fila.valores[destino[k]] = std::move(dados[k]);
        }
        std::optional<std::int32_t> rowid;
        if (def.clavePrimaria >= 0) {
            Valor& v = fila.valores[def.clavePrimaria];
            if (v) {
                rowid = EnteroDeFila(*v);
                if (!rowid) {
                    throw ErrorFuente(insert.linea, "la columna INTEGER PRIMARY KEY «" +
                                                        def.columnas[def.clavePrimaria] +
                                                        "» necesita un entero de 32 bits y se da «" +
                                                        Cp1252AUtf8(*v) + "»");
                }
                if (tabla->rowids.count(*rowid) != 0) {
                    throw ErrorFuente(insert.linea, "la clave " + std::to_string(*rowid) + " de «" +
                                                        def.columnas[def.clavePrimaria] +
                                                        "» ya existe en la tabla «" + def.nombre + "»");
                }
            }
            v = std::nullopt;  // the row id is the key; the record keeps NULL
        }
        if (!rowid) {
            if (tabla->rowids.empty()) {
                rowid = 1;
            } else if (*tabla->rowids.rbegin() == std::numeric_limits<std::int32_t>::max()) {
                throw ErrorFuente(insert.linea, "la tabla «" + def.nombre + "» ya usa el rowid más alto (2147483647)");
            } else {
                rowid = *tabla->rowids.rbegin() + 1;
            }
        }
        const std::size_t tam = TamRegistro(fila.valores);
        if (tam > kMaxBytesFila) {
            throw ErrorFuente(insert.linea, "la fila ocupa " + std::to_string(tam) +
                                                " bytes y SQLite 2.8 no admite filas de más de " +
                                                std::to_string(kMaxBytesFila));
        }
        fila.rowid = *rowid;
        tabla->rowids.insert(*rowid);
        tabla->nueva.filas.push_back(std::move(fila));
    }

    Lexico lex_;
    std::vector<TablaEnCurso> tablas_;
};

std::string_view SinBom(std::string_view s) {
    if (s.size() >= 3 && static_cast<unsigned char>(s[0]) == 0xEF && static_cast<unsigned char>(s[1]) == 0xBB &&
        static_cast<unsigned char>(s[2]) == 0xBF) {
        s.remove_prefix(3);
    }
    return s;
}

}  // namespace

std::vector<TablaNueva> LeerFuente(std::string_view utf8) {
    utf8 = SinBom(utf8);
    ComprobarUtf8(utf8);
    Analizador a(utf8);
    return a.Fuente();
}

DefinicionTabla LeerCreateTable(std::string_view utf8) {
    ComprobarUtf8(utf8);
    Analizador a(utf8);
    return a.UnCreate();
}

}  // namespace varnolt::sqlite2::escritura
