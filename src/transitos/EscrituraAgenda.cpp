// SPDX-License-Identifier: AGPL-3.0-or-later
#include "transitos/EscrituraAgenda.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/ArchivoSeguro.h"
#include "app/Regional.h"
#include "app/Texto.h"

namespace varnolt {
namespace {

void AnadirEntero(std::string& s, long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

// A fixed-point number with 'dec' decimals, rounded half away from zero.
void AnadirFijo(std::string& s, double v, int dec, char sep) {
    static constexpr long long kPot[] = {1, 10, 100, 1000, 10000};
    const long long escala = kPot[dec];
    const bool negativo = v < 0;
    const long long entero = std::llround(std::fabs(v) * static_cast<double>(escala));
    if (negativo && entero != 0) {
        s += '-';
    }
    AnadirEntero(s, entero / escala);
    if (dec > 0) {
        s += sep;
        long long resto = entero % escala;
        char buf[8];
        for (int k = dec - 1; k >= 0; --k) {
            buf[k] = static_cast<char>('0' + resto % 10);
            resto /= 10;
        }
        s.append(buf, static_cast<size_t>(dec));
    }
}

// A longitude in [0, 360) to four decimals: one that rounds up to 360 (a
// cusp at 359.99996) is the same point as 0 and is written so.
void AnadirLongitud(std::string& s, double grados, char sep) {
    AnadirFijo(s, std::llround(grados * 10000.0) >= 3600000 ? 0.0 : grados, 4, sep);
}

std::string Cp1252(std::string_view utf8) {
    return Utf8ACp1252(utf8);
}

std::string TextoDesfase(int segundos) {
    char buf[16];
    const int m = std::abs(segundos) / 60;
    std::snprintf(buf, sizeof buf, "UTC%c%02d:%02d", segundos < 0 ? '-' : '+', m / 60, m % 60);
    return buf;
}

// The notice of a birth time in a change of the clocks, "" when it is not.
std::string AvisoCambioHora(const HoraLocal& h, const ZonaHoraria& zona) {
    const ZonaHoraria::CambioHora c = zona.CambioEn(h);
    if (c.tipo == ZonaHoraria::CambioHora::Ninguno) {
        return std::string();
    }
    char hora[48];
    std::snprintf(hora, sizeof hora, "%02d:%02d del %04d-%02d-%02d", h.hora, h.minuto, h.anio,
                  h.mes, h.dia);
    if (c.tipo == ZonaHoraria::CambioHora::Omitida) {
        return std::string("la hora de nacimiento ") + hora + " no existió en " + zona.Texto() +
               " (los relojes se adelantaron); se toma con el desfase de antes del cambio, " +
               TextoDesfase(c.tomado);
    }
    return std::string("la hora de nacimiento ") + hora + " se dio dos veces en " + zona.Texto() +
           " (los relojes se atrasaron); se toma la primera, " + TextoDesfase(c.tomado) +
           ", no la segunda, " + TextoDesfase(c.otro);
}

std::string AvisoNacimientoFueraDeArchivos(const HoraLocal& h, const CartaNatal& carta) {
    char fecha[16];
    std::snprintf(fecha, sizeof fecha, "%04d-%02d-%02d", h.anio, h.mes, h.dia);
    std::string faltan;
    for (int i = 0; i < kNumCuerpos; ++i) {
        if (std::none_of(carta.puntos.begin(), carta.puntos.end(),
                         [i](const PuntoNatal& pn) { return pn.indice == i; })) {
            faltan +=
                (faltan.empty() ? "" : ", ") + std::string(CodigoCuerpo(static_cast<Cuerpo>(i)));
        }
    }
    return std::string("la fecha de nacimiento ") + fecha +
           " está fuera de los archivos de efemérides: la carta natal se calcula con el modo "
           "analítico de la biblioteca" +
           (faltan.empty() ? std::string() : ", sin " + faltan);
}

}  // namespace

std::string NombreEnAgenda(const std::string& nombre) {
    std::string r = Utf8ACp1252(nombre);
    for (char& c : r) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) {
            c = '_';
        }
    }
    return r.empty() ? "Carta" : r;
}

