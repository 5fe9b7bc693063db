// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window TFormVarnolt: construction, FormCreate, the operations
// that arrange the panels, the redrawing of each view from the core's state,
// and the window's events. The panels and tool windows are built in
// PanelComandos.cpp, PanelDataVentana.cpp and HerramientasVentana.cpp; the
// answers to the core's questions are in RespuestasVentana.cpp.
#include "gui/VentanaVarnolt.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <exception>

#include "app/settings/Carpetas.h"
#include "app/settings/DatosPrograma.h"
#include "app/settings/Instalacion.h"
#include "gui/GraficoBarras.h"
#include "gui/GraficoTendenciaQt.h"
#include "gui/ListaVarnolt.h"
#include "gui/PanelArquetipos.h"
#include "gui/PanelCSV.h"
#include "gui/PanelContactosDia.h"
#include "gui/PanelRangos.h"
#include "gui/PartesComun.h"
#include "gui/TextoQt.h"
#include "gui/VentanaFechas.h"
#include "gui/VentanasPequenas.h"
#include "views/GraficoTendencia.h"
#include "views/PresentacionGraficos.h"

namespace varnolt::gui {

bool EsEjecutableAutonomo(const QString& rutaEjecutable) {
    QString nombre = rutaEjecutable;
    const int barra =
        std::max(nombre.lastIndexOf(QLatin1Char('/')), nombre.lastIndexOf(QLatin1Char('\\')));
    nombre = nombre.mid(barra + 1);
    return nombre == QLatin1String("Varnolt") || nombre == QLatin1String("Varnolt.exe");
}

// ---- Construction -----------------------------------------------------------

VentanaVarnolt::VentanaVarnolt(const QString& rutaEjecutable, const DatosPrograma* datos,
                               QWidget* padre)
    : QMainWindow(padre), form_(*this), datos_(datos) {
    setObjectName(QStringLiteral("TFormVarnolt"));
    setWindowIcon(IconoVarnolt());
    QFont fuente = font();
    fuente.setPointSize(8);
    setFont(fuente);
    // The designed size, within the screen's available area.
    QSize tamano(1359, 761);
    if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
        tamano = tamano.boundedTo(pantalla->availableGeometry().size());
    }
    resize(tamano);
    setAcceptDrops(true);
    Construir();
    FormCreate(rutaEjecutable.isEmpty() ? QCoreApplication::applicationFilePath() : rutaEjecutable);
    // The program keeps the tool windows' places in its own settings, in the
    // user's configuration folder; windows made by tests and tools do not.
    if (datos_ != nullptr) {
        const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        if (!carpeta.isEmpty()) {
            ArchivoLugares(carpeta + QStringLiteral("/ventanas.ini"));
        }
    }
}

VentanaVarnolt::~VentanaVarnolt() {
    GuardarLugares();
    if (bloqueoEntrada_ > 0) {
        qApp->removeEventFilter(this);
    }
    delete formStepCount_;
}

// ---- FormCreate and the operations ---------------------------------

