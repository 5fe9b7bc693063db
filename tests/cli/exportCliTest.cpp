// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli rangos and varnolt-cli csv, run as functions.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/ArchivoSeguro.h"
#include "app/Regional.h"
#include "archetypes/Arquetipos.h"
#include "cli/ComandosExport.h"
#include "support/AgendaDePrueba.h"
#include "support/SalidaComando.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

using prueba::Salida;

Salida Rangos(const std::vector<std::string>& args) {
    return prueba::EjecutarComando(ComandoRangos, args);
}

Salida Csv(const std::vector<std::string>& args) {
    return prueba::EjecutarComando(ComandoCsv, args);
}

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) {
        r.push_back(l);
    }
    return r;
}

// The lines of a block: those after the heading, up to the next heading.
std::vector<std::string> Bloque(const std::vector<std::string>& l, const std::string& titulo,
                                const std::string& siguiente) {
    auto ini = std::find(l.begin(), l.end(), titulo);
    auto fin = std::find(l.begin(), l.end(), siguiente);
    if (ini == l.end() || fin < ini) {
        return {"(falta " + titulo + ")"};
    }
    return {ini + 1, fin};
}

const std::string kArq = std::string(VARNOLT_FIXTURES) + "/arq/completo.arq";
const std::string kMuestra = prueba::Muestra("muestra_2024.csv");

std::string Leer(const fs::path& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The same run through the core: the lines the command must print.
struct Esperado {
    std::vector<std::string> prompt, csv, ta, mensajes;
};

Esperado PorElNucleo(const std::vector<std::string>& tra, const std::vector<std::string>& nat,
                     int periodo) {
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    TArquetipos arq(form);
    arq.ArchivoArq = kArq;
    form.CargarAgendas({kMuestra});
    form.SBPerAllClick(periodo);
    std::string faltante;
    EXPECT_TRUE(SeleccionarFilasArq(form.LBArqTra, tra, faltante)) << faltante;
    EXPECT_TRUE(SeleccionarFilasArq(form.LBArqNat, nat, faltante)) << faltante;
    arq.AplicarSeleccionArq(form.LBArqTra, form.LBItemTra, form.Seleccion.ItemsTraSel);
    arq.AplicarSeleccionArq(form.LBArqNat, form.LBItemNat, form.Seleccion.ItemsNatSel);
    form.SetTendenciasItems(true);
    ventana.mensajes.clear();
    form.SBCalcTAClick();
    return {form.MemoPrompt, form.MemoCSV, form.MemoTA, ventana.mensajes};
}

class ExportCli : public ::testing::Test {
  protected:
    void SetUp() override {
        ConfiguracionRegional().SeparadorDecimal = '.';
        ConfiguracionRegional().FormatoFechaCorta = "dd/mm/yyyy";
        ConfiguracionRegional().SeparadorFecha = '/';
    }
};

TEST_F(ExportCli, RangosPrintsTheThreeBlocksAndTheCount) {
    const Salida s = Rangos({"--transito", "Jup,Sat,Mar", "--natal", "Sol,C05,Lun", "--periodo",
                             "2", "--archivo", kArq, kMuestra});
    ASSERT_EQ(s.codigo, 0) << s.err;
    const auto l = Lineas(s.out);
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l.front(), "Texto para el prompt:");
    const Esperado e = PorElNucleo({"Júp", "Sat", "Mar"}, {"Sol", "C05", "Lun"}, 2);
    ASSERT_GE(e.csv.size(), 5u);
    EXPECT_EQ(Bloque(l, "Texto para el prompt:", "Datos de los rangos:"), e.prompt);
    EXPECT_EQ(Bloque(l, "Datos de los rangos:", "Líneas técnicas:"), e.csv);
    std::vector<std::string> tecnicas = Bloque(l, "Líneas técnicas:", "");
    ASSERT_FALSE(tecnicas.empty());
    EXPECT_EQ(tecnicas.back(), std::to_string(e.csv.size()) + " contactos encontrados !");
    tecnicas.pop_back();
    EXPECT_EQ(tecnicas, e.ta);
    EXPECT_EQ(e.mensajes.back(), "\r" + std::to_string(e.csv.size()) + " contactos encontrados !");
    // The first quarter of 2024 only.
    for (const std::string& d : e.csv) {
        EXPECT_NE(d.find("/2024,"), std::string::npos) << d;
    }
}

