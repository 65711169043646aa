#include "core/stock/InformeStock.h"

#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportListing.h"
#include "core/settings/uPreferencias.h"

#include <QLocale>

#include <algorithm>
#include <tuple>

QString UnirConGuion(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return a + b;
    return a + QStringLiteral(" - ") + b;
}

TMembreteFarmacia MembreteFarmacia(const TPreferences &preferencias)
{
    // The stored address may span several lines; the report prints it on one.
    return {preferencias.Logo,
            UnirConGuion(preferencias.ofDireccion.simplified(), preferencias.ofTelefono.trimmed())};
}

ListingFrame MarcoInforme(const QStringList &cabecera, const TMembreteFarmacia &membrete,
                          const QDate &fechaImpresion)
{
    ListingFrame marco;
    marco.logo = membrete.Logo;
    marco.headerLines = cabecera;
    marco.footerLeft = membrete.DireccionTelefono;
    marco.footerRight = QLocale().toString(fechaImpresion, QLocale::ShortFormat);
    marco.pageNumberPattern = QStringLiteral("%1 / %2");
    return marco;
}

TReportDocument InformeStock(const QString &titulo, const QStringList &cabecera,
                             const QList<TFilaInformeStock> &filas, const TMembreteFarmacia &membrete,
                             const QDate &fechaImpresion)
{
    const QLocale local;
    const auto columna = [](const char *clave, const char *texto, double ancho,
                            Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter) {
        return ListingColumn {Traducir(QString::fromLatin1(clave), QString::fromUtf8(texto)), ancho,
                              alineacion};
    };
    const QList<ListingColumn> columnas {
            columna("INF_STOCK_REFERENCIA", "REFERENCIA", 25.0),
            columna("INF_STOCK_NOMBRE", "NOMBRE", 50.0),
            columna("INF_STOCK_CATEGORIA", "CATEGORIA", 35.0),
            columna("INF_STOCK_MEDICAMENTO", "MEDICAMENTO", 87.0),
            columna("INF_STOCK_CANTIDAD", "CANTIDAD", 22.0, Qt::AlignRight | Qt::AlignVCenter),
            columna("INF_STOCK_LOTE", "LOTE", 30.0),
            columna("INF_STOCK_CADUCIDAD", "CADUCIDAD", 28.0),
    };
    ReportListing listado(titulo, ReportPageSetup::a4(true), columnas,
                          MarcoInforme(cabecera, membrete, fechaImpresion));
    for (const TFilaInformeStock &fila : filas) {
        listado.addRow({fila.RefPaciente, fila.Nombre, fila.Categoria, fila.Medicamento,
                        local.toString(fila.Cantidad, 'f', 2), fila.Lote,
                        local.toString(fila.Caducidad, QLocale::ShortFormat)});
    }
    return listado.document();
}

QStringList TCabeceraInventario::Textos() const
{
    return {Categoria, UnirConGuion(RefPaciente, Nombre).toUpper(), Opcion.toUpper(),
            UnirConGuion(Codigo, Descripcion).toUpper()};
}

QList<TFilaInformeStock> FilasInformeInventario(QList<TFilaInventario> filas)
{
    std::stable_sort(filas.begin(), filas.end(), [](const TFilaInventario &a, const TFilaInventario &b) {
        return std::tie(a.Categoria, a.RefPaciente, a.Codigo, a.idInventario)
                < std::tie(b.Categoria, b.RefPaciente, b.Codigo, b.idInventario);
    });
    QList<TFilaInformeStock> informe;
    informe.reserve(filas.size());
    for (const TFilaInventario &fila : filas) {
        informe << TFilaInformeStock {.RefPaciente = fila.RefPaciente,
                                      .Nombre = fila.Nombre,
                                      .Categoria = fila.Categoria,
                                      .Medicamento
                                      = QString::number(fila.Codigo) + QLatin1Char(' ') + fila.Medicamento,
                                      .Cantidad = fila.Cantidad,
                                      .Lote = fila.Lote,
                                      .Caducidad = fila.Caducidad};
    }
    return informe;
}
