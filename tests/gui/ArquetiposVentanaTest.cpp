// SPDX-License-Identifier: AGPL-3.0-or-later
// The archetype texts in the real window: the right pane of "Contactos Día"
// that SBDetalleArq brings into view, the rows of the archetype panels that
// are shortened to their list's width (the aspect rows keep their angle),
// and their tooltips, also after an archetype file with a very long transit
// text is chosen in the catalogue. Screenshots go to the build tree
// (VARNOLT_CAPTURAS).
#include <QAbstractItemDelegate>
#include <QApplication>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QRegion>
#include <QStyleOptionViewItem>
#include <QTextBlock>
#include <QToolTip>
#include <filesystem>
#include <string>
#include <vector>

#include "VentanaPrueba.h"
#include "app/Fecha.h"
#include "gui/Arranque.h"
#include "gui/PanelArquetipos.h"
#include "gui/TextoQt.h"
#include "sqlite2/writer/BaseNueva.h"
#include "sqlite2/writer/FuenteSql.h"
#include "support/AgendaDePrueba.h"

namespace varnolt::prueba {
namespace {

namespace fs = std::filesystem;
using gui::ListaVarnolt;

void Captura(QWidget* w, const char* nombre) {
    fs::create_directories(VARNOLT_CAPTURAS);
    const QString ruta = QString::fromUtf8(VARNOLT_CAPTURAS) + QLatin1Char('/') +
                         QString::fromUtf8(nombre) + QStringLiteral(".png");
    EXPECT_TRUE(w->grab().save(ruta)) << gui::S(ruta);
}

// A transit text of about 650 characters.
std::string TextoLargo() {
    std::string t;
    while (gui::Q(t).size() < 640) {
        t += "Saturno pide orden, paciencia y un trabajo sostenido en el ámbito que recorre; ";
    }
    return t + "fin.";
}

// A small archetype file: "Items_01" gives the Sun a short text and Saturn
// the long one (both new, so the catalogue's choice adds them after the
// rows already shown: the long row is the last); the other term tables are
// empty.
void EscribirArchivoLargo(const fs::path& destino) {
    std::string sql;
    for (const char* t :
         {"Items_01", "Items_02", "Items_03", "Casas_01", "Casas_02", "Casas_03", "Signos_01",
          "Signos_02", "Signos_03", "Aspectos_01", "Aspectos_02", "Aspectos_03"}) {
        sql += std::string("CREATE TABLE ") + t +
               " (Id integer primary key, Clave varchar(10), Texto text);\n";
    }
    sql += "INSERT INTO Items_01 VALUES (1, 'Sol', 'Luz breve.');\n";
    sql += "INSERT INTO Items_01 VALUES (2, 'Sat', '" + TextoLargo() + "');\n";
    sql +=
        "CREATE TABLE _Info_Data (Nombre varchar(200), Autor varchar(200), Owner varchar(200),"
        " Version varchar(200), Url varchar(200), Alcance varchar(200), Contexto varchar(200),"
        " Clase integer, ToClase integer, CanEdit integer, CanCopy integer, CanDelete integer,"
        " ForceInfo integer);\n"
        "INSERT INTO _Info_Data VALUES ('Texto largo', 'Pruebas', 'Varnolt', '1.0', '', "
        "'Ítems', 'Tránsitos', 1, 0, 0, 1, 0, 0);\n";
    namespace esc = sqlite2::escritura;
    esc::GuardarArchivo(destino, esc::ConstruirBase(esc::LeerFuente(sql)));
}

// The option a list view gives its painter for a row.
QStyleOptionViewItem OpcionFila(ListaVarnolt* l, int fila) {
    QStyleOptionViewItem o;
    o.initFrom(l);
    o.font = l->font();
    o.fontMetrics = QFontMetrics(o.font);
    o.rect = l->RectFila(fila);
    o.widget = l;
    return o;
}

// The text the row is painted with, scrolled into view.
QString Pintado(ListaVarnolt* l, int fila) {
    l->scrollTo(l->model()->index(fila, 0));
    auto* pintor = dynamic_cast<gui::PintorArq*>(l->itemDelegate());
    EXPECT_NE(pintor, nullptr);
    return pintor ? pintor->TextoVisible(OpcionFila(l, fila), l->model()->index(fila, 0))
                  : QString();
}

// Waits until no tooltip shows.
void SinPista() {
    QToolTip::hideText();
    for (int i = 0; i < 100 && QToolTip::isVisible(); ++i) {
        QTest::qWait(20);
    }
}

// The tooltip the row shows when the mouse rests on it; empty when none.
QString Pista(ListaVarnolt* l, int fila) {
    SinPista();
    l->scrollTo(l->model()->index(fila, 0));
    const QPoint p = l->RectFila(fila).center();
    QHelpEvent e(QEvent::ToolTip, p, l->viewport()->mapToGlobal(p));
    QApplication::sendEvent(l->viewport(), &e);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

int FilaConTexto(ListaVarnolt* l, const std::string& texto) {
    for (int i = 0; i < l->model()->rowCount(); ++i) {
        if (gui::S(l->model()->index(i, 0).data().toString()) == texto) {
            return i;
        }
    }
    return -1;
}

using ArquetiposVentana = VentanaPrueba;

// ---- The detail pane of "Contactos Día" ------------------------------------

TEST_F(ArquetiposVentana, DetalleArqBringsTheRightPaneIntoView) {
    CargarMuestra();
    Pulsar("SBViewContacto");
    ASSERT_TRUE(gui::ElegirDia(*ventana, QDate(2024, 3, 5)));
    Procesar();
    QWidget* tw = ventana->Herramienta(QStringLiteral("TWDetalleContactos"));
    ASSERT_NE(tw, nullptr);
    ASSERT_TRUE(tw->isVisible());
    ASSERT_FALSE(Filas("LBContactos").empty());
    EXPECT_EQ(Form().FechaCalendario, CodificarFecha(2024, 3, 5));
    EXPECT_EQ(Form().LBContactos.Items[0].rfind("1. 2024 mar 5: ", 0), 0u);
    ClicFila("LBContactos", 2);
    const TDetalleContacto& d = Form().Detalle;
    ASSERT_FALSE(d.LabelDescItemTra.empty());

    QAbstractButton* sb = Boton("SBDetalleArq");
    ASSERT_NE(sb, nullptr);
    sb->click();  // hidden: no user reaches it, the program may
    Procesar();
    EXPECT_EQ(tw->width(), 800);
    QWidget* derecha = Hijo<QWidget>("PanelContactosDiaR");
    ASSERT_NE(derecha, nullptr);
    EXPECT_TRUE(tw->rect().contains(QRect(derecha->mapTo(tw, QPoint(0, 0)), derecha->size())));

    struct Campo {
        const char* nombre;
        std::string texto;
    };
    const Campo campos[] = {
        {"LabelDescItemTra", d.LabelDescItemTra},
        {"LabelDescItemAsp", d.LabelDescItemAsp},
        {"LabelTipoNatal", d.LabelTipoNatal},
        {"LabelDescItemNat", d.LabelDescItemNat},
        {"MemoArq", ""},
    };
    for (const Campo& c : campos) {
        QWidget* w = Hijo<QWidget>(c.nombre);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible()) << c.nombre;
        EXPECT_GT(w->width(), 0) << c.nombre;
        EXPECT_GT(w->height(), 0) << c.nombre;
        const QRect enVentana(w->mapTo(tw, QPoint(0, 0)), w->size());
        EXPECT_TRUE(tw->rect().contains(enVentana)) << c.nombre;
        // Nothing of it is cut by the panes it lies in.
        EXPECT_EQ(w->visibleRegion().boundingRect(), w->rect()) << c.nombre;
        if (std::string(c.nombre) != "MemoArq") {
            EXPECT_EQ(Texto(c.nombre), c.texto) << c.nombre;
        }
    }
    auto* memo = Hijo<QPlainTextEdit>("MemoArq");
    std::vector<std::string> lineas;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        lineas.push_back(gui::S(b.text()));
    }
    EXPECT_EQ(lineas, d.MemoArq);
    EXPECT_GT(memo->height(), 150);
    // The left pane is still whole.
    QWidget* izquierda = Hijo<QWidget>("PanelContactosDiaL");
    EXPECT_EQ(izquierda->visibleRegion().boundingRect(), izquierda->rect());
    Captura(tw, "TWDetalleContactos_arquetipos");

