// The dispenser link against the machine simulator over real loopback sockets: discovery,
// connection, information, configuration, a whole load, the software update, and every fault
// the simulator can play.
#include "core/dispenser/UDispenserTCP.h"
#include "support/MaquinaPrueba.h"

#include "OpcionesSimulador.h"
#include "SimuladorDispensador.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestAppDirectory.h"

#include <QtTest>

using namespace ProtocoloDispensador;

namespace {

struct Informe
{
    quint8 estado;
    qint32 colocadas;
    bool operator==(const Informe &) const = default;
};

QList<qint32> Celdas(std::initializer_list<std::pair<int, qint32>> valores)
{
    QList<qint32> celdas(kNumCeldas, 0);
    for (const auto &[celda, unidades] : valores)
        celdas[celda] = unidades;
    return celdas;
}

// What the link reported while a load ran.
struct Seguimiento
{
    QList<Informe> informes;
    QList<qint32> cierres;
    int desconexiones = 0;
};

// Python's FTP client copying a file into the machine's "/tmp", as the workstation does.
const QString kClienteFtp = QStringLiteral(R"(
import ftplib, sys
puerto, clave, nombre, archivo = sys.argv[1:]
with ftplib.FTP() as ftp:
    ftp.connect("127.0.0.1", int(puerto))
    ftp.login("root", clave)
    ftp.cwd("/tmp")
    with open(archivo, "rb") as datos:
        ftp.storbinary("STOR " + nombre, datos)
)");

TDosis Porcion(const QString &nombre, qint64 idMedicamento, const QString &aspecto, const QList<qint32> &plan,
               const QList<qint32> &colocadas = {})
{
    TDosis porcion;
    porcion.Nombre = nombre;
    porcion.IdMedicamento = idMedicamento;
    porcion.Aspecto = aspecto;
    porcion.Plan = plan;
    if (!colocadas.isEmpty())
        porcion.Actual = colocadas;
    return porcion;
}

} // namespace

