// SPDX-License-Identifier: AGPL-3.0-or-later
// The export road through the real window, as a user takes it: "Detallar"
// then "Copiar" (and the hidden "Copy") of "Rangos de contactos" put their
// lines on the system clipboard; "Crear [ ].csv" of "Data CSV" asks the save
// dialog (answered by the test, or Qt's own dialog driven by the test) and
// writes the report as Windows-1252 text with CR LF line ends, or shows the
// system's error text when the file cannot be made.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "VentanaPrueba.h"
#include "app/ArchivoSeguro.h"
#include "app/Texto.h"
#include "gui/PartesComun.h"
#include "gui/TextoQt.h"
#include "support/AgendaDePrueba.h"

namespace varnolt::prueba {
namespace {

namespace fs = std::filesystem;

std::string LeerBytes(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

std::string Unidas(const std::vector<std::string>& lineas) {
    std::string r;
    for (const std::string& l : lineas) {
        r += l + "\n";
    }
    return r;
}

// Answers the next modal window that shows while `accion` runs: `responder`
// gets it and must close it. False when none showed.
bool ResponderModal(const std::function<void()>& accion,
                    const std::function<void(QWidget*)>& responder) {
    bool visto = false;
    QTimer temporizador;
    temporizador.setInterval(20);
    int intentos = 0;
    QObject::connect(&temporizador, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && !visto) {
            visto = true;
            temporizador.stop();
            responder(modal);
        } else if (++intentos > 250) {
            temporizador.stop();
        }
    });
    temporizador.start();
    accion();
    temporizador.stop();
    return visto;
}

class ExportarVentana : public VentanaPrueba {
  protected:
    void SetUp() override {
        VentanaPrueba::SetUp();
        QApplication::clipboard()->setText(QStringLiteral("antes"));
        ventana->DialogoGuardar = [this](const PeticionGuardar& p) -> std::optional<std::string> {
            peticiones.push_back(p);
            return respuestaGuardar;
        };
    }

    // Loads the sample, chooses two transit rows and one natal row in the
    // Arq. panels, opens "Rangos de contactos" and presses "Detallar".
    void Detallar() {
        CargarMuestra();
        ASSERT_TRUE(Form().DataCargada);
        Pulsar("SBViewArq");
        ClicFila("LBArqTra", 0);
        ClicFila("LBArqTra", 1, Qt::ControlModifier);
        ClicFila("LBArqNat", 0);
        Pulsar("SBTAView");
        const size_t antes = mensajes.size();
        Pulsar("SBCalcTA");
        ASSERT_EQ(mensajes.size(), antes + 1);
        ASSERT_FALSE(Form().MemoPrompt.empty());
        ASSERT_EQ(mensajes.back(),
                  "\r" + std::to_string(Form().MemoPrompt.size()) + " contactos encontrados !");
    }

    // After Detallar: opens "Data CSV" and makes the whole-data report of
    // every transit class, as the user picks it in the two lists.
    void Reporte() {
        Detallar();
        Pulsar("SBPromptCSV");
        ASSERT_TRUE(ventana->Herramienta(QStringLiteral("TWCSV"))->isVisible());
        Hijo<QComboBox>("CBTipoTransito")->setCurrentIndex(0);
        Hijo<QComboBox>("CBTipoReporte")->setCurrentIndex(0);
        Procesar();
        Pulsar("BtnGenCSV");
        ASSERT_EQ(Form().CBTipoReporte, 0);
        ASSERT_GT(Form().MemoResultados.size(), 1u);
    }

    static std::string Portapapeles() { return gui::S(QApplication::clipboard()->text()); }

    std::optional<std::string> respuestaGuardar;
    std::vector<PeticionGuardar> peticiones;
};

TEST_F(ExportarVentana, CopiarPutsTheProseLinesOnTheClipboard) {
    Detallar();
    Pulsar("SBCopyPrompt");
    EXPECT_EQ(mensajes.back(), "\rContactos copiados en memoria !");
    const std::string copiado = Portapapeles();
    EXPECT_EQ(copiado, Unidas(Form().MemoPrompt));
    EXPECT_EQ(copiado.rfind(".- ", 0), 0u) << copiado;
    EXPECT_NE(copiado.find(" natal desde "), std::string::npos);
    const QMimeData* datos = QApplication::clipboard()->mimeData();
    ASSERT_NE(datos, nullptr);
    EXPECT_TRUE(datos->hasText());
    EXPECT_FALSE(datos->hasHtml());  // plain text
}

TEST_F(ExportarVentana, HiddenCopyPutsTheTechnicalLinesOnTheClipboard) {
    Detallar();
    QAbstractButton* copy = Boton("SBTACopy");
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->isVisible());  // PanelAdmonContacts is never shown
    const size_t antes = mensajes.size();
    copy->click();
    Procesar();
    EXPECT_EQ(Portapapeles(), Unidas(Form().MemoTA));
    EXPECT_NE(Portapapeles().find('*'), std::string::npos);  // "…,37*"
    EXPECT_EQ(mensajes.size(), antes);                       // "Copy" says nothing
}

