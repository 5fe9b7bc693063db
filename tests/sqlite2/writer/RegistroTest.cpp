// SPDX-License-Identifier: AGPL-3.0-or-later
// The key and record encodings against the bytes the genuine SQLite 2.8
// library wrote into the fixtures (tests/fixtures/arq/*.arq).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Verificador.h"
#include "sqlite2/writer/Registro.h"

namespace {

using varnolt::pruebas::Verificar;
using varnolt::sqlite2::escritura::ClaveFila;
using varnolt::sqlite2::escritura::CodificarRegistro;
using varnolt::sqlite2::escritura::TamRegistro;
using varnolt::sqlite2::escritura::Valor;

const char* const kBuenos[] = {"completo", "jup_ascii", "clase2", "sin_info", "info_sin_url",
                               "info_vacia", "falta_signos02", "tablas_vacias", "grande"};

std::string Fixture(const std::string& nombre) {
    return std::string(VARNOLT_FIXTURES) + "/arq/" + nombre + ".arq";
}

std::string Hex(const std::array<unsigned char, 4>& k) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x%02x", k[0], k[1], k[2], k[3]);
    return buf;
}

TEST(Registro, ClaveDeFilaOrdenaComoLosEnteros) {
    EXPECT_EQ(Hex(ClaveFila(9)), "80000009");
    EXPECT_EQ(Hex(ClaveFila(0)), "80000000");
    EXPECT_EQ(Hex(ClaveFila(-1)), "7fffffff");
    EXPECT_EQ(Hex(ClaveFila(2147483647)), "ffffffff");
    EXPECT_EQ(Hex(ClaveFila(-2147483647 - 1)), "00000000");
    EXPECT_EQ(Hex(ClaveFila(2500)), "800009c4");
}

TEST(Registro, FilaDeEsquemaComoLaEscribeLaBiblioteca) {
    // Row 1 of sqlite_master in completo.arq (checked with xxd): offsets
    // 06 0c 15 1e 20 6e, then the five zero-terminated texts.
    const std::vector<Valor> fila = {std::string("table"), std::string("Items_01"), std::string("Items_01"),
                                     std::string("3"),
                                     std::string("create table Items_01 (Id integer primary key, Clave "
                                                 "varchar(10), Texto text)")};
    const std::string r = CodificarRegistro(fila);
    ASSERT_EQ(r.size(), 110u);
    EXPECT_EQ(r.substr(0, 6), std::string("\x06\x0c\x15\x1e\x20\x6e", 6));
    EXPECT_EQ(r.substr(6, 6), std::string("table\0", 6));
    EXPECT_EQ(r.back(), '\0');
}

TEST(Registro, NuloYTextoVacio) {
    const std::string r = CodificarRegistro({std::nullopt, std::string(""), std::string("a")});
    EXPECT_EQ(r, std::string("\x04\x04\x05\x07\0a\0", 7));
}

TEST(Registro, AnchoDeLosDesplazamientos) {
    // One value of L bytes: L+1 data bytes and two offsets.
    auto registro = [](std::size_t l) { return CodificarRegistro({std::string(l, 'x')}); };
    EXPECT_EQ(registro(252).size(), 255u);  // 1-byte offsets up to 255 bytes
    EXPECT_EQ(static_cast<unsigned char>(registro(252)[0]), 2);
    EXPECT_EQ(registro(253).size(), 258u);  // then 2-byte offsets
    EXPECT_EQ(registro(253).substr(0, 4), std::string("\x04\x00\x02\x01", 4));
    EXPECT_EQ(registro(65530).size(), 65535u);
    EXPECT_EQ(registro(65531).size(), 65532u + 6);  // then 3-byte offsets
    EXPECT_EQ(registro(65531).substr(0, 3), std::string("\x06\x00\x00", 3));
    EXPECT_EQ(TamRegistro({std::string(65531, 'x')}), 65538u);
}

// Re-encoding every row the genuine library wrote gives its bytes back.
TEST(Registro, RecodificaLasFilasDeLosArchivosGenuinos) {
    for (const char* nombre : kBuenos) {
        const auto base = Verificar(varnolt::pruebas::LeerBytes(Fixture(nombre)));
        ASSERT_TRUE(base.problemas.empty()) << nombre << ": " << base.problemas.front();
        std::size_t filas = 0;
        for (const auto& arbol : base.arboles) {
            for (const auto& f : arbol.filas) {
                EXPECT_EQ(CodificarRegistro(f.valores), f.registro) << nombre << " " << arbol.nombre;
                const auto k = ClaveFila(f.rowid);
                ++filas;
                (void)k;
            }
            for (std::size_t i = 0; i < arbol.filas.size() && arbol.tipo == "table"; ++i) {
                const auto k = ClaveFila(arbol.filas[i].rowid);
                EXPECT_EQ(arbol.entradas[i].clave, std::string(reinterpret_cast<const char*>(k.data()), 4));
            }
        }
        EXPECT_GT(filas, 0u) << nombre;
    }
}

// The genuine library stores NULL for an INTEGER PRIMARY KEY column and keeps
// the value in the row id.
TEST(Registro, ClavePrimariaEnteraSeGuardaComoNulo) {
    const auto base = Verificar(varnolt::pruebas::LeerBytes(Fixture("completo")));
    const auto* items = base.Tabla("Items_01");
    ASSERT_NE(items, nullptr);
    ASSERT_EQ(items->filas.size(), 27u);
    for (std::size_t i = 0; i < items->filas.size(); ++i) {
        EXPECT_EQ(items->filas[i].rowid, static_cast<int>(i + 1));
        EXPECT_FALSE(items->filas[i].valores[0].has_value());
    }
}

// The checker itself: it accepts the genuine files and rejects the broken ones.
TEST(Verificador, AceptaLosGenuinosYRechazaLosRotos) {
    for (const char* nombre : kBuenos) {
        const auto base = Verificar(varnolt::pruebas::LeerBytes(Fixture(nombre)));
        EXPECT_TRUE(base.problemas.empty()) << nombre;
        EXPECT_EQ(base.formato, 4u);
    }
    EXPECT_FALSE(Verificar(varnolt::pruebas::LeerBytes(Fixture("truncado"))).problemas.empty());
    EXPECT_FALSE(Verificar(varnolt::pruebas::LeerBytes(Fixture("no_es_base"))).problemas.empty());
    const auto grande = Verificar(varnolt::pruebas::LeerBytes(Fixture("grande")));
    EXPECT_EQ(grande.numLibres, 19u);
    ASSERT_NE(grande.Tabla("Relleno"), nullptr);
    EXPECT_GE(grande.Tabla("Relleno")->profundidad, 2);
}

}  // namespace
