#include "core/stock/ValorConsulta.h"

#include "core/data/uDM.h"

#include <QSqlQuery>

QVariant ValorConsulta(TDM &dm, const QString &sql, const QVariantList &valores)
{
    TConsulta query = dm.Consulta(sql, valores);
    QVariant valor;
    while (query.next())
        valor = query.value(0);
    return valor;
}
