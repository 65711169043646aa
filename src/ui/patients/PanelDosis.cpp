#include "ui/patients/PanelDosis.h"

#include "core/dosing/NombresSemana.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kAnchoNumero = 48;
constexpr int kAnchoBoton = 32;

// The six fraction choices, in the order of TFraccion.
const QStringList kFracciones {QString(),
                               QStringLiteral("1/4"),
                               QStringLiteral("1/2"),
                               QStringLiteral("3/4"),
                               QStringLiteral("1/3"),
                               QStringLiteral("2/3")};

QLineEdit *CampoNumero(QWidget *padre, const char *nombre)
{
    auto *campo = Componente<QLineEdit>(padre, nombre);
    campo->setMaximumWidth(kAnchoNumero);
    return campo;
}

// A row of components and words, left to right.
QHBoxLayout *Fila(std::initializer_list<QWidget *> componentes)
{
    auto *fila = new QHBoxLayout;
    for (QWidget *componente : componentes)
        fila->addWidget(componente);
    fila->addStretch();
    return fila;
}

// Checks the button, or none of the group's buttons.
void Elegir(QButtonGroup *grupo, QAbstractButton *boton)
{
    if (boton) {
        boton->setChecked(true);
        return;
    }
    grupo->setExclusive(false);
    for (QAbstractButton *cada : grupo->buttons())
        cada->setChecked(false);
    grupo->setExclusive(true);
}

} // namespace

