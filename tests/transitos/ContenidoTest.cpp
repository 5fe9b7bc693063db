// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/Comandos.h"
#include "support/AgendaDePrueba.h"
#include "support/SalidaComando.h"
#include "transitos/DatosCarta.h"

namespace varnolt {
namespace {

TEST(Contenido, ListsAreReadAndWrittenBack) {
    struct Caso {
        const char* cuerpos;
        const char* puntos;
        const char* aspectos;
        const char* texto;  // cuerpos|puntos|aspectos as written back
    };
    const Caso casos[] = {
        {"Sol,Lun", "C01 C10", "0,90", "Sol,Lun|C01,C10|0,90"},
        // Any case, "Jup" for "Júp", repeats and blanks; table order.
        {"plu; jup ,SOL,Sol", "c10,Júp", " 90 0", "Sol,Júp,Plu|Júp,C10|0,90"},
        {"todos", "NodS,RfN,PrT", "51,15",
         "Sol,Lun,Mer,Ven,Mar,Júp,Sat,Ura,Nep,Plu,Nod,NodT,Lil,"
         "LilT,Qui,Pho,Cer,Pal,Jun,Ves|NodS,RfN,PrT|51,15"},
    };
    for (const Caso& c : casos) {
        ContenidoAgenda k;
        std::string error;
        ASSERT_TRUE(LeerCuerpos(c.cuerpos, k, error)) << error;
        ASSERT_TRUE(LeerPuntos(c.puntos, k, error)) << error;
        ASSERT_TRUE(LeerAspectos(c.aspectos, k, error)) << error;
        EXPECT_EQ(TextoCuerpos(k) + "|" + TextoPuntos(k) + "|" + TextoAspectos(k), c.texto);
    }
    // A bad list leaves the content as it was.
    ContenidoAgenda k = *ContenidoDePerfil("Esencial");
    std::string error;
    EXPECT_FALSE(LeerPuntos("Sol,Tierra", k, error));
    EXPECT_EQ(error, "\"Tierra\" no está entre los puntos natales que se pueden elegir");
    EXPECT_FALSE(LeerAspectos("", k, error));
    EXPECT_EQ(error, "la lista de aspectos está vacía");
    EXPECT_FALSE(LeerAspectos("0,90.5", k, error));
    EXPECT_EQ(k, *ContenidoDePerfil("Esencial"));
}

TEST(Contenido, Profiles) {
    // Every profile is found by its name and gives its name back.
    for (const PerfilAgenda& p : PerfilesAgenda()) {
        EXPECT_EQ(PerfilDeContenido(*ContenidoDePerfil(p.nombre)), p.nombre);
    }
    EXPECT_EQ(PerfilesAgenda().front().nombre, std::string(kPerfilPredeterminado));
    const ContenidoAgenda e = *ContenidoDePerfil("esencial");
    EXPECT_EQ(TextoCuerpos(e), "Sol,Lun,Mer,Ven,Mar,Júp,Sat,Ura,Nep,Plu,Nod");
    EXPECT_EQ(TextoPuntos(e), "Sol,Lun,Mer,Ven,Mar,C01,C10");
    EXPECT_EQ(TextoAspectos(e), "0,180,120,90,60");
    const ContenidoAgenda c = *ContenidoDePerfil("Completo");
    EXPECT_EQ(std::count(c.puntos.begin(), c.puntos.end(), true), kNumPuntosNatales);
    EXPECT_FALSE(ContenidoDePerfil("Mínimo"));
    // The default model holds the default profile; a list changes one part.
    EXPECT_EQ(ModeloPredeterminado().contenido, e);
    TextosCarta t;
    t.perfil = "Completo";
    t.aspectos = "0";
    std::string error;
    const auto leido = LeerContenido(t, error);
    ASSERT_TRUE(leido) << error;
    EXPECT_EQ(leido->cuerpos, c.cuerpos);
    EXPECT_EQ(TextoAspectos(*leido), "0");
    EXPECT_EQ(PerfilDeContenido(*leido), "");
}

// The command writes only the chosen bodies, points and angles.
TEST(Contenido, TheCommandWritesOnlyTheChosenContent) {
    prueba::CarpetaTemporal carpeta;
    const std::string ruta = (carpeta.ruta() / "a.csv").string();
    // An empty settings file: the orbs and houses of the user's own settings
    // must not change what is written.
    const std::string config = carpeta.Escribir("V.ini", "");
    struct Caso {
        std::vector<std::string> opciones;
        std::set<std::string> cuerpos, puntos, aspectos;
    };
    const Caso casos[] = {
        {{},
         {"Sol", "Lun", "Mer", "Ven", "Mar", "J\xFAp", "Sat", "Ura", "Nep", "Plu", "Nod"},
         {"Sol", "Lun", "Mer", "Ven", "Mar", "C01", "C10"},
         {"0", "180", "120", "90", "60"}},
        {{"--perfil", "Completo", "--cuerpos", "Lun", "--puntos", "C10,Sol", "--aspectos", "0,90"},
         {"Lun"},
         {"Sol", "C10"},
         {"0", "90"}},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> args = {"--nacimiento", "1985-06-15T14:30",
                                         "--zona",       "Europe/Madrid",
                                         "--lugar",      "40.4168,-3.7038",
                                         "--desde",      "2026-01-01",
                                         "--hasta",      "2026-03-31",
                                         "--salida",     ruta,
                                         "--config",     config};
        args.insert(args.end(), c.opciones.begin(), c.opciones.end());
        const prueba::Salida s = prueba::EjecutarComando(ComandoAgenda, args);
        ASSERT_EQ(s.codigo, 0) << s.err;
        std::set<std::string> cuerpos, puntos, aspectos;
        std::ifstream in(ruta, std::ios::binary);
        std::string linea;
        std::getline(in, linea);
        size_t lineas = 0;
        while (std::getline(in, linea)) {
            std::istringstream campos(linea);  // CR LF: >> drops the CR
            std::vector<std::string> tok;
            for (std::string x; campos >> x;) {
                tok.push_back(x);
            }
            ASSERT_EQ(tok.size(), 22u) << linea;
            puntos.insert(tok[5]);
            cuerpos.insert(tok[6]);
            aspectos.insert(tok[10]);
            ++lineas;
        }
        EXPECT_GT(lineas, 5u);
        // Within the chosen sets; over three months every chosen point and
        // angle is met.
        for (const auto& x : cuerpos)
            EXPECT_TRUE(c.cuerpos.count(x)) << x;
        EXPECT_EQ(puntos, c.puntos);
        EXPECT_EQ(aspectos, c.aspectos);
    }
}

}  // namespace
}  // namespace varnolt
