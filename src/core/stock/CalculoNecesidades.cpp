#include "core/stock/CalculoNecesidades.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"

std::optional<int> LeerSemanas(const QString &texto)
{
    bool esNumero = false;
    const int semanas = texto.trimmed().toInt(&esNumero);
    if (!esNumero || semanas < 1 || semanas > kMaximoSemanasNecesidad)
        return std::nullopt;
    return semanas;
}

QString ErrorSemanas()
{
    return Traducir(QStringLiteral("ERR_SEMANAS_INCORRECTAS"),
                    QStringLiteral("EL NUMERO DE SEMANAS DEBE SER UN NUMERO ENTERO DE 1 A 52"));
}

TResultadoNecesidades CalcularResultadoNecesidades(TDM &dm, int semanas,
                                                   const QList<TPacienteNecesidad> &pacientes, bool conStock,
                                                   const QDate &hoy, const TAvanceNecesidades &avance)
{
    TResultadoNecesidades resultado;
    const TAvanceNecesidades seguir = [&](int hechos, int total) {
        resultado.interrumpido = avance && !avance(hechos, total);
        return !resultado.interrumpido;
    };
    resultado.Cargas = CalcularNecesidades(dm, semanas, pacientes, hoy, seguir);
    resultado.Resumen = ResumenCargas(resultado.Cargas);
    if (conStock)
        resultado.Pedido = ListaPedido(dm, resultado.Cargas);
    resultado.Medicamentos = MedicamentosQueFaltan(resultado.Pedido, resultado.Cargas, conStock);
    resultado.Necesarios = MedicamentosNecesarios(resultado.Cargas);
    return resultado;
}

std::optional<QDate> UltimaCargaSinEntregar(TDM &dm, int codCategoria)
{
    const QVariant inicio = dm.Valor(
            QStringLiteral("SELECT MAX(R.FechaInicio) FROM Recarga R INNER JOIN Paciente P "
                           "ON P.idPaciente = R.idPaciente WHERE P.CodCategoria = ? "
                           "AND P.FechaUltimaCargaRealizada IS NOT NULL AND R.FechaEntrega IS NULL"),
            {codCategoria});
    const QDate fecha = SqlFecha::leerDia(inicio);
    if (!fecha.isValid())
        return std::nullopt;
    return fecha;
}
