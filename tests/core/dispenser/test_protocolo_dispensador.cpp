#include "core/dispenser/ProtocoloDispensador.h"

#include <QtTest>

using namespace ProtocoloDispensador;

namespace {

QList<qint32> HalfTabletEveryBreakfast()
{
    QList<qint32> celdas(kNumCeldas, 0);
    for (int dia = 0; dia < 7; ++dia)
        celdas[dia * 4] = 1;
    return celdas;
}

QByteArray StatusConCuentas(int cuentas, const QByteArray &primera = "1")
{
    QByteArray mensaje = "status;2;PARACETAMOL;0;";
    for (int i = 0; i < cuentas; ++i)
        mensaje += ";" + (i == 0 ? primera : QByteArray("0"));
    return mensaje;
}

} // namespace

class TestProtocoloDispensador : public QObject
{
    Q_OBJECT

private slots:
    void comandos_data()
    {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("start") << ComandoInicio("P001", "ANA GARCIA", "", "", "05/03/2024", "P001-8")
                               << "START;P001;ANA GARCIA;;;05/03/2024;P001-8;|";
        QTest::newRow("charge")
                << ComandoCarga("(1/2) MED X", HalfTabletEveryBreakfast(), "COM BLANCO", 123)
                << "CHARGE;(1/2) MED X;1;0;0;0;1;0;0;0;1;0;0;0;1;0;0;0;1;0;0;0;1;0;0;0;1;0;0;0;"
                   "COM BLANCO;123;0;0;0;0;0;0;0;0;|";
        QTest::newRow("init") << ComandoInit(1) << "INIT;1;|";
        QTest::newRow("close") << ComandoCerrar() << "CLOSE;|";
        QTest::newRow("cancel") << ComandoCancelar() << "CANCEL;|";
        QTest::newRow("status") << ComandoPedirEstado() << "REQUESTSTATUS;|";
        QTest::newRow("version") << ComandoPedirVersion() << "REQUESTVERSION;|";
        QTest::newRow("ht") << ComandoPedirHT() << "REQUESTHT;|";
        QTest::newRow("ip") << ComandoPedirIP() << "REQUESTIP;|";
        QTest::newRow("config request") << ComandoPedirConfig() << "REQUESTCONFIG;|";
        QTest::newRow("info") << ComandoPedirInfo() << "REQUESTINFO;|";
        QTest::newRow("configip") << ComandoConfigurarIP(
                {"192.168.1.50", "x", "8.8.8.8", "255.255.255.0", "192.168.1.1"})
                                  << "CONFIGIP;192.168.1.50;x;8.8.8.8;255.255.255.0;192.168.1.1;|";
        QTest::newRow("config") << ComandoConfigurar(3, 1, 0, 0) << "CONFIG;3;1;0;0;|";
        QTest::newRow("serial") << ComandoFijarIdMaquina("KV-77") << "SET_ID_MAQUINA;KV-77;|";
        QTest::newRow("update") << ComandoActualizarSistema() << "UPDATESYSTEM;|";
    }
    void comandos()
    {
        QFETCH(QString, comando);
        QFETCH(QString, esperado);
        QCOMPARE(comando, esperado);
    }

    void laSondaNoLlevaTerminador() { QCOMPARE(SondaConexion(), QByteArray("REQUESTHT;")); }

