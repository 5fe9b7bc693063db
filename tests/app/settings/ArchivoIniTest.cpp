// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/ArchivoSeguro.h"
#include "app/settings/ArchivoIni.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include <csignal>
#include <filesystem>

#include "Temporal.h"

namespace varnolt {
namespace {

using prueba::CarpetaTemporal;
using prueba::Escribir;
using prueba::Leer;
using prueba::Listado;

ArchivoIni Ini(std::string_view texto, char separador = '.') {
    ArchivoIni ini = ArchivoIni::DesdeTexto(texto);
    ini.FijarSeparadorDecimal(separador);
    return ini;
}

// --- reading ---------------------------------------------------------------

TEST(ArchivoIni, SeccionesYClavesSinMayusculas) {
    const ArchivoIni ini = Ini("[data]\r\nfilearq=uno\r\n[VIEW]\r\nEDAD=0\r\n");
    EXPECT_EQ(ini.LeerCadena("Data", "FileARQ", "x"), "uno");
    EXPECT_FALSE(ini.LeerBooleano("View", "Edad", true));
    EXPECT_TRUE(ini.ExisteSeccion("DATA"));
    EXPECT_TRUE(ini.ExisteClave("dAtA", "FILEarq"));
    EXPECT_FALSE(ini.ExisteClave("View", "FileARQ"));
}

TEST(ArchivoIni, ValorSinBlancosNiComillas) {
    const ArchivoIni ini =
        Ini("[S]\r\n  a = uno dos  \r\nb=\"entre comillas\"\r\nc='simples'\r\nd=\"solo una\r\n"
            "e=\"\r\nf=\t\r\n");
    EXPECT_EQ(ini.LeerCadena("S", "a", ""), "uno dos");
    EXPECT_EQ(ini.LeerCadena("S", "b", ""), "entre comillas");
    EXPECT_EQ(ini.LeerCadena("S", "c", ""), "simples");
    EXPECT_EQ(ini.LeerCadena("S", "d", ""), "\"solo una");
    EXPECT_EQ(ini.LeerCadena("S", "e", ""), "\"");
    EXPECT_EQ(ini.LeerCadena("S", "f", "x"), "");
}

TEST(ArchivoIni, PrimeraSeccionYPrimeraClaveDeUnNombre) {
    const ArchivoIni ini = Ini("[S]\r\na=1\r\na=2\r\n[s]\r\na=3\r\nb=4\r\n");
    EXPECT_EQ(ini.LeerEntero("S", "a", 0), 1);
    // A key only in the second section of the name is not seen.
    EXPECT_EQ(ini.LeerEntero("S", "b", 0), 0);
}

TEST(ArchivoIni, ComentariosYLineasSinIgualNoSonClaves) {
    const ArchivoIni ini =
        Ini("; cabecera\r\n[S]\r\n;a=1\r\n  ; b=2\r\nc\r\n[sin cierre\r\nd=4\r\n");
    EXPECT_EQ(ini.LeerEntero("S", "a", 7), 7);
    EXPECT_EQ(ini.LeerEntero("S", "b", 7), 7);
    EXPECT_FALSE(ini.ExisteClave("S", "c"));
    // "[sin cierre" is no header: d stays in S.
    EXPECT_EQ(ini.LeerEntero("S", "d", 7), 4);
    EXPECT_EQ(ini.Claves("S"), (std::vector<std::string>{"d"}));
}

TEST(ArchivoIni, ClavesAntesDeLaPrimeraSeccionNoSeLeen) {
    const ArchivoIni ini = Ini("a=1\r\n[S]\r\nb=2\r\n");
    EXPECT_EQ(ini.LeerEntero("", "a", 0), 0);
    EXPECT_EQ(ini.LeerEntero("S", "b", 0), 2);
}

TEST(ArchivoIni, MarcaDeOrdenDeBytesAntesDeLaPrimeraSeccion) {
    const ArchivoIni ini = Ini("\xEF\xBB\xBF[Data]\r\nTZ=1\r\n");
    EXPECT_EQ(ini.LeerEntero("Data", "TZ", 0), 1);
    EXPECT_EQ(ini.Secciones(), (std::vector<std::string>{"Data"}));
}

TEST(ArchivoIni, FinesDeLineaLfYSinFinal) {
    const ArchivoIni ini = Ini("[S]\na=1\nb=2");
    EXPECT_EQ(ini.LeerEntero("S", "a", 0), 1);
    EXPECT_EQ(ini.LeerEntero("S", "b", 0), 2);
}

// CR alone, LF and CR LF end a line alike; every line keeps its own end and
// the lines added end in CR LF.
TEST(ArchivoIni, FinesDeLineaCrLfYCrLf) {
    struct Caso {
        const char* fin;
    };
    for (const Caso c : {Caso{"\r"}, Caso{"\n"}, Caso{"\r\n"}}) {
        const std::string fin = c.fin;
        const std::string texto =
            "[Data]" + fin + "TZ=2" + fin + "; nota" + fin + "[View]" + fin + "Edad=0" + fin;
        ArchivoIni ini = Ini(texto);
        EXPECT_EQ(ini.Secciones(), (std::vector<std::string>{"Data", "View"}));
        EXPECT_EQ(ini.LeerEntero("Data", "TZ", 0), 2);
        EXPECT_FALSE(ini.LeerBooleano("View", "Edad", true));
        ini.EscribirEntero("Data", "TZ", 3);
        ini.EscribirEntero("Data", "Nueva", 1);
        ini.EscribirEntero("Otra", "x", 1);
        EXPECT_EQ(ini.Contenido(), "[Data]" + fin + "TZ=3" + fin + "Nueva=1\r\n; nota" + fin +
                                       "[View]" + fin + "Edad=0" + fin + "\r\n[Otra]\r\nx=1\r\n");
    }
    // A CR right before an LF makes one line end, an LF before a CR two.
    EXPECT_EQ(Ini("[A]\n\rx=1").Claves("A"), std::vector<std::string>{"x"});
    EXPECT_EQ(Ini("[A]\n\rx=1").Contenido(), "[A]\n\rx=1");
}

TEST(ArchivoIni, Enteros) {
    EXPECT_EQ(LeerEnteroIni("12"), 12);
    EXPECT_EQ(LeerEnteroIni("-5"), -5);
    EXPECT_EQ(LeerEnteroIni("+5"), 5);
    EXPECT_EQ(LeerEnteroIni("0x1F"), 31);
    EXPECT_EQ(LeerEnteroIni("0X1f"), 31);
    EXPECT_EQ(LeerEnteroIni("$FF"), 255);
    EXPECT_EQ(LeerEnteroIni("$FFFFFFFF"), -1);
    EXPECT_EQ(LeerEnteroIni("-$10"), -16);
    EXPECT_EQ(LeerEnteroIni("2147483647"), 2147483647);
    EXPECT_EQ(LeerEnteroIni("-2147483648"), INT32_MIN);
    EXPECT_EQ(LeerEnteroIni("007"), 7);
    EXPECT_EQ(LeerEnteroIni("2147483648"), std::nullopt);
    EXPECT_EQ(LeerEnteroIni("$100000000"), std::nullopt);
    EXPECT_EQ(LeerEnteroIni(""), std::nullopt);
    EXPECT_EQ(LeerEnteroIni("-"), std::nullopt);
    EXPECT_EQ(LeerEnteroIni("0x"), std::nullopt);
    EXPECT_EQ(LeerEnteroIni("$"), std::nullopt);
    EXPECT_EQ(LeerEnteroIni("7a"), std::nullopt);
    EXPECT_EQ(LeerEnteroIni("1.0"), std::nullopt);
    EXPECT_EQ(LeerEnteroIni("yes"), std::nullopt);
    EXPECT_EQ(LeerEnteroIni("1 2"), std::nullopt);

    const ArchivoIni ini = Ini("[S]\r\na= 0x10 \r\nb=abc\r\n");
    EXPECT_EQ(ini.LeerEntero("S", "a", 0), 16);
    EXPECT_EQ(ini.LeerEntero("S", "b", -1), -1);
    EXPECT_EQ(ini.LeerEntero("S", "falta", 42), 42);
}

TEST(ArchivoIni, Booleanos) {
    const ArchivoIni ini =
        Ini("[S]\r\nsi=yes\r\ndos=2\r\ncero=0\r\nmenos=-1\r\nhex=0x0\r\nvacio=\r\n");
    EXPECT_TRUE(ini.LeerBooleano("S", "si", true));
    EXPECT_FALSE(ini.LeerBooleano("S", "si", false));
    EXPECT_TRUE(ini.LeerBooleano("S", "dos", false));
    EXPECT_FALSE(ini.LeerBooleano("S", "cero", true));
    EXPECT_TRUE(ini.LeerBooleano("S", "menos", false));
    EXPECT_FALSE(ini.LeerBooleano("S", "hex", true));
    EXPECT_TRUE(ini.LeerBooleano("S", "vacio", true));
    EXPECT_TRUE(ini.LeerBooleano("S", "falta", true));
}

TEST(ArchivoIni, RealesConElSeparadorRegional) {
    EXPECT_EQ(LeerRealIni("2.5", '.'), 2.5);
    EXPECT_EQ(LeerRealIni("2,5", ','), 2.5);
    EXPECT_EQ(LeerRealIni("2,5", '.'), std::nullopt);
    EXPECT_EQ(LeerRealIni("2.5", ','), std::nullopt);
    EXPECT_EQ(LeerRealIni("-0.25", '.'), -0.25);
    EXPECT_EQ(LeerRealIni("+3", '.'), 3);
    EXPECT_EQ(LeerRealIni(".5", '.'), 0.5);
    EXPECT_EQ(LeerRealIni("5.", '.'), 5);
    EXPECT_EQ(LeerRealIni("1E3", '.'), 1000);
    EXPECT_EQ(LeerRealIni("1.5e-2", '.'), 0.015);
    EXPECT_EQ(LeerRealIni("1E", '.'), std::nullopt);
    EXPECT_EQ(LeerRealIni(".", '.'), std::nullopt);
    EXPECT_EQ(LeerRealIni("", '.'), std::nullopt);
    EXPECT_EQ(LeerRealIni("abc", '.'), std::nullopt);
    EXPECT_EQ(LeerRealIni("1e999", '.'), std::nullopt);
    EXPECT_EQ(LeerRealIni("inf", '.'), std::nullopt);
    EXPECT_EQ(LeerRealIni("0x10", '.'), std::nullopt);

    const ArchivoIni coma = Ini("[S]\r\na=2,5\r\nb=2.5\r\n", ',');
    EXPECT_EQ(coma.LeerReal("S", "a", 1), 2.5);
    EXPECT_EQ(coma.LeerReal("S", "b", 1), 1);
}

TEST(ArchivoIni, TextoDeReales) {
    EXPECT_EQ(TextoRealIni(0, '.'), "0");
    EXPECT_EQ(TextoRealIni(2, '.'), "2");
    EXPECT_EQ(TextoRealIni(-3, '.'), "-3");
    EXPECT_EQ(TextoRealIni(2.5, '.'), "2.5");
    EXPECT_EQ(TextoRealIni(2.5, ','), "2,5");
    EXPECT_EQ(TextoRealIni(0.1, '.'), "0.1");
    EXPECT_EQ(TextoRealIni(-0.00001, '.'), "-0.00001");
    EXPECT_EQ(TextoRealIni(0.000001, '.'), "1E-6");
    EXPECT_EQ(TextoRealIni(1.5e-7, ','), "1,5E-7");
    EXPECT_EQ(TextoRealIni(123456789012345.0, '.'), "123456789012345");
    EXPECT_EQ(TextoRealIni(1e15, '.'), "1E15");
    EXPECT_EQ(TextoRealIni(1e20, '.'), "1E20");
    EXPECT_EQ(TextoRealIni(360.0 / 7.0, '.'), "51.4285714285714");
    EXPECT_EQ(TextoRealIni(1.0 / 3.0, '.'), "0.333333333333333");
    EXPECT_EQ(TextoRealIni(100, '.'), "100");
    // What is written reads back.
    for (double v : {2.5, 0.1, 1e-6, 51.4285714285714, -7.25, 1e20}) {
        EXPECT_EQ(LeerRealIni(TextoRealIni(v, ','), ','), v) << v;
    }
}

TEST(ArchivoIni, Windows1252) {
    ArchivoIni ini = Ini("[S]\r\nnombre=Jos\xe9 \x80\r\n");
    EXPECT_EQ(ini.LeerCadena("S", "nombre", ""), "José €");
    ini.EscribirCadena("S", "otro", "Año");
    EXPECT_EQ(ini.Contenido(), "[S]\r\nnombre=Jos\xe9 \x80\r\notro=A\xf1o\r\n");
}

// --- writing ---------------------------------------------------------------

TEST(ArchivoIni, ValorReemplazadoEnSuSitio) {
    const std::string antes =
        "; Orbelune\r\n[data]\r\nfilearq = viejo.arq   \r\nOtra=1\r\n\r\n[View]\r\nx=1\r\n";
    ArchivoIni ini = Ini(antes);
    ini.EscribirCadena("Data", "FileARQ", "nuevo.arq");
    EXPECT_EQ(ini.Contenido(),
              "; Orbelune\r\n[data]\r\nfilearq = nuevo.arq\r\nOtra=1\r\n\r\n[View]\r\nx=1\r\n");
}

TEST(ArchivoIni, ValorIgualDejaLaLineaComoEstaba) {
    const std::string antes = "[S]\r\na =  1  \r\nb=\"texto\"\r\nc=0x10\n";
    ArchivoIni ini = Ini(antes);
    ini.EscribirEntero("S", "a", 1);
    ini.EscribirCadena("S", "b", "texto");
    EXPECT_EQ(ini.Contenido(), antes);
    // 0x10 reads as 16 but is not the text "16": written in decimal.
    ini.EscribirEntero("S", "c", 16);
    EXPECT_EQ(ini.Contenido(), "[S]\r\na =  1  \r\nb=\"texto\"\r\nc=16\n");
}

TEST(ArchivoIni, ValorVacioSeReemplazaTrasElIgual) {
    ArchivoIni ini = Ini("[S]\r\na=   \r\n");
    ini.EscribirCadena("S", "a", "x");
    EXPECT_EQ(ini.Contenido(), "[S]\r\na=x\r\n");
}

TEST(ArchivoIni, ClaveNuevaTrasLaUltimaClaveDeSuSeccion) {
    ArchivoIni ini = Ini("[A]\r\nx=1\r\n; nota\r\ny=2\r\n\r\n; sobre B\r\n[B]\r\nz=3\r\n");
    ini.EscribirCadena("a", "nueva", "v");
    ini.EscribirCadena("A", "otra", "w");
    EXPECT_EQ(
        ini.Contenido(),
        "[A]\r\nx=1\r\n; nota\r\ny=2\r\nnueva=v\r\notra=w\r\n\r\n; sobre B\r\n[B]\r\nz=3\r\n");
}

TEST(ArchivoIni, ClaveNuevaEnSeccionVaciaTrasLaCabecera) {
    ArchivoIni ini = Ini("[A]\r\n\r\n[B]\r\nz=3");
    ini.EscribirCadena("A", "k", "1");
    ini.EscribirCadena("B", "k", "2");
    EXPECT_EQ(ini.Contenido(), "[A]\r\nk=1\r\n\r\n[B]\r\nz=3\r\nk=2\r\n");
}

TEST(ArchivoIni, SeccionNuevaAlFinalTrasUnaLineaEnBlanco) {
    ArchivoIni ini = Ini("[A]\r\nx=1");
    ini.EscribirCadena("B", "y", "2");
    ini.EscribirCadena("C", "z", "3");
    ini.EscribirCadena("B", "w", "4");
    EXPECT_EQ(ini.Contenido(), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\nw=4\r\n\r\n[C]\r\nz=3\r\n");

    ArchivoIni conBlanco = Ini("[A]\r\nx=1\r\n\r\n");
    conBlanco.EscribirCadena("B", "y", "2");
    EXPECT_EQ(conBlanco.Contenido(), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");

    ArchivoIni vacio;
    vacio.EscribirCadena("Data", "a", "1");
    vacio.EscribirCadena("View", "b", "0");
    EXPECT_EQ(vacio.Contenido(), "[Data]\r\na=1\r\n\r\n[View]\r\nb=0\r\n");
}

TEST(ArchivoIni, BorrarClave) {
    ArchivoIni ini = Ini("[M]\r\na=1\r\nb=0\r\nB=0\r\nc=2\r\n[N]\r\nb=5\r\n");
    ini.BorrarClave("m", "b");
    ini.BorrarClave("M", "falta");
    ini.BorrarClave("Falta", "a");
    EXPECT_EQ(ini.Contenido(), "[M]\r\na=1\r\nc=2\r\n[N]\r\nb=5\r\n");
}

TEST(ArchivoIni, LineasLfSeConservan) {
    ArchivoIni ini = Ini("[A]\nx=1\n");
    ini.EscribirEntero("A", "x", 2);
    ini.EscribirEntero("A", "y", 3);
    EXPECT_EQ(ini.Contenido(), "[A]\nx=2\ny=3\r\n");
}

TEST(ArchivoIni, SeccionesYClavesEnOrden) {
    const ArchivoIni ini = Ini("[ Uno ]\r\nb=1\r\n a =2\r\n[Dos]\r\n[uno]\r\nc=3\r\n");
    EXPECT_EQ(ini.Secciones(), (std::vector<std::string>{"Uno", "Dos", "uno"}));
    EXPECT_EQ(ini.Claves("UNO"), (std::vector<std::string>{"b", "a"}));
}

// --- saving ----------------------------------------------------------------

TEST(ArchivoIni, GuardarYLeer) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    ArchivoIni nuevo(ruta);
    EXPECT_FALSE(nuevo.Existia());
    EXPECT_EQ(nuevo.ErrorLectura(), 0);
    nuevo.EscribirCadena("Data", "FileARQ", "/x/a.arq");
    ASSERT_EQ(nuevo.Guardar(), std::nullopt);
    EXPECT_EQ(Leer(ruta), "[Data]\r\nFileARQ=/x/a.arq\r\n");
    EXPECT_EQ(Listado(dir.Ruta()), "Varnolt.ini\n");

    const ArchivoIni leido(ruta);
    EXPECT_TRUE(leido.Existia());
    EXPECT_EQ(leido.LeerCadena("data", "filearq", ""), "/x/a.arq");
}

TEST(ArchivoIni, GuardarConservaLosPermisos) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    Escribir(ruta, "[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(ruta.c_str(), 0640), 0);
    ArchivoIni ini(ruta);
    ini.EscribirEntero("A", "x", 2);
    ASSERT_EQ(ini.Guardar(), std::nullopt);
    struct stat st {};
    ASSERT_EQ(::stat(ruta.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(ArchivoIni, GuardarSigueElEnlace) {
    CarpetaTemporal dir;
    const std::string real = dir / "real.ini";
    const std::string enlace = dir / "Varnolt.ini";
    Escribir(real, "[A]\r\nx=1\r\n");
    ASSERT_EQ(::symlink("real.ini", enlace.c_str()), 0);
    ArchivoIni ini(enlace);
    ini.EscribirEntero("A", "x", 2);
    ASSERT_EQ(ini.Guardar(), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(enlace));
    EXPECT_EQ(Leer(real), "[A]\r\nx=2\r\n");
}

TEST(ArchivoIni, FalloAlGuardarEnUnaCarpetaQueNoExiste) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "no-existe/Varnolt.ini";
    ArchivoIni ini(ruta);
    ini.EscribirEntero("A", "x", 1);
    const auto error = ini.Guardar();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->ruta, ruta);
    EXPECT_EQ(error->Mensaje(), "Unable to write to " + ruta);
    EXPECT_EQ(error->textoSistema, TextoErrorSistema(ENOENT));
    EXPECT_EQ(error->Texto(), "Unable to write to " + ruta + "\n" + error->textoSistema);
}

TEST(ArchivoIni, FalloAlGuardarEnUnaCarpetaDeSoloLectura) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes in read-only folders";
    }
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    Escribir(ruta, "[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(dir.Ruta().c_str(), 0555), 0);
    ArchivoIni ini(ruta);
    ini.EscribirEntero("A", "x", 2);
    const auto error = ini.Guardar();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->textoSistema, TextoErrorSistema(EACCES));
    EXPECT_EQ(Leer(ruta), "[A]\r\nx=1\r\n");
    EXPECT_EQ(Listado(dir.Ruta()), "Varnolt.ini\n");
}

TEST(ArchivoIni, UnArchivoDeSoloLecturaNoSeReemplaza) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes read-only files";
    }
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    Escribir(ruta, "[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(ruta.c_str(), 0444), 0);
    ArchivoIni ini(ruta);
    ini.EscribirEntero("A", "x", 2);
    ASSERT_TRUE(ini.Guardar().has_value());
    EXPECT_EQ(Leer(ruta), "[A]\r\nx=1\r\n");
}

TEST(ArchivoIni, UnDirectorioEnLugarDelArchivoNoSeReemplaza) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    std::filesystem::create_directory(ruta);
    ArchivoIni ini(ruta);
    EXPECT_FALSE(ini.Existia());
    EXPECT_EQ(ini.ErrorLectura(), EISDIR);
    ini.EscribirEntero("A", "x", 2);
    const auto error = ini.Guardar();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->textoSistema, TextoErrorSistema(EISDIR));
    EXPECT_TRUE(std::filesystem::is_directory(ruta));
}

