#pragma once

#include "core/stock/uInventario.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

class TDM;

// One prescription not yet dispensed, as the treatment screen lists it.
struct TFilaReceta
{
    qint64 idReceta = 0;
    qint64 idMedicamento = 0;
    QDate FechaReceta;
    QString Medicamento; // the catalogue's Medicamento column, without its description
    int Unidades = 0;
    QString MedicoReceta;
};

// A prescription as typed in "INTRODUCIR RECETA".
struct TNuevaReceta
{
    QString Fecha;
    qint64 idProducto = 0; // 0: none chosen
    qint64 idPrincipio = 0; // 0: none chosen
    QString Medico;
};

// The patient's prescriptions not yet dispensed: entered, deleted, or dispensed into the stock.
class TRecetas
{
public:
    explicit TRecetas(TDM &dm)
        : m_dm(dm)
    { }

    QList<TFilaReceta> Pendientes(qint64 idPaciente);

    // Why the prescription cannot be stored (empty when it can), and the field to correct.
    enum class Campo { Fecha, Medicamento };
    struct TRechazo
    {
        QString Error;
        Campo campo = Campo::Fecha;
    };
    static TRechazo Comprobar(const TNuevaReceta &receta, const QDate &hoy);

    // Stores the prescription with the medication's current price; the product wins over the
    // active ingredient. Throws AppError when it is refused or not stored (nothing stored then).
    qint64 Guardar(qint64 idPaciente, const TNuevaReceta &receta);
    // Deletes a prescription of this patient; false when the patient has no such prescription.
    bool Borrar(qint64 idPaciente, qint64 idReceta);
    // Enters the stock row and deletes the prescription in one transaction under the patient's
    // lock: neither is kept without the other. Throws AppError when the prescription is gone
    // (dispensed or deleted meanwhile) or either write fails. The new stock row's identifier.
    qint64 Dispensar(qint64 idReceta, const TEntradaStock &entrada);

    // A price as older databases may hold it: a number, or a text with "," or "." as decimal mark;
    // 0 when it is none.
    static double LeerPrecio(const QVariant &valor);

private:
    TDM &m_dm;
};
