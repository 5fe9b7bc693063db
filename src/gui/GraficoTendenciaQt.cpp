// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/GraficoTendenciaQt.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "gui/TextoQt.h"

namespace varnolt::gui {

GraficoTendenciaQt::GraficoTendenciaQt(FuenteDatos datos, QWidget* padre)
    : QWidget(padre), datos_(std::move(datos)) {
    setObjectName(QStringLiteral("PBRange"));
    fuente_ = QFont(QString::fromLatin1(kTendenciaFuente));
    fuente_.setFamilies({QString::fromLatin1(kTendenciaFuente), QStringLiteral("DejaVu Sans"),
                         QStringLiteral("Liberation Sans")});
    fuente_.setPointSize(kTendenciaTamanoFuente);
    fuente_.setStyleStrategy(QFont::PreferBitmap);
}

TDibujoTendencia GraficoTendenciaQt::Dibujo() const {
    const QFontMetrics fm(fuente_);
    const AnchoTextoFn ancho = [&fm](std::string_view texto) {
        return fm.horizontalAdvance(Q(texto));
    };
    return datos_(width(), height(), ancho);
}

void GraficoTendenciaQt::paintEvent(QPaintEvent*) {
    const TDibujoTendencia d = Dibujo();
    if (!d.Dibujar) {
        return;  // no data loaded: nothing is drawn
    }
    emit Titulo(Q(d.Titulo));
    QPainter p(this);
    p.fillRect(rect(), Color(kTendenciaFondo));
    p.setFont(fuente_);
    const QFontMetrics fm(fuente_);
    // The steps in their order; runs of lines of one pen go out together.
    std::vector<QLine> lineas;
    TColor colorLineas = 0;
    int grosorLineas = 0;
    auto vaciar = [&] {
        if (!lineas.empty()) {
            p.setPen(QPen(Color(colorLineas), grosorLineas, Qt::SolidLine, Qt::FlatCap));
            p.drawLines(lineas.data(), static_cast<int>(lineas.size()));
            lineas.clear();
        }
    };
    // A vertical line that a later one of the same x and width covers from
    // end to end leaves no trace (it is painted over): skip it. With many
    // days on few pixels every bar falls at x = 10, one over the other.
    std::vector<bool> tapada(d.Trazos.size(), false);
    {
        struct Tramo {
            int x, grosor, arriba, abajo;
        };
        std::vector<Tramo> posteriores;  // maximal spans seen so far, from the end
        for (size_t k = d.Trazos.size(); k-- > 0;) {
            const TTrazoTendencia& t = d.Trazos[k];
            if (t.Clase != TTrazoTendencia::Tipo::Linea || t.X1 != t.X2) {
                continue;
            }
            const int arriba = std::min(t.Y1, t.Y2);
            const int abajo = std::max(t.Y1, t.Y2);
            bool cubierta = false;
            for (const Tramo& m : posteriores) {
                if (m.x == t.X1 && m.grosor == t.Grosor && m.arriba <= arriba && m.abajo >= abajo) {
                    cubierta = true;
                    break;
                }
            }
            if (cubierta) {
                tapada[k] = true;
                continue;
            }
            // Keep only spans not inside the new one.
            std::erase_if(posteriores, [&](const Tramo& m) {
                return m.x == t.X1 && m.grosor == t.Grosor && m.arriba >= arriba &&
                       m.abajo <= abajo;
            });
            posteriores.push_back({t.X1, t.Grosor, arriba, abajo});
            if (posteriores.size() > 64) {
                posteriores.erase(posteriores.begin());
            }
        }
    }
    for (size_t k = 0; k < d.Trazos.size(); ++k) {
        const TTrazoTendencia& t = d.Trazos[k];
        if (tapada[k]) {
            continue;
        }
        if (t.Clase == TTrazoTendencia::Tipo::Linea) {
            if (!lineas.empty() && (t.Color != colorLineas || t.Grosor != grosorLineas)) {
                vaciar();
            }
            colorLineas = t.Color;
            grosorLineas = t.Grosor;
            lineas.emplace_back(t.X1, t.Y1, t.X2, t.Y2);
        } else {
            vaciar();
            // Few distinct labels ("ene1", "ene15" …): laid out once each.
            auto it = textos_.find(t.Texto);
            if (it == textos_.end()) {
                QStaticText st(Q(t.Texto));
                st.setTextFormat(Qt::PlainText);
                st.prepare(QTransform(), fuente_);
                it = textos_.emplace(t.Texto, std::move(st)).first;
            }
            p.setPen(Color(t.Color));
            p.drawStaticText(t.X1, t.Y1, it->second);
        }
    }
    vaciar();
}

}  // namespace varnolt::gui
