// SPDX-License-Identifier: AGPL-3.0-or-later
// Contact ranges without the window: tables, the walk over a pair's days, the
// aspect-sign texts and the three line formats.
#include <gtest/gtest.h>

#include "export/Rangos.h"

namespace varnolt {
namespace {

TFecha Dia(int d, int m = 1, int a = 2024) {
    return CodificarFecha(a, m, d);
}

std::vector<TTendenciaFecha> Dias(const std::vector<std::pair<TFecha, double>>& dias) {
    std::vector<TTendenciaFecha> r;
    for (const auto& [fecha, peso] : dias) {
        r.push_back({1, fecha, peso, false});
    }
    return r;
}

// Days of January 2024 with weight 1.
std::vector<TTendenciaFecha> DiasDeEnero(const std::vector<int>& dias) {
    std::vector<std::pair<TFecha, double>> r;
    for (int d : dias) {
        r.emplace_back(Dia(d), 1.0);
    }
    return Dias(r);
}

std::vector<TRangoTendencia> Recorrer(const std::vector<TTendenciaFecha>& dias,
                                      std::vector<TFecha>* pedidos = nullptr) {
    std::vector<TRangoTendencia> r;
    RecorrerDias(
        dias, "Júp", "Sol",
        [&](TFecha f) {
            if (pedidos != nullptr) {
                pedidos->push_back(f);
            }
            return "90," + std::to_string(f - Dia(1) + 1);
        },
        r);
    return r;
}

std::vector<TRangoTendencia> Reportados(const std::vector<TRangoTendencia>& r) {
    std::vector<TRangoTendencia> s;
    for (const auto& x : r) {
        if (!x.CodTransito.empty()) {
            s.push_back(x);
        }
    }
    return s;
}

TEST(Rangos, ItemNumbersAndNames) {
    const char* codigos[] = {"Sol", "Lun", "Mer", "Ven",  "Mar", "Júp", "Sat", "Ura",
                             "Nep", "Plu", "Nod", "NodS", "Lil", "Qui", "RfD", "RfN"};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(NumeroItem(codigos[i]), i + 1) << codigos[i];
    }
    EXPECT_EQ(NumeroItem("Jup"), 6);
    for (const char* otro : {"C01", "C05", "C12", "sol", "SOL", "NodT", "LilT", "Tie", "Pr", "PrT",
                             "Cer", "Pho", "NodST", ""}) {
        EXPECT_EQ(NumeroItem(otro), 0) << otro;
    }
    EXPECT_EQ(NombreItem(1), "Sol");
    EXPECT_EQ(NombreItem(2), "Luna");
    EXPECT_EQ(NombreItem(6), "Júpiter");
    EXPECT_EQ(NombreItem(10), "Plutón");
    EXPECT_EQ(NombreItem(11), "Nodo Norte");
    EXPECT_EQ(NombreItem(12), "Nodo Sur");
    EXPECT_EQ(NombreItem(14), "Quirón");
    EXPECT_EQ(NombreItem(15), "Parte Fortuna");
    EXPECT_EQ(NombreItem(16), "Parte Espíritu");
    EXPECT_EQ(NombreItem(0), "");
    EXPECT_EQ(NombreItem(17), "");
    // Number 0 in the prompt line: the house, or the code itself.
    EXPECT_EQ(NombreItemPrompt(0, "C05"), "Casa 5");
    EXPECT_EQ(NombreItemPrompt(0, "C12"), "Casa 12");
    EXPECT_EQ(NombreItemPrompt(0, "C13"), "C13");
    EXPECT_EQ(NombreItemPrompt(0, "PrT"), "PrT");
    EXPECT_EQ(NombreItemPrompt(6, "Júp"), "Júpiter");
}

TEST(Rangos, PhraseTables) {
    EXPECT_EQ(FraseAspecto(0), "CONJUNCIÓN (0°)");
    EXPECT_EQ(FraseAspecto(30), "SEMI SEXTIL (30°)");
    EXPECT_EQ(FraseAspecto(60), "SEXTIL (60°)");
    EXPECT_EQ(FraseAspecto(90), "CUADRATURA (90°)");
    EXPECT_EQ(FraseAspecto(120), "TRIGONO (120°)");
    EXPECT_EQ(FraseAspecto(150), "QUINCUNCIO (150°)");
    EXPECT_EQ(FraseAspecto(180), "OPOCISION (180°)");
    EXPECT_EQ(FraseAspecto(45), "MÚLTIPLO DE 15");
    EXPECT_EQ(FraseAspecto(-1), "MÚLTIPLO DE 15");
    const char* signos[] = {"ARIES", "TAURO",    "GEMINIS",   "CÁNCER",      "LEO",     "VIRGO",
                            "LIBRA", "ESCORPIO", "SAGITARIO", "CAPRICORNIO", "ACUARIO", "PISCIS"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(FraseSigno(i + 1), signos[i]);
    }
    EXPECT_EQ(FraseSigno(0), "Signo desconocido");
    EXPECT_EQ(FraseSigno(13), "Signo desconocido");
}

TEST(Rangos, AspectSignTexts) {
    EXPECT_EQ(FraseAspSigno("90,2"), "desde TAURO hace CUADRATURA (90°)");
    EXPECT_EQ(FraseAspSigno(" 180 , 12 "), "desde PISCIS hace OPOCISION (180°)");
    EXPECT_EQ(FraseAspSigno("45,13"), "desde Signo desconocido hace MÚLTIPLO DE 15");
    EXPECT_EQ(FraseAspSigno("x,"), "desde Signo desconocido hace MÚLTIPLO DE 15");
    EXPECT_EQ(FraseAspSigno("-"), "Formato inválido");
    EXPECT_EQ(FraseAspSigno(""), "Formato inválido");
    EXPECT_EQ(FormatoAspSigno("90,4"), "90,4");
    EXPECT_EQ(FormatoAspSigno(" 90 ,  4"), "90,4");
    EXPECT_EQ(FormatoAspSigno("a,3"), "-1,3");
    EXPECT_EQ(FormatoAspSigno("90,4,5"), "90,-1");
    EXPECT_EQ(FormatoAspSigno("-"), "Formato inválido");
    EXPECT_EQ(TextoAspSigno(90, 105.5), "90,4");
    EXPECT_EQ(TextoAspSigno(0, 0), "0,1");
    EXPECT_EQ(TextoAspSigno(120, 359.99), "120,12");
    std::int32_t a = 0;
    EXPECT_TRUE(AnguloDeTextoArq("Cuadratura (90°)", a));
    EXPECT_EQ(a, 90);
    EXPECT_TRUE(AnguloDeTextoArq("Tri\r\ngono (1\r2\n0°) (x)", a));
    EXPECT_EQ(a, 120);
    EXPECT_FALSE(AnguloDeTextoArq("Cuadratura", a));
    EXPECT_FALSE(AnguloDeTextoArq("Cuadratura (noventa)", a));
    EXPECT_FALSE(AnguloDeTextoArq("Cuadratura )90(", a));
}

TEST(Rangos, FewerThanFourDaysGiveNothing) {
    EXPECT_TRUE(Recorrer(DiasDeEnero({})).empty());
    EXPECT_TRUE(Recorrer(DiasDeEnero({1, 2, 3})).empty());
    const auto r = Reportados(Recorrer(DiasDeEnero({1, 2, 3, 4})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].FechaInicio, Dia(1));
    EXPECT_EQ(r[0].FechaFin, Dia(4));
}

TEST(Rangos, Days12356GiveTwoRanges) {
    const auto r = Reportados(Recorrer(DiasDeEnero({1, 2, 3, 5, 6})));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].FechaInicio, Dia(1));
    EXPECT_EQ(r[0].FechaFin, Dia(3));
    EXPECT_EQ(r[1].FechaInicio, Dia(5));
    EXPECT_EQ(r[1].FechaFin, Dia(6));
    EXPECT_EQ(r[1].FechaPico, Dia(5));  // the last day is never the peak
}

