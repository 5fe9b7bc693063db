// SPDX-License-Identifier: AGPL-3.0-or-later
#include "transitos/DatosCarta.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "app/settings/ArchivoIni.h"
#include "app/settings/Configuracion.h"
#include "app/settings/Instalacion.h"

namespace varnolt {
namespace {

std::string_view Recortar(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool Entero(std::string_view s, int& v) {
    if (s.empty())
        return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool Real(std::string_view s, double& v) {
    s = Recortar(s);
    if (s.empty())
        return false;
    if (s.front() == '+')
        s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(v);
}

// "AAAA-MM-DD" into its three numbers.
bool Fecha(std::string_view s, int& y, int& m, int& d) {
    const size_t a = s.find('-');
    const size_t b = a == std::string_view::npos ? a : s.find('-', a + 1);
    return b != std::string_view::npos && Entero(s.substr(0, a), y) &&
           Entero(s.substr(a + 1, b - a - 1), m) && Entero(s.substr(b + 1), d);
}

bool AnioEnRango(int y) {
    return y >= kAnioMinimoAgenda && y <= kAnioMaximoAgenda;
}

std::string TextoRangoAnios() {
    return std::to_string(kAnioMinimoAgenda) + " y " + std::to_string(kAnioMaximoAgenda);
}

}  // namespace

std::optional<HoraLocal> LeerNacimiento(std::string_view texto, std::string& error) {
    texto = Recortar(texto);
    const size_t t = texto.find_first_of("T ");
    HoraLocal h;
    const std::string_view hora = t == std::string_view::npos ? "" : texto.substr(t + 1);
    const size_t dp = hora.find(':');
    if (t == std::string_view::npos || !Fecha(texto.substr(0, t), h.anio, h.mes, h.dia) ||
        dp == std::string_view::npos || !Entero(hora.substr(0, dp), h.hora) ||
        !Entero(hora.substr(dp + 1), h.minuto)) {
        error = "la fecha de nacimiento \"" + std::string(texto) +
                "\" no tiene la forma AAAA-MM-DDTHH:MM";
        return std::nullopt;
    }
    if (!EsFechaValida(h.anio, h.mes, h.dia) || h.hora < 0 || h.hora > 23 || h.minuto < 0 ||
        h.minuto > 59) {
        error = "la fecha de nacimiento \"" + std::string(texto) + "\" no existe";
        return std::nullopt;
    }
    if (!AnioEnRango(h.anio)) {
        error = "la fecha de nacimiento \"" + std::string(texto) +
                "\" está fuera de las efemérides (años entre " + TextoRangoAnios() + ")";
        return std::nullopt;
    }
    return h;
}

bool LeerLugar(std::string_view texto, double& latitud, double& longitud, std::string& error) {
    const size_t coma = texto.find(',');
    if (coma == std::string_view::npos || !Real(texto.substr(0, coma), latitud) ||
        !Real(texto.substr(coma + 1), longitud)) {
        error = "el lugar \"" + std::string(texto) +
                "\" no tiene la forma LAT,LON en grados decimales (p. ej. 40.4168,-3.7038)";
        return false;
    }
    if (latitud < -90 || latitud > 90) {
        error = "la latitud " + std::string(Recortar(texto.substr(0, coma))) +
                " está fuera de -90 a 90 grados";
        return false;
    }
    if (longitud < -180 || longitud > 180) {
        error = "la longitud " + std::string(Recortar(texto.substr(coma + 1))) +
                " está fuera de -180 a 180 grados";
        return false;
    }
    return true;
}

std::optional<TFecha> LeerLimite(std::string_view texto, bool final, std::string& error) {
    texto = Recortar(texto);
    int y = 0;
    int m = final ? 12 : 1;
    int d = final ? 31 : 1;
    const bool soloAnio = Entero(texto, y);
    if (!soloAnio && !Fecha(texto, y, m, d)) {
        error = "la fecha \"" + std::string(texto) + "\" no es un año AAAA ni una fecha AAAA-MM-DD";
        return std::nullopt;
    }
    if (!EsFechaValida(y, m, d)) {
        error = "la fecha \"" + std::string(texto) + "\" no existe";
        return std::nullopt;
    }
    if (!AnioEnRango(y)) {
        error = "la fecha \"" + std::string(texto) +
                "\" está fuera de las efemérides (años entre " + TextoRangoAnios() + ")";
        return std::nullopt;
    }
    return CodificarFecha(y, m, d);
}

std::optional<ContenidoAgenda> LeerContenido(const TextosCarta& t, std::string& error) {
    const std::string_view perfil = Recortar(t.perfil);
    std::optional<ContenidoAgenda> c =
        ContenidoDePerfil(perfil.empty() ? kPerfilPredeterminado : perfil);
    if (!c) {
        error = "el perfil \"" + std::string(perfil) + "\" no se conoce: use";
        for (const PerfilAgenda& p : PerfilesAgenda()) {
            error += std::string(&p == &PerfilesAgenda().front() ? " " : ", ") + p.nombre;
        }
        return std::nullopt;
    }
    if ((!Recortar(t.cuerpos).empty() && !LeerCuerpos(t.cuerpos, *c, error)) ||
        (!Recortar(t.puntos).empty() && !LeerPuntos(t.puntos, *c, error)) ||
        (!Recortar(t.aspectos).empty() && !LeerAspectos(t.aspectos, *c, error))) {
        return std::nullopt;
    }
    return c;
}

std::optional<PeticionAgenda> LeerPeticion(const TextosCarta& t, std::string& error,
                                           const NombresRango& nombres) {
    PeticionAgenda p;
    p.nombre = std::string(Recortar(t.nombre));
    if (LargoUtf8(p.nombre) > kLargoMaximoNombre) {
        error = "el nombre tiene " + std::to_string(LargoUtf8(p.nombre)) +
                " caracteres; el máximo es " + std::to_string(kLargoMaximoNombre);
        return std::nullopt;
    }
    const auto nac = LeerNacimiento(t.nacimiento, error);
    if (!nac)
        return std::nullopt;
    p.nacimiento = *nac;
    std::string errorZona;
    const auto zona = ZonaHoraria::Leer(Recortar(t.zona), &errorZona);
    if (!zona && !errorZona.empty()) {
        error = "la zona horaria \"" + std::string(Recortar(t.zona)) +
                "\" no se puede usar: " + errorZona;
        return std::nullopt;
    }
    if (!zona) {
        error = "la zona horaria \"" + std::string(Recortar(t.zona)) +
                "\" no se conoce: use un nombre IANA como Europe/Madrid o un desplazamiento "
                "como +02:00";
        return std::nullopt;
    }
    p.zona = *zona;
    if (!LeerLugar(t.lugar, p.latitud, p.longitud, error))
        return std::nullopt;

    std::optional<TFecha> desde;
    if (Recortar(t.desde).empty()) {
        desde = CodificarFecha(DecodificarFecha(Hoy()).anio, 1, 1);
    } else {
        desde = LeerLimite(t.desde, false, error);
    }
    if (!desde)
        return std::nullopt;
    std::optional<TFecha> hasta;
    if (Recortar(t.hasta).empty()) {
        hasta = CodificarFecha(DecodificarFecha(*desde).anio, 12, 31);
    } else {
        hasta = LeerLimite(t.hasta, true, error);
    }
    if (!hasta)
        return std::nullopt;
    if (*hasta < *desde) {
        error = std::string("el rango termina antes de empezar (") + nombres.hasta +
                " es anterior a " + nombres.desde + ")";
        return std::nullopt;
    }
    // The same day a hundred years on, or the last of its month (29 February
    // of a year that is not leap).
    const FechaCivil a = DecodificarFecha(*desde);
    const int anioFin = a.anio + kAniosMaximosAgenda;
    if (*hasta >= CodificarFecha(anioFin, a.mes, std::min(a.dia, DiasDelMes(anioFin, a.mes)))) {
        error = "el rango pasa de " + std::to_string(kAniosMaximosAgenda) +
                " años; divídalo en varias agendas";
        return std::nullopt;
    }
    p.desde = *desde;
    p.hasta = *hasta;
    const auto contenido = LeerContenido(t, error);
    if (!contenido)
        return std::nullopt;
    p.modelo.contenido = *contenido;
    return p;
}

void AplicarConfiguracion(PeticionAgenda& p, const Configuracion& config, std::string* aviso) {
    bool conocido = true;
    const int id = config.Entero("Data", "IdSysHousesNat");
    p.sistemaCasas = SistemaCasas(id, &conocido);
    if (!conocido && aviso != nullptr) {
        *aviso = "IdSysHousesNat=" + std::to_string(id) +
                 " no es un sistema de casas conocido; se usa Placidus";
    }
    AplicarOrbesConfiguracion(p.modelo, config);
}

std::string AvisoSistemaCasasIni(const ArchivoIni& ini) {
    const std::optional<std::string> texto = ini.LeerTexto("Data", "IdSysHousesNat");
    if (!texto || LeerEnteroIni(*texto)) {
        return {};
    }
    return "IdSysHousesNat=" + *texto + " no es un número entero; se usa Placidus";
}

std::string ArchivoUltimaCarta() {
    // Varnolt's own folder of the user's configuration folder, where the
    // window also keeps its settings when installed and its window places.
    const std::string carpeta = CarpetaConfiguracionVarnolt();
    return carpeta.empty() ? std::string() : carpeta + "ultima_carta.ini";
}

namespace {

// The file's keys and the text each one keeps.
constexpr struct {
    std::string_view clave;
    std::string TextosCarta::*texto;
} kClavesUltimaCarta[] = {
    {"nombre", &TextosCarta::nombre}, {"nacimiento", &TextosCarta::nacimiento},
    {"zona", &TextosCarta::zona},     {"lugar", &TextosCarta::lugar},
    {"desde", &TextosCarta::desde},   {"hasta", &TextosCarta::hasta},
    {"perfil", &TextosCarta::perfil}, {"cuerpos", &TextosCarta::cuerpos},
    {"puntos", &TextosCarta::puntos}, {"aspectos", &TextosCarta::aspectos},
};

// UTF-8 "clave=valor" lines before any section; far more than a chart with
// the longest name takes.
FormaIni FormaUltimaCarta() {
    FormaIni f;
    f.limite = 1u << 20;
    f.utf8 = true;
    f.clavesSinSeccion = true;
    return f;
}

}  // namespace

std::size_t LargoUtf8(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8) {
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return n;
}

std::optional<TextosCarta> LeerUltimaCarta(const std::string& ruta) {
    if (ruta.empty()) {
        return std::nullopt;
    }
    const ArchivoIni ini(ruta, FormaUltimaCarta());
    if (!ini.Existia()) {
        return std::nullopt;
    }
    TextosCarta t;
    for (const auto& c : kClavesUltimaCarta) {
        t.*c.texto = ini.LeerCadena("", c.clave, "");
    }
    return t;
}

bool GuardarUltimaCarta(const std::string& ruta, const TextosCarta& t) {
    if (ruta.empty()) {
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(ruta).parent_path(), ec);
    // The lines this program does not own (comments, other keys) stay.
    ArchivoIni ini(ruta, FormaUltimaCarta());
    for (const auto& c : kClavesUltimaCarta) {
        std::string v = t.*c.texto;
        for (char& ch : v) {
            if (ch == '\n' || ch == '\r') {
                ch = ' ';
            }
        }
        ini.EscribirCadena("", c.clave, v);
    }
    return !ini.Guardar();
}

}  // namespace varnolt
