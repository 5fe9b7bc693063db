// SPDX-License-Identifier: AGPL-3.0-or-later
// The content of the tool window TWLumbrisk, "Arquetipos astrológicos"
//: the list LBDataArq of the archetype files of the catalogue, a
// thin view over TArquetipos::LBDataArq. Client area 186 × 218 (fixed); rows
// of 16 pixels painted by PintorCatalogo (LBDataArqDrawItem); a click writes
// the selection into the core's list and runs TArquetipos::LBDataArqClick.
//
// Host: put the panel in TWLumbrisk (TamanoFijo(kAncho, kAlto)), call
// Refrescar() after TArquetipos::SBLoadTermsClick has rescanned the
// catalogue.
#pragma once

#include <QStyledItemDelegate>
#include <QWidget>

#include "gui/PartesComun.h"

namespace varnolt {
class TFormVarnolt;
class TArquetipos;
struct TListBox;
}  // namespace varnolt

namespace varnolt::gui {

class ListaVarnolt;

// LBDataArqDrawItem: the selected row blue RGB(0,0,255) on yellow
// RGB(255,255,0), the others black on the list's background; the text
// starts 5 pixels from the row's left edge. A name too long for the row
// ends in an ellipsis and shows whole as the row's tooltip.
class PintorCatalogo : public QStyledItemDelegate {
  public:
    PintorCatalogo(QColor fondo, int altoFila, QObject* parent);
    void paint(QPainter* p, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;
    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
    bool helpEvent(QHelpEvent* e, QAbstractItemView* vista, const QStyleOptionViewItem& opcion,
                   const QModelIndex& indice) override;

  private:
    // The row's text as painted: cut with an ellipsis when it does not fit.
    static QString TextoVisible(const QStyleOptionViewItem& opcion, const QModelIndex& indice);

    QColor fondo_;
    int altoFila_;
};

class PanelCatalogoArq : public QWidget {
    Q_OBJECT
  public:
    // Wide enough for the window's title "Arquetipos astrológicos" beside the
    // window manager's buttons, and for the sample file's entry.
    static constexpr int kAncho = 320;
    static constexpr int kAlto = 218;
    static constexpr int kAltoFila = 16;

    PanelCatalogoArq(TFormVarnolt& form, TArquetipos& arq, QWidget* padre, Ejecutor ejecutar = {});

    // The rows and the selection of LBDataArq from the core.
    void Refrescar();
    QSize sizeHint() const override { return {kAncho, kAlto}; }

    ListaVarnolt* LBDataArq() const { return lbDataArq_; }

  private:
    TFormVarnolt& form_;
    TArquetipos& arq_;
    Ejecutor ejecutar_;
    ListaVarnolt* lbDataArq_ = nullptr;
};

}  // namespace varnolt::gui
