#include "core/loading/CeldasBlisterManual.h"

#include "core/dosing/UDispenserTypes.h"

namespace {

// The fraction a portion size names; empty for a whole pill or a size without a sign.
QString Fraccion(double porcion)
{
    if (porcion == kPorcionCuarto)
        return QStringLiteral("1/4");
    if (porcion == kPorcionMedia)
        return QStringLiteral("1/2");
    if (porcion == kPorcionTercio)
        return QStringLiteral("1/3");
    if (porcion == 0.66)
        return QStringLiteral("2/3");
    return {};
}

} // namespace

TFormaBlister FormaBlister(int tipoBlister)
{
    return tipoBlister == 1 ? TFormaBlister::Cuadrada : TFormaBlister::Redonda;
}

QString TextoCeldaManual(const QString &cuenta, double porcion, TFormaBlister forma)
{
    const QString limpia = cuenta.trimmed();
    if (limpia.isEmpty() || limpia == QLatin1String("0"))
        return {};
    const QString fraccion = Fraccion(porcion);
    if (fraccion.isEmpty())
        return limpia;
    if (limpia == QLatin1String("1"))
        return fraccion;
    return forma == TFormaBlister::Cuadrada ? limpia + QStringLiteral(" ( ") + fraccion + QStringLiteral(" )")
                                            : limpia + QLatin1Char('(') + fraccion + QLatin1Char(')');
}

QStringList TextosCeldasManual(const QString &celdas, double porcion, TFormaBlister forma)
{
    const QStringList cuentas = celdas.split(QLatin1Char(';'));
    QStringList textos;
    for (int celda = 0; celda < kCeldasSemana; ++celda)
        textos << TextoCeldaManual(cuentas.value(celda), porcion, forma);
    return textos;
}
