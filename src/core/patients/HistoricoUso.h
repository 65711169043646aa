#pragma once

#include "core/patients/uHistorialTratamiento.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// One period in which a version of a medication's line was in force, as the usage report prints it.
struct TUsoMedicamento
{
    int IdVersion = 0;
    QDate Fecha; // the day the version was made
    QString Username;
    qint64 Idmedicamento = 0;
    QString Medicamento;
    QString DescCambio;
    QString Iucarga;
    QDate Inicio;
    QDate Fin; // invalid: still in force
    QString Dosis;
    QString dosis_et;
    QStringList Tomas; // the four slot values (D, C, T, N); empty when the dose has none per slot
};

// Whether the dose repeats by days (every n days, n days on and r off, a day of the month, or an
// old numbered rule), so that it has one value per time slot; weekly tables, week-day and
// month-position rules and free text have none.
bool DosisPorDias(const QString &dosis);

// The values of the four time slots of a day-kind dose, in slot order; empty for any other dose.
QStringList TomasPorFranja(const QString &dosis);

// The periods of use of every medication seen in the changes, medications in the order in which
// they first occur, each one's versions newest first: a version is in force from the day it was
// made (or its line's start, when later; the oldest from its line's start) to its line's own end,
// or else to the day before the newer version started; the newest has no end unless its line has.
// An end that would fall before its start (two versions made on one day) is its start. A removal
// ("BORRADO") is shown on the day of the version that removed the line and ends the older period.
QList<TUsoMedicamento> PeriodosUso(const QList<TCambioTratamiento> &cambios);
