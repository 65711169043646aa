#pragma once

#include "core/common/AppError.h"

#include <QString>

// A doctor or a carer as the patient card holds them.
struct TContactoPaciente
{
    QString Nombre;
    QString Telefono;
    QString Direccion;
    QString Email;

    bool operator==(const TContactoPaciente &) const = default;
};

// What the patient card holds, as typed: the fields of one row of Paciente.
struct TFichaPaciente
{
    QString refPaciente;
    QString DNI;
    QString Nombre;
    QString Direccion;
    QString Telefono;
    QString Email;
    QString FechaNacimiento; // the locale's short date (see EsFecha)
    bool Varon = true; // "HOMBRE"; "MUJER" otherwise
    int CodCategoria = 0; // 0: no category
    bool Activo = true; // "ACTIVO EN APLICACION"
    bool FotoBlister = false; // "IMPRIMIR FOTO EN BLISTER"
    bool ControlInventario = true; // "CONTROL INVENTARIO"
    QString Problemas;
    QString Enfermedades;
    QString Alergias;
    QString Notas;
    TContactoPaciente Medico;
    TContactoPaciente Contacto;

    bool operator==(const TFichaPaciente &) const = default;
};

// The field of the card a message is about, where the focus goes.
enum class TCampoFicha { Referencia, DNI, Nombre, Telefono, FechaNacimiento, Foto, Ninguno };

// A card that cannot be stored: the message for the user and the field concerned.
class ErrorFicha : public AppError
{
public:
    ErrorFicha(TCampoFicha campo, const QString &mensaje)
        : AppError(mensaje)
        , m_campo(campo)
    { }
    TCampoFicha campo() const { return m_campo; }

private:
    TCampoFicha m_campo;
};
