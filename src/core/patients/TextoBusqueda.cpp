#include "core/patients/TextoBusqueda.h"

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

bool Sobra(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

bool EANValido(const QString &codigo)
{
    const int control = CalcularDigitoControlEAN(codigo);
    return control >= 0 && codigo.back().digitValue() == control;
}

} // namespace

QString LimpiarTextoBusqueda(const QString &texto)
{
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && Sobra(texto.at(inicio)))
        ++inicio;
    while (fin > inicio && Sobra(texto.at(fin - 1)))
        --fin;
    return texto.mid(inicio, fin - inicio);
}

QString DNISinSeparadores(const QString &texto)
{
    QString dni = texto.trimmed().toUpper();
    dni.remove(QLatin1Char(' ')).remove(QLatin1Char('-')).remove(QLatin1Char('/'));
    return dni;
}

bool EsDNI(const QString &texto, const QString &pais)
{
    const QString dni = DNISinSeparadores(texto);
    if (pais != QLatin1String("0") || dni.size() != 9)
        return false;
    const QString numero = dni.left(8);
    const QChar letra = dni.at(8);
    if (!SoloDigitos(numero) || letra.isDigit())
        return false;
    static const QString kLetras = QStringLiteral("TRWAGMYFPDXBNJZSQVHLCKET");
    return letra == kLetras.at(numero.toInt() % 23);
}

TTipoTextoBusqueda TipoTextoBusqueda(const QString &texto, const QString &pais)
{
    if (texto.isEmpty())
        return TTipoTextoBusqueda::Vacio;
    if (EsDNI(texto, pais))
        return TTipoTextoBusqueda::DNI;
    if (!SoloDigitos(texto))
        return TTipoTextoBusqueda::Texto;
    switch (texto.size()) {
    case 9:
        return TTipoTextoBusqueda::NueveDigitos;
    case 8:
        return EANValido(texto) ? TTipoTextoBusqueda::EAN8 : TTipoTextoBusqueda::Digitos;
    case 13:
        return EANValido(texto) ? TTipoTextoBusqueda::EAN13 : TTipoTextoBusqueda::Digitos;
    default:
        return TTipoTextoBusqueda::Digitos;
    }
}
