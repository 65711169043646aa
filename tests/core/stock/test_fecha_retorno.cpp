// The return date field: a day, an empty field to be confirmed, or an error.
#include "core/common/Clock.h"
#include "core/i18n/ULenguaje.h"
#include "core/stock/FechaRetorno.h"

#include <QTest>

class TestFechaRetorno : public QObject
{
    Q_OBJECT

    TLenguaje m_lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};

private slots:
    void fechaDeRetorno_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QDate>("fecha");
        const int valida = int(TFechaRetorno::Valida);
        const int formato = int(TFechaRetorno::FormatoIncorrecto);
        const int vacia = int(TFechaRetorno::Vacia);
        const int futura = int(TFechaRetorno::PosteriorAHoy);
        // Today is Wednesday 15 May 2024.
        QTest::newRow("yesterday") << "14/05/2024" << valida << QDate(2024, 5, 14);
        QTest::newRow("today") << "15/05/2024" << valida << QDate(2024, 5, 15);
        QTest::newRow("one-digit day and month") << "3/5/2024" << valida << QDate(2024, 5, 3);
        QTest::newRow("blanks around") << " 14/05/2024 " << valida << QDate(2024, 5, 14);
        QTest::newRow("two-digit year") << "14/5/24" << valida << QDate(2024, 5, 14);
        QTest::newRow("two-digit year, later this year") << "1/6/24" << futura << QDate();
        QTest::newRow("two-digit year after this year: last century")
                << "1/6/25" << valida << QDate(1925, 6, 1);
        QTest::newRow("29 February of a leap year") << "29/02/2024" << valida << QDate(2024, 2, 29);
        QTest::newRow("tomorrow") << "16/05/2024" << futura << QDate();
        QTest::newRow("next year") << "1/1/2025" << futura << QDate();
        QTest::newRow("31 February") << "31/02/2024" << formato << QDate();
        QTest::newRow("29 February of a common year") << "29/02/2023" << formato << QDate();
        QTest::newRow("month 13") << "01/13/2024" << formato << QDate();
        QTest::newRow("ISO form") << "2024-05-14" << formato << QDate();
        QTest::newRow("words") << "ayer" << formato << QDate();
        QTest::newRow("empty") << "" << vacia << QDate();
        QTest::newRow("only blanks") << "   " << vacia << QDate();
    }
    void fechaDeRetorno()
    {
        QFETCH(QString, texto);
        QFETCH(int, resultado);
        QFETCH(QDate, fecha);
        const FixedClock reloj(QDate(2024, 5, 15));
        const TValidacionFechaRetorno validacion = ValidarFechaRetorno(texto);
        QCOMPARE(int(validacion.Resultado), resultado);
        QCOMPARE(validacion.Fecha, fecha);
    }

    void cadaResultadoTieneSuMensaje_data()
    {
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("valid") << int(TFechaRetorno::Valida) << "";
        QTest::newRow("format") << int(TFechaRetorno::FormatoIncorrecto) << "EL FORMATO ES INCORRECTO";
        QTest::newRow("after today") << int(TFechaRetorno::PosteriorAHoy)
                                     << "LA FECHA NO PUEDE SER MAYOR QUE HOY";
        QTest::newRow("empty: the question") << int(TFechaRetorno::Vacia)
                                             << "LA FECHA DE RETORNO ESTA VACIA Y SE CONSIDERA NO RETORNADO "
                                                "¿ESTÁ SEGURO QUE NO ESTA RETORNADO?";
    }
    void cadaResultadoTieneSuMensaje()
    {
        QFETCH(int, resultado);
        QFETCH(QString, mensaje);
        QCOMPARE((TValidacionFechaRetorno {TFechaRetorno(resultado), {}}.Mensaje()), mensaje);
    }
};

QTEST_GUILESS_MAIN(TestFechaRetorno)
#include "test_fecha_retorno.moc"
