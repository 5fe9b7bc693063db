// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window driven as a user would: loading through the file dialog,
// years and periods, the panels' arrangement, clearing, errors, input while
// the loader lets window messages run, dropped files.
#include <QDir>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>
#include <fstream>

#include "VentanaPrueba.h"
#include "app/Formato.h"
#include "gui/GraficoBarras.h"
#include "gui/TextoQt.h"
#include "gui/VentanasPequenas.h"
#include "support/AgendaDePrueba.h"

namespace varnolt::prueba {
namespace {

using Ventana = VentanaPrueba;

TEST_F(Ventana, LoadingTheSampleThroughTheDialog) {
    CargarMuestra();
    ASSERT_EQ(carpetasDialogo.size(), 1u);
    EXPECT_EQ(carpetasDialogo[0], "");  // no agenda read before
    EXPECT_TRUE(errores.empty());
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].rfind("Archivo cargado:\r\rmuestra_2024.csv [44759 registros]\r", 0),
              0u);
    EXPECT_NE(mensajes[0].find("\rEn 0 minutos "), std::string::npos);
    EXPECT_NE(mensajes[0].find(" milisegundos !"), std::string::npos);
    // The progress window was shown and discarded.
    EXPECT_EQ(ventana->VecesProgreso(), 1);
    EXPECT_EQ(ventana->FormStepCount(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The analysis controls are on, the charts shown.
    for (const char* nombre : {"PanelItemsTra", "PanelItemsNat", "PanelAspTra", "LBYear",
                               "MonthCalendar1", "SBTAView", "SBPerAll", "SBPer19"}) {
        EXPECT_TRUE(Hijo<QWidget>(nombre)->isEnabled()) << nombre;
    }
    for (const char* c : {"ChartDia", "ChartAngTra", "ChartItemTra", "ChartItemNat"}) {
        EXPECT_TRUE(Hijo<QWidget>(c)->isVisible()) << c;
    }
    // The year list: 2024, selected; the item lists as the core has them.
    EXPECT_EQ(Filas("LBYear"), (std::vector<std::string>{"2024"}));
    EXPECT_EQ(Seleccionadas("LBYear"), (std::vector<int>{0}));
    EXPECT_EQ(Filas("LBItemNat"), Form().LBItemNat.Items);
    EXPECT_EQ(Filas("LBItemTra"), Form().LBItemTra.Items);
    EXPECT_EQ(Filas("LBItemNat").size(), 31u);
    EXPECT_TRUE(Seleccionadas("LBItemNat").empty());
    // The labels of PanelInfo.
    EXPECT_EQ(Texto("LabelInfoRangoData"), "2024-ene-1 y 2024-dic-31");
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2024-ene-1 y 2024-dic-31");
    EXPECT_EQ(Texto("LabelInfoSumaPP"), Form().Etiquetas.SumaPP);
    EXPECT_EQ(Texto("LabelInfoFechasPico"), gui::S(gui::Lineas(Form().Etiquetas.FechasPico)));
    EXPECT_NE(Texto("LabelInfoFechasPico").find("  fechas pico en el rango\nMáx.PP: "),
              std::string::npos);
    EXPECT_EQ(Texto("LabelInfoMax").rfind("Máx.PP:", 0), 0u);
    EXPECT_EQ(Texto("LabelNoContactos"), Form().Etiquetas.NoContactos);
    EXPECT_EQ(Texto("LabelNoContactos").rfind("  366 días. ", 0), 0u);
    // The weighted-days list: one row per day.
    EXPECT_EQ(Filas("LBFechaPP"), Form().LBFechaPP.Textos());
    EXPECT_EQ(Filas("LBFechaPP").size(), 366u);
    EXPECT_EQ(Filas("LBFechaPP")[0].rfind("1.", 0), 0u);
    // The trend graph's caption follows the range even while hidden.
    EXPECT_EQ(gui::S(ventana->Herramienta(QStringLiteral("TWGraphRange"))->windowTitle()),
              "Gráfico Tendencia. ene-1-2024 a dic-31-2024.");
}

TEST_F(Ventana, CancellingTheDialogChangesNothing) {
    respuestaDialogo.reset();
    Pulsar("SBContactos");
    EXPECT_FALSE(Form().DataCargada);
    EXPECT_TRUE(mensajes.empty());
    EXPECT_EQ(ventana->VecesProgreso(), 0);
    EXPECT_FALSE(Hijo<QWidget>("LBYear")->isEnabled());
}

TEST_F(Ventana, DialogOpensInTheFolderOfTheLastAgenda) {
    CargarMuestra();
    respuestaDialogo.reset();
    Pulsar("SBContactos");
    ASSERT_EQ(carpetasDialogo.size(), 2u);
    EXPECT_EQ(carpetasDialogo[1], std::string(VARNOLT_FIXTURES) + "/agendas");
}

TEST_F(Ventana, PeriodButtonsAndYears) {
    CarpetaTemporal carpeta;
    std::vector<Contacto> cs;
    for (const char* f : {"2022-3-1", "2023-2-10", "2024-2-10", "2024-2-29", "2024-7-4"}) {
        Contacto c;
        c.fecha = f;
        cs.push_back(c);
    }
    Cargar({carpeta.Agenda("a.csv", cs)});
    EXPECT_EQ(Filas("LBYear"), (std::vector<std::string>{"2022", "2023", "2024"}));
    EXPECT_EQ(Seleccionadas("LBYear"), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2022-ene-1 y 2024-dic-31");

    // A plain click on 2024 selects it alone: its whole year.
    ClicFila("LBYear", 2);
    EXPECT_EQ(Seleccionadas("LBYear"), (std::vector<int>{2}));
    EXPECT_EQ(Form().LBYear.ItemIndex, 2);
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2024-ene-1 y 2024-dic-31");
    EXPECT_TRUE(Boton("SBPerAll")->isChecked());

    // "Feb" of 2024: 1 to 29 February; the button stays down.
    Pulsar("SBPer9");
    EXPECT_TRUE(Boton("SBPer9")->isChecked());
    EXPECT_FALSE(Boton("SBPerAll")->isChecked());
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2024-feb-1 y 2024-feb-29");
    EXPECT_EQ(Form().Periodo, 9);
    EXPECT_EQ(Filas("LBFechaPP").size(), 2u);

    // Ctrl-click adds 2022: the range runs from 2022 to 2024, "Todo" down.
    ClicFila("LBYear", 0, Qt::ControlModifier);
    EXPECT_EQ(Seleccionadas("LBYear"), (std::vector<int>{0, 2}));
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2022-ene-1 y 2024-dic-31");
    EXPECT_TRUE(Boton("SBPerAll")->isChecked());
    EXPECT_EQ(Filas("LBFechaPP").size(), 5u);  // 2023 counts too

    // A period with several years applies to the current year only.
    Pulsar("SBPer8");  // "Ene" of 2022, the current item
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2022-ene-1 y 2022-ene-31");
    EXPECT_EQ(Seleccionadas("LBYear"), (std::vector<int>{0, 2}));

    // "Todos" selects every year again.
    Pulsar("BBAllYear");
    EXPECT_EQ(Seleccionadas("LBYear"), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2022-ene-1 y 2024-dic-31");
}

TEST_F(Ventana, ShiftClickSelectsASpanOfYears) {
    CarpetaTemporal carpeta;
    std::vector<Contacto> cs;
    for (const char* f : {"2021-3-1", "2022-3-1", "2023-2-10", "2024-2-10"}) {
        Contacto c;
        c.fecha = f;
        cs.push_back(c);
    }
    Cargar({carpeta.Agenda("a.csv", cs)});
    ClicFila("LBYear", 1);
    ClicFila("LBYear", 3, Qt::ShiftModifier);
    EXPECT_EQ(Seleccionadas("LBYear"), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2022-ene-1 y 2024-dic-31");
}

TEST_F(Ventana, KeyboardMovesTheYear) {
    CarpetaTemporal carpeta;
    Contacto a;
    a.fecha = "2023-5-1";
    Contacto b;
    b.fecha = "2024-5-1";
    Cargar({carpeta.Agenda("a.csv", {a, b})});
    ClicFila("LBYear", 0);
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2023-ene-1 y 2023-dic-31");
    QTest::keyClick(Lista("LBYear"), Qt::Key_Down);
    Procesar();
    EXPECT_EQ(Seleccionadas("LBYear"), (std::vector<int>{1}));
    EXPECT_EQ(Texto("LabelInfoRangoVisual"), "2024-ene-1 y 2024-dic-31");
}

TEST_F(Ventana, TendsLetsTheDailyChartFillTheArea) {
    CargarMuestra();
    QWidget* charts = Hijo<QWidget>("PanelCharts");
    QWidget* dia = Hijo<QWidget>("ChartDia");
    EXPECT_EQ(dia->height(), static_cast<int>(charts->height() * 0.3));
    Pulsar("SBViewTends");
    EXPECT_TRUE(Form().SBViewTends);
    EXPECT_FALSE(Hijo<QWidget>("PanelGraphs")->isVisible());
    EXPECT_EQ(Hijo<QWidget>("PanelChartDia")->geometry(), charts->rect());
    EXPECT_EQ(dia->size(), charts->size());
    // Resizing keeps it filling the area.
    ventana->resize(1000, 600);
    Procesar();
    EXPECT_EQ(dia->size(), charts->size());
    Pulsar("SBViewTends");
    EXPECT_TRUE(Hijo<QWidget>("PanelGraphs")->isVisible());
    EXPECT_EQ(dia->height(), static_cast<int>(charts->height() * 0.3));
    EXPECT_EQ(dia->width(), charts->width());
}

TEST_F(Ventana, ArqMovesTheAngleChartBesideTheDailyChart) {
    CargarMuestra();
    QWidget* charts = Hijo<QWidget>("PanelCharts");
    QWidget* ang = Hijo<QWidget>("ChartAngTra");
    EXPECT_EQ(ang->parentWidget()->objectName(), QStringLiteral("PanelGraphs"));
    Pulsar("SBViewArq");
    EXPECT_TRUE(Hijo<QWidget>("PanelInfoArq")->isVisible());
    EXPECT_EQ(ang->parentWidget()->objectName(), QStringLiteral("PanelChartDia"));
    EXPECT_TRUE(ang->isVisible());
    const int W = charts->width();
    const int H = charts->height();
    EXPECT_EQ(Hijo<QWidget>("ChartDia")->width(), static_cast<int>(0.8 * W));
    EXPECT_EQ(Hijo<QWidget>("PanelInfoArq")->height(), static_cast<int>(0.45 * H));
    EXPECT_EQ(Hijo<QWidget>("PanelArqTra")->width(), static_cast<int>(0.35 * W));
    EXPECT_EQ(Hijo<QWidget>("PanelArqAsp")->width(), static_cast<int>(0.25 * W));
    EXPECT_EQ(Hijo<QWidget>("ChartItemTra")->width(), static_cast<int>(0.4 * W));
    Pulsar("SBViewArq");
    EXPECT_FALSE(Hijo<QWidget>("PanelInfoArq")->isVisible());
    EXPECT_EQ(ang->parentWidget()->objectName(), QStringLiteral("PanelGraphs"));
}

TEST_F(Ventana, ArqBeforeLoadingShowsNoArchetypePanel) {
    Pulsar("SBViewArq");
    EXPECT_TRUE(Boton("SBViewArq")->isChecked());
    EXPECT_FALSE(Hijo<QWidget>("PanelInfoArq")->isVisible());
}

TEST_F(Ventana, ClearingTheData) {
    CargarMuestra();
    Pulsar("CBCleanData");
    EXPECT_FALSE(Form().DataCargada);
    for (const char* nombre : {"PanelItemsTra", "PanelItemsNat", "PanelAspTra", "LBYear",
                               "MonthCalendar1", "SBTAView", "SBPerAll"}) {
        EXPECT_FALSE(Hijo<QWidget>(nombre)->isEnabled()) << nombre;
    }
    for (const char* c : {"ChartDia", "ChartItemTra", "ChartItemNat"}) {
        EXPECT_FALSE(Hijo<QWidget>(c)->isVisible()) << c;
    }
    EXPECT_TRUE(Filas("LBYear").empty());
    EXPECT_TRUE(Filas("LBItemNat").empty());
    EXPECT_TRUE(Filas("LBFechaPP").empty());
    for (const char* l : {"LabelInfoRangoData", "LabelInfoRangoVisual", "LabelInfoSumaPP",
                          "LabelInfoFechasPico", "LabelInfoMax"}) {
        EXPECT_EQ(Texto(l), "-") << l;
    }
    mensajes.clear();
    Pulsar("SBInfoData");
    EXPECT_EQ(mensajes, (std::vector<std::string>{"-No hay data cargada-"}));
}

TEST_F(Ventana, InfoDataShowsTheLoadReport) {
    CargarMuestra();
    mensajes.clear();
    Pulsar("SBInfoData");
    EXPECT_EQ(mensajes, (std::vector<std::string>{
                            "Archivo cargado:\r\rmuestra_2024.csv [44759 registros]\r"}));
    EXPECT_EQ(gui::S(ventana->FormMSG()->LabelAviso()->text()),
              "Archivo cargado:\n\nmuestra_2024.csv [44759 registros]\n");
}

TEST_F(Ventana, AFailedLineShowsTheErrorBox) {
    CarpetaTemporal carpeta;
    const std::string malo = carpeta.Agenda("malo.csv", std::vector<std::string>{"basura"});
    Cargar({malo});
    ASSERT_EQ(errores.size(), 1u);
    EXPECT_EQ(errores[0].rfind("Se presento un error al cargar el archivo de contactos.\r\rmalo.csv",
                               0),
              0u);
    EXPECT_TRUE(mensajes.empty());
    EXPECT_FALSE(Hijo<QWidget>("LBYear")->isEnabled());
    EXPECT_EQ(ventana->FormStepCount(), nullptr);
}

TEST_F(Ventana, AnUnreadableFileGoesToTheErrorBox) {
    Cargar({"/no/existe/agenda.csv"});
    ASSERT_EQ(errores.size(), 1u);
    EXPECT_NE(errores[0].find("No se puede abrir el archivo \"/no/existe/agenda.csv\""),
              std::string::npos);
    EXPECT_EQ(ventana->FormStepCount(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Ventana, InputIsDroppedWhileTheLoaderLetsMessagesRun) {
    CargarMuestra();
    int limpiezas = 0;
    QObject::connect(Boton("CBCleanData"), &QAbstractButton::clicked, [&] { ++limpiezas; });
    QAbstractButton* limpiar = Boton("CBCleanData");
    const QPoint centro = limpiar->rect().center();
    // A click that arrives while the core lets window messages run.
    QCoreApplication::postEvent(limpiar, new QMouseEvent(QEvent::MouseButtonPress, centro,
                                                          limpiar->mapToGlobal(centro),
                                                          Qt::LeftButton, Qt::LeftButton,
                                                          Qt::NoModifier));
    QCoreApplication::postEvent(limpiar, new QMouseEvent(QEvent::MouseButtonRelease, centro,
                                                          limpiar->mapToGlobal(centro),
                                                          Qt::LeftButton, Qt::NoButton,
                                                          Qt::NoModifier));
    ventana->ProcesarMensajes();
    EXPECT_FALSE(ventana->EntradaBloqueada());
    Procesar();
    EXPECT_EQ(limpiezas, 0);
    EXPECT_TRUE(Form().DataCargada);
    // Afterwards the button works again.
    Pulsar("CBCleanData");
    EXPECT_EQ(limpiezas, 1);
    EXPECT_FALSE(Form().DataCargada);
}

TEST_F(Ventana, TheWindowCannotCloseWhileLoading) {
    bool cerrada = false;
    // Simulate the close arriving in the middle of a load.
    ventana->DialogoAbrir = [&](const std::string&) {
        return std::optional<std::vector<std::string>>(std::vector<std::string>{AgendaMuestra()});
    };
    QTimer::singleShot(0, ventana.get(), [&] { cerrada = !ventana->close(); });
    Pulsar("SBContactos");
    Procesar();
    EXPECT_TRUE(cerrada);  // the close was refused
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_TRUE(Form().DataCargada);
}

TEST_F(Ventana, DroppedFilesLoad) {
    QMimeData datos;
    datos.setUrls({QUrl::fromLocalFile(QString::fromStdString(AgendaMuestra()))});
    QDragEnterEvent entrar(QPoint(10, 10), Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(ventana.get(), &entrar);
    EXPECT_TRUE(entrar.isAccepted());
    QDropEvent soltar(QPointF(10, 10), Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(ventana.get(), &soltar);
    Procesar();
    EXPECT_TRUE(Form().DataCargada);
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].rfind("Archivo cargado:\r\rmuestra_2024.csv", 0), 0u);
    EXPECT_TRUE(carpetasDialogo.empty());
}

TEST_F(Ventana, FilesGivenDuringAnActionLoadAfterIt) {
    bool cargadaDentro = true;
    ventana->DialogoAbrir = [&](const std::string&) {
        // Files dropped while the Data action's dialog is open.
        ventana->CargarAgendas({AgendaMuestra()});
        cargadaDentro = Form().DataCargada;
        return std::optional<std::vector<std::string>>();
    };
    Pulsar("SBContactos");
    EXPECT_FALSE(cargadaDentro);
    EXPECT_FALSE(Form().DataCargada);
    QTest::qWait(400);
    EXPECT_TRUE(Form().DataCargada);
    EXPECT_EQ(mensajes.size(), 1u);
}

TEST_F(Ventana, HouseButtonsAnnounceAFutureFeature) {
    CargarMuestra();
    const std::string antes = Form().Graficos.ChartDia.Titulo;
    Pulsar("SBC9");
    ASSERT_EQ(informaciones.size(), 1u);
    EXPECT_EQ(informaciones[0],
              "Próximamente selección automática de los items relacionados para la casa 9."
              "\r\rRegentes, ocupantes y aspectos a cúspide");
}

}  // namespace
}  // namespace varnolt::prueba
