// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/PanelCSV.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/FormVarnolt.h"

namespace varnolt::gui {

PanelCSV::PanelCSV(TFormVarnolt& form, QWidget* padre, Ejecutor ejecutar)
    : QWidget(padre),
      form_(form),
      ejecutar_(ejecutar ? std::move(ejecutar) : EjecutorPorDefecto(this)) {
    setObjectName(QStringLiteral("PanelCSV"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(3, 3, 3, 3);
    v->setSpacing(3);

    auto* barra = new QHBoxLayout();
    barra->setSpacing(4);
    btnGenCSV_ =
        BotonRapido(QStringLiteral("BtnGenCSV"), QStringLiteral("CSV >>"),
                    QStringLiteral("Generar el informe CSV de los rangos detallados"), this);
    btnGenCSV_->setMinimumWidth(70);
    cbTipoTransito_ = new QComboBox(this);
    cbTipoTransito_->setObjectName(QStringLiteral("CBTipoTransito"));
    cbTipoTransito_->addItems(
        {QStringLiteral("Todos"), QStringLiteral("Rápidos"), QStringLiteral("NO rápidos")});
    cbTipoReporte_ = new QComboBox(this);
    cbTipoReporte_->setObjectName(QStringLiteral("CBTipoReporte"));
    cbTipoReporte_->addItems(
        {QStringLiteral("Todos"), QStringLiteral("Semanal"), QStringLiteral("Mensual")});
    cbTipoTransito_->setToolTip(QStringLiteral("Tránsitos que entran en el informe"));
    cbTipoReporte_->setToolTip(
        QStringLiteral("Periodo del informe: toda la data, la semana o el mes de la fecha "
                       "elegida en el calendario"));
    for (QComboBox* c : {cbTipoTransito_, cbTipoReporte_}) {
        c->setEditable(false);  // only their items
        c->setMinimumWidth(110);
        c->setFocusPolicy(Qt::StrongFocus);
    }
    btnExportCSV_ = BotonRapido(QStringLiteral("BtnExportCSV"), QStringLiteral("Crear [ ].csv"),
                                QStringLiteral("Guardar el informe en un archivo CSV"), this);
    btnExportCSV_->setMinimumWidth(90);
    barra->addWidget(btnGenCSV_);
    barra->addWidget(cbTipoTransito_);
    barra->addWidget(cbTipoReporte_);
    barra->addWidget(btnExportCSV_);
    barra->addStretch(1);
    v->addLayout(barra);

    // The summary: centred blue text on the window's colour, no border.
    memoInfo_ = Memo(QStringLiteral("MemoInfo"), true, this);
    memoInfo_->setFrameShape(QFrame::NoFrame);
    memoInfo_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QTextOption centrado = memoInfo_->document()->defaultTextOption();
    centrado.setAlignment(Qt::AlignHCenter);
    memoInfo_->document()->setDefaultTextOption(centrado);
    QPalette p = memoInfo_->palette();
    p.setColor(QPalette::Text, QColor(0, 0, 255));
    p.setColor(QPalette::Base, palette().color(QPalette::Window));
    memoInfo_->setPalette(p);
    memoInfo_->setFixedHeight(memoInfo_->fontMetrics().lineSpacing() * 3 + 12);
    v->addWidget(memoInfo_);

    memoCSV_ = Memo(QStringLiteral("MemoCSV"), true, this);
    memoCSV_->setFixedHeight(120);
    v->addWidget(memoCSV_);

    memoResultados_ = Memo(QStringLiteral("MemoResultados"), false, this);
    v->addWidget(memoResultados_, 1);

    connect(btnGenCSV_, &QToolButton::clicked, this,
            [this] { Accion([this] { form_.BtnGenCSVClick(); }); });
    connect(btnExportCSV_, &QToolButton::clicked, this,
            [this] { Accion([this] { form_.BtnExportCSVClick(); }); });
    connect(cbTipoTransito_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!refrescando_ && i >= 0) {
            Accion([this, i] { form_.CBTipoTransitoChange(i); });
        }
    });
    connect(cbTipoReporte_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!refrescando_ && i >= 0) {
            Accion([this, i] { form_.CBTipoReporteChange(i); });
        }
    });

    // Its width is fixed; on a low screen it may be made shorter, the
    // report taking what is left.
    setFixedWidth(kAncho);
    setMinimumHeight(kAltoMinimo);
    resize(kAncho, kAlto);
    Refrescar();
}

void PanelCSV::Accion(const std::function<void()>& manejador) {
    ejecutar_(manejador);
    Refrescar();
}

void PanelCSV::Refrescar() {
    refrescando_ = true;
    if (form_.CBTipoTransito >= 0 && form_.CBTipoTransito < cbTipoTransito_->count()) {
        cbTipoTransito_->setCurrentIndex(form_.CBTipoTransito);
    }
    if (form_.CBTipoReporte >= 0 && form_.CBTipoReporte < cbTipoReporte_->count()) {
        cbTipoReporte_->setCurrentIndex(form_.CBTipoReporte);
    }
    PonerLineas(memoInfo_, form_.MemoInfo, lineasInfo_);
    PonerLineas(memoCSV_, form_.MemoCSV, lineasCSV_);
    PonerLineas(memoResultados_, form_.MemoResultados, lineasResultados_);
    refrescando_ = false;
}

}  // namespace varnolt::gui
