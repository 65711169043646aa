#pragma once

#include "core/reports/ReportDocument.h"
#include "core/reports/ReportIoResult.h"

#include <optional>

// The saved-report file: a report stored whole (pictures included) so that the preview can
// open it again later on any workstation. Layout of the file:
//   "PASTILLERO REPORT" and a zero byte, the format version (16 bits), the length of the
//   contents (64 bits), the SHA-256 of the contents (32 bytes), the contents.
// Reading checks every part, so a foreign, truncated, damaged or newer file is refused with a
// clear message instead of being half read.
class TReportFile
{
public:
    static constexpr quint16 kVersion = 2; // 2: texts fitted to their boxes

    static ReportIoResult save(const TReportDocument &document, const QString &path);

    struct Opened
    {
        std::optional<TReportDocument> document;
        QString error;
    };
    static Opened open(const QString &path);

    // The same, on bytes (the file's contents).
    static QByteArray encode(const TReportDocument &document);
    static Opened decode(const QByteArray &bytes);
};
