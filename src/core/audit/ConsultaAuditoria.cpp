#include "core/audit/ConsultaAuditoria.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"

namespace {

const QString kSelect
        = QStringLiteral("SELECT IdAudit, FAudit, Username, UserOS, Maquina, Accion, Resultado, "
                         "Operacion, refPaciente FROM LOPD_Auditoria");

// The texts of a statement's first column, in its order.
QStringList Textos(TDM &dm, const QString &sql)
{
    TConsulta query = dm.Consulta(sql);
    QStringList textos;
    while (query.next())
        textos << query.value(0).toString();
    return textos;
}

TFilaAuditoria LeerFila(const TConsulta &query)
{
    TFilaAuditoria fila;
    fila.IdAudit = query.value(0).toLongLong();
    fila.FAudit = SqlFecha::leer(query.value(1));
    fila.Username = query.value(2).toString();
    fila.UserOS = query.value(3).toString();
    fila.Maquina = query.value(4).toString();
    fila.Accion = query.value(5).toString();
    fila.Resultado = query.value(6).toString();
    fila.Operacion = query.value(7).toString();
    fila.refPaciente = query.value(8).toString();
    return fila;
}

} // namespace

TFiltroAuditoria FiltroAuditoriaDelMes(const QDate &hoy)
{
    TFiltroAuditoria filtro;
    filtro.Desde = QDate(hoy.year(), hoy.month(), 1);
    filtro.Hasta = QDate(hoy.year(), hoy.month(), hoy.daysInMonth());
    return filtro;
}

TSentenciaAuditoria SentenciaAuditoria(const TFiltroAuditoria &filtro, int desde, int cuantas)
{
    QStringList condiciones;
    QVariantList valores;
    const auto condicion = [&](const QString &sql, const QVariant &valor) {
        condiciones << sql;
        valores << valor;
    };
    const auto texto = [&](const QString &columna, const QString &valor) {
        if (!valor.trimmed().isEmpty())
            condicion(QStringLiteral("UPPER(%1) = UPPER(?)").arg(columna), valor);
    };
    // The identifier is digits: compared as stored, so that its index serves.
    if (!filtro.Paciente.trimmed().isEmpty())
        condicion(QStringLiteral("refPaciente = ?"), filtro.Paciente.trimmed());
    texto(QStringLiteral("Operacion"), filtro.Operacion);
    texto(QStringLiteral("Resultado"), filtro.Resultado);
    texto(QStringLiteral("Username"), filtro.Usuario);
    texto(QStringLiteral("Accion"), filtro.Accion);
    if (filtro.Desde.isValid())
        condicion(QStringLiteral("FAudit >= ?"), SqlFecha::valor(QDateTime(filtro.Desde, QTime(0, 0))));
    // Up to the start of the next day: the last day whole, whatever fraction of its last second.
    if (filtro.Hasta.isValid())
        condicion(QStringLiteral("FAudit < ?"),
                  SqlFecha::valor(QDateTime(filtro.Hasta.addDays(1), QTime(0, 0))));

    TSentenciaAuditoria sentencia {kSelect, valores};
    if (!condiciones.isEmpty())
        sentencia.sql += QStringLiteral(" WHERE ") + condiciones.join(QStringLiteral(" AND "));
    sentencia.sql += QStringLiteral(" ORDER BY FAudit, Username, Accion, IdAudit");
    if (cuantas > 0) {
        sentencia.sql += QStringLiteral(" LIMIT ? OFFSET ?");
        sentencia.valores << cuantas << desde;
    }
    return sentencia;
}

QList<TFilaAuditoria> ConsultarAuditoria(TDM &dm, const TFiltroAuditoria &filtro, int desde, int cuantas)
{
    const TSentenciaAuditoria sentencia = SentenciaAuditoria(filtro, desde, cuantas);
    TConsulta query = dm.Consulta(sentencia.sql, sentencia.valores);
    QList<TFilaAuditoria> filas;
    while (query.next())
        filas << LeerFila(query);
    return filas;
}

QStringList UsuariosAuditoria(TDM &dm)
{
    return Textos(dm, QStringLiteral("SELECT username FROM Usuario ORDER BY username"));
}

QStringList AccionesAuditoria(TDM &dm)
{
    return Textos(dm, SentenciaAccionesAuditoria());
}

QString SentenciaAccionesAuditoria()
{
    // Each action found leads to the next greater one through the index, instead of reading every
    // row of ten years of log for a few dozen distinct texts.
    return QStringLiteral(
            "WITH RECURSIVE acciones (Accion) AS ("
            "SELECT MIN(Accion) FROM LOPD_Auditoria "
            "UNION ALL SELECT (SELECT MIN(l.Accion) FROM LOPD_Auditoria l WHERE l.Accion > a.Accion) "
            "FROM acciones a WHERE a.Accion IS NOT NULL) "
            "SELECT Accion FROM acciones WHERE Accion IS NOT NULL ORDER BY Accion");
}
