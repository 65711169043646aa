#include "render/RtfExport.h"

#include "core/reports/ReportTextRows.h"

namespace {

constexpr double kTwipsPerMm = 1440.0 / 25.4;

QByteArray twips(double mm)
{
    return QByteArray::number(qRound(mm * kTwipsPerMm));
}

QByteArray pageSetup(const ReportPageSetup &page)
{
    const QSizeF size = page.pageSize();
    QByteArray rtf = "\\paperw" + twips(size.width()) + "\\paperh" + twips(size.height()) + "\\margl"
            + twips(page.margins.left()) + "\\margr" + twips(page.margins.right()) + "\\margt"
            + twips(page.margins.top()) + "\\margb" + twips(page.margins.bottom());
    if (page.landscape)
        rtf += "\\landscape";
    return rtf + '\n';
}

QByteArray paragraph(const ReportTextRow &row)
{
    QByteArray rtf = "\\pard\\plain\\f0\\fs18";
    for (const ReportTextCell &cell : row.cells) {
        if (cell.alignedRight)
            rtf += "\\tqr\\tx" + twips(cell.x + cell.width);
        else if (cell.x > 0.0)
            rtf += "\\tx" + twips(cell.x);
    }
    rtf += ' ';
    for (const ReportTextCell &cell : row.cells) {
        if (cell.x > 0.0 || cell.alignedRight)
            rtf += "\\tab ";
        const QByteArray text = RtfExport::escaped(cell.text);
        rtf += cell.bold ? "{\\b " + text + '}' : text;
    }
    return rtf + "\\par\n";
}

} // namespace

QByteArray RtfExport::escaped(const QString &text)
{
    QByteArray rtf;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\\' || code == u'{' || code == u'}') {
            rtf += '\\';
            rtf += char(code);
        } else if (code == u'\t') {
            rtf += "\\tab ";
        } else if (code >= 0x20 && code < 0x80) {
            rtf += char(code);
        } else if (code >= 0x80) {
            // \uN takes a signed 16-bit number; "?" is what readers without Unicode show.
            rtf += "\\u" + QByteArray::number(qint16(code)) + '?';
        }
    }
    return rtf;
}

QByteArray RtfExport::rtf(const TReportDocument &document)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss "
            + kReportSansFamily.toLatin1() + ";}}\n";
    rtf += pageSetup(document.page);
    for (const ReportTextRow &row : ReportTextRows::build(document))
        rtf += paragraph(row);
    return rtf + "}\n";
}

ReportIoResult RtfExport::write(const TLaidOutReport &report, const QString &path)
{
    return writeFileAtomically(path, rtf(report.document));
}
