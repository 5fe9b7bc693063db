// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli rangos and varnolt-cli csv: "Detallar" of the contact-ranges
// window and the CSV report, without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "archetypes/Arquetipos.h"
#include "cli/OpcionesAnalisis.h"
#include "cli/VentanaConsola.h"

namespace varnolt {

int ComandoRangos(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ComandoCsv(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// ---- Shared by the two commands (ComandoRangos.cpp) ----

// The options of rangos: the analysis options of resumen, where --transito
// and --natal name archetype rows instead of item-list rows, and --archivo.
struct OpcionesRangos {
    OpcionesAnalisis analisis;
    std::string archivoArq;  // empty: ArchivoArqPorDefecto()
};

// Reads args[i] when it is an option of rangos.
LecturaOpcion LeerOpcionRangos(const Argumentos& args, size_t& i, OpcionesRangos& o,
                               std::string& motivo);

// The bundled sample archetype file: "arquetipos/" + kArchivoArqInicial
// beside the program when it is there, else kArchivoArqInicial in the
// archetype folder (CarpetaArq()).
std::string ArchivoArqPorDefecto();

// Selects the rows of an archetype list whose key ("Jup" read as "Júp") is
// one of the codes; false names the first code without a row.
bool SeleccionarFilasArq(TListBoxArq& lista, const std::vector<std::string>& codigos,
                         std::string& faltante);

// Loads the agendas with the archetype file, applies the analysis options,
// selects the archetype rows as a click in the panels does (the item filters
// and the weighting follow) and runs "Detallar". Returns -1 when all went
// well, else the exit code, with the reason on `err` (usage errors through
// `uso`).
int DetallarConOpciones(const OpcionesRangos& o, TFormVarnolt& form, TArquetipos& arq,
                        VentanaConsola& ventana, std::ostream& err,
                        int (*uso)(std::ostream&, const std::string&));

}  // namespace varnolt
