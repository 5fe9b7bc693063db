// SPDX-License-Identifier: AGPL-3.0-or-later
// The output of `varnolt-cli resumen` over a set of small agendas that probe
// the loader's edges (line ends, errors, blank and binary lines, unsorted
// dates, empty files, both decimal separators) and over the bundled agendas,
// compared byte for byte with the expected text kept beside the cases.
//
// VARNOLT_ESCRIBIR_ESPERADO=FOLDER writes the outputs into FOLDER instead of
// comparing them, to review a deliberate change of the output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "agenda/LectorLineas.h"
#include "agenda/LecturaLotes.h"
#include "app/Regional.h"
#include "cli/Comandos.h"
#include "support/AgendaDePrueba.h"
#include "support/SalidaComando.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

const fs::path kCasos = fs::path(VARNOLT_SOURCE_DIR) / "tests/agenda/casos";

// The option sets each agenda is summarised with.
const std::vector<std::vector<std::string>> kVariantes = {
    {},
    {"--orden", "peso", "--ver", "picos", "--umbral", "50"},
    {"--natal", "Sol,Lun", "--aspecto", "0,90,120", "--orden", "contactos"},
};

std::string Leer(const fs::path& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// What the command prints: its output, its errors and its exit code.
std::string Resumen(std::vector<std::string> args, const std::vector<std::string>& agendas) {
    args.insert(args.end(), agendas.begin(), agendas.end());
    const prueba::Salida s = prueba::EjecutarComando(ComandoResumen, args);
    return s.out + s.err + "[codigo " + std::to_string(s.codigo) + "]\n";
}

class SalidaResumen : public ::testing::Test {
  protected:
    void TearDown() override {
        ConfiguracionRegional().SeparadorDecimal = '.';
        BloqueLecturaAgendas() = kBloqueLectura;
        MinimoCargaParalela() = minimo_;
        LecturaLotes::LineasPorLote() = lote_;
    }
    const int minimo_ = MinimoCargaParalela();
    const size_t lote_ = LecturaLotes::LineasPorLote();

    // Compares (or writes) the output for `nombre`.
    void Comprobar(const std::string& nombre, const std::string& salida) {
        if (const char* carpeta = std::getenv("VARNOLT_ESCRIBIR_ESPERADO")) {
            std::ofstream(fs::path(carpeta) / nombre, std::ios::binary) << salida;
            return;
        }
        const fs::path esperado = kCasos / "esperado" / nombre;
        ASSERT_TRUE(fs::exists(esperado)) << esperado;
        EXPECT_EQ(salida, Leer(esperado)) << nombre;
    }
};

TEST_F(SalidaResumen, EdgeCaseAgendasUnderBothSeparators) {
    std::vector<fs::path> casos;
    for (const auto& e : fs::directory_iterator(kCasos)) {
        if (e.path().extension() == ".csv") {
            casos.push_back(e.path());
        }
    }
    std::sort(casos.begin(), casos.end());
    ASSERT_GE(casos.size(), 20u);
    // Blocks of a few bytes put line ends, CR LF pairs and failing lines on
    // the edges of the blocks the files are read in; every other one is read
    // on two threads in lots of a few lines.
    const size_t kBloques[] = {kBloqueLectura, 1, 2, 7, 61, kBloqueLectura};
    for (const char sep : {'.', ','}) {
        ConfiguracionRegional().SeparadorDecimal = sep;
        for (size_t v = 0; v < kVariantes.size(); ++v) {
            for (const fs::path& caso : casos) {
                for (size_t j = 0; j < std::size(kBloques); ++j) {
                    BloqueLecturaAgendas() = kBloques[j];
                    MinimoCargaParalela() = j % 2 == 1 ? 0 : INT32_MAX;
                    LecturaLotes::LineasPorLote() = j;
                    Comprobar(caso.stem().string() + (sep == '.' ? ".punto." : ".coma.") +
                                  std::to_string(v) + ".txt",
                              Resumen(kVariantes[v], {caso.string()}));
                }
            }
        }
    }
}

TEST_F(SalidaResumen, BundledAgendas) {
    ConfiguracionRegional().SeparadorDecimal = '.';
    const std::string a = prueba::Muestra("muestra_2024.csv");
    const std::string b = prueba::Muestra("muestra_b_2025.csv");
    for (size_t v = 0; v < kVariantes.size(); ++v) {
        // The first option set read on one thread, the others on two.
        MinimoCargaParalela() = v == 0 ? INT32_MAX : 0;
        Comprobar("muestra." + std::to_string(v) + ".txt", Resumen(kVariantes[v], {a}));
        Comprobar("muestras_ab." + std::to_string(v) + ".txt", Resumen(kVariantes[v], {b, a}));
    }
}

}  // namespace
}  // namespace varnolt
