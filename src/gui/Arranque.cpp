// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/Arranque.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QFile>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLibraryInfo>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <iostream>

#include "gui/DialogoCarta.h"
#include "gui/TextoQt.h"
#include "gui/VentanaVarnolt.h"
#include "gui/VentanasPequenas.h"
#include "transitos/DatosCarta.h"

namespace varnolt::gui {

OpcionesArranque LeerOpciones(const QStringList& argumentos) {
    OpcionesArranque o;
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a == QLatin1String("--pulsar")) {
            if (i + 1 >= argumentos.size()) {
                o.error = QStringLiteral("--pulsar necesita el nombre de un botón");
                return o;
            }
            o.pulsar << argumentos[++i];
        } else if (a == QLatin1String("--fecha")) {
            const QDate d = i + 1 < argumentos.size()
                                ? QDate::fromString(argumentos[i + 1], QStringLiteral("yyyy-MM-dd"))
                                : QDate();
            if (!d.isValid()) {
                o.error = QStringLiteral("--fecha necesita una fecha AAAA-MM-DD");
                return o;
            }
            o.fecha = d;
            ++i;
        } else if (a == QLatin1String("--ayuda")) {
            const QStringList xy = i + 2 < argumentos.size()
                                       ? argumentos[i + 2].split(QLatin1Char(','))
                                       : QStringList();
            bool okX = false;
            bool okY = false;
            const int x = xy.size() == 2 ? xy[0].toInt(&okX) : 0;
            const int y = xy.size() == 2 ? xy[1].toInt(&okY) : 0;
            if (!okX || !okY) {
                o.error = QStringLiteral("--ayuda necesita un nombre y un punto X,Y");
                return o;
            }
            o.ayuda = argumentos[i + 1];
            o.puntoAyuda = QPoint(x, y);
            i += 2;
        } else if (a == QLatin1String("--captura")) {
            if (i + 2 >= argumentos.size()) {
                o.error = QStringLiteral("--captura necesita una ventana y un archivo");
                return o;
            }
            o.capturas.emplace_back(argumentos[i + 1], argumentos[i + 2]);
            i += 2;
        } else if (a.startsWith(QLatin1String("--"))) {
            o.error = QStringLiteral("opción desconocida: ") + a;
            return o;
        } else {
            o.agendas.push_back(QFile::encodeName(a).toStdString());
        }
    }
    return o;
}

QTranslator* CargarTextosQt() {
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return nullptr;
    }
    QCoreApplication::installTranslator(t);
    return t;
}

bool ElegirDia(VentanaVarnolt& ventana, const QDate& dia) {
    auto* calendario = ventana.findChild<QCalendarWidget*>(QStringLiteral("MonthCalendar1"));
    if (calendario == nullptr || !calendario->isEnabled() || !dia.isValid()) {
        return false;
    }
    calendario->setSelectedDate(dia);
    emit calendario->clicked(dia);
    return true;
}

bool Pulsar(VentanaVarnolt& ventana, const QString& nombre) {
    auto* boton = ventana.findChild<QAbstractButton*>(nombre);
    if (boton == nullptr || !boton->isEnabled()) {
        return false;
    }
    boton->click();
    return true;
}

bool MostrarAyuda(VentanaVarnolt& ventana, const QString& nombre, QPoint punto) {
    auto* w = ventana.findChild<QWidget*>(nombre);
    if (w == nullptr || !w->isVisible()) {
        return false;
    }
    QHelpEvent ayuda(QEvent::ToolTip, punto, w->mapToGlobal(punto));
    QCoreApplication::sendEvent(w, &ayuda);
    return true;
}

namespace {

QImage ConTitulo(const QPixmap& cliente, const QString& titulo) {
    const int alto = 22;
    QImage img(cliente.width(), cliente.height() + alto, QImage::Format_RGB32);
    img.fill(QColor(60, 63, 65));
    QPainter p(&img);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(8, 0, img.width() - 16, alto), Qt::AlignVCenter | Qt::AlignLeft, titulo);
    p.drawPixmap(0, alto, cliente);
    return img;
}

}  // namespace

