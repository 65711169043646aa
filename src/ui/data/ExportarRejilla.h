#pragma once

#include "core/reports/ReportIoResult.h"

#include <QList>
#include <QStringList>

class QTableView;

// A grid as the user sees it: the visible columns in the order shown (their model columns and
// titles) and the visible rows in the order shown, each cell's text as the grid draws it (dates
// and numbers in the locale's form).
struct TRejillaVisible
{
    QList<int> columnas;
    QStringList titulos;
    QList<QStringList> filas;
};

TRejillaVisible LeerRejillaVisible(const QTableView &rejilla);

// Writes the grid as shown to a spreadsheet (.xlsx) at `ruta`: one worksheet named `hoja`, the
// column titles on its first row, then the rows, every cell the text shown. The file is replaced
// only by a complete workbook; a failure leaves the old file, or none, and says why. The grid
// itself (its current row, selection and order) is not touched.
ReportIoResult ExportarRejilla(const QTableView &rejilla, const QString &ruta, const QString &hoja);
