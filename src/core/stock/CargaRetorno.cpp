#include "core/stock/CargaRetorno.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/CodigoCarga.h"

#include <QSqlQuery>

namespace {

constexpr int kLongitudCodigoCarga = 7; // the patient in 4 digits and the load number in 3

std::optional<int> Entero(const QVariant &columna)
{
    if (columna.isNull())
        return std::nullopt;
    return columna.toInt();
}

std::optional<qint64> CargaPorNumero(TDM &dm, qint64 idPaciente, int refRecarga)
{
    const QVariant id = dm.Valor(QStringLiteral("SELECT idRecarga FROM Recarga WHERE idPaciente = ? AND "
                                                "refRecarga = ? ORDER BY idRecarga DESC"),
                                 {idPaciente, refRecarga});
    if (id.isNull())
        return std::nullopt;
    return id.toLongLong();
}

// A load number typed by hand: a positive whole number shorter than a blister code, so that a
// misread code is never taken for a number.
std::optional<int> NumeroCarga(const QString &texto)
{
    const QString limpio = texto.trimmed();
    if (limpio.size() >= kLongitudCodigoCarga)
        return std::nullopt;
    bool numero = false;
    const int refRecarga = limpio.toInt(&numero);
    if (!numero || refRecarga <= 0)
        return std::nullopt;
    return refRecarga;
}

} // namespace

QString TCargaRetorno::TextoHumedad() const
{
    return Humedad ? QString::number(*Humedad) + QLatin1Char('%') : QString();
}

QString TCargaRetorno::TextoTemperatura() const
{
    return Temperatura ? QString::number(*Temperatura) + QStringLiteral("ºC") : QString();
}

std::optional<TCargaRetorno> LeerCargaRetorno(TDM &dm, qint64 idRecarga)
{
    TConsulta fila = dm.Consulta(
            QStringLiteral("SELECT r.refRecarga, r.idPaciente, u.Nombre, r.FechaRealizado, r.FechaInicio, "
                           "r.FechaFin, r.Humedad, r.Temperatura, r.FechaRetornado "
                           "FROM Recarga r LEFT JOIN Usuario u ON u.idUsuario = r.idUsuario "
                           "WHERE r.idRecarga = ?"),
            {idRecarga});
    if (!fila.next())
        return std::nullopt;
    TCargaRetorno carga;
    carga.idRecarga = idRecarga;
    carga.refRecarga = fila.value(0).toInt();
    carga.idPaciente = fila.value(1).toLongLong();
    carga.Preparador = fila.value(2).toString();
    carga.FechaRealizado = SqlFecha::leer(fila.value(3));
    carga.FechaInicio = SqlFecha::leerDia(fila.value(4));
    carga.FechaFin = SqlFecha::leerDia(fila.value(5));
    carga.Humedad = Entero(fila.value(6));
    carga.Temperatura = Entero(fila.value(7));
    carga.FechaRetornado = SqlFecha::leerDia(fila.value(8));
    fila.finish();
    carga.Tomas = LeerTomasRetornadas(dm, idRecarga);
    return carga;
}

std::optional<qint64> UltimaCargaPaciente(TDM &dm, qint64 idPaciente)
{
    TConsulta ultima = dm.Consulta(QStringLiteral("SELECT idRecarga FROM Recarga WHERE idPaciente = ? "
                                                  "ORDER BY refRecarga DESC, idRecarga DESC LIMIT 1"),
                                   {idPaciente});
    if (!ultima.next())
        return std::nullopt;
    return ultima.value(0).toLongLong();
}

std::optional<qint64> CargaPacientePorCodigo(TDM &dm, qint64 idPaciente, const QString &codigo)
{
    if (const std::optional<TCodigoCarga> leido = LeerCodigoCarga(codigo)) {
        // A blister of another patient is never taken for this patient's load of the same number.
        if (leido->idPaciente != idPaciente)
            return std::nullopt;
        return CargaPorNumero(dm, idPaciente, leido->refRecarga);
    }
    const std::optional<int> numero = NumeroCarga(codigo);
    if (!numero)
        return std::nullopt;
    return CargaPorNumero(dm, idPaciente, *numero);
}

TDatosTomasRetornadas DatosTomasRetornadas(TDM &dm, const TCargaRetorno &carga)
{
    TDatosTomasRetornadas datos;
    TConsulta paciente = dm.Consulta(
            QStringLiteral("SELECT refPaciente, Nombre, MedicoNombre FROM Paciente WHERE idPaciente = ?"),
            {carga.idPaciente});
    if (paciente.next()) {
        datos.RefPaciente = paciente.value(0).toString();
        datos.Nombre = paciente.value(1).toString();
        datos.Medico = paciente.value(2).toString();
    }
    datos.refRecarga = carga.refRecarga;
    datos.Preparador = carga.Preparador;
    datos.FechaInicio = carga.FechaInicio;
    datos.FechaFin = carga.FechaFin;
    datos.FechaRetorno = carga.FechaRetornado;
    datos.Humedad = carga.TextoHumedad();
    datos.Temperatura = carga.TextoTemperatura();
    for (int toma : carga.Tomas.Marcadas()) {
        const TTomaRetornada &marcada = carga.Tomas.Toma(toma);
        datos.Tomas << TLineaTomaRetornada {toma, TextoDiaToma(toma), marcada.Comprimidos,
                                            marcada.Comentario};
    }
    return datos;
}
