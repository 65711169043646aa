#pragma once

#include "core/patients/TextoBusqueda.h"

#include <QList>
#include <QString>

class TDM;

// One lookup of the patient search: the column compared and the value looked for.
struct TIntentoBusqueda
{
    enum class TColumna { Referencia, Id, Telefono, DNI };
    TColumna columna;
    QString valor;

    bool operator==(const TIntentoBusqueda &) const = default;
};

// The lookups of a search text of the given class, in the order they are tried; the first that
// finds a patient decides. The whole text always comes before a shortened form of it, and an exact
// reference before the decoding of a patient card, so a text that names a patient never opens
// another one.
QList<TIntentoBusqueda> IntentosBusqueda(const QString &texto, TTipoTextoBusqueda tipo);

// The outcome of the main screen's patient search.
struct TBusquedaPaciente
{
    enum class TResultado { NoEncontrado, NoActivo, Encontrado };
    TResultado resultado = TResultado::NoEncontrado;
    QString refPaciente; // of the patient found
};

// Cleans and classifies the text, makes the first patient the lookups find the active one and
// returns the outcome. Unless the patient is found and active, no patient is active afterwards.
TBusquedaPaciente BuscarPaciente(TDM &dm, const QString &texto, const QString &pais);
