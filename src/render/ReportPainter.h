#pragma once

#include "render/LaidOutReport.h"

#include <QImage>

class QPagedPaintDevice;
class QPainter;

// Draws laid-out pages. Positions and font sizes are millimetres turned into the device's own
// dots (ReportText), so a page looks the same, and text is as wide as it was measured, on every
// device.
class ReportPainter
{
public:
    // Draws one page with the painter's origin at the page's top-left corner.
    static void paintPage(QPainter &painter, const ReportPage &page, double dotsPerMm);

    // The page as a picture at the given resolution (the preview's zoom), on white.
    static QImage renderPage(const TLaidOutReport &report, int pageIndex, double dotsPerInch);

    // Every page (or the device's page ranges, when set) on a PDF writer or a printer, with the
    // device's page set to the report's paper and no margins of its own. False when the device
    // could not be painted on.
    static bool print(const TLaidOutReport &report, QPagedPaintDevice &device);

private:
    static void paintElement(QPainter &painter, const PlacedElement &placed, double dotsPerMm);
    static void paintText(QPainter &painter, const ReportElement &element, const QRectF &rect,
                          double dotsPerMm);
    static void paintBarcode(QPainter &painter, const ReportElement &element, const QRectF &rect,
                             double dotsPerMm);
    static void paintImage(QPainter &painter, const ReportElement &element, const QRectF &rect);
};
