// Copying a machine software package by FTP, against a real FTP server on loopback
// (tools/dispenser-sim/servidor_ftp.py) playing the machine's service and its faults.
#include "core/dispenser/SubidaFtp.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <optional>

namespace {

const QString kClave = QStringLiteral("lantrobeks");
// A blank and a "#" in the name: the name must be escaped in the address.
const QString kNombrePaquete = QStringLiteral("Kelvo Version #19.tar.gz");

// The machine's FTP service; it ends with this object (its standard input closes).
class TServidorFtp
{
public:
    TServidorFtp(const QString &raiz, const QStringList &opciones)
    {
        m_proceso.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_proceso.start(QStringLiteral(PASTILLERO_PYTHON3),
                        QStringList {QStringLiteral(PASTILLERO_SERVIDOR_FTP), "--puerto", "0", "--directorio",
                                     raiz, "--usuario", "root", "--clave", kClave}
                                + opciones);
        while (!m_proceso.canReadLine() && m_proceso.waitForReadyRead(10000)) { }
        const QByteArray linea = m_proceso.readLine().trimmed();
        if (linea.startsWith("LISTO "))
            m_puerto = quint16(linea.mid(6).toUInt());
    }
    ~TServidorFtp()
    {
        m_proceso.closeWriteChannel();
        m_proceso.waitForFinished(5000);
    }
    quint16 Puerto() const { return m_puerto; }

private:
    QProcess m_proceso;
    quint16 m_puerto = 0;
};

// A port nobody listens on.
quint16 PuertoLibre()
{
    QTcpServer libre;
    libre.listen(QHostAddress::LocalHost);
    return libre.serverPort();
}

// A package of binary bytes: line ends and zero bytes would be changed by a text transfer. Larger
// than what this computer's buffers can take at once (4 MB at most), so that a slow machine's
// transfer shows its progress.
QByteArray ContenidoPaquete()
{
    QByteArray contenido("\r\n\0\n\r\0\r\n", 8);
    QRandomGenerator aleatorio(19);
    while (contenido.size() < 6 * 1024 * 1024)
        contenido.append(char(aleatorio.bounded(256)));
    return contenido;
}

QByteArray Leer(const QString &ruta)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

void Escribir(const QString &ruta, const QByteArray &contenido)
{
    QFile archivo(ruta);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    archivo.write(contenido);
}

} // namespace

class TestSubidaFtp : public QObject
{
    Q_OBJECT

private slots:
    void subida_data()
    {
        QTest::addColumn<QStringList>("opcionesServidor"); // no server at all when it holds "-"
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("yaExiste"); // a longer, older package of the same name is there
        QTest::addColumn<bool>("cancelar");
        QTest::addColumn<bool>("completa");
        QTest::addColumn<QString>("errorContiene");

        const QStringList normal;
        QTest::newRow("byte for byte, slow machine")
                << QStringList {"--lento", "8000000"} << kClave << false << false << true << QString();
        QTest::newRow("replaces an older file") << normal << kClave << true << false << true << QString();
        QTest::newRow("wrong password") << normal << "vemo" << false << false << false << "login";
        QTest::newRow("upload refused")
                << QStringList {"--rechazar-subida"} << kClave << false << false << false << "550";
        QTest::newRow("connection cut half-way")
                << QStringList {"--cortar-tras", "3000000"} << kClave << false << false << false << QString();
        QTest::newRow("no server listening")
                << QStringList {"-"} << kClave << false << false << false << QString();
        QTest::newRow("cancelled from the progress")
                << QStringList {"--lento", "100000"} << kClave << false << true << false << QString();
    }

    void subida()
    {
        QFETCH(QStringList, opcionesServidor);
        QFETCH(QString, clave);
        QFETCH(bool, yaExiste);
        QFETCH(bool, cancelar);
        QFETCH(bool, completa);
        QFETCH(QString, errorContiene);

        QTemporaryDir origen, raiz;
        const QByteArray contenido = ContenidoPaquete();
        const QString paquete = origen.filePath(kNombrePaquete);
        const QString copia = raiz.filePath(QStringLiteral("tmp/") + kNombrePaquete);
        Escribir(paquete, contenido);
        std::optional<TServidorFtp> servidor;
        TDestinoFtp destino;
        destino.servidor = QStringLiteral("127.0.0.1");
        destino.puerto = PuertoLibre();
        destino.usuario = QStringLiteral("root");
        destino.clave = clave;
        if (opcionesServidor != QStringList {"-"}) {
            servidor.emplace(raiz.path(), opcionesServidor);
            QVERIFY(servidor->Puerto() != 0);
            destino.puerto = servidor->Puerto();
        }
        if (yaExiste)
            Escribir(copia, QByteArray(600 * 1024, 'x'));

        QList<qint64> avisos;
        QElapsedTimer reloj;
        reloj.start();
        const TResultadoSubida r = SubirArchivoFtp(destino, paquete, [&](qint64 enviados, qint64 total) {
            avisos << enviados;
            return total == contenido.size() && !cancelar;
        });

        QVERIFY2(reloj.elapsed() < 8000, "nothing waited for a timeout");
        QCOMPARE(r.completa, completa);
        QCOMPARE(r.cancelada, cancelar);
        QCOMPARE(r.tamano, qint64(contenido.size()));
        QCOMPARE(Leer(copia) == contenido, completa);
        QCOMPARE(r.error.isEmpty(), completa);
        QVERIFY2(r.error.contains(errorContiene, Qt::CaseInsensitive), qPrintable(r.error));
        if (completa)
            QCOMPARE(r.enviados, r.tamano);
        QVERIFY(std::is_sorted(avisos.cbegin(), avisos.cend()));
        if (cancelar)
            QCOMPARE(avisos.size(), 1); // asked once, and never again after the "stop"
        if (completa && opcionesServidor.contains("--lento")) // counts below the whole are seen
            QVERIFY(std::any_of(avisos.cbegin(), avisos.cend(),
                                [&](qint64 enviados) { return enviados > 0 && enviados < r.tamano; }));
    }

    void paqueteIlegible()
    {
        const TResultadoSubida r
                = SubirArchivoFtp(TDestinoFtp(), QStringLiteral("/nonexistent/Kelvo_Version_19.tar.gz"));
        QVERIFY(!r.completa);
        QVERIFY(!r.error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSubidaFtp)
#include "test_subida_ftp.moc"