TEST(Rangos, Days123410GiveOneRange) {
    const auto todos = Recorrer(DiasDeEnero({1, 2, 3, 4, 10}));
    ASSERT_EQ(todos.size(), 2u);
    EXPECT_EQ(todos[0].FechaInicio, Dia(1));
    EXPECT_EQ(todos[0].FechaFin, Dia(4));
    // Day 10 closes a range that was never opened: no codes, never reported.
    EXPECT_EQ(todos[1].CodTransito, "");
    EXPECT_EQ(todos[1].FechaInicio, 0);
    EXPECT_EQ(todos[1].FechaFin, Dia(10));
    EXPECT_EQ(todos[1].AspSigno, "");
    EXPECT_EQ(Reportados(todos).size(), 1u);
}

TEST(Rangos, Days1357GiveThreeOneDayRanges) {
    const auto r = Reportados(Recorrer(DiasDeEnero({1, 3, 5, 7})));
    ASSERT_EQ(r.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r[i].FechaInicio, Dia(static_cast<int>(1 + 2 * i)));
        EXPECT_EQ(r[i].FechaFin, r[i].FechaInicio);
        EXPECT_EQ(r[i].FechaPico, r[i].FechaInicio);
    }
}

TEST(Rangos, TiesKeepTheEarlierPeak) {
    std::vector<TFecha> pedidos;
    const auto r = Reportados(Recorrer(
        Dias({{Dia(1), 1}, {Dia(2), 5}, {Dia(3), 5}, {Dia(4), 2}, {Dia(5), 9}}), &pedidos));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].FechaPico, Dia(2));
    EXPECT_EQ(r[0].AspSigno, "90,2");  // taken from the peak day
    EXPECT_EQ(r[0].FechaFin, Dia(5));
    EXPECT_EQ(pedidos, std::vector<TFecha>{Dia(2)});
}

