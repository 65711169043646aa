#include "core/stock/NombreStock.h"

#include "core/data/ValoresMostrados.h"

#include "core/data/SentenciasPreparadas.h"

namespace NombreStock {

QString ColumnasSql(const QString &alias)
{
    return QStringLiteral("%1.DescUsuario, %1.Medicamento, %1.Descripcion").arg(alias);
}

TNombresMedicamento LeerNombres(const TConsulta &query, int desde)
{
    return {query.value(desde).toString(), query.value(desde + 1).toString(),
            query.value(desde + 2).toString()};
}

QString MedicamentoReal(const TNombresMedicamento &real)
{
    return real.Medicamento + QLatin1Char(' ') + real.Descripcion;
}

QString Medicamento(qint64 idMedicamento, const TNombresMedicamento &medicamento, qint64 idMedicamentoReal,
                    const TNombresMedicamento &real)
{
    QString nombre = ValoresMostrados::NombreMostrado(medicamento.DescUsuario, medicamento.Medicamento,
                                                      medicamento.Descripcion);
    if (idMedicamentoReal <= 0 || idMedicamentoReal == idMedicamento)
        return nombre;
    if (!real.DescUsuario.isEmpty())
        return nombre + QLatin1Char('-') + real.DescUsuario;
    return nombre + QLatin1Char('-') + QString::number(idMedicamentoReal) + QLatin1Char(' ')
            + real.Medicamento + QLatin1Char(' ');
}

} // namespace NombreStock
