// The main window's working state and handlers, without any widget.
//
// Everything the program knows lives here: the loaded contacts and their
// catalogues, the selected range and filters, the weighting, the peak days,
// the list boxes' rows and selections, the chart data and the labels. The Qt
// window mirrors this state and forwards every user action to the handler of
// the same name; tools and tests drive it directly through IVentana.
//
// Handlers are named after their component and event, as in the rest of the
// suite (LBYearClick, SBContactosClick); one handler often serves a group of
// like buttons told apart by the button's Tag.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "agenda/Tendencia.h"
#include "analysis/Picos.h"
#include "analysis/Ponderacion.h"
#include "app/ListBox.h"
#include "app/Ventana.h"
#include "archetypes/ItemArq.h"
#include "views/Graficos.h"

namespace varnolt {

// A file that cannot be opened or read stops the action that met it; the
// window shows the text in its standard error box.
class ErrorArchivo : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TFormVarnolt {
  public:
    explicit TFormVarnolt(IVentana& ventana);
    TFormVarnolt(const TFormVarnolt&) = delete;
    TFormVarnolt& operator=(const TFormVarnolt&) = delete;

    // ---- Shared state -------------------------------------------------------
    IVentana& Ventana;
    bool Actualizando = false;  // the program itself is changing list selections
    bool ModoAutonomo = false;

    // Loaded data set.
    TTendencias Tendencias;
    std::string ArchivoAgenda;
    std::string InfoData = "-No hay data cargada-";
    bool DataCargada = false;
    std::vector<std::string> ArchivosInfo;
    std::vector<std::string> CatItemsNat;
    std::vector<std::string> CatItemsTra;
    std::vector<std::string> CatAspectos;
    TFecha FechaMin = 0;
    TFecha FechaMax = 0;

    // Period and range.
    int Periodo = 0;
    int BotonPeriodo = 1;  // code of the period button that is down
    TFecha RangoIni = 0;
    TFecha RangoFin = 0;

    // Filters and weighting.
    TSeleccion Seleccion;      // ItemsNatSel, ItemsTraSel, AspectosSel
    TPonderacion Ponderacion;  // TotalesDia, FechasRango, TotalesNat, TotalesTra, TotalesAsp
    TEstadoPicos Picos;
    TGraficos Graficos;

    // List boxes.
    TListBox LBYear;
    TListBox LBItemNat;
    TListBox LBItemTra;
    TListBox LBAspTra;
    TListBox LBFechaPP;
    TListBox LBContactos;
    TListBoxArq LBArqTra;
    TListBoxArq LBArqAsp;
    TListBoxArq LBArqNat;

    // Controls of the weighted-days window and the labels it writes.
    TipoFecha RGTipoFecha = TipoFecha::Todas;
    OrdenFecha RGSortFecha = OrdenFecha::Fecha;
    std::string SEValPico = "60";  // the spin edit's text
    bool CBViewMedia = true;
    TEtiquetasInfo Etiquetas;  // LabelInfo* of PanelInfo and LabelNoContactos

    // Switches and panels of the main window.
    bool ControlesHabilitados = false;  // HabilitarControles
    bool SBViewContacto = false;
    bool SBViewArq = false;
    bool SBViewTends = false;
    bool PanelChartDiaVisible = false;
    bool PanelGraphsVisible = true;
    bool PanelInfoArqVisible = false;
    bool TWDetalleContactosVisible = false;

    // Views of other windows that clearing the data resets.
    std::string LabelDetAspNatal;
    std::string LabelDetAspPos;
    std::vector<std::string> MemoResultados;
    std::string MemoInfo;
    std::string MemoPrompt;
    bool TWCSVVisible = false;
    bool SBCopyPromptEnabled = false;
    bool SBPromptCSVEnabled = false;
    bool SBPromptCSVDown = false;

    // Milliseconds of a monotonic clock; tests replace it.
    std::function<std::int64_t()> RelojMs;

    // ---- Agenda loading -----------------------------------------------------
    void SBContactosClick();
    // Loads one agenda file; returns whether it loaded, and its summary line
    // or failure text. Throws ErrorArchivo when the file cannot be read.
    bool CargarAgenda(const std::string& ruta, std::string& resultado);
    // The Data action over files already chosen (the dialog's answer).
    void CargarAgendas(const std::vector<std::string>& archivos);
    void LimpiarData();
    void CBCleanDataClick() { LimpiarData(); }

    // ---- Main window --------------------------------------------------------
    void HabilitarControles(bool on);
    void AjustarPaneles();
    void SBInfoDataClick();

    // ---- Period and year ----------------------------------------------------
    void SBPerAllClick(int codigo);
    void AplicarPeriodo();
    void LBYearClick();
    void BBAllYearClick();
    void ReaplicarSeleccion();

    // ---- Item, angle and house filters --------------------------------------
    void LBItemNatClick(int tag);  // LBItemNat (Tag 1) and LBItemTra (Tag 2)
    void LBAspTraClick();
    void SPItemNat1Click(int tag);    // natal group buttons
    void SPItemTra1Click(int tag);    // transit group buttons
    void SBItemNatAllClick(int tag);  // natal "T" (1) and "N" (0)
    void SBItemTraAllClick(int tag);  // transit "T" (1) and "N" (0)
    void SBAllAspTraClick(int tag);   // angle buttons
    void SBC1Click(int tag);          // house buttons C1..C12
    void SeleccionarAspectos(int tag);
    // Selects the rows of an archetype list whose code matches a selected row
    // of an item list ("Jup" reads as "Júp").
    void ReflejarSeleccionArq(TListBoxArq& arquetipos, const TListBox& items);

    // ---- Weighting and peak days -------------------------------------------
    void SetTendenciasItems(bool refrescarLista);
    void CalcularPicos(bool refrescarLista);
    void MostrarFechasPP();
    void RGTipoFechaClick(TipoFecha tipo);
    void RGSortFechaClick(OrdenFecha orden);
    void SEValPicoChange(const std::string& texto);
    void SEValPicoExit();  // the field loses focus: value back within 10..100
    void CBViewMediaClick(bool marcado);

    // ---- Archetypes ---------------------------------------------------------
    // Opens the archetype file in use and fills the archetype lists; the
    // archetype subsystem provides it. Throws on failure.
    std::function<void()> AbrirArquetipos;
    // Refreshes the contacts of the chosen day while their window is shown.
    std::function<void()> RefrescarContactosDia;

  private:
    void AnadirAnio(int anio);
};

}  // namespace varnolt
