// SPDX-License-Identifier: AGPL-3.0-or-later
// The list boxes: rows, selections written back into the core, the group
// buttons, the row painter, the weighted-days window and its controls.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "VentanaPrueba.h"
#include "gui/TextoQt.h"
#include "gui/VentanasPequenas.h"

namespace varnolt::prueba {
namespace {

using Listas = VentanaPrueba;

int Fila(const std::vector<std::string>& filas, const std::string& texto) {
    for (size_t i = 0; i < filas.size(); ++i) {
        if (filas[i] == texto) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST_F(Listas, ClickingNatalRowsFiltersTheWeighting) {
    CargarMuestra();
    const auto filas = Filas("LBItemNat");
    const int sol = Fila(filas, "Sol");
    const int lun = Fila(filas, "Lun");
    ASSERT_GE(sol, 0);
    ASSERT_GE(lun, 0);
    ClicFila("LBItemNat", sol);
    EXPECT_EQ(Form().Seleccion.ItemsNatSel, (std::vector<std::string>{"Sol"}));
    EXPECT_EQ(Seleccionadas("LBItemNat"), (std::vector<int>{sol}));
    ASSERT_EQ(Form().Graficos.ChartItemNat.Series[0].Barras.size(), 1u);
    EXPECT_EQ(Form().Graficos.ChartItemNat.Series[0].Barras[0].Etiqueta, "Sol");
    ClicFila("LBItemNat", lun, Qt::ControlModifier);
    std::vector<std::string> esperado{"Sol", "Lun"};
    if (lun < sol) {
        std::swap(esperado[0], esperado[1]);
    }
    EXPECT_EQ(Form().Seleccion.ItemsNatSel, esperado);
    EXPECT_EQ(Form().Graficos.ChartItemNat.Series[0].Barras.size(), 2u);
    // Ctrl-click again clears the row.
    ClicFila("LBItemNat", sol, Qt::ControlModifier);
    EXPECT_EQ(Form().Seleccion.ItemsNatSel, (std::vector<std::string>{"Lun"}));
}

TEST_F(Listas, TransitRowsAndGroups) {
    CargarMuestra();
    const auto filas = Filas("LBItemTra");
    ClicFila("LBItemTra", Fila(filas, "Mar"));
    EXPECT_EQ(Form().Seleccion.ItemsTraSel, (std::vector<std::string>{"Mar"}));
    // "Soc" toggles Júp and Sat.
    Pulsar("SPItemTra3");
    auto sel = Form().Seleccion.ItemsTraSel;
    std::sort(sel.begin(), sel.end());
    EXPECT_EQ(sel, (std::vector<std::string>{"Júp", "Mar", "Sat"}));
    EXPECT_EQ(Seleccionadas("LBItemTra").size(), 3u);
    // "T" selects every row, "N" none.
    Pulsar("SBItemTraAll");
    EXPECT_EQ(Seleccionadas("LBItemTra").size(), filas.size());
    EXPECT_EQ(Form().Seleccion.ItemsTraSel.size(), 26u);
    Pulsar("SBItemTraNon");
    EXPECT_TRUE(Seleccionadas("LBItemTra").empty());
    EXPECT_TRUE(Form().Seleccion.ItemsTraSel.empty());
}

TEST_F(Listas, NatalGroupPressedTwiceRestoresTheSelection) {
    CargarMuestra();
    Pulsar("SPItemNat2");  // "Per": Mer, Ven, Mar
    auto sel = Form().Seleccion.ItemsNatSel;
    std::sort(sel.begin(), sel.end());
    EXPECT_EQ(sel, (std::vector<std::string>{"Mar", "Mer", "Ven"}));
    Pulsar("SPItemNat2");
    EXPECT_TRUE(Form().Seleccion.ItemsNatSel.empty());
    EXPECT_TRUE(Seleccionadas("LBItemNat").empty());
    Pulsar("SBOnlyCusp");
    EXPECT_EQ(Form().Seleccion.ItemsNatSel.size(), 12u);
    for (int i : Seleccionadas("LBItemNat")) {
        EXPECT_EQ(Filas("LBItemNat")[static_cast<size_t>(i)][0], 'C');
    }
}

TEST_F(Listas, AngleButtons) {
    CargarMuestra();
    Pulsar("SBAllAspTra");
    EXPECT_EQ(Seleccionadas("LBAspTra").size(), 19u);
    EXPECT_EQ(Form().Seleccion.AspectosSel.size(), 19u);
    // A Ctrl-click that clears one row leaves 18 angles.
    ClicFila("LBAspTra", 4, Qt::ControlModifier);
    EXPECT_EQ(Form().Seleccion.AspectosSel.size(), 18u);
    Pulsar("SpeedButton37");  // "N"
    EXPECT_TRUE(Seleccionadas("LBAspTra").empty());
    Pulsar("SpeedButton28");  // "May."
    EXPECT_EQ(Seleccionadas("LBAspTra"), (std::vector<int>{0, 1, 2, 3}));
    Pulsar("SpeedButton34");  // "NO May."
    EXPECT_EQ(Seleccionadas("LBAspTra").size(), 19u);
    // The angle chart lists the selected angles only.
    Pulsar("SpeedButton37");
    ClicFila("LBAspTra", 3);  // "90"
    ASSERT_EQ(Form().Graficos.ChartAngTra.Series[0].Barras.size(), 1u);
    EXPECT_EQ(Form().Graficos.ChartAngTra.Series[0].Barras[0].Etiqueta, "90");
}

// The colour of a row as painted.
QColor ColorFila(gui::ListaVarnolt* l, int fila) {
    const QImage img = l->viewport()->grab().toImage();
    const QRect r = l->RectFila(fila);
    return img.pixelColor(r.right() - 2, r.center().y());
}

TEST_F(Listas, RowsArePaintedByTheListsTag) {
    CargarMuestra();
    ClicFila("LBItemNat", 0);
    ClicFila("LBItemTra", 0);
    ClicFila("LBAspTra", 0);
    EXPECT_EQ(ColorFila(Lista("LBItemNat"), 0), QColor(0, 128, 255));
    EXPECT_EQ(ColorFila(Lista("LBItemNat"), 1), QColor(255, 255, 232));
    EXPECT_EQ(ColorFila(Lista("LBItemTra"), 0), QColor(255, 128, 0));
    EXPECT_EQ(ColorFila(Lista("LBAspTra"), 0), QColor(128, 0, 0));
    EXPECT_EQ(ColorFila(Lista("LBAspTra"), 1), QColor(255, 255, 232));
    EXPECT_EQ(ColorFila(Lista("LBYear"), 0), QColor(255, 255, 0));  // Tag 0: yellow
    EXPECT_EQ(Lista("LBYear")->sizeHintForRow(0), 16);
    EXPECT_EQ(Lista("LBFechaPP")->sizeHintForRow(0), 16);
    EXPECT_EQ(gui::PintorFilas::TextoSeleccion(0), QColor(128, 0, 0));
    EXPECT_EQ(gui::PintorFilas::TextoSeleccion(2), QColor(255, 255, 255));
}

TEST_F(Listas, WeightedDaysWindow) {
    CargarMuestra();
    Pulsar("SBViewFechas");
    auto* tw = ventana->Herramienta(QStringLiteral("TWDetalleFechas"));
    ASSERT_TRUE(tw->isVisible());
    EXPECT_TRUE(Hijo<QCheckBox>("CBViewMedia")->isChecked());
    EXPECT_EQ(gui::S(Hijo<QCheckBox>("CBViewMedia")->toolTip()), "Resaltar valores medios");
    auto* spin = Hijo<QSpinBox>("SEValPico");
    EXPECT_EQ(spin->minimum(), 10);
    EXPECT_EQ(spin->maximum(), 100);
    EXPECT_EQ(spin->singleStep(), 10);
    EXPECT_EQ(spin->text(), QStringLiteral("60"));
    EXPECT_TRUE(Hijo<QRadioButton>("RGTipoFecha0")->isChecked());
    EXPECT_TRUE(Hijo<QRadioButton>("RGSortFecha0")->isChecked());

    // "Picos": only the peak days, numbered 1 to K.
    QTest::mouseClick(Hijo<QRadioButton>("RGTipoFecha1"), Qt::LeftButton);
    Procesar();
    const size_t picos = Form().Picos.FechasPico.size();
    EXPECT_EQ(Filas("LBFechaPP").size(), picos);
    EXPECT_EQ(Filas("LBFechaPP")[0].rfind("1.** ", 0), 0u);
    EXPECT_EQ(Texto("LabelNoContactos").rfind("  " + std::to_string(picos) + " días. ", 0), 0u);

    // "Peso ponderado": the heaviest day first.
    QTest::mouseClick(Hijo<QRadioButton>("RGSortFecha2"), Qt::LeftButton);
    Procesar();
    EXPECT_EQ(Form().RGSortFecha, OrdenFecha::PesoPonderado);
    EXPECT_NE(Filas("LBFechaPP")[0].find("2024 feb 5"), std::string::npos);

    // Unticking "Resaltar": no peak day.
    QTest::mouseClick(Hijo<QCheckBox>("CBViewMedia"), Qt::LeftButton);
    Procesar();
    EXPECT_FALSE(Form().CBViewMedia);
    EXPECT_TRUE(Filas("LBFechaPP").empty());
    EXPECT_EQ(Texto("LabelInfoFechasPico").rfind("0  fechas pico", 0), 0u);
}

TEST_F(Listas, ThresholdTypedAboveTheMaximumThenClampedOnLeaving) {
    CargarMuestra();
    Pulsar("SBViewFechas");
    auto* tw = ventana->Herramienta(QStringLiteral("TWDetalleFechas"));
    QApplication::setActiveWindow(tw);
    auto* spin = Hijo<QSpinBox>("SEValPico");
    auto* edit = spin->findChild<QLineEdit*>();
    spin->setFocus();
    Procesar();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("150"));
    Procesar();
    EXPECT_EQ(Form().SEValPico, "150");
    EXPECT_TRUE(Form().Picos.FechasPico.empty());
    EXPECT_EQ(Texto("LabelInfoFechasPico").rfind("0  fechas pico", 0), 0u);
    // Leaving the field brings it back to 100: the maximum day is a peak again.
    Lista("LBFechaPP")->setFocus();
    Procesar();
    if (Form().SEValPico == "150") {  // no focus change on this platform: leave it by Return
        spin->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        Procesar();
    }
    EXPECT_EQ(Form().SEValPico, "100");
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
    ASSERT_EQ(Form().Picos.FechasPico.size(), 1u);
    EXPECT_EQ(Form().Picos.FechasPico[0].Fecha, Form().Picos.FechaPPMax);
}

TEST_F(Listas, ThresholdArrowsStepByTen) {
    CargarMuestra();
    Pulsar("SBViewFechas");
    auto* spin = Hijo<QSpinBox>("SEValPico");
    spin->stepUp();
    Procesar();
    EXPECT_EQ(Form().SEValPico, "70");
    const double umbral = Form().Picos.UmbralPico;
    EXPECT_DOUBLE_EQ(umbral, 0.7 * Form().Picos.PPMaxRango);
    spin->stepDown();
    spin->stepDown();
    Procesar();
    EXPECT_EQ(Form().SEValPico, "50");
}

TEST_F(Listas, ToolWindowsReleaseTheirToggles) {
    for (const auto& [boton, nombre] : std::vector<std::pair<const char*, const char*>>{
             {"SBViewFechas", "TWDetalleFechas"},
             {"SBGP", "TWGraphRange"},
             {"SBLoadTerms", "TWLumbrisk"}}) {
        auto* tw = ventana->Herramienta(QString::fromUtf8(nombre));
        Pulsar(boton);
        EXPECT_TRUE(Boton(boton)->isChecked()) << boton;
        EXPECT_TRUE(tw->isVisible()) << nombre;
        Pulsar(boton);
        EXPECT_FALSE(tw->isVisible()) << nombre;
        Pulsar(boton);
        tw->close();  // the user closes it
        Procesar();
        EXPECT_FALSE(tw->isVisible()) << nombre;
        EXPECT_FALSE(Boton(boton)->isChecked()) << boton;
    }
}

TEST_F(Listas, ContactsAndRangesTogglesEachFollowTheirOwnWindow) {
    CargarMuestra();
    auto* contactos = ventana->Herramienta(QStringLiteral("TWDetalleContactos"));
    auto* rangos = ventana->Herramienta(QStringLiteral("TWPromptContacts"));
    Pulsar("SBViewContacto");
    EXPECT_TRUE(contactos->isVisible());
    EXPECT_TRUE(Form().SBViewContacto);
    // Pressing the ranges toggle leaves "Contactos Día" open and its button
    // down: a button is down exactly while its window shows.
    Pulsar("SBTAView");
    EXPECT_TRUE(rangos->isVisible());
    EXPECT_TRUE(contactos->isVisible());
    EXPECT_TRUE(Boton("SBViewContacto")->isChecked());
    EXPECT_TRUE(Form().SBViewContacto);
    EXPECT_TRUE(Boton("SBTAView")->isChecked());
    // A day chosen now still lists its contacts in the open window.
    Form().MonthCalendar1Click(Form().FechaMin + 10);
    Procesar();
    EXPECT_FALSE(Form().ContactosDia.empty());
    // Closing either window releases its own button only.
    contactos->close();
    Procesar();
    EXPECT_FALSE(Boton("SBViewContacto")->isChecked());
    EXPECT_FALSE(Form().SBViewContacto);
    EXPECT_TRUE(Boton("SBTAView")->isChecked());
    rangos->close();
    Procesar();
    EXPECT_FALSE(Boton("SBTAView")->isChecked());
    EXPECT_FALSE(rangos->isVisible());
}

}  // namespace
}  // namespace varnolt::prueba
