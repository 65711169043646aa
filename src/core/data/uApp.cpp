#include "core/data/uApp.h"

std::optional<int> IndiceDeCodigo(const QList<TCodigos> &codigos, int codigo)
{
    for (qsizetype i = 0; i < codigos.size(); ++i) {
        if (codigos.at(i).Codigo == codigo)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

QString ValorDe(const QStringList &lineas, const QString &clave)
{
    for (const QString &linea : lineas) {
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (igual >= 0 && linea.left(igual).compare(clave, Qt::CaseInsensitive) == 0)
            return linea.mid(igual + 1);
    }
    return {};
}
