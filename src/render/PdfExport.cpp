#include "render/PdfExport.h"

#include "render/ReportPainter.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr int kPdfResolution = 600;

} // namespace

ReportIoResult PdfExport::write(const TLaidOutReport &report, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return ReportIoResult::cannotWrite(path, file.errorString());
    bool printed = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(report.title());
        writer.setCreator(QStringLiteral("Pastillero"));
        printed = ReportPainter::print(report, writer);
    }
    if (!printed)
        return ReportIoResult::cannotWrite(path, QString()); // the new file is discarded
    return commitWhole(file);
}
