#pragma once

#include "core/reports/ReportDocument.h"
#include "core/stock/InformeStock.h"
#include "core/stock/Trazabilidad.h"

// What the traceability listing was asked for: the medication's code as typed, its name in the
// catalogue (empty when the code is not there) and the lot.
struct TCabeceraTrazabilidad
{
    QString Codigo;
    QString Medicamento;
    QString Lote;
};

class TDM;

// The header of the codes as typed: the name is the catalogue's `Medicamento` of the code.
TCabeceraTrazabilidad CabeceraTrazabilidad(TDM &dm, const QString &codigo, const QString &lote);

// The listing "TRAZABILIDAD DE MEDICAMENTOS" (A4 landscape): the medication and the lot in the
// header, one row per line of the list (reference, DNI, name, telephone, situation, quantity,
// first and last day), the pharmacy's logo, its address and telephone, "page n  / N".
TReportDocument InformeTrazabilidad(const TCabeceraTrazabilidad &cabecera, const QList<TLineaTraza> &lineas,
                                    const TMembreteFarmacia &membrete);
