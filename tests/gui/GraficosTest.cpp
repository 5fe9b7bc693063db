// SPDX-License-Identifier: AGPL-3.0-or-later
// The bar charts and the trend graph as painted.
#include <QSignalSpy>
#include <optional>

#include "VentanaPrueba.h"
#include "app/Formato.h"
#include "gui/GraficoBarras.h"
#include "gui/GraficoTendenciaQt.h"
#include "gui/TextoQt.h"
#include "views/Graficos.h"

namespace varnolt::prueba {
namespace {

using Graficos = VentanaPrueba;

TEST_F(Graficos, TitlesAndBarsFollowTheCore) {
    CargarMuestra();
    auto* dia = Hijo<gui::GraficoBarras>("ChartDia");
    const TGrafico& g = Form().Graficos.ChartDia;
    ASSERT_EQ(g.Series.size(), 2u);
    EXPECT_EQ(g.Series[0].Barras.size(), 366u);
    EXPECT_EQ(g.Series[1].Barras.size(), 366u);
    double total = 0;
    for (const auto& d : Form().Ponderacion.TotalesDia) {
        total += d.Peso;
    }
    EXPECT_EQ(gui::S(dia->Titulo()), Format("%.2f", {total}));
    EXPECT_EQ(g.Series[0].Barras[0].Etiqueta, "2024-01-01");
    EXPECT_EQ(gui::Color(g.Series[0].Barras[0].Color), QColor(0, 128, 0));
    EXPECT_EQ(gui::Color(g.Series[1].Barras[0].Color), QColor(255, 0, 0));
    EXPECT_EQ(
        gui::S(Hijo<gui::GraficoBarras>("ChartItemNat")->Titulo()).rfind("Items Natales. ", 0), 0u);
    EXPECT_EQ(
        gui::S(Hijo<gui::GraficoBarras>("ChartItemTra")->Titulo()).rfind("Items Tránsito. ", 0),
        0u);
    EXPECT_EQ(
        gui::S(Hijo<gui::GraficoBarras>("ChartAngTra")->Titulo()).rfind("Angulo Tránsito. ", 0),
        0u);
    // Bar heights are proportional to the values on an automatic axis whose
    // top is the highest bar.
    const double maximo = Form().Picos.PPMaxRango;
    EXPECT_DOUBLE_EQ(dia->MaximoEje(), maximo);
    const QRect area = dia->AreaBarras();
    size_t mayor = 0;
    for (size_t i = 0; i < g.Series[0].Barras.size(); ++i) {
        if (g.Series[0].Barras[i].Valor > g.Series[0].Barras[mayor].Valor) {
            mayor = i;
        }
    }
    EXPECT_EQ(dia->RectBarra(0, static_cast<int>(mayor)).top(), area.top());
    // A peak day's red bar has the height of its green bar and lies inside
    // the green slot's left part (60 % wide, shifted left by 20 % of it).
    const QRect verde = dia->RectBarra(0, static_cast<int>(mayor));
    const QRect roja = dia->RectBarra(1, static_cast<int>(mayor));
    EXPECT_EQ(roja.top(), verde.top());
    EXPECT_LE(roja.width(), verde.width());
}

TEST_F(Graficos, ItemChartsAreSortedHeaviestFirstWithMarks) {
    CargarMuestra();
    auto* nat = Hijo<gui::GraficoBarras>("ChartItemNat");
    const auto& barras = Form().Graficos.ChartItemNat.Series[0].Barras;
    ASSERT_FALSE(barras.empty());
    for (size_t i = 1; i < barras.size(); ++i) {
        EXPECT_GE(barras[i - 1].Valor, barras[i].Valor);
    }
    nat->grab();  // paint
    ASSERT_FALSE(nat->MarcasDibujadas().empty());
    EXPECT_EQ(nat->MarcasDibujadas()[0].Indice, 0);
    // "#,###": thousands separated, no decimals.
    const double v = barras[0].Valor;
    EXPECT_EQ(gui::S(nat->MarcasDibujadas()[0].Texto),
              Format("%d,%03d", {static_cast<int>(std::lround(v)) / 1000,
                                 static_cast<int>(std::lround(v)) % 1000}));
    ASSERT_FALSE(nat->EtiquetasDibujadas().empty());
    EXPECT_EQ(gui::S(nat->EtiquetasDibujadas()[0].Texto), barras[0].Etiqueta);
    // Bars in their own colour.
    const QImage img = nat->grab().toImage();
    const QRect r = nat->RectBarra(0, 0);
    EXPECT_EQ(img.pixelColor(r.center()), QColor(0, 128, 255));
}

TEST_F(Graficos, DailyMarksOnlyForShortRanges) {
    CargarMuestra();
    auto* dia = Hijo<gui::GraficoBarras>("ChartDia");
    dia->grab();
    EXPECT_TRUE(dia->MarcasDibujadas().empty());  // a whole year
    Pulsar("SBPer9");                             // February: 29 days
    EXPECT_EQ(Form().Graficos.ChartDia.Series[0].Barras.size(), 29u);
    dia->grab();
    EXPECT_FALSE(dia->MarcasDibujadas().empty());
    Pulsar("SBPer2");  // a quarter
    dia->grab();
    EXPECT_TRUE(dia->MarcasDibujadas().empty());
}

TEST_F(Graficos, ClickOnABarReportsIt) {
    CargarMuestra();
    Pulsar("SBPer8");  // January: 31 wide bars
    auto* dia = Hijo<gui::GraficoBarras>("ChartDia");
    QSignalSpy espia(dia, &gui::GraficoBarras::ClicSerie);
    // Series1 is hit right of the red bar.
    const QRect verde = dia->RectBarra(0, 9);
    const QPoint punto(verde.right() - 1, verde.bottom() - 2);
    QTest::mouseClick(dia, Qt::LeftButton, Qt::ShiftModifier, punto);
    ASSERT_EQ(espia.count(), 1);
    const auto args = espia.takeFirst();
    EXPECT_EQ(args.at(0).toInt(), 0);
    EXPECT_EQ(args.at(1).toInt(), 9);
    EXPECT_EQ(args.at(2).toString(), QStringLiteral("2024-01-10"));
    EXPECT_DOUBLE_EQ(args.at(3).toDouble(), Form().Graficos.ChartDia.Series[0].Barras[9].Valor);
    EXPECT_EQ(args.at(4).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(args.at(5).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    // A peak day's red bar reports Series2; the right button is reported too.
    int pico = -1;
    const auto& rojas = Form().Graficos.ChartDia.Series[1].Barras;
    for (size_t i = 0; i < rojas.size(); ++i) {
        if (rojas[i].Valor > 0) {
            pico = static_cast<int>(i);
            break;
        }
    }
    ASSERT_GE(pico, 0);
    QTest::mouseClick(dia, Qt::RightButton, Qt::NoModifier, dia->RectBarra(1, pico).center());
    ASSERT_EQ(espia.count(), 1);
    const auto roja = espia.takeFirst();
    EXPECT_EQ(roja.at(0).toInt(), 1);
    EXPECT_EQ(roja.at(1).toInt(), pico);
    EXPECT_EQ(roja.at(4).value<Qt::MouseButton>(), Qt::RightButton);
    // Outside the bars: nothing.
    QTest::mouseClick(dia, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(espia.count(), 0);
    EXPECT_EQ(dia->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(Graficos, MaxAxisFixedAtTheGlobalMaximum) {
    CargarMuestra();
    auto* dia = Hijo<gui::GraficoBarras>("ChartDia");
    const double global = Form().Picos.PPMaxGlobal;
    Pulsar("SBMaxAxisOrd");  // up: fixed at the global maximum
    EXPECT_FALSE(Form().SBMaxAxisOrd);
    ASSERT_TRUE(dia->EjeFijo().has_value());
    EXPECT_DOUBLE_EQ(*dia->EjeFijo(), global);
    Pulsar("SBPer8");  // a quieter month keeps the maximum
    EXPECT_LT(Form().Picos.PPMaxRango, global);
    EXPECT_DOUBLE_EQ(dia->MaximoEje(), global);
    Pulsar("SBMaxAxisOrd");  // down: automatic again
    EXPECT_FALSE(dia->EjeFijo().has_value());
    EXPECT_DOUBLE_EQ(dia->MaximoEje(), Form().Picos.PPMaxRango);
}

TEST_F(Graficos, ManyBarsPaintFast) {
    // 8,000 days of bars on the daily chart.
    TGrafico g;
    g.Series = {TSerie{{}, false}, TSerie{{}, false}};
    for (int i = 0; i < 8000; ++i) {
        const double v = 100 + (i * 37 % 101);
        g.Series[0].Barras.push_back({v, FormatDateTime("yyyy-mm-dd", 44000 + i), kColorDia});
        g.Series[1].Barras.push_back(
            {i % 3 == 0 ? v : 0.0, g.Series[0].Barras.back().Etiqueta, kColorPico});
    }
    AplicacionQt();
    gui::GraficoBarras chart(QStringLiteral("ChartDia"), g, gui::GraficoBarras::Tipo::Dia, nullptr);
    chart.resize(1087, 168);
    const QImage img = chart.grab().toImage();
    EXPECT_FALSE(chart.EtiquetasDibujadas().empty());
    // Every pixel column of the plot area shows a bar.
    const QRect area = chart.AreaBarras();
    const int y = area.bottom() - 1;
    for (int x = area.left() + 1; x < area.right() - 1; ++x) {
        const QColor c = img.pixelColor(x, y);
        EXPECT_TRUE(c == QColor(0, 128, 0) || c == QColor(255, 0, 0)) << x;
        if (HasFailure()) {
            break;
        }
    }
    const auto barra = chart.BarraEn(QPoint(area.center().x(), area.bottom() - 1));
    EXPECT_TRUE(barra.has_value());
}

// What a chart of any height must hold after a paint: the plot area inside
// the widget and of the minimum height when the widget has room for it;
// value marks only with a mark band, each above its own bar; labels only
// with a label band, inside the widget; and the highest bar drawn, in
// 'color' when given, else in one colour from top to bottom.
void ComprobarAlturas(gui::GraficoBarras& c, std::optional<QColor> color = std::nullopt) {
    const QImage img = c.grab().toImage();
    const std::string nombre = gui::S(c.objectName()) + " de " + std::to_string(c.height());
    const QRect area = c.AreaBarras();
    const auto bandas = c.BandasVisibles();
    EXPECT_GE(area.top(), 0) << nombre;
    EXPECT_LT(area.bottom(), c.height()) << nombre;
    if (c.height() >= gui::GraficoBarras::kAltoMinimoArea + 9) {
        EXPECT_GE(area.height(), gui::GraficoBarras::kAltoMinimoArea) << nombre;
    }
    if (!bandas.Marcas) {
        EXPECT_TRUE(c.MarcasDibujadas().empty()) << nombre;
    }
    for (const auto& m : c.MarcasDibujadas()) {
        const QRect barra = c.RectBarra(0, m.Indice);
        EXPECT_LE(m.Rect.bottom(), barra.top()) << nombre;
        EXPECT_GE(m.Rect.top(), 0) << nombre;
    }
    if (!bandas.Etiquetas) {
        EXPECT_TRUE(c.EtiquetasDibujadas().empty()) << nombre;
    }
    for (const auto& e : c.EtiquetasDibujadas()) {
        EXPECT_LE(e.Rect.bottom(), c.height()) << nombre;
        EXPECT_GT(e.Rect.top(), area.bottom()) << nombre;
    }
    const QRect mayor = c.RectBarra(0, 0);  // the item charts are sorted
    ASSERT_GT(mayor.height(), 0) << nombre;
    EXPECT_EQ(mayor.top(), area.top()) << nombre;
    const QColor centro = img.pixelColor(mayor.center());
    EXPECT_NE(centro, QColor(Qt::white)) << nombre;
    EXPECT_EQ(centro, img.pixelColor(mayor.center().x(), mayor.bottom() - 1)) << nombre;
    if (color) {
        EXPECT_EQ(centro, *color) << nombre;
    }
}

struct CasoAltura {
    int alto;
    bool titulo, marcas, etiquetas;
};

class AlturasGrafico : public ::testing::TestWithParam<CasoAltura> {};

TEST_P(AlturasGrafico, ValueMarksGoBeforeBars) {
    // 31 natal items, the heaviest first.
    TGrafico g;
    g.Titulo = "Items Natales. 12345.67";
    g.Series = {TSerie{{}, true}};
    for (int i = 0; i < 31; ++i) {
        g.Series[0].Barras.push_back({3000.0 - i * 90, "It" + std::to_string(i), kColorNatal});
    }
    AplicacionQt();
    gui::GraficoBarras c(QStringLiteral("ChartItemNat"), g, gui::GraficoBarras::Tipo::Items,
                         nullptr);
    const CasoAltura& caso = GetParam();
    c.resize(1300, caso.alto);
    const auto b = c.BandasVisibles();
    EXPECT_EQ(b.Titulo, caso.titulo);
    EXPECT_EQ(b.Marcas, caso.marcas);
    EXPECT_EQ(b.Etiquetas, caso.etiquetas);
    ComprobarAlturas(c, QColor(0, 128, 255));
    EXPECT_EQ(c.MarcasDibujadas().empty(), !caso.marcas);
    EXPECT_EQ(c.EtiquetasDibujadas().empty(), !caso.etiquetas);
    // Whatever is left out can be read in the tooltip.
    if (!caso.marcas) {
        EXPECT_EQ(gui::S(c.TextoAyuda(c.RectBarra(0, 1).center())),
                  (caso.titulo ? "" : "Items Natales. 12345.67\n") + std::string("It1: 2,910"));
    }
}

INSTANTIATE_TEST_SUITE_P(Alturas, AlturasGrafico,
                         ::testing::Values(CasoAltura{168, true, true, true},
                                           CasoAltura{120, true, true, true},
                                           CasoAltura{75, true, false, true},
                                           CasoAltura{58, true, false, false},
                                           CasoAltura{40, false, false, false}),
                         [](const auto& info) { return std::to_string(info.param.alto); });

TEST_F(Graficos, SmallWindowsKeepThePlotHeight) {
    CargarMuestra();
    for (const QSize tamano : {QSize(1349, 450), QSize(1280, 720), QSize(1359, 761)}) {
        for (const bool arq : {false, true}) {
            if (Boton("SBViewArq")->isChecked() != arq) {
                Pulsar("SBViewArq");
            }
            ventana->resize(tamano);
            Procesar();
            for (const char* nombre : {"ChartDia", "ChartItemNat", "ChartItemTra", "ChartAngTra"}) {
                auto* c = Hijo<gui::GraficoBarras>(nombre);
                if (!c->isVisible()) {
                    continue;
                }
                SCOPED_TRACE(std::string(nombre) + (arq ? " Arq. " : " ") +
                             std::to_string(ventana->width()) + "x" +
                             std::to_string(ventana->height()));
                if (std::string(nombre) == "ChartDia") {
                    EXPECT_GE(c->AreaBarras().height(), gui::GraficoBarras::kAltoMinimoArea);
                    EXPECT_GE(c->AreaBarras().top(), 0);
                    EXPECT_LT(c->AreaBarras().bottom(), c->height());
                } else {
                    ComprobarAlturas(*c);
                }
            }
        }
    }
}

// In the narrow charts of the Arq. view, on a small screen too, every value
// mark drawn lies whole inside its chart and clear of every other mark.
TEST_F(Graficos, ValueMarksStayWholeAndApart) {
    CargarMuestra();
    Pulsar("SBViewArq");
    for (const QSize tamano : {QSize(1280, 720), QSize(1359, 761)}) {
        ventana->resize(tamano);
        Procesar();
        for (const char* nombre : {"ChartItemNat", "ChartItemTra", "ChartAngTra"}) {
            auto* c = Hijo<gui::GraficoBarras>(nombre);
            SCOPED_TRACE(std::string(nombre) + " " + std::to_string(tamano.width()));
            c->grab();  // paint
            const auto& marcas = c->MarcasDibujadas();
            ASSERT_FALSE(marcas.empty());
            for (size_t i = 0; i < marcas.size(); ++i) {
                EXPECT_TRUE(c->rect().contains(marcas[i].Rect)) << gui::S(marcas[i].Texto);
                for (size_t j = i + 1; j < marcas.size(); ++j) {
                    EXPECT_FALSE(marcas[i].Rect.adjusted(-1, -1, 1, 1).intersects(marcas[j].Rect))
                        << gui::S(marcas[i].Texto) << " / " << gui::S(marcas[j].Texto);
                }
            }
        }
    }
}

TEST_F(Graficos, TrendGraphPaintsTheCoreSteps) {
    CargarMuestra();
    Pulsar("SBGP");
    auto* pb = Hijo<gui::GraficoTendenciaQt>("PBRange");
    auto* tw = ventana->Herramienta(QStringLiteral("TWGraphRange"));
    ASSERT_TRUE(tw->isVisible());
    EXPECT_EQ(pb->size(), tw->size());
    const TDibujoTendencia d = pb->Dibujo();
    ASSERT_TRUE(d.Dibujar);
    EXPECT_EQ(d.N, 367);
    EXPECT_EQ(d.PasoPx, 3);
    const QImage img = pb->grab().toImage();
    EXPECT_EQ(img.pixelColor(2, 2), QColor(255, 255, 255));
    EXPECT_EQ(img.pixelColor(500, d.Base), QColor(0, 0, 0));  // the baseline
    // Every bar in its colour, one pixel above the baseline.
    int barras = 0;
    for (const TTrazoTendencia& t : d.Trazos) {
        if (t.Clase == TTrazoTendencia::Tipo::Linea && t.Y1 == d.Base && t.Y2 < d.Base - 2) {
            const QColor c = img.pixelColor(t.X1, d.Base - 3);
            EXPECT_EQ(c, gui::Color(t.Color)) << t.X1;
            ++barras;
        }
    }
    EXPECT_EQ(barras, d.Barras);
    // A narrower window redraws at once to the new size.
    tw->resize(600, 186);
    Procesar();
    EXPECT_EQ(pb->Dibujo().PasoPx, 2);  // 600 / 367 = 1.63
}

TEST_F(Graficos, TrendGraphDrawsNothingWithoutData) {
    auto* pb = Hijo<gui::GraficoTendenciaQt>("PBRange");
    EXPECT_FALSE(pb->Dibujo().Dibujar);
    EXPECT_EQ(gui::S(ventana->Herramienta(QStringLiteral("TWGraphRange"))->windowTitle()),
              "Gráfico Tendencia.");
}

}  // namespace
}  // namespace varnolt::prueba
