// SPDX-License-Identifier: AGPL-3.0-or-later
// varnolt-cli rangos: the contact ranges of "Detallar".
#include <filesystem>
#include <iostream>

#include "agenda/LectorAgenda.h"
#include "app/settings/Carpetas.h"
#include "cli/ComandosExport.h"
#include "export/Rangos.h"

namespace varnolt {
namespace {

constexpr const char* kUso =
    "uso: varnolt-cli rangos --transito CODIGOS --natal CODIGOS [--archivo ARQ] [--anios "
    "A[,A...]] [--periodo N] [--aspecto ANGULOS] [--umbral PCT] [--sin-picos] [--ver "
    "todas|picos] [--orden fecha|contactos|peso] AGENDA...";

constexpr const char* kAyuda =
    R"ayuda(Varnolt: rangos de contactos ("Detallar" de la ventana "Rangos de contactos"), sin ventana.

Carga las agendas (.csv) como lo hace el botón "Data", con el archivo de
arquetipos en uso, aplica las opciones de análisis, selecciona en los paneles
de arquetipos las filas de los códigos dados (como un clic en ellas) y pulsa
"Detallar". Escribe, cada bloque bajo su título:
  - "Texto para el prompt:" las líneas que "Copiar" lleva al portapapeles;
  - "Datos de los rangos:" las líneas de datos (la entrada del reporte CSV);
  - "Líneas técnicas:" las líneas técnicas;
y al final el mensaje con el número de contactos encontrados.

Opciones:
  --transito CODIGOS    filas de "El gestor (item en el cielo)", por su código
                        (p. ej. Sol,Mar,Júp; "Jup" vale por "Júp")
  --natal CODIGOS       filas de "Elemento de vida (mandala natal)", por su
                        código (p. ej. Sol,Lun,C05)
  --archivo ARQ         el archivo de arquetipos (si no, el de muestra que
                        acompaña al programa)
  --anios, --periodo, --aspecto, --umbral, --sin-picos, --ver, --orden
                        como en "varnolt-cli resumen --help"
  --help                muestra esta ayuda

Salida en UTF-8. Código de salida: 0 bien, 1 falló la carga de las agendas o
de los arquetipos (el texto va a la salida de errores), 2 uso incorrecto.
)ayuda";

int Uso(std::ostream& err, const std::string& motivo) {
    err << "varnolt-cli rangos: " << motivo << "\n" << kUso << "\n";
    return 2;
}

void Bloque(std::ostream& out, const char* titulo, const std::vector<std::string>& lineas) {
    out << titulo << "\n";
    for (const std::string& l : lineas) {
        out << l << "\n";
    }
}

}  // namespace

LecturaOpcion LeerOpcionRangos(const Argumentos& args, size_t& i, OpcionesRangos& o,
                               std::string& motivo) {
    if (args[i] == "--archivo") {
        if (i + 1 >= args.size()) {
            motivo = "falta el valor de --archivo";
            return LecturaOpcion::Error;
        }
        o.archivoArq = args[++i];
        return LecturaOpcion::Leida;
    }
    return LeerOpcionAnalisis(args, i, o.analisis, motivo);
}

std::string ArchivoArqPorDefecto() {
    const std::string programa = RutaEjecutable();
    if (!programa.empty()) {
        const std::string muestra =
            UnirRuta(UnirRuta(CarpetaDeRuta(programa), "arquetipos"), kArchivoArqInicial);
        std::error_code ec;
        if (std::filesystem::is_regular_file(muestra, ec)) {
            return muestra;
        }
    }
    return CarpetaArq() + kArchivoArqInicial;
}

