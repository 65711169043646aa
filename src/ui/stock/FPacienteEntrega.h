#pragma once

#include "core/loading/PacienteCarga.h"
#include "core/stock/PendientesReceta.h"
#include "ui/shell/TPantalla.h"
#include "ui/stock/EntregaBlister.h"
#include "ui/stock/RejillaCargas.h"

class QGroupBox;
class QLabel;
class TCabeceraPaciente;
class QLineEdit;
class QTableWidget;

// "ENTREGA BLISTER" of the active patient: the patient's loads waiting to be collected, delivered
// by the code read from the blister's label, by the selected row or all at once, each delivery
// with its audit row; and, where stock is kept, the medications whose stock will not cover the
// next load, which can be printed for the prescriptions to be asked for in time.
class TFormPacienteEntrega : public TPantalla
{
    Q_OBJECT

public:
    enum ColumnaReceta { kColMedicamento, kColCarga, kColFalta, kColEstado, kColumnasReceta };

    explicit TFormPacienteEntrega(QWidget *parent = nullptr);

    TEntregaBlister &Entrega() { return m_entrega; }

    // "ENTREGAR": the load the code field names, else the selected load; nothing when neither.
    void btnEntregarClick();
    void btnEntregarTodosClick();
    void btnImprimirClick();

signals:
    // "VOLVER": back to the patient's screen, named by the patient's reference.
    void volver(const QString &refPaciente);

protected:
    void AlMostrar() override;

private:
    void EntregarCodigo();
    void Refrescar();
    void MostrarRecetas();

    TEntregaBlister m_entrega;
    TPacienteCarga m_paciente;
    QList<TPendienteReceta> m_recetas;
    TCabeceraPaciente *m_cabecera;
    TRejillaCargas m_cargas;
    QLineEdit *m_edtCodigo;
    QGroupBox *m_grpRecetas;
    QTableWidget *m_grdRecetas;
};
