#pragma once

#include <QString>

// The audit rows of the stock changes made on the treatment screen: the screen's caption
// followed by the action's suffix, result ACEPTADO. Stock entered by hand and the stock dialog of
// the loading screens write no row.
namespace AuditoriaStock {

void Dispensar(const QString &caption); // a prescription dispensed into stock (ALTA)
void Modificacion(const QString &caption); // a row's quantity corrected (MODIFICACION)
void Baja(const QString &caption); // a row removed (BAJA)

} // namespace AuditoriaStock
