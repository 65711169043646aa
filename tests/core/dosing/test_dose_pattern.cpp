#include "core/common/Clock.h"
#include "core/dosing/UDispenserTypes.h"

#include <QTest>

namespace {

QDate F(const char *iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

// 28 cells as the grid text: the day text on the weekdays flagged "1" (Monday first), zeros
// on the others.
QString Rejilla(const QString &mascara, const QString &textoDia)
{
    QString rejilla;
    for (const QChar dia : mascara)
        rejilla += dia == QLatin1Char('1') ? textoDia : QStringLiteral("0;0;0;0;");
    return rejilla;
}

QString Ceros()
{
    return QStringLiteral("0;").repeated(28);
}

// A weekly table whose cells hold (index mod 3), and the grid it gives on the flagged days.
QList<int> Tabla()
{
    QList<int> tabla;
    for (int celda = 0; celda < 28; ++celda)
        tabla << celda % 3;
    return tabla;
}

QString TextoTabla(const QList<int> &tabla)
{
    QStringList valores;
    for (const int valor : tabla)
        valores << QString::number(valor);
    return valores.join(QLatin1Char('-'));
}

QPair<QString, int> TablaEnDias(const QString &mascara)
{
    const QList<int> tabla = Tabla();
    QString rejilla;
    int cuenta = 0;
    for (int celda = 0; celda < 28; ++celda) {
        const int valor = mascara.at(celda / 4) == QLatin1Char('1') ? tabla.at(celda) : 0;
        rejilla += QString::number(valor) + QLatin1Char(';');
        cuenta += valor;
    }
    return {rejilla, cuenta};
}

// The day walks of the rule text, step by step, to hold the closed forms against.
bool RecorridoCadaNDias(const QDate &inicio, const QDate &tope, const QDate &fecha, int n)
{
    for (QDate paso = inicio; paso <= tope; paso = paso.addDays(n))
        if (paso == fecha)
            return true;
    return false;
}

bool RecorridoTomaDescanso(const QDate &inicio, const QDate &tope, const QDate &fecha, int toma, int descanso)
{
    bool tomando = true;
    int quedan = toma;
    for (QDate dia = inicio; dia <= tope; dia = dia.addDays(1)) {
        if (dia == fecha)
            return tomando;
        if (--quedan == 0 && descanso != 0) {
            tomando = !tomando;
            quedan = tomando ? toma : descanso;
        }
    }
    return false;
}

} // namespace

class TestDosePattern : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::fix(QDateTime(F("2026-05-20"), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    void cortarHasta_data();
    void cortarHasta();
    void dividirPauta_data();
    void dividirPauta();
    void dividirTabla();
    void sumaLista_data();
    void sumaLista();
    void esArrayVacio();

    void expandirPauta_data();
    void expandirPauta();
    void expandirPautaMalformada_data();
    void expandirPautaMalformada();
    void dosisLegible_data();
    void dosisLegible();
    void sinFinTerminaTresMilDiasDespuesDeHoy_data();
    void sinFinTerminaTresMilDiasDespuesDeHoy();
    void tomaEnFechaFueraDeVentanaOTratamiento_data();
    void tomaEnFechaFueraDeVentanaOTratamiento();
    void reglasDeDiasIgualQueElRecorrido();

    void expandirTabla_data();
    void expandirTabla();
};

void TestDosePattern::cortarHasta_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("separador");
    QTest::addColumn<QString>("cortado");
    QTest::addColumn<QString>("resto");
    QTest::newRow("first of several") << "1-0-0-0:D:D:1"
                                      << "-"
                                      << "1"
                                      << "0-0-0:D:D:1";
    QTest::newRow("up to the rule") << "0-0:D:D:1"
                                    << ":"
                                    << "0-0"
                                    << "D:D:1";
    QTest::newRow("no separator takes all") << "D"
                                            << ":"
                                            << "D"
                                            << "";
    QTest::newRow("separator first") << ":T"
                                     << ":"
                                     << ""
                                     << "T";
    QTest::newRow("separator last") << "5;"
                                    << ";"
                                    << "5"
                                    << "";
    QTest::newRow("empty text") << ""
                                << ";"
                                << ""
                                << "";
}

void TestDosePattern::cortarHasta()
{
    QFETCH(QString, texto);
    QFETCH(QString, separador);
    QFETCH(QString, cortado);
    QFETCH(QString, resto);
    QCOMPARE(CortarHasta(texto, separador), cortado);
    QCOMPARE(texto, resto);
}

void TestDosePattern::dividirPauta_data()
{
    QTest::addColumn<QString>("valores");
    QTest::addColumn<QString>("enteros");
    QTest::addColumn<QString>("medios");
    QTest::addColumn<QString>("cuartos");
    QTest::addColumn<QString>("tercios");
    QTest::newRow("every size") << "1,75-0-2-0,33"
                                << "1-0-2-0"
                                << "1-0-0-0"
                                << "1-0-0-0"
                                << "0-0-0-1";
    QTest::newRow("three quarters") << "0,75-0-0-0"
                                    << "0-0-0-0"
                                    << "1-0-0-0"
                                    << "1-0-0-0"
                                    << "0-0-0-0";
    QTest::newRow("two thirds and a quarter") << "0,66-1,25-0,5-2"
                                              << "0-1-0-2"
                                              << "0-0-1-0"
                                              << "0-1-0-0"
                                              << "2-0-0-0";
    QTest::newRow("fifty is no code here") << "1,50-0-0-0"
                                           << "1-0-0-0"
                                           << "0-0-0-0"
                                           << "0-0-0-0"
                                           << "0-0-0-0";
    QTest::newRow("zero code") << "3,0-0-0-1"
                               << "3-0-0-1"
                               << "0-0-0-0"
                               << "0-0-0-0"
                               << "0-0-0-0";
    QTest::newRow("unknown code ignored") << "1,7-0,1-0-0"
                                          << "1-0-0-0"
                                          << "0-0-0-0"
                                          << "0-0-0-0"
                                          << "0-0-0-0";
    QTest::newRow("free text is one whole value") << "UNO SI DOLOR"
                                                  << "UNO SI DOLOR---"
                                                  << "0-0-0-0"
                                                  << "0-0-0-0"
                                                  << "0-0-0-0";
    QTest::newRow("fifth value stays with the fourth") << "1-0-0-1-1,5"
                                                       << "1-0-0-1-1"
                                                       << "0-0-0-1"
                                                       << "0-0-0-0"
                                                       << "0-0-0-0";
    QTest::newRow("empty dose kept as written") << " - - - "
                                                << " - - - "
                                                << "0-0-0-0"
                                                << "0-0-0-0"
                                                << "0-0-0-0";
}

void TestDosePattern::dividirPauta()
{
    QFETCH(QString, valores);
    const TListasPorcion listas = DividirPauta(valores);
    QTEST(listas.Enteros, "enteros");
    QTEST(listas.Medios, "medios");
    QTEST(listas.Cuartos, "cuartos");
    QTEST(listas.Tercios, "tercios");
}

void TestDosePattern::dividirTabla()
{
    const TListasPorcion listas = DividirTabla(QStringLiteral("1,50-0,5-0,25-2,66-0,75"));
    QCOMPARE(listas.Enteros, QStringLiteral("1-0-0-2-0"));
    QCOMPARE(listas.Medios, QStringLiteral("1-1-0-0-1"));
    QCOMPARE(listas.Cuartos, QStringLiteral("0-0-1-0-1"));
    QCOMPARE(listas.Tercios, QStringLiteral("0-0-0-2-0"));
}

void TestDosePattern::sumaLista_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<int>("suma");
    QTest::newRow("counts") << "1-2-3" << 6;
    QTest::newRow("final separator") << "1-0-1-0-" << 2;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("not a number counts nothing") << "a-2- 3-1,5" << 2;
    QTest::newRow("separators only") << "---" << 0;
    QTest::newRow("huge item is not a count") << "99999999999999999999-1" << 1;
}

