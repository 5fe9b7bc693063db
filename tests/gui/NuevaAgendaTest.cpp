// SPDX-License-Identifier: AGPL-3.0-or-later
// "Nueva agenda": the dialog, the button and Ctrl+N in the real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

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

// The names of the dialogs shown while it lives.
struct VentanasMostradas : QObject {
    VentanasMostradas() { qApp->installEventFilter(this); }
    ~VentanasMostradas() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && qobject_cast<QDialog*>(o) != nullptr) {
            nombres.push_back(o->objectName().toStdString());
        }
        return false;
    }
    std::vector<std::string> nombres;
};

TextosCarta Ana(const std::string& desde, const std::string& hasta) {
    TextosCarta t;
    t.nombre = "Ana";
    t.nacimiento = "1985-06-15T14:30";
    t.zona = "Europe/Madrid";
    t.lugar = "40.4168,-3.7038";
    t.desde = desde;
    t.hasta = hasta;
    return t;
}

TEST_F(NuevaAgenda, TheButtonComputesSavesAndLoadsTheAgenda) {
    const std::string salida = (carpeta.ruta() / "ana.csv").string();
    respuesta = gui::EntradaCarta{Ana("2026-01-01", "2026-02-28"), salida};
    respuesta->textos.perfil = "Amplio";
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
    EXPECT_EQ(pedidos[1].perfil, "Amplio");
    EXPECT_NE(propuestas[1].find("Agenda_Ana_2026-01-01_2026-02-28.csv"), std::string::npos);
}

// A second range of the same chart replaces what is loaded by default, so
// shared days are not counted twice; added, both files load.
TEST_F(NuevaAgenda, TheComputedAgendaReplacesOrIsAddedToTheLoadedData) {
    CargarMuestra();
    ASSERT_TRUE(Form().DataCargada);
    const size_t muestra = Form().Tendencias.size();
    respuesta =
        gui::EntradaCarta{Ana("2026-01-01", "2026-01-31"), (carpeta.ruta() / "enero.csv").string()};
    Pulsar("SBNuevaAgenda");
    ASSERT_TRUE(accion->Ultimo.hecho) << accion->Ultimo.error;
    const size_t enero = accion->Ultimo.lineas;
    EXPECT_EQ(Form().Tendencias.size(), enero);

    // One progress window from the start to the loaded data: the window's
    // own loading window never shows.
    VentanasMostradas mostradas;
    respuesta = gui::EntradaCarta{Ana("2026-01-15", "2026-02-15"),
                                  (carpeta.ruta() / "febrero.csv").string(), false};
    Pulsar("SBNuevaAgenda");
    ASSERT_TRUE(accion->Ultimo.hecho) << accion->Ultimo.error;
    EXPECT_EQ(Form().Tendencias.size(), enero + accion->Ultimo.lineas);
    EXPECT_NE(Form().Tendencias.size(), muestra);
    EXPECT_EQ(mostradas.nombres, (std::vector<std::string>{"ProgresoAgenda"}));
}

