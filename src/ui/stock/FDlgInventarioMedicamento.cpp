#include "ui/stock/FDlgInventarioMedicamento.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/stock/TAltaStock.h"
#include "ui/stock/TGridStock.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TDlgInventarioMedicamento::TDlgInventarioMedicamento(qint64 idPaciente, qint64 idMedicamento, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_idPaciente(idPaciente)
    , m_idMedicamento(idMedicamento)
    , m_grdStock(new TGridStock(this))
{
    setObjectName(QStringLiteral("DlgInventarioMedicamento"));
    TextosDeCodigo(*this); // its title by its message key
    setWindowTitle(Traducir(QStringLiteral("CAPTION_MODIFICAR_INVENTARIO_MEDICAMENTO"),
                            QStringLiteral("MODIFICAR INVENTARIO MEDICAMENTO")));
    DM().PacienteActivoPorId(QString::number(idPaciente));

    auto *btnNuevo = Componente<QPushButton>(this, "btnNuevo", QStringLiteral("NUEVO"));
    auto *btnModificar = Componente<QPushButton>(this, "btnModificar", QStringLiteral("MODIFICAR"));
    auto *btnBorrar = Componente<QPushButton>(this, "btnBorrar", QStringLiteral("BORRAR"));
    auto *btnAceptar = Componente<QPushButton>(this, "btnAceptar", QStringLiteral("ACEPTAR"));
    auto *botones = new QHBoxLayout;
    for (QPushButton *boton : {btnNuevo, btnModificar, btnBorrar, btnAceptar}) {
        boton->setAutoDefault(false); // Enter means "ACEPTAR" wherever the focus is
        botones->addWidget(boton);
    }
    btnAceptar->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grdStock);
    layout->addLayout(botones);

    connect(btnNuevo, &QPushButton::clicked, this, &TDlgInventarioMedicamento::btnNuevoClick);
    connect(btnModificar, &QPushButton::clicked, this, &TDlgInventarioMedicamento::btnModificarClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TDlgInventarioMedicamento::btnBorrarClick);
    connect(btnAceptar, &QPushButton::clicked, this, &QDialog::accept);
    Refrescar();
}

void TDlgInventarioMedicamento::Refrescar()
{
    m_grdStock->Cargar(m_idPaciente, m_idMedicamento);
}

void TDlgInventarioMedicamento::btnNuevoClick()
{
    const std::optional<TStockAnadido> anadido = TAltaStock(m_idPaciente, this).Ejecutar(m_idMedicamento);
    if (!anadido)
        return;
    Refrescar();
    m_grdStock->Seleccionar(anadido->idInventario);
}

void TDlgInventarioMedicamento::btnModificarClick()
{
    m_grdStock->ModificarSeleccionada();
    Refrescar();
}

void TDlgInventarioMedicamento::btnBorrarClick()
{
    m_grdStock->BorrarSeleccionada();
    Refrescar();
}