void TestDosePattern::sumaLista()
{
    QFETCH(QString, lista);
    QTEST(SumaLista(lista), "suma");
}

void TestDosePattern::esArrayVacio()
{
    QVERIFY(EsArrayVacio({}));
    QVERIFY(EsArrayVacio(TArrayPastillas(28, 0)));
    TArrayPastillas cuentas(28, 0);
    cuentas[27] = -1;
    QVERIFY(!EsArrayVacio(cuentas));
}

// Dates: June 2026 begins on a Monday and has five Mondays (1, 8, 15, 22, 29); February 2026
// has four (2, 9, 16, 23).
void TestDosePattern::expandirPauta_data()
{
    QTest::addColumn<QString>("dosis");
    QTest::addColumn<QDate>("inicio");
    QTest::addColumn<QDate>("fin");
    QTest::addColumn<QDate>("desde");
    QTest::addColumn<QDate>("hasta");
    QTest::addColumn<QString>("dias"); // Monday to Sunday
    QTest::addColumn<QString>("textoDia");
    QTest::addColumn<int>("cuenta");

    const QDate sinFin;
    const QDate lunes = F("2026-06-01");
    const QDate domingo = F("2026-06-07");
    const QString uno = QStringLiteral("1;0;0;0;");
    const QString comida = QStringLiteral("0;1;0;0;");

    QTest::newRow("D:D:1 every day") << "1-0-0-0:D:D:1" << lunes << sinFin << lunes << domingo << "1111111"
                                     << uno << 7;
    QTest::newRow("D:D:2 from Monday")
            << "1-0-0-0:D:D:2" << lunes << sinFin << lunes << domingo << "1010101" << uno << 4;
    QTest::newRow("D:D:3 from the Saturday before")
            << "1-0-0-0:D:D:3" << F("2026-05-30") << sinFin << lunes << domingo << "0100100" << uno << 2;
    QTest::newRow("D:D:7 from a Wednesday long ago")
            << "0-0-1-0:D:D:7" << F("2025-01-01") << sinFin << lunes << domingo << "0010000"
            << "0;0;1;0;" << 1;
    QTest::newRow("several values") << "2-1-0-3:D:D:1" << lunes << sinFin << lunes << domingo << "1111111"
                                    << "2;1;0;3;" << 42;
    QTest::newRow("D:R:2:1 from Monday")
            << "1-0-0-0:D:R:2:1" << lunes << sinFin << lunes << domingo << "1101101" << uno << 5;
    QTest::newRow("D:R:2:0 every day")
            << "1-0-0-0:D:R:2:0" << lunes << sinFin << lunes << domingo << "1111111" << uno << 7;
    QTest::newRow("D:R:1:1 from Sunday")
            << "1-0-0-0:D:R:1:1" << F("2026-05-31") << sinFin << lunes << domingo << "0101010" << uno << 3;
    QTest::newRow("D:R:3:4 across weeks")
            << "1-0-0-0:D:R:3:4" << F("2026-05-25") << sinFin << lunes << domingo << "1110000" << uno << 3;
    QTest::newRow("old form 2") << "1-0-0-0:2" << lunes << sinFin << lunes << domingo << "1010101" << uno
                                << 4;
    QTest::newRow("old form 7") << "1-0-0-0:7" << lunes << sinFin << lunes << domingo << "1000000" << uno
                                << 1;
    QTest::newRow("old form 1 with a fraction list")
            << "0-0-1-0:1" << lunes << sinFin << lunes << domingo << "1111111"
            << "0;0;1;0;" << 7;

    const QDate miercoles = F("2026-06-03");
    QTest::newRow("S:2 Monday 5 days after a Wednesday start")
            << "0-1-0-0:S:2:1000000" << miercoles << sinFin << F("2026-06-08") << F("2026-06-14") << "1000000"
            << comida << 1;
    QTest::newRow("S:2 Monday 12 days after is not")
            << "0-1-0-0:S:2:1000000" << miercoles << sinFin << F("2026-06-15") << F("2026-06-21") << "0000000"
            << comida << 0;
    QTest::newRow("S:2 Monday 19 days after")
            << "0-1-0-0:S:2:1000000" << miercoles << sinFin << F("2026-06-22") << F("2026-06-28") << "1000000"
            << comida << 1;
    QTest::newRow("S:1 Monday Wednesday Friday")
            << "0-1-0-0:S:1:1010100" << lunes << sinFin << lunes << domingo << "1010100" << comida << 3;
    QTest::newRow("S:2 off week") << "0-1-0-0:S:2:1111111" << lunes << sinFin << F("2026-06-08")
                                  << F("2026-06-14") << "0000000" << comida << 0;
    QTest::newRow("S:2 on week") << "0-1-0-0:S:2:1111111" << lunes << sinFin << F("2026-06-15")
                                 << F("2026-06-21") << "1111111" << comida << 7;
    QTest::newRow("S:3 blocks from a Thursday start") << "0-1-0-0:S:3:1111111" << F("2026-05-14") << sinFin
                                                      << lunes << domingo << "0001111" << comida << 4;

    QTest::newRow("M:D:15 on a Monday") << "1-0-0-0:M:D:15:1" << F("2026-01-20") << sinFin << F("2026-06-15")
                                        << F("2026-06-21") << "1000000" << uno << 1;
    QTest::newRow("M:D:31 never in a 30-day month")
            << "1-0-0-0:M:D:31:1" << F("2026-01-01") << sinFin << F("2026-06-25") << F("2026-07-01")
            << "0000000" << uno << 0;
    QTest::newRow("M:D:31 in a 31-day month") << "1-0-0-0:M:D:31:1" << F("2026-01-01") << sinFin
                                              << F("2026-07-27") << F("2026-08-02") << "0000100" << uno << 1;
    QTest::newRow("M:D:1:2 odd month after start")
            << "1-0-0-0:M:D:1:2" << F("2026-01-10") << sinFin << lunes << domingo << "0000000" << uno << 0;
    QTest::newRow("M:D:1:2 even month after start")
            << "1-0-0-0:M:D:1:2" << F("2026-02-10") << sinFin << lunes << domingo << "1000000" << uno << 1;

    const QDate enero = F("2026-01-01");
    QTest::newRow("M:P first Monday")
            << "1-0-0-0:M:P:1:1:1" << enero << sinFin << lunes << domingo << "1000000" << uno << 1;
    QTest::newRow("M:P second Wednesday") << "1-0-0-0:M:P:2:3:1" << enero << sinFin << F("2026-06-08")
                                          << F("2026-06-14") << "0010000" << uno << 1;
    QTest::newRow("M:P third Friday") << "1-0-0-0:M:P:3:5:1" << enero << sinFin << F("2026-06-15")
                                      << F("2026-06-21") << "0000100" << uno << 1;
    QTest::newRow("M:P fourth Monday of a five-Monday month")
            << "1-0-0-0:M:P:4:1:1" << enero << sinFin << F("2026-06-22") << F("2026-06-28") << "1000000"
            << uno << 1;
    QTest::newRow("M:P fourth is not the fifth Monday")
            << "1-0-0-0:M:P:4:1:1" << enero << sinFin << F("2026-06-29") << F("2026-07-05") << "0000000"
            << uno << 0;
    QTest::newRow("M:P last Monday of a five-Monday month")
            << "1-0-0-0:M:P:5:1:1" << enero << sinFin << F("2026-06-29") << F("2026-07-05") << "1000000"
            << uno << 1;
    QTest::newRow("M:P last is not the fourth of five")
            << "1-0-0-0:M:P:5:1:1" << enero << sinFin << F("2026-06-22") << F("2026-06-28") << "0000000"
            << uno << 0;
    QTest::newRow("M:P last Monday on a month's last day")
            << "1-0-0-0:M:P:5:1:1" << enero << sinFin << F("2026-08-31") << F("2026-09-06") << "1000000"
            << uno << 1;
    QTest::newRow("M:P last is not the Monday a week before a month's last day")
            << "1-0-0-0:M:P:5:1:1" << enero << sinFin << F("2026-08-24") << F("2026-08-30") << "0000000"
            << uno << 0;
    QTest::newRow("M:P fourth Monday of a four-Monday month")
            << "1-0-0-0:M:P:4:1:1" << enero << sinFin << F("2026-02-23") << F("2026-03-01") << "1000000"
            << uno << 1;
    QTest::newRow("M:P last Monday of a four-Monday month")
            << "1-0-0-0:M:P:5:1:1" << enero << sinFin << F("2026-02-23") << F("2026-03-01") << "1000000"
            << uno << 1;
    QTest::newRow("M:P day 4 of the month")
            << "1-0-0-0:M:P:4:8:1" << enero << sinFin << lunes << domingo << "0001000" << uno << 1;
    QTest::newRow("M:P day 1 of the month")
            << "1-0-0-0:M:P:1:8:1" << enero << sinFin << lunes << domingo << "1000000" << uno << 1;
    QTest::newRow("M:P last day of the month") << "1-0-0-0:M:P:5:8:1" << enero << sinFin << F("2026-06-29")
                                               << F("2026-07-05") << "0100000" << uno << 1;
    QTest::newRow("M:P every other month, off")
            << "1-0-0-0:M:P:1:8:2" << enero << sinFin << lunes << domingo << "0000000" << uno << 0;
    QTest::newRow("M:P every other month, on") << "1-0-0-0:M:P:1:8:2" << enero << sinFin << F("2026-06-29")
                                               << F("2026-07-05") << "0010000" << uno << 1;

    QTest::newRow("window from Thursday to Sunday")
            << "1-0-0-0:D:D:1" << lunes << sinFin << F("2026-06-04") << domingo << "0001111" << uno << 4;
    QTest::newRow("seven days from Thursday") << "1-0-0-0:D:D:2" << lunes << sinFin << F("2026-06-04")
                                              << F("2026-06-10") << "0100101" << uno << 3;
    QTest::newRow("treatment ends midweek")
            << "1-0-0-0:D:D:1" << lunes << F("2026-06-03") << lunes << domingo << "1110000" << uno << 3;
    QTest::newRow("treatment starts midweek")
            << "1-0-0-0:D:D:1" << F("2026-06-05") << sinFin << lunes << domingo << "0000111" << uno << 3;
    QTest::newRow("line starts on the window end")
            << "1-0-0-0:D:D:1" << domingo << sinFin << lunes << domingo << "0000001" << uno << 1;
    QTest::newRow("line ends the day before the window")
            << "1-0-0-0:D:D:1" << F("2026-05-01") << F("2026-05-31") << lunes << domingo << "0000000" << uno
            << 0;
    QTest::newRow("line ends on the window start")
            << "1-0-0-0:D:D:1" << F("2026-05-01") << lunes << lunes << domingo << "1000000" << uno << 1;
    QTest::newRow("line starts after the window")
            << "1-0-0-0:D:D:1" << F("2026-06-08") << sinFin << lunes << domingo << "0000000" << uno << 0;
    QTest::newRow("treatment without start")
            << "1-0-0-0:D:D:1" << QDate() << sinFin << lunes << domingo << "0000000" << uno << 0;
    QTest::newRow("empty dose") << " - - - : " << lunes << sinFin << lunes << domingo << "0000000" << uno
                                << 0;
    QTest::newRow("empty text") << "" << lunes << sinFin << lunes << domingo << "0000000" << uno << 0;
    QTest::newRow("all zero list") << "0-0-0-0:D:D:1" << lunes << sinFin << lunes << domingo << "1111111"
                                   << "0;0;0;0;" << 0;
}

