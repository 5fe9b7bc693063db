// SPDX-License-Identifier: AGPL-3.0-or-later
// The commands of varnolt-cli. Each takes the arguments after its name and
// returns the exit code: 0 done, 1 failed (the reason on `err`), 2 bad usage.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace varnolt {

using Argumentos = std::vector<std::string>;

int ComandoResumen(const Argumentos& args, std::ostream& out, std::ostream& err);
int ComandoArquetipos(const Argumentos& args, std::ostream& out, std::ostream& err);
int ComandoAgenda(const Argumentos& args, std::ostream& out, std::ostream& err);

}  // namespace varnolt
