#pragma once

#include "core/stock/Trazabilidad.h"

#include <QAbstractTableModel>

#include <optional>

class TDM;

// The traceability list as a grid's model, read a page at a time: a search shows its first page
// at once and the view asks for the next ones as it scrolls, so a medication followed over years
// without a lot opens as fast as a recall of one lot. Columns: patient reference, DNI, name,
// telephone, situation, quantity, an empty one, first and last day of the load.
class TModeloTrazabilidad : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kFilasPagina = 200;
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

    int rowCount(const QModelIndex &padre = {}) const override;
    int columnCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &padre) const override;
    void fetchMore(const QModelIndex &padre) override;

    static QString Texto(const TLineaTraza &linea, int columna);
    static QString Titulo(int columna);

private:
    TDM &m_dm;
    std::optional<qint64> m_idMedicamento; // none until a search: nothing to read further
    QString m_lote;
    QList<TLineaTraza> m_lineas;
    bool m_hayMas = false;
};
