#pragma once

#include <QList>
#include <QString>

#include <optional>

class TDM;

// What the patients list shows: by activity ("No", "Si", "Todos") and, optionally, one category.
// A patient whose Iactivo is Null counts as active, as everywhere else.
struct TFiltroPacientes
{
    enum class TActividad { No = 0, Si = 1, Todos = 2 }; // in the order the list offers them
    TActividad actividad = TActividad::Si;
    std::optional<int> categoria; // none: every category, and patients without one
};

// One row of the patients list.
struct TFilaListaPacientes
{
    qint64 idPaciente = 0;
    QString refPaciente;
    QString Nombre;
    QString DNI;
    bool activo = true;
    QString ActivoText;
    QString CategoriaText;
    QString Telefono;
};

// The patients the filter lets through, in the order they were created (a new patient is last).
QList<TFilaListaPacientes> LeerListaPacientes(TDM &dm, const TFiltroPacientes &filtro);
