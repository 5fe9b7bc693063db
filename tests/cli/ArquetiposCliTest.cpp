// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "archetypes/Arquetipos.h"
#include "cli/Comandos.h"
#include "support/AgendaDePrueba.h"
#include "support/SalidaComando.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

// A home of its own, so that the documents folder is a temporary one.
class CasaTemporal {
  public:
    CasaTemporal() : antes_(std::getenv("HOME") ? std::getenv("HOME") : "") {
        ::setenv("HOME", carpeta_.ruta().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
    }
    ~CasaTemporal() { ::setenv("HOME", antes_.c_str(), 1); }
    fs::path CarpetaArq() const {
        return carpeta_.ruta() / "Documents/quillmere/Orbelune arquetipos";
    }

  private:
    prueba::CarpetaTemporal carpeta_;
    std::string antes_;
};

using prueba::Salida;

Salida Arquetipos(const std::vector<std::string>& args) {
    return prueba::EjecutarComando(ComandoArquetipos, args);
}

TEST(ArquetiposCli, CatalogueAndPanelsOfTheSampleFile) {
    CasaTemporal casa;
    Salida s = Arquetipos({});
    EXPECT_EQ(s.codigo, 1);  // no sample file in the archetype folder yet
    EXPECT_NE(s.out.find("(no se encontraron archivos de arquetipos)"), std::string::npos);
    EXPECT_NE(s.err.find("does not exist"), std::string::npos);

    fs::create_directories(casa.CarpetaArq());
    fs::copy_file(std::string(VARNOLT_FIXTURES) + "/arq/completo.arq",
                  casa.CarpetaArq() / kArchivoArqInicial);
    s = Arquetipos({prueba::Muestra("muestra_2024.csv")});
    ASSERT_EQ(s.codigo, 0) << s.err;
    EXPECT_NE(s.out.find("  Arquetipos completos  ["), std::string::npos);
    const size_t tra = s.out.find("El gestor (item en el cielo):\n  ");
    const size_t asp = s.out.find("La oportunidad (ángulo tránsito):\n  ");
    const size_t nat = s.out.find("Elemento de vida (mandala natal):\n  ");
    ASSERT_NE(tra, std::string::npos);
    ASSERT_NE(asp, std::string::npos);
    ASSERT_NE(nat, std::string::npos);
    EXPECT_LT(tra, asp);
    EXPECT_LT(asp, nat);
    EXPECT_NE(s.out.find("  Sol 01: texto del ítem Sol (completo)\n"), std::string::npos);
    EXPECT_NE(s.out.find("  Cuadratura (90°)\n"), std::string::npos);
}

TEST(ArquetiposCli, GivenFileAndUsage) {
    CasaTemporal casa;
    Salida s = Arquetipos({"--archivo", std::string(VARNOLT_FIXTURES) + "/arq/falta_signos02.arq"});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.err, "no such table: Signos_02\nselect *, rowid from Signos_02\n\n");
    EXPECT_EQ(Arquetipos({"--archivo"}).codigo, 2);
    EXPECT_EQ(Arquetipos({"--otra"}).codigo, 2);
    EXPECT_EQ(Arquetipos({"--help"}).codigo, 0);
}

}  // namespace
}  // namespace varnolt