void AnadirLineaAgenda(std::string& s, std::size_t n, const std::string& nombre,
                       const std::string& nat, const Contacto& c, char sep) {
    static const auto codigosTransito = [] {
        std::array<std::string, kNumCuerpos> r;
        for (int i = 0; i < kNumCuerpos; ++i) {
            r[i] = Cp1252(CodigoCuerpo(static_cast<Cuerpo>(i)));
        }
        return r;
    }();
    const std::string& tra = codigosTransito[static_cast<int>(c.transito)];
    const int angulo = kAngulosAgenda[c.angulo];
    const FechaCivil f = DecodificarFecha(c.fecha);

    AnadirEntero(s, static_cast<long long>(n));
    s += " P1 ";
    s += nombre;
    s += ' ';
    AnadirEntero(s, f.anio);
    s += '-';
    AnadirEntero(s, f.mes);
    s += '-';
    AnadirEntero(s, f.dia);
    s += ' ';
    AnadirEntero(s, static_cast<long long>(n));
    s += ':';
    s += nat;
    s += '(';
    AnadirEntero(s, angulo);
    s += '\xB0';
    s += ')';
    s += tra;
    s += ' ';
    s += nat;
    s += ' ';
    s += tra;
    s += ' ';
    AnadirFijo(s, c.fuerza, 1, sep);
    s += "%  ";
    s += TextoBanda(BandaDeFuerza(c.fuerza));
    s += ' ';
    AnadirFijo(s, c.peso, 3, sep);
    s += ' ';
    AnadirEntero(s, angulo);
    s += ' ';
    AnadirFijo(s, c.valor, 4, sep);
    s += c.aplicativo ? " a n " : " s n ";
    AnadirFijo(s, c.valor, 2, sep);
    s += c.retrogrado ? " R " : " D ";
    AnadirLongitud(s, c.posNatal, sep);
    s += " - - - - ";
    AnadirLongitud(s, c.posTransito, sep);
    s += "\r\n";
}

ResultadoAgenda EscribirAgenda(const PeticionAgenda& p, const std::string& ruta,
                               const std::function<bool(int)>& progreso) {
    ResultadoAgenda res;
    res.error = ComprobarCarpetaEfemerides(p.carpetaEfemerides);
    if (!res.error.empty()) {
        return res;
    }
    Efemerides efe(p.carpetaEfemerides);
    const std::int64_t utc = p.zona.AUtc(p.nacimiento);
    const CartaNatal carta =
        CalcularCarta(efe, DiaJulianoDeUnix(utc), p.latitud, p.longitud, p.sistemaCasas);
    // A birth outside the data files gives one notice that names it, not
    // one per body blaming the range.
    std::vector<std::string> avisosCarta;
    for (const std::string& a : efe.Avisos()) {
        if (a.find("archivos de efemérides") == std::string::npos) {
            avisosCarta.push_back(a);
        } else if (std::none_of(avisosCarta.begin(), avisosCarta.end(), [](const std::string& x) {
                       return x.starts_with("la fecha de nacimiento");
                   })) {
            avisosCarta.push_back(AvisoNacimientoFueraDeArchivos(p.nacimiento, carta));
        }
    }
    efe.OlvidarAvisos();
    const std::string nombre = NombreEnAgenda(p.nombre);
    const char sep = SeparadorDecimal();
    std::vector<std::string> natales;
    for (const PuntoNatal& punto : carta.puntos) {
        natales.push_back(Cp1252(punto.codigo));
    }

    // Computed straight into the temporary file of the replace, in blocks,
    // so memory stays bounded by a block whatever the range.
    std::size_t n = 0;
    bool completo = true;
    const FalloArchivo fallo = ReemplazarArchivoCon(ruta, [&](int fd) {
        std::string bloque = kCabeceraAgenda;
        bloque += "\r\n";
        int error = 0;
        completo = CalcularContactos(
            efe, carta, p.zona, p.desde, p.hasta, p.modelo,
            [&](const Contacto& c) {
                AnadirLineaAgenda(bloque, ++n, nombre, natales[c.punto], c, sep);
                if (bloque.size() > (1u << 15)) {
                    if (error == 0 && !EscribirTodo(fd, bloque)) {
                        error = errno;
                    }
                    bloque.clear();
                }
            },
            progreso);
        if (!completo) {
            return ECANCELED;
        }
        if (error == 0 && !EscribirTodo(fd, bloque)) {
            error = errno;
        }
        return error;
    });
    res.avisos = avisosCarta;
    res.avisos.insert(res.avisos.end(), efe.Avisos().begin(), efe.Avisos().end());
    if (std::string aviso = AvisoCambioHora(p.nacimiento, p.zona); !aviso.empty()) {
        res.avisos.insert(res.avisos.begin(), std::move(aviso));
    }
    if (!completo) {
        res.cancelado = true;
        return res;
    }
    if (fallo) {
        res.error = "No se puede crear el archivo \"" + ruta + "\": " + fallo.Texto(ruta);
        return res;
    }
    res.hecho = true;
    res.lineas = n;
    return res;
}

}  // namespace varnolt
