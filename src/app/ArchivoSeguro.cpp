// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/ArchivoSeguro.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

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
// changed before this run began whose lock can be taken. A writer holds its
// lock until its file is renamed, so a live one is never touched; the lock is
// taken on the file found and the name is checked to still be that file
// before it goes.
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
        if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            !AnteriorA(st, kInicioEjecucion)) {
            continue;
        }
        const Descriptor fd(
            ::openat(dfd, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat abierto {};
        if (!fd.Abierto() || ::flock(fd.fd(), LOCK_EX | LOCK_NB) != 0 ||
            ::fstat(fd.fd(), &abierto) != 0 ||
            ::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            st.st_dev != abierto.st_dev || st.st_ino != abierto.st_ino) {
            continue;
        }
        ::unlinkat(dfd, e->d_name, 0);
    }
    ::closedir(dir);
}

// The file a write of `ruta` replaces: links followed one after another, the
// last one possibly naming a file not there yet. ELOOP after 40 links.
FalloArchivo ResolverEnlaces(const std::string& ruta, std::string& destino) {
    destino = ruta;
    for (int saltos = 0; saltos < 40; ++saltos) {
        struct stat st {};
        if (::lstat(destino.c_str(), &st) != 0) {
            return errno == ENOENT ? FalloArchivo{} : FalloArchivo::DelSistema(errno);
        }
        if (!S_ISLNK(st.st_mode)) {
            return {};
        }
        char enlace[PATH_MAX];
        const ssize_t n = ::readlink(destino.c_str(), enlace, sizeof enlace - 1);
        if (n < 0) {
            return FalloArchivo::DelSistema(errno);
        }
        const std::string objetivo(enlace, static_cast<std::size_t>(n));
        const std::size_t barra = destino.rfind('/');
        if (objetivo.starts_with('/') || barra == std::string::npos) {
            destino = objetivo;
        } else {
            destino = destino.substr(0, barra + 1) + objetivo;
        }
        if (!NombraArchivo(destino)) {
            return {FalloArchivo::Causa::SinNombre, EISDIR};
        }
    }
    return FalloArchivo::DelSistema(ELOOP);
}

// A private temporary file beside `destino`, locked. A clean-up of an older
// run that met the file in the instant before the lock may have removed it:
// then another one is made.
FalloArchivo CrearTemporal(const std::string& plantilla, std::string& temporal, Descriptor& fd) {
    for (int intento = 0; intento < 8; ++intento) {
        temporal = plantilla;
        fd = Descriptor(::mkstemp(temporal.data()));
        if (!fd.Abierto()) {
            return FalloArchivo::DelSistema(errno);
        }
        struct stat st {};
        if (::flock(fd.fd(), LOCK_EX) != 0 || ::fstat(fd.fd(), &st) != 0) {
            const int numero = errno;
            ::unlink(temporal.c_str());
            return FalloArchivo::DelSistema(numero);
        }
        if (st.st_nlink > 0) {
            return {};
        }
    }
    return FalloArchivo::DelSistema(EAGAIN);
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
        case Causa::Grande:
            return nombre + " es demasiado grande (más de " + TextoTamano(limite) + ")";
        case Causa::Sistema:
            break;
    }
    return TextoErrorSistema(numero);
}

std::string TextoErrorSistema(int numero) {
    switch (numero) {
        case 0:
            return "sin error";
        case ENOENT:
            return "no existe el archivo o la carpeta";
        case EACCES:
            return "permiso denegado";
        case EPERM:
            return "operación no permitida";
        case EISDIR:
            return "es una carpeta";
        case ENOTDIR:
            return "una parte de la ruta no es una carpeta";
        case EEXIST:
            return "ya existe";
        case ENOSPC:
            return "no queda espacio en el disco";
        case EDQUOT:
            return "se ha agotado la cuota de disco";
        case EROFS:
            return "el sistema de archivos es de solo lectura";
        case EIO:
            return "error de lectura o escritura en el disco";
        case ENAMETOOLONG:
            return "el nombre es demasiado largo";
        case ELOOP:
            return "demasiados enlaces simbólicos seguidos";
        case EMFILE:
        case ENFILE:
            return "demasiados archivos abiertos";
        case EFBIG:
            return "el archivo es demasiado grande";
        case ENOMEM:
            return "no hay memoria suficiente";
        case EBUSY:
        case ETXTBSY:
            return "el archivo está en uso";
        case EXDEV:
            return "no se puede mover entre sistemas de archivos distintos";
        case EINVAL:
            return "argumento no válido";
        case EAGAIN:
            return "recurso no disponible por el momento; inténtelo de nuevo";
        case ENXIO:
        case ENODEV:
            return "no hay tal dispositivo";
        case ECANCELED:
            return "operación cancelada";
        case ENOTEMPTY:
            return "la carpeta no está vacía";
        case ETIMEDOUT:
            return "se agotó el tiempo de espera";
        default:
            break;
    }
    return "error del sistema " + std::to_string(numero) + " (" + std::strerror(numero) + ")";
}

