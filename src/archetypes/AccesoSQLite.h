// SPDX-License-Identifier: AGPL-3.0-or-later
// The access layer over the SQLite 2 library: the library is loaded at run
// time from the "dll" folder beside the executable and fifteen of its
// functions are bound by name, so that the project's own read-only engine or
// the genuine 2.8 library serve alike. A connection opens one database file;
// a table reader reads a whole table into memory and walks its rows.
//
// Errors are thrown as ErrorArquetipos with the texts the program shows in
// its standard error box.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace varnolt {

class ErrorArquetipos : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The library's file name inside the "dll" folder.
inline constexpr const char* kArchivoBibliotecaSQLite = "libsqlite.so.0";

struct FuncionesSQLite;  // the bound entry points

class TASQLiteDB {
  public:
    TASQLiteDB();
    ~TASQLiteDB();
    TASQLiteDB(const TASQLiteDB&) = delete;
    TASQLiteDB& operator=(const TASQLiteDB&) = delete;

    std::string DriverDLL = "SQLite.dll";
    std::string DefaultExt = ".sdb";
    std::string Version = "2.8.15";
    std::string CharacterEncoding = "iso8859";
    std::string DefaultDir;
    std::string Database;
    bool MustExist = true;

    bool Connected() const { return conectado_; }
    // Texts the library reported when it was loaded.
    const std::string& VersionBiblioteca() const { return version_; }
    const std::string& CodificacionBiblioteca() const { return codificacion_; }

    void Open();
    void Close();

    // Runs one statement, handing every row to the reader. Throws with the
    // library's text, a line feed and the statement.
    struct Resultado {
        std::vector<std::string> columnas;  // declared columns, then "rowid"
        std::vector<std::vector<std::unique_ptr<std::string>>> filas;  // null: absent value
    };
    Resultado Consultar(const std::string& sentencia);

    // The full path of Database in DefaultDir, as the open resolves it.
    std::string RutaCompleta() const;

  private:
    bool conectado_ = false;
    void* biblioteca_ = nullptr;
    std::unique_ptr<FuncionesSQLite> f_;
    void* db_ = nullptr;
    std::string version_;
    std::string codificacion_;
};

class TASQLiteTable {
  public:
    explicit TASQLiteTable(TASQLiteDB& conexion) : conexion_(conexion) {}

    std::string TableName;

    void Open();
    void Close();
    void First() { fila_ = 0; }
    void Next() { ++fila_; }
    bool Eof() const { return fila_ >= resultado_.filas.size(); }
    size_t RecordCount() const { return resultado_.filas.size(); }
    const std::vector<std::string>& Columnas() const { return resultado_.columnas; }

    // The current row's value as stored (Windows-1252); "" for an absent value.
    std::string Texto(size_t columna) const;
    std::string Texto(const std::string& nombre) const;
    // The value read as a whole number; 0 for an absent value.
    int Entero(const std::string& nombre) const;

  private:
    size_t Indice(const std::string& nombre) const;

    TASQLiteDB& conexion_;
    TASQLiteDB::Resultado resultado_;
    size_t fila_ = 0;
    bool abierta_ = false;
};

}  // namespace varnolt
