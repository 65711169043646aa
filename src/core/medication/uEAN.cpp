#include "core/medication/uEAN.h"

namespace {

bool SoloDigitos(const QString &texto)
{
    for (const QChar c : texto) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !texto.isEmpty();
}

} // namespace

int CalcularDigitoControlEAN(const QString &codigo)
{
    const qsizetype largo = codigo.size();
    if ((largo != 8 && largo != 13) || !SoloDigitos(codigo))
        return -1;
    // Weighting from the right: the digit just before the check digit always weighs 3.
    int suma = 0;
    for (qsizetype i = 0; i < largo - 1; ++i) {
        const int digito = codigo[i].digitValue();
        suma += ((largo - 1 - i) % 2 == 1) ? digito * 3 : digito;
    }
    return (10 - suma % 10) % 10;
}

bool DigitoControlEAN(QString &codigo)
{
    const int control = CalcularDigitoControlEAN(codigo);
    if (control < 0)
        return false;
    const QChar esperado = QLatin1Char(static_cast<char>('0' + control));
    if (codigo.back() == esperado)
        return true;
    codigo.back() = esperado;
    return false;
}

QString CortarCodigoEscaneado(const QString &codigo, const QString &pais)
{
    const QString texto = codigo.trimmed();
    if (pais == QLatin1String("3"))
        return texto;
    const qsizetype largo = pais == QLatin1String("2") || pais == QLatin1String("4") ? 8 : 7;
    return texto.size() > largo ? texto.right(largo) : texto;
}