class TestDispenserFlow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directorio = std::make_unique<TestAppDirectory>();
        m_directorio->write(QStringLiteral("pastillero.ini"), "[VERSION]\r\nLOG=1\r\n");
        uLog::IniciarLog(IniFile(m_directorio->file(QStringLiteral("pastillero.ini"))),
                         m_directorio->file(QStringLiteral("pastillero.log")));
        m_seguimiento = {};
    }

    void cleanup()
    {
        m_link.reset();
        m_simulador.reset();
        uLog::CerrarLog();
    }

    void cargaCompleta_data()
    {
        QTest::addColumn<OpcionesSimulador>("opciones");
        QTest::newRow("plain") << Opciones();
        OpcionesSimulador troceado = Opciones();
        troceado.trocear = 3;
        QTest::newRow("split segments") << troceado;
        OpcionesSimulador juntado = Opciones();
        juntado.juntar = true;
        QTest::newRow("merged segments") << juntado;
        OpcionesSimulador malformado = Opciones();
        malformado.malformar = true;
        QTest::newRow("garbled messages between") << malformado;
        OpcionesSimulador lento = Opciones();
        lento.retrasoRespuestaMs = 50;
        QTest::newRow("slow answers within the limit") << lento;
    }
    void cargaCompleta()
    {
        QFETCH(OpcionesSimulador, opciones);
        QVERIFY(Arrancar(opciones));

        const TMaquinaConsultada consulta = m_link->ConsultarMaquina();
        QVERIFY(consulta.respondio);
        QCOMPARE(consulta.TipoCarga, 0);
        QCOMPARE(consulta.VersionMaquina, 2.1);
        QCOMPARE(m_link->PedirEstado(), std::optional<quint8>(0));
        QVERIFY(!m_link->ComprobarAmbiente({0, 0, 20, 60, 15, 30}).fallo);

        const Seguimiento &seguimiento = Cargar(Cerrada);
        QCOMPARE(seguimiento.informes, (QList<Informe> {{2, 2}, {3, 4}, {2, 0}, {3, 1}}));
        QCOMPARE(seguimiento.cierres, QList<qint32> {2});
        QCOMPARE(m_link->Pastillas, Celdas({{1, 1}}));
        QTRY_VERIFY(m_simulador->Recibidos().contains("CLOSE;"));
        QCOMPARE(m_simulador->Estado(), quint8(0));
        QVERIFY(m_simulador->Recibidos().contains(
                "CHARGE;IBUPROFENO 600;2;0;0;0;2;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;COMP "
                "BLANCO;41;0;0;0;0;0;0;"
                "0;0;"));
        QVERIFY(m_simulador->Recibidos().contains("INIT;2;"));
        if (opciones.malformar)
            QVERIFY(Log().contains(QLatin1String("Mensaje del dispensador descartado")));
    }

    void laMaquinaCancela()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.cancelarEn = 2;
        QVERIFY(Arrancar(opciones));
        const Seguimiento seguimiento = Cargar(
                [](const Seguimiento &s) { return !s.informes.isEmpty() && s.informes.last().estado == 4; });
        QCOMPARE(seguimiento.informes.last(), (Informe {4, 0}));
        QVERIFY(seguimiento.cierres.isEmpty());
        QCOMPARE(m_link->EstadoMaquina, quint8(0)); // set back after the read
        QCOMPARE(m_simulador->Estado(), quint8(0));
    }

    void unidadesInsuficientes()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.insuficienteEn = 1;
        QVERIFY(Arrancar(opciones));
        const Seguimiento &seguimiento = Cargar(Cerrada);
        QCOMPARE(seguimiento.informes.at(1), (Informe {5, 3}));
        QCOMPARE(seguimiento.cierres, QList<qint32> {2});
    }

    void cierreDuplicado()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.cierreDuplicado = true;
        QVERIFY(Arrancar(opciones));
        const Seguimiento &seguimiento = Cargar([](const Seguimiento &s) { return s.cierres.size() == 2; });
        QCOMPARE(seguimiento.cierres, (QList<qint32> {2, 2}));
    }

    void sinCierreLaAplicacionCancela()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.sinCierre = true;
        QVERIFY(Arrancar(opciones));
        const Seguimiento &seguimiento = Cargar([](const Seguimiento &s) { return s.informes.size() == 4; });
        QCOMPARE(seguimiento.informes.size(), 4);
        QVERIFY(!m_link->Cerrado);
        m_link->Cancelar();
        QTRY_COMPARE(m_simulador->Estado(), quint8(0));
        QVERIFY(m_simulador->Recibidos().contains("CANCEL;"));
    }

    void desconexionEnMitadDeLaCarga()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.desconectarEn = 1;
        QVERIFY(Arrancar(opciones));
        Seguir();
        Entregar();
        const Seguimiento &seguimiento = m_seguimiento;
        QTRY_COMPARE(seguimiento.desconexiones, 1);
        QCOMPARE(seguimiento.informes, (QList<Informe> {{2, 2}}));
        QVERIFY(seguimiento.cierres.isEmpty());
        // Discovery resumes and the machine comes back.
        QTRY_COMPARE(m_simulador->ConexionesRealizadas(), 2);
        QTRY_VERIFY(m_link->Conectado);
        QVERIFY(m_link->PedirInfo());
    }

    void respuestasMasLentasQueElLimite()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.retrasoRespuestaMs = 700;
        QVERIFY(Arrancar(opciones));
        const TMaquinaConsultada consulta = m_link->ConsultarMaquina();
        QVERIFY(!consulta.respondio);
        QCOMPARE(consulta.TipoCarga, 1);
        QCOMPARE(consulta.VersionMaquina, 0.0);
        // The late answer is still stored.
        QTRY_COMPARE(m_link->Info.IdMaq, QString("SIM-0001"));
    }

    void maquinaMuda()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.sinRespuesta = true;
        QVERIFY(Arrancar(opciones));
        QVERIFY(!m_link->PedirInfo());
        QVERIFY(!m_link->PedirEstado());
        QVERIFY(m_link->ComprobarAmbiente({0, 0, 20, 60, 15, 30}).fallo);
        QVERIFY(!m_link->ComprobarConexion());
        QVERIFY(!m_link->Conectado);
    }

    void laSondaConLaMaquina_data()
    {
        QTest::addColumn<bool>("sinTerminador");
        QTest::newRow("terminated answer") << false;
        QTest::newRow("unterminated answer") << true;
    }
    void laSondaConLaMaquina()
    {
        QFETCH(bool, sinTerminador);
        OpcionesSimulador opciones = Opciones();
        opciones.sondaSinTerminador = sinTerminador;
        QVERIFY(Arrancar(opciones));
        QVERIFY(m_link->ComprobarConexion());
        QVERIFY(m_link->Conectado);
        QCOMPARE(m_link->PedirVersion(), std::optional<QString>("SIM 2.1"));
    }

    void versionAntiguaDelSoftware_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QByteArray>("nombre");
        QTest::newRow("1.3 windows-1252") << "1.3" << QByteArray("MU\xd1OZ");
        QTest::newRow("2.0 utf-8") << "2.0" << QByteArray("MU\xc3\x91OZ");
    }
    void versionAntiguaDelSoftware()
    {
        QFETCH(QString, version);
        QFETCH(QByteArray, nombre);
        OpcionesSimulador opciones = Opciones();
        opciones.versionSoftware = version;
        opciones.info.Ver_uPC = version;
        QVERIFY(Arrancar(opciones));
        QCOMPARE(m_link->ConsultarMaquina().VersionMaquina, version.toDouble());
        m_link->EnviarInicio("P7", "MUÑOZ", "", "", "01/01/2025", "P7-1");
        QTRY_VERIFY(m_simulador->Recibidos().contains("START;P7;" + nombre + ";;;01/01/2025;P7-1;"));
    }

    void informacionConVerPicVacio()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.info.Ver_PIC.clear();
        QVERIFY(Arrancar(opciones));
        const auto info = m_link->PedirInfo();
        QVERIFY(info);
        QVERIFY(info->Ver_PIC.isEmpty());
        QCOMPARE(info->Ver_uPC, QString("2.1"));
    }

    void maquinaOcupada()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.estadoReposo = 1;
        QVERIFY(Arrancar(opciones));
        QCOMPARE(m_link->PedirEstado(), std::optional<quint8>(1));
    }

    void humedadFueraDeLimites()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.humedad = 90;
        QVERIFY(Arrancar(opciones));
        const TResultadoAmbiente resultado = m_link->ComprobarAmbiente({-2, 0, 20, 60, 15, 30});
        QVERIFY(resultado.fallo);
        QCOMPARE(resultado.mensaje, QString("LA HUMEDAD 88 ES SUPERIOR A LA HUMEDAD MÁXIMA PERMITIDA"));
    }

    void configuracionDeLaMaquina()
    {
        QVERIFY(Arrancar(Opciones()));
        m_link->Configurar(3, 1, 0, 0);
        const auto red = m_link->PedirIP();
        QVERIFY(red);
        m_link->ConfigurarIP({red->IPLocal, red->IPCampo2, "127.0.0.53", "255.255.255.0", "127.0.0.1"});
        m_link->FijarIdMaquina("KV-9");
        QCOMPARE(m_link->PedirConfig(), std::optional<TConfigMaquina>(TConfigMaquina {3, 1, 0, 0}));
        QCOMPARE(m_link->Red.DNS, QString("127.0.0.53"));
        QCOMPARE(m_link->PedirInfo()->IdMaq, QString("KV-9"));
        const TRedMaquina nuevaRed {red->IPLocal, red->IPCampo2, "127.0.0.53", "255.255.255.0", "127.0.0.1"};
        QCOMPARE(m_link->PedirIP(), std::optional<TRedMaquina>(nuevaRed));

        // Malformed settings change nothing.
        for (const char *malformado :
             {"CONFIG;4;x;0;0;|", "CONFIG;4;1;|", "CONFIGIP;a;b;dns;255.0.0.0;1.1.1.1;|",
              "CONFIGIP;a;b;1.1.1.1;255.0.0.256;1.1.1.1;|", "CONFIGIP;|"})
            m_link->Enviar(malformado);
        QCOMPARE(m_link->PedirConfig(), std::optional<TConfigMaquina>(TConfigMaquina {3, 1, 0, 0}));
        QCOMPARE(m_link->PedirIP(), std::optional<TRedMaquina>(nuevaRed));
        QCOMPARE(m_simulador->Traza().filter(QLatin1String("malformed")).size(), 5);
    }

    void actualizacionDelSoftware_data()
    {
        QTest::addColumn<OpcionesSimulador>("opciones");
        QTest::addColumn<QString>("paquete"); // copied into the machine's "/tmp"; empty: none
        QTest::addColumn<int>("estadoInstalando"); // -1: no answer
        QTest::addColumn<bool>("reinicia");
        QTest::addColumn<QString>("version"); // "answerversion" at the end; empty: no answer
        QTest::addColumn<QString>("software"); // Ver_uPC at the end
        const QString build19 = QStringLiteral("Kelvo_Version_19.tar.gz");
        QTest::newRow("new build") << MaquinaPrueba::ConSoftware("2.2", "2.2.18") << build19 << 1 << true
                                   << "2.2.19"
                                   << "2.2";
        QTest::newRow("to 1.3") << MaquinaPrueba::ConSoftware("1.2", "1.2.7") << "Kelvo_uPC_v1.3" << 1 << true
                                << "1.3.0"
                                << "1.3";
        QTest::newRow("to 2.0, new FTP password") << MaquinaPrueba::ConSoftware("1.3", "1.3.0")
                                                  << "Kelvo_Version_2-0.tar.gz" << 1 << true << "2.0.0"
                                                  << "2.0";
        QTest::newRow("no package") << MaquinaPrueba::ConSoftware("2.2", "2.2.18") << "" << 0 << false
                                    << "2.2.18"
                                    << "2.2";
        OpcionesSimulador rechaza = MaquinaPrueba::ConSoftware("2.2", "2.2.18");
        rechaza.ftpRechazar = true;
        QTest::newRow("upload refused") << rechaza << build19 << 0 << false << "2.2.18"
                                        << "2.2";
        OpcionesSimulador sinCambio = MaquinaPrueba::ConSoftware("2.2", "2.2.18");
        sinCambio.sinCambioVersion = true;
        QTest::newRow("the old version stays") << sinCambio << build19 << 1 << true << "2.2.18"
                                               << "2.2";
        OpcionesSimulador colgada = MaquinaPrueba::ConSoftware("2.2", "2.2.18");
        colgada.ocupadoActualizando = true;
        QTest::newRow("busy for good") << colgada << build19 << 2 << false << "2.2.18"
                                       << "2.2";
        OpcionesSimulador desaparece = MaquinaPrueba::ConSoftware("2.2", "2.2.18");
        desaparece.desaparecerActualizando = true;
        QTest::newRow("gone for good") << desaparece << build19 << -1 << false << ""
                                       << "";
    }
    void actualizacionDelSoftware()
    {
        QFETCH(OpcionesSimulador, opciones);
        QFETCH(QString, paquete);
        QFETCH(int, estadoInstalando);
        QFETCH(bool, reinicia);
        QFETCH(QString, version);
        QFETCH(QString, software);
        QVERIFY(Arrancar(opciones));
        const QString enMaquina = m_simulador->DirectorioFtp() + "/tmp/" + paquete;
        if (!paquete.isEmpty()) {
            const QByteArray contenido = "\x1f\x8b\x08\x00 package " + paquete.toUtf8();
            const bool aceptada = !opciones.ftpRechazar;
            QCOMPARE(SubirPorFtp(ClaveMaquina(opciones.versionSoftware), paquete, contenido), aceptada);
            QCOMPARE(LeerArchivo(enMaquina), aceptada ? contenido : QByteArray());
        }

        m_link->Enviar(ComandoActualizarSistema());
        const std::optional<quint8> estado = m_link->PedirEstado();
        QCOMPARE(estado ? int(*estado) : -1, estadoInstalando);
        if (reinicia) {
            QTRY_COMPARE(m_simulador->ConexionesRealizadas(), 2);
            QTRY_VERIFY(m_link->Conectado);
            QVERIFY(!QFile::exists(enMaquina));
            // Its FTP service takes the password of the software it now runs.
            QVERIFY(SubirPorFtp(ClaveMaquina(software), "otro", "x"));
        } else {
            QTest::qWait(4 * opciones.retrasoActualizacionMs);
            QCOMPARE(m_simulador->ConexionesRealizadas(), 1);
        }
        QCOMPARE(m_link->PedirVersion().value_or(QString()), version);
        const std::optional<TInfoMaquina> info = version.isEmpty() ? std::nullopt : m_link->PedirInfo();
        QCOMPARE(info ? info->Ver_uPC : QString(), software);
        QCOMPARE(m_simulador->Estado(), quint8(estadoInstalando == 2 ? 2 : 0));
    }

