// SPDX-License-Identifier: AGPL-3.0-or-later
// Varnolt: the desktop window.
//
//     Varnolt [AGENDA...]
//
// Start-up in order: Qt's own Spanish texts, the program's modules (the
// settings file), the sample archetype file for a new user, the main window
// with its FormCreate, the message and notice windows, the event loop; at the
// end the settings file is written back.
#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QStandardPaths>
#include <iostream>

#include "app/settings/DatosPrograma.h"
#include "app/settings/Instalacion.h"
#include "gui/Arranque.h"
#include "gui/TextoQt.h"
#include "gui/VentanaVarnolt.h"
#include "gui/VentanasPequenas.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnolt"));
    QApplication::setApplicationVersion(QStringLiteral(VARNOLT_VERSION));
    QApplication::setWindowIcon(varnolt::gui::IconoVarnolt());

    // The program speaks Spanish whatever the user's locale, and so do Qt's
    // own dialogs and standard buttons.
    varnolt::gui::CargarTextosQt();

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
    ganchos.errorLectura = [](const std::string& texto) {
        QMessageBox::warning(nullptr, QStringLiteral("Varnolt"), varnolt::gui::Lineas(texto));
    };
    // The settings file: beside the program, or Varnolt.ini in Qt's folder
    // for the application's settings (~/.config/Varnolt).
    varnolt::DatosPrograma datos;
    varnolt::IniciarDatos(datos,
                          varnolt::RutasDelProgramaEnEjecucion(varnolt::gui::S(
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))),
                          ganchos);

    // A new user's archetype folder gets the sample archetype file.
    const varnolt::CopiaArqMuestra copia = varnolt::CopiarArqMuestraDelPrograma();
    if (copia.estado == varnolt::CopiaArqMuestra::Copiada) {
        std::cerr << "Varnolt: archivo de arquetipos de muestra copiado en " << copia.destino
                  << "\n";
    } else if (copia.estado == varnolt::CopiaArqMuestra::Fallo) {
        std::cerr << "Varnolt: no se pudo copiar el archivo de arquetipos de muestra en "
                  << copia.destino << ": " << copia.error << "\n";
    }

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
