// The link over real sockets on loopback, with a hand-driven machine on the other side.
#include "core/dispenser/UDispenserTCP.h"

#include "core/common/AppError.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestAppDirectory.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QProcess>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

namespace {

// A machine driven by the test: a TCP client of the link that can answer the probe.
class MaquinaManual : public QObject
{
public:
    explicit MaquinaManual(quint16 puerto)
    {
        connect(&socket, &QTcpSocket::readyRead, this, [this] {
            const QByteArray leido = socket.readAll();
            recibido += leido;
            if (leido.endsWith("REQUESTHT;") && !respuestaSonda.isEmpty())
                Escribir(respuestaSonda);
        });
        socket.connectToHost(QHostAddress::LocalHost, puerto);
    }

    void Escribir(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }

    QTcpSocket socket;
    QByteArray recibido;
    QByteArray respuestaSonda; // empty: the probe gets no answer
};

} // namespace

class TestDispenserTCP : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directorio = std::make_unique<TestAppDirectory>();
        m_directorio->write(QStringLiteral("pastillero.ini"), "[VERSION]\r\nLOG=1\r\n");
        uLog::IniciarLog(IniFile(m_directorio->file(QStringLiteral("pastillero.ini"))),
                         m_directorio->file(QStringLiteral("pastillero.log")));
        m_busqueda = std::make_unique<QUdpSocket>();
        QVERIFY(m_busqueda->bind(QHostAddress::LocalHost, 0));
        m_link = std::make_unique<TDispenserTCP>(Configuracion());
        QVERIFY(m_link->Escuchando());
    }

    void cleanup()
    {
        m_link.reset();
        m_busqueda.reset();
        uLog::CerrarLog();
    }

    void elEnlaceSeAlcanzaMientrasExiste()
    {
        QCOMPARE(&Dispenser(), m_link.get());
        m_link.reset();
        QVERIFY_THROWS_EXCEPTION(AppError, Dispenser());
    }

    void sinMaquinaSeAnunciaPorLaRed()
    {
        const QByteArray datagrama = SiguienteDatagrama();
        QCOMPARE(datagrama, "M-SEARCH;Host:127.0.0.1:" + QByteArray::number(m_link->Puerto()) + ";");
    }

    void seAnunciaNadaMasCrearse()
    {
        TConfiguracionRedDispensador configuracion = Configuracion();
        configuracion.periodoBusquedaMs = 3600 * 1000;
        m_link.reset();
        VaciarDatagramas();
        m_link = std::make_unique<TDispenserTCP>(configuracion);
        QVERIFY(!SiguienteDatagrama().isEmpty());
    }

    void conLaMaquinaConectadaLaBusquedaSeDetieneYVuelveAlDesconectarse()
    {
        int conexiones = 0, desconexiones = 0;
        m_link->OnConectar = [&](TDispenser &) { ++conexiones; };
        m_link->OnDesconectar = [&](TDispenser &) { ++desconexiones; };
        auto maquina = Conectar();
        QTRY_COMPARE(conexiones, 1);
        VaciarDatagramas();
        QTest::qWait(10 * kPeriodoMs);
        QVERIFY(!m_busqueda->hasPendingDatagrams());

        maquina->socket.disconnectFromHost();
        QTRY_VERIFY(!m_link->Conectado);
        QTRY_COMPARE(desconexiones, 1);
        QVERIFY(!SiguienteDatagrama().isEmpty());
    }

    void laBusquedaDesactivadaNoEnviaNada()
    {
        m_link->ActivarBusqueda(false);
        VaciarDatagramas();
        QTest::qWait(10 * kPeriodoMs);
        QVERIFY(!m_busqueda->hasPendingDatagrams());
        m_link->ActivarBusqueda(true);
        QVERIFY(!SiguienteDatagrama().isEmpty());
    }

    void laSondaSinConexionDaFalso()
    {
        m_link->Conectado = true;
        QVERIFY(!m_link->ComprobarConexion());
        QVERIFY(!m_link->Conectado);
    }

    void laSondaRespondidaDaVerdaderoYLaRespuestaSeTrata()
    {
        auto maquina = Conectar();
        maquina->respuestaSonda = "answerht;41;23|";
        QVERIFY(m_link->ComprobarConexion());
        QVERIFY(m_link->Conectado);
        QCOMPARE(m_link->HumedadMaquina, 41);
        QVERIFY(maquina->recibido.endsWith("REQUESTHT;"));
    }

    void laSondaSinRespuestaDaFalsoYLaBusquedaVuelve()
    {
        auto maquina = Conectar();
        QVERIFY(!m_link->ComprobarConexion());
        QVERIFY(!m_link->Conectado);
        VaciarDatagramas();
        QVERIFY(!SiguienteDatagrama().isEmpty());
    }

    void unCierreQueLlegaDuranteLaSondaNoSePierde()
    {
        auto maquina = Conectar();
        qint32 cierre = -1;
        m_link->OnCierre = [&](TDispenser &, qint32 valor) { cierre = valor; };
        maquina->respuestaSonda = "close;3|";
        QVERIFY(m_link->ComprobarConexion());
        QVERIFY(m_link->Cerrado);
        QTRY_COMPARE(cierre, 3);
    }

    void unaRespuestaALaSondaSinTerminadorNoSeJuntaConElSiguienteMensaje()
    {
        auto maquina = Conectar();
        maquina->respuestaSonda = "answerht;41;23";
        QVERIFY(m_link->ComprobarConexion());
        maquina->Escribir("close;1|");
        QTRY_VERIFY(m_link->Cerrado);
    }

    void unMensajeTroceadoSeJuntaYVariosJuntosSeSeparan()
    {
        auto maquina = Conectar();
        QTRY_VERIFY(m_link->Conectado);
        connect(&maquina->socket, &QTcpSocket::readyRead, this, [&] {
            if (maquina->recibido.endsWith("REQUESTHT;|")) {
                maquina->Escribir("answer");
                QTimer::singleShot(20, this, [&] { maquina->Escribir("ht;41;2"); });
                QTimer::singleShot(40, this, [&] { maquina->Escribir("3|close;2|answerstatus;3|"); });
            }
        });
        const auto ht = m_link->PedirHT();
        QVERIFY(ht);
        QCOMPARE(ht->temperatura, 23);
        QTRY_VERIFY(m_link->Cerrado);
        QTRY_COMPARE(m_link->EstadoConsultado, quint8(3));
    }

    void laBasuraSinFinNoRompeNadaYSeRegistra()
    {
        auto maquina = Conectar();
        QTRY_VERIFY(m_link->Conectado);
        const QByteArray bloque(1024 * 1024, 'x');
        for (int i = 0; i < 10; ++i)
            maquina->Escribir(bloque);
        maquina->Escribir("|\xff\xfe;|status;2;X;0;;1|close;1|");
        QTRY_VERIFY(m_link->Cerrado);
        const QString log = Log();
        QVERIFY(log.contains(QLatin1String("sin terminador")));
        QVERIFY(log.contains(QLatin1String(": ERROR:Mensaje del dispensador descartado: status")));
    }

    void elEstado4VuelveA0TrasLaLectura()
    {
        auto maquina = Conectar();
        quint8 estadoAvisado = 0;
        m_link->OnEstadoCarga = [&](TDispenser &, const QList<qint32> &, quint8 estado, qint32, qint32) {
            estadoAvisado = estado;
        };
        QByteArray status = "status;4;X;0;";
        for (int i = 0; i < 28; ++i)
            status += ";0";
        maquina->Escribir(status + "|");
        QTRY_COMPARE(estadoAvisado, quint8(4));
        QCOMPARE(m_link->EstadoMaquina, quint8(0));
    }

    void conDosConexionesSeHablaConLaUltimaYSeEscuchanAmbas()
    {
        auto primera = Conectar();
        QTRY_COMPARE(m_link->NumeroConexiones(), qsizetype(1));
        auto segunda = Conectar();
        QTRY_COMPARE(m_link->NumeroConexiones(), qsizetype(2));
        m_link->Cerrar();
        QTRY_VERIFY(segunda->recibido.contains("CLOSE;|"));
        primera->Escribir("answerversion;1.3|");
        QTRY_COMPARE(m_link->VersionRespuesta, QString("1.3"));
        QVERIFY(!primera->recibido.contains("CLOSE;|"));

        segunda->socket.disconnectFromHost();
        QTRY_COMPARE(m_link->NumeroConexiones(), qsizetype(1));
        m_link->Cancelar();
        QTRY_VERIFY(primera->recibido.contains("CANCEL;|"));

        primera->socket.disconnectFromHost();
        QTRY_COMPARE(m_link->NumeroConexiones(), qsizetype(0));
        QVERIFY(m_link->DireccionMaquina().isEmpty());
        QCOMPARE(m_link->DireccionUltimaMaquina(), QString("127.0.0.1"));
    }

    void sinConexionLosEnviosSeDescartan()
    {
        m_link->Cerrar();
        QVERIFY(!Log().contains(QLatin1String(": OUT: ")));
        QVERIFY(m_link->DireccionMaquina().isEmpty());
        QVERIFY(m_link->DireccionUltimaMaquina().isEmpty());
    }

    void cadaMensajeSeRegistraComoSalioYComoEntro()
    {
        auto maquina = Conectar();
        QTRY_VERIFY(m_link->Conectado);
        QCOMPARE(m_link->DireccionMaquina(), QString("127.0.0.1"));
        m_link->FijarVersionMaquina(2.0);
        m_link->EnviarInicio("P1", "MUÑOZ", "", "", "01/01/2025", "P1-1");
        QTRY_VERIFY(maquina->recibido.contains("START;P1;MU\xc3\x91OZ;;;01/01/2025;P1-1;|"));
        maquina->Escribir("answerstatus;0|");
        QTRY_VERIFY(Log().contains(QLatin1String(": INP: answerstatus;0\r\n")));
        QVERIFY(Log().contains(QStringLiteral(": OUT: START;P1;MUÑOZ;;;01/01/2025;P1-1;|\r\n")));
    }

    void cerrarLaConexionCierraTodo()
    {
        auto maquina = Conectar();
        QTRY_VERIFY(m_link->Conectado);
        m_link->CerrarConexion();
        QVERIFY(!m_link->Conectado);
        QVERIFY(!m_link->Escuchando());
        QVERIFY(!m_link->BusquedaActiva());
        QTRY_COMPARE(maquina->socket.state(), QAbstractSocket::UnconnectedState);
    }

    // Only where no packet can leave: a private network namespace holding loopback alone.
    void laBusquedaPorDefectoSeDifundeEnElEspacioPrivado()
    {
        SoloEnEspacioDeRedPrivado();
        QProcess ruta;
        ruta.start(QStringLiteral("ip"), {"route", "replace", "255.255.255.255/32", "dev", "lo"});
        if (!ruta.waitForFinished() || ruta.exitCode() != 0)
            QSKIP("the broadcast route cannot be added here");
        QUdpSocket maquina;
        QVERIFY(maquina.bind(QHostAddress::AnyIPv4, 0));
        TConfiguracionRedDispensador configuracion; // the default destination 255.255.255.255
        configuracion.escucha = QHostAddress(QHostAddress::LocalHost);
        configuracion.puerto = 0;
        configuracion.puertoBusqueda = maquina.localPort();
        configuracion.direccionAnunciada = QHostAddress(QHostAddress::LocalHost);
        configuracion.periodoBusquedaMs = kPeriodoMs;
        m_link.reset();
        TDispenserTCP link(configuracion);
        QVERIFY(QTest::qWaitFor([&] { return maquina.hasPendingDatagrams(); }, 5000));
        QCOMPARE(maquina.receiveDatagram().data(),
                 "M-SEARCH;Host:127.0.0.1:" + QByteArray::number(link.Puerto()) + ";");
    }

    void sinDireccionPropiaNoSeAnunciaYSeRegistraUnaVez()
    {
        SoloEnEspacioDeRedPrivado();
        TConfiguracionRedDispensador configuracion = Configuracion();
        configuracion.direccionAnunciada = QHostAddress(); // from the interfaces: loopback only here
        m_link = std::make_unique<TDispenserTCP>(configuracion);
        VaciarDatagramas();
        QTest::qWait(10 * kPeriodoMs);
        QVERIFY(!m_busqueda->hasPendingDatagrams());
        QCOMPARE(Log().count(QLatin1String("No se encuentra la direccion de red")), 1);
    }

