// SPDX-License-Identifier: AGPL-3.0-or-later
// The window seen from a terminal: messages and errors are kept for the
// command to print; nothing is asked of the user.
//
// Every call of the window interface is answered here, so that a call added
// to the interface must be answered here too: the dialogs answer as if the
// user cancelled them (a command that saves answers the save dialog itself),
// the progress and notice windows and the redraws have nothing to show, and
// the text put on the clipboard is kept, since a terminal has no clipboard.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Ventana.h"

namespace varnolt {

class VentanaConsola : public IVentana {
  public:
    void MostrarMensaje(const std::string& texto) override { mensajes.push_back(texto); }
    void MostrarError(const std::string& texto) override { errores.push_back(texto); }
    void MostrarInformacion(const std::string& texto) override { mensajes.push_back(texto); }
    std::optional<std::vector<std::string>> PedirArchivosAgenda(const std::string&) override {
        return std::nullopt;
    }
    void MostrarProgreso() override {}
    void TituloProgreso(const std::string&) override {}
    void PosicionProgreso(int) override {}
    void CerrarProgreso() override {}
    void CerrarAviso() override {}
    void ProcesarMensajes() override {}
    void Refrescar(Vista) override {}
    std::optional<std::string> PedirArchivoGuardar(const PeticionGuardar&) override {
        return std::nullopt;
    }
    void CopiarAlPortapapeles(const std::string& texto) override { portapapeles.push_back(texto); }

    std::vector<std::string> mensajes;
    std::vector<std::string> errores;
    std::vector<std::string> portapapeles;  // every text the core put on the clipboard
};

// "\r" (the suite's line break) as a new line.
std::string ComoLineas(std::string texto);

}  // namespace varnolt
