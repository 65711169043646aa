#include "core/medication/uEAN.h"

#include <QTest>

class TestEAN : public QObject
{
    Q_OBJECT

private slots:
    void checkDigit_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("corregido");
        QTest::addColumn<bool>("correcto");
        QTest::newRow("EAN-13 ending in 1") << "4006381333931"
                                            << "4006381333931" << true;
        QTest::newRow("EAN-13 corrected") << "4006381333930"
                                          << "4006381333931" << false;
        QTest::newRow("EAN-13 of nines") << "9999999999990"
                                         << "9999999999994" << false;
        QTest::newRow("national code") << "8470006507520"
                                       << "8470006507520" << true;
        QTest::newRow("EAN-8 of nines") << "99999995"
                                        << "99999995" << true;
        QTest::newRow("EAN-8 corrected") << "99999990"
                                         << "99999995" << false;
        QTest::newRow("12 digits") << "999999999999"
                                   << "999999999999" << false;
        QTest::newRow("letters") << "40063813339A1"
                                 << "40063813339A1" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
    }
    void checkDigit()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, corregido);
        QFETCH(bool, correcto);
        QCOMPARE(DigitoControlEAN(codigo), correcto);
        QCOMPARE(codigo, corregido);
    }

    void scannedCodes_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("pais");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("Spain cuts a scan") << "8470001234568"
                                           << "0"
                                           << "1234568";
        QTest::newRow("unset country cuts") << "8470001234568"
                                            << ""
                                            << "1234568";
        QTest::newRow("Portugal cuts") << "8470001234568"
                                       << "1"
                                       << "1234568";
        QTest::newRow("France keeps the last 8") << "3400912345678"
                                                 << "2"
                                                 << "12345678";
        QTest::newRow("Italy keeps the last 8") << "8012345678901"
                                                << "4"
                                                << "45678901";
        QTest::newRow("eight stay in France") << "12345678"
                                              << "2"
                                              << "12345678";
        QTest::newRow("United Kingdom keeps it") << "8470001234568"
                                                 << "3"
                                                 << "8470001234568";
        QTest::newRow("seven stay") << "1234568"
                                    << "0"
                                    << "1234568";
        QTest::newRow("short stays") << "650"
                                     << "0"
                                     << "650";
    }
    void scannedCodes()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, pais);
        QFETCH(QString, guardado);
        QCOMPARE(CortarCodigoEscaneado(codigo, pais), guardado);
    }
};

QTEST_GUILESS_MAIN(TestEAN)
#include "test_ean.moc"
