// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-arq run as a program: "volcar" of every fixture
// (tests/fixtures/arq/*.arq, written by the genuine SQLite 2.8 library)
// then "crear" then "volcar" gives the same text and the same table contents
// through the project's engine; large sources round-trip; refused sources
// name their line, exit with 1 and leave any existing output untouched.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "Verificador.h"
#include "sqlite2/Engine.h"

namespace {

namespace fs = std::filesystem;

struct Resultado {
    int codigo = -1;
    std::string salida;
    std::string errores;
};

std::string Leer(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

void Escribir(const fs::path& p, const std::string& texto) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << texto;
}

class Arq : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta_ = fs::temp_directory_path() /
                   ("varnolt_arq_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(carpeta_);
        fs::create_directories(carpeta_);
    }
    void TearDown() override { fs::remove_all(carpeta_); }

    Resultado Ejecutar(const std::vector<std::string>& args) {
        std::string orden = std::string("'") + VARNOLT_ARQ + "'";
        for (const std::string& a : args) orden += " '" + a + "'";
        const fs::path out = carpeta_ / ".stdout", err = carpeta_ / ".stderr";
        orden += " > '" + out.string() + "' 2> '" + err.string() + "'";
        const int estado = std::system(orden.c_str());
        Resultado r;
        r.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
        r.salida = Leer(out);
        r.errores = Leer(err);
        fs::remove(out);
        fs::remove(err);
        return r;
    }

    fs::path Ruta(const std::string& nombre) const { return carpeta_ / nombre; }

    // Files in the folder, besides the captured outputs.
    std::vector<std::string> Archivos() const {
        std::vector<std::string> v;
        for (const auto& e : fs::directory_iterator(carpeta_)) v.push_back(e.path().filename().string());
        std::sort(v.begin(), v.end());
        return v;
    }

    fs::path carpeta_;
};

std::string Fixture(const std::string& nombre) {
    return std::string(VARNOLT_FIXTURES) + "/arq/" + nombre + ".arq";
}

// Table contents of two files through the engine; rowids compared only when
// `conRowid` (a dump renumbers the rows of a table without INTEGER PRIMARY KEY).
void MismasTablas(const std::string& a, const std::string& b, bool conRowid) {
    const auto da = varnolt::sqlite2::Database::Open(a);
    const auto db = varnolt::sqlite2::Database::Open(b);
    ASSERT_EQ(da->tableNames(), db->tableNames());
    for (const std::string& nombre : da->tableNames()) {
        SCOPED_TRACE(nombre);
        auto ta = da->readTable(nombre);
        auto tb = db->readTable(nombre);
        EXPECT_EQ(ta.columnNames, tb.columnNames);
        EXPECT_EQ(ta.columnTypes, tb.columnTypes);
        EXPECT_EQ(da->table(nombre)->sql, db->table(nombre)->sql);
        if (!conRowid && da->table(nombre)->integerPrimaryKey < 0) {
            for (auto& fila : ta.rows) fila.pop_back();
            for (auto& fila : tb.rows) fila.pop_back();
        }
        EXPECT_EQ(ta.rows, tb.rows);
    }
}

TEST_F(Arq, Ayuda) {
    const Resultado r = Ejecutar({"--help"});
    EXPECT_EQ(r.codigo, 0);
    EXPECT_NE(r.salida.find("Uso:"), std::string::npos);
    EXPECT_NE(r.salida.find("varnolt-arq crear SALIDA.arq FUENTE.sql"), std::string::npos);
    EXPECT_NE(r.salida.find("varnolt-arq volcar ARCHIVO.arq"), std::string::npos);
    EXPECT_EQ(Ejecutar({}).codigo, 2);
    EXPECT_EQ(Ejecutar({"borrar", "x"}).codigo, 2);
    EXPECT_EQ(Ejecutar({"crear", "solo.arq"}).codigo, 2);
}

// Every fixture: volcar, crear, volcar gives the same text; the new file is
// sound and holds the same tables and rows.
TEST_F(Arq, VolcarCrearVolcarLosArchivosGenuinos) {
    for (const char* nombre : {"completo", "jup_ascii", "clase2", "sin_info", "info_sin_url", "info_vacia",
                               "falta_signos02", "tablas_vacias", "grande"}) {
        SCOPED_TRACE(nombre);
        const Resultado v1 = Ejecutar({"volcar", Fixture(nombre)});
        ASSERT_EQ(v1.codigo, 0) << v1.errores;
        const fs::path fuente = Ruta(std::string(nombre) + ".sql");
        const fs::path arq = Ruta(std::string(nombre) + ".arq");
        Escribir(fuente, v1.salida);
        const Resultado c = Ejecutar({"crear", arq.string(), fuente.string()});
        ASSERT_EQ(c.codigo, 0) << c.errores;
        const Resultado v2 = Ejecutar({"volcar", arq.string()});
        ASSERT_EQ(v2.codigo, 0) << v2.errores;
        EXPECT_EQ(v1.salida, v2.salida);
        const auto base = varnolt::pruebas::Verificar(varnolt::pruebas::LeerBytes(arq.string()));
        EXPECT_TRUE(base.problemas.empty()) << base.problemas.front();
        MismasTablas(Fixture(nombre), arq.string(), std::string(nombre) != "grande");
    }
    // The index of grande.arq is left out, with a notice.
    const Resultado g = Ejecutar({"volcar", Fixture("grande")});
    EXPECT_NE(g.errores.find("idx_relleno"), std::string::npos);
    EXPECT_EQ(g.salida.find("create index"), std::string::npos);
}

