// SPDX-License-Identifier: AGPL-3.0-or-later
// the CSV report generator as a plain function.
#include <gtest/gtest.h>

#include "app/Regional.h"
#include "export/ReporteCSV.h"

namespace varnolt {
namespace {

TFecha Dia(int d, int m, int a) {
    return CodificarFecha(a, m, d);
}

class Reporte : public ::testing::Test {
  protected:
    void SetUp() override {
        ConfiguracionRegional().FormatoFechaCorta = "dd/mm/yyyy";
        ConfiguracionRegional().SeparadorFecha = '/';
    }
    std::vector<std::string> Generar(const std::vector<std::string>& entrada, int clase,
                                     TFecha referencia, int tipo, TFecha min = 0, TFecha max = 0) {
        return GenerarReporteCSV(entrada, resumen, clase, min, max, referencia, tipo, nombre);
    }
    std::vector<std::string> resumen{"anterior"};
    std::string nombre = "anterior.csv";
};

TEST(Semanas, AcrossASundayAndAMonday) {
    // 7 January 2024 is a Sunday, 1 January a Monday.
    EXPECT_EQ(InicioSemana(Dia(7, 1, 2024)), Dia(1, 1, 2024));
    EXPECT_EQ(FinSemana(Dia(7, 1, 2024)), Dia(7, 1, 2024));
    EXPECT_EQ(InicioSemana(Dia(1, 1, 2024)), Dia(1, 1, 2024));
    EXPECT_EQ(FinSemana(Dia(1, 1, 2024)), Dia(7, 1, 2024));
    EXPECT_EQ(InicioSemana(Dia(6, 1, 2024)), Dia(1, 1, 2024));  // Saturday
    EXPECT_EQ(InicioSemana(Dia(8, 1, 2024)), Dia(8, 1, 2024));
    EXPECT_EQ(InicioSemana(Dia(31, 12, 2023)), Dia(25, 12, 2023));  // Sunday
    EXPECT_EQ(InicioSemana(0), Dia(25, 12, 1899));                  // day 0 was a Saturday
    EXPECT_EQ(InicioSemana(1), Dia(25, 12, 1899));                  // and day 1 a Sunday
    EXPECT_EQ(InicioSemana(-1), Dia(25, 12, 1899));
    EXPECT_EQ(InicioSemana(-5), Dia(25, 12, 1899));  // a Monday
    EXPECT_EQ(InicioSemana(-6), Dia(18, 12, 1899));  // a Sunday
}

TEST(Meses, FirstAndLastDays) {
    EXPECT_EQ(InicioMes(Dia(17, 2, 2024)), Dia(1, 2, 2024));
    EXPECT_EQ(FinMes(Dia(17, 2, 2024)), Dia(29, 2, 2024));
    EXPECT_EQ(FinMes(Dia(1, 2, 2000)), Dia(29, 2, 2000));
    EXPECT_EQ(FinMes(Dia(1, 2, 2023)), Dia(28, 2, 2023));
    EXPECT_EQ(FinMes(Dia(28, 2, 2100)), Dia(28, 2, 2100));
    for (int mes : {4, 6, 9, 11}) {
        EXPECT_EQ(FinMes(Dia(3, mes, 2023)), Dia(30, mes, 2023));
    }
    for (int mes : {1, 3, 5, 7, 8, 10, 12}) {
        EXPECT_EQ(FinMes(Dia(3, mes, 2023)), Dia(31, mes, 2023));
    }
}

TEST(LeeFecha, DayMonthYear) {
    EXPECT_EQ(LeeFecha("05/01/2024"), Dia(5, 1, 2024));
    EXPECT_EQ(LeeFecha("5/1/2024"), Dia(5, 1, 2024));
    EXPECT_EQ(LeeFecha(" 29/02/2024 "), Dia(29, 2, 2024));
    EXPECT_EQ(LeeFecha("30/12/1899"), 0);
    EXPECT_EQ(LeeFecha("30/12/99"), Dia(30, 12, 1999));
    EXPECT_EQ(LeeFecha("05/01/24"), Dia(5, 1, 2024));
    for (const char* malo : {"29/02/2023", "32/01/2024", "05/13/2024", "05-01-2024", "2024/01/05",
                             "05/01", "05/01/2024/1", "a/b/c", "", "Formato", "05/01/20245"}) {
        EXPECT_EQ(LeeFecha(malo), 0) << malo;
    }
}

TEST(Clases, Bounds) {
    EXPECT_FALSE(EsRapido(0));
    EXPECT_TRUE(EsRapido(1));
    EXPECT_TRUE(EsRapido(2));
    EXPECT_TRUE(EsRapido(5));
    EXPECT_FALSE(EsRapido(6));
    EXPECT_FALSE(EsLento(5));
    EXPECT_TRUE(EsLento(6));
    EXPECT_TRUE(EsLento(14));
    EXPECT_FALSE(EsLento(15));
    EXPECT_FALSE(EsLento(16));
}

TEST(Valores, SplittingRules) {
    using V = std::vector<std::string>;
    EXPECT_EQ(DividirValores("1,6,90,2"), (V{"1", "6", "90", "2"}));
    EXPECT_EQ(DividirValores("a b\tc"), (V{"a", "b", "c"}));
    EXPECT_EQ(DividirValores("a ,  b"), (V{"a", "b"}));
    EXPECT_EQ(DividirValores("a,,b"), (V{"a", "", "b"}));
    EXPECT_EQ(DividirValores("a,"), (V{"a", ""}));
    EXPECT_EQ(DividirValores("a, "), (V{"a"}));  // the comma is not the last character
    EXPECT_EQ(DividirValores("  a"), (V{"a"}));
    EXPECT_EQ(DividirValores("\"x, y\"\"z\",b"), (V{"x, y\"z", "b"}));
    EXPECT_EQ(DividirValores("\"abierta"), (V{"abierta"}));
    EXPECT_EQ(DividirValores("\"q\"r"), (V{"q", "r"}));
    EXPECT_EQ(DividirValores("1,6,Formato inválido,1"), (V{"1", "6", "Formato", "inválido", "1"}));
    EXPECT_EQ(DividirValores(""), V{});
}

TEST_F(Reporte, ExampleRowHeaderAndSummary) {
    const auto r = Generar({"1,6,90,2,1,05/01/2024,10/02/2024,37"}, 0, Dia(10, 1, 2024), 2);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0],
              "no,Planeta Tránsito,Signo,Aspecto,Planeta Natal,Fecha Inicio,Fecha Fin,Duración");
    EXPECT_EQ(r[1], "1,Júpiter,Tauro,Cuadratura,Sol,05/01/24,10/02/24,37");
    EXPECT_EQ(resumen,
              (std::vector<std::string>{"Mes de 01/01/2024 a 31/01/2024", "Todos los planetas",
                                        "1 contactos encontrados."}));
    EXPECT_EQ(nombre, "_tránsitos_todos_mes_2024-01-01_2024-01-31.csv");
}

