#pragma once

#include "core/patients/HistoricoUso.h"
#include "core/patients/InformeTratamiento.h"
#include "core/reports/ReportDocument.h"

// The change report: one group per version (number, user, day made, used by loads) with a line
// per changed medication (name, change, code, start), versions and medications in ascending order.
TReportDocument InformeCambios(const TPacienteInforme &paciente, QList<TCambioTratamiento> cambios,
                               const TMembreteFarmacia &membrete, const QDate &fechaImpresion);

// The usage report: one group per medication (code and name) with a line per version in force
// (change, start, end, label dose and the four slot values), medications and versions ascending.
TReportDocument InformeUso(const TPacienteInforme &paciente, QList<TUsoMedicamento> usos,
                           const TMembreteFarmacia &membrete, const QDate &fechaImpresion);
