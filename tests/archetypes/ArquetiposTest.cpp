// SPDX-License-Identifier: AGPL-3.0-or-later
#include "archetypes/Arquetipos.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/AgendaDePrueba.h"
#include "support/VentanaFalsa.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;
using prueba::Contacto;

std::string Arq(const std::string& nombre) {
    return std::string(VARNOLT_FIXTURES) + "/arq/" + nombre;
}

// The test programs live in bin/ beside the dll folder of the build.
std::string CarpetaPrograma() {
    return fs::canonical("/proc/self/exe").parent_path().string();
}

class Arquetipos : public ::testing::Test {
  protected:
    Arquetipos() : form(ventana), arq(form) {
        arq.CarpetaPrograma = CarpetaPrograma();
        arq.ArchivoArq = Arq("completo.arq");
    }
    void Cargar(const std::vector<std::string>& agendas) {
        form.CargarAgendas(agendas);
        ASSERT_TRUE(form.DataCargada);
    }
    std::vector<std::string> Claves(const TListBoxArq& l) const {
        std::vector<std::string> r;
        for (const auto& t : l.Terminos) {
            r.push_back(t.Clave);
        }
        return r;
    }

    prueba::CarpetaTemporal carpeta;
    prueba::VentanaFalsa ventana;
    TFormVarnolt form;
    TArquetipos arq;
};

TEST_F(Arquetipos, ConnectionErrors) {
    TASQLiteDB db;
    db.DriverDLL = CarpetaPrograma() + "/dll/" + kArchivoBibliotecaSQLite;
    try {
        db.Open();
        FAIL();
    } catch (const ErrorArquetipos& e) {
        EXPECT_STREQ(e.what(), "Missing database property");
    }
    db.DefaultDir = carpeta.ruta().string();
    db.Database = "falta.arq";
    try {
        db.Open();
        FAIL();
    } catch (const ErrorArquetipos& e) {
        EXPECT_EQ(e.what(), "Database " + carpeta.ruta().string() + "/falta.arq does not exist");
    }
    db.DefaultDir = std::string(VARNOLT_FIXTURES) + "/arq";
    db.Database = "completo.arq";
    db.DriverDLL = carpeta.ruta().string() + "/dll/" + kArchivoBibliotecaSQLite;
    try {
        db.Open();
        FAIL();
    } catch (const ErrorArquetipos& e) {
        EXPECT_STREQ(e.what(), "Could not load SQLite library");
    }
    EXPECT_FALSE(db.Connected());
    db.DriverDLL = CarpetaPrograma() + "/dll/" + kArchivoBibliotecaSQLite;
    db.Open();
    EXPECT_TRUE(db.Connected());
    EXPECT_EQ(db.CodificacionBiblioteca(), "iso8859");
    EXPECT_EQ(db.VersionBiblioteca().rfind("2.8.", 0), 0u);
    TASQLiteTable tabla(db);
    tabla.TableName = "Nope";
    try {
        tabla.Open();
        FAIL();
    } catch (const ErrorArquetipos& e) {
        EXPECT_STREQ(e.what(), "no such table: Nope\nselect *, rowid from Nope\n");
    }
    tabla.TableName = "Items_01";
    tabla.Open();
    EXPECT_EQ(tabla.Columnas(), (std::vector<std::string>{"Id", "Clave", "Texto", "rowid"}));
    EXPECT_EQ(tabla.RecordCount(), 27u);
    EXPECT_EQ(tabla.Texto(1), "Sol");
    EXPECT_EQ(tabla.Entero("id"), 1);
    EXPECT_THROW(tabla.Texto("Url"), ErrorArquetipos);
    db.Close();
    db.Close();  // closing a closed connection does nothing
}

TEST_F(Arquetipos, TermListsAndLookUp) {
    arq.AbrirArquetipos();
    EXPECT_EQ(arq.ListasArq[Items_01].size(), 27u);
    EXPECT_EQ(arq.ListasArq[Aspectos_03].size(), 19u);
    EXPECT_EQ(arq.TextoArquetipo("sol", Items_01), "Sol 01: texto del ítem Sol (completo)");
    EXPECT_EQ(arq.TextoArquetipo("JÚP", Items_01), "-");
    EXPECT_EQ(arq.TextoArquetipo("Júp", Items_01).rfind("Júp 01", 0), 0u);
    EXPECT_EQ(arq.TextoArquetipo("Jup", Items_01), "-");
    EXPECT_NE(arq.TextoArquetipo("90", Aspectos_01), "-");
    EXPECT_EQ(arq.TextoArquetipo("090", Aspectos_01), "-");
    // A text long enough to spill onto overflow pages reads whole.
    EXPECT_GE(arq.TextoArquetipo("Plu", Items_02).size(), 3000u);
    // No agenda loaded: the panels stay empty.
    EXPECT_EQ(form.LBArqTra.Count(), 0);
    EXPECT_FALSE(arq.DM.ASQLiteDBSM.Connected());

    arq.ArchivoArq = Arq("tablas_vacias.arq");
    arq.AbrirArquetipos();
    EXPECT_TRUE(arq.ListasArq[Items_01].empty());
    EXPECT_EQ(arq.TextoArquetipo("Sol", Items_01), "-");

    arq.ArchivoArq = Arq("grande.arq");
    arq.AbrirArquetipos();
    EXPECT_EQ(arq.TextoArquetipo("Sol", Items_01), "Sol 01: texto del ítem Sol (grande)");
}

