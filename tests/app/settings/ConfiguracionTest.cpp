// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/settings/Configuracion.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "Temporal.h"
#include "app/Texto.h"

namespace varnolt {
namespace {

using prueba::CarpetaTemporal;
using prueba::Escribir;
using prueba::Leer;

constexpr const char* kDocs = "/home/ana/Documentos";

ArchivoIni Ini(std::string_view texto) {
    ArchivoIni ini = ArchivoIni::DesdeTexto(texto);
    ini.FijarSeparadorDecimal('.');
    return ini;
}

// Reads the file the way the start-up does and writes it back the way the
// exit does; the bytes the file ends with.
std::string LeerYGuardar(std::string_view texto, const std::string& plantillas = "/no-existe/") {
    ArchivoIni ini = Ini(texto);
    Configuracion c = ConfiguracionPredeterminada(kDocs);
    LeerConfig(c, ini, plantillas);
    GuardarConfig(c, ini);
    return ini.Contenido();
}

Configuracion Leida(std::string_view texto, const std::string& plantillas = "/no-existe/") {
    Configuracion c = ConfiguracionPredeterminada(kDocs);
    LeerConfig(c, Ini(texto), plantillas);
    return c;
}

std::vector<std::string> Nombres(std::span<const DefAjuste> defs) {
    std::vector<std::string> r;
    for (const DefAjuste& d : defs) {
        r.emplace_back(d.clave);
    }
    return r;
}

// The lines of a file as a list.
std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::size_t i = 0;
    while (i < texto.size()) {
        const std::size_t j = texto.find("\r\n", i);
        r.push_back(texto.substr(i, j - i));
        i = j + 2;
    }
    return r;
}

// The key lines of one section of a file, in order.
std::vector<std::string> LineasDeSeccion(const std::string& texto, const std::string& seccion) {
    std::vector<std::string> r;
    bool dentro = false;
    for (const std::string& l : Lineas(texto)) {
        if (!l.empty() && l.front() == '[') {
            dentro = l == "[" + seccion + "]";
        } else if (dentro && !l.empty()) {
            r.push_back(l);
        }
    }
    return r;
}

// --- the definitions -------------------------------------------------------

TEST(Configuracion, NumeroDeClavesPorSeccion) {
    EXPECT_EQ(DefinicionesData().size(), 23u);
    EXPECT_EQ(DefinicionesView().size(), 39u);
    EXPECT_EQ(DefinicionesApps().size(), 1u);
    EXPECT_EQ(DefinicionesViewPelliqor().size(), 140u);
}

TEST(Configuracion, OrdenDeDataYView) {
    EXPECT_EQ(Nombres(DefinicionesData()), (std::vector<std::string>{"FileAGQ",
                                                                     "FileEFQ",
                                                                     "FileARQ",
                                                                     "TZ",
                                                                     "LugarGeoIdDefault",
                                                                     "IdSysHousesNat",
                                                                     "IdSysHousesDin",
                                                                     "FT1",
                                                                     "FT2",
                                                                     "FT3",
                                                                     "FT4",
                                                                     "FT5",
                                                                     "OrbConj50",
                                                                     "OrbConjPlaOcu",
                                                                     "OrbConjCusp",
                                                                     "ShowAvisoMain",
                                                                     "AboutUser",
                                                                     "TemplateFC",
                                                                     "TemplateBC",
                                                                     "PromptFC",
                                                                     "PromptBC",
                                                                     "IdListTDU",
                                                                     "IdLanguage"}));
    const auto view = Nombres(DefinicionesView());
    EXPECT_EQ(
        std::vector<std::string>(view.end() - 5, view.end()),
        (std::vector<std::string>{"SizePen", "Orbe", "ColorDraw", "EsquemaColor", "PosMenuItems"}));
    const auto pelliqor = Nombres(DefinicionesViewPelliqor());
    const auto pos = [&](const char* n) {
        return std::find(pelliqor.begin(), pelliqor.end(), n) - pelliqor.begin();
    };
    EXPECT_EQ(pos("ViewAspII"), pos("ViewCountDist") + 1);
    EXPECT_EQ(pos("ViewAspIC"), pos("ViewCountDist") + 2);
    EXPECT_EQ(pos("ColorS0"), pos("ViewIconAsp") + 1);
    EXPECT_EQ(pos("ColorS11"), pos("ColorS0") + 11);
    EXPECT_EQ(pos("SignoGlifoPor"), pos("ColorS11") + 1);
    EXPECT_EQ(pelliqor.front(), "ViewBackColor");
    EXPECT_EQ(pelliqor.back(), "ViewCircleRx2");
}

TEST(Configuracion, Predeterminados) {
    const Configuracion c = ConfiguracionPredeterminada(kDocs);
    EXPECT_EQ(c.Cadena("Data", "FileAGQ"),
              "/home/ana/Documentos/quillmere/Ejemplos_quillmere_v.02.agq");
    EXPECT_EQ(c.Cadena("Data", "FileEFQ"),
              "/home/ana/Documentos/quillmere/Kermadex_Efemerides_v.1.00.1900_2050.efq");
    EXPECT_EQ(c.FileARQ(),
              "/home/ana/Documentos/quillmere/Orbelune arquetipos/quillmere_C1_001_v.1.0.arq");
    EXPECT_EQ(c.Real("Data", "TZ"), 0.0);
    EXPECT_EQ(c.Entero("Data", "LugarGeoIdDefault"), -1);
    EXPECT_TRUE(c.Booleano("Data", "ShowAvisoMain"));
    EXPECT_EQ(c.Cadena("Data", "AboutUser"), "");
    EXPECT_EQ(c.Entero("Data", "TemplateBC"), 16777215);
    EXPECT_EQ(c.Entero("View", "ColorDraw"), 16711935);
    EXPECT_EQ(c.Entero("Apps", "ShowFennimar"), 1);
    EXPECT_EQ(c.Entero("ViewPelliqor", "ColorS3"), 16757789);
    EXPECT_EQ(c.Entero("ViewPelliqor", "porMoonPhase"), 90);
    EXPECT_EQ(c.MatDig[0], (std::array<std::int32_t, 12>{3, 0, 0, 0, 1, 0, 4, 0, 0, 0, 2, 0}));
    EXPECT_EQ(c.MatDig[9], (std::array<std::int32_t, 12>{0, 2, 0, 0, 4, 0, 0, 1, 0, 0, 3, 0}));
    EXPECT_EQ(c.MatDig[10], (std::array<std::int32_t, 12>{}));
    EXPECT_EQ(c.ViewAPTra[26].Indice, 26);
    EXPECT_EQ(c.ViewAPTra[26].Segundo, 1);
    EXPECT_EQ(c.DataAspDin[18].Indice, 18);
    EXPECT_EQ(c.DataAspDin[18].Width, 2);
    EXPECT_EQ(c.DataAspDin[18].Orbe, 2.0);
    EXPECT_THROW(c.Valor("Data", "NoExiste"), std::out_of_range);
    EXPECT_THROW(c.Valor("MatDig", "valmatdig_0_0"), std::out_of_range);
}

TEST(Configuracion, SinCarpetaDeDocumentosLasRutasEmpiezanPorLaBarra) {
    const Configuracion c = ConfiguracionPredeterminada("");
    EXPECT_EQ(c.Cadena("Data", "FileAGQ"), "/quillmere/Ejemplos_quillmere_v.02.agq");
    EXPECT_EQ(CarpetaPlantillas(""), "/quillmere/Orbelune plantillas/");
    EXPECT_EQ(FileARQPredeterminado(""),
              "/quillmere/Orbelune arquetipos/quillmere_C1_001_v.1.0.arq");
}

// --- the first run ----------------------------------------------------------

TEST(Configuracion, PrimeraEjecucionCreaUnArchivoCompleto) {
    const std::string texto = LeerYGuardar("");
    // Sections in their order, separated by one blank line.
    std::vector<std::string> cabeceras;
    for (const std::string& l : Lineas(texto)) {
        if (!l.empty() && l.front() == '[') {
            cabeceras.push_back(l);
        }
    }
    EXPECT_EQ(cabeceras,
              (std::vector<std::string>{"[Data]", "[View]", "[Apps]", "[ViewNat]", "[ViewTra]",
                                        "[ViewAPNat]", "[ViewAPTra]", "[ViewPelliqor]", "[MatDig]",
                                        "[DataAspNat]", "[DataAspDin]", "[DataAspNatDin]"}));
    EXPECT_TRUE(texto.starts_with("[Data]\r\nFileAGQ=/home/ana/Documentos/quillmere/"));
    EXPECT_NE(texto.find("\r\n\r\n[View]\r\n"), std::string::npos);
    EXPECT_TRUE(texto.ends_with("Asp18_Peso=1\r\n"));

    const auto data = LineasDeSeccion(texto, "Data");
    ASSERT_EQ(data.size(), 23u);
    EXPECT_EQ(data[2],
              "FileARQ=/home/ana/Documentos/quillmere/Orbelune arquetipos/"
              "quillmere_C1_001_v.1.0.arq");
    EXPECT_EQ(data[3], "TZ=0");
    EXPECT_EQ(data[4], "LugarGeoIdDefault=-1");
    EXPECT_EQ(data[16], "AboutUser=");
    EXPECT_EQ(data[18], "TemplateBC=16777215");

    const auto view = LineasDeSeccion(texto, "View");
    ASSERT_EQ(view.size(), 39u);
    for (const char* k : {"ViewPosCuspNat=0", "ViewPosCuspDin=0", "Especifico=0", "HexaEsp=0",
                          "Ciclos=1", "SignosRx=1", "FechaTra=1", "LugNac=0"}) {
        EXPECT_NE(std::find(view.begin(), view.end(), k), view.end()) << k;
    }
    EXPECT_EQ(view[35], "Orbe=8");
    EXPECT_EQ(view[36], "ColorDraw=16711935");
    EXPECT_EQ(LineasDeSeccion(texto, "Apps"), (std::vector<std::string>{"ShowFennimar=1"}));

    for (const char* s : {"ViewNat", "ViewTra", "ViewAPNat", "ViewAPTra"}) {
        const auto vista = LineasDeSeccion(texto, s);
        ASSERT_EQ(vista.size(), 27u) << s;  // no Peso keys
        for (int n = 0; n < 27; ++n) {
            const bool oculta = std::string(s) == "ViewAPTra" && n > 8;
            EXPECT_EQ(vista[static_cast<std::size_t>(n)],
                      "Item" + std::to_string(n) + (oculta ? "=0" : "=1"));
        }
    }

    const auto pelliqor = LineasDeSeccion(texto, "ViewPelliqor");
    ASSERT_EQ(pelliqor.size(), 138u);  // without ViewAspII and ViewAspIC
    EXPECT_EQ(pelliqor.front(), "ViewBackColor=0");
    EXPECT_EQ(pelliqor[95], "ViewIconAsp=1");
    EXPECT_EQ(pelliqor[96], "ColorS0=65535");
    EXPECT_EQ(pelliqor.back(), "ViewCircleRx2=0");
    EXPECT_EQ(texto.find("ViewAspII"), std::string::npos);
    EXPECT_EQ(texto.find("ViewAspIC"), std::string::npos);

    // Only the cells that are not 0, row by row.
    std::vector<std::string> esperadas;
    const Configuracion c = ConfiguracionPredeterminada(kDocs);
    for (int i = 0; i < 27; ++i) {
        for (int j = 0; j < 12; ++j) {
            const int v = c.MatDig[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            if (v > 0) {
                esperadas.push_back("valmatdig_" + std::to_string(i) + "_" + std::to_string(j) +
                                    "=" + std::to_string(v));
            }
        }
    }
    EXPECT_EQ(esperadas.size(), 52u);
    EXPECT_EQ(LineasDeSeccion(texto, "MatDig"), esperadas);

    for (const char* s : {"DataAspNat", "DataAspDin", "DataAspNatDin"}) {
        const auto asp = LineasDeSeccion(texto, s);
        ASSERT_EQ(asp.size(), 76u) << s;
        for (int n = 0; n < 19; ++n) {
            const std::string a = "Asp" + std::to_string(n);
            const auto k = static_cast<std::size_t>(4 * n);
            EXPECT_EQ(asp[k], a + "_Color=1");
            EXPECT_EQ(asp[k + 1], a + "_Width=1");
            EXPECT_EQ(asp[k + 2], a + "_Orbe=1");
            EXPECT_EQ(asp[k + 3], a + "_Peso=1");
        }
    }

    // A second run changes nothing.
    EXPECT_EQ(LeerYGuardar(texto), texto);
}

// --- the fixed rules --------------------------------------------------------

TEST(Configuracion, ClavesForzadasDeView) {
    const std::string antes =
        "[View]\r\nViewPosCuspNat=1\r\nViewPosCuspDin=1\r\nEspecifico=1\r\nHexaEsp=1\r\n"
        "Ciclos=0\r\nSignosRx=0\r\n";
    const Configuracion c = Leida(antes);
    EXPECT_FALSE(c.Booleano("View", "ViewPosCuspNat"));
    EXPECT_FALSE(c.Booleano("View", "HexaEsp"));
    EXPECT_TRUE(c.Booleano("View", "Ciclos"));
    EXPECT_TRUE(c.Booleano("View", "SignosRx"));
    const auto view = LineasDeSeccion(LeerYGuardar(antes), "View");
    EXPECT_EQ(std::vector<std::string>(view.begin(), view.begin() + 6),
              (std::vector<std::string>{"ViewPosCuspNat=0", "ViewPosCuspDin=0", "Especifico=0",
                                        "HexaEsp=0", "Ciclos=1", "SignosRx=1"}));
}

TEST(Configuracion, ViewAPTraOcultaLasEntradasTrasLaOctava) {
    const std::string antes =
        "[ViewAPNat]\r\nItem12=1\r\n[ViewAPTra]\r\nItem8=1\r\nItem12=1\r\nItem26=1\r\n";
    const Configuracion c = Leida(antes);
    EXPECT_TRUE(c.ViewAPNat[12].Visible);
    EXPECT_TRUE(c.ViewAPTra[8].Visible);
    EXPECT_FALSE(c.ViewAPTra[9].Visible);
    EXPECT_FALSE(c.ViewAPTra[12].Visible);
    const std::string despues = LeerYGuardar(antes);
    const auto apnat = LineasDeSeccion(despues, "ViewAPNat");
    const auto aptra = LineasDeSeccion(despues, "ViewAPTra");
    EXPECT_EQ(apnat.front(), "Item12=1");
    EXPECT_EQ(aptra[0], "Item8=1");
    EXPECT_EQ(aptra[1], "Item12=0");
    EXPECT_EQ(aptra[2], "Item26=0");
}

TEST(Configuracion, OcultasDelLimiteSoloEnListasSinMantenerTodo) {
    ListaVistas lista = ConfiguracionPredeterminada("").ViewNat;
    LeerVistas(Ini(""), "ViewNat", lista, 1, true);
    EXPECT_TRUE(lista[26].Visible);
    LeerVistas(Ini(""), "ViewNat", lista, 1, false);
    EXPECT_TRUE(lista[1].Visible);
    EXPECT_FALSE(lista[2].Visible);
}

TEST(Configuracion, PesosDeCeroOMenosNoSeEscriben) {
    const std::string antes =
        "[ViewNat]\r\nPeso3=0\r\nItem3=1\r\nPeso4=-2\r\nItem4=1\r\nPeso5=7\r\nItem5=1\r\n"
        "Peso6=abc\r\n";
    const Configuracion c = Leida(antes);
    EXPECT_EQ(c.ViewNat[3].Peso, 0);
    EXPECT_EQ(c.ViewNat[4].Peso, -2);
    EXPECT_EQ(c.ViewNat[5].Peso, 7);
    EXPECT_EQ(c.ViewNat[6].Peso, 0);
    const auto nat = LineasDeSeccion(LeerYGuardar(antes), "ViewNat");
    EXPECT_EQ(std::vector<std::string>(nat.begin(), nat.begin() + 7),
              (std::vector<std::string>{"Peso3=0", "Item3=1", "Peso4=-2", "Item4=1", "Peso5=7",
                                        "Item5=1", "Peso6=abc"}));
    EXPECT_EQ(std::count_if(nat.begin(), nat.end(),
                            [](const std::string& l) { return l.starts_with("Peso"); }),
              4);

    // A weight above 0 held by the program is written after the entries read.
    ArchivoIni ini = Ini("[ViewTra]\r\nItem0=1\r\n");
    Configuracion d = ConfiguracionPredeterminada(kDocs);
    LeerConfig(d, ini, "/no-existe/");
    d.ViewTra[0].Peso = 4;
    GuardarConfig(d, ini);
    EXPECT_EQ(LineasDeSeccion(ini.Contenido(), "ViewTra")[1], "Peso0=4");
}

TEST(Configuracion, CeldasDeMatDigEnCeroPierdenSuClave) {
    const std::string antes =
        "[MatDig]\r\nvalmatdig_0_0=0\r\nvalmatdig_12_3=2\r\nvalmatdig_12_4=-1\r\n"
        "valmatdig_0_1=0x2\r\nvalmatdig_0_2=x\r\n";
    const Configuracion c = Leida(antes);
    EXPECT_EQ(c.MatDig[0][0], 0);
    EXPECT_EQ(c.MatDig[12][3], 2);
    EXPECT_EQ(c.MatDig[12][4], -1);
    EXPECT_EQ(c.MatDig[0][1], 2);
    EXPECT_EQ(c.MatDig[0][4], 1);  // default
    const auto mat = LineasDeSeccion(LeerYGuardar(antes), "MatDig");
    EXPECT_EQ(std::find(mat.begin(), mat.end(), "valmatdig_0_0=0"), mat.end());
    EXPECT_EQ(std::find(mat.begin(), mat.end(), "valmatdig_12_4=-1"), mat.end());
    EXPECT_EQ(std::find(mat.begin(), mat.end(), "valmatdig_0_2=x"), mat.end());
    EXPECT_EQ(mat[0], "valmatdig_12_3=2");
    EXPECT_EQ(mat[1], "valmatdig_0_1=2");
    EXPECT_NE(std::find(mat.begin(), mat.end(), "valmatdig_0_4=1"), mat.end());
}

TEST(Configuracion, AspectosDeLasPlantillasCuandoAsp0WidthEsMenosUno) {
    CarpetaTemporal dir;
    const std::string plantillas = dir.Ruta() + "/";
    Escribir(dir / "DataAspNat.dat",
             "[DataAspNat]\r\nAsp0_Color=255\r\nAsp0_Width=3\r\nAsp0_Orbe=8\r\nAsp0_Peso=5\r\n"
             "Asp1_Orbe=2.5\r\n");
    Escribir(dir / "DataAspDin.dat", "[dataaspdin]\r\nAsp18_Orbe=$A\r\n");
    // No DataAspNatDin.dat: its values are all 1.
    const std::string antes = "[DataAspNat]\r\nAsp0_Color=7\r\n[DataAspDin]\r\nAsp0_Width=-1\r\n";
    const Configuracion c = Leida(antes, plantillas);
    EXPECT_TRUE(c.AspectosDePlantillas);
    EXPECT_EQ(c.DataAspNat[0].Color, 255);
    EXPECT_EQ(c.DataAspNat[0].Width, 3);
    EXPECT_EQ(c.DataAspNat[0].Orbe, 8.0);
    EXPECT_EQ(c.DataAspNat[0].Peso, 5);
    EXPECT_EQ(c.DataAspNat[1].Orbe, 1.0);  // a template orb is a whole number
    EXPECT_EQ(c.DataAspDin[18].Orbe, 10.0);
    EXPECT_EQ(c.DataAspDin[0].Width, 1);
    EXPECT_EQ(c.DataAspNatDin[5].Color, 1);

    const std::string despues = LeerYGuardar(antes, plantillas);
    const auto nat = LineasDeSeccion(despues, "DataAspNat");
    EXPECT_EQ(
        std::vector<std::string>(nat.begin(), nat.begin() + 4),
        (std::vector<std::string>{"Asp0_Color=255", "Asp0_Width=3", "Asp0_Orbe=8", "Asp0_Peso=5"}));
    const auto din = LineasDeSeccion(despues, "DataAspDin");
    EXPECT_EQ(din[0], "Asp0_Width=1");
    EXPECT_NE(std::find(din.begin(), din.end(), "Asp18_Orbe=10"), din.end());
    // From then on the settings file holds them: the templates are not read.
    const Configuracion otra = Leida(despues, "/no-existe/");
    EXPECT_FALSE(otra.AspectosDePlantillas);
    EXPECT_EQ(otra.DataAspNat[0].Color, 255);
}

TEST(Configuracion, AspectosDelArchivoConOrbeReal) {
    const std::string antes =
        "[DataAspNat]\r\nAsp1_Orbe=2.5\r\nAsp1_Color=$FF\r\n[DataAspDin]\r\nAsp0_Width=4\r\n";
    const Configuracion c = Leida(antes, "/no-existe/");
    EXPECT_FALSE(c.AspectosDePlantillas);
    EXPECT_EQ(c.DataAspNat[1].Orbe, 2.5);
    EXPECT_EQ(c.DataAspNat[1].Color, 255);
    EXPECT_EQ(c.DataAspNat[2].Orbe, 1.0);
    EXPECT_EQ(c.DataAspDin[0].Width, 4);
    const auto nat = LineasDeSeccion(LeerYGuardar(antes), "DataAspNat");
    EXPECT_EQ(nat[0], "Asp1_Orbe=2.5");
    EXPECT_EQ(nat[1], "Asp1_Color=255");
}

TEST(Configuracion, SeccionesEnCualquierCaja) {
    const std::string antes = "[data]\r\nfilearq=/x/otro.arq\r\n[VIEW]\r\nedad=0\r\n";
    const Configuracion c = Leida(antes);
    EXPECT_EQ(c.FileARQ(), "/x/otro.arq");
    EXPECT_FALSE(c.Booleano("View", "Edad"));
    const std::string despues = LeerYGuardar(antes);
    EXPECT_TRUE(despues.starts_with("[data]\r\nfilearq=/x/otro.arq\r\nFileAGQ="));
    EXPECT_EQ(despues.find("[Data]"), std::string::npos);
    EXPECT_EQ(despues.find("[View]"), std::string::npos);
    EXPECT_NE(despues.find("[VIEW]\r\nedad=0\r\nFechaTra=1\r\n"), std::string::npos);
}

TEST(Configuracion, BooleanosYesYDos) {
    const std::string antes = "[View]\r\nLugNac=yes\r\nEdad=yes\r\nAsp=2\r\n";
    const Configuracion c = Leida(antes);
    EXPECT_FALSE(c.Booleano("View", "LugNac"));  // default 0
    EXPECT_TRUE(c.Booleano("View", "Edad"));     // default 1
    EXPECT_TRUE(c.Booleano("View", "Asp"));
    const auto view = LineasDeSeccion(LeerYGuardar(antes), "View");
    EXPECT_EQ(std::vector<std::string>(view.begin(), view.begin() + 3),
              (std::vector<std::string>{"LugNac=0", "Edad=1", "Asp=1"}));
}

TEST(Configuracion, ValoresIlegiblesDanElPredeterminado) {
    const Configuracion c = Leida(
        "[Data]\r\nTZ=dos\r\nLugarGeoIdDefault=\r\nFT1=0x10\r\nAboutUser= \"Ana\" \r\n"
        "[ViewPelliqor]\r\nViewAspII=0\r\nColorS0=$FF\r\n[Apps]\r\nShowFennimar=1.5\r\n");
    EXPECT_EQ(c.Real("Data", "TZ"), 0.0);
    EXPECT_EQ(c.Entero("Data", "LugarGeoIdDefault"), -1);
    EXPECT_EQ(c.Entero("Data", "FT1"), 16);
    EXPECT_EQ(c.Cadena("Data", "AboutUser"), "Ana");
    EXPECT_FALSE(c.Booleano("ViewPelliqor", "ViewAspII"));
    EXPECT_TRUE(c.Booleano("ViewPelliqor", "ViewAspIC"));
    EXPECT_EQ(c.Entero("ViewPelliqor", "ColorS0"), 255);
    EXPECT_EQ(c.Entero("Apps", "ShowFennimar"), 1);
}

TEST(Configuracion, RealesConComa) {
    ArchivoIni ini = ArchivoIni::DesdeTexto(
        "[Data]\r\nTZ=-3,5\r\n[DataAspDin]\r\nAsp0_Width=1\r\n"
        "[DataAspNat]\r\nAsp0_Orbe=7,5\r\nAsp1_Orbe=7.5\r\n");
    ini.FijarSeparadorDecimal(',');
    Configuracion c = ConfiguracionPredeterminada(kDocs);
    LeerConfig(c, ini, "/no-existe/");
    EXPECT_EQ(c.Real("Data", "TZ"), -3.5);
    EXPECT_EQ(c.DataAspNat[0].Orbe, 7.5);
    EXPECT_EQ(c.DataAspNat[1].Orbe, 1.0);
    GuardarConfig(c, ini);
    const std::string despues = ini.Contenido();
    EXPECT_NE(despues.find("TZ=-3,5\r\n"), std::string::npos);
    EXPECT_NE(despues.find("Asp0_Orbe=7,5\r\n"), std::string::npos);
    EXPECT_NE(despues.find("Asp1_Orbe=1\r\n"), std::string::npos);
}

// --- another module's file --------------------------------------------------

// A complete file as the suite's other modules leave it: every key Varnolt
// writes, with the values Varnolt would write, plus keys, sections, comments
// and spacing of their own.
std::string ArchivoDeOtroModulo() {
    std::string completo = LeerYGuardar("");
    std::string texto = "; Orbelune - configuración compartida\r\n\r\n";
    texto += completo;
    // Extra keys inside Varnolt's sections, in odd places and spellings.
    const auto insertarTras = [&texto](const std::string& ancla, const std::string& extra) {
        const std::size_t p = texto.find(ancla);
        ASSERT_NE(p, std::string::npos) << ancla;
        texto.insert(p + ancla.size(), extra);
    };
    insertarTras("[Data]\r\n", "UltimoModulo=Lumbrisk\r\n;  nota del usuario\r\n");
    insertarTras("FT3=0\r\n", "FT3b = sin usar \r\n");
    insertarTras("ShowFennimar=1\r\n", "ShowLumbrisk=0\r\nShowKermadex=1\r\n");
    insertarTras("ViewIconAsp=1\r\n", "ViewExtra=3\n");
    insertarTras("[MatDig]\r\n", "valmatdig_30_1=4\r\n");
    texto +=
        "\r\n[Lumbrisk]\r\nVentana=10,20,300,400\r\nÚltimo=C:\\Usuarios\\José\\x.arq\r\n"
        "\r\n[Kermadex]\r\n; vacía\r\n";
    // The text is UTF-8 here; the file is Windows-1252.
    return Utf8ACp1252(texto);
}

TEST(Configuracion, ArchivoDeOtroModuloSeConservaByteAByte) {
    const std::string antes = ArchivoDeOtroModulo();
    EXPECT_EQ(LeerYGuardar(antes), antes);
}

TEST(Configuracion, ArchivoDeOtroModuloSoloCambiaLoQueFijanLasReglas) {
    std::string antes = ArchivoDeOtroModulo();
    const auto cambiar = [](std::string& t, const std::string& de, const std::string& a) {
        const std::size_t p = t.find(de);
        ASSERT_NE(p, std::string::npos) << de;
        t.replace(p, de.size(), a);
    };
    std::string esperado = antes;
    cambiar(antes, "ViewPosCuspNat=0", "ViewPosCuspNat=1");
    cambiar(antes, "SignosRx=1", "SignosRx = 0");
    cambiar(esperado, "SignosRx=1", "SignosRx = 1");
    cambiar(antes, "[ViewAPTra]\r\nItem0=1\r\n", "[ViewAPTra]\r\nItem0=1\r\nPeso1=-4\r\n");
    cambiar(esperado, "[ViewAPTra]\r\nItem0=1\r\n", "[ViewAPTra]\r\nItem0=1\r\nPeso1=-4\r\n");
    cambiar(antes,
            "Item12=0\r\nItem13=0\r\nItem14=0\r\nItem15=0\r\nItem16=0\r\nItem17=0\r\n"
            "Item18=0\r\nItem19=0\r\nItem20=0\r\nItem21=0\r\nItem22=0\r\nItem23=0\r\n"
            "Item24=0\r\nItem25=0\r\nItem26=0\r\n\r\n[ViewPelliqor]",
            "Item12=1\r\nItem13=0\r\nItem14=0\r\nItem15=0\r\nItem16=0\r\nItem17=0\r\n"
            "Item18=0\r\nItem19=0\r\nItem20=0\r\nItem21=0\r\nItem22=0\r\nItem23=0\r\n"
            "Item24=0\r\nItem25=0\r\nItem26=0\r\n\r\n[ViewPelliqor]");
    cambiar(antes, "[MatDig]\r\n", "[MatDig]\r\nvalmatdig_20_5=0\r\n");
    cambiar(antes, "Edad=1", "EDAD=2");
    cambiar(esperado, "Edad=1", "EDAD=1");
    cambiar(antes, "Asp3_Width=1", "Asp3_Width=yes");
    EXPECT_EQ(LeerYGuardar(antes), esperado);
}

}  // namespace
}  // namespace varnolt
