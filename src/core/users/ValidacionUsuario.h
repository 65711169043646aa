#pragma once

#include <QString>

// The checks of the user dialog and of the change of password, in the order the user sees
// them. Each returns the translated message of the first failure, empty when every check passes.
// Texts are trimmed only for the checks; they are stored as typed.
namespace ValidacionUsuario {

// A new password and its confirmation: not empty after trimming, and the same after trimming
// both.
QString ErrorClave(const QString &clave, const QString &confirmacion);

// The whole dialog: user name, full name, then the password. With `claveOpcional` (editing a
// user) two empty password fields mean "keep the stored password" and pass.
QString ErrorUsuario(const QString &usuario, const QString &nombre, const QString &clave,
                     const QString &confirmacion, bool claveOpcional);

} // namespace ValidacionUsuario
