#pragma once

#include "core/reports/ReportDocument.h"

#include <QFont>
#include <QSizeF>

class QPainter;

// The Qt font of a report font. Hinting is off so that glyphs keep the widths the font designs.
QFont toQFont(const ReportFont &font);

// Text in a report font, measured and drawn at exactly the font's size on every device. Qt sets
// glyphs at whole pixel sizes, which at a printer's or a screen's resolution makes a small text a
// few per cent wider or narrower than its point size says; so text is measured at a large whole
// pixel size, and drawn at the nearest whole size with the painter scaled by what is left. What
// fits when laid out therefore fits on the preview, on paper and in a PDF.
namespace ReportText {

// Millimetres one em of the font takes on paper.
double emMillimetres(const ReportFont &font);

// The room `text` takes in millimetres, each line as `flags` set it; with Qt::TextWordWrap the
// lines wrap inside `wrapWidth` millimetres.
QSizeF size(const ReportFont &font, const QString &text, int flags, double wrapWidth);

// Draws `text` inside `rect`, given in the device's dots, `dotsPerMm` of them to the millimetre.
void draw(QPainter &painter, const ReportFont &font, const QRectF &rect, int flags, const QString &text,
          double dotsPerMm);

} // namespace ReportText
