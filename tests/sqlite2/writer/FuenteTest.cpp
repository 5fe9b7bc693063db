// SPDX-License-Identifier: AGPL-3.0-or-later
// The SQL source reader: what it stores, and how it refuses what it cannot
// store, naming the line.
#include <gtest/gtest.h>

#include <string>

#include "sqlite2/writer/FuenteSql.h"

namespace {

using namespace varnolt::sqlite2::escritura;

TEST(Fuente, TablasFilasYValores) {
    const std::string fuente =
        "-- comentario\n"
        "CREATE TABLE Items_01 (Id integer primary key, Clave varchar(10), Texto text);\n"
        "INSERT INTO Items_01 VALUES (1, 'Sol', 'El Sol ''brilla''');\n"
        "insert into items_01 values (NULL, 'Júp', 'Expansión');\n"
        "INSERT INTO Items_01 VALUES (10, 'Lun', NULL);\n"
        "INSERT INTO Items_01 VALUES (NULL, 'Mer', '');\n"
        "/* bloque\n de comentario */\n"
        "create table \"Con espacio\" (a, b real, c integer)\n;\n"
        "INSERT INTO [Con espacio] VALUES (-5, 1.50, +7);\n"
        "INSERT INTO \"Con espacio\" VALUES (- 3, 1e5, 'x\ny')";
    const auto tablas = LeerFuente(fuente);
    ASSERT_EQ(tablas.size(), 2u);
    EXPECT_EQ(tablas[0].nombre, "Items_01");
    EXPECT_EQ(tablas[0].sql, "CREATE TABLE Items_01 (Id integer primary key, Clave varchar(10), Texto text)");
    ASSERT_EQ(tablas[0].filas.size(), 4u);
    EXPECT_EQ(tablas[0].filas[0].rowid, 1);
    EXPECT_EQ(tablas[0].filas[0].valores,
              (std::vector<Valor>{std::nullopt, std::string("Sol"), std::string("El Sol 'brilla'")}));
    EXPECT_EQ(tablas[0].filas[1].rowid, 2);
    EXPECT_EQ(tablas[0].filas[1].valores[1], std::string("J\xFAp"));
    EXPECT_EQ(tablas[0].filas[1].valores[2], std::string("Expansi\xF3n"));
    EXPECT_EQ(tablas[0].filas[2].rowid, 10);
    EXPECT_EQ(tablas[0].filas[2].valores[2], std::nullopt);
    EXPECT_EQ(tablas[0].filas[3].rowid, 11);
    EXPECT_EQ(tablas[0].filas[3].valores[2], std::string(""));
    EXPECT_EQ(tablas[1].nombre, "Con espacio");
    EXPECT_EQ(tablas[1].sql, "create table \"Con espacio\" (a, b real, c integer)");
    ASSERT_EQ(tablas[1].filas.size(), 2u);
    EXPECT_EQ(tablas[1].filas[0].valores,
              (std::vector<Valor>{std::string("-5"), std::string("1.50"), std::string("7")}));
    EXPECT_EQ(tablas[1].filas[1].rowid, 2);
    EXPECT_EQ(tablas[1].filas[1].valores,
              (std::vector<Valor>{std::string("-3"), std::string("1e5"), std::string("x\ny")}));
}

TEST(Fuente, ListaDeColumnasYValoresPorDefecto) {
    const auto tablas = LeerFuente(
        "CREATE TABLE t (a integer, b text DEFAULT 'nada', c NOT NULL DEFAULT -1, d);\n"
        "INSERT INTO t (d, a) VALUES ('D', 4);");
    ASSERT_EQ(tablas[0].filas.size(), 1u);
    EXPECT_EQ(tablas[0].filas[0].valores, (std::vector<Valor>{std::string("4"), std::string("nada"),
                                                              std::string("-1"), std::string("D")}));
}

TEST(Fuente, ClavePrimariaDeTabla) {
    const auto tablas = LeerFuente(
        "CREATE TABLE t (n INTEGER, x text, PRIMARY KEY (n));\n"
        "INSERT INTO t VALUES (-4, 'a');\n"
        "INSERT INTO t VALUES ('12', 'b');\n"
        "INSERT INTO t VALUES (NULL, 'c');\n"
        "INSERT INTO t VALUES (3.0, 'd');\n");
    ASSERT_EQ(tablas[0].filas.size(), 4u);
    EXPECT_EQ(tablas[0].filas[0].rowid, -4);
    EXPECT_EQ(tablas[0].filas[1].rowid, 12);
    EXPECT_EQ(tablas[0].filas[2].rowid, 13);
    EXPECT_EQ(tablas[0].filas[3].rowid, 3);
    for (const auto& f : tablas[0].filas) EXPECT_FALSE(f.valores[0].has_value());
}

TEST(Fuente, PalabrasClaveComoNombres) {
    // Quoted, any word is a name; unquoted, the keywords that 2.8 lets fall
    // back to names are names too.
    const auto tablas = LeerFuente(
        "CREATE TABLE \"order\" (key text, desc text, [values] text, 'end' text);\n"
        "INSERT INTO \"order\" VALUES ('k', 'd', 'v', 'e');");
    ASSERT_EQ(tablas.size(), 1u);
    EXPECT_EQ(tablas[0].nombre, "order");
    EXPECT_TRUE(EsPalabraReservada("Values"));
    EXPECT_FALSE(EsPalabraReservada("key"));
}

TEST(Fuente, SinTablasNiSentencias) {
    EXPECT_TRUE(LeerFuente("").empty());
    EXPECT_TRUE(LeerFuente("\xEF\xBB\xBF -- solo un comentario\n;;\n").empty());
}

TEST(Fuente, LeeUnCreateGuardado) {
    const auto def = LeerCreateTable("create table Items_01 (Id integer primary key, Clave varchar(10), Texto text)");
    EXPECT_EQ(def.nombre, "Items_01");
    EXPECT_EQ(def.columnas, (std::vector<std::string>{"Id", "Clave", "Texto"}));
    EXPECT_EQ(def.tipos, (std::vector<std::string>{"integer", "varchar(10)", "text"}));
    EXPECT_EQ(def.clavePrimaria, 0);
    EXPECT_EQ(LeerCreateTable("create table Signos_01 (n int, k char(3), t text, extra text)").clavePrimaria, -1);
}

// Expects the source to be refused at `linea` with a message holding `parte`.
void Rechaza(const std::string& fuente, int linea, const std::string& parte) {
    try {
        LeerFuente(fuente);
        ADD_FAILURE() << "aceptada: " << fuente;
    } catch (const ErrorFuente& e) {
        EXPECT_EQ(e.Linea(), linea) << e.what();
        EXPECT_EQ(std::string(e.what()).rfind("linea " + std::to_string(linea) + ": ", 0), 0u) << e.what();
        EXPECT_NE(std::string(e.what()).find(parte), std::string::npos) << e.what();
    }
}

const std::string kTabla = "CREATE TABLE t (a integer primary key, b text);\n";

TEST(Fuente, RechazosConNumeroDeLinea) {
    Rechaza(kTabla + "INSERT INTO t VALUES (1, 'x')\nINSERT INTO t VALUES (2, 'y');", 3, "se esperaba «;»");
    Rechaza(kTabla + "\nINSERT INTO u VALUES (1, 'x');", 3, "la tabla «u» no existe");
    Rechaza(kTabla + "INSERT INTO t VALUES (1);", 2, "tiene 2 columnas pero se dan 1 valores");
    Rechaza(kTabla + "INSERT INTO t VALUES (1, 'x', 'z');", 2, "tiene 2 columnas pero se dan 3 valores");
    Rechaza(kTabla + "INSERT INTO t VALUES (1,\n'copo ☃ de nieve');", 3, "Windows-1252 no puede guardar");
    Rechaza(kTabla + "INSERT INTO t VALUES (1, 'emoji 😀');", 2, "U+1F600");
    Rechaza(kTabla + "INSERT INTO t VALUES (1, 'varias\nlíneas\ny un ☃');", 4, "U+2603");
    Rechaza(kTabla + "INSERT INTO t VALUES (1, '" + std::string(1048576, 'x') + "');", 2,
            "no admite filas de más de 1048576");
    Rechaza(kTabla + "INSERT INTO t VALUES (1, 'a');\nINSERT INTO t VALUES (1, 'b');", 3, "ya existe");
    Rechaza(kTabla + "INSERT INTO t VALUES ('uno', 'b');", 2, "necesita un entero");
    Rechaza(kTabla + "INSERT INTO t VALUES (1, 'sin cerrar);\n\n", 2, "sin cerrar");
    Rechaza(kTabla + "INSERT INTO t VALUES (1, otra);", 2, "se esperaba un valor");
    Rechaza(kTabla + "INSERT INTO t (a, c) VALUES (1, 'x');", 2, "no tiene la columna «c»");
    Rechaza(kTabla + kTabla, 2, "ya existe");
    Rechaza("CREATE TABLE v (a text UNIQUE);", 1, "UNIQUE no se admite");
    Rechaza("CREATE TABLE v (a text PRIMARY KEY);", 1, "solo se admite INTEGER PRIMARY KEY");
    Rechaza("CREATE TABLE v (a int(4) PRIMARY KEY);", 1, "solo se admite INTEGER PRIMARY KEY");
    Rechaza("CREATE TABLE v (a text,\n b text, PRIMARY KEY(a, b));", 2, "varias columnas");
    Rechaza("CREATE TABLE v (a integer primary key, b integer primary key);", 1, "más de una PRIMARY KEY");
    Rechaza("CREATE TABLE v (a text, A text);", 1, "repetida");
    Rechaza("CREATE TEMP TABLE v (a);", 1, "temporal");
    Rechaza("CREATE INDEX i ON t(a);", 1, "solo CREATE TABLE");
    Rechaza("CREATE TABLE sqlite_x (a);", 1, "reservado");
    Rechaza("\n\nDROP TABLE t;", 3, "se esperaba CREATE TABLE o INSERT INTO");
    Rechaza("CREATE TABLE v (a text\n", 2, "se esperaba «,» o «)»");
    Rechaza("CREATE TABLE v (a text); /* sin cerrar\n", 1, "comentario");
    Rechaza("CREATE TABLE v (a text);\nINSERT INTO v VALUES ('\xFF');", 2, "UTF-8");
    const char conNulo[] = "CREATE TABLE v (a text);\nINSERT INTO v VALUES ('a\0b');";
    Rechaza(std::string(conNulo, sizeof conNulo - 1), 2, "carácter nulo");
    Rechaza("CREATE TABLE ñandú☃ (a text);", 1, "Windows-1252");
    Rechaza("CREATE TABLE v (a text) ; INSERT INTO v VALUES (#);", 1, "carácter inesperado");
    // Names the 2.8 library would not parse back when it reads the schema.
    Rechaza("CREATE TABLE v (a text,\n order text);", 2, "palabra reservada «order»");
    Rechaza("CREATE TABLE values (a text);", 1, "palabra reservada");
    Rechaza("CREATE TABLE v (a text from);", 1, "no puede formar parte del tipo");
    Rechaza("CREATE TABLE v (a text CONSTRAINT c DEFAULT 1);", 1, "tras CONSTRAINT");
}

TEST(Fuente, MensajeCompleto) {
    try {
        LeerFuente("CREATE TABLE t (a, b);\nINSERT INTO t VALUES (1);");
        FAIL();
    } catch (const ErrorFuente& e) {
        EXPECT_STREQ(e.what(), "linea 2: la tabla «t» tiene 2 columnas pero se dan 1 valores");
    }
}

}  // namespace
