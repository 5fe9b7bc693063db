// The main window's answers to the core's questions (IVentana): the
// message window, the standard boxes, the file dialogs, the progress and
// notice windows, and letting window messages run during long work.
#include "gui/VentanaVarnolt.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressBar>

#include "gui/PartesComun.h"
#include "gui/TextoQt.h"
#include "gui/VentanaFechas.h"
#include "gui/VentanasPequenas.h"

namespace varnolt::gui {

// ---- The core's questions ----------------------------------------------------------

void VentanaVarnolt::MostrarMensaje(const std::string& texto) {
    formMSG_->PonerTexto(Q(texto));
    if (DialogoMensaje) {
        DialogoMensaje(texto);
        return;
    }
    formMSG_->Mostrar(Q(texto));
}

void VentanaVarnolt::MostrarError(const std::string& texto) {
    if (DialogoError) {
        DialogoError(texto);
        return;
    }
    QMessageBox::critical(this, QStringLiteral("Varnolt"), Lineas(texto));
}

void VentanaVarnolt::MostrarInformacion(const std::string& texto) {
    if (DialogoInformacion) {
        DialogoInformacion(texto);
        return;
    }
    QMessageBox::information(this, QStringLiteral("Varnolt"), Lineas(texto));
}

std::optional<std::vector<std::string>> VentanaVarnolt::PedirArchivosAgenda(
    const std::string& carpetaInicial) {
    if (DialogoAbrir) {
        return DialogoAbrir(carpetaInicial);
    }
    const QStringList archivos = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Abrir"), QFile::decodeName(carpetaInicial.c_str()),
        QStringLiteral("Archivos CSV (*.csv)"));
    if (archivos.isEmpty()) {
        return std::nullopt;
    }
    std::vector<std::string> r;
    for (const QString& a : archivos) {
        r.push_back(RutaLocal(a));
    }
    return r;
}

void VentanaVarnolt::MostrarProgreso() {
    ++vecesProgreso_;
    if (formStepCount_ == nullptr) {
        formStepCount_ = new TFormStepCount(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    formStepCount_->show();
    Centrar(formStepCount_);
}

void VentanaVarnolt::TituloProgreso(const std::string& titulo) {
    if (formStepCount_ != nullptr) {
        formStepCount_->setWindowTitle(Q(titulo));
    }
}

void VentanaVarnolt::PosicionProgreso(int porcentaje) {
    if (formStepCount_ != nullptr) {
        formStepCount_->PB()->setValue(porcentaje);
    }
}

void VentanaVarnolt::CerrarProgreso() {
    if (formStepCount_ == nullptr) {
        return;
    }
    formStepCount_->close();
    delete formStepCount_;
    formStepCount_ = nullptr;
    QApplication::restoreOverrideCursor();
}

void VentanaVarnolt::CerrarAviso() {
    if (formAviso_->isVisible()) {
        formAviso_->close();
    }
}

void VentanaVarnolt::ProcesarMensajes() {
    // Input to the program's windows is dropped while the core's work lets
    // window messages run: no second Data action, no "Limpiar", no change of
    // selection can start in the middle of it.
    if (bloqueoEntrada_++ == 0) {
        qApp->installEventFilter(this);
    }
    QCoreApplication::processEvents();
    if (--bloqueoEntrada_ == 0) {
        qApp->removeEventFilter(this);
    }
}

}  // namespace varnolt::gui
