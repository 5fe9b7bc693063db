// SPDX-License-Identifier: AGPL-3.0-or-later
// The bar charts, painted by hand with QPainter over the core's
// chart data (TGrafico): white background, the title in Arial 13 px
// RGB(64,0,0), a left value axis (automatic, or fixed from 0 to a maximum),
// category labels under the bars (as many as fit), value marks "#,###" above
// the bars of the series whose marks are visible, bars in their own colours
// without outline.
//
// ChartDia has two series on the same days: Series1 at full slot width and
// Series2 (the peak days) at 60 % of it, displaced by -20 % of its width; the
// item charts have one series at 70 %. When there are more bars than pixels,
// each pixel column shows the highest bar that falls in it, and the first
// bar of a column stands for it among the category labels, so painting
// costs the chart's width, not the number of bars.
//
// The plot area keeps a minimum height: a chart too short for everything
// leaves out its value marks first, then its category labels, then its
// title. While a chart does not show every label and every value, hovering
// a bar shows its label and value in a tooltip.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "views/Graficos.h"

namespace varnolt::gui {

class GraficoBarras : public QWidget {
    Q_OBJECT
  public:
    enum class Tipo { Dia, Items };
    // The plot area's minimum height, in pixels.
    static constexpr int kAltoMinimoArea = 20;

    GraficoBarras(const QString& nombre, const TGrafico& grafico, Tipo tipo, QWidget* padre);

    // The left axis: automatic (nullopt) or fixed from 0 to the maximum; a
    // maximum of 0 or less fixes nothing (automatic).
    void EjeFijo(std::optional<double> maximo);
    std::optional<double> EjeFijo() const { return ejeFijo_; }
    // The top of the left axis as the last paint drew it (or would draw it).
    double MaximoEje() const;

    // The chart's data changed: repaint.
    void Actualizar();

    // Geometry, as the next paint draws it (for clicks, tests and tools).
    QRect AreaBarras() const;
    QRect RectBarra(int serie, int indice) const;
    // The bar under a point: series and index, Series2 before Series1 where
    // both are hit (it is drawn on top). Bars of height 0 are never hit.
    std::optional<std::pair<int, int>> BarraEn(QPoint punto) const;
    QString Titulo() const;
    // The category labels and value marks the last paint drew, with their
    // bar index (tests read them).
    struct TextoDibujado {
        int Indice;
        QString Texto;
        QRect Rect;
    };
    const std::vector<TextoDibujado>& EtiquetasDibujadas() const { return etiquetas_; }
    const std::vector<TextoDibujado>& MarcasDibujadas() const { return marcas_; }
    // The font of the category labels and of the left axis.
    const QFont& FuenteEtiquetas() const { return fuenteEjes_; }
    // The bands the current height leaves room for.
    struct Bandas {
        bool Titulo = true;
        bool Marcas = true;  // false also when no series shows marks
        bool Etiquetas = true;
    };
    Bandas BandasVisibles() const;
    // The tooltip over a point: "label: value" of the bar under it ("#,###",
    // "0" for nothing), after the title when the title is left out; empty
    // where there is no bar or when the last paint showed every label and
    // every value mark of the chart.
    QString TextoAyuda(QPoint punto) const;

  signals:
    // A click on a bar: series (0 Series1, 1 Series2), index, label, value,
    // the mouse button and the modifier keys.
    void ClicSerie(int serie, int indice, const QString& etiqueta, double valor,
                   Qt::MouseButton boton, Qt::KeyboardModifiers teclas);

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    struct Geometria {
        QRect area;          // plot area
        int n = 0;           // bars per series (the longest series)
        double slot = 0;     // pixels per bar
        double maximo = 1;   // top of the axis
        int altoTitulo = 0;  // title band; 0 when the title is left out
        bool titulo = true;
        bool marcas = true;
        bool etiquetas = true;
        std::vector<double> marcasEje;
    };
    Geometria Calcular() const;
    int Y(const Geometria& g, double valor) const;
    // Horizontal extent [x0, x1) of a bar.
    std::pair<int, int> Extension(const Geometria& g, int serie, int indice) const;
    QStringList LineasTitulo() const;
    // The series whose labels go under the bars (the first with bars).
    const TSerie* SerieEtiquetas() const;
    // The bar of the label series painted in the column of x (the highest
    // one when several bars share a pixel column), or -1.
    int IndiceEnColumna(const Geometria& g, int x) const;

    const TGrafico& grafico_;
    Tipo tipo_;
    std::optional<double> ejeFijo_;
    QFont fuenteTitulo_;
    QFont fuenteEjes_;
    QFont fuenteMarcas_;
    std::vector<TextoDibujado> etiquetas_;
    std::vector<TextoDibujado> marcas_;
    bool todoVisible_ = false;  // the last paint showed every label and value
};

}  // namespace varnolt::gui
