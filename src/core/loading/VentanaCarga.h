#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The window of a patient's load as the loading screen proposes it from its two date fields.
// A load is at most seven days long and never starts before today.
struct TVentanaCarga
{
    QDate inicio; // invalid only when the start cannot be decided (never: it falls back to today)
    QDate fin; // invalid when the end field holds text that is not a date
    QString textoInicio; // what the date fields show afterwards
    QString textoFin;
};

// A date field's text as a date: "dd/mm/yyyy" (one-digit day and month allowed); invalid
// otherwise.
QDate LeerFechaCampo(const QString &texto);
// A date as the date fields show it.
QString TextoFechaCampo(const QDate &fecha);

// The window for the fields' texts. The start is the field's date or, when the field is empty,
// the day after the end of the patient's last load (`finUltimaCarga`; today when there is
// none), never before today; a start field that is not a date becomes today. The end is the
// field's date when it lies from the start to the start + 6, otherwise the start + 6; an end field
// that holds text which is not a date is left as it is (the start check reports it).
TVentanaCarga ProponerVentana(const QString &textoInicio, const QString &textoFin,
                              const std::optional<QDate> &finUltimaCarga, const QDate &hoy);
