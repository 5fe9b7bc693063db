// SPDX-License-Identifier: AGPL-3.0-or-later
// Reading agenda files: the contact line format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "agenda/Tendencia.h"

namespace varnolt {

// One contact line, read from the Windows-1252 bytes of the file. Besides the
// record it yields the text of the aspect token, which joins the aspect
// catalogue.
struct LineaAgenda {
    TTendencia tendencia;
    std::string_view textoAspecto;  // points into the line
    // Read and checked, but no view uses them: not kept in the record.
    std::int32_t IdContacto = 0;   // number in front of ":" in the contact token
    std::int32_t AngContacto = 0;  // angle written in the contact token
    double Valor = 0;              // the "valor" column
};

// Turns item codes read from the file (Windows-1252) into program codes,
// remembering the few distinct codes an agenda repeats. It also remembers
// the last date token read, as an agenda holds many contacts a day.
class TraductorCodigos {
  public:
    Codigo Traducir(std::string_view cp1252);

    // The last date token and its day (0: none yet).
    std::string ultimaFechaTexto;
    TFecha ultimaFecha = 0;

  private:
    // Codes of up to 8 bytes, packed into one word, in an open-addressing
    // table; longer ones in a map.
    struct Ranura {
        std::uint64_t clave = 0;  // 0: free (a packed code is never 0)
        Codigo codigo;
    };
    static constexpr size_t kRanuras = 512;
    std::vector<Ranura> cortos_ = std::vector<Ranura>(kRanuras);
    size_t ocupadas_ = 0;
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, Codigo, Hash, std::equal_to<>> largos_;
};

// Parses one contact line (without its line end). Returns false when any
// number or the date does not read or the date is no calendar day. The
// decimal separator is the one real numbers must use.
bool LeerLineaAgenda(std::string_view linea, char separadorDecimal, TraductorCodigos& codigos,
                     LineaAgenda& salida);

// The decimal separator an agenda is written with, told by the strength
// token of its first contact line ("87.5%" or "87,5%"). A strength without
// one ("87%") tells nothing and gives `porDefecto`.
char SeparadorDeAgenda(std::string_view primeraLinea, char porDefecto);

// The failing line as the error message quotes it (UTF-8): as it stands when
// it is short and printable; otherwise its first kLargoCita characters with
// control characters shown visibly (C0 and DEL as their control pictures,
// "␉" for a tab; the undefined bytes of the code page as "\x81"), and "…"
// when it was cut.
inline constexpr size_t kLargoCita = 200;
std::string CitaDeLinea(std::string_view cp1252);

// Equality of two short texts (codes, dates, angles) without a call to
// memcmp, which costs more than the comparison at these lengths.
inline bool IgualesCortos(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// Number readers of the agenda format (exposed for the tests).
bool LeerEntero(std::string_view texto, std::int32_t& valor);
bool LeerReal(std::string_view texto, char separadorDecimal, double& valor);
bool LeerFechaAgenda(std::string_view texto, TFecha& fecha);

}  // namespace varnolt
