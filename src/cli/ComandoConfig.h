// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli config: the settings as the program reads them.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace varnolt {

// Prints every setting the program holds after reading the settings file,
// section by section in file order. 'args' are the arguments after "config".
// Returns 0 done, 1 the file could not be read, 2 bad usage.
int ComandoConfig(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace varnolt