TEST_F(Arquetipos, MissingTableKeepsTheListsAfterIt) {
    arq.AbrirArquetipos();
    const auto signos03 = arq.ListasArq[Signos_03];
    arq.ArchivoArq = Arq("falta_signos02.arq");
    try {
        arq.AbrirArquetipos();
        FAIL();
    } catch (const ErrorArquetipos& e) {
        EXPECT_STREQ(e.what(), "no such table: Signos_02\nselect *, rowid from Signos_02\n");
    }
    EXPECT_TRUE(arq.ListasArq[Signos_02].empty());
    EXPECT_EQ(arq.ListasArq[Signos_03].size(), signos03.size());
    EXPECT_EQ(arq.ListasArq[Signos_03][0].Texto, signos03[0].Texto);
    EXPECT_EQ(arq.ListasArq[Items_01][0].Texto, "Sol 01: texto del ítem Sol (falta)");
}

TEST_F(Arquetipos, LoadingAnAgendaFillsThePanels) {
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{{"2024-1-1", "Sol", "Júp", 90},
                                                                 {"2024-1-2", "C05", "Júp", 20},
                                                                 {"2024-1-3", "Lun", "Mar", 120}});
    Cargar({a});
    EXPECT_EQ(Claves(form.LBArqTra), (std::vector<std::string>{"Mar", "Júp"}));
    EXPECT_EQ(Claves(form.LBArqNat), (std::vector<std::string>{"Sol", "Lun", "C05"}));
    EXPECT_EQ(Claves(form.LBArqAsp), (std::vector<std::string>{"120", "90"}));  // no row for 20
    EXPECT_EQ(form.LBArqAsp.Items[1], "Cuadratura (90°)");
    // One agenda file: the house rows carry the second text too.
    EXPECT_EQ(form.LBArqNat.Items[2],
              "Casa 5 01: escenario 5 (completo). Casa 5 02: escenario 5 (completo).");
    EXPECT_TRUE(form.ControlesHabilitados);
    EXPECT_EQ(ventana.mensajes.size(), 1u);

    // A second file later adds rows for its new items only; houses are not extended again.
    const auto b = carpeta.Agenda("b.csv", std::vector<Contacto>{{"2024-2-1", "C05", "Sat", 0}});
    Cargar({b});
    EXPECT_EQ(Claves(form.LBArqTra), (std::vector<std::string>{"Mar", "Júp", "Sat"}));
    EXPECT_EQ(form.LBArqNat.Count(), 3);
    EXPECT_EQ(form.LBArqNat.Items[2],
              "Casa 5 01: escenario 5 (completo). Casa 5 02: escenario 5 (completo).");
}

TEST_F(Arquetipos, TwoAgendasShowOnlyTheFirstHouseText) {
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{{"2024-1-1", "C05", "Mar"}});
    Cargar({a, a});
    ASSERT_EQ(form.LBArqNat.Count(), 1);
    EXPECT_EQ(form.LBArqNat.Items[0], "Casa 5 01: escenario 5 (completo)");
}

TEST_F(Arquetipos, JupiterWrittenJupSelectsJup) {
    arq.ArchivoArq = Arq("jup_ascii.arq");
    const auto a =
        carpeta.Agenda("a.csv", std::vector<Contacto>{{"2024-1-1", "Sol", "Júp", 90, "1"},
                                                      {"2024-1-2", "Sol", "Mar", 90, "2"}});
    Cargar({a});
    ASSERT_EQ(Claves(form.LBArqTra), (std::vector<std::string>{"Mar", "Jup"}));
    form.LBArqTra.SetSelected(1, true);
    form.LBArqTra.ItemIndex = 1;
    arq.LBArqTraClick(2);
    EXPECT_EQ(form.Seleccion.ItemsTraSel, std::vector<std::string>{"Júp"});
    EXPECT_EQ(form.LBItemTra.SelectedItems(), std::vector<std::string>{"Júp"});
    EXPECT_DOUBLE_EQ(form.Ponderacion.TotalesDia.at(0).Peso, 1);
    // Ctrl-click again removes it.
    form.LBArqTra.SetSelected(1, false);
    arq.LBArqTraClick(2);
    EXPECT_TRUE(form.Seleccion.ItemsTraSel.empty());
    EXPECT_EQ(form.LBItemTra.SelCount(), 0);
    // And the item list mirrors back onto the archetype list.
    form.LBItemTra.SetSelected(form.LBItemTra.IndexOf("Júp"), true);
    form.LBItemNatClick(2);
    EXPECT_TRUE(form.LBArqTra.IsSelected(1));
}

