#include "ui/reports/ListadoRejilla.h"

#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportListing.h"
#include "render/ReportLayout.h"
#include "render/XlsxExport.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Mensajes.h"

#include <QColor>
#include <QFileDialog>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

// More columns than fit across a portrait page are printed on a landscape one.
constexpr int kColumnasVertical = 5;
// The title of the column the rows are sorted by.
const QColor kTituloOrdenado(139, 0, 0);

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
    m_rejilla.model()->sort(m_columna, m_orden);
    m_rejilla.model()->setHeaderData(m_columna, Qt::Horizontal, kTituloOrdenado, Qt::ForegroundRole);
    m_rejilla.horizontalHeader()->setSortIndicatorShown(true);
    m_rejilla.horizontalHeader()->setSortIndicator(m_columna, m_orden);
}

QList<int> TListadoRejilla::ColumnasVisibles() const
{
    QList<int> columnas;
    const QHeaderView *titulos = m_rejilla.horizontalHeader();
    for (int visual = 0; visual < titulos->count(); ++visual) {
        const int columna = titulos->logicalIndex(visual);
        if (!m_rejilla.isColumnHidden(columna))
            columnas << columna;
    }
    return columnas;
}

TReportDocument TListadoRejilla::Informe(const QString &titulo) const
{
    const QAbstractItemModel *modelo = m_rejilla.model();
    if (!modelo)
        return ReportListing(titulo, ReportPageSetup::a4(), {}).document();
    const QList<int> columnas = ColumnasVisibles();
    const ReportPageSetup pagina = ReportPageSetup::a4(columnas.size() > kColumnasVertical);

    // The widths on paper keep the proportions of the grid's columns.
    double anchoRejilla = 0.0;
    for (const int columna : columnas)
        anchoRejilla += qMax(1, m_rejilla.columnWidth(columna));
    QList<ListingColumn> columnasListado;
    for (const int columna : columnas) {
        columnasListado << ListingColumn {
                modelo->headerData(columna, Qt::Horizontal, Qt::DisplayRole).toString(),
                pagina.contentRect().width() * qMax(1, m_rejilla.columnWidth(columna)) / anchoRejilla};
    }

    // Texts as the grid draws them (dates and numbers in the locale's form).
    const auto *delegado = qobject_cast<const QStyledItemDelegate *>(m_rejilla.itemDelegate());
    const QLocale local = m_rejilla.locale();
    ReportListing listado(titulo, pagina, columnasListado);
    for (int fila = 0; fila < modelo->rowCount(); ++fila) {
        QStringList celdas;
        for (const int columna : columnas) {
            const QVariant valor = modelo->data(modelo->index(fila, columna), Qt::DisplayRole);
            celdas << (delegado && !valor.isNull() ? delegado->displayText(valor, local) : valor.toString());
        }
        listado.addRow(celdas);
    }
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
    const ReportIoResult resultado = XlsxExport::write(ReportLayout::layOut(Informe(QString())), ruta,
                                                       QStringLiteral("DbGridInformation"));
    if (!resultado.ok())
        MostrarError(resultado.error);
    return resultado.ok();
}

void TListadoRejilla::ExportarConDialogo() const
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
        return;
    }
    Exportar(dialogo.selectedFiles().first());
}