TPanelDosis::TPanelDosis(TEstadoDosis &estado, QWidget *parent)
    : QWidget(parent)
    , m_estado(estado)
    , m_modo(new QButtonGroup(this))
    , m_paginas(Componente<QStackedWidget>(this, "pgsDosis"))
{
    setObjectName(QStringLiteral("pnlDosis"));
    auto *btnDias = Componente<QPushButton>(this, "btnDias", QStringLiteral("DIAS"));
    auto *btnSemanal = Componente<QPushButton>(this, "btnSemanal", QStringLiteral("SEMANAL"));
    for (QPushButton *boton : {btnDias, btnSemanal}) {
        boton->setCheckable(true);
        boton->setAutoDefault(false);
    }
    m_modo->addButton(btnDias, int(TModoDosis::Dias));
    m_modo->addButton(btnSemanal, int(TModoDosis::Semanal));
    m_paginas->addWidget(CrearPaginaDias());
    m_paginas->addWidget(CrearPaginaSemanal());
    connect(m_modo, &QButtonGroup::idToggled, this, [this](int id, bool marcado) {
        if (marcado)
            m_paginas->setCurrentIndex(id);
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(Fila({btnDias, btnSemanal}));
    layout->addWidget(m_paginas);
    Mostrar();
}

QWidget *TPanelDosis::Contador(const char *nombre, const QString &titulo, TContador &contador,
                               const std::function<void(bool)> &cambiar)
{
    const QString sufijo = QString::fromLatin1(nombre);
    auto *etiqueta = Componente<QLabel>(this, qPrintable(QStringLiteral("lbl") + sufijo), titulo);
    auto *menos = Componente<QPushButton>(this, qPrintable(QStringLiteral("btnMenos") + sufijo),
                                          QStringLiteral("-"));
    contador.unidades = CampoNumero(this, qPrintable(QStringLiteral("edt") + sufijo));
    contador.unidades->setReadOnly(true);
    auto *mas = Componente<QPushButton>(this, qPrintable(QStringLiteral("btnMas") + sufijo),
                                        QStringLiteral("+"));
    contador.fraccion = Componente<QComboBox>(this, qPrintable(QStringLiteral("cmbFraccion") + sufijo));
    contador.fraccion->addItems(kFracciones);
    for (QPushButton *boton : {menos, mas}) {
        boton->setAutoDefault(false);
        boton->setFixedWidth(kAnchoBoton);
    }
    connect(menos, &QPushButton::clicked, this, [cambiar] { cambiar(false); });
    connect(mas, &QPushButton::clicked, this, [cambiar] { cambiar(true); });
    auto *fila = new QWidget(this);
    auto *layout = Fila({etiqueta, menos, contador.unidades, mas, contador.fraccion});
    layout->setContentsMargins(0, 0, 0, 0);
    fila->setLayout(layout);
    etiqueta->setMinimumWidth(90);
    return fila;
}

QWidget *TPanelDosis::CrearPaginaDias()
{
    static const char *const kNombres[kTomasDia] = {"Desayuno", "Comida", "Cena", "Noche"};
    auto *pagina = new QWidget(this);
    auto *layout = new QVBoxLayout(pagina);
    const QStringList tomas = NombresTomas();
    for (int toma = 0; toma < kTomasDia; ++toma) {
        QWidget *fila = Contador(kNombres[toma], tomas.at(toma), m_tomas[toma], [this, toma](bool mas) {
            Cambiar([this, toma, mas] { mas ? m_estado.Sumar(toma) : m_estado.Restar(toma); });
        });
        TextosDeCodigo(*fila->findChild<QLabel *>()); // the slot's name, by its message key
        layout->addWidget(fila);
    }

    auto *grupo = Componente<QGroupBox>(this, "grpPeriodicidad");
    grupo->setTitle(QStringLiteral("PERIODICIDAD"));
    m_rbDiaria = Componente<QRadioButton>(grupo, "rbDiaria", QStringLiteral("DIARIA"));
    m_rbSemanal = Componente<QRadioButton>(grupo, "rbSemanal", QStringLiteral("SEMANAL"));
    m_rbMensual = Componente<QRadioButton>(grupo, "rbMensual", QStringLiteral("MENSUAL"));
    auto *periodicidad = new QButtonGroup(grupo);
    m_periodicidad = Componente<QStackedWidget>(grupo, "pgsPeriodicidad");
    m_periodicidad->addWidget(CrearPanelDiaria());
    m_periodicidad->addWidget(CrearPanelSemanal());
    m_periodicidad->addWidget(CrearPanelMensual());
    int indice = 0;
    for (QRadioButton *opcion : {m_rbDiaria, m_rbSemanal, m_rbMensual}) {
        periodicidad->addButton(opcion, indice++);
    }
    connect(periodicidad, &QButtonGroup::idToggled, this, [this](int id, bool marcado) {
        if (marcado)
            m_periodicidad->setCurrentIndex(id);
    });
    auto *interior = new QVBoxLayout(grupo);
    interior->addLayout(Fila({m_rbDiaria, m_rbSemanal, m_rbMensual}));
    interior->addWidget(m_periodicidad);
    layout->addWidget(grupo);
    return pagina;
}

QWidget *TPanelDosis::CrearPanelDiaria()
{
    auto *panel = Componente<QWidget>(this, "pnlDiaria");
    m_opcionDiaria = new QButtonGroup(panel);
    m_rbCada = Componente<QRadioButton>(panel, "rbCada", QStringLiteral("CADA"));
    m_rbPorCada = Componente<QRadioButton>(panel, "rbPorCada", QStringLiteral("POR CADA"));
    m_opcionDiaria->addButton(m_rbCada);
    m_opcionDiaria->addButton(m_rbPorCada);
    m_edtCadaDias = CampoNumero(panel, "edtCadaDias");
    m_edtDiasToma = CampoNumero(panel, "edtDiasToma");
    m_edtDiasDescanso = CampoNumero(panel, "edtDiasDescanso");
    auto *layout = new QVBoxLayout(panel);
    layout->addLayout(Fila(
            {m_rbCada, m_edtCadaDias, Componente<QLabel>(panel, "lblCadaDias", QStringLiteral("DIAS"))}));
    layout->addLayout(
            Fila({m_rbPorCada, m_edtDiasToma,
                  Componente<QLabel>(panel, "lblDiasToma", QStringLiteral("DIAS DE TOMA")), m_edtDiasDescanso,
                  Componente<QLabel>(panel, "lblDiasDescanso", QStringLiteral("DE DESCANSO"))}));
    return panel;
}

QWidget *TPanelDosis::CrearPanelSemanal()
{
    static const char *const kNombres[kDiasTabla]
            = {"chkLunes", "chkMartes", "chkMiercoles", "chkJueves", "chkViernes", "chkSabado", "chkDomingo"};
    auto *panel = Componente<QWidget>(this, "pnlSemanal");
    m_edtCadaSemanas = CampoNumero(panel, "edtCadaSemanas");
    auto *dias = new QHBoxLayout;
    const QStringList nombres = NombresDias();
    for (int dia = 0; dia < kDiasTabla; ++dia) {
        m_dias[dia] = Componente<QCheckBox>(panel, kNombres[dia], nombres.at(dia));
        TextosDeCodigo(*m_dias[dia]); // the day's name, by its message key
        dias->addWidget(m_dias[dia]);
    }
    auto *layout = new QVBoxLayout(panel);
    layout->addLayout(Fila({Componente<QLabel>(panel, "lblRepetirCada", QStringLiteral("REPETIR CADA ")),
                            m_edtCadaSemanas,
                            Componente<QLabel>(panel, "lblSemanasLos", QStringLiteral("SEMANAS LOS :"))}));
    layout->addLayout(dias);
    return panel;
}

QWidget *TPanelDosis::CrearPanelMensual()
{
    auto *panel = Componente<QWidget>(this, "pnlMensual");
    m_opcionMensual = new QButtonGroup(panel);
    m_rbElDia = Componente<QRadioButton>(panel, "rbElDia", QStringLiteral("EL DIA"));
    m_rbEl = Componente<QRadioButton>(panel, "rbEl", QStringLiteral("EL"));
    m_opcionMensual->addButton(m_rbElDia);
    m_opcionMensual->addButton(m_rbEl);
    m_edtDiaMes = CampoNumero(panel, "edtDiaMes");
    m_edtCadaMesesDia = CampoNumero(panel, "edtCadaMesesDia");
    m_edtCadaMesesPosicion = CampoNumero(panel, "edtCadaMesesPosicion");
    m_cmbOrdinal = Componente<QComboBox>(panel, "cmbOrdinal");
    m_cmbOrdinal->addItems({QStringLiteral("PRIMER"), QStringLiteral("SEGUNDO"), QStringLiteral("TERCER"),
                            QStringLiteral("CUARTO"), QStringLiteral("ULTIMO")});
    m_cmbDiaPosicion = Componente<QComboBox>(panel, "cmbDiaPosicion");
    m_cmbDiaPosicion->addItems(NombresDias() << QStringLiteral("DIA"));
    auto *layout = new QVBoxLayout(panel);
    layout->addLayout(Fila(
            {m_rbElDia, m_edtDiaMes, Componente<QLabel>(panel, "lblDeCadaDia", QStringLiteral("DE CADA")),
             m_edtCadaMesesDia, Componente<QLabel>(panel, "lblMesesDia", QStringLiteral("MESES"))}));
    layout->addLayout(Fila({m_rbEl, m_cmbOrdinal, m_cmbDiaPosicion,
                            Componente<QLabel>(panel, "lblDeCadaPosicion", QStringLiteral("DE CADA")),
                            m_edtCadaMesesPosicion,
                            Componente<QLabel>(panel, "lblMesesPosicion", QStringLiteral("MESES"))}));
    return panel;
}

QWidget *TPanelDosis::CrearPaginaSemanal()
{
    auto *pagina = new QWidget(this);
    m_grdTabla = Componente<QTableWidget>(pagina, "grdTabla");
    TextosDeCodigo(*m_grdTabla); // the days and slots of the week, by their message keys
    m_grdTabla->setRowCount(kTomasDia);
    m_grdTabla->setColumnCount(kDiasTabla);
    m_grdTabla->setHorizontalHeaderLabels(NombresDiasCortos());
    m_grdTabla->setVerticalHeaderLabels(NombresTomas());
    // A double-click fills cells; typing replaces a cell's value.
    m_grdTabla->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::SelectedClicked);
    for (int toma = 0; toma < kTomasDia; ++toma) {
        for (int dia = 0; dia < kDiasTabla; ++dia)
            m_grdTabla->setItem(toma, dia, new QTableWidgetItem);
    }
    m_grdTabla->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(m_grdTabla, &QTableWidget::cellDoubleClicked, this, &TPanelDosis::CeldaDobleClick);
    connect(m_grdTabla->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int dia) { Cambiar([this, dia] { m_estado.LlenarDia(dia); }); });
    connect(m_grdTabla->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int toma) { Cambiar([this, toma] { m_estado.LlenarToma(toma); }); });

    auto *layout = new QVBoxLayout(pagina);
    layout->addWidget(m_grdTabla);
    layout->addWidget(Contador("Tabla", QStringLiteral("DOSIS"), m_tabla, [this](bool mas) {
        Cambiar([this, mas] { mas ? m_estado.SumarTabla() : m_estado.RestarTabla(); });
    }));
    return pagina;
}

