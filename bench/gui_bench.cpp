// SPDX-License-Identifier: AGPL-3.0-or-later
// Figures of the window on a large agenda, measured through the real window
// on the offscreen platform.
//
//   gui_bench [LINEAS] [ARCHIVO]
// Generates the agenda (1,000,000 lines by default, ~22 years) unless ARCHIVO
// exists, loads it as the Data action does, shows the weighted-days list and
// the trend graph, and prints:
//   - the time of a click that changes a selection (year, period, natal,
//     transit and angle rows, group buttons) until every visible view has
//     been repainted: four charts, weighted-days list, labels, trend graph;
//     median, 90th percentile and maximum, and the core's share of it;
//   - the time to paint ChartDia with the whole range (one bar per day) and
//     the trend graph;
//   - the weighted-days list with one row per day: refilling and painting
//     the model/view list against a QListWidget holding the same rows.
//
//   gui_bench --rondas N ARCHIVO [VARNOLT_CLI]
// Fresh processes, N rounds, each round one window process and, as the
// baseline, one `varnolt-cli resumen ARCHIVO` (the same load and analysis
// without a window), their order alternated from round to round. The window
// process starts, loads the agenda as the Data action does and draws the
// charts: the time from its start to then, and then the clicks with all
// years selected (median, p90, maximum). For both, the peak resident memory.
// Prints every round, then minimum and median of each figure and of the
// ratio window start / baseline.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>
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

using Acciones = std::vector<std::pair<std::string, std::function<void()>>>;

// The clicks: each changes a selection and reweighs all contacts. Over one
// year (about 365 days in the views), and with all the loaded years
// selected (one day per day of the agenda: the heaviest views).
std::pair<Acciones, Acciones> Clics(gui::VentanaVarnolt& ventana) {
    auto* lbYear = Hijo<gui::ListaVarnolt>(ventana, "LBYear");
    auto* lbNat = Hijo<gui::ListaVarnolt>(ventana, "LBItemNat");
    auto* lbTra = Hijo<gui::ListaVarnolt>(ventana, "LBItemTra");
    auto* lbAsp = Hijo<gui::ListaVarnolt>(ventana, "LBAspTra");
    auto clicFila = [](gui::ListaVarnolt* l, int fila, Qt::KeyboardModifiers teclas) {
        l->scrollTo(l->model()->index(fila, 0));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, teclas, l->RectFila(fila).center());
    };
    auto pulsar = [&ventana](const char* nombre) {
        Hijo<QAbstractButton>(ventana, nombre)->click();
    };
    Acciones filtros;
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

    Acciones unAnio;
    const int anios = lbYear->model()->rowCount();
    for (int i = 0; i < std::min(anios, 6); ++i) {
        unAnio.emplace_back("año " + std::to_string(i),
                            [=] { clicFila(lbYear, i, Qt::NoModifier); });
    }
    for (const char* p : {"SBPer2", "SBPer9", "SBPer6", "SBPerAll"}) {
        unAnio.emplace_back(p, [=] { pulsar(p); });
    }
    unAnio.insert(unAnio.end(), filtros.begin(), filtros.end());
    Acciones todos;
    todos.emplace_back("Todos los años", [=] { pulsar("BBAllYear"); });
    todos.insert(todos.end(), filtros.begin(), filtros.end());
    todos.emplace_back("último año (Ctrl)",
                       [=] { clicFila(lbYear, anios - 1, Qt::ControlModifier); });
    return {unAnio, todos};
}

// The benchmark's window answers its messages itself: no box waits for a
// click; an error is printed.
void Silenciar(gui::VentanaVarnolt& ventana) {
    ventana.DialogoMensaje = [](const std::string&) {};
    ventana.DialogoError = [](const std::string& t) { std::cerr << "error: " << t << "\n"; };
    ventana.DialogoInformacion = [](const std::string&) {};
}

}  // namespace

// ---- Fresh processes -------------------------------------------------------

