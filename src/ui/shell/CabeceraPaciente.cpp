#include "ui/shell/CabeceraPaciente.h"

#include "core/dosing/UPosologia.h"
#include "core/loading/PacienteCarga.h"
#include "ui/i18n/Componente.h"

#include <QHBoxLayout>
#include <QLabel>

TCabeceraPaciente::TCabeceraPaciente(QWidget *parent)
    : QWidget(parent)
    , m_lblReferencia(Componente<QLabel>(this, "lblReferencia"))
    , m_lblNombre(Componente<QLabel>(this, "lblNombre"))
    , m_lblFechaAlta(Componente<QLabel>(this, "lblFechaAlta"))
    , m_lblFechaBaja(Componente<QLabel>(this, "lblFechaBaja"))
{
    auto *fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : std::initializer_list<QWidget *> {
                 Componente<QLabel>(this, "lblPaciente", QStringLiteral("PACIENTE")), m_lblReferencia,
                 m_lblNombre, Componente<QLabel>(this, "lblAlta", QStringLiteral("FECHA ALTA")),
                 m_lblFechaAlta, Componente<QLabel>(this, "lblBaja", QStringLiteral("FECHA BAJA")),
                 m_lblFechaBaja})
        fila->addWidget(widget);
    fila->addStretch();
}

void TCabeceraPaciente::Mostrar(const TPacienteCarga &paciente)
{
    m_lblReferencia->setText(paciente.refPACIENTE);
    m_lblNombre->setText(paciente.NOMBRE);
    m_lblFechaAlta->setText(TextoFecha(paciente.FechaAlta));
    m_lblFechaBaja->setText(TextoFecha(paciente.FechaBaja));
}
