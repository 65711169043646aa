#include "core/dispenser/ComprobacionAmbiente.h"

#include <QtTest>

class TestComprobacionAmbiente : public QObject
{
    Q_OBJECT

private slots:
    void limites_data()
    {
        QTest::addColumn<int>("humedad");
        QTest::addColumn<int>("temperatura");
        QTest::addColumn<QString>("mensaje");
        // Limits 20-60 % and 15-30 degrees, corrections -2 % and +1 degree.
        QTest::newRow("inside") << 41 << 23 << "";
        QTest::newRow("humidity at maximum") << 62 << 23 << "";
        QTest::newRow("humidity above maximum")
                << 63 << 23 << "LA HUMEDAD 61 ES SUPERIOR A LA HUMEDAD MÁXIMA PERMITIDA";
        QTest::newRow("humidity at minimum") << 22 << 23 << "";
        QTest::newRow("humidity below minimum")
                << 21 << 23 << "LA HUMEDAD 19 ES INFERIOR A LA HUMEDAD MÍNIMA PERMITIDA";
        QTest::newRow("temperature at maximum") << 41 << 29 << "";
        QTest::newRow("temperature above maximum")
                << 41 << 30 << "LA TEMPERATURA 31 ES SUPERIOR A LA TEMPERATURA MÁXIMA PERMITIDA";
        QTest::newRow("temperature at minimum") << 41 << 14 << "";
        QTest::newRow("temperature below minimum")
                << 41 << 13 << "TEMPERATURA 14 ES INFERIOR A LA TEMPERATURA MÍNIMA PERMITIDA";
        QTest::newRow("humidity decides first")
                << 90 << 90 << "LA HUMEDAD 88 ES SUPERIOR A LA HUMEDAD MÁXIMA PERMITIDA";
        QTest::newRow("negative reading")
                << -5 << 23 << "LA HUMEDAD -7 ES INFERIOR A LA HUMEDAD MÍNIMA PERMITIDA";
        QTest::newRow("reading near the integer limit does not wrap")
                << std::numeric_limits<qint32>::max() << 23
                << "LA HUMEDAD 2147483645 ES SUPERIOR A LA HUMEDAD MÁXIMA PERMITIDA";
    }
    void limites()
    {
        QFETCH(int, humedad);
        QFETCH(int, temperatura);
        QFETCH(QString, mensaje);
        const TLimitesAmbiente limites {-2, 1, 20, 60, 15, 30};
        const TResultadoAmbiente resultado = EvaluarAmbiente(humedad, temperatura, limites);
        QCOMPARE(resultado.mensaje, mensaje);
        QCOMPARE(resultado.fallo, !mensaje.isEmpty());
        QCOMPARE(resultado.humedad, qint64(humedad) - 2);
        QCOMPARE(resultado.temperatura, qint64(temperatura) + 1);
    }

    void lecturaImposible()
    {
        const TResultadoAmbiente resultado = AmbienteNoLeido();
        QVERIFY(resultado.fallo);
        QCOMPARE(resultado.mensaje, QString("NO SE HAN PODIDO LEER LOS VALORES DE HUMEDAD Y TEMPERATURA"));
    }
};

QTEST_GUILESS_MAIN(TestComprobacionAmbiente)
#include "test_comprobacion_ambiente.moc"
