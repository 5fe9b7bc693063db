// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/settings/Configuracion.h"

#include <stdexcept>
#include <utility>

#include "app/settings/Carpetas.h"

namespace varnolt {
namespace {

constexpr DefAjuste B(std::string_view clave, int defecto, Regla regla = Regla::Normal) {
    return DefAjuste{clave, Forma::Booleano, static_cast<double>(defecto), {}, false, regla};
}
constexpr DefAjuste I(std::string_view clave, int defecto) {
    return DefAjuste{clave, Forma::Entero, static_cast<double>(defecto)};
}
constexpr DefAjuste C(std::string_view clave, int defecto) {
    return DefAjuste{clave, Forma::Color, static_cast<double>(defecto)};
}
constexpr DefAjuste R(std::string_view clave, double defecto) {
    return DefAjuste{clave, Forma::Real, defecto};
}
constexpr DefAjuste S(std::string_view clave, std::string_view defecto) {
    return DefAjuste{clave, Forma::Cadena, 0, defecto};
}
// A path under the documents folder.
constexpr DefAjuste P(std::string_view clave, std::string_view defecto) {
    return DefAjuste{clave, Forma::Cadena, 0, defecto, true};
}

constexpr DefAjuste kData[] = {
    P("FileAGQ", "quillmere/Ejemplos_quillmere_v.02.agq"),
    P("FileEFQ", "quillmere/Kermadex_Efemerides_v.1.00.1900_2050.efq"),
    P("FileARQ", "quillmere/Orbelune arquetipos/quillmere_C1_001_v.1.0.arq"),
    R("TZ", 0),
    I("LugarGeoIdDefault", -1),
    I("IdSysHousesNat", 0),
    I("IdSysHousesDin", 0),
    I("FT1", 0),
    I("FT2", 0),
    I("FT3", 0),
    I("FT4", 0),
    I("FT5", 0),
    B("OrbConj50", 1),
    B("OrbConjPlaOcu", 1),
    B("OrbConjCusp", 1),
    B("ShowAvisoMain", 1),
    S("AboutUser", ""),
    C("TemplateFC", 0),
    C("TemplateBC", 16777215),
    C("PromptFC", 16777215),
    C("PromptBC", 0),
    I("IdListTDU", 0),
    I("IdLanguage", 0),
};

constexpr DefAjuste kView[] = {
    B("FechaTra", 1),
    B("Edad", 1),
    B("LugNac", 0),
    B("LugDin", 0),
    B("NacGMT", 1),
    B("NacLoc", 1),
    B("TraGMT", 1),
    B("TraLoc", 1),
    B("Asp", 0),
    B("ViewPosCuspNat", 0, Regla::SiempreFalso),
    B("ViewPosCuspDin", 0, Regla::SiempreFalso),
    B("DetalleCiclo", 1),
    B("ItemName", 1),
    B("ItemGlifo", 1),
    B("ItemPos", 1),
    B("Lunas", 1),
    B("Ciclos", 1, Regla::SoloEscritura),
    B("SignosRx", 1, Regla::SoloEscritura),
    B("Colectivo", 0),
    B("Personal", 0),
    B("Especifico", 0, Regla::SiempreFalso),
    B("HexaCol", 1),
    B("HexaPer", 1),
    B("CodCorvettan3D", 0),
    B("DiasLuna", 0),
    B("AdjustGlifo", 1),
    B("HexaEsp", 0, Regla::SiempreFalso),
    B("BackColor", 0),
    B("CodColor", 1),
    B("ViewCuspRom", 1),
    B("ViewDeca", 0),
    B("ViewDodeca", 0),
    B("ViewEjesNat", 1),
    B("ViewEjesDin", 0),
    I("SizePen", 5),
    I("Orbe", 8),
    C("ColorDraw", 16711935),
    I("EsquemaColor", 1),
    I("PosMenuItems", 1),
};

constexpr DefAjuste kApps[] = {
    I("ShowFennimar", 1),
};

constexpr DefAjuste kViewPelliqor[] = {
    B("ViewBackColor", 0),
    B("ViewNameRx1", 1),
    B("NacGMT", 1),
    B("NacLoc", 1),
    B("LugNac", 1),
    B("LugDin", 0),
    B("ViewEvento", 1),
    B("ViewEdad", 1),
    B("ViewTraLoc", 1),
    B("ViewTraGMT", 1),
    B("ViewEjesNat", 0),
    B("ViewEjesDin", 0),
    B("ViewPosCuspNat", 1),
    B("ViewPosCuspDin", 0),
    B("ViewPos", 1),
    B("ViewPosRx", 0),
    B("ViewDeca", 0),
    B("ViewDodeca", 0),
    B("ViewSerHumano", 0),
    B("ViewCuspRom", 1),
    B("ViewPorPeso", 1),

    I("SizePen", 5),
    C("ColorDraw", 16711935),
    C("ColorHCircle", 8421504),
    C("ColorHPolo", 255),
    C("ColorCos", 8421376),
    C("ColorEvo", 8388608),
    C("ColorHSDiv", 8421376),
    C("ColorHSCin", 8388608),
    C("ColorHSCro", 128),
    I("PorHSDiv", 100),
    I("PorHSCin", 60),
    I("PorHSCro", 30),
    I("SWDiv", 2),
    I("SWCin", 2),
    I("SWCro", 2),
    I("SHWCircle", 1),
    I("FSHDiv", 20),
    I("FSHCin", 20),
    I("FSHCro", 20),
    I("IdHorizonte", 0),
    I("EsquemaColor", 0),
    I("NoArmon", 4),
    I("PorArmon", 86),
    I("ArmonOrbe", 5),
    C("ColorArmon", 8421376),
    I("ArmonPtoWidth", 5),
    I("ArmonLineWidth", 2),

    B("ViewArmonOrbe", 1),
    B("ViewArmonLine", 1),
    B("ViewLinePosArmon", 1),
    B("ViewArmonAsp", 0),
    B("ViewArmonPto", 1),

    C("ColorFiguras", 8388736),
    I("FigurasLineWidth", 5),
    I("PosAspNat1", 53),
    I("PosAspNat2", 53),
    I("PosAspDin1", 92),
    I("PosAspDin2", 92),
    I("PosAspNatDin1", 85),
    I("PosAspNatDin2", 92),
    I("PosAspDinNat1", 92),
    I("PosAspDinNat2", 85),
    I("porMoonPhase", 90),
    I("FontSizeGlifo", 15),
    I("TipoOrbe", 1),
    I("OrbeFijo", 2),
    I("PesoFijo", 5),
    I("anchoHist", 5),
    I("AspDeltaPor", 5),
    I("SortPeso", 1),
    I("SortListAsp", 0),
    I("IdxDiagrama", 0),
    I("Desviacion", 9),
    I("TipViewColor", 0),
    I("IdTipoHint", 1),
    I("PosMenuItems", 1),

    B("ViewAspDrawNat", 1),
    B("ViewAspDrawDin", 0),
    B("ViewAspDrawNatDin", 0),
    B("ViewAspDrawDinNat", 0),
    B("ViewAspDraw", 1),
    B("AspViewFuerza", 0),
    B("AspViewFuerzaRango", 0),
    B("AspViewOrbe", 0),
    B("AspViewPeso", 0),
    B("AspViewPond", 0),
    B("AdjustGlifo", 1),
    B("ViewGrados", 0),
    B("ViewDescItems", 0),
    B("ViewCountUnit", 1),
    B("ViewCountPeso", 1),
    B("ViewCountDist", 0),
    B("ViewAspII", 1, Regla::SoloLectura),
    B("ViewAspIC", 1, Regla::SoloLectura),
    B("ViewRetro", 1),
    B("FillAreas", 1),
    B("ViewIconAsp", 1),

    // Written after MatDig.
    C("ColorS0", 65535),
    C("ColorS1", 4760831),
    C("ColorS2", 3866472),
    C("ColorS3", 16757789),
    C("ColorS4", 6479586),
    C("ColorS5", 8963327),
    C("ColorS6", 5691765),
    C("ColorS7", 12035680),
    C("ColorS8", 11468799),
    C("ColorS9", 9876689),
    C("ColorS10", 13168337),
    C("ColorS11", 13946286),

    I("SignoGlifoPor", 89),
    I("SignoPorIni", 92),
    I("SignoPorEnd", 86),
    I("ItemsPor", 86),
    I("SignoTamanoFont", 16),
    I("ItemGligoTamanoFont", 18),
    I("ItemPosTamano", 10),
    I("AngItemRx1", 6),
    I("AngItemRx2", 4),
    I("CuspRx1Ini", 86),
    I("CuspRx1End", 53),
    I("CuspRx2Ini", 70),
    I("CuspRx2End", 50),
    I("IdCuspRx1SF", 10),
    I("IdCuspRx2SF", 10),
    I("CuspRx1SF", 10),
    I("CuspRx2SF", 10),
    I("PosCuspRx1", 89),
    I("PosCuspRx2", 52),
    I("GlifoSERSF", 30),
    I("TipoSizeAsp", 2),

    B("ViewSignoGlifo", 1),
    B("ViewSignoItem", 1),
    B("UseItemPorSignoPorEnd", 1),
    B("ViewPosCuspRx1", 0),
    B("ViewOGCuspRx1", 0),
    B("ViewPosCuspRx2", 0),
    B("ViewOGCuspRx2", 0),
    B("ViewCircleRx1", 0),
    B("ViewCircleRx2", 0),
};

// The first ViewPelliqor key written after MatDig.
constexpr std::string_view kPrimeraTrasMatDig = "ColorS0";

// Rows 0 to 9 of the default MatDig matrix; rows 10 to 26 are all 0.
constexpr std::int32_t kMatDigInicial[10][kColumnasMatDig] = {
    {3, 0, 0, 0, 1, 0, 4, 0, 0, 0, 2, 0}, {0, 3, 0, 1, 0, 4, 0, 4, 0, 2, 0, 3},
    {0, 0, 1, 0, 4, 1, 0, 0, 2, 0, 3, 2}, {2, 1, 0, 0, 0, 4, 1, 2, 0, 0, 0, 3},
    {1, 2, 0, 4, 0, 0, 2, 1, 0, 3, 0, 0}, {0, 0, 2, 3, 0, 2, 0, 0, 1, 4, 0, 1},
    {4, 0, 0, 2, 2, 0, 3, 0, 0, 1, 1, 0}, {0, 4, 0, 0, 2, 0, 0, 3, 0, 0, 1, 0},
    {0, 0, 0, 0, 3, 2, 0, 0, 0, 0, 4, 1}, {0, 2, 0, 0, 4, 0, 0, 1, 0, 0, 3, 0},
};

// The view lists: section, member, limit, keep-all flag.
struct DefVistas {
    std::string_view seccion;
    ListaVistas Configuracion::*lista;
    int limite;
    bool mantenerTodo;
};
constexpr DefVistas kVistas[] = {
    {"ViewNat", &Configuracion::ViewNat, 1, true},
    {"ViewTra", &Configuracion::ViewTra, 1, true},
    {"ViewAPNat", &Configuracion::ViewAPNat, 8, true},
    {"ViewAPTra", &Configuracion::ViewAPTra, 8, false},
};

struct DefSetup {
    std::string_view seccion;
    SetupAspectos Configuracion::*setup;
};
constexpr DefSetup kSetups[] = {
    {"DataAspNat", &Configuracion::DataAspNat},
    {"DataAspDin", &Configuracion::DataAspDin},
    {"DataAspNatDin", &Configuracion::DataAspNatDin},
};

std::string Clave(std::string_view prefijo, int n, std::string_view sufijo = {}) {
    std::string s(prefijo);
    s += std::to_string(n);
    s += sufijo;
    return s;
}

std::string ClaveMatDig(int fila, int columna) {
    return "valmatdig_" + std::to_string(fila) + "_" + std::to_string(columna);
}

SeccionAjustes CrearSeccion(std::string_view nombre, std::span<const DefAjuste> defs,
                            std::string_view carpetaPersonal) {
    SeccionAjustes s;
    s.nombre = nombre;
    s.ajustes.reserve(defs.size());
    for (const DefAjuste& d : defs) {
        s.ajustes.push_back({&d, ValorPredeterminado(d, carpetaPersonal)});
    }
    return s;
}

// Reads one setting, applying its rule. The value held (its default, at
// start) is the default of the read.
ValorAjuste LeerAjuste(const ArchivoIni& ini, std::string_view seccion, const Ajuste& a) {
    const DefAjuste& d = *a.def;
    switch (d.regla) {
        case Regla::SoloEscritura:
            return true;
        case Regla::SiempreFalso:
            return false;  // whatever the file holds
        case Regla::Normal:
        case Regla::SoloLectura:
            break;
    }
    switch (d.forma) {
        case Forma::Booleano:
            return ini.LeerBooleano(seccion, d.clave, std::get<bool>(a.valor));
        case Forma::Entero:
        case Forma::Color:
            return ini.LeerEntero(seccion, d.clave, std::get<std::int32_t>(a.valor));
        case Forma::Real:
            return ini.LeerReal(seccion, d.clave, std::get<double>(a.valor));
        case Forma::Cadena:
            break;
    }
    return ini.LeerCadena(seccion, d.clave, std::get<std::string>(a.valor));
}

void LeerSeccion(const ArchivoIni& ini, SeccionAjustes& s) {
    for (Ajuste& a : s.ajustes) {
        a.valor = LeerAjuste(ini, s.nombre, a);
    }
}

// Writes the settings [desde, hasta) of a section, applying their rules.
void GuardarSeccion(ArchivoIni& ini, const SeccionAjustes& s, std::size_t desde,
                    std::size_t hasta) {
    for (std::size_t i = desde; i < hasta; ++i) {
        const Ajuste& a = s.ajustes[i];
        switch (a.def->regla) {
            case Regla::SoloLectura:
                continue;
            case Regla::SiempreFalso:
                ini.EscribirBooleano(s.nombre, a.def->clave, false);
                continue;
            case Regla::SoloEscritura:
                ini.EscribirBooleano(s.nombre, a.def->clave, true);
                continue;
            case Regla::Normal:
                break;
        }
        ini.EscribirCadena(s.nombre, a.def->clave, TextoAjuste(a.valor, ini.SeparadorDecimal()));
    }
}

std::size_t PosicionTrasMatDig(const SeccionAjustes& pelliqor) {
    for (std::size_t i = 0; i < pelliqor.ajustes.size(); ++i) {
        if (pelliqor.ajustes[i].def->clave == kPrimeraTrasMatDig) {
            return i;
        }
    }
    return pelliqor.ajustes.size();
}

// Reads an aspect setup; 'orbeEntero' takes the orb as a whole number.
void LeerAspectos(const ArchivoIni& ini, std::string_view seccion, SetupAspectos& setup,
                  bool orbeEntero) {
    for (int n = 0; n < kEntradasAspecto; ++n) {
        TSetupAspecto& e = setup[static_cast<std::size_t>(n)];
        e.Color = ini.LeerEntero(seccion, Clave("Asp", n, "_Color"), 1);
        e.Width = ini.LeerEntero(seccion, Clave("Asp", n, "_Width"), 1);
        e.Orbe = orbeEntero ? ini.LeerEntero(seccion, Clave("Asp", n, "_Orbe"), 1)
                            : ini.LeerReal(seccion, Clave("Asp", n, "_Orbe"), 1);
        e.Peso = ini.LeerEntero(seccion, Clave("Asp", n, "_Peso"), 1);
    }
}

}  // namespace

const std::array<std::string_view, 12> kSeccionesConfig = {
    "Data",      "View",         "Apps",   "ViewNat",    "ViewTra",    "ViewAPNat",
    "ViewAPTra", "ViewPelliqor", "MatDig", "DataAspNat", "DataAspDin", "DataAspNatDin"};

std::span<const DefAjuste> DefinicionesData() {
    return kData;
}
std::span<const DefAjuste> DefinicionesView() {
    return kView;
}
std::span<const DefAjuste> DefinicionesApps() {
    return kApps;
}
std::span<const DefAjuste> DefinicionesViewPelliqor() {
    return kViewPelliqor;
}

const Ajuste* SeccionAjustes::Buscar(std::string_view clave) const {
    for (const Ajuste& a : ajustes) {
        if (a.def->clave == clave) {
            return &a;
        }
    }
    return nullptr;
}

Ajuste* SeccionAjustes::Buscar(std::string_view clave) {
    return const_cast<Ajuste*>(std::as_const(*this).Buscar(clave));
}

const ValorAjuste& Configuracion::Valor(std::string_view seccion, std::string_view clave) const {
    for (const SeccionAjustes* s : {&Data, &View, &Apps, &ViewPelliqor}) {
        if (s->nombre != seccion) {
            continue;
        }
        if (const Ajuste* a = s->Buscar(clave)) {
            return a->valor;
        }
    }
    throw std::out_of_range("no such setting: " + std::string(seccion) + "/" + std::string(clave));
}

ValorAjuste& Configuracion::Valor(std::string_view seccion, std::string_view clave) {
    return const_cast<ValorAjuste&>(std::as_const(*this).Valor(seccion, clave));
}

bool Configuracion::Booleano(std::string_view seccion, std::string_view clave) const {
    return std::get<bool>(Valor(seccion, clave));
}
std::int32_t Configuracion::Entero(std::string_view seccion, std::string_view clave) const {
    return std::get<std::int32_t>(Valor(seccion, clave));
}
double Configuracion::Real(std::string_view seccion, std::string_view clave) const {
    return std::get<double>(Valor(seccion, clave));
}
const std::string& Configuracion::Cadena(std::string_view seccion, std::string_view clave) const {
    return std::get<std::string>(Valor(seccion, clave));
}

ValorAjuste ValorPredeterminado(const DefAjuste& d, std::string_view carpetaPersonal) {
    switch (d.forma) {
        case Forma::Booleano:
            return d.defecto != 0;
        case Forma::Entero:
        case Forma::Color:
            return static_cast<std::int32_t>(d.defecto);
        case Forma::Real:
            return d.defecto;
        case Forma::Cadena:
            break;
    }
    return d.enDocumentos ? UnirRuta(carpetaPersonal, d.texto) : std::string(d.texto);
}

Configuracion ConfiguracionPredeterminada(std::string_view carpetaPersonal) {
    Configuracion c;
    c.Data = CrearSeccion("Data", kData, carpetaPersonal);
    c.View = CrearSeccion("View", kView, carpetaPersonal);
    c.Apps = CrearSeccion("Apps", kApps, carpetaPersonal);
    c.ViewPelliqor = CrearSeccion("ViewPelliqor", kViewPelliqor, carpetaPersonal);
    for (const DefVistas& v : kVistas) {
        ListaVistas& lista = c.*v.lista;
        for (int n = 0; n < kEntradasVista; ++n) {
            lista[static_cast<std::size_t>(n)] = TView{n, 1, 0, false};
        }
    }
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < kColumnasMatDig; ++j) {
            c.MatDig[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                kMatDigInicial[i][j];
        }
    }
    for (const DefSetup& s : kSetups) {
        SetupAspectos& setup = c.*s.setup;
        for (int n = 0; n < kEntradasAspecto; ++n) {
            setup[static_cast<std::size_t>(n)] = TSetupAspecto{n, 0, 2, 1, 2.0};
        }
    }
    return c;
}

