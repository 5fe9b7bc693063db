// SPDX-License-Identifier: AGPL-3.0-or-later
// PanelMain, the strip of commands along the top of the main window: the
// title panel, the data and view buttons with the periods and years, the
// month calendar, the transit, natal and angle filter lists with their group
// buttons, and the information labels. Each control is created under its
// component name and wired to the core handler of the same name.
#include "gui/DialogoCarta.h"
#include "gui/VentanaVarnolt.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/ListaVarnolt.h"
#include "gui/PartesComun.h"
#include "gui/VentanaFechas.h"
#include "gui/VentanasPequenas.h"

namespace varnolt::gui {
namespace {

const QColor kFondoListas(255, 255, 232);  // LBItemNat, LBItemTra, LBAspTra
const QColor kGranate(128, 0, 0);

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
    // The information column is the last of the strip: on a narrow screen
    // its texts wrap instead of running past the window's edge.
    l->setWordWrap(true);
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
    l->setWordWrap(true);
    return l;
}

}  // namespace

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

namespace {

// PanelMain's height, and the least height of the chart area below it.
constexpr int kAltoPanelMain = 196;
constexpr int kAltoMinimoPanelData = 260;

// The command strip's frame: as high as PanelMain, plus the horizontal
// scroll bar while the window is narrower than the strip's rows.
class ZonaComandos : public QScrollArea {
  public:
    explicit ZonaComandos(QWidget* padre) : QScrollArea(padre) {
        setObjectName(QStringLiteral("ZonaComandos"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        setFixedHeight(kAltoPanelMain);
    }

  protected:
    void resizeEvent(QResizeEvent* e) override {
        QScrollArea::resizeEvent(e);
        const bool estrecha = widget() && widget()->minimumSizeHint().width() > width();
        const int alto =
            kAltoPanelMain + (estrecha ? horizontalScrollBar()->sizeHint().height() : 0);
        if (height() != alto) {
            setFixedHeight(alto);
        }
    }
};

}  // namespace

void VentanaVarnolt::Construir() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    setCentralWidget(central);
    auto* vertical = new QVBoxLayout(central);
    vertical->setContentsMargins(0, 0, 0, 0);
    vertical->setSpacing(0);

    // 1. PanelMain, a white strip along the top. It keeps its rows whole: a
    // window narrower than the strip scrolls it sideways.
    auto* zona = new ZonaComandos(central);
    zonaComandos_ = zona;
    panelMain_ = new QWidget(zona);
    panelMain_->setObjectName(QStringLiteral("PanelMain"));
    Fondo(panelMain_, Qt::white);
    Fondo(zona->viewport(), Qt::white);
    panelMain_->setFixedHeight(kAltoPanelMain);
    auto* fila = new QHBoxLayout(panelMain_);
    fila->setContentsMargins(4, 3, 2, 3);
    fila->setSpacing(4);
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
    monthCalendar1_->setToolTip(QStringLiteral(
        "Elegir un día (clic, o flechas e Intro): sus contactos en «Contactos Día»"));
    fila->addWidget(monthCalendar1_);
    fila->addWidget(ConstruirPanelItemsTra());
    fila->addWidget(ConstruirPanelItemsNat());
    fila->addWidget(ConstruirPanelAspTra());
    // The information column takes what is left of the strip's width; its
    // texts wrap to it and, on a narrow screen, scroll up and down instead of
    // being cut.
    auto* info = new QScrollArea(panelMain_);
    info->setObjectName(QStringLiteral("ZonaInfo"));
    info->setFrameShape(QFrame::NoFrame);
    info->setWidgetResizable(true);
    info->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    info->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    info->setMinimumWidth(80);
    Fondo(info->viewport(), Qt::white);
    info->setWidget(ConstruirPanelInfo());
    fila->addWidget(info, 1);
    zona->setWidget(panelMain_);
    vertical->addWidget(zona);

    // 2. PanelData, filling the rest; never so low that the charts lose
    // their plot area.
    panelData_ = new QWidget(central);
    panelData_->setObjectName(QStringLiteral("PanelData"));
    panelData_->setMinimumHeight(kAltoMinimoPanelData);
    vertical->addWidget(panelData_, 1);
    ConstruirPanelData(panelData_);

    ConstruirHerramientas();
    ConstruirAtajos();
    formMSG_ = new TFormMSG(this);
    formAviso_ = new TFormAviso(this);

