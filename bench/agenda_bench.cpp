// Figures of the agenda loader and the daily weighting on a large agenda:
//   agenda_bench [LINEAS] [ARCHIVO]
// Generates the agenda (1,000,000 lines by default) unless ARCHIVO exists,
// then prints the load time and its ratio to `wc -l` on the same file, the
// load time of the same agenda with each line end (CR LF, LF, CR alone), the
// median time of SetTendenciasItems(true) over the whole range with empty
// selections and with a natal and an angle selection, and the resident
// memory per loaded contact.
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "GeneradorAgenda.h"
#include "app/FormVarnolt.h"

using namespace varnolt;
using Reloj = std::chrono::steady_clock;

namespace {

double Ms(Reloj::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The same agenda (read as lines ending in LF or CR LF) with every line end
// written as `fin`.
bool CopiarConFinDeLinea(const std::string& origen, const std::string& destino,
                         std::string_view fin) {
    std::ifstream in(origen, std::ios::binary);
    std::ofstream out(destino, std::ios::binary | std::ios::trunc);
    std::string linea;
    while (std::getline(in, linea)) {
        if (!linea.empty() && linea.back() == '\r') {
            linea.pop_back();
        }
        out << linea << fin;
    }
    return in.eof() && static_cast<bool>(out.flush());
}

// Median of three loads of `archivo`, in ms; negative when it does not load.
double MedirCarga(VentanaNula& ventana, const std::string& archivo) {
    std::vector<double> carga;
    for (int i = 0; i < 3; ++i) {
        TFormVarnolt form(ventana);
        std::string resultado;
        const auto t0 = Reloj::now();
        if (!form.CargarAgenda(archivo, resultado)) {
            std::cerr << resultado << "\n";
            return -1;
        }
        carga.push_back(Ms(Reloj::now() - t0));
    }
    return Mediana(carga);
}

long RssKb() {
    std::ifstream statm("/proc/self/statm");
    long total = 0;
    long residente = 0;
    statm >> total >> residente;
    return residente * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

int main(int argc, char** argv) {
    const long long lineas = argc > 1 ? std::atoll(argv[1]) : 1000000;
    std::string archivo = argc > 2 ? argv[2]
                                   : (std::filesystem::temp_directory_path() /
                                      ("varnolt-bench-" + std::to_string(lineas) + ".csv"))
                                         .string();
    if (!std::filesystem::exists(archivo)) {
        std::cout << "Generando " << lineas << " líneas en " << archivo << "...\n";
        if (!GenerarAgenda(archivo, lineas, 42)) {
            std::cerr << "no se pudo escribir " << archivo << "\n";
            return 1;
        }
    }
    const auto bytes = std::filesystem::file_size(archivo);
    std::cout << "Agenda: " << archivo << " (" << bytes / (1024 * 1024) << " MiB)\n";

    // wc -l on the same file, warm cache.
    std::vector<double> wc;
    const std::string orden = "wc -l '" + archivo + "' > /dev/null";
    for (int i = 0; i < 5; ++i) {
        const auto t0 = Reloj::now();
        if (std::system(orden.c_str()) != 0) {
            std::cerr << "wc -l falló\n";
            return 1;
        }
        wc.push_back(Ms(Reloj::now() - t0));
    }

    VentanaNula ventana;
    const double cargaMs = MedirCarga(ventana, archivo);
    if (cargaMs < 0) {
        return 1;
    }

    // The same contacts with each line end: all three load in linear time.
    // The loads take turns, five rounds, so that a slower spell of the
    // machine weighs on all three alike.
    struct Variante {
        const char* nombre;
        const char* sufijo;
        std::string_view fin;
        std::string copia;
        std::vector<double> ms;
    };
    Variante variantes[] = {{"CR LF", ".crlf", "\r\n", {}, {}},
                            {"LF", ".lf", "\n", {}, {}},
                            {"CR", ".cr", "\r", {}, {}}};
    for (Variante& v : variantes) {
        v.copia = archivo + v.sufijo;
        if (!CopiarConFinDeLinea(archivo, v.copia, v.fin)) {
            std::cerr << "no se pudo escribir " << v.copia << "\n";
            return 1;
        }
    }
    for (int ronda = 0; ronda < 5; ++ronda) {
        for (Variante& v : variantes) {
            TFormVarnolt form(ventana);
            std::string resultado;
            const auto t0 = Reloj::now();
            if (!form.CargarAgenda(v.copia, resultado)) {
                std::cerr << resultado << "\n";
                return 1;
            }
            v.ms.push_back(Ms(Reloj::now() - t0));
        }
    }
    for (Variante& v : variantes) {
        std::filesystem::remove(v.copia);
    }

    const long rssAntes = RssKb();
    TFormVarnolt form(ventana);
    form.CargarAgendas({archivo});
    const long rssDespues = RssKb();
    const size_t contactos = form.Tendencias.size();

    auto medir = [&](int veces) {
        std::vector<double> t;
        for (int i = 0; i < veces; ++i) {
            const auto t0 = Reloj::now();
            form.SetTendenciasItems(true);
            t.push_back(Ms(Reloj::now() - t0));
        }
        return Mediana(t);
    };
    const double vacia = medir(21);
    form.LBItemNat.SetSelected(form.LBItemNat.IndexOf("Sol"), true);
    form.LBItemNat.SetSelected(form.LBItemNat.IndexOf("C05"), true);
    form.LBItemNatClick(1);
    form.SBAllAspTraClick(3);  // "May."
    const double conSeleccion = medir(21);

    const double wcMs = Mediana(wc);
    std::printf("Contactos cargados: %zu en %zu días (%s a %s)\n", contactos,
                form.Ponderacion.FechasRango.size(), form.LBYear.Items.front().c_str(),
                form.LBYear.Items.back().c_str());
    std::printf("wc -l (mediana de 5):                     %8.1f ms\n", wcMs);
    std::printf("CargarAgenda (mediana de 3):              %8.1f ms  (%.1f x wc -l)\n", cargaMs,
                cargaMs / wcMs);
    for (const Variante& v : variantes) {
        std::printf("CargarAgenda, fin de línea %-6s (med. 5): %8.1f ms  (%.2f x CR LF)\n",
                    v.nombre, Mediana(v.ms), Mediana(v.ms) / Mediana(variantes[0].ms));
    }
    std::printf("SetTendenciasItems(true), sin selección:  %8.2f ms (mediana de 21)\n", vacia);
    std::printf("SetTendenciasItems(true), natal + ángulo: %8.2f ms (mediana de 21)\n",
                conSeleccion);
    std::printf("Memoria residente por contacto:           %8.1f bytes\n",
                (rssDespues - rssAntes) * 1024.0 / static_cast<double>(contactos));
    return 0;
}
