#include "render/XlsxExport.h"

#include "core/reports/ReportTextRows.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr double kWidestColumn = 60.0;

// The worksheet column of each text: texts that start at the same place on the page share a
// column (within a couple of millimetres, so that a title at the margin and the first column's
// padded cells do too), and an empty cell never shifts the cells after it.
class ColumnsByPosition
{
public:
    explicit ColumnsByPosition(const QList<ReportTextRow> &rows)
    {
        QList<double> positions;
        for (const ReportTextRow &row : rows) {
            for (const ReportTextCell &cell : row.cells)
                positions.append(cell.x);
        }
        std::sort(positions.begin(), positions.end());
        for (const double x : positions) {
            if (m_starts.isEmpty() || x > m_starts.last() + kSamePlaceMm)
                m_starts.append(x);
        }
    }

    lxw_col_t column(double x) const
    {
        const auto after = std::upper_bound(m_starts.cbegin(), m_starts.cend(), x);
        return lxw_col_t(qMax<qsizetype>(0, after - m_starts.cbegin() - 1));
    }
    qsizetype count() const { return m_starts.size(); }

private:
    static constexpr double kSamePlaceMm = 2.0;
    QList<double> m_starts;
};

// Writes the rows into a new workbook at `path`; the error text, empty when it worked.
QString writeWorkbook(const TReportDocument &document, const QString &path, const QString &sheetName)
{
    lxw_workbook *workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook)
        return QStringLiteral("libxlsxwriter");
    const QByteArray name = sheetName.toUtf8();
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, name.isEmpty() ? nullptr : name.constData());
    if (!sheet) {
        workbook_close(workbook);
        return QStringLiteral("libxlsxwriter: ") + sheetName;
    }
    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);

    const QList<ReportTextRow> rows = ReportTextRows::build(document);
    const ColumnsByPosition columns(rows);
    QList<double> widths(columns.count(), 8.0);
    for (qsizetype row = 0; row < rows.size(); ++row) {
        for (const ReportTextCell &cell : rows.at(row).cells) {
            const lxw_col_t column = columns.column(cell.x);
            worksheet_write_string(sheet, lxw_row_t(row), column, cell.text.toUtf8().constData(),
                                   cell.bold ? bold : nullptr);
            widths[column] = qMin(kWidestColumn, qMax(widths[column], double(cell.text.size()) + 1.0));
        }
    }
    for (qsizetype column = 0; column < widths.size(); ++column)
        worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column), widths.at(column), nullptr);

    const lxw_error closed = workbook_close(workbook);
    return closed == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(closed));
}

} // namespace

ReportIoResult XlsxExport::write(const TLaidOutReport &report, const QString &path, const QString &sheetName)
{
    const QFileInfo target(path);
    QTemporaryFile temporary(
            target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!temporary.open())
        return ReportIoResult::cannotWrite(path, temporary.errorString());
    temporary.close();

    const QString error = writeWorkbook(report.document, temporary.fileName(), sheetName);
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
