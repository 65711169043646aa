#pragma once

#include <QDate>
#include <QString>

// Dates typed on the patient card: as the application shows them (day/month/year, see TextoFecha
// in core/dosing/UPosologia.h) or in the locale's short date format. A year may be typed with four
// digits or with two; two digits name the latest such year that is not after this year, so a
// birth date typed "3/4/15" is 2015 and "3/4/47" is 1947.

// The day the text names; an invalid date when it names none.
QDate LeerFecha(const QString &texto);

// True when the text names a day.
bool EsFecha(const QString &texto);
