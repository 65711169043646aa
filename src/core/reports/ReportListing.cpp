#include "core/reports/ReportListing.h"

namespace {

const ReportFont kTitleFont {kReportSansFamily, 12.0, true, false};
const ReportFont kHeadingFont {kReportSansFamily, 9.0, true, false};
const ReportFont kCellFont {kReportSansFamily, 9.0, false, false};
constexpr double kCellPadding = 1.0;
constexpr double kTitleHeight = 8.0;
constexpr double kHeaderLineHeight = 4.5;
constexpr double kPageNumberWidth = 30.0;
constexpr double kLogoHeight = 15.0;

void addPageHeader(TReportDocument &document, const QString &title, const ListingFrame &frame)
{
    const double width = document.page.contentRect().width();
    const double textLeft = frame.logo.isEmpty() ? 0.0 : ReportListing::kLogoWidth + 2.0;
    QStringList lines = frame.headerLines;
    lines.removeAll(QString()); // a filter left empty prints no blank line
    const double textsHeight = kTitleHeight + kHeaderLineHeight * double(lines.size());
    const double height = qMax(textsHeight, frame.logo.isEmpty() ? 0.0 : kLogoHeight) + 2.0;

    ReportBand &header = document.addBand(ReportBand::Kind::PageHeader, height);
    if (!frame.logo.isEmpty())
        header.addImage(QRectF(0, 0, ReportListing::kLogoWidth, kLogoHeight), frame.logo);
    header.addText(QRectF(textLeft, 0, width - textLeft - kPageNumberWidth, kTitleHeight), title, kTitleFont);
    header.addPageNumber(QRectF(width - kPageNumberWidth, 0, kPageNumberWidth, kTitleHeight),
                         frame.pageNumberPattern, kCellFont);
    double y = kTitleHeight;
    for (const QString &line : lines) {
        header.addText(QRectF(textLeft, y, width - textLeft, kHeaderLineHeight), line, kHeadingFont);
        y += kHeaderLineHeight;
    }
    header.addLine(QPointF(0, height - 1.0), QPointF(width, height - 1.0));
}

void addPageFooter(TReportDocument &document, const ListingFrame &frame)
{
    if (frame.footerLeft.isEmpty() && frame.footerRight.isEmpty())
        return;
    const double width = document.page.contentRect().width();
    ReportBand &footer = document.addBand(ReportBand::Kind::PageFooter, ReportListing::kRowHeight + 1.0);
    footer.addLine(QPointF(0, 0.5), QPointF(width, 0.5), 0.1);
    // The right side carries a dated caption ("printed on …"); 40 % keeps it whole on A4 portrait.
    const double split = width * 0.6;
    footer.addText(QRectF(0, 1.0, split, ReportListing::kRowHeight), frame.footerLeft, kCellFont);
    footer.addText(QRectF(split, 1.0, width - split, ReportListing::kRowHeight), frame.footerRight, kCellFont,
                   Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

ReportListing::ReportListing(const QString &title, const ReportPageSetup &page,
                             const QList<ListingColumn> &columns, const ListingFrame &frame)
    : m_columns(columns)
{
    m_document.title = title;
    m_document.page = page;
    addPageHeader(m_document, title, frame);
    addPageFooter(m_document, frame);

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
