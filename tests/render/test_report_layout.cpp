#include "PngPrueba.h"
#include "SampleReport.h"
#include "render/ReportFonts.h"
#include "render/ReportLayout.h"
#include "render/ReportPainter.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

namespace {

QStringList textsOf(const ReportPage &page)
{
    QStringList texts;
    for (const PlacedElement &placed : page.elements) {
        if (placed.element.kind == ReportElement::Kind::Text)
            texts.append(placed.element.text);
    }
    return texts;
}

QList<QRectF> rectsWithText(const TLaidOutReport &report, const QString &prefix)
{
    QList<QRectF> rects;
    for (const ReportPage &page : report.pages) {
        for (const PlacedElement &placed : page.elements) {
            if (placed.element.text.startsWith(prefix))
                rects.append(placed.rect);
        }
    }
    return rects;
}

TReportDocument oneBandDocument(const ReportElement &element)
{
    TReportDocument document;
    document.addBand(ReportBand::Kind::Title, 20.0).elements.append(element);
    return document;
}

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void emptyReportHasOnePage();
    void everyRowIsPlacedOnceInsideTheBody();
    void everyPageRepeatsHeaderAndColumnHeadings();
    void pageNumbersCountAllPages_data();
    void pageNumbersCountAllPages();
    void titlePrintsOnFirstPageOnly();
    void footerSitsAtTheFootOfEveryPage();
    void groupHeaderMovesWithItsFirstRow();
    void newPageBeforeStartsAPageUnlessAtTop();
    void wrappedTextMakesTheBandGrow();
    void aTextFittedToItsBoxIsSetSmallerNeverCut_data();
    void aTextFittedToItsBoxIsSetSmallerNeverCut();
    void textIsDrawnAsWideAsMeasuredAtEveryResolution_data();
    void textIsDrawnAsWideAsMeasuredAtEveryResolution();
    void bandTallerThanAPageDoesNotLoop();
    void sheetsFillOnePageEachShiftedByTheMargins();
    void barcodeThatCannotBeEncodedIsReported();
    void unreadablePictureIsReported();
    void missingPictureIsSilent();
};

void TestReportLayout::emptyReportHasOnePage()
{
    const TLaidOutReport report = ReportLayout::layOut(TReportDocument {});
    QCOMPARE(report.pageCount(), 1);
    QVERIFY(report.pages.first().elements.isEmpty());
}

void TestReportLayout::everyRowIsPlacedOnceInsideTheBody()
{
    const TReportDocument document = sampleListing(200);
    const TLaidOutReport report = ReportLayout::layOut(document);
    QVERIFY(report.pageCount() > 3);
    QStringList placed;
    for (const ReportPage &page : report.pages)
        placed += textsOf(page).filter(QStringLiteral("Medicamento "));
    QCOMPARE(placed.size(), 200);
    for (int i = 1; i <= 200; ++i)
        QCOMPARE(placed.at(i - 1), QStringLiteral("Medicamento %1").arg(i));
    const QRectF content = document.page.contentRect();
    for (const QRectF &rect : rectsWithText(report, QStringLiteral("Medicamento ")))
        QVERIFY(content.contains(rect));
}

void TestReportLayout::everyPageRepeatsHeaderAndColumnHeadings()
{
    const TLaidOutReport report = ReportLayout::layOut(sampleListing(150));
    for (const ReportPage &page : report.pages) {
        const QStringList texts = textsOf(page);
        QCOMPARE(texts.count(QStringLiteral("Tratamientos 1/2")), 1);
        QCOMPARE(texts.count(QStringLiteral("MEDICAMENTO")), 1);
    }
}

void TestReportLayout::pageNumbersCountAllPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("one page") << 5;
    QTest::newRow("several pages") << 120;
    QTest::newRow("many pages") << 400;
}

void TestReportLayout::pageNumbersCountAllPages()
{
    QFETCH(int, rows);
    const TLaidOutReport report = ReportLayout::layOut(sampleListing(rows));
    const int count = report.pageCount();
    for (int p = 0; p < count; ++p) {
        const QString expected = QStringLiteral("%1/%2").arg(p + 1).arg(count);
        QVERIFY2(textsOf(report.pages.at(p)).contains(expected), qPrintable(expected));
    }
}

