#include "ui/data/ExportarRejilla.h"

#include "render/XlsxExport.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

// The sections of a header that are not hidden, in the order shown (the user may move columns).
QList<int> SeccionesVisibles(const QHeaderView &cabecera)
{
    QList<int> secciones;
    for (int visual = 0; visual < cabecera.count(); ++visual) {
        const int seccion = cabecera.logicalIndex(visual);
        if (!cabecera.isSectionHidden(seccion))
            secciones << seccion;
    }
    return secciones;
}

} // namespace

TRejillaVisible LeerRejillaVisible(const QTableView &rejilla)
{
    TRejillaVisible visible;
    const QAbstractItemModel *modelo = rejilla.model();
    if (!modelo)
        return visible;
    visible.columnas = SeccionesVisibles(*rejilla.horizontalHeader());
    for (const int columna : visible.columnas)
        visible.titulos << modelo->headerData(columna, Qt::Horizontal, Qt::DisplayRole).toString();

    const auto *delegado = qobject_cast<const QStyledItemDelegate *>(rejilla.itemDelegate());
    // As the view draws numbers: in the grid's language, without thousands separators.
    QLocale local = rejilla.locale();
    local.setNumberOptions(QLocale::OmitGroupSeparator);
    for (const int fila : SeccionesVisibles(*rejilla.verticalHeader())) {
        QStringList celdas;
        for (const int columna : visible.columnas) {
            const QVariant valor = modelo->data(modelo->index(fila, columna), Qt::DisplayRole);
            celdas << (delegado && !valor.isNull() ? delegado->displayText(valor, local) : valor.toString());
        }
        visible.filas << celdas;
    }
    return visible;
}

ReportIoResult ExportarRejilla(const QTableView &rejilla, const QString &ruta, const QString &hoja)
{
    const TRejillaVisible visible = LeerRejillaVisible(rejilla);
    return XlsxExport::writeTable(visible.titulos, visible.filas, ruta, hoja);
}
