#pragma once

#include "core/common/ModeloPaginado.h"
#include "core/stock/Trazabilidad.h"

#include <optional>

class TDM;

// The traceability list as a grid's model, read a page at a time (a medication followed over years
// without a lot opens as fast as a recall of one lot). Columns: patient reference, DNI, name,
// telephone, situation, quantity, an empty one, first and last day of the load.
class TModeloTrazabilidad : public TModeloPaginado<TLineaTraza>
{
    Q_OBJECT

public:
    enum Columna {
        kPaciente,
        kDNI,
        kNombre,
        kTelefono,
        kSituacion,
        kCantidad,
        kVacia,
        kInicio,
        kFin,
        kColumnas
    };

    explicit TModeloTrazabilidad(TDM &dm, QObject *parent = nullptr);

    // The first page of the lines of the medication (and lot). A failed read leaves the lines
    // shown as they were.
    void Consultar(qint64 idMedicamento, const QString &lote);
    // No lines, and nothing to read further, as before the first search.
    void Vaciar();
    // Every line of the last search (the printed listing).
    QList<TLineaTraza> Todas() const;

    int columnCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;

    static QString Texto(const TLineaTraza &linea, int columna);
    static QString Titulo(int columna);

private:
    TDM &m_dm;
    std::optional<qint64> m_idMedicamento; // none until a search: nothing to read further
    QString m_lote;
};
