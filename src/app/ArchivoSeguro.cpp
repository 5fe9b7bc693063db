#include "app/ArchivoSeguro.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace varnolt {
namespace {

// When this run began: temporary files older than it are no one's work in
// progress. Taken from the coarse clock the file system stamps files with,
// so that a file written a moment after the start is never older.
const std::timespec kInicioEjecucion = [] {
    std::timespec t{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &t);
    return t;
}();

FalloArchivo SegunTipo(mode_t modo) {
    if (S_ISREG(modo)) {
        return {};
    }
    if (S_ISDIR(modo)) {
        return FalloArchivo::DelSistema(EISDIR);
    }
    return {FalloArchivo::Causa::NoNormal, EINVAL};
}

// The last part of a path names no file when it is empty ("carpeta/"), "."
// or "..".
bool NombraArchivo(std::string_view ruta) {
    const std::size_t barra = ruta.rfind('/');
    const std::string_view nombre = barra == std::string_view::npos ? ruta : ruta.substr(barra + 1);
    return !nombre.empty() && nombre != "." && nombre != "..";
}

bool AnteriorA(const struct stat& st, const std::timespec& t) {
    return st.st_mtim.tv_sec < t.tv_sec ||
           (st.st_mtim.tv_sec == t.tv_sec && st.st_mtim.tv_nsec < t.tv_nsec);
}

// ".<nombre>." followed by the six letters or digits mkstemp chose.
bool EsTemporalDe(std::string_view entrada, std::string_view nombre) {
    if (entrada.size() != nombre.size() + 8 || entrada.front() != '.' ||
        entrada.substr(1, nombre.size()) != nombre || entrada[nombre.size() + 1] != '.') {
        return false;
    }
    for (const char c : entrada.substr(nombre.size() + 2)) {
        const bool alfanumerico =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alfanumerico) {
            return false;
        }
    }
    return true;
}

// Removes the temporary files an interrupted write of `nombre` left in
// `carpeta`: regular files (never links) of the temporary name pattern last
// changed before this run began.
void BorrarTemporalesViejos(const std::string& carpeta, std::string_view nombre) {
    DIR* dir = ::opendir(carpeta.c_str());
    if (dir == nullptr) {
        return;
    }
    const int dfd = ::dirfd(dir);
    while (const dirent* e = ::readdir(dir)) {
        if (!EsTemporalDe(e->d_name, nombre)) {
            continue;
        }
        struct stat st {};
        if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            AnteriorA(st, kInicioEjecucion)) {
            ::unlinkat(dfd, e->d_name, 0);
        }
    }
    ::closedir(dir);
}

}  // namespace

