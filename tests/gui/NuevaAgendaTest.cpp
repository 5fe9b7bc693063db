// "Nueva agenda": the dialog, the button and Ctrl+N in the real window.
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTimeEdit>
#include <filesystem>

#include "VentanaPrueba.h"
#include "gui/DialogoCarta.h"
#include "support/AgendaDePrueba.h"

namespace varnolt::prueba {
namespace {

class NuevaAgenda : public VentanaPrueba {
  protected:
    void SetUp() override {
        VentanaPrueba::SetUp();
        accion = ventana->findChild<gui::AccionNuevaAgenda*>(QStringLiteral("AccionNuevaAgenda"));
        ASSERT_NE(accion, nullptr);
        accion->ArchivoMemoria = (carpeta.ruta() / "varnolt" / "ultima_carta.ini").string();
        accion->ArchivoConfig = (carpeta.ruta() / "Varnolt.ini").string();
        accion->PedirCarta = [this](const TextosCarta& previos, const std::string& propuesta) {
            pedidos.push_back(previos);
            propuestas.push_back(propuesta);
            return respuesta;
        };
    }

    CarpetaTemporal carpeta;
    gui::AccionNuevaAgenda* accion = nullptr;
    std::optional<gui::EntradaCarta> respuesta;
    std::vector<TextosCarta> pedidos;
    std::vector<std::string> propuestas;
};

TEST_F(NuevaAgenda, TheButtonComputesSavesAndLoadsTheAgenda) {
    const std::string salida = (carpeta.ruta() / "ana.csv").string();
    respuesta = gui::EntradaCarta{
        {"Ana", "1985-06-15T14:30", "Europe/Madrid", "40.4168,-3.7038", "2026-01-01", "2026-02-28"},
        salida};
    Pulsar("SBNuevaAgenda");
    ASSERT_EQ(pedidos.size(), 1u);
    EXPECT_EQ(pedidos[0].nacimiento, "");  // nothing remembered yet
    ASSERT_TRUE(accion->Ultimo.hecho) << accion->Ultimo.error;
    EXPECT_TRUE(std::filesystem::exists(salida));
    EXPECT_TRUE(errores.empty()) << errores.front();
    ASSERT_TRUE(Form().DataCargada);
    EXPECT_EQ(Form().Tendencias.size(), accion->Ultimo.lineas);
    // The Data action's report.
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].rfind("Archivo cargado:\r\rana.csv [", 0), 0u) << mensajes[0];

    // Ctrl+N opens it again with the chart remembered.
    auto* atajo = ventana->findChild<QShortcut*>(QStringLiteral("AtajoNuevaAgenda"));
    ASSERT_NE(atajo, nullptr);
    EXPECT_EQ(atajo->key(), QKeySequence(QStringLiteral("Ctrl+N")));
    respuesta.reset();  // the user cancels
    emit atajo->activated();
    ASSERT_EQ(pedidos.size(), 2u);
    EXPECT_EQ(pedidos[1].nombre, "Ana");
    EXPECT_EQ(pedidos[1].nacimiento, "1985-06-15T14:30");
    EXPECT_EQ(pedidos[1].zona, "Europe/Madrid");
    EXPECT_EQ(pedidos[1].lugar, "40.4168,-3.7038");
    EXPECT_EQ(pedidos[1].hasta, "2026-02-28");
    EXPECT_NE(propuestas[1].find("Agenda_Ana_2026-01-01_2026-02-28.csv"), std::string::npos);
}

TEST_F(NuevaAgenda, AWriteFailureIsShownAndNothingLoads) {
    respuesta = gui::EntradaCarta{{"Ana", "1985-06-15T14:30", "+02:00", "40,-3", "2026", "2026"},
                                  (carpeta.ruta() / "no-existe" / "ana.csv").string()};
    Pulsar("SBNuevaAgenda");
    ASSERT_EQ(errores.size(), 1u);
    EXPECT_EQ(errores[0].rfind("No se puede crear el archivo", 0), 0u) << errores[0];
    EXPECT_FALSE(Form().DataCargada);
}

TEST(DialogoCarta, KeepsTheUserUntilTheEntryHolds) {
    AplicacionQt();
    gui::DialogoCarta d({"Ana", "1985-06-15T14:30", "Europe/Madrid", "95,3", "2026", ""},
                        "/tmp/ana.csv");
    auto* fecha = d.findChild<QDateEdit*>(QStringLiteral("EditFecha"));
    auto* hora = d.findChild<QTimeEdit*>(QStringLiteral("EditHora"));
    ASSERT_NE(fecha, nullptr);
    EXPECT_EQ(fecha->date(), QDate(1985, 6, 15));
    EXPECT_EQ(hora->time(), QTime(14, 30));
    d.show();
    d.accept();
    EXPECT_TRUE(d.isVisible());
    EXPECT_NE(d.findChild<QLabel*>(QStringLiteral("LabelError"))
                  ->text()
                  .indexOf(QStringLiteral("la latitud 95 está fuera de -90 a 90 grados")),
              -1);
    d.findChild<QLineEdit*>(QStringLiteral("EditZona"))->setText(QStringLiteral("Europa/Madrid"));
    d.findChild<QLineEdit*>(QStringLiteral("EditLugar"))->setText(QStringLiteral("40.4,-3.7"));
    d.accept();
    EXPECT_TRUE(d.isVisible());
    EXPECT_NE(d.findChild<QLabel*>(QStringLiteral("LabelError"))
                  ->text()
                  .indexOf(QStringLiteral("zona horaria \"Europa/Madrid\" no se conoce")),
              -1);
    d.findChild<QLineEdit*>(QStringLiteral("EditZona"))->setText(QStringLiteral("Europe/Madrid"));
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const gui::EntradaCarta e = d.Entrada();
    EXPECT_EQ(e.textos.nacimiento, "1985-06-15T14:30");
    EXPECT_EQ(e.textos.lugar, "40.4,-3.7");
    EXPECT_EQ(e.salida, "/tmp/ana.csv");
}

}  // namespace
}  // namespace varnolt::prueba
