// SPDX-License-Identifier: AGPL-3.0-or-later
// The layout of the main window: which chart panels show after "Tend." and
// "Arq.", the window on a small screen, and where the tool windows open and
// come back.
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>

#include "VentanaPrueba.h"
#include "gui/VentanasPequenas.h"

namespace varnolt::prueba {
namespace {

using Disposicion = VentanaPrueba;

QWidget* Widget(const std::unique_ptr<gui::VentanaVarnolt>& v, const char* nombre) {
    QWidget* w = v->findChild<QWidget*>(QString::fromUtf8(nombre));
    EXPECT_NE(w, nullptr) << "no hay " << nombre;
    return w;
}

// The rectangle of a child in the main window's coordinates.
QRect EnVentana(const std::unique_ptr<gui::VentanaVarnolt>& v, const char* nombre) {
    QWidget* w = Widget(v, nombre);
    return w ? QRect(w->mapTo(v.get(), QPoint(0, 0)), w->size()) : QRect();
}

TEST_F(Disposicion, ReleasingTendsAfterAYearShowsTheItemCharts) {
    CargarMuestra();
    Pulsar("SBViewTends");
    EXPECT_FALSE(Widget(ventana, "ChartItemNat")->isVisible());
    Pulsar("SBPer2");  // the year 2024
    Pulsar("SBViewTends");
    for (const char* c : {"ChartAngTra", "ChartItemTra", "ChartItemNat"}) {
        QWidget* w = Widget(ventana, c);
        EXPECT_TRUE(w->isVisible()) << c;
        EXPECT_GT(w->height(), 40) << c;
    }
}

TEST_F(Disposicion, TrendsAndArchetypesBeforeLoadingKeepTheDailyChartFirstAndWhole) {
    Pulsar("SBViewArq");
    Pulsar("SBViewTends");
    CargarMuestra();
    const QRect dia = EnVentana(ventana, "ChartDia");
    const QRect arq = EnVentana(ventana, "PanelInfoArq");
    const QRect zona = EnVentana(ventana, "PanelData");
    ASSERT_TRUE(Widget(ventana, "ChartDia")->isVisible());
    ASSERT_TRUE(Widget(ventana, "PanelInfoArq")->isVisible());
    EXPECT_LE(dia.bottom(), arq.top());  // the daily chart above the archetype panel
    EXPECT_EQ(dia.width(), zona.width());
    // After a resize it still takes the whole width.
    ventana->resize(ventana->width() - 120, ventana->height());
    Procesar();
    EXPECT_EQ(EnVentana(ventana, "ChartDia").width(), EnVentana(ventana, "PanelData").width());
}

TEST_F(Disposicion, FitsA1280By720Screen) {
    CargarMuestra();
    EXPECT_LE(ventana->minimumSizeHint().width(), 1280);
    EXPECT_LE(ventana->minimumSizeHint().height(), 720);
    ventana->resize(1280, 720);
    Procesar();
    EXPECT_EQ(ventana->width(), 1280);
    EXPECT_EQ(ventana->height(), 720);
    // The command rows fit, the information column wrapping its texts; the
    // charts keep a plot.
    auto* zona = Hijo<QScrollArea>("ZonaComandos");
    ASSERT_NE(zona, nullptr);
    EXPECT_FALSE(zona->horizontalScrollBar()->isVisible());
    EXPECT_EQ(Widget(ventana, "PanelMain")->height(), 196);
    for (const char* c : {"ChartDia", "ChartAngTra", "ChartItemTra", "ChartItemNat"}) {
        EXPECT_GE(Widget(ventana, c)->height(), 100) << c;
    }
    // Narrower still: the rows stay whole and scroll sideways.
    ventana->resize(1100, 720);
    Procesar();
    EXPECT_TRUE(zona->horizontalScrollBar()->isVisible());
    EXPECT_GE(zona->viewport()->height(), 196);  // the bar does not cover the rows
    // Wide enough again: no scroll bar, no band under the strip.
    ventana->resize(1600, 720);
    Procesar();
    EXPECT_FALSE(zona->horizontalScrollBar()->isVisible());
    EXPECT_EQ(zona->height(), 196);
}

// The tool windows and the buttons that open them.
struct CasoHerramienta {
    const char* boton;
    const char* ventana;
};

class Herramientas : public VentanaPrueba, public ::testing::WithParamInterface<CasoHerramienta> {};

TEST_P(Herramientas, OpenClearOfTheCommandRowsAndComeBackWhereMoved) {
    CargarMuestra();
    Pulsar(GetParam().boton);
    auto* tw = Hijo<gui::VentanaHerramienta>(GetParam().ventana);
    ASSERT_NE(tw, nullptr);
    ASSERT_TRUE(tw->isVisible());
    const QRect comandos(Widget(ventana, "ZonaComandos")->mapToGlobal(QPoint(0, 0)),
                         Widget(ventana, "ZonaComandos")->size());
    EXPECT_FALSE(tw->frameGeometry().intersects(comandos))
        << GetParam().ventana << " covers the command rows";
    EXPECT_TRUE(tw->screen()->availableGeometry().contains(tw->frameGeometry()));

    // Moved away, closed and opened again: where the user left it.
    tw->move(tw->pos() + QPoint(37, 23));
    Procesar();
    const QPoint movida = tw->pos();
    Pulsar(GetParam().boton);
    EXPECT_FALSE(tw->isVisible());
    Pulsar(GetParam().boton);
    EXPECT_TRUE(tw->isVisible());
    EXPECT_EQ(tw->pos(), movida);
}

INSTANTIATE_TEST_SUITE_P(Ventanas, Herramientas,
                         ::testing::Values(CasoHerramienta{"SBGP", "TWGraphRange"},
                                           CasoHerramienta{"SBViewFechas", "TWDetalleFechas"},
                                           CasoHerramienta{"SBViewContacto",
                                                           "TWDetalleContactos"}));

TEST_F(Disposicion, ToolWindowPlacesLastIntoTheNextRun) {
    QTemporaryDir carpeta;
    const QString archivo = carpeta.filePath(QStringLiteral("ventanas.ini"));
    ventana->ArchivoLugares(archivo);
    CargarMuestra();
    Pulsar("SBGP");
    auto* tw = Hijo<gui::VentanaHerramienta>("TWGraphRange");
    ASSERT_NE(tw, nullptr);
    // Moved and made smaller, still wholly on the screen.
    const QRect lugar(tw->pos() + QPoint(-40, 30), tw->size() - QSize(20, 10));
    tw->resize(lugar.size());
    tw->move(lugar.topLeft());
    Procesar();
    ventana.reset();  // the run ends: the places are written
    Procesar();

    SetUp();  // the next run
    ventana->ArchivoLugares(archivo);
    CargarMuestra();
    Pulsar("SBGP");
    tw = Hijo<gui::VentanaHerramienta>("TWGraphRange");
    ASSERT_NE(tw, nullptr);
    EXPECT_EQ(QRect(tw->pos(), tw->size()), lugar);
}

TEST_F(Disposicion, APlaceOffEveryScreenIsForgotten) {
    QTemporaryDir carpeta;
    const QString archivo = carpeta.filePath(QStringLiteral("ventanas.ini"));
    {
        QSettings ini(archivo, QSettings::IniFormat);
        ini.setValue(QStringLiteral("TWGraphRange/x"), 90000);
        ini.setValue(QStringLiteral("TWGraphRange/y"), 90000);
        ini.setValue(QStringLiteral("TWGraphRange/ancho"), 500);
        ini.setValue(QStringLiteral("TWGraphRange/alto"), 300);
    }
    ventana->ArchivoLugares(archivo);
    CargarMuestra();
    Pulsar("SBGP");
    auto* tw = Hijo<gui::VentanaHerramienta>("TWGraphRange");
    ASSERT_NE(tw, nullptr);
    EXPECT_TRUE(tw->screen()->availableGeometry().contains(tw->frameGeometry()));
}

// The main window on the small 1280 × 720 screen beside the test's large one.
class PantallaPequena : public VentanaPrueba {
  protected:
    void SetUp() override {
        VentanaPrueba::SetUp();
        for (QScreen* s : QGuiApplication::screens()) {
            if (s->geometry().size() == QSize(1280, 720)) {
                pequena = s;
            }
        }
        ASSERT_NE(pequena, nullptr) << "no small screen";
        ventana->windowHandle()->setScreen(pequena);
        ventana->setGeometry(pequena->availableGeometry());
        Procesar();
        ASSERT_EQ(ventana->screen(), pequena);
    }

