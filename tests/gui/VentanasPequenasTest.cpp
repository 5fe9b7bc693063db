// SPDX-License-Identifier: AGPL-3.0-or-later
// The message, progress and notice windows.
#include <QProgressBar>
#include <QPushButton>
#include <QDir>
#include <QTimer>
#include <fstream>

#include "VentanaPrueba.h"
#include "gui/TextoQt.h"
#include "gui/VentanasPequenas.h"

namespace varnolt::prueba {
namespace {

TEST(FormMSG, ShapeAndText) {
    AplicacionQt();
    gui::TFormMSG msg(nullptr);
    EXPECT_EQ(msg.objectName(), QStringLiteral("TFormMSG"));
    EXPECT_EQ(msg.size(), QSize(510, 201));
    EXPECT_TRUE(msg.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(msg.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(msg.SBOk()->text(), QStringLiteral("De acuerdo"));
    EXPECT_FALSE(msg.findChild<QPushButton*>(QStringLiteral("SBSi"))->isVisibleTo(&msg));
    EXPECT_FALSE(msg.findChild<QPushButton*>(QStringLiteral("SBNo"))->isVisibleTo(&msg));
    auto* titulo = msg.findChild<QLabel*>(QStringLiteral("LabelTitulo"));
    EXPECT_EQ(titulo->text(), QStringLiteral("Orbelune"));
    EXPECT_EQ(titulo->palette().color(QPalette::WindowText), QColor(0, 64, 128));
    EXPECT_EQ(msg.findChild<QWidget*>(QStringLiteral("PanelCabecera"))->height(), 56);
    EXPECT_EQ(msg.findChild<QWidget*>(QStringLiteral("PanelBotones"))->height(), 41);
    // "\r" starts a new line; a leading "\r" an empty first line.
    msg.PonerTexto(QStringLiteral("\rContactos copiados en memoria !"));
    EXPECT_EQ(msg.LabelAviso()->text(), QStringLiteral("\nContactos copiados en memoria !"));
    EXPECT_TRUE(msg.LabelAviso()->wordWrap());
    EXPECT_EQ(msg.LabelAviso()->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    // A long text does not enlarge the window.
    msg.PonerTexto(QString(3000, QLatin1Char('x')) + QStringLiteral(" fin"));
    msg.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(msg.size(), QSize(510, 201));
    // The panel colours.
    const QImage img = msg.grab().toImage();
    EXPECT_EQ(img.pixelColor(1, 1), QColor(255, 255, 255));
    EXPECT_EQ(img.pixelColor(500, 190), QColor(255, 255, 230));
}

TEST(FormMSG, ModalUntilDeAcuerdo) {
    AplicacionQt();
    gui::TFormMSG msg(nullptr);
    bool visible = false;
    QTimer::singleShot(0, &msg, [&] {
        visible = msg.isVisible() && msg.isModal();
        QTest::mouseClick(msg.SBOk(), Qt::LeftButton);
    });
    msg.Mostrar(QStringLiteral("Hola\rmundo"));
    EXPECT_TRUE(visible);
    EXPECT_FALSE(msg.isVisible());
    EXPECT_EQ(msg.LabelAviso()->text(), QStringLiteral("Hola\nmundo"));
}

TEST(FormStepCount, CaptionAndBar) {
    AplicacionQt();
    gui::TFormStepCount paso(nullptr);
    EXPECT_EQ(paso.windowTitle(), QStringLiteral("Calculando . ."));
    EXPECT_EQ(paso.size(), QSize(454, 20));
    EXPECT_EQ(paso.PB()->objectName(), QStringLiteral("PB"));
    EXPECT_EQ(paso.PB()->minimum(), 0);
    EXPECT_EQ(paso.PB()->maximum(), 100);
    EXPECT_TRUE(paso.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(paso.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(FormAviso, OrangeWithItsLabel) {
    AplicacionQt();
    gui::TFormAviso aviso(nullptr);
    EXPECT_EQ(aviso.size(), QSize(463, 96));
    EXPECT_EQ(aviso.LabelAviso()->text(), QStringLiteral("\n\nAviso"));
    EXPECT_TRUE(aviso.windowFlags() & Qt::FramelessWindowHint);
    const QImage img = aviso.grab().toImage();
    EXPECT_EQ(img.pixelColor(1, 1), QColor(255, 128, 0));
    EXPECT_EQ(img.pixelColor(20, 20), QColor(255, 255, 255));
}

using Progreso = VentanaPrueba;

TEST_F(Progreso, TheLoaderMovesTheBar) {
    // A 1,000-line agenda: the bar goes to 25, 50 and 75, the caption names
    // the file.
    std::string texto = "cabecera\r\n";
    std::ifstream muestra(AgendaMuestra(), std::ios::binary);
    std::string linea;
    std::getline(muestra, linea);
    for (int i = 0; i < 999 && std::getline(muestra, linea); ++i) {
        texto += linea + "\n";
    }
    const std::string ruta = QDir::tempPath().toStdString() + "/varnolt-mil.csv";
    std::ofstream(ruta, std::ios::binary) << texto;
    std::vector<int> posiciones;
    std::vector<std::string> titulos;
    ventana->DialogoMensaje = [&](const std::string&) {};
    QTimer sondeo;
    QObject::connect(&sondeo, &QTimer::timeout, [&] {
        if (auto* p = ventana->FormStepCount()) {
            titulos.push_back(gui::S(p->windowTitle()));
            if (posiciones.empty() || posiciones.back() != p->PB()->value()) {
                posiciones.push_back(p->PB()->value());
            }
        }
    });
    sondeo.start(0);
    Cargar({ruta});
    sondeo.stop();
    std::remove(ruta.c_str());
    EXPECT_TRUE(Form().DataCargada);
    ASSERT_FALSE(titulos.empty());
    EXPECT_EQ(titulos.back(), "Cargando data -> varnolt-mil.csv [999 registros]");
    EXPECT_NE(std::find(posiciones.begin(), posiciones.end(), 75), posiciones.end());
    EXPECT_EQ(ventana->FormStepCount(), nullptr);
}

}  // namespace
}  // namespace varnolt::prueba
