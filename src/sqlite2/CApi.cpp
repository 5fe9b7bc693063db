// SPDX-License-Identifier: AGPL-3.0-or-later
// The SQLite 2.8 C API (sqlite.h) over the read-only engine: the functions of
// libsqlite.so.0. No exception leaves this file; every text returned through
// an errmsg argument is allocated with malloc and freed by sqlite_freemem.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "sqlite2/Engine.h"
#include "sqlite2/sqlite.h"

#define VARNOLT_EXPORT extern "C" __attribute__((visibility("default")))

using varnolt::sqlite2::Database;
using varnolt::sqlite2::EngineError;

struct sqlite {
    std::unique_ptr<Database> database;
    int (*busyHandler)(void*, const char*, int) = nullptr;
    void* busyArgument = nullptr;
    int busyTimeoutMs = 0;
};

VARNOLT_EXPORT const char sqlite_version[] = SQLITE_VERSION;
VARNOLT_EXPORT const char sqlite_encoding[] = "iso8859";

namespace {

// Hands a text to the caller in memory that sqlite_freemem frees.
void SetMessage(char** errmsg, const std::string& text) {
    if (errmsg == nullptr) return;
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text.c_str(), text.size() + 1);
    }
    *errmsg = copy;
}

int Fail(char** errmsg, int code, const std::string& text) {
    SetMessage(errmsg, text);
    return code;
}

}  // namespace

VARNOLT_EXPORT sqlite* sqlite_open(const char* filename, int /*mode*/, char** errmsg) {
    if (errmsg != nullptr) *errmsg = nullptr;
    try {
        if (filename == nullptr) {
            SetMessage(errmsg, "unable to open database file");
            return nullptr;
        }
        auto handle = std::make_unique<sqlite>();
        if (std::strcmp(filename, ":memory:") == 0) {
            handle->database = Database::OpenMemory(nullptr, 0);  // an empty database
        } else {
            handle->database = Database::Open(filename);
        }
        return handle.release();
    } catch (const EngineError& e) {
        SetMessage(errmsg, e.what());
    } catch (const std::bad_alloc&) {
        SetMessage(errmsg, sqlite_error_string(SQLITE_NOMEM));
    } catch (const std::exception& e) {
        SetMessage(errmsg, e.what());
    }
    return nullptr;
}

VARNOLT_EXPORT void sqlite_close(sqlite* db) { delete db; }

VARNOLT_EXPORT int sqlite_exec(sqlite* db, const char* sql, sqlite_callback callback,
                               void* argument, char** errmsg) {
    if (errmsg != nullptr) *errmsg = nullptr;
    if (db == nullptr || !db->database) {
        return Fail(errmsg, SQLITE_MISUSE, sqlite_error_string(SQLITE_MISUSE));
    }
    if (sql == nullptr) return SQLITE_OK;
    try {
        varnolt::sqlite2::ExecStatus status = db->database->exec(sql, callback, argument);
        if (!status.ok()) return Fail(errmsg, status.code, status.message);
        return SQLITE_OK;
    } catch (const std::bad_alloc&) {
        return Fail(errmsg, SQLITE_NOMEM, sqlite_error_string(SQLITE_NOMEM));
    } catch (const std::exception& e) {
        return Fail(errmsg, SQLITE_INTERNAL, e.what());
    }
}

VARNOLT_EXPORT int sqlite_last_insert_rowid(sqlite*) { return 0; }

VARNOLT_EXPORT int sqlite_changes(sqlite*) { return 0; }

VARNOLT_EXPORT const char* sqlite_error_string(int code) {
    return varnolt::sqlite2::ResultCodeText(code);
}

VARNOLT_EXPORT void sqlite_interrupt(sqlite* db) {
    if (db != nullptr && db->database) db->database->interrupt();
}

VARNOLT_EXPORT int sqlite_complete(const char* sql) {
    return varnolt::sqlite2::IsComplete(sql) ? 1 : 0;
}

VARNOLT_EXPORT void sqlite_busy_handler(sqlite* db, int (*handler)(void*, const char*, int),
                                        void* argument) {
    if (db == nullptr) return;
    db->busyHandler = handler;
    db->busyArgument = argument;
}

VARNOLT_EXPORT void sqlite_busy_timeout(sqlite* db, int ms) {
    if (db == nullptr) return;
    db->busyTimeoutMs = ms;
}

