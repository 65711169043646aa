#pragma once

#include "core/loading/ConsultaCargas.h"

#include <QList>

#include <optional>

class QTableWidget;
class QWidget;

// The grid of the loads waiting to be collected on the delivery screens, with the loads it shows:
// "FECHA", "RECARGA", "PACIENTE" (when asked for), "INICIO", "FIN", "PREPARADO POR",
// "VALIDADO POR"; one row per load in the order given, whole rows selected one at a time.
class TRejillaCargas
{
public:
    TRejillaCargas(QWidget *padre, bool conPaciente);

    QTableWidget *Rejilla() const { return m_rejilla; }
    const QList<TFilaCarga> &Cargas() const { return m_cargas; }

    void Mostrar(const QList<TFilaCarga> &cargas);
    // The load of the selected row; nothing while no row is selected.
    std::optional<TFilaCarga> Seleccionada() const;

private:
    QTableWidget *m_rejilla;
    bool m_conPaciente;
    QList<TFilaCarga> m_cargas;
};
