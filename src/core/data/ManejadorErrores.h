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

// Runs the work and reports whatever it throws (AppError, std::exception or anything else).
// Returns false when the work failed.
bool Proteger(const std::function<void()> &trabajo);

} // namespace ManejadorErrores
