// SPDX-License-Identifier: AGPL-3.0-or-later
// Reading the contact lines of an agenda, after the first, on this thread or
// on two.
//
// On two threads the lines are taken in lots of LineasPorLote(): this thread
// copies two lots out of the reader, a second thread reads the first lot
// while this one reads the second, and then the records of both join the
// data set in file order, so that the catalogues, the progress and the
// failing line come out as on one thread. The first failing line stops the
// reading: a lot after it is discarded.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "agenda/LectorAgenda.h"
#include "agenda/LectorLineas.h"

namespace varnolt {

// From this many contact lines a file is read on two threads: 0 always,
// INT32_MAX (the default, see LecturaLotes.cpp) never.
int& MinimoCargaParalela();

namespace LecturaLotes {

// Lines per lot (32768; tests make it small).
size_t& LineasPorLote();

// The first failing line: its number (the first contact line is 1; 0 for
// none) and its bytes.
struct Fallo {
    int numero = 0;
    std::string linea;
};

// Reads the lines from number i on. avance(i) comes before line i is read
// (the failing one too); registrar(record, aspect text) after it reads, in
// file order.
template <typename Avance, typename Registrar>
Fallo EnUnHilo(LectorLineas& lector, char sep, TraductorCodigos& codigos, int i, Avance&& avance,
               Registrar&& registrar) {
    std::string_view linea;
    LineaAgenda leida;
    for (; lector.Siguiente(linea); ++i) {
        avance(i);
        leida.tendencia = TTendencia{};
        if (!LeerLineaAgenda(linea, sep, codigos, leida)) {
            return {i, std::string(linea)};
        }
        registrar(leida.tendencia, leida.textoAspecto);
    }
    return {};
}

struct Lote {
    std::string texto;          // the lines one after the other
    std::vector<size_t> fines;  // where each line ends in texto
    int primera = 0;            // number of its first line
    std::vector<TTendencia> registros;
    // Where the aspect text changes: index of the record, text.
    std::vector<std::pair<std::uint32_t, std::string>> aspectos;
    Fallo fallo;
    std::exception_ptr error;

    // Takes up to LineasPorLote() lines from the reader; false when none is
    // left.
    bool Llenar(LectorLineas& lector, int desde);
    // Reads its lines into records, up to the first that fails.
    void Leer(char sep, TraductorCodigos& codigos) noexcept;
};

template <typename Avance, typename Registrar>
Fallo Unir(const Lote& lote, Avance& avance, Registrar& registrar) {
    size_t a = 0;
    std::string_view aspecto;
    for (size_t k = 0; k < lote.registros.size(); ++k) {
        if (a < lote.aspectos.size() && lote.aspectos[a].first == k) {
            aspecto = lote.aspectos[a++].second;
        }
        avance(lote.primera + static_cast<int>(k));
        registrar(lote.registros[k], aspecto);
    }
    if (lote.fallo.numero > 0) {
        avance(lote.fallo.numero);
    }
    return lote.fallo;
}

template <typename Avance, typename Registrar>
Fallo EnDosHilos(LectorLineas& lector, char sep, TraductorCodigos& codigos, int i, Avance&& avance,
                 Registrar&& registrar) {
    TraductorCodigos codigosHilo;
    Lote a;
    Lote b;
    for (;;) {
        if (!a.Llenar(lector, i)) {
            return {};
        }
        i += static_cast<int>(a.fines.size());
        std::thread hilo([&] { a.Leer(sep, codigosHilo); });
        bool hayB = false;
        try {
            hayB = b.Llenar(lector, i);
        } catch (...) {
            hilo.join();
            throw;
        }
        if (hayB) {
            i += static_cast<int>(b.fines.size());
            b.Leer(sep, codigos);
        }
        hilo.join();
        for (Lote* l : {&a, &b}) {
            if (l == &b && !hayB) {
                return {};
            }
            if (l->error) {
                std::rethrow_exception(l->error);
            }
            Fallo f = Unir(*l, avance, registrar);
            if (f.numero > 0) {
                return f;
            }
        }
    }
}

}  // namespace LecturaLotes
}  // namespace varnolt
