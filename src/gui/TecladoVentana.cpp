// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window from the keyboard: a shortcut for every command of the
// command panel, shown in its tooltip, and "Acerca de Varnolt" (F1).
// Every button can also be reached with Tab and pressed with Space; Escape
// closes a tool window (VentanasPequenas.cpp).
#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>

#include "app/settings/Carpetas.h"
#include "gui/AcercaDe.h"
#include "gui/VentanaVarnolt.h"

namespace varnolt::gui {

namespace {

struct Atajo {
    const char* boton;
    const char* teclas;
};

// The commands and their keys. Ctrl+N ("Nueva") is set by AccionNuevaAgenda.
constexpr Atajo kAtajos[] = {
    {"SBContactos", "Ctrl+O"},        // Data
    {"CBCleanData", "Ctrl+L"},        // Limpiar
    {"SBInfoData", "Ctrl+I"},         // information of the loaded data
    {"SBViewContacto", "Ctrl+D"},     // Contactos Día
    {"SBViewFechas", "Ctrl+P"},       // PP. días
    {"SBViewArq", "Ctrl+Shift+A"},    // Arq.
    {"SBViewTends", "Ctrl+T"},        // Tend.
    {"SBGP", "Ctrl+G"},               // GT
    {"SBTAView", "Ctrl+R"},           // Rangos de contactos
    {"SBLoadTerms", "Ctrl+Shift+O"},  // Arquetipos astrológicos
    {"BBAllYear", "Ctrl+Y"},          // Todos los años
    {"SBMaxAxisOrd", "Ctrl+M"},       // Ajustar valor máx. ordenada
};

}  // namespace

QString VentanaVarnolt::TeclasDe(const QString& boton) {
    for (const Atajo& a : kAtajos) {
        if (boton == QLatin1String(a.boton)) {
            return QString::fromLatin1(a.teclas);
        }
    }
    if (boton == QLatin1String("SBNuevaAgenda")) {
        return QStringLiteral("Ctrl+N");
    }
    return {};
}

void VentanaVarnolt::ConstruirAtajos() {
    for (const Atajo& a : kAtajos) {
        auto* boton = findChild<QAbstractButton*>(QString::fromLatin1(a.boton));
        if (boton == nullptr) {
            continue;
        }
        const QString teclas = QString::fromLatin1(a.teclas);
        boton->setToolTip(boton->toolTip() + QStringLiteral(" (") + teclas + QLatin1Char(')'));
        auto* atajo = new QShortcut(QKeySequence(teclas), this);
        atajo->setObjectName(QStringLiteral("Atajo") + boton->objectName());
        // From the main window and from its tool windows alike.
        atajo->setContext(Qt::ApplicationShortcut);
        // A disabled command stays disabled from the keyboard too.
        connect(atajo, &QShortcut::activated, boton, [boton] {
            if (boton->isEnabled()) {
                boton->click();
            }
        });
    }
    auto* acerca = new QShortcut(QKeySequence(Qt::Key_F1), this);
    acerca->setObjectName(QStringLiteral("AtajoAcercaDe"));
    acerca->setContext(Qt::ApplicationShortcut);
    connect(acerca, &QShortcut::activated, this, [this] { LabelAboutClick(); });
    labelAbout_->setToolTip(QStringLiteral("Versión, licencia y créditos de Varnolt (F1)"));

    auto* salir = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Q")), this);
    salir->setObjectName(QStringLiteral("AtajoSalir"));
    salir->setContext(Qt::ApplicationShortcut);
    connect(salir, &QShortcut::activated, this, [this] { close(); });
}

void VentanaVarnolt::LabelAboutClick() {
    if (acercaDe_ == nullptr) {
        acercaDe_ = new DialogoAcercaDe(QStringLiteral(VARNOLT_VERSION),
                                        DocumentosDelPrograma(RutaEjecutable()), this);
    }
    acercaDe_->show();
    acercaDe_->raise();
    acercaDe_->activateWindow();
}

}  // namespace varnolt::gui
