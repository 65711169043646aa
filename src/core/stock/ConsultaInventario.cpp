#include "core/stock/ConsultaInventario.h"

#include "core/common/AppError.h"
#include "core/data/SqlFecha.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

#include <QSqlQuery>

QList<TFilaInventario> ConsultarInventario(TDM &dm, const TFiltroInventario &filtro)
{
    const QString columnaCodigo = filtro.VerMedicamentos
            ? QStringLiteral("COALESCE(I.IdMedicamentoReal, I.idMedicamento)")
            : QStringLiteral("I.idMedicamento");
    QString sql
            = QStringLiteral("SELECT P.refPaciente, P.Nombre, T.Descripcion, %1, I.idInventario, I.Lote, "
                             "I.Caducidad, I.CantidadRestante, M.Medicamento, M.Descripcion, M.DescUsuario "
                             "FROM Paciente P INNER JOIN Inventario I ON P.idPaciente = I.idPaciente "
                             "LEFT JOIN Medicamento M ON M.idMedicamento = %1 "
                             "LEFT JOIN TabMaestras T ON T.CodTab = %2 AND T.Codigo = P.CodCategoria "
                             "WHERE 1 = 1")
                      .arg(columnaCodigo)
                      .arg(TDM::kListaCategorias);
    QVariantList valores;
    if (filtro.Categoria) {
        sql += QStringLiteral(" AND P.CodCategoria = ?");
        valores << *filtro.Categoria;
    }
    if (!filtro.Referencia.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND UPPER(P.refPaciente) = ?");
        valores << filtro.Referencia.trimmed().toUpper();
    }
    if (!filtro.Codigo.trimmed().isEmpty()) {
        bool numero = false;
        const qint64 codigo = filtro.Codigo.trimmed().toLongLong(&numero);
        if (!numero)
            throw AppError(Traducir(QStringLiteral("ERR_CODIGO_NUMERICO"),
                                    QStringLiteral("Codigo ha de ser numerico"))
                                   .toUpper());
        sql += QStringLiteral(" AND %1 = ?").arg(columnaCodigo);
        valores << codigo;
    }
    sql += QStringLiteral(" ORDER BY P.refPaciente, %1, I.idInventario").arg(columnaCodigo);

    const QString nombre = filtro.Nombre.trimmed().toUpper();
    const QString descripcion = filtro.Descripcion.trimmed().toUpper();
    TConsulta query = dm.Consulta(sql, valores);
    QList<TFilaInventario> filas;
    while (query.next()) {
        TFilaInventario fila;
        fila.RefPaciente = query.value(0).toString();
        fila.Nombre = query.value(1).toString();
        fila.Categoria = query.value(2).toString();
        fila.Codigo = query.value(3).toLongLong();
        fila.idInventario = query.value(4).toLongLong();
        fila.Lote = query.value(5).toString();
        fila.Caducidad = SqlFecha::leerDia(query.value(6));
        fila.Cantidad = query.value(7).toDouble();
        fila.Medicamento = ValoresMostrados::NombreMostrado(
                query.value(10).toString(), query.value(8).toString(), query.value(9).toString());
        if (!fila.Nombre.toUpper().contains(nombre) || !fila.Medicamento.toUpper().contains(descripcion))
            continue;
        filas << fila;
    }
    return filas;
}