void TestDosePattern::expandirPauta()
{
    QFETCH(QString, dosis);
    QFETCH(QDate, inicio);
    QFETCH(QDate, fin);
    QFETCH(QDate, desde);
    QFETCH(QDate, hasta);
    QFETCH(QString, dias);
    QFETCH(QString, textoDia);
    QFETCH(int, cuenta);

    const TSemana semana = ExpandirSemanaPauta(dosis, inicio, fin, desde, hasta);
    QCOMPARE(semana.Lista, Rejilla(dias, textoDia));
    QCOMPARE(semana.Cuenta, cuenta);
}

void TestDosePattern::expandirPautaMalformada_data()
{
    QTest::addColumn<QString>("dosis");
    for (const char *dosis : {"0-0-0-0:D:D:0",
                              "1-0-0-0:D:D:",
                              "1-0-0-0:D:D",
                              "1-0-0-0:D",
                              "1-0-0-0:",
                              "1-0-0-0",
                              "1-0-0-0:D:D:-1",
                              "1-0-0-0:D:D:1.5",
                              "1-0-0-0:D:D: 1",
                              "1-0-0-0:D:D:1x",
                              "1-0-0-0:D:D:99999",
                              "1-0-0-0:D:X:1",
                              "1-0-0-0:D:R:0:1",
                              "1-0-0-0:D:R:0:0",
                              "1-0-0-0:D:R:2",
                              "1-0-0-0:D:R::1",
                              "1-0-0-0:S:0:1111111",
                              "1-0-0-0:S:1:111",
                              "1-0-0-0:S:1:11111111",
                              "1-0-0-0:S:1",
                              "1-0-0-0:S::1111111",
                              "1-0-0-0:M:D:1:0",
                              "1-0-0-0:M:D:0:1",
                              "1-0-0-0:M:D:x:1",
                              "1-0-0-0:M:P:1:1:0",
                              "1-0-0-0:M:P:0:8:1",
                              "1-0-0-0:M:P:0:1:1",
                              "1-0-0-0:M:P:1:9:1",
                              "1-0-0-0:M:P:1:0:1",
                              "1-0-0-0:M:P:1:1",
                              "1-0-0-0:M:X:1:1",
                              "1-0-0-0:0",
                              "1-0-0-0:8",
                              "1-0-0-0:Q:1",
                              "1-0-0-0:d:d:1",
                              "x-0-0-0:D:D:1",
                              "1--0-0:D:D:1",
                              "1-0-0:D:D:1",
                              "1,5-0-0-0:D:D:1",
                              "-1-0-0-0:D:D:1",
                              "10000-0-0-0:D:D:1",
                              ":::",
                              "-",
                              "----:",
                              "0-0-0-0:0",
                              "1-0-0-0:T",
                              "\xc3\xb1-0-0-0:D:D:1"})
        QTest::newRow(dosis) << QString::fromUtf8(dosis);
}

