// SPDX-License-Identifier: AGPL-3.0-or-later
// Packs sorted entries into the pages of an SQLite 2.8 b-tree, bottom-up.
//
// Bytes written per b-tree page: the 8-byte header (u32 right child, u16
// offset of the first cell or 0, u16 offset of the free block or 0), then
// the cells one after another from offset 8 (12-byte cell header: u32 left
// child, u16 low 16 bits of the key size, u16 offset of the next cell or 0
// for the last, u8 high 8 bits of the key size, u8 high 8 bits of the data
// size, u16 low 16 bits of the data size; then at most 236 payload bytes,
// zero padding up to a multiple of 4, and for a longer payload the u32
// number of its first overflow page), then one free block covering the rest
// of the page (u16 size, u16 next = 0, zeros). Per overflow page: u32 next
// overflow page or 0, then the next 1020 payload bytes, zero padded. All
// integers little-endian.
#include "sqlite2/writer/ArbolB.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "sqlite2/writer/Formato.h"

namespace varnolt::sqlite2::escritura {

std::uint32_t Imagen::NuevaPagina() {
    bytes_.resize(bytes_.size() + kTamPagina, 0);
    return NumPaginas();
}

unsigned char* Imagen::Pagina(std::uint32_t numero) {
    if (numero == 0 || numero > NumPaginas()) {
        throw std::logic_error("Imagen::Pagina: página fuera del archivo");
    }
    return bytes_.data() + (numero - 1) * kTamPagina;
}

std::uint32_t Imagen::NumPaginas() const {
    return static_cast<std::uint32_t>(bytes_.size() / kTamPagina);
}

namespace {

// A run of consecutive items of one level that share a page: items
// [inicio, fin); the item at `fin` (when there is one) is the separator that
// goes up to the next level.
struct Grupo {
    std::size_t inicio;
    std::size_t fin;
};

std::size_t Suma(const std::vector<std::size_t>& tam, std::size_t a, std::size_t b) {
    std::size_t s = 0;
    for (std::size_t k = a; k < b; ++k) {
        s += tam[k];
    }
    return s;
}

// Splits the items of one level (their cell sizes in `tam`) into pages.
std::vector<Grupo> Repartir(const std::vector<std::size_t>& tam) {
    const std::size_t m = tam.size();
    std::vector<Grupo> grupos;
    std::size_t a = 0;
    while (true) {
        std::size_t b = a;
        std::size_t usado = 0;
        while (b < m && usado + tam[b] <= kEspacioUtil) {
            usado += tam[b];
            ++b;
        }
        grupos.push_back({a, b});
        if (b >= m) {
            break;
        }
        a = b + 1;  // the item at b goes up as separator
        if (a >= m) {
            grupos.push_back({m, m});  // nothing left for the last page
            break;
        }
    }
    if (grupos.size() < 2) {
        return grupos;
    }
    // An underfull (or empty) last page shares the entries of the page before.
    Grupo& penultimo = grupos[grupos.size() - 2];
    const Grupo& ultimo = grupos.back();
    if (Suma(tam, ultimo.inicio, ultimo.fin) * 2 >= kEspacioUtil) {
        return grupos;
    }
    const std::size_t ini = penultimo.inicio;
    std::size_t mejor = std::numeric_limits<std::size_t>::max();
    std::size_t mejorDif = std::numeric_limits<std::size_t>::max();
    for (std::size_t j = ini + 1; j + 1 < m; ++j) {
        const std::size_t izq = Suma(tam, ini, j);
        const std::size_t der = Suma(tam, j + 1, m);
        if (izq > kEspacioUtil || der > kEspacioUtil) {
            continue;
        }
        const std::size_t dif = izq > der ? izq - der : der - izq;
        if (dif < mejorDif) {
            mejorDif = dif;
            mejor = j;
        }
    }
    if (mejor == std::numeric_limits<std::size_t>::max()) {
        throw std::logic_error("EscribirArbol: no hay reparto válido de las dos últimas páginas");
    }
    penultimo.fin = mejor;
    grupos.back() = {mejor + 1, m};
    return grupos;
}

// Writes one payload's overflow chain and returns the number of its first page.
std::uint32_t EscribirDesbordamiento(Imagen& imagen, const std::string& carga) {
    const std::size_t n = PaginasDesbordamiento(carga.size());
    std::vector<std::uint32_t> paginas(n);
    for (std::size_t k = 0; k < n; ++k) {
        paginas[k] = imagen.NuevaPagina();
    }
    std::size_t pos = kMaxCargaLocal;
    for (std::size_t k = 0; k < n; ++k) {
        unsigned char* p = imagen.Pagina(paginas[k]);
        PonerU32(p, k + 1 < n ? paginas[k + 1] : 0);
        const std::size_t trozo = std::min(kCargaDesbordamiento, carga.size() - pos);
        std::memcpy(p + 4, carga.data() + pos, trozo);
        pos += trozo;
    }
    return paginas[0];
}

// Writes page `numero` with the entries `items` (indexes into `entradas`),
// their left children `izquierdos` and the right child `derecho`.
void EscribirPagina(Imagen& imagen, std::uint32_t numero, const std::vector<Entrada>& entradas,
                    const std::vector<std::size_t>& items, const std::vector<std::uint32_t>& izquierdos,
                    std::uint32_t derecho) {
    // Overflow chains first: adding pages may move the image in memory.
    std::vector<std::string> cargas(items.size());
    std::vector<std::uint32_t> desbordes(items.size(), 0);
    for (std::size_t k = 0; k < items.size(); ++k) {
        const Entrada& e = entradas[items[k]];
        cargas[k] = e.clave + e.datos;
        if (cargas[k].size() > kMaxCargaLocal) {
            desbordes[k] = EscribirDesbordamiento(imagen, cargas[k]);
        }
    }
    unsigned char* p = imagen.Pagina(numero);
    std::memset(p, 0, kTamPagina);
    std::size_t pos = kTamCabeceraPagina;
    for (std::size_t k = 0; k < items.size(); ++k) {
        const Entrada& e = entradas[items[k]];
        const std::string& carga = cargas[k];
        const std::size_t tam = TamCelda(carga.size());
        unsigned char* c = p + pos;
        PonerU32(c, izquierdos[k]);
        PonerU16(c + 4, static_cast<std::uint32_t>(e.clave.size() & 0xFFFF));
        PonerU16(c + 6, k + 1 < items.size() ? static_cast<std::uint32_t>(pos + tam) : 0);
        c[8] = static_cast<unsigned char>((e.clave.size() >> 16) & 0xFF);
        c[9] = static_cast<unsigned char>((e.datos.size() >> 16) & 0xFF);
        PonerU16(c + 10, static_cast<std::uint32_t>(e.datos.size() & 0xFFFF));
        const std::size_t local = std::min(carga.size(), kMaxCargaLocal);
        std::memcpy(c + kTamCabeceraCelda, carga.data(), local);
        if (carga.size() > kMaxCargaLocal) {
            PonerU32(c + kTamCabeceraCelda + kMaxCargaLocal, desbordes[k]);
        }
        pos += tam;
    }
    if (pos > kTamPagina) {
        throw std::logic_error("EscribirArbol: las celdas no caben en la página");
    }
    PonerU32(p, derecho);
    PonerU16(p + 4, items.empty() ? 0 : static_cast<std::uint32_t>(kTamCabeceraPagina));
    if (pos < kTamPagina) {
        PonerU16(p + 6, static_cast<std::uint32_t>(pos));
        PonerU16(p + pos, static_cast<std::uint32_t>(kTamPagina - pos));
        PonerU16(p + pos + 2, 0);
    } else {
        PonerU16(p + 6, 0);
    }
}

}  // namespace

void EscribirArbol(Imagen& imagen, std::uint32_t raiz, const std::vector<Entrada>& entradas) {
    for (const Entrada& e : entradas) {
        if (e.clave.size() > 0xFFFFFF || e.datos.size() > 0xFFFFFF) {
            throw std::logic_error("EscribirArbol: clave o datos de más de 16 MB");
        }
    }
    for (std::size_t k = 1; k < entradas.size(); ++k) {
        if (!(entradas[k - 1].clave < entradas[k].clave)) {
            throw std::logic_error("EscribirArbol: claves fuera de orden o repetidas");
        }
    }
    // The current level: items (indexes into entradas) and their children
    // (hijos[k] left of items[k], hijos.back() right of the last).
    std::vector<std::size_t> items(entradas.size());
    for (std::size_t k = 0; k < items.size(); ++k) {
        items[k] = k;
    }
    std::vector<std::uint32_t> hijos(items.size() + 1, 0);
    while (true) {
        std::vector<std::size_t> tam(items.size());
        for (std::size_t k = 0; k < items.size(); ++k) {
            const Entrada& e = entradas[items[k]];
            tam[k] = TamCelda(e.clave.size() + e.datos.size());
        }
        const std::vector<Grupo> grupos = Repartir(tam);
        if (grupos.size() == 1) {
            const Grupo& g = grupos[0];
            EscribirPagina(imagen, raiz, entradas,
                           std::vector<std::size_t>(items.begin() + g.inicio, items.begin() + g.fin),
                           std::vector<std::uint32_t>(hijos.begin() + g.inicio, hijos.begin() + g.fin),
                           hijos[g.fin]);
            return;
        }
        std::vector<std::size_t> separadores;
        std::vector<std::uint32_t> paginas;
        for (std::size_t gi = 0; gi < grupos.size(); ++gi) {
            const Grupo& g = grupos[gi];
            const std::uint32_t numero = imagen.NuevaPagina();
            EscribirPagina(imagen, numero, entradas,
                           std::vector<std::size_t>(items.begin() + g.inicio, items.begin() + g.fin),
                           std::vector<std::uint32_t>(hijos.begin() + g.inicio, hijos.begin() + g.fin),
                           hijos[g.fin]);
            paginas.push_back(numero);
            if (gi + 1 < grupos.size()) {
                separadores.push_back(items[g.fin]);
            }
        }
        items = std::move(separadores);
        hijos = std::move(paginas);
    }
}

}  // namespace varnolt::sqlite2::escritura
