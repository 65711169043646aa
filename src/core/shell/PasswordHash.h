#pragma once

#include <QString>

// Passwords are stored as salted, deliberately slow hashes (libsodium's crypto_pwhash_str), never
// as typed.
namespace PasswordHash {

// The self-describing hash text of the password (algorithm, parameters, salt and hash). Throws
// AppError when the hash cannot be computed (out of memory).
QString Crear(const QString &password);

// True when the password is the one the hash text was made from; false for any other password
// and for a text that is not such a hash.
bool Verificar(const QString &hash, const QString &password);

// True when the text is a hash made by Crear (or by the same library with other parameters);
// false for a password stored as typed by an older version.
bool EsHash(const QString &texto);

} // namespace PasswordHash
