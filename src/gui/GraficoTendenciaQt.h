// SPDX-License-Identifier: AGPL-3.0-or-later
// PBRange, the paint box of the trend graph: every paint asks the
// core for the drawing steps of its current size (DibujarTendencia) and
// carries them out; it keeps nothing between paints.
#pragma once

#include <QFont>
#include <QStaticText>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "views/GraficoTendencia.h"

namespace varnolt::gui {

class GraficoTendenciaQt : public QWidget {
    Q_OBJECT
  public:
    // `datos` gives the drawing of a size; the window reads the core for it.
    using FuenteDatos = std::function<TDibujoTendencia(int ancho, int alto, const AnchoTextoFn&)>;

    GraficoTendenciaQt(FuenteDatos datos, QWidget* padre);

    // The steps of the current size, as the next paint carries them out.
    TDibujoTendencia Dibujo() const;
    // "Small Fonts", size 7 (the nearest font the system has).
    const QFont& FuenteEtiquetas() const { return fuente_; }

  signals:
    // The drawing set a caption (data loaded): the tool window takes it.
    void Titulo(const QString& titulo);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    FuenteDatos datos_;
    QFont fuente_;
    std::map<std::string, QStaticText> textos_;
};

}  // namespace varnolt::gui
