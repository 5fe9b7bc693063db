// SPDX-License-Identifier: AGPL-3.0-or-later
// The Data action: choosing agenda files, reading them into the data set and
// reporting what was loaded; and the clear action.
#include <algorithm>
#include <cerrno>
#include <unordered_set>

#include <sys/stat.h>
#include <unistd.h>

#include "agenda/LectorAgenda.h"
#include "agenda/LectorLineas.h"
#include "agenda/LecturaLotes.h"
#include "app/ArchivoSeguro.h"
#include "app/FormVarnolt.h"
#include "app/Formato.h"
#include "app/Regional.h"
#include "app/Texto.h"

namespace varnolt {
namespace {

std::string NombreSinCarpeta(const std::string& ruta) {
    const size_t p = ruta.find_last_of("/\\");
    return p == std::string::npos ? ruta : ruta.substr(p + 1);
}

std::string CarpetaDe(const std::string& ruta) {
    const size_t p = ruta.find_last_of("/\\");
    return p == std::string::npos ? std::string() : ruta.substr(0, p);
}

// A failure to open or read the file: a file that is no regular file is
// named in its own text; other failures carry the system's text.
[[noreturn]] void FalloLectura(const FalloArchivo& f, const char* formato,
                               const std::string& ruta) {
    if (f.causa == FalloArchivo::Causa::Sistema) {
        throw ErrorArchivo(Format(formato, {ruta, f.Texto(ruta)}));
    }
    throw ErrorArchivo(f.Texto(ruta));
}

// The bytes of an open agenda, read with pread (a file cut short while it
// is read gives a read error, not a crash). Only the size the file had when
// it was opened is read, so that both passes over it see the same lines; a
// file that reports no size (as some system files do) is read to its end.
FuenteBytes FuenteArchivo(int fd, const std::string& ruta) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        FalloLectura(FalloArchivo::DelSistema(errno), "No se puede leer el archivo \"%s\". %s",
                     ruta);
    }
    const std::uint64_t tamano = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    return [fd, ruta, tamano](char* destino, size_t n, std::uint64_t desde) -> size_t {
        if (tamano > 0) {
            if (desde >= tamano) {
                return 0;
            }
            n = static_cast<size_t>(std::min<std::uint64_t>(n, tamano - desde));
        }
        for (;;) {
            const ssize_t r = ::pread(fd, destino, n, static_cast<off_t>(desde));
            if (r < 0 && errno == EINTR) {
                continue;
            }
            if (r < 0) {
                FalloLectura(FalloArchivo::DelSistema(errno),
                             "No se puede leer el archivo \"%s\". %s", ruta);
            }
            if (r == 0 && tamano > 0) {
                throw ErrorArchivo(Format(
                    "No se puede leer el archivo \"%s\". El archivo se acortó mientras se leía.",
                    {ruta}));
            }
            return static_cast<size_t>(r);
        }
    };
}

}  // namespace

void TFormVarnolt::SBContactosClick() {
    auto archivos = Ventana.PedirArchivosAgenda(CarpetaDe(ArchivoAgenda));
    if (!archivos || archivos->empty()) {
        return;
    }
    CargarAgendas(*archivos);
}

void TFormVarnolt::CargarAgendas(const std::vector<std::string>& archivos) {
    InfoData.clear();
    const std::int64_t inicio = RelojMs();
    Picos.UmbralPico = 0;
    Ventana.MostrarProgreso();
    Ventana.ProcesarMensajes();

    std::string resultado;
    try {
        for (const std::string& archivo : archivos) {
            ArchivoAgenda = archivo;
            DataCargada = CargarAgenda(ArchivoAgenda, resultado);
            InfoData += resultado + "\r";
        }
    } catch (...) {
        // A file that cannot be read stops the whole action; what was loaded stays.
        Ventana.CerrarProgreso();
        throw;
    }
    InfoData.insert(0, archivos.size() == 1 ? "Archivo cargado:\r\r" : "Archivos cargados:\r\r");
    Ventana.CerrarProgreso();

    if (!DataCargada) {
        Ventana.CerrarAviso();
        Ventana.MostrarError(resultado);
        return;
    }
    // Selecting every year weighs the whole range; only when there is no year
    // to select (files of header lines only) does the weighting run here.
    BBAllYearClick();
    AjustarPaneles();
    if (LBYear.Count() == 0) {
        SetTendenciasItems(true);
    }
    if (AbrirArquetipos) {
        AbrirArquetipos();
    }
    HabilitarControles(true);
    const std::int64_t ms = std::max<std::int64_t>(0, RelojMs() - inicio);
    Ventana.MostrarMensaje(InfoData +
                           Format("%sEn %d minutos %d segundos %d milisegundos !",
                                  {"\r", static_cast<int>(ms / 60000 % 60),
                                   static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)}));
    TWDetalleContactosVisible = SBViewContacto && ControlesHabilitados;
    Ventana.Refrescar(Vista::ContactosDia);
}

