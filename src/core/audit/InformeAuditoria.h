#pragma once

#include "core/audit/ConsultaAuditoria.h"
#include "core/audit/FiltroAuditoria.h"
#include "core/reports/ReportDocument.h"
#include "core/stock/InformeStock.h"

#include <QDate>
#include <QList>
#include <QStringList>

// The header lines of the access listing: each filter field as the screen shows it, after its
// caption ("USUARIO:", "ACCION:", "OPERACION:", "RESULT.:", "REF. PACI.:", "F. INICIO:", "F. FIN:").
QStringList CabeceraInformeAuditoria(const TCamposAuditoria &campos);

// "LISTADO ACCESOS LOPD", A4 landscape: the filters and the pharmacy's logo at the top of every
// page, one line per audit row (date, user, workstation user, workstation, action, result,
// patient, operation) in the order given, and at the foot the pharmacy's address and telephone,
// the print date and "page n / N".
TReportDocument InformeAuditoria(const TCamposAuditoria &campos, const QList<TFilaAuditoria> &filas,
                                 const TMembreteFarmacia &membrete, const QDate &fechaImpresion);
