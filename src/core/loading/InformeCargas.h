#pragma once

#include "core/loading/ConsultaCargas.h"
#include "core/loading/FiltroCargas.h"
#include "core/reports/ReportDocument.h"
#include "core/stock/InformeStock.h"

#include <QList>
#include <QString>

#include <optional>

// What the list of loads was filtered by, as its printed list heads every page with it: the
// dates as typed, the texts of the situation and category chosen, and the patient a reference
// named.
struct TCabeceraListaCargas
{
    QString Desde;
    QString Hasta;
    QString Situacion;
    QString Categoria;
    std::optional<TPacienteFiltroCargas> paciente;

    QStringList Textos() const;
};

// The printed list "CARGAS REALIZADAS": the pharmacy's logo, the filter on every page, one line
// per load (made, load identifier, preparer, delivery situation, validator, and the patient's
// reference when the list is not one patient's), the pharmacy's address and telephone, and
// "page n  / N".
TReportDocument InformeCargas(const TCabeceraListaCargas &cabecera, const QList<TFilaCarga> &filas,
                              const TMembreteFarmacia &membrete);
