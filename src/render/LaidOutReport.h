#pragma once

#include "core/reports/ReportDocument.h"

#include <QStringList>

// An element at its place on a page, in millimetres from the page's top-left corner.
struct PlacedElement
{
    ReportElement element;
    QRectF rect;
};

struct ReportPage
{
    QList<PlacedElement> elements;
};

// A report laid out on pages: what the preview shows, the printer prints and the PDF holds.
// Page numbers are already written in ("page n/N" needs the count, so layout runs two passes).
class TLaidOutReport
{
public:
    TReportDocument document;
    QList<ReportPage> pages;
    // What could not be drawn as asked (a bar code that cannot be encoded, an unreadable
    // picture), for the caller's log; the report still prints, with the data as text.
    QStringList warnings;

    int pageCount() const { return int(pages.size()); }
    const QString &title() const { return document.title; }
    QSizeF pageSize() const { return document.page.pageSize(); }
};
