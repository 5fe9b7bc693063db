// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "agenda/LectorAgenda.h"
#include "agenda/LectorLineas.h"
#include "app/FormVarnolt.h"
#include "app/Regional.h"
#include "cli/Comandos.h"
#include "cli/VentanaConsola.h"
#include "support/AgendaDePrueba.h"
#include "support/SalidaComando.h"
#include "transitos/DatosCarta.h"

namespace varnolt {
namespace {

using prueba::Salida;

Salida Agenda(const std::vector<std::string>& args) {
    return prueba::EjecutarComando(ComandoAgenda, args);
}

std::string Leer(const std::string& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An empty settings file: every setting at its default.
std::string ConfigVacia() {
    static const prueba::CarpetaTemporal carpeta;
    const std::string ruta = (carpeta.ruta() / "Varnolt.ini").string();
    std::ofstream(ruta, std::ios::binary | std::ios::app);
    return ruta;
}

std::vector<std::string> Base(const std::string& salida) {
    return {"--nacimiento",    "1985-06-15T14:30", "--zona",     "Europe/Madrid", "--lugar",
            "40.4168,-3.7038", "--desde",          "2026-03-01", "--hasta",       "2026-03-31",
            "--nombre",        "Ana María",        "--salida",   salida,          "--config",
            ConfigVacia()};
}

// The file written by the command loads with the loader as it stands, with
// every field as the model wrote it.
TEST(AgendaArchivo, RoundTripThroughTheLoader) {
    for (char sep : {'.', ','}) {
        ConfiguracionRegional().SeparadorDecimal = sep;
        prueba::CarpetaTemporal carpeta;
        const std::string ruta = (carpeta.ruta() / "ana.csv").string();
        std::vector<std::string> args = Base(ruta);
        args.insert(args.end(), {"--perfil", "Completo"});
        const Salida s = Agenda(args);
        ASSERT_EQ(s.codigo, 0) << s.err;
        EXPECT_EQ(s.err, "");
        EXPECT_EQ(s.out.rfind("Agenda escrita: " + ruta + " [", 0), 0u) << s.out;

        const std::string bytes = Leer(ruta);
        ASSERT_EQ(bytes.rfind(std::string(kCabeceraAgenda) + "\r\n", 0), 0u);
        // Windows-1252: "°" and "ú" are single bytes; every line ends in CR LF.
        EXPECT_NE(bytes.find("\xB0)"), std::string::npos);
        EXPECT_NE(bytes.find(" J\xFAp "), std::string::npos);
        EXPECT_NE(bytes.find(" Ana_Mar\xED"
                             "a 2026-3-1 "),
                  std::string::npos);
        size_t lf = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ++lf;
                ASSERT_EQ(bytes[i - 1], '\r');
            }
        }
        // No temporary file is left beside it.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.ruta()),
                                std::filesystem::directory_iterator()),
                  1);

        VentanaConsola ventana;
        TFormVarnolt form(ventana);
        form.CargarAgendas({ruta});
        ASSERT_TRUE(form.DataCargada) << (ventana.errores.empty() ? "" : ventana.errores[0]);
        ASSERT_EQ(form.Tendencias.size(), lf - 1);
        EXPECT_NE(s.out.find("[" + std::to_string(lf - 1) + " registros]"), std::string::npos);
        EXPECT_EQ(form.Tendencias.front().Fecha, CodificarFecha(2026, 3, 1));
        EXPECT_EQ(form.Tendencias.back().Fecha, CodificarFecha(2026, 3, 31));

        // Every loaded record against the model computed again.
        std::string error;
        auto p = LeerPeticion({"",
                               "1985-06-15T14:30",
                               "Europe/Madrid",
                               "40.4168,-3.7038",
                               "2026-03-01",
                               "2026-03-31",
                               "Completo",
                               {},
                               {},
                               {}},
                              error);
        Efemerides efe;
        const CartaNatal carta = CalcularCarta(efe, DiaJulianoDeUnix(p->zona.AUtc(p->nacimiento)),
                                               p->latitud, p->longitud, 'P');
        std::vector<Contacto> contactos;
        CalcularContactos(efe, carta, p->zona, p->desde, p->hasta, p->modelo,
                          [&](const Contacto& c) { contactos.push_back(c); });
        ASSERT_EQ(contactos.size(), form.Tendencias.size());
        // The loader sorts by date only; within a day the order is the file's.
        // The fields the records do not keep are read from the file's lines.
        LectorLineas lineas(FuenteTexto(bytes));
        std::string_view linea;
        lineas.Siguiente(linea);  // the header
        TraductorCodigos codigos;
        for (size_t i = 0; i < contactos.size(); ++i) {
            const Contacto& c = contactos[i];
            const TTendencia& t = form.Tendencias[i];
            LineaAgenda leida;
            ASSERT_TRUE(lineas.Siguiente(linea));
            ASSERT_TRUE(LeerLineaAgenda(linea, sep, codigos, leida));
            ASSERT_EQ(t.Fecha, c.fecha);
            EXPECT_EQ(leida.IdContacto, static_cast<int>(i + 1));
            EXPECT_EQ(t.ItemNatal.texto(), carta.puntos[c.punto].codigo);
            EXPECT_EQ(t.NatContacto.texto(), carta.puntos[c.punto].codigo);
            EXPECT_EQ(t.ItemTransito.texto(), CodigoCuerpo(c.transito));
            EXPECT_EQ(t.Aspecto, kAngulosAgenda[c.angulo]);
            EXPECT_EQ(leida.AngContacto, kAngulosAgenda[c.angulo]);
            EXPECT_DOUBLE_EQ(t.Fuerza, c.fuerza);
            EXPECT_EQ(t.BandaFuerza, BandaDeFuerza(c.fuerza));
            EXPECT_NEAR(t.Peso, c.peso, 0.0005 + 1e-12);
            EXPECT_NEAR(leida.Valor, c.valor, 0.00005 + 1e-12);
            EXPECT_NEAR(t.PosNatal, c.posNatal, 0.00005 + 1e-12);
            EXPECT_NEAR(t.PosTransito, c.posTransito, 0.00005 + 1e-12);
        }
    }
    ConfiguracionRegional().SeparadorDecimal = '.';
}

