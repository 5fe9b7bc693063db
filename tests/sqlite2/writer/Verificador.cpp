// SPDX-License-Identifier: AGPL-3.0-or-later
#include "Verificador.h"

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

namespace varnolt::pruebas {
namespace {

constexpr std::size_t kPag = 1024;
constexpr std::size_t kMaxLocal = 236;
constexpr std::size_t kDesb = 1020;

std::uint32_t U16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

class Verificador {
public:
    explicit Verificador(const std::vector<unsigned char>& b) : b_(b) {}

    BaseLeida Ejecutar() {
        if (b_.size() % kPag != 0) {
            Problema("el tamaño " + std::to_string(b_.size()) + " no es múltiplo de 1024");
        }
        base_.paginas = static_cast<std::uint32_t>(b_.size() / kPag);
        if (base_.paginas < 2) {
            Problema("menos de dos páginas");
            return base_;
        }
        usos_.assign(base_.paginas + 1, 0);
        usos_[1] = 1;
        const unsigned char* p1 = b_.data();
        static const char kTexto[] = "** This file contains an SQLite 2.1 database **";
        if (std::memcmp(p1, kTexto, sizeof kTexto) != 0) {
            Problema("texto de cabecera distinto");
        }
        if (U32(p1 + 48) != 0xDAE37528u) {
            Problema("palabra mágica distinta");
        }
        base_.primeraLibre = U32(p1 + 52);
        base_.numLibres = U32(p1 + 56);
        for (int k = 0; k < 9; ++k) {
            base_.meta.push_back(U32(p1 + 60 + 4 * k));
        }
        base_.cookie = base_.meta[0];
        base_.formato = base_.meta[1];
        if (base_.formato != 4) {
            Problema("formato " + std::to_string(base_.formato) + " en lugar de 4");
        }
        ListaLibre();
        ArbolLeido maestra;
        maestra.tipo = "table";
        maestra.nombre = "sqlite_master";
        maestra.raiz = 2;
        Arbol(maestra, true);
        base_.profundidadMaestra = maestra.profundidad;
        for (const FilaLeida& f : maestra.filas) {
            if (f.valores.size() != 5) {
                Problema("fila de sqlite_master con " + std::to_string(f.valores.size()) + " valores");
                continue;
            }
            ArbolLeido a;
            a.tipo = f.valores[0].value_or("");
            a.nombre = f.valores[1].value_or("");
            a.tabla = f.valores[2].value_or("");
            a.raiz = static_cast<std::uint32_t>(std::stoul(f.valores[3].value_or("0")));
            a.sql = f.valores[4].value_or("");
            Arbol(a, a.tipo == "table");
            base_.arboles.push_back(std::move(a));
        }
        for (std::uint32_t k = 1; k <= base_.paginas; ++k) {
            if (usos_[k] == 0) {
                Problema("la página " + std::to_string(k) + " no se usa");
            }
        }
        return base_;
    }

private:
    void Problema(const std::string& s) {
        if (base_.problemas.size() < 50) base_.problemas.push_back(s);
    }

    const unsigned char* Pagina(std::uint32_t n) { return b_.data() + (n - 1) * kPag; }

    bool Usar(std::uint32_t n, const std::string& quien) {
        if (n < 1 || n > base_.paginas) {
            Problema(quien + ": página " + std::to_string(n) + " fuera del archivo");
            return false;
        }
        if (usos_[n]++ != 0) {
            Problema(quien + ": la página " + std::to_string(n) + " se usa más de una vez");
            return false;
        }
        return true;
    }

    void ListaLibre() {
        std::uint32_t n = base_.primeraLibre;
        std::uint32_t cuenta = 0;
        while (n != 0) {
            if (!Usar(n, "lista libre")) return;
            ++cuenta;
            const unsigned char* p = Pagina(n);
            const std::uint32_t hojas = U32(p + 4);
            if (hojas > (kDesb - 4) / 4) {
                Problema("lista libre: demasiadas hojas");
                return;
            }
            for (std::uint32_t k = 0; k < hojas; ++k) {
                if (Usar(U32(p + 8 + 4 * k), "hoja libre")) ++cuenta;
            }
            n = U32(p);
        }
        if (cuenta != base_.numLibres) {
            Problema("la lista libre tiene " + std::to_string(cuenta) + " páginas y la cabecera dice " +
                     std::to_string(base_.numLibres));
        }
    }