    // Another contact: the pane follows it.
    ClicFila("LBContactos", 0);
    EXPECT_EQ(Texto("LabelDescItemNat"), Form().Detalle.LabelDescItemNat);
    EXPECT_EQ(Texto("LabelDetAspNatal"), Form().Detalle.LabelDetAspNatal);

    // Up again: the window narrows, the left pane stays in view.
    sb->click();
    Procesar();
    EXPECT_EQ(tw->width(), 400);
    EXPECT_EQ(izquierda->visibleRegion().boundingRect(), izquierda->rect());
    EXPECT_TRUE(Hijo<QWidget>("LabelDetAspNatal")->isVisible());
}

// ---- Archetype rows: shortening and tooltips --------------------------------

TEST_F(ArquetiposVentana, EveryShortenedRowKeepsItsTooltipAfterAVeryLongText) {
    CarpetaTemporal carpeta;
    EscribirArchivoLargo(carpeta.ruta() / "largo.arq");
    CargarMuestra();
    Pulsar("SBViewArq");
    ListaVarnolt* tra = Lista("LBArqTra");
    ASSERT_NE(tra, nullptr);
    ASSERT_TRUE(tra->isVisible());
    const int antes = tra->model()->rowCount();
    ASSERT_GT(antes, 2);

    // The user chooses the file in the catalogue.
    ventana->Arquetipos().CarpetaCatalogo = carpeta.ruta().string();
    Pulsar("SBLoadTerms");
    ASSERT_EQ(Filas("LBDataArq").size(), 1u);
    ClicFila("LBDataArq", 0);
    EXPECT_TRUE(errores.empty()) << (errores.empty() ? "" : errores[0]);
    EXPECT_EQ(ventana->Arquetipos().ArchivoArq, (carpeta.ruta() / "largo.arq").string());
    ASSERT_EQ(tra->model()->rowCount(), antes + 2);
    const int corta = FilaConTexto(tra, "Luz breve.");
    const int larga = FilaConTexto(tra, TextoLargo());
    ASSERT_EQ(corta, antes);
    ASSERT_EQ(larga, antes + 1);
    EXPECT_GE(gui::Q(TextoLargo()).size(), 640);

    // Every row lies within the list, whatever its text.
    for (int i = 0; i < tra->model()->rowCount(); ++i) {
        EXPECT_LE(tra->RectFila(i).width(), tra->viewport()->width()) << i;
    }
    // A row that fits: painted whole, no tooltip.
    EXPECT_EQ(gui::S(Pintado(tra, corta)), "Luz breve.");
    EXPECT_TRUE(Pista(tra, corta).isEmpty());
    // The long row: shortened, and whole in its tooltip.
    EXPECT_TRUE(Pintado(tra, larga).endsWith(QChar(0x2026)));
    EXPECT_EQ(gui::S(Pista(tra, larga)), TextoLargo());
    // Every other shortened row shows its whole text too.
    int recortadas = 0;
    for (int i = 0; i < antes; ++i) {
        const QString completo = tra->model()->index(i, 0).data().toString();
        if (Pintado(tra, i) != completo) {
            ++recortadas;
            EXPECT_EQ(Pista(tra, i), completo) << i;
        }
    }
    EXPECT_GT(recortadas, 0) << "no row of the sample is shortened at this width";
    Captura(ventana.get(), "principal_arq_largo");

    // The tooltip on screen, for the record.
    Pista(tra, larga);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->inherits("QTipLabel")) {
            Captura(w, "pista_larga");
        }
    }
    SinPista();
}

