// SPDX-License-Identifier: AGPL-3.0-or-later
// "Acerca de Varnolt": the program's name, version and purpose, its licence
// and the credits the libraries it uses require, and where its documentation
// lies on this machine. Every text can be selected and copied; nothing in it
// opens a browser or another program.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

namespace varnolt::gui {

// The files the box names: the program's documentation (its README.md) and
// its licence and credits (the package's copyright file, or the LICENSE of
// the checkout the program was built from).
struct DocumentosPrograma {
    QString Manual;
    QString Licencia;
};
DocumentosPrograma DocumentosDelPrograma(const std::string& ejecutable);

// The box's text, as rich text (tests read it).
QString TextoAcercaDe(const QString& version, const DocumentosPrograma& documentos);

class DialogoAcercaDe : public QDialog {
    Q_OBJECT
  public:
    DialogoAcercaDe(const QString& version, const DocumentosPrograma& documentos, QWidget* padre);
};

}  // namespace varnolt::gui
