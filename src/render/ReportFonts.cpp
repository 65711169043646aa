#include "render/ReportFonts.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
constexpr int kMeasurePixelsPerEm = 1000;
constexpr double kUnbounded = 1.0e9;

QFont atPixelSize(const ReportFont &font, int pixels)
{
    QFont result = toQFont(font);
    result.setPixelSize(pixels);
    return result;
}

} // namespace

QFont toQFont(const ReportFont &font)
{
    QFont result(font.family);
    result.setPointSizeF(font.pointSize);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setStyleStrategy(QFont::PreferOutline);
    return result;
}

namespace ReportText {

double emMillimetres(const ReportFont &font)
{
    return font.pointSize * kMmPerInch / kPointsPerInch;
}

QSizeF size(const ReportFont &font, const QString &text, int flags, double wrapWidth)
{
    const double mmPerPixel = emMillimetres(font) / kMeasurePixelsPerEm;
    const double width = (flags & Qt::TextWordWrap) ? wrapWidth / mmPerPixel : kUnbounded;
    const QFontMetricsF metrics(atPixelSize(font, kMeasurePixelsPerEm));
    return metrics.boundingRect(QRectF(0, 0, width, kUnbounded), flags, text).size() * mmPerPixel;
}

void draw(QPainter &painter, const ReportFont &font, const QRectF &rect, int flags, const QString &text,
          double dotsPerMm)
{
    const double emDots = emMillimetres(font) * dotsPerMm;
    const int pixels = qMax(1, qRound(emDots));
    const double scale = emDots / pixels;
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    painter.setFont(atPixelSize(font, pixels));
    painter.drawText(QRectF(0, 0, rect.width() / scale, rect.height() / scale), flags, text);
    painter.restore();
}

} // namespace ReportText
