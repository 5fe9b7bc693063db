// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/ColocacionVentanas.h"

#include <algorithm>
#include <cstdint>

namespace varnolt {

namespace {

using Largo = std::int64_t;

// A's frame lies wholly inside B (computed wide: saved sizes may be huge).
bool Dentro(Largo x, Largo y, Largo ancho, Largo alto, const TRectangulo& b) {
    return x >= b.X && y >= b.Y && x + ancho <= Largo{b.X} + b.Ancho &&
           y + alto <= Largo{b.Y} + b.Alto;
}

}  // namespace

bool SeSolapan(const TRectangulo& a, const TRectangulo& b) {
    return a.Ancho > 0 && a.Alto > 0 && b.Ancho > 0 && b.Alto > 0 && a.X < Largo{b.X} + b.Ancho &&
           b.X < Largo{a.X} + a.Ancho && a.Y < Largo{b.Y} + b.Alto && b.Y < Largo{a.Y} + a.Alto;
}

TRectangulo ColocarVentanaHerramienta(const TPeticionColocacion& p) {
    const int sep = kSeparacionVentanas;
    const TRectangulo& pan = p.Pantalla;
    const int izquierda = pan.X;
    const int derecha = pan.X + pan.Ancho;
    const int abajo = pan.Y + pan.Alto;
    const int marcoAlto = p.MarcoArriba + p.MarcoLado;

    // The client width; a resizable window no wider than the screen.
    int ancho = p.Ancho;
    if (p.Redimensionable) {
        ancho = std::min(ancho, std::max(1, pan.Ancho - 2 * p.MarcoLado));
    }
    const int anchoMarco = ancho + 2 * p.MarcoLado;

    // The client height at a given top: the window's own, or less when it
    // may be made shorter; none when it does not fit there.
    auto altoEn = [&](int y) -> std::optional<int> {
        const int cabe = abajo - y - marcoAlto;
        if (p.Alto <= cabe) {
            return p.Alto;
        }
        if (p.Redimensionable && cabe >= std::max(1, p.AltoMinimo)) {
            return cabe;
        }
        return std::nullopt;
    };

    const int bajoComandos = std::max(pan.Y, p.Comandos.Y + p.Comandos.Alto + sep);
    std::vector<int> filas{bajoComandos};
    for (const TRectangulo& e : p.Evitar) {
        filas.push_back(std::max(bajoComandos, e.Y + e.Alto + sep));
    }
    std::vector<int> columnas{derecha - anchoMarco - sep};
    for (const TRectangulo& o : p.Ocupadas) {
        columnas.push_back(o.X - anchoMarco - sep);
    }
    for (const TRectangulo& e : p.Evitar) {
        columnas.push_back(e.X + e.Ancho + sep);
    }
    columnas.push_back(izquierda + sep);

    auto cubre = [](const TRectangulo& marco, const std::vector<TRectangulo>& otras) {
        return std::any_of(otras.begin(), otras.end(),
                           [&](const TRectangulo& o) { return SeSolapan(marco, o); });
    };
    // First a place that covers no other tool window, then one that only
    // keeps clear of the commands and of Evitar.
    for (const bool libreDeOtras : {true, false}) {
        for (const int y : filas) {
            const std::optional<int> alto = altoEn(y);
            if (!alto) {
                continue;
            }
            for (const int x : columnas) {
                const TRectangulo marco{x, y, anchoMarco, *alto + marcoAlto};
                if (x < izquierda || x + anchoMarco > derecha || SeSolapan(marco, p.Comandos) ||
                    cubre(marco, p.Evitar) || (libreDeOtras && cubre(marco, p.Ocupadas))) {
                    continue;
                }
                return {x, y, ancho, *alto};
            }
        }
    }

    // No clear place: too tall for the room below the commands, as low as
    // the screen allows, covering as little of them as it can.
    const int alto = altoEn(bajoComandos).value_or(p.Alto);
    const int y = std::max(pan.Y, std::min(bajoComandos, abajo - (alto + marcoAlto)));
    const int x = std::clamp(derecha - anchoMarco - sep, izquierda,
                             std::max(izquierda, derecha - anchoMarco));
    return {x, y, ancho, alto};
}

std::optional<TRectangulo> LugarGuardadoEnPantalla(const TRectangulo& lugar,
                                                   const std::vector<TRectangulo>& pantallas,
                                                   int marcoArriba, int marcoLado) {
    if (lugar.Ancho <= 0 || lugar.Alto <= 0) {
        return std::nullopt;
    }
    const Largo anchoMarco = Largo{lugar.Ancho} + 2 * Largo{marcoLado};
    const Largo altoMarco = Largo{lugar.Alto} + marcoArriba + marcoLado;
    for (const TRectangulo& pantalla : pantallas) {
        if (Dentro(lugar.X, lugar.Y, anchoMarco, altoMarco, pantalla)) {
            return lugar;
        }
    }
    return std::nullopt;
}

}  // namespace varnolt
