// SPDX-License-Identifier: AGPL-3.0-or-later
#include "export/Rangos.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "agenda/LectorAgenda.h"
#include "app/Formato.h"

namespace varnolt {
namespace {

constexpr std::array<std::string_view, 16> kCodigosNumerados = {
    "Sol", "Lun", "Mer", "Ven",  "Mar", "Júp", "Sat", "Ura",
    "Nep", "Plu", "Nod", "NodS", "Lil", "Qui", "RfD", "RfN"};

constexpr std::array<std::string_view, 16> kNombresItems = {
    "Sol",     "Luna",   "Mercurio",      "Venus",         "Marte",      "Júpiter",
    "Saturno", "Urano",  "Neptuno",       "Plutón",        "Nodo Norte", "Nodo Sur",
    "Lilith",  "Quirón", "Parte Fortuna", "Parte Espíritu"};

constexpr std::array<std::string_view, 12> kFrasesSigno = {
    "ARIES", "TAURO",    "GEMINIS",   "CÁNCER",      "LEO",     "VIRGO",
    "LIBRA", "ESCORPIO", "SAGITARIO", "CAPRICORNIO", "ACUARIO", "PISCIS"};

// The integer of a trimmed part, -1 when it is not one.
std::int32_t EnteroOMenosUno(std::string_view parte) {
    auto blanco = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!parte.empty() && blanco(parte.front())) {
        parte.remove_prefix(1);
    }
    while (!parte.empty() && blanco(parte.back())) {
        parte.remove_suffix(1);
    }
    std::int32_t v = 0;
    return LeerEntero(parte, v) ? v : -1;
}

bool PartesAspSigno(std::string_view s, std::int32_t& angulo, std::int32_t& signo) {
    const size_t coma = s.find(',');
    if (coma == std::string_view::npos) {
        return false;
    }
    angulo = EnteroOMenosUno(s.substr(0, coma));
    signo = EnteroOMenosUno(s.substr(coma + 1));
    return true;
}

std::int32_t Dias(const TRangoTendencia& r) {
    return r.FechaFin - r.FechaInicio + 1;
}

}  // namespace

std::string_view LeerJup(std::string_view codigo) {
    return codigo == "Jup" ? std::string_view("Júp") : codigo;
}

std::int32_t NumeroItem(std::string_view codigo) {
    codigo = LeerJup(codigo);
    for (size_t i = 0; i < kCodigosNumerados.size(); ++i) {
        if (kCodigosNumerados[i] == codigo) {
            return static_cast<std::int32_t>(i + 1);
        }
    }
    return 0;
}

std::string_view NombreItem(std::int32_t numero) {
    if (numero < 1 || numero > 16) {
        return {};
    }
    return kNombresItems[static_cast<size_t>(numero - 1)];
}

std::string NombreItemPrompt(std::int32_t numero, std::string_view codigo) {
    if (numero >= 1 && numero <= 16) {
        return std::string(NombreItem(numero));
    }
    if (codigo.size() == 3 && codigo[0] == 'C' && codigo[1] >= '0' && codigo[1] <= '1' &&
        codigo[2] >= '0' && codigo[2] <= '9') {
        const int casa = (codigo[1] - '0') * 10 + (codigo[2] - '0');
        if (casa >= 1 && casa <= 12) {
            return Format("Casa %d", {casa});
        }
    }
    return std::string(codigo);
}

std::string_view FraseAspecto(std::int32_t angulo) {
    switch (angulo) {
        case 0:
            return "CONJUNCIÓN (0°)";
        case 30:
            return "SEMI SEXTIL (30°)";
        case 60:
            return "SEXTIL (60°)";
        case 90:
            return "CUADRATURA (90°)";
        case 120:
            return "TRIGONO (120°)";
        case 150:
            return "QUINCUNCIO (150°)";
        case 180:
            return "OPOCISION (180°)";
        default:
            return "MÚLTIPLO DE 15";
    }
}

std::string_view FraseSigno(std::int32_t signo) {
    if (signo < 1 || signo > 12) {
        return "Signo desconocido";
    }
    return kFrasesSigno[static_cast<size_t>(signo - 1)];
}

std::string FraseAspSigno(std::string_view aspSigno) {
    std::int32_t angulo = 0;
    std::int32_t signo = 0;
    if (!PartesAspSigno(aspSigno, angulo, signo)) {
        return "Formato inválido";
    }
    return Format("desde %s hace %s", {FraseSigno(signo), FraseAspecto(angulo)});
}

std::string FormatoAspSigno(std::string_view aspSigno) {
    std::int32_t angulo = 0;
    std::int32_t signo = 0;
    if (!PartesAspSigno(aspSigno, angulo, signo)) {
        return "Formato inválido";
    }
    return Format("%d,%d", {angulo, signo});
}

void SetIdsRango(TRangoTendencia& rango) {
    rango.IdNatal = NumeroItem(rango.CodNatal);
    rango.IdTransito = NumeroItem(rango.CodTransito);
}

std::int32_t SignoDeLongitud(double posTransito) {
    return static_cast<std::int32_t>(std::trunc(posTransito / 30.0)) + 1;
}

std::string TextoAspSigno(std::int32_t angulo, double posTransito) {
    return Format("%d,%d", {angulo, SignoDeLongitud(posTransito)});
}