// The real dialog from the window's button: an existing file is replaced
// only after the question; "No" keeps the file and the dialog, which the
// user then cancels.
TEST_F(NuevaAgenda, TheRealDialogAsksBeforeReplacingAnExistingFile) {
    accion->PedirCarta = nullptr;
    const std::string existente = carpeta.Escribir("ana.csv", "antes");
    auto leer = [&] {
        std::ifstream in(existente, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    for (const QMessageBox::StandardButton boton : {QMessageBox::No, QMessageBox::Yes}) {
        bool preguntado = false;
        QTimer::singleShot(50, [&] {
            auto* d = qobject_cast<gui::DialogoCarta*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            const std::pair<const char*, const char*> campos[] = {
                {"EditNombre", "Ana"},
                {"EditFecha", "1985-06-15"},
                {"EditHora", "14:30"},
                {"EditZona", "Europe/Madrid"},
                {"EditLugar", "40.4168,-3.7038"},
                {"EditDesde", "2026-01-01"},
                {"EditHasta", "2026-01-31"},
                {"EditSalida", existente.c_str()},
            };
            for (const auto& [nombre, texto] : campos) {
                d->findChild<QLineEdit*>(QString::fromUtf8(nombre))
                    ->setText(QString::fromUtf8(texto));
            }
            QTimer::singleShot(50, [&, d] {
                auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (caja != nullptr) {
                    preguntado = true;
                    caja->button(boton)->click();
                }
                if (boton == QMessageBox::No) {
                    d->reject();
                }
            });
            d->findChild<QPushButton*>(QStringLiteral("BBCalcular"))->click();
        });
        Pulsar("SBNuevaAgenda");
        EXPECT_TRUE(preguntado);
        if (boton == QMessageBox::No) {
            EXPECT_EQ(leer(), "antes");
            EXPECT_FALSE(Form().DataCargada);
        } else {
            EXPECT_EQ(leer().rfind(kCabeceraAgenda, 0), 0u);
            EXPECT_TRUE(Form().DataCargada);
        }
    }
}

TEST_F(NuevaAgenda, AWriteFailureIsShownAndNothingLoads) {
    respuesta =
        gui::EntradaCarta{Ana("2026", "2026"), (carpeta.ruta() / "no-existe" / "ana.csv").string()};
    Pulsar("SBNuevaAgenda");
    ASSERT_EQ(errores.size(), 1u);
    EXPECT_EQ(errores[0].rfind("No se puede crear el archivo", 0), 0u) << errores[0];
    EXPECT_FALSE(Form().DataCargada);
}

TEST(DialogoCarta, KeepsTheUserUntilTheEntryHolds) {
    AplicacionQt();
    TextosCarta t = Ana("2026", "");
    t.lugar = "95,3";
    gui::DialogoCarta d(t, "/tmp/varnolt-no-existe/ana.csv");
    auto* fecha = d.findChild<QLineEdit*>(QStringLiteral("EditFecha"));
    auto* hora = d.findChild<QLineEdit*>(QStringLiteral("EditHora"));
    ASSERT_NE(fecha, nullptr);
    EXPECT_EQ(fecha->text(), QStringLiteral("1985-06-15"));
    EXPECT_EQ(hora->text(), QStringLiteral("14:30"));
    d.show();
    d.accept();
    EXPECT_TRUE(d.isVisible());
    auto* error = d.findChild<QLabel*>(QStringLiteral("LabelError"));
    EXPECT_NE(error->text().indexOf(QStringLiteral("la latitud 95 está fuera de -90 a 90 grados")),
              -1);
    d.findChild<QLineEdit*>(QStringLiteral("EditZona"))->setText(QStringLiteral("Europa/Madrid"));
    d.findChild<QLineEdit*>(QStringLiteral("EditLugar"))->setText(QStringLiteral("40.4,-3.7"));
    d.accept();
    EXPECT_TRUE(d.isVisible());
    EXPECT_NE(error->text().indexOf(QStringLiteral("zona horaria \"Europa/Madrid\" no se conoce")),
              -1);
    d.findChild<QLineEdit*>(QStringLiteral("EditZona"))->setText(QStringLiteral("Europe/Madrid"));
    // The window names its own fields, not the command's options.
    d.findChild<QLineEdit*>(QStringLiteral("EditHasta"))->setText(QStringLiteral("2025"));
    d.accept();
    EXPECT_TRUE(d.isVisible());
    EXPECT_NE(error->text().indexOf(QStringLiteral("(«hasta» es anterior a «Agenda desde»)")), -1)
        << error->text().toStdString();
    EXPECT_EQ(error->text().indexOf(QStringLiteral("--")), -1);
    d.findChild<QLineEdit*>(QStringLiteral("EditHasta"))->clear();
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const gui::EntradaCarta e = d.Entrada();
    EXPECT_EQ(e.textos.nacimiento, "1985-06-15T14:30");
    EXPECT_EQ(e.textos.lugar, "40.4,-3.7");
    EXPECT_EQ(e.salida, "/tmp/varnolt-no-existe/ana.csv");
    EXPECT_TRUE(e.reemplazar);
    EXPECT_EQ(e.textos.perfil, kPerfilPredeterminado);
}

// Date and time are one field each, typed whole; an impossible date is
// refused where it is typed, never turned into another day.
TEST(DialogoCarta, DatesAreTypedWholeAndImpossibleOnesRefused) {
    AplicacionQt();
    gui::DialogoCarta d(Ana("2026", ""), "/tmp/varnolt-no-existe/ana.csv");
    auto* fecha = d.findChild<QLineEdit*>(QStringLiteral("EditFecha"));
    auto* hora = d.findChild<QLineEdit*>(QStringLiteral("EditHora"));
    auto* error = d.findChild<QLabel*>(QStringLiteral("LabelError"));
    struct Caso {
        const char* fecha;
        const char* hora;
        const char* vista;  // the date field after leaving it
        const char* horaVista;
        bool bien;
    };
    const Caso casos[] = {
        {"19850230", "1430", "1985-02-30", "14:30", false},
        {"1985-02-29", "14:30", "1985-02-29", "14:30", false},
        {"19850215", "930", "1985-02-15", "09:30", true},
        {"2000-02-29", "23:59", "2000-02-29", "23:59", true},
        {"1985-06-15", "24:00", "1985-06-15", "24:00", false},
        {"15/06/1985", "10:00", "15/06/1985", "10:00", false},
    };
    for (const Caso& c : casos) {
        d.show();
        QApplication::setActiveWindow(&d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        fecha->clear();
        fecha->setFocus();
        QTest::keyClicks(fecha, QString::fromUtf8(c.fecha));
        hora->clear();
        QTest::keyClick(fecha, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), hora);  // one Tab to the time
        QTest::keyClicks(hora, QString::fromUtf8(c.hora));
        QTest::keyClick(hora, Qt::Key_Tab);
        EXPECT_EQ(fecha->text().toStdString(), c.vista);
        EXPECT_EQ(hora->text().toStdString(), c.horaVista);
        EXPECT_EQ(error->text().isEmpty(), c.bien) << c.fecha << " " << error->text().toStdString();
        d.accept();
        EXPECT_EQ(d.result() == QDialog::Accepted, c.bien) << c.fecha;
        if (!c.bien) {
            EXPECT_NE(error->text().indexOf(QString::fromUtf8(c.vista)), -1);
        }
        d.setResult(0);
    }
}

// "Guardar en" follows the name and the range as they are typed, until the
// user edits the path.
TEST(DialogoCarta, TheFileFollowsTheTypedNameAndRange) {
    AplicacionQt();
    TextosCarta previa = Ana("2026", "");
    gui::DialogoCarta d(previa, gui::SalidaPropuesta(previa));
    d.show();
    auto* nombre = d.findChild<QLineEdit*>(QStringLiteral("EditNombre"));
    auto* desde = d.findChild<QLineEdit*>(QStringLiteral("EditDesde"));
    auto* salida = d.findChild<QLineEdit*>(QStringLiteral("EditSalida"));
    nombre->selectAll();
    QTest::keyClicks(nombre, QStringLiteral("Luis Gomez"));
    desde->selectAll();
    QTest::keyClicks(desde, QStringLiteral("2027"));
    EXPECT_TRUE(salida->text().endsWith(QStringLiteral("/Agenda_Luis_Gomez_2027.csv")))
        << salida->text().toStdString();
    QTest::keyClicks(salida, QStringLiteral("x"));  // the user's own path
    const QString propia = salida->text();
    QTest::keyClicks(nombre, QStringLiteral("a"));
    EXPECT_EQ(salida->text(), propia);
}

// The content: a profile fills the three lists; a list edited by hand is
// "Personalizado"; what is chosen goes into the entry.
TEST(DialogoCarta, ContentChoices) {
    AplicacionQt();
    TextosCarta t = Ana("2026", "");
    t.perfil = "Amplio";
    gui::DialogoCarta d(t, "/tmp/varnolt-no-existe/ana.csv");
    auto* perfil = d.findChild<QComboBox*>(QStringLiteral("CBPerfil"));
    auto* aspectos = d.findChild<QLineEdit*>(QStringLiteral("EditAspectos"));
    EXPECT_EQ(perfil->currentText(), QStringLiteral("Amplio"));
    EXPECT_EQ(aspectos->text(), QStringLiteral("0,180,120,90,60,45,150,135"));
    perfil->setCurrentText(QStringLiteral("Completo"));
    emit perfil->activated(perfil->currentIndex());
    EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("EditCuerpos"))->text().count(','), 19);
    aspectos->selectAll();
    QTest::keyClicks(aspectos, QStringLiteral("0, 90"));
    EXPECT_EQ(perfil->currentText(), QStringLiteral("Personalizado"));
    gui::EntradaCarta e = d.Entrada();
    EXPECT_EQ(e.textos.perfil, "");
    EXPECT_EQ(e.textos.aspectos, "0, 90");
    std::string error;
    const auto c = LeerContenido(e.textos, error);
    ASSERT_TRUE(c) << error;
    EXPECT_EQ(TextoAspectos(*c), "0,90");
    EXPECT_EQ(c->cuerpos, ContenidoDePerfil("Completo")->cuerpos);
    aspectos->selectAll();
    QTest::keyClicks(aspectos, QStringLiteral("0,180,120,90,60"));
    d.findChild<QLineEdit*>(QStringLiteral("EditCuerpos"))
        ->setText(QStringLiteral("Sol,Lun,Mer,Ven,Mar,Jup,Sat,Ura,Nep,Plu,Nod"));
    d.findChild<QLineEdit*>(QStringLiteral("EditPuntos"))
        ->setText(QStringLiteral("Sol,Lun,Mer,Ven,Mar,C01,C10"));
    QTest::keyClicks(aspectos, QStringLiteral(" "));
    EXPECT_EQ(perfil->currentText(), QStringLiteral("Esencial"));
}

