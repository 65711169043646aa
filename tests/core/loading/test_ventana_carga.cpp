#include "core/loading/VentanaCarga.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<QDate>)

// The window the patient load screen proposes from its date fields and the patient's last load.
class TestVentanaCarga : public QObject
{
    Q_OBJECT

private slots:
    void propuesta_data()
    {
        QTest::addColumn<QString>("textoInicio");
        QTest::addColumn<QString>("textoFin");
        QTest::addColumn<std::optional<QDate>>("finUltima");
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fin");

        const QDate dia5(2024, 3, 5);
        const QDate dia20(2024, 3, 20);
        const std::optional<QDate> acabo10 = QDate(2024, 3, 10);
        const std::optional<QDate> sinCargas;
        QTest::newRow("last load ended the 10th, opened the 5th: the 11th to the 17th")
                << ""
                << "" << acabo10 << dia5 << "11/03/2024"
                << "17/03/2024";
        QTest::newRow("last load ended the 10th, opened the 20th: the 20th to the 26th")
                << ""
                << "" << acabo10 << dia20 << "20/03/2024"
                << "26/03/2024";
        QTest::newRow("no load yet: from today") << ""
                                                 << "" << sinCargas << dia5 << "05/03/2024"
                                                 << "11/03/2024";
        QTest::newRow("typed start is kept") << "08/03/2024"
                                             << "" << acabo10 << dia5 << "08/03/2024"
                                             << "14/03/2024";
        QTest::newRow("typed start in the past becomes today") << "01/03/2024"
                                                               << "" << sinCargas << dia5 << "05/03/2024"
                                                               << "11/03/2024";
        QTest::newRow("start that is not a date becomes today") << "30/02/2024"
                                                                << "" << acabo10 << dia5 << "05/03/2024"
                                                                << "11/03/2024";
        QTest::newRow("end nine days after the start goes back to start + 6")
                << "06/03/2024"
                << "15/03/2024" << sinCargas << dia5 << "06/03/2024"
                << "12/03/2024";
        QTest::newRow("end before the start goes to start + 6")
                << "06/03/2024"
                << "04/03/2024" << sinCargas << dia5 << "06/03/2024"
                << "12/03/2024";
        QTest::newRow("a five-day window is kept") << "06/03/2024"
                                                   << "10/03/2024" << sinCargas << dia5 << "06/03/2024"
                                                   << "10/03/2024";
        QTest::newRow("a one-day window is kept") << "06/03/2024"
                                                  << "06/03/2024" << sinCargas << dia5 << "06/03/2024"
                                                  << "06/03/2024";
        QTest::newRow("one-digit day and month are read") << "6/3/2024"
                                                          << "7/3/2024" << sinCargas << dia5 << "6/3/2024"
                                                          << "07/03/2024";
        QTest::newRow("end over the year's turn") << "29/12/2024"
                                                  << "" << sinCargas << dia5 << "29/12/2024"
                                                  << "04/01/2025";
    }
    void propuesta()
    {
        QFETCH(QString, textoInicio);
        QFETCH(QString, textoFin);
        QFETCH(std::optional<QDate>, finUltima);
        QFETCH(QDate, hoy);
        QFETCH(QString, inicio);
        QFETCH(QString, fin);
        const TVentanaCarga ventana = ProponerVentana(textoInicio, textoFin, finUltima, hoy);
        QCOMPARE(ventana.textoInicio, inicio);
        QCOMPARE(ventana.textoFin, fin);
        QCOMPARE(ventana.inicio, LeerFechaCampo(inicio));
        QCOMPARE(ventana.fin, LeerFechaCampo(fin));
        QVERIFY(ventana.fin >= ventana.inicio && ventana.fin <= ventana.inicio.addDays(6));
    }

    void finQueNoEsFechaSeQuedaParaLaComprobacion()
    {
        const TVentanaCarga ventana
                = ProponerVentana("06/03/2024", "mañana", std::nullopt, QDate(2024, 3, 5));
        QCOMPARE(ventana.inicio, QDate(2024, 3, 6));
        QVERIFY(!ventana.fin.isValid());
        QCOMPARE(ventana.textoFin, QString("mañana"));
    }
};

QTEST_GUILESS_MAIN(TestVentanaCarga)
#include "test_ventana_carga.moc"
