#pragma once

#include "core/loading/ConsultaCargas.h"

#include <QAbstractTableModel>
#include <QList>

class TDM;

// The list of loads as a grid's model, read a page at a time: a query shows its first page at
// once and the view asks for the next ones as it scrolls, so a list of years of loads opens as
// fast as a short one. Each page is read whole, so no read stays open on the database while the
// list is shown (another workstation's writes never wait for it). Columns in the order of
// TColumnaCargas; a click on a column title orders the rows by it in the database.
class TModeloCargas : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kFilasPagina = 200;

    explicit TModeloCargas(TDM &dm, QObject *parent = nullptr);

    // The loads the filter passes, in the current order, from the first page.
    void Consultar(const TFiltroCargas &filtro);
    // The same filter read again, with at least as many rows as were shown.
    void Releer();

    const TFiltroCargas &Filtro() const { return m_filtro; }
    const TOrdenCargas &Orden() const { return m_orden; }
    const TFilaCarga &Fila(int fila) const { return m_filas.at(fila); }
    // The row of the load among those read; -1 when it is not there.
    int FilaDeCarga(qint64 idRecarga) const;
    // Every row the filter passes, in the order shown (the printed list).
    QList<TFilaCarga> Todas() const;

    int rowCount(const QModelIndex &padre = {}) const override;
    int columnCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &padre) const override;
    void fetchMore(const QModelIndex &padre) override;
    void sort(int columna, Qt::SortOrder orden = Qt::AscendingOrder) override;

    // A column's text for a row, as the grid shows it.
    static QString Texto(const TFilaCarga &fila, TColumnaCargas columna);
    static QString Titulo(TColumnaCargas columna);

private:
    void Leer(int filas);

    TDM &m_dm;
    TFiltroCargas m_filtro;
    TOrdenCargas m_orden;
    QList<TFilaCarga> m_filas;
    bool m_hayMas = false;
};
