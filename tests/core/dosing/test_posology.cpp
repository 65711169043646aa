#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "support/TestAppDirectory.h"

#include <QTest>

namespace {

QString Bloque(const QStringList &lineas)
{
    QString bloque;
    for (const QString &linea : lineas)
        bloque += linea + QStringLiteral("\n\r");
    return bloque;
}

const QStringList kTomas = {QStringLiteral("  DESAYUNO "), QStringLiteral("    COMIDA "),
                            QStringLiteral("      CENA "), QStringLiteral("     NOCHE ")};

} // namespace

class TestPosology : public QObject
{
    Q_OBJECT

private slots:
    void textoPosologia_data();
    void textoPosologia();
    void tablaSemanal();
    void palabrasDelIdiomaActual();
    void palabraLargaSeCorta();
    void fechaLocal_data();
    void fechaLocal();
};

void TestPosology::textoPosologia_data()
{
    QTest::addColumn<QString>("dosis");
    QTest::addColumn<QString>("texto");

    QTest::newRow("every day") << "1-0-0,5-0:D:D:1"
                               << Bloque({kTomas[0] + "    1 ", kTomas[1] + "    0 ", kTomas[2] + "  0,5 ",
                                          kTomas[3] + "    0 ", "CADA  1 DIAS "});
    QTest::newRow("every 12 days") << "2-1-1-1,25:D:D:12"
                                   << Bloque({kTomas[0] + "    2 ", kTomas[1] + "    1 ",
                                              kTomas[2] + "    1 ", kTomas[3] + " 1,25 ", "CADA  12 DIAS "});
    QTest::newRow("old single digit")
            << "0-1-0-0:3"
            << Bloque({kTomas[0] + "    0 ", kTomas[1] + "    1 ", kTomas[2] + "    0 ", kTomas[3] + "    0 ",
                       "CADA  3 DIAS "});
    QTest::newRow("taking and rest") << "1-0-0-0:D:R:21:7"
                                     << Bloque({kTomas[0] + "    1 ", kTomas[1] + "    0 ",
                                                kTomas[2] + "    0 ", kTomas[3] + "    0 ",
                                                "POR CADA  21 DIAS TOMA  7 DIAS DESCANSO"});
    QTest::newRow("monthly day has an empty rule line")
            << "1-0-0-0:M:D:15:1"
            << Bloque({kTomas[0] + "    1 ", kTomas[1] + "    0 ", kTomas[2] + "    0 ", kTomas[3] + "    0 ",
                       ""});
    QTest::newRow("value wider than its column")
            << "100000-0-0-0:D:D:1"
            << Bloque({kTomas[0] + "100000 ", kTomas[1] + "    0 ", kTomas[2] + "    0 ",
                       kTomas[3] + "    0 ", "CADA  1 DIAS "});
    QTest::newRow("weekly rule") << "0-1-0-0:S:2:1010100"
                                 << "";
    QTest::newRow("monthly position") << "1-0-0-0:M:P:4:1:1"
                                      << "";
    QTest::newRow("not for the blister") << "0-0-0-0:0"
                                         << "";
    QTest::newRow("free text") << "UNO SI HAY DOLOR"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPosology::textoPosologia()
{
    QFETCH(QString, dosis);
    QTEST(TextoPosologia(dosis), "texto");
}

void TestPosology::tablaSemanal()
{
    QStringList celdas;
    for (int celda = 0; celda < 28; ++celda)
        celdas << (celda == 0 ? QStringLiteral("0,5") : QString::number(celda % 4 == 2 ? 1 : 0));
    const QString dosis = celdas.join(QLatin1Char('-')) + QStringLiteral(":T");
    const QString ceros = QStringLiteral("    0 ").repeated(7);
    QCOMPARE(TextoPosologia(dosis),
             Bloque({"             LUN   MAR   MIE   JUE   VIE   SAB   DOM ",
                     kTomas[0] + "  0,5 " + QStringLiteral("    0 ").repeated(6), kTomas[1] + ceros,
                     kTomas[2] + QStringLiteral("    1 ").repeated(7), kTomas[3] + ceros}));
}

void TestPosology::palabrasDelIdiomaActual()
{
    TestAppDirectory dir;
    TLenguaje lenguaje(dir.write(QStringLiteral("pastillero.lng"),
                                 "STR_CDESAYUNO=DESAYUNO|||BREAKFAST|\r\nSTR_CCENA=NOCHE|||NIGHT|\r\n"
                                 "STR_CADA=CADA |||EVERY |\r\nSTR_CDIAS=DIAS |||DAYS |\r\n"));
    lenguaje.SetIdioma(3);
    QCOMPARE(TextoPosologia(QStringLiteral("1-0-0-2:D:D:2")),
             Bloque({" BREAKFAST     1 ", kTomas[1] + "    0 ", kTomas[2] + "    0 ", "     NIGHT     2 ",
                     "EVERY  2 DAYS "}));
}

void TestPosology::palabraLargaSeCorta()
{
    TestAppDirectory dir;
    TLenguaje lenguaje(
            dir.write(QStringLiteral("pastillero.lng"), "STR_CCOMIDA=ALMUERZO DEL MEDIODIA||||||||\r\n"));
    QCOMPARE(TextoPosologia(QStringLiteral("0-1-0-0:1")).split(QStringLiteral("\n\r")).at(1),
             QStringLiteral("ALMUERZO DE     1 "));
}

void TestPosology::fechaLocal_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("fecha");
    QTest::newRow("far future") << "01/01/3000"
                                << "01/01/3000";
    QTest::newRow("default end") << "31/12/2500"
                                 << "31/12/2500";
    QTest::newRow("not a date") << "31/02/2026"
                                << "";
    QTest::newRow("garbage") << "mañana"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPosology::fechaLocal()
{
    QFETCH(QString, texto);
    QTEST(FechaLocal(texto), "fecha");
    QCOMPARE(TextoFecha(QDate(2026, 6, 1)), QStringLiteral("01/06/2026"));
}

QTEST_GUILESS_MAIN(TestPosology)
#include "test_posology.moc"
