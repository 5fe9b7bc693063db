#include "gui/DialogoCarta.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Fecha.h"
#include "app/settings/Carpetas.h"
#include "app/settings/DatosPrograma.h"
#include "gui/VentanaVarnolt.h"

namespace varnolt::gui {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string S(const QString& s) {
    return s.trimmed().toStdString();
}

// "<documentos>/<nombre>_<desde>_<hasta>.csv".
std::string SalidaPropuesta(const TextosCarta& t) {
    std::string nombre;
    for (char c : t.nombre) {
        nombre += (c == ' ' || c == '/' || c == '\\') ? '_' : c;
    }
    if (nombre.empty()) {
        nombre = "Carta";
    }
    std::string rango = t.desde.empty() ? std::to_string(DecodificarFecha(Hoy()).anio) : t.desde;
    if (!t.hasta.empty() && t.hasta != t.desde) {
        rango += "_" + t.hasta;
    }
    std::string carpeta = CarpetaPersonal();
    if (carpeta.empty()) {
        carpeta = QDir::homePath().toStdString();
    }
    return UnirRuta(carpeta, "Agenda_" + nombre + "_" + rango + ".csv");
}

}  // namespace

DialogoCarta::DialogoCarta(const TextosCarta& p, const std::string& salidaPropuesta, QWidget* padre)
    : QDialog(padre) {
    setObjectName(QStringLiteral("DialogoCarta"));
    setWindowTitle(QStringLiteral("Nueva agenda: carta natal"));
    auto* v = new QVBoxLayout(this);
    auto* f = new QFormLayout();
    v->addLayout(f);

    nombre_ = new QLineEdit(Q(p.nombre), this);
    nombre_->setObjectName(QStringLiteral("EditNombre"));
    f->addRow(QStringLiteral("Nombre:"), nombre_);

    fecha_ = new QDateEdit(this);
    fecha_->setObjectName(QStringLiteral("EditFecha"));
    fecha_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    fecha_->setDateRange(QDate(kAnioMinimoAgenda, 1, 1), QDate(kAnioMaximoAgenda, 12, 31));
    fecha_->setCalendarPopup(true);
    hora_ = new QTimeEdit(this);
    hora_->setObjectName(QStringLiteral("EditHora"));
    hora_->setDisplayFormat(QStringLiteral("HH:mm"));
    const QDateTime nac =
        QDateTime::fromString(Q(p.nacimiento), QStringLiteral("yyyy-MM-dd'T'HH:mm"));
    fecha_->setDate(nac.isValid() ? nac.date() : QDate(1990, 1, 1));
    hora_->setTime(nac.isValid() ? nac.time() : QTime(12, 0));
    auto* fh = new QHBoxLayout();
    fh->addWidget(fecha_);
    fh->addWidget(new QLabel(QStringLiteral("Hora local:"), this));
    fh->addWidget(hora_);
    f->addRow(QStringLiteral("Nacimiento:"), fh);

    zona_ = new QLineEdit(Q(p.zona.empty() ? std::string("Europe/Madrid") : p.zona), this);
    zona_->setObjectName(QStringLiteral("EditZona"));
    zona_->setToolTip(
        QStringLiteral("Zona IANA (Europe/Madrid, America/Bogota…) o "
                       "desplazamiento fijo como +02:00"));
    f->addRow(QStringLiteral("Zona horaria:"), zona_);

    lugar_ = new QLineEdit(Q(p.lugar), this);
    lugar_->setObjectName(QStringLiteral("EditLugar"));
    lugar_->setPlaceholderText(QStringLiteral("40.4168,-3.7038"));
    lugar_->setToolTip(
        QStringLiteral("Latitud,longitud en grados decimales; norte y este "
                       "positivos"));
    f->addRow(QStringLiteral("Lugar (lat,lon):"), lugar_);

    desde_ = new QLineEdit(Q(p.desde), this);
    desde_->setObjectName(QStringLiteral("EditDesde"));
    desde_->setPlaceholderText(QString::number(DecodificarFecha(Hoy()).anio));
    hasta_ = new QLineEdit(Q(p.hasta), this);
    hasta_->setObjectName(QStringLiteral("EditHasta"));
    hasta_->setPlaceholderText(QStringLiteral("AAAA o AAAA-MM-DD"));
    auto* fr = new QHBoxLayout();
    fr->addWidget(desde_);
    fr->addWidget(new QLabel(QStringLiteral("hasta"), this));
    fr->addWidget(hasta_);
    f->addRow(QStringLiteral("Agenda desde:"), fr);

    salida_ = new QLineEdit(Q(salidaPropuesta), this);
    salida_->setObjectName(QStringLiteral("EditSalida"));
    auto* elegir = new QToolButton(this);
    elegir->setObjectName(QStringLiteral("SBElegirSalida"));
    elegir->setText(QStringLiteral("…"));
    elegir->setToolTip(QStringLiteral("Elegir dónde guardar la agenda"));
    connect(elegir, &QToolButton::clicked, this, [this] { ElegirSalida(); });
    auto* fs = new QHBoxLayout();
    fs->addWidget(salida_, 1);
    fs->addWidget(elegir);
    f->addRow(QStringLiteral("Guardar en:"), fs);

    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("LabelError"));
    error_->setStyleSheet(QStringLiteral("color: rgb(170,0,0)"));
    error_->setWordWrap(true);
    v->addWidget(error_);

    auto* botones = new QDialogButtonBox(this);
    QPushButton* calcular =
        botones->addButton(QStringLiteral("Calcular"), QDialogButtonBox::AcceptRole);
    calcular->setObjectName(QStringLiteral("BBCalcular"));
    calcular->setDefault(true);
    botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("BBCancelar"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(botones);
    setMinimumWidth(460);
}

