// SPDX-License-Identifier: AGPL-3.0-or-later
// The list boxes of the main window: a QListView over the core's TListBox.
//
// The core's TListBox holds the rows, the selected rows, the current row and
// the Tag; the view mirrors them through a small model (no per-row widgets, so
// the weighted-days list stays fast with thousands of rows). When the user
// changes the selection (a click, Ctrl-click, Shift-click, a key), the view
// writes the selection and the current row back into the TListBox and emits
// Clic(); the window then calls the core's click handler. Rows are painted by
// PintorFilas, the row painter LBInvNatItemDrawItem.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>
#include <memory>
#include <string>
#include <vector>

#include "app/ListBox.h"

namespace varnolt::gui {

// The rows of a TListBox as a Qt model. The rows are those of the last
// Recargar(), so that rows the core adds meanwhile (the loader does, between
// its refreshes) never reach the view unannounced. Rows the core keeps as
// data are shared, not copied, and written out only when the view asks for
// them: the rows on screen.
class ModeloListBox : public QAbstractListModel {
    Q_OBJECT
  public:
    ModeloListBox(const TListBox& lista, QObject* parent);
    int rowCount(const QModelIndex& padre = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    // Takes the rows of the TListBox again; true when they changed.
    bool Recargar(bool siempre = false);

  private:
    const TListBox& lista_;
    std::vector<std::string> copia_;
    std::shared_ptr<const IFilasDiferidas> diferidas_;
};

// LBInvNatItemDrawItem: a selected row is filled by the list's Tag (0 or -1
// yellow, 1 RGB(0,128,255), 2 RGB(255,128,0), 3 RGB(128,0,0)) with white text
// when the Tag is above 0, RGB(128,0,0) otherwise; other rows are black on the
// list's background. The text starts 3 pixels right of the row's left edge,
// at its top edge.
class PintorFilas : public QStyledItemDelegate {
  public:
    PintorFilas(const TListBox& lista, QColor fondo, int altoFila, QObject* parent);
    void paint(QPainter* p, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;
    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;

    static QColor RellenoSeleccion(int tag);
    static QColor TextoSeleccion(int tag);

  private:
    const TListBox& lista_;
    QColor fondo_;
    int altoFila_;
};

class ListaVarnolt : public QListView {
    Q_OBJECT
  public:
    // `columnas` > 1 makes a multi-column list (rows flow top to bottom, then
    // into the next column); `multiple` the extended multi-selection.
    ListaVarnolt(const QString& nombre, TListBox& lista, int columnas, bool multiple, QColor fondo,
                 QWidget* padre);

    TListBox& Lista() { return lista_; }
    ModeloListBox* Modelo() const { return modelo_; }

    // Rows (when they changed), selection and current row from the core.
    void Recargar(bool siempre = false);
    void ReflejarSeleccion();
    // Selection and current row into the core.
    void Volcar();

    // The rectangle of a row in viewport coordinates (for tests and tools).
    QRect RectFila(int fila) const;

  signals:
    // The user chose rows: the TListBox already holds the new selection.
    void Clic();

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    struct Estado {
        std::vector<bool> seleccion;
        int actual = -1;
        bool operator==(const Estado&) const = default;
    };
    Estado EstadoVista() const;
    void AjustarColumnas();

    TListBox& lista_;
    ModeloListBox* modelo_;
    int columnas_;
    bool pulsadoEnFila_ = false;
    Estado antes_;
};

}  // namespace varnolt::gui
