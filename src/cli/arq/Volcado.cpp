// SPDX-License-Identifier: AGPL-3.0-or-later
// Prints the tables of an SQLite 2.8 file, read with the project's read-only
// engine (sqlite2/Engine.h), as CREATE TABLE and INSERT statements.
#include "cli/arq/Volcado.h"

#include <optional>

#include "app/Texto.h"
#include "sqlite2/Engine.h"
#include "sqlite2/writer/FuenteSql.h"

namespace varnolt::arq {
namespace {

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// -?digits[.digits][(e|E)[+|-]digits]: the literals "crear" stores as written.
bool EsNumero(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') ++i;
    const std::size_t inicio = i;
    while (i < s.size() && EsDigito(s[i])) ++i;
    if (i == inicio) return false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        const std::size_t frac = i;
        while (i < s.size() && EsDigito(s[i])) ++i;
        if (i == frac) return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t exp = i;
        while (i < s.size() && EsDigito(s[i])) ++i;
        if (i == exp) return false;
    }
    return i == s.size();
}

bool EsNombreSimple(const std::string& s) {
    if (s.empty() || EsDigito(s[0])) return false;
    for (char c : s) {
        const bool letra = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        if (!letra && !EsDigito(c)) return false;
    }
    return true;
}

std::string NombreSql(const std::string& cp1252) {
    if (EsNombreSimple(cp1252) && !sqlite2::escritura::EsPalabraReservada(cp1252)) {
        return cp1252;
    }
    std::string s = "\"";
    for (char c : Cp1252AUtf8(cp1252)) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + "\"";
}

}  // namespace

std::string LiteralSql(const std::optional<std::string>& valor) {
    if (!valor) {
        return "NULL";
    }
    if (EsNumero(*valor)) {
        return *valor;
    }
    std::string s = "'";
    for (char c : Cp1252AUtf8(*valor)) {
        if (c == '\'') s += '\'';
        s += c;
    }
    return s + "'";
}

std::vector<std::string> Volcar(const sqlite2::Database& base, std::ostream& salida) {
    std::vector<std::string> omitidos;
    for (const sqlite2::SchemaEntry& e : base.schemaEntries()) {
        if (e.type.value_or("") != "table") {
            omitidos.push_back(Cp1252AUtf8(e.type.value_or("?") + " " + e.name.value_or("")));
        }
    }
    bool primera = true;
    for (const std::string& nombre : base.tableNames()) {
        const sqlite2::TableDef* tabla = base.table(nombre);
        if (tabla == nullptr) {
            continue;
        }
        if (!primera) {
            salida << '\n';
        }
        primera = false;
        salida << Cp1252AUtf8(tabla->sql) << ";\n";
        const std::string cabecera = "INSERT INTO " + NombreSql(tabla->name) + " VALUES (";
        std::string linea;
        base.forEachRow(*tabla, [&](std::int32_t, const std::vector<sqlite2::Value>& valores) {
            linea = cabecera;
            for (std::size_t k = 0; k < valores.size(); ++k) {
                if (k > 0) linea += ", ";
                linea += LiteralSql(valores[k]);
            }
            linea += ");\n";
            salida << linea;
            return true;
        });
    }
    return omitidos;
}

}  // namespace varnolt::arq
