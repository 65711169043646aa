#include "core/loading/QREtiquetasColumnas.h"

#include "core/loading/EtiquetasCarga.h"

namespace {

// Every glyph of the monospaced report family advances 1233/2048 of an em.
constexpr double kAvanceMono = 1233.0 / 2048.0;
constexpr double kMmPorPunto = 25.4 / 72.0;
constexpr int kSeparacion = 2; // characters between two columns

} // namespace

ReportElement &TextoEtiqueta(ReportBand &banda, const QRectF &rect, const QString &texto,
                             const ReportFont &fuente, Qt::Alignment alineacion)
{
    ReportElement &elemento = banda.addText(rect, texto, fuente, alineacion);
    elemento.fitToBox = true;
    return elemento;
}

TColumnasEtiqueta::TColumnasEtiqueta(double x, const ReportFont &fuente, const QList<TColumna> &columnas)
    : m_fuente(fuente)
    , m_columnas(columnas)
{
    for (const TColumna &columna : columnas) {
        m_izquierdas << x;
        if (columna.caracteres > 0)
            x += AnchoCaracteres(columna.caracteres + kSeparacion, fuente);
    }
}

void TColumnasEtiqueta::Fila(ReportBand &banda, double y, const QStringList &textos) const
{
    for (qsizetype i = 0; i < m_columnas.size() && i < textos.size(); ++i) {
        if (m_columnas.at(i).caracteres > 0 && !textos.at(i).isEmpty())
            TextoEtiqueta(banda, QRectF(Izquierda(int(i)), y, Ancho(int(i)), PiezasEtiqueta::kAltoLinea),
                          textos.at(i), m_fuente, m_columnas.at(i).alineacion);
    }
}

double TColumnasEtiqueta::Izquierda(int columna) const
{
    return m_izquierdas.at(columna);
}

double TColumnasEtiqueta::Ancho(int columna) const
{
    return AnchoCaracteres(m_columnas.at(columna).caracteres, m_fuente);
}

double TColumnasEtiqueta::AnchoCaracteres(int caracteres, const ReportFont &fuente)
{
    return caracteres * kAvanceMono * fuente.pointSize * kMmPorPunto;
}
