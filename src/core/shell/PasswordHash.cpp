#include "core/shell/PasswordHash.h"

#include "core/common/AppError.h"
#include "core/i18n/ULenguaje.h"

#include <sodium.h>

namespace {

void iniciarSodium()
{
    if (sodium_init() < 0)
        throw AppError(
                Traducir(QStringLiteral("ERR_CIFRADO"), QStringLiteral("No se puede iniciar el cifrado")));
}

} // namespace

namespace PasswordHash {

QString Crear(const QString &password)
{
    iniciarSodium();
    const QByteArray clave = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, clave.constData(), static_cast<unsigned long long>(clave.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        throw AppError(
                Traducir(QStringLiteral("ERR_CIFRADO"), QStringLiteral("No se puede iniciar el cifrado")));
    return QString::fromLatin1(hash);
}

bool Verificar(const QString &hash, const QString &password)
{
    iniciarSodium();
    const QByteArray guardado = hash.toLatin1();
    if (guardado.isEmpty() || guardado.size() >= crypto_pwhash_STRBYTES)
        return false;
    const QByteArray clave = password.toUtf8();
    return crypto_pwhash_str_verify(guardado.constData(), clave.constData(),
                                    static_cast<unsigned long long>(clave.size()))
            == 0;
}

} // namespace PasswordHash
