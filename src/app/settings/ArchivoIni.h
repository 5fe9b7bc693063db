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
#include <vector>

#include "app/ArchivoSeguro.h"

namespace varnolt {

// A failed write of a settings file: its path and the system's text.
struct ErrorEscritura {
    std::string ruta;
    std::string textoSistema;

    // "Unable to write to <path>".
    std::string Mensaje() const;
    // The message and, on a line of its own, the system's text.
    std::string Texto() const;
};

class ArchivoIni {
  public:
    // An empty file with no path (nothing to read, Guardar fails).
    ArchivoIni() = default;
    // Reads the file when it exists; a missing or unreadable file reads as
    // empty (see ErrorLectura).
    explicit ArchivoIni(std::string ruta);
    // A file made of the given Windows-1252 bytes, with no path.
    static ArchivoIni DesdeTexto(std::string_view cp1252);

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
    enum class Tipo : std::uint8_t { Otra, Seccion, Clave };
    struct Linea {
        std::string texto;  // bytes without the line end
        std::string fin;    // "\r\n", "\n", "\r" or "" (last line without end)
        Tipo tipo = Tipo::Otra;
        std::string nombre;           // section or key name, folded to upper case (UTF-8)
        std::size_t inicioValor = 0;  // key lines: where the value text starts
    };

    void Analizar(std::string_view cp1252);
    static Linea AnalizarLinea(std::string texto, std::string fin, bool primera);
    // Index of the header of the first section of that name, or npos.
    std::size_t BuscarSeccion(const std::string& nombre) const;
    // Index of the first key line of that name in the section opened at
    // 'cabecera', or npos.
    std::size_t BuscarClave(std::size_t cabecera, const std::string& nombre) const;
    std::size_t FinSeccion(std::size_t cabecera) const;
    void Insertar(std::size_t posicion, std::string texto);

    std::string ruta_;
    bool existia_ = false;
    FalloArchivo falloLectura_;
    char separador_ = '\0';  // '\0': the regional one, asked for on first use
    std::vector<Linea> lineas_;

    char Separador() const;
};

// The value forms on their own (also used to show values).
std::optional<std::int32_t> LeerEnteroIni(std::string_view texto);
std::optional<double> LeerRealIni(std::string_view texto, char separador);
// A real in the general format of 15 significant digits: "2", "2.5", "1E-6".
std::string TextoRealIni(double valor, char separador);

}  // namespace varnolt
