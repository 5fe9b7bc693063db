// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/PartesComun.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTextCursor>
#include <QToolButton>
#include <QToolTip>
#include <exception>

#include "gui/TextoQt.h"

namespace varnolt::gui {

Ejecutor EjecutorPorDefecto(QWidget* dueno) {
    QPointer<QWidget> ventana(dueno);
    return [ventana](const std::function<void()>& accion) {
        try {
            accion();
        } catch (const std::exception& e) {
            // The same standard box, titled like the main window's.
            QMessageBox::critical(ventana ? ventana->window() : nullptr, QStringLiteral("Varnolt"),
                                  Lineas(e.what()));
        }
    };
}

QToolButton* BotonRapido(const QString& nombre, const QString& texto, const QString& pista,
                         QWidget* padre, bool alternar) {
    auto* b = new QToolButton(padre);
    b->setObjectName(nombre);
    b->setText(texto);
    if (!pista.isEmpty()) {
        b->setToolTip(pista);
    }
    b->setCheckable(alternar);
    b->setAutoRaise(false);
    // Reached with Tab and pressed with Space; a click leaves the focus where
    // it was.
    b->setFocusPolicy(Qt::TabFocus);
    b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    b->setFixedHeight(20);
    return b;
}

void Fondo(QWidget* w, QColor color) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
}

QLabel* Etiqueta(const QString& nombre, QColor texto, QColor fondo, QWidget* padre) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setTextFormat(Qt::PlainText);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, texto);
    p.setColor(QPalette::Disabled, QPalette::WindowText, texto);
    if (fondo.isValid()) {
        p.setColor(QPalette::Window, fondo);
        l->setAutoFillBackground(true);
    }
    l->setPalette(p);
    return l;
}

QPlainTextEdit* Memo(const QString& nombre, bool ajustarLineas, QWidget* padre) {
    auto* m = new QPlainTextEdit(padre);
    m->setObjectName(nombre);
    m->setReadOnly(true);
    m->setLineWrapMode(ajustarLineas ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m->setUndoRedoEnabled(false);
    return m;
}

bool PonerLineas(QPlainTextEdit* memo, const std::vector<std::string>& lineas,
                 std::vector<std::string>& copia) {
    if (lineas == copia) {
        return false;
    }
    copia = lineas;
    QString texto;
    for (size_t i = 0; i < lineas.size(); ++i) {
        if (i > 0) {
            texto += QLatin1Char('\n');
        }
        texto += Q(lineas[i]);
    }
    memo->setPlainText(texto);
    QTextCursor c = memo->textCursor();
    c.movePosition(QTextCursor::Start);
    memo->setTextCursor(c);
    memo->verticalScrollBar()->setValue(0);
    memo->horizontalScrollBar()->setValue(0);
    return true;
}

QString FiltroQt(const std::string& filtro) {
    const QStringList partes = Q(filtro).split(QLatin1Char('|'));
    QStringList entradas;
    for (qsizetype i = 0; i < partes.size(); i += 2) {
        const QString descripcion = partes[i].trimmed();
        QStringList patrones;
        if (i + 1 < partes.size()) {
            for (const QString& p : partes[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                if (!p.trimmed().isEmpty()) {
                    patrones << p.trimmed();
                }
            }
        }
        if (patrones.isEmpty()) {
            patrones << QStringLiteral("*");
        }
        if (descripcion.isEmpty() && i + 1 >= partes.size()) {
            continue;  // a trailing "|"
        }
        entradas << descripcion + QStringLiteral(" (") + patrones.join(QLatin1Char(' ')) +
                        QLatin1Char(')');
    }
    return entradas.join(QStringLiteral(";;"));
}

QRect CajaTextoFila(const QStyleOptionViewItem& opcion, int izquierda, int derecha) {
    QRect r = opcion.rect;
    if (const auto* vista = qobject_cast<const QAbstractItemView*>(opcion.widget)) {
        r = r.intersected(vista->viewport()->rect());
    }
    return r.adjusted(izquierda, 0, -derecha, 0);
}

bool PistaFila(QHelpEvent* e, QAbstractItemView* vista, const QStyleOptionViewItem& opcion,
               const QString& completo, const QString& visible) {
    if (e == nullptr || vista == nullptr || e->type() != QEvent::ToolTip) {
        return false;
    }
    if (visible != completo) {
        QToolTip::showText(e->globalPos(), completo, vista->viewport(), opcion.rect);
    } else {
        QToolTip::hideText();
    }
    return true;
}

}  // namespace varnolt::gui
