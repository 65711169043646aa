#pragma once

#include "core/stock/CalculoNecesidades.h"

#include <QWidget>

class QLabel;
class QTableWidget;
class TListadoRejilla;
class TPanelReparto;

// What the needs screens show of a calculation's missing medications: "MEDICAMENTOS QUE
// FALTAN"; with stock, clicking one lists "A LOS PACIENTES" that miss it and readies the
// distribution panel for its boxes.
class TPanelFaltas : public QWidget
{
    Q_OBJECT

public:
    explicit TPanelFaltas(QWidget *parent = nullptr);

    // Shows the result; without stock the patients and the distribution panel are hidden.
    void Mostrar(const TResultadoNecesidades &resultado, bool conStock);
    // Shows the medication of a row of "MEDICAMENTOS QUE FALTAN" with the patients missing it.
    void SeleccionarMedicamento(int fila);

    QTableWidget *Medicamentos() const { return m_grdMedicamentos; }
    QTableWidget *PacientesMedicamento() const { return m_grdPacientes; }
    TPanelReparto *Reparto() const { return m_reparto; }

signals:
    // Boxes were handed out: the screen computes again.
    void repartido();

private:
    // The patients missing the medication shown, in the order the grid shows them.
    QList<TPacienteMedicamento> PacientesEnOrden() const;

    QTableWidget *m_grdMedicamentos;
    TListadoRejilla *m_listadoMedicamentos;
    QTableWidget *m_grdPacientes;
    TListadoRejilla *m_listadoPacientes;
    QLabel *m_lblPacientes;
    TPanelReparto *m_reparto;
    TResultadoNecesidades m_resultado;
    bool m_conStock = true;
    QList<TPacienteMedicamento> m_pacientes;
};

// A quantity of pills as the grids and lists show it, two decimals in the locale's form.
QString TextoCantidad(double cantidad);
