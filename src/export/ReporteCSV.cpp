// SPDX-License-Identifier: AGPL-3.0-or-later
#include "export/ReporteCSV.h"

#include <array>
#include <ctime>
#include <stdexcept>

#include "agenda/LectorAgenda.h"
#include "app/Formato.h"
#include "app/Regional.h"
#include "app/Texto.h"
#include "export/Rangos.h"

namespace varnolt {
namespace {

constexpr std::array<std::string_view, 12> kSignos = {
    "Aries", "Tauro",    "Géminis",   "Cáncer",      "Leo",     "Virgo",
    "Libra", "Escorpio", "Sagitario", "Capricornio", "Acuario", "Piscis"};
constexpr std::array<std::string_view, 7> kAspectos = {
    "Conjunción", "Semi Sextil", "Sextil", "Cuadratura", "Trígono", "Quincuncio", "Opocisión"};

// Blanks and control characters, as the suite trims and splits.
bool EsBlanco(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Day of the week, Sunday 1 to Saturday 7 (day 0 was a Saturday).
int DiaSemana(TFecha fecha) {
    const int resto = static_cast<int>((static_cast<std::int64_t>(fecha) + 6) % 7);
    return (resto + 7) % 7 + 1;
}

const TFecha kPrimerDia = CodificarFecha(1, 1, 1);
const TFecha kUltimoDia = CodificarFecha(9999, 12, 31);

// Dates the report can write: 1 January 1 to 31 December 9999.
TFecha Comprobada(TFecha fecha) {
    if (fecha < kPrimerDia || fecha > kUltimoDia) {
        throw std::out_of_range(
            Format("La fecha %d está fuera del rango admitido (01/01/0001 a 31/12/9999)", {fecha}));
    }
    return fecha;
}

int AnioActual() {
    return DecodificarFecha(Hoy()).anio;
}

// A whole number of 1 to `maximo` digits.
bool Digitos(std::string_view s, size_t maximo, int& valor) {
    if (s.empty() || s.size() > maximo) {
        return false;
    }
    valor = 0;
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
        valor = valor * 10 + (c - '0');
    }
    return true;
}

int Entero(const std::string& s) {
    std::int32_t v = 0;
    return LeerEntero(s, v) ? v : 0;
}

}  // namespace

TFecha InicioSemana(TFecha fecha) {
    const int dia = DiaSemana(fecha);
    return dia == 1 ? fecha - 6 : fecha - (dia - 2);
}

TFecha FinSemana(TFecha fecha) {
    return InicioSemana(fecha) + 6;
}

TFecha InicioMes(TFecha fecha) {
    const FechaCivil f = DecodificarFecha(Comprobada(fecha));
    return CodificarFecha(f.anio, f.mes, 1);
}

TFecha FinMes(TFecha fecha) {
    const FechaCivil f = DecodificarFecha(Comprobada(fecha));
    int ultimo = 31;
    if (f.mes == 4 || f.mes == 6 || f.mes == 9 || f.mes == 11) {
        ultimo = 30;
    } else if (f.mes == 2) {
        ultimo = (f.anio % 4 == 0 && (f.anio % 100 != 0 || f.anio % 400 == 0)) ? 29 : 28;
    }
    return CodificarFecha(f.anio, f.mes, ultimo);
}

TFecha LeeFecha(std::string_view texto) {
    while (!texto.empty() && EsBlanco(texto.front())) {
        texto.remove_prefix(1);
    }
    while (!texto.empty() && EsBlanco(texto.back())) {
        texto.remove_suffix(1);
    }
    const size_t a = texto.find('/');
    if (a == std::string_view::npos) {
        return 0;
    }
    const size_t b = texto.find('/', a + 1);
    if (b == std::string_view::npos) {
        return 0;
    }
    int dia = 0;
    int mes = 0;
    int anio = 0;
    const std::string_view textoAnio = texto.substr(b + 1);
    if (!Digitos(texto.substr(0, a), 2, dia) || !Digitos(texto.substr(a + 1, b - a - 1), 2, mes) ||
        !Digitos(textoAnio, 4, anio)) {
        return 0;
    }
    if (textoAnio.size() <= 2) {
        // Two-digit years fall within the 50 years before the current one and
        // the 49 after it, as the suite's date reading does.
        const int desde = AnioActual() - 50;
        anio += desde / 100 * 100;
        if (anio < desde) {
            anio += 100;
        }
    }
    if (!EsFechaValida(anio, mes, dia)) {
        return 0;
    }
    return CodificarFecha(anio, mes, dia);
}

std::vector<std::string> DividirValores(std::string_view s) {
    std::vector<std::string> valores;
    size_t p = 0;
    const size_t n = s.size();
    auto saltarBlancos = [&] {
        while (p < n && EsBlanco(s[p])) {
            ++p;
        }
    };
    saltarBlancos();
    while (p < n) {
        std::string valor;
        if (s[p] == '"') {
            ++p;
            while (p < n) {
                if (s[p] == '"') {
                    if (p + 1 < n && s[p + 1] == '"') {
                        valor += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                valor += s[p++];
            }
        } else {
            const size_t desde = p;
            while (p < n && !EsBlanco(s[p]) && s[p] != ',') {
                ++p;
            }
            valor.assign(s.substr(desde, p - desde));
        }
        valores.push_back(std::move(valor));
        saltarBlancos();
        if (p < n && s[p] == ',') {
            if (p + 1 == n) {
                valores.emplace_back();
            }
            ++p;
            saltarBlancos();
        }
    }
    return valores;
}

std::string_view NombreSignoReporte(int signo) {
    if (signo < 1 || signo > 12) {
        return "-";
    }
    return kSignos[static_cast<size_t>(signo - 1)];
}

std::string_view NombreAspectoReporte(int angulo) {
    if (angulo < 0 || angulo / 30 > 6) {
        return "-";
    }
    return kAspectos[static_cast<size_t>(angulo / 30)];
}

std::string_view NombreItemReporte(int numero) {
    const std::string_view nombre = NombreItem(numero);
    return nombre.empty() ? std::string_view("-") : nombre;
}

std::string FechaCorta(TFecha fecha) {
    const Regional& regional = ConfiguracionRegional();
    std::string patron;
    char comilla = 0;
    for (char c : regional.FormatoFechaCorta) {
        if (comilla != 0) {
            comilla = c == comilla ? 0 : comilla;
            patron += c;
        } else if (c == '"' || c == '\'') {
            comilla = c;
            patron += c;
        } else if (c == '/') {
            // The separator is written quoted so that no separator is read as
            // a pattern letter.
            patron += '"';
            patron += regional.SeparadorFecha;
            patron += '"';
        } else {
            patron += c;
        }
    }
    return FormatDateTime(patron, fecha);
}

std::vector<std::string> GenerarReporteCSV(const std::vector<std::string>& entrada,
                                           std::vector<std::string>& resumen, int clase,
                                           TFecha fechaMin, TFecha fechaMax, TFecha fechaReferencia,
                                           int tipoReporte, std::string& nombreArchivo) {
    std::vector<std::string> resultado;
    resumen.clear();
    try {
        // 2. The period, the name prefix and the period line.
        TFecha ini = 0;
        TFecha fin = 0;
        std::string prefijo;
        if (tipoReporte == 0) {
            ini = Comprobada(fechaMin);
            fin = Comprobada(fechaMax);
            resumen.push_back("Del " + FechaCorta(ini) + " al " + FechaCorta(fin));
        } else if (tipoReporte == 1) {
            ini = Comprobada(InicioSemana(Comprobada(fechaReferencia)));
            fin = Comprobada(FinSemana(fechaReferencia));
            prefijo = "_semana_";
            resumen.push_back("Semana de " + FechaCorta(ini) + " a " + FechaCorta(fin));
        } else {
            ini = InicioMes(fechaReferencia);
            fin = FinMes(fechaReferencia);
            prefijo = "_mes_";
            resumen.push_back("Mes de " + FechaCorta(ini) + " a " + FechaCorta(fin));
        }

        // 3, 4. The file name and the class line.
        nombreArchivo = prefijo + FormatDateTime("yyyy-mm-dd", ini) + "_" +
                        FormatDateTime("yyyy-mm-dd", fin) + ".csv";
        if (clase == 0) {
            resumen.emplace_back("Todos los planetas");
            nombreArchivo = "_tránsitos_todos" + nombreArchivo;
        } else if (clase == 1) {
            resumen.emplace_back("Contactos de: Sol, Mer, Ven y Mar");
            nombreArchivo = "_tránsitos_rápidos" + nombreArchivo;
        } else {
            resumen.emplace_back("Contactos de: Júp, Sat, Ura, Nep, Plu, Nodos, Lil y Qui");
            nombreArchivo = "_tránsitos_NO_rápidos" + nombreArchivo;
        }

        // 5. The header; the short date format from now on.
        resultado.emplace_back(kCabeceraReporteCSV);
        Regional& regional = ConfiguracionRegional();
        regional.FormatoFechaCorta = "dd/mm/yyyy";
        regional.SeparadorFecha = '/';

        // 6. The rows.
        int filas = 0;
        for (const std::string& original : entrada) {
            std::string_view linea = original;
            while (!linea.empty() && EsBlanco(linea.front())) {
                linea.remove_prefix(1);
            }
            while (!linea.empty() && EsBlanco(linea.back())) {
                linea.remove_suffix(1);
            }
            if (linea.empty()) {
                continue;
            }
            std::string minusculas(linea);
            for (char& c : minusculas) {
                if (c >= 'A' && c <= 'Z') {
                    c = static_cast<char>(c - 'A' + 'a');
                }
            }
            if (minusculas.find("id,idtra,asp,sigtra,idnat") != std::string::npos) {
                continue;
            }
            const std::vector<std::string> v = DividirValores(linea);
            if (v.size() < 8) {
                continue;
            }
            const int transito = Entero(v[1]);
            std::int32_t angulo = 0;
            const bool hayAngulo = LeerEntero(v[2], angulo);
            const int signo = Entero(v[3]);
            const int natal = Entero(v[4]);
            const int dias = Entero(v[7]);
            const TFecha inicio = LeeFecha(v[5]);
            const TFecha final = LeeFecha(v[6]);
            const bool aceptada = clase == 0   ? true
                                  : clase == 1 ? EsRapido(transito)
                                               : EsLento(transito);
            if (!aceptada || inicio > fin || final < ini) {
                continue;
            }
            ++filas;
            resultado.push_back(
                Format("%d,%s,%s,%s,%s,%s,%s,%d",
                       {filas, NombreItemReporte(transito), NombreSignoReporte(signo),
                        hayAngulo ? NombreAspectoReporte(angulo) : std::string_view("-"),
                        NombreItemReporte(natal), FormatDateTime("dd/mm/yy", inicio),
                        FormatDateTime("dd/mm/yy", final), dias}));
        }

        // 7. The count line.
        if (filas == 0) {
            resumen.emplace_back("No se encontraron contactos para los criterios especificados.");
        } else {
            resumen.push_back(std::to_string(filas) + " contactos encontrados.");
        }
    } catch (const std::exception& e) {
        resultado.clear();
        resultado.push_back(std::string("ERROR: ") + e.what());
        resultado.emplace_back(kAvisoFormatoFechas);
    }
    return resultado;
}

}  // namespace varnolt
