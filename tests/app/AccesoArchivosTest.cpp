// SPDX-License-Identifier: AGPL-3.0-or-later
// Every file the programs read or write goes through the file edges of
// app/ArchivoSeguro: this looks through the sources for direct file access
// elsewhere, so that a new file cannot bypass them unnoticed. An exception
// goes in the list below with the reason it is one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace varnolt {
namespace {

// Path under the source tree -> why it may touch files directly.
const std::map<std::string, std::string> kExcepciones = {
    {"src/app/ArchivoSeguro.cpp", "the file edges themselves"},
    {"src/sqlite2/Pager.cpp",
     "the SQLite 2 engine reads an archetype file's pages on demand, not whole: it opens it "
     "read-only without blocking and reads it only when fstat says it is a regular file"},
};

// Opening, creating, renaming or removing files by hand, with the C library,
// the C++ streams, std::filesystem or Qt. Reading folders, making folders
// and the static name functions of QFile are not file access.
const std::regex kAcceso(
    R"(\b(fopen|freopen|fdopen|creat|mkstemps?|mkostemps?|openat|unlink|unlinkat|rename|renameat|truncate)\s*\()"
    R"(|::open\s*\(|std::[io]?fstream\b|\b(fs|filesystem)::(remove|remove_all|rename|copy|copy_file|resize_file)\s*\()"
    R"(|\bQ(File|SaveFile|TemporaryFile|Settings)\s+[A-Za-z_]\w*\s*[\(\{;])");

// The line without a // comment (enough for this code's comments, which are
// never inside string literals that hold "//").
std::string SinComentario(const std::string& linea) {
    const std::size_t c = linea.find("//");
    return c == std::string::npos ? linea : linea.substr(0, c);
}

// A quick look before the pattern: a line without any of these words cannot
// match it (the pattern alone is slow over the whole tree in a debug build).
bool PuedeAcceder(const std::string& linea) {
    for (const char* palabra :
         {"open", "creat", "mkstemp", "mkostemp", "unlink", "rename", "truncate", "fstream",
          "remove", "copy", "resize_file", "QFile", "QSaveFile", "QTemporaryFile", "QSettings"}) {
        if (linea.find(palabra) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(AccesoArchivos, SoloLosBordesTocanArchivos) {
    namespace fs = std::filesystem;
    const fs::path raiz = fs::path(VARNOLT_SOURCE_DIR);
    ASSERT_TRUE(fs::is_directory(raiz / "src")) << raiz;
    std::map<std::string, int> usadas;
    std::string fuera;
    int archivos = 0;
    std::vector<fs::path> fuentes;
    // The programs and their core; the benchmark programs under bench/ write
    // and remove their own test data and are not looked at.
    for (const auto& e : fs::recursive_directory_iterator(raiz / "src")) {
        fuentes.push_back(e.path());
    }
    for (const fs::path& e : fuentes) {
        const std::string ext = e.extension().string();
        if (!fs::is_regular_file(e) || (ext != ".cpp" && ext != ".h" && ext != ".c")) {
            continue;
        }
        ++archivos;
        const std::string relativa = fs::relative(e, raiz).generic_string();
        std::ifstream f(e);
        std::string linea;
        for (int n = 1; std::getline(f, linea); ++n) {
            if (!PuedeAcceder(linea) || !std::regex_search(SinComentario(linea), kAcceso)) {
                continue;
            }
            if (kExcepciones.count(relativa) != 0) {
                ++usadas[relativa];
            } else {
                fuera += relativa + ":" + std::to_string(n) + ": " + linea + "\n";
            }
        }
    }
    EXPECT_GT(archivos, 100);
    EXPECT_EQ(fuera, "") << "direct file access outside app/ArchivoSeguro: use its functions, "
                            "or add the file to kExcepciones with the reason";
    // An exception that no longer touches files is taken off the list.
    for (const auto& [ruta, motivo] : kExcepciones) {
        EXPECT_GT(usadas[ruta], 0) << ruta << " is listed but touches no file";
    }
}

// The pattern catches what it is meant to, and not the name functions.
TEST(AccesoArchivos, ElPatronReconoceElAccesoDirecto) {
    const struct {
        const char* linea;
        bool acceso;
    } casos[] = {
        {"std::FILE* f = std::fopen(r.c_str(), \"wb\");", true},
        {"std::ofstream out(ruta);", true},
        {"std::ifstream in(ruta, std::ios::binary);", true},
        {"fs::rename(a, b, ec);", true},
        {"std::filesystem::copy_file(a, b);", true},
        {"int fd = ::open(p, O_RDONLY);", true},
        {"QSettings ini(archivo, QSettings::IniFormat);", true},
        {"QFile f(ruta);", true},
        {"return QFile::encodeName(ruta).toStdString();", false},
        {"DIR* d = ::opendir(carpeta.c_str());", false},
        {"fs::create_directories(carpeta, ec);", false},
        {"ReemplazarArchivo(ruta, bytes);", false},
        {"// std::ofstream in a comment", false},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(PuedeAcceder(c.linea) && std::regex_search(SinComentario(c.linea), kAcceso),
                  c.acceso)
            << c.linea;
    }
}

}  // namespace
}  // namespace varnolt
