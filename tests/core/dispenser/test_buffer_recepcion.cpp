#include "core/dispenser/BufferRecepcion.h"

#include <QtTest>

class TestBufferRecepcion : public QObject
{
    Q_OBJECT

private slots:
    void lecturas_data()
    {
        QTest::addColumn<QList<QByteArray>>("lecturas");
        QTest::addColumn<QList<QByteArray>>("mensajes");
        using L = QList<QByteArray>;
        QTest::newRow("one whole") << L {"answerht;41;23|"} << L {"answerht;41;23"};
        QTest::newRow("two in one read") << L {"close;1|answerstatus;0|"} << L {"close;1", "answerstatus;0"};
        QTest::newRow("split in two") << L {"answer", "ht;41;23|"} << L {"answerht;41;23"};
        QTest::newRow("split at the bar") << L {"close;1", "|"} << L {"close;1"};
        QTest::newRow("byte by byte") << L {"c", "l", "o", "s", "e", ";", "1", "|"} << L {"close;1"};
        QTest::newRow("tail carried over")
                << L {"close;1|answ", "erstatus;0|"} << L {"close;1", "answerstatus;0"};
        QTest::newRow("empty messages skipped") << L {"||close;1||"} << L {"close;1"};
        QTest::newRow("no terminator yet") << L {"close;1"} << L {};
    }
    void lecturas()
    {
        QFETCH(QList<QByteArray>, lecturas);
        QFETCH(QList<QByteArray>, mensajes);
        BufferRecepcion buffer;
        QList<QByteArray> leidos;
        for (const QByteArray &lectura : lecturas)
            leidos += buffer.Anadir(lectura).mensajes;
        QCOMPARE(leidos, mensajes);
    }

    void unaRafagaSinTerminadorNoCreceSinLimite()
    {
        BufferRecepcion buffer;
        const QByteArray bloque(4096, 'x');
        qsizetype descartados = 0;
        for (int i = 0; i < 2560; ++i) { // 10 MB
            const auto lectura = buffer.Anadir(bloque);
            QVERIFY(lectura.mensajes.isEmpty());
            descartados += lectura.descartados;
            QVERIFY(buffer.Pendientes() <= BufferRecepcion::kLimite);
        }
        QVERIFY(descartados >= 10 * 1024 * 1024 - BufferRecepcion::kLimite);
    }

    void elRestoDeUnMensajeDemasiadoLargoSeDescartaHastaSuTerminador()
    {
        BufferRecepcion buffer;
        buffer.Anadir(QByteArray(BufferRecepcion::kLimite + 1, 'x'));
        const auto lectura = buffer.Anadir("status;2;tail|close;1|");
        QCOMPARE(lectura.mensajes, QList<QByteArray> {"close;1"});
        QCOMPARE(lectura.descartados, qsizetype(13)); // "status;2;tail"
    }

    void unMensajeDemasiadoLargoEnUnaSolaLecturaSeDescarta()
    {
        BufferRecepcion buffer;
        const auto lectura = buffer.Anadir(QByteArray(BufferRecepcion::kLimite + 10, 'x') + "|close;1|");
        QCOMPARE(lectura.mensajes, QList<QByteArray> {"close;1"});
        QCOMPARE(lectura.descartados, BufferRecepcion::kLimite + 10);
    }

    void unMensajeEnElLimiteSeConserva()
    {
        BufferRecepcion buffer;
        const QByteArray largo(BufferRecepcion::kLimite, 'y');
        QCOMPARE(buffer.Anadir(largo + "|").mensajes, QList<QByteArray> {largo});
    }

    void descartarVaciaLoPendiente()
    {
        BufferRecepcion buffer;
        buffer.Anadir("answerht;41");
        QCOMPARE(buffer.Descartar(), qsizetype(11));
        QCOMPARE(buffer.Anadir("close;1|").mensajes, QList<QByteArray> {"close;1"});
    }
};

QTEST_GUILESS_MAIN(TestBufferRecepcion)
#include "test_buffer_recepcion.moc"
