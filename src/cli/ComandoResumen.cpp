// varnolt-cli resumen: the analysis of the main window without a window.
#include <algorithm>
#include <iostream>
#include <optional>
#include <sstream>

#include "agenda/LectorAgenda.h"
#include "app/FormVarnolt.h"
#include "cli/Comandos.h"
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

std::vector<std::string> Separar(const std::string& lista) {
    std::vector<std::string> r;
    std::string parte;
    std::istringstream in(lista);
    while (std::getline(in, parte, ',')) {
        if (!parte.empty()) {
            r.push_back(parte);
        }
    }
    return r;
}

struct Opciones {
    std::vector<std::string> anios;
    std::optional<int> periodo;
    std::optional<std::vector<std::string>> natal;
    std::optional<std::vector<std::string>> transito;
    std::optional<std::vector<std::string>> aspecto;
    std::optional<std::string> umbral;
    bool sinPicos = false;
    std::optional<TipoFecha> ver;
    std::optional<OrdenFecha> orden;
    std::vector<std::string> agendas;
};

// Selects exactly the named rows of a list; false names the first missing one.
bool SeleccionarFilas(TListBox& lista, const std::vector<std::string>& textos,
                      std::string& faltante) {
    lista.SelectAll(false);
    for (const std::string& t : textos) {
        const int i = lista.IndexOf(t);
        if (i < 0) {
            faltante = t;
            return false;
        }
        lista.SetSelected(i, true);
        lista.ItemIndex = i;
    }
    return true;
}

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
    Opciones o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto valor = [&](std::string& v) {
            if (i + 1 >= args.size()) {
                return false;
            }
            v = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            out << kAyuda;
            return 0;
        } else if (a == "--sin-picos") {
            o.sinPicos = true;
        } else if (a.rfind("--", 0) == 0 && a.size() > 2) {
            if (!valor(v)) {
                return Uso(err, "falta el valor de " + a);
            }
            if (a == "--anios") {
                o.anios = Separar(v);
            } else if (a == "--periodo") {
                std::int32_t n = 0;
                if (!LeerEntero(v, n) || n < 1 || n > 19) {
                    return Uso(err, "el período debe ser un número de 1 a 19");
                }
                o.periodo = n;
            } else if (a == "--natal") {
                o.natal = Separar(v);
            } else if (a == "--transito") {
                o.transito = Separar(v);
            } else if (a == "--aspecto") {
                o.aspecto = Separar(v);
            } else if (a == "--umbral") {
                std::int32_t n = 0;
                if (!LeerEntero(v, n)) {
                    return Uso(err, "el umbral debe ser un número entero");
                }
                o.umbral = v;
            } else if (a == "--ver") {
                if (v != "todas" && v != "picos") {
                    return Uso(err, "--ver admite todas o picos");
                }
                o.ver = v == "todas" ? TipoFecha::Todas : TipoFecha::Picos;
            } else if (a == "--orden") {
                if (v == "fecha") {
                    o.orden = OrdenFecha::Fecha;
                } else if (v == "contactos") {
                    o.orden = OrdenFecha::Contactos;
                } else if (v == "peso") {
                    o.orden = OrdenFecha::PesoPonderado;
                } else {
                    return Uso(err, "--orden admite fecha, contactos o peso");
                }
            } else {
                return Uso(err, "opción desconocida " + a);
            }
        } else {
            o.agendas.push_back(a);
        }
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

    std::string faltante;
    if (!o.anios.empty()) {
        if (!SeleccionarFilas(form.LBYear, o.anios, faltante)) {
            return Uso(err, "el año " + faltante + " no está en los datos");
        }
        form.LBYearClick();
    }
    if (o.periodo) {
        form.SBPerAllClick(*o.periodo);
    }
    if (o.natal) {
        if (!SeleccionarFilas(form.LBItemNat, *o.natal, faltante)) {
            return Uso(err, "el ítem natal " + faltante + " no está en los datos");
        }
        form.LBItemNatClick(1);
    }
    if (o.transito) {
        if (!SeleccionarFilas(form.LBItemTra, *o.transito, faltante)) {
            return Uso(err, "el ítem de tránsito " + faltante + " no está en los datos");
        }
        form.LBItemNatClick(2);
    }
    if (o.aspecto) {
        if (!SeleccionarFilas(form.LBAspTra, *o.aspecto, faltante)) {
            return Uso(err, "el ángulo " + faltante + " no está en la lista de ángulos");
        }
        form.LBAspTraClick();
    }
    if (o.umbral) {
        form.SEValPicoChange(*o.umbral);
        form.SEValPicoExit();
    }
    if (o.sinPicos) {
        form.CBViewMediaClick(false);
    }
    if (o.ver) {
        form.RGTipoFechaClick(*o.ver);
    }
    if (o.orden) {
        form.RGSortFechaClick(*o.orden);
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
    for (const std::string& fila : form.LBFechaPP.Items) {
        out << fila << "\n";
    }
    return 0;
}

}  // namespace varnolt