// A full disk: the temporary file cannot grow past a few bytes.
TEST(ArchivoIni, FalloAlEscribirDejaElArchivoComoEstaba) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    const std::string antes = "[A]\r\nx=1\r\n";
    Escribir(ruta, antes);
    ArchivoIni ini(ruta);
    ini.EscribirCadena("A", "largo", std::string(4096, 'z'));

    const auto senal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limite), 0);
    const struct rlimit pequeno = {100, limite.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &pequeno), 0);
    const auto error = ini.Guardar();
    ::setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, senal);

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Mensaje(), "Unable to write to " + ruta);
    EXPECT_EQ(error->textoSistema, TextoErrorSistema(EFBIG));
    EXPECT_EQ(Leer(ruta), antes);
    EXPECT_EQ(Listado(dir.Ruta()), "Varnolt.ini\n");
}

// Whatever is not a regular file is not read (a FIFO would block the
// opening) and not replaced.
TEST(ArchivoIni, UnFifoNoSeLeeNiSeReemplaza) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    ASSERT_EQ(::mkfifo(ruta.c_str(), 0600), 0);
    ArchivoIni ini(ruta);
    EXPECT_FALSE(ini.Existia());
    EXPECT_EQ(ini.FalloLectura().causa, FalloArchivo::Causa::NoNormal);
    EXPECT_EQ(ini.TextoErrorLectura(), "\"" + ruta + "\" no es un archivo normal");
    ini.EscribirEntero("A", "x", 2);
    const auto error = ini.Guardar();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Texto(),
              "Unable to write to " + ruta + "\n\"" + ruta + "\" no es un archivo normal");
    struct stat st {};
    ASSERT_EQ(::lstat(ruta.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(Listado(dir.Ruta()), "Varnolt.ini\n");
}

// Read-only even for root, who could write it anyway.
TEST(ArchivoIni, UnArchivoSinPermisoDeEscrituraNoSeReemplazaNiPorRoot) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    Escribir(ruta, "[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(ruta.c_str(), 0444), 0);
    ArchivoIni ini(ruta);
    ini.EscribirEntero("A", "x", 2);
    const auto error = ini.Guardar();
    ASSERT_TRUE(error.has_value());
    if (::geteuid() == 0) {
        EXPECT_EQ(error->textoSistema, "\"" + ruta + "\" es de solo lectura");
    }
    EXPECT_EQ(Leer(ruta), "[A]\r\nx=1\r\n");
}

// A write killed before its rename leaves ".Varnolt.ini.XXXXXX" behind; the
// next successful write removes such files older than the current run, and
// nothing else.
TEST(ArchivoIni, GuardarBorraLosTemporalesViejosDelMismoNombre) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    Escribir(ruta, "[A]\r\nx=1\r\n");
    const auto viejo = [&](const std::string& nombre) {
        Escribir(dir / nombre, "resto");
        const timespec hace[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        EXPECT_EQ(::utimensat(AT_FDCWD, (dir / nombre).c_str(), hace, 0), 0);
    };
    viejo(".Varnolt.ini.a1B2c3");                                // removed
    viejo(".Varnolt.ini.zzzzzz");                                // removed
    viejo(".Varnolt.ini.abc");                                   // not the pattern
    viejo(".Otro.ini.a1B2c3");                                   // another file's
    viejo("Varnolt.ini.a1B2c3");                                 // no leading dot
    Escribir(dir / ".Varnolt.ini.Nuevo1", "de esta ejecucion");  // newer than the run
    ASSERT_EQ(::symlink("Varnolt.ini", (dir / ".Varnolt.ini.enlace").c_str()), 0);
    ArchivoIni ini(ruta);
    ini.EscribirEntero("A", "x", 2);
    ASSERT_EQ(ini.Guardar(), std::nullopt);
    EXPECT_EQ(Listado(dir.Ruta()),
              ".Otro.ini.a1B2c3\n.Varnolt.ini.Nuevo1\n.Varnolt.ini.abc\n.Varnolt.ini.enlace\n"
              "Varnolt.ini\nVarnolt.ini.a1B2c3\n");
    EXPECT_EQ(Leer(ruta), "[A]\r\nx=2\r\n");
}

TEST(ArchivoIni, SinRutaNoSeGuarda) {
    ArchivoIni ini;
    ini.EscribirEntero("A", "x", 1);
    EXPECT_TRUE(ini.Guardar().has_value());
}

}  // namespace
}  // namespace varnolt

