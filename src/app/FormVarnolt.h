// SPDX-License-Identifier: AGPL-3.0-or-later
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
#include "export/Rangos.h"
#include "views/DetalleContacto.h"
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
    // The earliest and latest date read since the last clear; HayFechas
    // tells whether any was read (day 0, 30 December 1899, is a date too).
    TFecha FechaMin = 0;
    TFecha FechaMax = 0;
    bool HayFechas = false;

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
    // ChartItemNat, ChartItemTra and ChartAngTra: shown exactly when the last
    // HabilitarControles switched the data controls on with SBViewTends up.
    bool ChartsItemsVisible = false;
    // SBMaxAxisOrd ("Ajustar valor máx. ordenada"), down at start:
    // the left axis of ChartDia is automatic while it is down, and runs from 0
    // to EjeDiaMaximo (PPMaxGlobal when it went up) while it is up.
    bool SBMaxAxisOrd = true;
    double EjeDiaMaximo = 0;

    // Views of other windows that clearing the data resets.
    std::vector<std::string> MemoResultados;
    std::vector<std::string> MemoInfo;    // lines (Exports)
    std::vector<std::string> MemoPrompt;  // lines (Exports)
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
    void SBViewArqClick(bool down);    // "Arq.": SBViewArq, then AjustarPaneles
    void SBViewTendsClick(bool down);  // "Tend.": PanelGraphs shown exactly while up
    void SBMaxAxisOrdClick(bool down);

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

    // ---- Contacts of the day and contact detail -----------------------------
    // TWDetalleContactos ("Contactos Día"): the contacts of the calendar's day
    // (FechaCalendario) that pass the selection and the strength band, and
    // the detail of the chosen one.
    std::vector<TTendencia> ContactosDia;  // copies, in the order of the last sort
    int BandaContactos = 0;                // the band button down: 0 "T" … 5 ">90"
    int RGSortContacto = 0;                // 0 "Porcentaje", 1 "Peso ponderado"
    std::string RGSortContactoCaption = "Ordenar por:";
    TFecha FechaReferencia = Hoy();     // DateTimePicker: the reference date
    TDetalleContacto Detalle;           // the labels and MemoArq of the detail
    bool SBDetalleArq = false;          // the hidden "Ver arquetipos contacto" toggle
    int AnchoDetalleContactos() const;  // the window's width for SBDetalleArq
    // Looks a key up in the archetype file in use ("-" when it is not there);
    // the archetype subsystem installs it.
    BuscadorArquetipo BuscarArquetipo = [](const std::string&, TablaArq) {
        return std::string("-");
    };

    void SBViewContactoClick(bool down);
    void TWDetalleContactosClose();
    void SBViewAllClick(int banda);
    void RGSortContactoClick(int indice);
    void CargarContactosDia();
    void MostrarContactosDia();
    void LBContactosClick();
    void LimpiarDetalle();
    void SBDetalleArqClick(bool down);
    void MonthCalendar1Click(TFecha dia);
    void LBFechaPPClick();
    // A click on a bar of ChartDia: serie 0 the day weights, 1 the peak marks.
    enum class BotonRaton { Izquierdo, Derecho, Medio };
    void ChartDiaClickSeries(int serie, int indice, BotonRaton boton, bool shift, bool ctrl,
                             bool alt);
    // ---- (end of Contacts of the day) ---------------------------------------

    // ---- Exports ------------------------------------------
    // The contact-ranges window TWPromptContacts ("Rangos de contactos") and
    // the CSV window TWCSV ("Data CSV"). The windows mirror this state and
    // call the handlers; memos are held as their lines. MemoPrompt, MemoInfo,
    // MemoResultados, TWCSVVisible, SBCopyPromptEnabled, SBPromptCSVEnabled
    // and SBPromptCSVDown are declared above (clearing the data resets them).
    bool SBTAViewDown = false;  // main-window toggle "Rango de contactos - CSV"
    bool TWPromptContactsVisible = false;
    bool VentanaHabilitada = true;     // the main window; off while "Detallar" runs
    bool SBCalcTAEnabled = true;       // "Detallar"; off while it runs
    bool CBMTAWrap = true;             // hidden check box "Wrap"
    bool MemoTAWordWrap = false;       // the opposite of CBMTAWrap
    std::vector<std::string> MemoTA;   // technical lines (hidden memo)
    std::vector<std::string> MemoCSV;  // range data lines (in TWCSV): the report's input
    int CBTipoTransito = 1;            // 0 "Todos", 1 "Rápidos", 2 "NO rápidos"
    int CBTipoReporte = 1;             // 0 "Todos", 1 "Semanal", 2 "Mensual"
    std::string NombreCSV;             // proposed report name; full path after a save
    std::string CarpetaUltimoCSV;      // the folder of the last report saved
    TFecha FechaCalendario = Hoy();    // MonthCalendar1's date, today at start; the
                                       // calendar's handler keeps it
    // How "Detallar" finds each pair's days: in one pass over the contacts
    // (the default), or by driving the item lists and the weighting pair by
    // pair as the original does (the reference the tests compare against).
    bool RangosParAPar = false;

    void SBTAViewClick(bool down);      // shows TWPromptContacts while down
    void TWPromptContactsClose();       // closed by its close box: SBTAView follows
    void SBCalcTAClick();               // "Detallar"
    void SBCopyPromptClick();           // "Copiar"
    void SBPromptCSVClick(bool down);   // "CSV": shows TWCSV while down
    void TWCSVClose();                  // closed by its close box: "CSV" raised
    void SBTACopyClick();               // hidden "Copy": MemoTA to the clipboard
    void CBMTAWrapClick(bool marcado);  // hidden "Wrap"
    // The codes of the selected rows of an archetype list, in list order,
    // "Jup" read as "Júp".
    std::vector<std::string> CodigosArqSeleccionados(const TListBoxArq& lista) const;
    // Steps 3 to 5 of "Detallar": the ranges of every selected pair, sorted by
    // first day (stable: pairs in selection order on equal first days).
    std::vector<TRangoTendencia> CalcularRangos();
    std::vector<TRangoTendencia> CalcularRangos(const std::vector<std::string>& transitos,
                                                const std::vector<std::string>& natales);
    // The aspect-sign text of the first contact of the day between the two
    // items, or "-". The angle comes from the LBArqAsp row of the contact's
    // aspect; when no row gives one, from the contact's own angle.
    std::string GetAspSignoDia(TFecha dia, const std::string& transito,
                               const std::string& natal) const;
    void BtnGenCSVClick();  // "CSV >>"
    void CBTipoTransitoChange(int indice);
    void CBTipoReporteChange(int indice);
    // The save dialog for the report; `nombre` becomes the chosen path.
    bool PedirArchivoCSV(std::string& nombre);
    void BtnExportCSVClick();  // "Crear [ ].csv"
    // ---- (end of Exports) ---------------------------------------------------

  private:
    void AnadirAnio(int anio);
};

}  // namespace varnolt