void VentanaVarnolt::FormCreate(const QString& rutaEjecutable) {
    // 1.
    form_.Actualizando = true;
    form_.DataCargada = false;
    // 2.
    dateTimePicker_->setDate(QDate::currentDate());
    form_.FechaReferencia = AFecha(QDate::currentDate());
    // 3.
    setWindowTitle(QStringLiteral("Varnolt"));
    findChild<QLabel*>(QStringLiteral("RxLabelTitle"))->setText(QStringLiteral("Varnolt"));
    monthCalendar1_->setSelectedDate(QDate::currentDate());
    findChild<QLabel*>(QStringLiteral("RxLabelVersion"))->setText(QStringLiteral("v.0.11.180"));
    findChild<QLabel*>(QStringLiteral("RxLabelFecha"))->setText(QStringLiteral("Ene 31 2026"));
    AjustarPaneles();
    // 4.
    twDetalleContactos_->setFixedWidth(395 + 5);
    // 5.
    form_.ModoAutonomo = EsEjecutableAutonomo(rutaEjecutable);
    // 6.
    form_.InfoData = "-No hay data cargada-";
    // 7.
    findChild<QLabel*>(QStringLiteral("LabelAbout"))->setText(QStringLiteral("Acerca de Varnolt"));
    if (form_.ModoAutonomo) {
        setWindowState(windowState() | Qt::WindowMaximized);
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    // 7., 8. The archetype file: the folder of FileARQ (read again from the
    // settings file when running by itself) with the fixed file name.
    if (datos_ != nullptr) {
        archivoArq_ = ArchivoArqInicial(*datos_, form_.ModoAutonomo);
    } else {
        // No settings (a window made by a test or a tool): the bundled sample
        // archetype file beside the program.
        archivoArq_ =
            S(QCoreApplication::applicationDirPath()) + "/arquetipos/" + kArchivoArqInicial;
    }
    arquetipos_.ArchivoArq = archivoArq_;
    // 9.
    form_.Actualizando = false;
    RefrescarFechasPP();
    SincronizarSEValPico();
}

void VentanaVarnolt::Ejecutar(const std::function<void()>& accion) {
    ++ejecutando_;
    try {
        accion();
    } catch (const std::exception& e) {
        CerrarProgreso();
        MostrarError(e.what());
    }
    --ejecutando_;
}

void VentanaVarnolt::ClicLista(ListaVarnolt*, const std::function<void()>& manejador) {
    Ejecutar(manejador);
}

void VentanaVarnolt::HabilitarControles(bool on) {
    Ejecutar([&] { form_.HabilitarControles(on); });
}

void VentanaVarnolt::AjustarPaneles() {
    Ejecutar([&] { form_.AjustarPaneles(); });
}

void VentanaVarnolt::SBViewArqClick() {
    Ejecutar([&] { form_.SBViewArqClick(sbViewArq_->isChecked()); });
}

void VentanaVarnolt::SBViewTendsClick() {
    Ejecutar([&] { form_.SBViewTendsClick(sbViewTends_->isChecked()); });
}

void VentanaVarnolt::FormResize() {
    if (ajustando_) {
        return;
    }
    ajustando_ = true;
    if (form_.SBViewTends) {
        form_.SBViewTendsClick(true);
    } else {
        form_.AjustarPaneles();
    }
    ajustando_ = false;
    AjustarGraficos();
}

void VentanaVarnolt::SBInfoDataClick() {
    Ejecutar([&] { form_.SBInfoDataClick(); });
}

void VentanaVarnolt::CargarAgendas(const std::vector<std::string>& archivos, bool limpiarAntes) {
    if (archivos.empty()) {
        return;
    }
    if (ejecutando_ > 0) {
        // Another action is running (a load, a dialog of a handler): these
        // files load after it.
        QTimer::singleShot(
            100, this, [this, archivos, limpiarAntes] { CargarAgendas(archivos, limpiarAntes); });
        return;
    }
    Ejecutar([&] {
        if (limpiarAntes) {
            form_.LimpiarData();
        }
        form_.CargarAgendas(archivos);
    });
}

// ---- Refrescar -------------------------------------------------------------------

void VentanaVarnolt::Refrescar(Vista vista) {
    switch (vista) {
        case Vista::Listas:
            RefrescarListas();
            break;
        case Vista::Controles:
            RefrescarControles();
            break;
        case Vista::Graficos:
            RefrescarGraficos();
            break;
        case Vista::FechasPP:
            RefrescarFechasPP();
            break;
        case Vista::Tendencia:
            RefrescarTendencia();
            break;
        case Vista::ContactosDia:
            RefrescarContactosDia();
            panelContactos_->Refrescar();
            break;
        case Vista::Arquetipos:
            panelArquetipos_->Refrescar();
            break;
        case Vista::Exportacion:
            panelRangos_->Refrescar();
            panelCSV_->Refrescar();
            setEnabled(form_.VentanaHabilitada);
            break;
    }
}

void VentanaVarnolt::RefrescarListas() {
    panelArquetipos_->Refrescar();
    lbYear_->Recargar();
    lbItemNat_->Recargar();
    lbItemTra_->Recargar();
    lbAspTra_->Recargar();
}

void VentanaVarnolt::RefrescarControles() {
    const bool on = form_.ControlesHabilitados;
    panelAspTra_->setEnabled(on);
    panelItemsNat_->setEnabled(on);
    panelItemsTra_->setEnabled(on);
    sbTAView_->setEnabled(on);
    for (QToolButton* b : sbPer_) {
        b->setEnabled(on);
    }
    lbYear_->setEnabled(on);
    monthCalendar1_->setEnabled(on);
    if (form_.BotonPeriodo >= 1 && form_.BotonPeriodo <= 19) {
        sbPer_[static_cast<size_t>(form_.BotonPeriodo - 1)]->setChecked(true);
    }
    sbViewArq_->setChecked(form_.SBViewArq);
    sbViewTends_->setChecked(form_.SBViewTends);
    sbMaxAxisOrd_->setChecked(form_.SBMaxAxisOrd);
    const QDate referencia = DeFecha(form_.FechaReferencia);
    if (dateTimePicker_->date() != referencia) {
        dateTimePicker_->setDate(referencia);
    }
    AjustarGraficos();
}

void VentanaVarnolt::RefrescarGraficos() {
    chartDia_->EjeFijo(EjeChartDia(form_.SBMaxAxisOrd, form_.EjeDiaMaximo));
    sbMaxAxisOrd_->setChecked(form_.SBMaxAxisOrd);
    for (GraficoBarras* c : {chartDia_, chartAngTra_, chartItemTra_, chartItemNat_}) {
        c->Actualizar();
    }
    const QDate dia = DeFecha(form_.FechaCalendario);
    if (monthCalendar1_->selectedDate() != dia) {
        const QSignalBlocker bloqueo(monthCalendar1_);
        monthCalendar1_->setSelectedDate(dia);
    }
}

void VentanaVarnolt::RefrescarFechasPP() {
    lbFechaPP_->Recargar();
    const TEtiquetasInfo& e = form_.Etiquetas;
    labelInfoRangoData_->setText(Lineas(e.RangoData));
    labelInfoRangoVisual_->setText(Lineas(e.RangoVisual));
    labelInfoSumaPP_->setText(Lineas(e.SumaPP));
    labelInfoFechasPico_->setText(Lineas(e.FechasPico));
    labelInfoMax_->setText(Lineas(e.Max));
    labelNoContactos_->setText(Lineas(e.NoContactos));
    const int tipo = static_cast<int>(form_.RGTipoFecha);
    if (tipo >= 0 && tipo < 2 && !tipoFecha_[tipo]->isChecked()) {
        tipoFecha_[tipo]->setChecked(true);
    }
    const int orden = static_cast<int>(form_.RGSortFecha);
    if (orden >= 0 && orden < 3 && !sortFecha_[orden]->isChecked()) {
        sortFecha_[orden]->setChecked(true);
    }
    if (cbViewMedia_->isChecked() != form_.CBViewMedia) {
        cbViewMedia_->setChecked(form_.CBViewMedia);
    }
}

void VentanaVarnolt::RefrescarTendencia() {
    // The range's title while data is loaded; the window's own caption
    // again after "Limpiar".
    twGraphRange_->setWindowTitle(form_.DataCargada
                                      ? Q(TituloTendencia(form_.RangoIni, form_.RangoFin))
                                      : QStringLiteral("Gráfico Tendencia."));
    pbRange_->update();
}

void VentanaVarnolt::RefrescarContactosDia() {
    sbViewContacto_->setChecked(form_.SBViewContacto);
    if (twDetalleContactos_->isVisible() != form_.TWDetalleContactosVisible) {
        twDetalleContactos_->setVisible(form_.TWDetalleContactosVisible);
    }
}

void VentanaVarnolt::SEValPicoCambio() {
    const std::string texto = S(seValPico_->findChild<QLineEdit*>()->text());
    if (texto == form_.SEValPico) {
        return;
    }
    Ejecutar([&] { form_.SEValPicoChange(texto); });
}

void VentanaVarnolt::SincronizarSEValPico() {
    QLineEdit* edit = seValPico_->findChild<QLineEdit*>();
    const QString texto = Q(form_.SEValPico);
    if (edit->text() == texto) {
        return;
    }
    const QSignalBlocker b1(seValPico_);
    const QSignalBlocker b2(edit);
    seValPico_->setValue(std::clamp(ValorPico(form_.SEValPico), 10, 100));
    edit->setText(texto);
}

// ---- Events ------------------------------------------------------------------------

bool VentanaVarnolt::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == labelAbout_ && bloqueoEntrada_ == 0 && e->type() == QEvent::MouseButtonRelease) {
        LabelAboutClick();
        return true;
    }
    if (bloqueoEntrada_ > 0) {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
                return true;
            case QEvent::Close:
                if (objeto == this) {
                    e->ignore();
                    return true;
                }
                break;
            default:
                break;
        }
    }
    if (objeto == panelCharts_ && e->type() == QEvent::Resize) {
        FormResize();
    }
    return QMainWindow::eventFilter(objeto, e);
}