std::string FileARQPredeterminado(std::string_view carpetaPersonal) {
    for (const DefAjuste& d : kData) {
        if (d.clave == "FileARQ") {
            return std::get<std::string>(ValorPredeterminado(d, carpetaPersonal));
        }
    }
    return {};
}

std::string CarpetaPlantillas(std::string_view carpetaPersonal) {
    return UnirRuta(carpetaPersonal, "quillmere/Orbelune plantillas/");
}

std::string TextoAjuste(const ValorAjuste& valor, char separadorDecimal) {
    if (const bool* b = std::get_if<bool>(&valor)) {
        return *b ? "1" : "0";
    }
    if (const std::int32_t* i = std::get_if<std::int32_t>(&valor)) {
        return std::to_string(*i);
    }
    if (const double* r = std::get_if<double>(&valor)) {
        return TextoRealIni(*r, separadorDecimal);
    }
    return std::get<std::string>(valor);
}

// ---------------------------------------------------------------------------

void LeerVistas(const ArchivoIni& ini, std::string_view seccion, ListaVistas& lista, int limite,
                bool mantenerTodo) {
    for (int n = 0; n < kEntradasVista; ++n) {
        TView& v = lista[static_cast<std::size_t>(n)];
        v.Peso = ini.LeerEntero(seccion, Clave("Peso", n), v.Peso);
        v.Visible = ini.LeerBooleano(seccion, Clave("Item", n), true);
        if (!mantenerTodo && n > limite) {
            v.Visible = false;
        }
    }
}