TEST_F(ArquetiposVentana, AspectRowsKeepTheirAngle) {
    CargarMuestra();
    Pulsar("SBViewArq");
    ListaVarnolt* asp = Lista("LBArqAsp");
    ASSERT_NE(asp, nullptr);
    ASSERT_GT(asp->model()->rowCount(), 3);
    int recortadas = 0;
    for (int i = 0; i < asp->model()->rowCount(); ++i) {
        const QString completo = asp->model()->index(i, 0).data().toString();
        const QString clave = gui::Q(Form().LBArqAsp.Terminos[static_cast<size_t>(i)].Clave);
        const QString angulo = QStringLiteral("(") + clave + QStringLiteral("°)");
        ASSERT_TRUE(completo.endsWith(angulo)) << gui::S(completo);
        const QString pintado = Pintado(asp, i);
        EXPECT_TRUE(pintado.endsWith(angulo)) << gui::S(pintado);
        if (pintado != completo) {
            ++recortadas;
            EXPECT_TRUE(pintado.endsWith(QChar(0x2026) + angulo)) << gui::S(pintado);
            EXPECT_EQ(Pista(asp, i), completo) << i;
        }
    }
    EXPECT_GT(recortadas, 0) << "no aspect row is shortened at this width";
    SinPista();
    Captura(Hijo<QWidget>("PanelInfoArq"), "PanelInfoArq");
}