bool Capturar(VentanaVarnolt& ventana, const QString& nombre, const QString& archivo) {
    QWidget* w = nullptr;
    bool temporal = false;
    if (nombre == QLatin1String("Pantalla")) {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
        QScreen* pantalla = QGuiApplication::primaryScreen();
        return pantalla != nullptr && pantalla->grabWindow(0).save(archivo);
    }
    if (nombre == QLatin1String("TFormVarnolt")) {
        w = &ventana;
    } else if (nombre == QLatin1String("TFormMSG")) {
        w = ventana.FormMSG();
        w->show();
    } else if (nombre == QLatin1String("AcercaDeVarnolt")) {
        ventana.LabelAboutClick();
        w = ventana.AcercaDe();
    } else if (nombre == QLatin1String("TFormAviso")) {
        w = ventana.FormAviso();
        w->show();
    } else if (nombre == QLatin1String("DialogoCarta")) {
        // The "Nueva" dialog as it opens, with the last chart entered.
        const TextosCarta previos = LeerUltimaCarta(ArchivoUltimaCarta()).value_or(TextosCarta{});
        auto* dialogo = new DialogoCarta(previos, SalidaPropuesta(previos), &ventana);
        dialogo->show();
        w = dialogo;
        temporal = true;
    } else if (nombre == QLatin1String("TFormStepCount")) {
        auto* paso = new TFormStepCount(&ventana);
        paso->setWindowTitle(QStringLiteral("Cargando data -> muestra_2024.csv [2399 registros]"));
        paso->PB()->setValue(40);
        paso->show();
        w = paso;
        temporal = true;
    } else {
        w = ventana.Herramienta(nombre);
        if (w != nullptr && !w->isVisible()) {
            w->show();
        }
    }
    if (w == nullptr) {
        return false;
    }
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
    const QPixmap pm = w->grab();
    const bool marco = !(w->windowFlags() & Qt::FramelessWindowHint);
    const bool ok =
        marco ? ConTitulo(pm, w->windowTitle()).save(archivo) : pm.toImage().save(archivo);
    if (temporal) {
        delete w;
    }
    return ok;
}

void Arrancar(VentanaVarnolt& ventana, const OpcionesArranque& opciones) {
    if (!opciones.capturas.empty()) {
        // Nobody is there to confirm: messages go to the standard output.
        ventana.DialogoMensaje = [](const std::string& texto) {
            std::cout << "[TFormMSG] " << S(Lineas(texto)) << "\n";
        };
        ventana.DialogoError = [](const std::string& texto) {
            std::cerr << "[Error] " << S(Lineas(texto)) << "\n";
        };
        ventana.DialogoInformacion = [](const std::string& texto) {
            std::cout << "[Información] " << S(Lineas(texto)) << "\n";
        };
    }
    QTimer::singleShot(0, &ventana, [&ventana, opciones] {
        if (!opciones.agendas.empty()) {
            ventana.CargarAgendas(opciones.agendas);
        }
        if (opciones.fecha.isValid() && !ElegirDia(ventana, opciones.fecha)) {
            std::cerr << "Varnolt: el calendario no está activo\n";
        }
        for (const QString& b : opciones.pulsar) {
            if (!Pulsar(ventana, b)) {
                std::cerr << "Varnolt: no hay botón activo " << S(b) << "\n";
            }
        }
        if (!opciones.ayuda.isEmpty()) {
            // Once the presses have laid the window out.
            QTimer::singleShot(200, &ventana, [&ventana, opciones] {
                if (!MostrarAyuda(ventana, opciones.ayuda, opciones.puntoAyuda)) {
                    std::cerr << "Varnolt: no hay " << S(opciones.ayuda) << " visible\n";
                }
            });
        }
        if (opciones.capturas.empty()) {
            return;
        }
        QTimer::singleShot(600, &ventana, [&ventana, opciones] {
            int fallos = 0;
            for (const auto& [nombre, archivo] : opciones.capturas) {
                if (!Capturar(ventana, nombre, archivo)) {
                    std::cerr << "Varnolt: no se pudo capturar " << S(nombre) << " en "
                              << S(archivo) << "\n";
                    ++fallos;
                }
            }
            QCoreApplication::exit(fallos == 0 ? 0 : 1);
        });
    });
}

}  // namespace varnolt::gui
