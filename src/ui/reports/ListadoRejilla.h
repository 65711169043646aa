#pragma once

#include "core/reports/ReportDocument.h"

#include <QObject>

class QTableView;

// What every list screen offers over its grid: a click on a column title sorts the rows by it,
// and the rows as the grid shows them (visible columns in the order shown, rows in the order
// sorted, texts as displayed) can be printed through the preview or written to a spreadsheet.
//
// A table widget's rows are ordered by the meaning of their texts (numbers and dates by value);
// any other grid's model sorts (model()->sort), so a query model needs a sort proxy in front of
// it. The grid's own sorting is switched off so that only this order applies.
class TListadoRejilla : public QObject
{
    Q_OBJECT

public:
    // A click sorts by the column in `primerOrden`, unless the rows are already in that order by
    // that column: then in the other.
    TListadoRejilla(QTableView &rejilla, Qt::SortOrder primerOrden);

    int ColumnaOrdenada() const { return m_columna; } // -1 while unsorted
    Qt::SortOrder Orden() const { return m_orden; }

    // Sorts again by the current column; for grids whose rows were replaced.
    void Reordenar();

    // The rows as a listing; an empty title leaves the title line out.
    TReportDocument Informe(const QString &titulo) const;
    // Shows the listing in the preview; nothing when the grid has no rows.
    void Imprimir(const QString &titulo) const;
    // Writes the grid as shown to an .xlsx file (worksheet "DbGridInformation", ExportarRejilla),
    // replacing the file; a failure is shown. The grid is left as it was.
    bool Exportar(const QString &ruta) const;
    // Asks the file name ("Excel file name") and exports; the file written, or empty.
    QString ExportarConDialogo() const;

private:
    void TituloClick(int columna);

    QTableView &m_rejilla;
    Qt::SortOrder m_primerOrden;
    int m_columna = -1;
    Qt::SortOrder m_orden = Qt::AscendingOrder;
};