TEST_F(ExportCli, RangosWithoutWeightedDaysDoesNothing) {
    prueba::CarpetaTemporal carpeta;
    std::vector<prueba::Contacto> contactos;
    for (int d = 1; d <= 6; ++d) {
        contactos.push_back({"2024-3-" + std::to_string(d), "Sol", "Mar", 90, "1"});
    }
    const std::string agenda = carpeta.Agenda("a.csv", contactos);
    // No contact has the angle 0: no weighted day, "Detallar" does nothing.
    Salida s = Rangos(
        {"--transito", "Mar", "--natal", "Sol", "--aspecto", "0", "--archivo", kArq, agenda});
    ASSERT_EQ(s.codigo, 0) << s.err;
    EXPECT_EQ(s.out,
              "Texto para el prompt:\nDatos de los rangos:\nLíneas técnicas:\n"
              "(no hay días ponderados en el rango: \"Detallar\" no hace nada)\n");
    s = Rangos({"--transito", "Mar", "--natal", "Sol", "--archivo", kArq, agenda});
    ASSERT_EQ(s.codigo, 0) << s.err;
    EXPECT_EQ(s.out,
              "Texto para el prompt:\n"
              ".- Marte desde GEMINIS hace CUADRATURA (90°) a Sol natal desde 2024-03-01, hasta "
              "2024-03-06.\n"
              "Datos de los rangos:\n1,5,90,3,1,01/03/2024,06/03/2024,6\n"
              "Líneas técnicas:\n1,5,1,90,3,2024-03-01,2024-03-01,2024-03-06,6*\n"
              "1 contactos encontrados !\n");
}

TEST_F(ExportCli, RangosUsageAndFailures) {
    Salida s = Rangos({"--help"});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_NE(s.out.find("--transito CODIGOS"), std::string::npos);
    const std::vector<std::vector<std::string>> malos = {
        {kMuestra},                               // no codes
        {"--transito", "Sol", kMuestra},          // no natal codes
        {"--transito", "Sol", "--natal", "Sol"},  // no agenda
        {"--transito", "Sol", "--natal", "Sol", "--x", "1", kMuestra},
        {"--transito", "Sol", "--natal", "Sol", "--periodo", "0", kMuestra},
        {"--transito", "Sol", "--natal", "Sol", "--archivo"},
        {"--transito", "Nada", "--natal", "Sol", "--archivo", kArq, kMuestra},
        {"--transito", "Sol", "--natal", "C13", "--archivo", kArq, kMuestra},
        {"--transito", "Sol", "--natal", "Sol", "--anios", "1999", "--archivo", kArq, kMuestra}};
    for (const auto& args : malos) {
        s = Rangos(args);
        EXPECT_EQ(s.codigo, 2) << args.front();
        EXPECT_NE(s.err.find("uso: varnolt-cli rangos"), std::string::npos) << s.err;
    }
    s = Rangos({"--transito", "Nada", "--natal", "Sol", "--archivo", kArq, kMuestra});
    EXPECT_NE(s.err.find("Nada"), std::string::npos);
    // A missing archetype file stops the load.
    s = Rangos({"--transito", "Sol", "--natal", "Sol", "--archivo", "/no/existe.arq", kMuestra});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_FALSE(s.err.empty());
    EXPECT_EQ(s.out, "");
}

TEST_F(ExportCli, RangosUsesTheBundledSampleByDefault) {
    const std::string muestra = ArchivoArqPorDefecto();
    if (!fs::exists(muestra)) {
        GTEST_SKIP() << "no bundled sample at " << muestra;
    }
    const Salida s = Rangos({"--transito", "Júp", "--natal", "Sol", kMuestra});
    ASSERT_EQ(s.codigo, 0) << s.err;
    EXPECT_NE(s.out.find(" contactos encontrados !"), std::string::npos);
}

