#pragma once

#include <QString>

#include <functional>

// The application-wide handler of errors that nothing else handled: the message goes to the event
// log as ": ERROR:" followed by the text, then to the user through the presenter the user
// interface installs (a message box); the application keeps running. Without a presenter (tests,
// tools) the message is only logged.
namespace ManejadorErrores {

using Presentador = std::function<void(const QString &mensaje)>;

// Replaces the presenter; an empty function removes it.
void EstablecerPresentador(Presentador presentador);

// Logs and shows one unhandled error.
void Reportar(const QString &mensaje);

// The notice shown when the database refuses to store a row of a patient, a load line, a
// treatment line or a stock row: " Post  Error ", a line break and the database's message in
// upper case, so the user sees which record was not stored. The error itself continues to the
// operation that stored the row. Installed by the user interface; without it nothing is shown.
void EstablecerAvisoGuardado(Presentador presentador);
void AvisarErrorGuardado(const QString &mensajeBaseDatos);
QString TextoErrorGuardado(const QString &mensajeBaseDatos);

// Runs the work and reports whatever it throws (AppError, std::exception or anything else).
// Returns false when the work failed.
bool Proteger(const std::function<void()> &trabajo);

} // namespace ManejadorErrores
