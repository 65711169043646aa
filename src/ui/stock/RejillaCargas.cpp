#include "ui/stock/RejillaCargas.h"

#include "core/dosing/UPosologia.h"
#include "ui/i18n/Componente.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

constexpr int kColumnaPaciente = 2;

} // namespace

TRejillaCargas::TRejillaCargas(QWidget *padre, bool conPaciente)
    : m_rejilla(Componente<QTableWidget>(padre, "grdCargas"))
    , m_conPaciente(conPaciente)
{
    QStringList titulos {QStringLiteral("FECHA"),         QStringLiteral("RECARGA"),
                         QStringLiteral("INICIO"),        QStringLiteral("FIN"),
                         QStringLiteral("PREPARADO POR"), QStringLiteral("VALIDADO POR")};
    if (m_conPaciente)
        titulos.insert(kColumnaPaciente, QStringLiteral("PACIENTE"));
    m_rejilla->setColumnCount(int(titulos.size()));
    m_rejilla->setHorizontalHeaderLabels(titulos);
    m_rejilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rejilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rejilla->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rejilla->verticalHeader()->hide();
    m_rejilla->horizontalHeader()->setStretchLastSection(true);
}

void TRejillaCargas::Mostrar(const QList<TFilaCarga> &cargas)
{
    m_cargas = cargas;
    m_rejilla->clearSelection();
    m_rejilla->setRowCount(0);
    m_rejilla->setRowCount(int(m_cargas.size()));
    for (int fila = 0; fila < m_cargas.size(); ++fila) {
        const TFilaCarga &carga = m_cargas.at(fila);
        QStringList textos {TextoFecha(carga.FechaRealizado.date()) + QLatin1Char(' ')
                                    + carga.FechaRealizado.time().toString(QStringLiteral("hh:mm")),
                            QString::number(carga.refRecarga),
                            TextoFecha(carga.FechaInicio),
                            TextoFecha(carga.FechaFin),
                            carga.Preparador,
                            carga.Validador};
        if (m_conPaciente)
            textos.insert(kColumnaPaciente, carga.Nombre);
        for (int columna = 0; columna < textos.size(); ++columna)
            m_rejilla->setItem(fila, columna, new QTableWidgetItem(textos.at(columna)));
    }
}

std::optional<TFilaCarga> TRejillaCargas::Seleccionada() const
{
    const QList<QTableWidgetSelectionRange> rangos = m_rejilla->selectedRanges();
    if (rangos.isEmpty())
        return std::nullopt;
    const int fila = rangos.first().topRow();
    if (fila < 0 || fila >= m_cargas.size())
        return std::nullopt;
    return m_cargas.at(fila);
}