namespace {

// The rows collected by sqlite_get_table. Slot 0 of the array handed out
// keeps the number of slots, so that sqlite_free_table knows what to free.
struct TableResult {
    std::vector<char*> slots{nullptr};
    int rows = 0;
    int columns = 0;
    bool headerDone = false;
    std::string error;
    int code = SQLITE_OK;

    ~TableResult() {
        for (std::size_t i = 1; i < slots.size(); ++i) std::free(slots[i]);
    }
    bool add(const char* text) {
        char* copy = nullptr;
        if (text != nullptr) {
            std::size_t n = std::strlen(text) + 1;
            copy = static_cast<char*>(std::malloc(n));
            if (copy == nullptr) return false;
            std::memcpy(copy, text, n);
        }
        try {
            slots.push_back(copy);
        } catch (...) {
            std::free(copy);
            return false;
        }
        return true;
    }
};

int CollectRow(void* argument, int count, char** values, char** names) {
    auto* result = static_cast<TableResult*>(argument);
    if (!result->headerDone) {
        result->headerDone = true;
        result->columns = count;
        for (int i = 0; i < count; ++i) {
            if (!result->add(names[i])) {
                result->code = SQLITE_NOMEM;
                return 1;
            }
        }
    } else if (result->columns != count) {
        result->code = SQLITE_ERROR;
        result->error = "sqlite_get_table() called with two or more incompatible queries";
        return 1;
    }
    if (values != nullptr) {
        for (int i = 0; i < count; ++i) {
            if (!result->add(values[i])) {
                result->code = SQLITE_NOMEM;
                return 1;
            }
        }
        result->rows++;
    }
    return 0;
}

}  // namespace

VARNOLT_EXPORT int sqlite_get_table(sqlite* db, const char* sql, char*** resultp, int* nrow,
                                    int* ncolumn, char** errmsg) {
    if (resultp != nullptr) *resultp = nullptr;
    if (nrow != nullptr) *nrow = 0;
    if (ncolumn != nullptr) *ncolumn = 0;
    if (errmsg != nullptr) *errmsg = nullptr;
    if (resultp == nullptr) {
        return Fail(errmsg, SQLITE_MISUSE, sqlite_error_string(SQLITE_MISUSE));
    }
    try {
        TableResult result;
        char* execError = nullptr;
        int rc = sqlite_exec(db, sql, CollectRow, &result, &execError);
        if (rc == SQLITE_ABORT && result.code != SQLITE_OK) {
            // The collector itself stopped the query.
            std::free(execError);
            rc = result.code;
            return Fail(errmsg, rc, result.error.empty() ? sqlite_error_string(rc) : result.error);
        }
        if (rc != SQLITE_OK) {
            if (errmsg != nullptr) {
                *errmsg = execError;
            } else {
                std::free(execError);
            }
            return rc;
        }
        // Hand the array over: slot 0 counts the slots.
        std::size_t total = result.slots.size();
        char** array = static_cast<char**>(std::malloc(total * sizeof(char*)));
        if (array == nullptr) {
            return Fail(errmsg, SQLITE_NOMEM, sqlite_error_string(SQLITE_NOMEM));
        }
        std::memcpy(array, result.slots.data(), total * sizeof(char*));
        array[0] = reinterpret_cast<char*>(static_cast<std::uintptr_t>(total));
        result.slots.resize(1);  // the texts now belong to the array
        *resultp = array + 1;
        if (nrow != nullptr) *nrow = result.rows;
        if (ncolumn != nullptr) *ncolumn = result.columns;
        return SQLITE_OK;
    } catch (const std::bad_alloc&) {
        return Fail(errmsg, SQLITE_NOMEM, sqlite_error_string(SQLITE_NOMEM));
    }
}

VARNOLT_EXPORT void sqlite_free_table(char** result) {
    if (result == nullptr) return;
    char** array = result - 1;
    std::size_t total = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(array[0]));
    for (std::size_t i = 1; i < total; ++i) std::free(array[i]);
    std::free(array);
}

VARNOLT_EXPORT void sqlite_freemem(void* p) { std::free(p); }

VARNOLT_EXPORT const char* sqlite_libversion(void) { return sqlite_version; }

VARNOLT_EXPORT const char* sqlite_libencoding(void) { return sqlite_encoding; }
