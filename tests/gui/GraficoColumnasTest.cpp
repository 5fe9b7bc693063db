// SPDX-License-Identifier: AGPL-3.0-or-later
// A daily chart of many more bars than pixels: bars and labels go by pixel
// columns. Each column shows its highest bar, and its first bar stands for
// it among the labels: every such bar whose own label fits is labelled.
#include <QFontMetrics>
#include <QImage>
#include <cmath>

#include "VentanaPrueba.h"
#include "app/Formato.h"
#include "gui/GraficoBarras.h"
#include "gui/TextoQt.h"

namespace varnolt::prueba {
namespace {

TEST(GraficoColumnas, ManyDaysArePaintedAndLabelledByPixelColumns) {
    AplicacionQt();
    TGrafico g{"1.00", {TSerie{{}, false}, TSerie{{}, false}}};
    const int n = 50000;
    for (int i = 0; i < n; ++i) {
        const TFecha f = CodificarFecha(1900, 1, 1) + i;
        const double v = (i % 997 == 0) ? 100.0 : 1.0 + i % 7;
        g.Series[0].Barras.push_back({v, FormatDateTime("yyyy-mm-dd", f), kColorDia});
        g.Series[1].Barras.push_back(
            {i % 997 == 0 ? v : 0.0, g.Series[0].Barras.back().Etiqueta, kColorPico});
    }
    gui::GraficoBarras c(QStringLiteral("ChartDia"), g, gui::GraficoBarras::Tipo::Dia, nullptr);
    c.resize(700, 300);
    QImage img(c.size(), QImage::Format_ARGB32_Premultiplied);
    c.render(&img);

    const QRect area = c.AreaBarras();
    const double slot = static_cast<double>(area.width()) / n;
    auto columna = [&](int i) { return std::lround(area.left() + (i + 0.5) * slot); };
    const auto& dibujadas = c.EtiquetasDibujadas();
    ASSERT_GE(dibujadas.size(), 3u);
    const QFontMetrics fm(c.FuenteEtiquetas());
    size_t k = 0;
    int libre = 2;
    for (int i = 0; i < n; ++i) {
        if (i > 0 && columna(i) == columna(i - 1)) {
            ASSERT_TRUE(k >= dibujadas.size() || dibujadas[k].Indice != i) << i;
            continue;  // not the first bar of its column
        }
        const QString texto = gui::Q(g.Series[0].Barras[static_cast<size_t>(i)].Etiqueta);
        if (k < dibujadas.size() && dibujadas[k].Indice == i) {
            EXPECT_EQ(dibujadas[k].Texto, texto);
            EXPECT_GE(dibujadas[k].Rect.left(), libre);
            libre = dibujadas[k].Rect.right() + 1 + 8;
            ++k;
            continue;
        }
        const int w = fm.horizontalAdvance(texto);
        const int x = std::clamp(static_cast<int>(columna(i)) - w / 2, 2, c.width() - 1 - w);
        EXPECT_LT(x, libre) << gui::S(texto) << " cabía";
    }
    EXPECT_EQ(k, dibujadas.size());

    // The highest bar of a column is the one painted: the 100s every 997 days
    // reach the top of the plot area in green under their red peak bars.
    const int top = area.top() + 1;
    int rojas = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        if (img.pixelColor(x, top) == QColor(255, 0, 0)) {
            ++rojas;
        }
    }
    EXPECT_GE(rojas, n / 997 / 2);
}

}  // namespace
}  // namespace varnolt::prueba