void TestReportLayout::titlePrintsOnFirstPageOnly()
{
    TReportDocument document = sampleListing(150);
    document.bands.prepend(ReportBand {ReportBand::Kind::Title, 10.0, {}, false, false});
    document.bands.first().addText(QRectF(0, 0, 100, 8), QStringLiteral("PORTADA"));
    const TLaidOutReport report = ReportLayout::layOut(document);
    QVERIFY(report.pageCount() > 1);
    QCOMPARE(textsOf(report.pages.first()).count(QStringLiteral("PORTADA")), 1);
    for (int p = 1; p < report.pageCount(); ++p)
        QVERIFY(!textsOf(report.pages.at(p)).contains(QStringLiteral("PORTADA")));
}

void TestReportLayout::footerSitsAtTheFootOfEveryPage()
{
    TReportDocument document = sampleListing(150);
    document.addBand(ReportBand::Kind::PageFooter, 6.0).addText(QRectF(0, 0, 50, 6), QStringLiteral("PIE"));
    const TLaidOutReport report = ReportLayout::layOut(document);
    const double footerTop = document.page.contentRect().bottom() - 6.0;
    const QList<QRectF> footers = rectsWithText(report, QStringLiteral("PIE"));
    QCOMPARE(footers.size(), report.pageCount());
    for (const QRectF &rect : footers)
        QCOMPARE(rect.top(), footerTop);
    // No row reaches into the footer.
    for (const QRectF &rect : rectsWithText(report, QStringLiteral("Medicamento ")))
        QVERIFY(rect.bottom() <= footerTop + 1e-9);
}

void TestReportLayout::groupHeaderMovesWithItsFirstRow()
{
    const TLaidOutReport report = ReportLayout::layOut(sampleListing(300, 7));
    for (const ReportPage &page : report.pages) {
        const QStringList texts = textsOf(page);
        // The last text of a page is never a group heading left alone at the foot.
        QString lastBodyText;
        for (const QString &text : texts) {
            if (text.startsWith(QStringLiteral("Grupo ")) || text.startsWith(QStringLiteral("Medicamento ")))
                lastBodyText = text;
        }
        QVERIFY2(!lastBodyText.startsWith(QStringLiteral("Grupo ")), qPrintable(lastBodyText));
    }
}

void TestReportLayout::newPageBeforeStartsAPageUnlessAtTop()
{
    TReportDocument document;
    for (int i = 1; i <= 3; ++i) {
        ReportBand &band = document.addBand(ReportBand::Kind::GroupHeader, 10.0);
        band.newPageBefore = true;
        band.addText(QRectF(0, 0, 50, 10), QStringLiteral("PACIENTE %1").arg(i));
        document.addBand(ReportBand::Kind::Detail, 10.0)
                .addText(QRectF(0, 0, 50, 10), QStringLiteral("linea"));
    }
    const TLaidOutReport report = ReportLayout::layOut(document);
    QCOMPARE(report.pageCount(), 3);
    for (int p = 0; p < 3; ++p)
        QCOMPARE(textsOf(report.pages.at(p)).first(), QStringLiteral("PACIENTE %1").arg(p + 1));
}

void TestReportLayout::wrappedTextMakesTheBandGrow()
{
    TReportDocument document;
    ReportBand &notes = document.addBand(ReportBand::Kind::Detail, 5.0);
    ReportElement &text = notes.addText(QRectF(0, 0, 30, 5), QStringLiteral("tomar con agua ").repeated(20));
    text.wordWrap = true;
    document.addBand(ReportBand::Kind::Detail, 5.0).addText(QRectF(0, 0, 30, 5), QStringLiteral("SIGUIENTE"));

    const TLaidOutReport report = ReportLayout::layOut(document);
    const QRectF wrapped = report.pages.first().elements.at(0).rect;
    const QRectF next = report.pages.first().elements.at(1).rect;
    QVERIFY(wrapped.height() > 20.0);
    QVERIFY(next.top() >= wrapped.bottom() - 1e-9);
}

