// SPDX-License-Identifier: AGPL-3.0-or-later
#include "VentanaPrueba.h"

#include <QAbstractItemView>
#include <QFile>
#include <QTemporaryDir>

#include "app/Regional.h"
#include "gui/TextoQt.h"

namespace varnolt::prueba {

QApplication& AplicacionQt() {
    static int argc = 1;
    static char nombre[] = "gui_tests";
    static char* argv[] = {nombre, nullptr};
    // An offscreen screen of a common desktop size (the plugin's own is
    // 800x600, smaller than the window), described in a file for the plugin;
    // and a small laptop screen right of it for the tests of a low screen
    // (the plugin takes the screen whose name sorts first as the primary).
    static QTemporaryDir carpeta;
    static QApplication* app = [] {
        const QString config = carpeta.filePath(QStringLiteral("pantalla.json"));
        QFile f(config);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(R"({"screens": [{"name": "pruebas", "x": 0, "y": 0, "width": 1920,
                "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
                {"name": "segunda", "x": 1920, "y": 0, "width": 1280, "height": 720,
                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
            f.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
        } else {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return new QApplication(argc, argv);
    }();
    return *app;
}

std::string AgendaMuestra() {
    return std::string(VARNOLT_FIXTURES) + "/agendas/muestra_2024.csv";
}

void VentanaPrueba::SetUp() {
    AplicacionQt();
    ConfiguracionRegional().SeparadorDecimal = '.';
    ventana = std::make_unique<gui::VentanaVarnolt>(QStringLiteral("/opt/pruebas/gui_tests"));
    ventana->DialogoAbrir = [this](const std::string& carpeta) {
        carpetasDialogo.push_back(carpeta);
        return respuestaDialogo;
    };
    ventana->DialogoMensaje = [this](const std::string& t) { mensajes.push_back(t); };
    ventana->DialogoError = [this](const std::string& t) { errores.push_back(t); };
    ventana->DialogoInformacion = [this](const std::string& t) { informaciones.push_back(t); };
    ventana->show();
    Procesar();
}

void VentanaPrueba::TearDown() {
    ventana.reset();
    Procesar();
}

void VentanaPrueba::Procesar() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

void VentanaPrueba::Cargar(const std::vector<std::string>& archivos) {
    respuestaDialogo = archivos;
    Pulsar("SBContactos");
}

std::string VentanaPrueba::Texto(const char* etiqueta) const {
    QLabel* l = Hijo<QLabel>(etiqueta);
    return l ? gui::S(l->text()) : std::string();
}

void VentanaPrueba::Pulsar(const char* nombre) {
    QAbstractButton* b = Boton(nombre);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isVisible()) << nombre << " no está visible";
    ASSERT_TRUE(b->isEnabled()) << nombre << " no está activo";
    QTest::mouseClick(b, Qt::LeftButton);
    Procesar();
}

void VentanaPrueba::ClicFila(const char* lista, int fila, Qt::KeyboardModifiers teclas) {
    gui::ListaVarnolt* l = Lista(lista);
    ASSERT_NE(l, nullptr);
    ASSERT_TRUE(l->isEnabled());
    l->scrollTo(l->model()->index(fila, 0));
    const QRect r = l->RectFila(fila);
    ASSERT_TRUE(r.isValid());
    QTest::mouseClick(l->viewport(), Qt::LeftButton, teclas, r.center());
    Procesar();
}

std::vector<std::string> VentanaPrueba::Filas(const char* lista) const {
    std::vector<std::string> r;
    gui::ListaVarnolt* l = Lista(lista);
    for (int i = 0; l && i < l->model()->rowCount(); ++i) {
        r.push_back(gui::S(l->model()->index(i, 0).data().toString()));
    }
    return r;
}

std::vector<int> VentanaPrueba::Seleccionadas(const char* lista) const {
    std::vector<int> r;
    gui::ListaVarnolt* l = Lista(lista);
    for (int i = 0; l && i < l->model()->rowCount(); ++i) {
        if (l->selectionModel()->isRowSelected(i, QModelIndex())) {
            r.push_back(i);
        }
    }
    return r;
}

}  // namespace varnolt::prueba