TEST_F(Reporte, EmptyInputGivesTheHeaderOnly) {
    const auto r = Generar({}, 1, Dia(3, 1, 2024), 1);
    EXPECT_EQ(r, std::vector<std::string>{std::string(kCabeceraReporteCSV)});
    EXPECT_EQ(resumen, (std::vector<std::string>{"Semana de 01/01/2024 a 07/01/2024",
                                                 "Contactos de: Sol, Mer, Ven y Mar",
                                                 "No se encontraron contactos para los criterios "
                                                 "especificados."}));
}

TEST_F(Reporte, FileNames) {
    Generar({}, 1, Dia(1, 1, 2024), 1);
    EXPECT_EQ(nombre, "_tránsitos_rápidos_semana_2024-01-01_2024-01-07.csv");
    Generar({}, 2, Dia(14, 2, 2024), 2);
    EXPECT_EQ(nombre, "_tránsitos_NO_rápidos_mes_2024-02-01_2024-02-29.csv");
    EXPECT_EQ(resumen[1], "Contactos de: Júp, Sat, Ura, Nep, Plu, Nodos, Lil y Qui");
    Generar({}, 0, Dia(14, 2, 2024), 0, Dia(1, 1, 2024), Dia(31, 12, 2024));
    EXPECT_EQ(nombre, "_tránsitos_todos2024-01-01_2024-12-31.csv");
    EXPECT_EQ(resumen[0], "Del 01/01/2024 al 31/12/2024");
    // Any other index counts as the last item.
    Generar({}, 7, Dia(14, 2, 2023), 9);
    EXPECT_EQ(nombre, "_tránsitos_NO_rápidos_mes_2023-02-01_2023-02-28.csv");
}

