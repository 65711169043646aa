#pragma once

#include "core/loading/ConsultaCargas.h"

#include <QDate>
#include <QString>

#include <optional>

class TDM;

// The filter fields of the list of loads as the user filled them.
struct TCamposFiltroCargas
{
    QString Desde; // dates as the date fields show them, "dd/mm/yyyy"
    QString Hasta;
    QString Paciente; // a patient reference
    QString Recarga; // a load number
    TSituacionCargas Situacion = TSituacionCargas::Todas;
    std::optional<int> Categoria;
};

// The field whose text was refused, for the screen to focus.
enum class TCampoFiltroCargas { Ninguno, Desde, Hasta, Paciente, Recarga };

// The patient a reference named, as the printed list shows it.
struct TPacienteFiltroCargas
{
    qint64 idPaciente = 0;
    QString refPaciente;
    QString Nombre;
    QDate FechaAlta;
    QDate FechaBaja;
};

// The fields read: the filter, or the message for the first field refused.
struct TFiltroCargasLeido
{
    TFiltroCargas filtro;
    std::optional<TPacienteFiltroCargas> paciente; // the patient the reference named, if any
    QString error; // empty when every field was accepted
    TCampoFiltroCargas campo = TCampoFiltroCargas::Ninguno;

    bool valido() const { return error.isEmpty(); }
};

// Reads the fields, in the order the screen shows them. Empty fields (blanks only) add nothing.
// A date that is not a date, a load number that is not a whole number, or an end before the
// start is refused with its message and the field to focus; nothing is then filtered. A patient
// reference is looked for without regard to case (the first patient with it); one that names no
// patient gives a filter that lists nothing.
TFiltroCargasLeido LeerFiltroCargas(TDM &dm, const TCamposFiltroCargas &campos);
