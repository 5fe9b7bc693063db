// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/settings/Carpetas.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "app/ArchivoSeguro.h"

namespace varnolt {
namespace {

std::string Entorno(const char* nombre) {
    const char* v = std::getenv(nombre);
    return v != nullptr ? std::string(v) : std::string();
}

std::string CarpetaInicio() {
    std::string home = Entorno("HOME");
    if (!home.empty()) {
        return home;
    }
    const long tam = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buf(tam > 0 ? static_cast<std::size_t>(tam) : 16384);
    struct passwd pw {};
    struct passwd* r = nullptr;
    if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &r) == 0 && r != nullptr &&
        r->pw_dir != nullptr) {
        home = r->pw_dir;
    }
    return home;
}

std::string SinBarraFinal(std::string s) {
    while (!s.empty() && s.back() == '/') {
        s.pop_back();
    }
    return s;
}

bool EsSeparador(char c) {
    return c == '/' || c == '\\';
}

}  // namespace

std::string RutaEjecutable() {
    std::vector<char> buf(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < buf.size()) {
            return std::string(buf.data(), n);
        }
        buf.resize(buf.size() * 2);
    }
}

std::string CarpetaDocumentosXdg(std::string_view texto, std::string_view home) {
    std::string resultado;
    std::istringstream lineas{std::string(texto)};
    std::string linea;
    while (std::getline(lineas, linea)) {
        std::string_view l = linea;
        while (!l.empty() && (l.front() == ' ' || l.front() == '\t')) {
            l.remove_prefix(1);
        }
        constexpr std::string_view kClave = "XDG_DOCUMENTS_DIR=";
        if (!l.starts_with(kClave)) {
            continue;
        }
        l.remove_prefix(kClave.size());
        // The value: a shell word, usually in double quotes, '\' escaping.
        std::string valor;
        if (!l.empty() && l.front() == '"') {
            std::size_t i = 1;
            for (; i < l.size() && l[i] != '"'; ++i) {
                if (l[i] == '\\' && i + 1 < l.size()) {
                    ++i;
                }
                valor += l[i];
            }
        } else {
            for (char c : l) {
                if (c == ' ' || c == '\t' || c == '\r' || c == '#') {
                    break;
                }
                valor += c;
            }
        }
        // "$HOME" or "${HOME}" at the start stands for the home folder; any
        // other path not starting with '/' is taken under the home folder.
        std::string_view v = valor;
        if (v.starts_with("$HOME") && (v.size() == 5 || v[5] == '/')) {
            valor = std::string(home) + std::string(v.substr(5));
        } else if (v.starts_with("${HOME}") && (v.size() == 7 || v[7] == '/')) {
            valor = std::string(home) + std::string(v.substr(7));
        } else if (!v.empty() && v.front() != '/') {
            valor = std::string(home) + "/" + valor;
        }
        if (!valor.empty()) {
            resultado = SinBarraFinal(valor);  // the last one counts
        }
    }
    return resultado;
}

std::string CarpetaConfiguracion() {
    const std::string config = SinBarraFinal(Entorno("XDG_CONFIG_HOME"));
    if (!config.empty() && config.front() == '/') {
        return config;
    }
    const std::string home = SinBarraFinal(CarpetaInicio());
    return home.empty() ? std::string() : home + "/.config";
}

std::string CarpetaPersonal() {
    const std::string home = SinBarraFinal(CarpetaInicio());
    if (home.empty()) {
        return {};
    }
    // A few lines of shell assignments.
    std::string texto;
    if (!LeerArchivoEntero(CarpetaConfiguracion() + "/user-dirs.dirs", texto, 64u << 10)) {
        std::string docs = CarpetaDocumentosXdg(texto, home);
        if (!docs.empty()) {
            return docs;
        }
    }
    return home + "/Documents";
}

std::string CambiarExtension(std::string_view ruta, std::string_view extension) {
    std::size_t inicioNombre = 0;
    for (std::size_t i = 0; i < ruta.size(); ++i) {
        if (EsSeparador(ruta[i])) {
            inicioNombre = i + 1;
        }
    }
    const std::size_t punto = ruta.rfind('.');
    std::string r(ruta);
    if (punto != std::string_view::npos && punto >= inicioNombre) {
        r.resize(punto);
    }
    r += extension;
    return r;
}

std::string CarpetaDeRuta(std::string_view ruta) {
    std::size_t fin = 0;
    for (std::size_t i = 0; i < ruta.size(); ++i) {
        if (EsSeparador(ruta[i])) {
            fin = i + 1;
        }
    }
    std::string r(ruta.substr(0, fin));
    for (char& c : r) {
        if (c == '\\') {
            c = '/';
        }
    }
    return r;
}

std::string NombreDeRuta(std::string_view ruta) {
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < ruta.size(); ++i) {
        if (EsSeparador(ruta[i])) {
            inicio = i + 1;
        }
    }
    return std::string(ruta.substr(inicio));
}

std::string UnirRuta(std::string_view carpeta, std::string_view nombre) {
    std::string r(carpeta);
    if (r.empty() || r.back() != '/') {
        r += '/';
    }
    r += nombre;
    return r;
}

}  // namespace varnolt
