// Figures of the window on a large agenda, measured through the real window
// on the offscreen platform:
//   gui_bench [LINEAS] [ARCHIVO]
// Generates the agenda (1,000,000 lines by default, ~22 years) unless ARCHIVO
// exists, loads it as the Data action does, shows the weighted-days list and
// the trend graph, and prints:
//   - the time of a click that changes a selection (year, period, natal,
//     transit and angle rows, group buttons) until every visible view has
//     been repainted: four charts, weighted-days list, labels, trend graph;
//     median, 90th percentile and maximum, and the core's share of it;
//   - the time to paint ChartDia with the whole range (~8,000 bars) and the
//     trend graph;
//   - the weighted-days list with ~8,000 rows: refilling and painting the
//     model/view list against a QListWidget holding the same rows.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "GeneradorAgenda.h"
#include "app/Regional.h"
#include "gui/GraficoBarras.h"
#include "gui/GraficoTendenciaQt.h"
#include "gui/ListaVarnolt.h"
#include "gui/TextoQt.h"
#include "gui/VentanaVarnolt.h"
#include "gui/VentanasPequenas.h"

using namespace varnolt;

namespace {

struct Cifras {
    double mediana = 0;
    double p90 = 0;
    double maximo = 0;
};

Cifras Resumir(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    Cifras c;
    if (v.empty()) {
        return c;
    }
    c.mediana = v[v.size() / 2];
    c.p90 = v[std::min(v.size() - 1, v.size() * 9 / 10)];
    c.maximo = v.back();
    return c;
}

void Procesar() {
    // Delivers the pending repaints of every window (offscreen backing store).
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

double Medir(const std::function<void()>& accion) {
    QElapsedTimer t;
    t.start();
    accion();
    Procesar();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

template <class T>
T* Hijo(QWidget& w, const char* nombre) {
    T* h = w.findChild<T*>(QString::fromLatin1(nombre));
    if (h == nullptr) {
        std::cerr << "gui_bench: no hay " << nombre << "\n";
        std::exit(1);
    }
    return h;
}

}  // namespace

// The offscreen platform reports every size hint it cannot pass on.
void Mensajes(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    if (texto.contains(QLatin1String("This plugin does not support"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contexto, texto)));
}

int main(int argc, char** argv) {
    qInstallMessageHandler(Mensajes);
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const long long lineas = argc > 1 ? std::atoll(argv[1]) : 1000000;
    std::string archivo = argc > 2 ? argv[2]
                                   : (std::filesystem::temp_directory_path() /
                                      ("varnolt-gui-bench-" + std::to_string(lineas) + ".csv"))
                                         .string();
    if (!std::filesystem::exists(archivo)) {
        std::cout << "Generando " << archivo << " (" << lineas << " líneas)...\n";
        if (!GenerarAgenda(archivo, lineas, 1)) {
            std::cerr << "gui_bench: no se pudo escribir " << archivo << "\n";
            return 1;
        }
    }
    ConfiguracionRegional().SeparadorDecimal = '.';

    gui::VentanaVarnolt ventana(QStringLiteral("/bench/gui_bench"));
    ventana.DialogoMensaje = [](const std::string&) {};
    ventana.DialogoError = [](const std::string& t) { std::cerr << "error: " << t << "\n"; };
    ventana.DialogoInformacion = [](const std::string&) {};
    ventana.show();
    Procesar();
    TFormVarnolt& form = ventana.Form();

    // What the loader's pauses cost: it lets window messages run every 250 lines.
    {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 4000; ++i) {
            ventana.ProcesarMensajes();
        }
        std::printf("ProcesarMensajes x 4000 (una carga de 1.000.000 de líneas): %.1f ms\n",
                    static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    {
        VentanaNula nula;
        TFormVarnolt solo(nula);
        QElapsedTimer t;
        t.start();
        solo.CargarAgendas({archivo});
        std::printf("Carga en el núcleo, sin ventana (primero: calienta la caché de archivos): %.0f ms\n",
                    static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    const double carga = Medir([&] { ventana.CargarAgendas({archivo}); });
    std::printf("Carga (acción Data, %zu contactos, %zu años): %.0f ms\n", form.Tendencias.size(),
                form.LBYear.Items.size(), carga);

    // Every view visible: the weighted-days list and the trend graph too.
    Hijo<QAbstractButton>(ventana, "SBViewFechas")->click();
    Hijo<QAbstractButton>(ventana, "SBGP")->click();
    Procesar();
    auto* lbYear = Hijo<gui::ListaVarnolt>(ventana, "LBYear");
    auto* lbNat = Hijo<gui::ListaVarnolt>(ventana, "LBItemNat");
    auto* lbTra = Hijo<gui::ListaVarnolt>(ventana, "LBItemTra");
    auto* lbAsp = Hijo<gui::ListaVarnolt>(ventana, "LBAspTra");
    auto* lbFechas = Hijo<gui::ListaVarnolt>(ventana, "LBFechaPP");
    auto* chartDia = Hijo<gui::GraficoBarras>(ventana, "ChartDia");
    auto* pbRange = Hijo<gui::GraficoTendenciaQt>(ventana, "PBRange");

    auto clicFila = [](gui::ListaVarnolt* l, int fila, Qt::KeyboardModifiers teclas) {
        l->scrollTo(l->model()->index(fila, 0));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, teclas, l->RectFila(fila).center());
    };
    auto pulsar = [&](const char* nombre) { Hijo<QAbstractButton>(ventana, nombre)->click(); };

    // The clicks: each changes a selection and reweighs all contacts. They
    // run twice: over one year (about 365 days in the views) and over all
    // the loaded years (about 8,000 days: the heaviest views).
    std::vector<std::pair<std::string, std::function<void()>>> filtros;
    for (int i = 0; i < 4; ++i) {
        filtros.emplace_back("natal " + std::to_string(i), [=] {
            clicFila(lbNat, i, i == 0 ? Qt::NoModifier : Qt::ControlModifier);
        });
    }
    filtros.emplace_back("natal N", [=] { pulsar("SBItemNatNon"); });
    for (int i = 0; i < 3; ++i) {
        filtros.emplace_back("tránsito " + std::to_string(i), [=] {
            clicFila(lbTra, i, i == 0 ? Qt::NoModifier : Qt::ControlModifier);
        });
    }
    filtros.emplace_back("tránsito Soc", [=] { pulsar("SPItemTra3"); });
    filtros.emplace_back("tránsito N", [=] { pulsar("SBItemTraNon"); });
    filtros.emplace_back("ángulos May.", [=] { pulsar("SpeedButton28"); });
    filtros.emplace_back("ángulo 90", [=] { clicFila(lbAsp, 3, Qt::NoModifier); });
    filtros.emplace_back("ángulos N", [=] { pulsar("SpeedButton37"); });
    filtros.emplace_back("natal SL", [=] { pulsar("SPItemNat1"); });
    filtros.emplace_back("natal SL otra vez", [=] { pulsar("SPItemNat1"); });

    std::vector<std::pair<std::string, std::function<void()>>> unAnio;
    const int anios = lbYear->model()->rowCount();
    for (int i = 0; i < std::min(anios, 6); ++i) {
        unAnio.emplace_back("año " + std::to_string(i), [=] { clicFila(lbYear, i, Qt::NoModifier); });
    }
    for (const char* p : {"SBPer2", "SBPer9", "SBPer6", "SBPerAll"}) {
        unAnio.emplace_back(p, [=] { pulsar(p); });
    }
    unAnio.insert(unAnio.end(), filtros.begin(), filtros.end());
    std::vector<std::pair<std::string, std::function<void()>>> todos;
    todos.emplace_back("Todos los años", [=] { pulsar("BBAllYear"); });
    todos.insert(todos.end(), filtros.begin(), filtros.end());
    todos.emplace_back("último año (Ctrl)",
                       [=] { clicFila(lbYear, anios - 1, Qt::ControlModifier); });

    std::vector<double> tiempos;
    auto correr = [&](const char* titulo,
                      const std::vector<std::pair<std::string, std::function<void()>>>& lista) {
        std::printf("%s\n", titulo);
        std::vector<double> propios;
        for (int vuelta = 0; vuelta < 3; ++vuelta) {
            for (const auto& [nombre, accion] : lista) {
                const double ms = Medir(accion);
                propios.push_back(ms);
                if (vuelta == 0) {
                    std::printf("  %-22s %7.1f ms  (%zu días en el rango)\n", nombre.c_str(), ms,
                                form.Ponderacion.FechasRango.size());
                }
            }
        }
        const Cifras c = Resumir(propios);
        std::printf("  -> %zu clics: mediana %.1f ms, p90 %.1f ms, máx. %.1f ms\n", propios.size(),
                    c.mediana, c.p90, c.maximo);
        tiempos.insert(tiempos.end(), propios.begin(), propios.end());
    };
    correr("Clics sobre un año:", unAnio);
    Hijo<QAbstractButton>(ventana, "BBAllYear")->click();
    Procesar();
    correr("Clics con todos los años seleccionados:", todos);
    const Cifras c = Resumir(tiempos);
    std::printf("Clic que cambia una selección, hasta repintar todas las vistas (%zu clics): "
                "mediana %.1f ms, p90 %.1f ms, máx. %.1f ms\n",
                tiempos.size(), c.mediana, c.p90, c.maximo);

    // The core's share: the same weighting without the window.
    {
        Hijo<QAbstractButton>(ventana, "BBAllYear")->click();
        Procesar();
        std::vector<double> nucleo;
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer t;
            t.start();
            form.SetTendenciasItems(true);
            nucleo.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            Procesar();
        }
        std::printf("  SetTendenciasItems(true) solo, rango completo: mediana %.1f ms\n",
                    Resumir(nucleo).mediana);
    }

    // Painting ChartDia with the whole range.
    {
        const size_t barras = form.Graficos.ChartDia.Series[0].Barras.size();
        QImage img(chartDia->size(), QImage::Format_ARGB32_Premultiplied);
        std::vector<double> v;
        for (int i = 0; i < 30; ++i) {
            QElapsedTimer t;
            t.start();
            chartDia->render(&img);
            v.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        std::printf("Pintar ChartDia (%zu barras, %dx%d): mediana %.2f ms, máx. %.2f ms\n", barras,
                    chartDia->width(), chartDia->height(), Resumir(v).mediana, Resumir(v).maximo);
        gui::GraficoBarras grande(QStringLiteral("ChartDia"), form.Graficos.ChartDia,
                                  gui::GraficoBarras::Tipo::Dia, nullptr);
        grande.resize(1359, 500);
        QImage img2(grande.size(), QImage::Format_ARGB32_Premultiplied);
        v.clear();
        for (int i = 0; i < 30; ++i) {
            QElapsedTimer t;
            t.start();
            grande.render(&img2);
            v.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        std::printf("Pintar ChartDia (%zu barras, 1359x500): mediana %.2f ms\n", barras,
                    Resumir(v).mediana);
        // 8,000 bars, each wider than a pixel (no column merging): 8,000 rectangles.
        gui::GraficoBarras ancho(QStringLiteral("ChartDia"), form.Graficos.ChartDia,
                                 gui::GraficoBarras::Tipo::Dia, nullptr);
        ancho.resize(static_cast<int>(barras) * 2 + 100, 300);
        QImage img3(ancho.size(), QImage::Format_ARGB32_Premultiplied);
        v.clear();
        for (int i = 0; i < 10; ++i) {
            QElapsedTimer t;
            t.start();
            ancho.render(&img3);
            v.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        std::printf("Pintar ChartDia (%zu barras de 2 px, %dx300, sin agrupar): mediana %.2f ms\n",
                    barras, ancho.width(), Resumir(v).mediana);
    }
    {
        QImage img(pbRange->size(), QImage::Format_ARGB32_Premultiplied);
        std::vector<double> v;
        for (int i = 0; i < 30; ++i) {
            QElapsedTimer t;
            t.start();
            pbRange->render(&img);
            v.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        std::vector<double> pasos;
        for (int i = 0; i < 30; ++i) {
            QElapsedTimer t;
            t.start();
            const TDibujoTendencia d = pbRange->Dibujo();
            pasos.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        std::printf("Pintar el gráfico de tendencia (%d días, %dx%d): mediana %.2f ms, de ello "
                    "los pasos del núcleo (DibujarTendencia) %.2f ms\n",
                    pbRange->Dibujo().N, pbRange->width(), pbRange->height(), Resumir(v).mediana,
                    Resumir(pasos).mediana);
    }

    // LBFechaPP with ~8,000 rows: model/view against QListWidget.
    {
        const int filas = lbFechas->model()->rowCount();
        std::vector<double> vista;
        for (int i = 0; i < 20; ++i) {
            vista.push_back(Medir([&] {
                lbFechas->Recargar(true);
                lbFechas->repaint();
            }));
        }
        QListWidget widget;
        widget.resize(lbFechas->size());
        widget.show();
        QStringList textos;
        for (const std::string& s : form.LBFechaPP.Items) {
            textos << gui::Q(s);
        }
        std::vector<double> lista;
        for (int i = 0; i < 20; ++i) {
            lista.push_back(Medir([&] {
                widget.clear();
                widget.addItems(textos);
                widget.repaint();
            }));
        }
        std::printf("LBFechaPP con %d filas, rellenar y pintar: QListView+modelo %.2f ms, "
                    "QListWidget %.2f ms (medianas)\n",
                    filas, Resumir(vista).mediana, Resumir(lista).mediana);
    }
    return 0;
}
