// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli resumen: the analysis of the main window without a window.
#include <algorithm>
#include <iostream>

#include "agenda/LectorAgenda.h"
#include "app/FormVarnolt.h"
#include "cli/Comandos.h"
#include "cli/OpcionesAnalisis.h"
#include "cli/VentanaConsola.h"

namespace varnolt {
namespace {

constexpr const char* kUso =
    "uso: varnolt-cli resumen [--anios A[,A...]] [--periodo N] [--natal CODIGOS] "
    "[--transito CODIGOS] [--aspecto ANGULOS] [--umbral PCT] [--sin-picos] "
    "[--ver todas|picos] [--orden fecha|contactos|peso] AGENDA...";

constexpr const char* kAyuda =
    R"(Varnolt: resumen del análisis de agendas de tránsitos, sin ventana.

Carga las agendas (.csv) como lo hace el botón "Data", selecciona todos los
años, pondera los días y escribe:
  - el informe de carga (archivos y registros);
  - "Datos entre: ", "Rango visualización entre: ", "Suma PP rango: ",
    "Fechas Pico: " y "Máx.: " con los textos de las etiquetas de información;
  - el número de días listados y el umbral de pico;
  - las filas del listado de peso ponderado por días, una por línea.

Opciones (se aplican después de cargar, en este orden):
  --anios A[,A...]      selecciona exactamente esos años y hace clic en la
                        lista; el último nombrado queda como año actual
  --periodo N           pulsa el botón de período N (1 Todo, 2-5 trimestres,
                        6-7 semestres, 8-19 Ene a Dic) sobre el año actual
                        (la primera fila mientras --anios no nombre otro)
  --natal CODIGOS       selecciona esos ítems natales (p. ej. Sol,Lun,C05)
  --transito CODIGOS    selecciona esos ítems de tránsito (p. ej. Mar,Júp)
  --aspecto ANGULOS     selecciona esos ángulos (p. ej. 0,90,180)
  --umbral PCT          porcentaje de pico (10 a 100, de 10 en 10 en la ventana)
  --sin-picos           desmarca "Resaltar valores medios": no hay días pico
  --ver todas|picos     "Ver:" Todas o Picos
  --orden fecha|contactos|peso
                        "Ordenar por:" Fecha, Contactos o Peso ponderado
  --help                muestra esta ayuda

Salida en UTF-8. Código de salida: 0 bien, 1 la última agenda no cargó (el
texto del error va a la salida de errores), 2 uso incorrecto.
)";

int Uso(std::ostream& err, const std::string& motivo) {
    err << "varnolt-cli resumen: " << motivo << "\n" << kUso << "\n";
    return 2;
}

}  // namespace

std::string ComoLineas(std::string texto) {
    std::replace(texto.begin(), texto.end(), '\r', '\n');
    return texto;
}

int ComandoResumen(const Argumentos& args, std::ostream& out, std::ostream& err) {
    OpcionesAnalisis o;
    const auto fin = LeerArgumentos(
        args, kAyuda, out,
        [&](size_t& i, std::string& motivo) { return LeerOpcionAnalisis(args, i, o, motivo); },
        [&](const std::string& motivo) { return Uso(err, motivo); }, o.agendas);
    if (fin) {
        return *fin;
    }
    if (o.agendas.empty()) {
        return Uso(err, "falta al menos una agenda");
    }

    VentanaConsola ventana;
    TFormVarnolt form(ventana);
    try {
        form.CargarAgendas(o.agendas);
    } catch (const std::exception& e) {
        err << ComoLineas(e.what()) << "\n";
        return 1;
    }
    if (!form.DataCargada) {
        err << ComoLineas(ventana.errores.empty() ? form.InfoData : ventana.errores.back()) << "\n";
        return 1;
    }

    const std::string error = AplicarOpcionesAnalisis(form, o, true);
    if (!error.empty()) {
        return Uso(err, error);
    }

    auto enUnaLinea = [](std::string texto) {
        std::string r;
        for (char c : texto) {
            if (c == '\r') {
                r += " | ";
            } else {
                r += c;
            }
        }
        return r;
    };
    out << ComoLineas(form.InfoData);
    if (!form.InfoData.empty() && form.InfoData.back() != '\r') {
        out << "\n";
    }
    const TEtiquetasInfo& e = form.Etiquetas;
    out << "Datos entre: " << enUnaLinea(e.RangoData) << "\n";
    out << "Rango visualización entre: " << enUnaLinea(e.RangoVisual) << "\n";
    out << "Suma PP rango: " << enUnaLinea(e.SumaPP) << "\n";
    out << "Fechas Pico: " << enUnaLinea(e.FechasPico) << "\n";
    out << "Máx.: " << enUnaLinea(e.Max) << "\n";
    out << e.NoContactos << "\n";
    for (int i = 0; i < form.LBFechaPP.Count(); ++i) {
        out << form.LBFechaPP.Texto(i) << "\n";
    }
    return 0;
}

}  // namespace varnolt