private:
    static constexpr int kPeriodoMs = 20;

    static void SoloEnEspacioDeRedPrivado()
    {
        const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
        const bool soloLoopback
                = std::all_of(interfaces.cbegin(), interfaces.cend(), [](const auto &interfaz) {
                      return interfaz.flags().testFlag(QNetworkInterface::IsLoopBack);
                  });
        if (qEnvironmentVariable("PASTILLERO_IN_NETNS") != QLatin1String("1") || !soloLoopback)
            QSKIP("needs the private network namespace of scripts/in-private-network.sh");
    }

    TConfiguracionRedDispensador Configuracion() const
    {
        TConfiguracionRedDispensador configuracion
                = TConfiguracionRedDispensador::Local(0, m_busqueda->localPort());
        configuracion.periodoBusquedaMs = kPeriodoMs;
        return configuracion;
    }

    std::unique_ptr<MaquinaManual> Conectar()
    {
        auto maquina = std::make_unique<MaquinaManual>(m_link->Puerto());
        [&] { QTRY_COMPARE(maquina->socket.state(), QAbstractSocket::ConnectedState); }();
        return maquina;
    }

    QByteArray SiguienteDatagrama()
    {
        // The link sends from the event loop, so wait by running it.
        if (!QTest::qWaitFor([this] { return m_busqueda->hasPendingDatagrams(); }, 5000))
            return {};
        QByteArray datagrama(m_busqueda->pendingDatagramSize(), '\0');
        m_busqueda->readDatagram(datagrama.data(), datagrama.size());
        return datagrama;
    }

    void VaciarDatagramas()
    {
        while (m_busqueda->hasPendingDatagrams())
            m_busqueda->receiveDatagram();
    }

    QString Log() const { return QString::fromUtf8(m_directorio->read(QStringLiteral("pastillero.log"))); }

    std::unique_ptr<TestAppDirectory> m_directorio;
    std::unique_ptr<QUdpSocket> m_busqueda;
    std::unique_ptr<TDispenserTCP> m_link;
};

QTEST_GUILESS_MAIN(TestDispenserTCP)
#include "test_dispenser_tcp.moc"
