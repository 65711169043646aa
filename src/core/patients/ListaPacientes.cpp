#include "core/patients/ListaPacientes.h"

#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"

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
    QList<TFilaListaPacientes> filas;
    while (query.next()) {
        TFilaListaPacientes fila;
        fila.idPaciente = query.value(QStringLiteral("idPaciente")).toLongLong();
        fila.refPaciente = query.value(QStringLiteral("refPaciente")).toString();
        fila.Nombre = query.value(QStringLiteral("Nombre")).toString();
        fila.DNI = query.value(QStringLiteral("DNI")).toString();
        const QVariant iactivo = query.value(QStringLiteral("Iactivo"));
        fila.activo = iactivo.isNull() || iactivo.toInt() != 0;
        fila.ActivoText = ValoresMostrados::ActivoTexto(iactivo);
        fila.CategoriaText = query.value(QStringLiteral("CategoriaText")).toString();
        fila.Telefono = query.value(QStringLiteral("Telefono")).toString();
        filas.append(fila);
    }
    return filas;
}
