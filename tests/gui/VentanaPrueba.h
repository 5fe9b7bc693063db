// SPDX-License-Identifier: AGPL-3.0-or-later
// The window under test: a VentanaVarnolt whose dialogs are answered by the
// test, shown on the offscreen platform, and helpers to reach its widgets by
// their component names and to act on them as a user would.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/ListaVarnolt.h"
#include "gui/VentanaVarnolt.h"
#include "gui/VentanasPequenas.h"

namespace varnolt::prueba {

// The one QApplication of the test program.
QApplication& AplicacionQt();

// The bundled sample agenda (44,759 contacts of 2024).
std::string AgendaMuestra();

class VentanaPrueba : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The open dialog answers with these files.
    void Cargar(const std::vector<std::string>& archivos);
    void CargarMuestra() { Cargar({AgendaMuestra()}); }

    template <class T>
    T* Hijo(const char* nombre) const {
        T* w = ventana->findChild<T*>(QString::fromUtf8(nombre));
        EXPECT_NE(w, nullptr) << "no hay " << nombre;
        return w;
    }
    QAbstractButton* Boton(const char* nombre) const { return Hijo<QAbstractButton>(nombre); }
    gui::ListaVarnolt* Lista(const char* nombre) const { return Hijo<gui::ListaVarnolt>(nombre); }
    std::string Texto(const char* etiqueta) const;
    // A user's click on a button.
    void Pulsar(const char* nombre);
    // A user's click on a row of a list, with modifier keys.
    void ClicFila(const char* lista, int fila, Qt::KeyboardModifiers teclas = Qt::NoModifier);
    // The rows the list view shows, and the rows it shows selected.
    std::vector<std::string> Filas(const char* lista) const;
    std::vector<int> Seleccionadas(const char* lista) const;
    // Lets pending events run (repaints, timers).
    static void Procesar();

    TFormVarnolt& Form() { return ventana->Form(); }

    std::unique_ptr<gui::VentanaVarnolt> ventana;
    std::optional<std::vector<std::string>> respuestaDialogo;
    std::vector<std::string> carpetasDialogo;
    std::vector<std::string> mensajes;
    std::vector<std::string> errores;
    std::vector<std::string> informaciones;
};

}  // namespace varnolt::prueba
