#include "core/loading/PacienteCarga.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/FechasCarga.h"
#include "core/stock/uInventario.h"

#include <QSqlQuery>

std::optional<TPacienteCarga> LeerPacienteCarga(TDM &dm, qint64 idPaciente)
{
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT refPaciente, Nombre, FechaAlta, FechaBaja, CodCategoria, "
                                         "NumeroUltimaCargaRealizada FROM Paciente WHERE idPaciente = ?"),
                          {idPaciente});
    if (!query.next())
        return std::nullopt;
    TPacienteCarga paciente;
    paciente.idPaciente = idPaciente;
    paciente.refPACIENTE = query.value(0).toString();
    paciente.NOMBRE = query.value(1).toString();
    paciente.FechaAlta = SqlFecha::leerDia(query.value(2));
    paciente.FechaBaja = SqlFecha::leerDia(query.value(3));
    // 0 is the code of "no category assigned" in the category list.
    paciente.conCategoria = !query.value(4).isNull() && query.value(4).toInt() != 0;
    // The same number the stored load will get (see GuardarCarga): above the counter and above
    // every stored load, so the machine's label and the stored load name the same load.
    const int contador = query.value(5).toInt();
    const int mayor = dm.Valor(SentenciaUltimoNumeroCarga(), {idPaciente}).toInt();
    paciente.siguienteNumeroCarga = qMax(contador, mayor) + 1;
    paciente.conInventario = TInventario(dm).ConInventario(idPaciente);
    return paciente;
}

QString ReferenciaCarga(const TPacienteCarga &paciente)
{
    return paciente.refPACIENTE + QLatin1Char('-') + QString::number(paciente.siguienteNumeroCarga);
}
