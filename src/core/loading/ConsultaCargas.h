#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

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
    QString Preparador; // the preparing user's username; empty when that user is unknown
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

// The delivery situations the list of loads filters by, in the order of its drop-down.
enum class TSituacionCargas { Todas, Preparados, Entregados, Retornados };

// What the list of loads is restricted to; every part left empty lets every load pass.
struct TFiltroCargas
{
    FiltroFechaInicio FechaInicio;
    QDate Desde; // made on this day or later
    QDate Hasta; // made on this day or earlier (the whole day, nothing of the next)
    std::optional<qint64> idPaciente; // a value that names no patient lists nothing
    std::optional<int> refRecarga;
    TSituacionCargas Situacion = TSituacionCargas::Todas;
    std::optional<int> Categoria;
};

// The columns of the list of loads, in the order it shows them; the load query can be ordered
// by any of them.
enum class TColumnaCargas { Fecha, Recarga, Paciente, SitEntrega, Inicio, Fin, Preparador, Validador };
inline constexpr int kColumnasCargas = 8;

// The order of the rows: by idRecarga when no column is chosen; by a column, with idRecarga
// deciding between equal values, in the same direction.
struct TOrdenCargas
{
    std::optional<TColumnaCargas> Columna;
    bool Descendente = false;
};

// The load query as a statement and its bound values: every stored load of an existing patient
// with its preparer and validator, restricted by the filter (fixed conditions, values bound) and
// in the order given. With `cuantas` above 0 only that many rows from row `desde` on.
struct TSentenciaCargas
{
    QString sql;
    QVariantList valores;
};
TSentenciaCargas SentenciaCargas(const TFiltroCargas &filtro, const TOrdenCargas &orden = {}, int desde = 0,
                                 int cuantas = 0);

// The load query's rows, ordered by idRecarga. A load whose patient no longer exists is not
// listed; one whose preparer is no longer a user is, with no preparer. An active start-date
// filter keeps the loads whose FechaInicio is that day exactly.
QList<TFilaCarga> ConsultarCargas(TDM &dm, const FiltroFechaInicio &filtro = FiltroFechaInicio::Ninguno());
QList<TFilaCarga> ConsultarCargas(TDM &dm, const TFiltroCargas &filtro, const TOrdenCargas &orden = {});
// One page of the rows: `cuantas` rows from row `desde` on. Each page is a statement of its own
// that is read to its end, so no read is left open on the database between pages.
QList<TFilaCarga> ConsultarPaginaCargas(TDM &dm, const TFiltroCargas &filtro, const TOrdenCargas &orden,
                                        int desde, int cuantas);
