#include "SampleReport.h"
#include "core/reports/ReportFile.h"
#include "render/PdfExport.h"
#include "render/ReportExport.h"
#include "render/ReportLayout.h"
#include "render/RtfExport.h"
#include "render/TextExport.h"
#include "render/XlsxExport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// Runs a reader program and gives its standard output; skips the test when it is not installed.
#define RUN_READER(output, program, arguments) \
    if (QStandardPaths::findExecutable(program).isEmpty()) \
        QSKIP(program " is not installed"); \
    const QByteArray output = runReader(QStringLiteral(program), arguments)

QByteArray runReader(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return process.readAllStandardOutput();
}

// Makes every write beyond `bytes` fail, as a full disk does, for one scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved {};
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestReportExports : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void everyFormatReplacesTheOldFileWhole_data();
    void everyFormatReplacesTheOldFileWhole();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void failedExportReportsAndLeavesNothing_data();
    void failedExportReportsAndLeavesNothing();
    void pdfHoldsEveryPageAndItsText();
    void labelSheetPdfKeepsFractionSignsInBothFamilies();
    void textKeepsColumnsAndFractionSigns();
    void rtfEscapesWhatItMust();
    void rtfReadsBackAsPlainText();
    void spreadsheetReadsBackWithARealReader();
    void spreadsheetKeepsEmptyCellsInTheirColumn();
    void savedReportOpensAgain();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    TLaidOutReport m_report;
};

void TestReportExports::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_report = ReportLayout::layOut(sampleListing(120));
}

void TestReportExports::everyFormatReplacesTheOldFileWhole_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("pdf") << int(ReportFormat::Pdf) << QByteArray("%PDF-");
    QTest::newRow("xlsx") << int(ReportFormat::Spreadsheet) << QByteArray("PK");
    QTest::newRow("rtf") << int(ReportFormat::RichText) << QByteArray("{\\rtf1");
    QTest::newRow("txt") << int(ReportFormat::PlainText) << QByteArray("Tratamientos 1/2");
    QTest::newRow("saved") << int(ReportFormat::SavedReport) << QByteArray("PASTILLERO REPORT");
}

