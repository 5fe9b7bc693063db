// SPDX-License-Identifier: AGPL-3.0-or-later
#include "gui/DialogoCarta.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
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

constexpr const char* kPersonalizado = "Personalizado";

// A date typed as AAAA-MM-DD or as eight digits, written AAAA-MM-DD; a time
// typed as HH:MM, H:MM or four digits, written HH:MM. Other texts stay as
// they are (the check names them).
QString FormaFecha(const QString& texto) {
    const QString t = texto.trimmed();
    static const QRegularExpression ocho(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    const auto m = ocho.match(t);
    return m.hasMatch() ? m.captured(1) + '-' + m.captured(2) + '-' + m.captured(3) : t;
}

QString FormaHora(const QString& texto) {
    const QString t = texto.trimmed();
    static const QRegularExpression forma(QStringLiteral("^(\\d{1,2}):?(\\d{2})$"));
    const auto m = forma.match(t);
    return m.hasMatch() ? m.captured(1).rightJustified(2, '0') + ':' + m.captured(2) : t;
}

// The fields of a chart remembered as "AAAA-MM-DDTHH:MM".
QString ParteFecha(const std::string& nacimiento) {
    const QString n = Q(nacimiento);
    const qsizetype t = n.indexOf(QRegularExpression(QStringLiteral("[T ]")));
    return t < 0 ? n : n.left(t);
}

QString ParteHora(const std::string& nacimiento) {
    const QString n = Q(nacimiento);
    const qsizetype t = n.indexOf(QRegularExpression(QStringLiteral("[T ]")));
    return t < 0 ? QString() : n.mid(t + 1);
}

void Marcar(QLineEdit* campo, bool mal) {
    campo->setStyleSheet(mal ? QStringLiteral("background: rgb(255,220,220)") : QString());
}

}  // namespace

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

    // One field for the date and one for the time: typed whole, checked in
    // place.
    fecha_ = new QLineEdit(ParteFecha(p.nacimiento), this);
    fecha_->setObjectName(QStringLiteral("EditFecha"));
    fecha_->setPlaceholderText(QStringLiteral("AAAA-MM-DD"));
    fecha_->setToolTip(QStringLiteral("Fecha de nacimiento: AAAA-MM-DD o AAAAMMDD"));
    hora_ = new QLineEdit(ParteHora(p.nacimiento), this);
    hora_->setObjectName(QStringLiteral("EditHora"));
    hora_->setPlaceholderText(QStringLiteral("HH:MM"));
    hora_->setToolTip(QStringLiteral("Hora local del nacimiento: HH:MM o HHMM"));
    hora_->setMaximumWidth(80);
    connect(fecha_, &QLineEdit::editingFinished, this, [this] { RevisarFechaHora(); });
    connect(hora_, &QLineEdit::editingFinished, this, [this] { RevisarFechaHora(); });
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

    // What goes into the agenda: a profile, or the three lists by hand.
    perfil_ = new QComboBox(this);
    perfil_->setObjectName(QStringLiteral("CBPerfil"));
    for (const PerfilAgenda& pa : PerfilesAgenda()) {
        perfil_->addItem(QString::fromUtf8(pa.nombre));
        perfil_->setItemData(perfil_->count() - 1, QString::fromUtf8(pa.descripcion),
                             Qt::ToolTipRole);
    }
    perfil_->addItem(QString::fromUtf8(kPersonalizado));
    f->addRow(QStringLiteral("Contenido:"), perfil_);
    cuerpos_ = new QLineEdit(this);
    cuerpos_->setObjectName(QStringLiteral("EditCuerpos"));
    cuerpos_->setToolTip(
        QStringLiteral("Cuerpos en tránsito, separados por comas: Sol, Lun, Mer, Ven, Mar, "
                       "Júp, Sat, Ura, Nep, Plu, Nod, NodT, Lil, LilT, Qui, Pho, Cer, Pal, "
                       "Jun, Ves (o «todos»)"));
    f->addRow(QStringLiteral("Cuerpos:"), cuerpos_);
    puntos_ = new QLineEdit(this);
    puntos_->setObjectName(QStringLiteral("EditPuntos"));
    puntos_->setToolTip(
        QStringLiteral("Puntos natales, separados por comas: los cuerpos, NodS, NodST, RfD, "
                       "RfN, Pr, PrT y las cúspides C01 a C12 (o «todos»)"));
    f->addRow(QStringLiteral("Puntos natales:"), puntos_);
    aspectos_ = new QLineEdit(this);
    aspectos_->setObjectName(QStringLiteral("EditAspectos"));
    aspectos_->setToolTip(
        QStringLiteral("Aspectos en grados, separados por comas: 0, 180, 120, 90, 72, 60, 51, "
                       "45, 165, 150, 144, 135, 105, 75, 40, 36, 33, 30, 15 (o «todos»)"));
    f->addRow(QStringLiteral("Aspectos:"), aspectos_);
    std::string errorContenido;
    const ContenidoAgenda contenido =
        LeerContenido(p, errorContenido).value_or(*ContenidoDePerfil(kPerfilPredeterminado));
    cuerpos_->setText(Q(TextoCuerpos(contenido)));
    puntos_->setText(Q(TextoPuntos(contenido)));
    aspectos_->setText(Q(TextoAspectos(contenido)));
    ListaEditada();
    connect(perfil_, &QComboBox::activated, this, [this] { PerfilElegido(); });
    for (QLineEdit* lista : {cuerpos_, puntos_, aspectos_}) {
        connect(lista, &QLineEdit::textEdited, this, [this] { ListaEditada(); });
    }

    salida_ = new QLineEdit(Q(salidaPropuesta), this);
    salida_->setObjectName(QStringLiteral("EditSalida"));
    connect(salida_, &QLineEdit::textEdited, this, [this] { salidaEditada_ = true; });
    for (QLineEdit* campo : {nombre_, desde_, hasta_}) {
        connect(campo, &QLineEdit::textEdited, this, [this] { SeguirSalida(); });
    }
    auto* elegir = new QToolButton(this);
    elegir->setObjectName(QStringLiteral("SBElegirSalida"));
    elegir->setText(QStringLiteral("…"));
    elegir->setToolTip(QStringLiteral("Elegir dónde guardar la agenda"));
    connect(elegir, &QToolButton::clicked, this, [this] { ElegirSalida(); });
    auto* fs = new QHBoxLayout();
    fs->addWidget(salida_, 1);
    fs->addWidget(elegir);
    f->addRow(QStringLiteral("Guardar en:"), fs);

    reemplazar_ = new QCheckBox(QStringLiteral("Reemplazar la data cargada"), this);
    reemplazar_->setObjectName(QStringLiteral("CBReemplazar"));
    reemplazar_->setChecked(true);
    reemplazar_->setToolTip(
        QStringLiteral("Marcado: la agenda calculada sustituye lo cargado. Sin marcar: se "
                       "añade a lo cargado (los días comunes suman los dos)"));
    f->addRow(QString(), reemplazar_);

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
    setMinimumWidth(520);
}

