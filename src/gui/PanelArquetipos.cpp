// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/PanelArquetipos.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/FormVarnolt.h"
#include "archetypes/Arquetipos.h"
#include "gui/ListaVarnolt.h"
#include "gui/TextoQt.h"
#include "views/PresentacionGraficos.h"

namespace varnolt::gui {
namespace {

const QColor kFondoArq(255, 255, 232);
const QColor kGrisGuion(128, 128, 128);

QColor ColorDeTag(int tag) {
    switch (tag) {
        case 1:
            return QColor(0, 128, 255);
        case 2:
            return QColor(255, 128, 0);
        default:
            return QColor(128, 0, 0);
    }
}

const QChar kElipsis(0x2026);

}  // namespace

QString TextoFilaArq(const QString& texto, const QFontMetrics& medidas, int ancho, bool conAngulo) {
    QString linea = texto;
    linea.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    linea.replace(QLatin1Char('\r'), QLatin1Char(' '));
    linea.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (medidas.horizontalAdvance(linea) <= ancho) {
        return linea;
    }
    if (conAngulo) {
        // The angle the aspect rows end with: "(", digits, "°", ")".
        static const QRegularExpression kAngulo(QStringLiteral("\\(\\s*-?\\d+\\s*°\\)\\s*$"));
        const QRegularExpressionMatch m = kAngulo.match(linea);
        if (m.hasMatch() && m.capturedStart() > 0) {
            const QString angulo = m.captured().trimmed();
            const QString antes = linea.left(m.capturedStart());
            QString corto = medidas.elidedText(antes, Qt::ElideRight,
                                               ancho - medidas.horizontalAdvance(angulo));
            if (corto == antes) {
                return linea;  // a pixel of rounding between the two parts
            }
            if (corto.isEmpty()) {
                corto = kElipsis;  // not even the ellipsis fits before the angle
            }
            return corto + angulo;
        }
    }
    return medidas.elidedText(linea, Qt::ElideRight, ancho);
}

// ---- PintorArq ---------------------------------------------------------------

PintorArq::PintorArq(const TListBoxArq& lista, QColor fondo, int altoFila, QObject* parent)
    : QStyledItemDelegate(parent), lista_(lista), fondo_(fondo), altoFila_(altoFila) {}

void PintorArq::paint(QPainter* p, const QStyleOptionViewItem& opcion,
                      const QModelIndex& indice) const {
    const int fila = indice.row();
    const bool guion = fila >= 0 && fila < static_cast<int>(lista_.Terminos.size()) &&
                       lista_.Terminos[static_cast<size_t>(fila)].Clave == "-";
    const bool seleccionada = opcion.state & QStyle::State_Selected;
    const QRect r = opcion.rect;
    QColor relleno = fondo_;
    QColor texto(0, 0, 0);
    if (guion) {
        relleno = kFondoArq;
        texto = kGrisGuion;
    } else if (seleccionada) {
        relleno = ColorDeTag(lista_.Tag);
        texto = QColor(255, 255, 255);
    }
    if (!(opcion.state & QStyle::State_Enabled) && !seleccionada) {
        texto = kGrisGuion;
    }
    p->save();
    p->fillRect(r, relleno);
    p->setPen(texto);
    p->setFont(Fuente(opcion));
    p->drawText(CajaTextoFila(opcion, 3, 1), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                TextoVisible(opcion, indice));
    if ((opcion.state & QStyle::State_HasFocus) && (opcion.state & QStyle::State_Enabled)) {
        QPen punteado(seleccionada && !guion ? texto : QColor(0, 0, 0));
        punteado.setStyle(Qt::DotLine);
        p->setPen(punteado);
        p->drawRect(r.adjusted(0, 0, -1, -1));
    }
    p->restore();
}

QFont PintorArq::Fuente(const QStyleOptionViewItem& opcion) {
    QFont f = opcion.font;
    f.setBold(false);
    f.setItalic(false);
    f.setUnderline(false);
    return f;
}

QString PintorArq::TextoVisible(const QStyleOptionViewItem& opcion,
                                const QModelIndex& indice) const {
    return TextoFilaArq(indice.data(Qt::DisplayRole).toString(), QFontMetrics(Fuente(opcion)),
                        CajaTextoFila(opcion, 3, 1).width(), lista_.Tag == 3);
}

QSize PintorArq::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    // Not the text's width: the list lays every row out as wide as its
    // widest hint, and a row wider than the list would be cut by the list's
    // edge instead of being shortened, and would get no tooltip.
    return {6, altoFila_};
}

