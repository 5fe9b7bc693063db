// Where a floating tool window first appears: below the main window's
// command panel, so that it never covers the buttons that toggle it, at the
// right edge of the screen or left of the tool windows already showing, and
// always within the screen. The window keeps the place the user gives it
// afterwards; this rule only chooses the first one.
#pragma once

#include <vector>

#include "views/PresentacionGraficos.h"

namespace varnolt {

struct TPeticionColocacion {
    TRectangulo Pantalla;  // the screen's available area
    TRectangulo Comandos;  // the command panel, in screen coordinates
    int Ancho = 0;         // the window's client size
    int Alto = 0;
    // A window the user may resize can be made shorter to fit below the
    // commands, down to AltoMinimo.
    bool Redimensionable = false;
    int AltoMinimo = 0;
    // What the window manager's frame adds around the client area: the
    // title bar above it, the border on each side.
    int MarcoArriba = 0;
    int MarcoLado = 0;
    // The tool windows already showing (frames included), in screen
    // coordinates: a new window goes beside them when it can.
    std::vector<TRectangulo> Ocupadas;
};

// The gap kept between the window, the commands and the screen's edges.
inline constexpr int kSeparacionVentanas = 4;

// The frame's top-left corner (X, Y) and the client size (Ancho, Alto).
TRectangulo ColocarVentanaHerramienta(const TPeticionColocacion& p);

// True when the rectangles share at least one pixel.
bool SeSolapan(const TRectangulo& a, const TRectangulo& b);

}  // namespace varnolt
