// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli csv: the CSV report of the contact ranges.
#include <iostream>
#include <optional>

#include "agenda/LectorAgenda.h"
#include "cli/ComandosExport.h"

namespace varnolt {
namespace {

constexpr const char* kUso =
    "uso: varnolt-cli csv --transito CODIGOS --natal CODIGOS [--clase todos|rapidos|lentos] "
    "[--reporte todos|semanal|mensual] [--fecha AAAA-MM-DD] [--salida ARCHIVO] [--archivo ARQ] "
    "[opciones de análisis] AGENDA...";

constexpr const char* kAyuda =
    R"ayuda(Varnolt: reporte CSV de los rangos de contactos (ventana "Data CSV"), sin ventana.

Hace lo mismo que "varnolt-cli rangos" (cargar, aplicar las opciones,
seleccionar las filas de arquetipos y pulsar "Detallar") y convierte las
líneas de datos de los rangos en el reporte, como el botón "CSV >>". Escribe
bajo sus títulos las líneas del reporte ("Reporte:"), las del resumen
("Resumen:") y el nombre de archivo propuesto ("Nombre propuesto:"). Con
--salida, en cambio, guarda el reporte en ese archivo como "Crear [ ].csv"
(Windows-1252, CR LF; ".csv" se añade a un nombre sin extensión) y escribe la
confirmación.

Opciones:
  --transito CODIGOS, --natal CODIGOS, --archivo ARQ
                        como en "varnolt-cli rangos --help"
  --clase todos|rapidos|lentos
                        tipo de tránsito: "Todos", "Rápidos" (así empieza la
                        ventana) o "NO rápidos"
  --reporte todos|semanal|mensual
                        tipo de reporte: "Todos" (todos los datos), "Semanal"
                        (así empieza la ventana) o "Mensual"
  --fecha AAAA-MM-DD    la fecha del calendario (si no, hoy): su semana o su mes
  --salida ARCHIVO      guarda el reporte en ARCHIVO
  --anios, --periodo, --aspecto, --umbral, --sin-picos, --ver, --orden
                        como en "varnolt-cli resumen --help"
  --help                muestra esta ayuda

Salida en UTF-8. Código de salida: 0 bien, 1 falló la carga de las agendas o
de los arquetipos o la escritura del archivo (el texto va a la salida de
errores), 2 uso incorrecto.
)ayuda";

int Uso(std::ostream& err, const std::string& motivo) {
    err << "varnolt-cli csv: " << motivo << "\n" << kUso << "\n";
    return 2;
}

// The console window that answers the save dialog with --salida.
class VentanaCsv : public VentanaConsola {
  public:
    std::optional<std::string> PedirArchivoGuardar(const PeticionGuardar&) override {
        return salida;
    }
    std::optional<std::string> salida;
};

std::string SinSaltoInicial(const std::string& mensaje) {
    std::string texto = ComoLineas(mensaje);
    while (!texto.empty() && texto.front() == '\n') {
        texto.erase(0, 1);
    }
    return texto;
}

}  // namespace

int ComandoCsv(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    OpcionesRangos o;
    int clase = 1;
    int reporte = 1;
    std::optional<TFecha> fecha;
    std::optional<std::string> salida;
    auto leerOpcionCsv = [&](size_t& i, std::string& motivo) {
        const std::string& a = args[i];
        if (a != "--clase" && a != "--reporte" && a != "--fecha" && a != "--salida") {
            return LecturaOpcion::NoEs;
        }
        if (i + 1 >= args.size()) {
            motivo = "falta el valor de " + a;
            return LecturaOpcion::Error;
        }
        const std::string& v = args[++i];
        if (a == "--clase") {
            if (v == "todos") {
                clase = 0;
            } else if (v == "rapidos" || v == "rápidos") {
                clase = 1;
            } else if (v == "lentos") {
                clase = 2;
            } else {
                motivo = "--clase admite todos, rapidos o lentos";
                return LecturaOpcion::Error;
            }
        } else if (a == "--reporte") {
            if (v == "todos") {
                reporte = 0;
            } else if (v == "semanal") {
                reporte = 1;
            } else if (v == "mensual") {
                reporte = 2;
            } else {
                motivo = "--reporte admite todos, semanal o mensual";
                return LecturaOpcion::Error;
            }
        } else if (a == "--fecha") {
            TFecha f = 0;
            if (!LeerFechaAgenda(v, f)) {
                motivo = "--fecha debe ser una fecha AAAA-MM-DD";
                return LecturaOpcion::Error;
            }
            fecha = f;
        } else {
            if (v.empty()) {
                motivo = "--salida necesita un nombre de archivo";
                return LecturaOpcion::Error;
            }
            salida = v;
        }
        return LecturaOpcion::Leida;
    };
    const auto fin = LeerArgumentos(
        args, kAyuda, out,
        [&](size_t& i, std::string& motivo) {
            const LecturaOpcion r = LeerOpcionRangos(args, i, o, motivo);
            return r == LecturaOpcion::NoEs ? leerOpcionCsv(i, motivo) : r;
        },
        [&](const std::string& motivo) { return Uso(err, motivo); }, o.analisis.agendas);
    if (fin) {
        return *fin;
    }

    VentanaCsv ventana;
    TFormVarnolt form(ventana);
    TArquetipos arq(form);
    const int codigo = DetallarConOpciones(o, form, arq, ventana, err, Uso);
    if (codigo >= 0) {
        return codigo;
    }
    form.CBTipoTransito = clase;
    form.CBTipoReporte = reporte;
    form.FechaCalendario = fecha ? *fecha : Hoy();
    form.BtnGenCSVClick();

    if (!salida) {
        out << "Reporte:\n";
        for (const std::string& l : form.MemoResultados) {
            out << l << "\n";
        }
        out << "Resumen:\n";
        for (const std::string& l : form.MemoInfo) {
            out << l << "\n";
        }
        out << "Nombre propuesto:\n" << form.NombreCSV << "\n";
        return 0;
    }

    ventana.salida = *salida;
    ventana.mensajes.clear();
    ventana.errores.clear();
    form.BtnExportCSVClick();
    if (!ventana.errores.empty()) {
        err << SinSaltoInicial(ventana.errores.back()) << "\n";
        return 1;
    }
    for (const std::string& m : ventana.mensajes) {
        out << SinSaltoInicial(m) << "\n";
    }
    return 0;
}

}  // namespace varnolt