    // Walks the subtree at page n; entries appended to `a`; returns the depth.
    int Pagina(ArbolLeido& a, std::uint32_t n, const std::string* minimo, const std::string* maximo,
               bool esRaiz) {
        const std::string quien = a.nombre + " página " + std::to_string(n);
        if (!Usar(n, quien)) return 0;
        const unsigned char* p = Pagina(n);
        std::vector<int> cubierto(kPag, 0);
        for (std::size_t k = 0; k < 8; ++k) cubierto[k] = 1;
        std::uint32_t derecho = U32(p);
        std::uint32_t celda = U16(p + 4);
        std::size_t libreEsperado = kPag - 8;
        struct Celda {
            std::uint32_t izquierdo;
            std::string clave, datos;
        };
        std::vector<Celda> celdas;
        while (celda != 0) {
            if (celda < 8 || celda > kPag - 16 || celda % 4 != 0) {
                Problema(quien + ": celda en posición inválida " + std::to_string(celda));
                return 0;
            }
            const unsigned char* c = p + celda;
            const std::size_t nk = U16(c + 4) + (c[8] << 16);
            const std::size_t nd = U16(c + 10) + (c[9] << 16);
            const std::size_t carga = nk + nd;
            const std::size_t tam = 12 + (carga > kMaxLocal ? kMaxLocal + 4 : ((carga + 3) & ~std::size_t{3}));
            if (celda + tam > kPag) {
                Problema(quien + ": celda sale de la página");
                return 0;
            }
            for (std::size_t k = celda; k < celda + tam; ++k) cubierto[k]++;
            libreEsperado -= tam;
            std::string bytes(reinterpret_cast<const char*>(c + 12), std::min(carga, kMaxLocal));
            if (carga > kMaxLocal) {
                std::uint32_t o = U32(c + 12 + kMaxLocal);
                std::size_t resto = carga - kMaxLocal;
                const std::size_t esperadas = (resto + kDesb - 1) / kDesb;
                std::size_t vistas = 0;
                while (resto > 0) {
                    if (o == 0 || !Usar(o, quien + " desbordamiento")) {
                        Problema(quien + ": cadena de desbordamiento corta");
                        return 0;
                    }
                    ++vistas;
                    const unsigned char* op = Pagina(o);
                    const std::size_t trozo = std::min(resto, kDesb);
                    bytes.append(reinterpret_cast<const char*>(op + 4), trozo);
                    resto -= trozo;
                    o = U32(op);
                }
                if (o != 0 || vistas != esperadas) {
                    Problema(quien + ": cadena de desbordamiento larga");
                }
            }
            celdas.push_back({U32(c), bytes.substr(0, nk), bytes.substr(nk)});
            celda = U16(c + 6);  // the library allows cells in any address order
            if (celdas.size() > 70) {
                Problema(quien + ": demasiadas celdas");
                return 0;
            }
        }
        std::uint32_t libre = U16(p + 6);
        std::size_t libreTotal = 0;
        while (libre != 0) {
            if (libre < 8 || libre > kPag - 4 || libre % 4 != 0) {
                Problema(quien + ": bloque libre en posición inválida");
                return 0;
            }
            const std::size_t tam = U16(p + libre);
            if (libre + tam > kPag || tam < 4) {
                Problema(quien + ": bloque libre inválido");
                return 0;
            }
            for (std::size_t k = libre; k < libre + tam; ++k) cubierto[k]++;
            libreTotal += tam;
            const std::uint32_t sig = U16(p + libre + 2);
            if (sig != 0 && sig <= libre) {
                Problema(quien + ": bloques libres fuera de orden");
                return 0;
            }
            libre = sig;
        }
        for (std::size_t k = 0; k < kPag; ++k) {
            if (cubierto[k] != 1) {
                Problema(quien + ": el byte " + std::to_string(k) + " está cubierto " + std::to_string(cubierto[k]) +
                         " veces");
                break;
            }
        }
        if (libreTotal != libreEsperado && !(celdas.empty() && libreTotal == 0)) {
            Problema(quien + ": espacio libre mal contado");
        }
        if (celdas.empty() && !esRaiz) {
            Problema(quien + ": página sin celdas que no es raíz");
        }
        const bool hoja = derecho == 0;
        for (const Celda& c : celdas) {
            if ((c.izquierdo == 0) != hoja) {
                Problema(quien + ": mezcla de hijos nulos y no nulos");
            }
        }
        int profundidad = -1;
        std::string previa = minimo ? *minimo : std::string();
        bool hayPrevia = minimo != nullptr;
        for (const Celda& c : celdas) {
            if (!hoja) {
                const int d = Pagina(a, c.izquierdo, hayPrevia ? &previa : nullptr, &c.clave, false);
                if (profundidad >= 0 && d != profundidad) Problema(quien + ": hojas a distinta profundidad");
                profundidad = d;
            }
            if (hayPrevia && !(previa < c.clave)) {
                Problema(quien + ": clave fuera de orden");
            }
            if (maximo != nullptr && !(c.clave < *maximo)) {
                Problema(quien + ": clave mayor que la del padre");
            }
            a.entradas.push_back({c.clave, c.datos});
            previa = c.clave;
            hayPrevia = true;
        }
        if (!hoja) {
            const int d = Pagina(a, derecho, hayPrevia ? &previa : nullptr, maximo, false);
            if (profundidad >= 0 && d != profundidad) Problema(quien + ": hojas a distinta profundidad");
            return d + 1;
        }
        return 0;
    }

