#include "export/ArchivoCSV.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/Texto.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

std::string TextoError(int numero) {
    return std::strerror(numero);
}

mode_t PermisosNuevos() {
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    return 0666 & ~mascara;
}

bool EscribirTodo(int fd, const std::string& bytes) {
    size_t hecho = 0;
    while (hecho < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + hecho, bytes.size() - hecho);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        hecho += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string BytesArchivoCSV(const std::vector<std::string>& lineas) {
    std::string bytes;
    for (const std::string& l : lineas) {
        bytes += Utf8ACp1252(l);
        bytes += "\r\n";
    }
    return bytes;
}

std::string NombreDeArchivo(std::string_view ruta) {
    const size_t barra = ruta.find_last_of('/');
    return std::string(barra == std::string_view::npos ? ruta : ruta.substr(barra + 1));
}

bool EscribirArchivoCSV(const std::string& ruta, const std::vector<std::string>& lineas,
                        std::string& error) {
    std::error_code ec;
    fs::path destino(ruta);
    if (fs::is_symlink(destino, ec)) {
        const fs::path real = fs::weakly_canonical(destino, ec);
        if (!ec) {
            destino = real;
        }
    }
    fs::path carpeta = destino.parent_path();
    if (carpeta.empty()) {
        carpeta = ".";
    }

    mode_t permisos = PermisosNuevos();
    struct stat previo {};
    if (::stat(destino.c_str(), &previo) == 0 && S_ISREG(previo.st_mode)) {
        permisos = previo.st_mode & 07777;
    }

    std::string temporal = (carpeta / ("." + destino.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporal.data());
    if (fd < 0) {
        error = TextoError(errno);
        return false;
    }
    const std::string bytes = BytesArchivoCSV(lineas);
    bool bien = ::fchmod(fd, permisos) == 0 && EscribirTodo(fd, bytes) && ::fsync(fd) == 0;
    int numero = bien ? 0 : errno;
    if (::close(fd) != 0 && bien) {
        bien = false;
        numero = errno;
    }
    if (bien && ::rename(temporal.c_str(), destino.c_str()) != 0) {
        bien = false;
        numero = errno;
    }
    if (!bien) {
        ::unlink(temporal.c_str());
        error = TextoError(numero);
        return false;
    }
    // Make the rename itself durable; a failure here changes nothing written.
    const int dir = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace varnolt
