#include "core/stock/TomasRetornadas.h"

#include "core/data/uDM.h"
#include "core/dosing/NombresSemana.h"
#include "core/i18n/ULenguaje.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

const TTomaRetornada kSinMarcar {};

} // namespace

const TTomaRetornada &TTomasRetornadas::Toma(int toma) const
{
    return EsToma(toma) ? m_tomas.at(std::size_t(toma - 1)) : kSinMarcar;
}

void TTomasRetornadas::Marcar(int toma, int comprimidos, const QString &comentario)
{
    if (EsToma(toma))
        m_tomas.at(std::size_t(toma - 1)) = {true, comprimidos, comentario.left(kLongitudComentario)};
}

void TTomasRetornadas::Desmarcar(int toma)
{
    if (EsToma(toma))
        m_tomas.at(std::size_t(toma - 1)) = {};
}

QList<int> TTomasRetornadas::Marcadas() const
{
    QList<int> marcadas;
    for (int toma = 1; toma <= kTomas; ++toma) {
        if (Toma(toma).Marcada)
            marcadas << toma;
    }
    return marcadas;
}

int TTomasRetornadas::SumaComprimidos() const
{
    int suma = 0;
    for (const TTomaRetornada &toma : m_tomas)
        suma += toma.Marcada ? toma.Comprimidos : 0;
    return suma;
}

QString TextoToma(int toma)
{
    return Traducir(QStringLiteral("STR_TOMA"), QStringLiteral("TOMA ")) + QString::number(toma);
}

QString TextoDiaToma(int toma)
{
    if (!TTomasRetornadas::EsToma(toma))
        return {};
    const int celda = toma - 1;
    return NombresDias().at(celda / kTomasDia) + QLatin1Char(' ') + NombresTomas().at(celda % kTomasDia);
}

std::optional<int> LeerComprimidosToma(const QString &texto)
{
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty()
        || !std::all_of(limpio.cbegin(), limpio.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool numero = false;
    const int comprimidos = limpio.toInt(&numero);
    if (!numero)
        return std::nullopt; // too many digits for a count
    return comprimidos;
}

TTomasRetornadas LeerTomasRetornadas(TDM &dm, qint64 idRecarga)
{
    TTomasRetornadas tomas;
    TConsulta filas
            = dm.Consulta(QStringLiteral("SELECT idToma, CantidadComprimidos, Comentario "
                                         "FROM RecargaTomasRetornadas WHERE idRecarga = ? ORDER BY idToma"),
                          {idRecarga});
    while (filas.next())
        tomas.Marcar(filas.value(0).toInt(), filas.value(1).toInt(), filas.value(2).toString());
    return tomas;
}
