// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli arquetipos: the archetype catalogue and the archetype panels
// of the given agendas, without a window.
#include <iostream>

#include "app/FormVarnolt.h"
#include "archetypes/Arquetipos.h"
#include "cli/Comandos.h"
#include "cli/VentanaConsola.h"

namespace varnolt {
namespace {

constexpr const char* kUso = "uso: varnolt-cli arquetipos [--archivo ARQ] [AGENDA...]";

constexpr const char* kAyuda = R"ayuda(Varnolt: arquetipos, sin ventana.

Escribe las filas del catálogo de archivos de arquetipos de la carpeta
"quillmere/Orbelune arquetipos" de los documentos del usuario (o dice que no
encontró ninguno) y, para el archivo en uso, las filas de los tres paneles de
arquetipos para las agendas dadas, bajo sus títulos:
  "El gestor (item en el cielo)", "La oportunidad (ángulo tránsito)" y
  "Elemento de vida (mandala natal)".

Opciones:
  --archivo ARQ   el archivo de arquetipos en uso (si no, el de muestra
                  quillmere_C1_001_v.1.0.arq de esa carpeta)
  --help          muestra esta ayuda

Código de salida: 0 bien, 1 falló la carga o el acceso a los arquetipos (el
texto va a la salida de errores), 2 uso incorrecto.
)ayuda";

}  // namespace

int ComandoArquetipos(const Argumentos& args, std::ostream& out, std::ostream& err) {
    std::string archivo;
    std::vector<std::string> agendas;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            out << kAyuda;
            return 0;
        }
        if (args[i] == "--archivo") {
            if (i + 1 >= args.size()) {
                err << "varnolt-cli arquetipos: falta el valor de --archivo\n" << kUso << "\n";
                return 2;
            }
            archivo = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            err << "varnolt-cli arquetipos: opción desconocida " << args[i] << "\n" << kUso << "\n";
            return 2;
        } else {
            agendas.push_back(args[i]);
        }
    }

    VentanaConsola ventana;
    TFormVarnolt form(ventana);
    TArquetipos arq(form);
    arq.ArchivoArq = archivo.empty() ? CarpetaArq() + kArchivoArqInicial : archivo;
    try {
        arq.SBLoadTermsClick(true);
        out << "Catálogo de " << CarpetaArq() << ":\n";
        if (arq.LBDataArq.Count() == 0) {
            out << "  (no se encontraron archivos de arquetipos)\n";
        }
        for (int i = 0; i < arq.LBDataArq.Count(); ++i) {
            out << "  " << arq.LBDataArq.Items[static_cast<size_t>(i)] << "  ["
                << arq.Entradas[static_cast<size_t>(arq.LBDataArq.Datos[static_cast<size_t>(i)])]
                       .Archivo
                << "]\n";
        }
        out << "Archivo en uso: " << arq.ArchivoArq << "\n";
        if (agendas.empty()) {
            arq.AbrirArquetipos();
        } else {
            form.CargarAgendas(agendas);
            if (!form.DataCargada) {
                err << ComoLineas(ventana.errores.empty() ? form.InfoData : ventana.errores.back())
                    << "\n";
                return 1;
            }
        }
    } catch (const std::exception& e) {
        err << ComoLineas(e.what()) << "\n";
        return 1;
    }
    const std::pair<const char*, const TListBoxArq*> paneles[] = {
        {"El gestor (item en el cielo)", &form.LBArqTra},
        {"La oportunidad (ángulo tránsito)", &form.LBArqAsp},
        {"Elemento de vida (mandala natal)", &form.LBArqNat}};
    for (const auto& [titulo, lista] : paneles) {
        out << titulo << ":\n";
        for (const std::string& fila : lista->Items) {
            out << "  " << fila << "\n";
        }
    }
    return 0;
}

}  // namespace varnolt