void TPanelDosis::CeldaDobleClick(int toma, int dia)
{
    Cambiar([this, toma, dia] { m_estado.LlenarCelda(dia, toma); });
}

void TPanelDosis::Cambiar(const std::function<void()> &cambio)
{
    Leer();
    cambio();
    Mostrar();
}

void TPanelDosis::Mostrar()
{
    const TEstadoDosis &e = m_estado;
    m_modo->button(int(e.Modo))->setChecked(true);
    for (int toma = 0; toma < kTomasDia; ++toma) {
        m_tomas[toma].unidades->setText(QString::number(e.Unidades[toma]));
        m_tomas[toma].fraccion->setCurrentIndex(int(e.Fracciones[toma]));
    }
    (e.Periodicidad == TPeriodicidad::Diaria            ? m_rbDiaria
             : e.Periodicidad == TPeriodicidad::Semanal ? m_rbSemanal
                                                        : m_rbMensual)
            ->setChecked(true);
    Elegir(m_opcionDiaria,
           e.OpcionDiaria == TOpcionDiaria::Cada              ? m_rbCada
                   : e.OpcionDiaria == TOpcionDiaria::PorCada ? m_rbPorCada
                                                              : nullptr);
    m_edtCadaDias->setText(e.CadaDias);
    m_edtDiasToma->setText(e.DiasToma);
    m_edtDiasDescanso->setText(e.DiasDescanso);
    m_edtCadaSemanas->setText(e.CadaSemanas);
    for (int dia = 0; dia < kDiasTabla; ++dia)
        m_dias[dia]->setChecked(e.DiasSemana[dia]);
    Elegir(m_opcionMensual,
           e.OpcionMensual == TOpcionMensual::ElDia        ? m_rbElDia
                   : e.OpcionMensual == TOpcionMensual::El ? m_rbEl
                                                           : nullptr);
    m_edtDiaMes->setText(e.DiaMes);
    m_edtCadaMesesDia->setText(e.CadaMesesDia);
    m_cmbOrdinal->setCurrentIndex(e.Ordinal - 1);
    m_cmbDiaPosicion->setCurrentIndex(e.DiaPosicion - 1);
    m_edtCadaMesesPosicion->setText(e.CadaMesesPosicion);
    for (int toma = 0; toma < kTomasDia; ++toma) {
        for (int dia = 0; dia < kDiasTabla; ++dia)
            m_grdTabla->item(toma, dia)->setText(e.Celdas[dia * kTomasDia + toma]);
    }
    m_tabla.unidades->setText(QString::number(e.UnidadesTabla));
    m_tabla.fraccion->setCurrentIndex(int(e.FraccionTabla));
}

