// SPDX-License-Identifier: AGPL-3.0-or-later
// Peak days: the heaviest day of the range, the heaviest seen since the data
// was loaded, the threshold derived from the user's percentage, the peak
// days, and the texts of the weighted-days list and the summary labels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Ponderacion.h"
#include "app/ListBox.h"

namespace varnolt {

struct TEstadoPicos {
    double PPMaxRango = 0;
    TFecha FechaPPMax = 0;
    double PPMaxGlobal = 0;
    TFecha FechaPPMaxGlobal = 0;
    double UmbralPico = 0;
    std::vector<TTendenciaFecha> FechasPico;
};

// "Ver:" of the weighted-days list.
enum class TipoFecha { Todas = 0, Picos = 1 };
// "Ordenar por:" of the weighted-days list.
enum class OrdenFecha { Fecha = 0, Contactos = 1, PesoPonderado = 2 };

// The value of the threshold spin edit: its text as a whole number, or 10
// (its minimum) when the text is not one.
int ValorPico(const std::string& texto);

// Sorts the days by date, finds the range maximum (and the global one), sets
// the threshold and collects the peak days (only while `resaltar` is on).
void CalcularPicos(std::vector<TTendenciaFecha>& fechasRango, int valorPico, bool resaltar,
                   TEstadoPicos& picos);

struct TEtiquetasInfo {
    std::string RangoData = "-";
    std::string RangoVisual = "-";
    std::string SumaPP = "-";
    std::string FechasPico = "-";
    std::string Max = "-";
    std::string NoContactos;
};

// One row of the weighted-days list: its number, its day and whether the
// day is a peak day. The text is written only when the row is shown.
struct TFilaFechaPP {
    std::int32_t Numero = 0;
    std::int32_t Contactos = 0;
    TFecha Fecha = 0;
    bool Pico = false;
    double Peso = 0;
    bool operator==(const TFilaFechaPP&) const = default;
};

// "1.** 2024 ene 5 (c:3) (pp:12.50) **"
std::string TextoFilaFechaPP(const TFilaFechaPP& fila);

class TFilasFechaPP : public IFilasDiferidas {
  public:
    explicit TFilasFechaPP(std::vector<TFilaFechaPP> filas) : filas_(std::move(filas)) {}
    int Cantidad() const override { return static_cast<int>(filas_.size()); }
    std::string Texto(int fila) const override {
        return TextoFilaFechaPP(filas_[static_cast<size_t>(fila)]);
    }
    bool MismasFilas(const IFilasDiferidas& otras) const override;

  private:
    std::vector<TFilaFechaPP> filas_;
};

// Refills the weighted-days list and writes the labels. `fechasRango` is
// sorted for the listing and back by date before returning. `hayFechas`
// tells whether any date was loaded (fechaMin and fechaMax mean nothing
// otherwise).
void MostrarFechasPP(std::vector<TTendenciaFecha>& fechasRango, const TEstadoPicos& picos,
                     TipoFecha tipo, OrdenFecha orden, bool hayFechas, TFecha fechaMin,
                     TFecha fechaMax, TFecha rangoIni, TFecha rangoFin, TListBox& lbFechaPP,
                     TEtiquetasInfo& etiquetas);

}  // namespace varnolt