TEST(Rangos, StrictMaximumAndCodes) {
    const auto r = Reportados(
        Recorrer(Dias({{Dia(1), 1}, {Dia(2), 1.5}, {Dia(3), 1.25}, {Dia(4), 3}, {Dia(5), 2}})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].FechaPico, Dia(4));
    EXPECT_EQ(r[0].AspSigno, "90,4");
    EXPECT_EQ(r[0].CodTransito, "Júp");
    EXPECT_EQ(r[0].CodNatal, "Sol");
    EXPECT_EQ(r[0].IdTransito, 0);  // SetIdsRango fills them later
}

TEST(Rangos, LeadingZeroWeightsRestartTheRange) {
    auto r = Reportados(Recorrer(
        Dias({{Dia(1), 0}, {Dia(2), 0}, {Dia(3), 2}, {Dia(4), 1}, {Dia(5), 1}, {Dia(6), 1}})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].FechaInicio, Dia(3));
    EXPECT_EQ(r[0].FechaPico, Dia(3));
    EXPECT_EQ(r[0].FechaFin, Dia(6));
    // A zero day before a gap opens a range of its own; the day after the
    // gap starts afresh.
    r = Reportados(
        Recorrer(Dias({{Dia(1), 0}, {Dia(3), 0}, {Dia(4), 2}, {Dia(5), 1}, {Dia(6), 1}})));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].FechaInicio, Dia(1));
    EXPECT_EQ(r[0].FechaFin, Dia(1));
    EXPECT_EQ(r[1].FechaInicio, Dia(4));
    EXPECT_EQ(r[1].FechaFin, Dia(6));
}

TRangoTendencia Ejemplo() {
    TRangoTendencia r;
    r.CodTransito = "Júp";
    r.CodNatal = "Sol";
    r.AspSigno = "90,2";
    r.FechaInicio = Dia(5, 1);
    r.FechaPico = Dia(20, 1);
    r.FechaFin = Dia(10, 2);
    SetIdsRango(r);
    return r;
}

TEST(Rangos, LineFormatsByteForByte) {
    const TRangoTendencia r = Ejemplo();
    EXPECT_EQ(r.IdTransito, 6);
    EXPECT_EQ(r.IdNatal, 1);
    EXPECT_EQ(LineaPrompt(r),
              ".- Júpiter desde TAURO hace CUADRATURA (90°) a Sol natal desde 2024-01-05, hasta "
              "2024-02-10.");
    EXPECT_EQ(LineaDatosRango(r, 1), "1,6,90,2,1,05/01/2024,10/02/2024,37");
    EXPECT_EQ(LineaTecnica(r, 1), "1,6,1,90,2,2024-01-05,2024-01-20,2024-02-10,37*");
    EXPECT_EQ(LineaPrompt(r),
              "\x2E\x2D\x20J\xC3\xBApiter desde TAURO hace CUADRATURA (90\xC2\xB0) a Sol natal "
              "desde 2024-01-05, hasta 2024-02-10.");
}

TEST(Rangos, LineFormatsOfHousesAndMissingContacts) {
    TRangoTendencia r = Ejemplo();
    r.CodNatal = "C05";
    r.AspSigno = "-";
    SetIdsRango(r);
    EXPECT_EQ(r.IdNatal, 0);
    EXPECT_EQ(LineaDatosRango(r, 12), "12,6,Formato inválido,0,05/01/2024,10/02/2024,37");
    EXPECT_EQ(LineaTecnica(r, 12), "12,6,0,-,2024-01-05,2024-01-20,2024-02-10,37*");
    EXPECT_EQ(LineaPrompt(r),
              ".- Júpiter Formato inválido a Casa 5 natal desde 2024-01-05, hasta 2024-02-10.");
    // A one-day range counts 1 day; a number part that is not one is -1,
    // whose "-" becomes "/" in the range data line.
    r.FechaFin = r.FechaInicio;
    r.AspSigno = "x,4";
    EXPECT_EQ(LineaDatosRango(r, 3), "3,6,/1,4,0,05/01/2024,05/01/2024,1");
    EXPECT_EQ(LineaTecnica(r, 3), "3,6,0,x,4,2024-01-05,2024-01-20,2024-01-05,1*");
}

}  // namespace
}  // namespace varnolt
