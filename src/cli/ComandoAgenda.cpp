// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli agenda: computes the agenda of a natal chart and writes it.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <utility>

#include "app/ArchivoSeguro.h"
#include "app/settings/ArchivoIni.h"
#include "app/settings/Carpetas.h"
#include "app/settings/DatosPrograma.h"
#include "cli/Comandos.h"
#include "transitos/DatosCarta.h"

namespace varnolt {
namespace {

constexpr const char* kUso =
    "uso: varnolt-cli agenda --nacimiento AAAA-MM-DDTHH:MM --zona ZONA --lugar LAT,LON "
    "[--desde AAAA|AAAA-MM-DD] [--hasta AAAA|AAAA-MM-DD] [--nombre NOMBRE] "
    "[--perfil PERFIL] [--cuerpos LISTA] [--puntos LISTA] [--aspectos LISTA] "
    "[--config INI] [--efemerides CARPETA] --salida ARCHIVO.csv";

constexpr const char* kAyuda =
    R"(Varnolt: calcula la agenda de tránsitos de una carta natal.

Calcula con la Efeméride Suiza los contactos de los cuerpos en tránsito con
los puntos de la carta natal, un día tras otro a las 12:00 hora local de la
zona de nacimiento, y los escribe en un archivo de agenda que el botón "Data"
carga (Windows-1252, CR LF). El modelo (cuerpos, puntos, orbes, fuerza, banda
y peso) se explica en docs/agendas.md.

Opciones:
  --nacimiento AAAA-MM-DDTHH:MM
                        fecha y hora local del nacimiento
  --zona ZONA           zona horaria IANA (p. ej. Europe/Madrid; el horario de
                        verano de esa fecha se aplica) o desplazamiento fijo
                        como +02:00
  --lugar LAT,LON       latitud y longitud en grados decimales, norte y este
                        positivos (p. ej. 40.4168,-3.7038)
  --desde A|A-M-D       primer día (un año es su 1 de enero); sin él, el año
                        en curso
  --hasta A|A-M-D       último día (un año es su 31 de diciembre); sin él, el
                        fin del año de --desde
  --nombre NOMBRE       nombre de la carta (columna 3 del archivo), de 32767
                        caracteres como mucho
  --salida ARCHIVO      el archivo .csv que se escribe (se reemplaza entero)
  --perfil PERFIL       qué entra en la agenda: Esencial (por omisión; Sol a
                        Plutón y el nodo medio sobre Sol, Lun, Mer, Ven, Mar,
                        C01 y C10, aspectos 0, 180, 120, 90 y 60), Amplio o
                        Completo (todos los cuerpos, puntos y aspectos)
  --cuerpos LISTA       los cuerpos en tránsito, en lugar de los del perfil
                        (códigos separados por comas: Sol,Lun,...,Ves; o
                        "todos")
  --puntos LISTA        los puntos natales (Sol,...,Ves, NodS, NodST, RfD,
                        RfN, Pr, PrT, C01,...,C12; o "todos")
  --aspectos LISTA      los aspectos en grados (0,180,120,90,72,60,51,45,
                        165,150,144,135,105,75,40,36,33,30,15; o "todos")
  --config INI          archivo de configuración del que se toman el sistema
                        de casas (IdSysHousesNat) y los orbes (DataAspNatDin);
                        sin él, Varnolt.ini junto al programa; un archivo
                        nombrado que no se puede leer es un error
  --efemerides CARPETA  carpeta de los archivos de la Efeméride Suiza
                        (por omisión /usr/share/libswe/ephe)
  --help                muestra esta ayuda

Código de salida: 0 bien, 1 no se pudo escribir el archivo, 2 uso incorrecto
o datos no válidos.
)";

int Uso(std::ostream& err, const std::string& motivo) {
    err << "varnolt-cli agenda: " << motivo << "\n" << kUso << "\n";
    return 2;
}

}  // namespace

