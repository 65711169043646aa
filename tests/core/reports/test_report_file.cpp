#include "core/reports/ReportFile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

TReportDocument everyKindOfElement()
{
    TReportDocument document;
    document.title = QStringLiteral("Etiquetas GARCÍA / LÓPEZ");
    document.page = ReportPageSetup::a5(true);
    document.page.margins = QMarginsF(3.5, 2.0, 0, 0);
    ReportBand &band = document.addBand(ReportBand::Kind::Title, 120.0);
    band.keepWithNext = true;
    band.addText(QRectF(1, 2, 50, 6), QStringLiteral("1-0-½-0 ¼ ¾"),
                 ReportFont {kReportMonoFamily, 8.5, true, true}, Qt::AlignRight | Qt::AlignBottom)
            .wordWrap
            = true;
    band.addPageNumber(QRectF(60, 2, 20, 6), QStringLiteral("%1/%2"));
    band.addImage(QRectF(0, 10, 30, 40), QByteArray("\x89PNG\r\n\x1a\n and some bytes", 25));
    band.addBarcode(QRectF(40, 10, 30, 15), BarcodeType::Code128, QStringLiteral("LOTE-1")).barcodeShowsText
            = false;
    band.addLine(QPointF(0, 60), QPointF(100, 55), 0.5);
    band.addBox(QRectF(0, 0, 140, 118));
    ReportBand &footer = document.addBand(ReportBand::Kind::PageFooter, 5.0);
    footer.newPageBefore = true;
    return document;
}

QByteArray withVersion(QByteArray bytes, quint16 version)
{
    bytes[18] = char(version >> 8);
    bytes[19] = char(version & 0xff);
    return bytes;
}

} // namespace

class TestReportFile : public QObject
{
    Q_OBJECT

private slots:
    void savedReportOpensAsItWas();
    void truncatedFileIsRefused_data();
    void truncatedFileIsRefused();
    void foreignFileIsRefused_data();
    void foreignFileIsRefused();
    void damagedFileIsRefused_data();
    void damagedFileIsRefused();
    void unprintablePageIsRefused_data();
    void unprintablePageIsRefused();
    void unreadableFontIsRefused();
    void newerFormatIsRefused();
    void missingFileIsReported();
    void savingOverAnOldFileReplacesIt();
};

void TestReportFile::savedReportOpensAsItWas()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("informe.qrp"));
    const TReportDocument document = everyKindOfElement();
    QVERIFY(TReportFile::save(document, path).ok());
    const TReportFile::Opened opened = TReportFile::open(path);
    QVERIFY2(opened.document.has_value(), qPrintable(opened.error));
    QCOMPARE(opened.error, QString());
    QVERIFY(*opened.document == document);
}

void TestReportFile::truncatedFileIsRefused_data()
{
    QTest::addColumn<int>("kept");
    const int size = int(TReportFile::encode(everyKindOfElement()).size());
    QTest::newRow("marker only") << 18;
    QTest::newRow("inside the header") << 30;
    QTest::newRow("header only") << 60;
    QTest::newRow("half") << size / 2;
    QTest::newRow("last byte missing") << size - 1;
}

void TestReportFile::truncatedFileIsRefused()
{
    QFETCH(int, kept);
    const TReportFile::Opened opened
            = TReportFile::decode(TReportFile::encode(everyKindOfElement()).left(kept));
    QVERIFY(!opened.document);
    QVERIFY2(opened.error.contains(QStringLiteral("INCOMPLETO")), qPrintable(opened.error));
}

void TestReportFile::foreignFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("pdf") << QByteArray("%PDF-1.4\n%...");
    QTest::newRow("text") << QByteArray("PACIENTE;MEDICAMENTO\n");
    QTest::newRow("marker cut short") << QByteArray("PASTILLERO REP");
    QTest::newRow("marker without its zero") << QByteArray("PASTILLERO REPORT!").append(60, 'x');
}

