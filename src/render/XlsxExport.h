#pragma once

#include "core/reports/ReportIoResult.h"
#include "render/LaidOutReport.h"

// The report as a spreadsheet (.xlsx, written by libxlsxwriter): one worksheet row per row of
// the report, one column per place where texts start on the page, bold where the report is bold.
// libxlsxwriter writes to a path, so the workbook is written beside the target and renamed over it only when
// complete.
class XlsxExport
{
public:
    // The worksheet is named `sheetName` when given (at most 31 characters, none of []:*?/\).
    static ReportIoResult write(const TLaidOutReport &report, const QString &path,
                                const QString &sheetName = {});
};
