// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <locale>
#include <tuple>

#include <algorithm>

#include "agenda/LecturaLotes.h"
#include "app/ArchivoSeguro.h"
#include "app/FormVarnolt.h"
#include "app/Regional.h"
#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"
#include "views/GraficoTendencia.h"

namespace varnolt {
namespace {

using prueba::Contacto;
using prueba::LineaAgenda;

const std::string kError1 = "Se presento un error al cargar el archivo de contactos.\r\r";
const std::string kError2 =
    "\r\rEsto puede ser por que se abrio un archivo que no respeta el formato requerido o se "
    "cargo una linea corrupta de datos.\r\rEl error se produjo con la linea: \r";
// Where the failing line is when it is the first after the header.
const std::string kLinea2 = "\r(línea 2 del archivo)";

class CargaAgenda : public ::testing::Test {
  protected:
    CargaAgenda() : form(ventana) {
        form.RelojMs = [this] { return reloj; };
    }
    void Cargar(const std::vector<std::string>& archivos) {
        ventana.respuestaDialogo = archivos;
        form.SBContactosClick();
    }

    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
    std::int64_t reloj = 0;
};

TEST_F(CargaAgenda, OneFileReportsAndEnablesTheControls) {
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{{"2024-3-7"}, {"2024-1-2"}});
    // 1 h 1 min 1.234 s pass between the start and the report: hours are not shown.
    form.RelojMs = [n = 0]() mutable -> std::int64_t { return n++ == 0 ? 500 : 500 + 3661234; };
    Cargar({a});
    ASSERT_TRUE(form.DataCargada);
    EXPECT_EQ(form.InfoData, "Archivo cargado:\r\ra.csv [2 registros]\r");
    ASSERT_EQ(ventana.mensajes.size(), 1u);
    EXPECT_EQ(ventana.mensajes[0],
              "Archivo cargado:\r\ra.csv [2 registros]\r\rEn 1 minutos 1 segundos 234 "
              "milisegundos !");
    EXPECT_TRUE(form.ControlesHabilitados);
    EXPECT_EQ(form.ArchivosInfo, std::vector<std::string>{"a.csv [2 registros]"});
    // Sorted by date; years and catalogues filled.
    ASSERT_EQ(form.Tendencias.size(), 2u);
    EXPECT_EQ(form.Tendencias[0].Fecha, CodificarFecha(2024, 1, 2));
    EXPECT_EQ(form.LBYear.Items, std::vector<std::string>{"2024"});
    EXPECT_EQ(form.FechaMin, CodificarFecha(2024, 1, 2));
    EXPECT_EQ(form.FechaMax, CodificarFecha(2024, 3, 7));
    // Whole years selected and weighed.
    EXPECT_EQ(form.RangoIni, CodificarFecha(2024, 1, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2024, 12, 31));
    EXPECT_EQ(form.Periodo, 1);
    EXPECT_EQ(form.Ponderacion.FechasRango.size(), 2u);
    EXPECT_FALSE(ventana.progresoVisible);
    EXPECT_EQ(ventana.titulos, std::vector<std::string>{"Cargando data -> a.csv [2 registros]"});
}

TEST_F(CargaAgenda, HeaderOnlyAndEmptyFilesLoadWithCountZero) {
    const auto soloCabecera = carpeta.Agenda("h.csv", std::vector<std::string>{});
    const auto vacio = carpeta.Escribir("v.csv", "");
    Cargar({soloCabecera, vacio});
    EXPECT_TRUE(form.DataCargada);
    EXPECT_EQ(form.InfoData, "Archivos cargados:\r\rh.csv [0 registros]\rv.csv [0 registros]\r");
    EXPECT_TRUE(form.Tendencias.empty());
    EXPECT_TRUE(form.ControlesHabilitados);
    EXPECT_EQ(ventana.mensajes.size(), 1u);
    // No year to apply a period to: the range stays as it was.
    form.SBPerAllClick(9);
    EXPECT_EQ(form.RangoIni, 0);
}

TEST_F(CargaAgenda, BlankLineAfterTheHeaderFailsTheFile) {
    const auto a = carpeta.Agenda("a.csv", std::vector<std::string>{"", LineaAgenda({})});
    Cargar({a});
    EXPECT_FALSE(form.DataCargada);
    ASSERT_EQ(ventana.errores.size(), 1u);
    // An empty quote, and the line number tells where the line is.
    EXPECT_EQ(ventana.errores[0], kError1 + "a.csv" + kError2 + "\r(línea 2 del archivo)");
    EXPECT_EQ(ventana.avisosCerrados, 1);
    EXPECT_FALSE(form.ControlesHabilitados);
    EXPECT_TRUE(ventana.mensajes.empty());
}

TEST_F(CargaAgenda, FailureTextCarriesTheLineAsRead) {
    const std::string mala = "1 A B 2024-3-7 sin formato J\xFAp";
    const auto a = carpeta.Agenda("malo.csv", std::vector<std::string>{LineaAgenda({}), mala});
    Cargar({a});
    ASSERT_EQ(ventana.errores.size(), 1u);
    EXPECT_EQ(ventana.errores[0], kError1 + "malo.csv" + kError2 +
                                      "1 A B 2024-3-7 sin formato Júp\r(línea 3 del archivo)");
    EXPECT_TRUE(form.Tendencias.empty());
    EXPECT_TRUE(form.LBYear.Items.empty());
    EXPECT_EQ(form.FechaMin, 0);
}

// Agendas travel between machines: each file is read with the separator it
// was written with, under either locale, and a line that uses the other one
// still fails the file.
TEST_F(CargaAgenda, EachFileIsReadWithItsOwnSeparator) {
    const auto punto = carpeta.Agenda("punto.csv", std::vector<Contacto>{{"2024-3-7"}});
    // Every real of the line written with ",".
    auto conComas = [](std::string linea) {
        std::replace(linea.begin(), linea.end(), '.', ',');
        return linea;
    };
    const std::string lineaComa =
        conComas(LineaAgenda({.fecha = "2024-3-8", .peso = "1.5", .fuerza = "50.5"}));
    const auto coma = carpeta.Agenda("coma.csv", std::vector<std::string>{lineaComa});
    for (const char local : {'.', ','}) {
        ConfiguracionRegional().SeparadorDecimal = local;
        form.LimpiarData();
        ventana.errores.clear();
        Cargar({punto, coma});
        ASSERT_TRUE(form.DataCargada) << local;
        ASSERT_EQ(form.Tendencias.size(), 2u);
        EXPECT_DOUBLE_EQ(form.Tendencias[0].Peso, 3.25);
        EXPECT_DOUBLE_EQ(form.Tendencias[1].Peso, 1.5);
        EXPECT_DOUBLE_EQ(form.Tendencias[1].Fuerza, 50.5);
        EXPECT_TRUE(ventana.errores.empty());
    }
    ConfiguracionRegional().SeparadorDecimal = '.';
    const auto mezcla = carpeta.Agenda(
        "mezcla.csv", std::vector<std::string>{LineaAgenda({}, 1), LineaAgenda({}, 2), lineaComa});
    Cargar({mezcla});
    EXPECT_FALSE(form.DataCargada);
    ASSERT_EQ(ventana.errores.size(), 1u);
    EXPECT_EQ(ventana.errores[0], kError1 + "mezcla.csv" + kError2 + Cp1252AUtf8(lineaComa) +
                                      "\r(línea 4 del archivo)");
}

// The same with the locale's own separator, under a real Spanish locale.
TEST_F(CargaAgenda, SampleAgendaLoadsUnderTheSpanishLocale) {
    try {
        std::locale("es_ES.UTF-8");
    } catch (const std::exception&) {
        GTEST_SKIP() << "falta la configuración regional es_ES.UTF-8 (localedef -i es_ES -f UTF-8 "
                        "es_ES.UTF-8)";
    }
    const char* antes = std::getenv("LC_ALL");
    const std::string previo = antes != nullptr ? antes : "";
    ::setenv("LC_ALL", "es_ES.UTF-8", 1);
    const char local = SeparadorDecimalDelEntorno();
    if (antes != nullptr) {
        ::setenv("LC_ALL", previo.c_str(), 1);
    } else {
        ::unsetenv("LC_ALL");
    }
    ASSERT_EQ(local, ',');
    ConfiguracionRegional().SeparadorDecimal = local;
    Cargar({prueba::Muestra("muestra_2024.csv")});
    ConfiguracionRegional().SeparadorDecimal = '.';
    EXPECT_TRUE(ventana.errores.empty()) << (ventana.errores.empty() ? "" : ventana.errores[0]);
    ASSERT_TRUE(form.DataCargada);
    EXPECT_EQ(form.ArchivosInfo, std::vector<std::string>{"muestra_2024.csv [44759 registros]"});
}

TEST_F(CargaAgenda, SecondFileFailingLeavesNoData) {
    const auto bueno = carpeta.Agenda("bueno.csv", std::vector<Contacto>{{}});
    const auto malo = carpeta.Agenda("malo.csv", std::vector<std::string>{"x"});
    Cargar({bueno, malo});
    EXPECT_FALSE(form.DataCargada);
    EXPECT_TRUE(form.Tendencias.empty());
    EXPECT_TRUE(form.ArchivosInfo.empty());
    ASSERT_EQ(ventana.errores.size(), 1u);
    EXPECT_EQ(ventana.errores[0], kError1 + "malo.csv" + kError2 + "x" + kLinea2);
    // The report keeps the clear's text joined to the failure.
    EXPECT_EQ(form.InfoData, "Archivos cargados:\r\r-No hay data cargada-" + kError1 + "malo.csv" +
                                 kError2 + "x" + kLinea2 + "\r");
}

TEST_F(CargaAgenda, FirstFileFailingThenSecondLoads) {
    const auto previo = carpeta.Agenda("previo.csv", std::vector<Contacto>{{"2020-1-1"}});
    Cargar({previo});
    const auto malo = carpeta.Agenda("malo.csv", std::vector<std::string>{"x"});
    const auto bueno = carpeta.Agenda("bueno.csv", std::vector<Contacto>{{"2024-5-5"}});
    Cargar({malo, bueno});
    EXPECT_TRUE(form.DataCargada);
    ASSERT_EQ(form.Tendencias.size(), 1u);
    EXPECT_EQ(form.Tendencias[0].Fecha, CodificarFecha(2024, 5, 5));
    EXPECT_EQ(form.ArchivosInfo, std::vector<std::string>{"bueno.csv [1 registros]"});
    EXPECT_EQ(form.LBYear.Items, std::vector<std::string>{"2024"});
    EXPECT_TRUE(ventana.errores.empty());
    ASSERT_EQ(ventana.mensajes.size(), 2u);
    EXPECT_EQ(ventana.mensajes[1].rfind("Archivos cargados:\r\r-No hay data cargada-" + kError1 +
                                            "malo.csv" + kError2 + "x" + kLinea2 +
                                            "\rbueno.csv [1 registros]\r",
                                        0),
              0u);
}

TEST_F(CargaAgenda, ProgressEvery250Lines) {
    std::vector<std::string> lineas(999, LineaAgenda({}));
    const auto a = carpeta.Agenda("mil.csv", lineas);  // 1,000 lines with the header
    Cargar({a});
    EXPECT_EQ(ventana.posiciones, (std::vector<int>{25, 50, 75}));
    EXPECT_EQ(ventana.titulos,
              std::vector<std::string>{"Cargando data -> mil.csv [999 registros]"});
}

TEST_F(CargaAgenda, CancellingTheDialogChangesNothing) {
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{{}});
    Cargar({a});
    const std::string info = form.InfoData;
    ventana.respuestaDialogo.reset();
    form.SBContactosClick();
    EXPECT_EQ(form.InfoData, info);
    EXPECT_EQ(form.Tendencias.size(), 1u);
    EXPECT_EQ(ventana.vecesProgreso, 1);
    // The dialog opens in the folder of the last agenda.
    EXPECT_EQ(ventana.carpetasDialogo.back(), carpeta.ruta().string());
}