    void losSeparadoresEnLosTextosNoDesplazanCampos_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("seguro");
        QTest::newRow("semicolon") << "GARCIA; ANA"
                                   << "GARCIA, ANA";
        QTest::newRow("bar") << "A|B"
                             << "A/B";
        QTest::newRow("line breaks") << "A\r\nB"
                                     << "A  B";
        QTest::newRow("plain") << "ÑANDÚ 5 MG"
                               << "ÑANDÚ 5 MG";
    }
    void losSeparadoresEnLosTextosNoDesplazanCampos()
    {
        QFETCH(QString, texto);
        QFETCH(QString, seguro);
        QCOMPARE(CampoSeguro(texto), seguro);
        const QString start = ComandoInicio("P1", texto, "", "", "01/01/2025", "P1-1");
        QCOMPARE(start.count(QLatin1Char(';')), 7);
        QCOMPARE(start.count(QLatin1Char('|')), 1);
        const QString charge = ComandoCarga(texto, QList<qint32>(kNumCeldas, 0), texto, 1);
        QCOMPARE(charge.count(QLatin1Char(';')), 40);
        QVERIFY(charge.endsWith(QLatin1String(";|")));
    }

    void unaCargaSinSus28CeldasNoSeConstruye()
    {
        QVERIFY(ComandoCarga("X", QList<qint32>(27, 1), "", 1).isEmpty());
        QVERIFY(ComandoCarga("X", QList<qint32>(29, 1), "", 1).isEmpty());
    }

    void unaCeldaNegativaSeEnviaComoCero()
    {
        QList<qint32> celdas(kNumCeldas, 0);
        celdas[0] = -2;
        celdas[1] = 3;
        QVERIFY(ComandoCarga("X", celdas, "A", 9).startsWith(QLatin1String("CHARGE;X;0;3;0;")));
    }

    void codificacion_data()
    {
        QTest::addColumn<double>("version");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("1.3 windows-1252") << 1.3 << QByteArray("START;\xd1;|");
        QTest::newRow("1.99 windows-1252") << 1.99 << QByteArray("START;\xd1;|");
        QTest::newRow("2.0 utf-8") << 2.0 << QByteArray("START;\xc3\x91;|");
        QTest::newRow("2.2 utf-8") << 2.2 << QByteArray("START;\xc3\x91;|");
        QTest::newRow("unknown (0) windows-1252") << 0.0 << QByteArray("START;\xd1;|");
    }
    void codificacion()
    {
        QFETCH(double, version);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Codificar(QStringLiteral("START;Ñ;|"), version), bytes);
    }

    void mapeoDeEstados_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("codigo");
        for (const int conservado : {1, 2, 3, 4, 5, 9})
            QTest::addRow("%d kept", conservado) << QString::number(conservado) << conservado;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("6") << "6" << 0;
        QTest::newRow("7") << "7" << 0;
        QTest::newRow("-1") << "-1" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("word") << "dos" << 0;
        QTest::newRow("huge") << "99999999999999999999" << 0;
    }
    void mapeoDeEstados()
    {
        QFETCH(QString, campo);
        QFETCH(int, codigo);
        QCOMPARE(int(MapearEstado(campo)), codigo);
    }

    void numeroDeVersion_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("numero");
        QTest::newRow("2.1") << "2.1" << 2.1;
        QTest::newRow("1.3") << "1.3" << 1.3;
        QTest::newRow("2") << "2" << 2.0;
        QTest::newRow("three parts") << "2.2.5" << 2.2;
        QTest::newRow("comma is not decimal") << "2,5" << 2.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("word") << "beta" << 0.0;
    }
    void numeroDeVersion()
    {
        QFETCH(QString, texto);
        QFETCH(double, numero);
        QCOMPARE(NumeroVersion(texto), numero);
    }

    void respuestaHT()
    {
        const auto leido = std::get<RespuestaHT>(LeerMensaje("answerht;41;23"));
        QCOMPARE(leido.humedad, 41);
        QCOMPARE(leido.temperatura, 23);
    }

    void laPalabraSeComparaSinMayusculas()
    {
        QCOMPARE(int(std::get<RespuestaEstado>(LeerMensaje("ANSWERSTATUS;0")).estado), 0);
        QCOMPARE(int(std::get<RespuestaEstado>(LeerMensaje("AnswerStatus;5")).estado), 5);
        QCOMPARE(int(std::get<RespuestaEstado>(LeerMensaje("answerstatus;7")).estado), 0);
        QCOMPARE(int(std::get<RespuestaEstado>(LeerMensaje("answerstatus;")).estado), 0);
        QCOMPARE(int(std::get<RespuestaEstado>(LeerMensaje("answerstatus")).estado), 0);
    }

    void respuestasDeTexto()
    {
        QCOMPARE(std::get<RespuestaVersion>(LeerMensaje("answerversion;2.1 rev 7")).version,
                 QString("2.1 rev 7"));
        const TRedMaquina red {"10.0.0.5", "1", "10.0.0.1", "255.0.0.0", "10.0.0.254"};
        QCOMPARE(std::get<RespuestaIP>(LeerMensaje("answerip;10.0.0.5;1;10.0.0.1;255.0.0.0;10.0.0.254")).red,
                 red);
        QCOMPARE(std::get<RespuestaIP>(LeerMensaje("answerip;10.0.0.5")).red.Gateway, QString());
        const auto config = std::get<RespuestaConfig>(
                LeerMensaje("answerconfig;3;1;0;1;10.0.0.5;1;10.0.0.1;255.0.0.0;10.0.0.254"));
        QCOMPARE(config.config, (TConfigMaquina {3, 1, 0, 1}));
        QCOMPARE(config.red, red);
        const auto info
                = std::get<RespuestaInfo>(LeerMensaje("answerinfo;SN1;D;120;;2.1;U;K;R;512;3;extra")).info;
        QCOMPARE(info.IdMaq, QString("SN1"));
        QCOMPARE(info.Contador, QString("120"));
        QVERIFY(info.Ver_PIC.isEmpty());
        QCOMPARE(info.Ver_uPC, QString("2.1"));
        QCOMPARE(info.ADCSensi, QString("3"));
    }

    void cierre()
    {
        QCOMPARE(std::get<MensajeCierre>(LeerMensaje("close;1")).valor, 1);
        QVERIFY(std::holds_alternative<MensajeMalformado>(LeerMensaje("close;")));
        QVERIFY(std::holds_alternative<MensajeMalformado>(LeerMensaje("close")));
    }

    void status()
    {
        const auto informe = std::get<InformeEstado>(LeerMensaje(StatusConCuentas(28)));
        QCOMPARE(int(informe.estado), 2);
        QCOMPARE(informe.nombre, QString("PARACETAMOL"));
        QVERIFY(!informe.marca);
        QCOMPARE(informe.pastillas.size(), kNumCeldas);
        QCOMPARE(informe.pastillas.first(), 1);
    }

    void statusQueSeLee_data()
    {
        QTest::addColumn<QByteArray>("mensaje");
        QTest::newRow("29 counts") << StatusConCuentas(29);
        QTest::newRow("a final separator") << StatusConCuentas(28) + ";";
        QTest::newRow("a count at the cell limit")
                << StatusConCuentas(28, QByteArray::number(ProtocoloDispensador::kMaximoPorCelda));
        QTest::newRow("a count of zero") << StatusConCuentas(28, "0");
    }
    void statusQueSeLee()
    {
        QFETCH(QByteArray, mensaje);
        QVERIFY(std::holds_alternative<InformeEstado>(LeerMensaje(mensaje)));
    }

    void mensajesMalformados_data()
    {
        QTest::addColumn<QByteArray>("mensaje");
        QTest::newRow("status with 27 counts") << StatusConCuentas(27);
        QTest::newRow("status with no counts") << QByteArray("status;2;X;0;");
        QTest::newRow("status negative count") << StatusConCuentas(28, "-1");
        QTest::newRow("status huge count") << StatusConCuentas(28, "4000000000");
        QTest::newRow("status count above cell limit") << StatusConCuentas(28, "10000");
        QTest::newRow("status count not a number") << StatusConCuentas(28, "uno");
        QTest::newRow("ht empty humidity") << QByteArray("answerht;;23");
        QTest::newRow("ht missing temperature") << QByteArray("answerht;41");
        QTest::newRow("ht decimal") << QByteArray("answerht;41.5;23");
        QTest::newRow("config not a number") << QByteArray("answerconfig;x;1;0;0");
    }
    void mensajesMalformados()
    {
        QFETCH(QByteArray, mensaje);
        QVERIFY(std::holds_alternative<MensajeMalformado>(LeerMensaje(mensaje)));
    }

    void palabrasDesconocidas()
    {
        QCOMPARE(std::get<PalabraDesconocida>(LeerMensaje("hello;1")).palabra, QString("hello"));
        QVERIFY(std::holds_alternative<PalabraDesconocida>(LeerMensaje("\xff\xfe\x80")));
    }

    void losBytesSeLeenComoUtf8OWindows1252()
    {
        QCOMPARE(std::get<InformeEstado>(LeerMensaje("status;2;\xc3\x91"
                                                     "A"
                                                     + StatusConCuentas(28).mid(20)))
                         .nombre,
                 QString("ÑA"));
        QCOMPARE(Decodificar("\xd1"
                             "A"),
                 QString("ÑA"));
    }
};

QTEST_GUILESS_MAIN(TestProtocoloDispensador)
#include "test_protocolo_dispensador.moc"
