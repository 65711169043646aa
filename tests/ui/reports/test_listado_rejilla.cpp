#include "core/reports/ReportTextRows.h"
#include "support/DialogoModal.h"
#include "support/LibroXlsx.h"
#include "support/MensajesGrabados.h"
#include "ui/reports/Fpreview.h"
#include "ui/reports/ListadoRejilla.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A stock-like grid: name, quantity and expiry as the stock inquiry writes them, and a hidden
// row identifier.
QString Cantidad(double cantidad)
{
    return QLocale().toString(cantidad, 'f', 2);
}

QString Caducidad(int anio, int mes, int dia)
{
    return QLocale().toString(QDate(anio, mes, dia), QLocale::ShortFormat);
}

std::unique_ptr<QTableWidget> Rejilla()
{
    auto rejilla = std::make_unique<QTableWidget>(3, 4);
    rejilla->setHorizontalHeaderLabels({QStringLiteral("NOMBRE"), QStringLiteral("CANTIDAD"),
                                        QStringLiteral("CADUCIDAD"), QStringLiteral("ID")});
    const QList<QStringList> filas {
            {QStringLiteral("BEATRIZ"), Cantidad(20), Caducidad(2026, 1, 15), QStringLiteral("id-1")},
            {QStringLiteral("CARMEN"), Cantidad(5), Caducidad(2027, 2, 1), QStringLiteral("id-2")},
            {QStringLiteral("ANA"), Cantidad(12), Caducidad(2025, 12, 28), QStringLiteral("id-3")}};
    for (int fila = 0; fila < filas.size(); ++fila) {
        for (int columna = 0; columna < 4; ++columna)
            rejilla->setItem(fila, columna, new QTableWidgetItem(filas[fila][columna]));
    }
    rejilla->setColumnHidden(3, true);
    rejilla->show();
    return rejilla;
}

QStringList Columna(const QTableWidget &rejilla, int columna)
{
    QStringList textos;
    for (int fila = 0; fila < rejilla.rowCount(); ++fila)
        textos << rejilla.item(fila, columna)->text();
    return textos;
}

void ClickTitulo(QTableWidget &rejilla, int columna)
{
    QHeaderView *titulos = rejilla.horizontalHeader();
    QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {},
                      QPoint(titulos->sectionViewportPosition(columna) + 5, titulos->height() / 2));
}

// The rows of the listing as texts joined by "|", title and headings included.
QStringList Lineas(const TReportDocument &informe)
{
    QStringList lineas;
    for (const ReportTextRow &fila : ReportTextRows::build(informe)) {
        QStringList textos;
        for (const ReportTextCell &celda : fila.cells)
            textos << celda.text;
        lineas << textos.join(QLatin1Char('|'));
    }
    return lineas;
}

} // namespace

