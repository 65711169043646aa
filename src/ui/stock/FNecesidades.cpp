#include "ui/stock/FNecesidades.h"

#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/InformesNecesidades.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMenuAdministracion.h"
#include "ui/stock/CalculoConAvance.h"
#include "ui/stock/PanelFaltas.h"
#include "ui/stock/RejillaPacientesNecesidad.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormNecesidades::TFormNecesidades(QWidget *parent)
    : TKelvoForm(parent)
    , m_cmbCategoria(Componente<QComboBox>(this, "cmbCategoria"))
    , m_chkTodos(Componente<QCheckBox>(this, "chkTodos", QStringLiteral("TODOS")))
    , m_grdPacientes(Componente<TRejillaPacientesNecesidad>(this, "grdPacientes"))
    , m_edtSemanas(Componente<QLineEdit>(this, "edtSemanas", QStringLiteral("1")))
    , m_btnCargas(Componente<QPushButton>(this, "btnCargas", QStringLiteral("CARGAS")))
    , m_btnFaltas(Componente<QPushButton>(this, "btnFaltas", QStringLiteral("FALTAS")))
    , m_btnNecesarios(Componente<QPushButton>(this, "btnNecesarios", QStringLiteral("NECESARIOS")))
    , m_btnImprimir(Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR")))
    , m_faltas(new TPanelFaltas(this))
{
    setObjectName(QStringLiteral("FormNecesidades"));
    TextosDeCodigo(*m_cmbCategoria); // the pharmacy's categories
    setWindowTitle(QStringLiteral("NECESIDADES"));
    auto *btnCalcular = Componente<QPushButton>(this, "btnCalcular", QStringLiteral("CALCULAR"));
    // The listings of chosen patients (charts, treatment sheets) live beside the needs.
    auto *btnListados = Componente<QPushButton>(this, "btnListados", QStringLiteral("LISTADOS"));

    auto *categoria = new QHBoxLayout;
    categoria->addWidget(Componente<QLabel>(this, "lblCategoria", QStringLiteral("CATEGORIA")));
    categoria->addWidget(m_cmbCategoria, 1);
    auto *calculo = new QHBoxLayout;
    calculo->addWidget(Componente<QLabel>(this, "lblSemanas", QStringLiteral("Semanas")));
    calculo->addWidget(m_edtSemanas);
    calculo->addWidget(btnCalcular);
    auto *impresion = new QHBoxLayout;
    for (QPushButton *boton : {m_btnCargas, m_btnFaltas, m_btnNecesarios, m_btnImprimir})
        impresion->addWidget(boton);
    auto *pacientes = new QVBoxLayout;
    pacientes->addWidget(btnListados);
    pacientes->addLayout(categoria);
    pacientes->addWidget(Componente<QLabel>(this, "lblPacientes", QStringLiteral("PACIENTES")));
    pacientes->addWidget(m_chkTodos);
    pacientes->addWidget(m_grdPacientes, 1);
    pacientes->addLayout(calculo);
    pacientes->addLayout(impresion);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new TMenuAdministracion(this));
    layout->addLayout(pacientes, 1);
    layout->addWidget(m_faltas, 1);

    MostrarBotonesImpresion();
    connect(m_cmbCategoria, &QComboBox::currentIndexChanged, this, &TFormNecesidades::cmbCategoriaChange);
    connect(m_chkTodos, &QCheckBox::clicked, m_grdPacientes, &TRejillaPacientesNecesidad::MarcarTodos);
    connect(btnCalcular, &QPushButton::clicked, this, &TFormNecesidades::btnCalcularClick);
    connect(btnListados, &QPushButton::clicked, this, [] { AbrirDestino(TDestino::Listados); });
    connect(m_edtSemanas, &QLineEdit::returnPressed, this, &TFormNecesidades::btnCalcularClick);
    connect(m_btnCargas, &QPushButton::clicked, this, &TFormNecesidades::btnCargasClick);
    connect(m_btnFaltas, &QPushButton::clicked, this, &TFormNecesidades::btnFaltasClick);
    connect(m_btnNecesarios, &QPushButton::clicked, this, &TFormNecesidades::btnNecesariosClick);
    connect(m_btnImprimir, &QPushButton::clicked, this, &TFormNecesidades::btnImprimirClick);
    connect(m_faltas, &TPanelFaltas::repartido, this, &TFormNecesidades::btnCalcularClick);
}

// The categories are read again each time the screen is shown: another screen may have
// changed them. The choice is kept while it exists.
void TFormNecesidades::showEvent(QShowEvent *event)
{
    const QVariant elegida = m_cmbCategoria->currentData();
    {
        const QSignalBlocker sinAvisos(m_cmbCategoria);
        m_cmbCategoria->clear();
        ManejadorErrores::Proteger([this] {
            for (const TCodigos &categoria : DM().ListaCategoriasConVacia())
                m_cmbCategoria->addItem(categoria.Descripcion, categoria.Codigo);
        });
        const int indice = m_cmbCategoria->findData(elegida);
        m_cmbCategoria->setCurrentIndex(indice >= 0 ? indice : 0);
    }
    if (m_grdPacientes->rowCount() == 0 || m_cmbCategoria->currentData() != elegida)
        cmbCategoriaChange();
    TKelvoForm::showEvent(event);
}

void TFormNecesidades::cmbCategoriaChange()
{
    m_chkTodos->setChecked(false);
    const TFiltroPacientesNecesidad filtro {false, m_cmbCategoria->currentData().toInt()};
    ManejadorErrores::Proteger([&] { m_grdPacientes->Llenar(PacientesNecesidad(DM(), filtro)); });
}

void TFormNecesidades::btnCalcularClick()
{
    const std::optional<int> semanas = LeerSemanas(m_edtSemanas->text());
    if (!semanas) {
        MostrarError(ErrorSemanas());
        m_edtSemanas->setFocus();
        m_edtSemanas->selectAll();
        return;
    }
    m_conStock = Preferencias().PaisConStock();
    m_resultado = CalcularConAvance(this, *semanas, m_grdPacientes->Pacientes(), m_conStock);
    m_faltas->Mostrar(m_resultado, m_conStock);
    MostrarBotonesImpresion();
}

void TFormNecesidades::MostrarBotonesImpresion()
{
    m_btnCargas->setVisible(!m_resultado.Cargas.isEmpty());
    m_btnFaltas->setVisible(m_conStock && !m_resultado.Pedido.isEmpty());
    m_btnNecesarios->setVisible(Lenguaje().ModoDesarrollo() && !m_resultado.Necesarios.isEmpty());
    m_btnImprimir->setVisible(!m_resultado.Medicamentos.isEmpty());
}

void TFormNecesidades::btnCargasClick()
{
    TFormPreview::Mostrar(
            InformeCargasPlanificadas(m_resultado.Cargas, MembreteFarmacia(Preferencias()), Clock::today()));
}

void TFormNecesidades::btnFaltasClick()
{
    TFormPreview::Mostrar(InformeNecesidadMedicamentos(m_resultado.Pedido, MembreteFarmacia(Preferencias()),
                                                       Clock::today()));
}

void TFormNecesidades::btnNecesariosClick()
{
    TFormPreview::Mostrar(InformeMedicamentosNecesarios(m_resultado.Necesarios,
                                                        MembreteFarmacia(Preferencias()), Clock::today()));
}

void TFormNecesidades::btnImprimirClick()
{
    TFormPreview::Mostrar(InformeMedicamentosPendientes(m_resultado.Medicamentos, m_conStock,
                                                        MembreteFarmacia(Preferencias()), Clock::today()));
}
