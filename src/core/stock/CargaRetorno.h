#pragma once

#include "core/reports/InformeTomasRetornadas.h"
#include "core/stock/TomasRetornadas.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

class TDM;

// A stored load as the returns screen shows it, with the cells already returned.
struct TCargaRetorno
{
    qint64 idRecarga = 0;
    int refRecarga = 0;
    qint64 idPaciente = 0;
    QString Preparador; // the name of the user who made the load
    QDateTime FechaRealizado;
    QDate FechaInicio;
    QDate FechaFin;
    std::optional<int> Humedad;
    std::optional<int> Temperatura;
    QDate FechaRetornado; // invalid while the load is not returned
    TTomasRetornadas Tomas;

    // The load conditions as shown and printed: "40%", "21ºC"; empty when not recorded.
    QString TextoHumedad() const;
    QString TextoTemperatura() const;
};

// The load with that identifier; nothing when there is none.
std::optional<TCargaRetorno> LeerCargaRetorno(TDM &dm, qint64 idRecarga);

// The patient's latest load (the highest load number); nothing when the patient has none.
std::optional<qint64> UltimaCargaPaciente(TDM &dm, qint64 idPaciente);

// The load of this patient that the code field names: a blister code read with LeerCodigoCarga
// (7 digits, or 8 with the check digit) names the patient and the load number, and a code of
// another patient names nothing; any other positive whole number of up to six digits is a load number of this
// patient.
std::optional<qint64> CargaPacientePorCodigo(TDM &dm, qint64 idPaciente, const QString &codigo);

// What the report of the load's returned cells prints: the load as given (its marks and return
// date as they stand) with its patient and the patient's doctor.
TDatosTomasRetornadas DatosTomasRetornadas(TDM &dm, const TCargaRetorno &carga);