bool EscribirTodo(int fd, std::string_view datos) {
    while (!datos.empty()) {
        const ssize_t n = ::write(fd, datos.data(), datos.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        datos.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string FalloArchivo::Texto(std::string_view ruta) const {
    const std::string nombre = "\"" + std::string(ruta) + "\"";
    switch (causa) {
        case Causa::Ninguna:
            return {};
        case Causa::NoNormal:
            return nombre + " no es un archivo normal";
        case Causa::SoloLectura:
            return nombre + " es de solo lectura";
        case Causa::SinNombre:
            return nombre + " no es un nombre de archivo";
        case Causa::Sistema:
            break;
    }
    return std::strerror(numero);
}

Descriptor& Descriptor::operator=(Descriptor&& otro) noexcept {
    if (this != &otro) {
        Cerrar();
        fd_ = otro.fd_;
        otro.fd_ = -1;
    }
    return *this;
}

int Descriptor::Cerrar() {
    if (fd_ < 0) {
        return 0;
    }
    const int r = ::close(fd_);
    fd_ = -1;
    return r == 0 ? 0 : errno;
}

FalloArchivo ComprobarArchivoNormal(const std::string& ruta) {
    struct stat st {};
    if (::stat(ruta.c_str(), &st) != 0) {
        return FalloArchivo::DelSistema(errno);
    }
    return SegunTipo(st.st_mode);
}

FalloArchivo AbrirParaLeer(const std::string& ruta, Descriptor& archivo) {
    archivo.Cerrar();
    if (const FalloArchivo f = ComprobarArchivoNormal(ruta)) {
        return f;
    }
    // O_NONBLOCK: should a FIFO take the file's place after the check, the
    // opening still returns at once (and the check below refuses it).
    Descriptor fd(::open(ruta.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Abierto()) {
        return FalloArchivo::DelSistema(errno);
    }
    struct stat st {};
    if (::fstat(fd.fd(), &st) != 0) {
        return FalloArchivo::DelSistema(errno);
    }
    if (const FalloArchivo f = SegunTipo(st.st_mode)) {
        return f;
    }
    const int banderas = ::fcntl(fd.fd(), F_GETFL);
    if (banderas >= 0) {
        ::fcntl(fd.fd(), F_SETFL, banderas & ~O_NONBLOCK);
    }
    archivo = std::move(fd);
    return {};
}

FalloArchivo LeerHastaElFinal(int fd, std::string& bytes) {
    char bloque[65536];
    for (;;) {
        const ssize_t n = ::read(fd, bloque, sizeof bloque);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FalloArchivo::DelSistema(errno);
        }
        if (n == 0) {
            return {};
        }
        bytes.append(bloque, static_cast<std::size_t>(n));
    }
}

FalloArchivo LeerArchivoEntero(const std::string& ruta, std::string& bytes) {
    Descriptor fd;
    if (const FalloArchivo f = AbrirParaLeer(ruta, fd)) {
        return f;
    }
    struct stat st {};
    if (::fstat(fd.fd(), &st) == 0 && st.st_size > 0) {
        bytes.reserve(bytes.size() + static_cast<std::size_t>(st.st_size));
    }
    return LeerHastaElFinal(fd.fd(), bytes);
}

FalloArchivo ReemplazarArchivo(const std::string& ruta, std::string_view bytes) {
    return ReemplazarArchivoCon(ruta,
                                [bytes](int fd) { return EscribirTodo(fd, bytes) ? 0 : errno; });
}

FalloArchivo ReemplazarArchivoCon(const std::string& ruta, const EscritorArchivo& escribir) {
    namespace fs = std::filesystem;
    if (!NombraArchivo(ruta)) {
        return {FalloArchivo::Causa::SinNombre, EISDIR};
    }
    // A link is followed: the file it names is the one replaced.
    std::string destino = ruta;
    std::error_code ec;
    if (fs::is_symlink(ruta, ec)) {
        const fs::path real = fs::weakly_canonical(ruta, ec);
        if (!ec) {
            destino = real.string();
        }
    }

    struct stat previo {};
    const bool existe = ::stat(destino.c_str(), &previo) == 0;
    if (!existe && errno != ENOENT) {
        return FalloArchivo::DelSistema(errno);
    }
    if (existe) {
        if (const FalloArchivo f = SegunTipo(previo.st_mode)) {
            return f;
        }
        if ((previo.st_mode & 0222) == 0) {
            return {FalloArchivo::Causa::SoloLectura, EACCES};
        }
        if (::access(destino.c_str(), W_OK) != 0) {
            return FalloArchivo::DelSistema(errno);
        }
    }

    const std::size_t barra = destino.rfind('/');
    const std::string carpeta = barra == std::string::npos ? "." : destino.substr(0, barra + 1);
    const std::string nombre = barra == std::string::npos ? destino : destino.substr(barra + 1);
    std::string temporal =
        (barra == std::string::npos ? "./." : carpeta + ".") + nombre + ".XXXXXX";
    Descriptor fd(::mkstemp(temporal.data()));
    if (!fd.Abierto()) {
        return FalloArchivo::DelSistema(errno);
    }

    mode_t modo;
    if (existe) {
        modo = previo.st_mode & 07777;
        // Only a privileged user can hand a file to another owner; the group
        // may still be kept when the owner is us.
        if (::fchown(fd.fd(), previo.st_uid, previo.st_gid) != 0) {
            (void)::fchown(fd.fd(), static_cast<uid_t>(-1), previo.st_gid);
        }
    } else {
        const mode_t mascara = ::umask(0);
        ::umask(mascara);
        modo = 0666 & ~mascara;
    }
    int numero = ::fchmod(fd.fd(), modo) == 0 ? escribir(fd.fd()) : errno;
    if (numero == 0 && ::fsync(fd.fd()) != 0) {
        numero = errno;
    }
    bool bien = numero == 0;
    if (const int e = fd.Cerrar(); e != 0 && bien) {
        bien = false;
        numero = e;
    }
    if (bien && ::rename(temporal.c_str(), destino.c_str()) != 0) {
        bien = false;
        numero = errno;
    }
    if (!bien) {
        ::unlink(temporal.c_str());
        return FalloArchivo::DelSistema(numero);
    }
    // Make the rename itself durable; a failure here changes nothing written.
    const int dir = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    BorrarTemporalesViejos(carpeta, nombre);
    return {};
}

}  // namespace varnolt
