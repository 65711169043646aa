#include "core/stock/ModeloInventario.h"

#include "core/i18n/ULenguaje.h"

#include <QLocale>

TModeloInventario::TModeloInventario(TDM &dm, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dm(dm)
{ }

void TModeloInventario::Consultar(const TFiltroInventario &filtro)
{
    // Read before the reset: a refused filter or a failed read leaves the rows shown as they were.
    TPaginaInventario pagina = ConsultarPaginaInventario(m_dm, filtro, m_orden, 0, kFilasPagina);
    beginResetModel();
    m_filtro = filtro;
    m_filas = std::move(pagina.Filas);
    m_siguiente = pagina.Siguiente;
    m_hayMas = pagina.HayMas;
    endResetModel();
}

QList<TFilaInventario> TModeloInventario::Todas() const
{
    return m_filtro ? ConsultarInventario(m_dm, *m_filtro, m_orden) : QList<TFilaInventario> {};
}

int TModeloInventario::rowCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : int(m_filas.size());
}

int TModeloInventario::columnCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : kColumnasInventario;
}

QVariant TModeloInventario::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid() || indice.row() >= m_filas.size() || rol != Qt::DisplayRole)
        return {};
    return Texto(m_filas.at(indice.row()), TColumnaInventario(indice.column()));
}

QVariant TModeloInventario::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion != Qt::Horizontal || seccion < 0 || seccion >= kColumnasInventario)
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    if (rol == Qt::DisplayRole)
        return Titulo(TColumnaInventario(seccion));
    if (rol == Qt::ForegroundRole)
        return m_coloresTitulos.value(seccion);
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

bool TModeloInventario::setHeaderData(int seccion, Qt::Orientation orientacion, const QVariant &valor,
                                      int rol)
{
    if (orientacion != Qt::Horizontal || rol != Qt::ForegroundRole || seccion < 0
        || seccion >= kColumnasInventario)
        return QAbstractTableModel::setHeaderData(seccion, orientacion, valor, rol);
    m_coloresTitulos.insert(seccion, valor);
    emit headerDataChanged(orientacion, seccion, seccion);
    return true;
}

bool TModeloInventario::canFetchMore(const QModelIndex &padre) const
{
    return !padre.isValid() && m_hayMas;
}

void TModeloInventario::fetchMore(const QModelIndex &padre)
{
    if (!canFetchMore(padre))
        return;
    const TPaginaInventario pagina
            = ConsultarPaginaInventario(m_dm, *m_filtro, m_orden, m_siguiente, kFilasPagina);
    m_siguiente = pagina.Siguiente;
    m_hayMas = pagina.HayMas;
    if (pagina.Filas.isEmpty())
        return;
    beginInsertRows({}, int(m_filas.size()), int(m_filas.size() + pagina.Filas.size() - 1));
    m_filas.append(pagina.Filas);
    endInsertRows();
}

void TModeloInventario::sort(int columna, Qt::SortOrder orden)
{
    if (columna < 0 || columna >= kColumnasInventario)
        return;
    m_orden = {TColumnaInventario(columna), orden == Qt::DescendingOrder};
    if (m_filtro)
        Consultar(TFiltroInventario(*m_filtro));
}

QString TModeloInventario::Texto(const TFilaInventario &fila, TColumnaInventario columna)
{
    const QLocale local;
    switch (columna) {
    case TColumnaInventario::Categoria:
        return fila.Categoria;
    case TColumnaInventario::Referencia:
        return fila.RefPaciente;
    case TColumnaInventario::Nombre:
        return fila.Nombre;
    case TColumnaInventario::Codigo:
        return QString::number(fila.Codigo);
    case TColumnaInventario::Medicamento:
        return fila.Medicamento;
    case TColumnaInventario::Lote:
        return fila.Lote;
    case TColumnaInventario::Caducidad:
        return local.toString(fila.Caducidad, QLocale::ShortFormat);
    case TColumnaInventario::Cantidad:
        return local.toString(fila.Cantidad, 'f', 2);
    }
    return {};
}

QString TModeloInventario::Titulo(TColumnaInventario columna)
{
    switch (columna) {
    case TColumnaInventario::Categoria:
        return Traducir(QStringLiteral("CAPTION_INVENTARIO_CATEGORIA"), QStringLiteral("CATEGORIA"));
    case TColumnaInventario::Referencia:
        return Traducir(QStringLiteral("CAPTION_INVENTARIO_REFERENCIA"), QStringLiteral("REFERENCIA"));
    case TColumnaInventario::Nombre:
        return Traducir(QStringLiteral("CAPTION_INVENTARIO_NOMBRE"), QStringLiteral("NOMBRE"));
    case TColumnaInventario::Codigo:
        return Traducir(QStringLiteral("CAPTION_INVENTARIO_CODIGO"), QStringLiteral("CODIGO"));
    case TColumnaInventario::Medicamento:
        return Traducir(QStringLiteral("CAPTION_INVENTARIO_MEDICAMENTO"), QStringLiteral("MEDICAMENTO"));
    case TColumnaInventario::Lote:
        return Traducir(QStringLiteral("CAPTION_INVENTARIO_LOTE"), QStringLiteral("LOTE"));
    case TColumnaInventario::Caducidad:
        return Traducir(QStringLiteral("CAPTION_INVENTARIO_CADUCIDAD"), QStringLiteral("CADUCIDAD"));
    case TColumnaInventario::Cantidad:
        return Traducir(QStringLiteral("CAPTION_INVENTARIO_CANTIDAD"), QStringLiteral("CANTIDAD"));
    }
    return {};
}