TEST(AgendaArchivo, BadInputIsAUsageErrorInSpanish) {
    prueba::CarpetaTemporal carpeta;
    const std::string ruta = (carpeta.ruta() / "x.csv").string();
    struct Caso {
        std::string opcion, valor, mensaje;
    };
    const Caso casos[] = {
        {"--nacimiento", "1985-02-30T10:00",
         "la fecha de nacimiento \"1985-02-30T10:00\" no existe"},
        {"--nacimiento", "1985-06-15T24:00", "no existe"},
        {"--nacimiento", "15/06/1985 10:00", "no tiene la forma AAAA-MM-DDTHH:MM"},
        {"--nacimiento", "0950-06-15T10:00", "está fuera de las efemérides"},
        {"--lugar", "95,3", "la latitud 95 está fuera de -90 a 90 grados"},
        {"--lugar", "-90.5,3", "la latitud -90.5 está fuera de -90 a 90 grados"},
        {"--lugar", "40,190", "la longitud 190 está fuera de -180 a 180 grados"},
        {"--lugar", "40", "no tiene la forma LAT,LON"},
        {"--zona", "Europe/Madird", "la zona horaria \"Europe/Madird\" no se conoce"},
        {"--zona", "+25:00", "no se conoce"},
        {"--desde", "3100", "la fecha \"3100\" está fuera de las efemérides"},
        {"--hasta", "2026-02-29", "la fecha \"2026-02-29\" no existe"},
        {"--hasta", "2025", "el rango termina antes de empezar"},
        {"--hasta", "2200", "el rango pasa de 100 años"},
        {"--desde", "marzo", "no es un año AAAA ni una fecha AAAA-MM-DD"},
        {"--perfil", "Basico", "el perfil \"Basico\" no se conoce: use Esencial, Amplio, Completo"},
        {"--cuerpos", "Sol,Xyz", "\"Xyz\" no está entre los cuerpos en tránsito"},
        {"--cuerpos", "C01", "\"C01\" no está entre los cuerpos en tránsito"},
        {"--puntos", " , ", "--puntos no puede estar vacío"},
        {"--aspectos", "0,91", "\"91\" no está entre los aspectos"},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> args = Base(ruta);
        const auto o = std::find(args.begin(), args.end(), c.opcion);
        if (o != args.end()) {
            *(o + 1) = c.valor;
        } else {
            args.insert(args.end(), {c.opcion, c.valor});
        }
        const Salida s = Agenda(args);
        EXPECT_EQ(s.codigo, 2) << c.valor;
        EXPECT_EQ(s.err.rfind("varnolt-cli agenda: ", 0), 0u) << s.err;
        EXPECT_NE(s.err.find(c.mensaje), std::string::npos) << s.err;
        EXPECT_FALSE(std::filesystem::exists(ruta)) << c.valor;
    }
    EXPECT_EQ(Agenda({"--zona", "UTC"}).codigo, 2);
    EXPECT_NE(Agenda({"--nacimiento", "1985-06-15T14:30", "--zona", "UTC", "--lugar", "1,1"})
                  .err.find("falta --salida"),
              std::string::npos);
    EXPECT_EQ(Agenda({"--otra", "1"}).codigo, 2);
    EXPECT_EQ(Agenda({"--help"}).codigo, 0);
}

