#pragma once

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/TextosEtiqueta.h"
#include "core/medication/uEAN.h"

#include <QDate>
#include <QString>
#include <QVariant>

// Builders of stored loads waiting to be delivered, shared by the tests of delivery.
namespace EntregaPrueba {

inline int Usuario(TDM &dm)
{
    return int(dm.Anadir(QStringLiteral("Usuario"),
                         {{QStringLiteral("Nombre"), QStringLiteral("PEPA")},
                          {QStringLiteral("username"), QStringLiteral("pepa")},
                          {QStringLiteral("idPerfil"), 1}}));
}

inline int Paciente(TDM &dm, const QString &ref, const QVariant &categoria = {})
{
    return int(dm.Anadir(QStringLiteral("Paciente"),
                         {{QStringLiteral("refPaciente"), ref},
                          {QStringLiteral("Nombre"), QStringLiteral("PACIENTE ") + ref},
                          {QStringLiteral("CodCategoria"), categoria},
                          {QStringLiteral("IConInven"), 1}}));
}

// A stored load of the week from `inicio`, prepared by the user; delivered on `entrega` when valid.
inline qint64 Carga(TDM &dm, int idUsuario, int idPaciente, int refRecarga, const QDate &inicio,
                    const QDate &entrega = {})
{
    return dm.Anadir(
            QStringLiteral("Recarga"),
            {{QStringLiteral("idPaciente"), idPaciente},
             {QStringLiteral("refRecarga"), refRecarga},
             {QStringLiteral("FechaRealizado"), SqlFecha::valor(QDateTime(inicio.addDays(-1), QTime(10, 0)))},
             {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
             {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))},
             {QStringLiteral("Estado"), 0},
             {QStringLiteral("idUsuario"), idUsuario},
             {QStringLiteral("FechaEntrega"), SqlFecha::valor(entrega)}});
}

inline QDateTime FechaEntrega(TDM &dm, qint64 idRecarga)
{
    return SqlFecha::leer(
            dm.Valor(QStringLiteral("SELECT FechaEntrega FROM Recarga WHERE idRecarga = ?"), {idRecarga}));
}

// The code a scanner reads from the load's label: its 7 digits and the EAN-8 check digit.
inline QString CodigoEscaneado(int idPaciente, int refRecarga)
{
    QString codigo = TextosEtiqueta::CodigoCarga(idPaciente, refRecarga);
    codigo.back() = QChar(u'0' + CalcularDigitoControlEAN(codigo));
    return codigo;
}

} // namespace EntregaPrueba
