#pragma once

#include "core/patients/TratamientoPaciente.h"
#include "core/reports/ReportDocument.h"
#include "core/stock/InformeStock.h"

#include <optional>

// The patient a treatment sheet is printed for.
struct TPacienteInforme
{
    QString RefPaciente;
    QString Nombre;
    QDate FechaAlta;
    QDate FechaBaja;
    QString Categoria; // empty when the patient has none
};

// The details of a stored version, printed by the history view; the treatment screen prints none.
struct TVersionInforme
{
    QString Version;
    QString Fecha;
    QString Responsable;
    QString UtilizadoEnCargas; // "SI" or "NO", translated
};

// One patient's treatment in a listing of several patients.
struct TTratamientoInforme
{
    TPacienteInforme paciente;
    QList<TFilaTratamiento> lineas;
};

// The treatment sheet: on every page the title, the pharmacy's logo and line and "n  / N"; the
// patient with the version block; one block per treatment line (sorted by patient and medication)
// with the dose in words for a blister line (fixed-pitch) or as stored otherwise; and the space for
// the doctor's check.
TReportDocument InformeTratamiento(const QString &titulo, const TPacienteInforme &paciente,
                                   QList<TFilaTratamiento> lineas,
                                   const std::optional<TVersionInforme> &version,
                                   const TMembreteFarmacia &membrete);
// The treatment sheets of several patients in one document, in the order given, each patient's
// sheet from a new page with its own lines and its own space for the doctor's check.
TReportDocument InformeTratamientos(const QString &titulo, const QList<TTratamientoInforme> &tratamientos,
                                    const TMembreteFarmacia &membrete);