TEST(AgendaArchivo, AFailedWriteLeavesTheOldFile) {
    prueba::CarpetaTemporal carpeta;
    // A folder that does not exist: exit 1, nothing written.
    Salida s = Agenda(Base((carpeta.ruta() / "no" / "x.csv").string()));
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find("No se puede crear el archivo"), std::string::npos) << s.err;

    // A cancelled run keeps the file that was there.
    const std::string ruta = carpeta.Escribir("vieja.csv", "antes");
    std::string error;
    auto p =
        LeerPeticion({"", "1985-06-15T14:30", "UTC", "0,0", "2026", "2026", {}, {}, {}, {}}, error);
    const ResultadoAgenda r = EscribirAgenda(*p, ruta, [](int pct) { return pct < 50; });
    EXPECT_TRUE(r.cancelado);
    EXPECT_FALSE(r.hecho);
    EXPECT_EQ(Leer(ruta), "antes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.ruta()),
                            std::filesystem::directory_iterator()),
              1);
}

// The agenda is written as every file of the program: a FIFO or a read-only
// file at the target is refused and left as it is.
TEST(AgendaArchivo, ATargetThatIsNotOursToReplaceIsRefused) {
    prueba::CarpetaTemporal carpeta;
    const std::string fifo = (carpeta.ruta() / "fifo.csv").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string soloLectura = carpeta.Escribir("vieja.csv", "antes");
    ASSERT_EQ(::chmod(soloLectura.c_str(), 0444), 0);

    Salida s = Agenda(Base(fifo));
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find("no es un archivo normal"), std::string::npos) << s.err;
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    s = Agenda(Base(soloLectura));
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find("es de solo lectura"), std::string::npos) << s.err;
    EXPECT_EQ(Leer(soloLectura), "antes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.ruta()),
                            std::filesystem::directory_iterator()),
              2);
}

// Notices about the birth: one for a birth outside the data files, naming
// the birth date (not one per body blaming the range), one for a birth time
// in a change of the clocks naming the reading taken.
TEST(AgendaArchivo, NoticesAboutTheBirth) {
    prueba::CarpetaTemporal carpeta;
    const std::string ruta = (carpeta.ruta() / "a.csv").string();
    struct Caso {
        const char* nacimiento;
        const char* zona;
        std::string aviso;
    };
    const Caso casos[] = {
        {"1750-06-15T14:30", "+01:00",
         "Aviso: la fecha de nacimiento 1750-06-15 está fuera de los archivos de efemérides: la "
         "carta natal se calcula con el modo analítico de la biblioteca, sin Qui, Pho, Cer, Pal, "
         "Jun, Ves\n"},
        {"2024-03-31T02:30", "Europe/Madrid",
         "Aviso: la hora de nacimiento 02:30 del 2024-03-31 no existió en Europe/Madrid (los "
         "relojes se adelantaron); se toma con el desfase de antes del cambio, UTC+01:00\n"},
        {"2024-10-27T02:30", "Europe/Madrid",
         "Aviso: la hora de nacimiento 02:30 del 2024-10-27 se dio dos veces en Europe/Madrid (los "
         "relojes se atrasaron); se toma la primera, UTC+02:00, no la segunda, UTC+01:00\n"},
        {"1985-06-15T14:30", "Europe/Madrid", ""},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> args = Base(ruta);
        args[1] = c.nacimiento;
        args[3] = c.zona;
        const Salida s = Agenda(args);
        EXPECT_EQ(s.codigo, 0) << s.err;
        EXPECT_EQ(s.err, c.aviso);
    }
}

TEST(AgendaArchivo, TheLastChartIsRemembered) {
    prueba::CarpetaTemporal carpeta;
    const std::string ruta = (carpeta.ruta() / "Varnolt" / "ultima_carta.ini").string();
    EXPECT_FALSE(LeerUltimaCarta(ruta));
    const TextosCarta t{"Ana María",     "1985-06-15T14:30",
                        "Europe/Madrid", "40.4168,-3.7038",
                        "2026",          "2027",
                        "Amplio",        "Sol,Plu",
                        "C01",           "0,90"};
    ASSERT_TRUE(GuardarUltimaCarta(ruta, t));
    const auto leida = LeerUltimaCarta(ruta);
    ASSERT_TRUE(leida);
    EXPECT_EQ(leida->nombre, t.nombre);
    EXPECT_EQ(leida->nacimiento, t.nacimiento);
    EXPECT_EQ(leida->zona, t.zona);
    EXPECT_EQ(leida->lugar, t.lugar);
    EXPECT_EQ(leida->desde, t.desde);
    EXPECT_EQ(leida->hasta, t.hasta);
    EXPECT_EQ(leida->perfil, t.perfil);
    EXPECT_EQ(leida->cuerpos, t.cuerpos);
    EXPECT_EQ(leida->puntos, t.puntos);
    EXPECT_EQ(leida->aspectos, t.aspectos);

    setenv("XDG_CONFIG_HOME", carpeta.ruta().c_str(), 1);
    EXPECT_EQ(ArchivoUltimaCarta(), ruta);
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace varnolt
