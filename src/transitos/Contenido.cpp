// SPDX-License-Identifier: AGPL-3.0-or-later
#include "transitos/Contenido.h"

#include <algorithm>
#include <charconv>

namespace varnolt {
namespace {

constexpr std::array<std::string_view, kNumPuntosNatales - kNumCuerpos> kOtrosPuntos = {
    "NodS", "NodST", "RfD", "RfN", "Pr",  "PrT", "C01", "C02", "C03",
    "C04",  "C05",   "C06", "C07", "C08", "C09", "C10", "C11", "C12"};

bool IgualSinMayusculas(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto m = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
               return m(x) == m(y);
           });
}

// The items of a list separated by commas or blanks.
std::vector<std::string_view> Partes(std::string_view lista) {
    std::vector<std::string_view> r;
    size_t i = 0;
    while (i < lista.size()) {
        const size_t fin = lista.find_first_of(", \t;", i);
        const size_t f = fin == std::string_view::npos ? lista.size() : fin;
        if (f > i) {
            r.push_back(lista.substr(i, f - i));
        }
        i = f + 1;
    }
    return r;
}

template <size_t N, typename Indice>
bool LeerLista(std::string_view lista, std::array<bool, N>& marcas, const char* que, Indice indice,
               std::string& error) {
    const std::vector<std::string_view> partes = Partes(lista);
    if (partes.empty()) {
        error = std::string("la lista de ") + que + " está vacía";
        return false;
    }
    std::array<bool, N> r{};
    for (std::string_view p : partes) {
        if (IgualSinMayusculas(p, "todos")) {
            r.fill(true);
            continue;
        }
        const int i = indice(p);
        if (i < 0) {
            error = std::string("\"") + std::string(p) + "\" no está entre los " + que +
                    " que se pueden elegir";
            return false;
        }
        r[static_cast<size_t>(i)] = true;
    }
    marcas = r;
    return true;
}

int IndiceCuerpo(std::string_view codigo) {
    const int i = IndicePuntoNatal(codigo);
    return i < kNumCuerpos ? i : -1;
}

int IndiceAngulo(std::string_view texto) {
    int v = -1;
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (r.ec != std::errc() || r.ptr != texto.data() + texto.size()) {
        return -1;
    }
    const auto it = std::find(kAngulosAgenda.begin(), kAngulosAgenda.end(), v);
    return it == kAngulosAgenda.end() ? -1 : static_cast<int>(it - kAngulosAgenda.begin());
}

template <size_t N, typename Texto>
std::string Unir(const std::array<bool, N>& marcas, Texto texto) {
    std::string r;
    for (size_t i = 0; i < N; ++i) {
        if (marcas[i]) {
            if (!r.empty()) {
                r += ',';
            }
            r += texto(static_cast<int>(i));
        }
    }
    return r;
}

ContenidoAgenda Contenido(std::string_view cuerpos, std::string_view puntos,
                          std::string_view aspectos) {
    ContenidoAgenda c;
    std::string error;
    LeerCuerpos(cuerpos, c, error);
    LeerPuntos(puntos, c, error);
    LeerAspectos(aspectos, c, error);
    return c;
}

}  // namespace

std::string_view CodigoPuntoNatal(int i) {
    return i < kNumCuerpos ? CodigoCuerpo(static_cast<Cuerpo>(i))
                           : kOtrosPuntos[static_cast<size_t>(i - kNumCuerpos)];
}

int IndicePuntoNatal(std::string_view codigo) {
    if (IgualSinMayusculas(codigo, "Jup")) {
        return static_cast<int>(Cuerpo::Jup);
    }
    for (int i = 0; i < kNumPuntosNatales; ++i) {
        if (IgualSinMayusculas(codigo, CodigoPuntoNatal(i))) {
            return i;
        }
    }
    return -1;
}

int PrimerExtremoEje(int i) {
    static const std::array<int, kNumPuntosNatales> kEje = [] {
        std::array<int, kNumPuntosNatales> r;
        r.fill(-1);
        auto par = [&](std::string_view segundo, std::string_view primero) {
            r[static_cast<size_t>(IndicePuntoNatal(segundo))] = IndicePuntoNatal(primero);
        };
        par("NodS", "Nod");
        par("NodST", "NodT");
        par("Pr", "Lil");
        par("PrT", "LilT");
        par("C04", "C10");
        par("C05", "C11");
        par("C06", "C12");
        par("C07", "C01");
        par("C08", "C02");
        par("C09", "C03");
        return r;
    }();
    return i >= 0 && i < kNumPuntosNatales ? kEje[static_cast<size_t>(i)] : -1;
}

const std::vector<PerfilAgenda>& PerfilesAgenda() {
    static const std::vector<PerfilAgenda> kPerfiles = {
        {"Esencial",
         "Sol a Plutón y el nodo medio sobre los planetas personales, el Ascendente y el Medio "
         "Cielo; aspectos mayores y sextil",
         Contenido("Sol,Lun,Mer,Ven,Mar,Júp,Sat,Ura,Nep,Plu,Nod", "Sol,Lun,Mer,Ven,Mar,C01,C10",
                   "0,180,120,90,60")},
        {"Amplio",
         "Sol a Plutón, el nodo medio, Lilith y Quirón sobre los mismos puntos natales, el nodo, "
         "Lilith, Quirón, la Parte de la Fortuna y los ángulos; mayores, sextil, quincuncio, "
         "semicuadratura y sesquicuadratura",
         Contenido("Sol,Lun,Mer,Ven,Mar,Júp,Sat,Ura,Nep,Plu,Nod,Lil,Qui",
                   "Sol,Lun,Mer,Ven,Mar,Júp,Sat,Ura,Nep,Plu,Nod,Lil,Qui,RfD,C01,C10",
                   "0,180,120,90,60,150,45,135")},
        {"Completo", "todos los cuerpos, todos los puntos natales y todos los aspectos",
         Contenido("todos", "todos", "todos")},
    };
    return kPerfiles;
}

std::optional<ContenidoAgenda> ContenidoDePerfil(std::string_view nombre) {
    for (const PerfilAgenda& p : PerfilesAgenda()) {
        if (IgualSinMayusculas(nombre, p.nombre)) {
            return p.contenido;
        }
    }
    return std::nullopt;
}

std::string PerfilDeContenido(const ContenidoAgenda& c) {
    for (const PerfilAgenda& p : PerfilesAgenda()) {
        if (p.contenido == c) {
            return p.nombre;
        }
    }
    return std::string();
}

bool LeerCuerpos(std::string_view lista, ContenidoAgenda& c, std::string& error) {
    return LeerLista(lista, c.cuerpos, "cuerpos en tránsito", IndiceCuerpo, error);
}

bool LeerPuntos(std::string_view lista, ContenidoAgenda& c, std::string& error) {
    return LeerLista(lista, c.puntos, "puntos natales", IndicePuntoNatal, error);
}

bool LeerAspectos(std::string_view lista, ContenidoAgenda& c, std::string& error) {
    return LeerLista(lista, c.angulos, "aspectos", IndiceAngulo, error);
}

std::string TextoCuerpos(const ContenidoAgenda& c) {
    return Unir(c.cuerpos, [](int i) { return std::string(CodigoPuntoNatal(i)); });
}

std::string TextoPuntos(const ContenidoAgenda& c) {
    return Unir(c.puntos, [](int i) { return std::string(CodigoPuntoNatal(i)); });
}

std::string TextoAspectos(const ContenidoAgenda& c) {
    return Unir(c.angulos,
                [](int i) { return std::to_string(kAngulosAgenda[static_cast<size_t>(i)]); });
}

}  // namespace varnolt
