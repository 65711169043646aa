#include "core/loading/TextosEtiqueta.h"

#include <QRegularExpression>

namespace TextosEtiqueta {

QString SignosFraccion(const QString &dosis)
{
    QString texto = dosis;
    texto.replace(QStringLiteral(",50"), QStringLiteral("½"))
            .replace(QStringLiteral(",5"), QStringLiteral("½"))
            .replace(QStringLiteral(",25"), QStringLiteral("¼"))
            .replace(QStringLiteral(",75"), QStringLiteral("¾"));
    // Only a zero that is the whole of the number goes: "10½" is ten and a half.
    static const QRegularExpression ceroSolo(QStringLiteral("(?<![0-9])0([½¼¾])"));
    texto.replace(ceroSolo, QStringLiteral("\\1"));
    return texto;
}

QString SinPrefijoFraccion(const QString &nombre)
{
    QString texto = nombre;
    for (const QLatin1String prefijo :
         {QLatin1String("(1/2) "), QLatin1String("(1/4) "), QLatin1String("(1/3) ")})
        texto.remove(prefijo);
    return texto;
}

double PorcionDelNombre(const QString &nombre)
{
    const QString cabeza = nombre.left(5);
    if (cabeza == QLatin1String("(1/2)"))
        return 0.5;
    if (cabeza == QLatin1String("(1/4)"))
        return 0.25;
    if (cabeza == QLatin1String("(1/3)"))
        return 0.33;
    return 1.0;
}

QString TextoCaducidad(const QString &fcaducidad, const QDate &caducidad)
{
    if (!fcaducidad.isNull())
        return fcaducidad;
    return caducidad.isValid() ? caducidad.toString(QStringLiteral("MM/yyyy")) : QString();
}

QString CaducidadImpresa(const QString &texto)
{
    return texto == kCaducidadSinStock ? kCaducidadSinStockImpresa : texto;
}

QString CodigoCarga(int idPaciente, int refRecarga)
{
    return QStringLiteral("%1%2")
                   .arg(idPaciente, 4, 10, QLatin1Char('0'))
                   .arg(refRecarga, 3, 10, QLatin1Char('0'))
            + QLatin1Char('0');
}

bool CabeEnEan8(const QString &codigo)
{
    static const QRegularExpression ochoCifras(QStringLiteral("^[0-9]{8}$"));
    return ochoCifras.match(codigo).hasMatch();
}

QString Columna(const QString &texto, int ancho, int relleno)
{
    return texto.left(ancho).leftJustified(relleno, QLatin1Char(' '));
}

} // namespace TextosEtiqueta
