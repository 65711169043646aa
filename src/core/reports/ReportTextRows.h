#pragma once

#include "core/reports/ReportDocument.h"

// A report read as lines of text, for the exports that have no pages: plain text, rich text and
// the spreadsheet. Bands follow in document order; the page header and column headers appear
// once, page footers and page numbers not at all. Elements of a band whose tops are close
// form one row, their texts ordered left to right.
struct ReportTextCell
{
    double x = 0.0; // millimetres from the band's left edge
    double width = 0.0;
    QString text;
    bool bold = false;
    bool alignedRight = false; // the text ends at x + width

    bool operator==(const ReportTextCell &) const = default;
};

struct ReportTextRow
{
    ReportBand::Kind band = ReportBand::Kind::Detail;
    QList<ReportTextCell> cells;
};

class ReportTextRows
{
public:
    static QList<ReportTextRow> build(const TReportDocument &document);

private:
    static void appendBand(const ReportBand &band, QList<ReportTextRow> &rows);
};
