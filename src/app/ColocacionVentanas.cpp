#include "app/ColocacionVentanas.h"

#include <algorithm>

namespace varnolt {

bool SeSolapan(const TRectangulo& a, const TRectangulo& b) {
    return a.Ancho > 0 && a.Alto > 0 && b.Ancho > 0 && b.Alto > 0 && a.X < b.X + b.Ancho &&
           b.X < a.X + a.Ancho && a.Y < b.Y + b.Alto && b.Y < a.Y + a.Alto;
}

TRectangulo ColocarVentanaHerramienta(const TPeticionColocacion& p) {
    const int sep = kSeparacionVentanas;
    const TRectangulo& pan = p.Pantalla;
    const int izquierda = pan.X;
    const int derecha = pan.X + pan.Ancho;
    const int abajo = pan.Y + pan.Alto;

    // The client size; a resizable window narrower than the screen, and
    // shorter when it would run past the screen's bottom.
    int ancho = p.Ancho;
    int alto = p.Alto;
    if (p.Redimensionable) {
        ancho = std::min(ancho, std::max(1, pan.Ancho - 2 * p.MarcoLado));
    }
    const int anchoMarco = ancho + 2 * p.MarcoLado;

    // First choice of height: just below the commands.
    int y = std::max(pan.Y, p.Comandos.Y + p.Comandos.Alto + sep);
    int altoMarco = alto + p.MarcoArriba + p.MarcoLado;
    if (y + altoMarco > abajo) {
        const int cabe = abajo - y - p.MarcoArriba - p.MarcoLado;
        if (p.Redimensionable && cabe >= std::max(1, p.AltoMinimo)) {
            alto = std::min(alto, cabe);
            altoMarco = alto + p.MarcoArriba + p.MarcoLado;
        } else {
            // Too tall for the room below the commands: as low as the screen
            // allows, covering as little of them as it can.
            y = std::max(pan.Y, abajo - altoMarco);
        }
    }

    // Across: at the right edge of the screen, else left of a window that
    // is already there, else at the left edge; the first place that covers
    // no other tool window wins, the right edge when none does.
    std::vector<int> columnas{derecha - anchoMarco - sep};
    for (const TRectangulo& o : p.Ocupadas) {
        columnas.push_back(o.X - anchoMarco - sep);
    }
    columnas.push_back(izquierda + sep);
    auto dentro = [&](int x) {
        return std::clamp(x, izquierda, std::max(izquierda, derecha - anchoMarco));
    };
    int x = dentro(columnas.front());
    for (int c : columnas) {
        if (c < izquierda || c + anchoMarco > derecha) {
            continue;
        }
        const TRectangulo marco{c, y, anchoMarco, altoMarco};
        const bool libre = std::none_of(p.Ocupadas.begin(), p.Ocupadas.end(),
                                        [&](const TRectangulo& o) { return SeSolapan(marco, o); });
        if (libre) {
            x = c;
            break;
        }
    }
    return {x, y, ancho, alto};
}

}  // namespace varnolt
