#include "core/reports/ReportListing.h"

namespace {

const ReportFont kTitleFont {kReportSansFamily, 12.0, true, false};
const ReportFont kHeadingFont {kReportSansFamily, 9.0, true, false};
const ReportFont kCellFont {kReportSansFamily, 9.0, false, false};
constexpr double kCellPadding = 1.0;

} // namespace

ReportListing::ReportListing(const QString &title, const ReportPageSetup &page,
                             const QList<ListingColumn> &columns)
    : m_columns(columns)
{
    m_document.title = title;
    m_document.page = page;
    const double width = page.contentRect().width();

    ReportBand &header = m_document.addBand(ReportBand::Kind::PageHeader, 10.0);
    header.addText(QRectF(0, 0, width - 30.0, 8.0), title, kTitleFont);
    header.addPageNumber(QRectF(width - 30.0, 0, 30.0, 8.0), QStringLiteral("%1/%2"), kCellFont);
    header.addLine(QPointF(0, 9.0), QPointF(width, 9.0));

    ReportBand &headings = m_document.addBand(ReportBand::Kind::ColumnHeader, kRowHeight + 1.0);
    double x = 0.0;
    for (const ListingColumn &column : m_columns) {
        headings.addText(QRectF(x + kCellPadding, 0, column.width - 2 * kCellPadding, kRowHeight),
                         column.heading, kHeadingFont, column.alignment);
        x += column.width;
    }
    headings.addLine(QPointF(0, kRowHeight + 0.5), QPointF(x, kRowHeight + 0.5), 0.1);
}

void ReportListing::addGroup(const QString &heading, bool newPage)
{
    ReportBand &band = m_document.addBand(ReportBand::Kind::GroupHeader, kRowHeight + 2.0);
    band.newPageBefore = newPage;
    band.keepWithNext = true;
    band.addText(QRectF(0, 1.0, m_document.page.contentRect().width(), kRowHeight), heading, kHeadingFont);
}

void ReportListing::addRow(const QStringList &cells)
{
    ReportBand &band = m_document.addBand(ReportBand::Kind::Detail, kRowHeight);
    double x = 0.0;
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        const ListingColumn &column = m_columns.at(i);
        ReportElement &cell = band.addText(
                QRectF(x + kCellPadding, 0, column.width - 2 * kCellPadding, kRowHeight), cells.value(i),
                kCellFont, (column.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
        // Cells start at the row's top so that a row with a wrapped cell stays aligned.
        cell.wordWrap = true;
        x += column.width;
    }
}
