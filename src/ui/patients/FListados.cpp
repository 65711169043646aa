#include "ui/patients/FListados.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/Listados.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/ImprimirHojaAdministracion.h"
#include "ui/patients/ImprimirTratamiento.h"
#include "ui/shell/ComboCategorias.h"
#include "ui/shell/FDlgSelectFecha.h"
#include "ui/shell/TMarcoPantalla.h"
#include "ui/shell/TMenuAdministracion.h"
#include "ui/stock/RejillaPacientesNecesidad.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TFormListados::TFormListados(QWidget *parent)
    : TPantalla(parent)
    , m_cmbCategoria(new TComboCategorias(this, true))
    , m_chkTodos(Componente<QCheckBox>(this, "chkTodos", QStringLiteral("TODOS")))
    , m_grdPacientes(Componente<TRejillaPacientesNecesidad>(this, "grdPacientes"))
    , m_cmbListado(Componente<QComboBox>(this, "cmbListado"))
{
    setObjectName(QStringLiteral("FormListados"));
    setWindowTitle(QStringLiteral("LISTADOS"));
    m_cmbCategoria->setObjectName(QStringLiteral("cmbCategoria"));
    m_cmbListado->addItems({QStringLiteral("LISTADO ADMINISTRACION DE MEDICAMENTOS"),
                            QStringLiteral("LISTADO ADMINISTRACION DE MEDICAMENTOS (Por Granjas)"),
                            QStringLiteral("LISTADO TRATAMIENTOS")});
    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));

    auto *categoria = new QHBoxLayout;
    categoria->addWidget(Componente<QLabel>(this, "lblCategoria", QStringLiteral("CATEGORIA")));
    categoria->addWidget(m_cmbCategoria, 1);
    auto *impresion = new QHBoxLayout;
    impresion->addWidget(Componente<QLabel>(this, "lblListado", QStringLiteral("LISTADO")));
    impresion->addWidget(m_cmbListado, 1);
    impresion->addWidget(btnImprimir);
    auto *pacientes = new QVBoxLayout;
    pacientes->addLayout(categoria);
    pacientes->addWidget(Componente<QLabel>(this, "lblPacientes", QStringLiteral("PACIENTES")));
    pacientes->addWidget(m_chkTodos);
    pacientes->addWidget(m_grdPacientes, 1);
    pacientes->addLayout(impresion);

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *disposicion = new QHBoxLayout(marco->Contenido());
    disposicion->addWidget(new TMenuAdministracion(this));
    disposicion->addLayout(pacientes, 1);

    connect(m_cmbCategoria, &QComboBox::currentIndexChanged, this, &TFormListados::cmbCategoriaChange);
    connect(m_chkTodos, &QCheckBox::clicked, this, &TFormListados::chkTodosClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormListados::btnImprimirClick);
}

void TFormListados::AlMostrar()
{
    ManejadorErrores::Proteger([this] {
        const QSignalBlocker sinAvisos(m_cmbCategoria);
        m_cmbCategoria->Llenar();
        m_cmbCategoria->setCurrentIndex(0);
    });
    cmbCategoriaChange();
}

std::optional<int> TFormListados::CategoriaElegida() const
{
    const QVariant codigo = m_cmbCategoria->currentData();
    return codigo.isValid() ? std::optional<int>(codigo.toInt()) : std::nullopt;
}

void TFormListados::cmbCategoriaChange()
{
    m_chkTodos->setChecked(false);
    ManejadorErrores::Proteger(
            [this] { m_grdPacientes->Llenar(PacientesListado(DM(), CategoriaElegida())); });
}

void TFormListados::chkTodosClick(bool marcados)
{
    m_grdPacientes->MarcarTodos(marcados);
    IrAlPrimerPaciente();
}

void TFormListados::btnImprimirClick()
{
    const QList<qint64> pacientes = m_grdPacientes->Seleccionados();
    switch (static_cast<TListado>(m_cmbListado->currentIndex())) {
    case TListado::Administracion:
        ImprimirHoja(pacientes, false);
        break;
    case TListado::AdministracionFranjas:
        ImprimirHoja(pacientes, true);
        break;
    case TListado::Tratamientos:
        ImprimirTratamientosPacientes(pacientes);
        break;
    }
    IrAlPrimerPaciente();
}

// The start date is asked even with no patient ticked; an empty date leaves each patient's
// chart on the patient's next load week.
void TFormListados::ImprimirHoja(const QList<qint64> &pacientes, bool porFranjas)
{
    const std::optional<QDate> fecha = TDlgSelectFecha::Pedir(
            Traducir(QStringLiteral("QST_SELECCIONAR_FECHA"), QStringLiteral("SELECCIONAR FECHA")),
            Traducir(QStringLiteral("QST_AFECHA_INICIO_MARCHAR"), QStringLiteral("FECHA INICIO :")), true,
            this);
    if (!fecha || pacientes.isEmpty())
        return;
    ImprimirHojaAdministracion(pacientes, fecha->isValid() ? fecha : std::nullopt,
                               porFranjas ? TFormatoHoja::Franjas : TFormatoHoja::Semanas);
}

void TFormListados::IrAlPrimerPaciente()
{
    if (m_grdPacientes->rowCount() > 0)
        m_grdPacientes->setCurrentCell(0, 0);
}
