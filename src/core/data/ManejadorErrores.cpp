#include "core/data/ManejadorErrores.h"

#include "core/common/AppError.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/uLog.h"

#include <exception>

namespace ManejadorErrores {

namespace {

Presentador &presentador()
{
    static Presentador instalado;
    return instalado;
}

Presentador &avisoGuardado()
{
    static Presentador instalado;
    return instalado;
}

} // namespace

void EstablecerPresentador(Presentador nuevo)
{
    presentador() = std::move(nuevo);
}

void Reportar(const QString &mensaje)
{
    Log(QStringLiteral(": ERROR:") + mensaje);
    if (presentador())
        presentador()(mensaje);
}

void EstablecerAvisoGuardado(Presentador nuevo)
{
    avisoGuardado() = std::move(nuevo);
}

QString TextoErrorGuardado(const QString &mensajeBaseDatos)
{
    return Traducir(QStringLiteral("ERR_POST_ERROR"), QStringLiteral(" Post  Error "))
            + QStringLiteral("\n\r") + mensajeBaseDatos.toUpper();
}

void AvisarErrorGuardado(const QString &mensajeBaseDatos)
{
    if (avisoGuardado())
        avisoGuardado()(TextoErrorGuardado(mensajeBaseDatos));
}

bool Proteger(const std::function<void()> &trabajo)
{
    try {
        trabajo();
        return true;
    } catch (const AppError &error) {
        Reportar(error.message());
    } catch (const std::exception &error) {
        Reportar(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Reportar(Traducir(QStringLiteral("ERR_DESCONOCIDO"), QStringLiteral("Error desconocido")));
    }
    return false;
}

} // namespace ManejadorErrores
