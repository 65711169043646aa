#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

class TGridStock;

// "MODIFICAR INVENTARIO MEDICAMENTO": the stock rows of one medication of a patient, opened by
// the loading screens when stock is short. It makes the patient the active one. "NUEVO" enters a
// box, "MODIFICAR" corrects a row's quantity, "BORRAR" removes a row; each change keeps the
// treatment line's summary and writes its audit row. "ACEPTAR" (Enter) closes it accepted: the
// caller then rebuilds its load.
class TDlgInventarioMedicamento : public TKelvoDlgForm
{
    Q_OBJECT

public:
    TDlgInventarioMedicamento(qint64 idPaciente, qint64 idMedicamento, QWidget *parent = nullptr);

    void btnNuevoClick();
    void btnModificarClick();
    void btnBorrarClick();

private:
    void Refrescar();

    qint64 m_idPaciente;
    qint64 m_idMedicamento;
    TGridStock *m_grdStock;
};
