// SPDX-License-Identifier: AGPL-3.0-or-later
// Helpers of the export tests: agenda lines with a chosen transit longitude,
// and archetype rows made from the loaded catalogues (the tests do not need
// an archetype file).
#pragma once

#include <string>
#include <vector>

#include "app/FormVarnolt.h"
#include "app/Formato.h"
#include "app/Texto.h"

namespace varnolt::prueba {

struct ContactoPos {
    std::string fecha;  // Y-M-D
    std::string natal = "Sol";
    std::string transito = "Júp";
    int aspecto = 90;
    double peso = 1;
    double posTransito = 45;  // 45°: Taurus, sign 2
};

// One agenda line (Windows-1252) with the given transit longitude.
inline std::string LineaPos(const ContactoPos& c, int n) {
    const std::string natal = Utf8ACp1252(c.natal);
    const std::string transito = Utf8ACp1252(c.transito);
    const std::string num = std::to_string(n);
    const std::string asp = std::to_string(c.aspecto);
    return num + " A B " + c.fecha + " " + num + ":" + natal + "(" + asp + "\xB0)" + transito +
           " " + natal + " " + transito + " 50.0%  40%-60% " + Format("%.4f", {c.peso}) + " " +
           asp + " 1.5 - - - - 354.25 - - - - " + Format("%.4f", {c.posTransito});
}

inline std::vector<std::string> LineasPos(const std::vector<ContactoPos>& contactos) {
    std::vector<std::string> r;
    int n = 1;
    for (const ContactoPos& c : contactos) {
        r.push_back(LineaPos(c, n++));
    }
    return r;
}

inline std::string NombreAspectoPrueba(const std::string& angulo) {
    if (angulo == "90") {
        return "Cuadratura";
    }
    if (angulo == "0") {
        return "Conjunción";
    }
    return "Aspecto";
}

// Archetype rows for every item and angle of the data, as the panels would
// show them: transit items, natal items, then the angles with their
// "Name (N°)" texts.
inline void LlenarArqDePrueba(TFormVarnolt& form) {
    form.LBArqTra.Clear();
    form.LBArqNat.Clear();
    form.LBArqAsp.Clear();
    for (const std::string& c : form.CatItemsTra) {
        form.LBArqTra.AddTermino("Gestor " + c, {c, "Gestor " + c});
    }
    for (const std::string& c : form.CatItemsNat) {
        form.LBArqNat.AddTermino("Elemento " + c, {c, "Elemento " + c});
    }
    for (const std::string& a : form.CatAspectos) {
        const std::string texto = NombreAspectoPrueba(a) + " (" + a + "°)";
        form.LBArqAsp.AddTermino(texto, {a, texto});
    }
}

// Selects the archetype rows whose code ("Jup" read as "Júp") is among the
// given ones; an empty list selects every row.
inline void SeleccionarArq(TListBoxArq& lista, const std::vector<std::string>& codigos) {
    for (int i = 0; i < lista.Count(); ++i) {
        bool sel = codigos.empty();
        for (const std::string& c : codigos) {
            sel = sel || lista.CodigoFila(i) == c;
        }
        lista.SetSelected(i, sel);
    }
}

}  // namespace varnolt::prueba