bool SeleccionarFilasArq(TListBoxArq& lista, const std::vector<std::string>& codigos,
                         std::string& faltante) {
    lista.SelectAll(false);
    for (const std::string& c : codigos) {
        const std::string_view codigo = LeerJup(c);
        bool hay = false;
        for (int i = 0; i < lista.Count(); ++i) {
            if (lista.CodigoFila(i) == codigo) {
                lista.SetSelected(i, true);
                lista.ItemIndex = i;
                hay = true;
            }
        }
        if (!hay) {
            faltante = c;
            return false;
        }
    }
    return true;
}

int DetallarConOpciones(const OpcionesRangos& o, TFormVarnolt& form, TArquetipos& arq,
                        VentanaConsola& ventana, std::ostream& err,
                        int (*uso)(std::ostream&, const std::string&)) {
    const OpcionesAnalisis& a = o.analisis;
    if (!a.transito || a.transito->empty()) {
        return uso(err, "falta --transito");
    }
    if (!a.natal || a.natal->empty()) {
        return uso(err, "falta --natal");
    }
    if (a.agendas.empty()) {
        return uso(err, "falta al menos una agenda");
    }
    arq.ArchivoArq = o.archivoArq.empty() ? ArchivoArqPorDefecto() : o.archivoArq;
    try {
        form.CargarAgendas(a.agendas);
    } catch (const std::exception& e) {
        err << ComoLineas(e.what()) << "\n";
        return 1;
    }
    if (!form.DataCargada) {
        err << ComoLineas(ventana.errores.empty() ? form.InfoData : ventana.errores.back()) << "\n";
        return 1;
    }
    const std::string error = AplicarOpcionesAnalisis(form, a, false);
    if (!error.empty()) {
        return uso(err, error);
    }
    std::string faltante;
    if (!SeleccionarFilasArq(form.LBArqTra, *a.transito, faltante)) {
        return uso(err, "el código de tránsito " + faltante +
                            " no tiene fila en \"El gestor (item en el cielo)\"");
    }
    if (!SeleccionarFilasArq(form.LBArqNat, *a.natal, faltante)) {
        return uso(err, "el código natal " + faltante +
                            " no tiene fila en \"Elemento de vida (mandala natal)\"");
    }
    // As a click in the two panels: the item filters follow and the data is
    // weighed again.
    arq.AplicarSeleccionArq(form.LBArqTra, form.LBItemTra, form.Seleccion.ItemsTraSel);
    arq.AplicarSeleccionArq(form.LBArqNat, form.LBItemNat, form.Seleccion.ItemsNatSel);
    form.SetTendenciasItems(true);

    ventana.mensajes.clear();
    ventana.errores.clear();
    try {
        form.SBCalcTAClick();
    } catch (const std::exception& e) {
        err << ComoLineas(e.what()) << "\n";
        return 1;
    }
    return -1;
}

int ComandoRangos(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    OpcionesRangos o;
    const auto fin = LeerArgumentos(
        args, kAyuda, out,
        [&](size_t& i, std::string& motivo) { return LeerOpcionRangos(args, i, o, motivo); },
        [&](const std::string& motivo) { return Uso(err, motivo); }, o.analisis.agendas);
    if (fin) {
        return *fin;
    }

    VentanaConsola ventana;
    TFormVarnolt form(ventana);
    TArquetipos arq(form);
    const int codigo = DetallarConOpciones(o, form, arq, ventana, err, Uso);
    if (codigo >= 0) {
        return codigo;
    }
    Bloque(out, "Texto para el prompt:", form.MemoPrompt);
    Bloque(out, "Datos de los rangos:", form.MemoCSV);
    Bloque(out, "Líneas técnicas:", form.MemoTA);
    if (ventana.mensajes.empty()) {
        out << "(no hay días ponderados en el rango: \"Detallar\" no hace nada)\n";
    }
    for (const std::string& m : ventana.mensajes) {
        std::string texto = ComoLineas(m);
        while (!texto.empty() && texto.front() == '\n') {
            texto.erase(0, 1);
        }
        out << texto << "\n";
    }
    return 0;
}

}  // namespace varnolt
