// SPDX-License-Identifier: AGPL-3.0-or-later
// The state of a list box of the main window, held as plain data so that the
// core decides every row, selection and current row and the window only
// mirrors them: rows, which rows are selected, the current row (the one with
// the focus, -1 for none), the box's Tag (which the row painter reads), and a
// whole number attached to each row (the day of a weighted-days row, the
// contact of a contacts row).
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnolt {

// Rows kept as data and written out only when asked for: a list that may
// hold many rows (the weighted-days list holds one per day of decades)
// keeps them so, and the window asks only for the rows on screen. The rows
// never change once made; a refill makes new ones.
class IFilasDiferidas {
  public:
    virtual ~IFilasDiferidas() = default;
    virtual int Cantidad() const = 0;
    virtual std::string Texto(int fila) const = 0;
    // Whether `otras` would write the same rows.
    virtual bool MismasFilas(const IFilasDiferidas& otras) const = 0;
};

struct TListBox {
    // The rows, written out; empty while Diferidas holds them instead.
    std::vector<std::string> Items;
    std::shared_ptr<const IFilasDiferidas> Diferidas;
    std::vector<std::uint8_t> Selected;  // one flag per row
    std::vector<std::int64_t> Datos;     // one value per row
    int ItemIndex = -1;
    int Tag = 0;
    bool Sorted = false;  // rows kept in ascending text order

    int Count() const { return Diferidas ? Diferidas->Cantidad() : static_cast<int>(Items.size()); }

    // The text of a row, whichever way the list holds it.
    std::string Texto(int i) const {
        return Diferidas ? Diferidas->Texto(i) : Items[static_cast<size_t>(i)];
    }

    // Every row's text (writes out rows held as data).
    std::vector<std::string> Textos() const {
        if (!Diferidas) {
            return Items;
        }
        std::vector<std::string> r;
        r.reserve(static_cast<size_t>(Count()));
        for (int i = 0; i < Count(); ++i) {
            r.push_back(Diferidas->Texto(i));
        }
        return r;
    }

    // Add, IndexOf and SelectedItems work on rows written out (Items).

    // Adds a row (in its sorted place when Sorted); returns its index.
    int Add(std::string texto, std::int64_t dato = 0) {
        size_t pos = Items.size();
        if (Sorted) {
            pos = static_cast<size_t>(std::upper_bound(Items.begin(), Items.end(), texto) -
                                      Items.begin());
        }
        Items.insert(Items.begin() + static_cast<std::ptrdiff_t>(pos), std::move(texto));
        Selected.insert(Selected.begin() + static_cast<std::ptrdiff_t>(pos), 0);
        Datos.insert(Datos.begin() + static_cast<std::ptrdiff_t>(pos), dato);
        if (ItemIndex >= static_cast<int>(pos)) {
            ++ItemIndex;
        }
        return static_cast<int>(pos);
    }

    int IndexOf(const std::string& texto) const {
        auto it = std::find(Items.begin(), Items.end(), texto);
        return it == Items.end() ? -1 : static_cast<int>(it - Items.begin());
    }

    void Clear() {
        Items.clear();
        Diferidas.reset();
        Selected.clear();
        Datos.clear();
        ItemIndex = -1;
    }

    bool IsSelected(int i) const { return Selected[static_cast<size_t>(i)] != 0; }
    void SetSelected(int i, bool sel) { Selected[static_cast<size_t>(i)] = sel ? 1 : 0; }

    int SelCount() const {
        return static_cast<int>(std::count(Selected.begin(), Selected.end(), std::uint8_t{1}));
    }

    void SelectAll(bool sel) { std::fill(Selected.begin(), Selected.end(), sel ? 1 : 0); }

    std::vector<std::string> SelectedItems() const {
        std::vector<std::string> r;
        for (size_t i = 0; i < Items.size(); ++i) {
            if (Selected[i] != 0) {
                r.push_back(Items[i]);
            }
        }
        return r;
    }
};

}  // namespace varnolt
