#include "SampleReport.h"
#include "render/ReportLayout.h"

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

QByteArray pngBytes()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
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
    band.elements.first().image = pngBytes();
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
