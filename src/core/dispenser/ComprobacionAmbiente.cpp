#include "core/dispenser/ComprobacionAmbiente.h"

#include "core/i18n/ULenguaje.h"

namespace {

QString ConValor(const QString &clave, const QString &porDefecto, qint64 valor)
{
    QString mensaje = Traducir(clave, porDefecto);
    return mensaje.replace(QLatin1String("%s"), QString::number(valor));
}

} // namespace

TResultadoAmbiente EvaluarAmbiente(qint32 humedadMaquina, qint32 temperaturaMaquina,
                                   const TLimitesAmbiente &limites)
{
    TResultadoAmbiente resultado;
    // Sums in 64 bits: a corrupted reading near the integer limits must not wrap into range.
    resultado.humedad = qint64(humedadMaquina) + limites.Varihumedad;
    resultado.temperatura = qint64(temperaturaMaquina) + limites.Varitemperatura;
    if (resultado.humedad > limites.HumedadMaxima)
        resultado.mensaje = ConValor(
                QStringLiteral("ERR_HUMEDAD_MAXIMA"),
                QStringLiteral("LA HUMEDAD %s ES SUPERIOR A LA HUMEDAD MÁXIMA PERMITIDA"), resultado.humedad);
    else if (resultado.humedad < limites.HumedadMinima)
        resultado.mensaje = ConValor(
                QStringLiteral("ERR_HUMEDAD_MINIMA"),
                QStringLiteral("LA HUMEDAD %s ES INFERIOR A LA HUMEDAD MÍNIMA PERMITIDA"), resultado.humedad);
    else if (resultado.temperatura > limites.TemperaturaMaxima)
        resultado.mensaje
                = ConValor(QStringLiteral("ERR_TEMPERATURA_MAXIMA"),
                           QStringLiteral("LA TEMPERATURA %s ES SUPERIOR A LA TEMPERATURA MÁXIMA PERMITIDA"),
                           resultado.temperatura);
    else if (resultado.temperatura < limites.TemperaturaMinima)
        resultado.mensaje
                = ConValor(QStringLiteral("ERR_TEMPERATURA_MINIMA"),
                           QStringLiteral("TEMPERATURA %s ES INFERIOR A LA TEMPERATURA MÍNIMA PERMITIDA"),
                           resultado.temperatura);
    resultado.fallo = !resultado.mensaje.isEmpty();
    return resultado;
}

TResultadoAmbiente AmbienteNoLeido()
{
    TResultadoAmbiente resultado;
    resultado.fallo = true;
    resultado.mensaje
            = Traducir(QStringLiteral("ERR_GET_HUMEDAD_TEMPERATURA"),
                       QStringLiteral("NO SE HAN PODIDO LEER LOS VALORES DE HUMEDAD Y TEMPERATURA"));
    return resultado;
}
