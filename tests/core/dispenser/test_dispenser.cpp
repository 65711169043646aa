#include "core/dispenser/UDispenser.h"

#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestAppDirectory.h"

#include <QtTest>

using namespace ProtocoloDispensador;

namespace {

// Stands for the transport: records what the link sends and plays the machine's answers
// from the event loop, as a socket would.
class MaquinaGuionada
{
public:
    explicit MaquinaGuionada(TDispenser &link)
        : m_link(link)
    {
        link.Transmitir = [this](const QByteArray &mensaje) {
            enviados.append(mensaje);
            const QByteArray respuesta = respuestas.value(mensaje);
            if (!respuesta.isEmpty())
                QTimer::singleShot(0, &m_link, [this, respuesta] { m_link.ProcesarMensaje(respuesta); });
        };
    }

    QHash<QByteArray, QByteArray> respuestas; // request bytes -> answer (without "|")
    QList<QByteArray> enviados;

private:
    TDispenser &m_link;
};

QList<qint32> Celdas(std::initializer_list<std::pair<int, qint32>> valores)
{
    QList<qint32> celdas(kNumCeldas, 0);
    for (const auto &[celda, unidades] : valores)
        celdas[celda] = unidades;
    return celdas;
}

QByteArray Status(int estado, const QList<qint32> &celdas)
{
    QByteArray mensaje = "status;" + QByteArray::number(estado) + ";PARACETAMOL;1;JUAN";
    for (const qint32 unidades : celdas)
        mensaje += ";" + QByteArray::number(unidades);
    return mensaje;
}

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

class TestDispenser : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directorio = std::make_unique<TestAppDirectory>();
        m_directorio->write(QStringLiteral("pastillero.ini"), "[VERSION]\r\nLOG=1\r\n");
        uLog::IniciarLog(IniFile(m_directorio->file(QStringLiteral("pastillero.ini"))),
                         m_directorio->file(QStringLiteral("pastillero.log")));
    }
    void cleanup() { uLog::CerrarLog(); }

    void unaPeticionRespondidaDevuelveLosValores()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        maquina.respuestas = {
                {"REQUESTHT;|", "answerht;41;23"},
                {"REQUESTSTATUS;|", "answerstatus;1"},
                {"REQUESTVERSION;|", "answerversion;2.1"},
                {"REQUESTIP;|", "answerip;10.0.0.5;1;10.0.0.1;255.0.0.0;10.0.0.254"},
                {"REQUESTCONFIG;|", "answerconfig;3;1;0;0;10.0.0.6;2;10.0.0.1;255.0.0.0;10.0.0.254"},
                {"REQUESTINFO;|", "answerinfo;SN1;D;120;;2.1;U;K;R;512;3"},
        };
        const auto ht = link.PedirHT();
        QVERIFY(ht);
        QCOMPARE(ht->humedad, 41);
        QCOMPARE(ht->temperatura, 23);
        QCOMPARE(link.PedirEstado(), std::optional<quint8>(1));
        QCOMPARE(link.EstadoMaquina, quint8(1));
        QCOMPARE(link.PedirVersion(), std::optional<QString>("2.1"));
        QCOMPARE(link.PedirIP()->Gateway, QString("10.0.0.254"));
        QCOMPARE(link.PedirConfig(), std::optional<TConfigMaquina>(TConfigMaquina {3, 1, 0, 0}));
        QCOMPARE(link.Red.IPLocal, QString("10.0.0.6"));
        QCOMPARE(link.PedirInfo()->IdMaq, QString("SN1"));
    }

    void unaPeticionSinRespuestaNoDevuelveNadaYNoCambiaNada()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        link.HumedadMaquina = 50;
        QVERIFY(!link.PedirHT());
        QCOMPARE(link.HumedadMaquina, 50);
        QCOMPARE(maquina.enviados, QList<QByteArray> {"REQUESTHT;|"});
    }

    void unaRespuestaDeOtroTipoNoSatisfaceLaEspera()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        maquina.respuestas = {{"REQUESTIP;|", "answerinfo;SN1;D;120;P;2.1;U;K;R;512;3"}};
        QVERIFY(!link.PedirIP());
        QCOMPARE(link.Info.IdMaq, QString("SN1")); // stored all the same
        QVERIFY(link.Recibida(TDispenser::Respuesta::Informacion));
        QVERIFY(!link.Recibida(TDispenser::Respuesta::Red));
    }

    void unaRespuestaAnteriorNoSatisfaceLaSiguientePeticion()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        link.ProcesarMensaje("answerht;41;23");
        QVERIFY(link.Recibida(TDispenser::Respuesta::Ambiente));
        QVERIFY(!link.PedirHT());
    }

    void unaRespuestaMalformadaNoCambiaNadaYSeRegistra()
    {
        TDispenser link;
        link.HumedadMaquina = 50;
        link.ProcesarMensaje("answerht;;23");
        QVERIFY(!link.Recibida(TDispenser::Respuesta::Ambiente));
        QCOMPARE(link.HumedadMaquina, 50);
        QCOMPARE(link.TemperaturaMaquina, 0);
        const QString log = QString::fromUtf8(m_directorio->read(QStringLiteral("pastillero.log")));
        QVERIFY(log.contains(QLatin1String(": INP: answerht;;23\r\n")));
        QVERIFY(log.contains(QLatin1String(": ERROR:Mensaje del dispensador descartado: answerht")));
    }

    void unStatusConCuentasMalformadasSoloFijaElEstado_data()
    {
        QTest::addColumn<QByteArray>("mensaje");
        QTest::addColumn<int>("estado");
        QByteArray corto = Status(2, Celdas({{0, 1}}));
        corto.chop(2);
        QTest::newRow("27 counts: the state is taken") << corto << 2;
        QTest::newRow("a count out of range: the state is taken") << Status(5, Celdas({{3, 10000}})) << 5;
        QTest::newRow("state not a number: nothing is taken") << QByteArray("status;x;PARACETAMOL;0;;1") << 3;
    }
    void unStatusConCuentasMalformadasSoloFijaElEstado()
    {
        QFETCH(QByteArray, mensaje);
        QFETCH(int, estado);
        TDispenser link;
        bool avisado = false;
        link.OnEstadoCarga
                = [&](TDispenser &, const QList<qint32> &, quint8, qint32, qint32) { avisado = true; };
        link.FijarEstado(3);
        link.Pastillas = Celdas({{0, 7}});
        link.ProcesarMensaje(mensaje);
        QCoreApplication::processEvents();
        QVERIFY(!avisado);
        QCOMPARE(link.EstadoMaquina, quint8(estado));
        QCOMPARE(link.Pastillas, Celdas({{0, 7}})); // the counts are discarded
        const QString log = QString::fromUtf8(m_directorio->read(QStringLiteral("pastillero.log")));
        QVERIFY(log.contains(QLatin1String(": ERROR:Mensaje del dispensador descartado: status")));
    }

    void laEntregaDeUnaPorcionCuentaYSeEnviaExacta()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        link.ChargesEnviados = 0;
        QVERIFY(link.EnviarCarga(Porcion("(1/2) MED X", 123, "COM BLANCO", Celdas({{0, 1}, {4, 1}}))));
        QVERIFY(!link.EnviarCarga(Porcion("", 124, "", Celdas({{0, 1}}))));
        QVERIFY(!link.EnviarCarga(Porcion("MED Y", 125, "", QList<qint32>(27, 1))));
        link.EnviarInit(link.ChargesEnviados);
        QCOMPARE(maquina.enviados,
                 (QList<QByteArray> {
                         "CHARGE;(1/2) MED X;1;0;0;0;1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;"
                         "COM BLANCO;123;0;0;0;0;0;0;0;0;|",
                         "INIT;1;|"}));
    }

    void unaPorcionEmpezadaEntregaSoloLoQueLeFalta()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        QVERIFY(link.EnviarCarga(Porcion("MED", 1, "", Celdas({{0, 4}, {1, 2}}), Celdas({{0, 3}}))));
        QVERIFY(maquina.enviados.last().startsWith("CHARGE;MED;1;2;0;"));
        QCOMPARE(link.DosisEnCurso.Carga, 3);
    }

    void elPlanDeLaPorcionEsLoQueSeEnvio()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        link.EnviarCarga(Porcion("MED", 1, "", Celdas({{0, 3}}), Celdas({{1, 1}})));
        QCOMPARE(link.DosisEnCurso.Plan, Celdas({{0, 3}}));
        QCOMPARE(link.DosisEnCurso.Carga, 3);
        QVERIFY(maquina.enviados.last().startsWith("CHARGE;MED;3;0;0;"));
    }

    void unStatusAvisaDesdeElBucleConLoColocadoYLoPlanificado()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        QList<qint32> recibidas;
        int estado = -1, colocadas = -1, planificadas = -1;
        link.OnEstadoCarga = [&](TDispenser &, const QList<qint32> &pastillas, quint8 e, qint32 c, qint32 p) {
            recibidas = pastillas;
            estado = e;
            colocadas = c;
            planificadas = p;
        };
        link.EnviarCarga(Porcion("PARACETAMOL", 7, "", Celdas({{0, 4}, {1, 3}})));
        link.ProcesarMensaje(Status(2, Celdas({{0, 1}})));
        QCOMPARE(estado, -1); // not from inside the handling of the read
        QCOMPARE(link.EstadoMaquina, quint8(2));
        QVERIFY(link.MarcaEstado);
        QCOMPARE(link.CampoInicio3, QString("JUAN"));
        QCOMPARE(link.DosisEnCurso.Cargadas, 1);
        QTRY_COMPARE(estado, 2);
        QCOMPARE(colocadas, 1);
        QCOMPARE(planificadas, 7);
        QCOMPARE(recibidas, Celdas({{0, 1}}));
    }

    void variosMensajesSeTratanEnOrden()
    {
        TDispenser link;
        QStringList eventos;
        link.OnEstadoCarga = [&](TDispenser &, const QList<qint32> &, quint8 e, qint32, qint32) {
            eventos << QStringLiteral("status %1").arg(e);
        };
        link.OnCierre = [&](TDispenser &, qint32 valor) { eventos << QStringLiteral("close %1").arg(valor); };
        link.ProcesarMensaje(Status(3, Celdas({{0, 1}})));
        link.ProcesarMensaje("answerstatus;0");
        link.ProcesarMensaje("close;5");
        QTRY_COMPARE(eventos, (QStringList {"status 3", "close 5"}));
        QCOMPARE(link.EstadoMaquina, quint8(0));
    }

    void elCierreSeAnotaYElInicioLoBorra()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        link.ProcesarMensaje("close;1");
        QVERIFY(link.Cerrado);
        QCOMPARE(link.ValorCierre, 1);
        link.EnviarInicio("P001", "ANA GARCIA", "", "", "05/03/2024", "P001-8");
        QVERIFY(!link.Cerrado);
        QCOMPARE(link.NombreCarga, QString("ANA GARCIA"));
        QCOMPARE(link.CampoInicio5, QString("05/03/2024"));
        QCOMPARE(maquina.enviados.last(), QByteArray("START;P001;ANA GARCIA;;;05/03/2024;P001-8;|"));
    }

    void unCierreMalformadoNoCuentaComoCierre()
    {
        TDispenser link;
        bool cerrado = false;
        link.OnCierre = [&](TDispenser &, qint32) { cerrado = true; };
        link.ProcesarMensaje("close;");
        QCoreApplication::processEvents();
        QVERIFY(!link.Cerrado);
        QVERIFY(!cerrado);
    }

    void cancelarDejaElEstado4YLimpiaLaPorcion()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        link.EnviarCarga(Porcion("MED", 1, "", Celdas({{0, 2}})));
        link.Cancelar();
        QCOMPARE(link.EstadoMaquina, quint8(4));
        QVERIFY(link.DosisEnCurso.Nombre.isEmpty());
        QCOMPARE(link.DosisEnCurso.Carga, 0);
        QCOMPARE(maquina.enviados.last(), QByteArray("CANCEL;|"));
    }

    void laVersionDeLaMaquinaDecideLaCodificacion()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        maquina.respuestas = {{"REQUESTINFO;|", "answerinfo;SN1;D;120;P;2.0;U;K;R;512;3"}};
        link.EnviarInicio("P1", "MUÑOZ", "", "", "01/01/2025", "P1-1");
        QVERIFY(maquina.enviados.last().contains("MU\xd1OZ"));
        const TMaquinaConsultada consulta = link.ConsultarMaquina();
        QVERIFY(consulta.respondio);
        QCOMPARE(consulta.TipoCarga, 0);
        QCOMPARE(consulta.VersionMaquina, 2.0);
        link.EnviarInicio("P1", "MUÑOZ", "", "", "01/01/2025", "P1-1");
        QVERIFY(maquina.enviados.last().contains("MU\xc3\x91OZ"));
    }

    void unaMaquinaQueNoRespondeEsCargaManualYVersion0()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        link.FijarVersionMaquina(2.1);
        const TMaquinaConsultada consulta = link.ConsultarMaquina();
        QVERIFY(!consulta.respondio);
        QCOMPARE(consulta.TipoCarga, 1);
        QCOMPARE(consulta.VersionMaquina, 0.0);
        QCOMPARE(link.VersionMaquina(), 0.0);
    }

    void elAmbienteSeCorrigeAntesDeComprobarlo()
    {
        TDispenser link;
        MaquinaGuionada maquina(link);
        maquina.respuestas = {{"REQUESTHT;|", "answerht;41;23"}};
        const TResultadoAmbiente resultado = link.ComprobarAmbiente({-2, 1, 20, 60, 15, 30});
        QVERIFY(!resultado.fallo);
        QCOMPARE(resultado.humedad, qint64(39));
        QCOMPARE(resultado.temperatura, qint64(24));
        maquina.respuestas.clear();
        QVERIFY(link.ComprobarAmbiente({}).fallo);
    }

private:
    std::unique_ptr<TestAppDirectory> m_directorio;
};

QTEST_GUILESS_MAIN(TestDispenser)
#include "test_dispenser.moc"
