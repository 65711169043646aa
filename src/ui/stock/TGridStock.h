#pragma once

#include "core/stock/StockPaciente.h"

#include <QTableWidget>

class TListadoRejilla;

// A grid of a patient's stock rows ("CODIGO", "MEDICAMENTO", "LOTE", "CADUCIDAD", "CANTIDAD"),
// sorted by a click on a column title, with the two changes made on a selected row: its
// quantity and its removal.
class TGridStock : public QTableWidget
{
    Q_OBJECT

public:
    explicit TGridStock(QWidget *parent = nullptr);

    // Re-reads the patient's rows (of one medication when given) and keeps the selected row
    // when it is still there.
    void Cargar(qint64 idPaciente, std::optional<qint64> idMedicamento = {});
    // The selected row; nothing when none is selected.
    std::optional<TFilaStockPaciente> FilaSeleccionada() const;
    void Seleccionar(qint64 idInventario);

    // "MODIFICAR": asks the new quantity of the selected row and stores it with the line's
    // summary. True when a quantity was stored.
    bool ModificarSeleccionada();
    // "BORRAR": asks for confirmation and removes the selected row, recomputing the line's
    // summary. True when the row was removed.
    bool BorrarSeleccionada();

private:
    // The stock row shown on a grid row.
    qint64 IdInventario(int fila) const;

    QList<TFilaStockPaciente> m_filas;
    TListadoRejilla *m_listado;
};
