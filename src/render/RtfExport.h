#pragma once

#include "core/reports/ReportIoResult.h"
#include "render/LaidOutReport.h"

// The report as rich text (RTF) that word processors open: one paragraph per row, each text
// at a tab stop where it stands on the page, bold where the report is bold, on the report's
// paper size. Every character beyond ASCII is written as a Unicode escape.
class RtfExport
{
public:
    static QByteArray rtf(const TReportDocument &document);
    static ReportIoResult write(const TLaidOutReport &report, const QString &path);

    static QByteArray escaped(const QString &text);
};
