// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>

#include "app/Regional.h"
#include "cli/Comandos.h"
#include "support/AgendaDePrueba.h"
#include "support/SalidaComando.h"

namespace varnolt {
namespace {

using prueba::Salida;

Salida Resumen(const std::vector<std::string>& args) {
    return prueba::EjecutarComando(ComandoResumen, args);
}

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) {
        r.push_back(l);
    }
    return r;
}

TEST(Resumen, SampleAgendaWithDefaults) {
    ConfiguracionRegional().SeparadorDecimal = '.';
    const Salida s = Resumen({prueba::Muestra("muestra_2024.csv")});
    ASSERT_EQ(s.codigo, 0) << s.err;
    const auto l = Lineas(s.out);
    ASSERT_GE(l.size(), 10u);
    EXPECT_EQ(l[0], "Archivo cargado:");
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[2], "muestra_2024.csv [44759 registros]");
    EXPECT_EQ(l[3], "Datos entre: 2024-ene-1 y 2024-dic-31");
    EXPECT_EQ(l[4], "Rango visualización entre: 2024-ene-1 y 2024-dic-31");
    EXPECT_EQ(l[5].rfind("Suma PP rango: ", 0), 0u);
    EXPECT_NE(l[6].find(" fechas pico en el rango | Máx.PP: "), std::string::npos);
    EXPECT_EQ(l[7].rfind("Máx.: Máx.PP:", 0), 0u);
    EXPECT_EQ(l[8].rfind("  366 días. ", 0), 0u);
    EXPECT_EQ(l.size(), 9u + 366u);
    EXPECT_EQ(l[9].rfind("1.", 0), 0u);
    EXPECT_NE(l[9].find("2024 ene 1 (c:"), std::string::npos);
}

TEST(Resumen, OptionsActLikeTheControls) {
    const Salida s =
        Resumen({"--anios", "2025", "--periodo", "9", "--natal", "Sol,Lun", "--aspecto", "0,90",
                 "--umbral", "150", "--ver", "picos", "--orden", "peso",
                 prueba::Muestra("muestra_2024.csv"), prueba::Muestra("muestra_b_2025.csv")});
    ASSERT_EQ(s.codigo, 0) << s.err;
    const auto l = Lineas(s.out);
    EXPECT_EQ(l[0], "Archivos cargados:");
    EXPECT_EQ(l[5], "Rango visualización entre: 2025-feb-1 y 2025-feb-28");
    // The threshold is brought back to 100: only the heaviest day is a peak.
    EXPECT_EQ(l[7].rfind("Fechas Pico: 1  fechas pico en el rango", 0), 0u);
    ASSERT_EQ(l.size(), 11u);
    EXPECT_EQ(l[10].rfind("1.** 2025 feb ", 0), 0u);
}

TEST(Resumen, FailuresAndUsage) {
    prueba::CarpetaTemporal carpeta;
    const auto malo = carpeta.Agenda("malo.csv", std::vector<std::string>{"x"});
    Salida s = Resumen({malo});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.out, "");
    EXPECT_EQ(
        s.err.rfind("Se presento un error al cargar el archivo de contactos.\n\nmalo.csv\n\n", 0),
        0u);
    EXPECT_NE(s.err.find("El error se produjo con la linea: \nx\n"), std::string::npos);

    s = Resumen({(carpeta.ruta() / "no-existe.csv").string()});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find("no-existe.csv"), std::string::npos);

    const std::vector<std::vector<std::string>> malos = {{},
                                                         {"--periodo", "20", "a.csv"},
                                                         {"--periodo"},
                                                         {"--ver", "algunas", "a.csv"},
                                                         {"--orden", "x", "a.csv"},
                                                         {"--desconocida", "1", "a.csv"},
                                                         {"--umbral", "x", "a.csv"}};
    for (const auto& args : malos) {
        s = Resumen(args);
        EXPECT_EQ(s.codigo, 2);
        EXPECT_NE(s.err.find("uso: varnolt-cli resumen"), std::string::npos);
    }
    s = Resumen({"--anios", "1999", prueba::Muestra("muestra_2024.csv")});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_NE(s.err.find("1999"), std::string::npos);

    s = Resumen({"--help"});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_NE(s.out.find("--periodo N"), std::string::npos);
}

}  // namespace
}  // namespace varnolt
