// SPDX-License-Identifier: AGPL-3.0-or-later
// The first place of a tool window: below the command panel, clear of the
// buttons that opened it, within the screen, beside the tool windows already
// showing; and the places remembered from an earlier run.
#include <gtest/gtest.h>

#include "app/ColocacionVentanas.h"

namespace varnolt {
namespace {

using R = TRectangulo;

// A 1280 × 720 screen with the main window's 196-pixel command panel at the
// top, under a 30-pixel title bar.
TPeticionColocacion Peticion(int ancho, int alto) {
    TPeticionColocacion p;
    p.Pantalla = {0, 0, 1280, 720};
    p.Comandos = {0, 30, 1280, 196};
    p.Ancho = ancho;
    p.Alto = alto;
    p.MarcoArriba = 24;
    p.MarcoLado = 1;
    return p;
}

R Marco(const TPeticionColocacion& p, const R& r) {
    return {r.X, r.Y, r.Ancho + 2 * p.MarcoLado, r.Alto + p.MarcoArriba + p.MarcoLado};
}

TEST(ColocacionVentanas, NeverOverTheCommandsAndWithinTheScreen) {
    struct Caso {
        const char* ventana;
        int ancho, alto;
        bool redimensionable;
    };
    const Caso casos[] = {
        {"TWGraphRange", 1142, 186, true},    {"TWDetalleFechas", 300, 560, true},
        {"TWLumbrisk", 186, 218, false},      {"TWDetalleContactos", 400, 420, false},
        {"TWPromptContacts", 640, 420, true}, {"TWCSV", 700, 440, false},
    };
    for (const Caso& c : casos) {
        TPeticionColocacion p = Peticion(c.ancho, c.alto);
        p.Redimensionable = c.redimensionable;
        p.AltoMinimo = 100;
        const R r = ColocarVentanaHerramienta(p);
        const R marco = Marco(p, r);
        EXPECT_FALSE(SeSolapan(marco, p.Comandos)) << c.ventana;
        EXPECT_GE(marco.X, 0) << c.ventana;
        EXPECT_LE(marco.X + marco.Ancho, 1280) << c.ventana;
        EXPECT_LE(marco.Y + marco.Alto, 720) << c.ventana;
        EXPECT_EQ(r.Ancho, c.ancho) << c.ventana;
    }
}

TEST(ColocacionVentanas, AtTheRightEdgeBelowTheCommands) {
    const TPeticionColocacion p = Peticion(186, 218);
    const R r = ColocarVentanaHerramienta(p);
    EXPECT_EQ(r, (R{1280 - 188 - kSeparacionVentanas, 226 + kSeparacionVentanas, 186, 218}));
}

TEST(ColocacionVentanas, ATallResizableWindowIsMadeShorter) {
    TPeticionColocacion p = Peticion(300, 560);
    p.Redimensionable = true;
    p.AltoMinimo = 120;
    const R r = ColocarVentanaHerramienta(p);
    EXPECT_EQ(r.Y, 230);
    EXPECT_EQ(r.Alto, 720 - 230 - 24 - 1);
    // Fixed in size it goes as low as the screen allows instead.
    p.Redimensionable = false;
    const R fijo = ColocarVentanaHerramienta(p);
    EXPECT_EQ(fijo.Alto, 560);
    EXPECT_EQ(fijo.Y, 720 - 585);
}

TEST(ColocacionVentanas, BesideTheWindowsAlreadyShowing) {
    TPeticionColocacion p = Peticion(300, 300);
    const R primera = Marco(p, ColocarVentanaHerramienta(p));
    p.Ocupadas.push_back(primera);
    const R segunda = Marco(p, ColocarVentanaHerramienta(p));
    EXPECT_FALSE(SeSolapan(primera, segunda));
    EXPECT_EQ(segunda.X + segunda.Ancho + kSeparacionVentanas, primera.X);
    // No room beside them: back at the right edge.
    p.Ancho = 1100;
    EXPECT_EQ(ColocarVentanaHerramienta(p).X, 1280 - 1102 - kSeparacionVentanas);
}

TEST(ColocacionVentanas, AScreenBesideTheMainWindow) {
    // A second screen right of the first: the window stays on its screen.
    TPeticionColocacion p = Peticion(400, 300);
    p.Pantalla = {1280, 0, 1920, 1080};
    p.Comandos = {1280, 30, 1400, 196};
    const R r = ColocarVentanaHerramienta(p);
    EXPECT_EQ(r.X, 1280 + 1920 - 402 - kSeparacionVentanas);
    EXPECT_EQ(r.Y, 230);
}

TEST(ColocacionVentanas, ClearOfTheButtonsOfTheWindowThatOpenedIt) {
    // "Data CSV" (700 × 460, shorter when needed) opened from the button bar
    // of "Rangos de contactos", which stands at the right edge below the
    // commands. On a 1920-pixel screen it goes beside it; on a 1280-pixel one
    // there is no room beside it, so it goes below the bar, shortened.
    struct Caso {
        int anchoPantalla;
        R esperado;
    };
    const Caso casos[] = {
        {1920, R{1920 - 642 - 4 - 702 - 4, 230, 700, 460}},
        {1280, R{1280 - 702 - 4, 230 + 25 + 24 + 4, 700, 720 - 283 - 25}},
    };
    for (const Caso& c : casos) {
        TPeticionColocacion p = Peticion(700, 460);
        p.Pantalla.Ancho = c.anchoPantalla;
        p.Comandos.Ancho = c.anchoPantalla;
        p.Redimensionable = true;
        p.AltoMinimo = 300;
        const R rangos{c.anchoPantalla - 642 - 4, 230, 642, 445};
        const R barra{rangos.X + 3, rangos.Y + 25, 200, 24};
        p.Ocupadas.push_back(rangos);
        p.Evitar.push_back(barra);
        const R r = ColocarVentanaHerramienta(p);
        EXPECT_EQ(r, c.esperado) << c.anchoPantalla;
        EXPECT_FALSE(SeSolapan(Marco(p, r), barra)) << c.anchoPantalla;
        EXPECT_FALSE(SeSolapan(Marco(p, r), p.Comandos)) << c.anchoPantalla;
        EXPECT_LE(Marco(p, r).Y + Marco(p, r).Alto, 720) << c.anchoPantalla;
    }
}

TEST(ColocacionVentanas, ATallWindowThatMayOnlyGrowShorterStaysOffTheCommands) {
    // "Contactos Día": fixed width, 520 high, at least 300: on a 720-pixel
    // screen it is shortened instead of being pushed up over the filters.
    TPeticionColocacion p = Peticion(400, 520);
    p.Redimensionable = true;
    p.AltoMinimo = 300;
    const R r = ColocarVentanaHerramienta(p);
    EXPECT_EQ(r, (R{1280 - 402 - 4, 230, 400, 720 - 230 - 25}));
}

TEST(ColocacionVentanas, ASavedPlaceComesBackOnlyWhileItFitsAScreen) {
    constexpr int kMax = 2147483647;
    const std::vector<R> unaPantalla{{0, 0, 1280, 720}};
    const std::vector<R> dosPantallas{{0, 0, 1280, 720}, {1280, 0, 1920, 1080}};
    struct Caso {
        const char* que;
        R lugar;
        const std::vector<R>* pantallas;
        bool vuelve;
    };
    const Caso casos[] = {
        {"wholly on the screen", {874, 230, 300, 400}, &unaPantalla, true},
        {"touching the bottom-right corner", {1280 - 302, 720 - 425, 300, 400}, &unaPantalla, true},
        {"saved on 1920x1080, too low for 720", {20, 611, 300, 560}, &unaPantalla, false},
        {"corner near the bottom-right corner", {1260, 700, 300, 400}, &unaPantalla, false},
        {"32767 x 32767", {0, 0, 32767, 32767}, &unaPantalla, false},
        {"off every screen", {90000, 90000, 500, 300}, &unaPantalla, false},
        {"left of the screen", {-40, 230, 300, 400}, &unaPantalla, false},
        {"zero width", {10, 230, 0, 400}, &unaPantalla, false},
        {"negative height", {10, 230, 300, -5}, &unaPantalla, false},
        {"near the limits of int", {kMax - 10, kMax - 10, kMax, kMax}, &unaPantalla, false},
        {"on the second screen", {2500, 500, 500, 500}, &dosPantallas, true},
        {"across both screens", {1100, 100, 500, 300}, &dosPantallas, false},
        {"no screen at all", {10, 10, 100, 100}, nullptr, false},
    };
    const std::vector<R> ninguna;
    for (const Caso& c : casos) {
        const auto r =
            LugarGuardadoEnPantalla(c.lugar, c.pantallas ? *c.pantallas : ninguna, 24, 1);
        EXPECT_EQ(r.has_value(), c.vuelve) << c.que;
        if (r) {
            EXPECT_EQ(*r, c.lugar) << c.que;
        }
    }
}

}  // namespace
}  // namespace varnolt
