#include "support/LibroXlsx.h"
#include "ui/data/ExportarRejilla.h"

#include <QDir>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using Celdas = QList<QStringList>;

enum Columna { kCN, kNombre, kPVP, kCaducidad, kId };

// A medications grid in Spanish: code, name, price and expiry held as values (the grid writes
// them in the locale's form), and a hidden row identifier; shown through a sorting proxy.
struct Rejilla
{
    QStandardItemModel modelo {0, 5};
    QSortFilterProxyModel orden;
    QTableView vista;

    explicit Rejilla(const QStringList &titulos)
    {
        modelo.setHorizontalHeaderLabels(titulos);
        Fila(712345, QStringLiteral("BETA 1G"), 2.5, QDate(2027, 2, 1), QStringLiteral("id-1"));
        Fila(654321, QStringLiteral("ALFA 1G"), 10.0, QDate(2026, 1, 15), QStringLiteral("id-2"));
        Fila(700001, QStringLiteral("GAMMA"), 0.75, QDate(2025, 12, 28), QStringLiteral("id-3"));
        orden.setSourceModel(&modelo);
        vista.setLocale(QLocale(QLocale::Spanish, QLocale::Spain));
        vista.setModel(&orden);
        vista.setColumnHidden(kId, true);
        vista.show();
    }

    void Fila(int cn, const QString &nombre, double pvp, QDate caducidad, const QString &id)
    {
        QList<QStandardItem *> celdas;
        for (const QVariant &valor : QVariantList {cn, nombre, pvp, caducidad, id}) {
            auto *celda = new QStandardItem;
            celda->setData(valor, Qt::DisplayRole);
            celdas << celda;
        }
        modelo.appendRow(celdas);
    }
};

// A value as the grid shows it in Spanish; whole numbers are written out below as the grid draws
// them, without thousands separators.
QString Visto(const QVariant &valor)
{
    return QStyledItemDelegate().displayText(valor, QLocale(QLocale::Spanish, QLocale::Spain));
}

const QStringList kTitulos {QStringLiteral("CN"), QStringLiteral("NOMBRE"), QStringLiteral("PVP"),
                            QStringLiteral("CADUCIDAD"), QStringLiteral("ID")};

QStringList Beta()
{
    return {QStringLiteral("712345"), QStringLiteral("BETA 1G"), Visto(2.5), Visto(QDate(2027, 2, 1))};
}
QStringList Alfa()
{
    return {QStringLiteral("654321"), QStringLiteral("ALFA 1G"), Visto(10.0), Visto(QDate(2026, 1, 15))};
}
QStringList Gamma()
{
    return {QStringLiteral("700001"), QStringLiteral("GAMMA"), Visto(0.75), Visto(QDate(2025, 12, 28))};
}

// The same cells with the columns in another order.
QStringList Columnas(const QStringList &fila, const QList<int> &columnas)
{
    QStringList elegidas;
    for (const int columna : columnas)
        elegidas << fila.at(columna);
    return elegidas;
}

