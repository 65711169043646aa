#include "ui/patients/FCategoriaPacientes.h"

#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/InformesNecesidades.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/ImprimirHojaAdministracion.h"
#include "ui/reports/Fpreview.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMarcoPantalla.h"
#include "ui/stock/CalculoConAvance.h"
#include "ui/stock/PanelFaltas.h"
#include "ui/stock/RejillaCargas.h"
#include "ui/stock/RejillaPacientesNecesidad.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A planned line whose stock does not cover it is drawn in red.
const QColor kFaltaStock(Qt::red);

} // namespace

TFormCategoriaPacientes::TFormCategoriaPacientes(QWidget *parent)
    : TPantalla(parent)
    , m_lblCategoria(Componente<QLabel>(this, "lblCategoria"))
    , m_chkTodos(Componente<QCheckBox>(this, "chkTodos", QStringLiteral("TODOS")))
    , m_grdPacientes(Componente<TRejillaPacientesNecesidad>(this, "grdPacientes"))
    , m_cargasSinEntregar(new TRejillaCargas(this, true))
    , m_pestanas(Componente<QTabWidget>(this, "pgcPestanas"))
    , m_edtSemanas(Componente<QLineEdit>(this, "edtSemanas", QStringLiteral("1")))
    , m_grdCargas(Componente<QTableWidget>(this, "grdCargasPlanificadas"))
    , m_faltas(new TPanelFaltas(this))
{
    setObjectName(QStringLiteral("FormCategoriaPacientes"));
    setWindowTitle(Traducir(QStringLiteral("CAPTION_ENTREGA_BLISTER"), QStringLiteral("Entrega Blister")));
    auto *btnCalcular = Componente<QPushButton>(this, "btnCalcular", QStringLiteral("CALCULAR"));
    auto *btnCargas = Componente<QPushButton>(this, "btnCargas", QStringLiteral("CARGAS"));
    auto *btnFaltas = Componente<QPushButton>(this, "btnFaltas", QStringLiteral("FALTAS"));
    auto *btnHojaSemanas
            = Componente<QPushButton>(this, "btnHojaSemanas", QStringLiteral("HOJA ADMINISTRACION"));
    auto *btnHojaFranjas
            = Componente<QPushButton>(this, "btnHojaFranjas", QStringLiteral("HOJA POR FRANJAS"));
    auto *btnVolver = Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER"));
    m_grdCargas->setColumnCount(6);
    m_grdCargas->setHorizontalHeaderLabels({QStringLiteral("PACIENTE"), QStringLiteral("INICIO"),
                                            QStringLiteral("MEDICAMENTO"), QStringLiteral("PORCIONES"),
                                            QStringLiteral("CANTIDAD"), QStringLiteral("FALTAN")});
    m_grdCargas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    new TListadoRejilla(*m_grdCargas, Qt::AscendingOrder);

    auto *necesidades = new QWidget(m_pestanas);
    necesidades->setObjectName(QStringLiteral("tabNecesidades"));
    auto *calculo = new QHBoxLayout;
    calculo->addWidget(Componente<QLabel>(this, "lblSemanas", QStringLiteral("Semanas")));
    calculo->addWidget(m_edtSemanas);
    for (QPushButton *boton : {btnCalcular, btnCargas, btnFaltas})
        calculo->addWidget(boton);
    calculo->addStretch();
    auto *disposicionNecesidades = new QVBoxLayout(necesidades);
    disposicionNecesidades->addLayout(calculo);
    disposicionNecesidades->addWidget(m_grdCargas);
    m_pestanas->addTab(necesidades, QStringLiteral("NECESIDADES"));
    m_pestanas->addTab(m_faltas, QStringLiteral("OTROS"));

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *cabecera = new QHBoxLayout;
    cabecera->addWidget(m_lblCategoria, 1);
    cabecera->addWidget(btnHojaSemanas);
    cabecera->addWidget(btnHojaFranjas);
    cabecera->addWidget(btnVolver);
    auto *pacientes = new QVBoxLayout;
    pacientes->addWidget(Componente<QLabel>(this, "lblPacientes", QStringLiteral("PACIENTES")));
    pacientes->addWidget(m_chkTodos);
    pacientes->addWidget(m_grdPacientes, 2);
    pacientes->addWidget(
            Componente<QLabel>(this, "lblCargasSinEntregar", QStringLiteral("CARGAS PENDIENTES DE ENTREGA")));
    pacientes->addWidget(m_cargasSinEntregar->Rejilla(), 1);
    auto *cuerpo = new QHBoxLayout;
    cuerpo->addLayout(pacientes, 1);
    cuerpo->addWidget(m_pestanas, 2);
    auto *disposicion = new QVBoxLayout(marco->Contenido());
    disposicion->addLayout(cabecera);
    disposicion->addLayout(cuerpo, 1);

    connect(m_chkTodos, &QCheckBox::clicked, m_grdPacientes, &TRejillaPacientesNecesidad::MarcarTodos);
    connect(btnCalcular, &QPushButton::clicked, this, &TFormCategoriaPacientes::btnCalcularClick);
    connect(m_edtSemanas, &QLineEdit::returnPressed, this, &TFormCategoriaPacientes::btnCalcularClick);
    connect(btnCargas, &QPushButton::clicked, this, &TFormCategoriaPacientes::btnCargasClick);
    connect(btnFaltas, &QPushButton::clicked, this, &TFormCategoriaPacientes::btnFaltasClick);
    connect(btnHojaSemanas, &QPushButton::clicked, this, &TFormCategoriaPacientes::btnHojaSemanasClick);
    connect(btnHojaFranjas, &QPushButton::clicked, this, &TFormCategoriaPacientes::btnHojaFranjasClick);
    connect(btnVolver, &QPushButton::clicked, this, &TFormCategoriaPacientes::volver);
    connect(m_faltas, &TPanelFaltas::repartido, this, &TFormCategoriaPacientes::btnCalcularClick);
}

