// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/settings/Carpetas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Temporal.h"

namespace varnolt {
namespace {

using prueba::CarpetaTemporal;
using prueba::Escribir;

TEST(Carpetas, DocumentosDeUserDirs) {
    const std::string texto =
        "# This file is written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Escritorio\"\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/Documentos\"\n";
    EXPECT_EQ(CarpetaDocumentosXdg(texto, "/home/ana"), "/home/ana/Documentos");
    EXPECT_EQ(CarpetaDocumentosXdg("XDG_DOCUMENTS_DIR=\"/datos/docs/\"\n", "/home/ana"),
              "/datos/docs");
    EXPECT_EQ(CarpetaDocumentosXdg("XDG_DOCUMENTS_DIR=\"${HOME}/Docs\"\n", "/home/ana"),
              "/home/ana/Docs");
    EXPECT_EQ(CarpetaDocumentosXdg("XDG_DOCUMENTS_DIR=\"$HOME/Mis \\\"docs\\\"\"\n", "/h"),
              "/h/Mis \"docs\"");
    EXPECT_EQ(CarpetaDocumentosXdg("XDG_DOCUMENTS_DIR=$HOME/Sin_comillas # nota\n", "/h"),
              "/h/Sin_comillas");
    EXPECT_EQ(CarpetaDocumentosXdg("XDG_DOCUMENTS_DIR=\"relativa\"\n", "/h"), "/h/relativa");
    EXPECT_EQ(CarpetaDocumentosXdg("  XDG_DOCUMENTS_DIR=\"$HOME/a\"\r\n"
                                   "XDG_DOCUMENTS_DIR=\"$HOME/b\"\n",
                                   "/h"),
              "/h/b");
    EXPECT_EQ(CarpetaDocumentosXdg("#XDG_DOCUMENTS_DIR=\"$HOME/a\"\n", "/h"), "");
    EXPECT_EQ(CarpetaDocumentosXdg("XDG_DOCUMENTS_DIR_X=\"$HOME/a\"\n", "/h"), "");
    EXPECT_EQ(CarpetaDocumentosXdg("", "/h"), "");
}

class EntornoCarpetas : public ::testing::Test {
  protected:
    void SetUp() override {
        Guardar("HOME");
        Guardar("XDG_CONFIG_HOME");
    }
    void TearDown() override {
        for (const auto& [nombre, valor] : guardadas_) {
            if (valor) {
                ::setenv(nombre.c_str(), valor->c_str(), 1);
            } else {
                ::unsetenv(nombre.c_str());
            }
        }
    }

  private:
    void Guardar(const std::string& nombre) {
        const char* v = std::getenv(nombre.c_str());
        guardadas_.emplace_back(nombre, v ? std::optional<std::string>(v) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> guardadas_;
};

TEST_F(EntornoCarpetas, CarpetaPersonalDeUserDirsEnLaConfiguracion) {
    CarpetaTemporal home;
    std::filesystem::create_directories(home / ".config");
    Escribir(home / ".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Documentos\"\n");
    ::setenv("HOME", (home.Ruta() + "/").c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(CarpetaPersonal(), home.Ruta() + "/Documentos");
}

TEST_F(EntornoCarpetas, CarpetaPersonalDeXdgConfigHome) {
    CarpetaTemporal home;
    CarpetaTemporal config;
    Escribir(config / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
    // Ignored: XDG_CONFIG_HOME names another folder.
    std::filesystem::create_directories(home / ".config");
    Escribir(home / ".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Otros\"\n");
    ::setenv("HOME", home.Ruta().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.Ruta().c_str(), 1);
    EXPECT_EQ(CarpetaPersonal(), "/srv/docs");
}

TEST_F(EntornoCarpetas, SinUserDirsEsDocuments) {
    CarpetaTemporal home;
    ::setenv("HOME", home.Ruta().c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(CarpetaPersonal(), home.Ruta() + "/Documents");
    // user-dirs.dirs without the documents folder.
    std::filesystem::create_directories(home / ".config");
    Escribir(home / ".config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Musica\"\n");
    EXPECT_EQ(CarpetaPersonal(), home.Ruta() + "/Documents");
}

TEST(Carpetas, RutaEjecutable) {
    const std::string ruta = RutaEjecutable();
    ASSERT_FALSE(ruta.empty());
    EXPECT_EQ(ruta.front(), '/');
    EXPECT_TRUE(std::filesystem::exists(ruta));
}

TEST(Carpetas, CambiarExtension) {
    EXPECT_EQ(CambiarExtension("/opt/varnolt/Varnolt", ".ini"), "/opt/varnolt/Varnolt.ini");
    EXPECT_EQ(CambiarExtension("/opt/v.1/Varnolt", ".ini"), "/opt/v.1/Varnolt.ini");
    EXPECT_EQ(CambiarExtension("C:\\v.1\\Varnolt.exe", ".ini"), "C:\\v.1\\Varnolt.ini");
    EXPECT_EQ(CambiarExtension("a.b.c", ".ini"), "a.b.ini");
}

TEST(Carpetas, CarpetaYNombreDeRuta) {
    EXPECT_EQ(CarpetaDeRuta("/home/ana/x.arq"), "/home/ana/");
    EXPECT_EQ(CarpetaDeRuta("D:\\x\\other.arq"), "D:/x/");
    EXPECT_EQ(CarpetaDeRuta("/home/ana\\quillmere\\x.arq"), "/home/ana/quillmere/");
    EXPECT_EQ(CarpetaDeRuta("x.arq"), "");
    EXPECT_EQ(CarpetaDeRuta("/x/"), "/x/");
    EXPECT_EQ(NombreDeRuta("D:\\x\\other.arq"), "other.arq");
    EXPECT_EQ(NombreDeRuta("/x/Varnolt"), "Varnolt");
    EXPECT_EQ(NombreDeRuta("Varnolt"), "Varnolt");
}

TEST(Carpetas, UnirRuta) {
    EXPECT_EQ(UnirRuta("/home/ana", "quillmere/a"), "/home/ana/quillmere/a");
    EXPECT_EQ(UnirRuta("/home/ana/", "b"), "/home/ana/b");
    EXPECT_EQ(UnirRuta("", "quillmere/a"), "/quillmere/a");
}

}  // namespace
}  // namespace varnolt
