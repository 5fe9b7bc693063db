// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-arq: writes and dumps Varnolt's archetype files (SQLite 2.8
// databases, ".arq").
//
//   varnolt-arq crear SALIDA.arq FUENTE.sql   writes the file from SQL source
//   varnolt-arq volcar ARCHIVO.arq            prints its tables as SQL source
//
// Exit codes: 0 done, 1 refused or failed (message on stderr, no file
// written), 2 wrong use of the command line.
#include <exception>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/ArchivoSeguro.h"
#include "cli/arq/Volcado.h"
#include "sqlite2/Engine.h"
#include "sqlite2/writer/BaseNueva.h"
#include "sqlite2/writer/FuenteSql.h"

namespace {

namespace esc = varnolt::sqlite2::escritura;

const char kAyuda[] =
    "Uso:\n"
    "  varnolt-arq crear SALIDA.arq FUENTE.sql\n"
    "  varnolt-arq volcar ARCHIVO.arq\n"
    "  varnolt-arq --help\n"
    "\n"
    "Crea y vuelca archivos de arquetipos de Varnolt: bases de datos SQLite 2.8\n"
    "(extensión .arq) con las tablas de términos y la tabla _Info_Data.\n"
    "\n"
    "  crear    Escribe SALIDA.arq a partir de FUENTE.sql, un texto UTF-8 de\n"
    "           sentencias CREATE TABLE e INSERT INTO ... VALUES (...) separadas\n"
    "           por \";\". Los textos van entre comillas simples ('' dentro de un\n"
    "           texto es una comilla); también se admiten enteros, reales y NULL.\n"
    "           Los textos se guardan en Windows-1252, como los archivos de\n"
    "           arquetipos. Una columna INTEGER PRIMARY KEY es el rowid de la fila.\n"
    "           Si la fuente tiene un error (sintaxis, tabla desconocida, número\n"
    "           de valores distinto del de columnas, un carácter que Windows-1252\n"
    "           no tiene, una fila de más de 1048576 bytes...), el mensaje indica\n"
    "           la línea (\"linea N: ...\"), la salida es 1 y no se escribe nada:\n"
    "           un SALIDA.arq anterior queda intacto.\n"
    "  volcar   Escribe en la salida estándar (UTF-8) cada tabla de ARCHIVO.arq\n"
    "           como su CREATE TABLE y un INSERT por fila, en el orden de los\n"
    "           rowid; \"crear\" con ese texto reproduce las mismas tablas y filas.\n"
    "           Los índices no se vuelcan.\n"
    "\n"
    "Códigos de salida: 0 correcto, 1 error, 2 uso incorrecto.\n";

int UsoIncorrecto(const std::string& motivo) {
    std::cerr << "varnolt-arq: " << motivo << "\n\n" << kAyuda;
    return 2;
}

int Crear(const std::string& salida, const std::string& fuente) {
    // The SQL source of an archetype file: a few hundred KB at most.
    std::string texto;
    if (const varnolt::FalloArchivo f = varnolt::LeerArchivoEntero(fuente, texto, 64u << 20)) {
        std::cerr << "varnolt-arq: no se puede leer " << fuente << ": " << f.Texto(fuente) << "\n";
        return 1;
    }
    std::vector<esc::TablaNueva> tablas;
    try {
        tablas = esc::LeerFuente(texto);
    } catch (const esc::ErrorFuente& e) {
        std::cerr << fuente << ": " << e.what() << "\n";
        return 1;
    }
    std::vector<unsigned char> bytes;
    try {
        bytes = esc::ConstruirBase(tablas);
        esc::GuardarArchivo(salida, bytes);
    } catch (const std::exception& e) {
        std::cerr << "varnolt-arq: " << salida << ": " << e.what() << "\n";
        return 1;
    }
    std::size_t filas = 0;
    for (const esc::TablaNueva& t : tablas) {
        filas += t.filas.size();
    }
    std::cout << salida << ": " << tablas.size() << " tablas, " << filas << " filas, "
              << bytes.size() / 1024 << " páginas\n";
    return 0;
}

int Volcar(const std::string& archivo) {
    try {
        const auto base = varnolt::sqlite2::Database::Open(archivo);
        std::ostringstream texto;
        const std::vector<std::string> omitidos = varnolt::arq::Volcar(*base, texto);
        std::cout << texto.str();
        std::cout.flush();
        for (const std::string& o : omitidos) {
            std::cerr << "varnolt-arq: aviso: no se vuelca " << o << "\n";
        }
        return std::cout ? 0 : 1;
    } catch (const varnolt::sqlite2::EngineError& e) {
        std::cerr << "varnolt-arq: " << archivo << ": " << e.what() << "\n";
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return UsoIncorrecto("falta la orden");
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "ayuda") {
        std::cout << kAyuda;
        return 0;
    }
    if (args[0] == "crear") {
        if (args.size() != 3) {
            return UsoIncorrecto("crear necesita SALIDA.arq y FUENTE.sql");
        }
        return Crear(args[1], args[2]);
    }
    if (args[0] == "volcar") {
        if (args.size() != 2) {
            return UsoIncorrecto("volcar necesita ARCHIVO.arq");
        }
        return Volcar(args[1]);
    }
    return UsoIncorrecto("orden desconocida: " + args[0]);
}
