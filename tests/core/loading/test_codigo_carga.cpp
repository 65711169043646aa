// A blister's code read back from a scan or a keyboard.
#include "core/loading/CodigoCarga.h"
#include "core/loading/TextosEtiqueta.h"

#include <QTest>

class TestCodigoCarga : public QObject
{
    Q_OBJECT

private slots:
    void leerCodigo_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<qint64>("paciente");
        QTest::addColumn<int>("carga");
        QTest::newRow("7 digits typed") << "0001002" << true << qint64(1) << 2;
        QTest::newRow("8 digits scanned") << "00010023" << true << qint64(1) << 2;
        QTest::newRow("blanks and a line end around it") << " 00130011\r\n" << true << qint64(13) << 1;
        QTest::newRow("a misread check digit") << "00010024" << false << qint64(0) << 0;
        QTest::newRow("6 digits") << "000100" << false << qint64(0) << 0;
        QTest::newRow("9 digits") << "000100230" << false << qint64(0) << 0;
        QTest::newRow("letters") << "0001A02" << false << qint64(0) << 0;
        QTest::newRow("empty") << "" << false << qint64(0) << 0;
    }
    void leerCodigo()
    {
        QFETCH(QString, texto);
        QFETCH(bool, valido);
        QFETCH(qint64, paciente);
        QFETCH(int, carga);
        const std::optional<TCodigoCarga> codigo = LeerCodigoCarga(texto);
        QCOMPARE(codigo.has_value(), valido);
        if (valido) {
            QCOMPARE(codigo->idPaciente, paciente);
            QCOMPARE(codigo->refRecarga, carga);
        }
    }

    void elCodigoDeLaEtiquetaSeLeeDeVuelta()
    {
        const std::optional<TCodigoCarga> codigo
                = LeerCodigoCarga(TextosEtiqueta::CodigoCarga(42, 7).left(7));
        QVERIFY(codigo);
        QCOMPARE(codigo->idPaciente, qint64(42));
        QCOMPARE(codigo->refRecarga, 7);
    }
};

QTEST_GUILESS_MAIN(TestCodigoCarga)
#include "test_codigo_carga.moc"
