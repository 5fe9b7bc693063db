// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/PanelRangos.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/FormVarnolt.h"

namespace varnolt::gui {

PanelRangos::PanelRangos(TFormVarnolt& form, QWidget* padre, Ejecutor ejecutar)
    : QWidget(padre),
      form_(form),
      ejecutar_(ejecutar ? std::move(ejecutar) : EjecutorPorDefecto(this)) {
    setObjectName(QStringLiteral("PanelRangos"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);

    auto* barra = new QHBoxLayout();
    barra->setSpacing(2);
    sbCalcTA_ = BotonRapido(
        QStringLiteral("SBCalcTA"), QStringLiteral("Detallar"),
        QStringLiteral("Buscar los rangos de contactos de los arquetipos elegidos"), this);
    sbCopyPrompt_ = BotonRapido(QStringLiteral("SBCopyPrompt"), QStringLiteral("Copiar"),
                                QStringLiteral("Copiar prompt en memoria"), this);
    sbPromptCSV_ = BotonRapido(QStringLiteral("SBPromptCSV"), QStringLiteral("CSV"),
                               QStringLiteral("Ver la ventana Data CSV"), this, true);
    for (QToolButton* b : {sbCalcTA_, sbCopyPrompt_, sbPromptCSV_}) {
        b->setMinimumWidth(64);
        barra->addWidget(b);
    }
    sbCopyPrompt_->setEnabled(false);
    sbPromptCSV_->setEnabled(false);

    // Never shown: the technical lines' copy button and wrap box.
    panelAdmonContacts_ = new QWidget(this);
    panelAdmonContacts_->setObjectName(QStringLiteral("PanelAdmonContacts"));
    auto* admon = new QHBoxLayout(panelAdmonContacts_);
    admon->setContentsMargins(0, 0, 0, 0);
    sbTACopy_ = BotonRapido(QStringLiteral("SBTACopy"), QStringLiteral("Copy"), QString(),
                            panelAdmonContacts_);
    cbMTAWrap_ = new QCheckBox(QStringLiteral("Wrap"), panelAdmonContacts_);
    cbMTAWrap_->setObjectName(QStringLiteral("CBMTAWrap"));
    cbMTAWrap_->setChecked(true);
    admon->addWidget(sbTACopy_);
    admon->addWidget(cbMTAWrap_);
    panelAdmonContacts_->hide();
    barra->addWidget(panelAdmonContacts_);
    barra->addStretch(1);
    v->addLayout(barra);

    memoTA_ = Memo(QStringLiteral("MemoTA"), false, this);
    memoTA_->hide();
    v->addWidget(memoTA_, 1);
    memoPrompt_ = Memo(QStringLiteral("MemoPrompt"), true, this);
    v->addWidget(memoPrompt_, 1);

    connect(sbCalcTA_, &QToolButton::clicked, this,
            [this] { Accion([this] { form_.SBCalcTAClick(); }); });
    connect(sbCopyPrompt_, &QToolButton::clicked, this,
            [this] { Accion([this] { form_.SBCopyPromptClick(); }); });
    connect(sbPromptCSV_, &QToolButton::clicked, this,
            [this](bool down) { Accion([this, down] { form_.SBPromptCSVClick(down); }); });
    connect(sbTACopy_, &QToolButton::clicked, this,
            [this] { Accion([this] { form_.SBTACopyClick(); }); });
    connect(cbMTAWrap_, &QCheckBox::clicked, this,
            [this](bool marcado) { Accion([this, marcado] { form_.CBMTAWrapClick(marcado); }); });

    csvVisible_ = form_.TWCSVVisible;
    resize(sizeHint());
    Refrescar();
}

QRect PanelRangos::BarraEnPantalla() const {
    QRect r;
    for (const QToolButton* b : {sbCalcTA_, sbCopyPrompt_, sbPromptCSV_}) {
        r |= QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
    }
    return r;
}

void PanelRangos::Accion(const std::function<void()>& manejador) {
    ejecutar_(manejador);
    Refrescar();
}

void PanelRangos::Refrescar() {
    if (refrescando_) {
        return;
    }
    refrescando_ = true;
    sbCalcTA_->setEnabled(form_.SBCalcTAEnabled);
    sbCopyPrompt_->setEnabled(form_.SBCopyPromptEnabled);
    sbPromptCSV_->setEnabled(form_.SBPromptCSVEnabled);
    if (sbPromptCSV_->isChecked() != form_.SBPromptCSVDown) {
        sbPromptCSV_->setChecked(form_.SBPromptCSVDown);
    }
    if (cbMTAWrap_->isChecked() != form_.CBMTAWrap) {
        cbMTAWrap_->setChecked(form_.CBMTAWrap);
    }
    const auto ajuste = form_.MemoTAWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap;
    if (memoTA_->lineWrapMode() != ajuste) {
        memoTA_->setLineWrapMode(ajuste);
    }
    PonerLineas(memoTA_, form_.MemoTA, lineasTA_);
    PonerLineas(memoPrompt_, form_.MemoPrompt, lineasPrompt_);
    refrescando_ = false;

    if (form_.TWCSVVisible != csvVisible_) {
        csvVisible_ = form_.TWCSVVisible;
        emit VisibilidadCSV(csvVisible_);
    }
}

}  // namespace varnolt::gui
