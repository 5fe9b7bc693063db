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
    };
    Causa causa = Causa::Ninguna;
    int numero = 0;  // an errno matching the cause (EINVAL, EACCES, EISDIR for the last three)

    static FalloArchivo DelSistema(int numero) { return {Causa::Sistema, numero}; }
    explicit operator bool() const { return causa != Causa::Ninguna; }

    // The text for the user: the system's text, or one naming the file:
    // "\"<ruta>\" no es un archivo normal", "\"<ruta>\" es de solo lectura",
    // "\"<ruta>\" no es un nombre de archivo".
    std::string Texto(std::string_view ruta) const;
};

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

// Reads from an open file to its end, appending to `bytes`.
FalloArchivo LeerHastaElFinal(int fd, std::string& bytes);

// Opens and reads a whole regular file.
FalloArchivo LeerArchivoEntero(const std::string& ruta, std::string& bytes);

// Replaces the file at `ruta` with `bytes`, or creates it. The bytes go to a
// temporary file beside it (".<name>.XXXXXX"), which is flushed to disk and
// renamed over the target, so that a failure leaves an existing file as it
// was and removes the temporary file. A symbolic link is followed: the file
// it points to is replaced. An existing file keeps its owner, group and
// permission bits; a new one gets 0666 less the umask.
//
// Refused, leaving everything as it was: a path that names no file, a
// target that is not a regular file, and a file that is read-only (no write
// bit at all, even for a user who could write it anyway) or that this user
// may not write.
//
// After a successful write the temporary files of the same name left by an
// interrupted earlier write, older than the current run, are removed.
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
