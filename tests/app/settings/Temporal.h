// SPDX-License-Identifier: AGPL-3.0-or-later
// A temporary folder for one test, removed with everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace varnolt::prueba {

class CarpetaTemporal {
  public:
    CarpetaTemporal() {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "varnolt-ajustes-XXXXXX").string();
        if (::mkdtemp(plantilla.data()) == nullptr)
            std::abort();
        ruta_ = plantilla;
    }
    ~CarpetaTemporal() {
        std::error_code e;
        std::filesystem::permissions(ruta_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, e);
        std::filesystem::remove_all(ruta_, e);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    const std::string& Ruta() const { return ruta_; }
    std::string operator/(const std::string& nombre) const { return ruta_ + "/" + nombre; }

  private:
    std::string ruta_;
};

inline void Escribir(const std::string& ruta, const std::string& bytes) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f << bytes;
}

inline std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The names in a folder, one per line, sorted.
inline std::string Listado(const std::string& carpeta) {
    std::string r;
    std::set<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(carpeta)) {
        nombres.insert(e.path().filename().string());
    }
    for (const auto& n : nombres)
        r += n + "\n";
    return r;
}

}  // namespace varnolt::prueba
