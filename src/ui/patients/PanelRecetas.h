#pragma once

#include "core/patients/Recetas.h"

#include <QWidget>

#include <optional>

class QTableWidget;
class TFrameStockPaciente;

// The treatment screen's prescriptions not yet dispensed: the active patient's rows of Receta
// with "INTRODUCIR RECETA", "BORRAR" and "DISPENSAR". Dispensing enters a box through the stock
// panel; the prescription goes only together with the stock row it became.
class TPanelRecetas : public QWidget
{
    Q_OBJECT

public:
    enum Columna { kColFecha, kColCodigo, kColMedicamento, kColumnas };

    // `pantalla`: the screen whose caption heads the audit rows.
    TPanelRecetas(const QWidget &pantalla, TFrameStockPaciente &stock, QWidget *parent = nullptr);

    // Re-reads the active patient's prescriptions.
    void Refrescar();
    std::optional<TFilaReceta> Seleccionada() const;

    void btnIntroducirRecetaClick();
    void btnBorrarRecetaClick();
    void btnDispensarClick();

private:
    const QWidget &m_pantalla;
    TFrameStockPaciente &m_stock;
    QTableWidget *m_grdRecetas;
    QList<TFilaReceta> m_recetas;
};
