// SPDX-License-Identifier: AGPL-3.0-or-later
// The content widgets of the tool windows and panels, each shown by itself
// over a core loaded with the sample agenda, driven as a user would through
// their component names: the contacts of the day and the contact detail,
// the archetype panels, the archetype catalogue, the contact ranges and the
// CSV report. Each test also saves a screenshot of its widget in the build
// tree (VARNOLT_CAPTURAS).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Fecha.h"
#include "app/FormVarnolt.h"
#include "app/Regional.h"
#include "archetypes/Arquetipos.h"
#include "gui/ListaVarnolt.h"
#include "gui/PanelArquetipos.h"
#include "gui/PanelCSV.h"
#include "gui/PanelCatalogoArq.h"
#include "gui/PanelContactosDia.h"
#include "gui/PanelRangos.h"
#include "gui/TextoQt.h"
#include "support/AgendaDePrueba.h"

namespace varnolt::prueba {
namespace {

namespace fs = std::filesystem;
using gui::ListaVarnolt;
using gui::Q;
using gui::S;

QApplication& AplicacionQt() {
    static int argc = 1;
    static char nombre[] = "gui_partes_tests";
    static char* argv[] = {nombre, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

std::string Fixture(const std::string& nombre) {
    return std::string(VARNOLT_FIXTURES) + "/arq/" + nombre;
}

std::string AgendaMuestra() {
    return std::string(VARNOLT_FIXTURES) + "/agendas/muestra_2024.csv";
}

// The test program lives in bin/, beside the dll folder of the build.
std::string CarpetaPrograma() {
    return fs::canonical("/proc/self/exe").parent_path().string();
}

void Procesar() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

// The host of the widgets: answers the core as the main window would and
// hands every Refrescar of a view to the widgets that show it.
class Anfitrion : public IVentana {
  public:
    void MostrarMensaje(const std::string& texto) override { mensajes.push_back(texto); }
    void MostrarError(const std::string& texto) override { errores.push_back(texto); }
    void MostrarInformacion(const std::string& texto) override { informaciones.push_back(texto); }
    std::optional<std::vector<std::string>> PedirArchivosAgenda(const std::string&) override {
        return std::nullopt;
    }
    void MostrarProgreso() override {}
    void TituloProgreso(const std::string&) override {}
    void PosicionProgreso(int) override {}
    void CerrarProgreso() override {}
    void CerrarAviso() override {}
    void ProcesarMensajes() override {}
    void Refrescar(Vista vista) override {
        ++refrescos;
        if (alRefrescar) {
            alRefrescar(vista);
        }
    }
    std::optional<std::string> PedirArchivoGuardar(const PeticionGuardar& p) override {
        peticionesGuardar.push_back(p);
        return respuestaGuardar;
    }
    void CopiarAlPortapapeles(const std::string& texto) override { portapapeles.push_back(texto); }

    std::function<void(Vista)> alRefrescar;
    std::optional<std::string> respuestaGuardar;
    std::vector<PeticionGuardar> peticionesGuardar;
    std::vector<std::string> portapapeles;
    std::vector<std::string> mensajes;
    std::vector<std::string> errores;
    std::vector<std::string> informaciones;
    int refrescos = 0;
};

class Partes : public ::testing::Test {
  protected:
    Partes() : form(anfitrion), arq(form) {
        AplicacionQt();
        ConfiguracionRegional().SeparadorDecimal = '.';
        arq.CarpetaPrograma = CarpetaPrograma();
        arq.ArchivoArq = Fixture("completo.arq");
        anfitrion.alRefrescar = [this](Vista v) { Redirigir(v); };
    }
    ~Partes() override {
        anfitrion.alRefrescar = nullptr;
        contactos.reset();
        arquetipos.reset();
        catalogo.reset();
        rangos.reset();
        csv.reset();
        Procesar();
    }

    // The host's error box: the tests' widgets run every handler through it.
    gui::Ejecutor Ejecutar() {
        return [this](const std::function<void()>& accion) {
            try {
                accion();
            } catch (const std::exception& e) {
                anfitrion.MostrarError(e.what());
            }
        };
    }

    void Redirigir(Vista v) {
        if (v == Vista::ContactosDia && contactos) {
            contactos->Refrescar();
        }
        if ((v == Vista::Arquetipos || v == Vista::Listas) && arquetipos) {
            arquetipos->Refrescar();
        }
        if (v == Vista::Exportacion) {
            if (rangos) {
                rangos->Refrescar();
            }
            if (csv) {
                csv->Refrescar();
            }
        }
    }

    void CargarMuestra() {
        form.CargarAgendas({AgendaMuestra()});
        ASSERT_TRUE(form.DataCargada);
        ASSERT_GT(form.LBArqTra.Count(), 0);
    }

    // Opens "Contactos Día" on a day of the sample.
    void AbrirContactos(int anio, int mes, int dia) {
        form.MonthCalendar1Click(CodificarFecha(anio, mes, dia));
        form.SBViewContactoClick(true);
    }

    template <class W>
    void Mostrar(W& w) {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        Procesar();
    }

    template <class T>
    static T* Hijo(QWidget* w, const char* nombre) {
        T* h = w->findChild<T*>(QString::fromUtf8(nombre));
        EXPECT_NE(h, nullptr) << "no hay " << nombre;
        return h;
    }

    // A user's click on a visible, enabled button.
    static void Pulsar(QWidget* w, const char* nombre) {
        auto* b = Hijo<QAbstractButton>(w, nombre);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isVisible()) << nombre << " no está visible";
        ASSERT_TRUE(b->isEnabled()) << nombre << " no está activo";
        QTest::mouseClick(b, Qt::LeftButton);
        Procesar();
    }

    // A user's click on a row of a list, with modifier keys.
    static void ClicFila(QWidget* w, const char* lista, int fila,
                         Qt::KeyboardModifiers teclas = Qt::NoModifier) {
        auto* l = Hijo<ListaVarnolt>(w, lista);
        ASSERT_NE(l, nullptr);
        ASSERT_TRUE(l->isVisible());
        l->scrollTo(l->model()->index(fila, 0));
        const QRect r = l->RectFila(fila);
        ASSERT_TRUE(r.isValid());
        QTest::mouseClick(l->viewport(), Qt::LeftButton, teclas, r.center());
        Procesar();
    }

    static std::vector<std::string> Filas(QWidget* w, const char* lista) {
        std::vector<std::string> r;
        auto* l = Hijo<ListaVarnolt>(w, lista);
        for (int i = 0; l && i < l->model()->rowCount(); ++i) {
            r.push_back(S(l->model()->index(i, 0).data().toString()));
        }
        return r;
    }

    static std::vector<int> Seleccionadas(QWidget* w, const char* lista) {
        std::vector<int> r;
        auto* l = Hijo<ListaVarnolt>(w, lista);
        for (int i = 0; l && i < l->model()->rowCount(); ++i) {
            if (l->selectionModel()->isRowSelected(i, QModelIndex())) {
                r.push_back(i);
            }
        }
        return r;
    }

    static std::string Texto(QWidget* w, const char* etiqueta) {
        auto* l = Hijo<QLabel>(w, etiqueta);
        return l ? S(l->text()) : std::string();
    }

    static std::vector<std::string> Lineas(QWidget* w, const char* memo) {
        std::vector<std::string> r;
        auto* m = Hijo<QPlainTextEdit>(w, memo);
        if (m == nullptr || m->document()->isEmpty()) {
            return r;
        }
        for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next()) {
            r.push_back(S(b.text()));
        }
        return r;
    }

    // The colour of a pixel of a list row, in the view's viewport.
    static QColor Pixel(QWidget* w, const char* lista, int fila, int x) {
        auto* l = Hijo<ListaVarnolt>(w, lista);
        const QRect r = l->RectFila(fila);
        const QImage img = l->viewport()->grab().toImage();
        return img.pixelColor(r.left() + x, r.center().y());
    }

    // True when some pixel of the row (past its left edge) has the colour.
    static bool FilaTieneColor(QWidget* w, const char* lista, int fila, QColor color) {
        auto* l = Hijo<ListaVarnolt>(w, lista);
        const QRect r = l->RectFila(fila);
        const QImage img = l->viewport()->grab().toImage();
        const int fin = std::min({r.right(), r.left() + 200, img.width() - 1});
        for (int y = r.top(); y <= r.bottom() && y < img.height(); ++y) {
            for (int x = r.left() + 3; x < fin; ++x) {
                if (img.pixelColor(x, y) == color) {
                    return true;
                }
            }
        }
        return false;
    }

    static void Captura(QWidget& w, const char* nombre) {
        fs::create_directories(VARNOLT_CAPTURAS);
        const QString ruta = QString::fromUtf8(VARNOLT_CAPTURAS) + QLatin1Char('/') +
                             QString::fromUtf8(nombre) + QStringLiteral(".png");
        EXPECT_TRUE(w.grab().save(ruta)) << S(ruta);
    }

    // The bundled sample archetype file when the build made it: its texts
    // are real sentences, better for the screenshots.
    void ArquetiposDeMuestra() {
        if (fs::exists(VARNOLT_ARQ_MUESTRA)) {
            arq.ArchivoArq = VARNOLT_ARQ_MUESTRA;
        }
    }

    Anfitrion anfitrion;
    TFormVarnolt form;
    TArquetipos arq;
    std::unique_ptr<gui::PanelContactosDia> contactos;
    std::unique_ptr<gui::PanelArquetipos> arquetipos;
    std::unique_ptr<gui::PanelCatalogoArq> catalogo;
    std::unique_ptr<gui::PanelRangos> rangos;
    std::unique_ptr<gui::PanelCSV> csv;
};

// ---- Contacts of the day ---------------------------------------------------

TEST_F(Partes, ContactosDiaAtStart) {
    contactos = std::make_unique<gui::PanelContactosDia>(form, nullptr, Ejecutar());
    Mostrar(*contactos);
    QWidget* w = contactos.get();
    EXPECT_EQ(contactos->Ancho(), 400);
    EXPECT_EQ(contactos->sizeHint(), QSize(400, 520));
    EXPECT_EQ(Hijo<QWidget>(w, "PanelContactosDiaL")->geometry(), QRect(0, 0, 395, 520));
    EXPECT_EQ(Hijo<QWidget>(w, "PanelContactosDiaR")->x(), 400);
    EXPECT_EQ(S(Hijo<QGroupBox>(w, "RGSortContacto")->title()), "Ordenar por:");
    EXPECT_TRUE(Hijo<QRadioButton>(w, "RGSortContacto0")->isChecked());
    EXPECT_EQ(S(Hijo<QRadioButton>(w, "RGSortContacto1")->text()), "Peso ponderado");
    EXPECT_EQ(Texto(w, "LabelRangoFuerza"), "Rango de Fuerza (%)");
    const char* bandas[6] = {"SBViewAll",   "SBViewLim40", "SBViewLim80",
                             "SBViewMay50", "SBViewMay80", "SBViewMay90"};
    const char* textos[6] = {"T", "0-40", "40-80", ">50", ">80", ">90"};
    for (int i = 0; i < 6; ++i) {
        auto* b = Hijo<QToolButton>(w, bandas[i]);
        EXPECT_EQ(S(b->text()), textos[i]);
        EXPECT_TRUE(b->isVisible());
        EXPECT_EQ(b->isChecked(), i == 0);
    }
    auto* detalleArq = Hijo<QToolButton>(w, "SBDetalleArq");
    EXPECT_EQ(S(detalleArq->text()), "Ver arquetipos contacto");
    EXPECT_FALSE(detalleArq->isVisible());
    EXPECT_EQ(Texto(w, "LabelTipoNatal"), "tu");
    EXPECT_EQ(Texto(w, "LabelDetAspNatal"), "");
    EXPECT_EQ(Lineas(w, "MemoArq"),
              std::vector<std::string>{"-para ampliar arquetipo selecciona contacto-"});
    EXPECT_TRUE(Hijo<QPlainTextEdit>(w, "MemoArq")->isReadOnly());
    EXPECT_TRUE(Filas(w, "LBContactos").empty());

    // The looks of the labels.
    auto* natal = Hijo<QLabel>(w, "LabelDetAspNatal");
    EXPECT_EQ(natal->font().pointSize(), 12);
    EXPECT_EQ(natal->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(natal->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(natal->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    auto* pos = Hijo<QLabel>(w, "LabelDetAspPos");
    EXPECT_EQ(pos->palette().color(QPalette::WindowText), QColor(100, 100, 100));
    EXPECT_EQ(pos->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    auto* tra = Hijo<QLabel>(w, "LabelDescItemTra");
    EXPECT_TRUE(tra->wordWrap());
    EXPECT_EQ(tra->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(tra->palette().color(QPalette::Window), QColor(255, 128, 0));
    EXPECT_EQ(tra->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(Hijo<QLabel>(w, "LabelDescItemAsp")->palette().color(QPalette::Window),
              QColor(128, 0, 0));
    EXPECT_EQ(Hijo<QLabel>(w, "LabelDescItemNat")->palette().color(QPalette::Window),
              QColor(0, 128, 255));
    EXPECT_EQ(Hijo<QLabel>(w, "LabelTipoNatal")->palette().color(QPalette::WindowText),
              QColor(98, 98, 98));
    EXPECT_EQ(Hijo<QWidget>(w, "PanelInfoTransito")->palette().color(QPalette::Window),
              QColor(255, 255, 255));
    EXPECT_EQ(Hijo<ListaVarnolt>(w, "LBContactos")->Lista().Tag, 0);
}

TEST_F(Partes, ContactosDiaListsTheDayAndShowsTheChosenContact) {
    ArquetiposDeMuestra();
    CargarMuestra();
    contactos = std::make_unique<gui::PanelContactosDia>(form, nullptr, Ejecutar());
    Mostrar(*contactos);
    QWidget* w = contactos.get();
    AbrirContactos(2024, 3, 5);

    const std::vector<std::string> filas = Filas(w, "LBContactos");
    ASSERT_GE(filas.size(), 3u);
    EXPECT_EQ(filas, form.LBContactos.Items);
    EXPECT_EQ(filas[0].rfind("1. 2024 mar 5: ", 0), 0u) << filas[0];
    EXPECT_EQ(Seleccionadas(w, "LBContactos"), std::vector<int>{0});
    EXPECT_EQ(S(Hijo<QGroupBox>(w, "RGSortContacto")->title()), form.RGSortContactoCaption);
    EXPECT_EQ(form.RGSortContactoCaption.rfind("Ord. por: [", 0), 0u);

    // The first contact's detail.
    const TTendencia& primero = form.ContactosDia[0];
    EXPECT_EQ(Texto(w, "LabelDetAspNatal"), form.Detalle.LabelDetAspNatal);
    EXPECT_EQ(Texto(w, "LabelDetAspNatal").rfind(std::string(primero.TraContacto) + " en trán.", 0),
              0u);
    EXPECT_EQ(Texto(w, "LabelDetAspPos"), form.Detalle.LabelDetAspPos);
    EXPECT_EQ(Lineas(w, "MemoArq"), form.Detalle.MemoArq);
    EXPECT_EQ(Lineas(w, "MemoArq").size(), 31u);

    // A user's click on the third row shows the third contact.
    ClicFila(w, "LBContactos", 2);
    EXPECT_EQ(form.LBContactos.ItemIndex, 2);
    EXPECT_EQ(Seleccionadas(w, "LBContactos"), std::vector<int>{2});
    const TTendencia& c = form.ContactosDia[static_cast<size_t>(form.LBContactos.Datos[2])];
    EXPECT_EQ(Texto(w, "LabelDetAspNatal"), std::string(c.TraContacto) + " en trán.        " +
                                                std::to_string(c.Aspecto) + "°        " +
                                                std::string(c.NatContacto) + " natal");
    EXPECT_EQ(Texto(w, "LabelDescItemTra"), form.Detalle.LabelDescItemTra);
    EXPECT_EQ(Texto(w, "LabelDescItemAsp"), form.Detalle.LabelDescItemAsp);
    EXPECT_EQ(Texto(w, "LabelDescItemNat"), form.Detalle.LabelDescItemNat);
    EXPECT_EQ(Texto(w, "LabelTipoNatal").rfind("Mi ", 0), 0u);
    const std::vector<std::string> memo = Lineas(w, "MemoArq");
    ASSERT_EQ(memo.size(), 31u);
    EXPECT_EQ(memo, form.Detalle.MemoArq);
    EXPECT_NE(memo[0].find(". Tránsito"), std::string::npos) << memo[0];
    // The memo shows its top.
    auto* memoArq = Hijo<QPlainTextEdit>(w, "MemoArq");
    EXPECT_EQ(memoArq->textCursor().position(), 0);
    EXPECT_EQ(memoArq->verticalScrollBar()->value(), 0);
    EXPECT_EQ(memoArq->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // The selected row is painted yellow, the others on white.
    EXPECT_EQ(Pixel(w, "LBContactos", 2, 1), QColor(255, 255, 0));
    EXPECT_EQ(Pixel(w, "LBContactos", 0, 1), QColor(255, 255, 255));
    EXPECT_TRUE(FilaTieneColor(w, "LBContactos", 2, QColor(128, 0, 0)));
    EXPECT_EQ(Hijo<ListaVarnolt>(w, "LBContactos")->RectFila(1).height(), 16);

    // The window as the program shows it (400 wide), then with the archetype
    // texts in view.
    Captura(*contactos, "PanelContactosDia");
    QSignalSpy ancho(contactos.get(), &gui::PanelContactosDia::AnchoSolicitado);
    Hijo<QToolButton>(w, "SBDetalleArq")->click();
    Procesar();
    ASSERT_EQ(ancho.count(), 1);
    contactos->resize(ancho.at(0).at(0).toInt(), 520);
    Procesar();
    Captura(*contactos, "PanelContactosDia_800");
}

TEST_F(Partes, ContactosDiaBandButtonsAndSort) {
    CargarMuestra();
    contactos = std::make_unique<gui::PanelContactosDia>(form, nullptr, Ejecutar());
    Mostrar(*contactos);
    QWidget* w = contactos.get();
    AbrirContactos(2024, 3, 5);
    const size_t todos = Filas(w, "LBContactos").size();
    ASSERT_GT(todos, 5u);

    struct Caso {
        const char* boton;
        int banda;
        std::function<bool(double)> pasa;
    };
    const Caso casos[] = {
        {"SBViewLim40", 1, [](double f) { return f > 0 && f <= 40; }},
        {"SBViewLim80", 2, [](double f) { return f > 40 && f <= 80; }},
        {"SBViewMay50", 3, [](double f) { return f >= 50; }},
        {"SBViewMay80", 4, [](double f) { return f >= 80; }},
        {"SBViewMay90", 5, [](double f) { return f >= 90; }},
    };
    for (const Caso& caso : casos) {
        Pulsar(w, caso.boton);
        EXPECT_EQ(form.BandaContactos, caso.banda) << caso.boton;
        EXPECT_TRUE(Hijo<QToolButton>(w, caso.boton)->isChecked());
        EXPECT_FALSE(Hijo<QToolButton>(w, "SBViewAll")->isChecked());
        size_t esperadas = 0;
        for (const TTendencia& t : form.Tendencias) {
            if (t.Fecha == CodificarFecha(2024, 3, 5) && caso.pasa(t.Fuerza)) {
                ++esperadas;
            }
        }
        EXPECT_EQ(Filas(w, "LBContactos").size(), esperadas) << caso.boton;
        for (const TTendencia& t : form.ContactosDia) {
            EXPECT_TRUE(caso.pasa(t.Fuerza)) << caso.boton << " " << t.Fuerza;
        }
        EXPECT_EQ(Filas(w, "LBContactos"), form.LBContactos.Items);
    }
    // Pressing the button that is down leaves it down.
    Pulsar(w, "SBViewMay90");
    EXPECT_TRUE(Hijo<QToolButton>(w, "SBViewMay90")->isChecked());
    EXPECT_EQ(form.BandaContactos, 5);
    Pulsar(w, "SBViewAll");
    EXPECT_EQ(Filas(w, "LBContactos").size(), todos);

    // "Peso ponderado": rows by weight, numbered from 1, the first chosen.
    ClicFila(w, "LBContactos", 3);
    QTest::mouseClick(Hijo<QRadioButton>(w, "RGSortContacto1"), Qt::LeftButton);
    Procesar();
    EXPECT_EQ(form.RGSortContacto, 1);
    EXPECT_TRUE(Hijo<QRadioButton>(w, "RGSortContacto1")->isChecked());
    const std::vector<std::string> filas = Filas(w, "LBContactos");
    ASSERT_EQ(filas.size(), todos);
    EXPECT_EQ(filas, form.LBContactos.Items);
    EXPECT_EQ(filas[0].rfind("1. ", 0), 0u);
    EXPECT_EQ(filas[1].rfind("2. ", 0), 0u);
    for (size_t i = 1; i < form.ContactosDia.size(); ++i) {
        EXPECT_GE(form.ContactosDia[i - 1].Peso, form.ContactosDia[i].Peso);
    }
    EXPECT_EQ(Seleccionadas(w, "LBContactos"), std::vector<int>{0});
    EXPECT_EQ(S(Hijo<QGroupBox>(w, "RGSortContacto")->title()), form.RGSortContactoCaption);

    // A day without contacts.
    form.MonthCalendar1Click(CodificarFecha(2023, 1, 1));
    EXPECT_TRUE(Filas(w, "LBContactos").empty());
    EXPECT_EQ(S(Hijo<QGroupBox>(w, "RGSortContacto")->title()), "Ord. por: [0 : 0.00]");
    EXPECT_EQ(Texto(w, "LabelTipoNatal"), "tu");
}

TEST_F(Partes, ContactosDiaAsksForTheWindowWidth) {
    contactos = std::make_unique<gui::PanelContactosDia>(form, nullptr, Ejecutar());
    Mostrar(*contactos);
    QSignalSpy ancho(contactos.get(), &gui::PanelContactosDia::AnchoSolicitado);
    auto* b = Hijo<QToolButton>(contactos.get(), "SBDetalleArq");
    b->click();  // hidden: no user reaches it; the host or a tool may
    Procesar();
    EXPECT_TRUE(form.SBDetalleArq);
    EXPECT_TRUE(b->isChecked());
    ASSERT_EQ(ancho.count(), 1);
    EXPECT_EQ(ancho.at(0).at(0).toInt(), 800);
    EXPECT_EQ(contactos->Ancho(), 800);
    b->click();
    Procesar();
    ASSERT_EQ(ancho.count(), 2);
    EXPECT_EQ(ancho.at(1).at(0).toInt(), 400);
    // A change made by the core alone reaches the host as well.
    form.SBDetalleArqClick(true);
    ASSERT_EQ(ancho.count(), 3);
    EXPECT_TRUE(b->isChecked());
}

// ---- Archetype panels --------------------------------------------------------

TEST_F(Partes, ArquetiposRowsHeadingsAndWidths) {
    ArquetiposDeMuestra();
    CargarMuestra();
    arquetipos = std::make_unique<gui::PanelArquetipos>(form, arq, nullptr, Ejecutar());
    arquetipos->resize(1200, 260);
    Mostrar(*arquetipos);
    QWidget* w = arquetipos.get();
    EXPECT_EQ(Filas(w, "LBArqTra"), form.LBArqTra.Items);
    EXPECT_EQ(Filas(w, "LBArqAsp"), form.LBArqAsp.Items);
    EXPECT_EQ(Filas(w, "LBArqNat"), form.LBArqNat.Items);
    EXPECT_EQ(Texto(w, "PanelArqTraLabel"), "El gestor (item en el cielo)");
    EXPECT_EQ(Texto(w, "PanelArqAspLabel"),
              std::string(15, ' ') + "La oportunidad (ángulo tránsito)");
    EXPECT_EQ(Texto(w, "PanelArqNatLabel"), "Elemento de vida (mandala natal)");
    struct B {
        const char* nombre;
        const char* texto;
        const char* pista;
    };
    const B botones[] = {{"SpeedButton2", "T", nullptr},
                         {"SpeedButton3", "N", nullptr},
                         {"SpeedButton8", "T", nullptr},
                         {"SpeedButton9", "N", nullptr},
                         {"SpeedButton10", "May.", "0,180,120,90"},
                         {"SpeedButton4", "T", nullptr},
                         {"SpeedButton5", "N", nullptr},
                         {"SpeedButton6", "SP", "Solo planetas"},
                         {"SpeedButton7", "SC", "Solo casas"}};
    for (const B& b : botones) {
        auto* boton = Hijo<QToolButton>(w, b.nombre);
        ASSERT_NE(boton, nullptr);
        EXPECT_EQ(S(boton->text()), b.texto);
        EXPECT_TRUE(boton->isVisible());
        if (b.pista != nullptr) {
            EXPECT_EQ(S(boton->toolTip()), b.pista);
        }
    }
    // The aspect panel's buttons sit in the room its blanks leave.
    auto* may = Hijo<QToolButton>(w, "SpeedButton10");
    auto* cabecera = Hijo<QLabel>(w, "PanelArqAspLabel");
    const int inicioTexto =
        cabecera->fontMetrics().horizontalAdvance(QString(15, QLatin1Char(' '))) +
        cabecera->indent() + cabecera->contentsMargins().left();
    EXPECT_LE(may->geometry().right(), inicioTexto);

    // Without widths set, 0.35 W, 0.25 W and the rest.
    EXPECT_EQ(arquetipos->PanelArqTra()->geometry(), QRect(0, 0, 420, 260));
    EXPECT_EQ(arquetipos->PanelArqAsp()->geometry(), QRect(420, 0, 300, 260));
    EXPECT_EQ(arquetipos->PanelArqNat()->geometry(), QRect(720, 0, 480, 260));
    arquetipos->Anchos(400, 290, 510);
    EXPECT_EQ(arquetipos->PanelArqAsp()->geometry(), QRect(400, 0, 290, 260));
    EXPECT_EQ(arquetipos->PanelArqNat()->geometry(), QRect(690, 0, 510, 260));

    // Lists: multi-select, rows of 20 on RGB(255,255,232).
    for (const char* nombre : {"LBArqTra", "LBArqAsp", "LBArqNat"}) {
        auto* l = Hijo<ListaVarnolt>(w, nombre);
        EXPECT_EQ(l->selectionMode(), QAbstractItemView::ExtendedSelection);
        EXPECT_EQ(l->RectFila(0).height(), 20);
        EXPECT_EQ(Pixel(w, nombre, 0, 1), QColor(255, 255, 232)) << nombre;
    }
    Pulsar(w, "SpeedButton10");
    Pulsar(w, "SpeedButton3");
    ClicFila(w, "LBArqTra", 0);
    ClicFila(w, "LBArqTra", 2, Qt::ControlModifier);
    ClicFila(w, "LBArqNat", 1);
    Captura(*arquetipos, "PanelArquetipos");
}

TEST_F(Partes, ArquetiposClicksSelectItemsAndAngles) {
    CargarMuestra();
    arquetipos = std::make_unique<gui::PanelArquetipos>(form, arq, nullptr, Ejecutar());
    arquetipos->resize(1000, 300);
    Mostrar(*arquetipos);
    QWidget* w = arquetipos.get();
    ASSERT_GE(form.LBArqTra.Count(), 3);

    // A click selects the transit item: selection list, filter list, weighting.
    const std::string codigo = form.LBArqTra.CodigoFila(1);
    ClicFila(w, "LBArqTra", 1);
    EXPECT_EQ(form.Seleccion.ItemsTraSel, std::vector<std::string>{codigo});
    const int filaFiltro = form.LBItemTra.IndexOf(codigo);
    ASSERT_GE(filaFiltro, 0);
    EXPECT_TRUE(form.LBItemTra.IsSelected(filaFiltro));
    EXPECT_EQ(Seleccionadas(w, "LBArqTra"), std::vector<int>{1});
    EXPECT_EQ(Pixel(w, "LBArqTra", 1, 1), QColor(255, 128, 0));
    EXPECT_EQ(Pixel(w, "LBArqTra", 0, 1), QColor(255, 255, 232));
    EXPECT_TRUE(FilaTieneColor(w, "LBArqTra", 1, QColor(255, 255, 255)));

    // Ctrl adds a row; Ctrl on a selected row removes it again.
    const std::string otro = form.LBArqTra.CodigoFila(2);
    ClicFila(w, "LBArqTra", 2, Qt::ControlModifier);
    EXPECT_EQ(form.Seleccion.ItemsTraSel, (std::vector<std::string>{codigo, otro}));
    ClicFila(w, "LBArqTra", 1, Qt::ControlModifier);
    EXPECT_EQ(form.Seleccion.ItemsTraSel, std::vector<std::string>{otro});
    EXPECT_FALSE(form.LBItemTra.IsSelected(filaFiltro));

    // Natal rows (Tag 1) and angle rows (Tag 3) in their colours.
    ClicFila(w, "LBArqNat", 0);
    EXPECT_EQ(form.Seleccion.ItemsNatSel, std::vector<std::string>{form.LBArqNat.CodigoFila(0)});
    EXPECT_EQ(Pixel(w, "LBArqNat", 0, 1), QColor(0, 128, 255));
    ClicFila(w, "LBArqAsp", 0);
    EXPECT_EQ(form.Seleccion.AspectosSel, std::vector<std::string>{form.LBArqAsp.CodigoFila(0)});
    EXPECT_EQ(Pixel(w, "LBArqAsp", 0, 1), QColor(128, 0, 0));

    // The heading buttons run the filters' handlers; the lists follow.
    Pulsar(w, "SpeedButton2");  // transit "T"
    EXPECT_EQ(form.LBItemTra.SelCount(), form.LBItemTra.Count());
    EXPECT_EQ(static_cast<int>(Seleccionadas(w, "LBArqTra").size()), form.LBArqTra.Count());
    Pulsar(w, "SpeedButton3");  // transit "N"
    EXPECT_TRUE(form.Seleccion.ItemsTraSel.empty());
    EXPECT_TRUE(Seleccionadas(w, "LBArqTra").empty());
    Pulsar(w, "SpeedButton9");  // angles "N"
    EXPECT_TRUE(form.Seleccion.AspectosSel.empty());
    EXPECT_TRUE(Seleccionadas(w, "LBArqAsp").empty());
    Pulsar(w, "SpeedButton10");  // "May.": toggles 0, 180, 120, 90
    std::vector<std::string> mayores = form.Seleccion.AspectosSel;
    std::sort(mayores.begin(), mayores.end());
    EXPECT_EQ(mayores, (std::vector<std::string>{"0", "120", "180", "90"}));
    EXPECT_FALSE(Seleccionadas(w, "LBArqAsp").empty());
    for (int i : Seleccionadas(w, "LBArqAsp")) {
        const std::string k = form.LBArqAsp.CodigoFila(i);
        EXPECT_TRUE(k == "0" || k == "180" || k == "120" || k == "90") << k;
    }
    Pulsar(w, "SpeedButton10");  // pressed again: back to none
    EXPECT_TRUE(form.Seleccion.AspectosSel.empty());
    Pulsar(w, "SpeedButton8");  // angles "T"
    EXPECT_EQ(form.LBAspTra.SelCount(), form.LBAspTra.Count());
    EXPECT_EQ(static_cast<int>(Seleccionadas(w, "LBArqAsp").size()), form.LBArqAsp.Count());

    auto esCasa = [](const std::string& k) {
        return k.size() == 3 && k[0] == 'C' && isdigit(static_cast<unsigned char>(k[1]));
    };
    Pulsar(w, "SpeedButton5");  // natal "N"
    EXPECT_TRUE(form.Seleccion.ItemsNatSel.empty());
    EXPECT_TRUE(Seleccionadas(w, "LBArqNat").empty());
    Pulsar(w, "SpeedButton7");  // "SC": toggles the houses
    ASSERT_FALSE(form.Seleccion.ItemsNatSel.empty());
    for (const std::string& k : form.Seleccion.ItemsNatSel) {
        EXPECT_TRUE(esCasa(k)) << k;
    }
    ASSERT_FALSE(Seleccionadas(w, "LBArqNat").empty());
    for (int i : Seleccionadas(w, "LBArqNat")) {
        EXPECT_TRUE(esCasa(form.LBArqNat.CodigoFila(i))) << form.LBArqNat.CodigoFila(i);
    }
    Pulsar(w, "SpeedButton7");  // houses off again
    Pulsar(w, "SpeedButton6");  // "SP": toggles the planets
    ASSERT_FALSE(form.Seleccion.ItemsNatSel.empty());
    for (const std::string& k : form.Seleccion.ItemsNatSel) {
        EXPECT_FALSE(esCasa(k)) << k;
    }
    for (int i : Seleccionadas(w, "LBArqNat")) {
        EXPECT_FALSE(esCasa(form.LBArqNat.CodigoFila(i))) << form.LBArqNat.CodigoFila(i);
    }
    Pulsar(w, "SpeedButton4");  // natal "T"
    EXPECT_EQ(form.LBItemNat.SelCount(), form.LBItemNat.Count());
    EXPECT_TRUE(anfitrion.errores.empty());
}

TEST_F(Partes, ArquetiposRowWithoutKeyIsGreyAndDoesNothing) {
    CargarMuestra();
    form.LBArqTra.AddTermino("Sin texto", {"-", "Sin texto"});
    arquetipos = std::make_unique<gui::PanelArquetipos>(form, arq, nullptr, Ejecutar());
    arquetipos->resize(1000, 600);
    Mostrar(*arquetipos);
    QWidget* w = arquetipos.get();
    const int fila = form.LBArqTra.Count() - 1;
    ASSERT_EQ(Filas(w, "LBArqTra").back(), "Sin texto");
    ClicFila(w, "LBArqTra", fila);
    EXPECT_TRUE(form.Seleccion.ItemsTraSel.empty());
    EXPECT_EQ(Seleccionadas(w, "LBArqTra"), std::vector<int>{fila});
    // Selected or not, grey on RGB(255,255,232).
    EXPECT_EQ(Pixel(w, "LBArqTra", fila, 1), QColor(255, 255, 232));
    EXPECT_TRUE(FilaTieneColor(w, "LBArqTra", fila, QColor(128, 128, 128)));
    EXPECT_FALSE(FilaTieneColor(w, "LBArqTra", fila, QColor(255, 128, 0)));
}

// ---- Archetype catalogue ---------------------------------------------------

TEST_F(Partes, CatalogoListsChoosesAndPaints) {
    CarpetaTemporal carpeta;
    for (const char* nombre : {"completo.arq", "clase2.arq", "jup_ascii.arq"}) {
        fs::copy_file(Fixture(nombre), carpeta.ruta() / nombre);
    }
    if (fs::exists(VARNOLT_ARQ_MUESTRA)) {
        fs::copy_file(VARNOLT_ARQ_MUESTRA, carpeta.ruta() / "quillmere_C1_001_v.1.0.arq");
    }
    arq.CarpetaCatalogo = carpeta.ruta().string() + "/";
    CargarMuestra();
    AbrirContactos(2024, 3, 5);
    catalogo = std::make_unique<gui::PanelCatalogoArq>(form, arq, nullptr, Ejecutar());
    Mostrar(*catalogo);
    QWidget* w = catalogo.get();
    EXPECT_EQ(catalogo->size(), QSize(gui::PanelCatalogoArq::kAncho, 218));
    EXPECT_EQ(catalogo->minimumSize(), catalogo->maximumSize());
    EXPECT_TRUE(Filas(w, "LBDataArq").empty());

    // The host opens the window: the core rescans, the panel shows the rows.
    arq.SBLoadTermsClick(true);
    catalogo->Refrescar();
    const std::vector<std::string> filas = Filas(w, "LBDataArq");
    EXPECT_EQ(filas, arq.LBDataArq.Items);
    ASSERT_GE(filas.size(), 2u);  // clase2.arq is not listed
    EXPECT_EQ(arq.PlantillasArq.size(), filas.size() + 1);
    EXPECT_EQ(Hijo<ListaVarnolt>(w, "LBDataArq")->RectFila(0).height(), 16);
    // The sample file's entry shows whole.
    for (const std::string& f : filas) {
        if (f.find("quillmere") != std::string::npos) {
            auto* l = Hijo<ListaVarnolt>(w, "LBDataArq");
            EXPECT_LE(l->fontMetrics().horizontalAdvance(Q(f)), l->viewport()->width() - 6) << f;
        }
    }

    // Choosing jup_ascii.arq makes it the file in use; the detail follows.
    int fila = -1;
    for (size_t i = 0; i < arq.Entradas.size(); ++i) {
        if (arq.Entradas[i].Archivo.find("jup_ascii") != std::string::npos) {
            fila = static_cast<int>(i);
        }
    }
    ASSERT_GE(fila, 0);
    const std::string memoAntes = form.Detalle.MemoArq.at(1);
    ClicFila(w, "LBDataArq", fila);
    EXPECT_TRUE(anfitrion.errores.empty()) << anfitrion.errores.front();
    EXPECT_EQ(arq.ArchivoArq, (carpeta.ruta() / "jup_ascii.arq").string());
    EXPECT_EQ(Seleccionadas(w, "LBDataArq"), std::vector<int>{fila});
    EXPECT_NE(form.Detalle.MemoArq.at(1), memoAntes);

    // The chosen row blue on yellow, the others black on white, text 5 px in.
    EXPECT_EQ(Pixel(w, "LBDataArq", fila, 1), QColor(255, 255, 0));
    EXPECT_TRUE(FilaTieneColor(w, "LBDataArq", fila, QColor(0, 0, 255)));
    const int otra = fila == 0 ? 1 : 0;
    EXPECT_EQ(Pixel(w, "LBDataArq", otra, 1), QColor(255, 255, 255));
    EXPECT_FALSE(FilaTieneColor(w, "LBDataArq", otra, QColor(0, 0, 255)));
    {
        auto* l = Hijo<ListaVarnolt>(w, "LBDataArq");
        const QImage img = l->viewport()->grab().toImage();
        const QRect r = l->RectFila(otra);
        int primeraTinta = -1;
        for (int x = r.left(); x < r.right() && primeraTinta < 0; ++x) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                if (img.pixelColor(x, y).lightness() < 160) {
                    primeraTinta = x - r.left();
                    break;
                }
            }
        }
        EXPECT_GE(primeraTinta, 5);
        EXPECT_LE(primeraTinta, 8);
    }
    Captura(*catalogo, "PanelCatalogoArq");

    // A file that vanished after the scan: the error reaches the host's box.
    fs::remove(carpeta.ruta() / "completo.arq");
    int filaCompleto = -1;
    for (size_t i = 0; i < arq.Entradas.size(); ++i) {
        if (arq.Entradas[i].Archivo.find("completo") != std::string::npos) {
            filaCompleto = static_cast<int>(i);
        }
    }
    ASSERT_GE(filaCompleto, 0);
    ClicFila(w, "LBDataArq", filaCompleto);
    ASSERT_EQ(anfitrion.errores.size(), 1u);
    EXPECT_EQ(anfitrion.errores[0],
              "Database " + (carpeta.ruta() / "completo.arq").string() + " does not exist");
}

TEST_F(Partes, DefaultExecutorShowsTheErrorBox) {
    CarpetaTemporal carpeta;
    fs::copy_file(Fixture("completo.arq"), carpeta.ruta() / "completo.arq");
    arq.CarpetaCatalogo = carpeta.ruta().string() + "/";
    arq.SBLoadTermsClick(true);
    catalogo = std::make_unique<gui::PanelCatalogoArq>(form, arq, nullptr);  // default
    Mostrar(*catalogo);
    fs::remove(carpeta.ruta() / "completo.arq");
    // The box is modal: a timer answers it as the user would.
    QString visto;
    QTimer respuesta;
    respuesta.setInterval(20);
    QObject::connect(&respuesta, &QTimer::timeout, [&visto, &respuesta] {
        for (QWidget* v : QApplication::topLevelWidgets()) {
            auto* caja = qobject_cast<QMessageBox*>(v);
            if (caja != nullptr && caja->isVisible()) {
                visto = caja->text();
                respuesta.stop();
                caja->accept();
                return;
            }
        }
    });
    respuesta.start();
    ClicFila(catalogo.get(), "LBDataArq", 0);
    EXPECT_EQ(S(visto),
              "Database " + (carpeta.ruta() / "completo.arq").string() + " does not exist");
}

// ---- Contact ranges and CSV report -----------------------------------------

TEST_F(Partes, RangosAtStart) {
    rangos = std::make_unique<gui::PanelRangos>(form, nullptr, Ejecutar());
    Mostrar(*rangos);
    QWidget* w = rangos.get();
    auto* calc = Hijo<QToolButton>(w, "SBCalcTA");
    auto* copiar = Hijo<QToolButton>(w, "SBCopyPrompt");
    auto* csvBoton = Hijo<QToolButton>(w, "SBPromptCSV");
    EXPECT_EQ(S(calc->text()), "Detallar");
    EXPECT_TRUE(calc->isEnabled());
    EXPECT_EQ(S(copiar->text()), "Copiar");
    EXPECT_EQ(S(copiar->toolTip()), "Copiar prompt en memoria");
    EXPECT_FALSE(copiar->isEnabled());
    EXPECT_EQ(S(csvBoton->text()), "CSV");
    EXPECT_EQ(S(csvBoton->toolTip()), "Ver la ventana Data CSV");
    EXPECT_FALSE(calc->toolTip().isEmpty());
    EXPECT_TRUE(csvBoton->isCheckable());
    EXPECT_FALSE(csvBoton->isEnabled());
    EXPECT_FALSE(Hijo<QWidget>(w, "PanelAdmonContacts")->isVisible());
    EXPECT_EQ(S(Hijo<QToolButton>(w, "SBTACopy")->text()), "Copy");
    auto* wrap = Hijo<QCheckBox>(w, "CBMTAWrap");
    EXPECT_EQ(S(wrap->text()), "Wrap");
    EXPECT_TRUE(wrap->isChecked());
    auto* memoTA = Hijo<QPlainTextEdit>(w, "MemoTA");
    EXPECT_FALSE(memoTA->isVisible());
    EXPECT_TRUE(memoTA->isReadOnly());
    EXPECT_EQ(memoTA->lineWrapMode(), QPlainTextEdit::NoWrap);
    auto* prompt = Hijo<QPlainTextEdit>(w, "MemoPrompt");
    EXPECT_TRUE(prompt->isVisible());
    EXPECT_TRUE(prompt->isReadOnly());
    EXPECT_GT(prompt->height(), w->height() - 40);
    // "Detallar" without data does nothing at all.
    Pulsar(w, "SBCalcTA");
    EXPECT_TRUE(anfitrion.mensajes.empty());
    EXPECT_FALSE(copiar->isEnabled());
}

TEST_F(Partes, RangosDetallarCopyAndCsvWindow) {
    CargarMuestra();
    arquetipos = std::make_unique<gui::PanelArquetipos>(form, arq, nullptr, Ejecutar());
    arquetipos->resize(1000, 300);
    Mostrar(*arquetipos);
    rangos = std::make_unique<gui::PanelRangos>(form, nullptr, Ejecutar());
    Mostrar(*rangos);
    QWidget* w = rangos.get();

    // The archetype selection: two transit items, one natal item.
    ClicFila(arquetipos.get(), "LBArqTra", 0);
    ClicFila(arquetipos.get(), "LBArqTra", 1, Qt::ControlModifier);
    ClicFila(arquetipos.get(), "LBArqNat", 0);
    const size_t mensajesAntes = anfitrion.mensajes.size();  // the load's report
    Pulsar(w, "SBCalcTA");
    ASSERT_EQ(anfitrion.mensajes.size(), mensajesAntes + 1);
    EXPECT_EQ(anfitrion.mensajes.back(),
              "\r" + std::to_string(form.MemoPrompt.size()) + " contactos encontrados !");
    ASSERT_FALSE(form.MemoPrompt.empty());
    EXPECT_EQ(Lineas(w, "MemoPrompt"), form.MemoPrompt);
    EXPECT_EQ(Lineas(w, "MemoTA"), form.MemoTA);
    EXPECT_EQ(Lineas(w, "MemoPrompt")[0].rfind(".- ", 0), 0u);
    EXPECT_TRUE(Hijo<QToolButton>(w, "SBCalcTA")->isEnabled());
    EXPECT_TRUE(Hijo<QToolButton>(w, "SBCopyPrompt")->isEnabled());
    EXPECT_TRUE(Hijo<QToolButton>(w, "SBPromptCSV")->isEnabled());
    // The filters hold the archetype selection again.
    EXPECT_EQ(form.Seleccion.ItemsTraSel.size(), 2u);
    EXPECT_EQ(Seleccionadas(arquetipos.get(), "LBArqTra"), (std::vector<int>{0, 1}));

    Pulsar(w, "SBCopyPrompt");
    ASSERT_EQ(anfitrion.portapapeles.size(), 1u);
    EXPECT_EQ(anfitrion.portapapeles[0].substr(0, form.MemoPrompt[0].size()), form.MemoPrompt[0]);
    EXPECT_EQ(anfitrion.mensajes.back(), "\rContactos copiados en memoria !");

    // "CSV" asks the host for TWCSV, and back.
    QSignalSpy csvVisible(rangos.get(), &gui::PanelRangos::VisibilidadCSV);
    Pulsar(w, "SBPromptCSV");
    EXPECT_TRUE(form.TWCSVVisible);
    EXPECT_TRUE(Hijo<QToolButton>(w, "SBPromptCSV")->isChecked());
    ASSERT_EQ(csvVisible.count(), 1);
    EXPECT_TRUE(csvVisible.at(0).at(0).toBool());
    form.TWCSVClose();  // the user closes TWCSV: "CSV" raised
    EXPECT_FALSE(Hijo<QToolButton>(w, "SBPromptCSV")->isChecked());
    ASSERT_EQ(csvVisible.count(), 2);
    EXPECT_FALSE(csvVisible.at(1).at(0).toBool());

    // The hidden "Wrap" and "Copy".
    Hijo<QCheckBox>(w, "CBMTAWrap")->click();
    Procesar();
    EXPECT_FALSE(form.CBMTAWrap);
    EXPECT_EQ(Hijo<QPlainTextEdit>(w, "MemoTA")->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    Hijo<QToolButton>(w, "SBTACopy")->click();
    Procesar();
    ASSERT_EQ(anfitrion.portapapeles.size(), 2u);
    EXPECT_EQ(anfitrion.portapapeles[1].substr(0, form.MemoTA[0].size()), form.MemoTA[0]);

    rangos->resize(760, 420);
    Procesar();
    Captura(*rangos, "PanelRangos");
}

TEST_F(Partes, CsvAtStart) {
    csv = std::make_unique<gui::PanelCSV>(form, nullptr, Ejecutar());
    Mostrar(*csv);
    QWidget* w = csv.get();
    EXPECT_EQ(csv->size(), QSize(700, 460));
    // Its width is fixed; a low screen may make it shorter.
    EXPECT_EQ(csv->minimumWidth(), csv->maximumWidth());
    EXPECT_EQ(csv->minimumHeight(), 300);
    EXPECT_EQ(S(Hijo<QToolButton>(w, "BtnGenCSV")->text()), "CSV >>");
    EXPECT_EQ(S(Hijo<QToolButton>(w, "BtnExportCSV")->text()), "Crear [ ].csv");
    auto* transito = Hijo<QComboBox>(w, "CBTipoTransito");
    ASSERT_EQ(transito->count(), 3);
    EXPECT_EQ(S(transito->itemText(0)), "Todos");
    EXPECT_EQ(S(transito->itemText(1)), "Rápidos");
    EXPECT_EQ(S(transito->itemText(2)), "NO rápidos");
    EXPECT_EQ(S(transito->currentText()), "Rápidos");
    EXPECT_FALSE(transito->isEditable());
    auto* reporte = Hijo<QComboBox>(w, "CBTipoReporte");
    ASSERT_EQ(reporte->count(), 3);
    EXPECT_EQ(S(reporte->itemText(0)), "Todos");
    EXPECT_EQ(S(reporte->itemText(2)), "Mensual");
    EXPECT_EQ(S(reporte->currentText()), "Semanal");
    auto* info = Hijo<QPlainTextEdit>(w, "MemoInfo");
    EXPECT_TRUE(info->isReadOnly());
    EXPECT_EQ(info->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(info->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(info->document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_TRUE(Hijo<QPlainTextEdit>(w, "MemoCSV")->isReadOnly());
    auto* resultados = Hijo<QPlainTextEdit>(w, "MemoResultados");
    EXPECT_TRUE(resultados->isReadOnly());
    EXPECT_EQ(resultados->lineWrapMode(), QPlainTextEdit::NoWrap);

    // Before any "Detallar": the header alone and the empty-result line.
    Pulsar(w, "BtnGenCSV");
    EXPECT_EQ(
        Lineas(w, "MemoResultados"),
        std::vector<std::string>{
            "no,Planeta Tránsito,Signo,Aspecto,Planeta Natal,Fecha Inicio,Fecha Fin,Duración"});
    ASSERT_FALSE(Lineas(w, "MemoInfo").empty());
    EXPECT_EQ(Lineas(w, "MemoInfo").back(),
              "No se encontraron contactos para los criterios especificados.");
}

TEST_F(Partes, CsvReportFollowsTheListsAndExports) {
    CargarMuestra();
    // Ranges of the slow and fast transits on the Sun, as "Detallar" makes them.
    for (int i = 0; i < form.LBArqTra.Count(); ++i) {
        form.LBArqTra.SetSelected(i, true);
    }
    form.LBArqNat.SetSelected(0, true);
    form.SBCalcTAClick();
    ASSERT_FALSE(form.MemoCSV.empty());
    form.MonthCalendar1Click(CodificarFecha(2024, 3, 5));

    csv = std::make_unique<gui::PanelCSV>(form, nullptr, Ejecutar());
    Mostrar(*csv);
    QWidget* w = csv.get();
    EXPECT_EQ(Lineas(w, "MemoCSV"), form.MemoCSV);
    Pulsar(w, "BtnGenCSV");
    EXPECT_EQ(Lineas(w, "MemoResultados"), form.MemoResultados);
    EXPECT_EQ(Lineas(w, "MemoInfo"), form.MemoInfo);
    const size_t semanal = form.MemoResultados.size();

    // The user picks "Todos" in CBTipoReporte: the report is made again.
    auto* reporte = Hijo<QComboBox>(w, "CBTipoReporte");
    reporte->setFocus();
    QTest::keyClick(reporte, Qt::Key_Up);
    Procesar();
    EXPECT_EQ(form.CBTipoReporte, 0);
    EXPECT_EQ(S(reporte->currentText()), "Todos");
    EXPECT_EQ(Lineas(w, "MemoResultados"), form.MemoResultados);
    EXPECT_GT(form.MemoResultados.size(), semanal);
    EXPECT_EQ(Lineas(w, "MemoInfo"), form.MemoInfo);
    EXPECT_NE(form.NombreCSV.find("_tránsitos_rápidos"), std::string::npos) << form.NombreCSV;

    // And "Todos" in CBTipoTransito.
    auto* transito = Hijo<QComboBox>(w, "CBTipoTransito");
    transito->setFocus();
    QTest::keyClick(transito, Qt::Key_Up);
    Procesar();
    EXPECT_EQ(form.CBTipoTransito, 0);
    EXPECT_EQ(Lineas(w, "MemoResultados"), form.MemoResultados);
    EXPECT_EQ(form.NombreCSV.rfind("_tránsitos_todos", 0), 0u) << form.NombreCSV;
    EXPECT_EQ(Lineas(w, "MemoInfo")[1], "Todos los planetas");

    // "Crear [ ].csv": the host's save dialog, the file, the message.
    CarpetaTemporal carpeta;
    const std::string destino = (carpeta.ruta() / "informe.csv").string();
    anfitrion.respuestaGuardar = destino;
    Pulsar(w, "BtnExportCSV");
    ASSERT_EQ(anfitrion.peticionesGuardar.size(), 1u);
    EXPECT_EQ(anfitrion.peticionesGuardar[0].Titulo, "Crear archivo CSV");
    EXPECT_TRUE(fs::exists(destino));
    EXPECT_EQ(anfitrion.mensajes.back(), "\rArchivo [informe.csv] creado !");
    std::ifstream archivo(destino, std::ios::binary);
    std::string primera;
    std::getline(archivo, primera);
    EXPECT_EQ(primera.rfind("no,Planeta Tr", 0), 0u);

    Captura(*csv, "PanelCSV");
}

}  // namespace
}  // namespace varnolt::prueba
