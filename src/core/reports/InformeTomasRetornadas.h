#pragma once

#include "core/reports/ReportDocument.h"
#include "core/stock/InformeStock.h"

#include <QDate>
#include <QList>
#include <QString>

// One returned cell as the report prints it.
struct TLineaTomaRetornada
{
    int Toma = 0;
    QString DiaToma; // "JUEVES COMIDA"
    int Comprimidos = 0;
    QString Motivo;
};

// What the report of a load's returned cells shows.
struct TDatosTomasRetornadas
{
    QString RefPaciente;
    QString Nombre;
    int refRecarga = 0;
    QString Preparador; // the name of the user who made the load
    QString Medico;
    QDate FechaInicio;
    QDate FechaFin;
    QDate FechaRetorno; // invalid while the load is not returned
    QString Humedad; // as shown: "40%"
    QString Temperatura; // as shown: "21ºC"
    QList<TLineaTomaRetornada> Tomas; // in cell order
};

// "TOMAS RETORNADAS": on every page the title, the pharmacy's logo, "n  / N", the patient, the
// blister, who made it, the doctor, its dates and its load conditions, and the pharmacy's address
// and telephone at the foot; one line per returned cell ("Toma " and the number, the day and slot,
// the units and the reason, which wraps over several lines).
TReportDocument InformeTomasRetornadas(const TDatosTomasRetornadas &datos, const TMembreteFarmacia &membrete);
