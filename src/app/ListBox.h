// The state of a list box of the main window, held as plain data so that the
// core decides every row, selection and current row and the window only
// mirrors them: rows, which rows are selected, the current row (the one with
// the focus, -1 for none), the box's Tag (which the row painter reads), and a
// whole number attached to each row (the day of a weighted-days row, the
// contact of a contacts row).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace varnolt {

struct TListBox {
    std::vector<std::string> Items;
    std::vector<std::uint8_t> Selected;  // one flag per row
    std::vector<std::int64_t> Datos;     // one value per row
    int ItemIndex = -1;
    int Tag = 0;
    bool Sorted = false;  // rows kept in ascending text order

    int Count() const { return static_cast<int>(Items.size()); }

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
