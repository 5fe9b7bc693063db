// SPDX-License-Identifier: AGPL-3.0-or-later
// Contact ranges without the window: the range record, the item,
// aspect and sign tables, the walk over a pair's days, the aspect-sign texts
// and the three line formats. TFormVarnolt (export/Exportacion.cpp) drives
// them from the loaded contacts and the archetype selection.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/Ponderacion.h"
#include "app/Fecha.h"

namespace varnolt {

// What "Copiar" says, in the standard information box, when there are no
// range lines (the clipboard is left as it is); and the line added to the
// count of "Detallar" when nothing is chosen in the transit or the natal
// archetype panel.
inline constexpr const char* kNadaQueCopiar =
    "No hay contactos que copiar: el portapapeles no cambia.\rPulse «Detallar» primero.";
inline constexpr const char* kEligaArquetipos =
    "\rElija al menos un ítem en «El gestor (item en el cielo)» y otro en «Elemento de vida "
    "(mandala natal)».";

// One contact range. A fresh record has empty strings, numbers 0 and dates 0
// (0 = "not set"); a range whose CodTransito is empty is never reported.
struct TRangoTendencia {
    std::string CodNatal;         // natal item code ("Sol", "C05")
    std::string CodTransito;      // transit item code
    std::string AspSigno;         // "angle,sign" (90,4) or "-" when no contact was found
    std::int32_t IdNatal = 0;     // item number of CodNatal, 0 when it has none
    std::int32_t IdTransito = 0;  // item number of CodTransito, 0 when it has none
    TFecha FechaInicio = 0;
    TFecha FechaPico = 0;
    TFecha FechaFin = 0;
};

// "Jup" read as "Júp"; every other text as it stands.
std::string_view LeerJup(std::string_view codigo);

// Item number of a code: "Sol" 1 … "RfN" 16, exact comparison; 0 for every
// other code (house cusps included). "Jup" is read as "Júp".
std::int32_t NumeroItem(std::string_view codigo);

// Item name of a number 1..16 ("Sol", "Luna", … "Parte Espíritu"); empty
// outside 1..16. The CSV report uses the same table.
std::string_view NombreItem(std::int32_t numero);

// The name the prompt line gives an item: NombreItem of its number, and for
// number 0 (left to the implementer) "Casa N" for a house cusp "C01".."C12"
// and the code itself for any other code.
std::string NombreItemPrompt(std::int32_t numero, std::string_view codigo);

// The prompt-line phrase of an aspect angle ("CUADRATURA (90°)"; any angle
// outside the table gives "MÚLTIPLO DE 15").
std::string_view FraseAspecto(std::int32_t angulo);
// The prompt-line phrase of a sign number ("TAURO"; outside 1..12
// "Signo desconocido").
std::string_view FraseSigno(std::int32_t signo);

// "desde SIGNO hace ASPECTO" from an aspect-sign text, "Formato inválido"
// when it holds no comma.
std::string FraseAspSigno(std::string_view aspSigno);
// The aspect-sign text normalised to "%d,%d" (-1 for a part that is not a
// number), "Formato inválido" when it holds no comma.
std::string FormatoAspSigno(std::string_view aspSigno);

// Fills IdNatal and IdTransito from the codes.
void SetIdsRango(TRangoTendencia& rango);

// The sign of a transit longitude: the integer part of longitude / 30, plus 1
// (1 to 12 for longitudes from 0 up to 360).
std::int32_t SignoDeLongitud(double posTransito);
// The aspect-sign text of a contact: Format "%d,%d" of the angle and the
// sign of the transit longitude.
std::string TextoAspSigno(std::int32_t angulo, double posTransito);

// Reads the angle out of an LBArqAsp text: line breaks removed, the
// characters between the first "(" and the first ")", every "°" removed,
// read as a whole number. False when nothing readable is there.
bool AnguloDeTextoArq(std::string_view texto, std::int32_t& angulo);

// Step 4.3 to 4.5 of "Detallar" for one pair, over the pair's days
// (ascending dates, as FechasRango after the weighting): fewer than 4 days
// give nothing; the last day never opens a range nor becomes a peak; the
// peak is the first strictly highest day; a running maximum of 0 restarts the
// range at the next day. `cerrar(inicio, pico, fin)` is called for every
// range the walk reports, in order. Returns true when the walk closed a range
// just before the last day: the original then appends a range without codes,
// which is never reported.
template <typename Cerrar>
bool RecorrerRangos(const std::vector<TTendenciaFecha>& dias, Cerrar&& cerrar) {
    if (dias.size() < 4) {
        return false;
    }
    double maximo = 0;
    bool abierto = false;
    TFecha inicio = 0;
    TFecha pico = 0;
    for (size_t i = 0; i + 1 < dias.size(); ++i) {
        const TTendenciaFecha& d = dias[i];
        if (maximo == 0) {
            inicio = d.Fecha;
            pico = d.Fecha;
            maximo = d.Peso;
            abierto = true;
        } else if (d.Peso > maximo) {
            pico = d.Fecha;
            maximo = d.Peso;
        }
        if (dias[i + 1].Fecha - d.Fecha > 1) {
            cerrar(inicio, pico, d.Fecha);
            maximo = 0;
            abierto = false;
        }
    }
    if (abierto) {
        cerrar(inicio, pico, dias.back().Fecha);
    }
    return !abierto;
}

// RecorrerRangos into range records as the original builds them: codes set,
// AspSigno from `aspSigno` of the peak day, and the code-less range at the
// end when there is one. The ranges are appended to `salida`.
void RecorrerDias(const std::vector<TTendenciaFecha>& dias, const std::string& transito,
                  const std::string& natal, const std::function<std::string(TFecha)>& aspSigno,
                  std::vector<TRangoTendencia>& salida);

// The three lines of range number n (Algorithms D); the days are
// FechaFin - FechaInicio + 1. The range's Ids must be set.
std::string LineaPrompt(const TRangoTendencia& r);
std::string LineaDatosRango(const TRangoTendencia& r, int n);
std::string LineaTecnica(const TRangoTendencia& r, int n);

// The same three lines for many ranges: the texts of every date and of every
// aspect-sign text are made once (with FormatDateTime, FraseAspSigno and
// FormatoAspSigno) and reused. The functions above use one of these.
class GeneradorLineas {
  public:
    std::string Prompt(const TRangoTendencia& r);
    std::string DatosRango(const TRangoTendencia& r, int n);
    std::string Tecnica(const TRangoTendencia& r, int n);

  private:
    const std::string& Iso(TFecha fecha);  // "yyyy-mm-dd"
    const std::string& Dma(TFecha fecha);  // "dd-mm-yyyy"
    const std::string& Frase(const std::string& aspSigno);
    const std::string& Formato(const std::string& aspSigno);
    std::string_view Nombre(std::int32_t numero, const std::string& codigo);

    std::unordered_map<TFecha, std::string> iso_;
    std::unordered_map<TFecha, std::string> dma_;
    std::unordered_map<std::string, std::string> frases_;
    std::unordered_map<std::string, std::string> formatos_;
    std::unordered_map<std::string, std::string> nombres_;  // of number 0, by code
};

}  // namespace varnolt
