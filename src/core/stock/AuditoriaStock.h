#pragma once

#include <QString>

// The audit rows of the changes made on the stock screens: the screen's or dialog's caption
// followed by the action's suffix, result ACEPTADO.
namespace AuditoriaStock {

void Alta(const QString &caption); // a box entered by hand (ALTA)
void Dispensar(const QString &caption); // a prescription dispensed into stock (ALTA)
void Modificacion(const QString &caption); // a row's quantity corrected (MODIFICACION)
void Baja(const QString &caption); // a row removed (BAJA)

} // namespace AuditoriaStock
