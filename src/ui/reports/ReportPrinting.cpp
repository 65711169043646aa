#include "ui/reports/ReportPrinting.h"

#include "core/i18n/ULenguaje.h"
#include "render/ReportPainter.h"

#include <QPrinterInfo>

#include <utility>

namespace {

ReportPrinting::Printers installedPrinters()
{
    return {[](const QString &name) -> std::unique_ptr<QPrinter> {
                const QPrinterInfo info = QPrinterInfo::printerInfo(name);
                if (name.isEmpty() || info.isNull())
                    return nullptr;
                return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            },
            [] { return QPrinterInfo::defaultPrinterName(); }};
}

ReportPrinting::Printers &printers()
{
    static ReportPrinting::Printers current = installedPrinters();
    return current;
}

} // namespace

ReportPrinting::PrintersInUse::PrintersInUse(Printers replacement)
    : m_previous(std::exchange(printers(), std::move(replacement)))
{ }

ReportPrinting::PrintersInUse::~PrintersInUse()
{
    printers() = std::move(m_previous);
}

QString ReportPrinting::defaultPrinterName()
{
    return printers().defaultName ? printers().defaultName() : QString();
}

ReportPrinting::Result ReportPrinting::printOn(const TLaidOutReport &report, const QString &printerName)
{
    const std::unique_ptr<QPrinter> printer
            = printerName.isEmpty() || !printers().find ? nullptr : printers().find(printerName);
    if (!printer) {
        return {Outcome::PrinterNotInstalled,
                Traducir(QStringLiteral("ERR_IMPRESORA_NO_INSTALADA"),
                         QStringLiteral("LA IMPRESORA NO ESTÁ INSTALADA: "))
                        + printerName};
    }
    return printOn(report, *printer);
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