    void Arbol(ArbolLeido& a, bool esTabla) {
        if (a.raiz < 2 || a.raiz > base_.paginas) {
            Problema(a.nombre + ": raíz fuera del archivo");
            return;
        }
        a.profundidad = Pagina(a, a.raiz, nullptr, nullptr, true);
        if (!esTabla) return;
        for (const EntradaLeida& e : a.entradas) {
            FilaLeida f;
            if (e.clave.size() != 4) {
                Problema(a.nombre + ": clave de tabla de " + std::to_string(e.clave.size()) + " bytes");
                continue;
            }
            const auto* k = reinterpret_cast<const unsigned char*>(e.clave.data());
            const std::uint32_t u = ((static_cast<std::uint32_t>(k[0]) << 24) | (k[1] << 16) | (k[2] << 8) | k[3]) ^
                                    0x80000000u;
            f.rowid = static_cast<std::int32_t>(u);
            f.registro = e.datos;
            const std::string& r = e.datos;
            const std::size_t n = r.size();
            const std::size_t ancho = n < 256 ? 1 : n < 65536 ? 2 : 3;
            auto leer = [&](std::size_t i) {
                std::size_t v = 0;
                for (std::size_t b = 0; b < ancho; ++b) v |= static_cast<std::size_t>(static_cast<unsigned char>(r[i * ancho + b])) << (8 * b);
                return v;
            };
            if (n < ancho) {
                Problema(a.nombre + ": registro vacío");
                continue;
            }
            const std::size_t primero = leer(0);
            if (primero % ancho != 0 || primero < 2 * ancho || primero > n) {
                Problema(a.nombre + ": primer desplazamiento inválido");
                continue;
            }
            const std::size_t campos = primero / ancho - 1;
            bool bien = true;
            for (std::size_t i = 0; i < campos; ++i) {
                const std::size_t ini = leer(i), fin = leer(i + 1);
                if (fin < ini || fin > n) {
                    bien = false;
                    break;
                }
                if (ini == fin) {
                    f.valores.push_back(std::nullopt);
                } else {
                    if (r[fin - 1] != '\0' || r.substr(ini, fin - ini - 1).find('\0') != std::string::npos) {
                        bien = false;
                        break;
                    }
                    f.valores.push_back(r.substr(ini, fin - ini - 1));
                }
            }
            if (!bien || leer(campos) != n) {
                Problema(a.nombre + ": registro mal formado");
                continue;
            }
            a.filas.push_back(std::move(f));
        }
    }

    const std::vector<unsigned char>& b_;
    BaseLeida base_;
    std::vector<int> usos_;
};

}  // namespace

const ArbolLeido* BaseLeida::Tabla(const std::string& nombre) const {
    for (const ArbolLeido& a : arboles) {
        if (a.tipo == "table" && a.nombre == nombre) return &a;
    }
    return nullptr;
}

BaseLeida Verificar(const std::vector<unsigned char>& bytes) {
    Verificador v(bytes);
    return v.Ejecutar();
}

std::vector<unsigned char> LeerBytes(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace varnolt::pruebas
