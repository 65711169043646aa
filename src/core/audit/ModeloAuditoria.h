#pragma once

#include "core/audit/ConsultaAuditoria.h"
#include "core/common/ModeloPaginado.h"

#include <optional>

class TDM;

// The grid's columns, in the order the audit query returns them.
enum class TColumnaAuditoria { Fecha, Usuario, UsuarioOS, Maquina, Accion, Resultado, Operacion, Paciente };
constexpr int kColumnasAuditoria = 8;

// The audit log as the audit view's model, read a page at a time.
class TModeloAuditoria : public TModeloPaginado<TFilaAuditoria>
{
    Q_OBJECT

public:
    explicit TModeloAuditoria(TDM &dm, QObject *parent = nullptr);

    // The rows the filter passes, from the first page.
    void Consultar(const TFiltroAuditoria &filtro);
    // Every row the filter passes (the printed listing); none before the first search.
    QList<TFilaAuditoria> Todas() const;

    int columnCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;

    // A column's text for a row, as the grid and the listing show it.
    static QString Texto(const TFilaAuditoria &fila, TColumnaAuditoria columna);

private:
    TDM &m_dm;
    std::optional<TFiltroAuditoria> m_filtro; // none until the first search: the grid stays empty
};
