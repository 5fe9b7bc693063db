// SPDX-License-Identifier: AGPL-3.0-or-later
// What the window says when there is nothing to show: the first view, the
// contacts of the day without contacts, "Copiar" with nothing to copy; and
// what a load and "Limpiar" leave behind (the calendar, the reference date,
// the trend graph's title).
#include <QCalendarWidget>
#include <QClipboard>
#include <QDateEdit>

#include "VentanaPrueba.h"
#include "export/Rangos.h"
#include "gui/TextoQt.h"

namespace varnolt::prueba {
namespace {

using EstadosVacios = VentanaPrueba;

TEST_F(EstadosVacios, TheFirstViewSaysHowToBeginAndComesBackAfterLimpiar) {
    auto* vacio = Hijo<QLabel>("LabelSinData");
    ASSERT_NE(vacio, nullptr);
    EXPECT_TRUE(vacio->isVisible());
    for (const char* parte : {"«Data» (Ctrl+O)", "«Nueva» (Ctrl+N)"}) {
        EXPECT_TRUE(vacio->text().contains(QString::fromUtf8(parte))) << parte;
    }
    EXPECT_GT(vacio->width(), 400);
    CargarMuestra();
    EXPECT_FALSE(vacio->isVisible());
    Pulsar("CBCleanData");
    EXPECT_TRUE(vacio->isVisible());
}

TEST_F(EstadosVacios, ALoadMovesTheCalendarAndTheReferenceDateIntoTheData) {
    // Both start on today, outside the sample's 2024.
    ASSERT_NE(Hijo<QCalendarWidget>("MonthCalendar1")->selectedDate().year(), 2024);
    CargarMuestra();
    EXPECT_EQ(Hijo<QCalendarWidget>("MonthCalendar1")->selectedDate(), QDate(2024, 1, 1));
    EXPECT_EQ(Hijo<QDateEdit>("DateTimePicker")->date(), QDate(2024, 1, 1));
    EXPECT_EQ(Form().FechaCalendario, Form().FechaMin);
    EXPECT_EQ(Form().FechaReferencia, Form().FechaMin);
    // A day the user chose within the data stays chosen through another load.
    Hijo<QDateEdit>("DateTimePicker")->setDate(QDate(2024, 6, 1));
    Form().MonthCalendar1Click(Form().FechaMin + 40);
    Procesar();
    CargarMuestra();
    EXPECT_EQ(Form().FechaCalendario, Form().FechaMin + 40);
    EXPECT_EQ(Hijo<QDateEdit>("DateTimePicker")->date(), QDate(2024, 6, 1));
}

TEST_F(EstadosVacios, ContactsOfTheDaySayWhatToDoWhenTheListIsEmpty) {
    Pulsar("SBViewContacto");  // before any load
    auto* aviso = Hijo<QLabel>("LabelSinContactos");
    ASSERT_NE(aviso, nullptr);
    EXPECT_TRUE(aviso->isVisible());
    EXPECT_TRUE(aviso->text().contains(QStringLiteral("Data")));
    CargarMuestra();
    ASSERT_FALSE(Form().ContactosDia.empty());
    EXPECT_FALSE(aviso->isVisible());
    // A day outside the data: nothing to list, and the way to choose one.
    Form().MonthCalendar1Click(Form().FechaMax + 30);
    Procesar();
    EXPECT_TRUE(aviso->isVisible());
    EXPECT_TRUE(aviso->text().contains(QStringLiteral("Elija un día")));
}

TEST_F(EstadosVacios, TheTrendGraphsTitleGoesWithTheData) {
    CargarMuestra();
    Pulsar("SBGP");
    auto* tw = ventana->Herramienta(QStringLiteral("TWGraphRange"));
    Procesar();
    EXPECT_NE(tw->windowTitle(), QStringLiteral("Gráfico Tendencia."));
    Pulsar("CBCleanData");
    EXPECT_EQ(tw->windowTitle(), QStringLiteral("Gráfico Tendencia."));
}

TEST_F(EstadosVacios, CopiarWithNothingFoundLeavesTheClipboardAlone) {
    CargarMuestra();
    Pulsar("SBTAView");
    Pulsar("SBCalcTA");  // nothing chosen in the archetype panels
    ASSERT_FALSE(mensajes.empty());
    EXPECT_NE(mensajes.back().find("Elija"), std::string::npos) << mensajes.back();
    QApplication::clipboard()->setText(QStringLiteral("lo que el usuario copió"));
    Pulsar("SBCopyPrompt");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("lo que el usuario copió"));
    ASSERT_FALSE(informaciones.empty());
    EXPECT_EQ(informaciones.back(), kNadaQueCopiar);
}

}  // namespace
}  // namespace varnolt::prueba
