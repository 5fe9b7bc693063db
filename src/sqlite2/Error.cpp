// SPDX-License-Identifier: AGPL-3.0-or-later
// The fixed texts of the SQLite 2.8 result codes (sqlite_error_string).
#include "sqlite2/Error.h"

namespace varnolt::sqlite2 {

const char* ResultCodeText(int code) noexcept {
    switch (code) {
        case kOk: return "not an error";
        case kError: return "SQL logic error or missing database";
        case kInternal: return "internal SQLite implementation flaw";
        case kPerm: return "access permission denied";
        case kAbort: return "callback requested query abort";
        case kBusy: return "database is locked";
        case kLocked: return "database table is locked";
        case kNoMem: return "out of memory";
        case kReadOnly: return "attempt to write a readonly database";
        case kInterrupt: return "interrupted";
        case kIoErr: return "disk I/O error";
        case kCorrupt: return "database disk image is malformed";
        case kNotFound: return "table or record not found";
        case kFull: return "database is full";
        case kCantOpen: return "unable to open database file";
        case kProtocol: return "database locking protocol failure";
        case kEmpty: return "table contains no data";
        case kSchema: return "database schema has changed";
        case kTooBig: return "too much data for one table row";
        case kConstraint: return "constraint failed";
        case kMismatch: return "datatype mismatch";
        case kMisuse: return "library routine called out of sequence";
        case kNoLfs: return "kernel lacks large file support";
        case kAuth: return "authorization denied";
        case kFormat: return "auxiliary database format error";
        case kRange: return "bind index out of range";
        case kNotADb: return "file is encrypted or is not a database";
        default: return "unknown error";
    }
}

}  // namespace varnolt::sqlite2
