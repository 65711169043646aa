#pragma once

#include "core/stock/TomasRetornadas.h"

#include <QDate>

class TDM;

enum class TResultadoRetorno {
    Guardado,
    CargaInexistente, // no load has the identifier (another workstation deleted it): nothing written
    Fallo, // the database refused a write: reported, nothing written
};

// Stores the returns of a load as a whole, in one transaction under the lock of the load's patient:
// the load's returned rows are replaced by one row per marked cell, in cell order, and the load
// takes the return date (Null for an invalid date: the load is then not returned), the number of
// marked cells and the sum of their units. Stock is not touched: returned units are not put back.
// A failure is reported through the application-wide error handler.
TResultadoRetorno GuardarRetorno(TDM &dm, qint64 idRecarga, const TTomasRetornadas &tomas,
                                 const QDate &fechaRetornado);
