// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/AcercaDe.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtGlobal>

#include "app/settings/Instalacion.h"
#include "gui/VentanasPequenas.h"

namespace varnolt::gui {

DocumentosPrograma DocumentosDelPrograma(const std::string& programa) {
    DocumentosPrograma d;
    d.Manual = QFile::decodeName(PaginaDelPrograma(programa, VARNOLT_PAGINA).c_str());
    // An installed program: share/doc/varnolt/copyright beside its data
    // folder share/varnolt/.
    const std::string datos = CarpetaDatosInstalados(programa);
    const QString copyright =
        QFile::decodeName(datos.c_str()) + QStringLiteral("../doc/varnolt/copyright");
    d.Licencia = !datos.empty() && QFileInfo(copyright).isFile()
                     ? QFileInfo(copyright).canonicalFilePath()
                     : QStringLiteral(VARNOLT_LICENCIA);
    return d;
}

QString TextoAcercaDe(const QString& version, const DocumentosPrograma& documentos) {
    const QString qt = QString::fromLatin1(qVersion());
    return QStringLiteral(
               "<h2>Varnolt</h2>"
               "<p>Versión %1</p>"
               "<p>Analizador de agendas de tránsitos astrológicos: pesa cada día de un "
               "rango (peso ponderado), halla los días pico, dibuja gráficos de barras y "
               "de tendencia, filtra por ítem natal, ítem de tránsito y ángulo, muestra los "
               "contactos de cada día con sus arquetipos y exporta rangos de contactos.</p>"
               "<p><b>Licencia.</b> Varnolt es software libre: puede redistribuirlo y "
               "modificarlo bajo los términos de la Licencia Pública General Affero de GNU "
               "publicada por la Free Software Foundation, versión 3 o (a su elección) "
               "cualquier versión posterior (AGPL-3.0-or-later).</p>"
               "<p>Varnolt se distribuye con la esperanza de que sea útil, pero <b>SIN "
               "NINGUNA GARANTÍA</b>, ni siquiera la garantía implícita de "
               "COMERCIABILIDAD o de IDONEIDAD PARA UN PROPÓSITO PARTICULAR. Vea la "
               "Licencia Pública General Affero de GNU para más detalles.</p>"
               "<p><b>Créditos.</b></p>"
               "<p>Swiss Ephemeris, de Astrodienst AG, Zúrich (Suiza), usada bajo la "
               "Licencia Pública General Affero de GNU (AGPL). Código fuente: "
               "https://github.com/aloistr/swisseph</p>"
               "<p>Qt %2, de The Qt Company Ltd. y sus colaboradores, usada bajo la Licencia "
               "Pública General Reducida de GNU, versión 3 (LGPL-3.0). Código fuente: "
               "https://download.qt.io/</p>"
               "<p><b>Documentación:</b><br>%3</p>"
               "<p><b>Licencia completa y créditos:</b><br>%4</p>")
        .arg(version.toHtmlEscaped(), qt.toHtmlEscaped(), documentos.Manual.toHtmlEscaped(),
             documentos.Licencia.toHtmlEscaped());
}

DialogoAcercaDe::DialogoAcercaDe(const QString& version, const DocumentosPrograma& documentos,
                                 QWidget* padre)
    : QDialog(padre) {
    setObjectName(QStringLiteral("AcercaDeVarnolt"));
    setWindowTitle(QStringLiteral("Acerca de Varnolt"));
    setWindowIcon(IconoVarnolt());
    auto* v = new QVBoxLayout(this);

    auto* cabecera = new QHBoxLayout();
    auto* icono = new QLabel(this);
    icono->setPixmap(IconoSuite(48));
    icono->setAlignment(Qt::AlignTop);
    cabecera->addWidget(icono);

    auto* texto = new QLabel(TextoAcercaDe(version, documentos), this);
    texto->setObjectName(QStringLiteral("TextoAcercaDe"));
    texto->setTextFormat(Qt::RichText);
    texto->setWordWrap(true);
    // Read and copied, never followed: no browser is started from here.
    texto->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    texto->setOpenExternalLinks(false);
    auto* desplazable = new QScrollArea(this);
    desplazable->setWidget(texto);
    desplazable->setWidgetResizable(true);
    desplazable->setFrameShape(QFrame::NoFrame);
    cabecera->addWidget(desplazable, 1);
    v->addLayout(cabecera, 1);

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Close, this);
    botones->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cerrar"));
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(botones);
    resize(560, 520);
}

}  // namespace varnolt::gui
