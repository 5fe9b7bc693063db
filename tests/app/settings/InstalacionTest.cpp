// SPDX-License-Identifier: AGPL-3.0-or-later
// Where the program finds its own files from its real executable (a build
// folder, a portable copy, an installed tree), where its settings file goes,
// and the copy of the sample archetype file into a new user's folder.
#include "app/settings/Instalacion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "Temporal.h"
#include "app/settings/Carpetas.h"
#include "archetypes/ItemArq.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;
using prueba::CarpetaTemporal;
using prueba::Escribir;
using prueba::Leer;
using prueba::Listado;

// An installed tree under 'raiz' in the layout "cmake --install" makes
// (VARNOLT_INSTALL_PROGRAMAS and VARNOLT_INSTALL_DATOS, relative to the
// prefix); returns the real executable's path.
std::string Instalar(const CarpetaTemporal& raiz, bool conMuestras = true) {
    const std::string programas = raiz / VARNOLT_INSTALL_PROGRAMAS;
    const std::string datos = raiz / VARNOLT_INSTALL_DATOS;
    fs::create_directories(programas + "/dll");
    fs::create_directories(datos);
    Escribir(programas + "/Varnolt", "programa");
    if (conMuestras) {
        Escribir(datos + "/" + kArchivoArqInicial, "arquetipos de muestra");
        Escribir(datos + "/" + kAgendaMuestra, "agenda de muestra");
    }
    return programas + "/Varnolt";
}

// A build folder: the programs in bin/ with arquetipos/ beside them.
std::string Compilacion(const CarpetaTemporal& raiz) {
    fs::create_directories(raiz / "bin/arquetipos");
    Escribir(raiz / "bin/Varnolt", "programa");
    Escribir(raiz / "bin/arquetipos/" + kArchivoArqInicial, "arquetipos compilados");
    return raiz / "bin/Varnolt";
}

TEST(Instalacion, ElDatoRelativoEsElDeLaInstalacion) {
    // The path compiled into the program leads from the programs' folder to
    // the data folder of the same prefix.
    const fs::path desde = fs::path("/prefijo") / VARNOLT_INSTALL_PROGRAMAS;
    EXPECT_EQ((desde / std::string(kDatosDesdePrograma)).lexically_normal(),
              (fs::path("/prefijo") / VARNOLT_INSTALL_DATOS / "").lexically_normal());
}

TEST(Instalacion, CarpetaDatosInstalados) {
    CarpetaTemporal instalada;
    const std::string exe = Instalar(instalada);
    EXPECT_EQ(CarpetaDatosInstalados(exe), instalada / VARNOLT_INSTALL_DATOS "/");

    // A build folder, and an installed-looking folder without the sample
    // files, are not installations.
    CarpetaTemporal compilada;
    EXPECT_EQ(CarpetaDatosInstalados(Compilacion(compilada)), "");
    CarpetaTemporal vacia;
    EXPECT_EQ(CarpetaDatosInstalados(Instalar(vacia, false)), "");
    EXPECT_EQ(CarpetaDatosInstalados(""), "");
    EXPECT_EQ(CarpetaDatosInstalados("Varnolt"), "");
}

TEST(Instalacion, PaginaDelPrograma) {
    // Installed: the README of the data folder; a build folder, or an
    // installation that lacks it, opens the checkout's own.
    CarpetaTemporal instalada;
    const std::string exe = Instalar(instalada);
    EXPECT_EQ(PaginaDelPrograma(exe, "/fuente/README.md"), "/fuente/README.md");
    Escribir(instalada / VARNOLT_INSTALL_DATOS "/" + kPagina, "# Varnolt");
    EXPECT_EQ(PaginaDelPrograma(exe, "/fuente/README.md"),
              instalada / VARNOLT_INSTALL_DATOS "/" + kPagina);
    CarpetaTemporal compilada;
    EXPECT_EQ(PaginaDelPrograma(Compilacion(compilada), "/fuente/README.md"), "/fuente/README.md");
}

