#include "core/reports/ReportDocument.h"

ReportPageSetup ReportPageSetup::a4(bool landscape)
{
    ReportPageSetup setup;
    setup.paperSize = QSizeF(210.0, 297.0);
    setup.landscape = landscape;
    return setup;
}

ReportPageSetup ReportPageSetup::a5(bool landscape)
{
    ReportPageSetup setup;
    setup.paperSize = QSizeF(148.0, 210.0);
    setup.landscape = landscape;
    return setup;
}

QSizeF ReportPageSetup::pageSize() const
{
    return landscape ? paperSize.transposed() : paperSize;
}

QRectF ReportPageSetup::contentRect() const
{
    return QRectF(QPointF(0, 0), pageSize()).marginsRemoved(margins);
}

ReportBand &TReportDocument::addBand(ReportBand::Kind kind, double height)
{
    ReportBand band;
    band.kind = kind;
    band.height = height;
    bands.append(band);
    return bands.last();
}

ReportElement &ReportBand::add(ReportElement::Kind kind, const QRectF &rect)
{
    ReportElement element;
    element.kind = kind;
    element.rect = rect;
    elements.append(element);
    return elements.last();
}

ReportElement &ReportBand::addText(const QRectF &rect, const QString &text, const ReportFont &font,
                                   Qt::Alignment alignment)
{
    ReportElement &element = add(ReportElement::Kind::Text, rect);
    element.text = text;
    element.font = font;
    element.alignment = alignment;
    return element;
}

ReportElement &ReportBand::addPageNumber(const QRectF &rect, const QString &pattern, const ReportFont &font,
                                         Qt::Alignment alignment)
{
    ReportElement &element = addText(rect, pattern, font, alignment);
    element.kind = ReportElement::Kind::PageNumber;
    return element;
}

ReportElement &ReportBand::addImage(const QRectF &rect, const QByteArray &encodedImage)
{
    ReportElement &element = add(ReportElement::Kind::Image, rect);
    element.image = encodedImage;
    element.alignment = Qt::AlignCenter;
    return element;
}

ReportElement &ReportBand::addBarcode(const QRectF &rect, BarcodeType type, const QString &data)
{
    ReportElement &element = add(ReportElement::Kind::Barcode, rect);
    element.barcode = type;
    element.text = data;
    return element;
}

ReportElement &ReportBand::addLine(const QPointF &from, const QPointF &to, double penWidth)
{
    ReportElement &element = add(ReportElement::Kind::Line, QRectF(from, to));
    element.penWidth = penWidth;
    return element;
}

ReportElement &ReportBand::addBox(const QRectF &rect, double penWidth)
{
    ReportElement &element = add(ReportElement::Kind::Box, rect);
    element.penWidth = penWidth;
    return element;
}
