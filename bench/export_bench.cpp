// SPDX-License-Identifier: AGPL-3.0-or-later
// Figures of the exports on a large agenda:
//   export_bench [LINEAS] [ARCHIVO] [--par-a-par]
// Generates the agenda (1,000,000 lines by default) unless ARCHIVO exists,
// loads it, gives the archetype panels one row for every transit item, natal
// item and angle of the data (as an archetype file with every code would),
// selects every transit and natal row (all pairs) and prints the median time
// of "Detallar" end to end (SBCalcTAClick: the pairs' days, the ranges, the
// three lines of each, the filter restore and its weighting), then the CSV
// report of those lines and the writing of its file. --par-a-par also times
// the pair-by-pair way once and checks that its lines are the same.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "GeneradorAgenda.h"
#include "app/FormVarnolt.h"
#include "export/ArchivoCSV.h"

using namespace varnolt;
using Reloj = std::chrono::steady_clock;

namespace {

double Ms(Reloj::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Processor time of the process, in milliseconds: the figure that does not
// depend on what else the machine is running.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void LlenarArquetipos(TFormVarnolt& form) {
    for (const std::string& c : form.CatItemsTra) {
        form.LBArqTra.AddTermino(c, {c, c});
    }
    for (const std::string& c : form.CatItemsNat) {
        form.LBArqNat.AddTermino(c, {c, c});
    }
    for (const std::string& a : form.CatAspectos) {
        form.LBArqAsp.AddTermino("Aspecto (" + a + "°)", {a, "Aspecto (" + a + "°)"});
    }
}

void SeleccionarTodo(TFormVarnolt& form) {
    form.LBArqTra.SelectAll(true);
    form.LBArqNat.SelectAll(true);
}

}  // namespace

int main(int argc, char** argv) {
    bool parAPar = false;
    std::vector<std::string> posicionales;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--par-a-par") {
            parAPar = true;
        } else {
            posicionales.push_back(a);
        }
    }
    const long long lineas = !posicionales.empty() ? std::atoll(posicionales[0].c_str()) : 1000000;
    const std::string archivo = posicionales.size() > 1
                                    ? posicionales[1]
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

    VentanaNula ventana;
    TFormVarnolt form(ventana);
    auto t0 = Reloj::now();
    form.CargarAgendas({archivo});
    if (!form.DataCargada) {
        std::cerr << form.InfoData << "\n";
        return 1;
    }
    const double carga = Ms(Reloj::now() - t0);
    LlenarArquetipos(form);

    std::vector<double> detallar;
    std::vector<double> detallarCpu;
    for (int i = 0; i < 3; ++i) {
        SeleccionarTodo(form);
        t0 = Reloj::now();
        const double c0 = CpuMs();
        form.SBCalcTAClick();
        detallarCpu.push_back(CpuMs() - c0);
        detallar.push_back(Ms(Reloj::now() - t0));
    }
    const size_t rangos = form.MemoCSV.size();

    std::vector<double> reporte;
    for (int i = 0; i < 3; ++i) {
        t0 = Reloj::now();
        form.CBTipoReporte = 0;
        form.CBTipoTransito = 0;
        form.BtnGenCSVClick();
        reporte.push_back(Ms(Reloj::now() - t0));
    }
    const std::string salida = archivo + ".informe.csv";
    std::string error;
    t0 = Reloj::now();
    if (!EscribirArchivoCSV(salida, form.MemoResultados, error)) {
        std::cerr << "no se pudo escribir " << salida << ": " << error << "\n";
        return 1;
    }
    const double escritura = Ms(Reloj::now() - t0);
    const auto bytes = std::filesystem::file_size(salida);
    std::filesystem::remove(salida);

    std::printf("Contactos: %zu; pares: %d x %d; rangos: %zu\n", form.Tendencias.size(),
                form.LBArqTra.Count(), form.LBArqNat.Count(), rangos);
    std::printf("Carga de la agenda:                       %9.1f ms\n", carga);
    std::printf("Detallar, todos los pares (mediana de 3): %9.1f ms (%.1f ms de procesador)\n",
                Mediana(detallar), Mediana(detallarCpu));
    std::printf("Reporte CSV, todo (mediana de 3):         %9.1f ms (%zu filas)\n",
                Mediana(reporte), form.MemoResultados.size() - 1);
    std::printf("Escritura del archivo:                    %9.1f ms (%.1f MiB)\n", escritura,
                static_cast<double>(bytes) / (1024.0 * 1024.0));

    if (parAPar) {
        const std::vector<std::string> ta = form.MemoTA;
        const std::vector<std::string> csv = form.MemoCSV;
        const std::vector<std::string> prompt = form.MemoPrompt;
        form.RangosParAPar = true;
        SeleccionarTodo(form);
        t0 = Reloj::now();
        form.SBCalcTAClick();
        std::printf("Detallar, par a par (una vez):            %9.1f ms\n", Ms(Reloj::now() - t0));
        const bool iguales = ta == form.MemoTA && csv == form.MemoCSV && prompt == form.MemoPrompt;
        std::printf("Líneas iguales a las de una pasada:       %s\n", iguales ? "sí" : "NO");
        if (!iguales) {
            return 1;
        }
    }
    return 0;
}
