#include "core/reports/ReportListing.h"
#include "core/reports/ReportTextRows.h"

#include <QtTest>

namespace {

QStringList texts(const ReportTextRow &row)
{
    QStringList result;
    for (const ReportTextCell &cell : row.cells)
        result.append(cell.text);
    return result;
}

} // namespace

class TestReportTextRows : public QObject
{
    Q_OBJECT

private slots:
    void elementsOfOneLineFormOneRowLeftToRight();
    void headersOnceFootersAndPageNumbersNever();
    void picturesAndEmptyTextsAreLeftOut();
    void barcodeGivesItsData();
    void listingGivesHeadingsThenGroupsAndRows();
};

void TestReportTextRows::elementsOfOneLineFormOneRowLeftToRight()
{
    TReportDocument document;
    ReportBand &band = document.addBand(ReportBand::Kind::Detail, 12.0);
    band.addText(QRectF(60, 0.5, 20, 5), QStringLiteral("C"));
    band.addText(QRectF(0, 0, 20, 5), QStringLiteral("A"), ReportFont {kReportSansFamily, 9, true, false});
    band.addText(QRectF(30, 6, 20, 5), QStringLiteral("D"));
    band.addText(QRectF(30, 1, 20, 5), QStringLiteral("B\nB2"));
    const QList<ReportTextRow> rows = ReportTextRows::build(document);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(texts(rows.at(0)),
             (QStringList {QStringLiteral("A"), QStringLiteral("B B2"), QStringLiteral("C")}));
    QVERIFY(rows.at(0).cells.at(0).bold);
    QCOMPARE(rows.at(0).cells.at(2).x, 60.0);
    QCOMPARE(texts(rows.at(1)), QStringList {QStringLiteral("D")});
}

void TestReportTextRows::headersOnceFootersAndPageNumbersNever()
{
    TReportDocument document;
    ReportBand &header = document.addBand(ReportBand::Kind::PageHeader, 5.0);
    header.addText(QRectF(0, 0, 50, 5), QStringLiteral("CABECERA"));
    header.addPageNumber(QRectF(100, 0, 20, 5), QStringLiteral("%1/%2"));
    document.addBand(ReportBand::Kind::Detail, 5.0).addText(QRectF(0, 0, 50, 5), QStringLiteral("fila"));
    document.addBand(ReportBand::Kind::PageHeader, 5.0).addText(QRectF(0, 0, 50, 5), QStringLiteral("OTRA"));
    document.addBand(ReportBand::Kind::PageFooter, 5.0).addText(QRectF(0, 0, 50, 5), QStringLiteral("PIE"));
    const QList<ReportTextRow> rows = ReportTextRows::build(document);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(texts(rows.at(0)), QStringList {QStringLiteral("CABECERA")});
    QCOMPARE(texts(rows.at(1)), QStringList {QStringLiteral("fila")});
}

void TestReportTextRows::picturesAndEmptyTextsAreLeftOut()
{
    TReportDocument document;
    ReportBand &band = document.addBand(ReportBand::Kind::Title, 50.0);
    band.addImage(QRectF(0, 0, 20, 20), QByteArray("x"));
    band.addText(QRectF(0, 30, 20, 5), QStringLiteral("   "));
    band.addBox(QRectF(0, 0, 50, 50));
    QVERIFY(ReportTextRows::build(document).isEmpty());
}

void TestReportTextRows::barcodeGivesItsData()
{
    TReportDocument document;
    document.addBand(ReportBand::Kind::Title, 20.0)
            .addBarcode(QRectF(0, 0, 30, 15), BarcodeType::Ean8, QStringLiteral("0012005"));
    QCOMPARE(texts(ReportTextRows::build(document).first()), QStringList {QStringLiteral("0012005")});
}

void TestReportTextRows::listingGivesHeadingsThenGroupsAndRows()
{
    ReportListing listing(QStringLiteral("LISTADO"), ReportPageSetup::a4(),
                          {{QStringLiteral("UNO"), 20.0}, {QStringLiteral("DOS"), 30.0}});
    listing.addGroup(QStringLiteral("G1"));
    listing.addRow({QStringLiteral("a"), QStringLiteral("b")});
    listing.addRow({QStringLiteral("c")});
    listing.addRow({QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("ignored")});
    const QList<ReportTextRow> rows = ReportTextRows::build(listing.document());
    QCOMPARE(rows.size(), 6);
    QCOMPARE(texts(rows.at(0)), QStringList {QStringLiteral("LISTADO")});
    QCOMPARE(texts(rows.at(1)), (QStringList {QStringLiteral("UNO"), QStringLiteral("DOS")}));
    QCOMPARE(texts(rows.at(2)), QStringList {QStringLiteral("G1")});
    QCOMPARE(texts(rows.at(3)), (QStringList {QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(texts(rows.at(4)), QStringList {QStringLiteral("c")});
    QCOMPARE(texts(rows.at(5)), (QStringList {QStringLiteral("d"), QStringLiteral("e")}));
    QCOMPARE(rows.at(5).cells.at(1).x, 21.0); // the second column starts at 20 mm, plus padding
}

QTEST_GUILESS_MAIN(TestReportTextRows)
#include "test_report_text_rows.moc"