    // A click, or Enter on the day reached with the arrow keys, chooses it.
    for (auto senal : {&QCalendarWidget::clicked, &QCalendarWidget::activated}) {
        connect(monthCalendar1_, senal, this, [this](const QDate& d) {
            Ejecutar([&] { form_.MonthCalendar1Click(AFecha(d)); });
        });
    }
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
    sbLoadTerms_ = Boton(QStringLiteral("SBLoadTerms"), QString(),
                         QStringLiteral("Catálogo de archivos de arquetipos"), p, true);
    sbLoadTerms_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    sbLoadTerms_->setIconSize(QSize(20, 20));
    sbLoadTerms_->setFixedSize(30, 26);
    // "Nueva" beside it: the agenda of a natal chart (DialogoCarta.h).
    auto* filaTerms = new QHBoxLayout();
    filaTerms->setSpacing(4);
    filaTerms->addWidget(sbLoadTerms_);
    auto* sbNueva =
        Boton(QStringLiteral("SBNuevaAgenda"), QStringLiteral("Nueva"),
              QStringLiteral("Nueva agenda: los tránsitos de una carta natal (Ctrl+N)"), p);
    sbNueva->setFixedHeight(26);
    filaTerms->addWidget(sbNueva);
    filaTerms->addStretch(1);
    v->addLayout(filaTerms);
    new AccionNuevaAgenda(*this, sbNueva);
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
    dateTimePicker_->setToolTip(
        QStringLiteral("Fecha de referencia: «Contactos Día» mide desde ella la distancia "
                       "en años, meses y días del día elegido"));
    dateTimePicker_->setAccessibleName(QStringLiteral("Fecha de referencia"));
    izquierda->addWidget(dateTimePicker_);

    // The period buttons: one exclusive group, disabled at start.
    static const char* const kPeriodos[19] = {"Todo", "1T",  "2T",  "3T",  "4T",  "1S",  "2S",
                                              "Ene",  "Feb", "Mar", "Abr", "May", "Jun", "Jul",
                                              "Ago",  "Sep", "Oct", "Nov", "Dic"};
    static const char* const kPistasPeriodos[19] = {"Todo el año elegido",
                                                    "Primer trimestre",
                                                    "Segundo trimestre",
                                                    "Tercer trimestre",
                                                    "Cuarto trimestre",
                                                    "Primer semestre",
                                                    "Segundo semestre",
                                                    "Enero",
                                                    "Febrero",
                                                    "Marzo",
                                                    "Abril",
                                                    "Mayo",
                                                    "Junio",
                                                    "Julio",
                                                    "Agosto",
                                                    "Septiembre",
                                                    "Octubre",
                                                    "Noviembre",
                                                    "Diciembre"};
    grupoPeriodos_ = new QButtonGroup(p);
    grupoPeriodos_->setExclusive(true);
    auto* rejilla = new QGridLayout();
    rejilla->setSpacing(1);
    for (int i = 0; i < 19; ++i) {
        const QString nombre =
            i == 0 ? QStringLiteral("SBPerAll") : QStringLiteral("SBPer%1").arg(i + 1);
        QToolButton* b = Boton(nombre, QString::fromUtf8(kPeriodos[i]),
                               QString::fromUtf8(kPistasPeriodos[i]), p, true);
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

    sbMaxAxisOrd_ = Boton(
        QStringLiteral("SBMaxAxisOrd"), QStringLiteral("Ajustar valor máx. ordenada"),
        QStringLiteral("Escala del gráfico diario: automática cuando está pulsado, fija si no"), p,
        true);
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
    // SBViewContacto and SBTAView each stay down exactly while their own
    // window shows: pressing one leaves the other, and its window, as they are.
    connect(sbViewContacto_, &QToolButton::clicked, this,
            [this](bool down) { Ejecutar([&] { form_.SBViewContactoClick(down); }); });
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
        QToolButton* b = Boton(QStringLiteral("SBC%1").arg(c), QStringLiteral("C%1").arg(c),
                               QStringLiteral("Casa %1: próximamente").arg(c), s);
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
    static const Def kAngulos[] = {
        {"SBAllAspTra", "T", "Todos", 1},
        {"SpeedButton37", "N", "Ninguno", 2},
        {"SpeedButton28", "May.", "0,180,120,90", 3},
        {"SpeedButton29", "Mul.30", "0,180,120,90,60,150,40,30", 4},
        {"SpeedButton30", "Mult.15", "0,180,120,90,60,45,165,150,135,105,75,40,30,15", 5},
        {"SpeedButton31", "Lun.", "0,180,90,45,135", 6},
        {"SpeedButton32", "Exót.", "72,51,40,36,33", 7},
        {"SpeedButton33", "8A", "0,180,120,90,72,60,51,45", 8},
        {"SpeedButton34", "NO May.", "Todos menos 0,180,120,90", 9}};
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
    auto* p = new QWidget();
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

}  // namespace varnolt::gui
