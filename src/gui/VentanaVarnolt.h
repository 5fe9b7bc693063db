// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window TFormVarnolt: a thin Qt view over the core's
// varnolt::TFormVarnolt, which holds all state and every handler.
//
// The window builds PanelMain and PanelData with every control under its
// component name (objectName), the six floating tool windows and the small
// windows; forwards every user action to the core handler of the same name
// through Ejecutar (which shows the core's errors in the standard error box);
// and answers the core's questions as its IVentana. Refrescar redraws a view
// from the core's state.
//
// The dialogs the core asks for (file dialog, message window, error and
// information boxes) go through replaceable functions, so that tests and
// tools can answer them without a person.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FormVarnolt.h"
#include "app/Ventana.h"
#include "archetypes/Arquetipos.h"

class QAbstractButton;
class QButtonGroup;
class QCalendarWidget;
class QCheckBox;
class QDialog;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QLabel;
class QProgressDialog;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace varnolt {
struct DatosPrograma;
}

namespace varnolt::gui {

class GraficoBarras;
class GraficoTendenciaQt;
class ListaVarnolt;
class TFormAviso;
class TFormMSG;
class TFormStepCount;
class VentanaHerramienta;
class PanelArquetipos;
class PanelCatalogoArq;
class PanelContactosDia;
class PanelCSV;
class PanelRangos;

// True when the executable's file name (without folder) makes the program
// run by itself: exactly "Varnolt", or exactly "Varnolt.exe".
bool EsEjecutableAutonomo(const QString& rutaEjecutable);

class VentanaVarnolt : public QMainWindow, public IVentana {
    Q_OBJECT
  public:
    // `rutaEjecutable`: the running program's path, for the standalone check
    // (the application's own path when empty). `datos`: the settings read at
    // start, where FormCreate finds the archetype file; none in
    // tests.
    explicit VentanaVarnolt(const QString& rutaEjecutable = QString(),
                            const DatosPrograma* datos = nullptr, QWidget* padre = nullptr);
    ~VentanaVarnolt() override;

    TFormVarnolt& Form() { return form_; }
    TArquetipos& Arquetipos() { return arquetipos_; }
    const TFormVarnolt& Form() const { return form_; }

    // ---- Answers to the core's questions (replaceable) ----------------------
    // The open dialog for agendas: the chosen files, none when cancelled.
    std::function<std::optional<std::vector<std::string>>(const std::string& carpeta)> DialogoAbrir;
    // The message window: shows the text (already in LabelAviso of TFormMSG)
    // and returns when confirmed. Empty: TFormMSG runs modally.
    std::function<void(const std::string& texto)> DialogoMensaje;
    // The standard error and information boxes. Empty: QMessageBox.
    std::function<void(const std::string& texto)> DialogoError;
    std::function<void(const std::string& texto)> DialogoInformacion;
    // The save dialog of the CSV export: the full path chosen, none when
    // cancelled. Empty: QFileDialog as the request describes it.
    std::function<std::optional<std::string>(const PeticionGuardar& peticion)> DialogoGuardar;

    // ---- IVentana -------------------------------------------------------------
    void MostrarMensaje(const std::string& texto) override;
    void MostrarError(const std::string& texto) override;
    void MostrarInformacion(const std::string& texto) override;
    std::optional<std::vector<std::string>> PedirArchivosAgenda(
        const std::string& carpetaInicial) override;
    void MostrarProgreso() override;
    void TituloProgreso(const std::string& titulo) override;
    void PosicionProgreso(int porcentaje) override;
    void CerrarProgreso() override;
    void CerrarAviso() override;
    void ProcesarMensajes() override;
    void Refrescar(Vista vista) override;
    std::optional<std::string> PedirArchivoGuardar(const PeticionGuardar& peticion) override;
    void CopiarAlPortapapeles(const std::string& texto) override;