bool TFormVarnolt::CargarAgenda(const std::string& ruta, std::string& resultado) {
    CatItemsTra.clear();
    CatItemsNat.clear();
    CatAspectos.clear();

    Descriptor fd;
    if (const FalloArchivo f = AbrirParaLeer(ruta, fd)) {
        FalloLectura(f, "No se puede abrir el archivo \"%s\". %s", ruta);
    }
    LectorLineas lector(FuenteArchivo(fd.fd(), ruta), BloqueLecturaAgendas());
    const int total = static_cast<int>(std::min<std::uint64_t>(lector.Contar(), INT32_MAX));
    const int registros = std::max(0, total - 1);
    const std::string nombre = NombreSinCarpeta(ruta);
    Ventana.TituloProgreso(Format("Cargando data -> %s [%d registros]", {nombre, registros}));
    Ventana.ProcesarMensajes();

    // Look-up sets for the "add when not there yet" rules of the catalogues.
    // Codes are small numbers: one flag per code id.
    std::vector<bool> natales;
    std::vector<bool> transitos;
    auto anadir = [](std::vector<bool>& vistos, std::uint32_t id) {
        if (id >= vistos.size()) {
            vistos.resize(std::max<size_t>(id + 1, 2 * vistos.size()));
        }
        if (vistos[id]) {
            return false;
        }
        vistos[id] = true;
        return true;
    };
    for (const std::string& s : LBItemNat.Items) {
        anadir(natales, Codigo(s).id());
    }
    for (const std::string& s : LBItemTra.Items) {
        anadir(transitos, Codigo(s).id());
    }
    // Aspect texts are a few digits: up to seven bytes packed into one word
    // with their length; longer ones as they are.
    std::unordered_set<std::uint64_t> aspectosCortos;
    std::unordered_set<std::string> aspectosLargos;
    auto AnadirAspecto = [&](const std::string& texto) {
        if (texto.size() > 7) {
            return aspectosLargos.insert(texto).second;
        }
        std::uint64_t clave = texto.size();
        for (size_t i = 0; i < texto.size(); ++i) {
            clave |= static_cast<std::uint64_t>(static_cast<unsigned char>(texto[i]))
                     << (8 * (i + 1));
        }
        return aspectosCortos.insert(clave).second;
    };
    std::string ultimoAspecto;
    int ultimoAnio = -1;
    TFecha ultimaFecha = INT32_MIN;
    std::uint32_t ultimoNat = UINT32_MAX;
    std::uint32_t ultimoTra = UINT32_MAX;

    char sep = SeparadorDecimal();
    TraductorCodigos codigos;
    const size_t previos = Tendencias.size();
    Tendencias.reserve(previos + static_cast<size_t>(registros));
    // A read error half-way stops the action with the data as it was before
    // this file.
    const TListBox anios = LBYear;
    const TListBox nats = LBItemNat;
    const TListBox tras = LBItemTra;
    const TFecha fechaMin = FechaMin;
    const TFecha fechaMax = FechaMax;
    const bool hayFechas = HayFechas;
    bool fallo = false;
    std::string lineaFallida;
    int numeroFallida = 0;

    // Before line i is read: the progress, every 250 lines.
    auto avance = [&](int i) {
        if (i % 250 == 0) {
            Ventana.PosicionProgreso(static_cast<int>(
                std::min<std::int64_t>(100, static_cast<std::int64_t>(i) * 100 / total)));
            Ventana.ProcesarMensajes();
        }
    };
    // A record read joins the data set and its catalogues, in file order.
    auto registrar = [&](const TTendencia& t, std::string_view textoAspecto) {
        if (!HayFechas || t.Fecha < FechaMin) {
            FechaMin = t.Fecha;
        }
        if (!HayFechas || t.Fecha > FechaMax) {
            FechaMax = t.Fecha;
        }
        HayFechas = true;
        if (t.Fecha != ultimaFecha) {
            ultimaFecha = t.Fecha;
            const int anio = DecodificarFecha(t.Fecha).anio;
            if (anio != ultimoAnio) {
                AnadirAnio(anio);
                ultimoAnio = anio;
            }
        }
        if (t.NatContacto.id() != ultimoNat) {
            ultimoNat = t.NatContacto.id();
            if (anadir(natales, ultimoNat)) {
                LBItemNat.Add(t.NatContacto.texto());
            }
        }
        if (t.ItemTransito.id() != ultimoTra) {
            ultimoTra = t.ItemTransito.id();
            if (anadir(transitos, ultimoTra)) {
                LBItemTra.Add(t.ItemTransito.texto());
            }
        }
        if (!IgualesCortos(textoAspecto, ultimoAspecto)) {
            ultimoAspecto = std::string(textoAspecto);
            if (AnadirAspecto(ultimoAspecto)) {
                CatAspectos.push_back(Cp1252AUtf8(ultimoAspecto));
            }
        }
        Tendencias.push_back(t);
    };
    try {
        std::string_view linea;
        lector.Siguiente(linea);  // the header
        if (lector.Siguiente(linea)) {
            // The file's own separator, whatever the locale: agendas travel
            // between machines. What Varnolt writes keeps the locale's.
            sep = SeparadorDeAgenda(linea, sep);
            LineaAgenda leida;
            LecturaLotes::Fallo f{1, std::string(linea)};
            if (LeerLineaAgenda(linea, sep, codigos, leida)) {
                registrar(leida.tendencia, leida.textoAspecto);
                f = registros >= MinimoCargaParalela()
                        ? LecturaLotes::EnDosHilos(lector, sep, codigos, 2, avance, registrar)
                        : LecturaLotes::EnUnHilo(lector, sep, codigos, 2, avance, registrar);
            }
            if (f.numero > 0) {
                fallo = true;
                lineaFallida = std::move(f.linea);
                numeroFallida = f.numero;
            }
        }
    } catch (...) {
        Tendencias.resize(previos);
        LBYear = anios;
        LBItemNat = nats;
        LBItemTra = tras;
        FechaMin = fechaMin;
        FechaMax = fechaMax;
        HayFechas = hayFechas;
        CatAspectos.clear();
        throw;
    }

    if (fallo) {
        resultado = Format(
            "Se presento un error al cargar el archivo de contactos.%s%s%sEsto puede ser por que "
            "se abrio un archivo que no respeta el formato requerido o se cargo una linea "
            "corrupta de datos.",
            {"\r\r", nombre, "\r\r"});
        // The line, and where it is as a text editor counts (the header is line 1).
        resultado += "\r\rEl error se produjo con la linea: \r" + CitaDeLinea(lineaFallida) +
                     Format("\r(línea %d del archivo)", {numeroFallida + 1});
        LimpiarData();
    }
    CatItemsTra = LBItemTra.Items;
    CatItemsNat = LBItemNat.Items;
    if (fallo) {
        return false;
    }

    // The file's records are mostly in date order already: sort them (stably,
    // so a day keeps the file's order) and merge them with what was loaded.
    auto porFecha = [](const TTendencia& a, const TTendencia& b) { return a.Fecha < b.Fecha; };
    const auto medio = Tendencias.begin() + static_cast<std::ptrdiff_t>(previos);
    if (!std::is_sorted(medio, Tendencias.end(), porFecha)) {
        std::stable_sort(medio, Tendencias.end(), porFecha);
    }
    std::inplace_merge(Tendencias.begin(), medio, Tendencias.end(), porFecha);

    resultado = Format("%s [%d registros]", {nombre, registros});
    ArchivosInfo.push_back(resultado);
    return true;
}

