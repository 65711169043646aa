#pragma once

#include <QString>

// The records of the session the data module holds: the logged-in user, the active patient and
// the active category. Plain values; the data module owns the one current instance of each.

// The logged-in user. The password is never held: it is checked against the stored hash and
// forgotten.
struct TUsuario
{
    int idUsuario = 0;
    QString username;
    QString Nombre;
    QString Perfil;
    bool esFarmaceutico = false;
};

// The active patient.
struct TPaciente
{
    int idPaciente = 0;
    QString idTexto; // the same identifier as text
    QString Nombre;
    int Iactivo = 1;
};

// The category chosen on the main screen.
struct TCategoria
{
    int Codigo = 0;
    QString Descripcion;
};