void GuardarVistas(ArchivoIni& ini, std::string_view seccion, const ListaVistas& lista) {
    for (int n = 0; n < kEntradasVista; ++n) {
        const TView& v = lista[static_cast<std::size_t>(n)];
        if (v.Peso > 0) {
            ini.EscribirEntero(seccion, Clave("Peso", n), v.Peso);
        }
        ini.EscribirBooleano(seccion, Clave("Item", n), v.Visible);
    }
}

void LeerSetupAsp(const ArchivoIni& ini, std::string_view seccion, SetupAspectos& setup) {
    LeerAspectos(ini, seccion, setup, false);
}

void LeerPlantillaAsp(std::string_view carpetaPlantillas, std::string_view seccion,
                      SetupAspectos& setup) {
    const ArchivoIni plantilla(std::string(carpetaPlantillas) + std::string(seccion) + ".dat");
    LeerAspectos(plantilla, seccion, setup, true);
}

void GuardarSetupAsp(ArchivoIni& ini, std::string_view seccion, const SetupAspectos& setup) {
    for (int n = 0; n < kEntradasAspecto; ++n) {
        const TSetupAspecto& e = setup[static_cast<std::size_t>(n)];
        ini.EscribirEntero(seccion, Clave("Asp", n, "_Color"), e.Color);
        ini.EscribirEntero(seccion, Clave("Asp", n, "_Width"), e.Width);
        ini.EscribirReal(seccion, Clave("Asp", n, "_Orbe"), e.Orbe);
        ini.EscribirEntero(seccion, Clave("Asp", n, "_Peso"), e.Peso);
    }
}

