#pragma once

#include "core/reports/ReportDocument.h"

#include <QList>
#include <QStringList>

// A text of a label sheet: fitted to its box, so the report engine sets a text that needs more
// room than its place on the pre-printed stock gives a little smaller, and never cuts it.
ReportElement &TextoEtiqueta(ReportBand &banda, const QRectF &rect, const QString &texto,
                             const ReportFont &fuente,
                             Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter);

// The medication lists of a sheet in columns of the monospaced list font. Each column is as wide
// as the characters it holds at most, so a text cut to that many characters prints whole at the
// font's size, and the lists of a sheet share their columns: the doses of the medication outside
// the blister start where those in the blister do.
class TColumnasEtiqueta
{
public:
    struct TColumna
    {
        int caracteres; // a column of no characters takes no room: the sheet has none
        Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter;
    };

    // Columns side by side from `x` millimetres, two characters apart.
    TColumnasEtiqueta(double x, const ReportFont &fuente, const QList<TColumna> &columnas);

    // One list line at `y`, one text per column.
    void Fila(ReportBand &banda, double y, const QStringList &textos) const;
    // Where a column starts, and its width, in millimetres.
    double Izquierda(int columna) const;
    double Ancho(int columna) const;

    // Millimetres `caracteres` characters of the monospaced font take.
    static double AnchoCaracteres(int caracteres, const ReportFont &fuente);

private:
    ReportFont m_fuente;
    QList<TColumna> m_columnas;
    QList<double> m_izquierdas;
};
