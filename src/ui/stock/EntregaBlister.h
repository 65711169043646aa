#pragma once

#include "core/loading/BusquedaCodigoCarga.h"
#include "core/loading/ConsultaCargas.h"

#include <QList>
#include <QString>

#include <functional>

// What both delivery screens do to hand a blister over: the load found by its code, the printed
// summary offered, the delivery stored, and every problem told to the user. A delivery the
// database refuses is shown with the database's message and leaves the load pending.
class TEntregaBlister
{
public:
    TEntregaBlister();

    // Prints a load's summary; the "Completo" label sheet on the label printer unless replaced.
    std::function<void(qint64 idRecarga)> ImprimirResumen;
    // After each load delivered (the patient screen writes its audit row); nothing by default.
    std::function<void(const TFilaCarga &carga)> AlEntregar;

    // Delivers the pending load (of the list the screen shows) that the code names; a code that
    // names none gives the warning that says why.
    void EntregarCodigo(const QString &codigo, const QList<TFilaCarga> &pendientes,
                        const TAmbitoEntrega &ambito);
    // Offers the summary and delivers the load.
    void Entregar(const TFilaCarga &carga);
    // Offers the summaries once and delivers the loads in the order given, stopping at the first
    // that cannot be stored, which the user is told.
    void EntregarTodas(const QList<TFilaCarga> &cargas);

private:
    bool PreguntarResumen() const;
};