void VentanaVarnolt::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (primeraVez_) {
        primeraVez_ = false;
        FormResize();
    }
}

void VentanaVarnolt::dragEnterEvent(QDragEnterEvent* e) {
    if (EntradaBloqueada() || !e->mimeData()->hasUrls()) {
        return;
    }
    for (const QUrl& u : e->mimeData()->urls()) {
        if (u.isLocalFile()) {
            e->acceptProposedAction();
            return;
        }
    }
}

void VentanaVarnolt::dropEvent(QDropEvent* e) {
    std::vector<std::string> archivos;
    for (const QUrl& u : e->mimeData()->urls()) {
        if (u.isLocalFile() && QFileInfo(u.toLocalFile()).isFile()) {
            archivos.push_back(RutaLocal(u.toLocalFile()));
        }
    }
    if (archivos.empty()) {
        return;
    }
    e->acceptProposedAction();
    // After the drop has finished: the load shows modal windows.
    QTimer::singleShot(0, this, [this, archivos] { CargarAgendas(archivos); });
}

VentanaHerramienta* VentanaVarnolt::Herramienta(const QString& nombre) const {
    for (VentanaHerramienta* tw : herramientas_) {
        if (tw->objectName() == nombre) {
            return tw;
        }
    }
    return nullptr;
}

std::function<void(const std::function<void()>&)> VentanaVarnolt::EjecutorVentana() {
    return [this](const std::function<void()>& accion) { Ejecutar(accion); };
}

}  // namespace varnolt::gui
