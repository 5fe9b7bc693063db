// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/GraficoBarras.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "gui/TextoQt.h"
#include "views/PresentacionGraficos.h"

namespace varnolt::gui {
namespace {

constexpr int kMargen = 6;          // around the plot area
constexpr int kLargoMarcaEje = 4;   // tick length of the axes
constexpr int kFlechaMarca = 6;     // from the bar top to its value mark
constexpr int kHuecoEtiquetas = 8;  // between two category labels
constexpr double kAnchoSerie2 = 0.6;
constexpr double kDesplazamientoSerie2 = -0.2;  // of its own width
constexpr double kAnchoItems = 0.7;

QFont Fuente(const QString& familia, int pixeles, bool negrita = false) {
    QFont f(familia);
    f.setFamilies({familia, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixeles);
    f.setBold(negrita);
    return f;
}

}  // namespace

GraficoBarras::GraficoBarras(const QString& nombre, const TGrafico& grafico, Tipo tipo,
                             QWidget* padre)
    : QWidget(padre),
      grafico_(grafico),
      tipo_(tipo),
      fuenteTitulo_(Fuente(QStringLiteral("Arial"), 13)),
      fuenteEjes_(Fuente(QStringLiteral("Arial"), 11)),
      fuenteMarcas_(Fuente(QStringLiteral("Arial"), 10)) {
    setObjectName(nombre);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(40, 40);
    if (tipo_ == Tipo::Dia) {
        setCursor(Qt::PointingHandCursor);
    }
}

void GraficoBarras::EjeFijo(std::optional<double> maximo) {
    ejeFijo_ = maximo;
    update();
}

void GraficoBarras::Actualizar() {
    update();
}

double GraficoBarras::MaximoEje() const {
    // A fixed top of 0 fixes no scale: the axis follows the bars.
    if (ejeFijo_ && *ejeFijo_ > 0) {
        return *ejeFijo_;
    }
    double m = 0;
    for (const TSerie& s : grafico_.Series) {
        for (const TBarra& b : s.Barras) {
            m = std::max(m, b.Valor);
        }
    }
    return m > 0 ? m : 1.0;
}

QStringList GraficoBarras::LineasTitulo() const {
    QString t = Lineas(grafico_.Titulo);
    return t.split(QLatin1Char('\n'));
}

QString GraficoBarras::Titulo() const {
    return Q(grafico_.Titulo);
}

GraficoBarras::Geometria GraficoBarras::Calcular() const {
    Geometria g;
    const QFontMetrics fmTitulo(fuenteTitulo_);
    const QFontMetrics fmEjes(fuenteEjes_);
    const QFontMetrics fmMarcas(fuenteMarcas_);
    bool hayMarcas = false;
    for (const TSerie& s : grafico_.Series) {
        g.n = std::max(g.n, static_cast<int>(s.Barras.size()));
        hayMarcas = hayMarcas || (s.MarcasVisibles && !s.Barras.empty());
    }
    TMedidasBandas m;
    m.Alto = height();
    m.Titulo = static_cast<int>(LineasTitulo().size()) * fmTitulo.lineSpacing() + 6;
    m.Marcas = hayMarcas ? fmMarcas.height() + kFlechaMarca + 6 : 0;
    m.Etiquetas = fmEjes.height() + kLargoMarcaEje + 3;
    m.MargenArriba = kMargen;
    m.MargenAbajo = 3;
    m.AltoMinimo = kAltoMinimoArea;
    const TBandasGrafico b = DisponerBandas(m);
    g.titulo = b.Titulo;
    g.marcas = b.Marcas;
    g.etiquetas = b.Etiquetas;
    g.altoTitulo = b.Titulo ? m.Titulo : 0;
    g.maximo = MaximoEje();
    const TEscalaEje escala =
        EscalaEje(g.maximo, b.AltoArea - 1, std::max(16, fmEjes.height() + 6));
    g.marcasEje = escala.Marcas;
    int anchoEtiquetas = 0;
    for (double v : g.marcasEje) {
        anchoEtiquetas = std::max(anchoEtiquetas, fmEjes.horizontalAdvance(Q(EtiquetaEje(v))));
    }
    const int izquierda = kMargen + anchoEtiquetas + kLargoMarcaEje + 3;
    const int derecha = width() - kMargen - 4;
    g.area = QRect(izquierda, b.Arriba, std::max(1, derecha - izquierda + 1), b.AltoArea);
    g.slot = g.n > 0 ? static_cast<double>(g.area.width()) / g.n : 0.0;
    return g;
}

GraficoBarras::Bandas GraficoBarras::BandasVisibles() const {
    const Geometria g = Calcular();
    bool hayMarcas = false;
    for (const TSerie& s : grafico_.Series) {
        hayMarcas = hayMarcas || (s.MarcasVisibles && !s.Barras.empty());
    }
    return {g.titulo, g.marcas && hayMarcas, g.etiquetas};
}

const TSerie* GraficoBarras::SerieEtiquetas() const {
    for (const TSerie& s : grafico_.Series) {
        if (!s.Barras.empty()) {
            return &s;
        }
    }
    return nullptr;
}

int GraficoBarras::IndiceEnColumna(const Geometria& g, int x) const {
    const TSerie* serie = SerieEtiquetas();
    if (serie == nullptr || g.slot <= 0 || x < g.area.left() || x > g.area.right()) {
        return -1;
    }
    const int n = static_cast<int>(serie->Barras.size());
    const int ancho = g.area.width();
    const int columna = x - g.area.left();
    if (g.n <= ancho) {
        const int i = static_cast<int>(columna / g.slot);
        return i < n ? i : -1;
    }
    // As the paint groups them: bar i falls in column min(ancho - 1, i * slot).
    const int desde = std::max(0, static_cast<int>(std::floor(columna / g.slot)) - 1);
    const int hasta = std::min(n - 1, static_cast<int>(std::ceil((columna + 1) / g.slot)) + 1);
    int mejor = -1;
    for (int i = desde; i <= hasta; ++i) {
        const int c = std::min(ancho - 1, static_cast<int>(i * g.slot));
        if (c != columna) {
            continue;
        }
        if (mejor < 0 || serie->Barras[static_cast<size_t>(i)].Valor >
                             serie->Barras[static_cast<size_t>(mejor)].Valor) {
            mejor = i;
        }
    }
    return mejor;
}

QString GraficoBarras::TextoAyuda(QPoint punto) const {
    if (todoVisible_) {
        return {};
    }
    const Geometria g = Calcular();
    if (punto.y() < g.altoTitulo || punto.y() >= height()) {
        return {};
    }
    const int i = IndiceEnColumna(g, punto.x());
    if (i < 0) {
        return {};
    }
    const TBarra& b = SerieEtiquetas()->Barras[static_cast<size_t>(i)];
    QString valor = Q(MarcaValor(b.Valor));
    if (valor.isEmpty()) {
        valor = QStringLiteral("0");
    }
    QString texto = Q(b.Etiqueta) + QStringLiteral(": ") + valor;
    if (!g.titulo) {
        texto = LineasTitulo().join(QLatin1Char(' ')) + QLatin1Char('\n') + texto;
    }
    return texto;
}

bool GraficoBarras::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const auto* ayuda = static_cast<QHelpEvent*>(e);
        const QString texto = TextoAyuda(ayuda->pos());
        if (texto.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            QToolTip::showText(ayuda->globalPos(), texto, this);
        }
        return true;
    }
    return QWidget::event(e);
}

