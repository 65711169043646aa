#pragma once

#include <QString>

class TConsulta;

// The names of one medication as the catalogue holds them.
struct TNombresMedicamento
{
    QString DescUsuario;
    QString Medicamento;
    QString Descripcion;
};

// The displayed names of a stock row, computed whenever the row is read for display.
namespace NombreStock {

// The columns a statement selects for LeerNombres: DescUsuario, Medicamento and Descripcion of
// the catalogue row under `alias`.
QString ColumnasSql(const QString &alias);
// The three names read from the query's columns starting at `desde` (in ColumnasSql's order).
TNombresMedicamento LeerNombres(const TConsulta &query, int desde);

// `MedicamentoReal`: name, a blank and description of the product in stock.
QString MedicamentoReal(const TNombresMedicamento &real);
// `Medicamento`: the displayed name of the treatment's medication; when a different product is
// in stock, followed by "-" and the product's own name, or by "-", its code, a blank, its name
// and a blank when it has no name of the pharmacy's.
QString Medicamento(qint64 idMedicamento, const TNombresMedicamento &medicamento, qint64 idMedicamentoReal,
                    const TNombresMedicamento &real);

} // namespace NombreStock
