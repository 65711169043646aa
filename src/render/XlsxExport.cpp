#include "render/XlsxExport.h"

#include "core/reports/ReportTextRows.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr double kWidestColumn = 60.0;

// Writes the rows into a new workbook at `path`; the error text, empty when it worked.
QString writeWorkbook(const TReportDocument &document, const QString &path)
{
    lxw_workbook *workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook)
        return QStringLiteral("libxlsxwriter");
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);

    QList<double> widths;
    lxw_row_t row = 0;
    for (const ReportTextRow &textRow : ReportTextRows::build(document)) {
        lxw_col_t column = 0;
        for (const ReportTextCell &cell : textRow.cells) {
            worksheet_write_string(sheet, row, column, cell.text.toUtf8().constData(),
                                   cell.bold ? bold : nullptr);
            if (widths.size() <= column)
                widths.resize(column + 1, 8.0);
            widths[column] = qMin(kWidestColumn, qMax(widths[column], double(cell.text.size()) + 1.0));
            ++column;
        }
        ++row;
    }
    for (qsizetype column = 0; column < widths.size(); ++column)
        worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column), widths.at(column), nullptr);

    const lxw_error closed = workbook_close(workbook);
    return closed == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(closed));
}

} // namespace

ReportIoResult XlsxExport::write(const TLaidOutReport &report, const QString &path)
{
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!temporary.open())
        return ReportIoResult::cannotWrite(path, temporary.errorString());
    temporary.close();

    const QString error = writeWorkbook(report.document, temporary.fileName());
    if (!error.isEmpty())
        return ReportIoResult::cannotWrite(path, error);
    // rename() replaces the target in one step: readers see the old workbook or the new one.
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        return ReportIoResult::cannotWrite(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    temporary.setAutoRemove(false);
    return ReportIoResult::success();
}
