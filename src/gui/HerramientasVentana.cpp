// SPDX-License-Identifier: AGPL-3.0-or-later
// The six floating tool windows of the main window, with their content
// and their toggles, and the weighted-days list window TWDetalleFechas.
#include "gui/VentanaVarnolt.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ColocacionVentanas.h"
#include "app/settings/ArchivoIni.h"
#include "gui/GraficoTendenciaQt.h"
#include "gui/ListaVarnolt.h"
#include "gui/PanelCSV.h"
#include "gui/PanelCatalogoArq.h"
#include "gui/PanelContactosDia.h"
#include "gui/PanelRangos.h"
#include "gui/PartesComun.h"
#include "gui/VentanasPequenas.h"
#include "views/GraficoTendencia.h"

namespace varnolt::gui {
namespace {

// The least height of "Contactos Día" on a low screen: its lists keep a few
// rows.
constexpr int kAltoMinimoContactos = 300;

// SEValPico: a spin edit whose text may hold any whole number while it is
// edited (the core reads the text as typed); the arrows move it by 10
// within 10..100, and leaving the field brings it back within the limits.
class SpinEdit : public QSpinBox {
  public:
    explicit SpinEdit(QWidget* padre) : QSpinBox(padre) {}

  protected:
    QValidator::State validate(QString& texto, int&) const override {
        if (texto.isEmpty() || texto == QLatin1String("-")) {
            return QValidator::Intermediate;
        }
        for (int i = 0; i < texto.size(); ++i) {
            const QChar c = texto[i];
            if (!(c.isDigit() || (i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'))))) {
                return QValidator::Invalid;
            }
        }
        return texto.size() <= 9 ? QValidator::Acceptable : QValidator::Invalid;
    }
    int valueFromText(const QString& texto) const override { return texto.toInt(); }
};

}  // namespace

VentanaHerramienta* VentanaVarnolt::NuevaHerramienta(const QString& nombre, const QString& titulo,
                                                     QAbstractButton* conmutador) {
    auto* tw = new VentanaHerramienta(nombre, titulo, this);
    tw->setFont(font());
    tw->ColocarPrimeraVez = [this](VentanaHerramienta& v) { ColocarHerramienta(v); };
    herramientas_.push_back(tw);
    if (conmutador != nullptr) {
        connect(conmutador, &QAbstractButton::clicked, tw,
                [tw](bool down) { tw->setVisible(down); });
        connect(tw, &VentanaHerramienta::Cerrada, conmutador,
                [conmutador] { conmutador->setChecked(false); });
    }
    return tw;
}

void VentanaVarnolt::ConstruirHerramientas() {
    // TWDetalleContactos, "Contactos Día": its content comes
    // with the contacts of the day; its toggle runs the core's handler.
    twDetalleContactos_ = NuevaHerramienta(QStringLiteral("TWDetalleContactos"),
                                           QStringLiteral("Contactos Día"), nullptr);
    {
        panelContactos_ = new PanelContactosDia(form_, twDetalleContactos_, EjecutorVentana());
        panelContactos_->move(0, 0);
        twDetalleContactos_->AnchoFijo(panelContactos_->Ancho(), kAltoMinimoContactos);
        twDetalleContactos_->resize(panelContactos_->Ancho(), panelContactos_->height());
        connect(panelContactos_, &PanelContactosDia::AnchoSolicitado, twDetalleContactos_,
                [this](int ancho) { twDetalleContactos_->AnchoFijo(ancho, kAltoMinimoContactos); });
        connect(twDetalleContactos_, &VentanaHerramienta::Cerrada, this,
                [this] { Ejecutar([&] { form_.TWDetalleContactosClose(); }); });
    }

    // TWDetalleFechas, "Peso ponderado por días".
    twDetalleFechas_ = NuevaHerramienta(QStringLiteral("TWDetalleFechas"),
                                        QStringLiteral("Peso ponderado por días"), sbViewFechas_);
    ConstruirDetalleFechas(twDetalleFechas_);

    // TWLumbrisk, "Arquetipos astrológicos": the size of its catalogue.
    twLumbrisk_ = NuevaHerramienta(QStringLiteral("TWLumbrisk"),
                                   QStringLiteral("Arquetipos astrológicos"), sbLoadTerms_);
    {
        panelCatalogo_ = new PanelCatalogoArq(form_, arquetipos_, twLumbrisk_, EjecutorVentana());
        panelCatalogo_->move(0, 0);
        twLumbrisk_->TamanoFijo(PanelCatalogoArq::kAncho, PanelCatalogoArq::kAlto);
        connect(sbLoadTerms_, &QToolButton::clicked, this, [this](bool down) {
            Ejecutar([&] { arquetipos_.SBLoadTermsClick(down); });
            panelCatalogo_->Refrescar();
        });
        connect(twLumbrisk_, &VentanaHerramienta::Cerrada, this,
                [this] { arquetipos_.TWLumbriskClose(); });
    }

    // TWGraphRange, "Gráfico Tendencia.": PBRange fills it.
    twGraphRange_ = NuevaHerramienta(QStringLiteral("TWGraphRange"),
                                     QStringLiteral("Gráfico Tendencia."), sbGP_);
    {
        auto* v = new QVBoxLayout(twGraphRange_);
        v->setContentsMargins(0, 0, 0, 0);
        pbRange_ = new GraficoTendenciaQt(
            [this](int ancho, int alto, const AnchoTextoFn& medir) {
                return DibujarTendencia(form_.DataCargada, form_.RangoIni, form_.RangoFin,
                                        form_.Ponderacion.FechasRango, form_.Picos.PPMaxRango,
                                        ancho, alto, medir);
            },
            twGraphRange_);
        v->addWidget(pbRange_);
        twGraphRange_->resize(1142, 186);
        connect(pbRange_, &GraficoTendenciaQt::Titulo, twGraphRange_, [this](const QString& t) {
            if (twGraphRange_->windowTitle() != t) {
                twGraphRange_->setWindowTitle(t);
            }
        });
    }

    // TWPromptContacts, "Rangos de contactos".
    twPromptContacts_ = NuevaHerramienta(QStringLiteral("TWPromptContacts"),
                                         QStringLiteral("Rangos de contactos"), sbTAView_);
    {
        auto* v = new QVBoxLayout(twPromptContacts_);
        v->setContentsMargins(0, 0, 0, 0);
        panelRangos_ = new PanelRangos(form_, twPromptContacts_, EjecutorVentana());
        v->addWidget(panelRangos_);
        twPromptContacts_->resize(640, 420);
        connect(twPromptContacts_, &VentanaHerramienta::Cerrada, this,
                [this] { Ejecutar([&] { form_.TWPromptContactsClose(); }); });
        connect(sbTAView_, &QToolButton::clicked, this,
                [this](bool down) { Ejecutar([&] { form_.SBTAViewClick(down); }); });
    }

    // TWCSV, "Data CSV", shown by the "CSV" toggle of TWPromptContacts.
    twCSV_ = NuevaHerramienta(QStringLiteral("TWCSV"), QStringLiteral("Data CSV"), nullptr);
    {
        auto* v = new QVBoxLayout(twCSV_);
        v->setContentsMargins(0, 0, 0, 0);
        panelCSV_ = new PanelCSV(form_, twCSV_, EjecutorVentana());
        v->addWidget(panelCSV_);
        twCSV_->AnchoFijo(PanelCSV::kAncho, PanelCSV::kAltoMinimo);
        twCSV_->resize(PanelCSV::kAncho, PanelCSV::kAlto);
        connect(panelRangos_, &PanelRangos::VisibilidadCSV, twCSV_,
                [this](bool visible) { twCSV_->setVisible(visible); });
        connect(twCSV_, &VentanaHerramienta::Cerrada, this, [this] {
            Ejecutar([&] { form_.TWCSVClose(); });
            panelRangos_->Refrescar();
        });
    }
}

void VentanaVarnolt::ConstruirDetalleFechas(VentanaHerramienta* tw) {
    auto* v = new QVBoxLayout(tw);
    v->setContentsMargins(3, 3, 3, 3);
    v->setSpacing(3);

    auto* arriba = new QHBoxLayout();
    rgTipoFecha_ = new QGroupBox(QStringLiteral("Ver:"), tw);
    rgTipoFecha_->setObjectName(QStringLiteral("RGTipoFecha"));
    auto* tv = new QVBoxLayout(rgTipoFecha_);
    tv->setContentsMargins(4, 2, 4, 2);
    tv->setSpacing(0);
    const char* tipos[2] = {"Todas", "Picos"};
    for (int i = 0; i < 2; ++i) {
        tipoFecha_[i] = new QRadioButton(QString::fromUtf8(tipos[i]), rgTipoFecha_);
        tipoFecha_[i]->setObjectName(QStringLiteral("RGTipoFecha%1").arg(i));
        tv->addWidget(tipoFecha_[i]);
        connect(tipoFecha_[i], &QRadioButton::clicked, this, [this, i] {
            Ejecutar([&] { form_.RGTipoFechaClick(static_cast<TipoFecha>(i)); });
        });
    }
    tipoFecha_[0]->setChecked(true);
    arriba->addWidget(rgTipoFecha_);

    rgSortFecha_ = new QGroupBox(QStringLiteral("Ordenar por:"), tw);
    rgSortFecha_->setObjectName(QStringLiteral("RGSortFecha"));
    auto* sv = new QVBoxLayout(rgSortFecha_);
    sv->setContentsMargins(4, 2, 4, 2);
    sv->setSpacing(0);
    const char* ordenes[3] = {"Fecha", "Contactos", "Peso ponderado"};
    for (int i = 0; i < 3; ++i) {
        sortFecha_[i] = new QRadioButton(QString::fromUtf8(ordenes[i]), rgSortFecha_);
        sortFecha_[i]->setObjectName(QStringLiteral("RGSortFecha%1").arg(i));
        sv->addWidget(sortFecha_[i]);
        connect(sortFecha_[i], &QRadioButton::clicked, this, [this, i] {
            Ejecutar([&] { form_.RGSortFechaClick(static_cast<OrdenFecha>(i)); });
        });
    }
    sortFecha_[0]->setChecked(true);
    arriba->addWidget(rgSortFecha_, 1);
    v->addLayout(arriba);

    auto* pico = new QHBoxLayout();
    cbViewMedia_ = new QCheckBox(QStringLiteral("Resaltar"), tw);
    cbViewMedia_->setObjectName(QStringLiteral("CBViewMedia"));
    cbViewMedia_->setToolTip(QStringLiteral("Resaltar valores medios"));
    cbViewMedia_->setChecked(true);
    pico->addWidget(cbViewMedia_);
    seValPico_ = new SpinEdit(tw);
    seValPico_->setObjectName(QStringLiteral("SEValPico"));
    seValPico_->setRange(10, 100);
    seValPico_->setSingleStep(10);
    seValPico_->setValue(60);
    seValPico_->setFixedWidth(60);
    seValPico_->setToolTip(
        QStringLiteral("Umbral de los días pico: porcentaje del peso del día mayor del rango"));
    pico->addWidget(seValPico_);
    auto* porciento = new QLabel(QStringLiteral("%"), tw);
    porciento->setObjectName(QStringLiteral("LabelPorciento"));
    pico->addWidget(porciento);
    pico->addStretch(1);
    v->addLayout(pico);

    labelNoContactos_ = new QLabel(tw);
    labelNoContactos_->setObjectName(QStringLiteral("LabelNoContactos"));
    v->addWidget(labelNoContactos_);
    lbFechaPP_ =
        new ListaVarnolt(QStringLiteral("LBFechaPP"), form_.LBFechaPP, 1, false, Qt::white, tw);
    v->addWidget(lbFechaPP_, 1);
    tw->resize(300, 560);

    connect(cbViewMedia_, &QCheckBox::clicked, this,
            [this](bool marcado) { Ejecutar([&] { form_.CBViewMediaClick(marcado); }); });
    connect(seValPico_, &QSpinBox::textChanged, this, [this] { SEValPicoCambio(); });
    connect(seValPico_->findChild<QLineEdit*>(), &QLineEdit::textChanged, this,
            [this] { SEValPicoCambio(); });
    connect(seValPico_, &QSpinBox::editingFinished, this, [this] {
        Ejecutar([&] { form_.SEValPicoExit(); });
        SincronizarSEValPico();
    });
    connect(lbFechaPP_, &ListaVarnolt::Clic, this,
            [this] { ClicLista(lbFechaPP_, [this] { form_.LBFechaPPClick(); }); });
}

// ---- Places of the tool windows ------------------------------------------------

namespace {

TRectangulo Rect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// A saved place (frame corner, client size) against the screens as they are
// now, with the frame the main window's window manager gives: it must lie
// wholly on one of them (not saved on a larger screen, nor of a size beyond
// any screen).
bool CabeEnPantalla(const QRect& lugar, const QWidget& principal) {
    std::vector<TRectangulo> pantallas;
    for (const QScreen* s : QGuiApplication::screens()) {
        pantallas.push_back(Rect(s->availableGeometry()));
    }
    const int marcoArriba = std::max(0, principal.geometry().y() - principal.frameGeometry().y());
    const int marcoLado = std::max(0, principal.geometry().x() - principal.frameGeometry().x());
    return LugarGuardadoEnPantalla(Rect(lugar), pantallas, marcoArriba, marcoLado).has_value();
}

}  // namespace

void VentanaVarnolt::ColocarHerramienta(VentanaHerramienta& tw) {
    QScreen* pantalla = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (pantalla == nullptr) {
        return;
    }
    TPeticionColocacion p;
    p.Pantalla = Rect(pantalla->availableGeometry());
    p.Comandos = Rect(QRect(zonaComandos_->mapToGlobal(QPoint(0, 0)), zonaComandos_->size()));
    p.Ancho = tw.width();
    p.Alto = tw.height();
    p.Redimensionable = !tw.TieneTamanoFijo();
    p.AltoMinimo = std::max({120, tw.minimumHeight(), tw.minimumSizeHint().height()});
    // The main window's frame tells what the window manager adds around a
    // window (nothing on platforms without frames).
    p.MarcoArriba = std::max(0, geometry().y() - frameGeometry().y());
    p.MarcoLado = std::max(0, geometry().x() - frameGeometry().x());
    for (const VentanaHerramienta* otra : herramientas_) {
        if (otra != &tw && otra->isVisible()) {
            p.Ocupadas.push_back(Rect(otra->frameGeometry()));
        }
    }
    if (&tw == twCSV_ && twPromptContacts_->isVisible()) {
        p.Evitar.push_back(Rect(panelRangos_->BarraEnPantalla()));
    }
    const TRectangulo r = ColocarVentanaHerramienta(p);
    if (p.Redimensionable) {
        tw.resize(r.Ancho, r.Alto);
    }
    tw.move(r.X, r.Y);
}

void VentanaVarnolt::ArchivoLugares(const QString& ruta) {
    archivoLugares_ = ruta;
    LeerLugares();
}

namespace {

// The window places: a section per tool window, "x", "y", "ancho", "alto";
// a few hundred bytes, so a larger file is none of ours.
FormaIni FormaLugares() {
    FormaIni f;
    f.limite = 1u << 20;
    f.utf8 = true;
    return f;
}

}  // namespace

void VentanaVarnolt::LeerLugares() {
    if (archivoLugares_.isEmpty()) {
        return;
    }
    // Read through the program's file edges: a FIFO or a device in its place
    // is not opened, and the places are then chosen anew.
    const ArchivoIni ini(QFile::encodeName(archivoLugares_).toStdString(), FormaLugares());
    for (VentanaHerramienta* tw : herramientas_) {
        const std::string seccion = tw->objectName().toStdString();
        bool ok[4] = {};
        int v[4] = {};
        const char* claves[4] = {"x", "y", "ancho", "alto"};
        for (int i = 0; i < 4; ++i) {
            const auto texto = ini.LeerTexto(seccion, claves[i]);
            const auto numero = texto ? LeerEnteroIni(*texto) : std::nullopt;
            ok[i] = numero.has_value();
            v[i] = numero.value_or(0);
        }
        const QRect lugar(v[0], v[1], v[2], v[3]);
        // A place on a screen that is no longer there, or a size that makes
        // no sense, is forgotten: the window is placed anew.
        const bool valido = ok[0] && ok[1] && ok[2] && ok[3] && CabeEnPantalla(lugar, *this);
        if (valido) {
            tw->PonerLugar(lugar);
        }
    }
}

void VentanaVarnolt::GuardarLugares() const {
    if (archivoLugares_.isEmpty()) {
        return;
    }
    // Written through the program's file edges: a link is followed to the
    // file it names, anything but a regular file is left alone, and the
    // lines that are not places stay.
    // The folder may not be there yet on a first run.
    QDir().mkpath(QFileInfo(archivoLugares_).absolutePath());
    ArchivoIni ini(QFile::encodeName(archivoLugares_).toStdString(), FormaLugares());
    for (const VentanaHerramienta* tw : herramientas_) {
        const std::optional<QRect> lugar = tw->Lugar();
        if (!lugar) {
            continue;
        }
        const std::string seccion = tw->objectName().toStdString();
        ini.EscribirEntero(seccion, "x", lugar->x());
        ini.EscribirEntero(seccion, "y", lugar->y());
        ini.EscribirEntero(seccion, "ancho", lugar->width());
        ini.EscribirEntero(seccion, "alto", lugar->height());
    }
    if (const auto error = ini.Guardar()) {
        qWarning("%s", error->Texto().c_str());
    }
}

}  // namespace varnolt::gui