TEST_F(Arquetipos, MissingArchetypeFileAfterLoading) {
    arq.ArchivoArq = (carpeta.ruta() / "no-esta.arq").string();
    const auto a = carpeta.Agenda("a.csv", std::vector<Contacto>{{"2022-1-1"}, {"2024-1-1"}});
    form.RelojMs = [] { return 0; };
    try {
        form.CargarAgendas({a});
        FAIL();
    } catch (const ErrorArquetipos& e) {
        EXPECT_EQ(e.what(), "Database " + arq.ArchivoArq + " does not exist");
    }
    // Loaded and weighed, but neither enabled by the load nor reported.
    EXPECT_TRUE(form.DataCargada);
    EXPECT_FALSE(form.Ponderacion.TotalesDia.empty());
    EXPECT_FALSE(form.ControlesHabilitados);
    EXPECT_TRUE(ventana.mensajes.empty());
}

TEST_F(Arquetipos, Catalogue) {
    const fs::path carpetaArq = carpeta.ruta() / "arquetipos";
    fs::create_directories(carpetaArq / "sub.arq");  // a folder is not listed
    fs::copy_file(Arq("completo.arq"), carpetaArq / "uno.arq");
    fs::copy_file(Arq("clase2.arq"), carpetaArq / "dos.arq");
    fs::copy_file(Arq("info_vacia.arq"), carpetaArq / "tres.arq");
    arq.CarpetaCatalogo = carpetaArq.string() + "/";
    arq.SBLoadTermsClick(true);
    EXPECT_TRUE(arq.TWLumbriskVisible);
    EXPECT_EQ(arq.PlantillasArq.size(), 3u);
    ASSERT_EQ(arq.LBDataArq.Items, std::vector<std::string>{"Arquetipos completos"});
    const auto& e = arq.Entradas[0];
    EXPECT_EQ(e.Archivo, arq.CarpetaCatalogo + "uno.arq");
    EXPECT_EQ(e.Clase, 1);
    EXPECT_EQ(e.Autor, "Autora de prueba");

    // Choosing the entry makes its file the one in use.
    arq.ArchivoArq = Arq("jup_ascii.arq");
    arq.LBDataArq.SetSelected(0, true);
    arq.LBDataArq.ItemIndex = 0;
    form.Detalle.MemoArq = {"algo"};
    arq.LBDataArqClick();
    EXPECT_EQ(arq.ArchivoArq, arq.CarpetaCatalogo + "uno.arq");
    EXPECT_EQ(arq.TextoArquetipo("Sol", Items_01), "Sol 01: texto del ítem Sol (completo)");
    EXPECT_EQ(form.Detalle.MemoArq,
              std::vector<std::string>{"-para ampliar arquetipo selecciona contacto-"});

    // Emptying the folder keeps the last catalogue.
    arq.SBLoadTermsClick(false);
    for (const char* f : {"uno.arq", "dos.arq", "tres.arq"}) {
        fs::remove(carpetaArq / f);
    }
    arq.SBLoadTermsClick(true);
    EXPECT_EQ(arq.LBDataArq.Items, std::vector<std::string>{"Arquetipos completos"});

    // A file without the info table stops the scan; one lacking a column too.
    fs::copy_file(Arq("sin_info.arq"), carpetaArq / "a.arq");
    try {
        arq.LeerCatalogoArq();
        FAIL();
    } catch (const ErrorArquetipos& e) {
        EXPECT_STREQ(e.what(), "no such table: _Info_Data\nselect *, rowid from _Info_Data\n");
    }
    fs::remove(carpetaArq / "a.arq");
    fs::copy_file(Arq("info_sin_url.arq"), carpetaArq / "b.arq");
    try {
        arq.LeerCatalogoArq();
        FAIL();
    } catch (const ErrorArquetipos& e) {
        EXPECT_STREQ(e.what(), "Field 'Url' not found");
    }
}

TEST_F(Arquetipos, CorruptFilesFailWithAText) {
    for (const char* f : {"no_es_base.arq", "truncado.arq"}) {
        arq.ArchivoArq = Arq(f);
        try {
            arq.AbrirArquetipos();
            FAIL() << f;
        } catch (const ErrorArquetipos& e) {
            EXPECT_NE(std::string(e.what()).find("malformed"), std::string::npos) << e.what();
        }
    }
}

// What is not a regular file never reaches the library, which would block
// on a FIFO and read a device without end.
TEST_F(Arquetipos, SpecialFilesAreRefusedWithTheirName) {
    const std::string fifo = (carpeta.ruta() / "fifo.arq").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string dispositivo = (carpeta.ruta() / "nulo.arq").string();
    std::filesystem::create_symlink("/dev/null", dispositivo);
    const std::string directorio = (carpeta.ruta() / "carpeta.arq").string();
    std::filesystem::create_directory(directorio);
    for (const std::string& ruta : {fifo, dispositivo, directorio}) {
        arq.ArchivoArq = ruta;
        try {
            arq.AbrirArquetipos();
            ADD_FAILURE() << ruta;
        } catch (const ErrorArquetipos& e) {
            EXPECT_EQ(e.what(), "\"" + ruta + "\" no es un archivo normal");
        }
    }
}

}  // namespace
}  // namespace varnolt