TEST_F(Reporte, WeeksAroundSundayAndMonday) {
    const std::vector<std::string> entrada = {"1,1,0,1,2,07/01/2024,07/01/2024,1",
                                              "2,1,0,1,2,08/01/2024,08/01/2024,1",
                                              "3,1,0,1,2,31/12/2023,31/12/2023,1"};
    auto r = Generar(entrada, 0, Dia(7, 1, 2024), 1);  // a Sunday
    EXPECT_EQ(resumen[0], "Semana de 01/01/2024 a 07/01/2024");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], "1,Sol,Aries,Conjunción,Luna,07/01/24,07/01/24,1");
    r = Generar(entrada, 0, Dia(8, 1, 2024), 1);  // a Monday
    EXPECT_EQ(resumen[0], "Semana de 08/01/2024 a 14/01/2024");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], "1,Sol,Aries,Conjunción,Luna,08/01/24,08/01/24,1");
}

TEST_F(Reporte, FebruaryOfLeapAndCommonYears) {
    const std::pair<int, int> casos[] = {{2000, 29}, {2023, 28}, {2024, 29}, {2100, 28}};
    for (const auto& [anio, dias] : casos) {
        const std::string ultimo = std::to_string(dias) + "/02/" + std::to_string(anio);
        const auto r = Generar(
            {"1,1,0,1,1," + ultimo + "," + ultimo + ",1",
             "2,1,0,1,1,01/03/" + std::to_string(anio) + ",01/03/" + std::to_string(anio) + ",1"},
            0, Dia(10, 2, anio), 2);
        EXPECT_EQ(resumen[0], "Mes de 01/02/" + std::to_string(anio) + " a " + ultimo);
        EXPECT_EQ(r.size(), 2u) << anio;
        EXPECT_EQ(nombre, "_tránsitos_todos_mes_" + std::to_string(anio) + "-02-01_" +
                              std::to_string(anio) + "-02-" + std::to_string(dias) + ".csv");
    }
}

