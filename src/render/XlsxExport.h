#pragma once

#include "core/reports/ReportIoResult.h"
#include "render/LaidOutReport.h"

#include <QStringList>

// Spreadsheets (.xlsx, written by libxlsxwriter), from a laid-out report or from a table of texts.
// libxlsxwriter writes to a path, so the workbook is written beside the target and renamed over it only when
// complete: a failure (a folder that cannot be written, a full disk) leaves the old file, or none.
class XlsxExport
{
public:
    // The report: one worksheet row per row of the report, one column per place where texts
    // start on the page, bold where the report is bold. The worksheet is named `sheetName` when
    // given (at most 31 characters, none of []:*?/\).
    static ReportIoResult write(const TLaidOutReport &report, const QString &path,
                                const QString &sheetName = {});
    // A table: the headings in bold on the first row, then one row per entry of `rows`, every
    // cell the text given.
    static ReportIoResult writeTable(const QStringList &headings, const QList<QStringList> &rows,
                                     const QString &path, const QString &sheetName = {});
};
