// SPDX-License-Identifier: AGPL-3.0-or-later
// Small agenda files written by tests.
#pragma once

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Formato.h"
#include "app/Texto.h"

namespace varnolt::prueba {

struct Contacto {
    std::string fecha = "2024-3-7";  // Y-M-D
    std::string natal = "Sol";
    std::string transito = "Mar";
    int aspecto = 90;
    std::string peso = "3.25";
    std::string fuerza = "87.5";
    std::string banda = "80%-100%";
};

// One contact line in the agenda format, Windows-1252 ("°" as the byte 0xB0).
inline std::string LineaAgenda(const Contacto& utf8, int n = 1) {
    Contacto c = utf8;
    c.natal = Utf8ACp1252(utf8.natal);
    c.transito = Utf8ACp1252(utf8.transito);
    return std::to_string(n) + " A B " + c.fecha + " " + std::to_string(n) + ":" + c.natal + "(" +
           std::to_string(c.aspecto) + "\xB0)" + c.transito + " " + c.natal + " " + c.transito +
           " " + c.fuerza + "%  " + c.banda + " " + c.peso + " " + std::to_string(c.aspecto) +
           " 1.5 - - - - 354.25 - - - - 84.1";
}

constexpr const char* kCabecera =
    "n id carta fecha contacto natal transito fuerza banda peso aspecto valor s1 s2 s3 s4 "
    "posnatal t1 t2 t3 t4 postransito";

// A folder of its own for a test, removed at the end.
class CarpetaTemporal {
  public:
    CarpetaTemporal() {
        ruta_ =
            std::filesystem::temp_directory_path() /
            ("varnolt-prueba-" + std::to_string(::getpid()) + "-" + std::to_string(contador()++));
        std::filesystem::create_directories(ruta_);
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        std::filesystem::remove_all(ruta_, ec);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    // Writes the bytes as they stand and returns the full path.
    std::string Escribir(const std::string& nombre, const std::string& bytes) const {
        const auto ruta = ruta_ / nombre;
        std::ofstream(ruta, std::ios::binary) << bytes;
        return ruta.string();
    }
    // Writes a header and the lines, CR LF after each.
    std::string Agenda(const std::string& nombre, const std::vector<std::string>& lineas) const {
        std::string bytes = std::string(kCabecera) + "\r\n";
        for (const std::string& l : lineas) {
            bytes += l + "\r\n";
        }
        return Escribir(nombre, bytes);
    }
    std::string Agenda(const std::string& nombre, const std::vector<Contacto>& contactos) const {
        std::vector<std::string> lineas;
        int n = 1;
        for (const Contacto& c : contactos) {
            lineas.push_back(LineaAgenda(c, n++));
        }
        return Agenda(nombre, lineas);
    }
    const std::filesystem::path& ruta() const { return ruta_; }

  private:
    static int& contador() {
        static int n = 0;
        return n;
    }
    std::filesystem::path ruta_;
};

inline std::string Muestra(const std::string& nombre) {
    return std::string(VARNOLT_FIXTURES) + "/agendas/" + nombre;
}

}  // namespace varnolt::prueba