void TestDosePattern::expandirPautaMalformada()
{
    QFETCH(QString, dosis);
    const TSemana semana
            = ExpandirSemanaPauta(dosis, F("2026-06-01"), QDate(), F("2026-06-01"), F("2026-06-07"));
    QCOMPARE(semana.Lista, Ceros());
    QCOMPARE(semana.Cuenta, 0);
}

void TestDosePattern::dosisLegible_data()
{
    QTest::addColumn<QString>("dosis");
    QTest::addColumn<bool>("legible");
    const QString tabla = QStringList(28, QStringLiteral("0")).join(QLatin1Char('-'));
    QTest::newRow("every 2 days with fractions") << "1,5-0-0,25-0,33:D:D:2" << true;
    QTest::newRow("take and rest") << "1-0-0-0:D:R:5:0" << true;
    QTest::newRow("older digit rule") << "0-1-0-0:3" << true;
    QTest::newRow("weekly") << "1-0-0-0:S:2:0010000" << true;
    QTest::newRow("monthly day") << "1-0-0-0:M:D:31:1" << true;
    QTest::newRow("last day of the month") << "1-0-0-0:M:P:5:8:3" << true;
    QTest::newRow("weekly table with a half") << "1,50-" + tabla.mid(2) + ":T" << true;
    QTest::newRow("every 0 days") << "1-0-0-0:D:D:0" << false;
    QTest::newRow("no taking days") << "1-0-0-0:D:R:0:2" << false;
    QTest::newRow("a week without a day") << "1-0-0-0:S:1:0000000" << false;
    QTest::newRow("day 32") << "1-0-0-0:M:D:32:1" << false;
    QTest::newRow("sixth ordinal") << "1-0-0-0:M:P:6:1:1" << false;
    QTest::newRow("unknown fraction") << "1,4-0-0-0:D:D:1" << false;
    QTest::newRow("a table cell of 10") << "10-" + tabla.mid(2) + ":T" << false;
    QTest::newRow("27 table cells") << tabla.mid(2) + ":T" << false;
    QTest::newRow("text left after the rule") << "1-0-0-0:D:D:1:9" << false;
    QTest::newRow("free text") << "UNA SI DOLOR" << false;
}

