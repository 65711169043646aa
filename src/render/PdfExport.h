#pragma once

#include "core/reports/ReportIoResult.h"
#include "render/LaidOutReport.h"

// The report as a PDF document, written whole or not at all (the old file stays on failure).
class PdfExport
{
public:
    static ReportIoResult write(const TLaidOutReport &report, const QString &path);
};