TEST(Instalacion, ArchivoArqMuestra) {
    CarpetaTemporal compilada;
    EXPECT_EQ(ArchivoArqMuestra(Compilacion(compilada)),
              compilada / "bin/arquetipos/" + kArchivoArqInicial);

    CarpetaTemporal instalada;
    EXPECT_EQ(ArchivoArqMuestra(Instalar(instalada)),
              instalada / VARNOLT_INSTALL_DATOS "/" + kArchivoArqInicial);

    CarpetaTemporal sinMuestra;
    Escribir(sinMuestra / "Varnolt", "programa");
    EXPECT_EQ(ArchivoArqMuestra(sinMuestra / "Varnolt"), "");
    EXPECT_EQ(ArchivoArqMuestra(""), "");
}

TEST(Instalacion, UbicacionDelArchivoIni) {
    CarpetaTemporal compilada;
    CarpetaTemporal instalada;
    const std::string enCompilacion = Compilacion(compilada);
    const std::string instalado = Instalar(instalada);
    const std::string config = "/home/ana/.config/Varnolt/";
    struct Caso {
        std::string ejecutable;
        std::string carpetaConfig;
        bool escribible;
        std::string ruta;
        UbicacionIni::Motivo motivo;
    };
    const std::vector<Caso> casos = {
        {enCompilacion, config, true, compilada / "bin/Varnolt.ini", UbicacionIni::JuntoAlPrograma},
        {enCompilacion, config, false, config + "Varnolt.ini", UbicacionIni::CarpetaSinEscritura},
        // Installed: never beside the program, even where root could write.
        {instalado, config, true, config + "Varnolt.ini", UbicacionIni::ProgramaInstalado},
        {instalado, config, false, config + "Varnolt.ini", UbicacionIni::ProgramaInstalado},
        {enCompilacion, "", false, compilada / "bin/Varnolt.ini", UbicacionIni::SinCarpetaUsuario},
        // A folder given without its final '/'.
        {enCompilacion, "/cfg/Varnolt", false, "/cfg/Varnolt/Varnolt.ini",
         UbicacionIni::CarpetaSinEscritura},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> preguntadas;
        const SePuedeEscribir escribible = [&](const std::string& carpeta) {
            preguntadas.push_back(carpeta);
            return c.escribible;
        };
        const UbicacionIni u = UbicacionArchivoIni(c.ejecutable, c.carpetaConfig, escribible);
        EXPECT_EQ(u.ruta, c.ruta) << c.ejecutable << " " << c.escribible;
        EXPECT_EQ(u.motivo, c.motivo) << c.ejecutable << " " << c.escribible;
        for (const std::string& p : preguntadas) {
            EXPECT_EQ(p, CarpetaDeRuta(c.ejecutable));
        }
    }
}

TEST(Instalacion, CarpetaEscribible) {
    CarpetaTemporal dir;
    EXPECT_TRUE(CarpetaEscribible(dir.Ruta()));
    EXPECT_FALSE(CarpetaEscribible(dir / "falta"));
    EXPECT_FALSE(CarpetaEscribible(""));
    // A plain file is no folder to write in, even for root.
    Escribir(dir / "archivo", "x");
    EXPECT_FALSE(CarpetaEscribible(dir / "archivo"));
}

