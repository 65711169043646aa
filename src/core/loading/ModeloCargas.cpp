#include "core/loading/ModeloCargas.h"

#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"

TModeloCargas::TModeloCargas(TDM &dm, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dm(dm)
{ }

void TModeloCargas::Consultar(const TFiltroCargas &filtro)
{
    m_filtro = filtro;
    Leer(kFilasPagina);
}

void TModeloCargas::Releer()
{
    Leer(std::max(int(m_filas.size()), kFilasPagina));
}

void TModeloCargas::Leer(int filas)
{
    // Read before the reset: a failed read leaves the rows shown as they were.
    QList<TFilaCarga> leidas = ConsultarPaginaCargas(m_dm, m_filtro, m_orden, 0, filas);
    beginResetModel();
    m_hayMas = leidas.size() == filas;
    m_filas = std::move(leidas);
    endResetModel();
}

int TModeloCargas::FilaDeCarga(qint64 idRecarga) const
{
    for (int i = 0; i < m_filas.size(); ++i) {
        if (m_filas.at(i).idRecarga == idRecarga)
            return i;
    }
    return -1;
}

QList<TFilaCarga> TModeloCargas::Todas() const
{
    return ConsultarCargas(m_dm, m_filtro, m_orden);
}

int TModeloCargas::rowCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : int(m_filas.size());
}

int TModeloCargas::columnCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : kColumnasCargas;
}

QVariant TModeloCargas::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid() || indice.row() >= m_filas.size())
        return {};
    const auto columna = TColumnaCargas(indice.column());
    if (rol == Qt::DisplayRole)
        return Texto(m_filas.at(indice.row()), columna);
    if (rol == Qt::TextAlignmentRole && columna == TColumnaCargas::Recarga)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TModeloCargas::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole || seccion < 0 || seccion >= kColumnasCargas)
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    return Titulo(TColumnaCargas(seccion));
}

bool TModeloCargas::canFetchMore(const QModelIndex &padre) const
{
    return !padre.isValid() && m_hayMas;
}

void TModeloCargas::fetchMore(const QModelIndex &padre)
{
    if (!canFetchMore(padre))
        return;
    const QList<TFilaCarga> pagina
            = ConsultarPaginaCargas(m_dm, m_filtro, m_orden, int(m_filas.size()), kFilasPagina);
    m_hayMas = pagina.size() == kFilasPagina;
    if (pagina.isEmpty())
        return;
    beginInsertRows({}, int(m_filas.size()), int(m_filas.size() + pagina.size() - 1));
    m_filas.append(pagina);
    endInsertRows();
}

void TModeloCargas::sort(int columna, Qt::SortOrder orden)
{
    if (columna < 0 || columna >= kColumnasCargas)
        return;
    m_orden = {TColumnaCargas(columna), orden == Qt::DescendingOrder};
    Leer(kFilasPagina);
}

QString TModeloCargas::Texto(const TFilaCarga &fila, TColumnaCargas columna)
{
    switch (columna) {
    case TColumnaCargas::Fecha:
        if (!fila.FechaRealizado.isValid())
            return {};
        return TextoFecha(fila.FechaRealizado.date()) + QLatin1Char(' ')
                + fila.FechaRealizado.time().toString(QStringLiteral("HH:mm"));
    case TColumnaCargas::Recarga:
        return QString::number(fila.refRecarga);
    case TColumnaCargas::Paciente:
        return fila.RefPaciente;
    case TColumnaCargas::SitEntrega:
        return fila.SitEntrega;
    case TColumnaCargas::Inicio:
        return TextoFecha(fila.FechaInicio);
    case TColumnaCargas::Fin:
        return TextoFecha(fila.FechaFin);
    case TColumnaCargas::Preparador:
        return fila.Preparador;
    case TColumnaCargas::Validador:
        return fila.Validador;
    }
    return {};
}

QString TModeloCargas::Titulo(TColumnaCargas columna)
{
    switch (columna) {
    case TColumnaCargas::Fecha:
        return Traducir(QStringLiteral("CAPTION_CARGAS_FECHA"), QStringLiteral("FECHA"));
    case TColumnaCargas::Recarga:
        return Traducir(QStringLiteral("CAPTION_CARGAS_RECARGA"), QStringLiteral("RECARGA"));
    case TColumnaCargas::Paciente:
        return Traducir(QStringLiteral("CAPTION_CARGAS_PACIENTE"), QStringLiteral("PACIENTE"));
    case TColumnaCargas::SitEntrega:
        return Traducir(QStringLiteral("CAPTION_CARGAS_SIT_ENTREGA"), QStringLiteral("SIT. ENTREGA"));
    case TColumnaCargas::Inicio:
        return Traducir(QStringLiteral("CAPTION_CARGAS_INICIO"), QStringLiteral("INICIO"));
    case TColumnaCargas::Fin:
        return Traducir(QStringLiteral("CAPTION_CARGAS_FIN"), QStringLiteral("FIN"));
    case TColumnaCargas::Preparador:
        return Traducir(QStringLiteral("CAPTION_CARGAS_PREPARADO_POR"), QStringLiteral("PREPARADO POR"));
    case TColumnaCargas::Validador:
        return Traducir(QStringLiteral("CAPTION_CARGAS_VALIDADO_POR"), QStringLiteral("VALIDADO POR"));
    }
    return {};
}
