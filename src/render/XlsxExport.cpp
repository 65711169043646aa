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
#include <functional>

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

private:
    static constexpr double kSamePlaceMm = 2.0;
    QList<double> m_starts;
};

// Each column as wide as its longest text, within bounds.
class ColumnWidths
{
public:
    void fit(lxw_col_t column, const QString &text)
    {
        if (column >= m_widths.size())
            m_widths.resize(column + 1, kNarrowestColumn);
        m_widths[column] = qMin(kWidestColumn, qMax(m_widths.at(column), double(text.size()) + 1.0));
    }
    void apply(lxw_worksheet *sheet) const
    {
        for (qsizetype column = 0; column < m_widths.size(); ++column)
            worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column), m_widths.at(column), nullptr);
    }

private:
    static constexpr double kNarrowestColumn = 8.0;
    QList<double> m_widths;
};

// Puts the texts into the worksheet; `bold` is the workbook's bold format.
using FillSheet = std::function<void(lxw_worksheet *sheet, lxw_format *bold)>;

// Writes a new workbook with one worksheet at `path`; the error text, empty when it worked.
QString writeWorkbook(const QString &path, const QString &sheetName, const FillSheet &fill)
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
    fill(sheet, bold);
    const lxw_error closed = workbook_close(workbook);
    return closed == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(closed));
}

// The workbook is written under a temporary name beside the target and renamed over it.
ReportIoResult writeWhole(const QString &path, const QString &sheetName, const FillSheet &fill)
{
    const QFileInfo target(path);
    QTemporaryFile temporary(
            target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!temporary.open())
        return ReportIoResult::cannotWrite(path, temporary.errorString());
    temporary.close();

    const QString error = writeWorkbook(temporary.fileName(), sheetName, fill);
    if (!error.isEmpty())
        return ReportIoResult::cannotWrite(path, error);
    // A temporary file is its owner's alone; the workbook is a document like any other saved.
    QFile::setPermissions(temporary.fileName(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                  | QFileDevice::ReadOther);
    // rename() replaces the target in one step: readers see the old workbook or the new one.
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        return ReportIoResult::cannotWrite(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    temporary.setAutoRemove(false);
    return ReportIoResult::success();
}

void writeRow(lxw_worksheet *sheet, lxw_row_t row, const QStringList &texts, lxw_format *format,
              ColumnWidths &widths)
{
    for (qsizetype column = 0; column < texts.size(); ++column) {
        worksheet_write_string(sheet, row, lxw_col_t(column), texts.at(column).toUtf8().constData(), format);
        widths.fit(lxw_col_t(column), texts.at(column));
    }
}

} // namespace

ReportIoResult XlsxExport::write(const TLaidOutReport &report, const QString &path, const QString &sheetName)
{
    return writeWhole(path, sheetName, [&report](lxw_worksheet *sheet, lxw_format *bold) {
        const QList<ReportTextRow> rows = ReportTextRows::build(report.document);
        const ColumnsByPosition columns(rows);
        ColumnWidths widths;
        for (qsizetype row = 0; row < rows.size(); ++row) {
            for (const ReportTextCell &cell : rows.at(row).cells) {
                const lxw_col_t column = columns.column(cell.x);
                worksheet_write_string(sheet, lxw_row_t(row), column, cell.text.toUtf8().constData(),
                                       cell.bold ? bold : nullptr);
                widths.fit(column, cell.text);
            }
        }
        widths.apply(sheet);
    });
}

ReportIoResult XlsxExport::writeTable(const QStringList &headings, const QList<QStringList> &rows,
                                      const QString &path, const QString &sheetName)
{
    return writeWhole(path, sheetName, [&](lxw_worksheet *sheet, lxw_format *bold) {
        ColumnWidths widths;
        writeRow(sheet, 0, headings, bold, widths);
        for (qsizetype row = 0; row < rows.size(); ++row)
            writeRow(sheet, lxw_row_t(row + 1), rows.at(row), nullptr, widths);
        widths.apply(sheet);
    });
}
