// SPDX-License-Identifier: AGPL-3.0-or-later
// The settings file of the suite: a classic initialisation file.
//
// A line "[name]" opens a section; lines "key=value" follow. Section and key
// names match without regard to letter case; the first section of a name and
// the first key of a name in it are the ones read and written. Lines starting
// with ';' are comments. A value is read with the blanks around it removed
// and, when it stands between two equal quotes (' or "), without them.
//
// The file is Windows-1252 text; a line ends at CR LF, LF or CR alone, and
// lines added here end in CR LF. The texts handed in and out here are UTF-8.
// Reading takes time and memory in proportion to the file (a run of blank
// or comment lines is held as one piece, keys are found through an index),
// and a file over its bound (16 MB for the settings file) is refused.
// Writing changes only what it must: a key that exists gets its value
// replaced in place (the line is left untouched when the value reads the
// same already), a missing key goes after the last key of its section, a
// missing section goes at the end of the file after a blank line.
// Every other byte of the file (comments, blank lines, unknown sections and
// keys, their order, their line ends) stays as it was.
//
// Value forms: booleans are written "1" / "0" and read as true when the value
// is a whole number other than 0; integers are written in decimal and read in
// decimal or in hexadecimal after "0x" or "$"; reals are written in the
// general format with the regional decimal separator and read the same way.
// A value that does not read as its form gives the default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/ArchivoSeguro.h"

namespace varnolt {

// The largest settings file read: far beyond any real one; a larger file is
// refused with a message and left as it is.
inline constexpr std::uint64_t kLimiteArchivoIni = 16u << 20;

// A failed write of a settings file: its path and the system's text.
struct ErrorEscritura {
    std::string ruta;
    std::string textoSistema;

    // "Unable to write to <path>".
    std::string Mensaje() const;
    // The message and, on a line of its own, the system's text.
    std::string Texto() const;
};

// How a file of this form is read, for the program's other small files.
struct FormaIni {
    std::uint64_t limite = kLimiteArchivoIni;  // the largest file read
    bool utf8 = false;                         // the file is UTF-8 text, not Windows-1252
    // The keys before the first section form the section "" (in the
    // settings file they belong to no section and are not read).
    bool clavesSinSeccion = false;
};

class ArchivoIni {
  public:
    // An empty file with no path (nothing to read, Guardar fails).
    ArchivoIni();
    // Reads the file when it exists; a missing or unreadable file reads as
    // empty (see ErrorLectura).
    explicit ArchivoIni(std::string ruta, FormaIni forma = {});
    // A file made of the given bytes, with no path.
    static ArchivoIni DesdeTexto(std::string_view bytes, FormaIni forma = {});

    const std::string& Ruta() const { return ruta_; }
    // True when the file was there and was read.
    bool Existia() const { return existia_; }
    // The errno of a file that is there but could not be read (0 otherwise);
    // EINVAL for one that is not a regular file (a FIFO, a device).
    int ErrorLectura() const { return falloLectura_.numero; }
    // Why such a file could not be read, for the user (names the file when
    // it is not a regular file).
    const FalloArchivo& FalloLectura() const { return falloLectura_; }
    std::string TextoErrorLectura() const;

    // The separator of reals; the regional one unless set.
    char SeparadorDecimal() const { return Separador(); }
    void FijarSeparadorDecimal(char separador) { separador_ = separador; }

    bool ExisteSeccion(std::string_view seccion) const;
    bool ExisteClave(std::string_view seccion, std::string_view clave) const;
    // Section names in file order, as written (every header, repeats too).
    std::vector<std::string> Secciones() const;
    // Key names of a section in file order, as written.
    std::vector<std::string> Claves(std::string_view seccion) const;

    // The value text of a key, or nothing when the key is missing.
    std::optional<std::string> LeerTexto(std::string_view seccion, std::string_view clave) const;

    std::string LeerCadena(std::string_view seccion, std::string_view clave,
                           std::string_view defecto) const;
    std::int32_t LeerEntero(std::string_view seccion, std::string_view clave,
                            std::int32_t defecto) const;
    bool LeerBooleano(std::string_view seccion, std::string_view clave, bool defecto) const;
    double LeerReal(std::string_view seccion, std::string_view clave, double defecto) const;

    void EscribirCadena(std::string_view seccion, std::string_view clave, std::string_view valor);
    void EscribirEntero(std::string_view seccion, std::string_view clave, std::int32_t valor);
    void EscribirBooleano(std::string_view seccion, std::string_view clave, bool valor);
    void EscribirReal(std::string_view seccion, std::string_view clave, double valor);
    // Removes the key (every line of that name in the section).
    void BorrarClave(std::string_view seccion, std::string_view clave);

    // The bytes the file holds now (Windows-1252).
    std::string Contenido() const;

    // Writes the file to its path: a temporary file beside it, then renamed
    // over it, so that a failed write leaves the old file as it was (see
    // ReemplazarArchivo). A file that is there but cannot be read or written,
    // is read-only or is not a regular file is not replaced.
    std::optional<ErrorEscritura> Guardar() const;

  private:
    // Otra: blank lines, comments and any line that is no header or key; a
    // run of them is one Linea. Borrada: a removed key, written as nothing.
    enum class Tipo : std::uint8_t { Otra, Seccion, Clave, Borrada };
    struct Linea {
        std::string texto;              // bytes without the (last) line end
        std::uint32_t inicioValor = 0;  // key lines: where the value text starts
        std::uint8_t fin = 0;           // the line end: kFinNinguno, kFinLf, ...
        Tipo tipo = Tipo::Otra;
    };
    // The lines of a section after its header, and the index of its keys.
    struct Seccion {
        Linea cabecera;  // the preamble (before any header) has none: Otra, ""
        std::vector<Linea> lineas;
        // Folded key name -> the first line of that name.
        std::unordered_map<std::string, std::uint32_t> claves;
        std::uint32_t trasUltimaClave = 0;  // where a new key goes
        bool repetidas = false;             // some key name stands more than once
    };

    void Analizar(std::string_view bytes);
    void AnadirLinea(std::string_view texto, std::uint8_t fin, bool primera);
    std::string Plegar(std::string_view bytes) const;
    std::string DeArchivo(std::string_view bytes) const;
    std::string AArchivo(std::string_view utf8) const;
    // The first section of that name, or nothing.
    const Seccion* BuscarSeccion(std::string_view seccion) const;
    Seccion* BuscarSeccion(std::string_view seccion);
    const Linea* BuscarClave(const Seccion& s, std::string_view clave) const;
    // The last line written, ending in a line end from now on; nothing in
    // an empty file.
    Linea* UltimaLinea(Seccion& s);
    void CerrarUltimaLinea();

    std::string ruta_;
    FormaIni forma_;
    bool existia_ = false;
    FalloArchivo falloLectura_;
    char separador_ = '\0';  // '\0': the regional one, asked for on first use
    // secciones_[0] is the preamble, the lines before the first header.
    std::vector<Seccion> secciones_;
    std::unordered_map<std::string, std::uint32_t> indice_;  // folded name -> first section

    char Separador() const;
};

// The value forms on their own (also used to show values).
std::optional<std::int32_t> LeerEnteroIni(std::string_view texto);
std::optional<double> LeerRealIni(std::string_view texto, char separador);
// A real in the general format of 15 significant digits: "2", "2.5", "1E-6".
std::string TextoRealIni(double valor, char separador);

}  // namespace varnolt