class TestListadoRejilla : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (TFormPreview *vista : TFormPreview::abiertos())
            vista->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void clickEnTituloOrdena_data()
    {
        QTest::addColumn<int>("primero");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("nombres");
        const int asc = Qt::AscendingOrder;
        const int desc = Qt::DescendingOrder;
        const QStringList az {QStringLiteral("ANA"), QStringLiteral("BEATRIZ"), QStringLiteral("CARMEN")};
        const QStringList za {QStringLiteral("CARMEN"), QStringLiteral("BEATRIZ"), QStringLiteral("ANA")};
        QTest::newRow("ascending first") << asc << QList<int> {0} << az;
        QTest::newRow("ascending then descending") << asc << QList<int> {0, 0} << za;
        QTest::newRow("ascending three clicks") << asc << QList<int> {0, 0, 0} << az;
        QTest::newRow("descending first") << desc << QList<int> {0} << za;
        QTest::newRow("descending then ascending") << desc << QList<int> {0, 0} << az;
        QTest::newRow("another column starts over") << desc << QList<int> {0, 0, 1, 0} << za;
        QTest::newRow("quantities by value")
                << asc << QList<int> {1}
                << QStringList {QStringLiteral("CARMEN"), QStringLiteral("ANA"), QStringLiteral("BEATRIZ")};
        QTest::newRow("expiry dates by day")
                << asc << QList<int> {2}
                << QStringList {QStringLiteral("ANA"), QStringLiteral("BEATRIZ"), QStringLiteral("CARMEN")};
    }
    void clickEnTituloOrdena()
    {
        QFETCH(int, primero);
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, nombres);
        const auto rejilla = Rejilla();
        TListadoRejilla listado(*rejilla, Qt::SortOrder(primero));
        for (const int columna : clicks)
            ClickTitulo(*rejilla, columna);
        QCOMPARE(Columna(*rejilla, 0), nombres);
        QCOMPARE(listado.ColumnaOrdenada(), clicks.last());
        QCOMPARE(rejilla->horizontalHeader()->sortIndicatorSection(), clicks.last());
        // Only the sorted column's title is drawn in dark red.
        for (int columna = 0; columna < 3; ++columna) {
            const QVariant color = rejilla->model()->headerData(columna, Qt::Horizontal, Qt::ForegroundRole);
            QCOMPARE(color.value<QColor>() == QColor(139, 0, 0), columna == clicks.last());
        }
    }

    void filasNuevasSeReordenan()
    {
        const auto rejilla = Rejilla();
        TListadoRejilla listado(*rejilla, Qt::AscendingOrder);
        ClickTitulo(*rejilla, 0);
        rejilla->setRowCount(4);
        for (int columna = 0; columna < 3; ++columna)
            rejilla->setItem(3, columna, new QTableWidgetItem(QStringLiteral("AARON")));
        listado.Reordenar();
        QCOMPARE(Columna(*rejilla, 0).first(), QStringLiteral("AARON"));
    }

    void informeComoSeVe()
    {
        const auto rejilla = Rejilla();
        TListadoRejilla listado(*rejilla, Qt::AscendingOrder);
        ClickTitulo(*rejilla, 0);
        // Columns moved by the user are printed in the order shown; the hidden one never.
        rejilla->horizontalHeader()->moveSection(1, 0);
        QCOMPARE(Lineas(listado.Informe(QStringLiteral("STOCK"))),
                 (QStringList {QStringLiteral("STOCK"), QStringLiteral("CANTIDAD|NOMBRE|CADUCIDAD"),
                               Cantidad(12) + QStringLiteral("|ANA|") + Caducidad(2025, 12, 28),
                               Cantidad(20) + QStringLiteral("|BEATRIZ|") + Caducidad(2026, 1, 15),
                               Cantidad(5) + QStringLiteral("|CARMEN|") + Caducidad(2027, 2, 1)}));
    }

    void imprimirMuestraLaVistaPrevia()
    {
        const auto rejilla = Rejilla();
        TListadoRejilla listado(*rejilla, Qt::AscendingOrder);
        listado.Imprimir(QStringLiteral("MEDICAMENTOS CREADOS MANUALMENTE"));
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        QCOMPARE(TFormPreview::abiertos().first()->informe().title(),
                 QStringLiteral("MEDICAMENTOS CREADOS MANUALMENTE"));
    }

    void listaVaciaNoSeImprime()
    {
        const auto rejilla = Rejilla();
        rejilla->setRowCount(0);
        TListadoRejilla listado(*rejilla, Qt::AscendingOrder);
        listado.Imprimir(QStringLiteral("VACIO"));
        QVERIFY(TFormPreview::abiertos().isEmpty());
    }

    void exportarEscribeTitulosYFilas()
    {
        MensajesGrabados mensajes;
        const auto rejilla = Rejilla();
        TListadoRejilla listado(*rejilla, Qt::DescendingOrder);
        ClickTitulo(*rejilla, 0);
        rejilla->setCurrentCell(1, 1);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("rejilla.xlsx"));
        QFile anterior(ruta);
        QVERIFY(anterior.open(QIODevice::WriteOnly));
        anterior.write("an older file of that name");
        anterior.close();

        QVERIFY(listado.Exportar(ruta));
        QVERIFY(mensajes.mensajes.isEmpty());
        QCOMPARE(LibroXlsx::Celdas(ruta),
                 (QList<QStringList> {
                         {QStringLiteral("NOMBRE"), QStringLiteral("CANTIDAD"), QStringLiteral("CADUCIDAD")},
                         {QStringLiteral("CARMEN"), Cantidad(5), Caducidad(2027, 2, 1)},
                         {QStringLiteral("BEATRIZ"), Cantidad(20), Caducidad(2026, 1, 15)},
                         {QStringLiteral("ANA"), Cantidad(12), Caducidad(2025, 12, 28)}}));
        QCOMPARE(LibroXlsx::Hoja(ruta), QStringLiteral("DbGridInformation"));
        QCOMPARE(rejilla->currentRow(), 1);
        QCOMPARE(rejilla->currentColumn(), 1);
    }

    void exportacionFallidaSeAvisa()
    {
        MensajesGrabados mensajes;
        const auto rejilla = Rejilla();
        TListadoRejilla listado(*rejilla, Qt::AscendingOrder);
        QTemporaryDir carpeta;
        QVERIFY(!listado.Exportar(carpeta.filePath(QStringLiteral("no/existe/rejilla.xlsx"))));
        QCOMPARE(mensajes.Textos(PresentadorMensajes::TTipo::Error).size(), 1);
    }

    void dialogoDeExportacion()
    {
        MensajesGrabados mensajes;
        const auto rejilla = Rejilla();
        TListadoRejilla listado(*rejilla, Qt::AscendingOrder);
        QTemporaryDir carpeta;
        QString titulo;
        CuandoSeAbra<QFileDialog>([&](QFileDialog &dialogo) {
            titulo = dialogo.windowTitle();
            dialogo.selectFile(carpeta.filePath(QStringLiteral("stock"))); // the extension is added
            static_cast<QDialog &>(dialogo).accept();
        });
        listado.ExportarConDialogo();
        QCOMPARE(titulo, QStringLiteral("Excel file name"));
        QVERIFY(mensajes.mensajes.isEmpty());
        QCOMPARE(LibroXlsx::Celdas(carpeta.filePath(QStringLiteral("stock.xlsx"))).value(0).value(0),
                 QStringLiteral("NOMBRE"));

        CuandoSeAbra<QFileDialog>([](QFileDialog &dialogo) { dialogo.reject(); });
        listado.ExportarConDialogo();
        QCOMPARE(mensajes.Textos(PresentadorMensajes::TTipo::Aviso),
                 QStringList {QStringLiteral("Save file was cancelled")});
    }
};

QTEST_MAIN(TestListadoRejilla)
#include "test_listado_rejilla.moc"
