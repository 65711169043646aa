#include "core/dosing/NombresSemana.h"

#include "core/i18n/ULenguaje.h"

QStringList NombresTomas()
{
    return {Traducir(QStringLiteral("STR_CDESAYUNO"), QStringLiteral("DESAYUNO")),
            Traducir(QStringLiteral("STR_CCOMIDA"), QStringLiteral("COMIDA")),
            Traducir(QStringLiteral("STR_CMERIENDA"), QStringLiteral("CENA")),
            Traducir(QStringLiteral("STR_CCENA"), QStringLiteral("NOCHE"))};
}

QStringList NombresDias()
{
    return {Traducir(QStringLiteral("STR_CLUNES"), QStringLiteral("LUNES")),
            Traducir(QStringLiteral("STR_CMARTES"), QStringLiteral("MARTES")),
            Traducir(QStringLiteral("STR_CMIERCOLES"), QStringLiteral("MIERCOLES")),
            Traducir(QStringLiteral("STR_CJUEVES"), QStringLiteral("JUEVES")),
            Traducir(QStringLiteral("STR_CVIERNES"), QStringLiteral("VIERNES")),
            Traducir(QStringLiteral("STR_CSABADO"), QStringLiteral("SABADO")),
            Traducir(QStringLiteral("STR_CDOMINGO"), QStringLiteral("DOMINGO"))};
}

QStringList NombresDiasCortos()
{
    return {Traducir(QStringLiteral("STR_CLUN"), QStringLiteral("LUN")),
            Traducir(QStringLiteral("STR_CMAR"), QStringLiteral("MAR")),
            Traducir(QStringLiteral("STR_CMIE"), QStringLiteral("MIE")),
            Traducir(QStringLiteral("STR_CJUE"), QStringLiteral("JUE")),
            Traducir(QStringLiteral("STR_CVIE"), QStringLiteral("VIE")),
            Traducir(QStringLiteral("STR_CSAB"), QStringLiteral("SAB")),
            Traducir(QStringLiteral("STR_CDOM"), QStringLiteral("DOM"))};
}
