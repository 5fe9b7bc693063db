// SPDX-License-Identifier: AGPL-3.0-or-later
// One archetype term: a key and its text, as the archetype file stores them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/ListBox.h"

namespace varnolt {

// The archetype file's name every run starts with, in the configured folder.
inline constexpr const char* kArchivoArqInicial = "quillmere_C1_001_v.1.0.arq";

// The twelve term tables, in the order they are read.
enum TablaArq {
    Items_01,
    Items_02,
    Items_03,
    Casas_01,
    Casas_02,
    Casas_03,
    Signos_01,
    Signos_02,
    Signos_03,
    Aspectos_01,
    Aspectos_02,
    Aspectos_03,
};
inline constexpr int kTablasArq = 12;
extern const std::array<const char*, kTablasArq> kNombresTablasArq;

struct TItemArq {
    std::string Clave;
    std::string Texto;
};

// An archetype list: its rows, and the term each row carries.
struct TListBoxArq : TListBox {
    std::vector<TItemArq> Terminos;  // one per row

    void AddTermino(std::string texto, TItemArq termino) {
        Add(std::move(texto));
        Terminos.push_back(std::move(termino));
    }
    void Clear() {
        TListBox::Clear();
        Terminos.clear();
    }
    // The row's key with "Jup" read as "Júp", as the item lists write it.
    std::string CodigoFila(int fila) const {
        const std::string& clave = Terminos[static_cast<size_t>(fila)].Clave;
        return clave == "Jup" ? std::string("Júp") : clave;
    }
};

}  // namespace varnolt
