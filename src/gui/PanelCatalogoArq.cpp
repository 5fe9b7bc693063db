// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/PanelCatalogoArq.h"

#include <QPainter>
#include <QVBoxLayout>

#include "archetypes/Arquetipos.h"
#include "gui/ListaVarnolt.h"

namespace varnolt::gui {

PintorCatalogo::PintorCatalogo(QColor fondo, int altoFila, QObject* parent)
    : QStyledItemDelegate(parent), fondo_(fondo), altoFila_(altoFila) {}

void PintorCatalogo::paint(QPainter* p, const QStyleOptionViewItem& opcion,
                           const QModelIndex& indice) const {
    const bool seleccionada = opcion.state & QStyle::State_Selected;
    const QRect r = opcion.rect;
    p->save();
    p->fillRect(r, seleccionada ? QColor(255, 255, 0) : fondo_);
    p->setPen(seleccionada ? QColor(0, 0, 255) : QColor(0, 0, 0));
    p->setFont(opcion.font);
    p->drawText(CajaTextoFila(opcion, 5, 1), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                TextoVisible(opcion, indice));
    if ((opcion.state & QStyle::State_HasFocus) && (opcion.state & QStyle::State_Enabled)) {
        QPen punteado(QColor(0, 0, 0));
        punteado.setStyle(Qt::DotLine);
        p->setPen(punteado);
        p->drawRect(r.adjusted(0, 0, -1, -1));
    }
    p->restore();
}

QString PintorCatalogo::TextoVisible(const QStyleOptionViewItem& opcion,
                                     const QModelIndex& indice) {
    return opcion.fontMetrics.elidedText(indice.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                         CajaTextoFila(opcion, 5, 1).width());
}

QSize PintorCatalogo::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    // Rows are as wide as the list whatever their text (a row wider than the
    // list would never be shortened, nor get its tooltip).
    return {6, altoFila_};
}

bool PintorCatalogo::helpEvent(QHelpEvent* e, QAbstractItemView* vista,
                               const QStyleOptionViewItem& opcion, const QModelIndex& indice) {
    if (indice.isValid() && PistaFila(e, vista, opcion, indice.data(Qt::DisplayRole).toString(),
                                      TextoVisible(opcion, indice))) {
        return true;
    }
    return QStyledItemDelegate::helpEvent(e, vista, opcion, indice);
}

PanelCatalogoArq::PanelCatalogoArq(TFormVarnolt& form, TArquetipos& arq, QWidget* padre,
                                   Ejecutor ejecutar)
    : QWidget(padre),
      form_(form),
      arq_(arq),
      ejecutar_(ejecutar ? std::move(ejecutar) : EjecutorPorDefecto(this)) {
    setObjectName(QStringLiteral("PanelCatalogoArq"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    lbDataArq_ =
        new ListaVarnolt(QStringLiteral("LBDataArq"), arq_.LBDataArq, 1, false, Qt::white, this);
    QAbstractItemDelegate* anterior = lbDataArq_->itemDelegate();
    lbDataArq_->setItemDelegate(new PintorCatalogo(Qt::white, kAltoFila, lbDataArq_));
    delete anterior;
    v->addWidget(lbDataArq_);
    connect(lbDataArq_, &ListaVarnolt::Clic, this, [this] {
        ejecutar_([this] { arq_.LBDataArqClick(); });
        Refrescar();
    });
    setFixedSize(kAncho, kAlto);
    Refrescar();
}

void PanelCatalogoArq::Refrescar() {
    lbDataArq_->Recargar();
}

}  // namespace varnolt::gui
