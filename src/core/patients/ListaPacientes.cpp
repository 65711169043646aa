#include "core/patients/ListaPacientes.h"

#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"

#include <QSqlRecord>
#include <QStringList>

QList<TFilaListaPacientes> LeerListaPacientes(TDM &dm, const TFiltroPacientes &filtro)
{
    QStringList condiciones;
    QVariantList valores;
    switch (filtro.actividad) {
    case TFiltroPacientes::TActividad::No:
        condiciones << QStringLiteral("COALESCE(p.Iactivo, 1) = 0");
        break;
    case TFiltroPacientes::TActividad::Si:
        condiciones << QStringLiteral("COALESCE(p.Iactivo, 1) <> 0");
        break;
    case TFiltroPacientes::TActividad::Todos:
        break;
    }
    if (filtro.categoria) {
        condiciones << QStringLiteral("p.CodCategoria = ?");
        valores << *filtro.categoria;
    }
    QString sql = TDM::ListaPacientesSql();
    if (!condiciones.isEmpty())
        sql += QStringLiteral(" WHERE ") + condiciones.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY p.idPaciente");

    TConsulta query = dm.Consulta(sql, valores);
    // The columns are found by name once: a read by name looks the whole row's columns up again.
    const QSqlRecord columnas = query.record();
    const int id = columnas.indexOf(QStringLiteral("idPaciente"));
    const int referencia = columnas.indexOf(QStringLiteral("refPaciente"));
    const int nombre = columnas.indexOf(QStringLiteral("Nombre"));
    const int dni = columnas.indexOf(QStringLiteral("DNI"));
    const int activo = columnas.indexOf(QStringLiteral("Iactivo"));
    const int categoria = columnas.indexOf(QStringLiteral("CategoriaText"));
    const int telefono = columnas.indexOf(QStringLiteral("Telefono"));
    QList<TFilaListaPacientes> filas;
    while (query.next()) {
        TFilaListaPacientes fila;
        fila.idPaciente = query.value(id).toLongLong();
        fila.refPaciente = query.value(referencia).toString();
        fila.Nombre = query.value(nombre).toString();
        fila.DNI = query.value(dni).toString();
        const QVariant iactivo = query.value(activo);
        fila.activo = iactivo.isNull() || iactivo.toInt() != 0;
        fila.ActivoText = ValoresMostrados::ActivoTexto(iactivo);
        fila.CategoriaText = query.value(categoria).toString();
        fila.Telefono = query.value(telefono).toString();
        filas.append(fila);
    }
    return filas;
}