void TestDosePattern::dosisLegible()
{
    QFETCH(QString, dosis);
    QFETCH(bool, legible);
    QCOMPARE(DosisLegible(dosis), legible);
}

void TestDosePattern::sinFinTerminaTresMilDiasDespuesDeHoy_data()
{
    QTest::addColumn<QDate>("hoy");
    QTest::addColumn<QString>("dias");
    QTest::newRow("ends on Wednesday") << F("2026-06-03").addDays(-3000) << "1110000";
    QTest::newRow("ended before the window") << F("2026-05-31").addDays(-3000) << "0000000";
    QTest::newRow("runs past the window") << F("2026-05-20") << "1111111";
}

void TestDosePattern::sinFinTerminaTresMilDiasDespuesDeHoy()
{
    QFETCH(QDate, hoy);
    QFETCH(QString, dias);
    const FixedClock reloj(hoy);
    for (const char *dosis : {"1-0-0-0:D:D:1", "1-0-0-0:S:1:1111111", "1-0-0-0:D:R:1:0"}) {
        const TSemana semana = ExpandirSemanaPauta(QString::fromLatin1(dosis), F("2010-01-04"), QDate(),
                                                   F("2026-06-01"), F("2026-06-07"));
        QCOMPARE(semana.Lista, Rejilla(dias, QStringLiteral("1;0;0;0;")));
    }
    const QString unoAlDesayuno = QStringList(7, QStringLiteral("1-0-0-0")).join(QLatin1Char('-'));
    const TSemana tabla
            = ExpandirSemanaTabla(unoAlDesayuno, F("2010-01-04"), QDate(), F("2026-06-01"), F("2026-06-07"));
    QCOMPARE(tabla.Lista, Rejilla(dias, QStringLiteral("1;0;0;0;")));
}