void LeerConfig(Configuracion& c, const ArchivoIni& ini, std::string_view carpetaPlantillas) {
    LeerSeccion(ini, c.Data);
    LeerSeccion(ini, c.View);
    LeerSeccion(ini, c.Apps);
    for (const DefVistas& v : kVistas) {
        LeerVistas(ini, v.seccion, c.*v.lista, v.limite, v.mantenerTodo);
    }
    LeerSeccion(ini, c.ViewPelliqor);
    for (int i = 0; i < kFilasMatDig; ++i) {
        for (int j = 0; j < kColumnasMatDig; ++j) {
            std::int32_t& celda =
                c.MatDig[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            celda = ini.LeerEntero("MatDig", ClaveMatDig(i, j), celda);
        }
    }
    c.AspectosDePlantillas = ini.LeerEntero("DataAspDin", "Asp0_Width", -1) == -1;
    for (const DefSetup& s : kSetups) {
        if (c.AspectosDePlantillas) {
            LeerPlantillaAsp(carpetaPlantillas, s.seccion, c.*s.setup);
        } else {
            LeerSetupAsp(ini, s.seccion, c.*s.setup);
        }
    }
}

void GuardarConfig(const Configuracion& c, ArchivoIni& ini) {
    GuardarSeccion(ini, c.Data, 0, c.Data.ajustes.size());
    GuardarSeccion(ini, c.View, 0, c.View.ajustes.size());
    GuardarSeccion(ini, c.Apps, 0, c.Apps.ajustes.size());
    for (const DefVistas& v : kVistas) {
        GuardarVistas(ini, v.seccion, c.*v.lista);
    }
    const std::size_t trasMatDig = PosicionTrasMatDig(c.ViewPelliqor);
    GuardarSeccion(ini, c.ViewPelliqor, 0, trasMatDig);
    for (int i = 0; i < kFilasMatDig; ++i) {
        for (int j = 0; j < kColumnasMatDig; ++j) {
            const std::int32_t celda =
                c.MatDig[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            if (celda >= 1) {
                ini.EscribirEntero("MatDig", ClaveMatDig(i, j), celda);
            } else {
                ini.BorrarClave("MatDig", ClaveMatDig(i, j));
            }
        }
    }
    GuardarSeccion(ini, c.ViewPelliqor, trasMatDig, c.ViewPelliqor.ajustes.size());
    for (const DefSetup& s : kSetups) {
        GuardarSetupAsp(ini, s.seccion, c.*s.setup);
    }
}

std::optional<ErrorEscritura> GuardarConfig(const Configuracion& c, const std::string& ruta) {
    ArchivoIni ini(ruta);
    GuardarConfig(c, ini);
    return ini.Guardar();
}

}  // namespace varnolt
