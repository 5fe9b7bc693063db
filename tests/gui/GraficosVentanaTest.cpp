// SPDX-License-Identifier: AGPL-3.0-or-later
// The charts and the trend graph inside the whole window: which category
// labels the sample agenda gets, the tooltips where labels do not all fit,
// the daily axis raised before a load, and the trend graph after "Limpiar"
// or a failed load.
#include <QFontMetrics>
#include <QHelpEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWindow>
#include <fstream>

#include "VentanaPrueba.h"
#include "gui/GraficoBarras.h"
#include "gui/GraficoTendenciaQt.h"
#include "gui/TextoQt.h"
#include "gui/VentanasPequenas.h"
#include "views/PresentacionGraficos.h"

namespace varnolt::prueba {
namespace {

// Every bar without a label had no room for its own label: centred under
// the bar (moved inward at the edges) it would start before the end of the
// last drawn label plus the gap, or not fit in the chart.
void ComprobarEtiquetas(const gui::GraficoBarras& c, const TGrafico& g) {
    const auto& barras = g.Series[0].Barras;
    const auto& dibujadas = c.EtiquetasDibujadas();
    ASSERT_FALSE(dibujadas.empty()) << gui::S(c.objectName());
    const QFontMetrics fm(c.FuenteEtiquetas());
    const QRect area = c.AreaBarras();
    const double slot = static_cast<double>(area.width()) / static_cast<double>(barras.size());
    size_t k = 0;  // next drawn label
    int libre = 2;
    for (size_t i = 0; i < barras.size(); ++i) {
        const QString texto = gui::Q(barras[i].Etiqueta);
        if (k < dibujadas.size() && dibujadas[k].Indice == static_cast<int>(i)) {
            EXPECT_EQ(dibujadas[k].Texto, texto);
            EXPECT_GE(dibujadas[k].Rect.left(), libre) << gui::S(texto);
            libre = dibujadas[k].Rect.left() + dibujadas[k].Rect.width() + 8;
            ++k;
            continue;
        }
        const int w = fm.horizontalAdvance(texto);
        const double centro = area.left() + (static_cast<double>(i) + 0.5) * slot;
        const int x =
            std::clamp(static_cast<int>(std::lround(centro)) - w / 2, 2, c.width() - 1 - w);
        EXPECT_TRUE(x < libre || w > c.width() - 3)
            << gui::S(c.objectName()) << ": " << gui::S(texto) << " cabía en " << x
            << ", libre desde " << libre;
    }
    EXPECT_EQ(k, dibujadas.size());
}

bool Etiquetada(const gui::GraficoBarras& c, const char* texto) {
    for (const auto& e : c.EtiquetasDibujadas()) {
        if (e.Texto == QString::fromUtf8(texto)) {
            return true;
        }
    }
    return false;
}

struct CasoVista {
    const char* nombre;
    bool arq;                          // "Arq." down
    const char* chart;                 // the chart that must label ...
    std::vector<const char*> rotulos;  // ... these bars
};

class EtiquetasVentana : public VentanaPrueba, public ::testing::WithParamInterface<CasoVista> {};

TEST_P(EtiquetasVentana, EveryLabelThatFitsIsDrawn) {
    const CasoVista& caso = GetParam();
    CargarMuestra();
    if (caso.arq) {
        Pulsar("SBViewArq");
    }
    Procesar();
    const std::vector<std::pair<const char*, const TGrafico*>> charts = {
        {"ChartDia", &Form().Graficos.ChartDia},
        {"ChartItemNat", &Form().Graficos.ChartItemNat},
        {"ChartItemTra", &Form().Graficos.ChartItemTra},
        {"ChartAngTra", &Form().Graficos.ChartAngTra}};
    for (const auto& [nombre, g] : charts) {
        auto* c = Hijo<gui::GraficoBarras>(nombre);
        ASSERT_TRUE(c->isVisible()) << nombre;
        c->grab();
        ComprobarEtiquetas(*c, *g);
    }
    auto* c = Hijo<gui::GraficoBarras>(caso.chart);
    for (const char* r : caso.rotulos) {
        EXPECT_TRUE(Etiquetada(*c, r)) << caso.chart << " sin " << r;
    }
    // The daily chart labels its first day.
    auto* dia = Hijo<gui::GraficoBarras>("ChartDia");
    ASSERT_FALSE(dia->EtiquetasDibujadas().empty());
    EXPECT_EQ(dia->EtiquetasDibujadas()[0].Indice, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Vistas, EtiquetasVentana,
    ::testing::Values(CasoVista{"Normal", false, "ChartItemNat", {"NodST", "NodT"}},
                      CasoVista{"Arq", true, "ChartItemTra", {"NodT", "Nod"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

using GraficosVentana = VentanaPrueba;

// The tooltip a user gets when resting the mouse on the point.
QString Ayuda(QWidget* w, QPoint p) {
    QHelpEvent e(QEvent::ToolTip, p, w->mapToGlobal(p));
    QApplication::sendEvent(w, &e);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST_F(GraficosVentana, HoveringABarWithoutItsLabelShowsLabelAndValue) {
    CargarMuestra();
    Pulsar("SBViewArq");  // narrow item charts: not every natal label fits
    auto* nat = Hijo<gui::GraficoBarras>("ChartItemNat");
    nat->grab();
    const auto& barras = Form().Graficos.ChartItemNat.Series[0].Barras;
    ASSERT_LT(nat->EtiquetasDibujadas().size(), barras.size());
    // The first bar without a label.
    int sin = -1;
    for (size_t i = 0, k = 0; i < barras.size(); ++i) {
        if (k < nat->EtiquetasDibujadas().size() &&
            nat->EtiquetasDibujadas()[k].Indice == static_cast<int>(i)) {
            ++k;
        } else {
            sin = static_cast<int>(i);
            break;
        }
    }
    ASSERT_GE(sin, 0);
    const QRect r = nat->RectBarra(0, sin);
    const std::string esperado = barras[static_cast<size_t>(sin)].Etiqueta + ": " +
                                 MarcaValor(barras[static_cast<size_t>(sin)].Valor);
    EXPECT_EQ(gui::S(Ayuda(nat, QPoint(r.center().x(), r.bottom() - 1))), esperado);
    // Above the bar, in its column, too.
    EXPECT_EQ(gui::S(Ayuda(nat, QPoint(r.center().x(), nat->AreaBarras().top() + 1))), esperado);
    // Over the title: nothing.
    EXPECT_TRUE(nat->TextoAyuda(QPoint(r.center().x(), 3)).isEmpty());

    // The daily chart of a year: the day label and its weight.
    auto* dia = Hijo<gui::GraficoBarras>("ChartDia");
    dia->grab();
    const auto& dias = Form().Graficos.ChartDia.Series[0].Barras;
    const QRect rd = dia->RectBarra(0, 100);
    const QString t = Ayuda(dia, QPoint(rd.center().x(), dia->AreaBarras().bottom() - 1));
    EXPECT_EQ(gui::S(t), dias[100].Etiqueta + ": " + MarcaValor(dias[100].Valor));
    EXPECT_EQ(dias[100].Etiqueta, "2024-04-10");
}

TEST_F(GraficosVentana, NoTooltipWhereEveryLabelAndValueShows) {
    CargarMuestra();
    Pulsar("SBPer8");  // January
    auto* ang = Hijo<gui::GraficoBarras>("ChartAngTra");
    ang->grab();
    const auto& barras = Form().Graficos.ChartAngTra.Series[0].Barras;
    ASSERT_EQ(ang->EtiquetasDibujadas().size(), barras.size());
    ASSERT_EQ(ang->MarcasDibujadas().size(), barras.size());
    EXPECT_TRUE(ang->TextoAyuda(ang->RectBarra(0, 0).center()).isEmpty());
}

TEST_F(GraficosVentana, AxisRaisedBeforeLoadingDoesNotCutTheBars) {
    Pulsar("SBMaxAxisOrd");  // up with no data: a maximum of 0
    EXPECT_FALSE(Boton("SBMaxAxisOrd")->isChecked());
    CargarMuestra();
    auto* dia = Hijo<gui::GraficoBarras>("ChartDia");
    // Automatic: the highest day reaches the top of the plot area and no
    // other bar is cut off there.
    EXPECT_DOUBLE_EQ(dia->MaximoEje(), Form().Picos.PPMaxRango);
    const auto& barras = Form().Graficos.ChartDia.Series[0].Barras;
    const QRect area = dia->AreaBarras();
    int enElTecho = 0;
    for (size_t i = 0; i < barras.size(); ++i) {
        enElTecho += dia->RectBarra(0, static_cast<int>(i)).top() <= area.top() ? 1 : 0;
    }
    EXPECT_EQ(enElTecho, 1);
    // Down and up again: fixed at the global maximum as always.
    Pulsar("SBMaxAxisOrd");
    EXPECT_TRUE(Boton("SBMaxAxisOrd")->isChecked());
    Pulsar("SBMaxAxisOrd");
    ASSERT_TRUE(dia->EjeFijo().has_value());
    EXPECT_DOUBLE_EQ(*dia->EjeFijo(), Form().Picos.PPMaxGlobal);
    EXPECT_DOUBLE_EQ(dia->MaximoEje(), Form().Picos.PPMaxGlobal);
}

// Pixels of the bar colours in what the screen shows of a window.
int PixelesDeBarras(QWidget* ventana) {
    const QImage img = ventana->screen()
                           ->grabWindow(ventana->winId())
                           .toImage()
                           .convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += (c == QColor(0, 128, 0) || c == QColor(255, 0, 0)) ? 1 : 0;
        }
    }
    return n;
}

// The trend graph paints nothing: one colour all over.
bool EnBlanco(gui::GraficoTendenciaQt* pb) {
    const QImage img = pb->grab().toImage();
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) != img.pixel(0, 0)) {
                return false;
            }
        }
    }
    return !pb->Dibujo().Dibujar;
}

TEST_F(GraficosVentana, TrendGraphIsEmptyAfterClearing) {
    CargarMuestra();
    Pulsar("SBGP");
    auto* tw = ventana->Herramienta(QStringLiteral("TWGraphRange"));
    auto* pb = Hijo<gui::GraficoTendenciaQt>("PBRange");
    ASSERT_TRUE(tw->isVisible());
    Procesar();
    ASSERT_GT(PixelesDeBarras(tw), 100);
    Pulsar("CBCleanData");
    Procesar();
    EXPECT_TRUE(EnBlanco(pb));
    EXPECT_EQ(PixelesDeBarras(tw), 0);  // the screen no longer shows the bars
}

TEST_F(GraficosVentana, TrendGraphIsEmptyAfterAFailedLoad) {
    CargarMuestra();
    Pulsar("SBGP");
    auto* tw = ventana->Herramienta(QStringLiteral("TWGraphRange"));
    auto* pb = Hijo<gui::GraficoTendenciaQt>("PBRange");
    Procesar();
    ASSERT_GT(PixelesDeBarras(tw), 100);
    QTemporaryDir carpeta;
    const std::string malo = gui::S(carpeta.filePath(QStringLiteral("malo.csv")));
    std::ofstream(malo, std::ios::binary) << "cabecera\r\nx\r\n";
    Cargar({malo});
    Procesar();
    ASSERT_EQ(errores.size(), 1u);
    EXPECT_FALSE(Form().DataCargada);
    EXPECT_TRUE(EnBlanco(pb));
    EXPECT_EQ(PixelesDeBarras(tw), 0);
}

}  // namespace
}  // namespace varnolt::prueba
