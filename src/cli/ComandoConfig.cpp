// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli config: the settings as the program reads them.
#include "cli/ComandoConfig.h"

#include <optional>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

#include "app/ArchivoSeguro.h"
#include "app/Texto.h"
#include "app/settings/ArchivoIni.h"
#include "app/settings/Carpetas.h"
#include "app/settings/Configuracion.h"
#include "app/settings/DatosPrograma.h"
#include "app/settings/Instalacion.h"

namespace varnolt {
namespace {

constexpr const char* kUso = "uso: varnolt-cli config [--archivo INI]";

constexpr const char* kAyuda = R"(Varnolt: la configuración tal como la lee el programa.

Lee el archivo de configuración como al arrancar (primero los valores
predeterminados, después el archivo) y escribe, sección por sección y con las
claves en el orden del archivo, el valor que el programa toma para cada una,
tal como lo escribirá al salir. Las notas tras ";" dicen de dónde sale un
valor cuando no es el texto del archivo:
  predeterminado           la clave falta en el archivo
  en el archivo: "..."     el texto del archivo no se lee así: por ejemplo
                           "yes" en un booleano da el valor predeterminado y
                           "2" da 1
  siempre 0, siempre 1,    las reglas fijas del programa
  solo se lee, ...
Las claves y las secciones que Varnolt no usa se listan como comentarios: se
conservan sin cambios cuando el programa guarda el archivo.

La primera línea dice qué archivo se lee. Es el que usa la ventana: Varnolt.ini
junto al programa cuando este se ejecuta desde una carpeta de compilación o una
copia portátil cuya carpeta admite escritura; si no (un programa instalado, o una
carpeta sin permiso de escritura), Varnolt.ini en la carpeta de configuración del
usuario ($XDG_CONFIG_HOME/Varnolt, o ~/.config/Varnolt).

Opciones:
  --archivo INI   lee ese archivo en lugar del Varnolt.ini del programa
  --help          muestra esta ayuda

Salida en UTF-8. Código de salida: 0 bien, 1 el archivo no existe o no se
puede leer, 2 uso incorrecto.
)";

// Why the program's settings file is where it is.
const char* TextoUbicacion(UbicacionIni::Motivo motivo) {
    switch (motivo) {
        case UbicacionIni::JuntoAlPrograma:
            return "(junto al programa: su carpeta admite escritura)";
        case UbicacionIni::ProgramaInstalado:
            return "(en la carpeta de configuración del usuario: el programa está instalado)";
        case UbicacionIni::CarpetaSinEscritura:
            return "(en la carpeta de configuración del usuario: la carpeta del programa no "
                   "admite escritura)";
        case UbicacionIni::SinCarpetaUsuario:
            return "(junto al programa: no se conoce la carpeta de configuración del usuario)";
    }
    return "";
}

int UsoIncorrecto(std::ostream& err, const std::string& motivo) {
    err << "varnolt-cli config: " << motivo << "\n" << kUso << "\n";
    return 2;
}

struct Linea {
    std::string clave;
    std::string valor;
    std::string nota;           // a fixed rule, or empty
    bool leida = true;          // read from the file (else the notes on the file are left out)
    bool faltaSinNota = false;  // a value that is not written: its key is usually missing
};

class Impresor {
  public:
    Impresor(std::ostream& out, const ArchivoIni& ini) : out_(out), ini_(ini) {}

    // Prints a section. 'fuente' is the file its values were read from (the
    // settings file or a template file), named 'donde' in the notes.
    void Seccion(std::string_view nombre, const std::vector<Linea>& lineas,
                 const std::vector<std::string>& comentarios, const ArchivoIni& fuente,
                 std::string_view donde) const {
        out_ << "\n[" << nombre << "]\n";
        for (const std::string& c : comentarios) {
            out_ << "; " << c << "\n";
        }
        for (const Linea& l : lineas) {
            std::string notas;
            const auto anadir = [&notas](std::string_view n) {
                if (!notas.empty()) {
                    notas += ", ";
                }
                notas += n;
            };
            if (l.leida) {
                const auto texto = fuente.LeerTexto(nombre, l.clave);
                if (!texto) {
                    // A missing file is said once, at the top.
                    if (fuente.Existia() && !l.faltaSinNota) {
                        anadir("predeterminado");
                    }
                } else if (*texto != l.valor) {
                    anadir("en " + std::string(donde) + ": \"" + *texto + "\"");
                }
            }
            if (!l.nota.empty()) {
                anadir(l.nota);
            }
            out_ << l.clave << "=" << l.valor;
            if (!notas.empty()) {
                out_ << "  ; " << notas;
            }
            out_ << "\n";
        }
        // What the settings file holds besides: kept as it is.
        for (const std::string& clave : ini_.Claves(nombre)) {
            bool conocida = false;
            for (const Linea& l : lineas) {
                if (IgualesSinMayusculas(l.clave, clave)) {
                    conocida = true;
                    break;
                }
            }
            if (!conocida) {
                out_ << "; " << clave << "=" << ini_.LeerCadena(nombre, clave, "")
                     << "  (no la usa Varnolt: se conserva)\n";
            }
        }
    }

