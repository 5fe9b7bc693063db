// SPDX-License-Identifier: AGPL-3.0-or-later
// The content of PanelInfoArq: the three archetype panels side by
// side, a thin view over the core's LBArqTra, LBArqAsp and LBArqNat.
//
// PanelArqTra "El gestor (item en el cielo)" with SpeedButton2 "T" and
// SpeedButton3 "N"; PanelArqAsp "La oportunidad (ángulo tránsito)" (15
// leading blanks, which leave room for its buttons) with SpeedButton8 "T",
// SpeedButton9 "N" and SpeedButton10 "May."; PanelArqNat "Elemento de vida
// (mandala natal)" with SpeedButton4 "T", SpeedButton5 "N", SpeedButton6 "SP"
// and SpeedButton7 "SC". The buttons run the same core handlers as the filter
// buttons. The lists are multi-select, rows of 20 pixels on
// RGB(255,255,232), painted by PintorArq (LBArqTraDrawItem); a click writes
// the selection into the core's list and runs TArquetipos::LBArqTraClick
// with the list's Tag.
//
// Host: put the panel in PanelInfoArq (or make it PanelInfoArq), set the
// three widths from AjustarGraficos with Anchos(), and call Refrescar() on
// IVentana::Refrescar(Vista::Arquetipos) (and Vista::Listas, which the
// filter buttons change).
#pragma once

#include <QFontMetrics>
#include <QStyledItemDelegate>
#include <QWidget>
#include <array>

#include "gui/PartesComun.h"

namespace varnolt {
class TFormVarnolt;
class TArquetipos;
struct TListBoxArq;
}  // namespace varnolt

namespace varnolt::gui {

class ListaVarnolt;

// The text a row of an archetype list shows in `ancho` pixels: the whole
// text, line breaks read as blanks, when it fits; else the text cut at its
// end with an ellipsis. With `conAngulo` (the aspect list), a text ending in
// an angle such as "(90°)" is cut before the angle, which always shows
// whole: "Cuadratura de l…(90°)", and "…(90°)" when nothing more fits.
QString TextoFilaArq(const QString& texto, const QFontMetrics& medidas, int ancho, bool conAngulo);

// LBArqTraDrawItem: a selected row whose key is not "-" is filled with its
// list's colour (Tag 1 RGB(0,128,255), 2 RGB(255,128,0), 3 RGB(128,0,0)) and
// written in white; an unselected one is black on the list's background; a
// row whose key is "-", selected or not, is grey RGB(128,128,128) on
// RGB(255,255,232). Regular font, text 3 pixels from the left edge. A row
// whose text does not fit is shortened (TextoFilaArq; in the aspect list the
// angle at its end stays) and shows whole as its tooltip. Every row is as
// wide as the list, however long its text.
class PintorArq : public QStyledItemDelegate {
  public:
    PintorArq(const TListBoxArq& lista, QColor fondo, int altoFila, QObject* parent);
    void paint(QPainter* p, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;
    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
    bool helpEvent(QHelpEvent* e, QAbstractItemView* vista, const QStyleOptionViewItem& opcion,
                   const QModelIndex& indice) override;

    // The row's text as painted, and the font it is painted in.
    QString TextoVisible(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const;
    static QFont Fuente(const QStyleOptionViewItem& opcion);

  private:
    const TListBoxArq& lista_;
    QColor fondo_;
    int altoFila_;
};

class PanelArquetipos : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kAltoFila = 20;

    PanelArquetipos(TFormVarnolt& form, TArquetipos& arq, QWidget* padre, Ejecutor ejecutar = {});

    // Rows and selections of the three lists from the core.
    void Refrescar();

    // The widths of PanelArqTra, PanelArqAsp and PanelArqNat, left to right
    // (AjustarGraficos: 0.35 W, 0.25 W and the rest). Until they are set, the
    // panel divides its own width in those proportions.
    void Anchos(int tra, int asp, int nat);
    void AnchoPanelArqTra(int ancho);
    void AnchoPanelArqAsp(int ancho);
    void AnchoPanelArqNat(int ancho);

    QWidget* PanelArqTra() const { return paneles_[0]; }
    QWidget* PanelArqAsp() const { return paneles_[1]; }
    QWidget* PanelArqNat() const { return paneles_[2]; }
    ListaVarnolt* LBArqTra() const { return listas_[0]; }
    ListaVarnolt* LBArqAsp() const { return listas_[1]; }
    ListaVarnolt* LBArqNat() const { return listas_[2]; }

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void Colocar();
    void Accion(const std::function<void()>& manejador);

    TFormVarnolt& form_;
    TArquetipos& arq_;
    Ejecutor ejecutar_;
    std::array<QWidget*, 3> paneles_{};
    std::array<ListaVarnolt*, 3> listas_{};
    std::array<int, 3> anchos_{-1, -1, -1};  // -1: not set
};

}  // namespace varnolt::gui
