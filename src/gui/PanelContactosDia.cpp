// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/PanelContactosDia.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/FormVarnolt.h"
#include "gui/ListaVarnolt.h"
#include "gui/TextoQt.h"

namespace varnolt::gui {
namespace {

const QColor kNegro(0, 0, 0);
const QColor kBlanco(255, 255, 255);
const QColor kGrisPosiciones(100, 100, 100);  // LabelDetAspPos
const QColor kGrisTipoNatal(98, 98, 98);      // LabelTipoNatal
const QColor kTransito(255, 128, 0);
const QColor kAspecto(128, 0, 0);
const QColor kNatal(0, 128, 255);

struct Banda {
    const char* nombre;
    const char* texto;
    const char* pista;
};
constexpr Banda kBandas[6] = {{"SBViewAll", "T", "Todos los contactos del día"},
                              {"SBViewLim40", "0-40", "Contactos de fuerza entre 0% y 40%"},
                              {"SBViewLim80", "40-80", "Contactos de fuerza entre 40% y 80%"},
                              {"SBViewMay50", ">50", "Contactos de fuerza mayor que 50%"},
                              {"SBViewMay80", ">80", "Contactos de fuerza mayor que 80%"},
                              {"SBViewMay90", ">90", "Contactos de fuerza mayor que 90%"}};

// A description label of the right pane: white text on its colour, wrapped,
// with a little room at both ends.
QLabel* Descripcion(const QString& nombre, QColor fondo, Qt::Alignment alineacion, QWidget* padre) {
    QLabel* l = Etiqueta(nombre, kBlanco, fondo, padre);
    l->setWordWrap(true);
    l->setAlignment(alineacion | Qt::AlignVCenter);
    l->setMargin(2);
    l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    return l;
}

// An empty caption line of PanelInfoTransito.
QLabel* LineaVacia(const QString& nombre, QWidget* padre) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setFixedHeight(l->fontMetrics().height());
    return l;
}

}  // namespace

PanelContactosDia::PanelContactosDia(TFormVarnolt& form, QWidget* padre, Ejecutor ejecutar)
    : QWidget(padre),
      form_(form),
      ejecutar_(ejecutar ? std::move(ejecutar) : EjecutorPorDefecto(this)) {
    setObjectName(QStringLiteral("PanelContactosDia"));
    Construir();
    anchoAvisado_ = Ancho();
    Refrescar();
    if (padre != nullptr) {
        padre->installEventFilter(this);
    }
}

int PanelContactosDia::Ancho() const {
    return form_.AnchoDetalleContactos();
}

QSize PanelContactosDia::sizeHint() const {
    return {Ancho(), kAltoInicial};
}

void PanelContactosDia::Construir() {
    izquierda_ = ConstruirIzquierda();
    derecha_ = ConstruirDerecha();
    resize(Ancho(), kAltoInicial);
}

