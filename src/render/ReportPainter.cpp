#include "render/ReportPainter.h"

#include "render/BarcodeSymbol.h"
#include "render/ReportFonts.h"

#include <QPageLayout>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double kMmPerInch = 25.4;

QRectF toDots(const QRectF &mm, double dotsPerMm)
{
    return QRectF(mm.x() * dotsPerMm, mm.y() * dotsPerMm, mm.width() * dotsPerMm, mm.height() * dotsPerMm);
}

QPen penOf(const ReportElement &element, double dotsPerMm)
{
    QPen pen(Qt::black);
    pen.setWidthF(qMax(element.penWidth * dotsPerMm, 1.0));
    return pen;
}

} // namespace

void ReportPainter::paintPage(QPainter &painter, const ReportPage &page, double dotsPerMm)
{
    for (const PlacedElement &placed : page.elements)
        paintElement(painter, placed, dotsPerMm);
}

void ReportPainter::paintElement(QPainter &painter, const PlacedElement &placed, double dotsPerMm)
{
    const ReportElement &element = placed.element;
    const QRectF rect = toDots(placed.rect, dotsPerMm);
    painter.save();
    switch (element.kind) {
    case ReportElement::Kind::Text:
    case ReportElement::Kind::PageNumber:
        paintText(painter, element, rect, dotsPerMm);
        break;
    case ReportElement::Kind::Image:
        paintImage(painter, element, rect);
        break;
    case ReportElement::Kind::Barcode:
        paintBarcode(painter, element, rect, dotsPerMm);
        break;
    case ReportElement::Kind::Line:
        painter.setPen(penOf(element, dotsPerMm));
        painter.drawLine(rect.topLeft(), rect.bottomRight());
        break;
    case ReportElement::Kind::Box:
        painter.setPen(penOf(element, dotsPerMm));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
        break;
    }
    painter.restore();
}

void ReportPainter::paintText(QPainter &painter, const ReportElement &element, const QRectF &rect,
                              double dotsPerMm)
{
    if (element.text.isEmpty())
        return;
    painter.setPen(Qt::black);
    int flags = int(element.alignment);
    if (element.wordWrap)
        flags |= Qt::TextWordWrap;
    ReportText::draw(painter, element.font, rect, flags, element.text, dotsPerMm);
}

void ReportPainter::paintBarcode(QPainter &painter, const ReportElement &element, const QRectF &rect,
                                 double dotsPerMm)
{
    const BarcodeSymbol symbol = BarcodeSymbol::encode(element.barcode, element.text);
    if (!symbol.isValid()) {
        // Printing goes on: the data is still there for a person to read or type.
        paintText(painter, element, rect, dotsPerMm);
        return;
    }
    QRectF barsArea = rect;
    if (element.barcodeShowsText) {
        painter.setFont(toQFont(element.font));
        const double textHeight = painter.fontMetrics().height();
        barsArea.setHeight(qMax(rect.height() - textHeight, rect.height() / 2));
        painter.setPen(Qt::black);
        painter.drawText(
                QRectF(rect.left(), barsArea.bottom(), rect.width(), rect.bottom() - barsArea.bottom()),
                Qt::AlignHCenter | Qt::AlignTop, symbol.text());
    }
    const double xScale = barsArea.width() / symbol.extent().width();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QRectF &bar : symbol.bars())
        painter.drawRect(QRectF(barsArea.left() + bar.x() * xScale, barsArea.top(), bar.width() * xScale,
                                barsArea.height()));
}

void ReportPainter::paintImage(QPainter &painter, const ReportElement &element, const QRectF &rect)
{
    const QImage image = QImage::fromData(element.image);
    if (image.isNull())
        return;
    // The picture keeps its proportions inside the frame.
    QSizeF size = image.size().toSizeF();
    size.scale(rect.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(0, 0), size);
    target.moveCenter(rect.center());
    if (element.alignment & Qt::AlignLeft)
        target.moveLeft(rect.left());
    if (element.alignment & Qt::AlignTop)
        target.moveTop(rect.top());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
}

QImage ReportPainter::renderPage(const TLaidOutReport &report, int pageIndex, double dotsPerInch)
{
    const double dotsPerMm = dotsPerInch / kMmPerInch;
    const QSizeF pageMm = report.pageSize();
    QImage image(qMax(1, qRound(pageMm.width() * dotsPerMm)), qMax(1, qRound(pageMm.height() * dotsPerMm)),
                 QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerMm * 1000.0);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    if (pageIndex < 0 || pageIndex >= report.pageCount())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPage(painter, report.pages.at(pageIndex), dotsPerMm);
    return image;
}

bool ReportPainter::print(const TLaidOutReport &report, QPagedPaintDevice &device)
{
    const ReportPageSetup &setup = report.document.page;
    QPageLayout layout(QPageSize(setup.paperSize, QPageSize::Millimeter),
                       setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    // The painter's origin is the sheet's corner on every device; the report keeps its own margins.
    layout.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(layout);
    const QPageRanges ranges = device.pageRanges();
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dotsPerMm = device.logicalDpiX() / kMmPerInch;
    bool firstPrinted = true;
    for (int i = 0; i < report.pageCount(); ++i) {
        if (!ranges.isEmpty() && !ranges.contains(i + 1))
            continue;
        if (!firstPrinted && !device.newPage()) {
            painter.end();
            return false;
        }
        firstPrinted = false;
        paintPage(painter, report.pages.at(i), dotsPerMm);
    }
    return painter.end();
}
