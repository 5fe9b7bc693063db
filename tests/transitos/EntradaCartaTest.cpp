// SPDX-License-Identifier: AGPL-3.0-or-later
// The files and limits around a chart's agenda: the remembered chart read
// and written through the program's file edges, the settings file named on
// the command line, the length of the name and the hundred-year range.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/Comandos.h"
#include "support/AgendaDePrueba.h"
#include "support/SalidaComando.h"
#include "transitos/DatosCarta.h"
#include "transitos/Efemerides.h"
#include "transitos/EscrituraAgenda.h"

namespace varnolt {
namespace {

// A folder of the test's own, with paths as text.
struct Carpeta : prueba::CarpetaTemporal {
    std::string operator/(const std::string& nombre) const { return (ruta() / nombre).string(); }
    std::string Ruta() const { return ruta().string(); }
};

void Escribir(const std::string& ruta, const std::string& bytes) {
    std::ofstream(ruta, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The names in a folder, one per line, sorted.
std::string Listado(const std::string& carpeta) {
    std::set<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(carpeta)) {
        nombres.insert(e.path().filename().string());
    }
    std::string r;
    for (const auto& n : nombres) {
        r += n + "\n";
    }
    return r;
}

const TextosCarta kCarta{
    "Ana María", "1985-06-15T14:30", "Europe/Madrid", "40.4168,-3.7038", "2026", "2027"};

TEST(UltimaCarta, SeGuardaConservandoLasLineasAjenas) {
    Carpeta dir;
    const std::string ruta = dir / "ultima_carta.ini";
    Escribir(ruta, "; mis notas\nnombre=Viejo\notra=clave de otro\n");
    ASSERT_TRUE(GuardarUltimaCarta(ruta, kCarta));
    EXPECT_EQ(Leer(ruta),
              "; mis notas\nnombre=Ana María\notra=clave de otro\nnacimiento=1985-06-15T14:30\r\n"
              "zona=Europe/Madrid\r\nlugar=40.4168,-3.7038\r\ndesde=2026\r\nhasta=2027\r\n"
              "perfil=\r\ncuerpos=\r\npuntos=\r\naspectos=\r\n");
    const auto leida = LeerUltimaCarta(ruta);
    ASSERT_TRUE(leida);
    EXPECT_EQ(leida->nombre, kCarta.nombre);
    EXPECT_EQ(leida->hasta, kCarta.hasta);
}

// A link left at the old temporary name is never followed: the file it
// points at, outside Varnolt's folder, keeps its bytes.
TEST(UltimaCarta, UnEnlaceEnElNombreTemporalViejoNoSeSigue) {
    Carpeta dir;
    std::filesystem::create_directory(dir / "Varnolt");
    const std::string ruta = dir / "Varnolt/ultima_carta.ini";
    Escribir(dir / "ajeno.txt", "de otro");
    ASSERT_EQ(::symlink("../ajeno.txt", (ruta + ".tmp").c_str()), 0);
    ASSERT_TRUE(GuardarUltimaCarta(ruta, kCarta));
    EXPECT_EQ(Leer(dir / "ajeno.txt"), "de otro");
    struct stat st {};
    ASSERT_EQ(::lstat(ruta.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
}

TEST(UltimaCarta, LoQueNoEsUnArchivoNormalOPasaDeSuLimiteNoSeLeeNiSeReemplaza) {
    Carpeta dir;
    const std::string fifo = dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string grande = dir / "grande.ini";
    const std::string enorme = "nombre=" + std::string(2u << 20, 'x') + "\n";
    Escribir(grande, enorme);
    for (const std::string& ruta : {fifo, grande}) {
        EXPECT_FALSE(LeerUltimaCarta(ruta)) << ruta;
        EXPECT_FALSE(GuardarUltimaCarta(ruta, kCarta)) << ruta;
    }
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(Leer(grande) == enorme);
    EXPECT_EQ(Listado(dir.Ruta()), "fifo.ini\ngrande.ini\n");
}

std::vector<std::string> Peticion(const std::string& salida, std::vector<std::string> mas) {
    std::vector<std::string> a = {"--nacimiento", "1985-06-15T14:30", "--zona",   "+01:00",
                                  "--lugar",      "40.4,-3.7",        "--desde",  "2026-03-01",
                                  "--hasta",      "2026-03-02",       "--salida", salida};
    a.insert(a.end(), mas.begin(), mas.end());
    return a;
}

TEST(AgendaConfig, UnArchivoNombradoQueNoSePuedeLeerEsUnError) {
    Carpeta dir;
    std::filesystem::create_directory(dir / "carpeta.ini");
    ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0600), 0);
    const struct {
        std::string config;
        std::string texto;
    } casos[] = {
        {dir / "falta.ini", "no existe el archivo o la carpeta"},
        {dir / "carpeta.ini", "es una carpeta"},
        {dir / "fifo.ini", "no es un archivo normal"},
    };
    for (const auto& c : casos) {
        const auto s =
            prueba::EjecutarComando(ComandoAgenda, Peticion(dir / "a.csv", {"--config", c.config}));
        EXPECT_EQ(s.codigo, 2) << c.config;
        EXPECT_NE(s.err.find("no se puede leer el archivo de configuración \"" + c.config + "\""),
                  std::string::npos)
            << s.err;
        EXPECT_NE(s.err.find(c.texto), std::string::npos) << s.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "a.csv"));
}

TEST(AgendaConfig, UnSistemaDeCasasQueNoEsEnteroSeAvisa) {
    Carpeta dir;
    for (const char* valor : {"2147483648", "1e9", "5.5"}) {
        Escribir(dir / "v.ini", std::string("[Data]\r\nIdSysHousesNat=") + valor + "\r\n");
        const auto s = prueba::EjecutarComando(
            ComandoAgenda, Peticion(dir / "a.csv", {"--config", dir / "v.ini"}));
        EXPECT_EQ(s.codigo, 0) << s.err;
        EXPECT_NE(s.err.find(std::string("Aviso: IdSysHousesNat=") + valor +
                             " no es un número entero; se usa Placidus"),
                  std::string::npos)
            << s.err;
    }
}

TEST(AgendaLimites, ElNombreTieneUnLargoMaximo) {
    TextosCarta t = kCarta;
    std::string error;
    t.nombre = std::string(kLargoMaximoNombre - 1, 'a') + "ñ";  // characters, not bytes
    EXPECT_TRUE(LeerPeticion(t, error)) << error;
    t.nombre += "a";
    EXPECT_FALSE(LeerPeticion(t, error));
    EXPECT_EQ(error, "el nombre tiene 32768 caracteres; el máximo es 32767");
}

TEST(AgendaLimites, CienAniosDesdeCualquierDiaDelMes) {
    const struct {
        const char* desde;
        const char* hasta;
        bool vale;
    } casos[] = {
        {"2000-02-01", "2100-01-31", true}, {"2000-02-01", "2100-02-27", false},
        {"2000-02-29", "2100-02-27", true}, {"2000-02-29", "2100-02-28", false},
        {"2000-03-31", "2100-03-30", true}, {"2000-03-31", "2100-03-31", false},
        {"2024-02-29", "2124-02-28", true}, {"2024-02-29", "2124-02-29", false},
    };
    for (const auto& c : casos) {
        TextosCarta t = kCarta;
        t.desde = c.desde;
        t.hasta = c.hasta;
        std::string error;
        EXPECT_EQ(LeerPeticion(t, error).has_value(), c.vale) << c.desde << " " << c.hasta;
    }
}

// Zone files read as every other file: in the test's own zone folder, a
// FIFO, a file that only begins like a zone file, a cut one and one far too
// large are refused with a reason; a whole copy of a real one is taken.
TEST(ZonaArchivo, UnArchivoDeZonaQueNoSePuedeUsarSeRechazaConSuMotivo) {
    const std::string real = Leer("/usr/share/zoneinfo/Europe/Madrid");
    if (real.size() < 100) {
        GTEST_SKIP() << "no system zone data (tzdata)";
    }
    Carpeta dir;
    std::filesystem::create_directory(dir / "Zona");
    ASSERT_EQ(::mkfifo((dir / "Zona/Fifo").c_str(), 0600), 0);
    Escribir(dir / "Zona/Falsa", "TZif2" + std::string(60, '\0'));
    Escribir(dir / "Zona/Cortada", real.substr(0, real.size() / 2));
    Escribir(dir / "Zona/Enorme", real + std::string(2u << 20, '\n'));
    Escribir(dir / "Zona/Buena", real);
    const char* anterior = std::getenv("TZDIR");
    ::setenv("TZDIR", dir.Ruta().c_str(), 1);
    const struct {
        const char* zona;
        const char* motivo;  // empty: taken
    } casos[] = {
        {"Zona/Fifo", "no es un archivo normal"},
        {"Zona/Falsa", "no es un archivo de zona válido (TZif)"},
        {"Zona/Cortada", "no es un archivo de zona válido (TZif)"},
        {"Zona/Enorme", "es demasiado grande (más de 1 MB)"},
        {"Zona/Buena", ""},
    };
    for (const auto& c : casos) {
        TextosCarta t = kCarta;
        t.zona = c.zona;
        std::string error;
        const auto p = LeerPeticion(t, error);
        EXPECT_EQ(p.has_value(), *c.motivo == '\0') << c.zona << ": " << error;
        EXPECT_NE(error.find(c.motivo), std::string::npos) << error;
        if (p) {
            // Madrid in summer: two hours ahead of UTC.
            EXPECT_EQ(p->zona.DesplazamientoEn(1750000000), 7200);
        }
    }
    if (anterior != nullptr) {
        ::setenv("TZDIR", anterior, 1);
    } else {
        ::unsetenv("TZDIR");
    }
}

// A data file of the ephemeris folder that is a FIFO would block the
// library's read for ever: the agenda is refused before it starts.
TEST(AgendaEfemerides, UnFifoEnLaCarpetaDeEfemeridesSeRechaza) {
    Carpeta dir;
    std::filesystem::create_directory(dir / "efe");
    ASSERT_EQ(::mkfifo((dir / "efe/sepl_18.se1").c_str(), 0600), 0);
    const auto s = prueba::EjecutarComando(ComandoAgenda,
                                           Peticion(dir / "a.csv", {"--efemerides", dir / "efe"}));
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find("el archivo de efemérides \"" + dir / "efe/sepl_18.se1" +
                         "\" no es un archivo normal"),
              std::string::npos)
        << s.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "a.csv"));
    EXPECT_EQ(ComprobarCarpetaEfemerides(dir / "nada:" + dir.Ruta()), "");
}

