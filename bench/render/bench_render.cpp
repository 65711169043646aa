// Figures for the report engine: laying out, drawing on the preview and writing a PDF of a
// full-page week grid (the widest label sheet) and of a long listing.
#include "core/reports/ReportListing.h"
#include "render/PdfExport.h"
#include "render/ReportLayout.h"
#include "render/ReportPainter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray photo()
{
    QImage image(300, 400, QImage::Format_RGB32);
    image.fill(QColor(120, 160, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 20);
    return bytes;
}

// A4 landscape: patient block with photo and bar code, 20 medication lines, 7 x 4 cells.
TReportDocument weekGridSheet()
{
    TReportDocument document;
    document.title = QStringLiteral("Etiquetas GARCIA LOPEZ, MARIA");
    document.page = ReportPageSetup::a4(true);
    ReportBand &sheet = document.addBand(ReportBand::Kind::Title, 190.0);
    const ReportFont mono {kReportMonoFamily, 7.0, false, false};
    sheet.addText(QRectF(0, 0, 80, 6), QStringLiteral("GARCIA LOPEZ, MARIA"),
                  ReportFont {kReportSansFamily, 12, true, false});
    sheet.addImage(QRectF(0, 8, 25, 33), photo());
    sheet.addBarcode(QRectF(30, 8, 35, 16), BarcodeType::Ean8, QStringLiteral("0012005"));
    for (int line = 0; line < 20; ++line) {
        sheet.addText(
                QRectF(0, 45 + line * 4.0, 90, 4),
                QStringLiteral("%1 SINTROM 4 MG 20 COMPRIMIDOS   COM REDONDA  1-0-½-0").arg(600000 + line),
                mono);
    }
    const QStringList days {QStringLiteral("LUNES"),  QStringLiteral("MARTES"),  QStringLiteral("MIÉRCOLES"),
                            QStringLiteral("JUEVES"), QStringLiteral("VIERNES"), QStringLiteral("SÁBADO"),
                            QStringLiteral("DOMINGO")};
    for (int cell = 0; cell < 28; ++cell) {
        const QRectF box(95 + (cell / 4) * 26.0, 10 + (cell % 4) * 44.0, 26, 44);
        sheet.addBox(box);
        if (cell % 4 == 0)
            sheet.addText(QRectF(box.left(), 4, 26, 5), days.at(cell / 4), mono, Qt::AlignCenter);
        QStringList contents;
        for (int row = 0; row < 4; ++row)
            contents.append(QStringLiteral("½ (%1) 6000%2 SINTROM 4 MG").arg(row + 1).arg(row));
        ReportElement &text = sheet.addText(box.adjusted(1, 1, -1, -1), contents.join(QLatin1Char('\n')),
                                            mono, Qt::AlignLeft | Qt::AlignTop);
        text.wordWrap = true;
    }
    return document;
}

TReportDocument listing(int rows)
{
    ReportListing listing(QStringLiteral("LISTADO TRATAMIENTOS"), ReportPageSetup::a4(),
                          {{QStringLiteral("PACIENTE"), 50.0},
                           {QStringLiteral("MEDICAMENTO"), 90.0},
                           {QStringLiteral("POSOLOGÍA"), 40.0}});
    for (int i = 0; i < rows; ++i) {
        if (i % 12 == 0)
            listing.addGroup(QStringLiteral("PACIENTE %1").arg(i / 12));
        listing.addRow({QStringLiteral("GARCIA LOPEZ, MARIA"), QStringLiteral("SINTROM 4 MG 20 COMPRIMIDOS"),
                        QStringLiteral("1-0-½-0")});
    }
    return listing.document();
}

void BM_LayOutWeekGrid(benchmark::State &state)
{
    const TReportDocument document = weekGridSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportLayout::layOut(document));
}
BENCHMARK(BM_LayOutWeekGrid)->Unit(benchmark::kMillisecond);

void BM_WeekGridToPdf(benchmark::State &state)
{
    const TLaidOutReport report = ReportLayout::layOut(weekGridSheet());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("etiqueta.pdf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(PdfExport::write(report, path));
}
BENCHMARK(BM_WeekGridToPdf)->Unit(benchmark::kMillisecond);

void BM_WeekGridPreviewPage(benchmark::State &state)
{
    const TLaidOutReport report = ReportLayout::layOut(weekGridSheet());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportPainter::renderPage(report, 0, 96.0));
}
BENCHMARK(BM_WeekGridPreviewPage)->Unit(benchmark::kMillisecond);

void BM_ListingToPdf(benchmark::State &state)
{
    const TReportDocument document = listing(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("listado.pdf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(PdfExport::write(ReportLayout::layOut(document), path));
    state.counters["pages"] = ReportLayout::layOut(document).pageCount();
}
BENCHMARK(BM_ListingToPdf)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
