#include "gui/VentanaVarnolt.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>

#include "app/settings/DatosPrograma.h"
#include "gui/GraficoBarras.h"
#include "gui/GraficoTendenciaQt.h"
#include "gui/ListaVarnolt.h"
#include "gui/PanelArquetipos.h"
#include "gui/PanelCSV.h"
#include "gui/PanelCatalogoArq.h"
#include "gui/PanelContactosDia.h"
#include "gui/PanelRangos.h"
#include "gui/PartesComun.h"
#include "gui/TextoQt.h"
#include "gui/VentanasPequenas.h"
#include "views/GraficoTendencia.h"
#include "views/PresentacionGraficos.h"

namespace varnolt::gui {
namespace {

const QColor kFondoListas(255, 255, 232);  // LBItemNat, LBItemTra, LBAspTra
const QColor kGranate(128, 0, 0);

QDate DeFecha(TFecha f) {
    return QDate(1899, 12, 30).addDays(f);
}

TFecha AFecha(const QDate& d) {
    return static_cast<TFecha>(QDate(1899, 12, 30).daysTo(d));
}

std::string RutaLocal(const QString& ruta) {
    return QFile::encodeName(ruta).toStdString();
}

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

QLabel* Encabezado(const QString& texto, const QString& nombre, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setFixedHeight(16);
    return l;
}

QLabel* Subrayado(const QString& texto, const QString& nombre, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    return l;
}

QLabel* Valor(const QString& nombre, QColor color, QWidget* padre) {
    auto* l = new QLabel(QStringLiteral("-"), padre);
    l->setObjectName(nombre);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Disabled, QPalette::WindowText, color);
    l->setPalette(p);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

bool EsEjecutableAutonomo(const QString& rutaEjecutable) {
    QString nombre = rutaEjecutable;
    const int barra =
        std::max(nombre.lastIndexOf(QLatin1Char('/')), nombre.lastIndexOf(QLatin1Char('\\')));
    nombre = nombre.mid(barra + 1);
    return nombre == QLatin1String("Varnolt") || nombre == QLatin1String("Varnolt.exe");
}

// ---- Construction -----------------------------------------------------------

VentanaVarnolt::VentanaVarnolt(const QString& rutaEjecutable, const DatosPrograma* datos,
                               QWidget* padre)
    : QMainWindow(padre), form_(*this), datos_(datos) {
    setObjectName(QStringLiteral("TFormVarnolt"));
    setWindowIcon(IconoVarnolt());
    QFont fuente = font();
    fuente.setPointSize(8);
    setFont(fuente);
    resize(1359, 761);
    setAcceptDrops(true);
    Construir();
    FormCreate(rutaEjecutable.isEmpty() ? QCoreApplication::applicationFilePath() : rutaEjecutable);
}

VentanaVarnolt::~VentanaVarnolt() {
    if (bloqueoEntrada_ > 0) {
        qApp->removeEventFilter(this);
    }
    delete formStepCount_;
}

QToolButton* VentanaVarnolt::Boton(const QString& nombre, const QString& texto,
                                   const QString& pista, QWidget* padre, bool alternar) {
    return BotonRapido(nombre, texto, pista, padre, alternar);
}

void VentanaVarnolt::BotonesDeGrupo(QGridLayout* rejilla, QWidget* padre,
                                    const std::vector<BotonGrupo>& grupos, int columnas,
                                    void (TFormVarnolt::*grupo)(int), const QString& nombreTodos,
                                    const QString& nombreNinguno, void (TFormVarnolt::*todos)(int),
                                    int columnaTodos) {
    int k = 0;
    for (const BotonGrupo& d : grupos) {
        QToolButton* b = Boton(QString::fromUtf8(d.nombre), QString::fromUtf8(d.texto),
                               QString::fromUtf8(d.pista), padre);
        connect(b, &QToolButton::clicked, this,
                [this, grupo, tag = d.tag] { Ejecutar([&] { (form_.*grupo)(tag); }); });
        rejilla->addWidget(b, k / columnas, k % columnas);
        ++k;
    }
    QToolButton* t = Boton(nombreTodos, QStringLiteral("T"), QStringLiteral("Todos"), padre);
    QToolButton* n = Boton(nombreNinguno, QStringLiteral("N"), QStringLiteral("Ninguno"), padre);
    connect(t, &QToolButton::clicked, this,
            [this, todos] { Ejecutar([&] { (form_.*todos)(1); }); });
    connect(n, &QToolButton::clicked, this,
            [this, todos] { Ejecutar([&] { (form_.*todos)(0); }); });
    rejilla->addWidget(t, 1, columnaTodos);
    rejilla->addWidget(n, 1, columnaTodos + 1);
}

void VentanaVarnolt::Construir() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    setCentralWidget(central);
    auto* vertical = new QVBoxLayout(central);
    vertical->setContentsMargins(0, 0, 0, 0);
    vertical->setSpacing(0);

    // 1. PanelMain, a white strip along the top.
    panelMain_ = new QWidget(central);
    panelMain_->setObjectName(QStringLiteral("PanelMain"));
    Fondo(panelMain_, Qt::white);
    panelMain_->setFixedHeight(196);
    auto* fila = new QHBoxLayout(panelMain_);
    fila->setContentsMargins(4, 3, 4, 3);
    fila->setSpacing(5);
    fila->addWidget(ConstruirPanel2());
    fila->addWidget(ConstruirPanel1());
    monthCalendar1_ = new QCalendarWidget(panelMain_);
    monthCalendar1_->setObjectName(QStringLiteral("MonthCalendar1"));
    monthCalendar1_->setLocale(QLocale(QLocale::Spanish, QLocale::Spain));
    monthCalendar1_->setFirstDayOfWeek(Qt::Monday);
    monthCalendar1_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    monthCalendar1_->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    monthCalendar1_->setFixedSize(212, 188);
    monthCalendar1_->setEnabled(false);
    fila->addWidget(monthCalendar1_);
    fila->addWidget(ConstruirPanelItemsTra());
    fila->addWidget(ConstruirPanelItemsNat());
    fila->addWidget(ConstruirPanelAspTra());
    fila->addWidget(ConstruirPanelInfo(), 1);
    vertical->addWidget(panelMain_);

