#pragma once

#include <QAbstractTableModel>
#include <QList>

#include <functional>

// A grid's model read a page at a time: a search shows its first page at once and the view asks
// for the next ones as it scrolls, so years of rows open as fast as a few. Each page is read
// whole, so no read stays open while the rows are shown. The derived model gives the columns and
// their texts.
template<class TFila> class TModeloPaginado : public QAbstractTableModel
{
public:
    static constexpr int kFilasPagina = 200;
    // Reads at most `cuantas` rows from row `desde`.
    using LectorPagina = std::function<QList<TFila>(int desde, int cuantas)>;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &padre = {}) const override
    {
        return padre.isValid() ? 0 : int(m_filas.size());
    }
    bool canFetchMore(const QModelIndex &padre) const override { return !padre.isValid() && m_hayMas; }
    void fetchMore(const QModelIndex &padre) override
    {
        if (!canFetchMore(padre))
            return;
        const QList<TFila> pagina = m_lector(int(m_filas.size()), kFilasPagina);
        m_hayMas = pagina.size() == kFilasPagina;
        if (pagina.isEmpty())
            return;
        beginInsertRows({}, int(m_filas.size()), int(m_filas.size() + pagina.size() - 1));
        m_filas.append(pagina);
        endInsertRows();
    }

protected:
    // Shows the first page `lector` reads; a failed read (it throws) leaves the rows shown.
    void Empezar(LectorPagina lector)
    {
        QList<TFila> pagina = lector(0, kFilasPagina);
        beginResetModel();
        m_lector = std::move(lector);
        m_hayMas = pagina.size() == kFilasPagina;
        m_filas = std::move(pagina);
        endResetModel();
    }
    // No rows and nothing to read further, as before the first search.
    void Vaciar()
    {
        beginResetModel();
        m_lector = {};
        m_hayMas = false;
        m_filas.clear();
        endResetModel();
    }
    const QList<TFila> &Filas() const { return m_filas; }

private:
    LectorPagina m_lector;
    QList<TFila> m_filas;
    bool m_hayMas = false;
};
