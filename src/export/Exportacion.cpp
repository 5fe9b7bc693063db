// SPDX-License-Identifier: AGPL-3.0-or-later
// The export handlers of the main window: "Detallar" and the contact-ranges
// window, the CSV window and the file export.
#include <algorithm>
#include <unordered_map>

#include "agenda/LectorAgenda.h"
#include "app/FormVarnolt.h"
#include "app/Formato.h"
#include "app/Texto.h"
#include "app/settings/Carpetas.h"
#include "export/ArchivoCSV.h"
#include "export/Rangos.h"
#include "export/ReporteCSV.h"

namespace varnolt {
namespace {

// The angle GetAspSignoDia writes for each aspect of the data: the one read
// from the text of the first LBArqAsp row whose key is that aspect, and the
// aspect itself when there is no such row or its text holds no angle (the
// case left open: the contact's own angle is what
// the text would have said).
class TablaAngulos {
  public:
    explicit TablaAngulos(const TListBoxArq& lbArqAsp) {
        for (int i = 0; i < lbArqAsp.Count(); ++i) {
            const TItemArq& t = lbArqAsp.Terminos[static_cast<size_t>(i)];
            std::int32_t clave = 0;
            if (!LeerEntero(t.Clave, clave) || angulos_.count(clave) != 0) {
                continue;
            }
            std::int32_t angulo = 0;
            angulos_[clave] = AnguloDeTextoArq(t.Texto, angulo) ? angulo : clave;
        }
    }
    std::int32_t Angulo(std::int32_t aspecto) const {
        const auto it = angulos_.find(aspecto);
        return it == angulos_.end() ? aspecto : it->second;
    }

  private:
    std::unordered_map<std::int32_t, std::int32_t> angulos_;
};

// GetAspSignoDia for many look-ups: codes compare by number, each interned
// code standing for its text with "Jup" read as "Júp".
class BuscadorContacto {
  public:
    explicit BuscadorContacto(const TTendencias& tendencias) : tendencias_(tendencias) {
        const std::uint32_t n = Codigo::Cantidad();
        canonico_.resize(n);
        for (std::uint32_t id = 0; id < n; ++id) {
            auto [it, nuevo] = numeros_.try_emplace(std::string(LeerJup(Codigo::TextoDe(id))),
                                                    static_cast<std::int32_t>(numeros_.size()));
            canonico_[id] = it->second;
        }
    }
    // The number a code compares by; -1 when no contact has it.
    std::int32_t Numero(const std::string& codigo) const {
        const auto it = numeros_.find(std::string(LeerJup(codigo)));
        return it == numeros_.end() ? -1 : it->second;
    }
    std::int32_t De(Codigo c) const {
        return c.id() < canonico_.size() ? canonico_[c.id()] : Numero(c.texto());
    }
    std::int32_t DeId(std::uint32_t id) const {
        return id < canonico_.size() ? canonico_[id] : Numero(Codigo::TextoDe(id));
    }
    // The first contact of the day between the two items, or none.
    const TTendencia* Buscar(TFecha dia, std::int32_t transito, std::int32_t natal) const {
        if (transito < 0 || natal < 0) {
            return nullptr;
        }
        auto it = std::lower_bound(tendencias_.begin(), tendencias_.end(), dia,
                                   [](const TTendencia& t, TFecha f) { return t.Fecha < f; });
        for (; it != tendencias_.end() && it->Fecha == dia; ++it) {
            if (De(it->ItemNatal) == natal && De(it->ItemTransito) == transito) {
                return &*it;
            }
        }
        return nullptr;
    }

