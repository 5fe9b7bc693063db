// SPDX-License-Identifier: AGPL-3.0-or-later
// The window without the mouse: shortcuts for every command, Tab and Space
// on the buttons, Escape on the tool windows; and the About box.
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "VentanaPrueba.h"
#include "gui/AcercaDe.h"
#include "gui/TextoQt.h"

namespace varnolt::prueba {
namespace {

using Teclado = VentanaPrueba;

// A key pressed in a window, where its focus is, as a person types it. The
// window is made the active one first, as the window manager does when the
// person turns to it (the offscreen platform leaves no window active after a
// dialog has gone).
void Tecla(QWidget* donde, Qt::Key tecla, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    if (QApplication::activeWindow() != donde->window()) {
        QApplication::setActiveWindow(donde->window());
    }
    QWidget* foco = QApplication::focusWidget();
    QTest::keyClick(foco != nullptr && foco->window() == donde->window() ? foco : donde, tecla,
                    mod);
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

TEST_F(Teclado, EveryToolWindowOpensFromItsKeysAndClosesWithEscape) {
    QApplication::setActiveWindow(ventana.get());
    respuestaDialogo = std::vector<std::string>{AgendaMuestra()};
    Tecla(ventana.get(), Qt::Key_O, Qt::ControlModifier);  // Data
    ASSERT_TRUE(Form().DataCargada);

    struct Caso {
        Qt::Key tecla;
        Qt::KeyboardModifiers mod;
        const char* boton;
        const char* ventana;
    };
    const Caso casos[] = {
        {Qt::Key_D, Qt::ControlModifier, "SBViewContacto", "TWDetalleContactos"},
        {Qt::Key_P, Qt::ControlModifier, "SBViewFechas", "TWDetalleFechas"},
        {Qt::Key_G, Qt::ControlModifier, "SBGP", "TWGraphRange"},
        {Qt::Key_R, Qt::ControlModifier, "SBTAView", "TWPromptContacts"},
        {Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier, "SBLoadTerms", "TWLumbrisk"},
    };
    for (const Caso& c : casos) {
        auto* tw = ventana->Herramienta(QString::fromUtf8(c.ventana));
        Tecla(ventana.get(), c.tecla, c.mod);
        ASSERT_TRUE(tw->isVisible()) << c.ventana;
        EXPECT_TRUE(Boton(c.boton)->isChecked()) << c.boton;
        // The window just opened takes the keyboard.
        EXPECT_EQ(QApplication::activeWindow(), tw) << c.ventana;
        // The tooltip names the keys.
        EXPECT_TRUE(Boton(c.boton)->toolTip().endsWith(
            QStringLiteral(" (") + gui::VentanaVarnolt::TeclasDe(QString::fromUtf8(c.boton)) +
            QLatin1Char(')')))
            << gui::S(Boton(c.boton)->toolTip());
        // The same keys from inside the tool window close it again; Escape
        // closes it too.
        QApplication::setActiveWindow(tw);
        Tecla(tw, c.tecla, c.mod);
        EXPECT_FALSE(tw->isVisible()) << c.ventana;
        Tecla(ventana.get(), c.tecla, c.mod);
        ASSERT_TRUE(tw->isVisible()) << c.ventana;
        QTest::keyClick(tw, Qt::Key_Escape);
        Procesar();
        EXPECT_FALSE(tw->isVisible()) << c.ventana;
        EXPECT_FALSE(Boton(c.boton)->isChecked()) << c.boton;
        QApplication::setActiveWindow(ventana.get());
    }

    // The view toggles, the period and "Limpiar".
    Tecla(ventana.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(Form().SBViewTends);
    Tecla(ventana.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(Form().SBViewTends);
    Tecla(ventana.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Form().SBViewArq);
    Tecla(ventana.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(Form().DataCargada);
    // A disabled command stays disabled from the keyboard: "Rangos" needs data.
    Tecla(ventana.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(ventana->Herramienta(QStringLiteral("TWPromptContacts"))->isVisible());
}

TEST_F(Teclado, TabReachesTheButtonsAndSpacePressesThem) {
    CargarMuestra();
    QApplication::setActiveWindow(ventana.get());
    ventana->setFocus();
    std::vector<std::string> alcanzados;
    for (int i = 0; i < 300; ++i) {
        Tecla(ventana.get(), Qt::Key_Tab);
        if (QWidget* w = QApplication::focusWidget()) {
            alcanzados.push_back(gui::S(w->objectName()));
            if (w->objectName() == QLatin1String("SBViewFechas")) {
                break;
            }
        }
    }
    ASSERT_EQ(alcanzados.empty() ? "" : alcanzados.back(), "SBViewFechas");
    for (const char* b : {"SBContactos", "CBCleanData", "SBInfoData"}) {
        EXPECT_NE(std::find(alcanzados.begin(), alcanzados.end(), b), alcanzados.end()) << b;
    }
    Tecla(ventana.get(), Qt::Key_Space);
    EXPECT_TRUE(ventana->Herramienta(QStringLiteral("TWDetalleFechas"))->isVisible());

    // Further on: the period buttons, the group buttons of the filters.
    QApplication::setActiveWindow(ventana.get());
    std::vector<std::string> despues;
    for (int i = 0; i < 300; ++i) {
        Tecla(ventana.get(), Qt::Key_Tab);
        if (QWidget* w = QApplication::focusWidget()) {
            despues.push_back(gui::S(w->objectName()));
        }
    }
    for (const char* b : {"SBPerAll", "BBAllYear", "SPItemTra1", "SBItemNatNon", "SpeedButton28"}) {
        EXPECT_NE(std::find(despues.begin(), despues.end(), b), despues.end()) << b;
    }
    // The period buttons are one group: Tab stops at the one that is down,
    // the arrow keys move along the group and Space chooses.
    Boton("SBPerAll")->setFocus();
    Tecla(ventana.get(), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), Boton("SBPer2"));
    Tecla(ventana.get(), Qt::Key_Space);
    EXPECT_TRUE(Boton("SBPer2")->isChecked());
    EXPECT_EQ(Form().BotonPeriodo, 2);
}

TEST_F(Teclado, EnterOnTheCalendarChoosesTheDay) {
    CargarMuestra();
    auto* calendario = Hijo<QCalendarWidget>("MonthCalendar1");
    calendario->setFocus();
    const TFecha antes = Form().FechaCalendario;
    QTest::keyClick(calendario->focusWidget() ? calendario->focusWidget() : calendario,
                    Qt::Key_Right);
    QTest::keyClick(calendario->focusWidget() ? calendario->focusWidget() : calendario,
                    Qt::Key_Return);
    Procesar();
    EXPECT_EQ(Form().FechaCalendario, antes + 1);
}

TEST_F(Teclado, F1ShowsVarnoltsOwnAboutBoxAndCtrlQCloses) {
    QApplication::setActiveWindow(ventana.get());
    Tecla(ventana.get(), Qt::Key_F1);
    QDialog* acerca = ventana->AcercaDe();
    ASSERT_NE(acerca, nullptr);
    EXPECT_TRUE(acerca->isVisible());
    EXPECT_EQ(acerca->windowTitle(), QStringLiteral("Acerca de Varnolt"));
    auto* texto = acerca->findChild<QLabel*>(QStringLiteral("TextoAcercaDe"));
    ASSERT_NE(texto, nullptr);
    // Nothing in it starts a browser; its text can be selected and copied.
    EXPECT_FALSE(texto->openExternalLinks());
    EXPECT_FALSE(texto->textInteractionFlags() & Qt::LinksAccessibleByMouse);
    EXPECT_TRUE(texto->textInteractionFlags() & Qt::TextSelectableByMouse);
    QTest::keyClick(acerca, Qt::Key_Escape);
    Procesar();
    EXPECT_FALSE(acerca->isVisible());
    // The label opens the same box.
    QTest::mouseClick(Hijo<QLabel>("LabelAbout"), Qt::LeftButton);
    Procesar();
    EXPECT_TRUE(acerca->isVisible());
    acerca->close();

    Tecla(ventana.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(ventana->isVisible());
}

TEST_F(Teclado, EveryButtonAndFieldSaysWhatItDoes) {
    CargarMuestra();
    std::vector<QWidget*> raices{ventana.get()};
    for (QWidget* tw : ventana->Herramientas()) {
        raices.push_back(tw);
    }
    std::vector<std::string> sinPista;
    for (QWidget* raiz : raices) {
        for (QWidget* w : raiz->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) != nullptr ||
                                 qobject_cast<QComboBox*>(w) != nullptr ||
                                 qobject_cast<QAbstractSpinBox*>(w) != nullptr;
            // Radio buttons say it in their own text under their group's
            // title; the calendar's and date field's own parts, the message
            // window's button and the panel that never shows are not the
            // window's controls.
            const bool propio =
                qobject_cast<QRadioButton*>(w) == nullptr &&
                qobject_cast<QDialog*>(w->window()) == nullptr && !w->objectName().isEmpty() &&
                !w->objectName().startsWith(QLatin1String("qt_")) &&
                w->parentWidget()->objectName() != QLatin1String("PanelAdmonContacts");
            if (control && propio && w->toolTip().isEmpty()) {
                sinPista.push_back(gui::S(w->objectName()));
            }
        }
    }
    EXPECT_TRUE(sinPista.empty()) << ::testing::PrintToString(sinPista);
}

TEST(AcercaDe, NamesVersionLicenceWarrantyCreditsAndDocuments) {
    const QString t = gui::TextoAcercaDe(QStringLiteral("1.2.3"),
                                         {QStringLiteral("/usr/share/varnolt/README.md"),
                                          QStringLiteral("/usr/share/doc/varnolt/copyright")});
    for (const char* parte :
         {"Varnolt", "Versión 1.2.3", "AGPL-3.0-or-later", "SIN NINGUNA GARANTÍA",
          "Swiss Ephemeris", "Astrodienst", "https://github.com/aloistr/swisseph", "Qt ",
          "LGPL-3.0", "/usr/share/varnolt/README.md", "/usr/share/doc/varnolt/copyright"}) {
        EXPECT_TRUE(t.contains(QString::fromUtf8(parte))) << parte;
    }
    // A path is shown as text, never as markup.
    EXPECT_TRUE(gui::TextoAcercaDe(QStringLiteral("1"), {QStringLiteral("/a<b>/README.md"), {}})
                    .contains(QStringLiteral("/a&lt;b&gt;/README.md")));
}

TEST(AcercaDe, AnInstalledProgramNamesItsInstalledDocuments) {
    QTemporaryDir prefijo;
    const QDir d(prefijo.path());
    for (const char* carpeta : {"lib/varnolt", "share/varnolt", "share/doc/varnolt"}) {
        ASSERT_TRUE(d.mkpath(QString::fromUtf8(carpeta)));
    }
    for (const char* archivo : {"lib/varnolt/Varnolt", "share/varnolt/muestra_2024.csv",
                                "share/varnolt/README.md", "share/doc/varnolt/copyright"}) {
        QFile f(d.filePath(QString::fromUtf8(archivo)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const gui::DocumentosPrograma docs =
        gui::DocumentosDelPrograma(gui::S(d.filePath(QStringLiteral("lib/varnolt/Varnolt"))));
    EXPECT_EQ(QFileInfo(docs.Manual).canonicalFilePath(),
              QFileInfo(d.filePath(QStringLiteral("share/varnolt/README.md"))).canonicalFilePath());
    EXPECT_EQ(
        docs.Licencia,
        QFileInfo(d.filePath(QStringLiteral("share/doc/varnolt/copyright"))).canonicalFilePath());
}

}  // namespace
}  // namespace varnolt::prueba
