// SPDX-License-Identifier: AGPL-3.0-or-later
// Text helpers shared by the whole program.
//
// Varnolt keeps text as UTF-8 in memory. The files it exchanges with the rest
// of the suite (agendas, archetype texts, CSV reports, the settings file) are
// Windows-1252; these helpers convert at those edges and fold letter case the
// way the suite compares codes.
#pragma once

#include <string>
#include <string_view>

namespace varnolt {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value.
std::string Cp1252AUtf8(std::string_view cp1252);

// True when every byte is below 0x80, so the text reads the same in both.
bool EsAscii(std::string_view texto);

// UTF-8 to Windows-1252. A character the code page cannot hold becomes '?'
// and sets *perdido when given; malformed UTF-8 is treated the same way.
std::string Utf8ACp1252(std::string_view utf8, bool* perdido = nullptr);

// Upper case of a UTF-8 text for the Latin-1 letters the suite uses
// (a-z, and à-þ but ÷ to À-Þ); every other character stays as it is.
std::string Mayusculas(std::string_view utf8);

// Case-insensitive equality with the folding of Mayusculas.
bool IgualesSinMayusculas(std::string_view a, std::string_view b);

}  // namespace varnolt