void TestDosePattern::tomaEnFechaFueraDeVentanaOTratamiento_data()
{
    QTest::addColumn<QDate>("inicio");
    QTest::addColumn<QDate>("fin");
    QTest::addColumn<QDate>("fecha");
    QTest::addColumn<bool>("aplica");
    QTest::newRow("inside") << F("2026-06-01") << QDate() << F("2026-06-03") << true;
    QTest::newRow("before the window") << F("2026-05-01") << QDate() << F("2026-05-31") << false;
    QTest::newRow("after the window") << F("2026-05-01") << QDate() << F("2026-06-08") << false;
    QTest::newRow("before the start") << F("2026-06-04") << QDate() << F("2026-06-03") << false;
    QTest::newRow("after the end") << F("2026-05-01") << F("2026-06-02") << F("2026-06-03") << false;
    QTest::newRow("on the end") << F("2026-05-01") << F("2026-06-03") << F("2026-06-03") << true;
    QTest::newRow("no date") << F("2026-05-01") << QDate() << QDate() << false;
}

void TestDosePattern::tomaEnFechaFueraDeVentanaOTratamiento()
{
    QFETCH(QDate, inicio);
    QFETCH(QDate, fin);
    QFETCH(QDate, fecha);
    QTEST(TomaEnFecha(QStringLiteral("1-0-0-0:D:D:1"), inicio, fin, F("2026-06-01"), F("2026-06-07"), fecha),
          "aplica");
}