  private:
    const TTendencias& tendencias_;
    std::unordered_map<std::string, std::int32_t> numeros_;
    std::vector<std::int32_t> canonico_;
};

// The aspect-sign texts of a run, each made once: 0 is "-".
class TextosAspSigno {
  public:
    explicit TextosAspSigno(const TListBoxArq& lbArqAsp) : angulos_(lbArqAsp) {
        textos_.emplace_back("-");
    }
    std::int32_t De(const TTendencia* contacto) {
        if (contacto == nullptr) {
            return 0;
        }
        const std::int32_t angulo = angulos_.Angulo(contacto->Aspecto);
        const std::int32_t signo = SignoDeLongitud(contacto->PosTransito);
        const auto clave =
            (static_cast<std::int64_t>(angulo) << 32) ^ static_cast<std::uint32_t>(signo);
        auto [it, nuevo] = indices_.try_emplace(clave, static_cast<std::int32_t>(textos_.size()));
        if (nuevo) {
            textos_.push_back(Format("%d,%d", {angulo, signo}));
        }
        return it->second;
    }
    const std::string& Texto(std::int32_t i) const { return textos_[static_cast<size_t>(i)]; }

  private:
    TablaAngulos angulos_;
    std::unordered_map<std::int64_t, std::int32_t> indices_;
    std::vector<std::string> textos_;
};

// One reported range of a run: its pair (transit index * natal count +
// natal index) and its aspect-sign text by number.
struct RangoPar {
    TFecha inicio = 0;
    TFecha pico = 0;
    TFecha fin = 0;
    std::int32_t par = 0;
    std::int32_t texto = 0;
};

struct RangosDeUnaCorrida {
    std::vector<RangoPar> lista;  // sorted by first day, stable
    TextosAspSigno textos;
};

// The texts of an item list that a code selects ("Jup" read as "Júp" on both
// sides).
std::vector<std::string> TextosIguales(const TListBox& lista, const std::string& codigo) {
    std::vector<std::string> r;
    for (const std::string& texto : lista.Items) {
        if (LeerJup(texto) == codigo) {
            r.push_back(texto);
        }
    }
    return r;
}

void SeleccionarIguales(TListBox& lista, const std::string& codigo, bool deseleccionarResto) {
    for (int i = 0; i < lista.Count(); ++i) {
        const bool igual = LeerJup(lista.Items[static_cast<size_t>(i)]) == codigo;
        if (igual) {
            lista.SetSelected(i, true);
        } else if (deseleccionarResto) {
            lista.SetSelected(i, false);
        }
    }
}

// One item code of the pairs as the weighting sees it: the item-list texts
// it selects, folded to upper case. One class is the usual case; none means
// the list selects nothing, so the weighting restricts nothing on that side.
struct ClasesCodigo {
    std::vector<std::string> textos;  // the list texts the code selects
    std::vector<int> clases;          // distinct folded texts among them
};

// Folded texts numbered in order of appearance.
class Clases {
  public:
    int Clase(const std::string& texto) {
        auto [it, nuevo] =
            indices_.try_emplace(Mayusculas(texto), static_cast<int>(indices_.size()));
        return it->second;
    }
    int Buscar(const std::string& texto) const {
        const auto it = indices_.find(Mayusculas(texto));
        return it == indices_.end() ? -1 : it->second;
    }
    int Cantidad() const { return static_cast<int>(indices_.size()); }