TEST_F(Arq, VolcadoDeCompleto) {
    const Resultado r = Ejecutar({"volcar", Fixture("completo")});
    ASSERT_EQ(r.codigo, 0);
    EXPECT_EQ(r.salida.rfind("create table Items_01 (Id integer primary key, Clave varchar(10), Texto text);\n"
                             "INSERT INTO Items_01 VALUES (1, 'Sol', 'Sol 01: texto del ítem Sol (completo)');\n",
                             0),
              0u);
    EXPECT_NE(r.salida.find("INSERT INTO Items_01 VALUES (6, 'Júp', "), std::string::npos);
}

TEST_F(Arq, ArchivosQueNoSonBases) {
    for (const char* nombre : {"no_es_base", "truncado"}) {
        const Resultado r = Ejecutar({"volcar", Fixture(nombre)});
        EXPECT_EQ(r.codigo, 1);
        EXPECT_NE(r.errores.find("malformed"), std::string::npos) << r.errores;
    }
    EXPECT_EQ(Ejecutar({"volcar", Ruta("no_existe.arq").string()}).codigo, 1);
    EXPECT_EQ(Ejecutar({"crear", Ruta("x.arq").string(), Ruta("no_existe.sql").string()}).codigo, 1);
    EXPECT_FALSE(fs::exists(Ruta("x.arq")));
}

// Thousands of rows, texts of tens of kilobytes with quotes, line breaks and
// every Windows-1252 letter: crear then volcar gives the source back.
TEST_F(Arq, FuenteGrandeIdaYVuelta) {
    std::mt19937 azar(11);
    const std::vector<std::string> trozos = {"a", "b", " ", "''", "\n", "á", "ñ", "€", "Œ", "ü", "¿", "«", "»",
                                             "—", "ÿ", "ĉ"};
    std::string fuente = "CREATE TABLE Largos (Id integer primary key, Clave varchar(10), Texto text);\n";
    for (int i = 1; i <= 60; ++i) {
        std::string texto;
        const std::size_t largo = 1000 + azar() % 50000;
        while (texto.size() < largo) {
            const std::string& t = trozos[azar() % (trozos.size() - 1)];  // "ĉ" is not in Windows-1252
            texto += t;
        }
        fuente += "INSERT INTO Largos VALUES (" + std::to_string(i * 2) + ", 'k" + std::to_string(i) + "', '" +
                  texto + "');\n";
    }
    fuente += "\nCREATE TABLE Muchas (a integer, b text, c real);\n";
    for (int i = 1; i <= 5000; ++i) {
        fuente += "INSERT INTO Muchas VALUES (" + std::to_string(i) + ", " +
                  (i % 11 == 0 ? std::string("NULL") : "'fila " + std::to_string(i) + "'") + ", " +
                  (i % 3 == 0 ? "-" : "") + std::to_string(i) + "." + std::to_string(i % 10) + ");\n";
    }
    Escribir(Ruta("grande.sql"), fuente);
    const Resultado c = Ejecutar({"crear", Ruta("grande.arq").string(), Ruta("grande.sql").string()});
    ASSERT_EQ(c.codigo, 0) << c.errores;
    const Resultado v = Ejecutar({"volcar", Ruta("grande.arq").string()});
    ASSERT_EQ(v.codigo, 0) << v.errores;
    EXPECT_TRUE(v.salida == fuente);
    const auto base = varnolt::pruebas::Verificar(varnolt::pruebas::LeerBytes(Ruta("grande.arq").string()));
    EXPECT_TRUE(base.problemas.empty()) << base.problemas.front();
    ASSERT_NE(base.Tabla("Muchas"), nullptr);
    EXPECT_GE(base.Tabla("Muchas")->profundidad, 2);
    const auto db = varnolt::sqlite2::Database::Open(Ruta("grande.arq").string());
    const auto t = db->readTable("Muchas");
    ASSERT_EQ(t.rows.size(), 5000u);
    EXPECT_EQ(t.rows[2], (std::vector<varnolt::sqlite2::Value>{"3", "fila 3", "-3.3", "3"}));
    EXPECT_EQ(t.rows[10][1], std::nullopt);
}

