#include "core/reports/ReportTextRows.h"

#include <algorithm>

namespace {

// Elements whose tops differ by less than this share a row (half of a line of small print).
constexpr double kSameRowMm = 1.5;

bool carriesText(const ReportElement &element)
{
    return (element.kind == ReportElement::Kind::Text || element.kind == ReportElement::Kind::Barcode)
            && !element.text.trimmed().isEmpty();
}

bool printedOnce(ReportBand::Kind kind)
{
    return kind == ReportBand::Kind::PageHeader || kind == ReportBand::Kind::ColumnHeader;
}

} // namespace

QList<ReportTextRow> ReportTextRows::build(const TReportDocument &document)
{
    QList<ReportTextRow> rows;
    QList<ReportBand::Kind> alreadyPrinted;
    for (const ReportBand &band : document.bands) {
        if (band.kind == ReportBand::Kind::PageFooter)
            continue;
        if (printedOnce(band.kind)) {
            if (alreadyPrinted.contains(band.kind))
                continue;
            alreadyPrinted.append(band.kind);
        }
        appendBand(band, rows);
    }
    return rows;
}

void ReportTextRows::appendBand(const ReportBand &band, QList<ReportTextRow> &rows)
{
    QList<const ReportElement *> elements;
    for (const ReportElement &element : band.elements) {
        if (carriesText(element))
            elements.append(&element);
    }
    std::stable_sort(elements.begin(), elements.end(), [](const ReportElement *a, const ReportElement *b) {
        return a->rect.top() < b->rect.top();
    });

    double rowTop = 0.0;
    qsizetype firstRow = rows.size();
    for (const ReportElement *element : elements) {
        if (rows.size() == firstRow || element->rect.top() >= rowTop + kSameRowMm) {
            rows.append(ReportTextRow {band.kind, {}});
            rowTop = element->rect.top();
        }
        QString text = element->text;
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        rows.last().cells.append(ReportTextCell {element->rect.left(), element->rect.width(), text.trimmed(),
                                                 element->font.bold,
                                                 bool(element->alignment & Qt::AlignRight)});
    }
    for (qsizetype i = firstRow; i < rows.size(); ++i) {
        std::stable_sort(rows[i].cells.begin(), rows[i].cells.end(),
                         [](const ReportTextCell &a, const ReportTextCell &b) { return a.x < b.x; });
    }
}