TEST_F(ExportarVentana, CrearCsvWritesWindows1252WithCrLf) {
    Reporte();
    CarpetaTemporal carpeta;
    const fs::path destino = carpeta.ruta() / "informe.csv";
    respuestaGuardar = destino.string();
    const std::string propuesto = Form().NombreCSV;
    const size_t antes = mensajes.size();
    Pulsar("BtnExportCSV");

    ASSERT_EQ(peticiones.size(), 1u);
    EXPECT_EQ(peticiones[0].Titulo, "Crear archivo CSV");
    EXPECT_EQ(peticiones[0].Filtro, "Archivos CVS|*.csv");
    EXPECT_EQ(peticiones[0].ExtensionPorDefecto, "csv");
    // The generated name, proposed without its leading "_".
    EXPECT_EQ(propuesto.rfind("_tránsitos_todos", 0), 0u) << propuesto;
    EXPECT_EQ(peticiones[0].NombrePropuesto, propuesto.substr(1));
    EXPECT_TRUE(errores.empty());
    ASSERT_EQ(mensajes.size(), antes + 1);
    EXPECT_EQ(mensajes.back(), "\rArchivo [informe.csv] creado !");
    EXPECT_EQ(Form().NombreCSV, destino.string());

    ASSERT_TRUE(fs::exists(destino));
    const std::string bytes = LeerBytes(destino);
    // The header: "á" and "ó" one byte each, then CR LF.
    const std::string cabecera =
        "no,Planeta Tr\xE1nsito,Signo,Aspecto,Planeta Natal,Fecha Inicio,Fecha Fin,Duraci\xF3n\r\n";
    EXPECT_EQ(bytes.substr(0, cabecera.size()), cabecera);
    EXPECT_EQ(bytes.find("\xC3"), std::string::npos);  // no UTF-8 sequence
    // Every line of MemoResultados as shown, each ended by CR LF, no bare LF.
    std::vector<std::string> lineas;
    size_t desde = 0;
    for (size_t fin; (fin = bytes.find("\r\n", desde)) != std::string::npos; desde = fin + 2) {
        lineas.push_back(Cp1252AUtf8(bytes.substr(desde, fin - desde)));
    }
    EXPECT_EQ(desde, bytes.size());
    EXPECT_EQ(lineas, Form().MemoResultados);
    size_t lf = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++lf;
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "LF sin CR en " << i;
        }
    }
    EXPECT_EQ(lf, Form().MemoResultados.size());

    // Saving again proposes the file just written.
    Pulsar("BtnExportCSV");
    ASSERT_EQ(peticiones.size(), 2u);
    EXPECT_EQ(peticiones[1].NombrePropuesto, "informe.csv");
}

TEST_F(ExportarVentana, CancellingTheSaveDialogWritesAndShowsNothing) {
    Reporte();
    respuestaGuardar.reset();
    const std::string propuesto = Form().NombreCSV;
    const size_t antes = mensajes.size();
    Pulsar("BtnExportCSV");
    ASSERT_EQ(peticiones.size(), 1u);
    EXPECT_EQ(mensajes.size(), antes);
    EXPECT_TRUE(errores.empty());
    EXPECT_EQ(Form().NombreCSV, propuesto);
    EXPECT_FALSE(fs::exists(propuesto));
}

TEST_F(ExportarVentana, AFileThatCannotBeMadeShowsTheSystemsErrorText) {
    Reporte();
    CarpetaTemporal carpeta;
    const std::string destino = (carpeta.ruta() / "no_existe" / "informe.csv").string();
    respuestaGuardar = destino;
    const std::vector<std::string> resultados = Form().MemoResultados;
    const size_t antes = mensajes.size();
    Pulsar("BtnExportCSV");
    EXPECT_EQ(mensajes.size(), antes);  // no confirmation
    ASSERT_EQ(errores.size(), 1u);
    EXPECT_EQ(errores[0],
              "No se pudo crear el archivo [" + destino + "]\r\r" + TextoErrorSistema(ENOENT));
    EXPECT_FALSE(fs::exists(destino));
    EXPECT_TRUE(fs::is_empty(carpeta.ruta()));  // no temporary file left
    EXPECT_EQ(Form().MemoResultados, resultados);
    EXPECT_EQ(Form().NombreCSV, destino);
}