namespace varnolt {
namespace {

// Many blank and comment lines are held as runs: a key after a million of
// them is found, one added goes where it belongs, and every byte comes back.
TEST(ArchivoIni, MuchasLineasEnBlancoSeConservanYNoEstorban) {
    std::string blancos;
    for (int i = 0; i < 1000000; ++i) {
        blancos += i % 3 == 0 ? "\n" : (i % 3 == 1 ? "\r\n" : "; nota\r\n");
    }
    const std::string texto =
        "; ajustes\r\n[Data]\r\nTZ=1\r\n" + blancos + "[View]\r\nEdad=0\r\n\r\n\r\n";
    ArchivoIni ini = Ini(texto);
    EXPECT_EQ(ini.LeerEntero("data", "tz", 0), 1);
    EXPECT_EQ(ini.LeerEntero("VIEW", "Edad", 7), 0);
    // Compared whole, not printed: a difference of megabytes is no message.
    EXPECT_TRUE(ini.Contenido() == texto);
    ini.EscribirEntero("Data", "Nueva", 2);
    ini.EscribirEntero("View", "Otra", 3);
    EXPECT_TRUE(ini.Contenido() == "; ajustes\r\n[Data]\r\nTZ=1\r\nNueva=2\r\n" + blancos +
                                       "[View]\r\nEdad=0\r\nOtra=3\r\n\r\n\r\n");
}

TEST(ArchivoIni, UnArchivoMayorQueSuLimiteSeRechazaSinTocarlo) {
    CarpetaTemporal dir;
    const std::string ruta = dir / "Varnolt.ini";
    const std::string texto = "[A]\r\nx=1\r\n" + std::string(200, '\n');
    Escribir(ruta, texto);
    FormaIni forma;
    forma.limite = 100;
    ArchivoIni ini(ruta, forma);
    EXPECT_FALSE(ini.Existia());
    EXPECT_EQ(ini.FalloLectura().causa, FalloArchivo::Causa::Grande);
    EXPECT_EQ(ini.TextoErrorLectura(), "\"" + ruta + "\" es demasiado grande (más de 100 bytes)");
    ini.EscribirEntero("A", "x", 2);
    EXPECT_TRUE(ini.Guardar().has_value());
    EXPECT_EQ(Leer(ruta), texto);
    EXPECT_EQ(kLimiteArchivoIni, 16u << 20);
}

// The program's small files: UTF-8 text whose keys stand before any section.
TEST(ArchivoIni, ClavesSinSeccionEnUtf8) {
    FormaIni forma;
    forma.utf8 = true;
    forma.clavesSinSeccion = true;
    ArchivoIni ini = ArchivoIni::DesdeTexto("; nota\nnombre=Ágata\nAjena=1\n[Otra]\nx=2\n", forma);
    EXPECT_EQ(ini.LeerCadena("", "NOMBRE", ""), "Ágata");
    EXPECT_EQ(ini.LeerCadena("Otra", "x", ""), "2");
    ini.EscribirCadena("", "nombre", "Íñigo");
    ini.EscribirCadena("", "zona", "Europe/Madrid");
    EXPECT_EQ(ini.Contenido(),
              "; nota\nnombre=Íñigo\nAjena=1\nzona=Europe/Madrid\r\n[Otra]\nx=2\n");

    ArchivoIni vacio = ArchivoIni::DesdeTexto("", forma);
    vacio.EscribirCadena("", "a", "1");
    EXPECT_EQ(vacio.Contenido(), "a=1\r\n");
}

}  // namespace
}  // namespace varnolt