void TPanelDosis::Leer()
{
    TEstadoDosis &e = m_estado;
    e.Modo = TModoDosis(m_modo->checkedId());
    for (int toma = 0; toma < kTomasDia; ++toma)
        e.Fracciones[toma] = TFraccion(std::max(0, m_tomas[toma].fraccion->currentIndex()));
    e.Periodicidad = m_rbSemanal->isChecked() ? TPeriodicidad::Semanal
            : m_rbMensual->isChecked()        ? TPeriodicidad::Mensual
                                              : TPeriodicidad::Diaria;
    e.OpcionDiaria = m_rbCada->isChecked() ? TOpcionDiaria::Cada
            : m_rbPorCada->isChecked()     ? TOpcionDiaria::PorCada
                                           : TOpcionDiaria::Ninguna;
    e.CadaDias = m_edtCadaDias->text();
    e.DiasToma = m_edtDiasToma->text();
    e.DiasDescanso = m_edtDiasDescanso->text();
    e.CadaSemanas = m_edtCadaSemanas->text();
    for (int dia = 0; dia < kDiasTabla; ++dia)
        e.DiasSemana[dia] = m_dias[dia]->isChecked();
    e.OpcionMensual = m_rbElDia->isChecked() ? TOpcionMensual::ElDia
            : m_rbEl->isChecked()            ? TOpcionMensual::El
                                             : TOpcionMensual::Ninguna;
    e.DiaMes = m_edtDiaMes->text();
    e.CadaMesesDia = m_edtCadaMesesDia->text();
    e.Ordinal = m_cmbOrdinal->currentIndex() + 1;
    e.DiaPosicion = m_cmbDiaPosicion->currentIndex() + 1;
    e.CadaMesesPosicion = m_edtCadaMesesPosicion->text();
    for (int toma = 0; toma < kTomasDia; ++toma) {
        for (int dia = 0; dia < kDiasTabla; ++dia)
            e.Celdas[dia * kTomasDia + toma] = m_grdTabla->item(toma, dia)->text();
    }
    e.FraccionTabla = TFraccion(std::max(0, m_tabla.fraccion->currentIndex()));
}