bool PintorArq::helpEvent(QHelpEvent* e, QAbstractItemView* vista,
                          const QStyleOptionViewItem& opcion, const QModelIndex& indice) {
    if (indice.isValid() && PistaFila(e, vista, opcion, indice.data(Qt::DisplayRole).toString(),
                                      TextoVisible(opcion, indice))) {
        return true;
    }
    return QStyledItemDelegate::helpEvent(e, vista, opcion, indice);
}

// ---- PanelArquetipos ---------------------------------------------------------

PanelArquetipos::PanelArquetipos(TFormVarnolt& form, TArquetipos& arq, QWidget* padre,
                                 Ejecutor ejecutar)
    : QWidget(padre),
      form_(form),
      arq_(arq),
      ejecutar_(ejecutar ? std::move(ejecutar) : EjecutorPorDefecto(this)) {
    setObjectName(QStringLiteral("PanelArquetipos"));

    struct Boton {
        const char* nombre;
        const char* texto;
        const char* pista;
        std::function<void(TFormVarnolt&)> manejador;
    };
    struct Def {
        const char* panel;
        const char* titulo;
        const char* lista;
        TListBoxArq* datos;
        bool botonesALaIzquierda;
        std::vector<Boton> botones;
    };
    const Def defs[3] = {
        {"PanelArqTra",
         "El gestor (item en el cielo)",
         "LBArqTra",
         &form_.LBArqTra,
         false,
         {{"SpeedButton2", "T", "Todos", [](TFormVarnolt& f) { f.SBItemTraAllClick(1); }},
          {"SpeedButton3", "N", "Ninguno", [](TFormVarnolt& f) { f.SBItemTraAllClick(0); }}}},
        {"PanelArqAsp",
         "               La oportunidad (ángulo tránsito)",
         "LBArqAsp",
         &form_.LBArqAsp,
         true,
         {{"SpeedButton8", "T", "Todos", [](TFormVarnolt& f) { f.SBAllAspTraClick(1); }},
          {"SpeedButton9", "N", "Ninguno", [](TFormVarnolt& f) { f.SBAllAspTraClick(2); }},
          {"SpeedButton10", "May.", "0,180,120,90",
           [](TFormVarnolt& f) { f.SBAllAspTraClick(3); }}}},
        {"PanelArqNat",
         "Elemento de vida (mandala natal)",
         "LBArqNat",
         &form_.LBArqNat,
         false,
         {{"SpeedButton4", "T", "Todos", [](TFormVarnolt& f) { f.SBItemNatAllClick(1); }},
          {"SpeedButton5", "N", "Ninguno", [](TFormVarnolt& f) { f.SBItemNatAllClick(0); }},
          {"SpeedButton6", "SP", "Solo planetas", [](TFormVarnolt& f) { f.SPItemNat1Click(1); }},
          {"SpeedButton7", "SC", "Solo casas", [](TFormVarnolt& f) { f.SPItemNat1Click(2); }}}},
    };

    for (size_t i = 0; i < 3; ++i) {
        const Def& d = defs[i];
        auto* panel = new QWidget(this);
        panel->setObjectName(QString::fromUtf8(d.panel));
        paneles_[i] = panel;
        auto* pv = new QVBoxLayout(panel);
        pv->setContentsMargins(1, 1, 1, 1);
        pv->setSpacing(1);

        // The heading strip in the list's colour, its buttons on it.
        const QColor color = ColorDeTag(d.datos->Tag);
        QLabel* cabecera = Etiqueta(QString::fromUtf8(d.panel) + QStringLiteral("Label"),
                                    QColor(255, 255, 255), color, panel);
        cabecera->setText(QString::fromUtf8(d.titulo));
        cabecera->setFixedHeight(22);
        cabecera->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        cabecera->setMinimumWidth(0);
        cabecera->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        auto* botones = new QHBoxLayout(cabecera);
        botones->setContentsMargins(1, 1, 1, 1);
        botones->setSpacing(1);
        if (!d.botonesALaIzquierda) {
            botones->addStretch(1);
        }
        int anchoBotones = 0;
        for (const Boton& b : d.botones) {
            QToolButton* boton =
                BotonRapido(QString::fromUtf8(b.nombre), QString::fromUtf8(b.texto),
                            QString::fromUtf8(b.pista), cabecera);
            const int ancho =
                std::max(20, boton->fontMetrics().horizontalAdvance(boton->text()) + 10);
            boton->setFixedWidth(ancho);
            anchoBotones += ancho + 1;
            auto manejador = b.manejador;
            connect(boton, &QToolButton::clicked, this,
                    [this, manejador] { Accion([this, manejador] { manejador(form_); }); });
            botones->addWidget(boton);
        }
        if (d.botonesALaIzquierda) {
            botones->addStretch(1);
            // The leading blanks leave room for the buttons; where the font
            // makes them narrower than the buttons, an indent adds the rest.
            const QString titulo = QString::fromUtf8(d.titulo);
            const int blancos = cabecera->fontMetrics().horizontalAdvance(
                titulo.left(titulo.size() - titulo.trimmed().size()));
            cabecera->setIndent(std::max(0, anchoBotones + 3 - blancos));
        } else {
            cabecera->setIndent(4);
        }
        pv->addWidget(cabecera);

        ListaVarnolt* lista =
            new ListaVarnolt(QString::fromUtf8(d.lista), *d.datos, 1, true, kFondoArq, panel);
        QAbstractItemDelegate* anterior = lista->itemDelegate();
        lista->setItemDelegate(new PintorArq(*d.datos, kFondoArq, kAltoFila, lista));
        delete anterior;
        lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        listas_[i] = lista;
        pv->addWidget(lista, 1);
        const int tag = d.datos->Tag;
        connect(lista, &ListaVarnolt::Clic, this,
                [this, tag] { Accion([this, tag] { arq_.LBArqTraClick(tag); }); });
    }
    resize(900, 220);
    Refrescar();
}

