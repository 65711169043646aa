#pragma once

#include <QString>

// EAN-8 and EAN-13 codes: the check digit over all digits but the last, with the standard's
// weights (EAN-13: 1, 3, 1, 3 ... from the left; EAN-8: 3, 1, 3 ... from the left).

// The check digit for the code's digits but its last; -1 when the code is not 8 or 13 digits.
int CalcularDigitoControlEAN(const QString &codigo);
// Replaces a wrong last digit by the computed one; true when the code was already correct.
// A code that is not 8 or 13 digits is left as it is and is not correct.
bool DigitoControlEAN(QString &codigo);

// What every code box keeps of a scanned code (the national code inside an EAN-13): in France and
// Italy (`Pais` "2", "4") a text longer than 8 characters keeps its last 8; in the United Kingdom
// ("3") the whole text; elsewhere a text longer than 7 characters keeps its last 7.
QString CortarCodigoEscaneado(const QString &codigo, const QString &pais);
