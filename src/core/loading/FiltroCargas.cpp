#include "core/loading/FiltroCargas.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/VentanaCarga.h"

#include <QSqlQuery>

namespace {

// The identifier of no patient: a reference that names none lists no load.
constexpr qint64 kNingunPaciente = -1;

QString ErrorFormato()
{
    return Traducir(QStringLiteral("ERR_FECHA_FORMATO"), QStringLiteral("EL FORMATO ES INCORRECTO"));
}

std::optional<TPacienteFiltroCargas> BuscarPaciente(TDM &dm, const QString &referencia)
{
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT idPaciente, refPaciente, Nombre, FechaAlta, FechaBaja "
                                         "FROM Paciente WHERE UPPER(refPaciente) = UPPER(?) "
                                         "ORDER BY idPaciente LIMIT 1"),
                          {referencia});
    if (!query.next())
        return std::nullopt;
    return TPacienteFiltroCargas {query.value(0).toLongLong(), query.value(1).toString(),
                                  query.value(2).toString(), SqlFecha::leerDia(query.value(3)),
                                  SqlFecha::leerDia(query.value(4))};
}

} // namespace

TFiltroCargasLeido LeerFiltroCargas(TDM &dm, const TCamposFiltroCargas &campos)
{
    TFiltroCargasLeido leido;
    const auto rechazar = [&](TCampoFiltroCargas campo, const QString &mensaje) {
        leido.filtro = {};
        leido.paciente.reset();
        leido.error = mensaje;
        leido.campo = campo;
        return leido;
    };
    TFiltroCargas &filtro = leido.filtro;

    if (const QString desde = campos.Desde.trimmed(); !desde.isEmpty()) {
        filtro.Desde = LeerFechaCampo(desde);
        if (!filtro.Desde.isValid())
            return rechazar(TCampoFiltroCargas::Desde, ErrorFormato());
    }
    if (const QString hasta = campos.Hasta.trimmed(); !hasta.isEmpty()) {
        filtro.Hasta = LeerFechaCampo(hasta);
        if (!filtro.Hasta.isValid())
            return rechazar(TCampoFiltroCargas::Hasta, ErrorFormato());
        if (filtro.Desde.isValid() && filtro.Hasta < filtro.Desde)
            return rechazar(
                    TCampoFiltroCargas::Hasta,
                    Traducir(QStringLiteral("ERR_FECHA_HASTA_ANTERIOR"),
                             QStringLiteral("LA FECHA HASTA NO PUEDE SER ANTERIOR A LA FECHA DESDE")));
    }
    if (const QString referencia = campos.Paciente.trimmed(); !referencia.isEmpty()) {
        leido.paciente = BuscarPaciente(dm, referencia);
        filtro.idPaciente = leido.paciente ? leido.paciente->idPaciente : kNingunPaciente;
    }
    if (const QString recarga = campos.Recarga.trimmed(); !recarga.isEmpty()) {
        bool numero = false;
        const int valor = recarga.toInt(&numero);
        if (!numero)
            return rechazar(TCampoFiltroCargas::Recarga, ErrorFormato());
        filtro.refRecarga = valor;
    }
    filtro.Situacion = campos.Situacion;
    filtro.Categoria = campos.Categoria;
    return leido;
}
