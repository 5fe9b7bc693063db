// SPDX-License-Identifier: AGPL-3.0-or-later
// writing the report to the file the user names.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/ArchivoSeguro.h"
#include "app/FormVarnolt.h"
#include "app/Regional.h"
#include "app/settings/Carpetas.h"
#include "export/ArchivoCSV.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

std::string Leer(const fs::path& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Archivos(const fs::path& carpeta) {
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(carpeta)) {
        r.push_back(e.path().filename().string());
    }
    std::sort(r.begin(), r.end());
    return r;
}

class Exportar : public ::testing::Test {
  protected:
    Exportar() : form(ventana) {
        ConfiguracionRegional().FormatoFechaCorta = "dd/mm/yyyy";
        ConfiguracionRegional().SeparadorFecha = '/';
    }
    // A report of one row for the week of 1 January 2024, fast transits.
    void Generar() {
        form.MemoCSV = {"1,2,90,2,1,05/01/2024,10/02/2024,37"};
        form.FechaCalendario = CodificarFecha(2024, 1, 3);
        form.BtnGenCSVClick();
    }
    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
};

TEST_F(Exportar, WritesWindows1252WithCrLfAndNoByteOrderMark) {
    Generar();
    ASSERT_EQ(form.NombreCSV, "_tránsitos_rápidos_semana_2024-01-01_2024-01-07.csv");
    const std::string ruta = (carpeta.ruta() / "informe.csv").string();
    ventana.respuestaGuardar = ruta;
    form.BtnExportCSVClick();
    ASSERT_EQ(ventana.peticionesGuardar.size(), 1u);
    const PeticionGuardar& p = ventana.peticionesGuardar[0];
    EXPECT_EQ(p.Titulo, "Crear archivo CSV");
    EXPECT_EQ(p.Filtro, "Archivos CVS|*.csv");
    EXPECT_EQ(p.ExtensionPorDefecto, "csv");
    // Proposed without the leading "_" of the generated name.
    EXPECT_EQ(p.NombrePropuesto, "tránsitos_rápidos_semana_2024-01-01_2024-01-07.csv");
    EXPECT_EQ(Leer(ruta),
              "no,Planeta Tr\xE1nsito,Signo,Aspecto,Planeta Natal,Fecha Inicio,Fecha Fin,"
              "Duraci\xF3n\r\n"
              "1,Luna,Tauro,Cuadratura,Sol,05/01/24,10/02/24,37\r\n");
    EXPECT_EQ(ventana.mensajes, std::vector<std::string>{"\rArchivo [informe.csv] creado !"});
    EXPECT_TRUE(ventana.errores.empty());
    EXPECT_EQ(form.NombreCSV, ruta);
    EXPECT_EQ(Archivos(carpeta.ruta()), std::vector<std::string>{"informe.csv"});
    struct stat st {};
    ASSERT_EQ(::stat(ruta.c_str(), &st), 0);
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mascara);

    // Saving again without generating proposes the file just written, and
    // replaces it, keeping its permission bits.
    ASSERT_EQ(::chmod(ruta.c_str(), 0640), 0);
    form.MemoResultados.push_back("añadida");
    form.BtnExportCSVClick();
    EXPECT_EQ(ventana.peticionesGuardar[1].NombrePropuesto, "informe.csv");
    EXPECT_EQ(Leer(ruta).substr(Leer(ruta).size() - 9),
              "a\xF1"
              "adida\r\n");
    ASSERT_EQ(::stat(ruta.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Archivos(carpeta.ruta()), std::vector<std::string>{"informe.csv"});
}