TEST_F(ExportCli, CsvPrintsTheReportTheSummaryAndTheName) {
    const Salida s =
        Csv({"--transito", "Júp,Sat,Sol,Mar", "--natal", "Sol,C05", "--clase", "todos", "--reporte",
             "mensual", "--fecha", "2024-02-10", "--archivo", kArq, kMuestra});
    ASSERT_EQ(s.codigo, 0) << s.err;
    const auto l = Lineas(s.out);
    const auto reporte = Bloque(l, "Reporte:", "Resumen:");
    ASSERT_GE(reporte.size(), 2u);
    EXPECT_EQ(reporte[0],
              "no,Planeta Tránsito,Signo,Aspecto,Planeta Natal,Fecha Inicio,Fecha Fin,Duración");
    EXPECT_EQ(reporte[1].rfind("1,", 0), 0u);
    const auto resumen = Bloque(l, "Resumen:", "Nombre propuesto:");
    EXPECT_EQ(resumen, (std::vector<std::string>{
                           "Mes de 01/02/2024 a 29/02/2024", "Todos los planetas",
                           std::to_string(reporte.size() - 1) + " contactos encontrados."}));
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l.back(), "_tránsitos_todos_mes_2024-02-01_2024-02-29.csv");

    // "Rápidos" and "Semanal" by default; the week of the date given.
    const Salida r = Csv({"--transito", "Júp,Sat,Sol,Mar", "--natal", "Sol,C05", "--fecha",
                          "2024-02-11", "--archivo", kArq, kMuestra});
    ASSERT_EQ(r.codigo, 0) << r.err;
    const auto lr = Lineas(r.out);
    EXPECT_EQ(lr.back(), "_tránsitos_rápidos_semana_2024-02-05_2024-02-11.csv");
    const auto rr = Bloque(lr, "Resumen:", "Nombre propuesto:");
    ASSERT_EQ(rr.size(), 3u);
    EXPECT_EQ(rr[0], "Semana de 05/02/2024 a 11/02/2024");
    EXPECT_EQ(rr[1], "Contactos de: Sol, Mer, Ven y Mar");
}

TEST_F(ExportCli, CsvWritesTheFileAsTheExportDoes) {
    prueba::CarpetaTemporal carpeta;
    const fs::path sin = carpeta.ruta() / "informe";
    Salida s = Csv({"--transito", "Júp,Sat", "--natal", "Sol,C05", "--clase", "lentos", "--reporte",
                    "todos", "--salida", sin.string(), "--archivo", kArq, kMuestra});
    ASSERT_EQ(s.codigo, 0) << s.err;
    EXPECT_EQ(s.out, "Archivo [informe.csv] creado !\n");
    const std::string bytes = Leer(carpeta.ruta() / "informe.csv");
    EXPECT_EQ(bytes.rfind("no,Planeta Tr\xE1nsito,Signo,Aspecto,Planeta Natal,Fecha Inicio,Fecha "
                          "Fin,Duraci\xF3n\r\n1,",
                          0),
              0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find('\n', 0), bytes.find("\r\n") + 1);

    // The printed report and the file hold the same lines.
    const Salida p = Csv({"--transito", "Júp,Sat", "--natal", "Sol,C05", "--clase", "lentos",
                          "--reporte", "todos", "--archivo", kArq, kMuestra});
    ASSERT_EQ(p.codigo, 0);
    std::string esperado;
    for (const std::string& l : Bloque(Lineas(p.out), "Reporte:", "Resumen:")) {
        esperado += Utf8ACp1252(l) + "\r\n";
    }
    EXPECT_EQ(bytes, esperado);

    s = Csv({"--transito", "Júp", "--natal", "Sol", "--salida",
             (carpeta.ruta() / "no-existe" / "x.csv").string(), "--archivo", kArq, kMuestra});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find(TextoErrorSistema(ENOENT)), std::string::npos) << s.err;
    EXPECT_EQ(s.out, "");
}

TEST_F(ExportCli, CsvUsage) {
    Salida s = Csv({"--help"});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_NE(s.out.find("--salida ARCHIVO"), std::string::npos);
    const std::vector<std::vector<std::string>> malos = {
        {"--transito", "Sol", "--natal", "Sol", "--clase", "medios", kMuestra},
        {"--transito", "Sol", "--natal", "Sol", "--reporte", "anual", kMuestra},
        {"--transito", "Sol", "--natal", "Sol", "--fecha", "10/02/2024", kMuestra},
        {"--transito", "Sol", "--natal", "Sol", "--fecha", "2024-02-30", kMuestra},
        {"--transito", "Sol", "--natal", "Sol", "--salida"},
        {"--natal", "Sol", kMuestra}};
    for (const auto& args : malos) {
        s = Csv(args);
        EXPECT_EQ(s.codigo, 2);
        EXPECT_NE(s.err.find("uso: varnolt-cli csv"), std::string::npos) << s.err;
    }
}

}  // namespace
}  // namespace varnolt