void TFormVarnolt::AnadirAnio(int anio) {
    const std::string texto = std::to_string(anio);
    if (!std::binary_search(LBYear.Items.begin(), LBYear.Items.end(), texto)) {
        LBYear.Add(texto);
    }
}

void TFormVarnolt::LimpiarData() {
    DataCargada = false;
    InfoData = "-No hay data cargada-";
    LBArqTra.Clear();
    LBArqAsp.Clear();
    LBArqNat.Clear();
    LimpiarDetalle();
    Tendencias.clear();
    Tendencias.shrink_to_fit();
    Ponderacion.TotalesDia.clear();
    Ponderacion.TotalesNat.clear();
    Ponderacion.TotalesTra.clear();
    Ponderacion.TotalesAsp.clear();
    LBYear.Clear();
    LBItemNat.Clear();
    LBItemTra.Clear();
    LBContactos.Clear();
    LBFechaPP.Clear();
    ArchivosInfo.clear();
    Etiquetas.RangoData = "-";
    Etiquetas.Max = "-";
    Etiquetas.RangoVisual = "-";
    Etiquetas.SumaPP = "-";
    Etiquetas.FechasPico = "-";
    MemoResultados.clear();
    MemoInfo.clear();
    TWCSVVisible = false;
    MemoPrompt.clear();
    SBCopyPromptEnabled = false;
    SBPromptCSVEnabled = false;
    SBPromptCSVDown = false;
    Picos.PPMaxGlobal = 0;
    Picos.FechaPPMax = 0;
    RangoIni = 0;
    RangoFin = 0;
    FechaMin = 0;
    FechaMax = 0;
    HayFechas = false;
    Seleccion.AspectosSel.clear();
    Seleccion.ItemsNatSel.clear();
    Seleccion.ItemsTraSel.clear();
    HabilitarControles(false);
    // The charts and the trend graph are redrawn too: without data the trend
    // graph draws nothing, and no picture of the discarded data stays.
    Ventana.Refrescar(Vista::Graficos);
    Ventana.Refrescar(Vista::Tendencia);
    Ventana.Refrescar(Vista::Listas);
    Ventana.Refrescar(Vista::FechasPP);
    Ventana.Refrescar(Vista::Arquetipos);
    Ventana.Refrescar(Vista::ContactosDia);
    Ventana.Refrescar(Vista::Exportacion);
    Ventana.ProcesarMensajes();
}

}  // namespace varnolt