// Past the planets' files (from the year 2400) an asteroid is left out, not
// half computed in the analytic mode: the same rule for the natal point and
// the transit, as both come from here.
TEST(EfemeridesAsteroides, FueraDeLosArchivosSeOmitenSinModoAnalitico) {
    Efemerides e;
    if (!e.Calcular(Cuerpo::Cer, 2451545.0).valida) {
        GTEST_SKIP() << "no ephemeris files (swe-basic-data)";
    }
    const double marzo2400 = 2597700.5;
    EXPECT_TRUE(e.Calcular(Cuerpo::Sol, marzo2400).valida);
    for (Cuerpo c : {Cuerpo::Qui, Cuerpo::Cer, Cuerpo::Ves}) {
        EXPECT_FALSE(e.Calcular(c, marzo2400).valida) << CodigoCuerpo(c);
    }
    for (const std::string& a : e.Avisos()) {
        const bool asteroide = a.starts_with("Qui") || a.starts_with("Cer") || a.starts_with("Ves");
        EXPECT_FALSE(asteroide && a.find("anal\u00edtico") != std::string::npos) << a;
    }
    const std::vector<std::string>& avisos = e.Avisos();
    EXPECT_NE(std::find(avisos.begin(), avisos.end(),
                        "Cer: sin posici\u00f3n en los archivos de efem\u00e9rides para parte del "
                        "rango; se omite en esos d\u00edas"),
              avisos.end());
}

// A longitude that rounds up to 360 at four decimals (a cusp at latitude 90)
// is written as the 0 it is.
TEST(AgendaLinea, UnaLongitudQueRedondeaA360SeEscribeComo0) {
    const struct {
        double grados;
        const char* texto;
    } casos[] = {{359.99996, " 0.0000"},
                 {359.99994, " 359.9999"},
                 {0.0, " 0.0000"},
                 {123.45678, " 123.4568"}};
    for (const auto& c : casos) {
        Contacto k;
        k.posNatal = c.grados;
        k.posTransito = c.grados;
        std::string linea;
        AnadirLineaAgenda(linea, 1, "Ana", "Sol", k, '.');
        const std::string texto(c.texto);
        EXPECT_NE(linea.find(texto + " - - - - " + texto.substr(1) + "\r\n"), std::string::npos)
            << linea;
    }
}

}  // namespace
}  // namespace varnolt
