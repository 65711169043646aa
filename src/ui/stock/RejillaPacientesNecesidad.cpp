#include "ui/stock/RejillaPacientesNecesidad.h"

#include "ui/reports/ListadoRejilla.h"

#include <QHeaderView>

namespace {

enum Columna { kReferencia, kDNI, kNombre, kElegido, kColumnas };

} // namespace

TRejillaPacientesNecesidad::TRejillaPacientesNecesidad(QWidget *parent)
    : QTableWidget(parent)
    , m_listado(new TListadoRejilla(*this, Qt::AscendingOrder))
{
    setColumnCount(kColumnas);
    setHorizontalHeaderLabels(
            {QStringLiteral("ID"), QStringLiteral("DNI"), QStringLiteral("NOMBRE"), QString()});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(kNombre, QHeaderView::Stretch);
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int fila, int) { Alternar(fila); });
}

void TRejillaPacientesNecesidad::Llenar(const QList<TPacienteNecesidad> &pacientes)
{
    m_pacientes = pacientes;
    setRowCount(static_cast<int>(pacientes.size()));
    for (int fila = 0; fila < pacientes.size(); ++fila) {
        const TPacienteNecesidad &paciente = pacientes[fila];
        auto *referencia = new QTableWidgetItem(paciente.refPaciente);
        referencia->setData(Qt::UserRole, fila); // the patient of the row, whatever the order shown
        setItem(fila, kReferencia, referencia);
        setItem(fila, kDNI, new QTableWidgetItem(paciente.DNI));
        setItem(fila, kNombre, new QTableWidgetItem(paciente.Nombre));
        auto *elegido = new QTableWidgetItem;
        elegido->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        elegido->setCheckState(paciente.Selected ? Qt::Checked : Qt::Unchecked);
        setItem(fila, kElegido, elegido);
    }
    m_listado->Reordenar();
}

QList<TPacienteNecesidad> TRejillaPacientesNecesidad::Pacientes() const
{
    QList<TPacienteNecesidad> pacientes;
    for (int fila = 0; fila < rowCount(); ++fila) {
        TPacienteNecesidad paciente = m_pacientes[item(fila, kReferencia)->data(Qt::UserRole).toInt()];
        paciente.Selected = item(fila, kElegido)->checkState() == Qt::Checked;
        pacientes << paciente;
    }
    return pacientes;
}

QList<qint64> TRejillaPacientesNecesidad::Seleccionados() const
{
    QList<qint64> ids;
    for (const TPacienteNecesidad &paciente : Pacientes()) {
        if (paciente.Selected)
            ids << paciente.IdPaciente;
    }
    return ids;
}

void TRejillaPacientesNecesidad::MarcarTodos(bool marcados)
{
    for (int fila = 0; fila < rowCount(); ++fila)
        item(fila, kElegido)->setCheckState(marcados ? Qt::Checked : Qt::Unchecked);
}

void TRejillaPacientesNecesidad::Alternar(int fila)
{
    QTableWidgetItem *elegido = item(fila, kElegido);
    elegido->setCheckState(elegido->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}
