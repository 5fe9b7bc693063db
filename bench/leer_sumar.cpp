// SPDX-License-Identifier: AGPL-3.0-or-later
// leer_sumar ARCHIVO: the least a load of an agenda must do, as the baseline
// the loader is measured against. Reads the file with read() in 1 MiB blocks
// through one buffer, skips the header, and for every line sums the weight
// (token 9, std::from_chars) into its day (token 3, Y-M-D); prints the lines,
// the days and the total. One thread, no checks beyond what the sum needs.
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Days since 1 January of year 0 of the proleptic calendar (a day key).
long Dia(int y, int m, int d) {
    y -= m <= 2;
    const long era = y / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy;
}

std::vector<double> pesos(366 * 10000, 0.0);
long lineas = 0;

void Linea(std::string_view l) {
    std::string_view tok[10];
    size_t p = 0;
    for (int i = 0; i < 10; ++i) {
        const size_t e = l.find(' ', p);
        tok[i] = l.substr(p, e == std::string_view::npos ? std::string_view::npos : e - p);
        if (e == std::string_view::npos) {
            return;
        }
        p = e + 1;
        if (i == 7) {
            ++p;  // the second blank after the strength
        }
    }
    int y = 0, m = 0, d = 0;
    const char* f = tok[3].data();
    const char* fin = f + tok[3].size();
    auto r = std::from_chars(f, fin, y);
    r = std::from_chars(r.ptr + 1, fin, m);
    std::from_chars(r.ptr + 1, fin, d);
    double peso = 0;
    std::from_chars(tok[9].data(), tok[9].data() + tok[9].size(), peso);
    const long k = Dia(y, m, d);
    if (k >= 0 && static_cast<size_t>(k) < pesos.size()) {
        pesos[static_cast<size_t>(k)] += peso;
    }
    ++lineas;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: leer_sumar ARCHIVO\n");
        return 2;
    }
    const int fd = ::open(argv[1], O_RDONLY);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<char> buf(1 << 20);
    size_t ini = 0;
    size_t fin = 0;
    bool cabecera = true;
    for (;;) {
        if (ini > 0) {
            std::memmove(buf.data(), buf.data() + ini, fin - ini);
            fin -= ini;
            ini = 0;
        }
        if (fin == buf.size()) {
            buf.resize(buf.size() * 2);
        }
        const ssize_t n = ::read(fd, buf.data() + fin, buf.size() - fin);
        if (n < 0) {
            std::perror(argv[1]);
            return 1;
        }
        fin += static_cast<size_t>(n);
        for (;;) {
            const void* lf = std::memchr(buf.data() + ini, '\n', fin - ini);
            if (lf == nullptr) {
                break;
            }
            const size_t e = static_cast<size_t>(static_cast<const char*>(lf) - buf.data());
            std::string_view l(buf.data() + ini, e - ini);
            if (!l.empty() && l.back() == '\r') {
                l.remove_suffix(1);
            }
            if (!cabecera) {
                Linea(l);
            }
            cabecera = false;
            ini = e + 1;
        }
        if (n == 0) {
            if (ini < fin && !cabecera) {
                Linea(std::string_view(buf.data() + ini, fin - ini));
            }
            break;
        }
    }
    double total = 0;
    long dias = 0;
    for (const double p : pesos) {
        total += p;
        dias += p != 0;
    }
    std::printf("%ld líneas, %ld días, peso total %.2f\n", lineas, dias, total);
    return 0;
}
