#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// The display values computed from a row when it is read (not stored).
namespace ValoresMostrados {

// "SI" unless the patient's Iactivo is 0 (Null and other values read as active).
QString ActivoTexto(const QVariant &iactivo);

// A medication's displayed name: DescUsuario when not empty, otherwise name, a blank and
// description.
QString NombreMostrado(const QString &descUsuario, const QString &medicamento, const QString &descripcion);

// The same rule as an SQL expression over the columns of Medicamento (optionally qualified).
QString NombreMostradoSql(const QString &tabla = {});

// Whether a treatment line goes into the blister: SPDP Null follows the medication's flag, 1
// puts it in, any other value keeps it out.
bool SpdEfectivo(const QVariant &spdp, const QVariant &spdMedicamento);

// Delivery situation of a load: 1 "PREPARADO", 2 "ENTREGADO" (delivered, not returned),
// 3 "RETORNADO" (returned, whether delivered or not).
struct SituacionEntrega
{
    int CodEntrega = 1;
    QString SitEntrega;
};
SituacionEntrega Entrega(const QDateTime &fechaEntrega, const QDateTime &fechaRetornado);

} // namespace ValoresMostrados
