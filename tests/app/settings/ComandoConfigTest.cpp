// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/ComandoConfig.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>

#include "Temporal.h"
#include "app/Regional.h"
#include "support/SalidaComando.h"

namespace varnolt {
namespace {

using prueba::CarpetaTemporal;
using prueba::Escribir;

using prueba::Salida;

Salida Ejecutar(const std::vector<std::string>& args) {
    return prueba::EjecutarComando(ComandoConfig, args);
}

class ComandoConfigTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A known home: no documents folder of the machine leaks in.
        const char* home = std::getenv("HOME");
        homeAnterior_ = home ? std::optional<std::string>(home) : std::nullopt;
        ::setenv("HOME", home_.Ruta().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
        separadorAnterior_ = ConfiguracionRegional().SeparadorDecimal;
        ConfiguracionRegional().SeparadorDecimal = '.';
    }
    void TearDown() override {
        if (homeAnterior_) {
            ::setenv("HOME", homeAnterior_->c_str(), 1);
        }
        ::unsetenv("XDG_CONFIG_HOME");
        ConfiguracionRegional().SeparadorDecimal = separadorAnterior_;
    }

    CarpetaTemporal home_;
    CarpetaTemporal dir_;

  private:
    std::optional<std::string> homeAnterior_;
    char separadorAnterior_ = '.';
};

TEST_F(ComandoConfigTest, Ayuda) {
    const Salida s = Ejecutar({"--help"});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_NE(s.out.find("la configuración tal como la lee el programa"), std::string::npos);
    EXPECT_NE(s.out.find("--archivo INI"), std::string::npos);
    EXPECT_EQ(s.err, "");
}

TEST_F(ComandoConfigTest, UsoIncorrecto) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--archivo"},
                                               {"--otro"},
                                               {"a.ini"},
                                               {"--archivo="},
                                               {"--archivo", "a", "--archivo", "b"}}) {
        const Salida s = Ejecutar(args);
        EXPECT_EQ(s.codigo, 2) << args[0];
        EXPECT_TRUE(s.err.ends_with("uso: varnolt-cli config [--archivo INI]\n")) << s.err;
        EXPECT_EQ(s.out, "");
    }
}

TEST_F(ComandoConfigTest, ArchivoQueNoExiste) {
    const Salida s = Ejecutar({"--archivo", dir_ / "falta.ini"});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find("no existe"), std::string::npos);
}

TEST_F(ComandoConfigTest, ArchivoIlegible) {
    std::filesystem::create_directory(dir_ / "carpeta.ini");
    const Salida s = Ejecutar({"--archivo=" + (dir_ / "carpeta.ini")});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find("no se puede leer"), std::string::npos);
}

TEST_F(ComandoConfigTest, UnFifoNoBloqueaYSeNombra) {
    const std::string ruta = dir_ / "fifo.ini";
    ASSERT_EQ(::mkfifo(ruta.c_str(), 0600), 0);
    const Salida s = Ejecutar({"--archivo", ruta});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.err, "varnolt-cli config: \"" + ruta + "\" no es un archivo normal\n");
    EXPECT_EQ(s.out, "");
}

