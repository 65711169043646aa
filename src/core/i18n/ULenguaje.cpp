#include "core/i18n/ULenguaje.h"

QString Traducir(const QString &, const QString &porDefecto)
{
    return porDefecto;
}
