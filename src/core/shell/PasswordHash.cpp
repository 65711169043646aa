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

// The working copy of a typed password does not outlive the call.
void borrar(QByteArray &clave)
{
    sodium_memzero(clave.data(), static_cast<size_t>(clave.size()));
}

} // namespace

namespace PasswordHash {

QString Crear(const QString &password)
{
    iniciarSodium();
    QByteArray clave = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    const int resultado
            = crypto_pwhash_str(hash, clave.constData(), static_cast<unsigned long long>(clave.size()),
                                crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE);
    borrar(clave);
    if (resultado != 0)
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
    QByteArray clave = password.toUtf8();
    const bool correcta = crypto_pwhash_str_verify(guardado.constData(), clave.constData(),
                                                   static_cast<unsigned long long>(clave.size()))
            == 0;
    borrar(clave);
    return correcta;
}

bool EsHash(const QString &texto)
{
    iniciarSodium();
    const QByteArray guardado = texto.toLatin1();
    if (guardado.isEmpty() || guardado.size() >= crypto_pwhash_STRBYTES)
        return false;
    // -1 only for a text the library does not recognise as one of its hashes.
    return crypto_pwhash_str_needs_rehash(guardado.constData(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                          crypto_pwhash_MEMLIMIT_INTERACTIVE)
            != -1;
}

} // namespace PasswordHash
