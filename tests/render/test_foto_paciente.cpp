#include "render/FotoPaciente.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// Storing a chosen picture as the patient's photo.
class TestFotoPaciente : public QObject
{
    Q_OBJECT

    static QByteArray Leer(const QString &ruta)
    {
        QFile fichero(ruta);
        return fichero.open(QIODevice::ReadOnly) ? fichero.readAll() : QByteArray();
    }
    static void Escribir(const QString &ruta, const QByteArray &bytes)
    {
        QFile fichero(ruta);
        QVERIFY(fichero.open(QIODevice::WriteOnly));
        fichero.write(bytes);
    }
    static QString Imagen(const QTemporaryDir &dir, const QString &nombre, const QSize &tamano,
                          const char *formato)
    {
        QImage imagen(tamano, QImage::Format_RGB32);
        imagen.fill(Qt::darkCyan);
        const QString ruta = dir.filePath(nombre);
        imagen.save(ruta, formato);
        return ruta;
    }

private slots:
    void seGuardaComoJpegDe500_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QByteArray>("formato");
        QTest::addColumn<QSize>("origen");
        QTest::addColumn<QSize>("foto");
        QTest::newRow("jpeg apaisado")
                << "movil.JPG" << QByteArray("JPG") << QSize(1000, 600) << QSize(500, 300);
        QTest::newRow("bmp vertical")
                << "escaner.bmp" << QByteArray("BMP") << QSize(400, 800) << QSize(250, 500);
        QTest::newRow("una pequena se amplia")
                << "icono.png" << QByteArray("PNG") << QSize(100, 50) << QSize(500, 250);
    }
    void seGuardaComoJpegDe500()
    {
        QFETCH(QString, nombre);
        QFETCH(QByteArray, formato);
        QFETCH(QSize, origen);
        QFETCH(QSize, foto);
        QTemporaryDir dir;
        const QString carpeta = dir.filePath(QStringLiteral("files/7"));
        QVERIFY(QDir().mkpath(carpeta));
        // Photos stored before, in any case and format, and a document.
        for (const char *antigua : {"FOTOPaciente.BMP", "fotopaciente.JPG", "FotoPaciente.png"})
            Escribir(QDir(carpeta).filePath(QLatin1String(antigua)), "antigua");
        Escribir(QDir(carpeta).filePath(QStringLiteral("informe.pdf")), "pdf");

        QCOMPARE(GuardarFotoPaciente(Imagen(dir, nombre, origen, formato.constData()), carpeta), QString());
        QCOMPARE(QDir(carpeta).entryList(QDir::Files, QDir::Name),
                 (QStringList {QStringLiteral("FOTOPaciente.jpg"), QStringLiteral("informe.pdf")}));
        const QString guardada = QDir(carpeta).filePath(QStringLiteral("FOTOPaciente.jpg"));
        QVERIFY(Leer(guardada).startsWith("\xFF\xD8\xFF")); // JPEG content whatever the source
        QCOMPARE(QImage(guardada).size(), foto);
    }

    void laCarpetaSeCreaSiFalta()
    {
        QTemporaryDir dir;
        const QString carpeta = dir.filePath(QStringLiteral("files/NEW"));
        QCOMPARE(GuardarFotoPaciente(Imagen(dir, QStringLiteral("a.jpg"), QSize(50, 50), "JPG"), carpeta),
                 QString());
        QVERIFY(QFile::exists(QDir(carpeta).filePath(QStringLiteral("FOTOPaciente.jpg"))));
    }

    void loQueNoEsUnaFotoNoCambiaNada_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("texto con extension jpg") << "texto"
                                                 << "EL FICHERO ELEGIDO NO ES UNA IMAGEN";
        QTest::newRow("jpeg cortado") << "cortado"
                                      << "EL FICHERO ELEGIDO NO ES UNA IMAGEN";
        QTest::newRow("no existe") << "falta"
                                   << "EL FICHERO ELEGIDO NO ES UNA IMAGEN";
        QTest::newRow("mas de 50 MB") << "enorme"
                                      << "LA IMAGEN ES DEMASIADO GRANDE";
    }
    void loQueNoEsUnaFotoNoCambiaNada()
    {
        QFETCH(QString, caso);
        QFETCH(QString, mensaje);
        QTemporaryDir dir;
        const QString carpeta = dir.filePath(QStringLiteral("files/7"));
        QVERIFY(QDir().mkpath(carpeta));
        const QString anterior = QDir(carpeta).filePath(QStringLiteral("FOTOPaciente.BMP"));
        Escribir(anterior, "la de antes");
        const QString origen = dir.filePath(QStringLiteral("elegida.jpg"));
        if (caso == QLatin1String("texto")) {
            Escribir(origen, "no soy una imagen");
        } else if (caso == QLatin1String("cortado")) {
            Imagen(dir, QStringLiteral("elegida.jpg"), QSize(200, 200), "JPG");
            QFile fichero(origen);
            QVERIFY(fichero.open(QIODevice::ReadWrite));
            QVERIFY(fichero.resize(20));
        } else if (caso == QLatin1String("enorme")) {
            Imagen(dir, QStringLiteral("elegida.jpg"), QSize(20, 20), "JPG");
            QFile fichero(origen);
            QVERIFY(fichero.open(QIODevice::ReadWrite));
            QVERIFY(fichero.resize(kMaximoFotoBytes + 1)); // sparse: no disk is used
        }
        const QString error = GuardarFotoPaciente(origen, carpeta);
        QVERIFY2(error.startsWith(mensaje), qPrintable(error));
        QCOMPARE(QDir(carpeta).entryList(QDir::Files), QStringList {QStringLiteral("FOTOPaciente.BMP")});
        QCOMPARE(Leer(anterior), QByteArray("la de antes"));
    }
};

QTEST_MAIN(TestFotoPaciente)
#include "test_foto_paciente.moc"
