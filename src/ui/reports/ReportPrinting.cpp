#include "ui/reports/ReportPrinting.h"

#include "core/i18n/ULenguaje.h"
#include "render/ReportPainter.h"

#include <QPrinter>
#include <QPrinterInfo>

ReportPrinting::Result ReportPrinting::printOn(const TLaidOutReport &report, const QString &printerName)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (printerName.isEmpty() || info.isNull()) {
        return {Outcome::PrinterNotInstalled,
                Traducir(QStringLiteral("ERR_IMPRESORA_NO_INSTALADA"),
                         QStringLiteral("LA IMPRESORA NO ESTÁ INSTALADA: "))
                        + printerName};
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return printOn(report, printer);
}

ReportPrinting::Result ReportPrinting::printOn(const TLaidOutReport &report, QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setDocName(report.title());
    if (!printer.isValid() || !ReportPainter::print(report, printer)) {
        return {Outcome::Failed,
                Traducir(QStringLiteral("ERR_IMPRESION_INFORME"),
                         QStringLiteral("NO SE HA PODIDO IMPRIMIR EL INFORME EN: "))
                        + printer.printerName()};
    }
    return {Outcome::Printed, {}};
}
