// SPDX-License-Identifier: AGPL-3.0-or-later
#include "views/PresentacionGraficos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/Regional.h"

namespace varnolt {
namespace {

int Trunc(double v) {
    return static_cast<int>(v);
}

std::string Agrupar(std::uint64_t entero) {
    std::string digitos = std::to_string(entero);
    std::string r;
    const char sep = SeparadorMiles();
    const size_t n = digitos.size();
    for (size_t i = 0; i < n; ++i) {
        r += digitos[i];
        const size_t quedan = n - 1 - i;
        if (quedan > 0 && quedan % 3 == 0) {
            r += sep;
        }
    }
    return r;
}

}  // namespace

TDisposicionGraficos AjustarGraficos(const TEstadoPaneles& e) {
    TDisposicionGraficos d;
    const int W = std::max(0, e.Ancho);
    const int H = std::max(0, e.Alto);
    const int altoDia = Trunc(kAltoChartDia * H);
    const int altoArq = e.PanelInfoArqVisible ? Trunc(kAltoInfoArq * H) : 0;

    d.SoloTendencias = e.SBViewTends && !e.PanelGraphsVisible;
    if (d.SoloTendencias) {
        // PanelChartDia takes the client area above PanelInfoArq, which
        // keeps its height: the daily chart stays first from the top.
        d.PanelChartDia = {0, 0, W, std::max(0, H - altoArq)};
        d.PanelInfoArq = {0, d.PanelChartDia.Alto, W, altoArq};
        d.PanelGraphs = {0, H, W, 0};
    } else {
        d.PanelChartDia = {0, 0, W, altoDia};
        d.PanelInfoArq = {0, altoDia, W, altoArq};
        const int arriba = altoDia + altoArq;
        d.PanelGraphs = {0, arriba, W, std::max(0, H - arriba)};
    }

    const int altoChartDia = d.PanelChartDia.Alto;
    const int altoGraphs = d.PanelGraphs.Alto;
    if (e.SBViewArq) {
        // With only the trends shown the angle chart is hidden: the daily
        // chart takes the whole width instead of leaving its place empty.
        const int anchoDia = d.SoloTendencias ? W : Trunc(kAnchoChartDiaArq * W);
        d.ChartDia = {0, 0, anchoDia, altoChartDia};
        d.ChartAngTraEnPanelChartDia = true;
        d.ChartAngTra = {anchoDia, 0, W - anchoDia, altoChartDia};
        const int anchoTra = Trunc(kAnchoItemTra * W);
        d.ChartItemTra = {0, 0, anchoTra, altoGraphs};
        d.ChartItemNat = {anchoTra, 0, W - anchoTra, altoGraphs};
    } else {
        d.ChartDia = {0, 0, W, altoChartDia};
        d.ChartAngTraEnPanelChartDia = false;
        const int altoItem = Trunc(kAltoItem * altoGraphs);
        d.ChartItemTra = {0, 0, W, altoItem};
        d.ChartItemNat = {0, altoItem + kSeparacionItems, W, altoItem};
        const int arriba = std::min(altoGraphs, 2 * altoItem + kSeparacionItems);
        d.ChartAngTra = {0, arriba, W, altoGraphs - arriba};
    }

    const int anchoArqTra = Trunc(kAnchoArqTra * W);
    const int anchoArqAsp = Trunc(kAnchoArqAsp * W);
    d.PanelArqTra = {0, 0, anchoArqTra, d.PanelInfoArq.Alto};
    d.PanelArqAsp = {anchoArqTra, 0, anchoArqAsp, d.PanelInfoArq.Alto};
    d.PanelArqNat = {anchoArqTra + anchoArqAsp, 0, std::max(0, W - anchoArqTra - anchoArqAsp),
                     d.PanelInfoArq.Alto};
    return d;
}

char SeparadorMiles() {
    return SeparadorDecimal() == ',' ? '.' : ',';
}

std::string MarcaValor(double valor) {
    if (!std::isfinite(valor)) {
        return {};
    }
    const double redondo = std::round(valor);  // halves away from zero
    if (redondo == 0) {
        return {};
    }
    const std::uint64_t magnitud = static_cast<std::uint64_t>(std::fabs(redondo));
    return (redondo < 0 ? "-" : "") + Agrupar(magnitud);
}

std::string EtiquetaEje(double valor) {
    if (!std::isfinite(valor)) {
        return "0";
    }
    const double milesimas = std::round(std::fabs(valor) * 1000);
    const auto total = static_cast<std::uint64_t>(milesimas);
    const std::uint64_t entero = total / 1000;
    std::uint64_t fraccion = total % 1000;
    std::string r = (valor < 0 && total != 0 ? "-" : "") + Agrupar(entero);
    if (fraccion != 0) {
        std::string dec = std::to_string(1000 + fraccion).substr(1);
        while (!dec.empty() && dec.back() == '0') {
            dec.pop_back();
        }
        r += SeparadorDecimal();
        r += dec;
    }
    return r;
}

TEscalaEje EscalaEje(double maximo, int altoPx, int separacionPx) {
    TEscalaEje e;
    e.Maximo = std::isfinite(maximo) && maximo > 0 ? maximo : 1.0;
    const int huecos = std::max(1, altoPx / std::max(1, separacionPx));
    const double bruto = e.Maximo / huecos;
    double potencia = std::pow(10.0, std::floor(std::log10(bruto)));
    double paso = potencia;
    for (;;) {
        if (potencia >= bruto) {
            paso = potencia;
            break;
        }
        if (2 * potencia >= bruto) {
            paso = 2 * potencia;
            break;
        }
        if (5 * potencia >= bruto) {
            paso = 5 * potencia;
            break;
        }
        potencia *= 10;
    }
    e.Paso = paso;
    for (int k = 0;; ++k) {
        const double v = k * paso;
        if (v > e.Maximo * (1 + 1e-9)) {
            break;
        }
        e.Marcas.push_back(v);
    }
    return e;
}

std::optional<double> EjeChartDia(bool sbMaxAxisOrd, double ejeDiaMaximo) {
    if (sbMaxAxisOrd || !(ejeDiaMaximo > 0)) {
        return std::nullopt;
    }
    return ejeDiaMaximo;
}

std::vector<TEtiquetaColocada> ColocarEtiquetas(int n, const std::function<double(int)>& centro,
                                                const std::function<int(int)>& ancho, int desde,
                                                int hasta, int hueco) {
    std::vector<TEtiquetaColocada> r;
    int libre = desde;  // first free x
    for (int i = 0; i < n; ++i) {
        const double c = centro(i);
        // A label starts at most half a pixel right of its bar's middle.
        if (c + 0.5 < libre) {
            continue;
        }
        const int w = ancho(i);
        if (w > hasta - desde) {
            continue;
        }
        int x = static_cast<int>(std::lround(c)) - w / 2;
        x = std::clamp(x, desde, hasta - w);
        if (x < libre) {
            continue;
        }
        r.push_back({i, x, w});
        libre = x + w + hueco;
    }
    return r;
}

TBandasGrafico DisponerBandas(const TMedidasBandas& m) {
    TBandasGrafico b;
    b.Marcas = m.Marcas > 0;
    auto arriba = [&] {
        return (b.Titulo ? m.Titulo : 0) + (b.Marcas ? m.Marcas : m.MargenArriba);
    };
    auto alto = [&] { return m.Alto - arriba() - (b.Etiquetas ? m.Etiquetas : m.MargenAbajo); };
    if (b.Marcas && alto() < m.AltoMinimo) {
        b.Marcas = false;
    }
    if (alto() < m.AltoMinimo) {
        b.Etiquetas = false;
    }
    if (alto() < m.AltoMinimo) {
        b.Titulo = false;
    }
    b.Arriba = arriba();
    b.AltoArea = std::max(1, alto());
    if (b.Arriba + b.AltoArea > m.Alto) {
        // Not even the margins fit: the plot area takes the whole height.
        b.Arriba = std::max(0, m.Alto - b.AltoArea);
    }
    return b;
}

}  // namespace varnolt
