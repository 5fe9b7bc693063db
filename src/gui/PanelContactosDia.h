// SPDX-License-Identifier: AGPL-3.0-or-later
// The content of the tool window TWDetalleContactos, "Contactos Día"
//: the contacts of the calendar's day and the detail of
// the chosen one, a thin view over the core's ContactosDia, LBContactos,
// BandaContactos, RGSortContacto and Detalle.
//
// Left pane PanelContactosDiaL (395 pixels): the sort box RGSortContacto
// (items RGSortContacto0 "Porcentaje", RGSortContacto1 "Peso ponderado"; its
// caption is the core's RGSortContactoCaption), the six strength-band
// buttons under "Rango de Fuerza (%)", the hidden toggle SBDetalleArq, the
// labels LabelDetAspNatal and LabelDetAspPos, and the list LBContactos.
// Right pane PanelContactosDiaR, from x = 400: PanelInfoTransito with the
// three coloured descriptions and LabelTipoNatal, and the memo MemoArq.
//
// The window's width is the core's AnchoDetalleContactos() (400 at start,
// 800 while SBDetalleArq is down): the panel asks its host for it with
// AnchoSolicitado whenever it changes; the right pane lies outside a window
// of 400. Host: put the panel in TWDetalleContactos, connect
// AnchoSolicitado to the window's fixed size (height AltoInicial), and call
// Refrescar() on IVentana::Refrescar(Vista::ContactosDia). Placed in a
// widget without a layout, the panel takes that widget's size whenever it
// changes, so the right pane comes into view when the window widens.
#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "gui/PartesComun.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace varnolt {
class TFormVarnolt;
}

namespace varnolt::gui {

class ListaVarnolt;

class PanelContactosDia : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kAnchoIzquierda = 395;  // PanelContactosDiaL
    static constexpr int kXDerecha = 400;        // PanelContactosDiaR starts here
    static constexpr int kAnchoDerecha = 400;
    static constexpr int kAltoInicial = 520;

    // `ejecutar` runs every core handler (EjecutorPorDefecto when empty).
    PanelContactosDia(TFormVarnolt& form, QWidget* padre, Ejecutor ejecutar = {});

    // Re-reads the sort box, the bands, SBDetalleArq, the rows and selection
    // of LBContactos, the detail labels and MemoArq from the core; emits
    // AnchoSolicitado when the window's width changed.
    void Refrescar();

    // The width the window should have now (the core's AnchoDetalleContactos).
    int Ancho() const;
    QSize sizeHint() const override;

    ListaVarnolt* LBContactos() const { return lbContactos_; }

  signals:
    // The window must be this wide (400 or 800 pixels).
    void AnchoSolicitado(int ancho);

  protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

  private:
    void Construir();
    QWidget* ConstruirIzquierda();
    QWidget* ConstruirDerecha();
    void Accion(const std::function<void()>& manejador);
    // Takes the size of the widget it was placed in, unless a layout of that
    // widget places it.
    void SeguirAlPadre();

    TFormVarnolt& form_;
    Ejecutor ejecutar_;
    bool refrescando_ = false;
    int anchoAvisado_ = 0;

    QWidget* izquierda_ = nullptr;
    QWidget* derecha_ = nullptr;
    QGroupBox* rgSortContacto_ = nullptr;
    std::array<QRadioButton*, 2> orden_{};
    QButtonGroup* grupoBandas_ = nullptr;
    std::array<QToolButton*, 6> bandas_{};
    QToolButton* sbDetalleArq_ = nullptr;
    QLabel* labelDetAspNatal_ = nullptr;
    QLabel* labelDetAspPos_ = nullptr;
    ListaVarnolt* lbContactos_ = nullptr;
    QLabel* sinContactos_ = nullptr;  // shown over the list while it is empty
    QLabel* labelDescItemTra_ = nullptr;
    QLabel* labelDescItemAsp_ = nullptr;
    QLabel* labelTipoNatal_ = nullptr;
    QLabel* labelDescItemNat_ = nullptr;
    QPlainTextEdit* memoArq_ = nullptr;
    std::vector<std::string> lineasMemoArq_;
};

}  // namespace varnolt::gui