void TestReportExports::everyFormatReplacesTheOldFileWhole()
{
    QFETCH(int, format);
    QFETCH(QByteArray, start);
    const QString path
            = m_dir->filePath(QStringLiteral("informe.") + ReportExport::extension(ReportFormat(format)));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("OLD CONTENTS");
    old.close();

    const ReportIoResult result = ReportExport::write(m_report, ReportFormat(format), path);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QVERIFY(readAll(path).startsWith(start));
    // Nothing but the file itself is left in the folder.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestReportExports::fullDiskKeepsTheOldFile_data()
{
    everyFormatReplacesTheOldFileWhole_data();
}

void TestReportExports::fullDiskKeepsTheOldFile()
{
    QFETCH(int, format);
    const QString path
            = m_dir->filePath(QStringLiteral("informe.") + ReportExport::extension(ReportFormat(format)));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("OLD CONTENTS");
    old.close();

    ReportIoResult result;
    {
        const FileSizeLimit fullDisk(1024);
        result = ReportExport::write(m_report, ReportFormat(format), path);
    }
    QVERIFY(!result.ok());
    QVERIFY(result.error.contains(path));
    QCOMPARE(readAll(path), QByteArray("OLD CONTENTS"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestReportExports::failedExportReportsAndLeavesNothing_data()
{
    everyFormatReplacesTheOldFileWhole_data();
}

void TestReportExports::failedExportReportsAndLeavesNothing()
{
    QFETCH(int, format);
    const QString path = m_dir->filePath(QStringLiteral("no-such-folder/informe.out"));
    const ReportIoResult result = ReportExport::write(m_report, ReportFormat(format), path);
    QVERIFY(!result.ok());
    QVERIFY(result.error.contains(path));
    QVERIFY(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

void TestReportExports::pdfHoldsEveryPageAndItsText()
{
    const QString path = m_dir->filePath(QStringLiteral("informe.pdf"));
    QVERIFY(ReportExport::write(m_report, ReportFormat::Pdf, path).ok());

    RUN_READER(info, "pdfinfo", QStringList {path});
    const QString fields = QString::fromUtf8(info);
    QCOMPARE(QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(fields).captured(1).toInt(),
             m_report.pageCount());
    QVERIFY(QRegularExpression(QStringLiteral("Title:\\s+Tratamientos 1/2")).match(fields).hasMatch());
    RUN_READER(text, "pdftotext",
               (QStringList {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")}));
    const QString content = QString::fromUtf8(text);
    QVERIFY(content.contains(QStringLiteral("Medicamento 120")));
    QVERIFY(content.contains(QStringLiteral("1-0-½-0")));
    QVERIFY(content.contains(QStringLiteral("POSOLOGÍA")));
    QVERIFY(content.contains(QStringLiteral("%1/%1").arg(m_report.pageCount())));
}

void TestReportExports::labelSheetPdfKeepsFractionSignsInBothFamilies()
{
    TReportDocument sheet;
    sheet.title = QStringLiteral("Etiquetas");
    sheet.page = ReportPageSetup::a5(true);
    ReportBand &band = sheet.addBand(ReportBand::Kind::Title, 100.0);
    band.addText(QRectF(0, 0, 120, 6), QStringLiteral("SANS 1-0-½-0 ¼-0-0-0 1¾"));
    band.addText(QRectF(0, 10, 120, 6), QStringLiteral("MONO 1-0-½-0 ¼-0-0-0 1¾"),
                 ReportFont {kReportMonoFamily, 8.0, false, false});
    band.addBarcode(QRectF(0, 20, 40, 15), BarcodeType::Ean8, QStringLiteral("0012005"));
    const QString path = m_dir->filePath(QStringLiteral("etiqueta.pdf"));
    QVERIFY(PdfExport::write(ReportLayout::layOut(sheet), path).ok());

    RUN_READER(text, "pdftotext",
               (QStringList {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")}));
    const QString content = QString::fromUtf8(text);
    QVERIFY2(content.contains(QStringLiteral("SANS 1-0-½-0 ¼-0-0-0 1¾")), qPrintable(content));
    QVERIFY2(content.contains(QStringLiteral("MONO 1-0-½-0 ¼-0-0-0 1¾")), qPrintable(content));
    QVERIFY(content.contains(QStringLiteral("00120050")));
    RUN_READER(fonts, "pdffonts", QStringList {path});
    QVERIFY(fonts.contains("DejaVuSans"));
    QVERIFY(fonts.contains("DejaVuSansMono"));
}

void TestReportExports::textKeepsColumnsAndFractionSigns()
{
    const QStringList lines = TextExport::text(m_report.document).split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), QStringLiteral("Tratamientos 1/2")); // page header once, no page number
    QCOMPARE(lines.count(QStringLiteral("Tratamientos 1/2")), 1);
    const QString row = lines.at(lines.indexOf(QStringLiteral("Grupo 1")) + 1);
    // Cells stand where they stand on the page: the name at 16 mm, the dose at 116 mm.
    QCOMPARE(row.indexOf(QStringLiteral("1 ")), 6); // the number column is right-aligned, ending at 14 mm
    QCOMPARE(row.indexOf(QStringLiteral("Medicamento 1")), 8);
    QCOMPARE(row.indexOf(QStringLiteral("1-0-½-0")), 58);
}

void TestReportExports::rtfEscapesWhatItMust()
{
    QCOMPARE(RtfExport::escaped(QStringLiteral("a{b}c\\d")), QByteArray("a\\{b\\}c\\\\d"));
    QCOMPARE(RtfExport::escaped(QStringLiteral("½ ¼ ¾")), QByteArray("\\u189? \\u188? \\u190?"));
    QCOMPARE(RtfExport::escaped(QStringLiteral("Ñ€")), QByteArray("\\u209?\\u8364?"));
    QCOMPARE(RtfExport::escaped(QStringLiteral("\u4E2D")), QByteArray("\\u20013?"));
    QCOMPARE(RtfExport::escaped(QStringLiteral("\uFFFD")), QByteArray("\\u-3?"));
}

void TestReportExports::rtfReadsBackAsPlainText()
{
    const QByteArray rtf = RtfExport::rtf(m_report.document);
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf.at(i) == '\\') {
            ++i; // an escaped character or the first letter of a control word
            continue;
        }
        depth += rtf.at(i) == '{' ? 1 : rtf.at(i) == '}' ? -1 : 0;
        QVERIFY(depth >= 0);
    }
    QCOMPARE(depth, 0);
    QVERIFY(rtf.contains("\\paperw11906\\paperh16838"));
    QVERIFY(rtf.contains("Medicamento 77"));
    QVERIFY(rtf.contains("1-0-\\u189?-0"));
    QVERIFY(rtf.contains("\\tqr\\tx794\\tx907\\tx6576 \\tab 1\\tab Medicamento 1\\tab"));
}

void TestReportExports::spreadsheetReadsBackWithARealReader()
{
    const QString path = m_dir->filePath(QStringLiteral("informe.xlsx"));
    QVERIFY(ReportExport::write(m_report, ReportFormat::Spreadsheet, path).ok());
    if (!QStandardPaths::findExecutable(QStringLiteral("libreoffice")).isEmpty()) {
        runReader(QStringLiteral("libreoffice"),
                  {QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("csv"),
                   QStringLiteral("--outdir"), m_dir->path(), path});
        const QString csv = QString::fromUtf8(readAll(m_dir->filePath(QStringLiteral("informe.csv"))));
        QVERIFY(csv.contains(QStringLiteral("120,Medicamento 120,1-0-½-0")));
        return;
    }
    RUN_READER(strings, "unzip",
               (QStringList {QStringLiteral("-p"), path, QStringLiteral("xl/sharedStrings.xml")}));
    const QString xml = QString::fromUtf8(strings);
    QVERIFY(xml.contains(QStringLiteral("<t>Medicamento 120</t>")));
    QVERIFY(xml.contains(QStringLiteral("<t>1-0-½-0</t>")));
    QVERIFY(xml.contains(QStringLiteral("<t>POSOLOGÍA</t>")));
}

void TestReportExports::spreadsheetKeepsEmptyCellsInTheirColumn()
{
    ReportListing listing(
            QStringLiteral("T"), ReportPageSetup::a4(),
            {{QStringLiteral("UNO"), 20.0}, {QStringLiteral("DOS"), 20.0}, {QStringLiteral("TRES"), 20.0}});
    listing.addRow({QString(), QStringLiteral("b2"), QStringLiteral("c2")});
    listing.addRow({QStringLiteral("a3"), QString(), QStringLiteral("c3")});
    const QString path = m_dir->filePath(QStringLiteral("huecos.xlsx"));
    QVERIFY(XlsxExport::write(ReportLayout::layOut(listing.document()), path).ok());

    RUN_READER(sheet, "unzip",
               (QStringList {QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/sheet1.xml")}));
    RUN_READER(strings, "unzip",
               (QStringList {QStringLiteral("-p"), path, QStringLiteral("xl/sharedStrings.xml")}));
    // Cell reference -> text, through the shared strings table.
    QStringList shared;
    for (const QRegularExpressionMatch &m :
         QRegularExpression(QStringLiteral("<t>([^<]*)</t>")).globalMatch(QString::fromUtf8(strings)))
        shared.append(m.captured(1));
    QMap<QString, QString> cells;
    const QRegularExpression cell(QStringLiteral("<c r=\"([A-Z]+[0-9]+)\"[^>]*t=\"s\"[^>]*><v>([0-9]+)</v>"));
    for (const QRegularExpressionMatch &m : cell.globalMatch(QString::fromUtf8(sheet)))
        cells.insert(m.captured(1), shared.value(m.captured(2).toInt()));
    QCOMPARE(cells.value(QStringLiteral("A2")), QStringLiteral("UNO"));
    QCOMPARE(cells.value(QStringLiteral("B3")), QStringLiteral("b2"));
    QCOMPARE(cells.value(QStringLiteral("C3")), QStringLiteral("c2"));
    QCOMPARE(cells.value(QStringLiteral("A4")), QStringLiteral("a3"));
    QCOMPARE(cells.value(QStringLiteral("C4")), QStringLiteral("c3"));
    QVERIFY(!cells.contains(QStringLiteral("A3")));
}

void TestReportExports::savedReportOpensAgain()
{
    const QString path = m_dir->filePath(QStringLiteral("informe.qrp"));
    QVERIFY(ReportExport::write(m_report, ReportFormat::SavedReport, path).ok());
    const TReportFile::Opened opened = TReportFile::open(path);
    QVERIFY2(opened.document.has_value(), qPrintable(opened.error));
    QVERIFY(*opened.document == m_report.document);
}

QTEST_MAIN(TestReportExports)
#include "test_report_exports.moc"
