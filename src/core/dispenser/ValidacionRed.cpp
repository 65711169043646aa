#include "core/dispenser/ValidacionRed.h"

#include "core/i18n/ULenguaje.h"

#include <QStringList>

#include <optional>

namespace {

constexpr int kPartes = 4;

struct TRango
{
    int minimo;
    int maximo;
};

TResultadoDireccion FueraDeRango(bool primeraParte)
{
    if (primeraParte)
        return {{},
                QStringLiteral("ERR_VAL_IP1"),
                QStringLiteral("primer terceto direccion IP tiene que estar entre 1..223")};
    return {{},
            QStringLiteral("ERR_VAL_IP2"),
            QStringLiteral("terceto direccion IP tiene que estar entre 0..255")};
}

// The part as a number when it is written with digits only (no sign, no other characters).
std::optional<int> Numero(const QString &parte)
{
    const QString limpia = parte.trimmed();
    if (limpia.isEmpty())
        return std::nullopt;
    for (const QChar c : limpia) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool leido = false;
    const int numero = limpia.toInt(&leido); // too many digits for an int: not read
    return leido ? std::optional<int>(numero) : std::nullopt;
}

// `primera` is the range of the first part, `resto` that of the other three; a failure of the
// first part carries the first-part message when `mensajePrimera` is set.
TResultadoDireccion Validar(const QString &texto, TRango primera, TRango resto, bool mensajePrimera)
{
    const QStringList partes = texto.split(QLatin1Char('.'));
    QStringList numeros;
    for (int i = 0; i < kPartes; ++i) {
        const TRango rango = i == 0 ? primera : resto;
        const std::optional<int> numero = i < partes.size() ? Numero(partes.at(i)) : std::nullopt;
        if (!numero || *numero < rango.minimo || *numero > rango.maximo)
            return FueraDeRango(i == 0 && mensajePrimera);
        numeros.append(QString::number(*numero));
    }
    if (partes.size() > kPartes)
        return FueraDeRango(false);
    return {numeros.join(QLatin1Char('.')), {}, {}};
}

} // namespace

QString TResultadoDireccion::Mensaje() const
{
    return Valida() ? QString() : Traducir(clave, porDefecto);
}

TResultadoDireccion ValidarIP(const QString &texto)
{
    return Validar(texto, {1, 223}, {0, 255}, true);
}

TResultadoDireccion ValidarMascara(const QString &texto)
{
    return Validar(texto, {0, 255}, {0, 255}, false);
}
