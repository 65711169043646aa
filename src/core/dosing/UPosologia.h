#pragma once

#include <QDate>
#include <QString>

// The dose of a treatment line in words and aligned columns, for the printed treatment sheet
// (shown in a fixed-pitch font). Every word comes from the catalogue, in the current language.
//
// Lines end with a line feed followed by a carriage return (in that order, as the sheet
// expects), the last one included. Repetition rules "every n days" and "t days of taking, r of
// rest" give one line per time slot and a rule line; the weekly table gives a header of days and
// one line per slot; weekly and monthly positional rules give an empty text.
QString TextoPosologia(const QString &dosis);

// A date as the application shows it everywhere: dd/MM/yyyy, four-digit year.
QString TextoFecha(const QDate &fecha);

// A fixed date written "dd/mm/yyyy" (such as "01/01/3000") as the application shows dates;
// empty when the text is not such a date.
QString FechaLocal(const QString &ddmmyyyy);
