#pragma once

#include <QString>
#include <QtGlobal>

// The pharmacy's calibration and limits for the air around the machine, from the preferences.
struct TLimitesAmbiente
{
    qint32 Varihumedad = 0; // added to the humidity the machine reports
    qint32 Varitemperatura = 0; // added to the temperature the machine reports
    qint32 HumedadMinima = 0;
    qint32 HumedadMaxima = 0;
    qint32 TemperaturaMinima = 0;
    qint32 TemperaturaMaxima = 0;
};

// The outcome of the check made before every load. The corrected values are kept with the
// load, so they are returned also when the check fails.
struct TResultadoAmbiente
{
    bool fallo = false;
    qint64 humedad = 0;
    qint64 temperatura = 0;
    QString mensaje; // translated, for the error dialog; empty when the check passed
};

// Corrects the raw readings and checks them against the limits (inclusive), in the order
// maximum humidity, minimum humidity, maximum temperature, minimum temperature.
TResultadoAmbiente EvaluarAmbiente(qint32 humedadMaquina, qint32 temperaturaMaquina,
                                   const TLimitesAmbiente &limites);

// The failure when the machine did not give its readings.
TResultadoAmbiente AmbienteNoLeido();
