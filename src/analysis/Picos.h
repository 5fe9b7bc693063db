// Peak days: the heaviest day of the range, the heaviest seen since the data
// was loaded, the threshold derived from the user's percentage, the peak
// days, and the texts of the weighted-days list and the summary labels.
#pragma once

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

// Refills the weighted-days list and writes the labels. `fechasRango` is
// sorted for the listing and back by date before returning.
void MostrarFechasPP(std::vector<TTendenciaFecha>& fechasRango, const TEstadoPicos& picos,
                     TipoFecha tipo, OrdenFecha orden, TFecha fechaMin, TFecha fechaMax,
                     TFecha rangoIni, TFecha rangoFin, TListBox& lbFechaPP,
                     TEtiquetasInfo& etiquetas);

}  // namespace varnolt
