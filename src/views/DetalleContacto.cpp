// SPDX-License-Identifier: AGPL-3.0-or-later
#include "views/DetalleContacto.h"

#include <cmath>
#include <cstdio>

#include "app/Formato.h"
#include "app/Regional.h"

namespace varnolt {

const std::array<std::string_view, 27> kCodigosTablaItems = {
    "Sol", "Lun", "Mer",  "Ven",  "Mar",   "Júp", "Sat", "Ura", "Nep",
    "Plu", "Nod", "NodT", "Lil",  "LilT",  "Tie", "Qui", "Pho", "Cer",
    "Pal", "Jun", "Ves",  "NodS", "NodST", "RfD", "RfN", "Pr",  "PrT"};

const std::array<std::string_view, 27> kNombresItems = {"SOL",
                                                        "LUNA",
                                                        "MERCURIO",
                                                        "VENUS",
                                                        "MARTE",
                                                        "JÚPITER",
                                                        "SATURNO",
                                                        "URANO",
                                                        "NEPTUNO",
                                                        "PLUTÓN",
                                                        "NODO NORTE medio",
                                                        "NODO NORTE verdadero",
                                                        "LILITH medio",
                                                        "LILITH verdadero",
                                                        "TIERRA",
                                                        "QUIRÓN",
                                                        "PHOLUS",
                                                        "CERES",
                                                        "PALAS",
                                                        "JUNO",
                                                        "VESTA",
                                                        "NODO SUR medio",
                                                        "NODO SUR verdadero",
                                                        "RUEDA FORTUNA DIURNA",
                                                        "RUEDA FORTUNA NOCTURNA",
                                                        "PRIAPO medio",
                                                        "PRIAPO verdadero"};

const std::array<std::string_view, 12> kCodigosSignos = {"Ari", "Tau", "Gém", "Cán", "Leo", "Vir",
                                                         "Lib", "Esc", "Sag", "Cap", "Acu", "Pis"};

const std::array<std::string_view, 12> kNombresSignos = {
    "ARIES", "TAURO",    "GÉMINIS",   "CÁNCER",      "LEO",     "VIRGO",
    "LIBRA", "ESCORPIO", "SAGITARIO", "CAPRICORNIO", "ACUARIO", "PISCIS"};

bool PasaBanda(int banda, double f) {
    switch (banda) {
        case 1:
            return f > 0 && f <= 40;
        case 2:
            return f > 40 && f <= 80;
        case 3:
            return f >= 50;
        case 4:
            return f >= 80;
        case 5:
            return f >= 90;
        default:
            return true;
    }
}

std::string FilaContacto(int n, const TTendencia& c) {
    return Format("%d. %s: %s (T) %d° %s (N). %.2f%% (pp:%.2f)",
                  {n, FormatDateTime("yyyy mmm d", c.Fecha), c.ItemTransito.texto(), c.Aspecto,
                   c.ItemNatal.texto(), c.Fuerza, c.Peso});
}

std::string TituloOrdenContactos(int contactos, double suma) {
    return Format("Ord. por: [%d : %.2f]", {suma == 0 ? 0 : contactos, suma});
}

std::string TextoIntervalo(TFecha dia, TFecha referencia) {
    const FechaCivil e = DecodificarFecha(std::min(dia, referencia));
    const FechaCivil l = DecodificarFecha(std::max(dia, referencia));
    int anios = l.anio - e.anio;
    int meses = 0;
    int dias = 0;
    if (l.mes < e.mes) {
        meses = 12;
        anios -= 1;
    }
    meses += l.mes - e.mes;
    if (l.dia < e.dia) {
        dias = DiasDelMes(e.anio, e.mes);
        if (meses == 0) {
            anios -= 1;
            meses = 11;
        } else {
            meses -= 1;
        }
    }
    dias += l.dia - e.dia;
    const std::string texto =
        Format("%d %s %d %s %d %s", {anios, "años", meses, "mes", dias, "días"});
    return referencia > dia ? "-" + texto : texto;
}

std::string TextoGrados(double longitud) {
    const double x = std::fabs(longitud);
    const double s = std::trunc(x / 30);
    int grados = static_cast<int>(std::trunc(x) - 30 * s);
    double r = (x - std::trunc(x)) * 60;
    int minutos = static_cast<int>(std::trunc(r));
    r = (r - std::trunc(r)) * 60;
    int segundos = static_cast<int>(std::trunc(r));
    const int milesimas = static_cast<int>(std::trunc((r - std::trunc(r)) * 1000));
    if (milesimas > 500) {
        segundos += 1;
    }
    if (segundos == 60) {
        minutos += 1;
        segundos = 0;
    }
    if (minutos == 60) {
        grados += 1;
        minutos = 0;
    }
    return Format("%d° %d", {grados, minutos}) + "'" + Format(" %d\"", {segundos});
}

std::string TextoReal(double valor) {
    if (std::isnan(valor)) {
        return "NAN";
    }
    if (std::isinf(valor)) {
        return valor > 0 ? "INF" : "-INF";
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", valor);
    std::string s = buf;
    // The suite writes exponents without a plus sign or leading zeros: 1.5E-6.
    const size_t e = s.find('E');
    if (e != std::string::npos) {
        std::string mantisa = s.substr(0, e);
        int exponente = std::atoi(s.c_str() + e + 1);
        s = mantisa + "E" + std::to_string(exponente);
    }
    const char sep = SeparadorDecimal();
    if (sep != '.') {
        for (char& c : s) {
            if (c == '.') {
                c = sep;
            }
        }
    }
    return s;
}

int SignoDe(double longitud) {
    return static_cast<int>(std::trunc(longitud / 30));
}

TDetalleContacto MostrarDetalle(const TTendencia& c, const BuscadorArquetipo& buscar) {
    TDetalleContacto d;
    // Longitudes outside 0..360 have no sign of their own: keep them in range.
    auto signo = [](double l) { return std::clamp(SignoDe(l), 0, 11); };
    const int ts = signo(c.PosTransito);
    const int ns = signo(c.PosNatal);
    const std::string a = std::to_string(c.Aspecto);
    const std::string& nat = c.NatContacto.texto();
    const std::string& tra = c.TraContacto.texto();
    d.LabelDetAspNatal = Format("%s en trán.        %d°        %s natal", {tra, c.Aspecto, nat});
    d.LabelDetAspPos =
        Format("%s %s                       %s %s", {TextoGrados(c.PosTransito), kCodigosSignos[ts],
                                                     TextoGrados(c.PosNatal), kCodigosSignos[ns]});
    d.LabelDescItemTra = buscar(tra, Items_01);
    d.LabelDescItemAsp = buscar(a, Aspectos_01);
    const bool esCasa = nat.find('C') != std::string::npos && nat.find('e') == std::string::npos;
    if (esCasa) {
        d.LabelDescItemNat = buscar(nat, Casas_01);
        d.LabelTipoNatal = Format("Mi %s", {"escenario"});
    } else {
        d.LabelDescItemNat = buscar(nat, Items_03);
        d.LabelTipoNatal = Format("Mi %s", {"capacidad"});
    }

    auto posicion = [](const std::string& codigo) {
        for (size_t i = 0; i < 26; ++i) {
            if (kCodigosTablaItems[i] == codigo) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    const int i = posicion(nat);
    int j = posicion(tra);
    if (j < 0) {
        j = 26;
    }
    int casa = 0;
    if (i < 0 && nat.size() >= 2) {
        // The house number is in characters 2 and 3 ("C01", "C12", "C5").
        const std::string digitos = nat.substr(1, 2);
        casa = std::atoi(digitos.c_str());
    }
    const std::string codigoTra(kCodigosTablaItems[static_cast<size_t>(j)]);
    const std::string signoTra(kCodigosSignos[ts]);
    const std::string signoNat(kCodigosSignos[ns]);
    const std::string nombreSignoTra(kNombresSignos[ts]);
    const std::string nombreSignoNat(kNombresSignos[ns]);
    const std::string regla = "- - - - - - - - - - - - - - - - - - - - -";

    std::vector<std::string>& m = d.MemoArq;
    m.clear();
    // The keyword and the high and low vibration of a sign.
    auto seccionSigno = [&](const std::string& nombre, const std::string& codigo) {
        m.push_back("Palabra clave de " + nombre + ": " + buscar(codigo, Signos_01));
        m.push_back("");
        m.push_back("ALTA VIBRACIÓN de " + nombre);
        m.push_back(buscar(codigo, Signos_02));
        m.push_back("");
        m.push_back("BAJA VIBRACIÓN de " + nombre);
        m.push_back(buscar(codigo, Signos_03));
    };
    m.push_back(
        Format("%s en %s. Tránsito", {kNombresItems[static_cast<size_t>(j)], nombreSignoTra}));
    m.push_back(buscar(codigoTra, Items_01));
    m.push_back(buscar(codigoTra, Items_02));
    m.push_back(buscar(codigoTra, Items_03));
    m.push_back("");
    seccionSigno(nombreSignoTra, signoTra);
    m.push_back("");
    m.push_back(regla);
    m.push_back(Format("INTENCIONAR con aspecto de %d°", {c.Aspecto}));
    m.push_back(buscar(a, Aspectos_02) + ", " + buscar(a, Aspectos_01));
    m.push_back(buscar(a, Aspectos_03));
    m.push_back(regla);
    m.push_back("");
    if (i >= 0) {
        const std::string codigoNat(kCodigosTablaItems[static_cast<size_t>(i)]);
        m.push_back(Format("%s en %s. Capacidad Natal.",
                           {kNombresItems[static_cast<size_t>(i)], nombreSignoNat}));
        m.push_back(buscar(codigoNat, Items_01));
        m.push_back(buscar(codigoNat, Items_02));
        m.push_back(buscar(codigoNat, Items_03));
    } else {
        m.push_back(Format("Casa %d en %s. Casa Natal.", {casa, nombreSignoNat}));
        m.push_back(buscar(nat, Casas_01));
        m.push_back(buscar(nat, Casas_02));
        m.push_back(buscar(nat, Casas_03));
    }
    m.push_back("");
    seccionSigno(nombreSignoNat, signoNat);
    return d;
}

}  // namespace varnolt
