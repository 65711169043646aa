#pragma once

#include "core/dosing/UDispenserTypes.h"
#include "core/loading/DatosEtiquetas.h"

#include <QList>
#include <QString>

#include <array>

// One lot in one blister cell.
struct TFilaCelda
{
    qint64 Idmedicamento = 0; // the product used
    QString Medicamento;
    int Numref = 0; // legend number of the product, lot and expiry
    double Cantidad = 0.0; // pills
    QString Lote;
    QString Caducidad;
    int Porciones = 0; // units of the portion size
};

using TCeldas = std::array<QList<TFilaCelda>, kCeldasSemana>;

// One stored blister line of a medication and week grid, as the distribution reads it.
struct TLineaReparto
{
    qint64 producto = 0;
    QString nombre; // the line's name, whose prefix gives the portion size
    QString nombreProducto;
    double Cantidad = 0.0;
    QString Lote;
    QString Caducidad; // as printed
};

// Spreads the lines of one medication and week grid over the cells, in line order: each lot
// fills the next cells of the week, a cell taking as many units of the lot as the grid puts in
// it, so a cell of two pills uses two units and a lot that runs out part-way leaves the rest of
// that cell to the next lot. A line of no quantity fills whatever remains.
void RepartirLineas(TCeldas &celdas, const QString &semana, const QList<TLineaReparto> &lineas,
                    const TDatosEtiquetas &datos);

// The 28 cell lists of a stored load, through the data module.
TCeldas RepartoCeldas(qint64 idRecarga, const TDatosEtiquetas &datos);
