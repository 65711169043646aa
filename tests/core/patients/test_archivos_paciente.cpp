#include "core/data/uDM.h"
#include "core/patients/ArchivosPaciente.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

// The patient's folder of files: where it is, which file is the photo, the documents, and the
// "NEW" folder of a card being created.
class TestArchivosPaciente : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TestDatabase db;
        TDM dm {db.directory()};

        void Escribir(const QString &carpeta, const QStringList &nombres, const QByteArray &contenido = "x")
        {
            for (const QString &nombre : nombres)
                db.appDirectory().write(QStringLiteral("files/%1/%2").arg(carpeta, nombre), contenido);
        }
        QString Ruta(const QString &relativa) const
        {
            return db.directory().file(QStringLiteral("files/") + relativa);
        }
    };

private slots:
    void carpetas()
    {
        Entorno e;
        QCOMPARE(ArchivosPaciente::Carpeta(e.dm, 42), e.Ruta(QStringLiteral("42")));
        QCOMPARE(ArchivosPaciente::Carpeta(e.dm, 0), e.Ruta(QStringLiteral("NEW")));
    }

    void laFoto_data()
    {
        QTest::addColumn<QStringList>("ficheros");
        QTest::addColumn<QString>("foto");
        QTest::newRow("ninguna") << QStringList {"informe.pdf"} << "";
        QTest::newRow("jpg") << QStringList {"FOTOPaciente.jpg"} << "FOTOPaciente.jpg";
        QTest::newRow("bmp antes que jpg")
                << QStringList {"FOTOPaciente.jpg", "FOTOPaciente.BMP"} << "FOTOPaciente.BMP";
        QTest::newRow("sin importar mayusculas")
                << QStringList {"fotopaciente.JPG", "Fotopaciente.bmp"} << "Fotopaciente.bmp";
        QTest::newRow("otra extension no es la foto") << QStringList {"FOTOPaciente.png"} << "";
        QTest::newRow("otro nombre no es la foto") << QStringList {"FOTOPaciente2.jpg"} << "";
    }
    void laFoto()
    {
        QFETCH(QStringList, ficheros);
        QFETCH(QString, foto);
        Entorno e;
        e.Escribir(QStringLiteral("7"), ficheros);
        const QString carpeta = ArchivosPaciente::Carpeta(e.dm, 7);
        QCOMPARE(ArchivosPaciente::RutaFoto(carpeta),
                 foto.isEmpty() ? QString() : QDir(carpeta).filePath(foto));
    }

    void losDocumentosSonLoQueNoEsFoto()
    {
        Entorno e;
        e.Escribir(QStringLiteral("7"),
                   {"b.pdf", "FOTOPaciente.jpg", "a.txt", "fotopaciente.png", "FOTOPaciente2.jpg"});
        const QString carpeta = ArchivosPaciente::Carpeta(e.dm, 7);
        QCOMPARE(ArchivosPaciente::Documentos(carpeta),
                 (QStringList {"a.txt", "b.pdf", "FOTOPaciente2.jpg"}));
        QVERIFY(ArchivosPaciente::BorrarFoto(carpeta));
        QVERIFY(ArchivosPaciente::RutaFoto(carpeta).isEmpty());
        QCOMPARE(QDir(carpeta).entryList(QDir::Files).size(), 3);
    }

    void copiarSustituyeYBorrar()
    {
        Entorno e;
        const QString carpeta = ArchivosPaciente::Carpeta(e.dm, 7);
        const QString origen = e.db.appDirectory().write(QStringLiteral("fuera/informe.pdf"), "nuevo");
        QVERIFY(!ArchivosPaciente::ExisteDocumento(carpeta, origen));
        QCOMPARE(ArchivosPaciente::CopiarDocumento(origen, carpeta), QString());
        e.Escribir(QStringLiteral("7"), {"informe.pdf"}, "viejo");
        QVERIFY(ArchivosPaciente::ExisteDocumento(carpeta, origen));
        QCOMPARE(ArchivosPaciente::CopiarDocumento(origen, carpeta), QString());
        QCOMPARE(e.db.appDirectory().read(QStringLiteral("files/7/informe.pdf")), QByteArray("nuevo"));
        QCOMPARE(ArchivosPaciente::Documentos(carpeta), QStringList {"informe.pdf"});
        QVERIFY(ArchivosPaciente::BorrarDocumento(carpeta, QStringLiteral("informe.pdf")));
        QVERIFY(ArchivosPaciente::Documentos(carpeta).isEmpty());
    }

    void copiarAlgoQueNoEsUnFichero()
    {
        Entorno e;
        const QString carpeta = ArchivosPaciente::Carpeta(e.dm, 7);
        QVERIFY(!ArchivosPaciente::CopiarDocumento(e.Ruta(QStringLiteral("no-existe.pdf")), carpeta)
                         .isEmpty());
        QVERIFY(ArchivosPaciente::Documentos(carpeta).isEmpty());
    }

    void laCarpetaNuevaPasaAlPaciente_data()
    {
        QTest::addColumn<QStringList>("yaHabia");
        QTest::addColumn<QStringList>("resultado");
        QTest::newRow("carpeta nueva") << QStringList {} << QStringList {"FOTOPaciente.jpg", "informe.pdf"};
        QTest::newRow("se une a una carpeta que ya existia")
                << QStringList {"antiguo.txt", "informe.pdf"}
                << QStringList {"antiguo.txt", "FOTOPaciente.jpg", "informe.pdf"};
    }
    void laCarpetaNuevaPasaAlPaciente()
    {
        QFETCH(QStringList, yaHabia);
        QFETCH(QStringList, resultado);
        Entorno e;
        e.Escribir(QStringLiteral("9"), yaHabia, "viejo");
        e.Escribir(QStringLiteral("NEW"), {"FOTOPaciente.jpg", "informe.pdf"}, "nuevo");
        QCOMPARE(ArchivosPaciente::AdoptarCarpetaNueva(e.dm, 9), QString());
        QVERIFY(!QDir(e.Ruta(QStringLiteral("NEW"))).exists());
        QCOMPARE(QDir(e.Ruta(QStringLiteral("9"))).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
                 resultado);
        QCOMPARE(e.db.appDirectory().read(QStringLiteral("files/9/informe.pdf")), QByteArray("nuevo"));
    }

    void sinCarpetaNuevaNoHayNadaQuePasar()
    {
        Entorno e;
        QCOMPARE(ArchivosPaciente::AdoptarCarpetaNueva(e.dm, 9), QString());
        QVERIFY(!QDir(e.Ruta(QStringLiteral("9"))).exists());
        QVERIFY(ArchivosPaciente::VaciarCarpetaNueva(e.dm));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestArchivosPaciente)
#include "test_archivos_paciente.moc"