    // ---- Main window -------------------------------------------------------------
    void FormCreate(const QString& rutaEjecutable);
    // Runs a handler of the core; a std::exception it throws ends the action
    // and its text goes to the standard error box.
    void Ejecutar(const std::function<void()>& accion);
    void HabilitarControles(bool on);
    void AjustarPaneles();
    void AjustarGraficos();  // places the chart panels for the current state
    void SBViewArqClick();
    void SBViewTendsClick();
    void FormResize();
    void SBInfoDataClick();
    // "Acerca de Varnolt" (the label, F1): Varnolt's own About box.
    void LabelAboutClick();
    QDialog* AcercaDe() const { return acercaDe_; }
    // The keys of a command of the command panel ("Ctrl+O"), empty when it
    // has none.
    static QString TeclasDe(const QString& boton);
    // Runs the handlers of the window's parts through Ejecutar.
    std::function<void(const std::function<void()>&)> EjecutorVentana();
    // The Data action over files already chosen (command line, dropped files,
    // a computed agenda), after "Limpiar" when 'limpiarAntes'; while another
    // handler runs it waits for it to end.
    void CargarAgendas(const std::vector<std::string>& archivos, bool limpiarAntes = false);
    // While 'progreso' is set, the load's progress goes to that window (from
    // 'base' % to 100 %) instead of a window of its own.
    void PrestarProgreso(QProgressDialog* progreso, int base);

    // True while a core handler lets window messages run (the loader): user
    // input to the program's windows is dropped meanwhile.
    bool EntradaBloqueada() const { return bloqueoEntrada_ > 0; }
    TFormMSG* FormMSG() const { return formMSG_; }
    TFormAviso* FormAviso() const { return formAviso_; }
    TFormStepCount* FormStepCount() const { return formStepCount_; }
    // The tool windows by name (TWDetalleFechas …), and all of them.
    VentanaHerramienta* Herramienta(const QString& nombre) const;
    const std::vector<VentanaHerramienta*>& Herramientas() const { return herramientas_; }
    // The archetype file FormCreate chose.
    const std::string& ArchivoArq() const { return archivoArq_; }
    // Where the tool windows' places are kept between runs (Varnolt's own
    // settings in the user's configuration folder for the program): the
    // places in the file are read now and written back when the window ends.
    void ArchivoLugares(const QString& ruta);
    // How many times the progress window was shown (tests).
    int VecesProgreso() const { return vecesProgreso_; }

  protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    void Construir();
    QWidget* ConstruirPanel2();
    QWidget* ConstruirPanel1();
    QWidget* ConstruirPanelItemsTra();
    QWidget* ConstruirPanelItemsNat();
    QWidget* ConstruirPanelAspTra();
    QWidget* ConstruirPanelInfo();
    void ConstruirPanelData(QWidget* panelData);
    void ConstruirHerramientas();
    void ConstruirAtajos();
    void ConstruirDetalleFechas(VentanaHerramienta* tw);
    // The first place of a tool window: below the command panel, within the
    // screen, beside the tool windows already showing.
    void ColocarHerramienta(VentanaHerramienta& tw);
    void LeerLugares();
    void GuardarLugares() const;

    // The group buttons under a filter list, each running `grupo` with its
    // Tag, then "T" and "N" running `todos` with 1 and 0 on the second row.
    struct BotonGrupo {
        const char* nombre;
        const char* texto;
        const char* pista;
        int tag;
    };
    void BotonesDeGrupo(QGridLayout* rejilla, QWidget* padre, const std::vector<BotonGrupo>& grupos,
                        int columnas, void (TFormVarnolt::*grupo)(int), const QString& nombreTodos,
                        const QString& nombreNinguno, void (TFormVarnolt::*todos)(int),
                        int columnaTodos);
    QToolButton* Boton(const QString& nombre, const QString& texto, const QString& pista,
                       QWidget* padre, bool alternar = false);
    VentanaHerramienta* NuevaHerramienta(const QString& nombre, const QString& titulo,
                                         QAbstractButton* conmutador);
    // The list's selection is in the core: call the handler.
    void ClicLista(ListaVarnolt* lista, const std::function<void()>& manejador);

    void RefrescarListas();
    void RefrescarControles();
    void RefrescarGraficos();
    void RefrescarFechasPP();
    void RefrescarTendencia();
    void RefrescarContactosDia();
    void SincronizarSEValPico();
    void SEValPicoCambio();

    TFormVarnolt form_;
    TArquetipos arquetipos_{form_};
    const DatosPrograma* datos_;
    std::string archivoArq_;

