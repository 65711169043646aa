#pragma once

#include <QString>

class QWidget;

// The machine software update as the user meets it: from the preferences screen, and the two
// checks of start-up. Each opens the update's progress window while it runs.

// The preferences' "ACTUALIZAR FIRMWARE": the newest package of the update server installed on
// the machine; with `paqueteElegido` (Ctrl held) a package the user chooses is copied as it is.
void ActualizarFirmwareMaquina(QWidget *parent, bool paqueteElegido);

// Start-up: a machine with old software (1.0 to 1.3) is offered the guided change to 2.0.
void ComprobarVersionMaquina(QWidget *parent);

// Start-up: a package waiting in the application directory, installed when the machine needs
// it. False when the user left the update for later (the remaining packages wait too).
bool InstalarPaqueteAlIniciar(const QString &paquete, QWidget *parent);
