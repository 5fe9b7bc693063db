// SPDX-License-Identifier: AGPL-3.0-or-later
#include "archetypes/AccesoSQLite.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "agenda/LectorAgenda.h"
#include "app/ArchivoSeguro.h"
#include "app/Texto.h"

namespace varnolt {

// The fifteen functions of the SQLite 2 C interface the program binds.
struct FuncionesSQLite {
    using Callback = int (*)(void*, int, char**, char**);
    void* (*open)(const char*, int, char**) = nullptr;
    void (*close)(void*) = nullptr;
    int (*exec)(void*, const char*, Callback, void*, char**) = nullptr;
    const char* (*libversion)() = nullptr;
    const char* (*libencoding)() = nullptr;
    const char* (*error_string)(int) = nullptr;
    int (*get_table)(void*, const char*, char***, int*, int*, char**) = nullptr;
    void (*free_table)(char**) = nullptr;
    void (*freemem)(void*) = nullptr;
    int (*complete)(const char*) = nullptr;
    int (*last_insert_rowid)(void*) = nullptr;
    void (*interrupt)(void*) = nullptr;
    void (*busy_timeout)(void*, int) = nullptr;
    void (*busy_handler)(void*, int (*)(void*, const char*, int), void*) = nullptr;
    int (*changes)(void*) = nullptr;
};

namespace {

template <typename F>
bool Enlazar(void* biblioteca, const char* nombre, F& destino) {
    void* simbolo = ::dlsym(biblioteca, nombre);
    destino = reinterpret_cast<F>(simbolo);
    return simbolo != nullptr;
}

std::string TextoYLibera(FuncionesSQLite& f, char* texto) {
    std::string s = texto != nullptr ? texto : "";
    if (texto != nullptr) {
        f.freemem(texto);
    }
    return s;
}

}  // namespace

TASQLiteDB::TASQLiteDB() : f_(std::make_unique<FuncionesSQLite>()) {}

TASQLiteDB::~TASQLiteDB() {
    Close();
}

std::string TASQLiteDB::RutaCompleta() const {
    if (DefaultDir.empty()) {
        if (Database.find('/') != std::string::npos) {
            return Database;
        }
        std::error_code ec;
        return (std::filesystem::current_path(ec) / Database).string();
    }
    return DefaultDir.back() == '/' ? DefaultDir + Database : DefaultDir + "/" + Database;
}

void TASQLiteDB::Open() {
    if (Database.empty()) {
        throw ErrorArquetipos("Missing database property");
    }
    const std::string ruta = RutaCompleta();
    std::error_code ec;
    if (MustExist && !IgualesSinMayusculas(Database, ":memory:") &&
        !std::filesystem::exists(ruta, ec)) {
        throw ErrorArquetipos("Database " + ruta + " does not exist");
    }
    // The library would block on a FIFO and read a device without end: only
    // a regular file is handed to it.
    if (!IgualesSinMayusculas(Database, ":memory:")) {
        const FalloArchivo fallo = ComprobarArchivoNormal(ruta);
        if (fallo.causa == FalloArchivo::Causa::NoNormal ||
            (fallo.causa == FalloArchivo::Causa::Sistema && fallo.numero == EISDIR)) {
            throw ErrorArquetipos(FalloArchivo{FalloArchivo::Causa::NoNormal, EINVAL}.Texto(ruta));
        }
    }
    if (biblioteca_ == nullptr) {
        void* b = ::dlopen(DriverDLL.c_str(), RTLD_NOW | RTLD_LOCAL);
        FuncionesSQLite f;
        const bool completa =
            b != nullptr && Enlazar(b, "sqlite_open", f.open) &&
            Enlazar(b, "sqlite_close", f.close) && Enlazar(b, "sqlite_exec", f.exec) &&
            Enlazar(b, "sqlite_libversion", f.libversion) &&
            Enlazar(b, "sqlite_libencoding", f.libencoding) &&
            Enlazar(b, "sqlite_error_string", f.error_string) &&
            Enlazar(b, "sqlite_get_table", f.get_table) &&
            Enlazar(b, "sqlite_free_table", f.free_table) &&
            Enlazar(b, "sqlite_freemem", f.freemem) && Enlazar(b, "sqlite_complete", f.complete) &&
            Enlazar(b, "sqlite_last_insert_rowid", f.last_insert_rowid) &&
            Enlazar(b, "sqlite_interrupt", f.interrupt) &&
            Enlazar(b, "sqlite_busy_timeout", f.busy_timeout) &&
            Enlazar(b, "sqlite_busy_handler", f.busy_handler) &&
            Enlazar(b, "sqlite_changes", f.changes);
        if (!completa) {
            if (b != nullptr) {
                ::dlclose(b);
            }
            conectado_ = false;
            throw ErrorArquetipos("Could not load SQLite library");
        }
        biblioteca_ = b;
        *f_ = f;
    }
    conectado_ = true;
    version_ = f_->libversion();
    codificacion_ = f_->libencoding();
    char* error = nullptr;
    db_ = f_->open(ruta.c_str(), 0, &error);
    const std::string texto = TextoYLibera(*f_, error);
    if (db_ == nullptr) {
        conectado_ = false;
        // The library could not open an existing file as a database.
        throw ErrorArquetipos(texto.empty() ? "Unable to open database " + ruta : texto);
    }
    for (const char* pragma :
         {"PRAGMA show_datatypes = ON;", "PRAGMA empty_result_callbacks = ON;"}) {
        error = nullptr;
        f_->exec(db_, pragma, nullptr, nullptr, &error);
        TextoYLibera(*f_, error);
    }
}

void TASQLiteDB::Close() {
    if (conectado_ && biblioteca_ != nullptr) {
        if (db_ != nullptr) {
            f_->close(db_);
            db_ = nullptr;
        }
        ::dlclose(biblioteca_);
        biblioteca_ = nullptr;
    }
    conectado_ = false;
}

TASQLiteDB::Resultado TASQLiteDB::Consultar(const std::string& sentencia) {
    if (!conectado_) {
        Open();
    }
    Resultado r;
    struct Lector {
        Resultado* r;
        bool nombres = false;
    } lector{&r};
    auto callback = [](void* dato, int n, char** valores, char** nombres) -> int {
        auto* l = static_cast<Lector*>(dato);
        if (!l->nombres && nombres != nullptr) {
            for (int i = 0; i < n; ++i) {
                l->r->columnas.emplace_back(nombres[i] != nullptr ? nombres[i] : "");
            }
            l->nombres = true;
        }
        if (valores != nullptr) {
            auto& fila = l->r->filas.emplace_back();
            fila.reserve(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i) {
                fila.push_back(valores[i] != nullptr ? std::make_unique<std::string>(valores[i])
                                                     : nullptr);
            }
        }
        return 0;
    };
    char* error = nullptr;
    const int rc = f_->exec(db_, sentencia.c_str(), callback, &lector, &error);
    std::string texto = TextoYLibera(*f_, error);
    if (rc != 0 || !texto.empty()) {
        if (texto.empty()) {
            texto = f_->error_string(rc);
        }
        throw ErrorArquetipos(texto + "\n" + sentencia);
    }
    return r;
}

void TASQLiteTable::Open() {
    Close();
    resultado_ = conexion_.Consultar("select *, rowid from " + TableName + "\n");
    fila_ = 0;
    abierta_ = true;
}

void TASQLiteTable::Close() {
    resultado_ = {};
    fila_ = 0;
    abierta_ = false;
}

std::string TASQLiteTable::Texto(size_t columna) const {
    if (Eof() || columna >= resultado_.filas[fila_].size()) {
        return {};
    }
    const auto& v = resultado_.filas[fila_][columna];
    return v ? *v : std::string();
}

size_t TASQLiteTable::Indice(const std::string& nombre) const {
    for (size_t i = 0; i < resultado_.columnas.size(); ++i) {
        if (IgualesSinMayusculas(resultado_.columnas[i], nombre)) {
            return i;
        }
    }
    throw ErrorArquetipos("Field '" + nombre + "' not found");
}

std::string TASQLiteTable::Texto(const std::string& nombre) const {
    return Texto(Indice(nombre));
}

int TASQLiteTable::Entero(const std::string& nombre) const {
    const size_t i = Indice(nombre);
    if (Eof() || i >= resultado_.filas[fila_].size() || !resultado_.filas[fila_][i]) {
        return 0;
    }
    const std::string& texto = *resultado_.filas[fila_][i];
    std::int32_t v = 0;
    if (!LeerEntero(texto, v)) {
        throw ErrorArquetipos("'" + Cp1252AUtf8(texto) + "' is not a valid integer value");
    }
    return v;
}

}  // namespace varnolt
