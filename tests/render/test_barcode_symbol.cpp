#include "render/BarcodeSymbol.h"
#include "render/ReportPainter.h"
#include "support/LecturaEan.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

// Reads an EAN-8 back from the pixels of one scan line: 67 modules between the first and the
// last black pixel.
QString decodeEan8(const QImage &image, int y)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    if (first < 0)
        return {};
    const double module = double(last - first + 1) / 67.0;
    QByteArray bits;
    for (int m = 0; m < 67; ++m)
        bits += qGray(image.pixel(first + int((m + 0.5) * module), y)) < 128 ? '1' : '0';
    return LeerEan(bits);
}

QImage paintBarcode(const QString &data, bool showText)
{
    ReportElement element;
    element.kind = ReportElement::Kind::Barcode;
    element.barcode = BarcodeType::Ean8;
    element.text = data;
    element.barcodeShowsText = showText;
    ReportPage page;
    page.elements.append(PlacedElement {element, QRectF(5, 5, 30, 15)});

    QImage image(400, 250, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportPainter::paintPage(painter, page, 10.0); // 10 dots per millimetre
    return image;
}

} // namespace

class TestBarcodeSymbol : public QObject
{
    Q_OBJECT

private slots:
    void eanAddsOrVerifiesTheCheckDigit_data();
    void eanAddsOrVerifiesTheCheckDigit();
    void code128TakesText();
    void eanKeepsItsQuietZones();
    void paintedEan8ReadsBack_data();
    void paintedEan8ReadsBack();
    void refusedDataIsPaintedAsText();
};

void TestBarcodeSymbol::eanAddsOrVerifiesTheCheckDigit_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("printed"); // empty: refused

    const int ean8 = int(BarcodeType::Ean8);
    const int ean13 = int(BarcodeType::Ean13);
    QTest::newRow("ean8 patient 12 load 5")
            << ean8 << QStringLiteral("0012005") << QStringLiteral("00120050");
    QTest::newRow("ean8 check digit added")
            << ean8 << QStringLiteral("1234567") << QStringLiteral("12345670");
    QTest::newRow("ean8 check digit right")
            << ean8 << QStringLiteral("96385074") << QStringLiteral("96385074");
    QTest::newRow("ean8 check digit wrong") << ean8 << QStringLiteral("96385075") << QString();
    QTest::newRow("ean8 too long") << ean8 << QStringLiteral("001200501") << QString();
    QTest::newRow("ean8 too short") << ean8 << QStringLiteral("123") << QString();
    QTest::newRow("ean8 letters") << ean8 << QStringLiteral("12A4567") << QString();
    QTest::newRow("ean8 empty") << ean8 << QString() << QString();
    QTest::newRow("ean13") << ean13 << QStringLiteral("841234567890") << QStringLiteral("8412345678905");
    QTest::newRow("ean13 wrong check") << ean13 << QStringLiteral("8412345678904") << QString();
}

void TestBarcodeSymbol::eanAddsOrVerifiesTheCheckDigit()
{
    QFETCH(int, type);
    QFETCH(QString, data);
    QFETCH(QString, printed);
    const BarcodeSymbol symbol = BarcodeSymbol::encode(BarcodeType(type), data);
    QCOMPARE(symbol.isValid(), !printed.isEmpty());
    if (printed.isEmpty()) {
        QVERIFY(!symbol.error().isEmpty());
        return;
    }
    QCOMPARE(symbol.text(), printed);
    QVERIFY(!symbol.bars().isEmpty());
    QCOMPARE(symbol.extent().left(), 0.0);
}

void TestBarcodeSymbol::code128TakesText()
{
    const BarcodeSymbol symbol = BarcodeSymbol::encode(BarcodeType::Code128, QStringLiteral("LOTE-23/A"));
    QVERIFY(symbol.isValid());
    QCOMPARE(symbol.text(), QStringLiteral("LOTE-23/A"));
}

void TestBarcodeSymbol::eanKeepsItsQuietZones()
{
    // EAN-8: 67 modules of bars with 7 blank modules on each side.
    const BarcodeSymbol symbol = BarcodeSymbol::encode(BarcodeType::Ean8, QStringLiteral("0012005"));
    const double module = symbol.extent().width() / 81.0;
    QCOMPARE(qRound(symbol.bars().first().left() / module), 7);
    QCOMPARE(qRound((symbol.extent().width() - symbol.bars().last().right()) / module), 7);
}

void TestBarcodeSymbol::paintedEan8ReadsBack_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("patient 12 load 5") << QStringLiteral("0012005") << QStringLiteral("00120050");
    QTest::newRow("patient 9999 load 999") << QStringLiteral("9999999") << QStringLiteral("99999995");
    QTest::newRow("with check digit") << QStringLiteral("96385074") << QStringLiteral("96385074");
}

void TestBarcodeSymbol::paintedEan8ReadsBack()
{
    QFETCH(QString, data);
    QFETCH(QString, decoded);
    for (bool showText : {true, false}) {
        const QImage image = paintBarcode(data, showText);
        QCOMPARE(decodeEan8(image, 60), decoded); // 1 mm below the bars' top
    }
}

void TestBarcodeSymbol::refusedDataIsPaintedAsText()
{
    const QImage image = paintBarcode(QStringLiteral("123456789"), true);
    // No bars: the scan line through the middle shows text strokes, not a readable symbol.
    QVERIFY(decodeEan8(image, 125) != QStringLiteral("123456789"));
    bool inked = false;
    for (int y = 50; y < 200 && !inked; ++y) {
        for (int x = 50; x < 350 && !inked; ++x)
            inked = qGray(image.pixel(x, y)) < 128;
    }
    QVERIFY(inked);
}

QTEST_MAIN(TestBarcodeSymbol)
#include "test_barcode_symbol.moc"