void PanelArquetipos::Accion(const std::function<void()>& manejador) {
    ejecutar_(manejador);
    Refrescar();
}

void PanelArquetipos::Refrescar() {
    for (ListaVarnolt* l : listas_) {
        l->Recargar();
    }
}

void PanelArquetipos::Anchos(int tra, int asp, int nat) {
    anchos_ = {tra, asp, nat};
    Colocar();
}

void PanelArquetipos::AnchoPanelArqTra(int ancho) {
    anchos_[0] = ancho;
    Colocar();
}

void PanelArquetipos::AnchoPanelArqAsp(int ancho) {
    anchos_[1] = ancho;
    Colocar();
}

void PanelArquetipos::AnchoPanelArqNat(int ancho) {
    anchos_[2] = ancho;
    Colocar();
}

void PanelArquetipos::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Colocar();
}

void PanelArquetipos::Colocar() {
    const int w = width();
    const int h = height();
    int tra = anchos_[0] >= 0 ? anchos_[0] : static_cast<int>(kAnchoArqTra * w);
    int asp = anchos_[1] >= 0 ? anchos_[1] : static_cast<int>(kAnchoArqAsp * w);
    int nat = anchos_[2] >= 0 ? anchos_[2] : std::max(0, w - tra - asp);
    paneles_[0]->setGeometry(0, 0, tra, h);
    paneles_[1]->setGeometry(tra, 0, asp, h);
    paneles_[2]->setGeometry(tra + asp, 0, nat, h);
}

}  // namespace varnolt::gui
