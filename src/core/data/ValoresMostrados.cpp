#include "core/data/ValoresMostrados.h"

#include "core/i18n/ULenguaje.h"

namespace ValoresMostrados {

QString ActivoTexto(const QVariant &iactivo)
{
    if (!iactivo.isNull() && iactivo.toInt() == 0)
        return Traducir(QStringLiteral("STR_NO"), QStringLiteral("NO"));
    return Traducir(QStringLiteral("STR_SI"), QStringLiteral("SI"));
}

QString NombreMostrado(const QString &descUsuario, const QString &medicamento, const QString &descripcion)
{
    if (!descUsuario.isEmpty())
        return descUsuario;
    return medicamento + QLatin1Char(' ') + descripcion;
}

QString NombreMostradoSql(const QString &tabla)
{
    const QString p = tabla.isEmpty() ? QString() : tabla + QLatin1Char('.');
    return QStringLiteral("CASE WHEN %1DescUsuario IS NULL OR %1DescUsuario = '' "
                          "THEN COALESCE(%1Medicamento, '') || ' ' || COALESCE(%1Descripcion, '') "
                          "ELSE %1DescUsuario END")
            .arg(p);
}

bool SpdEfectivo(const QVariant &spdp, const QVariant &spdMedicamento)
{
    if (spdp.isNull())
        return !spdMedicamento.isNull() && spdMedicamento.toInt() != 0;
    return spdp.toInt() == 1;
}

SituacionEntrega Entrega(const QDateTime &fechaEntrega, const QDateTime &fechaRetornado)
{
    if (fechaRetornado.isValid())
        return {3, Traducir(QStringLiteral("STR_CRETORNADO"), QStringLiteral("RETORNADO"))};
    if (fechaEntrega.isValid())
        return {2, Traducir(QStringLiteral("STR_CENTREGADO"), QStringLiteral("ENTREGADO"))};
    return {1, Traducir(QStringLiteral("STR_CAENTREGAR"), QStringLiteral("PREPARADO"))};
}

} // namespace ValoresMostrados
