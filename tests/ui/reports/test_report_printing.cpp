#include "core/reports/ReportListing.h"
#include "render/ReportLayout.h"
#include "ui/reports/ReportPrinting.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TLaidOutReport threePages()
{
    ReportListing listing(QStringLiteral("LISTADO"), ReportPageSetup::a4(), {{QStringLiteral("A"), 50.0}});
    for (int i = 0; i < 120; ++i)
        listing.addRow({QString::number(i)});
    return ReportLayout::layOut(listing.document());
}

int pdfPages(const QString &path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    pdfinfo.waitForFinished(60000);
    const QString fields = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(fields).captured(1).toInt();
}

} // namespace

class TestReportPrinting : public QObject
{
    Q_OBJECT

private slots:
    void printerThatIsNotInstalledIsReported_data();
    void printerThatIsNotInstalledIsReported();
    void printsEveryPageOrTheChosenRange_data();
    void printsEveryPageOrTheChosenRange();
};

void TestReportPrinting::printerThatIsNotInstalledIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown") << QStringLiteral("ETIQUETAS-NO-EXISTE");
    QTest::newRow("empty") << QString();
}

void TestReportPrinting::printerThatIsNotInstalledIsReported()
{
    QFETCH(QString, name);
    const ReportPrinting::Result result = ReportPrinting::printOn(threePages(), name);
    QCOMPARE(result.outcome, ReportPrinting::Outcome::PrinterNotInstalled);
    QVERIFY(result.message.startsWith(QStringLiteral("LA IMPRESORA NO ESTÁ INSTALADA: ")));
    QVERIFY(result.message.endsWith(name));
}

void TestReportPrinting::printsEveryPageOrTheChosenRange_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("printed");
    QTest::newRow("all") << 0 << 0 << 3;
    QTest::newRow("second only") << 2 << 2 << 1;
    QTest::newRow("two to three") << 2 << 3 << 2;
}

void TestReportPrinting::printsEveryPageOrTheChosenRange()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, printed);
    const TLaidOutReport report = threePages();
    QCOMPARE(report.pageCount(), 3);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("impreso.pdf")));
    printer.setFromTo(from, to);
    const ReportPrinting::Result result = ReportPrinting::printOn(report, printer);
    QCOMPARE(result.outcome, ReportPrinting::Outcome::Printed);
    QVERIFY(printer.fullPage());
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("pdfinfo is not installed");
    QCOMPARE(pdfPages(printer.outputFileName()), printed);
}

QTEST_MAIN(TestReportPrinting)
#include "test_report_printing.moc"