QWidget* PanelContactosDia::ConstruirIzquierda() {
    auto* p = new QWidget(this);
    p->setObjectName(QStringLiteral("PanelContactosDiaL"));
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(4, 2, 2, 4);
    v->setSpacing(3);

    auto* arriba = new QHBoxLayout();
    arriba->setSpacing(6);
    // RGSortContacto: "Ordenar por:" until the first listing.
    rgSortContacto_ = new QGroupBox(Q(form_.RGSortContactoCaption), p);
    rgSortContacto_->setObjectName(QStringLiteral("RGSortContacto"));
    auto* ov = new QVBoxLayout(rgSortContacto_);
    ov->setContentsMargins(6, 2, 6, 2);
    ov->setSpacing(0);
    const char* ordenes[2] = {"Porcentaje", "Peso ponderado"};
    for (int i = 0; i < 2; ++i) {
        orden_[static_cast<size_t>(i)] =
            new QRadioButton(QString::fromUtf8(ordenes[i]), rgSortContacto_);
        QRadioButton* r = orden_[static_cast<size_t>(i)];
        r->setObjectName(QStringLiteral("RGSortContacto%1").arg(i));
        ov->addWidget(r);
        // TRadioGroup runs its OnClick when the chosen item changes.
        connect(r, &QRadioButton::toggled, this, [this, i](bool marcado) {
            if (marcado && !refrescando_ && form_.RGSortContacto != i) {
                Accion([this, i] { form_.RGSortContactoClick(i); });
            }
        });
    }
    rgSortContacto_->setMinimumWidth(168);
    arriba->addWidget(rgSortContacto_);

    // The strength bands, one exclusive group; SBDetalleArq below them.
    auto* panelBandas = new QWidget(p);
    panelBandas->setObjectName(QStringLiteral("PanelBandas"));
    auto* bv = new QVBoxLayout(panelBandas);
    bv->setContentsMargins(0, 4, 0, 0);
    bv->setSpacing(2);
    auto* rango = new QLabel(QStringLiteral("Rango de Fuerza (%)"), panelBandas);
    rango->setObjectName(QStringLiteral("LabelRangoFuerza"));
    bv->addWidget(rango);
    auto* fila = new QHBoxLayout();
    fila->setSpacing(1);
    grupoBandas_ = new QButtonGroup(this);
    grupoBandas_->setExclusive(true);
    for (int i = 0; i < 6; ++i) {
        QToolButton* b =
            BotonRapido(QString::fromUtf8(kBandas[i].nombre), QString::fromUtf8(kBandas[i].texto),
                        QString::fromUtf8(kBandas[i].pista), panelBandas, true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumWidth(28);
        bandas_[static_cast<size_t>(i)] = b;
        grupoBandas_->addButton(b, i);
        fila->addWidget(b);
    }
    bandas_[0]->setChecked(true);
    // One handler for the six buttons; pressing the button that is down
    // leaves it down and lists again.
    connect(grupoBandas_, &QButtonGroup::idClicked, this, [this](int banda) {
        if (!refrescando_) {
            Accion([this, banda] { form_.SBViewAllClick(banda); });
        }
    });
    bv->addLayout(fila);
    sbDetalleArq_ = BotonRapido(
        QStringLiteral("SBDetalleArq"), QStringLiteral("Ver arquetipos contacto"),
        QStringLiteral("Mostrar u ocultar los textos de arquetipo del contacto elegido"),
        panelBandas, true);
    sbDetalleArq_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Created hidden; no operation of the program shows it.
    sbDetalleArq_->hide();
    connect(sbDetalleArq_, &QToolButton::clicked, this,
            [this](bool down) { Accion([this, down] { form_.SBDetalleArqClick(down); }); });
    bv->addWidget(sbDetalleArq_);
    bv->addStretch(1);
    arriba->addWidget(panelBandas, 1);
    v->addLayout(arriba);

    labelDetAspNatal_ = Etiqueta(QStringLiteral("LabelDetAspNatal"), kNegro, QColor(), p);
    labelDetAspNatal_->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(12);
    labelDetAspNatal_->setFont(arial);
    labelDetAspNatal_->setFixedHeight(QFontMetrics(arial).height() + 4);
    v->addWidget(labelDetAspNatal_);

    labelDetAspPos_ = Etiqueta(QStringLiteral("LabelDetAspPos"), kGrisPosiciones, QColor(), p);
    labelDetAspPos_->setAlignment(Qt::AlignCenter);
    labelDetAspPos_->setFixedHeight(labelDetAspPos_->fontMetrics().height() + 2);
    v->addWidget(labelDetAspPos_);

    lbContactos_ =
        new ListaVarnolt(QStringLiteral("LBContactos"), form_.LBContactos, 1, false, Qt::white, p);
    v->addWidget(lbContactos_, 1);
    // Over the empty list: what to do to see contacts.
    sinContactos_ = new QLabel(lbContactos_->viewport());
    sinContactos_->setObjectName(QStringLiteral("LabelSinContactos"));
    sinContactos_->setAlignment(Qt::AlignCenter);
    sinContactos_->setWordWrap(true);
    sinContactos_->setMargin(8);
    lbContactos_->viewport()->installEventFilter(this);
    connect(lbContactos_, &ListaVarnolt::Clic, this,
            [this] { Accion([this] { form_.LBContactosClick(); }); });
    return p;
}

QWidget* PanelContactosDia::ConstruirDerecha() {
    auto* p = new QWidget(this);
    p->setObjectName(QStringLiteral("PanelContactosDiaR"));
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(2, 2, 4, 4);
    v->setSpacing(0);

    auto* info = new QWidget(p);
    info->setObjectName(QStringLiteral("PanelInfoTransito"));
    Fondo(info, kBlanco);
    auto* iv = new QVBoxLayout(info);
    iv->setContentsMargins(0, 0, 0, 2);
    iv->setSpacing(0);
    iv->addWidget(LineaVacia(QStringLiteral("LabelEspacioTra"), info));
    labelDescItemTra_ =
        Descripcion(QStringLiteral("LabelDescItemTra"), kTransito, Qt::AlignHCenter, info);
    iv->addWidget(labelDescItemTra_);
    iv->addWidget(LineaVacia(QStringLiteral("LabelEspacioAsp"), info));
    labelDescItemAsp_ =
        Descripcion(QStringLiteral("LabelDescItemAsp"), kAspecto, Qt::AlignLeft, info);
    iv->addWidget(labelDescItemAsp_);
    labelTipoNatal_ = Etiqueta(QStringLiteral("LabelTipoNatal"), kGrisTipoNatal, QColor(), info);
    labelTipoNatal_->setMargin(2);
    iv->addWidget(labelTipoNatal_);
    labelDescItemNat_ =
        Descripcion(QStringLiteral("LabelDescItemNat"), kNatal, Qt::AlignLeft, info);
    iv->addWidget(labelDescItemNat_);
    v->addWidget(info);

    memoArq_ = Memo(QStringLiteral("MemoArq"), true, p);
    memoArq_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    v->addWidget(memoArq_, 1);
    return p;
}

void PanelContactosDia::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // The panes keep their places: the right one lies outside a narrow
    // window.
    const int alto = height();
    izquierda_->setGeometry(0, 0, kAnchoIzquierda, alto);
    derecha_->setGeometry(kXDerecha, 0, std::max(kAnchoDerecha, width() - kXDerecha), alto);
}

