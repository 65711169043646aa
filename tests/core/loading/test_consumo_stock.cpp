#include "core/loading/ConsumoStock.h"

#include <QTest>

using namespace ConsumoStock;

Q_DECLARE_METATYPE(QList<qint64>)

// The walk over a portion's stock rows, in hundredths.
class TestConsumoStock : public QObject
{
    Q_OBJECT

private slots:
    void walk_data()
    {
        QTest::addColumn<QList<qint64>>("filas");
        QTest::addColumn<qint64>("necesidad");
        QTest::addColumn<qint64>("porcion");
        QTest::addColumn<QList<qint64>>("tomado");
        QTest::addColumn<QList<qint64>>("restante");
        QTest::addColumn<qint64>("faltan");
        QTest::newRow("thirds: 5 pills give 4.95 usable")
                << QList<qint64> {500} << qint64(99) << qint64(33) << QList<qint64> {99}
                << QList<qint64> {401} << qint64(0);
        QTest::newRow("wholes keep the half")
                << QList<qint64> {550, 1000} << qint64(700) << qint64(100) << QList<qint64> {500, 200}
                << QList<qint64> {50, 800} << qint64(0);
        QTest::newRow("shortfall") << QList<qint64> {300, 40} << qint64(700) << qint64(100)
                                   << QList<qint64> {300, 0} << QList<qint64> {0, 40} << qint64(400);
        QTest::newRow("nothing needed takes nothing")
                << QList<qint64> {300} << qint64(0) << qint64(100) << QList<qint64> {0} << QList<qint64> {300}
                << qint64(0);
        QTest::newRow("a negative row gives nothing")
                << QList<qint64> {-200, 500} << qint64(300) << qint64(100) << QList<qint64> {0, 300}
                << QList<qint64> {-200, 200} << qint64(0);
    }
    void walk()
    {
        QFETCH(QList<qint64>, filas);
        QFETCH(qint64, necesidad);
        QFETCH(qint64, porcion);
        QFETCH(QList<qint64>, tomado);
        QFETCH(QList<qint64>, restante);
        QFETCH(qint64, faltan);
        const Resultado resultado = Consumir(filas, necesidad, porcion, true);
        QList<qint64> tomados;
        QList<qint64> restantes;
        for (const Paso &paso : resultado.pasos) {
            tomados << paso.tomado;
            restantes << paso.restante;
        }
        QCOMPARE(tomados, tomado);
        QCOMPARE(restantes, restante);
        QCOMPARE(resultado.faltan, faltan);
    }

    void rowsLeftBelowAQuarterGoOnlyForTheBlister_data()
    {
        QTest::addColumn<qint64>("fila");
        QTest::addColumn<bool>("enBlister");
        QTest::addColumn<int>("cambio");
        QTest::newRow("blister") << qint64(20) << true << int(Cambio::Borrar);
        QTest::newRow("blister, just below a quarter") << qint64(24) << true << int(Cambio::Borrar);
        QTest::newRow("blister, exactly a quarter is kept") << qint64(25) << true << int(Cambio::Ninguno);
        QTest::newRow("outside the blister") << qint64(20) << false << int(Cambio::Ninguno);
    }
    void rowsLeftBelowAQuarterGoOnlyForTheBlister()
    {
        QFETCH(qint64, fila);
        QFETCH(bool, enBlister);
        QFETCH(int, cambio);
        const Resultado resultado = Consumir({fila}, 0, 100, enBlister);
        QCOMPARE(int(resultado.pasos.at(0).cambio), cambio);
    }

    void aNegativeRowIsNeverRemoved()
    {
        QCOMPARE(Consumir({-50}, 100, 100, true).pasos.at(0).cambio, Cambio::Ninguno);
    }

    void aRowThatGaveIsUpdated()
    {
        const Resultado resultado = Consumir({1000}, 300, 100, true);
        QCOMPARE(resultado.pasos.at(0).cambio, Cambio::Actualizar);
    }
};

QTEST_GUILESS_MAIN(TestConsumoStock)
#include "test_consumo_stock.moc"
