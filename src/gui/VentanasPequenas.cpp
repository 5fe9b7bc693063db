// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/VentanasPequenas.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMoveEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

namespace varnolt::gui {

QPixmap IconoSuite(int lado) {
    QPixmap pm(lado, lado);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 64.0, lado / 64.0);
    // A dark blue disc, an orange orbit and a small planet: the suite's mark.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 64, 128));
    p.drawEllipse(QRectF(4, 4, 56, 56));
    QPen orbita(QColor(255, 128, 0), 3.5);
    p.setPen(orbita);
    p.setBrush(Qt::NoBrush);
    p.save();
    p.translate(32, 32);
    p.rotate(-30);
    p.drawEllipse(QRectF(-25, -10, 50, 20));
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 230));
    p.drawEllipse(QRectF(23, 23, 18, 18));
    p.setBrush(QColor(255, 128, 0));
    p.drawEllipse(QRectF(47, 14, 9, 9));
    return pm;
}

QIcon IconoVarnolt() {
    QIcon icono;
    for (int lado : {16, 24, 32, 48, 64, 128}) {
        icono.addPixmap(IconoSuite(lado));
    }
    return icono;
}

void Centrar(QWidget* ventana) {
    QScreen* pantalla = ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
    if (pantalla == nullptr) {
        return;
    }
    const QRect area = pantalla->availableGeometry();
    const QSize tam = ventana->frameGeometry().size();
    ventana->move(area.left() + (area.width() - tam.width()) / 2,
                  area.top() + (area.height() - tam.height()) / 2);
}

// ---- TFormMSG --------------------------------------------------------------

TFormMSG::TFormMSG(QWidget* padre)
    : QDialog(padre, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TFormMSG"));
    setModal(true);
    setFixedSize(510, 201);
    // The frame: white around the very light yellow panel.
    setAutoFillBackground(true);
    QPalette blanco = palette();
    blanco.setColor(QPalette::Window, Qt::white);
    setPalette(blanco);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelMSG"));
    panel->setGeometry(3, 3, 504, 195);
    panel->setAutoFillBackground(true);
    QPalette amarillo = panel->palette();
    amarillo.setColor(QPalette::Window, QColor(255, 255, 230));
    amarillo.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(amarillo);

    // 1. Header band, 56 pixels: icon and "Orbelune".
    auto* cabecera = new QWidget(panel);
    cabecera->setObjectName(QStringLiteral("PanelCabecera"));
    cabecera->setGeometry(0, 0, 504, 56);
    auto* icono = new QLabel(cabecera);
    icono->setObjectName(QStringLiteral("ImageSuite"));
    icono->setPixmap(IconoSuite(40));
    icono->setGeometry(10, 8, 40, 40);
    auto* titulo = new QLabel(QStringLiteral("Orbelune"), cabecera);
    titulo->setObjectName(QStringLiteral("LabelTitulo"));
    QFont ft = titulo->font();
    ft.setPixelSize(22);
    ft.setBold(true);
    titulo->setFont(ft);
    QPalette azul = titulo->palette();
    azul.setColor(QPalette::WindowText, QColor(0, 64, 128));
    titulo->setPalette(azul);
    titulo->setGeometry(60, 8, 300, 40);
    titulo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // 3. Button band, 41 pixels at the bottom (laid out before the label so
    // that the label's overflow stays hidden behind it).
    // 2. LabelAviso between the two bands: black, centred, word-wrapped; a
    // long text is cut at the button band.
    labelAviso_ = new QLabel(panel);
    labelAviso_->setObjectName(QStringLiteral("LabelAviso"));
    labelAviso_->setGeometry(8, 56, 488, 195 - 56 - 41);
    labelAviso_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    labelAviso_->setWordWrap(true);
    labelAviso_->setTextFormat(Qt::PlainText);

    auto* botones = new QWidget(panel);
    botones->setObjectName(QStringLiteral("PanelBotones"));
    botones->setGeometry(0, 195 - 41, 504, 41);
    botones->setAutoFillBackground(true);
    botones->setPalette(amarillo);
    ok_ = new QPushButton(QStringLiteral("De acuerdo"), botones);
    ok_->setObjectName(QStringLiteral("SBOk"));
    ok_->setGeometry((504 - 100) / 2, 8, 100, 25);
    ok_->setDefault(true);
    auto* si = new QPushButton(QStringLiteral("Si"), botones);
    si->setObjectName(QStringLiteral("SBSi"));
    si->setGeometry(130, 8, 80, 25);
    si->hide();
    auto* no = new QPushButton(QStringLiteral("No"), botones);
    no->setObjectName(QStringLiteral("SBNo"));
    no->setGeometry(294, 8, 80, 25);
    no->hide();
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormMSG::PonerTexto(const QString& texto) {
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    labelAviso_->setText(t);
}

void TFormMSG::Mostrar(const QString& texto) {
    PonerTexto(texto);
    Centrar(this);
    ok_->setFocus();
    exec();
}

// ---- TFormStepCount ---------------------------------------------------------

TFormStepCount::TFormStepCount(QWidget* padre)
    : QDialog(padre, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("TFormStepCount"));
    setWindowTitle(QStringLiteral("Calculando . ."));
    setFixedSize(454, 20);
    pb_ = new QProgressBar(this);
    pb_->setObjectName(QStringLiteral("PB"));
    pb_->setRange(0, 100);
    pb_->setValue(0);
    pb_->setTextVisible(false);
    pb_->setGeometry(0, 0, 454, 20);
}