TEST_F(Reporte, ClassesAndPeriodOverlap) {
    const std::vector<std::string> entrada = {
        "1,2,0,1,1,01/01/2024,02/01/2024,2",   // Luna: fast although not named
        "2,5,0,1,1,01/01/2024,02/01/2024,2",   // Marte
        "3,6,0,1,1,01/01/2024,02/01/2024,2",   // Júpiter
        "4,14,0,1,1,01/01/2024,02/01/2024,2",  // Quirón
        "5,15,0,1,1,01/01/2024,02/01/2024,2",  // Parte Fortuna: only "Todos"
        "6,16,0,1,1,01/01/2024,02/01/2024,2",  // Parte Espíritu: only "Todos"
        "7,1,0,1,1,28/12/2023,10/01/2024,14",  // overlaps the week: own dates
        "8,1,0,1,1,20/12/2023,31/12/2023,12",  // ends before the week
        "9,1,0,1,1,08/01/2024,09/01/2024,2",   // starts after it
        "10,1,0,1,1,07/01/2024,07/01/2024,1",  // the week's last day
    };
    auto r = Generar(entrada, 1, Dia(3, 1, 2024), 1);
    EXPECT_EQ(r, (std::vector<std::string>{std::string(kCabeceraReporteCSV),
                                           "1,Luna,Aries,Conjunción,Sol,01/01/24,02/01/24,2",
                                           "2,Marte,Aries,Conjunción,Sol,01/01/24,02/01/24,2",
                                           "3,Sol,Aries,Conjunción,Sol,28/12/23,10/01/24,14",
                                           "4,Sol,Aries,Conjunción,Sol,07/01/24,07/01/24,1"}));
    EXPECT_EQ(resumen[2], "4 contactos encontrados.");
    r = Generar(entrada, 2, Dia(3, 1, 2024), 1);
    EXPECT_EQ(r, (std::vector<std::string>{std::string(kCabeceraReporteCSV),
                                           "1,Júpiter,Aries,Conjunción,Sol,01/01/24,02/01/24,2",
                                           "2,Quirón,Aries,Conjunción,Sol,01/01/24,02/01/24,2"}));
    r = Generar(entrada, 0, Dia(3, 1, 2024), 1);
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(r[5], "5,Parte Fortuna,Aries,Conjunción,Sol,01/01/24,02/01/24,2");
    EXPECT_EQ(r[6], "6,Parte Espíritu,Aries,Conjunción,Sol,01/01/24,02/01/24,2");
}

TEST_F(Reporte, NamesByIntegerDivisionAndSigns) {
    const auto r =
        Generar({"1,3,45,3,4,01/01/2024,01/01/2024,1", "1,4,72,4,5,01/01/2024,01/01/2024,1",
                 "1,7,135,7,8,01/01/2024,01/01/2024,1", "1,8,150,11,9,01/01/2024,01/01/2024,1",
                 "1,9,180,12,10,01/01/2024,01/01/2024,1", "1,10,209,5,11,01/01/2024,01/01/2024,1",
                 "1,11,120,6,12,01/01/2024,01/01/2024,1", "1,12,30,8,13,01/01/2024,01/01/2024,1",
                 "1,13,60,9,14,01/01/2024,01/01/2024,1", "1,14,90,10,3,01/01/2024,01/01/2024,1"},
                0, Dia(1, 1, 2024), 1);
    EXPECT_EQ(r, (std::vector<std::string>{
                     std::string(kCabeceraReporteCSV),
                     "1,Mercurio,Géminis,Semi Sextil,Venus,01/01/24,01/01/24,1",
                     "2,Venus,Cáncer,Sextil,Marte,01/01/24,01/01/24,1",
                     "3,Saturno,Libra,Trígono,Urano,01/01/24,01/01/24,1",
                     "4,Urano,Acuario,Quincuncio,Neptuno,01/01/24,01/01/24,1",
                     "5,Neptuno,Piscis,Opocisión,Plutón,01/01/24,01/01/24,1",
                     "6,Plutón,Leo,Opocisión,Nodo Norte,01/01/24,01/01/24,1",
                     "7,Nodo Norte,Virgo,Trígono,Nodo Sur,01/01/24,01/01/24,1",
                     "8,Nodo Sur,Escorpio,Semi Sextil,Lilith,01/01/24,01/01/24,1",
                     "9,Lilith,Sagitario,Sextil,Quirón,01/01/24,01/01/24,1",
                     "10,Quirón,Capricornio,Cuadratura,Mercurio,01/01/24,01/01/24,1"}));
}

