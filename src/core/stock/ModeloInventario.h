#pragma once

#include "core/stock/ConsultaInventario.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

#include <optional>

class TDM;

// The stock inquiry as a grid's model, read a page at a time: a search shows its first page at
// once and the view asks for the next ones as it scrolls, so a category with years of stock rows
// opens as fast as a small one. Each page is read whole, so no read stays open on the database
// while the rows are shown. Columns in the order of TColumnaInventario; sorting by a column orders
// the rows in the database.
class TModeloInventario : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kFilasPagina = 200;

    explicit TModeloInventario(TDM &dm, QObject *parent = nullptr);

    // The rows the filter passes, in the current order, from the first page. Throws AppError when
    // the filter is refused, leaving the rows shown as they were.
    void Consultar(const TFiltroInventario &filtro);

    // Every row the filter passes (the printed report); none before the first search.
    QList<TFilaInventario> Todas() const;

    int rowCount(const QModelIndex &padre = {}) const override;
    int columnCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    // Keeps the colour a listing gives a column's title (the column the rows are sorted by).
    bool setHeaderData(int seccion, Qt::Orientation orientacion, const QVariant &valor, int rol) override;
    bool canFetchMore(const QModelIndex &padre) const override;
    void fetchMore(const QModelIndex &padre) override;
    void sort(int columna, Qt::SortOrder orden = Qt::AscendingOrder) override;

    // A column's text for a row, as the grid shows it.
    static QString Texto(const TFilaInventario &fila, TColumnaInventario columna);
    static QString Titulo(TColumnaInventario columna);

private:
    TDM &m_dm;
    std::optional<TFiltroInventario> m_filtro; // none until the first search: the grid stays empty
    TOrdenInventario m_orden;
    QList<TFilaInventario> m_filas;
    QHash<int, QVariant> m_coloresTitulos;
    int m_siguiente = 0; // the database row the next page starts from
    bool m_hayMas = false;
};
