// SPDX-License-Identifier: AGPL-3.0-or-later
// Figures of the agenda loader against the least a load must do:
//   agenda_bench [LINEAS] [ARCHIVO] [RONDAS]
// Generates the agenda (1,000,000 lines by default) unless ARCHIVO exists.
// Every figure comes from a fresh process, started RONDAS times (5 by
// default) with the programs taking turns in every round, so that a slower
// spell of the shared machine weighs on all alike:
//   - leer_sumar: the baseline, reading the file and summing the weight per
//     day (read + from_chars, one thread);
//   - varnolt-cli resumen: the load, the weighting and the report;
//   - the load alone (CargarAgenda), on one thread and on two (the switch
//     of MinimoCargaParalela), and with each line end (CR LF, LF, CR).
// For each it prints the wall time and the CPU time (user + system), min and
// median, each as a ratio to the baseline's, and the peak resident memory
// (the child's maximum, not memory gained) per contact. Then, in one
// process, the median time of the weighting over the whole range with
// empty selections and with a natal and an angle selection.
//
// agenda_bench --cargar ARCHIVO [1|2] is the child that loads the file alone
// (on one thread or two whatever the default).
#include <sys/resource.h>
#include <sys/wait.h>
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
#include "agenda/LectorLineas.h"
#include "agenda/LecturaLotes.h"
#include "app/FormVarnolt.h"

using namespace varnolt;
using Reloj = std::chrono::steady_clock;

namespace {

double Ms(Reloj::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Minimo(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

// The same agenda with every line end written as `fin`.
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

// One program measured in fresh processes.
struct Programa {
    std::string nombre;
    std::vector<std::string> argumentos;  // argv, the program first
    std::vector<double> pared;            // wall time, ms
    std::vector<double> cpu;              // user + system, ms
    long picoKb = 0;                      // largest peak resident memory seen
};

// Runs it once with its output thrown away; false when it fails.
bool Ejecutar(Programa& p) {
    std::fflush(stdout);
    std::cout.flush();
    const auto t0 = Reloj::now();
    const pid_t pid = ::fork();
    if (pid < 0) {
        return false;
    }
    if (pid == 0) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr) {
            ::_exit(127);
        }
        std::vector<char*> argv;
        for (std::string& a : p.argumentos) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int estado = 0;
    struct rusage uso {};
    if (::wait4(pid, &estado, 0, &uso) != pid) {
        return false;
    }
    p.pared.push_back(Ms(Reloj::now() - t0));
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    p.cpu.push_back(ms(uso.ru_utime) + ms(uso.ru_stime));
    p.picoKb = std::max(p.picoKb, uso.ru_maxrss);
    return WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

int Cargar(const std::string& archivo) {
    VentanaNula ventana;
    TFormVarnolt form(ventana);
    std::string resultado;
    if (!form.CargarAgenda(archivo, resultado)) {
        std::cerr << resultado << "\n";
        return 1;
    }
    std::printf("%zu\n", form.Tendencias.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if ((argc == 3 || argc == 4) && std::string_view(argv[1]) == "--cargar") {
        if (argc == 4) {
            MinimoCargaParalela() = std::string_view(argv[3]) == "2" ? 0 : INT32_MAX;
        }
        return Cargar(argv[2]);
    }
    const long long lineas = argc > 1 ? std::atoll(argv[1]) : 1000000;
    std::string archivo = argc > 2 ? argv[2]
                                   : (std::filesystem::temp_directory_path() /
                                      ("varnolt-bench-" + std::to_string(lineas) + ".csv"))
                                         .string();
    const int rondas = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    if (!std::filesystem::exists(archivo)) {
        std::cout << "Generando " << lineas << " líneas en " << archivo << "...\n";
        if (!GenerarAgenda(archivo, lineas, 42)) {
            std::cerr << "no se pudo escribir " << archivo << "\n";
            return 1;
        }
    }
    const auto bytes = std::filesystem::file_size(archivo);
    std::cout << "Agenda: " << archivo << " (" << bytes / (1024 * 1024) << " MiB)\n";
    std::uint64_t contactos = 0;
    {
        std::ifstream in(archivo, std::ios::binary);
        LectorLineas lector([&in](char* d, size_t n, std::uint64_t desde) -> size_t {
            in.clear();
            in.seekg(static_cast<std::streamoff>(desde));
            in.read(d, static_cast<std::streamsize>(n));
            return static_cast<size_t>(in.gcount());
        });
        contactos = std::max<std::uint64_t>(1, lector.Contar()) - 1;
    }

    const std::string carpeta = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    const std::string yo = carpeta + "/agenda_bench";
    auto programa = [](std::string nombre, std::vector<std::string> argumentos) {
        Programa p;
        p.nombre = std::move(nombre);
        p.argumentos = std::move(argumentos);
        return p;
    };
    std::vector<Programa> programas = {
        programa("leer_sumar (base)", {carpeta + "/leer_sumar", archivo}),
        programa("varnolt-cli resumen", {carpeta + "/varnolt-cli", "resumen", archivo}),
        programa("CargarAgenda, 2 hilos", {yo, "--cargar", archivo, "2"}),
        programa("CargarAgenda, CR LF", {yo, "--cargar", archivo}),
    };
    std::vector<std::string> copias;
    for (const auto& [nombre, fin, sufijo] : {std::tuple{"CargarAgenda, LF", "\n", ".lf"},
                                              std::tuple{"CargarAgenda, CR", "\r", ".cr"}}) {
        copias.push_back(archivo + sufijo);
        if (!CopiarConFinDeLinea(archivo, copias.back(), fin)) {
            std::cerr << "no se pudo escribir " << copias.back() << "\n";
            return 1;
        }
        programas.push_back(programa(nombre, {yo, "--cargar", copias.back()}));
    }
    for (int ronda = 0; ronda < rondas; ++ronda) {
        for (Programa& p : programas) {
            if (!Ejecutar(p)) {
                std::cerr << p.nombre << " falló\n";
                return 1;
            }
        }
    }
    for (const std::string& c : copias) {
        std::filesystem::remove(c);
    }

    const Programa& base = programas.front();
    std::printf("Contactos: %llu; %d rondas alternadas, procesos nuevos\n",
                static_cast<unsigned long long>(contactos), rondas);
    std::printf("%-22s %21s %21s %13s\n", "", "pared ms mín / med", "CPU ms mín / med",
                "pico B/cont.");
    for (const Programa& p : programas) {
        std::printf("%-22s %9.0f / %-9.0f %9.0f / %-9.0f %10.1f\n", p.nombre.c_str(),
                    Minimo(p.pared), Mediana(p.pared), Minimo(p.cpu), Mediana(p.cpu),
                    p.picoKb * 1024.0 / static_cast<double>(std::max<std::uint64_t>(1, contactos)));
        if (&p != &base) {
            std::printf("%-22s %8.2fx / %5.2fx    %8.2fx / %5.2fx\n", "  ratio a la base",
                        Minimo(p.pared) / Minimo(base.pared),
                        Mediana(p.pared) / Mediana(base.pared), Minimo(p.cpu) / Minimo(base.cpu),
                        Mediana(p.cpu) / Mediana(base.cpu));
        }
    }

    // The weighting, repeated in one process over the loaded agenda.
    VentanaNula ventana;
    TFormVarnolt form(ventana);
    form.CargarAgendas({archivo});
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
    std::printf("SetTendenciasItems(true), sin selección:  %8.2f ms (mediana de 21)\n", vacia);
    std::printf("SetTendenciasItems(true), natal + ángulo: %8.2f ms (mediana de 21)\n",
                conSeleccion);
    return 0;
}