TEST_F(Reporte, NumbersOutsideTheTablesShowADash) {
    const auto r =
        Generar({"1,6,90,2,0,01/01/2024,01/01/2024,1",  // house cusp: natal 0
                 "2,6,Formato inválido,1,01/01/2024,01/01/2024,1",
                 "3,17,210,13,1,01/01/2024,01/01/2024,1", "4,6,-30,0,1,01/01/2024,01/01/2024,1"},
                0, Dia(1, 1, 2024), 1);
    EXPECT_EQ(
        r, (std::vector<std::string>{
               std::string(kCabeceraReporteCSV), "1,Júpiter,Tauro,Cuadratura,-,01/01/24,01/01/24,1",
               "2,Júpiter,-,-,Sol,01/01/24,01/01/24,1", "3,-,-,-,Sol,01/01/24,01/01/24,1",
               "4,Júpiter,-,-,Sol,01/01/24,01/01/24,1"}));
}

TEST_F(Reporte, SkippedLinesAndRowNumbers) {
    const auto r = Generar({"", "   \t", "Id,IdTra,Asp,SigTra,IdNat,Ini,Fin,Dias",
                            "1,6,90,2,1,01/01/2024,01/01/2024",         // 7 values
                            "  77,6,90,2,1,01/01/2024,01/01/2024,5  ",  // value 0 ignored
                            "1,6,90,2,1,xx,01/01/2024,3",               // unreadable start: passes
                            "1,6,90,2,1,01/01/2024,xx,3",               // unreadable end: fails
                            "1 6 90 2 1 01/01/2024 01/01/2024 4",       // blanks separate too
                            "1,6,90,2,1,01/01/2024,01/01/2024,x"},      // days not a number: 0
                           0, Dia(1, 1, 2024), 1);
    EXPECT_EQ(r, (std::vector<std::string>{std::string(kCabeceraReporteCSV),
                                           "1,Júpiter,Tauro,Cuadratura,Sol,01/01/24,01/01/24,5",
                                           "2,Júpiter,Tauro,Cuadratura,Sol,30/12/99,01/01/24,3",
                                           "3,Júpiter,Tauro,Cuadratura,Sol,01/01/24,01/01/24,4",
                                           "4,Júpiter,Tauro,Cuadratura,Sol,01/01/24,01/01/24,0"}));
}

TEST_F(Reporte, ShortDateFormatSwitchesOnTheFirstReport) {
    ConfiguracionRegional().FormatoFechaCorta = "d/m/yyyy";
    ConfiguracionRegional().SeparadorFecha = '.';
    Generar({}, 0, Dia(3, 1, 2024), 1);
    EXPECT_EQ(resumen[0], "Semana de 1.1.2024 a 7.1.2024");
    EXPECT_EQ(ConfiguracionRegional().FormatoFechaCorta, "dd/mm/yyyy");
    EXPECT_EQ(ConfiguracionRegional().SeparadorFecha, '/');
    Generar({}, 0, Dia(3, 1, 2024), 1);
    EXPECT_EQ(resumen[0], "Semana de 01/01/2024 a 07/01/2024");
    EXPECT_EQ(FechaCorta(Dia(9, 3, 2025)), "09/03/2025");
}

TEST_F(Reporte, ErrorLines) {
    // A calendar date beyond year 9999: the period cannot be worked out.
    auto r = Generar({"1,6,90,2,1,05/01/2024,10/02/2024,37"}, 1, 3000000, 2);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0],
              "ERROR: La fecha 3000000 está fuera del rango admitido (01/01/0001 a 31/12/9999)");
    EXPECT_EQ(r[1], "Asegúrese que las fechas estén en formato dd/mm/yyyy");
    EXPECT_TRUE(resumen.empty());       // nothing was written before the error
    EXPECT_EQ(nombre, "anterior.csv");  // nor the name
    r = Generar({}, 1, -700000, 1);
    EXPECT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].rfind("ERROR: La fecha -70000", 0), 0u);
    // The last week of year 9999 reaches into year 10000.
    r = Generar({}, 1, Dia(31, 12, 9999), 1);
    EXPECT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], std::string(kAvisoFormatoFechas));
}

}  // namespace
}  // namespace varnolt
