#include "core/reports/CorreoInforme.h"

#include <QDir>
#include <QtTest>

class TestCorreoInforme : public QObject
{
    Q_OBJECT

private slots:
    void fileIsAttachedByItsAbsolutePath();
    void mailProgramThatDoesNotStartIsReported();
};

void TestCorreoInforme::fileIsAttachedByItsAbsolutePath()
{
    QString program;
    QStringList arguments;
    const CorreoInforme correo([&](const QString &p, const QStringList &a) {
        program = p;
        arguments = a;
        return true;
    });
    QVERIFY(correo.enviar(QStringLiteral("temp/Informe 1_2.pdf")).ok());
    QCOMPARE(program, QStringLiteral("xdg-email"));
    QCOMPARE(arguments,
             (QStringList {QStringLiteral("--attach"),
                           QDir::current().absoluteFilePath(QStringLiteral("temp/Informe 1_2.pdf"))}));
}

void TestCorreoInforme::mailProgramThatDoesNotStartIsReported()
{
    const CorreoInforme correo([](const QString &, const QStringList &) { return false; });
    const ReportIoResult result = correo.enviar(QStringLiteral("/tmp/x.pdf"));
    QVERIFY(!result.ok());
    // The user learns where the file is, to attach it by hand.
    QVERIFY(result.error.contains(QStringLiteral("/tmp/x.pdf")));
}

QTEST_GUILESS_MAIN(TestCorreoInforme)
#include "test_correo_informe.moc"