TEST_F(Exportar, TheDialogStartsInTheDocumentsThenInTheFolderOfTheLastReportSaved) {
    Generar();
    form.BtnExportCSVClick();  // cancelled
    ASSERT_EQ(ventana.peticionesGuardar.size(), 1u);
    EXPECT_EQ(ventana.peticionesGuardar[0].CarpetaInicial, CarpetaPersonal());
    // Opening agendas elsewhere does not move it; saving does.
    const fs::path sub = carpeta.ruta() / "informes";
    fs::create_directory(sub);
    ventana.respuestaGuardar = (sub / "a.csv").string();
    form.BtnExportCSVClick();
    ASSERT_TRUE(fs::exists(sub / "a.csv"));
    Generar();
    ventana.respuestaGuardar.reset();
    form.BtnExportCSVClick();
    ASSERT_EQ(ventana.peticionesGuardar.size(), 3u);
    EXPECT_TRUE(fs::equivalent(ventana.peticionesGuardar[2].CarpetaInicial, sub));
    // A failed save leaves it where it was.
    ventana.respuestaGuardar = (carpeta.ruta() / "no-hay" / "b.csv").string();
    form.BtnExportCSVClick();
    ventana.respuestaGuardar.reset();
    form.BtnExportCSVClick();
    EXPECT_TRUE(fs::equivalent(ventana.peticionesGuardar.back().CarpetaInicial, sub));
}

TEST_F(Exportar, CancellingWritesAndShowsNothing) {
    Generar();
    const std::string nombre = form.NombreCSV;
    form.BtnExportCSVClick();  // the dialog answers nothing
    EXPECT_EQ(ventana.peticionesGuardar.size(), 1u);
    EXPECT_TRUE(ventana.mensajes.empty());
    EXPECT_TRUE(ventana.errores.empty());
    EXPECT_EQ(form.NombreCSV, nombre);
    EXPECT_TRUE(Archivos(carpeta.ruta()).empty());
}

TEST_F(Exportar, BeforeAnyReportAnEmptyNameAndAnEmptyFile) {
    ventana.respuestaGuardar = (carpeta.ruta() / "vacio").string();
    form.BtnExportCSVClick();
    EXPECT_EQ(ventana.peticionesGuardar[0].NombrePropuesto, "");
    // A name typed without extension gets ".csv".
    const fs::path ruta = carpeta.ruta() / "vacio.csv";
    EXPECT_EQ(form.NombreCSV, ruta.string());
    ASSERT_TRUE(fs::exists(ruta));
    EXPECT_EQ(fs::file_size(ruta), 0u);
    EXPECT_EQ(ventana.mensajes, std::vector<std::string>{"\rArchivo [vacio.csv] creado !"});
}

TEST_F(Exportar, AnExtensionOfItsOwnIsKept) {
    Generar();
    ventana.respuestaGuardar = (carpeta.ruta() / "informe.txt").string();
    form.BtnExportCSVClick();
    EXPECT_TRUE(fs::exists(carpeta.ruta() / "informe.txt"));
    EXPECT_EQ(ventana.mensajes.back(), "\rArchivo [informe.txt] creado !");
}

TEST_F(Exportar, AReportThatEndedInAnErrorIsSavedAsItsTwoLines) {
    form.FechaCalendario = 3000000;
    form.BtnGenCSVClick();
    ASSERT_EQ(form.MemoResultados.size(), 2u);
    ventana.respuestaGuardar = (carpeta.ruta() / "error.csv").string();
    form.BtnExportCSVClick();
    EXPECT_EQ(Leer(carpeta.ruta() / "error.csv"),
              "ERROR: La fecha 3000000 est\xE1 fuera del rango admitido (01/01/0001 a "
              "31/12/9999)\r\nAseg\xFArese que las fechas est\xE9n en formato dd/mm/yyyy\r\n");
}

TEST_F(Exportar, AMissingFolderIsReportedWithTheSystemsText) {
    Generar();
    const auto antes = form.MemoResultados;
    const std::string ruta = (carpeta.ruta() / "no-existe" / "informe.csv").string();
    ventana.respuestaGuardar = ruta;
    form.BtnExportCSVClick();
    ASSERT_EQ(ventana.errores.size(), 1u);
    EXPECT_NE(ventana.errores[0].find(TextoErrorSistema(ENOENT)), std::string::npos);
    EXPECT_NE(ventana.errores[0].find(ruta), std::string::npos);
    EXPECT_TRUE(ventana.mensajes.empty());
    EXPECT_EQ(form.NombreCSV, ruta);  // keeps the path that was chosen
    EXPECT_EQ(form.MemoResultados, antes);
}

