#pragma once

#include "core/reports/ReportIoResult.h"
#include "render/LaidOutReport.h"

// The five formats a report is saved in, in the order the save dialog offers them.
enum class ReportFormat : int {
    Pdf = 0,
    Spreadsheet = 1,
    RichText = 2,
    PlainText = 3,
    SavedReport = 4,
};

class ReportExport
{
public:
    static ReportIoResult write(const TLaidOutReport &report, ReportFormat format, const QString &path);
    // The file extension of the format, without the dot ("pdf", "xlsx", "rtf", "txt", "qrp").
    static QString extension(ReportFormat format);
};
