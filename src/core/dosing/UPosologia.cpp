#include "core/dosing/UPosologia.h"

#include "core/dosing/NombresSemana.h"

#include "core/dosing/UDispenserTypes.h"
#include "core/i18n/ULenguaje.h"

#include <QStringList>

#include <array>

namespace {

const QString kFinDeLinea = QStringLiteral("\n\r");
const QChar kBlanco = QLatin1Char(' ');
constexpr int kAnchoValor = 5;
constexpr int kAnchoEtiqueta = 10;

QString Rellenar(const QString &texto, int ancho)
{
    return texto.rightJustified(ancho, kBlanco, false);
}

// The slot word padded to 10 columns, never more than 11 characters, then a blank.
QString Etiqueta(const QString &texto)
{
    return Rellenar(texto, kAnchoEtiqueta).left(kAnchoEtiqueta + 1) + kBlanco;
}

QString Columna(const QString &valor)
{
    return Rellenar(valor, kAnchoValor) + kBlanco;
}

QString BloqueTabla(const QString &valores)
{
    const QStringList celdas = valores.split(QLatin1Char('-'));
    QString cabecera = QString(kAnchoEtiqueta + 1, kBlanco);
    for (const QString &dia : NombresDiasCortos())
        cabecera += Columna(dia);
    QString bloque = cabecera + kFinDeLinea;
    const auto tomas = NombresTomas();
    for (int toma = 0; toma < kTomasDia; ++toma) {
        QString linea = Etiqueta(tomas[toma]);
        for (int dia = 0; dia < 7; ++dia)
            linea += Columna(celdas.value(dia * kTomasDia + toma));
        bloque += linea + kFinDeLinea;
    }
    return bloque;
}

QString LineaCadaNDias(const QString &dias)
{
    return Traducir(QStringLiteral("STR_CADA"), QStringLiteral("CADA ")) + kBlanco + dias + kBlanco
            + Traducir(QStringLiteral("STR_CDIAS"), QStringLiteral("DIAS "));
}

// The rule line of the repetition layout; empty for rules it has no words for.
QString LineaRegla(const QString &cabeza, QString resto)
{
    if (EsReglaDeDigito(cabeza))
        return LineaCadaNDias(cabeza);
    if (cabeza != QLatin1String("D"))
        return {};
    const QString subcabeza = CortarHasta(resto, QStringLiteral(":"));
    if (subcabeza == QLatin1String("D"))
        return LineaCadaNDias(CortarHasta(resto, QStringLiteral(":")));
    if (subcabeza != QLatin1String("R"))
        return {};
    const QString toma = CortarHasta(resto, QStringLiteral(":"));
    const QString descanso = CortarHasta(resto, QStringLiteral(":"));
    return Traducir(QStringLiteral("STR_CPOR_CADA"), QStringLiteral("POR CADA ")) + kBlanco + toma + kBlanco
            + Traducir(QStringLiteral("STR_CDIAS_TOMA"), QStringLiteral("DIAS TOMA ")) + kBlanco + descanso
            + kBlanco + Traducir(QStringLiteral("STR_CDIAS_DESCANSO"), QStringLiteral("DIAS DESCANSO"));
}

} // namespace

QString TextoPosologia(const QString &dosis)
{
    QString resto = dosis;
    const QString valores = CortarHasta(resto, QStringLiteral(":"));
    if (resto == QLatin1String("T"))
        return BloqueTabla(valores);

    const QString cabeza = CortarHasta(resto, QStringLiteral(":"));
    QString siguiente = resto;
    const QString token = CortarHasta(siguiente, QStringLiteral(":"));
    if (!EsReglaDeDigito(cabeza) && token != QLatin1String("D") && token != QLatin1String("R"))
        return {};

    QString porToma = valores;
    const auto tomas = NombresTomas();
    QString bloque;
    for (int toma = 0; toma < kTomasDia; ++toma) {
        const QString valor = toma < kTomasDia - 1 ? CortarHasta(porToma, QStringLiteral("-")) : porToma;
        bloque += Etiqueta(tomas[toma]) + Columna(valor) + kFinDeLinea;
    }
    return bloque + LineaRegla(cabeza, resto) + kFinDeLinea;
}

QString TextoFecha(const QDate &fecha)
{
    return fecha.toString(QStringLiteral("dd/MM/yyyy"));
}

QString FechaLocal(const QString &ddmmyyyy)
{
    return TextoFecha(QDate::fromString(ddmmyyyy, QStringLiteral("dd/MM/yyyy")));
}
