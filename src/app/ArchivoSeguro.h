// SPDX-License-Identifier: AGPL-3.0-or-later
// Files at the program's edges: opening a file to read it without ever
// blocking, and replacing a file as a whole without clobbering what is not
// ours to replace.
//
// Only regular files are read or replaced. A FIFO would block the opening
// until someone writes to it, a device such as /dev/zero never ends, a
// socket cannot be opened at all: they are refused before they are opened,
// and a directory with the system's own text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace varnolt {

// Why a file could not be read or written.
struct FalloArchivo {
    enum class Causa : std::uint8_t {
        Ninguna,
        Sistema,      // the system's error `numero`
        NoNormal,     // there, but a FIFO, a device or a socket
        SoloLectura,  // a file its owner made read-only
        SinNombre,    // the path names no file ("carpeta/", "a/.", "..")
        Grande,       // larger than the bound its kind of file has
    };
    Causa causa = Causa::Ninguna;
    // An errno matching the cause (EINVAL, EACCES, EISDIR, EFBIG for the last four).
    int numero = 0;
    std::uint64_t limite = 0;  // Grande: the bound in bytes

    static FalloArchivo DelSistema(int numero) { return {Causa::Sistema, numero}; }
    explicit operator bool() const { return causa != Causa::Ninguna; }

    // The text for the user: the system's text in Spanish (TextoErrorSistema),
    // or one naming the file: "\"<ruta>\" no es un archivo normal",
    // "\"<ruta>\" es de solo lectura", "\"<ruta>\" no es un nombre de archivo",
    // "\"<ruta>\" es demasiado grande (más de 16 MB)".
    std::string Texto(std::string_view ruta) const;
};

// Varnolt's own Spanish text for a system error (an errno): "no existe el
// archivo o la carpeta", "permiso denegado", ... An error without a text of
// its own gives "error del sistema <n>" and the system's text.
std::string TextoErrorSistema(int numero);

// A size for the user: "16 MB", "64 KB", "100 bytes".
std::string TextoTamano(std::uint64_t bytes);

// An open file descriptor, closed when it goes.
class Descriptor {
  public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Cerrar(); }
    Descriptor(Descriptor&& otro) noexcept : fd_(otro.fd_) { otro.fd_ = -1; }
    Descriptor& operator=(Descriptor&& otro) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int fd() const { return fd_; }
    bool Abierto() const { return fd_ >= 0; }
    // Closes it; the errno of a failed close, 0 otherwise.
    int Cerrar();

  private:
    int fd_ = -1;
};

// What stands at `ruta`: nothing when it is a regular file (a link is
// followed), else why it is not one. A missing file gives ENOENT.
FalloArchivo ComprobarArchivoNormal(const std::string& ruta);

// Opens a regular file for reading. Never blocks and never opens anything
// but a regular file: the file is checked before it is opened and again
// once it is open, in case it was swapped in between.
FalloArchivo AbrirParaLeer(const std::string& ruta, Descriptor& archivo);

// Reads from an open file to its end, appending to `bytes`; a file that
// holds (or grows to) more than `limite` bytes is refused as Grande, with
// `bytes` as it was.
FalloArchivo LeerHastaElFinal(int fd, std::string& bytes, std::uint64_t limite);

// Opens and reads a whole regular file of at most `limite` bytes. Each kind
// of file has its own bound: a small file of a few keys a few hundred KB, the
// settings file 16 MB.
FalloArchivo LeerArchivoEntero(const std::string& ruta, std::string& bytes, std::uint64_t limite);

// Replaces the file at `ruta` with `bytes`, or creates it. The bytes go to a
// temporary file beside it (".<name>.XXXXXX"), which is flushed to disk and
// renamed over the target, so that a failure leaves an existing file as it
// was and removes the temporary file. A symbolic link is followed, link after
// link: the file it points to is replaced, or created when it is not there
// yet (a link is never replaced by a file). An existing file keeps its owner,
// group and permission bits; a new one gets 0666 less the umask.
//
// Refused, leaving everything as it was: a path that names no file, a
// target that is not a regular file, and a file that is read-only (no write
// bit at all, even for a user who could write it anyway) or that this user
// may not write.
//
// The temporary file is locked (flock) from its creation to its rename.
// After a successful write the temporary files of the same name left by an
// interrupted earlier write are removed: those older than the current run
// whose lock can be taken, so that the file of another writer still at work
// (a slow disk, a USB stick) is never removed under it.
FalloArchivo ReemplazarArchivo(const std::string& ruta, std::string_view bytes);

// The same for output too large to hold whole: `escribir` writes into the
// temporary file's descriptor as it goes and returns 0, or the errno that
// ends the write (ECANCELED for work the user stopped); the temporary file
// is then removed and the old file left as it was. It is called only once
// the target has passed every check above.
using EscritorArchivo = std::function<int(int fd)>;
FalloArchivo ReemplazarArchivoCon(const std::string& ruta, const EscritorArchivo& escribir);

// Writes all of `datos` to `fd`; false with errno set on failure.
bool EscribirTodo(int fd, std::string_view datos);

}  // namespace varnolt
