// SPDX-License-Identifier: AGPL-3.0-or-later
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

std::array<double, kNumAngulos> AngulosExactos() {
    std::array<double, kNumAngulos> r{};
    for (size_t k = 0; k < r.size(); ++k) {
        r[k] = AnguloExacto(kAngulosAgenda[k]);
    }
    return r;
}

// Fills r for a distance 'v' to the exact angle within 'orbe'.
void Completar(const ModeloAgenda& m, Cuerpo c, const Posicion& t, double natal, int punto, int k,
               double dif, double separacion, double v, double orbe, Contacto& r) {
    r.transito = c;
    r.angulo = k;
    r.valor = v;
    const double fuerza = orbe > 0 ? (1.0 - v / orbe) * 100.0 : 100.0;
    r.fuerza = std::round(fuerza * 10.0) / 10.0;
    r.peso = m.Peso(c, punto, k, r.fuerza);
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
                {std::string(CodigoCuerpo(static_cast<Cuerpo>(i))), pos[i].longitud, i});
        }
    }
    const Efemerides::Casas casas = efe.CalcularCasas(jd, latitud, longitud, sistemaCasas);
    carta.ascendente = casas.ascendente;
    carta.medioCielo = casas.medioCielo;
    auto p = [&](Cuerpo c) { return pos[static_cast<int>(c)].longitud; };
    const double asc = casas.ascendente;
    const double otros[] = {
        p(Cuerpo::Nod) + 180.0,                 // NodS
        p(Cuerpo::NodT) + 180.0,                // NodST
        asc + p(Cuerpo::Lun) - p(Cuerpo::Sol),  // RfD
        asc + p(Cuerpo::Sol) - p(Cuerpo::Lun),  // RfN
        p(Cuerpo::Lil) + 180.0,                 // Pr
        p(Cuerpo::LilT) + 180.0,                // PrT
    };
    int indice = kNumCuerpos;
    for (double lon : otros) {
        carta.puntos.push_back({std::string(CodigoPuntoNatal(indice)), Normalizar(lon), indice});
        ++indice;
    }
    for (int k = 0; k < 12; ++k, ++indice) {
        carta.puntos.push_back({std::string(CodigoPuntoNatal(indice)), casas.cuspides[k], indice});
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
        // Conjunction, opposition and square mark events; the trine and the
        // sextile less; the minor angles little.
        m.factorPesoAngulo[k] = a == 0 || a == 180 || a == 90     ? 2.0
                                : a == 120                        ? 1.5
                                : a == 60                         ? 1.0
                                : a == 150 || a == 45 || a == 135 ? 0.5
                                                                  : 0.25;
    }
    // The slow bodies have narrow orbs: they stay for weeks within a wide
    // one, and a month-long plateau is no event.
    //              Sol   Lun   Mer  Ven  Mar  Júp  Sat  Ura  Nep  Plu
    m.factorOrbe = {1.25, 1.25, 1.0, 1.0, 1.0, 0.8, 0.7, 0.5, 0.5, 0.5,
                    // Nod NodT  Lil   LilT  Qui  Pho  Cer  Pal  Jun  Ves
                    0.75, 0.75, 0.75, 0.75, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
    // Slower weighs more among the planets; the Moon, sampled once a day,
    // little; the points and small bodies less than the planets.
    m.factorPeso = {1.0, 0.25, 1.0,  1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0,
                    1.0, 1.0,  0.75, 0.5, 1.5, 1.0, 0.5, 0.5, 0.5, 0.5};
    m.factorPesoPunto.fill(0.25);
    auto punto = [&](std::string_view lista, double f) {
        ContenidoAgenda c;
        std::string error;
        LeerPuntos(lista, c, error);
        for (int i = 0; i < kNumPuntosNatales; ++i) {
            if (c.puntos[static_cast<size_t>(i)]) {
                m.factorPesoPunto[static_cast<size_t>(i)] = f;
            }
        }
    };
    punto("Sol,Lun,Mer,Ven,Mar,C01,C10,C04,C07", 1.0);
    punto("Júp,Sat", 0.6);
    punto("Ura,Nep,Plu,Nod,NodT,NodS,NodST,Qui,RfD,RfN", 0.4);
    punto("Lil,LilT,Pr,PrT", 0.3);
    m.potenciaFuerza = 6;
    m.contenido = *ContenidoDePerfil(kPerfilPredeterminado);
    return m;
}