EntradaCarta DialogoCarta::Entrada() const {
    EntradaCarta e;
    e.textos.nombre = S(nombre_->text());
    e.textos.nacimiento = QDateTime(fecha_->date(), hora_->time())
                              .toString(QStringLiteral("yyyy-MM-dd'T'HH:mm"))
                              .toStdString();
    e.textos.zona = S(zona_->text());
    e.textos.lugar = S(lugar_->text());
    e.textos.desde = S(desde_->text());
    e.textos.hasta = S(hasta_->text());
    e.salida = S(salida_->text());
    return e;
}

std::string DialogoCarta::Revisar() const {
    const EntradaCarta e = Entrada();
    std::string error;
    if (!LeerPeticion(e.textos, error)) {
        return "No se puede calcular: " + error + ".";
    }
    if (e.salida.empty()) {
        return "Falta el archivo donde guardar la agenda.";
    }
    return {};
}

void DialogoCarta::accept() {
    const std::string error = Revisar();
    error_->setText(Q(error));
    if (error.empty()) {
        QDialog::accept();
    }
}

void DialogoCarta::ElegirSalida() {
    const QString r =
        QFileDialog::getSaveFileName(this, QStringLiteral("Guardar agenda"), salida_->text(),
                                     QStringLiteral("Archivos CSV (*.csv)"));
    if (!r.isEmpty()) {
        salida_->setText(r.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
                             ? r
                             : r + QStringLiteral(".csv"));
    }
}

AccionNuevaAgenda::AccionNuevaAgenda(VentanaVarnolt& ventana, QToolButton* boton)
    : QObject(&ventana), ventana_(ventana) {
    setObjectName(QStringLiteral("AccionNuevaAgenda"));
    if (boton != nullptr) {
        connect(boton, &QToolButton::clicked, this, [this] { Ejecutar(); });
    }
    auto* atajo = new QShortcut(QKeySequence(QStringLiteral("Ctrl+N")), &ventana);
    atajo->setObjectName(QStringLiteral("AtajoNuevaAgenda"));
    connect(atajo, &QShortcut::activated, this, [this] { Ejecutar(); });
}

void AccionNuevaAgenda::Ejecutar() {
    if (ventana_.EntradaBloqueada()) {
        return;
    }
    const std::string memoria = ArchivoMemoria.empty() ? ArchivoUltimaCarta() : ArchivoMemoria;
    const TextosCarta previos = LeerUltimaCarta(memoria).value_or(TextosCarta{});
    const std::string propuesta = SalidaPropuesta(previos);

    std::optional<EntradaCarta> entrada;
    if (PedirCarta) {
        entrada = PedirCarta(previos, propuesta);
    } else {
        DialogoCarta d(previos, propuesta, &ventana_);
        if (d.exec() == QDialog::Accepted) {
            entrada = d.Entrada();
        }
    }
    if (!entrada) {
        return;
    }
    std::string error;
    std::optional<PeticionAgenda> p = LeerPeticion(entrada->textos, error);
    if (!p) {
        ventana_.MostrarError("No se puede calcular la agenda: " + error + ".");
        return;
    }
    GuardarUltimaCarta(memoria, entrada->textos);

    DatosPrograma datos;
    RutasPrograma rutas = RutasDelProgramaEnEjecucion();
    if (!ArchivoConfig.empty()) {
        rutas.archivoIni = ArchivoConfig;
    }
    CargarConfiguracion(datos, rutas);
    std::string aviso;
    AplicarConfiguracion(*p, datos.config, &aviso);

    QProgressDialog progreso(QStringLiteral("Calculando la agenda…"), QStringLiteral("Cancelar"), 0,
                             100, &ventana_);
    progreso.setObjectName(QStringLiteral("ProgresoAgenda"));
    progreso.setWindowTitle(QStringLiteral("Nueva agenda"));
    progreso.setWindowModality(Qt::WindowModal);
    progreso.setMinimumDuration(0);
    progreso.setValue(0);
    QApplication::processEvents();
    Ultimo = EscribirAgenda(*p, entrada->salida, [&](int pct) {
        progreso.setValue(pct);
        QApplication::processEvents();
        return !progreso.wasCanceled();
    });
    progreso.close();
    if (!aviso.empty()) {
        Ultimo.avisos.insert(Ultimo.avisos.begin(), aviso);
    }
    if (Ultimo.cancelado) {
        return;
    }
    if (!Ultimo.hecho) {
        ventana_.MostrarError(Ultimo.error);
        return;
    }
    if (!Ultimo.avisos.empty()) {
        std::string texto = "Avisos del cálculo:\r";
        for (const std::string& a : Ultimo.avisos) {
            texto += "\r" + a;
        }
        ventana_.MostrarInformacion(texto);
    }
    ventana_.CargarAgendas({entrada->salida});
}

}  // namespace varnolt::gui
