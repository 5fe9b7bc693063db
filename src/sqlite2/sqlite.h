// SPDX-License-Identifier: AGPL-3.0-or-later
/*
** The C interface of the SQLite 2.8 library, as implemented by Varnolt's
** read-only engine (libsqlite.so.0). The prototypes, types and constants are
** those of the genuine 2.8 series, so that either library can stand in for
** the other; this header declares the functions the engine exports.
**
** The engine reads SQLite 2.8 database files and never writes them: it runs
** PRAGMA show_datatypes / empty_result_callbacks and simple SELECT statements
** over one table; every other statement fails with SQLITE_ERROR and a text
** naming the statement.
*/
#ifndef VARNOLT_SQLITE2_SQLITE_H
#define VARNOLT_SQLITE2_SQLITE_H

#ifdef __cplusplus
extern "C" {
#endif

#define SQLITE_VERSION "2.8.17"

/* The version and character encoding of the library, as texts. */
extern const char sqlite_version[];
extern const char sqlite_encoding[];

/* Texts are 8-bit, handed over as stored. */
#define SQLITE_ISO8859 1

/* An open database. */
typedef struct sqlite sqlite;

/*
** Opens a database file. The mode is not used. Returns 0 on failure, with
** *errmsg (when errmsg is not 0) set to a text to be freed by sqlite_freemem.
*/
sqlite *sqlite_open(const char *filename, int mode, char **errmsg);

/* Closes a database; closing 0 does nothing. */
void sqlite_close(sqlite *);

/*
** The callback of sqlite_exec: the 4th argument of sqlite_exec, the number
** of result columns, the values of one row (0 for NULL; argv itself is 0 for
** the single call of an empty result when PRAGMA empty_result_callbacks is
** on) and the column names followed, when PRAGMA show_datatypes is on, by
** their declared types. A non-zero return aborts the query.
*/
typedef int (*sqlite_callback)(void *, int, char **, char **);

/*
** Runs the statements of sql in order. Returns SQLITE_OK or an error code;
** on error *errmsg (when errmsg is not 0) is set to a text to be freed with
** sqlite_freemem.
*/
int sqlite_exec(sqlite *, const char *sql, sqlite_callback, void *, char **errmsg);

/* Result codes. */
#define SQLITE_OK           0   /* Successful result */
#define SQLITE_ERROR        1   /* SQL error or missing database */
#define SQLITE_INTERNAL     2   /* An internal logic error in SQLite */
#define SQLITE_PERM         3   /* Access permission denied */
#define SQLITE_ABORT        4   /* Callback routine requested an abort */
#define SQLITE_BUSY         5   /* The database file is locked */
#define SQLITE_LOCKED       6   /* A table in the database is locked */
#define SQLITE_NOMEM        7   /* A malloc() failed */
#define SQLITE_READONLY     8   /* Attempt to write a readonly database */
#define SQLITE_INTERRUPT    9   /* Operation terminated by sqlite_interrupt() */
#define SQLITE_IOERR       10   /* Some kind of disk I/O error occurred */
#define SQLITE_CORRUPT     11   /* The database disk image is malformed */
#define SQLITE_NOTFOUND    12   /* (Internal Only) Table or record not found */
#define SQLITE_FULL        13   /* Insertion failed because database is full */
#define SQLITE_CANTOPEN    14   /* Unable to open the database file */
#define SQLITE_PROTOCOL    15   /* Database lock protocol error */
#define SQLITE_EMPTY       16   /* (Internal Only) Database table is empty */
#define SQLITE_SCHEMA      17   /* The database schema changed */
#define SQLITE_TOOBIG      18   /* Too much data for one row of a table */
#define SQLITE_CONSTRAINT  19   /* Abort due to contraint violation */
#define SQLITE_MISMATCH    20   /* Data type mismatch */
#define SQLITE_MISUSE      21   /* Library used incorrectly */
#define SQLITE_NOLFS       22   /* Uses OS features not supported on host */
#define SQLITE_AUTH        23   /* Authorization denied */
#define SQLITE_FORMAT      24   /* Auxiliary database format error */
#define SQLITE_RANGE       25   /* 2nd parameter to sqlite_bind out of range */
#define SQLITE_NOTADB      26   /* File opened that is not a database file */
#define SQLITE_ROW         100  /* sqlite_step() has another row ready */
#define SQLITE_DONE        101  /* sqlite_step() has finished executing */

/* The rowid of the last insert: always 0, the engine inserts nothing. */
int sqlite_last_insert_rowid(sqlite *);

/* Rows changed by the last statement: always 0, the engine changes nothing. */
int sqlite_changes(sqlite *);

/* The fixed English text of a result code. */
const char *sqlite_error_string(int);

/* Makes the running query stop with SQLITE_INTERRUPT. */
void sqlite_interrupt(sqlite *);

/*
** Non-zero when sql ends a complete statement: a semicolon outside quotes,
** brackets and comments is its last significant token.
*/
int sqlite_complete(const char *sql);

/* Busy handling, kept for the interface: a read-only engine never waits. */
void sqlite_busy_handler(sqlite *, int (*)(void *, const char *, int), void *);
void sqlite_busy_timeout(sqlite *, int ms);

/*
** Runs sql and returns its whole result as one array of texts: the column
** names first, then nrow rows of ncolumn values (0 for NULL). Free it with
** sqlite_free_table.
*/
int sqlite_get_table(sqlite *, const char *sql, char ***resultp, int *nrow, int *ncolumn,
                     char **errmsg);
void sqlite_free_table(char **result);

/* Frees a text the library returned (an error message). */
void sqlite_freemem(void *p);

/* The library's version ("2.8.17") and encoding ("iso8859"). */
const char *sqlite_libversion(void);
const char *sqlite_libencoding(void);

#ifdef __cplusplus
}
#endif

#endif /* VARNOLT_SQLITE2_SQLITE_H */
