#include "render/ReportLayout.h"

#include "render/BarcodeSymbol.h"
#include "render/ReportFonts.h"

#include <QFontMetricsF>
#include <QImage>

namespace {

constexpr double kMeasureDpi = 1200.0;
constexpr double kMmPerInch = 25.4;

// The device text is measured on: a resolution fine enough that rounding does not matter.
const QImage &measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = qRound(kMeasureDpi / kMmPerInch * 1000.0);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

QList<const ReportBand *> bandsOfKind(const TReportDocument &document, ReportBand::Kind kind)
{
    QList<const ReportBand *> bands;
    for (const ReportBand &band : document.bands) {
        if (band.kind == kind)
            bands.append(&band);
    }
    return bands;
}

} // namespace

TLaidOutReport ReportLayout::layOut(const TReportDocument &document)
{
    ReportLayout layout(document);
    layout.run();
    return layout.m_result;
}

double ReportLayout::wrappedTextHeight(const ReportElement &element, double width)
{
    const QFontMetricsF metrics(toQFont(element.font), &measuringDevice());
    const double pixelsPerMm = kMeasureDpi / kMmPerInch;
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width * pixelsPerMm, 1.0e7),
                                               int(element.alignment) | Qt::TextWordWrap, element.text);
    return bounds.height() / pixelsPerMm;
}

ReportLayout::ReportLayout(const TReportDocument &document)
{
    m_result.document = document;
    m_content = document.page.contentRect();
    for (const ReportBand *footer : bandsOfKind(document, ReportBand::Kind::PageFooter))
        m_footerHeight += bandHeight(*footer);
}

void ReportLayout::run()
{
    startPage();
    const QList<ReportBand> &bands = m_result.document.bands;
    for (qsizetype i = 0; i < bands.size(); ++i) {
        if (isBody(bands.at(i)))
            placeBodyBand(i);
    }
    finishPage();
    writePageNumbers();
}

bool ReportLayout::isBody(const ReportBand &band) const
{
    switch (band.kind) {
    case ReportBand::Kind::GroupHeader:
    case ReportBand::Kind::Detail:
    case ReportBand::Kind::GroupFooter:
    case ReportBand::Kind::Summary:
        return true;
    default:
        return false;
    }
}

void ReportLayout::startPage()
{
    const bool first = m_result.pages.isEmpty();
    m_result.pages.append(ReportPage {});
    m_y = m_content.top();
    for (const ReportBand *band : bandsOfKind(m_result.document, ReportBand::Kind::PageHeader))
        m_y += place(*band, m_y);
    if (first) {
        for (const ReportBand *band : bandsOfKind(m_result.document, ReportBand::Kind::Title))
            m_y += place(*band, m_y);
    }
    for (const ReportBand *band : bandsOfKind(m_result.document, ReportBand::Kind::ColumnHeader))
        m_y += place(*band, m_y);
    m_bodyTop = m_y;
}

void ReportLayout::finishPage()
{
    double y = m_content.bottom() - m_footerHeight;
    for (const ReportBand *band : bandsOfKind(m_result.document, ReportBand::Kind::PageFooter))
        y += place(*band, y);
}

void ReportLayout::placeBodyBand(qsizetype index)
{
    const ReportBand &band = m_result.document.bands.at(index);
    const double limit = m_content.bottom() - m_footerHeight;
    const bool atTop = m_y <= m_bodyTop;
    // A band taller than a whole page is printed at the top of one and cut at its foot,
    // rather than pushing blank pages forever.
    if (!atTop && (band.newPageBefore || m_y + heightKeptTogether(index) > limit)) {
        finishPage();
        startPage();
    }
    m_y += place(band, m_y);
}

double ReportLayout::heightKeptTogether(qsizetype index) const
{
    const QList<ReportBand> &bands = m_result.document.bands;
    double height = bandHeight(bands.at(index));
    for (qsizetype i = index; i + 1 < bands.size() && bands.at(i).keepWithNext; ++i) {
        if (!isBody(bands.at(i + 1)))
            break;
        height += bandHeight(bands.at(i + 1));
    }
    return height;
}

double ReportLayout::bandHeight(const ReportBand &band) const
{
    double height = band.height;
    for (const ReportElement &element : band.elements) {
        if (element.kind == ReportElement::Kind::Text && element.wordWrap)
            height = qMax(height, element.rect.top() + wrappedTextHeight(element, element.rect.width()));
    }
    return height;
}

double ReportLayout::place(const ReportBand &band, double top)
{
    ReportPage &page = m_result.pages.last();
    for (const ReportElement &element : band.elements) {
        QRectF rect = element.rect.translated(m_content.left(), top);
        if (element.kind == ReportElement::Kind::Text && element.wordWrap)
            rect.setHeight(qMax(rect.height(), wrappedTextHeight(element, rect.width())));
        checkDrawable(element);
        page.elements.append(PlacedElement {element, rect});
    }
    return bandHeight(band);
}

void ReportLayout::checkDrawable(const ReportElement &element)
{
    if (element.kind == ReportElement::Kind::Barcode) {
        const BarcodeSymbol symbol = BarcodeSymbol::encode(element.barcode, element.text);
        if (!symbol.isValid())
            m_result.warnings.append(QStringLiteral("Bar code printed as text: ") + symbol.error());
    } else if (element.kind == ReportElement::Kind::Image && !element.image.isEmpty()) {
        if (QImage::fromData(element.image).isNull())
            m_result.warnings.append(QStringLiteral("Picture not printed: its data is not a readable image"));
    }
}

void ReportLayout::writePageNumbers()
{
    const QString count = QString::number(m_result.pages.size());
    for (qsizetype p = 0; p < m_result.pages.size(); ++p) {
        for (PlacedElement &placed : m_result.pages[p].elements) {
            if (placed.element.kind != ReportElement::Kind::PageNumber)
                continue;
            QString text = placed.element.text;
            text.replace(QStringLiteral("%1"), QString::number(p + 1)).replace(QStringLiteral("%2"), count);
            placed.element.text = text;
            placed.element.kind = ReportElement::Kind::Text;
        }
    }
}