void TPanelDosis::Enfocar(const TErrorEditor &error)
{
    QWidget *campo = nullptr;
    switch (error.Campo) {
    case TCampoEditor::FraccionDesayuno:
        campo = m_tomas[0].fraccion;
        break;
    case TCampoEditor::OpcionDiaria:
        campo = m_rbCada;
        break;
    case TCampoEditor::CadaDias:
        campo = m_edtCadaDias;
        break;
    case TCampoEditor::DiasToma:
        campo = m_edtDiasToma;
        break;
    case TCampoEditor::DiasDescanso:
        campo = m_edtDiasDescanso;
        break;
    case TCampoEditor::CadaSemanas:
        campo = m_edtCadaSemanas;
        break;
    case TCampoEditor::DiasSemana:
        campo = m_dias[0];
        break;
    case TCampoEditor::OpcionMensual:
        campo = m_rbElDia;
        break;
    case TCampoEditor::DiaMes:
        campo = m_edtDiaMes;
        break;
    case TCampoEditor::CadaMesesDia:
        campo = m_edtCadaMesesDia;
        break;
    case TCampoEditor::Ordinal:
        campo = m_cmbOrdinal;
        break;
    case TCampoEditor::DiaPosicion:
        campo = m_cmbDiaPosicion;
        break;
    case TCampoEditor::CadaMesesPosicion:
        campo = m_edtCadaMesesPosicion;
        break;
    case TCampoEditor::Tabla:
        campo = m_grdTabla;
        if (error.Celda >= 0)
            m_grdTabla->setCurrentCell(error.Celda % kTomasDia, error.Celda / kTomasDia);
        break;
    default:
        return;
    }
    campo->setFocus();
}
