// Varnolt: the desktop window.
//
//     Varnolt [AGENDA...]
//
// Start-up in order: the program's modules (the settings file), the main
// window with its FormCreate, the message and notice windows, the event loop;
// at the end the settings file is written back.
#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <iostream>

#include "app/settings/DatosPrograma.h"
#include "gui/Arranque.h"
#include "gui/TextoQt.h"
#include "gui/VentanaVarnolt.h"
#include "gui/VentanasPequenas.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnolt"));
    QApplication::setApplicationVersion(QStringLiteral("0.11.180"));
    QApplication::setWindowIcon(varnolt::gui::IconoVarnolt());

    const varnolt::gui::OpcionesArranque opciones =
        varnolt::gui::LeerOpciones(QApplication::arguments().mid(1));
    if (!opciones.error.isEmpty()) {
        std::cerr << "Varnolt: " << varnolt::gui::S(opciones.error)
                  << "\nuso: Varnolt [AGENDA...]\n";
        return 2;
    }

    // 1. The program's modules: defaults, the settings file, the glyph font.
    int fuente = -1;
    varnolt::GanchosDatos ganchos;
    ganchos.registrarFuente = [&fuente](const std::string& ruta) {
        fuente = QFontDatabase::addApplicationFont(QString::fromStdString(ruta));
    };
    ganchos.quitarFuente = [&fuente](const std::string&) {
        if (fuente >= 0) {
            QFontDatabase::removeApplicationFont(fuente);
        }
    };
    ganchos.errorEscritura = [](const varnolt::ErrorEscritura& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Varnolt"),
                              varnolt::gui::Lineas(error.Texto()));
    };
    varnolt::DatosPrograma datos;
    varnolt::IniciarDatos(datos, varnolt::RutasDelProgramaEnEjecucion(), ganchos);

    // 3., 4. The main window (FormCreate) with its message and notice windows.
    int resultado = 0;
    {
        varnolt::gui::VentanaVarnolt ventana(QString(), &datos);
        ventana.show();
        varnolt::gui::Arrancar(ventana, opciones);
        // 5. The event loop, until the main window closes.
        resultado = QApplication::exec();
    }
    varnolt::FinalizarDatos(datos, ganchos);
    return resultado;
}
