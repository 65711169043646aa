#pragma once

#include <QByteArray>
#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <Qt>

// A report as data: the page, and the bands that the report engine lays out on pages in order.
// Every position and size is in millimetres, relative to the band's top-left corner, so a report
// is built and tested without any pixels and looks the same on screen, on paper and in a PDF.
//
// Two shapes cover the application's documents:
//  - a sheet placed by hand (a blister label): one Title band as tall as the page's content,
//    holding texts, pictures, bar codes, rules and boxes at fixed places; the page margins shift
//    the whole sheet onto pre-printed label stock. Several sheets in one document are Detail
//    bands of that height with newPageBefore set.
//  - a listing: ReportListing builds the page header with "page n/N", column headings,
//    group headings and wrapped rows.
// A picture is held as the bytes of its file: empty bytes draw nothing (a missing photo or
// logo), unreadable bytes draw nothing and are reported by the layout.

// Font families Debian ships (fonts-dejavu-core) that hold every glyph the reports print,
// the fraction signs ½ ¼ ¾ included. The mono family keeps padded label columns aligned.
inline const QString kReportSansFamily = QStringLiteral("DejaVu Sans");
inline const QString kReportMonoFamily = QStringLiteral("DejaVu Sans Mono");

struct ReportFont
{
    QString family = kReportSansFamily;
    double pointSize = 9.0;
    bool bold = false;
    bool italic = false;

    bool operator==(const ReportFont &) const = default;
};

enum class BarcodeType : int {
    Ean8 = 0, // 7 digits (check digit added) or 8 digits (check digit verified)
    Ean13 = 1, // 12 digits (check digit added) or 13 digits (check digit verified)
    Code128 = 2,
};

struct ReportElement
{
    enum class Kind : int {
        Text = 0,
        PageNumber = 1, // `text` is the pattern: "%1" becomes the page number, "%2" the page count
        Image = 2, // `image` holds the encoded picture (BMP, JPEG, PNG): a saved report needs no files
        Barcode = 3, // `text` is the data to encode
        Line = 4, // from the rectangle's top-left to its bottom-right corner
        Box = 5, // the rectangle's outline
    };

    Kind kind = Kind::Text;
    QRectF rect; // millimetres from the band's top-left corner
    QString text;
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false; // the text wraps inside the width and may make its band grow
    // The text is printed whole inside its box: when it needs more room than the box gives, the
    // layout sets it smaller until it fits (wrapped lines included) and the box never grows. For
    // texts placed by hand, which have nowhere to grow.
    bool fitToBox = false;
    QByteArray image;
    BarcodeType barcode = BarcodeType::Ean8;
    bool barcodeShowsText = true;
    double penWidth = 0.2; // millimetres, for lines and boxes

    bool operator==(const ReportElement &) const = default;
};

struct ReportBand
{
    enum class Kind : int {
        PageHeader = 0, // top of every page
        Title = 1, // once, on the first page, below the page header
        ColumnHeader = 2, // every page, below the page header (and the title)
        GroupHeader = 3,
        Detail = 4,
        GroupFooter = 5,
        Summary = 6, // once, after the last detail
        PageFooter = 7, // bottom of every page
    };

    Kind kind = Kind::Detail;
    double height = 5.0; // millimetres; the least height when it grows with wrapped text
    QList<ReportElement> elements;
    bool newPageBefore = false; // starts a new page unless it already is at the top of one
    bool keepWithNext = false; // moves to the next page with the band that follows it

    // Builders for the band's elements; each returns the element for further settings.
    ReportElement &addText(const QRectF &rect, const QString &text, const ReportFont &font = {},
                           Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    ReportElement &addPageNumber(const QRectF &rect, const QString &pattern, const ReportFont &font = {},
                                 Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
    ReportElement &addImage(const QRectF &rect, const QByteArray &encodedImage);
    ReportElement &addBarcode(const QRectF &rect, BarcodeType type, const QString &data);
    ReportElement &addLine(const QPointF &from, const QPointF &to, double penWidth = 0.2);
    ReportElement &addBox(const QRectF &rect, double penWidth = 0.2);

    bool operator==(const ReportBand &) const = default;

private:
    ReportElement &add(ReportElement::Kind kind, const QRectF &rect);
};

struct ReportPageSetup
{
    QSizeF paperSize {210.0, 297.0}; // millimetres, portrait width x height
    bool landscape = false;
    QMarginsF margins {10.0, 10.0, 10.0, 10.0}; // millimetres

    // Paper sizes the application prints on.
    static ReportPageSetup a4(bool landscape = false);
    static ReportPageSetup a5(bool landscape = false);

    // The page as it is printed: width and height swapped when landscape.
    QSizeF pageSize() const;
    // The printable area inside the margins, in page coordinates.
    QRectF contentRect() const;

    bool operator==(const ReportPageSetup &) const = default;
};

class TReportDocument
{
public:
    QString title; // shown by the preview and used as the file name of exports
    ReportPageSetup page;
    QList<ReportBand> bands; // in the order they are printed

    ReportBand &addBand(ReportBand::Kind kind, double height);

    bool operator==(const TReportDocument &) const = default;
};