    // The frame of a tool window lies wholly on the small screen, clear of
    // the command rows.
    void ComprobarLugar(const QWidget* tw, const char* nombre) {
        const QRect comandos(Widget(ventana, "ZonaComandos")->mapToGlobal(QPoint(0, 0)),
                             Widget(ventana, "ZonaComandos")->size());
        EXPECT_TRUE(pequena->availableGeometry().contains(tw->frameGeometry()))
            << nombre << " lies off the screen";
        EXPECT_FALSE(tw->frameGeometry().intersects(comandos))
            << nombre << " covers the command rows";
    }

    QScreen* pequena = nullptr;
};

TEST_F(PantallaPequena, EachToolWindowOpensWhollyOnTheScreenClearOfTheCommands) {
    CargarMuestra();
    const CasoHerramienta casos[] = {{"SBViewContacto", "TWDetalleContactos"},
                                     {"SBViewFechas", "TWDetalleFechas"},
                                     {"SBGP", "TWGraphRange"},
                                     {"SBLoadTerms", "TWLumbrisk"},
                                     {"SBTAView", "TWPromptContacts"}};
    for (const CasoHerramienta& c : casos) {
        Pulsar(c.boton);
        auto* tw = Hijo<gui::VentanaHerramienta>(c.ventana);
        ASSERT_TRUE(tw->isVisible()) << c.ventana;
        ComprobarLugar(tw, c.ventana);
        Pulsar(c.boton);
        EXPECT_FALSE(tw->isVisible()) << c.ventana;
    }
}

TEST_F(PantallaPequena, TheInformationColumnIsWhollyInTheWindowAndItsTextsWrap) {
    CargarMuestra();
    const QRect info = EnVentana(ventana, "ZonaInfo");
    EXPECT_GE(info.left(), 0);
    EXPECT_LE(info.right(), ventana->width() - 1) << "the column runs past the window";
    EXPECT_GE(info.width(), 80);
    for (const char* nombre : {"LabelInfoRangoData", "LabelInfoRangoVisual", "LabelInfoSumaPP",
                               "LabelInfoFechasPico", "LabelInfoMax"}) {
        auto* l = Hijo<QLabel>(nombre);
        EXPECT_TRUE(l->wordWrap()) << nombre;
        EXPECT_LE(l->width(), info.width()) << nombre;
    }
    EXPECT_NE(Texto("LabelInfoRangoData").find("2024-dic-31"), std::string::npos);
}

TEST_F(PantallaPequena, DataCsvOpensClearOfTheButtonsThatOpenedIt) {
    CargarMuestra();
    Pulsar("SBTAView");
    Pulsar("SBCalcTA");  // "Detallar": the ranges of the chosen archetypes
    Pulsar("SBPromptCSV");
    auto* csv = Hijo<gui::VentanaHerramienta>("TWCSV");
    ASSERT_TRUE(csv->isVisible());
    ComprobarLugar(csv, "TWCSV");
    for (const char* b : {"SBCalcTA", "SBCopyPrompt", "SBPromptCSV"}) {
        const QWidget* w = Widget(ventana, b);
        const QRect boton(w->mapToGlobal(QPoint(0, 0)), w->size());
        EXPECT_FALSE(csv->frameGeometry().intersects(boton)) << "TWCSV covers " << b;
    }
}

TEST_F(PantallaPequena, PlacesSavedOnALargerScreenAreNotUsedOffTheSmallOne) {
    QTemporaryDir carpeta;
    const QString archivo = carpeta.filePath(QStringLiteral("ventanas.ini"));
    const QPoint o = pequena->geometry().topLeft();
    {
        QSettings ini(archivo, QSettings::IniFormat);
        // Left where they were on a 1920 × 1080 screen, or of a size no screen
        // has.
        const std::pair<const char*, QRect> lugares[] = {
            {"TWDetalleFechas", QRect(o + QPoint(20, 611), QSize(300, 560))},
            {"TWGraphRange", QRect(o + QPoint(700, 300), QSize(1142, 186))},
            {"TWDetalleContactos", QRect(o + QPoint(1260, 700), QSize(400, 520))},
            {"TWPromptContacts", QRect(o, QSize(32767, 32767))},
        };
        for (const auto& [nombre, r] : lugares) {
            ini.beginGroup(QString::fromUtf8(nombre));
            ini.setValue(QStringLiteral("x"), r.x());
            ini.setValue(QStringLiteral("y"), r.y());
            ini.setValue(QStringLiteral("ancho"), r.width());
            ini.setValue(QStringLiteral("alto"), r.height());
            ini.endGroup();
        }
    }
    ventana->ArchivoLugares(archivo);
    CargarMuestra();
    for (const auto& [boton, nombre] :
         std::vector<std::pair<const char*, const char*>>{{"SBViewFechas", "TWDetalleFechas"},
                                                          {"SBGP", "TWGraphRange"},
                                                          {"SBViewContacto", "TWDetalleContactos"},
                                                          {"SBTAView", "TWPromptContacts"}}) {
        Pulsar(boton);
        auto* tw = Hijo<gui::VentanaHerramienta>(nombre);
        ASSERT_TRUE(tw->isVisible()) << nombre;
        ComprobarLugar(tw, nombre);
        EXPECT_LT(tw->width(), 1280) << nombre;
        Pulsar(boton);
    }
}

}  // namespace
}  // namespace varnolt::prueba
