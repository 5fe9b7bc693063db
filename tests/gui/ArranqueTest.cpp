// SPDX-License-Identifier: AGPL-3.0-or-later
// Start-up: FormCreate, the standalone check, the initial state of the
// window and its controls' captions and hints, the command line.
#include <unistd.h>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QToolButton>
#include <QTranslator>

#include "VentanaPrueba.h"
#include "gui/PanelCatalogoArq.h"
#include "gui/Arranque.h"
#include "gui/GraficoBarras.h"
#include "gui/TextoQt.h"
#include "gui/VentanasPequenas.h"

namespace varnolt::prueba {
namespace {

using gui::EsEjecutableAutonomo;

TEST(Autonomo, OnlyTheExactNameRunsByItself) {
    EXPECT_TRUE(EsEjecutableAutonomo(QStringLiteral("/opt/varnolt/bin/Varnolt")));
    EXPECT_TRUE(EsEjecutableAutonomo(QStringLiteral("Varnolt")));
    EXPECT_TRUE(EsEjecutableAutonomo(QStringLiteral("C:\\Orbelune\\Varnolt.exe")));
    EXPECT_FALSE(EsEjecutableAutonomo(QStringLiteral("/opt/varnolt/bin/varnolt")));
    EXPECT_FALSE(EsEjecutableAutonomo(QStringLiteral("C:\\x\\varnolt.exe")));
    EXPECT_FALSE(EsEjecutableAutonomo(QStringLiteral("/opt/Varnolt/orbelune")));
    EXPECT_FALSE(EsEjecutableAutonomo(QStringLiteral("/opt/Varnolt2")));
}

TEST(Autonomo, RunningByItselfMaximizesAnOrdinaryWindow) {
    AplicacionQt();
    gui::VentanaVarnolt v(QStringLiteral("/opt/varnolt/bin/Varnolt"));
    EXPECT_TRUE(v.Form().ModoAutonomo);
    EXPECT_TRUE(v.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(v.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(Autonomo, AnyOtherNameKeepsTheWindowOnTop) {
    AplicacionQt();
    gui::VentanaVarnolt v(QStringLiteral("/opt/varnolt/bin/varnolt"));
    EXPECT_FALSE(v.Form().ModoAutonomo);
    EXPECT_FALSE(v.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(v.windowFlags() & Qt::WindowStaysOnTopHint);
}

using Arranque = VentanaPrueba;

// Qt's own dialogs and standard buttons speak Spanish with the program.
TEST(TextosQt, StandardButtonsAndFileDialogInSpanish) {
    AplicacionQt();
    QTranslator* textos = gui::CargarTextosQt();
    ASSERT_NE(textos, nullptr) << "qtbase_es.qm (qt6-translations-l10n) is not installed";
    QDialogButtonBox botones(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    EXPECT_EQ(botones.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
              QStringLiteral("Cancelar"));
    EXPECT_EQ(botones.button(QDialogButtonBox::Open)->text().remove(QLatin1Char('&')),
              QStringLiteral("Abrir"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    QCoreApplication::removeTranslator(textos);
    delete textos;
}

TEST_F(Arranque, FormCreate) {
    EXPECT_EQ(ventana->objectName(), QStringLiteral("TFormVarnolt"));
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Varnolt"));
    EXPECT_EQ(ventana->size(), QSize(1359, 761));
    EXPECT_EQ(Texto("RxLabelTitle"), "Varnolt");
    EXPECT_EQ(Texto("RxLabelVersion"), "v.0.11.180");
    EXPECT_EQ(Texto("RxLabelFecha"), "Ene 31 2026");
    EXPECT_EQ(Texto("LabelAbout"), "Acerca de Varnolt");
    EXPECT_EQ(Form().InfoData, "-No hay data cargada-");
    EXPECT_FALSE(Form().Actualizando);
    EXPECT_FALSE(Form().DataCargada);
    EXPECT_EQ(Hijo<QDateEdit>("DateTimePicker")->date(), QDate::currentDate());
    EXPECT_EQ(Hijo<QCalendarWidget>("MonthCalendar1")->selectedDate(), QDate::currentDate());
    EXPECT_EQ(ventana->Herramienta(QStringLiteral("TWDetalleContactos"))->width(), 400);
    for (const char* l : {"LabelInfoRangoData", "LabelInfoRangoVisual", "LabelInfoSumaPP",
                          "LabelInfoFechasPico", "LabelInfoMax"}) {
        EXPECT_EQ(Texto(l), "-") << l;
    }
}

TEST_F(Arranque, NoDataLoaded) {
    // Disabled until data is loaded.
    for (const char* nombre : {"PanelItemsTra", "PanelItemsNat", "PanelAspTra", "LBYear",
                               "MonthCalendar1", "SBTAView"}) {
        EXPECT_FALSE(Hijo<QWidget>(nombre)->isEnabled()) << nombre;
    }
    EXPECT_FALSE(Boton("SBPerAll")->isEnabled());
    for (int i = 2; i <= 19; ++i) {
        EXPECT_FALSE(Boton(QStringLiteral("SBPer%1").arg(i).toUtf8().constData())->isEnabled());
    }
    EXPECT_TRUE(Boton("SBPerAll")->isChecked());
    EXPECT_TRUE(Boton("SBMaxAxisOrd")->isChecked());
    EXPECT_FALSE(Boton("SBGP")->isChecked());
    // PanelInfoArq, PanelChartDia and the four charts hidden; PanelGraphs shown.
    EXPECT_FALSE(Hijo<QWidget>("PanelInfoArq")->isVisible());
    EXPECT_FALSE(Hijo<QWidget>("PanelChartDia")->isVisible());
    EXPECT_TRUE(Hijo<QWidget>("PanelGraphs")->isVisible());
    for (const char* c : {"ChartDia", "ChartAngTra", "ChartItemTra", "ChartItemNat"}) {
        EXPECT_FALSE(Hijo<QWidget>(c)->isVisible()) << c;
        EXPECT_EQ(Hijo<gui::GraficoBarras>(c)->Titulo(), QStringLiteral("TChart"));
    }
    // Every tool window hidden.
    for (auto* tw : ventana->Herramientas()) {
        EXPECT_FALSE(tw->isVisible()) << gui::S(tw->objectName());
        EXPECT_TRUE(tw->windowFlags() & Qt::Tool);
    }
    EXPECT_EQ(ventana->Herramientas().size(), 6u);
}

TEST_F(Arranque, CaptionsAndHints) {
    struct Esperado {
        const char* nombre;
        const char* texto;
        const char* pista;
    };
    const Esperado botones[] = {
        {"SBContactos", "Data", "Cargar agendas (archivos de contactos)"},
        {"CBCleanData", "Limpiar", "Limpiar la data cargada"},
        {"SBViewContacto", "Contactos Día", "Detalle de los contactos por día"},
        {"SBViewFechas", "PP. días", "Listado peso ponderado por días"},
        {"SBInfoData", "", "Información de la data cargada"},
        {"SBViewArq", "Arq.", "Ver arquetipos"},
        {"SBViewTends", "Tend.", "Solo Tendencias"},
        {"SBGP", "GT", "Gráfico Tendencia simplificado.Máximo rango anual."},
        {"SBTAView", "", "Rango de contactos - CSV"},
        {"SBMaxAxisOrd", "Ajustar valor máx. ordenada", ""},
        {"BBAllYear", "Todos", "Todos los años"},
        {"SPItemTra1", "S", "Sol"},
        {"SPItemTra2", "Per", "Ven, Mer. Mar"},
        {"SPItemTra3", "Soc", "Júp, Sat"},
        {"SPItemTra4", "Tra", "Ura, Nep, Plu"},
        {"SPItemTra5", "NLQ", "Nodos, Lili, Qui"},
        {"SPItemTra6", "AM", "Asteroides menores"},
        {"SBItemTraAll", "T", "Todos"},
        {"SBItemTraNon", "N", "Ninguno"},
        {"SBOnlyPlanets", "SP", "Solo planetas"},
        {"SBOnlyCusp", "SC", "Solo casas"},
        {"SPItemNat1", "SL", "Sol, Lun"},
        {"SPItemNat2", "Per", "Ven, Mer. MarVen, Mer. Mar"},
        {"SPItemNat3", "Soc", "Júp, Sat"},
        {"SPItemNat4", "Tra", "Nep, Ura, Plu"},
        {"SPItemNat5", "NLQ", "Nod, Lil, Qui"},
        {"SPItemNat6", "R", "Ruedas"},
        {"SPItemNat9", "AM", "Asteroides menores"},
        {"SBItemNatAll", "T", "Todos"},
        {"SBItemNatNon", "N", "Ninguno"},
        {"SBAllAspTra", "T", "Todos"},
        {"SpeedButton37", "N", "Ninguno"},
        {"SpeedButton28", "May.", "0,180,120,90"},
        {"SpeedButton29", "Mul.30", ""},
        {"SpeedButton30", "Mult.15", ""},
        {"SpeedButton31", "Lun.", ""},
        {"SpeedButton32", "Exót.", ""},
        {"SpeedButton33", "8A", ""},
        {"SpeedButton34", "NO May.", ""},
        {"SpeedButton6", "SP", "Solo planetas"},
        {"SpeedButton7", "SC", "Solo casas"},
    };
    for (const Esperado& e : botones) {
        QAbstractButton* b = Boton(e.nombre);
        ASSERT_NE(b, nullptr) << e.nombre;
        EXPECT_EQ(gui::S(b->text()), e.texto) << e.nombre;
        // The designed hint, followed by the command's keys when it has
        // some; a button the design left without a hint says what it does.
        const QString teclas = gui::VentanaVarnolt::TeclasDe(QString::fromUtf8(e.nombre));
        if (std::string(e.pista).empty()) {
            EXPECT_FALSE(b->toolTip().isEmpty()) << e.nombre;
        } else if (teclas.isEmpty()) {
            EXPECT_EQ(gui::S(b->toolTip()), e.pista) << e.nombre;
        } else {
            EXPECT_EQ(gui::S(b->toolTip()), std::string(e.pista) + " (" + gui::S(teclas) + ")")
                << e.nombre;
        }
    }
    const char* periodos[19] = {"Todo", "1T",  "2T",  "3T",  "4T",  "1S",  "2S",
                                "Ene",  "Feb", "Mar", "Abr", "May", "Jun", "Jul",
                                "Ago",  "Sep", "Oct", "Nov", "Dic"};
    EXPECT_EQ(gui::S(Boton("SBPerAll")->text()), periodos[0]);
    for (int i = 2; i <= 19; ++i) {
        EXPECT_EQ(gui::S(Boton(QStringLiteral("SBPer%1").arg(i).toUtf8().constData())->text()),
                  periodos[i - 1]);
    }
    for (int c = 1; c <= 12; ++c) {
        EXPECT_EQ(Boton(QStringLiteral("SBC%1").arg(c).toUtf8().constData())->text(),
                  QStringLiteral("C%1").arg(c));
    }
    for (const auto& [nombre, texto] : std::vector<std::pair<const char*, const char*>>{
             {"LabelItemsTra", "Items Tránsitos"},
             {"LabelItemsNat", "Item Natal"},
             {"LabelAspTra", "Ang. Tráns."},
             {"LabelDatosEntre", "Datos entre"},
             {"LabelRangoVisual", "Rango visualización entre"},
             {"LabelSumaPP", "Suma PP rango"},
             {"LabelFechasPico", "Fechas Pico"}}) {
        EXPECT_EQ(Texto(nombre), texto);
    }
    // LBAspTra's 19 fixed rows.
    EXPECT_EQ(Filas("LBAspTra"), (std::vector<std::string>{
                                     "0", "180", "120", "90", "72", "60", "51", "45", "165", "150",
                                     "144", "135", "105", "75", "40", "36", "33", "30", "15"}));
}

TEST_F(Arranque, ToolWindowCaptions) {
    const std::pair<const char*, const char*> ventanas[] = {
        {"TWDetalleContactos", "Contactos Día"},     {"TWDetalleFechas", "Peso ponderado por días"},
        {"TWLumbrisk", "Arquetipos astrológicos"},   {"TWGraphRange", "Gráfico Tendencia."},
        {"TWPromptContacts", "Rangos de contactos"}, {"TWCSV", "Data CSV"}};
    for (const auto& [nombre, titulo] : ventanas) {
        auto* tw = ventana->Herramienta(QString::fromUtf8(nombre));
        ASSERT_NE(tw, nullptr) << nombre;
        EXPECT_EQ(gui::S(tw->windowTitle()), titulo);
    }
    EXPECT_EQ(ventana->Herramienta(QStringLiteral("TWLumbrisk"))->size(),
              QSize(gui::PanelCatalogoArq::kAncho, 218));
    EXPECT_EQ(ventana->Herramienta(QStringLiteral("TWGraphRange"))->size(), QSize(1142, 186));
}

TEST(Opciones, CommandLine) {
    auto o = gui::LeerOpciones({QStringLiteral("a.csv"), QStringLiteral("b.csv")});
    EXPECT_TRUE(o.error.isEmpty());
    EXPECT_EQ(o.agendas, (std::vector<std::string>{"a.csv", "b.csv"}));
    o = gui::LeerOpciones({QStringLiteral("--pulsar"), QStringLiteral("SBViewTends"),
                           QStringLiteral("x.csv"), QStringLiteral("--captura"),
                           QStringLiteral("TFormVarnolt"), QStringLiteral("v.png")});
    EXPECT_TRUE(o.error.isEmpty());
    EXPECT_EQ(o.agendas, (std::vector<std::string>{"x.csv"}));
    EXPECT_EQ(o.pulsar, QStringList{QStringLiteral("SBViewTends")});
    ASSERT_EQ(o.capturas.size(), 1u);
    EXPECT_EQ(o.capturas[0].first, QStringLiteral("TFormVarnolt"));
    EXPECT_FALSE(
        gui::LeerOpciones({QStringLiteral("--captura"), QStringLiteral("X")}).error.isEmpty());
    EXPECT_FALSE(gui::LeerOpciones({QStringLiteral("--nada")}).error.isEmpty());
}

TEST_F(Arranque, CommandLineAgendasLoadLikeTheDataAction) {
    gui::OpcionesArranque o;
    o.agendas = {AgendaMuestra()};
    gui::Arrancar(*ventana, o);
    Procesar();
    EXPECT_TRUE(Form().DataCargada);
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].rfind("Archivo cargado:\r\rmuestra_2024.csv [44759 registros]\r", 0), 0u);
    EXPECT_TRUE(carpetasDialogo.empty());
}

TEST_F(Arranque, CaptureWritesPictures) {
    CargarMuestra();
    const QString dir = QDir::tempPath() + QStringLiteral("/varnolt-captura-%1").arg(getpid());
    QDir().mkpath(dir);
    EXPECT_TRUE(gui::Pulsar(*ventana, QStringLiteral("SBViewFechas")));
    EXPECT_FALSE(gui::Pulsar(*ventana, QStringLiteral("NoExiste")));
    for (const char* n :
         {"TFormVarnolt", "TWDetalleFechas", "TFormMSG", "TFormStepCount", "TFormAviso"}) {
        const QString archivo = dir + QLatin1Char('/') + QString::fromUtf8(n) + ".png";
        EXPECT_TRUE(gui::Capturar(*ventana, QString::fromUtf8(n), archivo)) << n;
        QImage img(archivo);
        EXPECT_FALSE(img.isNull()) << n;
    }
    EXPECT_EQ(QImage(dir + "/TFormMSG.png").size(), QSize(510, 201));
    EXPECT_FALSE(gui::Capturar(*ventana, QStringLiteral("NoExiste"), dir + "/x.png"));
    QDir(dir).removeRecursively();
    ventana->FormMSG()->hide();
    ventana->FormAviso()->hide();
}

}  // namespace
}  // namespace varnolt::prueba
