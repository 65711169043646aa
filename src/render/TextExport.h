#pragma once

#include "core/reports/ReportIoResult.h"
#include "render/LaidOutReport.h"

// The report as plain UTF-8 text: one line per row, each text at the column its position on
// the page gives, so that columns stay aligned in a fixed-width font.
class TextExport
{
public:
    static QString text(const TReportDocument &document);
    static ReportIoResult write(const TLaidOutReport &report, const QString &path);

    static constexpr double kMmPerCharacter = 2.0;
};
