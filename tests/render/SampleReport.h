#pragma once

#include "core/reports/ReportListing.h"

// A listing of `rows` numbered rows in groups of `groupSize`, with a fraction sign in every
// row and a title with a folder separator, as the render tests need it.
inline TReportDocument sampleListing(int rows, int groupSize = 10)
{
    ReportListing listing(QStringLiteral("Tratamientos 1/2"), ReportPageSetup::a4(),
                          {{QStringLiteral("Nº"), 15.0, Qt::AlignRight | Qt::AlignVCenter},
                           {QStringLiteral("MEDICAMENTO"), 100.0},
                           {QStringLiteral("POSOLOGÍA"), 40.0}});
    for (int i = 1; i <= rows; ++i) {
        if ((i - 1) % groupSize == 0)
            listing.addGroup(QStringLiteral("Grupo %1").arg((i - 1) / groupSize + 1));
        listing.addRow(
                {QString::number(i), QStringLiteral("Medicamento %1").arg(i), QStringLiteral("1-0-½-0")});
    }
    return listing.document();
}