// Answers the question that shows while `accion` runs with `boton`; false
// when none showed.
bool Responder(const std::function<void()>& accion, QMessageBox::StandardButton boton,
               QString* texto = nullptr) {
    bool visto = false;
    QTimer temporizador;
    temporizador.setInterval(20);
    QObject::connect(&temporizador, &QTimer::timeout, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (caja != nullptr && !visto) {
            visto = true;
            if (texto != nullptr) {
                *texto = caja->text();
            }
            caja->button(boton)->click();
        }
    });
    temporizador.start();
    accion();
    temporizador.stop();
    return visto;
}

// A file that exists is never replaced without asking, whether the dialog
// proposed it or the user typed it; "No" keeps the dialog and the file.
TEST(DialogoCarta, AsksBeforeReplacingAFile) {
    AplicacionQt();
    CarpetaTemporal carpeta;
    const std::string existente = carpeta.Escribir("Agenda_Ana_2026.csv", "antes");
    gui::DialogoCarta d(Ana("2026", ""), existente);
    d.show();
    QString pregunta;
    EXPECT_TRUE(Responder([&] { d.accept(); }, QMessageBox::No, &pregunta));
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_TRUE(d.isVisible());
    EXPECT_NE(pregunta.indexOf(QStringLiteral("Agenda_Ana_2026.csv")), -1);
    std::ifstream in(existente);
    std::string contenido((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contenido, "antes");

    EXPECT_TRUE(Responder([&] { d.accept(); }, QMessageBox::Yes));
    EXPECT_EQ(d.result(), QDialog::Accepted);

    // A new file: no question.
    gui::DialogoCarta nuevo(Ana("2026", ""), (carpeta.ruta() / "nueva.csv").string());
    nuevo.show();
    EXPECT_FALSE(Responder([&] { nuevo.accept(); }, QMessageBox::No));
    EXPECT_EQ(nuevo.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace varnolt::prueba