void TestReportLayout::aTextFittedToItsBoxIsSetSmallerNeverCut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRectF>("box");
    QTest::addColumn<bool>("wrapped");
    QTest::addColumn<bool>("smaller");
    QTest::addColumn<bool>("reported");
    const QString dose = QStringLiteral("2 INHALACIONES CADA 12 HORAS");
    QTest::newRow("fits as it is") << dose << QRectF(0, 0, 80, 5) << false << false << false;
    QTest::newRow("one line too wide") << dose << QRectF(0, 0, 30, 5) << false << true << false;
    QTest::newRow("one line too tall") << dose << QRectF(0, 0, 80, 2) << false << true << false;
    QTest::newRow("wrapped lines too tall")
            << dose.repeated(4) << QRectF(0, 0, 30, 8) << true << true << false;
    QTest::newRow("too long for any size")
            << dose.repeated(20) << QRectF(0, 0, 30, 3) << false << true << true;
}

void TestReportLayout::aTextFittedToItsBoxIsSetSmallerNeverCut()
{
    QFETCH(QString, text);
    QFETCH(QRectF, box);
    QFETCH(bool, wrapped);
    QFETCH(bool, smaller);
    QFETCH(bool, reported);
    TReportDocument document;
    ReportElement &element = document.addBand(ReportBand::Kind::Detail, box.height()).addText(box, text);
    element.wordWrap = wrapped;
    element.fitToBox = true;
    document.addBand(ReportBand::Kind::Detail, 5.0).addText(QRectF(0, 0, 30, 5), QStringLiteral("SIGUIENTE"));

    const TLaidOutReport report = ReportLayout::layOut(document);
    const PlacedElement &fitted = report.pages.first().elements.at(0);
    const QRectF placedBox = box.translated(document.page.contentRect().topLeft());
    QCOMPARE(fitted.rect, placedBox);
    QCOMPARE(report.pages.first().elements.at(1).rect.top(), placedBox.bottom());
    QCOMPARE(fitted.element.font.pointSize < element.font.pointSize, smaller);
    QCOMPARE(report.warnings.size(), reported ? 1 : 0);
    if (reported)
        return;
    const int flags = int(element.alignment) | (wrapped ? int(Qt::TextWordWrap) : 0);
    const QSizeF needed = ReportText::size(fitted.element.font, text, flags, box.width());
    QVERIFY(needed.width() <= box.width() + 1e-3 && needed.height() <= box.height() + 1e-3);
    ReportFont larger = fitted.element.font;
    larger.pointSize += 0.1;
    const QSizeF neededLarger = ReportText::size(larger, text, flags, box.width());
    QVERIFY2(!smaller || neededLarger.width() > box.width() || neededLarger.height() > box.height(),
             "set smaller than it needed");
}

void TestReportLayout::textIsDrawnAsWideAsMeasuredAtEveryResolution_data()
{
    QTest::addColumn<double>("dotsPerInch");
    QTest::newRow("screen") << 96.0;
    QTest::newRow("label printer 203 dpi") << 203.0;
    QTest::newRow("label printer 300 dpi") << 300.0;
    QTest::newRow("PDF") << 600.0;
}

void TestReportLayout::textIsDrawnAsWideAsMeasuredAtEveryResolution()
{
    QFETCH(double, dotsPerInch);
    // 5.4 pt falls between whole pixel sizes at each of these resolutions.
    const ReportFont font {kReportMonoFamily, 5.4};
    const QString text(40, QLatin1Char('W'));
    const double width = ReportText::size(font, text, Qt::AlignLeft, 0).width();
    TReportDocument document;
    document.page.margins = QMarginsF(10, 10, 10, 10);
    document.addBand(ReportBand::Kind::Title, 10.0).addText(QRectF(0, 0, width, 5), text, font);

    const QImage page = ReportPainter::renderPage(ReportLayout::layOut(document), 0, dotsPerInch);
    int rightmostInk = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = page.width() - 1; x > rightmostInk; --x) {
            if (qGray(page.pixel(x, y)) < 128) {
                rightmostInk = x;
                break;
            }
        }
    }
    const double dotsPerMm = dotsPerInch / 25.4;
    const double boxRight = (10.0 + width) * dotsPerMm;
    const double halfCharacter = width / text.size() / 2 * dotsPerMm;
    QVERIFY2(rightmostInk <= boxRight + 1.0,
             qPrintable(QStringLiteral("ink to %1, box to %2").arg(rightmostInk).arg(boxRight)));
    QVERIFY2(rightmostInk >= boxRight - halfCharacter - 1.0,
             qPrintable(QStringLiteral("ink to %1, box to %2").arg(rightmostInk).arg(boxRight)));
}

