#include "ui/stock/FDlgInventarioMedicamento.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/stock/AuditoriaStock.h"
#include "ui/stock/TAltaStock.h"
#include "ui/stock/TGridStock.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *Boton(QWidget *padre, const char *nombre, const QString &texto)
{
    auto *boton = new QPushButton(texto, padre);
    boton->setObjectName(QString::fromLatin1(nombre));
    boton->setAutoDefault(false);
    return boton;
}

} // namespace

TDlgInventarioMedicamento::TDlgInventarioMedicamento(qint64 idPaciente, qint64 idMedicamento, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_idPaciente(idPaciente)
    , m_idMedicamento(idMedicamento)
    , m_grdStock(new TGridStock(this))
{
    setObjectName(QStringLiteral("DlgInventarioMedicamento"));
    setWindowTitle(Traducir(QStringLiteral("CAPTION_MODIFICAR_INVENTARIO_MEDICAMENTO"),
                            QStringLiteral("MODIFICAR INVENTARIO MEDICAMENTO")));
    DM().PacienteActivoPorId(QString::number(idPaciente));

    auto *btnNuevo = Boton(this, "btnNuevo", QStringLiteral("NUEVO"));
    auto *btnModificar = Boton(this, "btnModificar", QStringLiteral("MODIFICAR"));
    auto *btnBorrar = Boton(this, "btnBorrar", QStringLiteral("BORRAR"));
    auto *btnAceptar = Boton(this, "btnAceptar", QStringLiteral("ACEPTAR"));
    btnAceptar->setDefault(true);
    auto *botones = new QHBoxLayout;
    for (QPushButton *boton : {btnNuevo, btnModificar, btnBorrar, btnAceptar})
        botones->addWidget(boton);
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
    AuditoriaStock::Alta(windowTitle());
    Refrescar();
    m_grdStock->Seleccionar(anadido->idInventario);
}

void TDlgInventarioMedicamento::btnModificarClick()
{
    if (m_grdStock->ModificarSeleccionada())
        AuditoriaStock::Modificacion(windowTitle());
    Refrescar();
}

void TDlgInventarioMedicamento::btnBorrarClick()
{
    if (m_grdStock->BorrarSeleccionada())
        AuditoriaStock::Baja(windowTitle());
    Refrescar();
}
