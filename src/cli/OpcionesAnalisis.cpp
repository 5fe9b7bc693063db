// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/OpcionesAnalisis.h"

#include <ostream>
#include <sstream>

#include "agenda/LectorAgenda.h"

namespace varnolt {

std::optional<int> LeerArgumentos(
    const Argumentos& args, const char* ayuda, std::ostream& out,
    const std::function<LecturaOpcion(size_t& i, std::string& motivo)>& leer,
    const std::function<int(const std::string& motivo)>& uso, std::vector<std::string>& agendas) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << ayuda;
            return 0;
        }
        std::string motivo;
        switch (leer(i, motivo)) {
            case LecturaOpcion::Leida:
                continue;
            case LecturaOpcion::Error:
                return uso(motivo);
            case LecturaOpcion::NoEs:
                break;
        }
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            return uso("opción desconocida " + a);
        }
        agendas.push_back(a);
    }
    return std::nullopt;
}

std::vector<std::string> SepararLista(const std::string& lista) {
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

LecturaOpcion LeerOpcionAnalisis(const Argumentos& args, size_t& i, OpcionesAnalisis& o,
                                 std::string& motivo) {
    const std::string& a = args[i];
    if (a == "--sin-picos") {
        o.sinPicos = true;
        return LecturaOpcion::Leida;
    }
    static const char* const kConValor[] = {"--anios",   "--periodo", "--natal", "--transito",
                                            "--aspecto", "--umbral",  "--ver",   "--orden"};
    bool conocida = false;
    for (const char* n : kConValor) {
        conocida = conocida || a == n;
    }
    if (!conocida) {
        return LecturaOpcion::NoEs;
    }
    if (i + 1 >= args.size()) {
        motivo = "falta el valor de " + a;
        return LecturaOpcion::Error;
    }
    const std::string& v = args[++i];
    if (a == "--anios") {
        o.anios = SepararLista(v);
    } else if (a == "--periodo") {
        std::int32_t n = 0;
        if (!LeerEntero(v, n) || n < 1 || n > 19) {
            motivo = "el período debe ser un número de 1 a 19";
            return LecturaOpcion::Error;
        }
        o.periodo = n;
    } else if (a == "--natal") {
        o.natal = SepararLista(v);
    } else if (a == "--transito") {
        o.transito = SepararLista(v);
    } else if (a == "--aspecto") {
        o.aspecto = SepararLista(v);
    } else if (a == "--umbral") {
        std::int32_t n = 0;
        if (!LeerEntero(v, n)) {
            motivo = "el umbral debe ser un número entero";
            return LecturaOpcion::Error;
        }
        o.umbral = v;
    } else if (a == "--ver") {
        if (v != "todas" && v != "picos") {
            motivo = "--ver admite todas o picos";
            return LecturaOpcion::Error;
        }
        o.ver = v == "todas" ? TipoFecha::Todas : TipoFecha::Picos;
    } else {  // --orden
        if (v == "fecha") {
            o.orden = OrdenFecha::Fecha;
        } else if (v == "contactos") {
            o.orden = OrdenFecha::Contactos;
        } else if (v == "peso") {
            o.orden = OrdenFecha::PesoPonderado;
        } else {
            motivo = "--orden admite fecha, contactos o peso";
            return LecturaOpcion::Error;
        }
    }
    return LecturaOpcion::Leida;
}

std::string AplicarOpcionesAnalisis(TFormVarnolt& form, const OpcionesAnalisis& o, bool conItems) {
    std::string faltante;
    if (!o.anios.empty()) {
        if (!SeleccionarFilas(form.LBYear, o.anios, faltante)) {
            return "el año " + faltante + " no está en los datos";
        }
        form.LBYearClick();
    }
    if (o.periodo) {
        form.SBPerAllClick(*o.periodo);
    }
    if (conItems && o.natal) {
        if (!SeleccionarFilas(form.LBItemNat, *o.natal, faltante)) {
            return "el ítem natal " + faltante + " no está en los datos";
        }
        form.LBItemNatClick(1);
    }
    if (conItems && o.transito) {
        if (!SeleccionarFilas(form.LBItemTra, *o.transito, faltante)) {
            return "el ítem de tránsito " + faltante + " no está en los datos";
        }
        form.LBItemNatClick(2);
    }
    if (o.aspecto) {
        if (!SeleccionarFilas(form.LBAspTra, *o.aspecto, faltante)) {
            return "el ángulo " + faltante + " no está en la lista de ángulos";
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
    return {};
}

}  // namespace varnolt
