#include "core/users/ValidacionUsuario.h"

#include "core/i18n/ULenguaje.h"

namespace ValidacionUsuario {

QString ErrorClave(const QString &clave, const QString &confirmacion)
{
    if (clave.trimmed().isEmpty())
        return Traducir(QStringLiteral("ERR_CLAVE_OBLIGATORIO"),
                        QStringLiteral("Clave es un campo obligatorio."));
    if (clave.trimmed() != confirmacion.trimmed())
        return Traducir(QStringLiteral("ERR_CLAVE_CONFIRM_NO_CORRECTA"),
                        QStringLiteral("La confirmación de la clave no es correcta."));
    return {};
}

QString ErrorUsuario(const QString &usuario, const QString &nombre, const QString &clave,
                     const QString &confirmacion, bool claveOpcional)
{
    if (usuario.trimmed().isEmpty())
        return Traducir(QStringLiteral("ERR_USUARIO_OBLIGATORIO"),
                        QStringLiteral("Usuario es un campo obligatorio."));
    if (nombre.trimmed().isEmpty())
        return Traducir(QStringLiteral("ERR_NOMBRE_OBLIGATORIO"),
                        QStringLiteral("NOMBRE ES UN CAMPO OBLIGATORIO"));
    if (claveOpcional && clave.isEmpty() && confirmacion.isEmpty())
        return {};
    return ErrorClave(clave, confirmacion);
}

} // namespace ValidacionUsuario