void TestDosePattern::reglasDeDiasIgualQueElRecorrido()
{
    const QDate inicio = F("2026-01-07");
    const QDate desde = F("2026-01-01");
    const QDate hasta = F("2026-04-30");
    for (QDate fecha = desde; fecha <= hasta; fecha = fecha.addDays(1)) {
        for (int n = 1; n <= 12; ++n) {
            const QString dosis = QStringLiteral("1-0-0-0:D:D:%1").arg(n);
            QCOMPARE(TomaEnFecha(dosis, inicio, QDate(), desde, hasta, fecha),
                     fecha >= desde && RecorridoCadaNDias(inicio, hasta, fecha, n));
        }
        for (int toma = 1; toma <= 6; ++toma) {
            for (int descanso = 0; descanso <= 6; ++descanso) {
                const QString dosis = QStringLiteral("1-0-0-0:D:R:%1:%2").arg(toma).arg(descanso);
                QCOMPARE(TomaEnFecha(dosis, inicio, QDate(), desde, hasta, fecha),
                         RecorridoTomaDescanso(inicio, hasta, fecha, toma, descanso));
            }
        }
    }
}

void TestDosePattern::expandirTabla_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QDate>("inicio");
    QTest::addColumn<QDate>("fin");
    QTest::addColumn<QDate>("desde");
    QTest::addColumn<QDate>("hasta");
    QTest::addColumn<QString>("dias");

    const QString tabla = TextoTabla(Tabla());
    const QDate lunes = F("2026-06-01");
    const QDate domingo = F("2026-06-07");
    QTest::newRow("whole week") << tabla << F("2026-05-01") << QDate() << lunes << domingo << "1111111";
    QTest::newRow("seven days from Thursday")
            << tabla << F("2026-05-01") << QDate() << F("2026-06-04") << F("2026-06-10") << "1111111";
    QTest::newRow("window Thursday to Sunday")
            << tabla << F("2026-05-01") << QDate() << F("2026-06-04") << domingo << "0001111";
    QTest::newRow("starts Wednesday") << tabla << F("2026-06-03") << QDate() << lunes << domingo << "0011111";
    QTest::newRow("ends Tuesday") << tabla << F("2026-05-01") << F("2026-06-02") << lunes << domingo
                                  << "1100000";
    QTest::newRow("ended before") << tabla << F("2026-05-01") << F("2026-05-31") << lunes << domingo
                                  << "0000000";
    QTest::newRow("starts after") << tabla << F("2026-06-08") << QDate() << lunes << domingo << "0000000";
    QTest::newRow("starts on the window end") << tabla << domingo << QDate() << lunes << domingo << "0000001";

    QString diez = tabla;
    diez.replace(0, 1, QStringLiteral("10"));
    QTest::newRow("a cell of 10") << diez << F("2026-05-01") << QDate() << lunes << domingo << "0000000";
    QTest::newRow("27 cells") << tabla.left(tabla.size() - 2) << F("2026-05-01") << QDate() << lunes
                              << domingo << "0000000";
    QTest::newRow("29 cells") << tabla + QStringLiteral("-1") << F("2026-05-01") << QDate() << lunes
                              << domingo << "0000000";
    QTest::newRow("final separator") << tabla + QStringLiteral("-") << F("2026-05-01") << QDate() << lunes
                                     << domingo << "0000000";
    QString letra = tabla;
    letra.replace(2, 1, QStringLiteral("x"));
    QTest::newRow("a letter") << letra << F("2026-05-01") << QDate() << lunes << domingo << "0000000";
    QTest::newRow("empty") << "" << F("2026-05-01") << QDate() << lunes << domingo << "0000000";
    QTest::newRow("fraction not split") << QStringLiteral("1,5-").repeated(27) + QStringLiteral("1,5")
                                        << F("2026-05-01") << QDate() << lunes << domingo << "0000000";
}

void TestDosePattern::expandirTabla()
{
    QFETCH(QString, lista);
    QFETCH(QDate, inicio);
    QFETCH(QDate, fin);
    QFETCH(QDate, desde);
    QFETCH(QDate, hasta);
    QFETCH(QString, dias);

    const auto [rejilla, cuenta] = TablaEnDias(dias);
    const TSemana semana = ExpandirSemanaTabla(lista, inicio, fin, desde, hasta);
    QCOMPARE(semana.Lista, rejilla);
    QCOMPARE(semana.Cuenta, cuenta);
}

QTEST_GUILESS_MAIN(TestDosePattern)
#include "test_dose_pattern.moc"
