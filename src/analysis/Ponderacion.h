// SPDX-License-Identifier: AGPL-3.0-or-later
// The daily weighting: from the loaded contacts that fall in the selected
// range and pass the natal, transit and angle selection, the number of
// contacts and the sum of their weights ("peso ponderado") for every day, and
// the weight carried by every natal item, transit item and aspect angle.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "agenda/Tendencia.h"

namespace varnolt {

struct TTendenciaDia {
    TFecha Fecha = 0;
    double Peso = 0;
};

struct TTendenciaFecha {
    std::int32_t Contactos = 0;
    TFecha Fecha = 0;
    double Peso = 0;
    bool EsPico = false;
};

struct TTendenciaItem {
    std::string Clave;
    double Peso = 0;
};

// The three selection lists. An empty list restricts nothing; within a list
// the entries are alternatives. Item codes compare without regard to letter
// case; angles are decimal texts compared as numbers.
struct TSeleccion {
    std::vector<std::string> ItemsNatSel;
    std::vector<std::string> ItemsTraSel;
    std::vector<std::string> AspectosSel;
};

bool CumpleSeleccion(const TSeleccion& seleccion, const TTendencia& c);

// The selection compiled for a scan over many contacts: the same answers as
// CumpleSeleccion, by table look-up.
class FiltroSeleccion {
  public:
    explicit FiltroSeleccion(const TSeleccion& seleccion);
    bool Cumple(const TTendencia& c) const {
        return (natales_.empty() || Admite(natales_, c.ItemNatal)) &&
               (transitos_.empty() || Admite(transitos_, c.ItemTransito)) &&
               (!hayAngulos_ || AdmiteAngulo(c.Aspecto));
    }

  private:
    static bool Admite(const std::vector<std::uint8_t>& tabla, Codigo codigo) {
        return codigo.id() < tabla.size() && tabla[codigo.id()] != 0;
    }
    bool AdmiteAngulo(std::int32_t angulo) const;

    std::vector<std::uint8_t> natales_;    // by code id; empty: no restriction
    std::vector<std::uint8_t> transitos_;  // by code id; empty: no restriction
    bool hayAngulos_ = false;
    std::vector<std::int32_t> angulos_;
};

struct TPonderacion {
    std::vector<TTendenciaDia> TotalesDia;
    std::vector<TTendenciaFecha> FechasRango;
    std::vector<TTendenciaItem> TotalesNat;
    std::vector<TTendenciaItem> TotalesTra;
    std::vector<TTendenciaItem> TotalesAsp;

    void Vaciar();
};

// Recomputes every list of `resultado` from the contacts dated RangoIni to
// RangoFin (both included) that pass the selection. Entries appear in the
// order in which they are first met; `tendencias` must be in ascending date
// order, as the loader keeps it.
void Ponderar(const TTendencias& tendencias, TFecha rangoIni, TFecha rangoFin,
              const TSeleccion& seleccion, TPonderacion& resultado);

// Sorts a tally by weight, heaviest first (equal weights keep their order).
void OrdenarPorPeso(std::vector<TTendenciaItem>& totales);

}  // namespace varnolt