    // 2. PanelData, filling the rest.
    panelData_ = new QWidget(central);
    panelData_->setObjectName(QStringLiteral("PanelData"));
    vertical->addWidget(panelData_, 1);
    ConstruirPanelData(panelData_);

    ConstruirHerramientas();
    formMSG_ = new TFormMSG(this);
    formAviso_ = new TFormAviso(this);

    connect(monthCalendar1_, &QCalendarWidget::clicked, this,
            [this](const QDate& d) { Ejecutar([&] { form_.MonthCalendar1Click(AFecha(d)); }); });
}

QWidget* VentanaVarnolt::ConstruirPanel2() {
    auto* p = new QWidget(panelMain_);
    p->setObjectName(QStringLiteral("Panel2"));
    p->setFixedWidth(112);
    Fondo(p, Qt::white);
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(1);
    auto* titulo = new QLabel(p);
    titulo->setObjectName(QStringLiteral("RxLabelTitle"));
    QFont ft = titulo->font();
    ft.setPixelSize(24);
    ft.setBold(true);
    titulo->setFont(ft);
    QPalette azul = titulo->palette();
    azul.setColor(QPalette::WindowText, QColor(0, 64, 128));
    titulo->setPalette(azul);
    v->addWidget(titulo);
    auto* version = new QLabel(p);
    version->setObjectName(QStringLiteral("RxLabelVersion"));
    v->addWidget(version);
    auto* fecha = new QLabel(p);
    fecha->setObjectName(QStringLiteral("RxLabelFecha"));
    v->addWidget(fecha);
    v->addStretch(1);
    auto* icono = new QLabel(p);
    icono->setObjectName(QStringLiteral("ImageVarnolt"));
    icono->setPixmap(IconoSuite(48));
    icono->setAlignment(Qt::AlignHCenter);
    v->addWidget(icono);
    v->addStretch(1);
    sbLoadTerms_ = Boton(QStringLiteral("SBLoadTerms"), QString(), QString(), p, true);
    sbLoadTerms_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    sbLoadTerms_->setIconSize(QSize(20, 20));
    sbLoadTerms_->setFixedSize(30, 26);
    v->addWidget(sbLoadTerms_, 0, Qt::AlignLeft);
    auto* about = new QLabel(p);
    about->setObjectName(QStringLiteral("LabelAbout"));
    QFont fa = about->font();
    fa.setUnderline(true);
    about->setFont(fa);
    QPalette pa = about->palette();
    pa.setColor(QPalette::WindowText, QColor(0, 0, 255));
    about->setPalette(pa);
    about->setCursor(Qt::PointingHandCursor);
    about->installEventFilter(this);
    labelAbout_ = about;
    v->addWidget(about);
    return p;
}

QWidget* VentanaVarnolt::ConstruirPanel1() {
    auto* p = new QWidget(panelMain_);
    p->setObjectName(QStringLiteral("Panel1"));
    p->setFixedWidth(300);
    auto* h = new QHBoxLayout(p);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(3);
    auto* izquierda = new QVBoxLayout();
    izquierda->setSpacing(2);
    h->addLayout(izquierda, 1);

    auto* f1 = new QHBoxLayout();
    f1->setSpacing(1);
    auto* sbContactos = Boton(QStringLiteral("SBContactos"), QStringLiteral("Data"),
                              QStringLiteral("Cargar agendas (archivos de contactos)"), p);
    auto* cbClean = Boton(QStringLiteral("CBCleanData"), QStringLiteral("Limpiar"),
                          QStringLiteral("Limpiar la data cargada"), p);
    auto* sbInfo = Boton(QStringLiteral("SBInfoData"), QString(),
                         QStringLiteral("Información de la data cargada"), p);
    sbInfo->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    sbViewContacto_ = Boton(QStringLiteral("SBViewContacto"), QStringLiteral("Contactos Día"),
                            QStringLiteral("Detalle de los contactos por día"), p, true);
    sbViewFechas_ = Boton(QStringLiteral("SBViewFechas"), QStringLiteral("PP. días"),
                          QStringLiteral("Listado peso ponderado por días"), p, true);
    for (QToolButton* b : {sbContactos, cbClean, sbInfo, sbViewFechas_}) {
        f1->addWidget(b);
    }
    izquierda->addLayout(f1);

    auto* f2 = new QHBoxLayout();
    f2->setSpacing(1);
    sbViewArq_ = Boton(QStringLiteral("SBViewArq"), QStringLiteral("Arq."),
                       QStringLiteral("Ver arquetipos"), p, true);
    sbViewTends_ = Boton(QStringLiteral("SBViewTends"), QStringLiteral("Tend."),
                         QStringLiteral("Solo Tendencias"), p, true);
    sbGP_ = Boton(QStringLiteral("SBGP"), QStringLiteral("GT"),
                  QStringLiteral("Gráfico Tendencia simplificado.Máximo rango anual."), p, true);
    sbTAView_ = Boton(QStringLiteral("SBTAView"), QString(),
                      QStringLiteral("Rango de contactos - CSV"), p, true);
    sbTAView_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    sbTAView_->setEnabled(false);
    for (QToolButton* b : {sbViewContacto_, sbViewArq_, sbViewTends_, sbGP_, sbTAView_}) {
        f2->addWidget(b);
    }
    izquierda->addLayout(f2);

    dateTimePicker_ = new QDateEdit(p);
    dateTimePicker_->setObjectName(QStringLiteral("DateTimePicker"));
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    dateTimePicker_->setLocale(es);
    dateTimePicker_->setDisplayFormat(es.dateFormat(QLocale::LongFormat));
    dateTimePicker_->setCalendarPopup(true);
    dateTimePicker_->calendarWidget()->setLocale(es);
    dateTimePicker_->calendarWidget()->setFirstDayOfWeek(Qt::Monday);
    dateTimePicker_->setFixedHeight(20);
    izquierda->addWidget(dateTimePicker_);

    // The period buttons: one exclusive group, disabled at start.
    static const char* const kPeriodos[19] = {"Todo", "1T",  "2T",  "3T",  "4T",  "1S",  "2S",
                                              "Ene",  "Feb", "Mar", "Abr", "May", "Jun", "Jul",
                                              "Ago",  "Sep", "Oct", "Nov", "Dic"};
    grupoPeriodos_ = new QButtonGroup(p);
    grupoPeriodos_->setExclusive(true);
    auto* rejilla = new QGridLayout();
    rejilla->setSpacing(1);
    for (int i = 0; i < 19; ++i) {
        const QString nombre =
            i == 0 ? QStringLiteral("SBPerAll") : QStringLiteral("SBPer%1").arg(i + 1);
        QToolButton* b = Boton(nombre, QString::fromUtf8(kPeriodos[i]), QString(), p, true);
        b->setEnabled(false);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setFixedHeight(19);
        grupoPeriodos_->addButton(b, i + 1);
        sbPer_[static_cast<size_t>(i)] = b;
        if (i < 7) {
            rejilla->addWidget(b, 0, i);
        } else if (i < 13) {
            rejilla->addWidget(b, 1, i - 7);
        } else {
            rejilla->addWidget(b, 2, i - 13);
        }
    }
    sbPer_[0]->setChecked(true);
    izquierda->addLayout(rejilla);

    sbMaxAxisOrd_ = Boton(QStringLiteral("SBMaxAxisOrd"),
                          QStringLiteral("Ajustar valor máx. ordenada"), QString(), p, true);
    sbMaxAxisOrd_->setChecked(true);
    sbMaxAxisOrd_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    izquierda->addWidget(sbMaxAxisOrd_);
    izquierda->addStretch(1);

    auto* derecha = new QVBoxLayout();
    derecha->setSpacing(2);
    auto* bbAllYear = new QPushButton(QStringLiteral("Todos"), p);
    bbAllYear->setObjectName(QStringLiteral("BBAllYear"));
    bbAllYear->setToolTip(QStringLiteral("Todos los años"));
    bbAllYear->setFixedHeight(22);
    bbAllYear->setFocusPolicy(Qt::NoFocus);
    derecha->addWidget(bbAllYear);
    lbYear_ = new ListaVarnolt(QStringLiteral("LBYear"), form_.LBYear, 1, true, Qt::white, p);
    lbYear_->setEnabled(false);
    derecha->addWidget(lbYear_, 1);
    auto* contenedor = new QWidget(p);
    contenedor->setFixedWidth(60);
    contenedor->setLayout(derecha);
    derecha->setContentsMargins(0, 0, 0, 0);
    h->addWidget(contenedor);

    // Handlers.
    connect(sbContactos, &QToolButton::clicked, this,
            [this] { Ejecutar([&] { form_.SBContactosClick(); }); });
    connect(cbClean, &QToolButton::clicked, this,
            [this] { Ejecutar([&] { form_.CBCleanDataClick(); }); });
    connect(sbInfo, &QToolButton::clicked, this, [this] { SBInfoDataClick(); });
    connect(sbViewArq_, &QToolButton::clicked, this, [this] { SBViewArqClick(); });
    connect(sbViewTends_, &QToolButton::clicked, this, [this] { SBViewTendsClick(); });
    connect(sbMaxAxisOrd_, &QToolButton::clicked, this,
            [this](bool down) { Ejecutar([&] { form_.SBMaxAxisOrdClick(down); }); });
    connect(grupoPeriodos_, &QButtonGroup::idClicked, this,
            [this](int codigo) { Ejecutar([&] { form_.SBPerAllClick(codigo); }); });
    connect(bbAllYear, &QPushButton::clicked, this,
            [this] { Ejecutar([&] { form_.BBAllYearClick(); }); });
    connect(lbYear_, &ListaVarnolt::Clic, this,
            [this] { ClicLista(lbYear_, [this] { form_.LBYearClick(); }); });
    connect(dateTimePicker_, &QDateEdit::dateChanged, this,
            [this](const QDate& d) { form_.FechaReferencia = AFecha(d); });
    // SBViewContacto and SBTAView: pressing one releases the other, without
    // hiding the other's tool window.
    connect(sbViewContacto_, &QToolButton::clicked, this, [this](bool down) {
        if (down) {
            sbTAView_->setChecked(false);
        }
        Ejecutar([&] { form_.SBViewContactoClick(down); });
    });
    connect(sbTAView_, &QToolButton::clicked, this, [this](bool down) {
        if (down && sbViewContacto_->isChecked()) {
            sbViewContacto_->setChecked(false);
            form_.SBViewContacto = false;
        }
    });
    return p;
}

QWidget* VentanaVarnolt::ConstruirPanelItemsTra() {
    auto* p = new QWidget(panelMain_);
    p->setObjectName(QStringLiteral("PanelItemsTra"));
    p->setFixedWidth(150);
    p->setEnabled(false);
    panelItemsTra_ = p;
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    v->addWidget(Encabezado(QStringLiteral("Items Tránsitos"), QStringLiteral("LabelItemsTra"), p));
    lbItemTra_ =
        new ListaVarnolt(QStringLiteral("LBItemTra"), form_.LBItemTra, 3, true, kFondoListas, p);
    v->addWidget(lbItemTra_, 1);
    auto* s = new QWidget(p);
    s->setObjectName(QStringLiteral("PanelItemsTraS"));
    auto* g = new QGridLayout(s);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(1);
    BotonesDeGrupo(g, s,
                   {{"SPItemTra1", "S", "Sol", 1},
                    {"SPItemTra2", "Per", "Ven, Mer. Mar", 2},
                    {"SPItemTra3", "Soc", "Júp, Sat", 3},
                    {"SPItemTra4", "Tra", "Ura, Nep, Plu", 4},
                    {"SPItemTra5", "NLQ", "Nodos, Lili, Qui", 5},
                    {"SPItemTra6", "AM", "Asteroides menores", 6}},
                   4, &TFormVarnolt::SPItemTra1Click, QStringLiteral("SBItemTraAll"),
                   QStringLiteral("SBItemTraNon"), &TFormVarnolt::SBItemTraAllClick, 2);
    v->addWidget(s);
    connect(lbItemTra_, &ListaVarnolt::Clic, this,
            [this] { ClicLista(lbItemTra_, [this] { form_.LBItemNatClick(2); }); });
    return p;
}

QWidget* VentanaVarnolt::ConstruirPanelItemsNat() {
    auto* p = new QWidget(panelMain_);
    p->setObjectName(QStringLiteral("PanelItemsNat"));
    p->setFixedWidth(236);
    p->setEnabled(false);
    panelItemsNat_ = p;
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    v->addWidget(Encabezado(QStringLiteral("Item Natal"), QStringLiteral("LabelItemsNat"), p));
    lbItemNat_ =
        new ListaVarnolt(QStringLiteral("LBItemNat"), form_.LBItemNat, 5, true, kFondoListas, p);
    v->addWidget(lbItemNat_, 1);
    auto* s = new QWidget(p);
    s->setObjectName(QStringLiteral("PanelItemsNatS"));
    auto* g = new QGridLayout(s);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(1);
    BotonesDeGrupo(g, s,
                   {{"SPItemNat1", "SL", "Sol, Lun", 3},
                    {"SPItemNat2", "Per", "Ven, Mer. MarVen, Mer. Mar", 4},
                    {"SPItemNat3", "Soc", "Júp, Sat", 5},
                    {"SPItemNat4", "Tra", "Nep, Ura, Plu", 6},
                    {"SPItemNat5", "NLQ", "Nod, Lil, Qui", 7},
                    {"SPItemNat6", "R", "Ruedas", 8},
                    {"SPItemNat9", "AM", "Asteroides menores", 9},
                    {"SBOnlyPlanets", "SP", "Solo planetas", 1},
                    {"SBOnlyCusp", "SC", "Solo casas", 2}},
                   6, &TFormVarnolt::SPItemNat1Click, QStringLiteral("SBItemNatAll"),
                   QStringLiteral("SBItemNatNon"), &TFormVarnolt::SBItemNatAllClick, 4);
    // The house buttons C1 … C12 only announce a future feature.
    for (int c = 1; c <= 12; ++c) {
        QToolButton* b =
            Boton(QStringLiteral("SBC%1").arg(c), QStringLiteral("C%1").arg(c), QString(), s);
        connect(b, &QToolButton::clicked, this,
                [this, c] { Ejecutar([&] { form_.SBC1Click(c); }); });
        g->addWidget(b, 2 + (c - 1) / 6, (c - 1) % 6);
    }
    v->addWidget(s);
    connect(lbItemNat_, &ListaVarnolt::Clic, this,
            [this] { ClicLista(lbItemNat_, [this] { form_.LBItemNatClick(1); }); });
    return p;
}

QWidget* VentanaVarnolt::ConstruirPanelAspTra() {
    auto* p = new QWidget(panelMain_);
    p->setObjectName(QStringLiteral("PanelAspTra"));
    p->setFixedWidth(150);
    p->setEnabled(false);
    panelAspTra_ = p;
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    v->addWidget(Encabezado(QStringLiteral("Ang. Tráns."), QStringLiteral("LabelAspTra"), p));
    auto* h = new QHBoxLayout();
    h->setSpacing(2);
    lbAspTra_ =
        new ListaVarnolt(QStringLiteral("LBAspTra"), form_.LBAspTra, 2, true, kFondoListas, p);
    // Its 19 fixed rows fit in two columns: no scroll bar.
    lbAspTra_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    h->addWidget(lbAspTra_, 1);
    auto* botones = new QVBoxLayout();
    botones->setSpacing(1);
    struct Def {
        const char* nombre;
        const char* texto;
        const char* pista;
        int tag;
    };
    static const Def kAngulos[] = {{"SBAllAspTra", "T", "Todos", 1},
                                   {"SpeedButton37", "N", "Ninguno", 2},
                                   {"SpeedButton28", "May.", "0,180,120,90", 3},
                                   {"SpeedButton29", "Mul.30", "", 4},
                                   {"SpeedButton30", "Mult.15", "", 5},
                                   {"SpeedButton31", "Lun.", "", 6},
                                   {"SpeedButton32", "Exót.", "", 7},
                                   {"SpeedButton33", "8A", "", 8},
                                   {"SpeedButton34", "NO May.", "", 9}};
    for (const Def& d : kAngulos) {
        QToolButton* b = Boton(QString::fromUtf8(d.nombre), QString::fromUtf8(d.texto),
                               QString::fromUtf8(d.pista), p);
        b->setFixedHeight(18);
        b->setFixedWidth(52);
        connect(b, &QToolButton::clicked, this,
                [this, tag = d.tag] { Ejecutar([&] { form_.SBAllAspTraClick(tag); }); });
        botones->addWidget(b);
    }
    botones->addStretch(1);
    h->addLayout(botones);
    v->addLayout(h, 1);
    connect(lbAspTra_, &ListaVarnolt::Clic, this,
            [this] { ClicLista(lbAspTra_, [this] { form_.LBAspTraClick(); }); });
    return p;
}

QWidget* VentanaVarnolt::ConstruirPanelInfo() {
    auto* p = new QWidget(panelMain_);
    p->setObjectName(QStringLiteral("PanelInfo"));
    Fondo(p, Qt::white);
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(2, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(Subrayado(QStringLiteral("Datos entre"), QStringLiteral("LabelDatosEntre"), p));
    labelInfoRangoData_ = Valor(QStringLiteral("LabelInfoRangoData"), kGranate, p);
    v->addWidget(labelInfoRangoData_);
    v->addSpacing(2);
    v->addWidget(Subrayado(QStringLiteral("Rango visualización entre"),
                           QStringLiteral("LabelRangoVisual"), p));
    labelInfoRangoVisual_ = Valor(QStringLiteral("LabelInfoRangoVisual"), kGranate, p);
    v->addWidget(labelInfoRangoVisual_);
    v->addSpacing(2);
    v->addWidget(Subrayado(QStringLiteral("Suma PP rango"), QStringLiteral("LabelSumaPP"), p));
    labelInfoSumaPP_ = Valor(QStringLiteral("LabelInfoSumaPP"), kGranate, p);
    v->addWidget(labelInfoSumaPP_);
    v->addSpacing(2);
    v->addWidget(Subrayado(QStringLiteral("Fechas Pico"), QStringLiteral("LabelFechasPico"), p));
    labelInfoFechasPico_ = Valor(QStringLiteral("LabelInfoFechasPico"), kGranate, p);
    v->addWidget(labelInfoFechasPico_);
    v->addSpacing(2);
    labelInfoMax_ = Valor(QStringLiteral("LabelInfoMax"), QColor(255, 0, 0), p);
    v->addWidget(labelInfoMax_);
    v->addStretch(1);
    return p;
}

void VentanaVarnolt::ConstruirPanelData(QWidget* panelData) {
    auto* v = new QVBoxLayout(panelData);
    v->setContentsMargins(0, 0, 0, 0);
    panelCharts_ = new QWidget(panelData);
    panelCharts_->setObjectName(QStringLiteral("PanelCharts"));
    v->addWidget(panelCharts_);
    panelCharts_->installEventFilter(this);

    panelChartDia_ = new QWidget(panelCharts_);
    panelChartDia_->setObjectName(QStringLiteral("PanelChartDia"));
    panelInfoArq_ = new QWidget(panelCharts_);
    panelInfoArq_->setObjectName(QStringLiteral("PanelInfoArq"));
    panelGraphs_ = new QWidget(panelCharts_);
    panelGraphs_->setObjectName(QStringLiteral("PanelGraphs"));

    chartDia_ = new GraficoBarras(QStringLiteral("ChartDia"), form_.Graficos.ChartDia,
                                  GraficoBarras::Tipo::Dia, panelChartDia_);
    chartAngTra_ = new GraficoBarras(QStringLiteral("ChartAngTra"), form_.Graficos.ChartAngTra,
                                     GraficoBarras::Tipo::Items, panelGraphs_);
    chartItemTra_ = new GraficoBarras(QStringLiteral("ChartItemTra"), form_.Graficos.ChartItemTra,
                                      GraficoBarras::Tipo::Items, panelGraphs_);
    chartItemNat_ = new GraficoBarras(QStringLiteral("ChartItemNat"), form_.Graficos.ChartItemNat,
                                      GraficoBarras::Tipo::Items, panelGraphs_);

    // The three archetype panels fill PanelInfoArq.
    {
        auto* v = new QVBoxLayout(panelInfoArq_);
        v->setContentsMargins(0, 0, 0, 0);
        panelArquetipos_ =
            new PanelArquetipos(form_, arquetipos_, panelInfoArq_, EjecutorVentana());
        v->addWidget(panelArquetipos_);
        panelArq_[0] = panelArquetipos_->PanelArqTra();
        panelArq_[1] = panelArquetipos_->PanelArqAsp();
        panelArq_[2] = panelArquetipos_->PanelArqNat();
    }

    // A click on a bar of the daily chart chooses that day.
    connect(chartDia_, &GraficoBarras::ClicSerie, this,
            [this](int serie, int indice, const QString&, double, Qt::MouseButton boton,
                   Qt::KeyboardModifiers teclas) {
                const auto b = boton == Qt::LeftButton    ? TFormVarnolt::BotonRaton::Izquierdo
                               : boton == Qt::RightButton ? TFormVarnolt::BotonRaton::Derecho
                                                          : TFormVarnolt::BotonRaton::Medio;
                Ejecutar([&] {
                    form_.ChartDiaClickSeries(serie, indice, b, teclas & Qt::ShiftModifier,
                                              teclas & Qt::ControlModifier,
                                              teclas & Qt::AltModifier);
                });
            });

    // At start PanelInfoArq, PanelChartDia and the four charts are hidden;
    // PanelGraphs is shown, empty.
    panelInfoArq_->hide();
    panelChartDia_->hide();
    for (GraficoBarras* c : {chartDia_, chartAngTra_, chartItemTra_, chartItemNat_}) {
        c->hide();
    }
}

VentanaHerramienta* VentanaVarnolt::NuevaHerramienta(const QString& nombre, const QString& titulo,
                                                     QAbstractButton* conmutador) {
    auto* tw = new VentanaHerramienta(nombre, titulo, this);
    tw->setFont(font());
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
        twDetalleContactos_->TamanoFijo(panelContactos_->Ancho(), panelContactos_->height());
        connect(panelContactos_, &PanelContactosDia::AnchoSolicitado, twDetalleContactos_,
                [this](int ancho) {
                    twDetalleContactos_->TamanoFijo(ancho, twDetalleContactos_->height());
                });
        connect(twDetalleContactos_, &VentanaHerramienta::Cerrada, this,
                [this] { Ejecutar([&] { form_.TWDetalleContactosClose(); }); });
    }

    // TWDetalleFechas, "Peso ponderado por días".
    twDetalleFechas_ = NuevaHerramienta(QStringLiteral("TWDetalleFechas"),
                                        QStringLiteral("Peso ponderado por días"), sbViewFechas_);
    ConstruirDetalleFechas(twDetalleFechas_);

    // TWLumbrisk, "Arquetipos astrológicos": client 186 × 218.
    twLumbrisk_ = NuevaHerramienta(QStringLiteral("TWLumbrisk"),
                                   QStringLiteral("Arquetipos astrológicos"), sbLoadTerms_);
    {
        panelCatalogo_ = new PanelCatalogoArq(form_, arquetipos_, twLumbrisk_, EjecutorVentana());
        panelCatalogo_->move(0, 0);
        twLumbrisk_->TamanoFijo(186, 218);
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
        twCSV_->TamanoFijo(panelCSV_->width(), panelCSV_->height());
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

// ---- FormCreate and the operations ---------------------------------

void VentanaVarnolt::FormCreate(const QString& rutaEjecutable) {
    // 1.
    form_.Actualizando = true;
    form_.DataCargada = false;
    // 2.
    dateTimePicker_->setDate(QDate::currentDate());
    form_.FechaReferencia = AFecha(QDate::currentDate());
    // 3.
    setWindowTitle(QStringLiteral("Varnolt"));
    findChild<QLabel*>(QStringLiteral("RxLabelTitle"))->setText(QStringLiteral("Varnolt"));
    monthCalendar1_->setSelectedDate(QDate::currentDate());
    findChild<QLabel*>(QStringLiteral("RxLabelVersion"))->setText(QStringLiteral("v.0.11.180"));
    findChild<QLabel*>(QStringLiteral("RxLabelFecha"))->setText(QStringLiteral("Ene 31 2026"));
    AjustarPaneles();
    // 4.
    twDetalleContactos_->TamanoFijo(395 + 5, twDetalleContactos_->height());
    // 5.
    form_.ModoAutonomo = EsEjecutableAutonomo(rutaEjecutable);
    // 6.
    form_.InfoData = "-No hay data cargada-";
    // 7.
    findChild<QLabel*>(QStringLiteral("LabelAbout"))->setText(QStringLiteral("Acerca de Varnolt"));
    if (form_.ModoAutonomo) {
        setWindowState(windowState() | Qt::WindowMaximized);
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    // 7., 8. The archetype file: the folder of FileARQ (read again from the
    // settings file when running by itself) with the fixed file name.
    if (datos_ != nullptr) {
        archivoArq_ = ArchivoArqInicial(*datos_, form_.ModoAutonomo);
    } else {
        // No settings (a window made by a test or a tool): the bundled sample
        // archetype file beside the program.
        archivoArq_ =
            S(QCoreApplication::applicationDirPath()) + "/arquetipos/" + kArchivoArqInicial;
    }
    arquetipos_.ArchivoArq = archivoArq_;
    // 9.
    form_.Actualizando = false;
    RefrescarFechasPP();
    SincronizarSEValPico();
}

void VentanaVarnolt::Ejecutar(const std::function<void()>& accion) {
    ++ejecutando_;
    try {
        accion();
    } catch (const std::exception& e) {
        CerrarProgreso();
        MostrarError(e.what());
    }
    --ejecutando_;
}

void VentanaVarnolt::ClicLista(ListaVarnolt*, const std::function<void()>& manejador) {
    Ejecutar(manejador);
}

void VentanaVarnolt::HabilitarControles(bool on) {
    Ejecutar([&] { form_.HabilitarControles(on); });
}

void VentanaVarnolt::AjustarPaneles() {
    Ejecutar([&] { form_.AjustarPaneles(); });
}

void VentanaVarnolt::SBViewArqClick() {
    Ejecutar([&] { form_.SBViewArqClick(sbViewArq_->isChecked()); });
}

void VentanaVarnolt::SBViewTendsClick() {
    Ejecutar([&] { form_.SBViewTendsClick(sbViewTends_->isChecked()); });
}

void VentanaVarnolt::FormResize() {
    if (ajustando_) {
        return;
    }
    ajustando_ = true;
    if (form_.SBViewTends) {
        form_.SBViewTendsClick(true);
    } else {
        form_.AjustarPaneles();
    }
    ajustando_ = false;
    AjustarGraficos();
}

void VentanaVarnolt::SBInfoDataClick() {
    Ejecutar([&] { form_.SBInfoDataClick(); });
}

void VentanaVarnolt::CargarAgendas(const std::vector<std::string>& archivos) {
    if (archivos.empty()) {
        return;
    }
    if (ejecutando_ > 0) {
        // Another action is running (a load, a dialog of a handler): these
        // files load after it.
        QTimer::singleShot(100, this, [this, archivos] { CargarAgendas(archivos); });
        return;
    }
    Ejecutar([&] { form_.CargarAgendas(archivos); });
}

void VentanaVarnolt::AjustarGraficos() {
    TEstadoPaneles e;
    e.Ancho = panelCharts_->width();
    e.Alto = panelCharts_->height();
    e.SBViewArq = form_.SBViewArq;
    e.SBViewTends = form_.SBViewTends;
    e.PanelInfoArqVisible = form_.PanelInfoArqVisible;
    e.PanelGraphsVisible = form_.PanelGraphsVisible;
    const TDisposicionGraficos d = varnolt::AjustarGraficos(e);
    auto rect = [](const TRectangulo& r) { return QRect(r.X, r.Y, r.Ancho, r.Alto); };

    panelChartDia_->setGeometry(rect(d.PanelChartDia));
    panelInfoArq_->setGeometry(rect(d.PanelInfoArq));
    panelGraphs_->setGeometry(rect(d.PanelGraphs));
    chartDia_->setGeometry(rect(d.ChartDia));
    QWidget* padreAng = d.ChartAngTraEnPanelChartDia ? panelChartDia_ : panelGraphs_;
    if (chartAngTra_->parentWidget() != padreAng) {
        chartAngTra_->setParent(padreAng);
    }
    chartAngTra_->setGeometry(rect(d.ChartAngTra));
    chartItemTra_->setGeometry(rect(d.ChartItemTra));
    chartItemNat_->setGeometry(rect(d.ChartItemNat));
    panelArquetipos_->Anchos(d.PanelArqTra.Ancho, d.PanelArqAsp.Ancho, d.PanelArqNat.Ancho);

    panelChartDia_->setVisible(form_.PanelChartDiaVisible);
    chartDia_->setVisible(form_.PanelChartDiaVisible);
    panelInfoArq_->setVisible(form_.PanelInfoArqVisible);
    panelGraphs_->setVisible(form_.PanelGraphsVisible && !d.SoloTendencias);
    for (GraficoBarras* c : {chartAngTra_, chartItemTra_, chartItemNat_}) {
        c->setVisible(form_.ChartsItemsVisible);
    }
}

// ---- Refrescar -------------------------------------------------------------------

void VentanaVarnolt::Refrescar(Vista vista) {
    switch (vista) {
        case Vista::Listas:
            RefrescarListas();
            break;
        case Vista::Controles:
            RefrescarControles();
            break;
        case Vista::Graficos:
            RefrescarGraficos();
            break;
        case Vista::FechasPP:
            RefrescarFechasPP();
            break;
        case Vista::Tendencia:
            RefrescarTendencia();
            break;
        case Vista::ContactosDia:
            RefrescarContactosDia();
            panelContactos_->Refrescar();
            break;
        case Vista::Arquetipos:
            panelArquetipos_->Refrescar();
            break;
        case Vista::Exportacion:
            panelRangos_->Refrescar();
            panelCSV_->Refrescar();
            setEnabled(form_.VentanaHabilitada);
            break;
    }
}

void VentanaVarnolt::RefrescarListas() {
    panelArquetipos_->Refrescar();
    lbYear_->Recargar();
    lbItemNat_->Recargar();
    lbItemTra_->Recargar();
    lbAspTra_->Recargar();
}

void VentanaVarnolt::RefrescarControles() {
    const bool on = form_.ControlesHabilitados;
    panelAspTra_->setEnabled(on);
    panelItemsNat_->setEnabled(on);
    panelItemsTra_->setEnabled(on);
    sbTAView_->setEnabled(on);
    for (QToolButton* b : sbPer_) {
        b->setEnabled(on);
    }
    lbYear_->setEnabled(on);
    monthCalendar1_->setEnabled(on);
    if (form_.BotonPeriodo >= 1 && form_.BotonPeriodo <= 19) {
        sbPer_[static_cast<size_t>(form_.BotonPeriodo - 1)]->setChecked(true);
    }
    sbViewArq_->setChecked(form_.SBViewArq);
    sbViewTends_->setChecked(form_.SBViewTends);
    sbMaxAxisOrd_->setChecked(form_.SBMaxAxisOrd);
    AjustarGraficos();
}

void VentanaVarnolt::RefrescarGraficos() {
    chartDia_->EjeFijo(form_.SBMaxAxisOrd ? std::nullopt
                                          : std::optional<double>(form_.EjeDiaMaximo));
    sbMaxAxisOrd_->setChecked(form_.SBMaxAxisOrd);
    for (GraficoBarras* c : {chartDia_, chartAngTra_, chartItemTra_, chartItemNat_}) {
        c->Actualizar();
    }
    const QDate dia = DeFecha(form_.FechaCalendario);
    if (monthCalendar1_->selectedDate() != dia) {
        const QSignalBlocker bloqueo(monthCalendar1_);
        monthCalendar1_->setSelectedDate(dia);
    }
}

void VentanaVarnolt::RefrescarFechasPP() {
    lbFechaPP_->Recargar();
    const TEtiquetasInfo& e = form_.Etiquetas;
    labelInfoRangoData_->setText(Lineas(e.RangoData));
    labelInfoRangoVisual_->setText(Lineas(e.RangoVisual));
    labelInfoSumaPP_->setText(Lineas(e.SumaPP));
    labelInfoFechasPico_->setText(Lineas(e.FechasPico));
    labelInfoMax_->setText(Lineas(e.Max));
    labelNoContactos_->setText(Lineas(e.NoContactos));
    const int tipo = static_cast<int>(form_.RGTipoFecha);
    if (tipo >= 0 && tipo < 2 && !tipoFecha_[tipo]->isChecked()) {
        tipoFecha_[tipo]->setChecked(true);
    }
    const int orden = static_cast<int>(form_.RGSortFecha);
    if (orden >= 0 && orden < 3 && !sortFecha_[orden]->isChecked()) {
        sortFecha_[orden]->setChecked(true);
    }
    if (cbViewMedia_->isChecked() != form_.CBViewMedia) {
        cbViewMedia_->setChecked(form_.CBViewMedia);
    }
}

void VentanaVarnolt::RefrescarTendencia() {
    if (form_.DataCargada) {
        twGraphRange_->setWindowTitle(Q(TituloTendencia(form_.RangoIni, form_.RangoFin)));
    }
    pbRange_->update();
}

void VentanaVarnolt::RefrescarContactosDia() {
    sbViewContacto_->setChecked(form_.SBViewContacto);
    if (twDetalleContactos_->isVisible() != form_.TWDetalleContactosVisible) {
        twDetalleContactos_->setVisible(form_.TWDetalleContactosVisible);
    }
}

void VentanaVarnolt::SEValPicoCambio() {
    const std::string texto = S(seValPico_->findChild<QLineEdit*>()->text());
    if (texto == form_.SEValPico) {
        return;
    }
    Ejecutar([&] { form_.SEValPicoChange(texto); });
}

void VentanaVarnolt::SincronizarSEValPico() {
    QLineEdit* edit = seValPico_->findChild<QLineEdit*>();
    const QString texto = Q(form_.SEValPico);
    if (edit->text() == texto) {
        return;
    }
    const QSignalBlocker b1(seValPico_);
    const QSignalBlocker b2(edit);
    seValPico_->setValue(std::clamp(ValorPico(form_.SEValPico), 10, 100));
    edit->setText(texto);
}

// ---- The core's questions ----------------------------------------------------------

void VentanaVarnolt::MostrarMensaje(const std::string& texto) {
    formMSG_->PonerTexto(Q(texto));
    if (DialogoMensaje) {
        DialogoMensaje(texto);
        return;
    }
    formMSG_->Mostrar(Q(texto));
}

void VentanaVarnolt::MostrarError(const std::string& texto) {
    if (DialogoError) {
        DialogoError(texto);
        return;
    }
    QMessageBox::critical(this, QStringLiteral("Varnolt"), Lineas(texto));
}

void VentanaVarnolt::MostrarInformacion(const std::string& texto) {
    if (DialogoInformacion) {
        DialogoInformacion(texto);
        return;
    }
    QMessageBox::information(this, QStringLiteral("Varnolt"), Lineas(texto));
}

std::optional<std::vector<std::string>> VentanaVarnolt::PedirArchivosAgenda(
    const std::string& carpetaInicial) {
    if (DialogoAbrir) {
        return DialogoAbrir(carpetaInicial);
    }
    const QStringList archivos = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Abrir"), QFile::decodeName(carpetaInicial.c_str()),
        QStringLiteral("Archivos CSV (*.csv)"));
    if (archivos.isEmpty()) {
        return std::nullopt;
    }
    std::vector<std::string> r;
    for (const QString& a : archivos) {
        r.push_back(RutaLocal(a));
    }
    return r;
}

void VentanaVarnolt::MostrarProgreso() {
    ++vecesProgreso_;
    if (formStepCount_ == nullptr) {
        formStepCount_ = new TFormStepCount(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    formStepCount_->show();
    Centrar(formStepCount_);
}

void VentanaVarnolt::TituloProgreso(const std::string& titulo) {
    if (formStepCount_ != nullptr) {
        formStepCount_->setWindowTitle(Q(titulo));
    }
}

void VentanaVarnolt::PosicionProgreso(int porcentaje) {
    if (formStepCount_ != nullptr) {
        formStepCount_->PB()->setValue(porcentaje);
    }
}

void VentanaVarnolt::CerrarProgreso() {
    if (formStepCount_ == nullptr) {
        return;
    }
    formStepCount_->close();
    delete formStepCount_;
    formStepCount_ = nullptr;
    QApplication::restoreOverrideCursor();
}

void VentanaVarnolt::CerrarAviso() {
    if (formAviso_->isVisible()) {
        formAviso_->close();
    }
}

void VentanaVarnolt::ProcesarMensajes() {
    // Input to the program's windows is dropped while the core's work lets
    // window messages run: no second Data action, no "Limpiar", no change of
    // selection can start in the middle of it.
    if (bloqueoEntrada_++ == 0) {
        qApp->installEventFilter(this);
    }
    QCoreApplication::processEvents();
    if (--bloqueoEntrada_ == 0) {
        qApp->removeEventFilter(this);
    }
}

// ---- Events ------------------------------------------------------------------------

bool VentanaVarnolt::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == labelAbout_ && bloqueoEntrada_ == 0 && e->type() == QEvent::MouseButtonRelease) {
        LabelAboutClick();
        return true;
    }
    if (bloqueoEntrada_ > 0) {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
                return true;
            case QEvent::Close:
                if (objeto == this) {
                    e->ignore();
                    return true;
                }
                break;
            default:
                break;
        }
    }
    if (objeto == panelCharts_ && e->type() == QEvent::Resize) {
        FormResize();
    }
    return QMainWindow::eventFilter(objeto, e);
}

void VentanaVarnolt::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (primeraVez_) {
        primeraVez_ = false;
        FormResize();
    }
}

void VentanaVarnolt::dragEnterEvent(QDragEnterEvent* e) {
    if (EntradaBloqueada() || !e->mimeData()->hasUrls()) {
        return;
    }
    for (const QUrl& u : e->mimeData()->urls()) {
        if (u.isLocalFile()) {
            e->acceptProposedAction();
            return;
        }
    }
}

void VentanaVarnolt::dropEvent(QDropEvent* e) {
    std::vector<std::string> archivos;
    for (const QUrl& u : e->mimeData()->urls()) {
        if (u.isLocalFile() && QFileInfo(u.toLocalFile()).isFile()) {
            archivos.push_back(RutaLocal(u.toLocalFile()));
        }
    }
    if (archivos.empty()) {
        return;
    }
    e->acceptProposedAction();
    // After the drop has finished: the load shows modal windows.
    QTimer::singleShot(0, this, [this, archivos] { CargarAgendas(archivos); });
}

VentanaHerramienta* VentanaVarnolt::Herramienta(const QString& nombre) const {
    for (VentanaHerramienta* tw : herramientas_) {
        if (tw->objectName() == nombre) {
            return tw;
        }
    }
    return nullptr;
}

}  // namespace varnolt::gui

namespace varnolt::gui {

std::function<void(const std::function<void()>&)> VentanaVarnolt::EjecutorVentana() {
    return [this](const std::function<void()>& accion) { Ejecutar(accion); };
}

void VentanaVarnolt::LabelAboutClick() {
    // The program's page: its README, opened by the desktop's default browser.
    QDesktopServices::openUrl(QUrl(QStringLiteral(VARNOLT_PAGINA)));
}

}  // namespace varnolt::gui