// Without the test's answer, the window runs Qt's save dialog as the request
// describes it: the user types a name without extension, and then saves over
// the file, which the dialog asks about first.
TEST_F(ExportarVentana, TheSaveDialogAsksAsTheCoreDescribes) {
    Reporte();
    ventana->DialogoGuardar = nullptr;
    CarpetaTemporal carpeta;
    const QString propuesto = gui::Q(Form().NombreCSV).mid(1);  // without its "_"
    QString titulo;
    QStringList filtros;
    QString sufijo;
    QString nombreVisto;
    bool guardar = false;
    bool confirma = false;
    bool asa = false;
    const bool visto =
        ResponderModal([this] { Pulsar("BtnExportCSV"); },
                       [&](QWidget* modal) {
                           auto* d = qobject_cast<QFileDialog*>(modal);
                           ASSERT_NE(d, nullptr);
                           titulo = d->windowTitle();
                           filtros = d->nameFilters();
                           sufijo = d->defaultSuffix();
                           guardar = d->acceptMode() == QFileDialog::AcceptSave;
                           confirma = !d->testOption(QFileDialog::DontConfirmOverwrite);
                           asa = d->isSizeGripEnabled();
                           auto* nombre = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                           ASSERT_NE(nombre, nullptr);
                           nombreVisto = nombre->text();
                           // The user types a name without extension in the
                           // folder and presses "Save".
                           d->setDirectory(gui::Q(carpeta.ruta().string()));
                           nombre->setText(QStringLiteral("informe"));
                           static_cast<QDialog*>(d)->accept();
                       });
    ASSERT_TRUE(visto);
    EXPECT_EQ(gui::S(titulo), "Crear archivo CSV");
    EXPECT_EQ(filtros, QStringList{QStringLiteral("Archivos CVS (*.csv)")});
    EXPECT_EQ(gui::S(sufijo), "csv");
    EXPECT_TRUE(guardar);
    EXPECT_TRUE(confirma);
    EXPECT_TRUE(asa);
    EXPECT_EQ(nombreVisto, propuesto);
    const fs::path destino = carpeta.ruta() / "informe.csv";
    ASSERT_TRUE(fs::exists(destino)) << Form().NombreCSV;
    EXPECT_EQ(mensajes.back(), "\rArchivo [informe.csv] creado !");
    EXPECT_EQ(Form().NombreCSV, destino.string());

    // Again, over the same file: the dialog asks before replacing it.
    fs::resize_file(destino, 0);
    bool pregunta = false;
    const bool otraVez =
        ResponderModal([this] { Pulsar("BtnExportCSV"); },
                       [&](QWidget* modal) {
                           auto* d = qobject_cast<QFileDialog*>(modal);
                           ASSERT_NE(d, nullptr);
                           d->selectFile(gui::Q(destino.string()));
                           ResponderModal([d] { static_cast<QDialog*>(d)->accept(); },
                                          [&](QWidget* caja) {
                                              auto* m = qobject_cast<QMessageBox*>(caja);
                                              ASSERT_NE(m, nullptr);
                                              pregunta = true;
                                              m->button(QMessageBox::Yes)->click();
                                          });
                       });
    ASSERT_TRUE(otraVez);
    EXPECT_TRUE(pregunta);
    EXPECT_GT(fs::file_size(destino), 0u);
}

TEST(FiltroDialogo, DescriptionAndPatternInQtsForm) {
    struct Caso {
        const char* filtro;
        const char* qt;
    };
    const Caso casos[] = {
        {"Archivos CVS|*.csv", "Archivos CVS (*.csv)"},
        {"Texto|*.txt;*.csv|Todos|*.*", "Texto (*.txt *.csv);;Todos (*.*)"},
        {"Sin patrón", "Sin patrón (*)"},
        {"Uno|*.a|", "Uno (*.a)"},
        {"", ""},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(gui::S(gui::FiltroQt(c.filtro)), c.qt) << c.filtro;
    }
}

}  // namespace
}  // namespace varnolt::prueba