std::string TextoTamano(std::uint64_t bytes) {
    constexpr std::uint64_t kKB = 1024;
    constexpr std::uint64_t kMB = kKB * 1024;
    if (bytes >= kMB && bytes % kMB == 0) {
        return std::to_string(bytes / kMB) + " MB";
    }
    if (bytes >= kKB && bytes % kKB == 0) {
        return std::to_string(bytes / kKB) + " KB";
    }
    return std::to_string(bytes) + " bytes";
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

FalloArchivo LeerHastaElFinal(int fd, std::string& bytes, std::uint64_t limite) {
    const std::size_t antes = bytes.size();
    char bloque[65536];
    for (;;) {
        const ssize_t n = ::read(fd, bloque, sizeof bloque);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int numero = errno;
            bytes.resize(antes);
            return FalloArchivo::DelSistema(numero);
        }
        if (n == 0) {
            return {};
        }
        if (bytes.size() - antes + static_cast<std::size_t>(n) > limite) {
            bytes.resize(antes);
            return {FalloArchivo::Causa::Grande, EFBIG, limite};
        }
        bytes.append(bloque, static_cast<std::size_t>(n));
    }
}

FalloArchivo LeerArchivoEntero(const std::string& ruta, std::string& bytes, std::uint64_t limite) {
    Descriptor fd;
    if (const FalloArchivo f = AbrirParaLeer(ruta, fd)) {
        return f;
    }
    struct stat st {};
    if (::fstat(fd.fd(), &st) == 0 && st.st_size > 0) {
        // Refused before any byte is read; the read below still holds to the
        // bound should the file grow meanwhile.
        if (static_cast<std::uint64_t>(st.st_size) > limite) {
            return {FalloArchivo::Causa::Grande, EFBIG, limite};
        }
        bytes.reserve(bytes.size() + static_cast<std::size_t>(st.st_size));
    }
    return LeerHastaElFinal(fd.fd(), bytes, limite);
}

FalloArchivo ReemplazarArchivo(const std::string& ruta, std::string_view bytes) {
    return ReemplazarArchivoCon(ruta,
                                [bytes](int fd) { return EscribirTodo(fd, bytes) ? 0 : errno; });
}

FalloArchivo ReemplazarArchivoCon(const std::string& ruta, const EscritorArchivo& escribir) {
    if (!NombraArchivo(ruta)) {
        return {FalloArchivo::Causa::SinNombre, EISDIR};
    }
    // A link is followed: the file it names is the one replaced.
    std::string destino;
    if (const FalloArchivo f = ResolverEnlaces(ruta, destino)) {
        return f;
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
    const std::string plantilla =
        (barra == std::string::npos ? "./." : carpeta + ".") + nombre + ".XXXXXX";
    std::string temporal;
    Descriptor fd;
    if (const FalloArchivo f = CrearTemporal(plantilla, temporal, fd)) {
        return f;
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
    // The descriptor, and with it the lock, is closed only after the rename;
    // the data is flushed by then, so a failed close loses nothing.
    if (numero == 0 && ::rename(temporal.c_str(), destino.c_str()) != 0) {
        numero = errno;
    }
    if (numero != 0) {
        ::unlink(temporal.c_str());
        return FalloArchivo::DelSistema(numero);
    }
    fd.Cerrar();
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
