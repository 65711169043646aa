#pragma once

#include "core/dosing/UDispenserTypes.h"

#include <QDate>
#include <QList>
#include <QString>

// The lot and expiry written on a load line that took nothing from a stock row: the units the
// blister holds beyond the patient's stock, or the lines of a patient without stock control.
inline const QString kLoteSinStock = QStringLiteral("*****");
inline const QDate kCaducidadSinStock(2500, 12, 31);

// One line of a stored load: what one portion took from one stock row (or from no stock row).
// Quantities are whole hundredths of a pill.
struct TLineaCarga
{
    qint64 idMedicamento = 0;
    qint64 Cantidad = 0;
    QString Dosis; // the portion's week grid
    QString Lote;
    QDate Caducidad;
    bool SPD = false;
    QString Medicamento;
    QString Descripcion;
    QString Posologia;
    qint64 idMedicamentoR = 0; // the product physically used
    qint64 IDInventario = 0; // the stock row used, 0 for none
};

// The lines of a load while it is stored, one per medication, week grid, blister flag, name, lot,
// expiry and product: two stock rows of the same lot add up to one line.
class TLineasCarga
{
public:
    void AnadirLineaCarga(const TDosis &porcion, qint64 idInventario, qint64 centesimas, qint64 producto,
                          const QDate &caducidad, const QString &lote);
    // The line of a portion that took nothing from stock.
    void AnadirLineaSinStock(const TDosis &porcion, qint64 centesimas);

    const QList<TLineaCarga> &lineas() const { return m_lineas; }

private:
    QList<TLineaCarga> m_lineas;
};