TEST_F(ComandoConfigTest, ValoresTalComoLosTieneElPrograma) {
    const std::string ruta = dir_ / "Varnolt.ini";
    Escribir(ruta,
             "[Lumbrisk]\r\nVentana=1\r\n"
             "[data]\r\nFileARQ=C:\\Orbelune\\Jos\xe9\\otro.arq\r\nExtra=\"s\xed\"\r\nTZ=1.5\r\n"
             "[View]\r\nViewPosCuspNat=1\r\nEdad=yes\r\nAsp=2\r\nCiclos=0\r\n"
             "[ViewAPTra]\r\nPeso2=0\r\nItem12=1\r\n"
             "[MatDig]\r\nvalmatdig_0_0=0\r\n"
             "[DataAspDin]\r\nAsp0_Width=3\r\nAsp0_Orbe=2.5\r\n");
    const Salida s = Ejecutar({"--archivo", ruta});
    ASSERT_EQ(s.codigo, 0) << s.err;
    const std::string& o = s.out;
    EXPECT_TRUE(o.starts_with("; Configuración de Varnolt: " + ruta + "\n")) << o;
    EXPECT_NE(o.find("; Archivo de arquetipos al iniciar: C:/Orbelune/José/"
                     "quillmere_C1_001_v.1.0.arq\n"),
              std::string::npos);
    EXPECT_NE(o.find("; Separador decimal: \".\"\n"), std::string::npos);
    EXPECT_NE(o.find("\n[Data]\nFileAGQ=" + home_.Ruta() +
                     "/Documents/quillmere/Ejemplos_quillmere_v.02.agq  ; predeterminado\n"
                     "FileEFQ="),
              std::string::npos);
    EXPECT_NE(o.find("\nFileARQ=C:\\Orbelune\\José\\otro.arq\nTZ=1.5\n"), std::string::npos);
    EXPECT_NE(o.find("\n; Extra=sí  (no la usa Varnolt: se conserva)\n"), std::string::npos);
    EXPECT_NE(o.find("\nViewPosCuspNat=0  ; en el archivo: \"1\", siempre 0\n"), std::string::npos);
    EXPECT_NE(o.find("\nEdad=1  ; en el archivo: \"yes\"\n"), std::string::npos);
    EXPECT_NE(o.find("\nAsp=1  ; en el archivo: \"2\"\n"), std::string::npos);
    EXPECT_NE(o.find("\nCiclos=1  ; no se lee: siempre 1\n"), std::string::npos);
    EXPECT_NE(o.find("\nPeso2=0  ; no se escribe: el archivo conserva su texto\n"),
              std::string::npos);
    EXPECT_NE(o.find("\nItem12=0  ; en el archivo: \"1\", siempre 0\n"), std::string::npos);
    EXPECT_NE(o.find("\nItem13=0  ; predeterminado, siempre 0\n"), std::string::npos);
    EXPECT_NE(o.find("\nViewAspII=1  ; predeterminado, solo se lee: no se escribe\n"),
              std::string::npos);
    EXPECT_NE(o.find("\nvalmatdig_0_0=0  ; se borra al salir\n"), std::string::npos);
    EXPECT_NE(o.find("\nvalmatdig_0_4=1  ; predeterminado\n"), std::string::npos);
    // Keys of values that are not written are usually missing: no note.
    EXPECT_NE(o.find("\nvalmatdig_0_5=0\n"), std::string::npos);
    EXPECT_NE(o.find("\n[ViewNat]\n; Peso<n> se escribe solo cuando es mayor que 0.\n"
                     "Peso0=0\nItem0=1  ; predeterminado\n"),
              std::string::npos);
    EXPECT_NE(o.find("\n[DataAspDin]\nAsp0_Color=1  ; predeterminado\nAsp0_Width=3\n"
                     "Asp0_Orbe=2.5\n"),
              std::string::npos);
    EXPECT_TRUE(
        o.ends_with("\n; Secciones que Varnolt no usa (se conservan sin cambios):\n"
                    "; [Lumbrisk]\n"));

    // Sections in file order.
    std::size_t anterior = 0;
    for (const char* seccion :
         {"[Data]", "[View]", "[Apps]", "[ViewNat]", "[ViewTra]", "[ViewAPNat]", "[ViewAPTra]",
          "[ViewPelliqor]", "[MatDig]", "[DataAspNat]", "[DataAspDin]", "[DataAspNatDin]"}) {
        const std::size_t p = o.find(std::string("\n") + seccion + "\n");
        ASSERT_NE(p, std::string::npos) << seccion;
        EXPECT_GT(p, anterior) << seccion;
        anterior = p;
    }
}

TEST_F(ComandoConfigTest, AspectosDeLasPlantillas) {
    std::filesystem::create_directories(home_ / "config");
    Escribir(home_ / "config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    const std::string plantillas = home_.Ruta() + "/Docs/quillmere/Orbelune plantillas/";
    std::filesystem::create_directories(plantillas);
    Escribir(plantillas + "DataAspNat.dat", "[DataAspNat]\r\nAsp0_Orbe=8\r\nAsp1_Orbe=2.5\r\n");
    const std::string ruta = dir_ / "Varnolt.ini";
    Escribir(ruta, "[Data]\r\n");
    const Salida s = Ejecutar({"--archivo", ruta});
    ASSERT_EQ(s.codigo, 0) << s.err;
    EXPECT_NE(s.out.find("; Carpeta de documentos: " + home_.Ruta() + "/Docs\n"),
              std::string::npos);
    EXPECT_NE(
        s.out.find("\n[DataAspNat]\n; Leídos de la plantilla " + plantillas + "DataAspNat.dat\n"),
        std::string::npos);
    EXPECT_NE(s.out.find("\nAsp0_Orbe=8\n"), std::string::npos);
    EXPECT_NE(s.out.find("\nAsp1_Orbe=1  ; en la plantilla: \"2.5\"\n"), std::string::npos);
    EXPECT_NE(s.out.find("; Leídos de la plantilla " + plantillas +
                         "DataAspDin.dat (no existe: todos los valores son 1)\n"),
              std::string::npos);
}

}  // namespace
}  // namespace varnolt
