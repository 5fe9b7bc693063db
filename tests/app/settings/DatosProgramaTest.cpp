// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/ArchivoSeguro.h"
#include "app/settings/DatosPrograma.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Temporal.h"

namespace varnolt {
namespace {

using prueba::CarpetaTemporal;
using prueba::Escribir;
using prueba::Leer;

// What the window's hooks saw, in order.
struct Registro {
    std::vector<std::string> sucesos;
    GanchosDatos Ganchos() {
        GanchosDatos g;
        g.registrarFuente = [this](const std::string& r) { sucesos.push_back("registrar " + r); };
        g.quitarFuente = [this](const std::string& r) { sucesos.push_back("quitar " + r); };
        g.errorEscritura = [this](const ErrorEscritura& e) {
            sucesos.push_back("error " + e.Mensaje() + " | " + e.textoSistema);
        };
        g.errorLectura = [this](const std::string& t) { sucesos.push_back("lectura " + t); };
        return g;
    }
};

TEST(DatosPrograma, Rutas) {
    const RutasPrograma r = RutasDelPrograma("/opt/varnolt/bin/Varnolt", "/home/ana/Documentos");
    EXPECT_EQ(r.ejecutable, "/opt/varnolt/bin/Varnolt");
    EXPECT_EQ(r.archivoIni, "/opt/varnolt/bin/Varnolt.ini");
    EXPECT_EQ(r.carpetaImagenes, "/opt/varnolt/bin/img64/");
    EXPECT_EQ(r.carpetaEfemerides, "/opt/varnolt/bin/dll/");
    EXPECT_EQ(r.archivoFuente, "/opt/varnolt/bin/dll/encode02.dll");
    EXPECT_EQ(r.carpetaPersonal, "/home/ana/Documentos");
    EXPECT_EQ(r.carpetaPlantillas, "/home/ana/Documentos/quillmere/Orbelune plantillas/");
}

TEST(DatosPrograma, TablasFijas) {
    CarpetaTemporal dir;
    DatosPrograma datos;
    IniciarDatos(datos, RutasDelPrograma(dir / "Varnolt", dir.Ruta()));

    ASSERT_EQ(datos.vistasSuite.size(), 31u);
    EXPECT_EQ(datos.vistasSuite[30].Indice, 30);
    EXPECT_EQ(datos.vistasSuite[30].Segundo, 1);
    EXPECT_FALSE(datos.vistasSuite[30].Visible);

    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(datos.aspectos[static_cast<std::size_t>(i)].Angulo, 15.0 * i);
    }
    EXPECT_EQ(datos.aspectos[0].Nombre, "Conjunción");
    EXPECT_EQ(datos.aspectos[12].Nombre, "Oposición");
    EXPECT_EQ(datos.aspectos[16].Nombre, "Septil");
    EXPECT_DOUBLE_EQ(datos.aspectos[16].Angulo, 360.0 / 7.0);
    EXPECT_EQ(datos.aspectos[18].Angulo, 144.0);
    for (std::size_t n = 0; n < datos.aspectos.size(); ++n) {
        EXPECT_EQ(datos.aspectos[n].Numero, static_cast<int>(n));
    }

