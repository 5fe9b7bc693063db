// SPDX-License-Identifier: AGPL-3.0-or-later
// Assembles a complete SQLite 2.8 database file: page 1 (header text, magic
// word 0xDAE37528, empty free list, schema cookie, file format 4), the
// sqlite_master tree rooted on page 2 with one ("table", name, name,
// rootpage, sql) row per table, and one b-tree per table rooted on pages 3,
// 4, ... in table order, keyed by row id with the row record as data.
// Then writes it to disk through a temporary file and a rename.
#include "sqlite2/writer/BaseNueva.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "app/ArchivoSeguro.h"
#include "sqlite2/writer/ArbolB.h"
#include "sqlite2/writer/Formato.h"

namespace varnolt::sqlite2::escritura {
namespace {

std::string Clave(std::int32_t rowid) {
    const auto k = ClaveFila(rowid);
    return std::string(reinterpret_cast<const char*>(k.data()), k.size());
}

void ComprobarValores(const std::vector<Valor>& valores) {
    for (const Valor& v : valores) {
        if (v && v->find('\0') != std::string::npos) {
            throw std::invalid_argument("un valor contiene un byte cero");
        }
    }
    const std::size_t tam = TamRegistro(valores);
    if (tam > kMaxBytesFila) {
        throw std::invalid_argument("fila de " + std::to_string(tam) + " bytes; el máximo es " +
                                    std::to_string(kMaxBytesFila));
    }
}

std::uint32_t Cookie(const std::vector<TablaNueva>& tablas) {
    std::uint32_t cookie = 0;
    for (const TablaNueva& t : tablas) {
        std::uint32_t h = 2166136261u;  // FNV-1a
        for (char c : t.sql) {
            h ^= static_cast<unsigned char>(c);
            h *= 16777619u;
        }
        cookie += 1 + (h & 0xFF);
    }
    return cookie;
}

}  // namespace

std::vector<unsigned char> ConstruirBase(const std::vector<TablaNueva>& tablas) {
    Imagen imagen;
    const std::uint32_t cabecera = imagen.NuevaPagina();
    const std::uint32_t maestra = imagen.NuevaPagina();
    if (cabecera != 1 || maestra != kRaizMaestra) {
        throw std::logic_error("ConstruirBase: numeración de páginas inesperada");
    }
    std::vector<std::uint32_t> raices;
    for (std::size_t k = 0; k < tablas.size(); ++k) {
        raices.push_back(imagen.NuevaPagina());
    }

    for (std::size_t k = 0; k < tablas.size(); ++k) {
        std::vector<const FilaNueva*> filas;
        for (const FilaNueva& f : tablas[k].filas) {
            ComprobarValores(f.valores);
            filas.push_back(&f);
        }
        std::stable_sort(filas.begin(), filas.end(), [](const FilaNueva* a, const FilaNueva* b) {
            return a->rowid < b->rowid;
        });
        std::vector<Entrada> entradas;
        entradas.reserve(filas.size());
        for (std::size_t i = 0; i < filas.size(); ++i) {
            if (i > 0 && filas[i - 1]->rowid == filas[i]->rowid) {
                throw std::invalid_argument("la tabla " + tablas[k].nombre + " repite el rowid " +
                                            std::to_string(filas[i]->rowid));
            }
            entradas.push_back({Clave(filas[i]->rowid), CodificarRegistro(filas[i]->valores)});
        }
        EscribirArbol(imagen, raices[k], entradas);
    }

    std::vector<Entrada> esquema;
    for (std::size_t k = 0; k < tablas.size(); ++k) {
        const std::vector<Valor> fila = {std::string("table"), tablas[k].nombre, tablas[k].nombre,
                                         std::to_string(raices[k]), tablas[k].sql};
        ComprobarValores(fila);
        esquema.push_back({Clave(static_cast<std::int32_t>(k + 1)), CodificarRegistro(fila)});
    }
    EscribirArbol(imagen, kRaizMaestra, esquema);

    unsigned char* p1 = imagen.Pagina(1);
    std::memcpy(p1, kTextoCabecera, sizeof(kTextoCabecera));
    PonerU32(p1 + 48, kMagia);
    PonerU32(p1 + 52, 0);  // first free page
    PonerU32(p1 + 56, 0);  // free pages
    PonerU32(p1 + 60, Cookie(tablas));
    PonerU32(p1 + 64, kFormatoArchivo);
    return imagen.Soltar();
}

void GuardarArchivo(const std::filesystem::path& destino, const std::vector<unsigned char>& bytes) {
    // Through the program's file edge: a private temporary beside it, then
    // renamed over it; special files and read-only files are refused.
    const std::string ruta = destino.string();
    const FalloArchivo fallo = ReemplazarArchivo(
        ruta, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (fallo) {
        throw std::runtime_error("no se puede crear " + ruta + ": " + fallo.Texto(ruta));
    }
}

}  // namespace varnolt::sqlite2::escritura
