#pragma once

#include "core/reports/ReportDocument.h"

#include <QStringList>

// A tabular listing: a title and "page n/N" on every page, the column headings below it, rows
// of cells, optionally in groups that each start with a heading. Listings and summaries build
// their document with it instead of placing every element by hand.
struct ListingColumn
{
    QString heading;
    double width = 30.0; // millimetres
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// What a listing may print around its rows on every page besides the title: a picture at the
// top left (the pharmacy's logo), lines of text under the title (what the listing was asked
// for) and a footer line with a text at each end.
struct ListingFrame
{
    QByteArray logo; // empty: no picture
    QStringList headerLines; // empty lines are left out
    QString footerLeft;
    QString footerRight;
    QString pageNumberPattern = QStringLiteral("%1/%2");
};

class ReportListing
{
public:
    ReportListing(const QString &title, const ReportPageSetup &page, const QList<ListingColumn> &columns,
                  const ListingFrame &frame = {});

    // A group heading; the rows added after it belong to the group.
    void addGroup(const QString &heading, bool newPage = false);
    // One row; missing cells are left empty, extra cells are ignored. Long texts wrap.
    void addRow(const QStringList &cells);

    const TReportDocument &document() const { return m_document; }

    static constexpr double kRowHeight = 5.0;
    static constexpr double kLogoWidth = 30.0;

private:
    QList<ListingColumn> m_columns;
    TReportDocument m_document;
};