void TFormCategoriaPacientes::AlMostrar()
{
    m_resultado = {};
    MostrarCargasPlanificadas();
    m_faltas->Mostrar(m_resultado, true);
    m_edtSemanas->setText(QStringLiteral("1"));
    m_chkTodos->setChecked(false);
    m_pestanas->setCurrentIndex(0);
    const int codigo = DM().Categoria ? DM().Categoria->Codigo : 0;
    ManejadorErrores::Proteger([&] {
        m_lblCategoria->setText(DM().TextoCategoria(codigo));
        m_grdPacientes->Llenar(PacientesNecesidad(DM(), {false, codigo}));
        MostrarCargasSinEntregar(codigo);
    });
}

void TFormCategoriaPacientes::MostrarCargasSinEntregar(int codCategoria)
{
    const std::optional<QDate> inicio = UltimaCargaSinEntregar(DM(), codCategoria);
    m_filtroCargas = inicio ? FiltroFechaInicio::Dia(*inicio) : FiltroFechaInicio::Ninguno();
    TFiltroCargas filtro;
    filtro.FechaInicio = m_filtroCargas;
    filtro.Situacion = TSituacionCargas::Preparados;
    filtro.Categoria = codCategoria;
    m_cargasSinEntregar->Mostrar(ConsultarCargas(DM(), filtro));
}

void TFormCategoriaPacientes::btnCalcularClick()
{
    const std::optional<int> semanas = LeerSemanas(m_edtSemanas->text());
    if (!semanas) {
        MostrarError(ErrorSemanas());
        m_edtSemanas->setFocus();
        m_edtSemanas->selectAll();
        return;
    }
    m_resultado = CalcularConAvance(this, *semanas, m_grdPacientes->Pacientes(), true);
    MostrarCargasPlanificadas();
    m_faltas->Mostrar(m_resultado, true);
}

void TFormCategoriaPacientes::MostrarCargasPlanificadas()
{
    m_grdCargas->setRowCount(static_cast<int>(m_resultado.Cargas.size()));
    for (int fila = 0; fila < m_resultado.Cargas.size(); ++fila) {
        const TFilaNecesidad &carga = m_resultado.Cargas[fila];
        const QStringList textos {carga.RefPaciente + QLatin1Char(' ') + carga.Nombre,
                                  QLocale().toString(carga.Fecini, QLocale::ShortFormat),
                                  carga.Medicamento,
                                  QString::number(carga.Porciones),
                                  TextoCantidad(carga.CantNeed),
                                  TextoCantidad(carga.Faltan)};
        const bool falta = carga.Faltan > 0;
        for (int columna = 0; columna < textos.size(); ++columna) {
            auto *celda = new QTableWidgetItem(textos[columna]);
            if (falta)
                celda->setForeground(kFaltaStock);
            m_grdCargas->setItem(fila, columna, celda);
        }
    }
}

void TFormCategoriaPacientes::btnCargasClick()
{
    if (!m_resultado.Cargas.isEmpty())
        TFormPreview::Mostrar(InformeCargasPlanificadas(m_resultado.Cargas, MembreteFarmacia(Preferencias()),
                                                        Clock::today()));
}

void TFormCategoriaPacientes::btnFaltasClick()
{
    if (!m_resultado.Pedido.isEmpty())
        TFormPreview::Mostrar(InformeNecesidadMedicamentos(m_resultado.Pedido,
                                                           MembreteFarmacia(Preferencias()), Clock::today()));
}

void TFormCategoriaPacientes::btnHojaSemanasClick()
{
    ImprimirHoja(TFormatoHoja::Semanas);
}

void TFormCategoriaPacientes::btnHojaFranjasClick()
{
    ImprimirHoja(TFormatoHoja::Franjas);
}

// The chart of the patients ticked, in the order shown; nothing when none is ticked.
void TFormCategoriaPacientes::ImprimirHoja(TFormatoHoja formato)
{
    const QList<qint64> pacientes = m_grdPacientes->Seleccionados();
    if (!pacientes.isEmpty())
        ImprimirHojaAdministracion(pacientes, std::nullopt, formato);
}
