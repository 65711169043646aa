#include "core/shell/IniFile.h"
#include "core/shell/ServidorActualizaciones.h"
#include "support/ServidorHttpPrueba.h"
#include "support/TestAppDirectory.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

const QByteArray kPaquete = QByteArrayLiteral("\x1f\x8b\x08\x00") + QByteArray(70000, 'p');
const QByteArray kPaginaError = QByteArrayLiteral("<html><body>Not here</body></html>");

QStringList Archivos(const QString &carpeta)
{
    return QDir(carpeta).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class TestServidorActualizaciones : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServidorHttpPrueba> m_servidor;

private slots:
    void initTestCase()
    {
        m_servidor = std::make_unique<ServidorHttpPrueba>();
        QVERIFY2(m_servidor->escucha(), "the test update server did not start");
    }
    void init() { m_servidor->vaciar(); }

    void servidoresDelIni_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("principal");
        QTest::addColumn<QString>("alternativo");
        QTest::newRow("none by default") << QByteArray("[VERSION]\nMAQ=3\n") << ""
                                         << "";
        QTest::newRow("both") << QByteArray("[actualizacion]\nservidorprincipal= https://a.example/ \n"
                                            "ServidorAlternativo=https://b.example/x/\n")
                              << "https://a.example/"
                              << "https://b.example/x/";
    }
    void servidoresDelIni()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, principal);
        QFETCH(QString, alternativo);
        TestAppDirectory dir;
        const ServidoresActualizacion servidores
                = ServidoresActualizacion::Leer(IniFile(dir.write(QStringLiteral("pastillero.ini"), ini)));
        QCOMPARE(servidores.principal, QUrl(principal));
        QCOMPARE(servidores.alternativo, QUrl(alternativo));
    }

    // A failed download leaves the file it was to replace as it was, and no temporary file.
    void descargar_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<bool>("detener");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("status");
        QTest::newRow("served whole") << "/espejo/p.bin" << false << true << 200;
        QTest::newRow("404") << "/espejo/falta.bin" << false << false << 404;
        QTest::newRow("500") << "/fallo/p.bin" << false << false << 500;
        QTest::newRow("redirect loop") << "/redirige/p.bin" << false << false << -1;
        QTest::newRow("truncated body") << "/cortado/espejo/p.bin" << false << false << -1;
        QTest::newRow("stalled") << "/lento/espejo/p.bin" << false << false << -1;
        QTest::newRow("stopped by progress") << "/espejo/p.bin" << true << false << -1;
    }
    void descargar()
    {
        QFETCH(QString, ruta);
        QFETCH(bool, detener);
        QFETCH(bool, ok);
        QFETCH(int, status);
        m_servidor->publicar(QStringLiteral("espejo/p.bin"), kPaquete);
        TestAppDirectory dir;
        const QString destino = dir.write(QStringLiteral("destino.bin"), "anterior");
        qint64 ultimo = 0;
        const ProgresoDescarga progreso = [&](qint64 recibidos, qint64) {
            ultimo = recibidos;
            return !detener;
        };

        const ResultadoDescarga resultado
                = Descargar(QUrl(m_servidor->conPuerto(QStringLiteral("http://127.0.0.1:%1")) + ruta),
                            destino, progreso, std::chrono::milliseconds(300));
        QCOMPARE(resultado.ok, ok);
        QCOMPARE(resultado.error.isEmpty(), ok);
        if (status >= 0)
            QCOMPARE(resultado.httpStatus, status);
        QCOMPARE(dir.read(QStringLiteral("destino.bin")), ok ? kPaquete : QByteArray("anterior"));
        QCOMPARE(Archivos(dir.path()), QStringList {QStringLiteral("destino.bin")});
        if (ok)
            QCOMPARE(ultimo, kPaquete.size());
    }

    void paqueteMaquina_data()
    {
        QTest::addColumn<QString>("principal");
        QTest::addColumn<QString>("alternativo");
        QTest::addColumn<QByteArray>("descripcion");
        QTest::addColumn<QString>("enServidor"); // below the mirror's channel folder
        QTest::addColumn<QByteArray>("paquete");
        QTest::addColumn<QString>("esperado"); // in the working folder; empty: nothing
        QTest::addColumn<QString>("canal");

        const QString espejo = QStringLiteral("http://127.0.0.1:%1/espejo/");
        const QString caido = QStringLiteral("http://127.0.0.1:%1/caido/");
        const QString canal = espejo + QStringLiteral("Kelvo/");
        const QByteArray maq18 = "; published\r\n[version]\r\nMAQ=18\r\nKelvo=7\r\n";
        QTest::newRow("good package")
                << espejo << "" << maq18 << "MAQ_18.UPD" << kPaquete << "Kelvo_Version_18.tar.gz" << canal;
        QTest::newRow("primary 404, fallback serves")
                << caido << espejo << QByteArray("[VERSION]\nMAQ=2-0\n") << "MAQ_2-0.UPD" << kPaquete
                << "Kelvo_Version_2-0.tar.gz" << canal;
        QTest::newRow("both down") << "http://127.0.0.1:1/" << caido << maq18 << "MAQ_18.UPD" << kPaquete
                                   << ""
                                   << "";
        QTest::newRow("no servers configured") << ""
                                               << "" << maq18 << "MAQ_18.UPD" << kPaquete << ""
                                               << "";
        QTest::newRow("update.ini without [VERSION]")
                << espejo << "" << QByteArray("[OTRA]\nMAQ=18\n") << "MAQ_18.UPD" << kPaquete << ""
                << "";
        QTest::newRow("package 404") << espejo << "" << maq18 << "MAQ_19.UPD" << kPaquete << "" << canal;
        QTest::newRow("package is an error page")
                << espejo << "" << maq18 << "MAQ_18.UPD" << kPaginaError << "" << canal;
        QTest::newRow("MAQ leaves the folder") << espejo << "" << QByteArray("[VERSION]\nMAQ=../x\n")
                                               << "MAQ_../x.UPD" << kPaquete << "" << canal;
        QTest::newRow("MAQ not a number") << espejo << "" << QByteArray("[VERSION]\nMAQ=1a\n") << "MAQ_1a.UPD"
                                          << kPaquete << "" << canal;
    }
    void paqueteMaquina()
    {
        QFETCH(QString, principal);
        QFETCH(QString, alternativo);
        QFETCH(QByteArray, descripcion);
        QFETCH(QString, enServidor);
        QFETCH(QByteArray, paquete);
        QFETCH(QString, esperado);
        QFETCH(QString, canal);
        m_servidor->publicar(QStringLiteral("espejo/Kelvo/update.ini"), descripcion);
        m_servidor->publicar(QStringLiteral("espejo/Kelvo/") + enServidor, paquete);
        TestAppDirectory dir;
        const QString carpeta = dir.directory().updateDir();
        TServidorActualizaciones servidor(
                {QUrl(m_servidor->conPuerto(principal)), QUrl(m_servidor->conPuerto(alternativo))}, false,
                carpeta);

        const std::optional<QString> ruta = servidor.DescargarPaqueteMaquina();
        QCOMPARE(ruta.has_value(), !esperado.isEmpty());
        QCOMPARE(servidor.DireccionCanal(), QUrl(m_servidor->conPuerto(canal)));
        QCOMPARE(Archivos(carpeta), esperado.isEmpty() ? QStringList() : QStringList {esperado});
        if (ruta) {
            QCOMPARE(*ruta, QDir(carpeta).filePath(esperado));
            QCOMPARE(dir.read(QStringLiteral("UPDATE/") + esperado), paquete);
        }
        if (principal.isEmpty() && alternativo.isEmpty())
            QVERIFY(!QFileInfo::exists(carpeta));
    }

    void archivoConNombre_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<bool>("ok");
        QTest::newRow("step to 1.3") << "Kelvo_uPC_v1.3" << kPaginaError << true;
        QTest::newRow("step to 2.0") << "Kelvo_Version_2-0.tar.gz" << kPaquete << true;
        QTest::newRow("package is an error page") << "Kelvo_Version_2-0.tar.gz" << kPaginaError << false;
        QTest::newRow("parent folder") << "../Kelvo_uPC_v1.3" << kPaquete << false;
        QTest::newRow("sub folder") << "sub/Kelvo_uPC_v1.3" << kPaquete << false;
    }
    void archivoConNombre()
    {
        QFETCH(QString, nombre);
        QFETCH(QByteArray, contenido);
        QFETCH(bool, ok);
        m_servidor->publicar(QStringLiteral("espejo/Kelvo_BETA/update.ini"), "[VERSION]\n");
        m_servidor->publicar(QStringLiteral("espejo/Kelvo_BETA/") + nombre, contenido);
        TestAppDirectory dir;
        const QString carpeta = dir.directory().updateDir();
        TServidorActualizaciones servidor(
                {QUrl(m_servidor->conPuerto(QStringLiteral("http://127.0.0.1:%1/espejo"))), {}}, true,
                carpeta);

        const std::optional<QString> ruta = servidor.DescargarArchivo(nombre);
        QCOMPARE(ruta.has_value(), ok);
        QCOMPARE(Archivos(carpeta), ok ? QStringList {nombre} : QStringList());
        if (ok)
            QCOMPARE(dir.read(QStringLiteral("UPDATE/") + nombre), contenido);
    }
};

QTEST_GUILESS_MAIN(TestServidorActualizaciones)
#include "test_servidor_actualizaciones.moc"