EntradaCarta DialogoCarta::Entrada() const {
    EntradaCarta e;
    e.textos.nombre = S(nombre_->text());
    e.textos.nacimiento = S(FormaFecha(fecha_->text())) + "T" + S(FormaHora(hora_->text()));
    e.textos.zona = S(zona_->text());
    e.textos.lugar = S(lugar_->text());
    e.textos.desde = S(desde_->text());
    e.textos.hasta = S(hasta_->text());
    const QString perfil = perfil_->currentText();
    e.textos.perfil = perfil == QLatin1String(kPersonalizado) ? std::string() : S(perfil);
    e.textos.cuerpos = S(cuerpos_->text());
    e.textos.puntos = S(puntos_->text());
    e.textos.aspectos = S(aspectos_->text());
    e.salida = S(salida_->text());
    e.reemplazar = reemplazar_->isChecked();
    return e;
}

std::string DialogoCarta::Revisar() const {
    const EntradaCarta e = Entrada();
    std::string error;
    if (!LeerPeticion(e.textos, error, kCamposRango)) {
        return "No se puede calcular: " + error + ".";
    }
    if (e.salida.empty()) {
        return "Falta el archivo donde guardar la agenda.";
    }
    return {};
}

void DialogoCarta::RevisarFechaHora() {
    fecha_->setText(FormaFecha(fecha_->text()));
    hora_->setText(FormaHora(hora_->text()));
    std::string error;
    const bool completa = !fecha_->text().isEmpty() && !hora_->text().isEmpty();
    const bool mal = completa && !LeerNacimiento(Entrada().textos.nacimiento, error);
    Marcar(fecha_, mal);
    Marcar(hora_, mal);
    error_->setText(mal ? Q("No se puede calcular: " + error + ".") : QString());
}

