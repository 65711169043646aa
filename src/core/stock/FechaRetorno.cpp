#include "core/stock/FechaRetorno.h"

#include "core/common/Clock.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/EsFecha.h"

QString TValidacionFechaRetorno::Mensaje() const
{
    switch (Resultado) {
    case TFechaRetorno::FormatoIncorrecto:
        return Traducir(QStringLiteral("ERR_FECHA_FORMATO"), QStringLiteral("EL FORMATO ES INCORRECTO"));
    case TFechaRetorno::Vacia:
        return Traducir(QStringLiteral("QST_RETORNADO_VACIO"),
                        QStringLiteral("LA FECHA DE RETORNO ESTA VACIA Y SE CONSIDERA NO RETORNADO "
                                       "¿ESTÁ SEGURO QUE NO ESTA RETORNADO?"));
    case TFechaRetorno::PosteriorAHoy:
        return Traducir(QStringLiteral("ERR_FECHA_SUPERIORHOY"),
                        QStringLiteral("LA FECHA NO PUEDE SER MAYOR QUE HOY"));
    case TFechaRetorno::Valida:
        break;
    }
    return {};
}

TValidacionFechaRetorno ValidarFechaRetorno(const QString &texto)
{
    if (texto.trimmed().isEmpty())
        return {TFechaRetorno::Vacia, {}};
    const QDate fecha = LeerFecha(texto);
    if (!fecha.isValid())
        return {TFechaRetorno::FormatoIncorrecto, {}};
    if (fecha > Clock::today())
        return {TFechaRetorno::PosteriorAHoy, {}};
    return {TFechaRetorno::Valida, fecha};
}
