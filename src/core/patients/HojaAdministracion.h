#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class TDM;

// The medication administration chart: five weekly loads per patient planned in memory with
// the load builder (nothing is stored), summed per medication into the quantities due in every
// slot of every day, on which the carers sign each dose given.

inline constexpr int kSemanasHoja = 5;
inline constexpr int kDiasHoja = 7 * kSemanasHoja;

// Emblistable: the medication goes into the blister, or is given apart (or its dose is still
// free text, so it cannot be placed: it is listed "Sin Especificar" with its dose text).
inline constexpr int kHojaEnBlister = 1;
inline constexpr int kHojaFueraBlister = 2;
// The slot of the medication given apart (slots 1 to 4 are breakfast, lunch, dinner and night).
inline constexpr int kFranjaFueraBlister = 5;

// One row per patient and medication.
struct TFilaHoja
{
    qint64 IDPaciente = 0;
    QString Nombre; // upper case
    QString RefPaciente;
    QDate FNacimiento;
    qint64 IDmedicamento = 0;
    QString medicamento; // without fraction prefixes
    QString Dosis_text;
    QString Medico;
    QDate WD[kSemanasHoja]; // each week's first day: the patient's five, the same in every row
    // Each week's 28 cell values in whole pills, starting on the week's first day (4 slots per
    // day), as the locale writes decimals ("1", "0,5", "1,5", "0,66"); "0" means nothing due.
    // A week without values holds 28 empty texts.
    QStringList DoW[kSemanasHoja];
    QString Enfermedades;
    QString Alergias;
    QString Problemas;
    QString MedicoCab;
    QString Direccion;
    int Emblistable = kHojaEnBlister;
    QString Descripcion;
};

// One row per patient, medication and slot: slot 1 to 4 (breakfast, lunch, dinner, night) of
// a blister medication with something due, or slot 5 for a medication given apart.
struct TFilaFranja
{
    int IDFranja = 1;
    TFilaHoja hoja; // the chart row it comes from
    QStringList valores; // the slot's 35 values (7 per week, 5 weeks); empty for slot 5
};

// The chart rows of the patients, in list order. Each patient's weeks start on `inicio` when
// given, else on the day after the patient's last load's week (today when none), never before
// today. The active patient is left as it was. `hoy` is today.
QList<TFilaHoja> HojaAdministracion(TDM &dm, const QList<qint64> &pacientes,
                                    const std::optional<QDate> &inicio, const QDate &hoy);
// The slot rows of the chart rows; a slot with nothing due in 35 days has none.
QList<TFilaFranja> HojaAdministracionFranjas(const QList<TFilaHoja> &filas);