    // PanelMain and PanelData.
    QWidget* panelMain_ = nullptr;
    QWidget* zonaComandos_ = nullptr;  // PanelMain's scroll area
    QWidget* panelData_ = nullptr;
    QWidget* panelCharts_ = nullptr;
    QWidget* panelChartDia_ = nullptr;
    QWidget* panelInfoArq_ = nullptr;
    QWidget* panelGraphs_ = nullptr;
    QWidget* panelArq_[3] = {};  // PanelArqTra, PanelArqAsp, PanelArqNat
    QWidget* panelItemsTra_ = nullptr;
    QWidget* panelItemsNat_ = nullptr;
    QWidget* panelAspTra_ = nullptr;

    QToolButton* sbLoadTerms_ = nullptr;
    QToolButton* sbViewContacto_ = nullptr;
    QToolButton* sbViewFechas_ = nullptr;
    QToolButton* sbViewArq_ = nullptr;
    QToolButton* sbViewTends_ = nullptr;
    QToolButton* sbGP_ = nullptr;
    QToolButton* sbTAView_ = nullptr;
    QToolButton* sbMaxAxisOrd_ = nullptr;
    QToolButton* sbPromptCSV_ = nullptr;
    std::array<QToolButton*, 19> sbPer_{};
    QButtonGroup* grupoPeriodos_ = nullptr;
    QDateEdit* dateTimePicker_ = nullptr;
    QCalendarWidget* monthCalendar1_ = nullptr;

    ListaVarnolt* lbYear_ = nullptr;
    ListaVarnolt* lbItemNat_ = nullptr;
    ListaVarnolt* lbItemTra_ = nullptr;
    ListaVarnolt* lbAspTra_ = nullptr;
    ListaVarnolt* lbFechaPP_ = nullptr;

    QLabel* labelInfoRangoData_ = nullptr;
    QLabel* labelInfoRangoVisual_ = nullptr;
    QLabel* labelInfoSumaPP_ = nullptr;
    QLabel* labelInfoFechasPico_ = nullptr;
    QLabel* labelInfoMax_ = nullptr;
    QLabel* labelNoContactos_ = nullptr;
    QLabel* labelSinData_ = nullptr;  // the empty state of PanelData

    QGroupBox* rgTipoFecha_ = nullptr;
    QGroupBox* rgSortFecha_ = nullptr;
    QRadioButton* tipoFecha_[2] = {};
    QRadioButton* sortFecha_[3] = {};
    QSpinBox* seValPico_ = nullptr;
    QCheckBox* cbViewMedia_ = nullptr;

    GraficoBarras* chartDia_ = nullptr;
    GraficoBarras* chartAngTra_ = nullptr;
    GraficoBarras* chartItemTra_ = nullptr;
    GraficoBarras* chartItemNat_ = nullptr;
    GraficoTendenciaQt* pbRange_ = nullptr;

    std::vector<VentanaHerramienta*> herramientas_;
    VentanaHerramienta* twDetalleContactos_ = nullptr;
    VentanaHerramienta* twDetalleFechas_ = nullptr;
    VentanaHerramienta* twLumbrisk_ = nullptr;
    VentanaHerramienta* twGraphRange_ = nullptr;
    VentanaHerramienta* twPromptContacts_ = nullptr;
    VentanaHerramienta* twCSV_ = nullptr;
    PanelArquetipos* panelArquetipos_ = nullptr;
    PanelContactosDia* panelContactos_ = nullptr;
    PanelCatalogoArq* panelCatalogo_ = nullptr;
    PanelRangos* panelRangos_ = nullptr;
    PanelCSV* panelCSV_ = nullptr;
    QLabel* labelAbout_ = nullptr;
    QDialog* acercaDe_ = nullptr;

    TFormMSG* formMSG_ = nullptr;
    TFormAviso* formAviso_ = nullptr;
    TFormStepCount* formStepCount_ = nullptr;

    int bloqueoEntrada_ = 0;
    int ejecutando_ = 0;  // depth of Ejecutar: a core handler is running
    int vecesProgreso_ = 0;
    QProgressDialog* progresoPrestado_ = nullptr;
    int baseProgresoPrestado_ = 0;
    bool ajustando_ = false;
    bool primeraVez_ = true;
    // The file where the tool windows' places are kept between runs; none in
    // tests and tools unless they name one.
    QString archivoLugares_;
};

}  // namespace varnolt::gui
