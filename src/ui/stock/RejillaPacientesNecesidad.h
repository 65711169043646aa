#pragma once

#include "core/stock/Necesidades.h"

#include <QTableWidget>

class TListadoRejilla;

// The patients to compute the needs for: reference, identity number and name, each with the
// box that chooses it. A double click on a row changes its box.
class TRejillaPacientesNecesidad : public QTableWidget
{
    Q_OBJECT

public:
    explicit TRejillaPacientesNecesidad(QWidget *parent = nullptr);

    void Llenar(const QList<TPacienteNecesidad> &pacientes);
    // The patients in the order shown, each with its box.
    QList<TPacienteNecesidad> Pacientes() const;
    // The chosen patients' identifiers, in the order shown.
    QList<qint64> Seleccionados() const;
    void MarcarTodos(bool marcados);

private:
    void Alternar(int fila);

    QList<TPacienteNecesidad> m_pacientes;
    TListadoRejilla *m_listado;
};