TEST(TextoFilaArq, ShortensBeforeTheAngle) {
    AplicacionQt();
    const QFontMetrics fm(QApplication::font());
    const QString texto = QStringLiteral("Cuadratura: la tensión que pide una decisión (90°)");
    const QString angulo = QStringLiteral("(90°)");
    const QString cola = QChar(0x2026) + angulo;
    const int entero = fm.horizontalAdvance(texto);
    const int minimo = fm.horizontalAdvance(cola);
    const QString antes = texto.left(texto.size() - angulo.size());
    struct Caso {
        int ancho;
        bool cabe;  // the text fits as it is
    };
    const Caso casos[] = {
        {entero + 20, true},     {entero, true},      {entero - 3, false},
        {entero * 3 / 4, false}, {entero / 2, false}, {minimo + 12, false},
        {minimo, false},         {minimo - 4, false}, {0, false},
    };
    for (const Caso& c : casos) {
        const QString r = gui::TextoFilaArq(texto, fm, c.ancho, true);
        if (c.cabe) {
            EXPECT_EQ(r, texto) << c.ancho;
            continue;
        }
        EXPECT_TRUE(r.endsWith(cola)) << c.ancho << " " << gui::S(r);
        // What stays before the ellipsis is the start of the text.
        const QString inicio = r.left(r.size() - cola.size());
        EXPECT_TRUE(antes.startsWith(inicio)) << c.ancho << " " << gui::S(r);
        if (c.ancho >= minimo) {
            EXPECT_LE(fm.horizontalAdvance(r), c.ancho + 1) << c.ancho;
        } else {
            EXPECT_EQ(r, cola) << c.ancho;  // the angle before anything else
        }
    }

    // Angles of three digits, and a line break read as a blank.
    const QString trigono = QStringLiteral("Trígono\ndoble (120°)");
    EXPECT_EQ(gui::TextoFilaArq(trigono, fm, 10000, true), QStringLiteral("Trígono doble (120°)"));
    EXPECT_TRUE(gui::TextoFilaArq(trigono, fm, fm.horizontalAdvance(trigono) / 2, true)
                    .endsWith(QChar(0x2026) + QStringLiteral("(120°)")));
    // Outside the aspect list, or without an angle: cut at the end.
    const QString sinAngulo = gui::TextoFilaArq(texto, fm, entero / 2, false);
    EXPECT_TRUE(sinAngulo.endsWith(QChar(0x2026))) << gui::S(sinAngulo);
    EXPECT_FALSE(sinAngulo.contains(angulo));
    const QString llano = QStringLiteral("Un texto cualquiera sin ángulo al final del todo");
    EXPECT_TRUE(gui::TextoFilaArq(llano, fm, fm.horizontalAdvance(llano) / 2, true)
                    .endsWith(QChar(0x2026)));
}

}  // namespace
}  // namespace varnolt::prueba