// Names that need quotes come back quoted.
TEST_F(Arq, NombresEntreComillas) {
    const std::string fuente =
        "CREATE TABLE \"order\" (\"Año\" text, [values] text);\n"
        "INSERT INTO \"order\" VALUES ('1', 'x');\n"
        "\n"
        "CREATE TABLE \"Tabla con espacios\" (a);\n"
        "INSERT INTO \"Tabla con espacios\" VALUES ('007');\n"
        "INSERT INTO \"Tabla con espacios\" VALUES ('1e5x');\n";
    Escribir(Ruta("n.sql"), fuente);
    ASSERT_EQ(Ejecutar({"crear", Ruta("n.arq").string(), Ruta("n.sql").string()}).codigo, 0);
    const Resultado v = Ejecutar({"volcar", Ruta("n.arq").string()});
    ASSERT_EQ(v.codigo, 0);
    EXPECT_EQ(v.salida,
              "CREATE TABLE \"order\" (\"Año\" text, [values] text);\n"
              "INSERT INTO \"order\" VALUES (1, 'x');\n"
              "\n"
              "CREATE TABLE \"Tabla con espacios\" (a);\n"
              "INSERT INTO \"Tabla con espacios\" VALUES (007);\n"
              "INSERT INTO \"Tabla con espacios\" VALUES ('1e5x');\n");
}

// A refused source: message with the line, exit 1, no file written, and an
// existing output file left as it was.
TEST_F(Arq, RechazoNoTocaLaSalida) {
    struct Caso {
        std::string fuente;
        std::string mensaje;
    };
    const std::string tabla = "CREATE TABLE t (Id integer primary key, Clave text, Texto text);\n";
    const std::vector<Caso> casos = {
        {tabla + "INSERT INTO t VALUES (1, 'a', 'b')\nINSERT INTO t VALUES (2, 'c', 'd');\n", "linea 3: "},
        {tabla + "INSERT INTO t VALUES (1, 'a', 'b');\nINSERT INTO x VALUES (2, 'c', 'd');\n",
         "linea 3: la tabla «x» no existe"},
        {tabla + "\n\nINSERT INTO t VALUES (1, 'a');\n", "linea 4: la tabla «t» tiene 3 columnas pero se dan 2 valores"},
        {tabla + "INSERT INTO t VALUES (1, 'a', 'Ωmega');\n", "linea 2: el texto contiene «Ω» (U+03A9)"},
        {tabla + "INSERT INTO t VALUES (1, 'a', '" + std::string(1100000, 'x') + "');\n",
         "linea 2: la fila ocupa"},
    };
    const fs::path salida = Ruta("salida.arq");
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensaje);
        Escribir(Ruta("f.sql"), c.fuente);
        fs::remove(salida);
        Resultado r = Ejecutar({"crear", salida.string(), Ruta("f.sql").string()});
        EXPECT_EQ(r.codigo, 1);
        EXPECT_NE(r.errores.find(c.mensaje), std::string::npos) << r.errores;
        EXPECT_FALSE(fs::exists(salida));
        Escribir(salida, "contenido anterior");
        r = Ejecutar({"crear", salida.string(), Ruta("f.sql").string()});
        EXPECT_EQ(r.codigo, 1);
        EXPECT_EQ(Leer(salida), "contenido anterior");
        EXPECT_EQ(Archivos(), (std::vector<std::string>{"f.sql", "salida.arq"}));
    }
    // A good source replaces it, and leaves no temporary file behind.
    Escribir(Ruta("f.sql"), tabla + "INSERT INTO t VALUES (1, 'a', 'b');\n");
    EXPECT_EQ(Ejecutar({"crear", salida.string(), Ruta("f.sql").string()}).codigo, 0);
    EXPECT_EQ(Leer(salida).size(), 3u * 1024);  // header, schema, one table
    EXPECT_EQ(Archivos(), (std::vector<std::string>{"f.sql", "salida.arq"}));
}

// The sample archetype file the build makes from data/arquetipos.
TEST_F(Arq, ArchivoDeMuestra) {
    ASSERT_TRUE(fs::exists(VARNOLT_ARQ_MUESTRA));
    const auto db = varnolt::sqlite2::Database::Open(VARNOLT_ARQ_MUESTRA);
    for (const char* nombre : {"Items_01", "Items_02", "Items_03", "Casas_01", "Casas_02", "Casas_03", "Signos_01",
                               "Signos_02", "Signos_03", "Aspectos_01", "Aspectos_02", "Aspectos_03", "_Info_Data"}) {
        EXPECT_NE(db->table(nombre), nullptr) << nombre;
    }
    EXPECT_EQ(db->readTable("Items_01").rows.size(), 27u);
    EXPECT_EQ(db->readTable("Aspectos_03").rows.size(), 19u);
    const auto info = db->readTable("_Info_Data");
    ASSERT_EQ(info.rows.size(), 1u);
    EXPECT_EQ(info.columnNames[7], "Clase");
    EXPECT_EQ(info.rows[0][7], std::string("1"));
    // Its dump is its source again, statement for statement.
    const Resultado v = Ejecutar({"volcar", VARNOLT_ARQ_MUESTRA});
    ASSERT_EQ(v.codigo, 0);
    Escribir(Ruta("m.sql"), v.salida);
    ASSERT_EQ(Ejecutar({"crear", Ruta("m.arq").string(), Ruta("m.sql").string()}).codigo, 0);
    EXPECT_EQ(Leer(Ruta("m.arq")), Leer(VARNOLT_ARQ_MUESTRA));
}

}  // namespace
