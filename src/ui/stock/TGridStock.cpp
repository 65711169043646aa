#include "ui/stock/TGridStock.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/stock/uInventario.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/Mensajes.h"
#include "ui/stock/FDlgModificarCantidad.h"

#include <QHeaderView>
#include <QLocale>

TGridStock::TGridStock(QWidget *parent)
    : QTableWidget(parent)
{
    setObjectName(QStringLiteral("grdStock"));
    setColumnCount(5);
    setHorizontalHeaderLabels({QStringLiteral("CODIGO"), QStringLiteral("MEDICAMENTO"),
                               QStringLiteral("LOTE"), QStringLiteral("CADUCIDAD"),
                               QStringLiteral("CANTIDAD")});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_listado = new TListadoRejilla(*this, Qt::AscendingOrder);
}

void TGridStock::Cargar(qint64 idPaciente, std::optional<qint64> idMedicamento)
{
    const std::optional<TFilaStockPaciente> seleccionada = FilaSeleccionada();
    m_filas = StockPaciente(DM(), idPaciente, idMedicamento);
    setRowCount(static_cast<int>(m_filas.size()));
    const QLocale local;
    for (int i = 0; i < m_filas.size(); ++i) {
        const TFilaStockPaciente &fila = m_filas[i];
        const QStringList textos {QString::number(fila.idMedicamento), fila.Medicamento, fila.Lote,
                                  local.toString(fila.Caducidad, QLocale::ShortFormat),
                                  local.toString(fila.CantidadRestante, 'f', 2)};
        for (int columna = 0; columna < textos.size(); ++columna)
            setItem(i, columna, new QTableWidgetItem(textos[columna]));
        // The row carries its stock row, so that it is found again after sorting.
        item(i, 0)->setData(Qt::UserRole, fila.idInventario);
    }
    m_listado->Reordenar();
    if (seleccionada)
        Seleccionar(seleccionada->idInventario);
}

std::optional<TFilaStockPaciente> TGridStock::FilaSeleccionada() const
{
    const QList<QTableWidgetItem *> elegidos = selectedItems();
    if (elegidos.isEmpty())
        return std::nullopt;
    const qint64 idInventario = IdInventario(elegidos.first()->row());
    for (const TFilaStockPaciente &fila : m_filas) {
        if (fila.idInventario == idInventario)
            return fila;
    }
    return std::nullopt;
}

qint64 TGridStock::IdInventario(int fila) const
{
    const QTableWidgetItem *codigo = item(fila, 0);
    return codigo ? codigo->data(Qt::UserRole).toLongLong() : 0;
}

void TGridStock::Seleccionar(qint64 idInventario)
{
    for (int i = 0; i < rowCount(); ++i) {
        if (IdInventario(i) == idInventario) {
            selectRow(i);
            return;
        }
    }
    clearSelection();
}

bool TGridStock::ModificarSeleccionada()
{
    const std::optional<TFilaStockPaciente> fila = FilaSeleccionada();
    if (!fila)
        return false;
    // The correction carries the quantity the user saw; when a load took from the row meanwhile,
    // the user is told what the row holds now and asked again.
    double vista = fila->CantidadRestante;
    for (;;) {
        double cantidad = vista;
        if (!TDlgModificarCantidad::ModificarCantidad(cantidad, this))
            return false;
        TCorreccionStock correccion;
        if (!ManejadorErrores::Proteger([&] {
                correccion = TInventario(DM()).ModificarCantidad(fila->idInventario, cantidad, vista);
            }))
            return false;
        switch (correccion.resultado) {
        case TCorreccionStock::Guardada:
            return true;
        case TCorreccionStock::NoExiste:
            MostrarAviso(Traducir(QStringLiteral("WRN_STOCK_NO_EXISTE"),
                                  QStringLiteral("ESTE LOTE YA NO ESTA EN EL INVENTARIO DEL PACIENTE")));
            return true;
        case TCorreccionStock::Cambiada:
            MostrarAviso(
                    Traducir(QStringLiteral("WRN_STOCK_CAMBIADO"),
                             QStringLiteral("LA CANTIDAD DE ESTE LOTE HA CAMBIADO MIENTRAS SE MODIFICABA. "
                                            "CANTIDAD GUARDADA AHORA: "))
                    + QLocale().toString(correccion.CantidadGuardada));
            vista = correccion.CantidadGuardada;
            break;
        }
    }
}

bool TGridStock::BorrarSeleccionada()
{
    const std::optional<TFilaStockPaciente> fila = FilaSeleccionada();
    if (!fila)
        return false;
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_INVENTARIO"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL MEDICAMENTE DEL INVENTARIO?")))
        != 1)
        return false;
    return ManejadorErrores::Proteger([&] { TInventario(DM()).BorrarStock(fila->idInventario); });
}
