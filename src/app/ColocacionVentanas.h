// SPDX-License-Identifier: AGPL-3.0-or-later
// Where a floating tool window appears: clear of the main window's command
// panel and of the buttons that opened it, at the right edge of the screen or
// beside the tool windows already showing, and always wholly within the
// screen (a resizable window is made smaller to fit). The window keeps the
// place the user gives it afterwards; a place remembered from an earlier run
// comes back only while it still fits a screen.
#pragma once

#include <optional>
#include <vector>

#include "views/PresentacionGraficos.h"

namespace varnolt {

struct TPeticionColocacion {
    TRectangulo Pantalla;  // the screen's available area
    TRectangulo Comandos;  // the command panel, in screen coordinates
    int Ancho = 0;         // the window's client size
    int Alto = 0;
    // A window the user may resize can be made narrower and shorter to fit,
    // down to AltoMinimo.
    bool Redimensionable = false;
    int AltoMinimo = 0;
    // What the window manager's frame adds around the client area: the
    // title bar above it, the border on each side.
    int MarcoArriba = 0;
    int MarcoLado = 0;
    // The tool windows already showing (frames included), in screen
    // coordinates: a new window goes beside them when it can.
    std::vector<TRectangulo> Ocupadas;
    // What the window must never cover besides the command panel: the
    // buttons that opened it when they lie in another tool window.
    std::vector<TRectangulo> Evitar;
};

// The gap kept between the window, the commands and the screen's edges.
inline constexpr int kSeparacionVentanas = 4;

// The frame's top-left corner (X, Y) and the client size (Ancho, Alto).
// The first place, in this order of preference, that lies wholly on the
// screen and covers neither the commands nor Evitar: just below the commands,
// else just below a rectangle of Evitar; across, at the screen's right edge,
// left of a window already there, right of a rectangle of Evitar, or at the
// left edge. A place that also covers no other tool window wins over one that
// does. When no place is clear the window goes below the commands at the
// right edge, as low as the screen allows.
TRectangulo ColocarVentanaHerramienta(const TPeticionColocacion& p);

// A place remembered from an earlier run (the frame's top-left corner and the
// client size, as ColocarVentanaHerramienta gives it) checked against the
// screens' available areas: it comes back when its frame lies wholly on one
// of them; a size of zero or less, one larger than every screen, or a place
// partly or wholly off the screens is forgotten (no value), and the window is
// then placed anew. Sizes near the limits of int do not overflow.
std::optional<TRectangulo> LugarGuardadoEnPantalla(const TRectangulo& lugar,
                                                   const std::vector<TRectangulo>& pantallas,
                                                   int marcoArriba, int marcoLado);

// True when the rectangles share at least one pixel.
bool SeSolapan(const TRectangulo& a, const TRectangulo& b);

}  // namespace varnolt
