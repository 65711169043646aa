#pragma once

#include <QDate>
#include <QList>
#include <QString>

class TDM;

// One stock row of a category's stock report.
struct TFilaStockCategoria
{
    qint64 idPaciente = 0;
    QString RefPaciente;
    QString Nombre;
    qint64 idMedicamento = 0;
    QString Medicamento; // the code, a blank and the displayed name of the stock row
    double Cantidad = 0.0;
    QString Lote;
    QDate Caducidad;
};

// The stock of every active patient of the category (Iactivo 1 or Null, as everywhere else),
// ordered by patient reference, medication and order of entry.
QList<TFilaStockCategoria> StockCategoria(TDM &dm, int categoria);