private:
    static OpcionesSimulador Opciones() { return MaquinaPrueba::Rapida(); }

    static QString ClaveMaquina(const QString &software)
    {
        return software.toDouble() >= 2.0 ? QStringLiteral("lantrobeks") : QStringLiteral("vemo");
    }

    static QByteArray LeerArchivo(const QString &ruta)
    {
        QFile archivo(ruta);
        return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
    }

    // True when the machine's FTP service took the file.
    bool SubirPorFtp(const QString &clave, const QString &nombre, const QByteArray &contenido)
    {
        QTemporaryFile archivo;
        if (!archivo.open() || archivo.write(contenido) != contenido.size() || !archivo.flush())
            return false;
        QProcess python;
        python.start("python3",
                     {"-c", kClienteFtp, QString::number(m_simulador->PuertoFtp()), clave, nombre,
                      archivo.fileName()});
        return python.waitForFinished(10000) && python.exitStatus() == QProcess::NormalExit
                && python.exitCode() == 0;
    }

    bool Arrancar(const OpcionesSimulador &opciones)
    {
        return MaquinaPrueba::Arrancar(opciones, m_simulador, m_link);
    }

    // Records the link's events in m_seguimiento, which outlives the link.
    void Seguir()
    {
        Seguimiento &seguimiento = m_seguimiento;
        m_link->OnEstadoCarga = [&seguimiento](TDispenser &, const QList<qint32> &, quint8 estado,
                                               qint32 colocadas, qint32) {
            seguimiento.informes.append({estado, colocadas});
        };
        m_link->OnCierre = [&seguimiento](TDispenser &link, qint32 valor) {
            seguimiento.cierres.append(valor);
            link.Cerrar();
        };
        m_link->OnDesconectar = [&seguimiento](TDispenser &) { ++seguimiento.desconexiones; };
    }

    // START, the two medications of the test and INIT.
    void Entregar()
    {
        m_link->ChargesEnviados = 0;
        m_link->EnviarInicio("P001", "ANA GARCIA", "", "", "05/03/2024", "P001-8");
        m_link->EnviarCarga(Porcion("IBUPROFENO 600", 41, "COMP BLANCO", Celdas({{0, 2}, {4, 2}})));
        m_link->EnviarCarga(Porcion("(1/2) OMEPRAZOL", 42, "CAPS", Celdas({{1, 1}})));
        m_link->EnviarInit(m_link->ChargesEnviados);
    }

    // Runs a load until the link has seen what the test waits for.
    const Seguimiento &Cargar(const std::function<bool(const Seguimiento &)> &terminado)
    {
        Seguir();
        Entregar();
        if (!QTest::qWaitFor([&] { return terminado(m_seguimiento); }, 10000))
            qWarning("the load did not reach the awaited point");
        return m_seguimiento;
    }

    static bool Cerrada(const Seguimiento &seguimiento) { return !seguimiento.cierres.isEmpty(); }

    QString Log() const { return QString::fromUtf8(m_directorio->read(QStringLiteral("pastillero.log"))); }

    std::unique_ptr<TestAppDirectory> m_directorio;
    Seguimiento m_seguimiento;
    std::unique_ptr<SimuladorDispensador> m_simulador;
    std::unique_ptr<TDispenserTCP> m_link;
};

QTEST_GUILESS_MAIN(TestDispenserFlow)
#include "test_dispenser_flow.moc"