// Sets and restores environment variables.
class Entorno : public ::testing::Test {
  protected:
    void Poner(const char* nombre, const std::optional<std::string>& valor) {
        const char* v = std::getenv(nombre);
        antes_.emplace_back(nombre, v ? std::optional<std::string>(v) : std::nullopt);
        if (valor) {
            ::setenv(nombre, valor->c_str(), 1);
        } else {
            ::unsetenv(nombre);
        }
    }
    void TearDown() override {
        for (auto it = antes_.rbegin(); it != antes_.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
    }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> antes_;
};

TEST_F(Entorno, CarpetaConfiguracionVarnolt) {
    Poner("HOME", "/home/ana/");
    Poner("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(CarpetaConfiguracion(), "/home/ana/.config");
    EXPECT_EQ(CarpetaConfiguracionVarnolt(), "/home/ana/.config/Varnolt/");
    Poner("XDG_CONFIG_HOME", "/srv/config/");
    EXPECT_EQ(CarpetaConfiguracionVarnolt(), "/srv/config/Varnolt/");
    // A relative XDG_CONFIG_HOME is not valid and is ignored.
    Poner("XDG_CONFIG_HOME", "config");
    EXPECT_EQ(CarpetaConfiguracionVarnolt(), "/home/ana/.config/Varnolt/");
}

TEST(Instalacion, CopiarArqMuestraEnUnaCarpetaNueva) {
    CarpetaTemporal dir;
    Escribir(dir / "muestra.arq", "arquetipos de muestra");
    const std::string carpeta = dir / "docs/quillmere/Orbelune arquetipos/";
    const CopiaArqMuestra c = CopiarArqMuestra(carpeta, dir / "muestra.arq");
    EXPECT_EQ(c.estado, CopiaArqMuestra::Copiada) << c.error;
    EXPECT_EQ(c.destino, carpeta + "muestra.arq");
    EXPECT_EQ(Leer(c.destino), "arquetipos de muestra");
}

TEST(Instalacion, CopiarArqMuestraSoloSiNoHayArquetipos) {
    CarpetaTemporal dir;
    Escribir(dir / "muestra.arq", "arquetipos de muestra");
    struct Caso {
        std::vector<std::string> archivos;  // what the folder holds ("x/" a folder)
        CopiaArqMuestra::Estado estado;
    };
    const std::vector<Caso> casos = {
        {{}, CopiaArqMuestra::Copiada},
        {{"notas.txt", "viejo.arq.bak"}, CopiaArqMuestra::Copiada},
        {{"carpeta.arq/"}, CopiaArqMuestra::Copiada},
        {{"Propio.ARQ"}, CopiaArqMuestra::HabiaArchivos},
        // The sample's own name is there: never replaced.
        {{"muestra.arq"}, CopiaArqMuestra::HabiaArchivos},
    };
    int n = 0;
    for (const Caso& c : casos) {
        const std::string carpeta = dir / ("caso" + std::to_string(n++));
        fs::create_directories(carpeta);
        for (const std::string& a : c.archivos) {
            if (a.back() == '/') {
                fs::create_directories(carpeta + "/" + a);
            } else {
                Escribir(carpeta + "/" + a, "propio");
            }
        }
        const std::string antes = Listado(carpeta);
        const CopiaArqMuestra r = CopiarArqMuestra(carpeta, dir / "muestra.arq");
        EXPECT_EQ(r.estado, c.estado) << antes;
        if (c.estado == CopiaArqMuestra::Copiada) {
            EXPECT_EQ(Leer(carpeta + "/muestra.arq"), "arquetipos de muestra");
        } else {
            EXPECT_EQ(Listado(carpeta), antes);
            for (const std::string& a : c.archivos) {
                EXPECT_EQ(Leer(carpeta + "/" + a), "propio");
            }
        }
    }
}

TEST(Instalacion, CopiarArqMuestraSinMuestraOConFallo) {
    CarpetaTemporal dir;
    EXPECT_EQ(CopiarArqMuestra(dir / "arq", dir / "falta.arq").estado, CopiaArqMuestra::SinMuestra);
    EXPECT_EQ(CopiarArqMuestra(dir / "arq", "").estado, CopiaArqMuestra::SinMuestra);
    EXPECT_EQ(CopiarArqMuestra("", dir / "falta.arq").estado, CopiaArqMuestra::SinMuestra);
    EXPECT_FALSE(fs::exists(dir / "arq"));

    // The archetype folder's place is taken by a file: reported, not thrown.
    Escribir(dir / "muestra.arq", "arquetipos de muestra");
    Escribir(dir / "docs", "no es una carpeta");
    const CopiaArqMuestra r = CopiarArqMuestra(dir / "docs/arq", dir / "muestra.arq");
    EXPECT_EQ(r.estado, CopiaArqMuestra::Fallo);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(Leer(dir / "docs"), "no es una carpeta");
}

}  // namespace
}  // namespace varnolt
