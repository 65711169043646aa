#include "core/stock/ConsultaInventario.h"

#include "core/common/AppError.h"
#include "core/data/SqlFecha.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

#include <QSqlQuery>

namespace {

QString ColumnaCodigo(const TFiltroInventario &filtro)
{
    return filtro.VerMedicamentos ? QStringLiteral("COALESCE(I.IdMedicamentoReal, I.idMedicamento)")
                                  : QStringLiteral("I.idMedicamento");
}

// A column as the rows are compared by it: texts without regard to case, numbers and dates by value.
QString ColumnaSql(TColumnaInventario columna, const QString &codigo)
{
    switch (columna) {
    case TColumnaInventario::Categoria:
        return QStringLiteral("UPPER(T.Descripcion)");
    case TColumnaInventario::Referencia:
        return QStringLiteral("UPPER(P.refPaciente)");
    case TColumnaInventario::Nombre:
        return QStringLiteral("UPPER(P.Nombre)");
    case TColumnaInventario::Codigo:
        return codigo;
    case TColumnaInventario::Medicamento:
        return QStringLiteral("UPPER(%1)").arg(ValoresMostrados::NombreMostradoSql(QStringLiteral("M")));
    case TColumnaInventario::Lote:
        return QStringLiteral("UPPER(I.Lote)");
    case TColumnaInventario::Caducidad:
        return QStringLiteral("I.Caducidad");
    case TColumnaInventario::Cantidad:
        return QStringLiteral("I.CantidadRestante");
    }
    return codigo;
}

// Rows equal in the chosen column keep the usual order whichever the direction, as a stable sort of
// the usual order leaves them; empty values count as the smallest on both engines.
QString OrdenSql(const TOrdenInventario &orden, const QString &codigo)
{
    const QString usual = QStringLiteral("P.refPaciente, %1, I.idInventario").arg(codigo);
    if (!orden.Columna)
        return QStringLiteral(" ORDER BY ") + usual;
    const QString sentido = orden.Descendente ? QStringLiteral(" DESC") : QString();
    return QStringLiteral(" ORDER BY CASE WHEN %1 IS NULL THEN 0 ELSE 1 END%2, %1%2, %3")
            .arg(ColumnaSql(*orden.Columna, codigo), sentido, usual);
}

TFilaInventario LeerFila(const TConsulta &query)
{
    TFilaInventario fila;
    fila.RefPaciente = query.value(0).toString();
    fila.Nombre = query.value(1).toString();
    fila.Categoria = query.value(2).toString();
    fila.Codigo = query.value(3).toLongLong();
    fila.idInventario = query.value(4).toLongLong();
    fila.Lote = query.value(5).toString();
    fila.Caducidad = SqlFecha::leerDia(query.value(6));
    fila.Cantidad = query.value(7).toDouble();
    fila.Medicamento = ValoresMostrados::NombreMostrado(query.value(10).toString(), query.value(8).toString(),
                                                        query.value(9).toString());
    return fila;
}

// The name and medication filters, compared with the application's upper case (the database's
// UPPER leaves accented letters as they are on SQLite).
bool PasaTextos(const TFilaInventario &fila, const TFiltroInventario &filtro)
{
    return fila.Nombre.toUpper().contains(filtro.Nombre.trimmed().toUpper())
            && fila.Medicamento.toUpper().contains(filtro.Descripcion.trimmed().toUpper());
}

// The rows of the statement that pass the text filters, added to `filas`; the number of rows read.
int Leer(TDM &dm, const TSentenciaInventario &sentencia, const TFiltroInventario &filtro,
         QList<TFilaInventario> &filas)
{
    TConsulta query = dm.Consulta(sentencia.sql, sentencia.valores);
    int leidas = 0;
    while (query.next()) {
        ++leidas;
        TFilaInventario fila = LeerFila(query);
        if (PasaTextos(fila, filtro))
            filas << std::move(fila);
    }
    return leidas;
}

} // namespace

TSentenciaInventario SentenciaInventario(const TFiltroInventario &filtro, const TOrdenInventario &orden,
                                         int desde, int cuantas)
{
    const QString codigo = ColumnaCodigo(filtro);
    TSentenciaInventario sentencia {
            QStringLiteral("SELECT P.refPaciente, P.Nombre, T.Descripcion, %1, I.idInventario, I.Lote, "
                           "I.Caducidad, I.CantidadRestante, M.Medicamento, M.Descripcion, M.DescUsuario "
                           "FROM Paciente P INNER JOIN Inventario I ON P.idPaciente = I.idPaciente "
                           "LEFT JOIN Medicamento M ON M.idMedicamento = %1 "
                           "LEFT JOIN TabMaestras T ON T.CodTab = %2 AND T.Codigo = P.CodCategoria "
                           "WHERE 1 = 1")
                    .arg(codigo)
                    .arg(TDM::kListaCategorias),
            {}};
    if (filtro.Categoria) {
        sentencia.sql += QStringLiteral(" AND P.CodCategoria = ?");
        sentencia.valores << *filtro.Categoria;
    }
    if (!filtro.Referencia.trimmed().isEmpty()) {
        sentencia.sql += QStringLiteral(" AND UPPER(P.refPaciente) = ?");
        sentencia.valores << filtro.Referencia.trimmed().toUpper();
    }
    if (!filtro.Codigo.trimmed().isEmpty()) {
        bool numero = false;
        const qint64 valor = filtro.Codigo.trimmed().toLongLong(&numero);
        if (!numero)
            throw AppError(Traducir(QStringLiteral("ERR_CODIGO_NUMERICO"),
                                    QStringLiteral("Codigo ha de ser numerico"))
                                   .toUpper());
        sentencia.sql += QStringLiteral(" AND %1 = ?").arg(codigo);
        sentencia.valores << valor;
    }
    sentencia.sql += OrdenSql(orden, codigo);
    if (cuantas > 0) {
        sentencia.sql += QStringLiteral(" LIMIT ? OFFSET ?");
        sentencia.valores << cuantas << desde;
    }
    return sentencia;
}

QList<TFilaInventario> ConsultarInventario(TDM &dm, const TFiltroInventario &filtro,
                                           const TOrdenInventario &orden)
{
    QList<TFilaInventario> filas;
    Leer(dm, SentenciaInventario(filtro, orden), filtro, filas);
    return filas;
}

TPaginaInventario ConsultarPaginaInventario(TDM &dm, const TFiltroInventario &filtro,
                                            const TOrdenInventario &orden, int desde, int cuantas)
{
    TPaginaInventario pagina {{}, desde, true};
    // A name or medication filter may leave few rows of a statement: more are read until the page is
    // full, so that a view asking for more always gets some while there are.
    while (pagina.HayMas && pagina.Filas.size() < cuantas) {
        const int leidas = Leer(dm, SentenciaInventario(filtro, orden, pagina.Siguiente, cuantas), filtro,
                                pagina.Filas);
        pagina.Siguiente += leidas;
        pagina.HayMas = leidas == cuantas;
    }
    return pagina;
}