QRect GraficoBarras::AreaBarras() const {
    return Calcular().area;
}

int GraficoBarras::Y(const Geometria& g, double valor) const {
    const double fraccion = std::clamp(valor / g.maximo, 0.0, 1.0);
    const int base = g.area.bottom() + 1;
    return base - static_cast<int>(std::lround(fraccion * g.area.height()));
}

std::pair<int, int> GraficoBarras::Extension(const Geometria& g, int serie, int indice) const {
    const double izq = g.area.left();
    double x0 = 0;
    double x1 = 0;
    if (tipo_ == Tipo::Dia && serie == 0) {
        x0 = izq + std::floor(indice * g.slot);
        x1 = izq + std::floor((indice + 1) * g.slot);
    } else {
        const double ancho = g.slot * (tipo_ == Tipo::Dia ? kAnchoSerie2 : kAnchoItems);
        const double desplazamiento = tipo_ == Tipo::Dia ? kDesplazamientoSerie2 * ancho : 0.0;
        const double centro = izq + (indice + 0.5) * g.slot + desplazamiento;
        x0 = std::floor(centro - ancho / 2 + 0.5);
        x1 = std::floor(centro + ancho / 2 + 0.5);
    }
    const int a = static_cast<int>(x0);
    const int b = std::max(a + 1, static_cast<int>(x1));
    return {a, b};
}

