// The first place of a tool window: below the command panel, within the
// screen, beside the tool windows already showing.
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

}  // namespace
}  // namespace varnolt
