// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/ListaVarnolt.h"

#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/TextoQt.h"

namespace varnolt::gui {

// ---- ModeloListBox ---------------------------------------------------------

ModeloListBox::ModeloListBox(const TListBox& lista, QObject* parent)
    : QAbstractListModel(parent), lista_(lista) {}

int ModeloListBox::rowCount(const QModelIndex& padre) const {
    if (padre.isValid()) {
        return 0;
    }
    return diferidas_ ? diferidas_->Cantidad() : static_cast<int>(copia_.size());
}

QVariant ModeloListBox::data(const QModelIndex& indice, int rol) const {
    if (rol != Qt::DisplayRole || !indice.isValid() || indice.row() >= rowCount()) {
        return {};
    }
    const int fila = indice.row();
    return Q(diferidas_ ? diferidas_->Texto(fila) : copia_[static_cast<size_t>(fila)]);
}

bool ModeloListBox::Recargar(bool siempre) {
    const auto& nuevas = lista_.Diferidas;
    if (!siempre) {
        const bool iguales =
            nuevas ? diferidas_ && (diferidas_ == nuevas || diferidas_->MismasFilas(*nuevas))
                   : !diferidas_ && copia_ == lista_.Items;
        if (iguales) {
            diferidas_ = nuevas;
            return false;
        }
    }
    beginResetModel();
    diferidas_ = nuevas;
    if (nuevas) {
        copia_.clear();
    } else {
        copia_ = lista_.Items;
    }
    endResetModel();
    return true;
}

// ---- PintorFilas -----------------------------------------------------------

PintorFilas::PintorFilas(const TListBox& lista, QColor fondo, int altoFila, QObject* parent)
    : QStyledItemDelegate(parent), lista_(lista), fondo_(fondo), altoFila_(altoFila) {}

QColor PintorFilas::RellenoSeleccion(int tag) {
    switch (tag) {
        case 1:
            return QColor(0, 128, 255);
        case 2:
            return QColor(255, 128, 0);
        case 3:
            return QColor(128, 0, 0);
        default:
            return QColor(255, 255, 0);
    }
}

QColor PintorFilas::TextoSeleccion(int tag) {
    return tag > 0 ? QColor(255, 255, 255) : QColor(128, 0, 0);
}

void PintorFilas::paint(QPainter* p, const QStyleOptionViewItem& opcion,
                        const QModelIndex& indice) const {
    const bool seleccionada = opcion.state & QStyle::State_Selected;
    const QRect r = opcion.rect;
    QColor relleno = fondo_;
    QColor texto(0, 0, 0);
    if (seleccionada) {
        relleno = RellenoSeleccion(lista_.Tag);
        texto = TextoSeleccion(lista_.Tag);
    }
    if (!(opcion.state & QStyle::State_Enabled)) {
        texto = seleccionada ? texto.lighter(130) : QColor(128, 128, 128);
    }
    p->fillRect(r, relleno);
    p->setPen(texto);
    p->setFont(opcion.font);
    p->drawText(r.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                indice.data(Qt::DisplayRole).toString());
    if ((opcion.state & QStyle::State_HasFocus) && (opcion.state & QStyle::State_Enabled)) {
        QPen punteado(seleccionada ? texto : QColor(0, 0, 0));
        punteado.setStyle(Qt::DotLine);
        p->setPen(punteado);
        p->drawRect(r.adjusted(0, 0, -1, -1));
    }
}

QSize PintorFilas::sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const {
    const QSize base = QStyledItemDelegate::sizeHint(opcion, indice);
    return {base.width() + 6, altoFila_};
}

// ---- ListaVarnolt ----------------------------------------------------------

ListaVarnolt::ListaVarnolt(const QString& nombre, TListBox& lista, int columnas, bool multiple,
                           QColor fondo, QWidget* padre)
    : QListView(padre),
      lista_(lista),
      modelo_(new ModeloListBox(lista, this)),
      columnas_(columnas) {
    setObjectName(nombre);
    setModel(modelo_);
    setItemDelegate(new PintorFilas(lista, fondo, 16, this));
    setUniformItemSizes(true);
    setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                              : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, fondo);
    pal.setColor(QPalette::Window, fondo);
    setPalette(pal);
    setAutoFillBackground(true);
    if (columnas_ > 1) {
        setFlow(QListView::TopToBottom);
        setWrapping(true);
        setResizeMode(QListView::Adjust);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        AjustarColumnas();
    } else {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    Recargar(true);
}

void ListaVarnolt::AjustarColumnas() {
    if (columnas_ <= 1) {
        return;
    }
    const int ancho = std::max(1, viewport()->width() / columnas_);
    setGridSize(QSize(ancho, 16));
}

void ListaVarnolt::resizeEvent(QResizeEvent* e) {
    QListView::resizeEvent(e);
    AjustarColumnas();
}

void ListaVarnolt::Recargar(bool siempre) {
    modelo_->Recargar(siempre);
    ReflejarSeleccion();
}

void ListaVarnolt::ReflejarSeleccion() {
    QItemSelectionModel* sm = selectionModel();
    const int filas = modelo_->rowCount();
    QItemSelection sel;
    const int n = std::min(filas, lista_.Count());
    for (int i = 0; i < n;) {
        if (!lista_.IsSelected(i)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < n && lista_.IsSelected(j + 1)) {
            ++j;
        }
        sel.select(modelo_->index(i, 0), modelo_->index(j, 0));
        i = j + 1;
    }
    const QModelIndex actual = lista_.ItemIndex >= 0 && lista_.ItemIndex < filas
                                   ? modelo_->index(lista_.ItemIndex, 0)
                                   : QModelIndex();
    sm->setCurrentIndex(actual, QItemSelectionModel::NoUpdate);
    sm->select(sel, QItemSelectionModel::ClearAndSelect);
}

void ListaVarnolt::Volcar() {
    const int n = std::min(modelo_->rowCount(), lista_.Count());
    const QItemSelectionModel* sm = selectionModel();
    std::fill(lista_.Selected.begin(), lista_.Selected.end(), std::uint8_t{0});
    for (const QItemSelectionRange& r : sm->selection()) {
        for (int i = r.top(); i <= r.bottom() && i < n; ++i) {
            lista_.SetSelected(i, true);
        }
    }
    const QModelIndex actual = sm->currentIndex();
    lista_.ItemIndex = actual.isValid() && actual.row() < n ? actual.row() : -1;
}

ListaVarnolt::Estado ListaVarnolt::EstadoVista() const {
    Estado e;
    const int n = modelo_->rowCount();
    e.seleccion.assign(static_cast<size_t>(n), false);
    for (const QItemSelectionRange& r : selectionModel()->selection()) {
        for (int i = r.top(); i <= r.bottom() && i < n; ++i) {
            e.seleccion[static_cast<size_t>(i)] = true;
        }
    }
    const QModelIndex actual = selectionModel()->currentIndex();
    e.actual = actual.isValid() ? actual.row() : -1;
    return e;
}

QRect ListaVarnolt::RectFila(int fila) const {
    return visualRect(modelo_->index(fila, 0));
}

void ListaVarnolt::mousePressEvent(QMouseEvent* e) {
    antes_ = EstadoVista();
    pulsadoEnFila_ = indexAt(e->position().toPoint()).isValid();
    QListView::mousePressEvent(e);
}

void ListaVarnolt::mouseReleaseEvent(QMouseEvent* e) {
    QListView::mouseReleaseEvent(e);
    const bool enFila = pulsadoEnFila_;
    pulsadoEnFila_ = false;
    if (enFila || !(EstadoVista() == antes_)) {
        Volcar();
        emit Clic();
    }
}

void ListaVarnolt::keyPressEvent(QKeyEvent* e) {
    const Estado antes = EstadoVista();
    QListView::keyPressEvent(e);
    if (!(EstadoVista() == antes)) {
        Volcar();
        emit Clic();
    }
}

}  // namespace varnolt::gui