QRect GraficoBarras::RectBarra(int serie, int indice) const {
    if (serie < 0 || serie >= static_cast<int>(grafico_.Series.size())) {
        return {};
    }
    const auto& barras = grafico_.Series[static_cast<size_t>(serie)].Barras;
    if (indice < 0 || indice >= static_cast<int>(barras.size())) {
        return {};
    }
    const Geometria g = Calcular();
    const auto [x0, x1] = Extension(g, serie, indice);
    const int y = Y(g, barras[static_cast<size_t>(indice)].Valor);
    return QRect(x0, y, x1 - x0, g.area.bottom() + 1 - y);
}

std::optional<std::pair<int, int>> GraficoBarras::BarraEn(QPoint p) const {
    const Geometria g = Calcular();
    if (g.n == 0 || g.slot <= 0 || !g.area.adjusted(-2, 0, 2, 1).contains(p)) {
        return std::nullopt;
    }
    const int series = static_cast<int>(grafico_.Series.size());
    for (int s = series - 1; s >= 0; --s) {
        const auto& barras = grafico_.Series[static_cast<size_t>(s)].Barras;
        const int n = static_cast<int>(barras.size());
        const double rel = (p.x() - g.area.left()) / g.slot;
        const int desde = std::max(0, static_cast<int>(std::floor(rel - 2.0 / g.slot)) - 1);
        const int hasta = std::min(n - 1, static_cast<int>(std::ceil(rel + 2.0 / g.slot)) + 1);
        int mejor = -1;
        for (int i = desde; i <= hasta; ++i) {
            const double v = barras[static_cast<size_t>(i)].Valor;
            if (v <= 0) {
                continue;
            }
            const auto [x0, x1] = Extension(g, s, i);
            if (p.x() < x0 || p.x() >= x1 || p.y() < Y(g, v) || p.y() > g.area.bottom()) {
                continue;
            }
            if (mejor < 0 || v > barras[static_cast<size_t>(mejor)].Valor) {
                mejor = i;
            }
        }
        if (mejor >= 0) {
            return std::make_pair(s, mejor);
        }
    }
    return std::nullopt;
}

void GraficoBarras::mousePressEvent(QMouseEvent* e) {
    const auto barra = BarraEn(e->position().toPoint());
    if (barra) {
        const TBarra& b = grafico_.Series[static_cast<size_t>(barra->first)]
                              .Barras[static_cast<size_t>(barra->second)];
        emit ClicSerie(barra->first, barra->second, Q(b.Etiqueta), b.Valor, e->button(),
                       e->modifiers());
    }
    QWidget::mousePressEvent(e);
}

