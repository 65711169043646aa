#pragma once

#include <QString>

// Running and watching the external programs of an installation (updater, maintenance).

// True when a running process's executable file name equals `nombreEjecutable`, compared
// without regard to case (the process's reported command name or first argument also count).
bool ProcesoActivo(const QString &nombreEjecutable);

// Starts `programa` with the parameters of `parametros` (split as a command line would be) and
// returns its process id. Throws AppError("No se puede inicializar la aplicacion") when it
// cannot be started. With `esperar` it waits for the process to end, looking every 100 ms with
// the event loop running, and stops waiting when the application is quitting.
qint64 EjecutarPrograma(const QString &programa, const QString &parametros, bool esperar);

// Sleeps in 500 ms steps while the named program runs (no time limit, as the maintenance and
// update programs must finish before the database or the updater is touched).
void EsperarMientrasActivo(const QString &nombreEjecutable);