TEST_F(Exportar, AFailedWriteLeavesTheOldFileIntact) {
    Generar();
    const std::string ruta = carpeta.Escribir("informe.csv", "viejo\r\n");
    // Files may grow to 16 bytes only: the report's first line does not fit,
    // so the write fails half-way (EFBIG), as a full disk would.
    auto* anterior = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limite), 0);
    rlimit corto = limite;
    corto.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &corto), 0);
    ventana.respuestaGuardar = ruta;
    form.BtnExportCSVClick();
    ::setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, anterior);

    ASSERT_EQ(ventana.errores.size(), 1u);
    EXPECT_NE(ventana.errores[0].find(TextoErrorSistema(EFBIG)), std::string::npos);
    EXPECT_TRUE(ventana.mensajes.empty());
    EXPECT_EQ(Leer(ruta), "viejo\r\n");
    EXPECT_EQ(Archivos(carpeta.ruta()), std::vector<std::string>{"informe.csv"});  // no leftovers
}

TEST_F(Exportar, ATargetThatIsAFolderFailsAndStays) {
    fs::create_directory(carpeta.ruta() / "carpeta.csv");
    carpeta.Escribir("carpeta.csv/dentro", "x");
    std::string error;
    EXPECT_FALSE(EscribirArchivoCSV((carpeta.ruta() / "carpeta.csv").string(), {"a"}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(carpeta.ruta() / "carpeta.csv"));
    EXPECT_EQ(Leer(carpeta.ruta() / "carpeta.csv" / "dentro"), "x");
    EXPECT_EQ(Archivos(carpeta.ruta()), std::vector<std::string>{"carpeta.csv"});
}

TEST_F(Exportar, ASymbolicLinkIsFollowed) {
    const std::string real = carpeta.Escribir("real.csv", "viejo");
    fs::create_symlink("real.csv", carpeta.ruta() / "enlace.csv");
    std::string error;
    ASSERT_TRUE(EscribirArchivoCSV((carpeta.ruta() / "enlace.csv").string(), {"nuevo"}, error))
        << error;
    EXPECT_TRUE(fs::is_symlink(carpeta.ruta() / "enlace.csv"));
    EXPECT_EQ(Leer(real), "nuevo\r\n");
}

// Targets the export must not replace: each is refused with an error naming
// it and stays exactly as it was, with no file left beside it.
struct CasoDestino {
    const char* nombre;
    // Makes the target in the folder; returns its path as the user names it.
    std::string (*crear)(const fs::path& carpeta);
    const char* error;  // what the error says after the quoted path
    friend void PrintTo(const CasoDestino& c, std::ostream* os) { *os << c.nombre; }
};

class DestinoRechazado : public ::testing::TestWithParam<CasoDestino> {
  protected:
    prueba::CarpetaTemporal carpeta;
};

// What stands at a path, to see it untouched: its kind, mode, owner and bytes.
std::string Huella(const std::string& ruta) {
    struct stat st {};
    if (::lstat(ruta.c_str(), &st) != 0) {
        return "ninguno";
    }
    std::string h = std::to_string(st.st_mode) + " " + std::to_string(st.st_uid) + " " +
                    std::to_string(st.st_ino);
    if (S_ISREG(st.st_mode)) {
        h += " " + Leer(ruta);
    }
    return h;
}

TEST_P(DestinoRechazado, IsRefusedAndStays) {
    const std::string ruta = GetParam().crear(carpeta.ruta());
    const auto antes = Archivos(carpeta.ruta());
    const std::string huella = Huella(ruta);
    std::string error;
    EXPECT_FALSE(EscribirArchivoCSV(ruta, {"nuevo"}, error));
    EXPECT_EQ(error, "\"" + ruta + "\"" + GetParam().error);
    EXPECT_EQ(Huella(ruta), huella);
    EXPECT_EQ(Archivos(carpeta.ruta()), antes);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DestinoRechazado,
    ::testing::Values(CasoDestino{"fifo",
                                  [](const fs::path& c) {
                                      const std::string r = (c / "fifo.csv").string();
                                      EXPECT_EQ(::mkfifo(r.c_str(), 0644), 0);
                                      return r;
                                  },
                                  " no es un archivo normal"},
                      // A link to a FIFO of the folder stands for one to a
                      // device: a test must never risk replacing the
                      // machine's own /dev/null.
                      CasoDestino{"enlace_a_un_fifo",
                                  [](const fs::path& c) {
                                      EXPECT_EQ(::mkfifo((c / "tubo").c_str(), 0644), 0);
                                      const std::string r = (c / "enlace.csv").string();
                                      fs::create_symlink("tubo", r);
                                      return r;
                                  },
                                  " no es un archivo normal"},
                      CasoDestino{"solo_lectura",
                                  [](const fs::path& c) {
                                      const std::string r = (c / "leer.csv").string();
                                      std::ofstream(r, std::ios::binary) << "viejo\r\n";
                                      EXPECT_EQ(::chmod(r.c_str(), 0444), 0);
                                      return r;
                                  },
                                  " es de solo lectura"},
                      CasoDestino{"barra_final",
                                  [](const fs::path& c) {
                                      fs::create_directory(c / "dir.csv");
                                      return (c / "dir.csv").string() + "/";
                                  },
                                  " no es un nombre de archivo"},
                      CasoDestino{
                          "barra_final_sin_carpeta",
                          [](const fs::path& c) { return (c / "falta.csv").string() + "/"; },
                          " no es un nombre de archivo"}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Through the button: a name ending in "/" gets no ".csv" added (that would
// write a file ".csv" inside the folder) and is refused.
TEST_F(Exportar, ANameEndingInASlashIsAnError) {
    Generar();
    fs::create_directory(carpeta.ruta() / "dir.csv");
    const std::string ruta = (carpeta.ruta() / "dir.csv").string() + "/";
    ventana.respuestaGuardar = ruta;
    form.BtnExportCSVClick();
    ASSERT_EQ(ventana.errores.size(), 1u);
    EXPECT_NE(ventana.errores[0].find("\"" + ruta + "\" no es un nombre de archivo"),
              std::string::npos)
        << ventana.errores[0];
    EXPECT_TRUE(ventana.mensajes.empty());
    EXPECT_TRUE(fs::is_empty(carpeta.ruta() / "dir.csv"));
}

// A replaced file keeps its mode, and its owner and group when root writes
// another user's file.
TEST_F(Exportar, AReplacedFileKeepsItsOwnerAndMode) {
    const std::string ruta = carpeta.Escribir("ajeno.csv", "viejo\r\n");
    ASSERT_EQ(::chmod(ruta.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(ruta.c_str(), 4321, 4322), 0);
    }
    struct stat antes {};
    ASSERT_EQ(::stat(ruta.c_str(), &antes), 0);
    std::string error;
    ASSERT_TRUE(EscribirArchivoCSV(ruta, {"nuevo"}, error)) << error;
    struct stat despues {};
    ASSERT_EQ(::stat(ruta.c_str(), &despues), 0);
    EXPECT_EQ(Leer(ruta), "nuevo\r\n");
    EXPECT_EQ(despues.st_mode & 07777, 0640u);
    EXPECT_EQ(despues.st_uid, antes.st_uid);
    EXPECT_EQ(despues.st_gid, antes.st_gid);
    EXPECT_EQ(Archivos(carpeta.ruta()), std::vector<std::string>{"ajeno.csv"});
}

TEST(ArchivoCSV, BytesAndNames) {
    EXPECT_EQ(BytesArchivoCSV({}), "");
    EXPECT_EQ(BytesArchivoCSV({"", "é°"}), "\r\n\xE9\xB0\r\n");
    EXPECT_EQ(NombreDeArchivo("/a/b/c.csv"), "c.csv");
    EXPECT_EQ(NombreDeArchivo("c.csv"), "c.csv");
    EXPECT_EQ(NombreDeArchivo("/a/b/"), "");
    EXPECT_EQ(NombreDeArchivo(""), "");
}

}  // namespace
}  // namespace varnolt