void TestReportFile::foreignFileIsRefused()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ajeno.qrp"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const TReportFile::Opened opened = TReportFile::open(path);
    QVERIFY(!opened.document);
    QVERIFY2(opened.error.contains(QStringLiteral("NO ES UN INFORME")), qPrintable(opened.error));
}

void TestReportFile::damagedFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = TReportFile::encode(everyKindOfElement());
    QByteArray flipped = good;
    flipped[good.size() - 10] = char(flipped.at(good.size() - 10) ^ 0x5a);
    QTest::newRow("a byte changed") << flipped;
    QTest::newRow("bytes appended") << good + QByteArray("extra");
    QTest::newRow("version zero") << withVersion(good, 0);
    QByteArray badHash = good;
    badHash[30] = char(badHash.at(30) ^ 1);
    QTest::newRow("checksum changed") << badHash;
}

void TestReportFile::damagedFileIsRefused()
{
    QFETCH(QByteArray, bytes);
    const TReportFile::Opened opened = TReportFile::decode(bytes);
    QVERIFY(!opened.document);
    QVERIFY2(opened.error.contains(QStringLiteral("DAÑADO")), qPrintable(opened.error));
}

void TestReportFile::unprintablePageIsRefused_data()
{
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<QMarginsF>("margins");
    QTest::newRow("no paper") << QSizeF(0, 0) << QMarginsF();
    QTest::newRow("negative paper") << QSizeF(-210, 297) << QMarginsF();
    QTest::newRow("huge paper") << QSizeF(210, 1.0e9) << QMarginsF();
    QTest::newRow("not a number") << QSizeF(qQNaN(), 297) << QMarginsF();
    QTest::newRow("negative margin") << QSizeF(210, 297) << QMarginsF(-5, 0, 0, 0);
    QTest::newRow("margin beyond the sheet") << QSizeF(210, 297) << QMarginsF(0, 400, 0, 0);
}

void TestReportFile::unprintablePageIsRefused()
{
    QFETCH(QSizeF, paper);
    QFETCH(QMarginsF, margins);
    TReportDocument document = everyKindOfElement();
    document.page.paperSize = paper;
    document.page.margins = margins;
    const TReportFile::Opened opened = TReportFile::decode(TReportFile::encode(document));
    QVERIFY(!opened.document);
    QVERIFY2(opened.error.contains(QStringLiteral("DAÑADO")), qPrintable(opened.error));
}

void TestReportFile::unreadableFontIsRefused()
{
    TReportDocument document = everyKindOfElement();
    document.bands.first().elements.first().font.pointSize = 0.0;
    QVERIFY(!TReportFile::decode(TReportFile::encode(document)).document);
    document.bands.first().elements.first().font.pointSize = 1.0e6;
    QVERIFY(!TReportFile::decode(TReportFile::encode(document)).document);
}

void TestReportFile::newerFormatIsRefused()
{
    const QByteArray newer
            = withVersion(TReportFile::encode(everyKindOfElement()), TReportFile::kVersion + 1);
    const TReportFile::Opened opened = TReportFile::decode(newer);
    QVERIFY(!opened.document);
    QVERIFY2(opened.error.contains(QStringLiteral("MÁS RECIENTE")), qPrintable(opened.error));
}

void TestReportFile::missingFileIsReported()
{
    const TReportFile::Opened opened = TReportFile::open(QStringLiteral("/nonexistent/informe.qrp"));
    QVERIFY(!opened.document);
    QVERIFY(opened.error.contains(QStringLiteral("/nonexistent/informe.qrp")));
}

void TestReportFile::savingOverAnOldFileReplacesIt()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("informe.qrp"));
    TReportDocument first = everyKindOfElement();
    QVERIFY(TReportFile::save(first, path).ok());
    TReportDocument second;
    second.title = QStringLiteral("otro");
    QVERIFY(TReportFile::save(second, path).ok());
    QCOMPARE(TReportFile::open(path).document->title, QStringLiteral("otro"));
    QVERIFY(!TReportFile::save(second, dir.filePath(QStringLiteral("missing/informe.qrp"))).ok());
}

QTEST_GUILESS_MAIN(TestReportFile)
#include "test_report_file.moc"
