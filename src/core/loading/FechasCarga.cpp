#include "core/loading/FechasCarga.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/shell/uLog.h"

QString SentenciaUltimoNumeroCarga()
{
    return QStringLiteral("SELECT MAX(refRecarga) FROM Recarga WHERE idPaciente = ?");
}

std::optional<QDate> FinUltimaCarga(TDM &dm, qint64 idPaciente)
{
    const QVariant ultima = dm.Valor(SentenciaUltimoNumeroCarga(), {idPaciente});
    if (ultima.isNull())
        return std::nullopt;
    const QDate fin = SqlFecha::leerDia(dm.Valor(
            QStringLiteral("SELECT MAX(FechaFin) FROM Recarga WHERE idPaciente = ? AND refRecarga = ?"),
            {idPaciente, ultima}));
    if (!fin.isValid())
        return std::nullopt;
    return fin;
}

bool ExisteCarga(TDM &dm, qint64 idPaciente, const QDate &fecha)
{
    try {
        return dm.Valor(QStringLiteral(
                                "SELECT COUNT(*) FROM Recarga WHERE idPaciente = ? AND FechaInicio = ?"),
                        {idPaciente, SqlFecha::valor(fecha)})
                       .toInt()
                != 0;
    } catch (const AppError &error) {
        Log(QStringLiteral(": ERROR:") + error.message());
        return false;
    }
}

QDate FechaSiguienteCarga(TDM &dm, qint64 idPaciente)
{
    const QDate hoy = Clock::today();
    try {
        const std::optional<QDate> fin = FinUltimaCarga(dm, idPaciente);
        return fin && fin->addDays(1) > hoy ? fin->addDays(1) : hoy;
    } catch (const AppError &error) {
        Log(QStringLiteral(": ERROR:") + error.message());
        return hoy;
    }
}
