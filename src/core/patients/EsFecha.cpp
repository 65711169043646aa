#include "core/patients/EsFecha.h"

#include "core/common/Clock.h"

#include <QLocale>

namespace {

// A format's two-digit year written in full ("d/M/yy" becomes "d/M/yyyy").
QString AnioCompleto(QString formato)
{
    if (!formato.contains(QLatin1String("yyyy")))
        formato.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return formato;
}

// Two-digit years read as 19xx; the century moves forward while that stays within this year.
QDate SigloReciente(const QDate &fecha)
{
    const QDate siguiente = fecha.addYears(100);
    return siguiente.year() <= Clock::today().year() ? siguiente : fecha;
}

} // namespace

QDate LeerFecha(const QString &texto)
{
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty())
        return {};
    const QLocale locale;
    const QString corto = locale.dateFormat(QLocale::ShortFormat);
    // The form the card shows first, so that a date shown is always read back as the same day.
    for (const QString &formato : {QStringLiteral("d/M/yyyy"), AnioCompleto(corto)}) {
        const QDate fecha = locale.toDate(limpio, formato);
        if (fecha.isValid())
            return fecha;
    }
    for (const QString &formato : {QStringLiteral("d/M/yy"), corto}) {
        const QDate fecha = locale.toDate(limpio, formato);
        if (fecha.isValid())
            return formato.contains(QLatin1String("yyyy")) ? fecha : SigloReciente(fecha);
    }
    return {};
}

bool EsFecha(const QString &texto)
{
    return LeerFecha(texto).isValid();
}
