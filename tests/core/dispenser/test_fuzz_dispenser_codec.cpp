// Runs the fuzz entry of the codec over its seed messages and many pseudo-random mutations of
// them, so that the plain build exercises it too (the libFuzzer build explores further).
#include <QRandomGenerator>
#include <QtTest>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

class TestFuzzDispenserCodec : public QObject
{
    Q_OBJECT

private slots:
    void semillasYMutaciones()
    {
        const QList<QByteArray> semillas {
                "answerht;41;23|",
                "ANSWERSTATUS;0|status;2;PARACETAMOL;0;;1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;"
                "0;0|",
                "answerconfig;3;1;0;0;10.0.0.5;1;10.0.0.1;255.0.0.0;10.0.0.254|close;1|",
                "answerinfo;SN1;D;120;;2.1;U;K;R;512;3|answerversion;2.1|answerip;a;b;c;d;e|",
                "\xff\xfe\x80;|status;4;\xc3\x91;1;x;-1|",
        };
        QRandomGenerator azar(20240305); // fixed: the same inputs on every run
        for (const QByteArray &semilla : semillas) {
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(semilla.constData()),
                                   size_t(semilla.size()));
            for (int vuelta = 0; vuelta < 5000; ++vuelta) {
                QByteArray mutada = semilla;
                const int cambios = int(azar.bounded(1, 8));
                for (int i = 0; i < cambios; ++i) {
                    const qsizetype posicion = azar.bounded(mutada.size() + 1);
                    switch (azar.bounded(3)) {
                    case 0:
                        mutada.insert(posicion, char(azar.bounded(256)));
                        break;
                    case 1:
                        mutada.remove(posicion, 1);
                        break;
                    default:
                        mutada.insert(posicion, mutada.mid(azar.bounded(mutada.size() + 1), 12));
                    }
                }
                LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(mutada.constData()),
                                       size_t(mutada.size()));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzDispenserCodec)
#include "test_fuzz_dispenser_codec.moc"
