#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

class TDM;

// One stored load as the list of loads shows it: the load with its preparer and patient, and
// its display values.
struct TFilaCarga
{
    qint64 idRecarga = 0;
    int refRecarga = 0;
    int idPaciente = 0;
    QString RefPaciente;
    QString Nombre; // the patient's name
    QVariant CodCategoria; // Null for a patient without a category
    QDateTime FechaRealizado;
    QDate FechaInicio;
    QDate FechaFin;
    QDateTime FechaEntrega;
    QDateTime FechaRetornado;
    QString Preparador; // the preparing user's username
    QString Validador; // the validating user's username; empty while not validated
    QString SitEntrega; // "PREPARADO", "ENTREGADO" or "RETORNADO", translated
    int CodEntrega = 1; // 1, 2 or 3, as SitEntrega
};

// Loads accepted only when they start on one day (the category delivery works on the loads of
// its chosen start date); off by default, when every load passes.
struct FiltroFechaInicio
{
    bool Activo = false;
    QDate Fecha;

    static FiltroFechaInicio Ninguno() { return {}; }
    static FiltroFechaInicio Dia(const QDate &fecha) { return {true, fecha}; }
};

// The load query: every stored load with its user and patient, ordered by idRecarga. A load
// whose preparer or patient no longer exists is not listed (they are joined, not looked up).
// An active start-date filter keeps the loads whose FechaInicio is that day exactly.
QList<TFilaCarga> ConsultarCargas(TDM &dm, const FiltroFechaInicio &filtro = FiltroFechaInicio::Ninguno());
