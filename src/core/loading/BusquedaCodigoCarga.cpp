#include "core/loading/BusquedaCodigoCarga.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/CodigoCarga.h"

#include <QSqlQuery>

namespace {

// Why a code of a stored load that the screen does not list selects nothing.
void Explicar(TDM &dm, const TCodigoCarga &codigo, const TAmbitoEntrega &ambito, TCargaBuscada &busqueda)
{
    TConsulta carga = dm.Consulta(
            QStringLiteral(
                    "SELECT p.refPaciente, p.CodCategoria, r.FechaInicio, r.FechaEntrega FROM Recarga r "
                    "INNER JOIN Paciente p ON p.idPaciente = r.idPaciente "
                    "WHERE r.idPaciente = ? AND r.refRecarga = ?"),
            {codigo.idPaciente, codigo.refRecarga});
    if (!carga.next())
        return;
    const QVariant categoria = carga.value(1);
    const QDate inicio = SqlFecha::leerDia(carga.value(2));
    const QDate entrega = SqlFecha::leerDia(carga.value(3));
    if (ambito.idPaciente && *ambito.idPaciente != codigo.idPaciente) {
        busqueda.Resultado = TCargaBuscada::OtroPaciente;
        busqueda.RefPaciente = carga.value(0).toString();
    } else if (ambito.codCategoria && (categoria.isNull() || categoria.toInt() != *ambito.codCategoria)) {
        busqueda.Resultado = TCargaBuscada::OtraCategoria;
    } else if (!carga.value(3).isNull()) {
        busqueda.Resultado = TCargaBuscada::YaEntregada;
        busqueda.Fecha = entrega;
    } else if (ambito.codCategoria && inicio != ambito.inicio) {
        busqueda.Resultado = TCargaBuscada::OtraFecha;
        busqueda.Fecha = inicio;
    }
}

} // namespace

TCargaBuscada BuscarCargaPorCodigo(TDM &dm, const QString &codigo, const QList<TFilaCarga> &pendientes,
                                   const TAmbitoEntrega &ambito)
{
    TCargaBuscada busqueda;
    if (pendientes.isEmpty()) {
        busqueda.Resultado = TCargaBuscada::SinPendientes;
        return busqueda;
    }
    const std::optional<TCodigoCarga> leido = LeerCodigoCarga(codigo);
    if (!leido) {
        busqueda.Resultado = TCargaBuscada::Ilegible;
        return busqueda;
    }
    for (const TFilaCarga &carga : pendientes) {
        if (carga.idPaciente == leido->idPaciente && carga.refRecarga == leido->refRecarga) {
            busqueda.Resultado = TCargaBuscada::Encontrada;
            busqueda.Carga = carga;
            return busqueda;
        }
    }
    Explicar(dm, *leido, ambito, busqueda);
    return busqueda;
}

QString AvisoCodigo(const TCargaBuscada &busqueda)
{
    if (busqueda.Resultado == TCargaBuscada::Encontrada)
        return {};
    QString aviso = Traducir(QStringLiteral("WRN_RECARGA_NO_ENCONTRADA"),
                             QStringLiteral("NO SE HA ENCONTRADO LA ROSSETA SOLICITADA"));
    const auto motivo = [&](const QString &texto) { aviso += QLatin1Char('\n') + texto; };
    switch (busqueda.Resultado) {
    case TCargaBuscada::Ilegible:
        motivo(Traducir(QStringLiteral("WRN_CODIGO_BLISTER_ILEGIBLE"),
                        QStringLiteral("EL CODIGO LEIDO NO ES EL DE UN BLISTER")));
        break;
    case TCargaBuscada::OtroPaciente:
        motivo(Traducir(QStringLiteral("WRN_RECARGA_OTRO_PACIENTE"),
                        QStringLiteral("EL CODIGO ES DE UNA CARGA DE OTRO PACIENTE: "))
               + busqueda.RefPaciente);
        break;
    case TCargaBuscada::OtraCategoria:
        motivo(Traducir(QStringLiteral("WRN_RECARGA_OTRA_CATEGORIA"),
                        QStringLiteral("EL CODIGO ES DE UNA CARGA DE UN PACIENTE DE OTRA CATEGORIA")));
        break;
    case TCargaBuscada::OtraFecha:
        motivo(Traducir(QStringLiteral("WRN_RECARGA_OTRA_FECHA"),
                        QStringLiteral("EL CODIGO ES DE UNA CARGA QUE EMPIEZA EL "))
               + TextoFecha(busqueda.Fecha));
        break;
    case TCargaBuscada::YaEntregada:
        motivo(Traducir(QStringLiteral("WRN_RECARGA_YA_ENTREGADA"),
                        QStringLiteral("ESA CARGA YA SE ENTREGO EL "))
               + TextoFecha(busqueda.Fecha));
        break;
    default:
        break;
    }
    return aviso;
}
