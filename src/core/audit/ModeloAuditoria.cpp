#include "core/audit/ModeloAuditoria.h"

#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"

TModeloAuditoria::TModeloAuditoria(TDM &dm, QObject *parent)
    : TModeloPaginado(parent)
    , m_dm(dm)
{ }

void TModeloAuditoria::Consultar(const TFiltroAuditoria &filtro)
{
    Empezar([this, filtro](int desde, int cuantas) {
        return ConsultarAuditoria(m_dm, filtro, desde, cuantas);
    });
    m_filtro = filtro;
}

QList<TFilaAuditoria> TModeloAuditoria::Todas() const
{
    return m_filtro ? ConsultarAuditoria(m_dm, *m_filtro) : QList<TFilaAuditoria> {};
}

int TModeloAuditoria::columnCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : kColumnasAuditoria;
}

QVariant TModeloAuditoria::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid() || indice.row() >= Filas().size())
        return {};
    const auto columna = TColumnaAuditoria(indice.column());
    if (rol == Qt::TextAlignmentRole && columna >= TColumnaAuditoria::Resultado)
        return int(Qt::AlignCenter);
    if (rol != Qt::DisplayRole)
        return {};
    return Texto(Filas().at(indice.row()), columna);
}

QVariant TModeloAuditoria::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole || seccion < 0
        || seccion >= kColumnasAuditoria)
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    static const char *const kTitulos[kColumnasAuditoria][2]
            = {{"CAPTION_AUDITORIA_FECHA", "FECHA"},
               {"CAPTION_AUDITORIA_USUARIO", "USUARIO"},
               {"CAPTION_AUDITORIA_USUARIO_SO", "USUARIO S.O."},
               {"CAPTION_AUDITORIA_MAQUINA", "MAQUINA"},
               {"CAPTION_AUDITORIA_ACCION", "ACCION"},
               {"CAPTION_AUDITORIA_RESULTADO", "RESULTADO"},
               {"CAPTION_AUDITORIA_OPERACION", "OPERACION"},
               {"CAPTION_AUDITORIA_PACIENTE", "PACIENTE"}};
    return Traducir(QString::fromLatin1(kTitulos[seccion][0]), QString::fromLatin1(kTitulos[seccion][1]));
}

QString TModeloAuditoria::Texto(const TFilaAuditoria &fila, TColumnaAuditoria columna)
{
    switch (columna) {
    case TColumnaAuditoria::Fecha:
        return TextoFecha(fila.FAudit.date()) + QLatin1Char(' ')
                + fila.FAudit.time().toString(QStringLiteral("HH:mm:ss"));
    case TColumnaAuditoria::Usuario:
        return fila.Username;
    case TColumnaAuditoria::UsuarioOS:
        return fila.UserOS;
    case TColumnaAuditoria::Maquina:
        return fila.Maquina;
    case TColumnaAuditoria::Accion:
        return fila.Accion;
    case TColumnaAuditoria::Resultado:
        return fila.Resultado;
    case TColumnaAuditoria::Operacion:
        return fila.Operacion;
    case TColumnaAuditoria::Paciente:
        return fila.refPaciente;
    }
    return {};
}
