// The window seen from a terminal: messages and errors are kept for the
// command to print; nothing is asked of the user.
#pragma once

#include <string>
#include <vector>

#include "app/Ventana.h"

namespace varnolt {

class VentanaConsola : public VentanaNula {
  public:
    void MostrarMensaje(const std::string& texto) override { mensajes.push_back(texto); }
    void MostrarError(const std::string& texto) override { errores.push_back(texto); }
    void MostrarInformacion(const std::string& texto) override { mensajes.push_back(texto); }

    std::vector<std::string> mensajes;
    std::vector<std::string> errores;
};

// "\r" (the suite's line break) as a new line.
std::string ComoLineas(std::string texto);

}  // namespace varnolt
