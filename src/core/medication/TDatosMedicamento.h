#pragma once

#include <QString>

#include <optional>

// What the medication editor holds before it is stored, as typed.
struct TDatosMedicamento
{
    QString Codigo;
    QString PVP;
    QString Medicamento;
    QString Descripcion;
    QString DescUsuario;
    std::optional<bool> SPD; // "EMBLISTABLE": not yet chosen for an entry never completed
    bool PrincipioActivo = false;
    bool Comprimido = true; // a tablet; otherwise a capsule
    int Volumen = 3; // 1 small, 2 medium, 3 large
    QString Forma;
    QString Color;
    QString Unidades;
};

// The checks of the editor's "ACEPTAR", in order; the first failure's message, or empty.
// `nuevo`: a new entry; `editable`: a new or own entry (code, price, name and description can
// change); `codigoExiste`: the typed code is already in the catalogue; `conInventario`: stock
// features are on (the country is not the United Kingdom).
QString ErrorMedicamento(const TDatosMedicamento &datos, bool nuevo, bool editable, bool codigoExiste,
                         bool conInventario);
