#pragma once

#include <QDate>
#include <QList>
#include <QString>

class TRecarga;

// One row of the medication grid of a loading screen: a portion that goes into the blister.
struct TFilaMedicamento
{
    QString SPD; // "SI"
    QString Medicamento; // IdMedicamento, a blank, Nombre
    qint32 Carga = 0;
    qint32 Falta = 0; // still to place
    QString Estado;
    // hidden columns
    QString Dosis; // ListaPendiente
    double Disponible = 0.0;
    double Porcion = 1.0;
    QString Descripcion; // Aspecto
    QString Posologia; // DosisEtiqueta when the portion has a dose
    bool icorrect = true; // false: drawn in red
    qint64 IdMedicamento = 0;
    qint32 IdLinea = 0; // the treatment line
};

// One row of the other medication grid: a portion that does not go into the blister.
struct TFilaOtroMedicamento
{
    QString SPD; // "NO"
    QString Medicamento;
    QString Posologia; // the dose text
    QString Descripcion; // left empty
};

// The rows of both grids for the load, in load order. `limiteCaducidad` is the expiry limit of
// the screen; a row is wrong (red) when, with stock control, its portion is expired or
// insufficient, and always when its dose is not defined for the blister.
QList<TFilaMedicamento> FilasMedicamentos(const TRecarga &carga, bool conInventario,
                                          const QDate &limiteCaducidad);
QList<TFilaOtroMedicamento> FilasOtrosMedicamentos(const TRecarga &carga);
