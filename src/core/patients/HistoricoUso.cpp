#include "core/patients/HistoricoUso.h"

#include "core/i18n/ULenguaje.h"

#include <algorithm>

bool DosisPorDias(const QString &dosis)
{
    const qsizetype corte = dosis.indexOf(QLatin1Char(':'));
    if (corte < 0)
        return false;
    const QStringList regla = dosis.mid(corte + 1).split(QLatin1Char(':'));
    const QString cabeza = regla.value(0);
    if (regla.size() == 1 && cabeza == QLatin1String("T"))
        return false;
    bool numero = false;
    const int dias = cabeza.toInt(&numero);
    if (numero && dias >= 1 && dias <= 7)
        return true;
    const QString siguiente = regla.value(1);
    return siguiente == QLatin1String("D") || siguiente == QLatin1String("R");
}

QStringList TomasPorFranja(const QString &dosis)
{
    if (!DosisPorDias(dosis))
        return {};
    return dosis.left(dosis.indexOf(QLatin1Char(':'))).split(QLatin1Char('-'));
}

namespace {

TUsoMedicamento Uso(const TCambioTratamiento &cambio)
{
    TUsoMedicamento uso;
    uso.IdVersion = cambio.IdVersion;
    uso.Fecha = cambio.Fecha;
    uso.Username = cambio.username;
    uso.Idmedicamento = cambio.idmedicamento;
    uso.Medicamento = cambio.Medicamento;
    uso.DescCambio = cambio.Desccambio;
    uso.Iucarga = cambio.Iucarga;
    uso.Dosis = cambio.Dosis;
    uso.dosis_et = cambio.Dosis_et;
    if (cambio.SPD)
        uso.Tomas = TomasPorFranja(cambio.Dosis);
    return uso;
}

} // namespace

QList<TUsoMedicamento> PeriodosUso(const QList<TCambioTratamiento> &cambios)
{
    QList<qint64> vistos;
    for (const TCambioTratamiento &cambio : cambios) {
        if (!vistos.contains(cambio.idmedicamento))
            vistos << cambio.idmedicamento;
    }
    QList<TCambioTratamiento> recientes = cambios;
    std::stable_sort(recientes.begin(), recientes.end(),
                     [](const TCambioTratamiento &a, const TCambioTratamiento &b) {
                         return a.IdVersion > b.IdVersion;
                     });

    const QString borrado = Traducir(QStringLiteral("STR_ACCION_BORRADO"), QStringLiteral("BORRADO"));
    QList<TUsoMedicamento> usos;
    for (const qint64 idMedicamento : vistos) {
        QList<TCambioTratamiento> propios;
        std::copy_if(recientes.cbegin(), recientes.cend(), std::back_inserter(propios),
                     [&](const TCambioTratamiento &cambio) { return cambio.idmedicamento == idMedicamento; });
        QDate arrastrado; // the day before the newer version started
        for (qsizetype k = 0; k < propios.size(); ++k) {
            const TCambioTratamiento &cambio = propios.at(k);
            const bool masAntigua = k == propios.size() - 1;
            QDate inicio = cambio.Inicio;
            if (!masAntigua && cambio.Fecha.isValid() && (!inicio.isValid() || cambio.Fecha > inicio))
                inicio = cambio.Fecha;
            QDate fin = cambio.Fin.isValid() ? cambio.Fin : (k == 0 ? QDate() : arrastrado);
            if (k > 0 && fin.isValid() && inicio.isValid() && fin < inicio)
                fin = inicio;
            TUsoMedicamento uso = Uso(cambio);
            // A removed line was in force until the version that removed it: the removal is shown
            // on its own day, without doses, and the older period ends the day before.
            if (cambio.Desccambio == borrado) {
                inicio = fin = cambio.Fecha;
                uso.Tomas.clear();
            }
            uso.Inicio = inicio;
            uso.Fin = fin;
            usos << uso;
            arrastrado = inicio.isValid() ? inicio.addDays(-1) : QDate();
        }
    }
    return usos;
}
