// SPDX-License-Identifier: AGPL-3.0-or-later
// The archetype terms: the archetype file in use, its twelve term lists, the
// three archetype panels of the main window and the catalogue of archetype
// files.
//
// TArquetipos works beside the main window's state (TFormVarnolt): it fills
// the window's archetype lists, turns their selection into the window's
// selection lists, and installs itself as the window's AbrirArquetipos.
// Errors of the archetype access are thrown as ErrorArquetipos and end the
// user action that met them; the window shows the text.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/FormVarnolt.h"
#include "archetypes/AccesoSQLite.h"
#include "archetypes/ItemArq.h"

namespace varnolt {

// The data module of the archetype files: two connections with their readers.
struct TDM_Terms {
    TASQLiteDB ASQLiteDBSM;  // the archetype file in use
    TASQLiteTable TableSM{ASQLiteDBSM};
    TASQLiteDB ASQLiteDBTerms;  // each file of the catalogue scan
    TASQLiteTable TableInfo{ASQLiteDBTerms};
};

// One catalogue entry, from the file's "_Info_Data" table.
struct TInfoPlantillaArq {
    std::string Archivo;
    std::string Nombre;
    std::string Autor;
    std::string Owner;
    std::string Version;
    std::string Url;
    std::string Alcance;
    std::string Contexto;
    int Clase = 0;
    int ToClase = 0;
    int CanEdit = 0;
    int CanCopy = 0;
    int CanDelete = 0;
    int ForceInfo = 0;
};


// The folder the catalogue scans: documents/quillmere/Orbelune arquetipos/.
std::string CarpetaArq();

// Adds the path of every "*.arq" file of the folder that is not a folder,
// in the order the file system gives them; true when the list is not empty.
bool ListarArchivosArq(const std::string& carpeta, std::vector<std::string>& lista);

class TArquetipos {
  public:
    explicit TArquetipos(TFormVarnolt& form);
    TArquetipos(const TArquetipos&) = delete;
    TArquetipos& operator=(const TArquetipos&) = delete;

    TFormVarnolt& Form;
    TDM_Terms DM;
    std::string ArchivoArq;  // the archetype file in use
    std::array<std::vector<TItemArq>, kTablasArq> ListasArq;
    std::vector<TInfoPlantillaArq> PlantillasArq;

    // The folder the program's library is loaded from ("dll" beside it);
    // the executable's folder unless set.
    std::string CarpetaPrograma;
    // The catalogue's folder; CarpetaArq() unless set.
    std::string CarpetaCatalogo;

    // The catalogue window.
    bool SBLoadTerms = false;  // the toggle is down
    bool TWLumbriskVisible = false;
    TListBox LBDataArq;                       // rows carry the index of their entry in Entradas
    std::vector<TInfoPlantillaArq> Entradas;  // the entries the rows refer to

    void AbrirArquetipos();
    void CargarTablaArq(TablaArq tabla);
    std::string TextoArquetipo(const std::string& clave, TablaArq tabla) const;

    void LlenarArqItems(const char* tabla, const std::vector<std::string>& catalogo,
                        TListBoxArq& lista);
    void LlenarArqAspectos(const std::vector<std::string>& catalogo, TListBoxArq& lista);
    void LlenarArqCasas(const std::vector<std::string>& catalogo, TListBoxArq& lista, bool w);

    // Click in an archetype list (Tag 1 natal, 2 transit, 3 angles).
    void LBArqTraClick(int tag);
    void AplicarSeleccionArq(TListBoxArq& lista, TListBox& filtro,
                             std::vector<std::string>& seleccion);

    void LeerCatalogoArq();
    void SBLoadTermsClick(bool abajo);
    void TWLumbriskClose();
    void LBDataArqClick();

  private:
    std::string DLL() const;
    void Abrir(TASQLiteDB& conexion, const std::string& archivo);
    TListBoxArq& ListaDeTag(int tag);
};

}  // namespace varnolt
