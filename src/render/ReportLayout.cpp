#include "render/ReportLayout.h"

#include "render/BarcodeSymbol.h"
#include "render/ReportFonts.h"

#include <QImage>

namespace {

// A fitted text is set no smaller than this; one that does not fit even so is reported.
constexpr double kSmallestFittedPointSize = 3.0;
// How close to the largest size that fits the fitting comes.
constexpr double kFittingStep = 0.05;
// Millimetres a measure may exceed its box by rounding.
constexpr double kMeasureTolerance = 1.0e-3;

int textFlags(const ReportElement &element)
{
    return int(element.alignment) | (element.wordWrap ? int(Qt::TextWordWrap) : 0);
}

bool fitsItsBox(const ReportElement &element, double pointSize)
{
    ReportFont font = element.font;
    font.pointSize = pointSize;
    const QSizeF needed = ReportText::size(font, element.text, textFlags(element), element.rect.width());
    return needed.width() <= element.rect.width() + kMeasureTolerance
            && needed.height() <= element.rect.height() + kMeasureTolerance;
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
    return ReportText::size(element.font, element.text, textFlags(element), width).height();
}

bool ReportLayout::grows(const ReportElement &element)
{
    return element.kind == ReportElement::Kind::Text && element.wordWrap && !element.fitToBox;
}

ReportFont ReportLayout::fittedFont(const ReportElement &element)
{
    ReportFont font = element.font;
    if (element.text.isEmpty() || fitsItsBox(element, font.pointSize))
        return font;
    // The largest size that fits, found by halving the range between one that fits and one that
    // does not.
    double fitting = qMin(kSmallestFittedPointSize, font.pointSize);
    double tooLarge = font.pointSize;
    if (!fitsItsBox(element, fitting)) {
        m_result.warnings.append(QStringLiteral("Text larger than its box even at %1 pt: ").arg(fitting)
                                 + element.text);
        tooLarge = fitting;
    }
    while (tooLarge - fitting > kFittingStep) {
        const double middle = (fitting + tooLarge) / 2.0;
        if (fitsItsBox(element, middle))
            fitting = middle;
        else
            tooLarge = middle;
    }
    font.pointSize = fitting;
    return font;
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
        if (grows(element))
            height = qMax(height, element.rect.top() + wrappedTextHeight(element, element.rect.width()));
    }
    return height;
}

double ReportLayout::place(const ReportBand &band, double top)
{
    ReportPage &page = m_result.pages.last();
    for (const ReportElement &element : band.elements) {
        PlacedElement placed {element, element.rect.translated(m_content.left(), top)};
        if (grows(element))
            placed.rect.setHeight(
                    qMax(placed.rect.height(), wrappedTextHeight(element, placed.rect.width())));
        if (element.kind == ReportElement::Kind::Text && element.fitToBox)
            placed.element.font = fittedFont(element);
        checkDrawable(element);
        page.elements.append(placed);
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
