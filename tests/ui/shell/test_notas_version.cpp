// The release-notes window over a notes file written by an older installation (Windows-1252,
// CRLF): its title, the blank line and the notes it lists, closed with "ACEPTAR".
#include "support/DialogoModal.h"
#include "support/TestAppDirectory.h"
#include "ui/shell/FDlgNotasVersion.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestNotasVersion : public QObject
{
    Q_OBJECT

private slots:
    void muestraLasNotasDelFichero_data()
    {
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("lineas");
        QTest::newRow("todo el fichero") << QStringLiteral("000") << QStringLiteral("INFO")
                                         << QStringList {QStringLiteral(" "),
                                                         QStringLiteral("* NOVEDADES"),
                                                         QStringLiteral("----"),
                                                         QStringLiteral("1.0.0.19"),
                                                         QStringLiteral("- Nueva versión"),
                                                         QStringLiteral("1.0.0.18"),
                                                         QStringLiteral("- Etiquetas")};
        QTest::newRow("versiones nuevas")
                << QStringLiteral("18") << QStringLiteral("ACTUALIZACIONES REALIZADAS")
                << QStringList {QStringLiteral(" "), QStringLiteral("1.0.0.19"),
                                QStringLiteral("- Nueva versión")};
    }

    void muestraLasNotasDelFichero()
    {
        QFETCH(QString, build);
        QFETCH(QString, titulo);
        QFETCH(QStringList, lineas);
        TestAppDirectory dir;
        const QString fichero = dir.write(QStringLiteral("Version.log"),
                                          "|||* NOVEDADES\r\n----\r\n|*|1.0.0.19\r\n- Nueva versi\xF3n\r\n"
                                          "|*|1.0.0.18\r\n- Etiquetas\r\n");
        QString tituloMostrado;
        QStringList mostradas;
        CuandoSeAbra<TDlgNotasVersion>([&](TDlgNotasVersion &ventana) {
            tituloMostrado = ventana.windowTitle();
            const auto *lista = ventana.findChild<QListWidget *>(QStringLiteral("lstNotas"));
            for (int i = 0; i < lista->count(); ++i)
                mostradas << lista->item(i)->text();
            QTest::mouseClick(ventana.findChild<QPushButton *>(QStringLiteral("btnAceptar")), Qt::LeftButton);
        });
        QVERIFY(VerNotasVersion(build, titulo, fichero));
        QCOMPARE(tituloMostrado, titulo);
        QCOMPARE(mostradas, lineas);
    }
};

QTEST_MAIN(TestNotasVersion)
#include "test_notas_version.moc"
