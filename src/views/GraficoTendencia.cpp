// SPDX-License-Identifier: AGPL-3.0-or-later
#include "views/GraficoTendencia.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "app/Formato.h"

namespace varnolt {

std::string TituloTendencia(TFecha rangoIni, TFecha rangoFin) {
    return "Gráfico Tendencia. " + Format("%s a %s.", {FormatDateTime("mmm-d-yyyy", rangoIni),
                                                       FormatDateTime("mmm-d-yyyy", rangoFin)});
}

int RedondeoBancario(double valor) {
    const double piso = std::floor(valor);
    const double resto = valor - piso;
    double r = piso;
    if (resto > 0.5) {
        r = piso + 1;
    } else if (resto == 0.5) {
        r = std::fmod(piso, 2.0) == 0 ? piso : piso + 1;
    }
    return static_cast<int>(r);
}

TDibujoTendencia DibujarTendencia(bool dataCargada, TFecha rangoIni, TFecha rangoFin,
                                  const std::vector<TTendenciaFecha>& fechasRango,
                                  double ppMaxRango, int ancho, int alto,
                                  const AnchoTextoFn& anchoTexto) {
    TDibujoTendencia d;
    d.Ancho = ancho;
    d.Alto = alto;
    if (!dataCargada) {
        return d;
    }
    d.Dibujar = true;
    d.Titulo = TituloTendencia(rangoIni, rangoFin);
    // Dates are whole days: Trunc changes nothing.
    d.N = rangoFin - rangoIni + 2;
    d.Paso = d.N != 0 ? static_cast<double>(ancho) / d.N : 0.0;
    d.PasoPx = RedondeoBancario(d.Paso);
    d.Margen = static_cast<int>(alto * kTendenciaMargen);  // Trunc of a non-negative value
    d.Base = alto - d.Margen;

    d.Trazos.push_back({TTrazoTendencia::Tipo::Linea, 0, d.Base, ancho, d.Base, kTendenciaGrosor,
                        kTendenciaNegro, {}});

    // The first entry of each day, found by binary search over (day, position).
    std::vector<std::pair<TFecha, std::uint32_t>> indice;
    indice.reserve(fechasRango.size());
    for (std::uint32_t k = 0; k < fechasRango.size(); ++k) {
        indice.emplace_back(fechasRango[k].Fecha, k);
    }
    if (!std::is_sorted(indice.begin(), indice.end())) {
        std::sort(indice.begin(), indice.end());
    }
    // The days are asked for in ascending order: a cursor walks the index.
    size_t cursor = 0;
    auto buscar = [&](TFecha dia) -> const TTendenciaFecha* {
        while (cursor < indice.size() && indice[cursor].first < dia) {
            ++cursor;
        }
        return cursor < indice.size() && indice[cursor].first == dia
                   ? &fechasRango[indice[cursor].second]
                   : nullptr;
    };

    // The labels are few texts ("ene1", "ene15" …) met again every year:
    // each is measured once.
    std::unordered_map<std::string, int> anchos;
    auto anchoDe = [&](const std::string& texto) {
        if (!anchoTexto) {
            return 0;
        }
        auto [it, nuevo] = anchos.try_emplace(texto, 0);
        if (nuevo) {
            it->second = anchoTexto(texto);
        }
        return it->second;
    };

    const int alturaUtil = alto - d.Margen;
    int x = kTendenciaInicioX;
    TFecha i = rangoIni - 1;
    const std::int64_t pasos = static_cast<std::int64_t>(d.N) + 2;
    d.Trazos.reserve(static_cast<size_t>(std::max<std::int64_t>(0, pasos)) * 8 / 7 + 1);
    FechaCivil civil = DecodificarFecha(i);  // of i, advanced with it
    for (std::int64_t paso = 0; paso < pasos; ++paso, ++i) {
        int h = 0;
        TColor color = kColorDia;
        if (const TTendenciaFecha* f = buscar(i); f != nullptr && ppMaxRango > 0) {
            // Trunc toward zero, as the original's Trunc.
            h = static_cast<int>(std::trunc(alturaUtil * f->Peso / ppMaxRango));
            color = f->EsPico ? kColorPico : kColorDia;
        }
        if (h > 0) {
            d.Trazos.push_back({TTrazoTendencia::Tipo::Linea, x, d.Base, x, d.Base - h,
                                kTendenciaGrosor, color, {}});
            ++d.Barras;
        }
        x += d.PasoPx;
        const int dia = civil.dia;
        if (++civil.dia > DiasDelMes(civil.anio, civil.mes)) {
            civil.dia = 1;
            if (++civil.mes > 12) {
                civil.mes = 1;
                ++civil.anio;
            }
        }
        if (dia == 1 || dia == 15) {
            d.Trazos.push_back({TTrazoTendencia::Tipo::Linea, x, d.Base, x,
                                d.Base + kTendenciaMarca, kTendenciaGrosor, kTendenciaNegro, {}});
            std::string texto = FormatDateTime("mmmd", i);
            const int mitad = anchoDe(texto) / 2;  // toward zero
            d.Trazos.push_back({TTrazoTendencia::Tipo::Texto, x - mitad,
                                d.Base + kTendenciaEtiquetaY, 0, 0, kTendenciaGrosor,
                                kTendenciaNegro, std::move(texto)});
        }
    }
    return d;
}

}  // namespace varnolt