void TestReportLayout::bandTallerThanAPageDoesNotLoop()
{
    TReportDocument document;
    document.addBand(ReportBand::Kind::Detail, 10.0).addText(QRectF(0, 0, 30, 5), QStringLiteral("A"));
    document.addBand(ReportBand::Kind::Detail, 1000.0).addText(QRectF(0, 0, 30, 5), QStringLiteral("B"));
    document.addBand(ReportBand::Kind::Detail, 10.0).addText(QRectF(0, 0, 30, 5), QStringLiteral("C"));
    const TLaidOutReport report = ReportLayout::layOut(document);
    QCOMPARE(report.pageCount(), 3);
}

void TestReportLayout::sheetsFillOnePageEachShiftedByTheMargins()
{
    TReportDocument document;
    document.page = ReportPageSetup::a5(true);
    document.page.margins = QMarginsF(3.5, 2.0, 0.0, 0.0); // label stock offsets
    const double height = document.page.contentRect().height();
    for (int i = 1; i <= 3; ++i) {
        ReportBand &sheet = document.addBand(ReportBand::Kind::Detail, height);
        sheet.newPageBefore = true;
        sheet.addText(QRectF(0, 0, 50, 6), QStringLiteral("HOJA %1").arg(i));
        sheet.addBox(QRectF(0, 0, 100, height));
    }
    const TLaidOutReport report = ReportLayout::layOut(document);
    QCOMPARE(report.pageCount(), 3);
    for (int p = 0; p < 3; ++p) {
        const ReportPage &page = report.pages.at(p);
        QCOMPARE(page.elements.size(), 2);
        QCOMPARE(page.elements.first().element.text, QStringLiteral("HOJA %1").arg(p + 1));
        QCOMPARE(page.elements.first().rect.topLeft(), QPointF(3.5, 2.0));
    }
}

void TestReportLayout::barcodeThatCannotBeEncodedIsReported()
{
    ReportBand band;
    band.addBarcode(QRectF(0, 0, 40, 15), BarcodeType::Ean8, QStringLiteral("123456789"));
    const TLaidOutReport bad = ReportLayout::layOut(oneBandDocument(band.elements.first()));
    QCOMPARE(bad.warnings.size(), 1);
    QVERIFY(bad.warnings.first().contains(QStringLiteral("123456789")));

    band.elements.first().text = QStringLiteral("0012005");
    QVERIFY(ReportLayout::layOut(oneBandDocument(band.elements.first())).warnings.isEmpty());
}

void TestReportLayout::unreadablePictureIsReported()
{
    ReportBand band;
    band.addImage(QRectF(0, 0, 20, 20), QByteArrayLiteral("not a picture"));
    QCOMPARE(ReportLayout::layOut(oneBandDocument(band.elements.first())).warnings.size(), 1);
    band.elements.first().image = PngPrueba(4, 4, Qt::red);
    QVERIFY(ReportLayout::layOut(oneBandDocument(band.elements.first())).warnings.isEmpty());
}

void TestReportLayout::missingPictureIsSilent()
{
    ReportBand band;
    band.addImage(QRectF(0, 0, 20, 20), QByteArray());
    QVERIFY(ReportLayout::layOut(oneBandDocument(band.elements.first())).warnings.isEmpty());
}

QTEST_MAIN(TestReportLayout)
#include "test_report_layout.moc"