// ---- TFormAviso -------------------------------------------------------------

TFormAviso::TFormAviso(QWidget* padre)
    : QDialog(padre, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TFormAviso"));
    setFixedSize(463, 96);
    setAutoFillBackground(true);
    QPalette naranja = palette();
    naranja.setColor(QPalette::Window, QColor(255, 128, 0));
    setPalette(naranja);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelAviso"));
    panel->setGeometry(6, 6, 451, 84);
    panel->setAutoFillBackground(true);
    QPalette blanco = panel->palette();
    blanco.setColor(QPalette::Window, Qt::white);
    panel->setPalette(blanco);
    labelAviso_ = new QLabel(QStringLiteral("\n\nAviso"), panel);
    labelAviso_->setObjectName(QStringLiteral("LabelAviso"));
    labelAviso_->setGeometry(0, 0, 451, 84);
    labelAviso_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

// ---- VentanaHerramienta ------------------------------------------------------

VentanaHerramienta::VentanaHerramienta(const QString& nombre, const QString& titulo,
                                       QWidget* principal)
    : QWidget(principal, Qt::Tool) {
    setObjectName(nombre);
    setWindowTitle(titulo);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void VentanaHerramienta::TamanoFijo(int ancho, int alto) {
    setFixedSize(ancho, alto);
}

void VentanaHerramienta::AnchoFijo(int ancho, int altoMinimo) {
    setFixedWidth(ancho);
    setMinimumHeight(altoMinimo);
}

void VentanaHerramienta::closeEvent(QCloseEvent* e) {
    Recordar();
    e->accept();
    emit Cerrada();
}

void VentanaHerramienta::keyPressEvent(QKeyEvent* e) {
    // Escape closes it, as its close box does.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void VentanaHerramienta::PonerLugar(const QRect& lugar) {
    lugar_ = lugar;
}

void VentanaHerramienta::setVisible(bool visible) {
    const bool abre = visible && !isVisible();
    if (abre) {
        if (lugar_) {
            if (!TieneTamanoFijo()) {
                resize(lugar_->size());
            }
            move(lugar_->topLeft());
        } else if (ColocarPrimeraVez) {
            ColocarPrimeraVez(*this);
        }
    }
    if (!visible && isVisible()) {
        Recordar();
    }
    QWidget::setVisible(visible);
    if (visible) {
        Recordar();
    }
    if (abre) {
        // The window just opened takes the keyboard: Tab reaches its
        // controls and Escape closes it.
        raise();
        activateWindow();
    }
}

void VentanaHerramienta::Recordar() {
    if (isVisible()) {
        lugar_ = QRect(pos(), size());
    }
}

void VentanaHerramienta::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    Recordar();
}

void VentanaHerramienta::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Recordar();
}

}  // namespace varnolt::gui
