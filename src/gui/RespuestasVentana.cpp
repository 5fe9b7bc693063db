// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window's answers to the core's questions (IVentana): the
// message window, the standard boxes, the file dialogs, the progress and
// notice windows, letting window messages run during long work, and the
// clipboard.
#include "gui/VentanaVarnolt.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>

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

std::optional<std::string> VentanaVarnolt::PedirArchivoGuardar(const PeticionGuardar& peticion) {
    if (DialogoGuardar) {
        return DialogoGuardar(peticion);
    }
    // Qt's own dialog (not the desktop's), so that it behaves the same
    // everywhere: it asks before replacing a file, adds the default
    // extension to a name typed without one and starts in the folder the
    // core names (its own default when that is gone) with the proposed name.
    const QString carpeta = QFile::decodeName(peticion.CarpetaInicial.c_str());
    QFileDialog dialogo(this, Q(peticion.Titulo),
                        !carpeta.isEmpty() && QFileInfo(carpeta).isDir() ? carpeta : QString(),
                        FiltroQt(peticion.Filtro));
    dialogo.setObjectName(QStringLiteral("SaveDialog"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialogo.setDefaultSuffix(Q(peticion.ExtensionPorDefecto));
    dialogo.setSizeGripEnabled(true);
    if (!peticion.NombrePropuesto.empty()) {
        dialogo.selectFile(Q(peticion.NombrePropuesto));
    }
    if (dialogo.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList elegidos = dialogo.selectedFiles();
    if (elegidos.isEmpty() || elegidos.front().isEmpty()) {
        return std::nullopt;
    }
    return RutaLocal(elegidos.front());
}

void VentanaVarnolt::CopiarAlPortapapeles(const std::string& texto) {
    // Plain text; the core's lines end in "\n" already.
    QApplication::clipboard()->setText(Q(texto), QClipboard::Clipboard);
}

void VentanaVarnolt::PrestarProgreso(QProgressDialog* progreso, int base) {
    progresoPrestado_ = progreso;
    baseProgresoPrestado_ = base;
}

void VentanaVarnolt::MostrarProgreso() {
    ++vecesProgreso_;
    if (progresoPrestado_ != nullptr) {
        return;
    }
    if (formStepCount_ == nullptr) {
        formStepCount_ = new TFormStepCount(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    formStepCount_->show();
    Centrar(formStepCount_);
}

void VentanaVarnolt::TituloProgreso(const std::string& titulo) {
    if (progresoPrestado_ != nullptr) {
        progresoPrestado_->setLabelText(Q(titulo));
    } else if (formStepCount_ != nullptr) {
        formStepCount_->setWindowTitle(Q(titulo));
    }
}

void VentanaVarnolt::PosicionProgreso(int porcentaje) {
    if (progresoPrestado_ != nullptr) {
        progresoPrestado_->setValue(baseProgresoPrestado_ +
                                    porcentaje * (100 - baseProgresoPrestado_) / 100);
    } else if (formStepCount_ != nullptr) {
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
