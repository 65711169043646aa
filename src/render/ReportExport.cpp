#include "render/ReportExport.h"

#include "core/reports/ReportFile.h"
#include "render/PdfExport.h"
#include "render/RtfExport.h"
#include "render/TextExport.h"
#include "render/XlsxExport.h"

ReportIoResult ReportExport::write(const TLaidOutReport &report, ReportFormat format, const QString &path)
{
    switch (format) {
    case ReportFormat::Pdf:
        return PdfExport::write(report, path);
    case ReportFormat::Spreadsheet:
        return XlsxExport::write(report, path);
    case ReportFormat::RichText:
        return RtfExport::write(report, path);
    case ReportFormat::PlainText:
        return TextExport::write(report, path);
    case ReportFormat::SavedReport:
        return TReportFile::save(report.document, path);
    }
    return ReportIoResult::cannotWrite(path, QString());
}

QString ReportExport::extension(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Pdf:
        return QStringLiteral("pdf");
    case ReportFormat::Spreadsheet:
        return QStringLiteral("xlsx");
    case ReportFormat::RichText:
        return QStringLiteral("rtf");
    case ReportFormat::PlainText:
        return QStringLiteral("txt");
    case ReportFormat::SavedReport:
        return QStringLiteral("qrp");
    }
    return {};
}
