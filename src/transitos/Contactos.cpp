#include "transitos/Contactos.h"

#include <cmath>

#include "app/settings/Configuracion.h"

namespace varnolt {
namespace {

double Normalizar(double g) {
    double r = std::fmod(g, 360.0);
    if (r < 0) {
        r += 360.0;
    }
    return r >= 360.0 ? 0.0 : r;
}

constexpr bool EsMayor(int angulo) {
    return angulo == 0 || angulo == 180 || angulo == 120 || angulo == 90;
}

// The signed difference transit − natal in (−180, 180].
double Diferencia(double transito, double natal) {
    double d = std::fmod(transito - natal, 360.0);
    if (d <= -180.0) {
        d += 360.0;
    } else if (d > 180.0) {
        d -= 360.0;
    }
    return d;
}

std::array<double, kAngulosAgenda.size()> AngulosExactos() {
    std::array<double, kAngulosAgenda.size()> r{};
    for (size_t k = 0; k < r.size(); ++k) {
        r[k] = AnguloExacto(kAngulosAgenda[k]);
    }
    return r;
}

// Fills r for a distance 'v' to the exact angle within 'orbe'.
void Completar(const ModeloAgenda& m, Cuerpo c, const Posicion& t, double natal, int k, double dif,
               double separacion, double v, double orbe, Contacto& r) {
    r.transito = c;
    r.angulo = k;
    r.valor = v;
    const double fuerza = orbe > 0 ? (1.0 - v / orbe) * 100.0 : 100.0;
    r.fuerza = std::round(fuerza * 10.0) / 10.0;
    r.peso = fuerza / 100.0 * m.factorPeso[static_cast<int>(c)] * m.factorPesoAngulo[k];
    // d(separation)/dt has the sign of the difference times the motion; the
    // distance to the angle shrinks when it moves towards the angle.
    const double signoDif = dif > 0 ? 1.0 : (dif < 0 ? -1.0 : (t.velocidad >= 0 ? 1.0 : -1.0));
    const double dSep = signoDif * t.velocidad;
    const double objetivo = AnguloExacto(kAngulosAgenda[k]);
    r.aplicativo = (separacion < objetivo && dSep > 0) || (separacion > objetivo && dSep < 0);
    r.retrogrado = t.velocidad < 0;
    r.posNatal = natal;
    r.posTransito = t.longitud;
}

}  // namespace

double AnguloExacto(int angulo) {
    return angulo == 51 ? 360.0 / 7.0 : static_cast<double>(angulo);
}

int IndiceCatalogoAspecto(int angulo) {
    switch (angulo) {
        case 36:
            return 13;
        case 33:
            return 14;
        case 40:
            return 15;
        case 51:
            return 16;
        case 72:
            return 17;
        case 144:
            return 18;
        default:
            return angulo / 15;  // 0, 15, ..., 180
    }
}

CartaNatal CalcularCarta(Efemerides& efe, double jd, double latitud, double longitud,
                         char sistemaCasas) {
    CartaNatal carta;
    carta.diaJuliano = jd;
    std::array<Posicion, kNumCuerpos> pos{};
    for (int i = 0; i < kNumCuerpos; ++i) {
        pos[i] = efe.Calcular(static_cast<Cuerpo>(i), jd);
        if (pos[i].valida) {
            carta.puntos.push_back(
                {std::string(CodigoCuerpo(static_cast<Cuerpo>(i))), pos[i].longitud});
        }
    }
    const Efemerides::Casas casas = efe.CalcularCasas(jd, latitud, longitud, sistemaCasas);
    carta.ascendente = casas.ascendente;
    carta.medioCielo = casas.medioCielo;
    auto p = [&](Cuerpo c) { return pos[static_cast<int>(c)].longitud; };
    const double asc = casas.ascendente;
    carta.puntos.push_back({"NodS", Normalizar(p(Cuerpo::Nod) + 180.0)});
    carta.puntos.push_back({"NodST", Normalizar(p(Cuerpo::NodT) + 180.0)});
    carta.puntos.push_back({"RfD", Normalizar(asc + p(Cuerpo::Lun) - p(Cuerpo::Sol))});
    carta.puntos.push_back({"RfN", Normalizar(asc + p(Cuerpo::Sol) - p(Cuerpo::Lun))});
    carta.puntos.push_back({"Pr", Normalizar(p(Cuerpo::Lil) + 180.0)});
    carta.puntos.push_back({"PrT", Normalizar(p(Cuerpo::LilT) + 180.0)});
    for (int k = 0; k < 12; ++k) {
        char codigo[4] = {'C', static_cast<char>('0' + (k + 1) / 10),
                          static_cast<char>('0' + (k + 1) % 10), '\0'};
        carta.puntos.push_back({codigo, casas.cuspides[k]});
    }
    return carta;
}

char SistemaCasas(int id, bool* conocido) {
    // 0 Placidus, 1 Koch, 2 Campanus, 3 Regiomontanus, 4 Casas iguales,
    // 5 Signos enteros, 6 Porfirio, 7 Topocéntrico, 8 Alcabitius, 9 Morinus.
    static constexpr char kLetras[] = {'P', 'K', 'C', 'R', 'E', 'W', 'O', 'T', 'B', 'M'};
    const bool ok = id >= 0 && id < static_cast<int>(sizeof kLetras);
    if (conocido != nullptr) {
        *conocido = ok;
    }
    return ok ? kLetras[id] : 'P';
}

ModeloAgenda ModeloPredeterminado() {
    ModeloAgenda m;
    for (size_t k = 0; k < kAngulosAgenda.size(); ++k) {
        const int a = kAngulosAgenda[k];
        m.orbeAngulo[k] = EsMayor(a) ? 3.0 : (a == 60 ? 2.0 : 1.0);
        m.factorPesoAngulo[k] = EsMayor(a) ? 2.0 : (a == 60 ? 1.5 : 1.0);
    }
    //                      Sol   Lun   Mer   Ven   Mar   Júp   Sat   Ura   Nep   Plu
    m.factorOrbe = {1.25, 1.25, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0,
                    //       Nod   NodT  Lil   LilT  Qui   Pho   Cer   Pal   Jun   Ves
                    0.75, 0.75, 0.75, 0.75, 0.75, 0.5, 0.5, 0.5, 0.5, 0.5};
    m.factorPeso = {1.0, 0.5, 1.0, 1.0, 1.5, 2.0, 3.0, 4.0, 4.0, 4.0,
                    2.0, 2.0, 1.5, 1.0, 3.0, 2.0, 1.0, 1.0, 1.0, 1.0};
    return m;
}

void AplicarOrbesConfiguracion(ModeloAgenda& modelo, const Configuracion& config) {
    for (size_t k = 0; k < kAngulosAgenda.size(); ++k) {
        const double o = config.DataAspNatDin[IndiceCatalogoAspecto(kAngulosAgenda[k])].Orbe;
        if (o > 0 && o <= 15 && o != 1.0) {
            modelo.orbeAngulo[k] = o;
        }
    }
}

int BandaDeFuerza(double fuerza) {
    if (fuerza < 20)
        return 1;
    if (fuerza < 40)
        return 2;
    if (fuerza < 60)
        return 3;
    if (fuerza < 80)
        return 4;
    return 5;
}

const char* TextoBanda(int banda) {
    static constexpr const char* kTextos[] = {"0%-20%", "20%-40%", "40%-60%", "60%-80%",
                                              "80%-100%"};
    return kTextos[banda < 1 ? 0 : (banda > 5 ? 4 : banda - 1)];
}

std::vector<double> MuestrasDiarias(const ZonaHoraria& zona, TFecha desde, TFecha hasta,
                                    int horaLocal) {
    std::vector<HoraLocal> horas;
    for (TFecha f = desde; f <= hasta; ++f) {
        const FechaCivil c = DecodificarFecha(f);
        horas.push_back({c.anio, c.mes, c.dia, horaLocal, 0});
    }
    std::vector<double> r;
    r.reserve(horas.size());
    for (std::int64_t utc : zona.AUtc(horas)) {
        r.push_back(DiaJulianoDeUnix(utc));
    }
    return r;
}

bool MedirContacto(const ModeloAgenda& m, Cuerpo c, const Posicion& t, double natal, int k,
                   Contacto& r) {
    const double dif = Diferencia(t.longitud, natal);
    const double sep = std::fabs(dif);
    const double v = std::fabs(sep - AnguloExacto(kAngulosAgenda[k]));
    const double orbe = m.Orbe(c, k);
    if (v > orbe) {
        return false;
    }
    Completar(m, c, t, natal, k, dif, sep, v, orbe, r);
    return true;
}

bool CalcularContactos(Efemerides& efe, const CartaNatal& carta, const ZonaHoraria& zona,
                       TFecha desde, TFecha hasta, const ModeloAgenda& m,
                       const std::function<void(const Contacto&)>& salida,
                       const std::function<bool(int)>& progreso) {
    if (hasta < desde) {
        return true;
    }
    static const auto exactos = AngulosExactos();
    const std::vector<double> muestras = MuestrasDiarias(zona, desde, hasta, m.horaDiaria);
    std::array<std::array<double, kAngulosAgenda.size()>, kNumCuerpos> orbes{};
    for (int i = 0; i < kNumCuerpos; ++i) {
        for (size_t k = 0; k < kAngulosAgenda.size(); ++k) {
            orbes[i][k] = m.Orbe(static_cast<Cuerpo>(i), static_cast<int>(k));
        }
    }
    const size_t dias = muestras.size();
    int ultimo = -1;
    Contacto r;
    for (size_t d = 0; d < dias; ++d) {
        r.fecha = desde + static_cast<TFecha>(d);
        for (int i = 0; i < kNumCuerpos; ++i) {
            const Cuerpo c = static_cast<Cuerpo>(i);
            const Posicion t = efe.Calcular(c, muestras[d]);
            if (!t.valida) {
                continue;
            }
            for (size_t p = 0; p < carta.puntos.size(); ++p) {
                const double natal = carta.puntos[p].longitud;
                const double dif = Diferencia(t.longitud, natal);
                const double sep = std::fabs(dif);
                for (size_t k = 0; k < exactos.size(); ++k) {
                    const double v = std::fabs(sep - exactos[k]);
                    if (v <= orbes[i][k]) {
                        r.punto = static_cast<int>(p);
                        Completar(m, c, t, natal, static_cast<int>(k), dif, sep, v, orbes[i][k], r);
                        salida(r);
                    }
                }
            }
        }
        if (progreso) {
            const int pct = static_cast<int>((d + 1) * 100 / dias);
            if (pct != ultimo || d + 1 == dias) {
                ultimo = pct;
                if (!progreso(pct)) {
                    return false;
                }
            }
        }
    }
    return true;
}

}  // namespace varnolt