void GraficoBarras::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const Geometria g = Calcular();
    etiquetas_.clear();
    marcas_.clear();

    // Title.
    p.setFont(fuenteTitulo_);
    p.setPen(QColor(64, 0, 0));
    const QFontMetrics fmTitulo(fuenteTitulo_);
    int y = 3;
    for (const QString& linea : g.titulo ? LineasTitulo() : QStringList()) {
        p.drawText(QRect(0, y, width(), fmTitulo.lineSpacing()), Qt::AlignHCenter | Qt::AlignTop,
                   linea);
        y += fmTitulo.lineSpacing();
    }

    // Left axis with its grid.
    p.setFont(fuenteEjes_);
    const QFontMetrics fmEjes(fuenteEjes_);
    const int base = g.area.bottom() + 1;
    for (double v : g.marcasEje) {
        const int yv = Y(g, v);
        if (v > 0) {
            p.setPen(QPen(QColor(210, 210, 210), 1, Qt::DotLine));
            p.drawLine(g.area.left(), yv, g.area.right(), yv);
        }
        p.setPen(Qt::black);
        p.drawLine(g.area.left() - kLargoMarcaEje, yv, g.area.left() - 1, yv);
        const QString texto = Q(EtiquetaEje(v));
        const int ancho = fmEjes.horizontalAdvance(texto);
        p.drawText(g.area.left() - kLargoMarcaEje - 3 - ancho,
                   yv - fmEjes.height() / 2 + fmEjes.ascent(), texto);
    }

    // Bars, series in order (Series2 over Series1).
    const int ancho = g.area.width();
    const bool agrupar = g.n > ancho;
    p.setClipRect(g.area.adjusted(-1, 0, 1, 1));
    for (size_t s = 0; s < grafico_.Series.size(); ++s) {
        const auto& barras = grafico_.Series[s].Barras;
        if (!agrupar) {
            for (size_t i = 0; i < barras.size(); ++i) {
                const TBarra& b = barras[i];
                const int yb = Y(g, b.Valor);
                if (yb >= base) {
                    continue;
                }
                const auto [x0, x1] = Extension(g, static_cast<int>(s), static_cast<int>(i));
                p.fillRect(QRect(x0, yb, x1 - x0, base - yb), Color(b.Color));
            }
            continue;
        }
        // More bars than pixels: the highest bar of every pixel column.
        std::vector<int> mejor(static_cast<size_t>(ancho), -1);
        for (size_t i = 0; i < barras.size(); ++i) {
            const int columna = std::min(ancho - 1, static_cast<int>(i * g.slot));
            int& m = mejor[static_cast<size_t>(columna)];
            if (m < 0 || barras[i].Valor > barras[static_cast<size_t>(m)].Valor) {
                m = static_cast<int>(i);
            }
        }
        for (int c = 0; c < ancho; ++c) {
            const int i = mejor[static_cast<size_t>(c)];
            if (i < 0) {
                continue;
            }
            const TBarra& b = barras[static_cast<size_t>(i)];
            const int yb = Y(g, b.Valor);
            if (yb < base) {
                p.fillRect(QRect(g.area.left() + c, yb, 1, base - yb), Color(b.Color));
            }
        }
    }
    p.setClipping(false);

    // Axis lines.
    p.setPen(Qt::black);
    p.drawLine(g.area.left() - 1, g.area.top(), g.area.left() - 1, base);
    p.drawLine(g.area.left() - 1, base, g.area.right() + 1, base);

    // Category labels under the bars: every bar whose own label fits clear
    // of the last one drawn. With more bars than pixels the candidates go by
    // pixel columns: the first bar whose middle rounds into a column stands
    // for the column, so placing the labels costs the chart's width, not the
    // number of bars.
    const TSerie* serieEtiquetas = SerieEtiquetas();
    if (serieEtiquetas != nullptr && g.slot > 0 && g.etiquetas) {
        const auto& barras = serieEtiquetas->Barras;
        const auto centroBarra = [&](int i) { return g.area.left() + (i + 0.5) * g.slot; };
        std::vector<int> candidatas;  // bar indices
        if (agrupar) {
            long columna = std::numeric_limits<long>::min();
            for (int i = 0; i < static_cast<int>(barras.size()); ++i) {
                const long c = std::lround(centroBarra(i));
                if (c != columna) {
                    candidatas.push_back(i);
                    columna = c;
                }
            }
        } else {
            candidatas.resize(barras.size());
            std::iota(candidatas.begin(), candidatas.end(), 0);
        }
        std::vector<QString> textos(candidatas.size());
        const auto centro = [&](int k) { return centroBarra(candidatas[static_cast<size_t>(k)]); };
        const auto anchoTexto = [&](int k) {
            QString& t = textos[static_cast<size_t>(k)];
            t = Q(barras[static_cast<size_t>(candidatas[static_cast<size_t>(k)])].Etiqueta);
            return fmEjes.horizontalAdvance(t);
        };
        const int yTexto = base + kLargoMarcaEje + 1;
        for (const TEtiquetaColocada& e :
             ColocarEtiquetas(static_cast<int>(candidatas.size()), centro, anchoTexto, 2,
                              width() - 1, kHuecoEtiquetas)) {
            const int xc = static_cast<int>(centro(e.Indice));
            const QString& texto = textos[static_cast<size_t>(e.Indice)];
            p.drawLine(xc, base, xc, base + kLargoMarcaEje - 1);
            p.drawText(e.X, yTexto + fmEjes.ascent(), texto);
            etiquetas_.push_back({candidatas[static_cast<size_t>(e.Indice)], texto,
                                  QRect(e.X, yTexto, e.Ancho, fmEjes.height())});
        }
    }

    // Value marks "#,###" above the bars of the series that show them.
    p.setFont(fuenteMarcas_);
    const QFontMetrics fmMarcas(fuenteMarcas_);
    // Whether every value of the label series can be read off the chart:
    // its marks shown, none left out where they would overlap.
    bool valoresVisibles =
        serieEtiquetas == nullptr || (serieEtiquetas->MarcasVisibles && g.marcas);
    size_t marcasPropias = 0;     // its marks with a text
    size_t propiasDibujadas = 0;  // those drawn
    for (size_t s = 0; s < grafico_.Series.size(); ++s) {
        const TSerie& serie = grafico_.Series[s];
        if (!serie.MarcasVisibles || !g.marcas) {
            continue;
        }
        for (size_t i = 0; i < serie.Barras.size(); ++i) {
            const TBarra& b = serie.Barras[i];
            const QString texto = Q(MarcaValor(b.Valor));
            if (texto.isEmpty()) {
                continue;
            }
            if (&serie == serieEtiquetas) {
                ++marcasPropias;
            }
            const auto [x0, x1] = Extension(g, static_cast<int>(s), static_cast<int>(i));
            const int centro = (x0 + x1) / 2;
            const int yb = Y(g, b.Valor);
            const int w = fmMarcas.horizontalAdvance(texto) + 6;
            const int h = fmMarcas.height() + 2;
            QRect caja(centro - w / 2, yb - kFlechaMarca - h, w, h);
            if (caja.top() < g.altoTitulo - 2) {
                caja.moveTop(g.altoTitulo - 2);
            }
            // A mark over a bar at the chart's edge stays whole inside the
            // chart; its leader still points at the bar's centre.
            if (caja.right() > width() - 1) {
                caja.moveRight(width() - 1);
            }
            if (caja.left() < 0) {
                caja.moveLeft(0);
            }
            // Marks keep a pixel clear of each other every way, so that two
            // boxes never read as one.
            bool solapa = false;
            for (const TextoDibujado& m : marcas_) {
                if (m.Rect.intersects(caja.adjusted(-1, -1, 1, 1))) {
                    solapa = true;
                    break;
                }
            }
            if (solapa) {
                continue;
            }
            p.setPen(QColor(128, 128, 128));
            p.drawLine(centro, yb - 1, centro, caja.bottom());
            p.fillRect(caja, QColor(255, 255, 225));
            p.drawRect(caja.adjusted(0, 0, -1, -1));
            p.setPen(Qt::black);
            p.drawText(caja, Qt::AlignCenter, texto);
            marcas_.push_back({static_cast<int>(i), texto, caja});
            if (&serie == serieEtiquetas) {
                ++propiasDibujadas;
            }
        }
    }
    valoresVisibles = valoresVisibles && propiasDibujadas == marcasPropias;
    todoVisible_ =
        g.titulo && valoresVisibles &&
        (serieEtiquetas == nullptr || etiquetas_.size() == serieEtiquetas->Barras.size());
}

}  // namespace varnolt::gui
