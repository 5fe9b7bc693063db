// SPDX-License-Identifier: AGPL-3.0-or-later
// Errors of the read-only SQLite 2.8 engine.
//
// Every failure inside the engine is thrown as an EngineError carrying one of
// the result codes of the SQLite 2 C API (the same numbers as the SQLITE_*
// constants of sqlite.h) and the text the genuine library would give.
#pragma once

#include <stdexcept>
#include <string>

namespace varnolt::sqlite2 {

// Result codes of the SQLite 2.8 C API.
enum ResultCode : int {
    kOk = 0,
    kError = 1,
    kInternal = 2,
    kPerm = 3,
    kAbort = 4,
    kBusy = 5,
    kLocked = 6,
    kNoMem = 7,
    kReadOnly = 8,
    kInterrupt = 9,
    kIoErr = 10,
    kCorrupt = 11,
    kNotFound = 12,
    kFull = 13,
    kCantOpen = 14,
    kProtocol = 15,
    kEmpty = 16,
    kSchema = 17,
    kTooBig = 18,
    kConstraint = 19,
    kMismatch = 20,
    kMisuse = 21,
    kNoLfs = 22,
    kAuth = 23,
    kFormat = 24,
    kRange = 25,
    kNotADb = 26,
};

// The fixed English text of a result code, as sqlite_error_string gives it.
const char* ResultCodeText(int code) noexcept;

class EngineError : public std::runtime_error {
public:
    EngineError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
    // An error whose text is the fixed text of its code.
    explicit EngineError(int code) : EngineError(code, ResultCodeText(code)) {}
    int code() const noexcept { return code_; }

private:
    int code_;
};

// Shorthand for the most common failure: the file is not a sound database.
[[noreturn]] inline void ThrowCorrupt() { throw EngineError(kCorrupt); }

}  // namespace varnolt::sqlite2
