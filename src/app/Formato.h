// SPDX-License-Identifier: AGPL-3.0-or-later
// Number and date formatting, the one place where the program turns values
// into the texts it shows and writes.
//
// Format follows the printf-like formats of the suite: "%d", "%s", "%.2f",
// "%5d", "%-8s", "%%" and so on, with the decimal separator of the user's
// regional settings. FormatDateTime writes a date with a pattern: "yyyy" and
// "yyy" the four-digit year, "yy" the two-digit year, "mmmm" the month name,
// "mmm" the short month name, "mm" the two-digit month, "m" the month, "dd"
// the two-digit day, "d" the day; text in double or single quotes and every
// other character are written as they stand.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "app/Fecha.h"

namespace varnolt {

class ArgFormato {
  public:
    ArgFormato(int v) : valor_(static_cast<std::int64_t>(v)) {}
    ArgFormato(long v) : valor_(static_cast<std::int64_t>(v)) {}
    ArgFormato(long long v) : valor_(static_cast<std::int64_t>(v)) {}
    ArgFormato(unsigned v) : valor_(static_cast<std::int64_t>(v)) {}
    ArgFormato(unsigned long v) : valor_(static_cast<std::int64_t>(v)) {}
    ArgFormato(double v) : valor_(v) {}
    ArgFormato(const char* v) : valor_(std::string_view(v)) {}
    ArgFormato(std::string_view v) : valor_(v) {}
    ArgFormato(const std::string& v) : valor_(std::string_view(v)) {}

    const std::variant<std::int64_t, double, std::string_view>& valor() const { return valor_; }

  private:
    std::variant<std::int64_t, double, std::string_view> valor_;
};

// Formats like the suite's Format. A specifier whose argument is missing or of
// the wrong kind writes nothing for it (the suite would raise an error; every
// format here is a constant of the program, so this is a programming error
// that tests catch, not a user-facing failure).
std::string Format(std::string_view formato, std::initializer_list<ArgFormato> args);

// A real with a fixed number of decimals and the regional decimal separator.
std::string FormatoReal(double valor, int decimales);

// Writes a date with a pattern (see above). Day 0 is 30 December 1899.
std::string FormatDateTime(std::string_view patron, TFecha fecha);

}  // namespace varnolt