// The window process of a round: loads the agenda, reports "dibujado" the
// moment the charts are drawn, then the core's share and the clicks with all
// years selected.
int ProcesoVentana(const std::string& archivo) {
    ConfiguracionRegional().SeparadorDecimal = '.';
    gui::VentanaVarnolt ventana(QStringLiteral("/bench/gui_bench"));
    Silenciar(ventana);
    ventana.show();
    Procesar();
    QElapsedTimer t;
    t.start();
    ventana.CargarAgendas({archivo});
    const double carga = static_cast<double>(t.nsecsElapsed()) / 1e6;
    Procesar();
    const double dibujo = static_cast<double>(t.nsecsElapsed()) / 1e6 - carga;
    std::printf("dibujado\n");
    std::fflush(stdout);

    TFormVarnolt& form = ventana.Form();
    std::vector<double> ponderacion;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer tp;
        tp.start();
        form.SetTendenciasItems(true);
        ponderacion.push_back(static_cast<double>(tp.nsecsElapsed()) / 1e6);
        Procesar();
    }
    std::printf("carga %.1f dibujo %.1f ponderacion %.1f dias %zu\n", carga, dibujo,
                Resumir(ponderacion).mediana, form.Ponderacion.FechasRango.size());

    Hijo<QAbstractButton>(ventana, "SBViewFechas")->click();
    Hijo<QAbstractButton>(ventana, "SBGP")->click();
    Hijo<QAbstractButton>(ventana, "BBAllYear")->click();
    Procesar();
    const Acciones todos = Clics(ventana).second;
    std::vector<double> clics;
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        for (const auto& accion : todos) {
            clics.push_back(Medir(accion.second));
        }
    }
    const Cifras c = Resumir(clics);
    std::printf("clics %zu %.1f %.1f %.1f\n", clics.size(), c.mediana, c.p90, c.maximo);

    // Where a click goes, all years selected: the weighting alone, the whole
    // core run, and the paint of each view.
    Hijo<QAbstractButton>(ventana, "BBAllYear")->click();
    Procesar();
    auto mediana = [](const std::function<void()>& accion) {
        std::vector<double> v;
        for (int i = 0; i < 7; ++i) {
            QElapsedTimer tp;
            tp.start();
            accion();
            v.push_back(static_cast<double>(tp.nsecsElapsed()) / 1e6);
        }
        return Resumir(v).mediana;
    };
    TPonderacion sola;
    const double ponderar = mediana(
        [&] { Ponderar(form.Tendencias, form.RangoIni, form.RangoFin, form.Seleccion, sola); });
    const double nucleo = mediana([&] { form.SetTendenciasItems(true); });
    Procesar();
    const double graficos = mediana(
        [&] { LlenarGraficos(form.Ponderacion, form.RangoIni, form.RangoFin, form.Graficos); });
    const double picos = mediana([&] { form.CalcularPicos(false); });
    const double lista = mediana([&] { form.MostrarFechasPP(); });
    Procesar();
    std::printf(
        "partes: Ponderar %.1f ms, SetTendenciasItems %.1f ms (LlenarGraficos %.1f ms, "
        "CalcularPicos sin lista %.1f ms, MostrarFechasPP %.1f ms)",
        ponderar, nucleo, graficos, picos, lista);
    for (const char* nombre :
         {"ChartDia", "ChartItemNat", "ChartItemTra", "ChartAngTra", "PBRange", "LBFechaPP"}) {
        QWidget* w = Hijo<QWidget>(ventana, nombre);
        QImage img(w->size(), QImage::Format_ARGB32_Premultiplied);
        std::printf(", %s %.1f ms", nombre, mediana([&] { w->render(&img); }));
    }
    std::printf("\n");
    return 0;
}

struct Proceso {
    double segundos = 0;   // from the start to the end
    double dibujado = -1;  // from the start to the line "dibujado"
    double picoMiB = 0;    // peak resident memory
    std::vector<std::string> lineas;
    bool bien = false;
};

