// SPDX-License-Identifier: AGPL-3.0-or-later
// The window's own small files (the tool window places, the last chart)
// with what a careful user's machine can hold in their place: the window
// starts, nothing blocks, and whatever is not a plain file stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "VentanaPrueba.h"
#include "gui/DialogoCarta.h"
#include "support/AgendaDePrueba.h"

namespace varnolt::prueba {
namespace {

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// What stands at a path: its kind and, for a regular file, its bytes.
std::string Huella(const std::string& ruta) {
    struct stat st {};
    if (::lstat(ruta.c_str(), &st) != 0) {
        return "nada";
    }
    if (S_ISLNK(st.st_mode)) {
        return "enlace";
    }
    if (S_ISFIFO(st.st_mode)) {
        return "fifo";
    }
    if (S_ISCHR(st.st_mode)) {
        return "dispositivo";
    }
    if (S_ISDIR(st.st_mode)) {
        return "carpeta";
    }
    return "archivo de " + std::to_string(st.st_size) + " bytes, " +
           std::to_string(std::hash<std::string>{}(Leer(ruta)));
}

struct Hostil {
    const char* nombre;
    // Makes it at `ruta`, with anything it points at in `carpeta`; false
    // when this user cannot.
    std::function<bool(const std::string& carpeta, const std::string& ruta)> crear;
};

void PrintTo(const Hostil& h, std::ostream* os) {
    *os << h.nombre;
}

const Hostil kHostiles[] = {
    {"fifo",
     [](const std::string&, const std::string& r) { return ::mkfifo(r.c_str(), 0600) == 0; }},
    {"enlace_a_fifo",
     [](const std::string& c, const std::string& r) {
         return ::mkfifo((c + "/tubo").c_str(), 0600) == 0 && ::symlink("tubo", r.c_str()) == 0;
     }},
    // A device node of the zero device, made in the test's own folder:
    // only root can make one.
    {"enlace_a_dispositivo",
     [](const std::string& c, const std::string& r) {
         return ::mknod((c + "/cero").c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0 &&
                ::symlink("cero", r.c_str()) == 0;
     }},
    {"carpeta",
     [](const std::string&, const std::string& r) { return std::filesystem::create_directory(r); }},
    // One line of 2 MB: far beyond the bound of these files.
    {"linea_enorme",
     [](const std::string&, const std::string& r) {
         std::ofstream(r, std::ios::binary)
             << "[TWGraphRange]\nx=" << std::string(2u << 20, '7') << "\n";
         return true;
     }},
};

class ArchivosVentana : public VentanaPrueba, public ::testing::WithParamInterface<Hostil> {
  protected:
    void SetUp() override {
        VentanaPrueba::SetUp();
        if (!GetParam().crear(carpeta, ruta)) {
            GTEST_SKIP() << GetParam().nombre << ": " << std::strerror(errno)
                         << " (a device node can be made only by root)";
        }
        antes = Huella(ruta);
        antesDestino = Huella(carpeta + "/tubo") + Huella(carpeta + "/cero");
    }

    void ComprobarIntacto() {
        EXPECT_EQ(Huella(ruta), antes);
        EXPECT_EQ(Huella(carpeta + "/tubo") + Huella(carpeta + "/cero"), antesDestino);
    }

    CarpetaTemporal carpeta_;
    const std::string carpeta = carpeta_.ruta().string();
    const std::string ruta = carpeta + "/archivo.ini";
    std::string antes;
    std::string antesDestino;
};

TEST_P(ArchivosVentana, LosLugaresDeLasVentanasNoBloqueanNiSeEscribenEncima) {
    ventana->ArchivoLugares(QFile::decodeName(ruta.c_str()));
    CargarMuestra();
    Pulsar("SBGP");
    auto* tw = Hijo<gui::VentanaHerramienta>("TWGraphRange");
    ASSERT_NE(tw, nullptr);
    EXPECT_TRUE(tw->isVisible());
    EXPECT_TRUE(tw->screen()->availableGeometry().contains(tw->frameGeometry()));
    ventana.reset();  // the run ends: the places would be written
    Procesar();
    ComprobarIntacto();
}

TEST_P(ArchivosVentana, LaUltimaCartaNoBloqueaElDialogo) {
    auto* accion = ventana->findChild<gui::AccionNuevaAgenda*>(QStringLiteral("AccionNuevaAgenda"));
    ASSERT_NE(accion, nullptr);
    accion->ArchivoMemoria = ruta;
    std::vector<TextosCarta> pedidos;
    accion->PedirCarta = [&](const TextosCarta& previos, const std::string&) {
        pedidos.push_back(previos);
        return std::optional<gui::EntradaCarta>();
    };
    Pulsar("SBNuevaAgenda");
    ASSERT_EQ(pedidos.size(), 1u);
    EXPECT_EQ(pedidos[0].nombre, "");
    EXPECT_EQ(pedidos[0].nacimiento, "");
    ComprobarIntacto();
}

// On a first run the folder is made; on a later one the lines that are not
// places (a comment, another program's key) stay where they were.
using LugaresVentana = VentanaPrueba;

TEST_F(LugaresVentana, SeCreaLaCarpetaYSeConservanLasLineasAjenas) {
    CarpetaTemporal carpeta;
    const std::string ruta = (carpeta.ruta() / "nueva" / "ventanas.ini").string();
    for (int vez = 0; vez < 2; ++vez) {
        if (vez == 1) {
            std::ofstream(ruta, std::ios::app) << "; mi nota\n[Otra]\nclave=1\n";
            SetUp();
        }
        ventana->ArchivoLugares(QFile::decodeName(ruta.c_str()));
        CargarMuestra();
        Pulsar("SBGP");
        ventana.reset();
        Procesar();
    }
    const std::string texto = Leer(ruta);
    EXPECT_EQ(texto.rfind("[TWGraphRange]\r\nx=", 0), 0u) << texto;
    EXPECT_NE(texto.find("; mi nota\n[Otra]\nclave=1\n"), std::string::npos) << texto;
}

INSTANTIATE_TEST_SUITE_P(Hostiles, ArchivosVentana, ::testing::ValuesIn(kHostiles),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace varnolt::prueba
