#pragma once

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/medication/uEAN.h"

#include <QSqlQuery>
#include <QStringList>

// A pharmacy with stored loads to return: builders of the rows and readers of what a return
// stored, shared by the tests of the returns rules and of the returns screen.
namespace RetornoPrueba {

inline const QDate kLunes(2024, 5, 6);

inline int usuario(TDM &dm, const QString &nombre = QStringLiteral("ROSA GIL"))
{
    return int(dm.Anadir(QStringLiteral("Usuario"),
                         {{QStringLiteral("Nombre"), nombre},
                          {QStringLiteral("username"), nombre.left(4).toLower()},
                          {QStringLiteral("idPerfil"), 1}}));
}

inline qint64 paciente(TDM &dm, const QString &referencia = QStringLiteral("R1"),
                       const QString &nombre = QStringLiteral("LUIS PEREZ"))
{
    return dm.Anadir(QStringLiteral("Paciente"),
                     {{QStringLiteral("refPaciente"), referencia},
                      {QStringLiteral("Nombre"), nombre},
                      {QStringLiteral("MedicoNombre"), QStringLiteral("DRA. SANZ")},
                      {QStringLiteral("FechaAlta"), SqlFecha::valor(QDate(2023, 1, 9))},
                      {QStringLiteral("IConInven"), 1}});
}

// A stored load of the patient, made by the user, with its load conditions.
inline qint64 carga(TDM &dm, qint64 idPaciente, int refRecarga, int idUsuario, const QDate &inicio = kLunes)
{
    return dm.Anadir(
            QStringLiteral("Recarga"),
            {{QStringLiteral("refRecarga"), refRecarga},
             {QStringLiteral("idPaciente"), idPaciente},
             {QStringLiteral("idUsuario"), idUsuario},
             {QStringLiteral("FechaRealizado"), SqlFecha::valor(QDateTime(inicio.addDays(-3), QTime(9, 15)))},
             {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
             {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))},
             {QStringLiteral("Humedad"), 40},
             {QStringLiteral("Temperatura"), 21},
             {QStringLiteral("TomasRetornadas"), 0},
             {QStringLiteral("ComprimidosRetornados"), 0}});
}

// The scanned code of a blister: patient in 4 digits, load number in 3, the EAN-8 check digit.
inline QString codigoEscaneado(qint64 idPaciente, int refRecarga)
{
    const QString siete = QStringLiteral("%1%2")
                                  .arg(idPaciente, 4, 10, QLatin1Char('0'))
                                  .arg(refRecarga, 3, 10, QLatin1Char('0'));
    return siete + QString::number(CalcularDigitoControlEAN(siete + QLatin1Char('0')));
}

// The returned rows of a load as "cell|units|reason", in cell order.
inline QStringList tomas(TDM &dm, qint64 idRecarga)
{
    QStringList filas;
    TConsulta q = dm.Consulta(QStringLiteral("SELECT idToma, CantidadComprimidos, Comentario FROM "
                                             "RecargaTomasRetornadas WHERE idRecarga = ? ORDER BY idToma"),
                              {idRecarga});
    while (q.next())
        filas << QStringLiteral("%1|%2|%3")
                         .arg(q.value(0).toInt())
                         .arg(q.value(1).toInt())
                         .arg(q.value(2).toString());
    return filas;
}

// The load's return columns as "date|cells|units" (an empty date while not returned).
inline QString totales(TDM &dm, qint64 idRecarga)
{
    TConsulta q = dm.Consulta(QStringLiteral("SELECT FechaRetornado, TomasRetornadas, ComprimidosRetornados "
                                             "FROM Recarga WHERE idRecarga = ?"),
                              {idRecarga});
    if (!q.next())
        return {};
    return QStringLiteral("%1|%2|%3")
            .arg(SqlFecha::leerDia(q.value(0)).toString(Qt::ISODate))
            .arg(q.value(1).toInt())
            .arg(q.value(2).toInt());
}

inline int filas(TDM &dm, const QString &tabla)
{
    return dm.Valor(QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toInt();
}

} // namespace RetornoPrueba
