// SPDX-License-Identifier: AGPL-3.0-or-later
// A window for tests: records what the core shows and answers the dialogs
// with what the test prepared.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Ventana.h"

namespace varnolt::prueba {

class VentanaFalsa : public IVentana {
  public:
    void MostrarMensaje(const std::string& texto) override { mensajes.push_back(texto); }
    void MostrarError(const std::string& texto) override { errores.push_back(texto); }
    void MostrarInformacion(const std::string& texto) override { informaciones.push_back(texto); }
    std::optional<std::vector<std::string>> PedirArchivosAgenda(
        const std::string& carpetaInicial) override {
        carpetasDialogo.push_back(carpetaInicial);
        return respuestaDialogo;
    }
    void MostrarProgreso() override {
        progresoVisible = true;
        ++vecesProgreso;
    }
    void TituloProgreso(const std::string& titulo) override { titulos.push_back(titulo); }
    void PosicionProgreso(int porcentaje) override { posiciones.push_back(porcentaje); }
    void CerrarProgreso() override { progresoVisible = false; }
    void CerrarAviso() override { ++avisosCerrados; }
    void ProcesarMensajes() override { ++mensajesProcesados; }
    void Refrescar(Vista vista) override { refrescos.push_back(vista); }
    std::optional<std::string> PedirArchivoGuardar(const PeticionGuardar& peticion) override {
        peticionesGuardar.push_back(peticion);
        return respuestaGuardar;
    }
    void CopiarAlPortapapeles(const std::string& texto) override { portapapeles.push_back(texto); }

    std::optional<std::vector<std::string>> respuestaDialogo;
    std::optional<std::string> respuestaGuardar;  // the save dialog's answer
    std::vector<PeticionGuardar> peticionesGuardar;
    std::vector<std::string> portapapeles;  // every text put on the clipboard
    std::vector<std::string> carpetasDialogo;
    std::vector<std::string> mensajes;
    std::vector<std::string> errores;
    std::vector<std::string> informaciones;
    std::vector<std::string> titulos;
    std::vector<int> posiciones;
    std::vector<Vista> refrescos;
    bool progresoVisible = false;
    int vecesProgreso = 0;
    int avisosCerrados = 0;
    int mensajesProcesados = 0;
};

}  // namespace varnolt::prueba
