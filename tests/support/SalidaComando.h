// SPDX-License-Identifier: AGPL-3.0-or-later
// A command of varnolt-cli run in the test's own process: its exit code and
// what it wrote to its standard output and error.
//
//     const prueba::Salida s = prueba::EjecutarComando(ComandoResumen, {"a.csv"});
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace varnolt::prueba {

struct Salida {
    int codigo;
    std::string out;
    std::string err;
};

using Comando = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

inline Salida EjecutarComando(Comando comando, const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int codigo = comando(args, out, err);
    return {codigo, out.str(), err.str()};
}

}  // namespace varnolt::prueba
