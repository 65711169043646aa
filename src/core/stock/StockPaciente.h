#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class TDM;

// One stock row of a patient as the stock screens show it.
struct TFilaStockPaciente
{
    qint64 idInventario = 0;
    qint64 idMedicamento = 0;
    qint64 IdMedicamentoReal = 0; // 0 when no product was named
    QString Medicamento; // displayed name (NombreStock::Medicamento)
    QString MedicamentoReal;
    QString Lote;
    QDate Caducidad;
    double CantidadRestante = 0.0;
};

// The patient's stock rows, of one medication when it is given, in the order they were entered.
QList<TFilaStockPaciente> StockPaciente(TDM &dm, qint64 idPaciente, std::optional<qint64> idMedicamento = {});
