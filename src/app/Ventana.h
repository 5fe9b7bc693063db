// SPDX-License-Identifier: AGPL-3.0-or-later
// What the core asks of the window. The core holds every piece of state and
// decides everything; the window shows it and answers the few questions only
// a person can answer. Tests drive the core with a recording fake.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnolt {

// The parts of the window that show core state and need redrawing after it
// changes.
enum class Vista {
    Listas,        // LBYear, LBItemNat, LBItemTra, LBAspTra and their selections
    Controles,     // enabled and visible controls, period buttons
    Graficos,      // the four bar charts
    FechasPP,      // LBFechaPP, its caption label and the PanelInfo labels
    Tendencia,     // the trend graph
    ContactosDia,  // the contacts-of-the-day window and the contact detail
    Arquetipos,    // the three archetype lists
    Exportacion,   // the contact-ranges and CSV windows
};

// What the core asks of the save dialog.
struct PeticionGuardar {
    std::string Titulo;               // "Crear archivo CSV"
    std::string Filtro;               // "Archivos CVS|*.csv": description | pattern
    std::string ExtensionPorDefecto;  // "csv", without the dot
    std::string NombrePropuesto;      // a file name without folder
    std::string CarpetaInicial;       // where the dialog starts; empty: its own default
};

class IVentana {
  public:
    virtual ~IVentana() = default;

    // The message window: shows the text ("\r" breaks lines) and returns when
    // the user presses "De acuerdo".
    virtual void MostrarMensaje(const std::string& texto) = 0;
    // The standard error box, OK button only.
    virtual void MostrarError(const std::string& texto) = 0;
    // The standard information box, OK button only.
    virtual void MostrarInformacion(const std::string& texto) = 0;

    // The open dialog for agendas (multiple selection, "Archivos CSV|*.csv").
    // No value when the user cancels.
    virtual std::optional<std::vector<std::string>> PedirArchivosAgenda(
        const std::string& carpetaInicial) = 0;

    // The progress window of the loader.
    virtual void MostrarProgreso() = 0;
    virtual void TituloProgreso(const std::string& titulo) = 0;
    virtual void PosicionProgreso(int porcentaje) = 0;
    virtual void CerrarProgreso() = 0;
    // Closes the notice window when it is showing.
    virtual void CerrarAviso() = 0;

    // Lets pending window messages run (long work calls it at fixed points).
    virtual void ProcesarMensajes() = 0;

    // Core state behind a view changed; the window redraws it from the core.
    virtual void Refrescar(Vista vista) = 0;

    // ---- Exports ----
    // The save dialog: asks before overwriting an existing file, hides the
    // read-only check box, can be resized; starts in CarpetaInicial (its own
    // default folder when that is empty or gone). Returns the full path chosen, with "." +
    // ExtensionPorDefecto added when the user typed no extension; no value when the user cancels.
    virtual std::optional<std::string> PedirArchivoGuardar(const PeticionGuardar& peticion) = 0;
    // Puts the text on the system clipboard as plain text (UTF-8 here; lines
    // end in "\n").
    virtual void CopiarAlPortapapeles(const std::string& texto) = 0;
};

// A window that shows nothing and asks nobody: for tools without a display.
// Messages, errors and redraws are dropped, the open and save dialogs answer
// as if the user cancelled them, and the clipboard text is discarded.
class VentanaNula : public IVentana {
  public:
    void MostrarMensaje(const std::string&) override {}
    void MostrarError(const std::string&) override {}
    void MostrarInformacion(const std::string&) override {}
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
    void CopiarAlPortapapeles(const std::string&) override {}
};

}  // namespace varnolt