double ModeloAgenda::FactorPunto(int i) const {
    const int primero = PrimerExtremoEje(i);
    if (primero >= 0 && contenido.puntos[static_cast<size_t>(primero)]) {
        return 0;
    }
    return factorPesoPunto[static_cast<size_t>(i)];
}

double ModeloAgenda::Peso(Cuerpo c, int punto, int k, double fuerza) const {
    return std::pow(fuerza / 100.0, potenciaFuerza) * factorPeso[static_cast<int>(c)] *
           factorPesoAngulo[static_cast<size_t>(k)] * FactorPunto(punto);
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

std::vector<std::optional<double>> MuestrasDiarias(const ZonaHoraria& zona, TFecha desde,
                                                   TFecha hasta, int horaLocal) {
    std::vector<HoraLocal> horas;
    for (TFecha f = desde; f <= hasta; ++f) {
        const FechaCivil c = DecodificarFecha(f);
        horas.push_back({c.anio, c.mes, c.dia, horaLocal, 0});
    }
    std::vector<std::optional<double>> r;
    r.reserve(horas.size());
    for (const std::optional<std::int64_t>& utc : zona.AUtcDiasExistentes(horas)) {
        r.push_back(utc ? std::optional(DiaJulianoDeUnix(*utc)) : std::nullopt);
    }
    return r;
}

bool MedirContacto(const ModeloAgenda& m, Cuerpo c, const Posicion& t, double natal, int punto,
                   int k, Contacto& r) {
    const double dif = Diferencia(t.longitud, natal);
    const double sep = std::fabs(dif);
    const double v = std::fabs(sep - AnguloExacto(kAngulosAgenda[k]));
    const double orbe = m.Orbe(c, k);
    if (v > orbe) {
        return false;
    }
    Completar(m, c, t, natal, punto, k, dif, sep, v, orbe, r);
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
    const auto muestras = MuestrasDiarias(zona, desde, hasta, m.horaDiaria);
    std::array<std::array<double, kNumAngulos>, kNumCuerpos> orbes{};
    for (int i = 0; i < kNumCuerpos; ++i) {
        for (int k = 0; k < kNumAngulos; ++k) {
            orbes[i][k] = m.Orbe(static_cast<Cuerpo>(i), k);
        }
    }
    // Only the points and angles of the content are measured.
    std::vector<size_t> puntos;
    for (size_t p = 0; p < carta.puntos.size(); ++p) {
        if (m.contenido.puntos[static_cast<size_t>(carta.puntos[p].indice)]) {
            puntos.push_back(p);
        }
    }
    std::vector<int> angulos;
    for (int k = 0; k < kNumAngulos; ++k) {
        if (m.contenido.angulos[static_cast<size_t>(k)]) {
            angulos.push_back(k);
        }
    }
    const size_t dias = muestras.size();
    int ultimo = -1;
    Contacto r;
    for (size_t d = 0; d < dias; ++d) {
        r.fecha = desde + static_cast<TFecha>(d);
        for (int i = 0; muestras[d] && i < kNumCuerpos; ++i) {
            const Cuerpo c = static_cast<Cuerpo>(i);
            if (!m.contenido.cuerpos[static_cast<size_t>(i)]) {
                continue;
            }
            const Posicion t = efe.Calcular(c, *muestras[d]);
            if (!t.valida) {
                continue;
            }
            for (size_t p : puntos) {
                const double natal = carta.puntos[p].longitud;
                const double dif = Diferencia(t.longitud, natal);
                const double sep = std::fabs(dif);
                for (int k : angulos) {
                    const double v = std::fabs(sep - exactos[k]);
                    if (v <= orbes[i][k]) {
                        r.punto = static_cast<int>(p);
                        Completar(m, c, t, natal, carta.puntos[p].indice, k, dif, sep, v,
                                  orbes[i][k], r);
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
