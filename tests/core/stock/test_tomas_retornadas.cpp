// The cells of a returned blister: their texts, the units typed for them and their totals.
#include "core/i18n/ULenguaje.h"
#include "core/stock/TomasRetornadas.h"

#include <QTest>

class TestTomasRetornadas : public QObject
{
    Q_OBJECT

    TLenguaje m_lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};

private slots:
    void textosDeLaToma_data()
    {
        QTest::addColumn<int>("toma");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("dia");
        QTest::newRow("first cell") << 1 << "TOMA 1"
                                    << "LUNES DESAYUNO";
        QTest::newRow("Monday night") << 4 << "TOMA 4"
                                      << "LUNES NOCHE";
        QTest::newRow("Tuesday breakfast") << 5 << "TOMA 5"
                                           << "MARTES DESAYUNO";
        QTest::newRow("Thursday lunch") << 14 << "TOMA 14"
                                        << "JUEVES COMIDA";
        QTest::newRow("Sunday dinner") << 27 << "TOMA 27"
                                       << "DOMINGO CENA";
        QTest::newRow("last cell") << 28 << "TOMA 28"
                                   << "DOMINGO NOCHE";
        QTest::newRow("no such cell") << 29 << "TOMA 29"
                                      << "";
    }
    void textosDeLaToma()
    {
        QFETCH(int, toma);
        QFETCH(QString, numero);
        QFETCH(QString, dia);
        QCOMPARE(TextoToma(toma), numero);
        QCOMPARE(TextoDiaToma(toma), dia);
    }

    void comprimidosTecleados_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("comprimidos"); // -1: refused
        QTest::newRow("prefilled zero") << "0" << 0;
        QTest::newRow("a count") << "3" << 3;
        QTest::newRow("blanks around") << " 12 " << 12;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("signed") << "+2" << -1;
        QTest::newRow("a fraction") << "1,5" << -1;
        QTest::newRow("letters") << "dos" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("too many digits") << "99999999999" << -1;
    }
    void comprimidosTecleados()
    {
        QFETCH(QString, texto);
        QFETCH(int, comprimidos);
        const std::optional<int> leidos = LeerComprimidosToma(texto);
        QCOMPARE(leidos.value_or(-1), comprimidos);
    }

    void lasMarcasDanLosTotalesEnOrdenDeToma()
    {
        TTomasRetornadas tomas;
        tomas.Marcar(27, 2, QStringLiteral("OLVIDO"));
        tomas.Marcar(14, 1, QStringLiteral("NAUSEAS"));
        tomas.Marcar(3, 0, QString());
        QCOMPARE(tomas.Marcadas(), (QList<int> {3, 14, 27}));
        QCOMPARE(tomas.SumaComprimidos(), 3);
        tomas.Desmarcar(14);
        QCOMPARE(tomas.Marcadas(), (QList<int> {3, 27}));
        QCOMPARE(tomas.SumaComprimidos(), 2);
        QVERIFY(!tomas.Toma(14).Marcada);
        QCOMPARE(tomas.Toma(14).Comentario, QString());
    }

    void unaTomaFueraDelBlisterNoSeMarca()
    {
        TTomasRetornadas tomas;
        tomas.Marcar(0, 1, QString());
        tomas.Marcar(29, 1, QString());
        QVERIFY(tomas.Marcadas().isEmpty());
        QVERIFY(!tomas.Toma(29).Marcada);
    }

    void elMotivoSeCortaALaLongitudDeSuColumna()
    {
        TTomasRetornadas tomas;
        tomas.Marcar(1, 1, QString(300, QLatin1Char('x')));
        QCOMPARE(tomas.Toma(1).Comentario.size(), TTomasRetornadas::kLongitudComentario);
    }
};

QTEST_GUILESS_MAIN(TestTomasRetornadas)
#include "test_tomas_retornadas.moc"
