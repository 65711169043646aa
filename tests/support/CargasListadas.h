#pragma once

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"

#include <QDateTime>
#include <QMap>
#include <QStringList>

// Stored loads of two patients as the list of loads sees them, shared by the tests of its filter,
// its model and its screen. Each load is known by a name: A1..A3 of ANA (REF-ANA, category 4),
// B1..B2 of BEA (REF-BEA, category 7), made around 10 March 2024:
//   A1  ANA no. 1  made 09/03 23:59  prepared
//   A2  ANA no. 2  made 10/03 00:00  delivered
//   A3  ANA no. 3  made 10/03 18:00  returned
//   B1  BEA no. 1  made 11/03 00:00  prepared
//   B2  BEA no. 2  made 12/03 09:00  delivered, validated by luis
namespace CargasListadas {

inline int Usuario(TDM &dm, const QString &username)
{
    return int(dm.Anadir(QStringLiteral("Usuario"),
                         {{QStringLiteral("Nombre"), username.toUpper()},
                          {QStringLiteral("username"), username},
                          {QStringLiteral("idPerfil"), 1}}));
}

inline int Paciente(TDM &dm, const QString &referencia, const QString &nombre, int categoria)
{
    return int(dm.Anadir(QStringLiteral("Paciente"),
                         {{QStringLiteral("refPaciente"), referencia},
                          {QStringLiteral("Nombre"), nombre},
                          {QStringLiteral("CodCategoria"), categoria},
                          {QStringLiteral("FechaAlta"), SqlFecha::valor(QDate(2023, 1, 9))},
                          {QStringLiteral("IConInven"), 1},
                          {QStringLiteral("NumeroUltimaCargaRealizada"), 0}}));
}

struct TCargaListada
{
    int idPaciente = 0;
    int numero = 0;
    QDateTime realizado;
    QDateTime entrega = {};
    QDateTime retornado = {};
    QVariant validador = {};
};

inline qint64 Carga(TDM &dm, int idUsuario, const TCargaListada &c)
{
    const QDate inicio = c.realizado.date().addDays(1);
    return dm.Anadir(QStringLiteral("Recarga"),
                     {{QStringLiteral("refRecarga"), c.numero},
                      {QStringLiteral("idPaciente"), c.idPaciente},
                      {QStringLiteral("idUsuario"), idUsuario},
                      {QStringLiteral("FechaRealizado"), SqlFecha::valor(c.realizado)},
                      {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
                      {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))},
                      {QStringLiteral("IdValidador"), c.validador},
                      {QStringLiteral("FechaValidado"),
                       SqlFecha::valor(c.validador.isNull() ? QDateTime() : c.realizado.addSecs(3600))},
                      {QStringLiteral("FechaEntrega"), SqlFecha::valor(c.entrega)},
                      {QStringLiteral("FechaRetornado"), SqlFecha::valor(c.retornado)}});
}

// The five loads by name.
inline QMap<QString, qint64> Escenario(TDM &dm)
{
    const int pepa = Usuario(dm, QStringLiteral("pepa"));
    const int luis = Usuario(dm, QStringLiteral("luis"));
    const int ana = Paciente(dm, QStringLiteral("REF-ANA"), QStringLiteral("ANA PEREZ"), 4);
    const int bea = Paciente(dm, QStringLiteral("REF-BEA"), QStringLiteral("BEA RUIZ"), 7);
    const auto momento = [](int dia, int hora, int minuto) {
        return QDateTime(QDate(2024, 3, dia), QTime(hora, minuto));
    };
    const QDateTime entrega = momento(14, 10, 0);
    return {{QStringLiteral("A1"), Carga(dm, pepa, {ana, 1, momento(9, 23, 59)})},
            {QStringLiteral("A2"), Carga(dm, pepa, {ana, 2, momento(10, 0, 0), entrega})},
            {QStringLiteral("A3"),
             Carga(dm, pepa, {ana, 3, momento(10, 18, 0), entrega, entrega.addDays(7)})},
            {QStringLiteral("B1"), Carga(dm, pepa, {bea, 1, momento(11, 0, 0)})},
            {QStringLiteral("B2"), Carga(dm, pepa, {bea, 2, momento(12, 9, 0), entrega, {}, luis})}};
}

// The names of the loads, in the order of the identifiers given.
inline QStringList Nombres(const QMap<QString, qint64> &cargas, const QList<qint64> &ids)
{
    QStringList nombres;
    for (const qint64 id : ids)
        nombres << cargas.key(id, QStringLiteral("?"));
    return nombres;
}

} // namespace CargasListadas
