// SPDX-License-Identifier: AGPL-3.0-or-later
#include "agenda/Codigo.h"

#include <deque>
#include <mutex>
#include <unordered_map>

namespace varnolt {
namespace {

struct Tabla {
    std::mutex cerrojo;
    std::deque<std::string> textos{std::string()};  // deque: references stay valid
    std::unordered_map<std::string_view, std::uint32_t> indice{{std::string_view(), 0}};
};

Tabla& TablaCodigos() {
    static Tabla tabla;
    return tabla;
}

}  // namespace

Codigo::Codigo(std::string_view texto) {
    if (texto.empty()) {
        return;
    }
    Tabla& t = TablaCodigos();
    std::lock_guard<std::mutex> lock(t.cerrojo);
    auto it = t.indice.find(texto);
    if (it != t.indice.end()) {
        id_ = it->second;
        return;
    }
    id_ = static_cast<std::uint32_t>(t.textos.size());
    t.textos.emplace_back(texto);
    t.indice.emplace(t.textos.back(), id_);
}

const std::string& Codigo::texto() const {
    return TextoDe(id_);
}

std::uint32_t Codigo::Cantidad() {
    Tabla& t = TablaCodigos();
    std::lock_guard<std::mutex> lock(t.cerrojo);
    return static_cast<std::uint32_t>(t.textos.size());
}

const std::string& Codigo::TextoDe(std::uint32_t id) {
    Tabla& t = TablaCodigos();
    std::lock_guard<std::mutex> lock(t.cerrojo);
    return t.textos[id];
}

}  // namespace varnolt
