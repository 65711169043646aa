#include "core/stock/ModeloTrazabilidad.h"

#include "core/i18n/ULenguaje.h"

#include <QLocale>

TModeloTrazabilidad::TModeloTrazabilidad(TDM &dm, QObject *parent)
    : TModeloPaginado(parent)
    , m_dm(dm)
{ }

void TModeloTrazabilidad::Consultar(qint64 idMedicamento, const QString &lote)
{
    Empezar([this, idMedicamento, lote](int desde, int cuantas) {
        return ConsultarTrazabilidad(m_dm, idMedicamento, lote, desde, cuantas);
    });
    m_idMedicamento = idMedicamento;
    m_lote = lote;
}

void TModeloTrazabilidad::Vaciar()
{
    TModeloPaginado::Vaciar();
    m_idMedicamento.reset();
    m_lote.clear();
}

QList<TLineaTraza> TModeloTrazabilidad::Todas() const
{
    return m_idMedicamento ? ConsultarTrazabilidad(m_dm, *m_idMedicamento, m_lote) : QList<TLineaTraza> {};
}

int TModeloTrazabilidad::columnCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : kColumnas;
}

QVariant TModeloTrazabilidad::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid() || indice.row() >= Filas().size())
        return {};
    if (rol == Qt::TextAlignmentRole && indice.column() == kCantidad)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (rol != Qt::DisplayRole)
        return {};
    return Texto(Filas().at(indice.row()), indice.column());
}

QVariant TModeloTrazabilidad::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole || seccion < 0 || seccion >= kColumnas)
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    return Titulo(seccion);
}

QString TModeloTrazabilidad::Texto(const TLineaTraza &linea, int columna)
{
    const QLocale local;
    switch (columna) {
    case kPaciente:
        return linea.REFPaciente;
    case kDNI:
        return linea.DNI;
    case kNombre:
        return linea.Nombre;
    case kTelefono:
        return linea.Telefono;
    case kSituacion:
        return linea.DESORIG;
    case kCantidad:
        return local.toString(linea.Cantidad, 'f', 2);
    case kInicio:
        return local.toString(linea.FechaInicio, QLocale::ShortFormat);
    case kFin:
        return local.toString(linea.FechaFin, QLocale::ShortFormat);
    default:
        return {};
    }
}

QString TModeloTrazabilidad::Titulo(int columna)
{
    switch (columna) {
    case kPaciente:
        return Traducir(QStringLiteral("CAPTION_TRAZA_PACIENTE"), QStringLiteral("PACIENTE"));
    case kDNI:
        return Traducir(QStringLiteral("CAPTION_TRAZA_DNI"), QStringLiteral("DNI"));
    case kNombre:
        return Traducir(QStringLiteral("CAPTION_TRAZA_NOMBRE"), QStringLiteral("NOMBRE"));
    case kTelefono:
        return Traducir(QStringLiteral("CAPTION_TRAZA_TELEFONO"), QStringLiteral("TELEFONO"));
    case kSituacion:
        return Traducir(QStringLiteral("CAPTION_TRAZA_SITUACION"), QStringLiteral("SITUACION"));
    case kCantidad:
        return Traducir(QStringLiteral("CAPTION_TRAZA_CANTIDAD"), QStringLiteral("CANTIDAD"));
    case kInicio:
        return Traducir(QStringLiteral("CAPTION_TRAZA_INICIO"), QStringLiteral("INICIO"));
    case kFin:
        return Traducir(QStringLiteral("CAPTION_TRAZA_FIN"), QStringLiteral("FIN"));
    default:
        return {};
    }
}
