// What each cell of the manual blister says to place, for every portion size, on both cards.
#include "core/dosing/UDispenserTypes.h"
#include "core/loading/CeldasBlisterManual.h"

#include <QTest>

Q_DECLARE_METATYPE(TFormaBlister)

class TestCeldasBlisterManual : public QObject
{
    Q_OBJECT

private slots:
    void textoDeUnaCelda_data()
    {
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<double>("porcion");
        QTest::addColumn<QString>("cuadrada");
        QTest::addColumn<QString>("redonda");
        const struct
        {
            const char *nombre;
            double porcion;
            const char *fraccion;
        } porciones[] = {{"quarter", kPorcionCuarto, "1/4"},
                         {"half", kPorcionMedia, "1/2"},
                         {"third", kPorcionTercio, "1/3"},
                         {"two thirds", 0.66, "2/3"}};
        for (const auto &p : porciones) {
            const QString fraccion = QString::fromLatin1(p.fraccion);
            QTest::addRow("%s, none", p.nombre) << "0" << p.porcion << ""
                                                << "";
            QTest::addRow("%s, one", p.nombre) << "1" << p.porcion << fraccion << fraccion;
            QTest::addRow("%s, two", p.nombre) << "2" << p.porcion << "2 ( " + fraccion + " )"
                                               << "2(" + fraccion + ")";
            QTest::addRow("%s, three", p.nombre) << "3" << p.porcion << "3 ( " + fraccion + " )"
                                                 << "3(" + fraccion + ")";
        }
        QTest::newRow("whole, none") << "0" << kPorcionEntera << ""
                                     << "";
        QTest::newRow("whole, one") << "1" << kPorcionEntera << "1"
                                    << "1";
        QTest::newRow("whole, two") << "2" << kPorcionEntera << "2"
                                    << "2";
        QTest::newRow("whole, ten") << "10" << kPorcionEntera << "10"
                                    << "10";
        QTest::newRow("a size with no sign shows the count") << "2" << 0.75 << "2"
                                                             << "2";
        QTest::newRow("nearly a third is not a third") << "2" << 1.0 / 3.0 << "2"
                                                       << "2";
        QTest::newRow("a missing count") << "" << kPorcionMedia << ""
                                         << "";
    }
    void textoDeUnaCelda()
    {
        QFETCH(QString, cuenta);
        QFETCH(double, porcion);
        QFETCH(QString, cuadrada);
        QFETCH(QString, redonda);
        QCOMPARE(TextoCeldaManual(cuenta, porcion, TFormaBlister::Cuadrada), cuadrada);
        QCOMPARE(TextoCeldaManual(cuenta, porcion, TFormaBlister::Redonda), redonda);
    }

    void lasVeintiochoCeldas()
    {
        // Monday breakfast 2 halves, Sunday night 1, a short list leaves the rest empty.
        const QStringList textos
                = TextosCeldasManual(QStringLiteral("2;0;0;0;1"), kPorcionMedia, TFormaBlister::Cuadrada);
        QCOMPARE(textos.size(), kCeldasSemana);
        QCOMPARE(textos.at(0), QStringLiteral("2 ( 1/2 )"));
        QCOMPARE(textos.at(4), QStringLiteral("1/2"));
        QCOMPARE(textos.mid(5), QStringList(kCeldasSemana - 5));
        const QStringList llenas = TextosCeldasManual(QString("1;").repeated(27) + "3", kPorcionEntera,
                                                      TFormaBlister::Redonda);
        QCOMPARE(llenas.at(26), QStringLiteral("1"));
        QCOMPARE(llenas.at(27), QStringLiteral("3"));
    }

    void formaDeLaPreferencia_data()
    {
        QTest::addColumn<int>("tipoBlister");
        QTest::addColumn<TFormaBlister>("forma");
        QTest::newRow("1 square") << 1 << TFormaBlister::Cuadrada;
        QTest::newRow("0 round") << 0 << TFormaBlister::Redonda;
        QTest::newRow("2 round") << 2 << TFormaBlister::Redonda;
    }
    void formaDeLaPreferencia()
    {
        QFETCH(int, tipoBlister);
        QFETCH(TFormaBlister, forma);
        QCOMPARE(FormaBlister(tipoBlister), forma);
    }
};

QTEST_APPLESS_MAIN(TestCeldasBlisterManual)
#include "test_celdas_blister_manual.moc"