QStringList Contenido(const QDir &carpeta)
{
    return carpeta.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestExportarRejilla : public QObject
{
    Q_OBJECT

private slots:
    void exportaLoQueSeVe_data()
    {
        QTest::addColumn<QStringList>("titulos");
        QTest::addColumn<int>("ordenarPor"); // -1: in the order loaded
        QTest::addColumn<QList<int>>("ocultas"); // besides the identifier
        QTest::addColumn<int>("movidaAlPrincipio"); // -1: none
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<Celdas>("esperadas");
        const QStringList cuatro = kTitulos.mid(0, 4);

        QTest::newRow("as loaded, identifier hidden") << kTitulos << -1 << QList<int> {} << -1 << QString()
                                                      << Celdas {cuatro, Beta(), Alfa(), Gamma()};
        QTest::newRow("sorted by price, numbers as shown")
                << kTitulos << int(kPVP) << QList<int> {} << -1 << QString()
                << Celdas {cuatro, Gamma(), Beta(), Alfa()};
        QTest::newRow("sorted by expiry") << kTitulos << int(kCaducidad) << QList<int> {} << -1 << QString()
                                          << Celdas {cuatro, Gamma(), Alfa(), Beta()};
        const QList<int> movidas {kCaducidad, kCN, kNombre};
        QTest::newRow("price hidden, expiry moved first")
                << kTitulos << int(kNombre) << QList<int> {kPVP} << int(kCaducidad) << QString()
                << Celdas {Columnas(kTitulos, movidas), Columnas(Alfa(), movidas), Columnas(Beta(), movidas),
                           Columnas(Gamma(), movidas)};
        QTest::newRow("filtered rows only") << kTitulos << -1 << QList<int> {} << -1 << QStringLiteral("1G")
                                            << Celdas {cuatro, Beta(), Alfa()};
        QTest::newRow("no rows: the titles only")
                << kTitulos << -1 << QList<int> {} << -1 << QStringLiteral("NINGUNO") << Celdas {cuatro};
        // Both columns are written even when their titles are alike.
        QStringList repetidos = kTitulos;
        repetidos[kPVP] = QStringLiteral("NOMBRE");
        QTest::newRow("two columns with one title") << repetidos << -1 << QList<int> {} << -1 << QString()
                                                    << Celdas {repetidos.mid(0, 4), Beta(), Alfa(), Gamma()};
    }
    void exportaLoQueSeVe()
    {
        QFETCH(QStringList, titulos);
        QFETCH(int, ordenarPor);
        QFETCH(QList<int>, ocultas);
        QFETCH(int, movidaAlPrincipio);
        QFETCH(QString, filtro);
        QFETCH(Celdas, esperadas);
        Rejilla rejilla(titulos);
        if (ordenarPor >= 0)
            rejilla.orden.sort(ordenarPor);
        for (const int columna : ocultas)
            rejilla.vista.setColumnHidden(columna, true);
        if (movidaAlPrincipio >= 0)
            rejilla.vista.horizontalHeader()->moveSection(movidaAlPrincipio, 0);
        rejilla.orden.setFilterKeyColumn(kNombre);
        rejilla.orden.setFilterFixedString(filtro);
        const QModelIndex actual = rejilla.orden.index(qMin(1, rejilla.orden.rowCount() - 1), kNombre);
        rejilla.vista.setCurrentIndex(actual);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("rejilla.xlsx"));

        const ReportIoResult resultado
                = ExportarRejilla(rejilla.vista, ruta, QStringLiteral("DbGridInformation"));

        QVERIFY2(resultado.ok(), qPrintable(resultado.error));
        QCOMPARE(LibroXlsx::Celdas(ruta), esperadas);
        QCOMPARE(rejilla.vista.currentIndex(), actual); // the grid stays where the user was
        QCOMPARE(Contenido(QDir(carpeta.path())), QStringList {QStringLiteral("rejilla.xlsx")});
    }

    void rutaNoEscribibleNoDejaArchivo_data()
    {
        QTest::addColumn<QString>("destino"); // inside the temporary folder
        QTest::addColumn<QString>("archivoPrevio"); // a plain file made first; empty: none
        QTest::addColumn<QString>("carpetaPrevia"); // a folder made first; empty: none
        QTest::newRow("missing folder") << QStringLiteral("no/existe/rejilla.xlsx") << QString() << QString();
        QTest::newRow("a file where the folder should be")
                << QStringLiteral("archivo/rejilla.xlsx") << QStringLiteral("archivo") << QString();
        QTest::newRow("a folder of that name")
                << QStringLiteral("rejilla.xlsx") << QString() << QStringLiteral("rejilla.xlsx");
    }
    void rutaNoEscribibleNoDejaArchivo()
    {
        QFETCH(QString, destino);
        QFETCH(QString, archivoPrevio);
        QFETCH(QString, carpetaPrevia);
        QTemporaryDir carpeta;
        QDir dir(carpeta.path());
        if (!archivoPrevio.isEmpty()) {
            QFile archivo(dir.filePath(archivoPrevio));
            QVERIFY(archivo.open(QIODevice::WriteOnly));
        }
        if (!carpetaPrevia.isEmpty())
            QVERIFY(dir.mkdir(carpetaPrevia));
        const QStringList antes = Contenido(dir);
        Rejilla rejilla(kTitulos);
        const QString ruta = dir.filePath(destino);

        const ReportIoResult resultado
                = ExportarRejilla(rejilla.vista, ruta, QStringLiteral("DbGridInformation"));

        QVERIFY(!resultado.ok());
        QVERIFY2(resultado.error.startsWith(QStringLiteral("NO SE HA PODIDO GUARDAR EL ARCHIVO: ") + ruta),
                 qPrintable(resultado.error));
        QCOMPARE(Contenido(dir), antes); // nothing half-written left behind
        if (!carpetaPrevia.isEmpty())
            QVERIFY(Contenido(QDir(dir.filePath(carpetaPrevia))).isEmpty());
    }
};

QTEST_MAIN(TestExportarRejilla)
#include "test_exportar_rejilla.moc"
