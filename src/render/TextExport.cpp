#include "render/TextExport.h"

#include "core/reports/ReportTextRows.h"

QString TextExport::text(const TReportDocument &document)
{
    QString result;
    for (const ReportTextRow &row : ReportTextRows::build(document)) {
        QString line;
        for (const ReportTextCell &cell : row.cells) {
            const double start
                    = cell.alignedRight ? cell.x + cell.width - cell.text.size() * kMmPerCharacter : cell.x;
            const qsizetype column = qMax(0, qRound(start / kMmPerCharacter));
            if (line.size() < column)
                line += QString(column - line.size(), QLatin1Char(' '));
            else if (!line.isEmpty())
                line += QLatin1Char(' ');
            line += cell.text;
        }
        result += line + QLatin1Char('\n');
    }
    return result;
}

ReportIoResult TextExport::write(const TLaidOutReport &report, const QString &path)
{
    return writeFileAtomically(path, text(report.document).toUtf8());
}
