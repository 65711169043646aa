#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class TDM;

// What became of the delivery of one load.
enum class TResultadoEntrega {
    Entregada,
    YaEntregada, // delivered before, also by another workstation meanwhile: its date is kept
    NoExiste, // no load has that identifier (deleted meanwhile)
    Fallida, // the database refused it: nothing changed, the load is still pending
};

struct TEntrega
{
    TResultadoEntrega Resultado = TResultadoEntrega::Fallida;
    QString Error; // the database's message when it failed
};

// Records that a stored load left the pharmacy: its FechaEntrega becomes today (the date alone),
// in one transaction under the lock of the load's patient, where the load is read again. Stock is
// not touched: it was consumed when the load was stored.
TEntrega EntregarCarga(TDM &dm, qint64 idRecarga);

// What became of the delivery of several loads.
struct TEntregaVarias
{
    QList<qint64> Entregadas;
    std::optional<qint64> Fallida; // the load the database refused; the loads after it were not tried
    QString Error;
};

// Delivers the loads in the order given; `antes` runs for each load still pending just before it is
// delivered (the printed summary that goes with the blister). Loads delivered or removed meanwhile
// are passed over; the first failure stops the run.
TEntregaVarias EntregarCargas(TDM &dm, const QList<qint64> &cargas, const std::function<void(qint64)> &antes);