    EXPECT_EQ(datos.permutaciones[0], (std::array<std::uint8_t, 7>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(datos.permutaciones[24], (std::array<std::uint8_t, 7>{1, 7, 6, 2, 4, 5, 3}));
    EXPECT_EQ(datos.permutaciones[53], (std::array<std::uint8_t, 7>{1, 7, 5, 2, 6, 3, 4}));
    for (const auto& fila : datos.permutaciones) {
        auto orden = fila;
        std::sort(orden.begin(), orden.end());
        EXPECT_EQ(orden, (std::array<std::uint8_t, 7>{1, 2, 3, 4, 5, 6, 7}));
        EXPECT_EQ(fila[0], 1);
    }
    FinalizarDatos(datos);
}

TEST(DatosPrograma, PrimeraEjecucionYSegunda) {
    CarpetaTemporal dir;
    const RutasPrograma rutas = RutasDelPrograma(dir / "Varnolt", dir / "Documentos");
    Registro registro;
    const GanchosDatos ganchos = registro.Ganchos();

    DatosPrograma datos;
    IniciarDatos(datos, rutas, ganchos);
    EXPECT_TRUE(datos.config.AspectosDePlantillas);
    EXPECT_EQ(datos.config.FileARQ(), dir.Ruta() +
                                          "/Documentos/quillmere/Orbelune arquetipos/"
                                          "quillmere_C1_001_v.1.0.arq");
    EXPECT_FALSE(std::filesystem::exists(rutas.archivoIni));
    EXPECT_EQ(FinalizarDatos(datos, ganchos), std::nullopt);

    const std::string primera = Leer(dir / "Varnolt.ini");
    EXPECT_TRUE(primera.starts_with("[Data]\r\nFileAGQ=" + dir.Ruta() + "/Documentos/quillmere/"));
    EXPECT_EQ(registro.sucesos,
              (std::vector<std::string>{"registrar " + dir.Ruta() + "/dll/encode02.dll",
                                        "quitar " + dir.Ruta() + "/dll/encode02.dll"}));

    DatosPrograma otra;
    IniciarDatos(otra, rutas, ganchos);
    EXPECT_FALSE(otra.config.AspectosDePlantillas);
    EXPECT_EQ(FinalizarDatos(otra, ganchos), std::nullopt);
    EXPECT_EQ(Leer(dir / "Varnolt.ini"), primera);
}

TEST(DatosPrograma, LaCarpetaDeConfiguracionSeCreaAlSalir) {
    // An installed program's first run: the user's configuration folder for
    // Varnolt is not there yet.
    CarpetaTemporal dir;
    RutasPrograma rutas = RutasDelPrograma(dir / "lib/varnolt/Varnolt", dir.Ruta());
    rutas.archivoIni = dir / "config/Varnolt/Varnolt.ini";
    DatosPrograma datos;
    IniciarDatos(datos, rutas);
    EXPECT_EQ(FinalizarDatos(datos), std::nullopt);
    EXPECT_TRUE(Leer(rutas.archivoIni).starts_with("[Data]\r\nFileAGQ="));
    EXPECT_FALSE(std::filesystem::exists(dir / "lib"));
}

TEST(DatosPrograma, ElArchivoSeReleeAlSalir) {
    // Another module may write the file while Varnolt runs: its keys survive.
    CarpetaTemporal dir;
    const RutasPrograma rutas = RutasDelPrograma(dir / "Varnolt", dir.Ruta());
    DatosPrograma datos;
    IniciarDatos(datos, rutas);
    Escribir(rutas.archivoIni, "[Lumbrisk]\r\nVentana=1\r\n[Data]\r\nFileARQ=/otro/a.arq\r\n");
    FinalizarDatos(datos);
    const std::string despues = Leer(rutas.archivoIni);
    EXPECT_TRUE(despues.starts_with(
        "[Lumbrisk]\r\nVentana=1\r\n[Data]\r\nFileARQ=" + datos.config.FileARQ() + "\r\n"));
}

TEST(DatosPrograma, UnaEscrituraFallidaSeInformaYLaSalidaSigue) {
    CarpetaTemporal dir;
    // The settings file's folder is a file: nothing can be written there.
    Escribir(dir / "bin", "no es una carpeta");
    const RutasPrograma rutas = RutasDelPrograma(dir / "bin/Varnolt", dir.Ruta());
    Registro registro;
    const GanchosDatos ganchos = registro.Ganchos();
    DatosPrograma datos;
    IniciarDatos(datos, rutas, ganchos);
    const auto error = FinalizarDatos(datos, ganchos);
    ASSERT_TRUE(error.has_value());
    const std::string texto = TextoErrorSistema(ENOTDIR);
    EXPECT_EQ(error->Mensaje(), "Unable to write to " + dir.Ruta() + "/bin/Varnolt.ini");
    EXPECT_EQ(registro.sucesos,
              (std::vector<std::string>{
                  "registrar " + dir.Ruta() + "/bin/dll/encode02.dll",
                  "error Unable to write to " + dir.Ruta() + "/bin/Varnolt.ini | " + texto,
                  "quitar " + dir.Ruta() + "/bin/dll/encode02.dll"}));
    EXPECT_EQ(Leer(dir / "bin"), "no es una carpeta");
}

// A settings file that cannot be read is said at start, its defaults used,
// and it is left as it is at exit.
TEST(DatosPrograma, UnArchivoQueNoSePuedeLeerSeDiceAlEmpezarYNoSeToca) {
    CarpetaTemporal dir;
    const RutasPrograma rutas = RutasDelPrograma(dir / "Varnolt", dir.Ruta());
    // Past the 16 MB bound (a sparse file: no disk is spent on it).
    Escribir(rutas.archivoIni, "[Data]\r\nIdSysHousesNat=3\r\n");
    std::filesystem::resize_file(rutas.archivoIni, (16u << 20) + 1);
    Registro registro;
    const GanchosDatos ganchos = registro.Ganchos();
    DatosPrograma datos;
    IniciarDatos(datos, rutas, ganchos);
    EXPECT_EQ(datos.config.Entero("Data", "IdSysHousesNat"), 0);
    ASSERT_GE(registro.sucesos.size(), 1u);
    EXPECT_EQ(registro.sucesos[0],
              "lectura No se puede leer el archivo de configuración: \"" + rutas.archivoIni +
                  "\" es demasiado grande (más de 16 MB). Se usan los valores por omisión y el "
                  "archivo no se modifica.");
    EXPECT_TRUE(FinalizarDatos(datos, ganchos).has_value());
    EXPECT_EQ(std::filesystem::file_size(rutas.archivoIni), (16u << 20) + 1);
}

TEST(DatosPrograma, ModoAutonomo) {
    EXPECT_TRUE(EsModoAutonomo("/opt/v/Varnolt"));
    EXPECT_TRUE(EsModoAutonomo("Varnolt"));
    EXPECT_FALSE(EsModoAutonomo("/opt/v/varnolt"));
    EXPECT_FALSE(EsModoAutonomo("/opt/v/Varnolt.exe"));
    EXPECT_FALSE(EsModoAutonomo("/opt/Varnolt/orbelune"));
}

TEST(DatosPrograma, ArchivoArqInicial) {
    CarpetaTemporal dir;
    const RutasPrograma rutas = RutasDelPrograma(dir / "Varnolt", "/home/ana/Docs");
    DatosPrograma datos;
    Escribir(rutas.archivoIni, "[Data]\r\nFileARQ=D:\\x\\other.arq\r\n");
    IniciarDatos(datos, rutas);
    EXPECT_EQ(ArchivoArqInicial(datos, false), "D:/x/quillmere_C1_001_v.1.0.arq");
    EXPECT_EQ(ArchivoArqInicial(datos, true), "D:/x/quillmere_C1_001_v.1.0.arq");

    // Running by itself the window reads the key again from the file.
    Escribir(rutas.archivoIni, "[DATA]\r\nfilearq=/srv/arq/mio.arq\r\n");
    EXPECT_EQ(ArchivoArqInicial(datos, true), "/srv/arq/quillmere_C1_001_v.1.0.arq");
    EXPECT_EQ(ArchivoArqInicial(datos, false), "D:/x/quillmere_C1_001_v.1.0.arq");
    std::filesystem::remove(rutas.archivoIni);
    EXPECT_EQ(ArchivoArqInicial(datos, true),
              "/home/ana/Docs/quillmere/Orbelune arquetipos/quillmere_C1_001_v.1.0.arq");

    EXPECT_EQ(ArchivoArqEnCarpetaDe("otro.arq"), "quillmere_C1_001_v.1.0.arq");
    FinalizarDatos(datos);
}

}  // namespace
}  // namespace varnolt