// Runs a program, its standard output read line by line (or thrown away).
Proceso Ejecutar(const std::vector<std::string>& argumentos, bool leerSalida) {
    Proceso r;
    int tubo[2] = {-1, -1};
    if (leerSalida && ::pipe(tubo) != 0) {
        return r;
    }
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    if (leerSalida) {
        posix_spawn_file_actions_adddup2(&acciones, tubo[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&acciones, tubo[0]);
        posix_spawn_file_actions_addclose(&acciones, tubo[1]);
    } else {
        posix_spawn_file_actions_addopen(&acciones, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> argv;
    for (const std::string& a : argumentos) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    const auto inicio = std::chrono::steady_clock::now();
    auto segundos = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    };
    pid_t pid = -1;
    const int e = posix_spawn(&pid, argv[0], &acciones, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&acciones);
    if (leerSalida) {
        ::close(tubo[1]);
    }
    if (e != 0) {
        if (leerSalida) {
            ::close(tubo[0]);
        }
        std::cerr << "gui_bench: no se pudo ejecutar " << argumentos[0] << "\n";
        return r;
    }
    if (leerSalida) {
        std::string resto;
        char buf[4096];
        ssize_t n = 0;
        while ((n = ::read(tubo[0], buf, sizeof buf)) > 0) {
            resto.append(buf, static_cast<size_t>(n));
            for (size_t fin = resto.find('\n'); fin != std::string::npos; fin = resto.find('\n')) {
                r.lineas.push_back(resto.substr(0, fin));
                if (r.lineas.back() == "dibujado") {
                    r.dibujado = segundos();
                }
                resto.erase(0, fin + 1);
            }
        }
        ::close(tubo[0]);
    }
    int estado = 0;
    rusage uso{};
    ::wait4(pid, &estado, 0, &uso);
    r.segundos = segundos();
    r.picoMiB = static_cast<double>(uso.ru_maxrss) / 1024.0;
    r.bien = WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
    return r;
}

double Mediana(std::vector<double> v) {
    return Resumir(std::move(v)).mediana;
}

double Minimo(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

int Rondas(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "uso: gui_bench --rondas N ARCHIVO [VARNOLT_CLI]\n";
        return 2;
    }
    const int rondas = std::max(1, std::atoi(argv[2]));
    const std::string archivo = argv[3];
    const std::string propio = std::filesystem::absolute(argv[0]).string();
    const std::string cli =
        argc > 4 ? argv[4]
                 : (std::filesystem::absolute(argv[0]).parent_path() / "varnolt-cli").string();
    std::printf(
        "Procesos nuevos, %d rondas alternadas, %s\n"
        "  base: %s resumen ARCHIVO (la misma carga y el análisis, sin ventana)\n",
        rondas, archivo.c_str(), cli.c_str());
    std::vector<double> base, basePico, inicio, inicioPico, razon, medianas, p90s, maximos,
        ponderaciones, dibujos;
    for (int r = 0; r < rondas; ++r) {
        Proceso b;
        Proceso v;
        auto correrBase = [&] { b = Ejecutar({cli, "resumen", archivo}, false); };
        auto correrVentana = [&] { v = Ejecutar({propio, "--hijo", archivo}, true); };
        if (r % 2 == 0) {
            correrBase();
            correrVentana();
        } else {
            correrVentana();
            correrBase();
        }
        for (const std::string& l : v.lineas) {
            if (l.rfind("partes: ", 0) == 0) {
                std::printf("ronda %d, %s\n", r + 1, l.c_str());
            }
        }
        if (!b.bien || !v.bien || v.dibujado < 0) {
            std::cerr << "gui_bench: la ronda " << r + 1 << " falló\n";
            return 1;
        }
        double carga = 0, dibujo = 0, ponderacion = 0, mediana = 0, p90 = 0, maximo = 0;
        size_t dias = 0, clics = 0;
        for (const std::string& l : v.lineas) {
            std::sscanf(l.c_str(), "carga %lf dibujo %lf ponderacion %lf dias %zu", &carga, &dibujo,
                        &ponderacion, &dias);
            std::sscanf(l.c_str(), "clics %zu %lf %lf %lf", &clics, &mediana, &p90, &maximo);
        }
        base.push_back(b.segundos);
        basePico.push_back(b.picoMiB);
        inicio.push_back(v.dibujado);
        inicioPico.push_back(v.picoMiB);
        razon.push_back(v.dibujado / b.segundos);
        medianas.push_back(mediana);
        p90s.push_back(p90);
        maximos.push_back(maximo);
        ponderaciones.push_back(ponderacion);
        dibujos.push_back(dibujo);
        std::printf(
            "ronda %d: base %.2f s (pico %.0f MiB); ventana: inicio a gráficos dibujados "
            "%.2f s = %.2fx la base (carga %.0f ms, de ella una ponderación de %.0f ms; "
            "dibujo %.0f ms; pico %.0f MiB); %zu clics con todos los años (%zu días): "
            "mediana %.1f ms, p90 %.1f ms, máx. %.1f ms\n",
            r + 1, b.segundos, b.picoMiB, v.dibujado, v.dibujado / b.segundos, carga, ponderacion,
            dibujo, v.picoMiB, clics, dias, mediana, p90, maximo);
    }
    std::printf("Mínimo / mediana de %d rondas:\n", rondas);
    std::printf("  base (varnolt-cli resumen): %.2f / %.2f s, pico %.0f / %.0f MiB\n", Minimo(base),
                Mediana(base), Minimo(basePico), Mediana(basePico));
    std::printf("  ventana, inicio a gráficos dibujados: %.2f / %.2f s, pico %.0f / %.0f MiB\n",
                Minimo(inicio), Mediana(inicio), Minimo(inicioPico), Mediana(inicioPico));
    std::printf("  razón ventana / base: %.2f / %.2f\n", Minimo(razon), Mediana(razon));
    std::printf(
        "  ponderación de todos los años: %.0f / %.0f ms; dibujo tras la carga: %.0f / "
        "%.0f ms\n",
        Minimo(ponderaciones), Mediana(ponderaciones), Minimo(dibujos), Mediana(dibujos));
    std::printf(
        "  clic con todos los años: mediana %.1f / %.1f ms, p90 %.1f / %.1f ms, "
        "máx. %.1f / %.1f ms\n",
        Minimo(medianas), Mediana(medianas), Minimo(p90s), Mediana(p90s), Minimo(maximos),
        Mediana(maximos));
    return 0;
}

// The offscreen platform reports every size hint it cannot pass on.
void Mensajes(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    if (texto.contains(QLatin1String("This plugin does not support"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contexto, texto)));
}

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--rondas") {
        return Rondas(argc, argv);
    }
    qInstallMessageHandler(Mensajes);
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (argc > 2 && std::string_view(argv[1]) == "--hijo") {
        return ProcesoVentana(argv[2]);
    }
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
    Silenciar(ventana);
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
        std::printf(
            "Carga en el núcleo, sin ventana (primero: calienta la caché de archivos): %.0f ms\n",
            static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    const double carga = Medir([&] { ventana.CargarAgendas({archivo}); });
    std::printf("Carga (acción Data, %zu contactos, %zu años): %.0f ms\n", form.Tendencias.size(),
                form.LBYear.Items.size(), carga);

    // Every view visible: the weighted-days list and the trend graph too.
    Hijo<QAbstractButton>(ventana, "SBViewFechas")->click();
    Hijo<QAbstractButton>(ventana, "SBGP")->click();
    Procesar();
    auto* lbFechas = Hijo<gui::ListaVarnolt>(ventana, "LBFechaPP");
    auto* chartDia = Hijo<gui::GraficoBarras>(ventana, "ChartDia");
    auto* pbRange = Hijo<gui::GraficoTendenciaQt>(ventana, "PBRange");

    const auto [unAnio, todos] = Clics(ventana);
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
    std::printf(
        "Clic que cambia una selección, hasta repintar todas las vistas (%zu clics): "
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
        std::printf(
            "Pintar el gráfico de tendencia (%d días, %dx%d): mediana %.2f ms, de ello "
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
        for (const std::string& s : form.LBFechaPP.Textos()) {
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
        std::printf(
            "LBFechaPP con %d filas, rellenar y pintar: QListView+modelo %.2f ms, "
            "QListWidget %.2f ms (medianas)\n",
            filas, Resumir(vista).mediana, Resumir(lista).mediana);
    }
    return 0;
}
