// SPDX-License-Identifier: AGPL-3.0-or-later
#include "archetypes/Arquetipos.h"

#include <filesystem>

#include "app/Texto.h"
#include "app/settings/Carpetas.h"

namespace varnolt {

const std::array<const char*, kTablasArq> kNombresTablasArq = {
    "Items_01",  "Items_02",  "Items_03",  "Casas_01",    "Casas_02",    "Casas_03",
    "Signos_01", "Signos_02", "Signos_03", "Aspectos_01", "Aspectos_02", "Aspectos_03"};

namespace {

// Item keys may write Jupiter "Jup"; the agendas write "Júp".
std::string LeerJup(std::string clave) {
    return clave == "Jup" ? std::string("Júp") : clave;
}

bool EnCatalogo(const std::vector<std::string>& catalogo, const std::string& clave) {
    for (const std::string& c : catalogo) {
        if (IgualesSinMayusculas(c, clave)) {
            return true;
        }
    }
    return false;
}

bool HayFilaConTexto(const TListBoxArq& lista, const std::string& texto) {
    for (const std::string& fila : lista.Items) {
        if (IgualesSinMayusculas(fila, texto)) {
            return true;
        }
    }
    return false;
}

// Compares keys folding only the letters a to z.
bool IgualesAZ(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') {
            x = static_cast<char>(x - 32);
        }
        if (y >= 'a' && y <= 'z') {
            y = static_cast<char>(y - 32);
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string CarpetaArq() {
    return UnirRuta(UnirRuta(CarpetaPersonal(), "quillmere"), "Orbelune arquetipos") + "/";
}

bool ListarArchivosArq(const std::string& carpeta, std::vector<std::string>& lista) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(carpeta, ec), fin; !ec && it != fin;
         it.increment(ec)) {
        const std::string nombre = it->path().filename().string();
        if (nombre.size() < 4 || !IgualesSinMayusculas(nombre.substr(nombre.size() - 4), ".arq")) {
            continue;
        }
        std::error_code ec2;
        if (it->is_directory(ec2)) {
            continue;
        }
        lista.push_back(carpeta.empty() || carpeta.back() == '/' ? carpeta + nombre
                                                                 : carpeta + "/" + nombre);
    }
    return !lista.empty();
}

TArquetipos::TArquetipos(TFormVarnolt& form) : Form(form) {
    Form.AbrirArquetipos = [this] { AbrirArquetipos(); };
    Form.BuscarArquetipo = [this](const std::string& clave, TablaArq tabla) {
        return TextoArquetipo(clave, tabla);
    };
}

std::string TArquetipos::DLL() const {
    std::string carpeta = CarpetaPrograma;
    if (carpeta.empty()) {
        carpeta = CarpetaDeRuta(RutaEjecutable());
    }
    return UnirRuta(UnirRuta(carpeta, "dll"), kArchivoBibliotecaSQLite);
}

void TArquetipos::Abrir(TASQLiteDB& conexion, const std::string& archivo) {
    conexion.DriverDLL = DLL();
    conexion.DefaultDir = CarpetaDeRuta(archivo);
    conexion.Database = NombreDeRuta(archivo);
    conexion.Open();
}

void TArquetipos::AbrirArquetipos() {
    DM.ASQLiteDBSM.Close();
    Abrir(DM.ASQLiteDBSM, ArchivoArq);
    if (Form.LBItemNat.Count() > 0 && DM.ASQLiteDBSM.Connected()) {
        LlenarArqItems("Items_01", Form.CatItemsTra, Form.LBArqTra);
        LlenarArqItems("Items_03", Form.CatItemsNat, Form.LBArqNat);
        LlenarArqAspectos(Form.CatAspectos, Form.LBArqAsp);
        LlenarArqCasas(Form.CatItemsNat, Form.LBArqNat, Form.ArchivosInfo.size() < 2);
        Form.Ventana.Refrescar(Vista::Arquetipos);
    }
    for (int t = 0; t < kTablasArq; ++t) {
        CargarTablaArq(static_cast<TablaArq>(t));
    }
    DM.ASQLiteDBSM.Close();
}

void TArquetipos::CargarTablaArq(TablaArq tabla) {
    std::vector<TItemArq>& lista = ListasArq[tabla];
    lista.clear();
    DM.TableSM.Close();
    DM.TableSM.TableName = kNombresTablasArq[tabla];
    DM.TableSM.Open();
    for (DM.TableSM.First(); !DM.TableSM.Eof(); DM.TableSM.Next()) {
        lista.push_back({Cp1252AUtf8(DM.TableSM.Texto(1)), Cp1252AUtf8(DM.TableSM.Texto(2))});
    }
    DM.TableSM.Close();
}

std::string TArquetipos::TextoArquetipo(const std::string& clave, TablaArq tabla) const {
    for (const TItemArq& item : ListasArq[tabla]) {
        if (IgualesAZ(item.Clave, clave)) {
            return item.Texto;
        }
    }
    return "-";
}

void TArquetipos::LlenarArqItems(const char* tabla, const std::vector<std::string>& catalogo,
                                 TListBoxArq& lista) {
    DM.TableSM.Close();
    DM.TableSM.TableName = tabla;
    DM.TableSM.Open();
    for (DM.TableSM.First(); !DM.TableSM.Eof(); DM.TableSM.Next()) {
        const std::string clave = Cp1252AUtf8(DM.TableSM.Texto(1));
        if (!EnCatalogo(catalogo, LeerJup(clave))) {
            continue;
        }
        const std::string texto = Cp1252AUtf8(DM.TableSM.Texto(2));
        if (!HayFilaConTexto(lista, texto)) {
            lista.AddTermino(texto, {clave, texto});
        }
    }
    DM.TableSM.Close();
}

void TArquetipos::LlenarArqAspectos(const std::vector<std::string>& catalogo, TListBoxArq& lista) {
    DM.TableSM.Close();
    DM.TableSM.TableName = "Aspectos_01";
    DM.TableSM.Open();
    for (DM.TableSM.First(); !DM.TableSM.Eof(); DM.TableSM.Next()) {
        const std::string clave = Cp1252AUtf8(DM.TableSM.Texto(1));
        if (!EnCatalogo(catalogo, clave)) {
            continue;
        }
        const std::string texto = Cp1252AUtf8(DM.TableSM.Texto(2)) + " (" + clave + "°)";
        if (!HayFilaConTexto(lista, texto)) {
            lista.AddTermino(texto, {clave, texto});
        }
    }
    DM.TableSM.Close();
}

void TArquetipos::LlenarArqCasas(const std::vector<std::string>& catalogo, TListBoxArq& lista,
                                 bool w) {
    auto filaConClave = [&lista](const std::string& clave) {
        for (size_t i = 0; i < lista.Terminos.size(); ++i) {
            if (lista.Terminos[i].Clave == clave) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    DM.TableSM.Close();
    DM.TableSM.TableName = "Casas_01";
    DM.TableSM.Open();
    for (DM.TableSM.First(); !DM.TableSM.Eof(); DM.TableSM.Next()) {
        const std::string clave = Cp1252AUtf8(DM.TableSM.Texto(1));
        if (EnCatalogo(catalogo, clave) && filaConClave(clave) < 0) {
            const std::string texto = Cp1252AUtf8(DM.TableSM.Texto(2));
            lista.AddTermino(texto, {clave, texto});
        }
    }
    DM.TableSM.Close();
    if (!w || lista.Count() == 0) {
        return;
    }
    DM.TableSM.TableName = "Casas_02";
    DM.TableSM.Open();
    for (DM.TableSM.First(); !DM.TableSM.Eof(); DM.TableSM.Next()) {
        const int fila = filaConClave(Cp1252AUtf8(DM.TableSM.Texto(1)));
        if (fila >= 0) {
            std::string& texto = lista.Items[static_cast<size_t>(fila)];
            texto += ". " + Cp1252AUtf8(DM.TableSM.Texto(2)) + ".";
        }
    }
    DM.TableSM.Close();
}

TListBoxArq& TArquetipos::ListaDeTag(int tag) {
    return tag == 1 ? Form.LBArqNat : (tag == 2 ? Form.LBArqTra : Form.LBArqAsp);
}

void TArquetipos::LBArqTraClick(int tag) {
    TListBoxArq& lista = ListaDeTag(tag);
    const int actual = lista.ItemIndex;
    if (actual < 0 || actual >= lista.Count() ||
        lista.Terminos[static_cast<size_t>(actual)].Clave == "-") {
        return;
    }
    if (tag == 1) {
        AplicarSeleccionArq(Form.LBArqNat, Form.LBItemNat, Form.Seleccion.ItemsNatSel);
    } else if (tag == 2) {
        AplicarSeleccionArq(Form.LBArqTra, Form.LBItemTra, Form.Seleccion.ItemsTraSel);
    } else {
        AplicarSeleccionArq(Form.LBArqAsp, Form.LBAspTra, Form.Seleccion.AspectosSel);
    }
    Form.SetTendenciasItems(true);
}

void TArquetipos::AplicarSeleccionArq(TListBoxArq& lista, TListBox& filtro,
                                      std::vector<std::string>& seleccion) {
    Form.Actualizando = true;
    for (int i = 0; i < lista.Count(); ++i) {
        const std::string k = lista.CodigoFila(i);
        auto enSeleccion = seleccion.end();
        for (auto it = seleccion.begin(); it != seleccion.end(); ++it) {
            if (IgualesSinMayusculas(*it, k)) {
                enSeleccion = it;
                break;
            }
        }
        const int filaFiltro = filtro.IndexOf(k);
        if (lista.IsSelected(i) && enSeleccion == seleccion.end()) {
            seleccion.push_back(k);
            if (filaFiltro >= 0) {
                filtro.SetSelected(filaFiltro, true);
            }
        } else if (!lista.IsSelected(i) && enSeleccion != seleccion.end()) {
            seleccion.erase(enSeleccion);
            if (filaFiltro >= 0) {
                filtro.SetSelected(filaFiltro, false);
            }
        }
    }
    Form.Actualizando = false;
    Form.Ventana.Refrescar(Vista::Listas);
}

void TArquetipos::LeerCatalogoArq() {
    std::vector<std::string> rutas;
    if (!ListarArchivosArq(CarpetaCatalogo.empty() ? CarpetaArq() : CarpetaCatalogo, rutas)) {
        return;
    }
    PlantillasArq.clear();
    for (const std::string& ruta : rutas) {
        DM.ASQLiteDBTerms.Close();
        Abrir(DM.ASQLiteDBTerms, ruta);
        DM.TableInfo.Close();
        DM.TableInfo.TableName = "_Info_Data";
        DM.TableInfo.Open();
        TInfoPlantillaArq e;
        e.Archivo = ruta;
        TASQLiteTable& t = DM.TableInfo;
        e.Clase = t.Entero("Clase");
        e.ToClase = t.Entero("ToClase");
        e.Nombre = Cp1252AUtf8(t.Texto("Nombre"));
        e.Autor = Cp1252AUtf8(t.Texto("Autor"));
        e.Owner = Cp1252AUtf8(t.Texto("Owner"));
        e.Version = Cp1252AUtf8(t.Texto("Version"));
        e.Url = Cp1252AUtf8(t.Texto("Url"));
        e.Alcance = Cp1252AUtf8(t.Texto("Alcance"));
        e.Contexto = Cp1252AUtf8(t.Texto("Contexto"));
        e.CanEdit = t.Entero("CanEdit");
        e.CanCopy = t.Entero("CanCopy");
        e.CanDelete = t.Entero("CanDelete");
        e.ForceInfo = t.Entero("ForceInfo");
        PlantillasArq.push_back(std::move(e));
        DM.TableInfo.Close();
        DM.ASQLiteDBTerms.Close();
    }
}

void TArquetipos::SBLoadTermsClick(bool abajo) {
    SBLoadTerms = abajo;
    TWLumbriskVisible = abajo;
    if (!abajo) {
        return;
    }
    LeerCatalogoArq();
    // The rows keep their own copy of their entries, so they stay valid
    // whatever later scans do.
    LBDataArq.Clear();
    Entradas.clear();
    for (const TInfoPlantillaArq& e : PlantillasArq) {
        if (e.Clase == 1) {
            LBDataArq.Add(e.Nombre, static_cast<std::int64_t>(Entradas.size()));
            Entradas.push_back(e);
        }
    }
}

void TArquetipos::TWLumbriskClose() {
    TWLumbriskVisible = false;
    SBLoadTerms = false;
}

void TArquetipos::LBDataArqClick() {
    const int fila = LBDataArq.ItemIndex;
    if (fila < 0 || fila >= LBDataArq.Count() || !LBDataArq.IsSelected(fila)) {
        return;
    }
    ArchivoArq = Entradas[static_cast<size_t>(LBDataArq.Datos[static_cast<size_t>(fila)])].Archivo;
    AbrirArquetipos();
    Form.ReflejarSeleccionArq(Form.LBArqNat, Form.LBItemNat);
    Form.ReflejarSeleccionArq(Form.LBArqTra, Form.LBItemTra);
    Form.ReflejarSeleccionArq(Form.LBArqAsp, Form.LBAspTra);
    // The chosen contact shows again with the new file's texts.
    if (Form.LBContactos.SelCount() > 0) {
        Form.LBContactosClick();
    } else {
        Form.LimpiarDetalle();
    }
}

}  // namespace varnolt
