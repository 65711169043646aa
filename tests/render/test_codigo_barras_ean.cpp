#include "render/CodigoBarrasEAN.h"
#include "support/LecturaEan.h"

#include <QtTest>

namespace {

// The modules of the picture, one pixel each from the first bar's column, on a line through
// the bars.
QByteArray Modulos(const QImage &imagen, int cuantos)
{
    QByteArray modulos;
    for (int x = 11; x < 11 + cuantos; ++x)
        modulos += qGray(imagen.pixel(x, 30)) < 128 ? '1' : '0';
    return modulos;
}

} // namespace

class TestCodigoBarrasEAN : public QObject
{
    Q_OBJECT

private slots:
    void dibujoSeLeeConElDigitoCorregido_data();
    void dibujoSeLeeConElDigitoCorregido();
    void nadaAntesDeLaPrimeraBarra();
    void guardasMasLargas();
    void codigoNoValidoSinImagen_data();
    void codigoNoValidoSinImagen();
};

void TestCodigoBarrasEAN::dibujoSeLeeConElDigitoCorregido_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("leido");
    QTest::newRow("ean13 correct") << QStringLiteral("4006381333931") << QStringLiteral("4006381333931");
    QTest::newRow("ean13 check digit mended")
            << QStringLiteral("4006381333930") << QStringLiteral("4006381333931");
    QTest::newRow("ean13 nines") << QStringLiteral("9999999999990") << QStringLiteral("9999999999994");
    QTest::newRow("ean13 scanned medication")
            << QStringLiteral("8470001234568") << QStringLiteral("8470001234568");
    QTest::newRow("ean13 first digit 0")
            << QStringLiteral("0012345678905") << QStringLiteral("0012345678905");
    QTest::newRow("ean8 nines") << QStringLiteral("99999990") << QStringLiteral("99999995");
    QTest::newRow("ean8 load card") << QStringLiteral("00120050") << QStringLiteral("00120050");
}

void TestCodigoBarrasEAN::dibujoSeLeeConElDigitoCorregido()
{
    QFETCH(QString, codigo);
    QFETCH(QString, leido);
    const TImagenEAN dibujo = CodigoBarrasEAN(codigo);
    QVERIFY(dibujo.error.isEmpty());
    QCOMPARE(dibujo.imagen.height(), 75);
    QVERIFY(dibujo.imagen.width() >= 100);
    const int modulos = codigo.size() == 13 ? 95 : 67;
    QVERIFY(dibujo.imagen.width() >= 11 + modulos); // the end guard is inside the picture
    QCOMPARE(LeerEan(Modulos(dibujo.imagen, modulos)), leido);
}

void TestCodigoBarrasEAN::nadaAntesDeLaPrimeraBarra()
{
    const QImage imagen = CodigoBarrasEAN(QStringLiteral("4006381333931")).imagen;
    for (int x = 0; x < 11; ++x)
        QCOMPARE(qGray(imagen.pixel(x, 30)), 255);
    QVERIFY(qGray(imagen.pixel(11, 30)) < 128);
    for (int y = 0; y < 10; ++y)
        QCOMPARE(qGray(imagen.pixel(11, y)), 255);
}

void TestCodigoBarrasEAN::guardasMasLargas()
{
    const QImage imagen = CodigoBarrasEAN(QStringLiteral("4006381333931")).imagen;
    // The start, centre and end guards (modules 0, 46 and 94) reach row 54, below the data bars;
    // the digits are written between them.
    for (const int modulo : {0, 46, 94}) {
        QVERIFY(qGray(imagen.pixel(11 + modulo, 54)) < 128);
        QCOMPARE(qGray(imagen.pixel(11 + modulo, 55)), 255);
    }
}

void TestCodigoBarrasEAN::codigoNoValidoSinImagen_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::newRow("12 digits") << QStringLiteral("400638133393");
    QTest::newRow("empty") << QString();
    QTest::newRow("7 digits") << QStringLiteral("1234568");
    QTest::newRow("14 digits") << QStringLiteral("84700012345680");
    QTest::newRow("letters of ean13 length") << QStringLiteral("ABCDEFGHIJKLM");
    QTest::newRow("letters of ean8 length") << QStringLiteral("1234567X");
    QTest::newRow("blanks") << QStringLiteral("        ");
    QTest::newRow("non latin digits") << QStringLiteral("١٢٣٤٥٦٧٨");
}

void TestCodigoBarrasEAN::codigoNoValidoSinImagen()
{
    QFETCH(QString, codigo);
    const TImagenEAN dibujo = CodigoBarrasEAN(codigo);
    QVERIFY(dibujo.imagen.isNull());
    QCOMPARE(dibujo.error, QStringLiteral("LONGITUD DE CODIGO NO VALIDA"));
}

QTEST_MAIN(TestCodigoBarrasEAN)
#include "test_codigo_barras_ean.moc"