TEST_F(CargaAgenda, UnreadableFileStopsTheActionAndKeepsTheData) {
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{{}});
    Cargar({a});
    const auto otro = carpeta.Agenda("otro.csv", std::vector<Contacto>{{}});
    ventana.respuestaDialogo =
        std::vector<std::string>{(carpeta.ruta() / "no-existe.csv").string(), otro};
    EXPECT_THROW(form.SBContactosClick(), ErrorArchivo);
    EXPECT_FALSE(ventana.progresoVisible);
    EXPECT_EQ(form.Tendencias.size(), 1u);  // otro.csv was not read
}

// What is not a regular file is refused before it is read, at once: a FIFO
// would block the opening, a device would never end.
struct CasoNoNormal {
    const char* nombre;
    std::string (*crear)(const std::filesystem::path& carpeta);
    const char* texto;  // what the error says after the quoted path
    friend void PrintTo(const CasoNoNormal& c, std::ostream* os) { *os << c.nombre; }
};

class AgendaNoNormal : public CargaAgenda, public ::testing::WithParamInterface<CasoNoNormal> {};

TEST_P(AgendaNoNormal, IsRefusedWithItsName) {
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{{}});
    Cargar({a});
    const std::string ruta = GetParam().crear(carpeta.ruta());
    std::string resultado;
    try {
        form.CargarAgenda(ruta, resultado);
        ADD_FAILURE() << "no error for " << ruta;
    } catch (const ErrorArchivo& e) {
        EXPECT_NE(std::string(e.what()).find("\"" + ruta + "\"" + GetParam().texto),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(form.Tendencias.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AgendaNoNormal,
    ::testing::Values(CasoNoNormal{"fifo",
                                   [](const std::filesystem::path& c) {
                                       const std::string r = (c / "fifo.csv").string();
                                       EXPECT_EQ(::mkfifo(r.c_str(), 0600), 0);
                                       return r;
                                   },
                                   " no es un archivo normal"},
                      CasoNoNormal{
                          "dispositivo",
                          [](const std::filesystem::path&) { return std::string("/dev/null"); },
                          " no es un archivo normal"},
                      CasoNoNormal{"enlace_a_un_dispositivo",
                                   [](const std::filesystem::path& c) {
                                       const std::string r = (c / "nulo.csv").string();
                                       std::filesystem::create_symlink("/dev/null", r);
                                       return r;
                                   },
                                   " no es un archivo normal"},
                      CasoNoNormal{"carpeta",
                                   [](const std::filesystem::path& c) {
                                       const std::string r = (c / "carpeta.csv").string();
                                       std::filesystem::create_directory(r);
                                       return r;
                                   },
                                   ". es una carpeta"}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A regular file whose reading fails half-way (the memory of this process
// cannot be read from address 0): the error carries the system's text and
// the block read so far is freed (the sanitizer build checks that).
TEST_F(CargaAgenda, AReadErrorIsReportedAndFreesItsBuffer) {
    std::string resultado;
    try {
        form.CargarAgenda("/proc/self/mem", resultado);
        ADD_FAILURE() << "no error";
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(std::string(e.what()),
                  std::string("No se puede leer el archivo \"/proc/self/mem\". ") +
                      TextoErrorSistema(EIO));
    }
}

// The same agenda with CR, LF or CR LF line ends loads the same contacts.
TEST_F(CargaAgenda, EveryLineEndLoadsTheSameContacts) {
    for (const char* fin : {"\r", "\n", "\r\n"}) {
        std::string bytes = "cabecera";
        for (const char* fecha : {"2024-3-7", "2024-1-2", "2023-12-31"}) {
            bytes += fin + LineaAgenda(Contacto{fecha});
        }
        const auto a = carpeta.Escribir("fin.csv", bytes + fin);
        TFormVarnolt otro(ventana);
        std::string resultado;
        ASSERT_TRUE(otro.CargarAgenda(a, resultado)) << resultado;
        EXPECT_EQ(resultado, "fin.csv [3 registros]");
        ASSERT_EQ(otro.Tendencias.size(), 3u);
        EXPECT_EQ(otro.Tendencias[0].Fecha, CodificarFecha(2023, 12, 31));
        EXPECT_EQ(otro.Tendencias[2].Fecha, CodificarFecha(2024, 3, 7));
    }
}

TEST_F(CargaAgenda, SameFileTwiceDoublesTheRecordsOnly) {
    const auto a = carpeta.Agenda(
        "a.csv", std::vector<Contacto>{{"2024-1-1", "Sol", "Mar"}, {"2025-1-1", "Lun", "Ven"}});
    Cargar({a, a});
    EXPECT_EQ(form.Tendencias.size(), 4u);
    EXPECT_EQ(form.LBItemNat.Items, (std::vector<std::string>{"Sol", "Lun"}));
    EXPECT_EQ(form.LBItemTra.Items, (std::vector<std::string>{"Mar", "Ven"}));
    EXPECT_EQ(form.LBYear.Items, (std::vector<std::string>{"2024", "2025"}));
    EXPECT_EQ(form.ArchivosInfo,
              (std::vector<std::string>{"a.csv [2 registros]", "a.csv [2 registros]"}));
    // Records of both files interleave by date.
    EXPECT_EQ(form.Tendencias[1].Fecha, form.Tendencias[0].Fecha);
}

TEST_F(CargaAgenda, CataloguesFollowFirstAppearanceAndAspectsTheLastFile) {
    Contacto b1{"2025-2-2", "Lun", "Sat", 120};
    Contacto b2{"2025-2-3", "Sol", "Mar", 60};
    Contacto a1{"2024-2-2", "Sol", "Mar", 90};
    const auto b = carpeta.Agenda("b.csv", std::vector<Contacto>{b1, b2});
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{a1});
    Cargar({b, a});
    EXPECT_EQ(form.LBItemNat.Items, (std::vector<std::string>{"Lun", "Sol"}));
    EXPECT_EQ(form.LBItemTra.Items, (std::vector<std::string>{"Sat", "Mar"}));
    EXPECT_EQ(form.LBYear.Items, (std::vector<std::string>{"2024", "2025"}));
    EXPECT_EQ(form.CatAspectos, std::vector<std::string>{"90"});
    EXPECT_EQ(form.CatItemsNat, form.LBItemNat.Items);
    EXPECT_EQ(form.CatItemsTra, form.LBItemTra.Items);
    EXPECT_EQ(form.FechaMin, CodificarFecha(2024, 2, 2));
    EXPECT_EQ(form.FechaMax, CodificarFecha(2025, 2, 3));
}

TEST_F(CargaAgenda, ClearEmptiesTheDataSet) {
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{{}});
    Cargar({a});
    form.SBAllAspTraClick(3);  // "May."
    form.CBCleanDataClick();
    EXPECT_FALSE(form.DataCargada);
    EXPECT_EQ(form.InfoData, "-No hay data cargada-");
    EXPECT_TRUE(form.Tendencias.empty());
    EXPECT_TRUE(form.LBYear.Items.empty());
    EXPECT_TRUE(form.LBItemNat.Items.empty());
    EXPECT_TRUE(form.LBFechaPP.Textos().empty());
    EXPECT_EQ(form.FechaMin, 0);
    EXPECT_EQ(form.RangoIni, 0);
    EXPECT_EQ(form.Picos.PPMaxGlobal, 0);
    EXPECT_EQ(form.Etiquetas.RangoData, "-");
    EXPECT_EQ(form.Etiquetas.Max, "-");
    EXPECT_FALSE(form.ControlesHabilitados);
    // The angle rows keep their selection while the selection list is empty.
    EXPECT_EQ(form.LBAspTra.SelCount(), 4);
    EXPECT_TRUE(form.Seleccion.AspectosSel.empty());
    // The catalogues stay until the next load rebuilds them.
    EXPECT_EQ(form.CatItemsNat, std::vector<std::string>{"Sol"});
}

// A fake window that also notes, at every refresh of the trend graph, whether
// a paint at that moment would draw anything.
class VentanaQueDibuja : public prueba::VentanaFalsa {
  public:
    void Refrescar(Vista vista) override {
        VentanaFalsa::Refrescar(vista);
        if (vista == Vista::Tendencia && form != nullptr) {
            const TDibujoTendencia d =
                DibujarTendencia(form->DataCargada, form->RangoIni, form->RangoFin,
                                 form->Ponderacion.FechasRango, form->Picos.PPMaxRango, 1142, 186,
                                 [](std::string_view t) { return static_cast<int>(t.size()) * 5; });
            tendencia.push_back(d.Dibujar);
        }
    }
    const TFormVarnolt* form = nullptr;
    std::vector<bool> tendencia;  // Dibujar at every Vista::Tendencia refresh
};

class LimpiezaDeVistas : public ::testing::Test {
  protected:
    LimpiezaDeVistas() : form(ventana) { ventana.form = &form; }
    void Cargar(const std::vector<std::string>& archivos) {
        ventana.respuestaDialogo = archivos;
        form.SBContactosClick();
    }
    bool Refrescada(Vista v) const {
        return std::find(ventana.refrescos.begin(), ventana.refrescos.end(), v) !=
               ventana.refrescos.end();
    }
    prueba::CarpetaTemporal carpeta;
    VentanaQueDibuja ventana;
    TFormVarnolt form;
};

TEST_F(LimpiezaDeVistas, ClearRedrawsTheChartsAndTheTrendGraph) {
    Cargar({carpeta.Agenda("a.csv", std::vector<Contacto>{{}})});
    ASSERT_EQ(ventana.tendencia.back(), true);  // the loaded data is drawn
    ventana.refrescos.clear();
    ventana.tendencia.clear();
    form.CBCleanDataClick();
    for (Vista v : {Vista::Controles, Vista::Graficos, Vista::Tendencia, Vista::Listas,
                    Vista::FechasPP, Vista::Arquetipos, Vista::ContactosDia, Vista::Exportacion}) {
        EXPECT_TRUE(Refrescada(v)) << static_cast<int>(v);
    }
    EXPECT_EQ(ventana.tendencia, std::vector<bool>{false});  // nothing drawn
    EXPECT_GT(ventana.mensajesProcesados, 0);
}

TEST_F(LimpiezaDeVistas, AFailedLoadRedrawsTheTrendGraphEmpty) {
    Cargar({carpeta.Agenda("a.csv", std::vector<Contacto>{{}})});
    ventana.refrescos.clear();
    ventana.tendencia.clear();
    Cargar({carpeta.Agenda("malo.csv", std::vector<std::string>{"x"})});
    ASSERT_FALSE(form.DataCargada);
    ASSERT_EQ(ventana.errores.size(), 1u);
    EXPECT_TRUE(Refrescada(Vista::Graficos));
    ASSERT_FALSE(ventana.tendencia.empty());
    EXPECT_FALSE(ventana.tendencia.back());
}

TEST_F(CargaAgenda, SharedSampleAgendas) {
    Cargar({prueba::Muestra("muestra_2024.csv"), prueba::Muestra("muestra_b_2025.csv")});
    ASSERT_TRUE(form.DataCargada);
    EXPECT_EQ(form.Tendencias.size(), 44759u + 49308u);
    EXPECT_EQ(form.LBYear.Items, (std::vector<std::string>{"2024", "2025"}));
    EXPECT_EQ(form.RangoIni, CodificarFecha(2024, 1, 1));
    EXPECT_EQ(form.RangoFin, CodificarFecha(2025, 12, 31));
    EXPECT_TRUE(
        std::is_sorted(form.Tendencias.begin(), form.Tendencias.end(),
                       [](const TTendencia& a, const TTendencia& b) { return a.Fecha < b.Fecha; }));
}

}  // namespace
}  // namespace varnolt

namespace varnolt {
namespace {

// A window that runs something when the loader shows a file's title, that
// is once the lines are counted and before they are read.
class VentanaConTitulo : public prueba::VentanaFalsa {
  public:
    std::function<void()> alTitular;
    void TituloProgreso(const std::string& titulo) override {
        prueba::VentanaFalsa::TituloProgreso(titulo);
        if (alTitular) {
            alTitular();
        }
    }
};

// A file cut short while it is read gives the read error, and the data
// loaded before it stays as it was, its catalogues and dates too.
TEST(CargaAgendaAcortada, AFileCutShortWhileReadGivesTheReadError) {
    prueba::CarpetaTemporal carpeta;
    VentanaConTitulo ventana;
    TFormVarnolt form(ventana);
    const auto previo = carpeta.Agenda("previo.csv", std::vector<Contacto>{{"2020-1-1"}});
    ventana.respuestaDialogo = std::vector<std::string>{previo};
    form.SBContactosClick();
    ASSERT_EQ(form.Tendencias.size(), 1u);

    std::vector<Contacto> muchos;
    for (int i = 0; i < 5000; ++i) {
        muchos.push_back({.fecha = "2024-3-7", .natal = "Lun", .transito = "Ven"});
    }
    const auto grande = carpeta.Agenda("grande.csv", muchos);
    ventana.alTitular = [&] { std::filesystem::resize_file(grande, 300000); };
    ventana.respuestaDialogo = std::vector<std::string>{grande};
    try {
        form.SBContactosClick();
        ADD_FAILURE() << "no error";
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(std::string(e.what()), "No se puede leer el archivo \"" + grande +
                                             "\". El archivo se acortó mientras se leía.");
    }
    ASSERT_EQ(form.Tendencias.size(), 1u);
    EXPECT_EQ(form.Tendencias[0].Fecha, CodificarFecha(2020, 1, 1));
    EXPECT_EQ(form.LBYear.Items, std::vector<std::string>{"2020"});
    EXPECT_EQ(form.LBItemNat.Items, std::vector<std::string>{"Sol"});
    EXPECT_EQ(form.FechaMax, CodificarFecha(2020, 1, 1));
}

}  // namespace
}  // namespace varnolt

namespace varnolt {
namespace {

// What a load leaves behind, to compare a load on one thread with one on two.
struct Estado {
    std::vector<std::tuple<TFecha, std::int32_t, int, std::uint32_t, std::uint32_t, std::uint32_t,
                           std::uint32_t, double, double, double, double>>
        registros;
    std::vector<std::string> anios, nats, tras, aspectos, errores, titulos;
    std::vector<int> progreso;
    TFecha min = 0, max = 0;
    std::string info;
    bool cargada = false;
    bool operator==(const Estado&) const = default;
};

Estado Cargar(const std::vector<std::string>& archivos) {
    prueba::VentanaFalsa ventana;
    TFormVarnolt form(ventana);
    form.RelojMs = [] { return 0; };
    ventana.respuestaDialogo = archivos;
    form.SBContactosClick();
    Estado e;
    for (const TTendencia& t : form.Tendencias) {
        e.registros.emplace_back(t.Fecha, t.Aspecto, t.BandaFuerza, t.NatContacto.id(),
                                 t.TraContacto.id(), t.ItemNatal.id(), t.ItemTransito.id(),
                                 t.Fuerza, t.Peso, t.PosNatal, t.PosTransito);
    }
    e.anios = form.LBYear.Items;
    e.nats = form.LBItemNat.Items;
    e.tras = form.LBItemTra.Items;
    e.aspectos = form.CatAspectos;
    e.errores = ventana.errores;
    e.titulos = ventana.titulos;
    e.progreso = ventana.posiciones;
    e.min = form.FechaMin;
    e.max = form.FechaMax;
    e.info = form.InfoData;
    e.cargada = form.DataCargada;
    return e;
}

// Read on two threads, in lots of any size, an agenda leaves exactly what it
// leaves read on one: records in order, catalogues, progress, the failing
// line and its number.
TEST(CargaEnDosHilos, LeavesWhatOneThreadLeaves) {
    prueba::CarpetaTemporal carpeta;
    const std::string muestra = prueba::Muestra("muestra_2024.csv");
    std::vector<std::string> lineas;
    for (int n = 1; n <= 1200; ++n) {
        lineas.push_back(LineaAgenda(
            {.fecha = "2024-" + std::to_string(1 + n % 12) + "-" + std::to_string(1 + n % 28),
             .natal = n % 7 == 0 ? "Júp" : "Sol",
             .transito = n % 5 == 0 ? "C1" : "Mar",
             .aspecto = n % 3 == 0 ? 90 : 120 + n % 4},
            n));
    }
    const auto buena = carpeta.Agenda("buena.csv", lineas);
    auto conError = [&](const std::string& nombre, size_t donde) {
        std::vector<std::string> l = lineas;
        l[donde] = "x";
        return carpeta.Agenda(nombre, l);
    };
    const std::vector<std::vector<std::string>> casos = {
        {buena},
        {muestra},
        {conError("error_1.csv", 0)},
        {conError("error_2.csv", 1)},
        {conError("error_500.csv", 499)},
        {conError("error_ultima.csv", lineas.size() - 1)},
        {buena, conError("error_b.csv", 777), buena},
    };
    const int minimo = MinimoCargaParalela();
    const size_t lote = LecturaLotes::LineasPorLote();
    for (const auto& archivos : casos) {
        MinimoCargaParalela() = INT32_MAX;
        const Estado uno = Cargar(archivos);
        ASSERT_FALSE(uno.registros.empty() && uno.errores.empty()) << archivos[0];
        for (const size_t n : {size_t{1}, size_t{2}, size_t{7}, size_t{250}, size_t{32768}}) {
            MinimoCargaParalela() = 0;
            LecturaLotes::LineasPorLote() = n;
            EXPECT_TRUE(Cargar(archivos) == uno) << archivos.back() << " lotes de " << n;
        }
    }
    MinimoCargaParalela() = minimo;
    LecturaLotes::LineasPorLote() = lote;
}

}  // namespace
}  // namespace varnolt
