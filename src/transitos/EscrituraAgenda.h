// SPDX-License-Identifier: AGPL-3.0-or-later
// An agenda file computed from birth data: the contact lines in the format
// the loader reads, Windows-1252 with CR LF, written through a temporary
// file that replaces the target only when it is complete.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/Fecha.h"
#include "transitos/Contactos.h"
#include "transitos/Zona.h"

namespace varnolt {

// The header line (without its line end).
inline constexpr const char* kCabeceraAgenda =
    "n id carta fecha contacto natal transito fuerza banda peso aspecto valor s1 s2 s3 s4 "
    "posnatal t1 t2 t3 t4 postransito";

struct PeticionAgenda {
    std::string nombre;  // UTF-8; spaces become '_' in the file
    HoraLocal nacimiento;
    ZonaHoraria zona = *ZonaHoraria::Leer("UTC");
    double latitud = 0;
    double longitud = 0;  // east positive
    TFecha desde = 0;
    TFecha hasta = 0;
    char sistemaCasas = 'P';
    ModeloAgenda modelo = ModeloPredeterminado();
    std::string carpetaEfemerides = kCarpetaEfemerides;
};

struct ResultadoAgenda {
    bool hecho = false;
    bool cancelado = false;
    std::string error;       // when neither done nor cancelled
    std::size_t lineas = 0;  // contact lines written
    std::vector<std::string> avisos;
};

// The name as the file's token 2: Windows-1252, spaces and controls as '_',
// "Carta" when empty.
std::string NombreEnAgenda(const std::string& nombre);

// Appends one contact line (token 0 = n) and CR LF to 'linea', in
// Windows-1252, numbers with the decimal separator 'sep'. The name and the
// natal point's code are given in Windows-1252.
void AnadirLineaAgenda(std::string& linea, std::size_t n, const std::string& nombreCp1252,
                       const std::string& natalCp1252, const Contacto& c, char sep);

// Computes the agenda and writes it to 'ruta'. Numbers use the decimal
// separator of the regional settings, as the loader reads them. 'progreso'
// as in CalcularContactos; a cancelled or failed run leaves 'ruta' as it was.
// The file is replaced as every file the program writes is
// (ReemplazarArchivo): only a regular, writable target, keeping its owner and
// mode.
ResultadoAgenda EscribirAgenda(const PeticionAgenda& p, const std::string& ruta,
                               const std::function<bool(int)>& progreso = {});

}  // namespace varnolt