void DialogoCarta::SeguirSalida() {
    if (!salidaEditada_) {
        salida_->setText(Q(SalidaPropuesta(Entrada().textos)));
    }
}

void DialogoCarta::PerfilElegido() {
    const auto c = ContenidoDePerfil(S(perfil_->currentText()));
    if (c) {
        cuerpos_->setText(Q(TextoCuerpos(*c)));
        puntos_->setText(Q(TextoPuntos(*c)));
        aspectos_->setText(Q(TextoAspectos(*c)));
    }
}

void DialogoCarta::ListaEditada() {
    ContenidoAgenda c;
    std::string error;
    const bool bien = LeerCuerpos(S(cuerpos_->text()), c, error) &&
                      LeerPuntos(S(puntos_->text()), c, error) &&
                      LeerAspectos(S(aspectos_->text()), c, error);
    const std::string nombre = bien ? PerfilDeContenido(c) : std::string();
    perfil_->setCurrentText(Q(nombre.empty() ? std::string(kPersonalizado) : nombre));
}

void DialogoCarta::accept() {
    RevisarFechaHora();
    const std::string error = Revisar();
    error_->setText(Q(error));
    if (!error.empty()) {
        return;
    }
    // Never replace a file without asking, as the save dialog of "…" asks.
    const QString salida = salida_->text().trimmed();
    const QFileInfo info(salida);
    if (info.exists() && salida != salidaConfirmada_) {
        const auto r = QMessageBox::warning(
            this, QStringLiteral("Guardar agenda"),
            QCoreApplication::translate("QFileDialog",
                                        "%1 already exists.\nDo you want to replace it?")
                .arg(info.fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (r != QMessageBox::Yes) {
            salida_->setFocus();
            return;
        }
        salidaConfirmada_ = salida;
    }
    QDialog::accept();
}

void DialogoCarta::ElegirSalida() {
    QString r =
        QFileDialog::getSaveFileName(this, QStringLiteral("Guardar agenda"), salida_->text(),
                                     QStringLiteral("Archivos CSV (*.csv)"));
    if (r.isEmpty()) {
        return;
    }
    if (!r.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
        // A name the save dialog did not ask about: accept() asks.
        r += QStringLiteral(".csv");
    } else {
        salidaConfirmada_ = r;
    }
    salida_->setText(r);
    salidaEditada_ = true;
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
    std::optional<PeticionAgenda> p = LeerPeticion(entrada->textos, error, kCamposRango);
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

    // One progress window from the start to the loaded data: the computation
    // fills the first 80 %, the load the rest.
    QProgressDialog progreso(QStringLiteral("Calculando la agenda…"), QStringLiteral("Cancelar"), 0,
                             100, &ventana_);
    progreso.setObjectName(QStringLiteral("ProgresoAgenda"));
    progreso.setWindowTitle(QStringLiteral("Nueva agenda"));
    progreso.setWindowModality(Qt::WindowModal);
    progreso.setMinimumDuration(0);
    progreso.setAutoClose(false);
    progreso.setAutoReset(false);
    progreso.setValue(0);
    QApplication::processEvents();
    Ultimo = EscribirAgenda(*p, entrada->salida, [&](int pct) {
        progreso.setValue(pct * 80 / 100);
        QApplication::processEvents();
        return !progreso.wasCanceled();
    });
    if (!aviso.empty()) {
        Ultimo.avisos.insert(Ultimo.avisos.begin(), aviso);
    }
    if (Ultimo.cancelado || !Ultimo.hecho) {
        progreso.close();
        if (!Ultimo.cancelado) {
            ventana_.MostrarError(Ultimo.error);
        }
        return;
    }
    progreso.setCancelButton(nullptr);
    progreso.setLabelText(QStringLiteral("Cargando la agenda…"));
    ventana_.PrestarProgreso(&progreso, 80);
    ventana_.CargarAgendas({entrada->salida}, entrada->reemplazar);
    ventana_.PrestarProgreso(nullptr, 0);
    progreso.close();
    if (!Ultimo.avisos.empty()) {
        std::string texto = "Avisos del cálculo:\r";
        for (const std::string& a : Ultimo.avisos) {
            texto += "\r" + a;
        }
        ventana_.MostrarInformacion(texto);
    }
}

}  // namespace varnolt::gui
