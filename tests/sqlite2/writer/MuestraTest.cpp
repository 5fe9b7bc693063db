// SPDX-License-Identifier: AGPL-3.0-or-later
// The bundled sample archetype source (data/arquetipos/quillmere_C1_001_v.1.0.sql):
// it builds into a sound file with a text for every item, house, sign and
// aspect code in each of the twelve term tables, and an _Info_Data row with
// the thirteen catalogue columns and Clase 1.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "Verificador.h"
#include "app/Texto.h"
#include "sqlite2/writer/BaseNueva.h"
#include "sqlite2/writer/FuenteSql.h"

namespace {

using namespace varnolt::sqlite2::escritura;

const std::vector<std::string> kItems = {"Sol", "Lun", "Mer",  "Ven",  "Mar", "Júp", "Sat",  "Ura",   "Nep",
                                         "Plu", "Nod", "NodT", "Lil",  "LilT", "Tie", "Qui", "Pho",  "Cer",
                                         "Pal", "Jun", "Ves",  "NodS", "NodST", "RfD", "RfN", "Pr",  "PrT"};
const std::vector<std::string> kCasas = {"C01", "C02", "C03", "C04", "C05", "C06",
                                         "C07", "C08", "C09", "C10", "C11", "C12"};
// The sign codes.
const std::vector<std::string> kSignos = {"Ari", "Tau", "Gém", "Cán", "Leo", "Vir",
                                          "Lib", "Esc", "Sag", "Cap", "Acu", "Pis"};
const std::vector<std::string> kAngulos = {"0",   "180", "120", "90",  "72", "60", "51", "45", "165", "150",
                                           "144", "135", "105", "75",  "40", "36", "33", "30", "15"};

varnolt::pruebas::BaseLeida LeerMuestra() {
    std::ifstream f(std::string(VARNOLT_SOURCE_DIR) + "/data/arquetipos/quillmere_C1_001_v.1.0.sql",
                    std::ios::binary);
    const std::string fuente((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(fuente.empty());
    return varnolt::pruebas::Verificar(ConstruirBase(LeerFuente(fuente)));
}

TEST(Muestra, TieneUnTextoPorCadaCodigo) {
    const auto base = LeerMuestra();
    ASSERT_TRUE(base.problemas.empty()) << base.problemas.front();
    const std::pair<const char*, const std::vector<std::string>*> grupos[] = {
        {"Items", &kItems}, {"Casas", &kCasas}, {"Signos", &kSignos}, {"Aspectos", &kAngulos}};
    for (const auto& [prefijo, codigos] : grupos) {
        for (int n = 1; n <= 3; ++n) {
            const std::string nombre = std::string(prefijo) + "_0" + std::to_string(n);
            SCOPED_TRACE(nombre);
            const auto* t = base.Tabla(nombre);
            ASSERT_NE(t, nullptr);
            ASSERT_EQ(t->filas.size(), codigos->size());
            std::set<std::string> vistos;
            for (std::size_t i = 0; i < t->filas.size(); ++i) {
                const auto& v = t->filas[i].valores;
                ASSERT_GE(v.size(), 3u);
                ASSERT_TRUE(v[1].has_value());
                // Keys are stored in Windows-1252, as the program compares them.
                EXPECT_EQ(*v[1], varnolt::Utf8ACp1252((*codigos)[i]));
                vistos.insert(*v[1]);
                ASSERT_TRUE(v[2].has_value());
                EXPECT_GT(v[2]->size(), 10u);
            }
            EXPECT_EQ(vistos.size(), codigos->size());
        }
    }
}

TEST(Muestra, FichaDelCatalogo) {
    const auto base = LeerMuestra();
    const auto* info = base.Tabla("_Info_Data");
    ASSERT_NE(info, nullptr);
    const auto def = LeerCreateTable(varnolt::Cp1252AUtf8(info->sql));
    EXPECT_EQ(def.columnas, (std::vector<std::string>{"Nombre", "Autor", "Owner", "Version", "Url", "Alcance",
                                                      "Contexto", "Clase", "ToClase", "CanEdit", "CanCopy",
                                                      "CanDelete", "ForceInfo"}));
    ASSERT_EQ(info->filas.size(), 1u);
    const auto& v = info->filas[0].valores;
    ASSERT_EQ(v.size(), 13u);
    EXPECT_EQ(v[7], std::string("1"));  // Clase 1: listed in the catalogue
    for (int k = 0; k < 7; ++k) {
        ASSERT_TRUE(v[k].has_value());
        EXPECT_FALSE(v[k]->empty());
    }
    for (int k = 8; k < 13; ++k) {
        ASSERT_TRUE(v[k].has_value());
        EXPECT_EQ(v[k]->find_first_not_of("0123456789"), std::string::npos);
    }
}

}  // namespace
