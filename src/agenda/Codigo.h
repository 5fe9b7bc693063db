// SPDX-License-Identifier: AGPL-3.0-or-later
// Item codes ("Sol", "Júp", "C05" …) held once for the whole program.
//
// An agenda of a million contacts repeats a few dozen codes; every record
// keeps a four-byte handle into one table of the distinct texts instead of
// four strings of its own. Handles compare equal exactly when their texts are
// equal (case-sensitive), and the table only grows, so a handle stays valid
// for the life of the program. Code 0 is the empty text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnolt {

class Codigo {
  public:
    Codigo() = default;
    // Interns the text (UTF-8).
    explicit Codigo(std::string_view texto);

    const std::string& texto() const;
    operator const std::string&() const { return texto(); }
    std::uint32_t id() const { return id_; }
    bool empty() const { return id_ == 0; }

    friend bool operator==(Codigo a, Codigo b) { return a.id_ == b.id_; }
    friend bool operator==(Codigo a, std::string_view b) { return a.texto() == b; }

    // Number of distinct texts interned so far; ids run from 0 to this - 1.
    static std::uint32_t Cantidad();
    // The text of an id below Cantidad().
    static const std::string& TextoDe(std::uint32_t id);

  private:
    std::uint32_t id_ = 0;
};

}  // namespace varnolt