int ComandoAgenda(const Argumentos& args, std::ostream& out, std::ostream& err) {
    static const std::map<std::string, std::string> kOpciones = {
        {"--nacimiento", "nacimiento"}, {"--zona", "zona"},       {"--lugar", "lugar"},
        {"--desde", "desde"},           {"--hasta", "hasta"},     {"--nombre", "nombre"},
        {"--salida", "salida"},         {"--config", "config"},   {"--efemerides", "efemerides"},
        {"--perfil", "perfil"},         {"--cuerpos", "cuerpos"}, {"--puntos", "puntos"},
        {"--aspectos", "aspectos"},
    };
    std::map<std::string, std::string> v;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string a = args[i];
        if (a == "--help" || a == "-h") {
            out << kAyuda;
            return 0;
        }
        std::string valor;
        const size_t igual = a.find('=');
        if (a.starts_with("--") && igual != std::string::npos) {
            valor = a.substr(igual + 1);
            a = a.substr(0, igual);
        } else if (kOpciones.count(a) != 0) {
            if (i + 1 >= args.size()) {
                return Uso(err, "falta el valor tras " + a);
            }
            valor = args[++i];
        }
        const auto o = kOpciones.find(a);
        if (o == kOpciones.end()) {
            return Uso(err, "argumento no válido \"" + args[i] + "\"");
        }
        if (v.count(o->second) != 0) {
            return Uso(err, a + " aparece más de una vez");
        }
        v[o->second] = valor;
    }
    for (const char* lista : {"perfil", "cuerpos", "puntos", "aspectos"}) {
        if (v.count(lista) != 0 && v[lista].find_first_not_of(" \t,;") == std::string::npos) {
            return Uso(err, std::string("--") + lista + " no puede estar vacío");
        }
    }
    for (const char* falta : {"nacimiento", "zona", "lugar", "salida"}) {
        if (v.count(falta) == 0 || v[falta].empty()) {
            return Uso(err, std::string("falta --") + falta);
        }
    }

    const TextosCarta t{v["nombre"], v["nacimiento"], v["zona"],    v["lugar"],  v["desde"],
                        v["hasta"],  v["perfil"],     v["cuerpos"], v["puntos"], v["aspectos"]};
    std::string error;
    std::optional<PeticionAgenda> p = LeerPeticion(t, error);
    if (!p) {
        return Uso(err, error);
    }
    if (!v["efemerides"].empty()) {
        p->carpetaEfemerides = v["efemerides"];
    }

    // The settings of the program beside this tool, or the file named.
    DatosPrograma datos;
    RutasPrograma rutas =
        RutasDelPrograma(CarpetaDeRuta(RutaEjecutable()) + "Varnolt", CarpetaPersonal());
    const bool nombrado = v.count("config") != 0;
    if (nombrado) {
        rutas.archivoIni = v["config"];
    }
    const ArchivoIni ini(rutas.archivoIni);
    if (!ini.Existia() && (nombrado || ini.FalloLectura())) {
        // A file named and not there is an error as well; the file beside
        // the program may be missing (the defaults hold).
        const std::string texto =
            ini.FalloLectura() ? ini.TextoErrorLectura() : TextoErrorSistema(ENOENT);
        const std::string motivo =
            "no se puede leer el archivo de configuración \"" + rutas.archivoIni + "\": " + texto;
        if (nombrado) {
            return Uso(err, motivo);
        }
        err << "Aviso: " << motivo << "; se usan los valores por omisión\n";
    }
    CargarConfiguracion(datos, rutas, ini);
    std::string aviso;
    AplicarConfiguracion(*p, datos.config, &aviso);
    if (std::string otro = AvisoSistemaCasasIni(ini); !otro.empty()) {
        aviso = std::move(otro);
    }
    if (!aviso.empty()) {
        err << "Aviso: " << aviso << "\n";
    }

    const auto inicio = std::chrono::steady_clock::now();
    const ResultadoAgenda r = EscribirAgenda(*p, v["salida"]);
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    for (const std::string& a : r.avisos) {
        err << "Aviso: " << a << "\n";
    }
    if (!r.hecho) {
        err << "varnolt-cli agenda: " << r.error << "\n";
        return 1;
    }
    char tiempo[32];
    std::snprintf(tiempo, sizeof tiempo, "%.2f", segundos);
    out << "Agenda escrita: " << v["salida"] << " [" << r.lineas << " registros] en " << tiempo
        << " s\n";
    return 0;
}

}  // namespace varnolt
