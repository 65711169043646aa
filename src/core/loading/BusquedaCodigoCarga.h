#pragma once

#include "core/loading/ConsultaCargas.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class TDM;

// The loads a delivery screen serves: the active patient's, or a category's that start on one day.
struct TAmbitoEntrega
{
    std::optional<qint64> idPaciente;
    std::optional<int> codCategoria;
    QDate inicio; // with a category: the start date chosen

    static TAmbitoEntrega Paciente(qint64 id) { return {id, std::nullopt, {}}; }
    static TAmbitoEntrega Categoria(int codigo, const QDate &dia) { return {std::nullopt, codigo, dia}; }
};

// A blister's code looked for among the loads a delivery screen lists.
struct TCargaBuscada
{
    enum TResultado {
        Encontrada,
        SinPendientes, // the screen lists no load at all
        Ilegible, // not a blister code (or a misread check digit)
        NoExiste, // no load has that code
        OtroPaciente, // the code is of a load of another patient
        OtraCategoria, // of a patient outside the category
        OtraFecha, // of the category, but of another start date
        YaEntregada,
    };
    TResultado Resultado = NoExiste;
    TFilaCarga Carga; // the pending load when found
    QString RefPaciente; // with OtroPaciente: whose load it is
    QDate Fecha; // with OtraFecha the load's start, with YaEntregada the day it was delivered
};

// Finds the pending load the code names among `pendientes`, the loads the screen lists. A code
// that names none is looked up in the database to tell the user why: another patient's, another
// category's or another start date's load, a load delivered already, or no load at all.
TCargaBuscada BuscarCargaPorCodigo(TDM &dm, const QString &codigo, const QList<TFilaCarga> &pendientes,
                                   const TAmbitoEntrega &ambito);

// The warning for a code that selects no pending load: "not found" and, when known, why; empty
// when the load was found.
QString AvisoCodigo(const TCargaBuscada &busqueda);
