#pragma once

#include "core/reports/ReportIoResult.h"
#include "render/LaidOutReport.h"

#include <QPrinter>

#include <functional>
#include <memory>

// Printing a laid-out report on a real printer. The printer prints the whole sheet
// (full page) and the report places itself with its own margins in millimetres, so that
// label stock is hit at the same place on every printer.
class ReportPrinting
{
public:
    enum class Outcome { Printed, PrinterNotInstalled, Failed };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        QString message; // empty when printed
    };

    // On the installed printer of that name. A name that is not installed prints nothing
    // and says so, so that the caller can offer another printer.
    static Result printOn(const TLaidOutReport &report, const QString &printerName);

    // On a printer already set up (by the print dialog: copies, page range, duplex ...).
    static Result printOn(const TLaidOutReport &report, QPrinter &printer);

    // The workstation's default printer; empty when it has none.
    static QString defaultPrinterName();

    // Where printers are found by name: the installed ones (CUPS) unless replaced. A finder
    // answers no printer for a name that is not installed. Tests put PDF files behind names.
    struct Printers
    {
        std::function<std::unique_ptr<QPrinter>(const QString &name)> find;
        std::function<QString()> defaultName;
    };
    // Installs the finder while it lives and restores the previous one afterwards.
    class PrintersInUse
    {
    public:
        explicit PrintersInUse(Printers printers);
        ~PrintersInUse();
        PrintersInUse(const PrintersInUse &) = delete;
        PrintersInUse &operator=(const PrintersInUse &) = delete;

    private:
        Printers m_previous;
    };
};
