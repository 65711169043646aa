#include "core/reports/NombreArchivo.h"

#include <QtTest>

class TestNombreArchivo : public QObject
{
    Q_OBJECT

private slots:
    void titleBecomesASafeFileName_data();
    void titleBecomesASafeFileName();
    void longTitleIsCut();
};

void TestNombreArchivo::titleBecomesASafeFileName_data()
{
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("nombre");
    QTest::newRow("plain") << QStringLiteral("Etiquetas MARIA") << QStringLiteral("Etiquetas MARIA");
    QTest::newRow("accents kept") << QStringLiteral("Etiquetas GARCÍA NÚÑEZ")
                                  << QStringLiteral("Etiquetas GARCÍA NÚÑEZ");
    QTest::newRow("folder separator")
            << QStringLiteral("Tratamientos 1/2") << QStringLiteral("Tratamientos 1_2");
    QTest::newRow("climbing out") << QStringLiteral("../../etc/passwd") << QStringLiteral("_.._etc_passwd");
    QTest::newRow("windows separators") << QStringLiteral("C:\\temp\\x") << QStringLiteral("C__temp_x");
    QTest::newRow("refused characters")
            << QStringLiteral("a*b?c\"d<e>f|g") << QStringLiteral("a_b_c_d_e_f_g");
    QTest::newRow("control characters") << QStringLiteral("a\tb\nc\u0001d") << QStringLiteral("a b c_d");
    QTest::newRow("dots and blanks at the ends")
            << QStringLiteral("  .informe.  ") << QStringLiteral("informe");
    QTest::newRow("only dots") << QStringLiteral("..") << QStringLiteral("informe");
    QTest::newRow("empty") << QString() << QStringLiteral("informe");
    QTest::newRow("blanks collapsed") << QStringLiteral("a    b") << QStringLiteral("a b");
}

void TestNombreArchivo::titleBecomesASafeFileName()
{
    QFETCH(QString, titulo);
    QFETCH(QString, nombre);
    QCOMPARE(NombreArchivoSeguro(titulo), nombre);
}

void TestNombreArchivo::longTitleIsCut()
{
    const QString name = NombreArchivoSeguro(QStringLiteral("x").repeated(99) + QStringLiteral("\U0001F48A")
                                             + QStringLiteral("yyy"));
    QCOMPARE(name, QStringLiteral("x").repeated(99)); // never half of a character
}

QTEST_GUILESS_MAIN(TestNombreArchivo)
#include "test_nombre_archivo.moc"
