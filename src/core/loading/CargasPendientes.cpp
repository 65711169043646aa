#include "core/loading/CargasPendientes.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/TextosEtiqueta.h"

#include <QSqlQuery>

namespace {

constexpr int kCifrasCodigo = 7;

bool Pendiente(const TFilaCarga &carga)
{
    return !carga.FechaEntrega.isValid();
}

} // namespace

QList<TFilaCarga> CargasPendientesPaciente(TDM &dm, qint64 idPaciente)
{
    QList<TFilaCarga> cargas = ConsultarCargas(dm);
    cargas.removeIf(
            [&](const TFilaCarga &carga) { return carga.idPaciente != idPaciente || !Pendiente(carga); });
    return cargas;
}

QList<QDate> FechasPendientesCategoria(TDM &dm, int codCategoria)
{
    TConsulta query = dm.Consulta(QStringLiteral("SELECT DISTINCT r.FechaInicio FROM Paciente p "
                                                 "INNER JOIN Recarga r ON p.idPaciente = r.idPaciente "
                                                 "WHERE p.CodCategoria = ? AND r.FechaInicio IS NOT NULL "
                                                 "AND r.FechaEntrega IS NULL ORDER BY 1 DESC"),
                                  {codCategoria});
    QList<QDate> fechas;
    while (query.next())
        fechas << SqlFecha::leerDia(query.value(0));
    return fechas;
}

QList<TFilaCarga> CargasPendientesCategoria(TDM &dm, int codCategoria, const QDate &inicio)
{
    QList<TFilaCarga> cargas = ConsultarCargas(dm, FiltroFechaInicio::Dia(inicio));
    cargas.removeIf([&](const TFilaCarga &carga) {
        return carga.CodCategoria.isNull() || carga.CodCategoria.toInt() != codCategoria || !Pendiente(carga);
    });
    return cargas;
}

QString CodigoBlister(const TFilaCarga &carga)
{
    return TextosEtiqueta::CodigoCarga(carga.idPaciente, carga.refRecarga).left(kCifrasCodigo);
}
