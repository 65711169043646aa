#include "ui/reports/ListadoRejilla.h"

#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportListing.h"
#include "ui/data/ExportarRejilla.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Mensajes.h"

#include <QColor>
#include <QFileDialog>
#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace {

// More columns than fit across a portrait page are printed on a landscape one.
constexpr int kColumnasVertical = 5;
// The title of the column the rows are sorted by.
const QColor kTituloOrdenado(139, 0, 0);

// Texts as a table widget shows them, compared by what they mean: numbers and dates written in
// the locale's form by value, other texts without regard to case.
bool TextoMenor(const QString &a, const QString &b, const QLocale &local)
{
    bool numeroA = false;
    bool numeroB = false;
    const double valorA = local.toDouble(a, &numeroA);
    const double valorB = local.toDouble(b, &numeroB);
    if (numeroA && numeroB)
        return valorA < valorB;
    const QDate diaA = local.toDate(a, QLocale::ShortFormat);
    const QDate diaB = local.toDate(b, QLocale::ShortFormat);
    if (diaA.isValid() && diaB.isValid())
        return diaA < diaB;
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// A table widget's items hold only texts, which its own sort would compare letter by letter
// ("10,00" before "9,00"); its rows are put in order here instead.
void OrdenarFilas(QTableWidget &tabla, int columna, Qt::SortOrder orden)
{
    QList<QList<QTableWidgetItem *>> filas(tabla.rowCount());
    for (int fila = 0; fila < tabla.rowCount(); ++fila) {
        for (int c = 0; c < tabla.columnCount(); ++c)
            filas[fila] << tabla.takeItem(fila, c);
    }
    const QLocale local = tabla.locale();
    const auto texto = [columna](const QList<QTableWidgetItem *> &fila) {
        const QTableWidgetItem *item = fila.value(columna);
        return item ? item->text() : QString();
    };
    std::stable_sort(filas.begin(), filas.end(), [&](const auto &a, const auto &b) {
        return orden == Qt::AscendingOrder ? TextoMenor(texto(a), texto(b), local)
                                           : TextoMenor(texto(b), texto(a), local);
    });
    for (int fila = 0; fila < filas.size(); ++fila) {
        for (int c = 0; c < filas[fila].size(); ++c)
            tabla.setItem(fila, c, filas[fila][c]);
    }
}

} // namespace

TListadoRejilla::TListadoRejilla(QTableView &rejilla, Qt::SortOrder primerOrden)
    : QObject(&rejilla)
    , m_rejilla(rejilla)
    , m_primerOrden(primerOrden)
{
    m_rejilla.setSortingEnabled(false);
    QHeaderView *titulos = m_rejilla.horizontalHeader();
    titulos->setSectionsClickable(true);
    connect(titulos, &QHeaderView::sectionClicked, this, &TListadoRejilla::TituloClick);
}

void TListadoRejilla::TituloClick(int columna)
{
    if (m_columna >= 0 && m_columna != columna && m_rejilla.model())
        m_rejilla.model()->setHeaderData(m_columna, Qt::Horizontal, QVariant(), Qt::ForegroundRole);
    const bool yaEnPrimerOrden = columna == m_columna && m_orden == m_primerOrden;
    m_columna = columna;
    m_orden = yaEnPrimerOrden
            ? (m_primerOrden == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder)
            : m_primerOrden;
    Reordenar();
}

void TListadoRejilla::Reordenar()
{
    if (m_columna < 0 || !m_rejilla.model())
        return;
    if (auto *tabla = qobject_cast<QTableWidget *>(&m_rejilla))
        OrdenarFilas(*tabla, m_columna, m_orden);
    else
        m_rejilla.model()->sort(m_columna, m_orden);
    m_rejilla.model()->setHeaderData(m_columna, Qt::Horizontal, kTituloOrdenado, Qt::ForegroundRole);
    m_rejilla.horizontalHeader()->setSortIndicatorShown(true);
    m_rejilla.horizontalHeader()->setSortIndicator(m_columna, m_orden);
}

TReportDocument TListadoRejilla::Informe(const QString &titulo) const
{
    const TRejillaVisible visible = LeerRejillaVisible(m_rejilla);
    const ReportPageSetup pagina = ReportPageSetup::a4(visible.columnas.size() > kColumnasVertical);

    // The widths on paper keep the proportions of the grid's columns.
    double anchoRejilla = 0.0;
    for (const int columna : visible.columnas)
        anchoRejilla += qMax(1, m_rejilla.columnWidth(columna));
    QList<ListingColumn> columnasListado;
    for (qsizetype i = 0; i < visible.columnas.size(); ++i) {
        columnasListado << ListingColumn {visible.titulos.at(i),
                                          pagina.contentRect().width()
                                                  * qMax(1, m_rejilla.columnWidth(visible.columnas.at(i)))
                                                  / anchoRejilla};
    }
    ReportListing listado(titulo, pagina, columnasListado);
    for (const QStringList &celdas : visible.filas)
        listado.addRow(celdas);
    return listado.document();
}

void TListadoRejilla::Imprimir(const QString &titulo) const
{
    if (!m_rejilla.model() || m_rejilla.model()->rowCount() == 0)
        return;
    TFormPreview::Mostrar(Informe(titulo));
}

bool TListadoRejilla::Exportar(const QString &ruta) const
{
    const ReportIoResult resultado = ExportarRejilla(m_rejilla, ruta, QStringLiteral("DbGridInformation"));
    if (!resultado.ok())
        MostrarError(resultado.error);
    return resultado.ok();
}

QString TListadoRejilla::ExportarConDialogo() const
{
    QFileDialog dialogo(
            &m_rejilla,
            Traducir(QStringLiteral("CAPTION_EXPORTAR_REJILLA"), QStringLiteral("Excel file name")));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilter(QStringLiteral("Excel file (*.xlsx)"));
    dialogo.setDefaultSuffix(QStringLiteral("xlsx"));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        MostrarAviso(Traducir(QStringLiteral("MSG_EXPORTACION_CANCELADA"),
                              QStringLiteral("Save file was cancelled")));
        return {};
    }
    const QString fichero = dialogo.selectedFiles().first();
    return Exportar(fichero) ? fichero : QString();
}