  private:
    std::ostream& out_;
    const ArchivoIni& ini_;
};

std::vector<Linea> LineasAjustes(const SeccionAjustes& s, char separador) {
    std::vector<Linea> r;
    for (const Ajuste& a : s.ajustes) {
        Linea l{std::string(a.def->clave), TextoAjuste(a.valor, separador), {}, true};
        switch (a.def->regla) {
            case Regla::SiempreFalso:
                l.nota = "siempre 0";
                break;
            case Regla::SoloEscritura:
                l.nota = "no se lee: siempre 1";
                l.leida = false;
                break;
            case Regla::SoloLectura:
                l.nota = "solo se lee: no se escribe";
                break;
            case Regla::Normal:
                break;
        }
        r.push_back(std::move(l));
    }
    return r;
}

std::vector<Linea> LineasVistas(const ListaVistas& lista, const ArchivoIni& ini,
                                std::string_view seccion, bool ocultaTrasOcho) {
    std::vector<Linea> r;
    for (int n = 0; n < kEntradasVista; ++n) {
        const TView& v = lista[static_cast<std::size_t>(n)];
        Linea peso{"Peso" + std::to_string(n), std::to_string(v.Peso), {}, true, v.Peso <= 0};
        if (v.Peso <= 0 && ini.ExisteClave(seccion, peso.clave)) {
            peso.nota = "no se escribe: el archivo conserva su texto";
        }
        r.push_back(std::move(peso));
        Linea item{"Item" + std::to_string(n), v.Visible ? "1" : "0", {}, true};
        if (ocultaTrasOcho && n > 8) {
            item.nota = "siempre 0";
        }
        r.push_back(std::move(item));
    }
    return r;
}

std::vector<Linea> LineasMatDig(const MatrizDig& m, const ArchivoIni& ini) {
    std::vector<Linea> r;
    for (int i = 0; i < kFilasMatDig; ++i) {
        for (int j = 0; j < kColumnasMatDig; ++j) {
            const std::int32_t v = m[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            Linea l{"valmatdig_" + std::to_string(i) + "_" + std::to_string(j),
                    std::to_string(v),
                    {},
                    true,
                    v < 1};
            if (v < 1 && ini.ExisteClave("MatDig", l.clave)) {
                l.nota = "se borra al salir";
            }
            r.push_back(std::move(l));
        }
    }
    return r;
}

std::vector<Linea> LineasAspectos(const SetupAspectos& setup, char separador) {
    std::vector<Linea> r;
    for (int n = 0; n < kEntradasAspecto; ++n) {
        const TSetupAspecto& e = setup[static_cast<std::size_t>(n)];
        const std::string asp = "Asp" + std::to_string(n);
        r.push_back({asp + "_Color", std::to_string(e.Color), {}, true});
        r.push_back({asp + "_Width", std::to_string(e.Width), {}, true});
        r.push_back({asp + "_Orbe", TextoRealIni(e.Orbe, separador), {}, true});
        r.push_back({asp + "_Peso", std::to_string(e.Peso), {}, true});
    }
    return r;
}

}  // namespace

int ComandoConfig(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<std::string> archivo;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << kAyuda;
            return 0;
        }
        std::optional<std::string> valor;
        if (a == "--archivo") {
            if (i + 1 >= args.size()) {
                return UsoIncorrecto(err, "falta el archivo tras --archivo");
            }
            valor = args[++i];
        } else if (a.starts_with("--archivo=")) {
            valor = a.substr(10);
        } else {
            return UsoIncorrecto(err, "argumento no válido \"" + a + "\"");
        }
        if (valor->empty()) {
            return UsoIncorrecto(err, "--archivo necesita un archivo");
        }
        if (archivo) {
            return UsoIncorrecto(err, "--archivo aparece más de una vez");
        }
        archivo = std::move(valor);
    }

    // The program is "Varnolt" beside this tool; its settings file is where
    // the window keeps it.
    const std::string programa = CarpetaDeRuta(RutaEjecutable()) + "Varnolt";
    RutasPrograma rutas = RutasDelPrograma(programa, CarpetaPersonal());
    const UbicacionIni ubicacion = UbicacionArchivoIni(programa, CarpetaConfiguracionVarnolt());
    rutas.archivoIni = archivo ? *archivo : ubicacion.ruta;

    const ArchivoIni ini(rutas.archivoIni);
    if (ini.FalloLectura().causa == FalloArchivo::Causa::Sistema) {
        err << "varnolt-cli config: no se puede leer \"" << rutas.archivoIni
            << "\": " << TextoErrorSistema(ini.ErrorLectura()) << "\n";
        return 1;
    }
    if (ini.FalloLectura()) {
        err << "varnolt-cli config: " << ini.TextoErrorLectura() << "\n";
        return 1;
    }
    if (archivo && !ini.Existia()) {
        err << "varnolt-cli config: no existe el archivo \"" << rutas.archivoIni << "\"\n";
        return 1;
    }

    Configuracion config = ConfiguracionPredeterminada(rutas.carpetaPersonal);
    LeerConfig(config, ini, rutas.carpetaPlantillas);
    const char sep = ini.SeparadorDecimal();

    out << "; Configuración de Varnolt: " << rutas.archivoIni << "\n";
    out << "; " << (archivo ? "(el archivo de --archivo)" : TextoUbicacion(ubicacion.motivo))
        << "\n";
    if (!ini.Existia()) {
        out << "; El archivo no existe: todos los valores son los predeterminados; el\n"
               "; programa lo crea completo al salir.\n";
    }
    out << "; Carpeta de documentos: "
        << (rutas.carpetaPersonal.empty() ? "(desconocida)" : rutas.carpetaPersonal) << "\n";
    out << "; Archivo de arquetipos al iniciar: " << ArchivoArqEnCarpetaDe(config.FileARQ())
        << "\n";
    out << "; Separador decimal: \"" << sep << "\"\n";

    const Impresor imp(out, ini);
    imp.Seccion("Data", LineasAjustes(config.Data, sep), {}, ini, "el archivo");
    imp.Seccion("View", LineasAjustes(config.View, sep), {}, ini, "el archivo");
    imp.Seccion("Apps", LineasAjustes(config.Apps, sep), {}, ini, "el archivo");
    const std::vector<std::string> notaPesos = {"Peso<n> se escribe solo cuando es mayor que 0."};
    imp.Seccion("ViewNat", LineasVistas(config.ViewNat, ini, "ViewNat", false), notaPesos, ini,
                "el archivo");
    imp.Seccion("ViewTra", LineasVistas(config.ViewTra, ini, "ViewTra", false), notaPesos, ini,
                "el archivo");
    imp.Seccion("ViewAPNat", LineasVistas(config.ViewAPNat, ini, "ViewAPNat", false), notaPesos,
                ini, "el archivo");
    imp.Seccion("ViewAPTra", LineasVistas(config.ViewAPTra, ini, "ViewAPTra", true),
                {notaPesos[0], "Item9 a Item26 quedan siempre en 0."}, ini, "el archivo");
    imp.Seccion("ViewPelliqor", LineasAjustes(config.ViewPelliqor, sep), {}, ini, "el archivo");
    imp.Seccion("MatDig", LineasMatDig(config.MatDig, ini),
                {"Las celdas menores que 1 no se guardan: su clave se borra al salir."}, ini,
                "el archivo");

    const std::pair<std::string_view, const SetupAspectos*> setups[] = {
        {"DataAspNat", &config.DataAspNat},
        {"DataAspDin", &config.DataAspDin},
        {"DataAspNatDin", &config.DataAspNatDin},
    };
    for (const auto& [seccion, setup] : setups) {
        const std::vector<Linea> lineas = LineasAspectos(*setup, sep);
        if (!config.AspectosDePlantillas) {
            imp.Seccion(seccion, lineas, {}, ini, "el archivo");
            continue;
        }
        const std::string ruta = rutas.carpetaPlantillas + std::string(seccion) + ".dat";
        const ArchivoIni plantilla(ruta);
        std::vector<std::string> comentarios = {
            "Leídos de la plantilla " + ruta +
                (plantilla.Existia() ? "" : " (no existe: todos los valores son 1)"),
            "(DataAspDin/Asp0_Width falta o vale -1); se guardan en el archivo al salir."};
        imp.Seccion(seccion, lineas, comentarios, plantilla, "la plantilla");
    }

    // Sections of the file that Varnolt does not use.
    bool primera = true;
    for (const std::string& s : ini.Secciones()) {
        bool conocida = false;
        for (std::string_view k : kSeccionesConfig) {
            if (IgualesSinMayusculas(k, s)) {
                conocida = true;
            }
        }
        if (conocida) {
            continue;
        }
        if (primera) {
            out << "\n; Secciones que Varnolt no usa (se conservan sin cambios):\n";
            primera = false;
        }
        out << "; [" << s << "]\n";
    }
    return 0;
}

}  // namespace varnolt