  private:
    std::unordered_map<std::string, int> indices_;
};

std::vector<ClasesCodigo> ClasificarCodigos(const std::vector<std::string>& codigos,
                                            const TListBox& lista, Clases& clases) {
    std::vector<ClasesCodigo> r;
    for (const std::string& codigo : codigos) {
        ClasesCodigo c;
        c.textos = TextosIguales(lista, codigo);
        for (const std::string& t : c.textos) {
            const int k = clases.Clase(t);
            if (std::find(c.clases.begin(), c.clases.end(), k) == c.clases.end()) {
                c.clases.push_back(k);
            }
        }
        r.push_back(std::move(c));
    }
    return r;
}

// The class of every interned code (-1: no selected code folds to it).
std::vector<int> ClasePorCodigo(const Clases& clases) {
    const std::uint32_t n = Codigo::Cantidad();
    std::vector<int> r(n, -1);
    for (std::uint32_t id = 0; id < n; ++id) {
        r[id] = clases.Buscar(Codigo::TextoDe(id));
    }
    return r;
}

// What the peak step of a pair's weighting does to the peak state (Part
// 3.4), so that the one-pass run leaves it as the pair-by-pair run does. (The
// pair-by-pair run also weighs each new transit item with the previous natal
// selection; that weighting is not repeated here. With non-negative weights
// neither can raise PPMaxGlobal, which the loading set from all the data,
// and the weightings of step 7 set FechaPPMax again.)
void PicosDelPar(const std::vector<TTendenciaFecha>& dias, TEstadoPicos& picos) {
    double maximo = 0;
    for (const TTendenciaFecha& d : dias) {
        if (d.Peso > maximo) {
            maximo = d.Peso;
            picos.FechaPPMax = d.Fecha;
            if (maximo > picos.PPMaxGlobal) {
                picos.PPMaxGlobal = maximo;
                picos.FechaPPMaxGlobal = d.Fecha;
            }
        }
    }
}

std::string Unir(const std::vector<std::string>& lineas) {
    std::string texto;
    for (const std::string& l : lineas) {
        texto += l;
        texto += '\n';
    }
    return texto;
}

}  // namespace

// ---- Contact-ranges window ---------------------------------------------------

void TFormVarnolt::SBTAViewClick(bool down) {
    SBTAViewDown = down;
    TWPromptContactsVisible = down;
    Ventana.Refrescar(Vista::Exportacion);
}

void TFormVarnolt::TWPromptContactsClose() {
    TWPromptContactsVisible = false;
    SBTAViewDown = TWPromptContactsVisible;
    Ventana.Refrescar(Vista::Exportacion);
}

void TFormVarnolt::SBCopyPromptClick() {
    // Nothing to copy: the user's clipboard stays as it is.
    if (std::all_of(MemoPrompt.begin(), MemoPrompt.end(),
                    [](const std::string& l) { return l.empty(); })) {
        Ventana.MostrarInformacion(kNadaQueCopiar);
        return;
    }
    Ventana.CopiarAlPortapapeles(Unir(MemoPrompt));
    Ventana.MostrarMensaje("\rContactos copiados en memoria !");
}

void TFormVarnolt::SBPromptCSVClick(bool down) {
    SBPromptCSVDown = down;
    TWCSVVisible = down;
    Ventana.Refrescar(Vista::Exportacion);
}

void TFormVarnolt::TWCSVClose() {
    TWCSVVisible = false;
    SBPromptCSVDown = false;
    Ventana.Refrescar(Vista::Exportacion);
}

void TFormVarnolt::SBTACopyClick() {
    Ventana.CopiarAlPortapapeles(Unir(MemoTA));
}

void TFormVarnolt::CBMTAWrapClick(bool marcado) {
    CBMTAWrap = marcado;
    MemoTAWordWrap = !marcado;
    Ventana.Refrescar(Vista::Exportacion);
}

std::vector<std::string> TFormVarnolt::CodigosArqSeleccionados(const TListBoxArq& lista) const {
    std::vector<std::string> codigos;
    for (int i = 0; i < lista.Count(); ++i) {
        if (lista.IsSelected(i)) {
            codigos.push_back(lista.CodigoFila(i));
        }
    }
    return codigos;
}

std::string TFormVarnolt::GetAspSignoDia(TFecha dia, const std::string& transito,
                                         const std::string& natal) const {
    const BuscadorContacto buscador(Tendencias);
    TextosAspSigno textos(LBArqAsp);
    return textos.Texto(
        textos.De(buscador.Buscar(dia, buscador.Numero(transito), buscador.Numero(natal))));
}

namespace {

// Step 4 as the original does it: the item lists hold just the pair, their
// click handler reruns the whole weighting, FechasRango holds the pair's days.
void RangosParAPar(TFormVarnolt& f, const std::vector<std::string>& transitos,
                   const std::vector<std::string>& natales, RangosDeUnaCorrida& r) {
    const BuscadorContacto buscador(f.Tendencias);
    for (size_t i = 0; i < transitos.size(); ++i) {
        for (size_t j = 0; j < natales.size(); ++j) {
            SeleccionarIguales(f.LBItemTra, transitos[i], true);
            f.LBItemNatClick(2);
            SeleccionarIguales(f.LBItemNat, natales[j], true);
            f.LBItemNatClick(1);
            f.Ventana.ProcesarMensajes();
            const std::int32_t nt = buscador.Numero(transitos[i]);
            const std::int32_t nn = buscador.Numero(natales[j]);
            const auto par = static_cast<std::int32_t>(i * natales.size() + j);
            RecorrerRangos(f.Ponderacion.FechasRango, [&](TFecha ini, TFecha pico, TFecha fin) {
                r.lista.push_back(
                    {ini, pico, fin, par, r.textos.De(buscador.Buscar(pico, nt, nn))});
            });
        }
    }
}

// Step 4 in one pass. The weighting of a pair keeps the contacts in the range
// whose angle passes AspectosSel and whose items equal, without regard to
// case, the list texts the two codes select. Group those contacts by the
// folded texts, in contact order (so that every day's sum adds the same
// weights in the same order), and read each pair's days from its group. A
// code that selects no list text (the weighting then restricts nothing on
// that side), or texts of more than one folding, takes a weighting of its
// own. The same pass notes, for every pair of codes and day, the first
// contact between exactly those codes: the contact GetAspSignoDia finds.
void RangosEnUnaPasada(TFormVarnolt& f, const std::vector<std::string>& transitos,
                       const std::vector<std::string>& natales, RangosDeUnaCorrida& r) {
    Clases clasesTra;
    Clases clasesNat;
    const std::vector<ClasesCodigo> tra = ClasificarCodigos(transitos, f.LBItemTra, clasesTra);
    const std::vector<ClasesCodigo> nat = ClasificarCodigos(natales, f.LBItemNat, clasesNat);
    const std::vector<int> claseTra = ClasePorCodigo(clasesTra);
    const std::vector<int> claseNat = ClasePorCodigo(clasesNat);
    const auto columnas = static_cast<size_t>(clasesNat.Cantidad());
    std::vector<std::vector<TTendenciaFecha>> grupos(static_cast<size_t>(clasesTra.Cantidad()) *
                                                     columnas);

    // Exact codes ("Jup" read as "Júp"): each distinct code of each side
    // numbered, and every interned code's number on each side.
    const BuscadorContacto buscador(f.Tendencias);
    auto numerar = [&](const std::vector<std::string>& codigos, std::vector<std::int32_t>& deCodigo,
                       std::vector<std::int32_t>& porId) {
        std::unordered_map<std::int32_t, std::int32_t> indices;
        for (const std::string& c : codigos) {
            const std::int32_t n = buscador.Numero(c);
            if (n < 0) {
                deCodigo.push_back(-1);
                continue;
            }
            auto [it, nuevo] = indices.try_emplace(n, static_cast<std::int32_t>(indices.size()));
            deCodigo.push_back(it->second);
        }
        porId.assign(Codigo::Cantidad(), -1);
        for (std::uint32_t id = 0; id < porId.size(); ++id) {
            const auto it = indices.find(buscador.DeId(id));
            if (it != indices.end()) {
                porId[id] = it->second;
            }
        }
        return static_cast<size_t>(indices.size());
    };
    std::vector<std::int32_t> exactoTra;
    std::vector<std::int32_t> exactoNat;
    std::vector<std::int32_t> exactoTraPorId;
    std::vector<std::int32_t> exactoNatPorId;
    const size_t filasExactas = numerar(transitos, exactoTra, exactoTraPorId);
    const size_t columnasExactas = numerar(natales, exactoNat, exactoNatPorId);
    struct Primero {
        TFecha fecha;
        std::uint32_t indice;
    };
    std::vector<std::vector<Primero>> primeros(filasExactas * columnasExactas);

    if (f.RangoIni <= f.RangoFin) {
        TSeleccion soloAngulos;
        soloAngulos.AspectosSel = f.Seleccion.AspectosSel;
        const FiltroSeleccion filtro(soloAngulos);
        const TTendencias& ts = f.Tendencias;
        const auto desde =
            std::lower_bound(ts.begin(), ts.end(), f.RangoIni,
                             [](const TTendencia& t, TFecha d) { return t.Fecha < d; });
        const auto hasta = std::upper_bound(
            desde, ts.end(), f.RangoFin, [](TFecha d, const TTendencia& t) { return d < t.Fecha; });
        for (auto it = desde; it != hasta; ++it) {
            const TTendencia& c = *it;
            const std::int32_t et = exactoTraPorId[c.ItemTransito.id()];
            const std::int32_t en = exactoNatPorId[c.ItemNatal.id()];
            if (et >= 0 && en >= 0) {
                auto& v =
                    primeros[static_cast<size_t>(et) * columnasExactas + static_cast<size_t>(en)];
                if (v.empty() || v.back().fecha != c.Fecha) {
                    v.push_back({c.Fecha, static_cast<std::uint32_t>(it - ts.begin())});
                }
            }
            const int ct = claseTra[c.ItemTransito.id()];
            const int cn = claseNat[c.ItemNatal.id()];
            if (ct < 0 || cn < 0 || !filtro.Cumple(c)) {
                continue;
            }
            auto& dias = grupos[static_cast<size_t>(ct) * columnas + static_cast<size_t>(cn)];
            if (dias.empty() || dias.back().Fecha != c.Fecha) {
                dias.push_back({0, c.Fecha, 0.0, false});
            }
            dias.back().Peso += c.Peso;
            dias.back().Contactos += 1;
        }
    }

    std::vector<TTendenciaFecha> propios;
    for (size_t i = 0; i < transitos.size(); ++i) {
        for (size_t j = 0; j < natales.size(); ++j) {
            const std::vector<TTendenciaFecha>* dias = nullptr;
            if (tra[i].clases.size() == 1 && nat[j].clases.size() == 1) {
                dias = &grupos[static_cast<size_t>(tra[i].clases[0]) * columnas +
                               static_cast<size_t>(nat[j].clases[0])];
            } else {
                TSeleccion par;
                par.ItemsTraSel = tra[i].textos;
                par.ItemsNatSel = nat[j].textos;
                par.AspectosSel = f.Seleccion.AspectosSel;
                TPonderacion ponderacion;
                Ponderar(f.Tendencias, f.RangoIni, f.RangoFin, par, ponderacion);
                propios = std::move(ponderacion.FechasRango);
                std::stable_sort(propios.begin(), propios.end(),
                                 [](const TTendenciaFecha& a, const TTendenciaFecha& b) {
                                     return a.Fecha < b.Fecha;
                                 });
                dias = &propios;
            }
            f.Ventana.ProcesarMensajes();
            PicosDelPar(*dias, f.Picos);
            const std::vector<Primero>* contactos =
                exactoTra[i] >= 0 && exactoNat[j] >= 0
                    ? &primeros[static_cast<size_t>(exactoTra[i]) * columnasExactas +
                                static_cast<size_t>(exactoNat[j])]
                    : nullptr;
            const auto par = static_cast<std::int32_t>(i * natales.size() + j);
            RecorrerRangos(*dias, [&](TFecha ini, TFecha pico, TFecha fin) {
                const TTendencia* contacto = nullptr;
                if (contactos != nullptr) {
                    const auto p =
                        std::lower_bound(contactos->begin(), contactos->end(), pico,
                                         [](const Primero& x, TFecha d) { return x.fecha < d; });
                    if (p != contactos->end() && p->fecha == pico) {
                        contacto = &f.Tendencias[p->indice];
                    }
                }
                r.lista.push_back({ini, pico, fin, par, r.textos.De(contacto)});
            });
        }
    }
}

// Steps 4 and 5 for the codes of step 3.
void CalcularRangosDeUnaCorrida(TFormVarnolt& f, const std::vector<std::string>& transitos,
                                const std::vector<std::string>& natales, RangosDeUnaCorrida& r) {
    if (transitos.empty() || natales.empty()) {
        return;
    }
    if (f.RangosParAPar) {
        RangosParAPar(f, transitos, natales, r);
    } else {
        RangosEnUnaPasada(f, transitos, natales, r);
    }
    std::stable_sort(r.lista.begin(), r.lista.end(),
                     [](const RangoPar& a, const RangoPar& b) { return a.inicio < b.inicio; });
}

}  // namespace

std::vector<TRangoTendencia> TFormVarnolt::CalcularRangos() {
    return CalcularRangos(CodigosArqSeleccionados(LBArqTra), CodigosArqSeleccionados(LBArqNat));
}

std::vector<TRangoTendencia> TFormVarnolt::CalcularRangos(const std::vector<std::string>& transitos,
                                                          const std::vector<std::string>& natales) {
    RangosDeUnaCorrida r{{}, TextosAspSigno(LBArqAsp)};
    CalcularRangosDeUnaCorrida(*this, transitos, natales, r);
    std::vector<TRangoTendencia> rangos;
    rangos.reserve(r.lista.size());
    for (const RangoPar& x : r.lista) {
        TRangoTendencia rango;
        rango.CodTransito = transitos[static_cast<size_t>(x.par) / natales.size()];
        rango.CodNatal = natales[static_cast<size_t>(x.par) % natales.size()];
        rango.AspSigno = r.textos.Texto(x.texto);
        rango.FechaInicio = x.inicio;
        rango.FechaPico = x.pico;
        rango.FechaFin = x.fin;
        rangos.push_back(std::move(rango));
    }
    return rangos;
}

void TFormVarnolt::SBCalcTAClick() {
    // 1. Nothing at all without weighted days.
    if (Ponderacion.FechasRango.empty()) {
        return;
    }
    // 2. The main window and "Detallar" stay disabled for the run and are
    // enabled again whatever happens.
    VentanaHabilitada = false;
    SBCalcTAEnabled = false;
    Ventana.Refrescar(Vista::Controles);
    Ventana.Refrescar(Vista::Exportacion);
    struct Rehabilitar {
        TFormVarnolt& form;
        bool activo = true;
        ~Rehabilitar() {
            if (!activo) {
                return;
            }
            form.Actualizando = false;
            form.VentanaHabilitada = true;
            form.SBCalcTAEnabled = true;
            try {
                form.Ventana.Refrescar(Vista::Controles);
                form.Ventana.Refrescar(Vista::Exportacion);
            } catch (...) {
            }
        }
    } rehabilitar{*this};

    MemoTA.clear();
    MemoPrompt.clear();
    MemoCSV.clear();
    int n = 0;

    // 3. The codes of the archetype selection.
    const std::vector<std::string> transitos = CodigosArqSeleccionados(LBArqTra);
    const std::vector<std::string> natales = CodigosArqSeleccionados(LBArqNat);
    if (!transitos.empty() && !natales.empty()) {
        // 4, 5. The ranges.
        RangosDeUnaCorrida rangos{{}, TextosAspSigno(LBArqAsp)};
        CalcularRangosDeUnaCorrida(*this, transitos, natales, rangos);

        // 6. The three lines of every reported range (the walk reports only
        // ranges with codes).
        std::vector<TRangoTendencia> pares(transitos.size() * natales.size());
        for (size_t p = 0; p < pares.size(); ++p) {
            pares[p].CodTransito = transitos[p / natales.size()];
            pares[p].CodNatal = natales[p % natales.size()];
            SetIdsRango(pares[p]);
        }
        MemoTA.reserve(rangos.lista.size());
        MemoCSV.reserve(rangos.lista.size());
        MemoPrompt.reserve(rangos.lista.size());
        GeneradorLineas lineas;
        for (const RangoPar& x : rangos.lista) {
            TRangoTendencia& r = pares[static_cast<size_t>(x.par)];
            if (r.CodTransito.empty()) {
                continue;
            }
            ++n;
            r.AspSigno = rangos.textos.Texto(x.texto);
            r.FechaInicio = x.inicio;
            r.FechaPico = x.pico;
            r.FechaFin = x.fin;
            MemoTA.push_back(lineas.Tecnica(r, n));
            MemoCSV.push_back(lineas.DatosRango(r, n));
            MemoPrompt.push_back(lineas.Prompt(r));
        }

        // 7. The filters back to the archetype selection.
        Actualizando = true;
        SBItemTraAllClick(0);
        SBItemNatAllClick(0);
        for (const std::string& t : transitos) {
            Seleccion.ItemsTraSel.push_back(t);
            SeleccionarIguales(LBItemTra, t, false);
        }
        for (const std::string& c : natales) {
            Seleccion.ItemsNatSel.push_back(c);
            SeleccionarIguales(LBItemNat, c, false);
        }
        ReflejarSeleccionArq(LBArqTra, LBItemTra);
        ReflejarSeleccionArq(LBArqNat, LBItemNat);
        Actualizando = false;
        Ventana.Refrescar(Vista::Listas);
        SetTendenciasItems(true);
    }

    // 8. Enabled again; the count; the copy and CSV buttons.
    rehabilitar.activo = false;
    VentanaHabilitada = true;
    SBCalcTAEnabled = true;
    Ventana.Refrescar(Vista::Controles);
    Ventana.Refrescar(Vista::Exportacion);
    std::string cuenta = Format("%s%d contactos encontrados !", {"\r", n});
    if (transitos.empty() || natales.empty()) {
        // Nothing chosen to pair: say what to choose.
        cuenta += kEligaArquetipos;
    }
    Ventana.MostrarMensaje(cuenta);
    SBCopyPromptEnabled = true;
    SBPromptCSVEnabled = true;
    Ventana.Refrescar(Vista::Exportacion);
}

// ---- CSV window --------------------------------------------------------------

void TFormVarnolt::BtnGenCSVClick() {
    MemoResultados = GenerarReporteCSV(MemoCSV, MemoInfo, CBTipoTransito, FechaMin, FechaMax,
                                       FechaCalendario, CBTipoReporte, NombreCSV);
    Ventana.Refrescar(Vista::Exportacion);
}

void TFormVarnolt::CBTipoTransitoChange(int indice) {
    CBTipoTransito = indice;
    BtnGenCSVClick();
}

void TFormVarnolt::CBTipoReporteChange(int indice) {
    CBTipoReporte = indice;
    BtnGenCSVClick();
}

// ---- File export -------------------------------------------------------------

bool TFormVarnolt::PedirArchivoCSV(std::string& nombre) {
    PeticionGuardar peticion;
    peticion.Titulo = "Crear archivo CSV";
    peticion.Filtro = "Archivos CVS|*.csv";
    peticion.ExtensionPorDefecto = "csv";
    // The generated names start with "_" (the place of a name prefix): the
    // dialog proposes them without it.
    peticion.NombrePropuesto = NombreDeArchivo(nombre);
    peticion.NombrePropuesto.erase(0, peticion.NombrePropuesto.find_first_not_of('_'));
    // The folder of the last report saved, else the user's documents folder;
    // never the folder an agenda was opened from, which may be read-only.
    peticion.CarpetaInicial = CarpetaUltimoCSV.empty() ? CarpetaPersonal() : CarpetaUltimoCSV;
    std::optional<std::string> elegido = Ventana.PedirArchivoGuardar(peticion);
    if (!elegido || elegido->empty()) {
        return false;
    }
    // The dialog adds the default extension when the user typed none; make
    // sure of it whatever the window did. A name ending in "/" names a
    // folder, not a file: it stays as it is and the write refuses it.
    const std::string archivo = NombreDeArchivo(*elegido);
    if (!archivo.empty() && archivo.find('.', 1) == std::string::npos) {
        *elegido += "." + peticion.ExtensionPorDefecto;
    }
    nombre = *elegido;
    return true;
}

void TFormVarnolt::BtnExportCSVClick() {
    if (!PedirArchivoCSV(NombreCSV)) {
        return;
    }
    std::string error;
    if (!EscribirArchivoCSV(NombreCSV, MemoResultados, error)) {
        Ventana.MostrarError(
            Format("No se pudo crear el archivo [%s]%s%s", {NombreCSV, "\r\r", error}));
        Ventana.Refrescar(Vista::Exportacion);
        return;
    }
    CarpetaUltimoCSV = CarpetaDeRuta(NombreCSV);
    Ventana.Refrescar(Vista::Exportacion);
    Ventana.MostrarMensaje("\rArchivo [" + NombreDeArchivo(NombreCSV) + "] creado !");
}

}  // namespace varnolt
