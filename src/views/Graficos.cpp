// SPDX-License-Identifier: AGPL-3.0-or-later
#include "views/Graficos.h"

#include <algorithm>

#include "app/Formato.h"

namespace varnolt {
namespace {

// FormatDateTime("yyyy-mm-dd", fecha) without reading the pattern: the
// daily chart writes one per day of the range, decades of days after every
// weighting.
std::string EtiquetaDia(TFecha fecha) {
    const FechaCivil f = DecodificarFecha(fecha);
    if (f.anio < 0 || f.anio > 9999) {
        return FormatDateTime("yyyy-mm-dd", fecha);
    }
    auto digito = [](int v) { return static_cast<char>('0' + v % 10); };
    const char texto[10] = {digito(f.anio / 1000),
                            digito(f.anio / 100),
                            digito(f.anio / 10),
                            digito(f.anio),
                            '-',
                            digito(f.mes / 10),
                            digito(f.mes),
                            '-',
                            digito(f.dia / 10),
                            digito(f.dia)};
    return std::string(texto, sizeof texto);
}

double LlenarItems(std::vector<TTendenciaItem>& totales, TColor color, TGrafico& grafico) {
    OrdenarPorPeso(totales);
    TSerie& serie = grafico.Series[0];
    serie.Barras.clear();
    serie.Barras.reserve(totales.size());
    double total = 0;
    for (const TTendenciaItem& t : totales) {
        serie.Barras.push_back({t.Peso, t.Clave, color});
        total += t.Peso;
    }
    return total;
}

}  // namespace

void LlenarGraficos(TPonderacion& p, TFecha rangoIni, TFecha rangoFin, TGraficos& g) {
    TSerie& dias = g.ChartDia.Series[0];
    dias.MarcasVisibles = rangoFin - rangoIni < 32;
    dias.Barras.clear();
    dias.Barras.reserve(p.TotalesDia.size());
    double total = 0;
    for (const TTendenciaDia& d : p.TotalesDia) {
        dias.Barras.push_back({d.Peso, EtiquetaDia(d.Fecha), kColorDia});
        total += d.Peso;
    }
    g.ChartDia.Titulo = Format("%.2f", {total});
    g.ChartItemNat.Titulo =
        Format("Items Natales. %.2f", {LlenarItems(p.TotalesNat, kColorNatal, g.ChartItemNat)});
    g.ChartItemTra.Titulo =
        Format("Items Tránsito. %.2f", {LlenarItems(p.TotalesTra, kColorTransito, g.ChartItemTra)});
    g.ChartAngTra.Titulo =
        Format("Angulo Tránsito. %.2f", {LlenarItems(p.TotalesAsp, kColorAngulo, g.ChartAngTra)});
}

void LlenarResaltado(const std::vector<TTendenciaDia>& totalesDia,
                     const std::vector<TTendenciaFecha>& fechasPico, TGraficos& g) {
    TSerie& serie = g.ChartDia.Series[1];
    serie.Barras.clear();
    serie.Barras.reserve(totalesDia.size());
    for (const TTendenciaDia& d : totalesDia) {
        auto it = std::lower_bound(
            fechasPico.begin(), fechasPico.end(), d.Fecha,
            [](const TTendenciaFecha& f, TFecha fecha) { return f.Fecha < fecha; });
        const double valor = it != fechasPico.end() && it->Fecha == d.Fecha ? it->Peso : 0.0;
        serie.Barras.push_back({valor, EtiquetaDia(d.Fecha), kColorPico});
    }
}

}  // namespace varnolt