bool AnguloDeTextoArq(std::string_view texto, std::int32_t& angulo) {
    std::string limpio;
    limpio.reserve(texto.size());
    for (char c : texto) {
        if (c != '\r' && c != '\n') {
            limpio += c;
        }
    }
    const size_t abre = limpio.find('(');
    const size_t cierra = limpio.find(')');
    if (abre == std::string::npos || cierra == std::string::npos || cierra < abre) {
        return false;
    }
    std::string dentro = limpio.substr(abre + 1, cierra - abre - 1);
    for (size_t p; (p = dentro.find("°")) != std::string::npos;) {
        dentro.erase(p, std::string_view("°").size());
    }
    return LeerEntero(dentro, angulo);
}

void RecorrerDias(const std::vector<TTendenciaFecha>& dias, const std::string& transito,
                  const std::string& natal, const std::function<std::string(TFecha)>& aspSigno,
                  std::vector<TRangoTendencia>& salida) {
    // The aspect-sign text always belongs to FechaPico (the walk sets both
    // together), so it is asked once, when the range is appended.
    const bool sinCodigos = RecorrerRangos(dias, [&](TFecha inicio, TFecha pico, TFecha fin) {
        TRangoTendencia r;
        r.CodTransito = transito;
        r.CodNatal = natal;
        r.FechaInicio = inicio;
        r.FechaPico = pico;
        r.FechaFin = fin;
        r.AspSigno = aspSigno(pico);
        salida.push_back(std::move(r));
    });
    if (sinCodigos) {
        TRangoTendencia r;
        r.FechaFin = dias.back().Fecha;
        salida.push_back(std::move(r));
    }
}

std::string LineaPrompt(const TRangoTendencia& r) {
    return GeneradorLineas().Prompt(r);
}

std::string LineaDatosRango(const TRangoTendencia& r, int n) {
    return GeneradorLineas().DatosRango(r, n);
}

std::string LineaTecnica(const TRangoTendencia& r, int n) {
    return GeneradorLineas().Tecnica(r, n);
}

const std::string& GeneradorLineas::Iso(TFecha fecha) {
    auto [it, nuevo] = iso_.try_emplace(fecha);
    if (nuevo) {
        it->second = FormatDateTime("yyyy-mm-dd", fecha);
    }
    return it->second;
}

const std::string& GeneradorLineas::Dma(TFecha fecha) {
    auto [it, nuevo] = dma_.try_emplace(fecha);
    if (nuevo) {
        it->second = FormatDateTime("dd-mm-yyyy", fecha);
    }
    return it->second;
}

const std::string& GeneradorLineas::Frase(const std::string& aspSigno) {
    auto [it, nuevo] = frases_.try_emplace(aspSigno);
    if (nuevo) {
        it->second = FraseAspSigno(aspSigno);
    }
    return it->second;
}

const std::string& GeneradorLineas::Formato(const std::string& aspSigno) {
    auto [it, nuevo] = formatos_.try_emplace(aspSigno);
    if (nuevo) {
        it->second = FormatoAspSigno(aspSigno);
    }
    return it->second;
}

std::string_view GeneradorLineas::Nombre(std::int32_t numero, const std::string& codigo) {
    const std::string_view nombre = NombreItem(numero);
    if (!nombre.empty()) {
        return nombre;
    }
    auto [it, nuevo] = nombres_.try_emplace(codigo);
    if (nuevo) {
        it->second = NombreItemPrompt(numero, codigo);
    }
    return it->second;
}

// ".- %s %s a %s natal desde %s hasta %s." with the dates as "yyyy-mm-dd,"
// and "yyyy-mm-dd".
std::string GeneradorLineas::Prompt(const TRangoTendencia& r) {
    return Format(".- %s %s a %s natal desde %s hasta %s.",
                  {Nombre(r.IdTransito, r.CodTransito), Frase(r.AspSigno),
                   Nombre(r.IdNatal, r.CodNatal), Iso(r.FechaInicio) + ",", Iso(r.FechaFin)});
}

// "%d,%d,%s,%d,%s,%s,%d" with the dates as "dd-mm-yyyy", then every "-" as "/".
std::string GeneradorLineas::DatosRango(const TRangoTendencia& r, int n) {
    std::string linea =
        Format("%d,%d,%s,%d,%s,%s,%d", {n, r.IdTransito, Formato(r.AspSigno), r.IdNatal,
                                        Dma(r.FechaInicio), Dma(r.FechaFin), Dias(r)});
    std::replace(linea.begin(), linea.end(), '-', '/');
    return linea;
}

// "%d,%d,%d,%s," + the dates as "yyyy-mm-dd,", "yyyy-mm-dd," and
// "yyyy-mm-dd", then "%s,%d*" with the days.
std::string GeneradorLineas::Tecnica(const TRangoTendencia& r, int n) {
    std::string linea = Format("%d,%d,%d,%s,", {n, r.IdTransito, r.IdNatal, r.AspSigno});
    linea.reserve(linea.size() + 48);
    linea += Iso(r.FechaInicio);
    linea += ',';
    linea += Iso(r.FechaPico);
    linea += ',';
    linea += Iso(r.FechaFin);
    // Format("%s,%d*", [linea, days]), without copying the line again.
    linea += Format(",%d*", {Dias(r)});
    return linea;
}

}  // namespace varnolt