bool PanelContactosDia::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == parentWidget() && (e->type() == QEvent::Resize || e->type() == QEvent::Show)) {
        SeguirAlPadre();
    }
    if (objeto == lbContactos_->viewport() && e->type() == QEvent::Resize) {
        sinContactos_->setGeometry(lbContactos_->viewport()->rect());
    }
    return QWidget::eventFilter(objeto, e);
}

void PanelContactosDia::SeguirAlPadre() {
    QWidget* padre = parentWidget();
    if (padre == nullptr || padre->layout() != nullptr || isWindow()) {
        return;
    }
    if (geometry() != padre->rect()) {
        setGeometry(padre->rect());
    }
}

void PanelContactosDia::Accion(const std::function<void()>& manejador) {
    ejecutar_(manejador);
    Refrescar();
}

void PanelContactosDia::Refrescar() {
    refrescando_ = true;
    rgSortContacto_->setTitle(Q(form_.RGSortContactoCaption));
    const int orden = form_.RGSortContacto;
    if (orden >= 0 && orden < 2 && !orden_[static_cast<size_t>(orden)]->isChecked()) {
        orden_[static_cast<size_t>(orden)]->setChecked(true);
    }
    const int banda = form_.BandaContactos;
    if (banda >= 0 && banda < 6 && !bandas_[static_cast<size_t>(banda)]->isChecked()) {
        bandas_[static_cast<size_t>(banda)]->setChecked(true);
    }
    if (sbDetalleArq_->isChecked() != form_.SBDetalleArq) {
        sbDetalleArq_->setChecked(form_.SBDetalleArq);
    }

    lbContactos_->Recargar();
    const bool vacia = lbContactos_->model()->rowCount() == 0;
    if (vacia) {
        sinContactos_->setText(
            form_.DataCargada
                ? QStringLiteral("Ningún contacto que mostrar.\n\nElija un día en el calendario, "
                                 "en «PP. días» o en el gráfico diario, o cambie la fuerza "
                                 "y los filtros de ítems y ángulos.")
                : QStringLiteral("No hay data cargada.\n\nPulse «Data» (Ctrl+O) para abrir "
                                 "agendas y elija luego un día."));
        sinContactos_->setGeometry(lbContactos_->viewport()->rect());
    }
    sinContactos_->setVisible(vacia);

    const TDetalleContacto& d = form_.Detalle;
    labelDetAspNatal_->setText(Q(d.LabelDetAspNatal));
    labelDetAspPos_->setText(Q(d.LabelDetAspPos));
    labelDescItemTra_->setText(Q(d.LabelDescItemTra));
    labelDescItemAsp_->setText(Q(d.LabelDescItemAsp));
    labelTipoNatal_->setText(Q(d.LabelTipoNatal));
    labelDescItemNat_->setText(Q(d.LabelDescItemNat));
    PonerLineas(memoArq_, d.MemoArq, lineasMemoArq_);
    refrescando_ = false;

    const int ancho = Ancho();
    if (ancho != anchoAvisado_) {
        anchoAvisado_ = ancho;
        emit AnchoSolicitado(ancho);
    }
}

}  // namespace varnolt::gui
