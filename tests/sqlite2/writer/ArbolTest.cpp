// SPDX-License-Identifier: AGPL-3.0-or-later
// Whole files built by ConstruirBase, read back and checked by Verificador:
// header and meta values as the genuine files have them, every page used
// exactly once, multi-level b-trees, overflow chains, and the genuine
// fixtures (tests/fixtures/arq) rebuilt table by table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "Verificador.h"
#include "sqlite2/writer/BaseNueva.h"

namespace {

namespace fs = std::filesystem;
using varnolt::pruebas::BaseLeida;
using varnolt::pruebas::LeerBytes;
using varnolt::pruebas::Verificar;
using namespace varnolt::sqlite2::escritura;

std::string Fixture(const std::string& nombre) {
    return std::string(VARNOLT_FIXTURES) + "/arq/" + nombre + ".arq";
}

// Builds, checks soundness, and compares every table and row with the input.
BaseLeida ConstruirYComprobar(const std::vector<TablaNueva>& tablas) {
    const std::vector<unsigned char> bytes = ConstruirBase(tablas);
    EXPECT_EQ(bytes.size() % 1024, 0u);
    BaseLeida base = Verificar(bytes);
    EXPECT_TRUE(base.problemas.empty()) << base.problemas.front();
    EXPECT_EQ(base.paginas * 1024u, bytes.size());
    EXPECT_EQ(base.primeraLibre, 0u);
    EXPECT_EQ(base.numLibres, 0u);
    EXPECT_EQ(base.arboles.size(), tablas.size());
    for (std::size_t t = 0; t < tablas.size() && t < base.arboles.size(); ++t) {
        const auto& leida = base.arboles[t];
        EXPECT_EQ(leida.tipo, "table");
        EXPECT_EQ(leida.nombre, tablas[t].nombre);
        EXPECT_EQ(leida.tabla, tablas[t].nombre);
        EXPECT_EQ(leida.raiz, t + 3);
        EXPECT_EQ(leida.sql, tablas[t].sql);
        std::vector<FilaNueva> esperadas = tablas[t].filas;
        std::sort(esperadas.begin(), esperadas.end(),
                  [](const FilaNueva& a, const FilaNueva& b) { return a.rowid < b.rowid; });
        EXPECT_EQ(leida.filas.size(), esperadas.size()) << leida.nombre;
        for (std::size_t i = 0; i < esperadas.size() && i < leida.filas.size(); ++i) {
            EXPECT_EQ(leida.filas[i].rowid, esperadas[i].rowid);
            EXPECT_EQ(leida.filas[i].valores, esperadas[i].valores) << leida.nombre << " fila " << i;
        }
    }
    return base;
}

TablaNueva Tabla(const std::string& nombre, int columnas) {
    TablaNueva t;
    t.nombre = nombre;
    t.sql = "create table " + nombre + " (";
    for (int c = 0; c < columnas; ++c) {
        t.sql += (c ? ", c" : "c") + std::to_string(c) + " text";
    }
    t.sql += ")";
    return t;
}

TEST(Base, SinTablasSonDosPaginas) {
    const auto bytes = ConstruirBase({});
    ASSERT_EQ(bytes.size(), 2048u);
    const auto base = Verificar(bytes);
    EXPECT_TRUE(base.problemas.empty());
    // An empty b-tree: no cell, one free block of 1016 bytes at offset 8.
    const unsigned char vacia[8] = {0, 0, 0, 0, 0, 0, 8, 0};
    EXPECT_EQ(std::memcmp(bytes.data() + 1024, vacia, 8), 0);
    EXPECT_EQ(bytes[1024 + 8], 0xF8);
    EXPECT_EQ(bytes[1024 + 9], 0x03);
}

TEST(Base, CabeceraComoLaDeLosArchivosGenuinos) {
    const auto genuino = LeerBytes(Fixture("completo"));
    TablaNueva t = Tabla("T", 1);
    t.filas.push_back({1, {std::string("x")}});
    const auto bytes = ConstruirBase({t});
    // Header text, its zero byte and the magic word: the same 52 bytes.
    EXPECT_EQ(std::memcmp(bytes.data(), genuino.data(), 52), 0);
    const auto base = Verificar(bytes);
    const auto gen = Verificar(genuino);
    EXPECT_EQ(base.formato, 4u);
    EXPECT_NE(base.cookie, 0u);
    for (std::size_t k = 2; k < 9; ++k) {
        EXPECT_EQ(base.meta[k], gen.meta[k]) << "meta " << k + 1;
        EXPECT_EQ(base.meta[k], 0u);
    }
    // The rest of page 1 is zero.
    for (std::size_t k = 96; k < 1024; ++k) {
        ASSERT_EQ(bytes[k], 0) << k;
    }
    // The same source always gives the same file.
    EXPECT_EQ(ConstruirBase({t}), bytes);
}

TEST(Base, TablaVaciaYTablaDeUnaFila) {
    TablaNueva vacia = Tabla("Vacia", 3);
    TablaNueva una = Tabla("Una", 2);
    una.filas.push_back({7, {std::nullopt, std::string("")}});
    const auto base = ConstruirYComprobar({vacia, una});
    EXPECT_EQ(base.paginas, 4u);
}

// The genuine fixtures rebuilt from their own tables, rows and row ids.
TEST(Base, ReconstruyeLosArchivosGenuinos) {
    for (const char* nombre : {"completo", "jup_ascii", "clase2", "sin_info", "info_sin_url", "info_vacia",
                               "falta_signos02", "tablas_vacias", "grande"}) {
        SCOPED_TRACE(nombre);
        const auto genuino = Verificar(LeerBytes(Fixture(nombre)));
        std::vector<TablaNueva> tablas;
        for (const auto& a : genuino.arboles) {
            if (a.tipo != "table") continue;
            TablaNueva t;
            t.nombre = a.nombre;
            t.sql = a.sql;
            for (const auto& f : a.filas) t.filas.push_back({f.rowid, f.valores});
            tablas.push_back(t);
        }
        const auto base = ConstruirYComprobar(tablas);
        // Same records, byte for byte.
        for (std::size_t t = 0; t < tablas.size(); ++t) {
            const auto* g = genuino.Tabla(tablas[t].nombre);
            ASSERT_NE(g, nullptr);
            ASSERT_EQ(base.arboles[t].filas.size(), g->filas.size());
            for (std::size_t i = 0; i < g->filas.size(); ++i) {
                EXPECT_EQ(base.arboles[t].filas[i].registro, g->filas[i].registro);
            }
        }
    }
}

// Several thousand rows: a b-tree of three levels.
TEST(Base, MilesDeFilasDanVariosNiveles) {
    TablaNueva t = Tabla("Muchas", 3);
    for (int i = 1; i <= 6000; ++i) {
        t.filas.push_back({i, {std::to_string(i), std::string("fila ") + std::to_string(i) + std::string(i % 90, 'x'),
                               i % 7 == 0 ? std::optional<std::string>() : std::string("c")}});
    }
    const auto base = ConstruirYComprobar({t});
    EXPECT_GE(base.arboles[0].profundidad, 2);
}

// Many tables: sqlite_master itself grows beyond one page.
TEST(Base, EsquemaDeVariasPaginas) {
    std::vector<TablaNueva> tablas;
    for (int k = 0; k < 120; ++k) {
        TablaNueva t = Tabla("Tabla_" + std::to_string(k), 5);
        t.filas.push_back({1, {std::string("a"), std::string("b"), std::nullopt, std::string("d"), std::string("e")}});
        tablas.push_back(t);
    }
    const auto base = ConstruirYComprobar(tablas);
    EXPECT_GE(base.profundidadMaestra, 1);
}

// Texts of tens of kilobytes: overflow chains, also on interior pages.
TEST(Base, TextosLargosUsanPaginasDeDesbordamiento) {
    TablaNueva t = Tabla("Largos", 2);
    std::mt19937 azar(7);
    for (int i = 1; i <= 400; ++i) {
        std::size_t largo = i % 5 == 0 ? 20000 + azar() % 60000 : 10 + azar() % 400;
        std::string texto(largo, 'a');
        for (char& c : texto) c = static_cast<char>('a' + azar() % 26);
        t.filas.push_back({i * 3, {std::to_string(i), texto}});
    }
    const auto base = ConstruirYComprobar({t});
    EXPECT_GE(base.arboles[0].profundidad, 1);
    EXPECT_GT(base.paginas, 400u * 20000 / 5 / 1024);
}

// Payloads just at and beyond what stays on the page (236 bytes).
TEST(Base, LimiteDeCargaLocal) {
    TablaNueva t = Tabla("Limite", 1);
    // key 4 + record (2 offsets + L + 1) = 236 when L = 229.
    for (int l = 225; l <= 240; ++l) {
        t.filas.push_back({l, {std::string(static_cast<std::size_t>(l), 'z')}});
    }
    ConstruirYComprobar({t});
}

TEST(Base, FilaDeUnMegabyte) {
    TablaNueva t = Tabla("Grande", 1);
    // 1048576 bytes exactly: two 3-byte offsets, 1048569 text bytes and their zero.
    t.filas.push_back({1, {std::string(1048569, 'q')}});
    ConstruirYComprobar({t});
    t.filas[0].valores[0]->push_back('q');
    EXPECT_THROW(ConstruirBase({t}), std::invalid_argument);
}

TEST(Base, RowidsRepetidosORarosSeRechazan) {
    TablaNueva t = Tabla("R", 1);
    t.filas.push_back({5, {std::string("a")}});
    t.filas.push_back({5, {std::string("b")}});
    EXPECT_THROW(ConstruirBase({t}), std::invalid_argument);
    t.filas[1].rowid = 6;
    t.filas[1].valores[0] = std::string("a\0b", 3);
    EXPECT_THROW(ConstruirBase({t}), std::invalid_argument);
}

TEST(Base, RowidsNegativosYExtremos) {
    TablaNueva t = Tabla("N", 1);
    for (int i : {-2147483647 - 1, -5, -1, 0, 1, 2147483647}) {
        t.filas.push_back({i, {std::to_string(i)}});
    }
    ConstruirYComprobar({t});
}

// Random shapes: row counts, sizes (small, around the page limits, huge),
// gaps in the row ids; every file must come out sound.
TEST(Base, FormasAlAzar) {
    for (unsigned semilla = 1; semilla <= 40; ++semilla) {
        SCOPED_TRACE(semilla);
        std::mt19937 azar(semilla);
        std::vector<TablaNueva> tablas;
        const int numTablas = 1 + azar() % 4;
        for (int k = 0; k < numTablas; ++k) {
            TablaNueva t = Tabla("T" + std::to_string(k), 2);
            const int filas = static_cast<int>(azar() % (semilla % 3 == 0 ? 4000 : 600));
            std::int32_t rowid = -static_cast<std::int32_t>(azar() % 50);
            for (int i = 0; i < filas; ++i) {
                rowid += 1 + static_cast<std::int32_t>(azar() % 3);
                std::size_t largo;
                switch (azar() % 8) {
                    case 0: largo = 200 + azar() % 80; break;
                    case 1: largo = 900 + azar() % 3000; break;
                    default: largo = azar() % 60;
                }
                std::optional<std::string> v;
                if (azar() % 10 != 0) v = std::string(largo, static_cast<char>('A' + azar() % 26));
                t.filas.push_back({rowid, {std::to_string(i), v}});
            }
            std::shuffle(t.filas.begin(), t.filas.end(), azar);
            tablas.push_back(t);
        }
        ConstruirYComprobar(tablas);
        if (HasFailure()) break;
    }
}

TEST(Guardar, ReemplazaSoloAlTerminar) {
    const fs::path carpeta = fs::temp_directory_path() / ("varnolt_arq_guardar_" + std::to_string(::getpid()));
    fs::create_directories(carpeta);
    const fs::path destino = carpeta / "a.arq";
    {
        std::ofstream(destino) << "anterior";
    }
    const auto bytes = ConstruirBase({});
    GuardarArchivo(destino, bytes);
    EXPECT_EQ(LeerBytes(destino.string()), bytes);
    // Nothing else is left in the folder.
    std::size_t entradas = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(carpeta)) ++entradas;
    EXPECT_EQ(entradas, 1u);
    // A folder that does not exist: an error, and nothing written.
    EXPECT_THROW(GuardarArchivo(carpeta / "no" / "b.arq", bytes), std::runtime_error);
    fs::remove_all(carpeta);
}

}  // namespace
