#include "core/data/uDM.h"
#include "core/dispenser/ConfiguracionMaquina.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/DialogoModal.h"
#include "support/MaquinaPrueba.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/dispenser/FConfigurarRedMaquina.h"
#include "ui/dispenser/FParametrosMaquina.h"
#include "ui/i18n/FDlgSelectLanguaje.h"
#include "ui/settings/FPreferencias.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using TTipo = PresentadorMensajes::TTipo;

namespace {

enum class TMaquina { Conectada, Callada, SinEnlace, EnlaceSinMaquina };

const QString kSinAcceso = QStringLiteral("NO SE HA PODIDO ACCEDER A NINGUNA MAQUINA");
const QString kDesconectada = QStringLiteral("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA CONECTADA");

// The machine as a row asks for it: the simulator (answering or not) with a link connected to
// it, a link no machine reaches, or no link at all.
struct Maquina
{
    std::unique_ptr<SimuladorDispensador> simulador;
    std::unique_ptr<TDispenserTCP> link;

    bool Arrancar(TMaquina tipo, const OpcionesSimulador &opciones = MaquinaPrueba::Rapida())
    {
        if (tipo == TMaquina::EnlaceSinMaquina)
            link = std::make_unique<TDispenserTCP>(TConfiguracionRedDispensador::Local(0, 9));
        if (tipo != TMaquina::Conectada && tipo != TMaquina::Callada)
            return true;
        if (!MaquinaPrueba::Arrancar(opciones, simulador, link))
            return false;
        simulador->Opciones().sinRespuesta = tipo == TMaquina::Callada;
        return true;
    }
    // The "CONFIG" and "CONFIGIP" messages the machine received.
    QStringList Configuraciones() const
    {
        QStringList mensajes;
        for (const QByteArray &mensaje : simulador->Recibidos()) {
            if (mensaje.startsWith("CONFIG"))
                mensajes << QString::fromLatin1(mensaje);
        }
        return mensajes;
    }
};

QString Campo(const QWidget &ventana, const QString &nombre)
{
    const auto *campo = ventana.findChild<QLineEdit *>(nombre);
    return campo ? campo->text() : QStringLiteral("(missing)");
}

void Pulsar(QWidget &ventana, const char *boton)
{
    QTest::mouseClick(ventana.findChild<QPushButton *>(QString::fromLatin1(boton)), Qt::LeftButton);
}

} // namespace

// The machine's own settings seen and changed through the machine simulator over loopback.
class TestConfiguracionMaquina : public QObject
{
    Q_OBJECT

private slots:
    // The parameters view shows what the machine reports; with no machine answering, the access
    // error after one unanswered request, and no view.
    void laVistaDeParametros_data()
    {
        QTest::addColumn<int>("maquina");
        QTest::addColumn<bool>("vista");
        QTest::newRow("connected") << int(TMaquina::Conectada) << true;
        QTest::newRow("silent machine") << int(TMaquina::Callada) << false;
        QTest::newRow("no machine") << int(TMaquina::EnlaceSinMaquina) << false;
        QTest::newRow("no link") << int(TMaquina::SinEnlace) << false;
    }
    void laVistaDeParametros()
    {
        QFETCH(int, maquina);
        QFETCH(bool, vista);
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        MensajesGrabados grabados;
        OpcionesSimulador opciones = MaquinaPrueba::Rapida();
        opciones.humedad = 47;
        opciones.temperatura = -3; // raw: the pharmacy's correction is not applied here
        opciones.red = {QStringLiteral("10.0.0.7"), QStringLiteral("0"), QStringLiteral("10.0.0.2"),
                        QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1")};
        Maquina m;
        QVERIFY(m.Arrancar(TMaquina(maquina), opciones));
        QHash<QString, QString> campos;
        bool abierta = false;
        CuandoSeAbra<TDlgParametrosMaquina>([&](TDlgParametrosMaquina &dialogo) {
            abierta = true;
            for (const QLineEdit *campo : dialogo.findChildren<QLineEdit *>())
                campos.insert(campo->objectName(), campo->text());
            Pulsar(dialogo, "btnSalir");
        });
        QElapsedTimer reloj;
        reloj.start();
        VerParametrosMaquina();
        QCOMPARE(abierta, vista);
        QCOMPARE(grabados.Textos(TTipo::Error), vista ? QStringList() : QStringList {kSinAcceso});
        QVERIFY(reloj.elapsed() < 3000);
        if (!vista)
            return;
        const QHash<QString, QString> esperados {
                {"edtIdMaq", "SIM-0001"},
                {"edtIdDIGI", "1.0"},
                {"edtVerPIC", "1.7"},
                {"edtVeruPC", "2.1"},
                {"edtVerUBoot", "2016.03"},
                {"edtVerKernel", "4.1.15"},
                {"edtVerRootFS", "1.2"},
                {"edtContador", "0"},
                {"edtADCSensor", "512"},
                {"edtADCSensi", "3"},
                {"edtVersion", "SIM 2.1"},
                {"edtHumedad", "47"},
                {"edtTemperatura", "-3"},
                {"edtPosicionBlister", "0"},
                {"edtIPLocal", "127.0.0.1   (10.0.0.7)"},
                {"edtDNS", "10.0.0.2"},
                {"edtMascara", "255.255.255.0"},
                {"edtGateway", "10.0.0.1"},
        };
        QCOMPARE(campos, esperados);
    }

    // The network dialog refuses a bad field with its message and the cursor on it, sending
    // nothing; good settings go out as "CONFIGIP" with the machine's own address and second
    // field, and the machine reports them at the next reading.
    void elDialogoDeRed_data()
    {
        QTest::addColumn<QString>("mascara");
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<QString>("dns");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("campoConError");
        const QString primera = QStringLiteral("primer terceto direccion IP tiene que estar entre 1..223");
        const QString otra = QStringLiteral("terceto direccion IP tiene que estar entre 0..255");
        QTest::newRow("accepted") << "255.255.0.0"
                                  << "192.168.1.1"
                                  << "8.8.4.4" << QString() << QString();
        QTest::newRow("gateway 0") << "255.255.0.0"
                                   << "0.168.1.1"
                                   << "8.8.4.4" << primera << "edtGateway";
        QTest::newRow("gateway 224") << "255.255.0.0"
                                     << "224.0.0.1"
                                     << "8.8.4.4" << primera << "edtGateway";
        QTest::newRow("mask first") << "255.255.256.0"
                                    << "0.0.0.0"
                                    << "8.8.4.4" << otra << "edtMascara";
        QTest::newRow("name server empty") << "255.255.0.0"
                                           << "192.168.1.1"
                                           << "" << primera << "edtDNS";
    }
    void elDialogoDeRed()
    {
        QFETCH(QString, mascara);
        QFETCH(QString, gateway);
        QFETCH(QString, dns);
        QFETCH(QString, error);
        QFETCH(QString, campoConError);
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        MensajesGrabados grabados;
        OpcionesSimulador opciones = MaquinaPrueba::Rapida();
        opciones.red.IPLocal = QStringLiteral("127.0.0.1");
        opciones.red.IPCampo2 = QStringLiteral("5");
        Maquina m;
        QVERIFY(m.Arrancar(TMaquina::Conectada, opciones));
        QString mostrada;
        QString enfocado;
        CuandoSeAbra<TDlgConfigurarRedMaquina>([&](TDlgConfigurarRedMaquina &dialogo) {
            mostrada = Campo(dialogo, QStringLiteral("edtMascara"));
            dialogo.findChild<QLineEdit *>(QStringLiteral("edtMascara"))->setText(mascara);
            dialogo.findChild<QLineEdit *>(QStringLiteral("edtGateway"))->setText(gateway);
            dialogo.findChild<QLineEdit *>(QStringLiteral("edtDNS"))->setText(dns);
            Pulsar(dialogo, "btnAceptar");
            if (dialogo.isVisible()) {
                enfocado = dialogo.focusWidget() ? dialogo.focusWidget()->objectName() : QString();
                Pulsar(dialogo, "btnCancelar");
            }
        });
        ConfigurarRedMaquina();
        QCOMPARE(mostrada, QStringLiteral("255.0.0.0")); // what the machine reported
        QCOMPARE(grabados.Textos(TTipo::Error), error.isEmpty() ? QStringList() : QStringList {error});
        QCOMPARE(enfocado, campoConError);
        const std::optional<TRedMaquina> leida = m.link->PedirIP();
        QVERIFY(leida);
        if (!error.isEmpty()) {
            QCOMPARE(m.Configuraciones(), QStringList());
            QCOMPARE(leida->Mascara, QStringLiteral("255.0.0.0"));
            return;
        }
        QCOMPARE(m.Configuraciones(),
                 QStringList {QStringLiteral("CONFIGIP;127.0.0.1;5;") + dns + QLatin1Char(';') + mascara
                              + QLatin1Char(';') + gateway + QLatin1Char(';')});
        QCOMPARE(*leida,
                 (TRedMaquina {QStringLiteral("127.0.0.1"), QStringLiteral("5"), dns, mascara, gateway}));
    }

    // No dialog, and nothing sent, when the machine does not answer or reports no address of its
    // own (sending its settings back would leave it without one).
    void sinRedDeLaMaquinaNoHayDialogo_data()
    {
        QTest::addColumn<int>("maquina");
        QTest::addColumn<QString>("direccion");
        QTest::newRow("no address reported") << int(TMaquina::Conectada) << "";
        QTest::newRow("silent machine") << int(TMaquina::Callada) << "127.0.0.1";
        QTest::newRow("no machine") << int(TMaquina::EnlaceSinMaquina) << "";
        QTest::newRow("no link") << int(TMaquina::SinEnlace) << "";
    }
    void sinRedDeLaMaquinaNoHayDialogo()
    {
        QFETCH(int, maquina);
        QFETCH(QString, direccion);
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        MensajesGrabados grabados;
        OpcionesSimulador opciones = MaquinaPrueba::Rapida();
        opciones.red.IPLocal = direccion;
        Maquina m;
        QVERIFY(m.Arrancar(TMaquina(maquina), opciones));
        bool abierto = false;
        CuandoSeAbra<TDlgConfigurarRedMaquina>([&abierto](TDlgConfigurarRedMaquina &dialogo) {
            abierto = true;
            Pulsar(dialogo, "btnAceptar");
        });
        ConfigurarRedMaquina();
        QCoreApplication::processEvents();
        QVERIFY(!abierto);
        QCOMPARE(grabados.Textos(TTipo::Error), QStringList {kDesconectada});
        if (m.simulador)
            QCOMPARE(m.Configuraciones(), QStringList());
    }

    // A new language goes to a waiting machine with its sounds (the preferences screen keeps the
    // machine's, the first start switches them off) and 0 for the other two values; a busy
    // machine takes nothing and the preferences screen says so.
    void elIdiomaDeLaMaquina_data()
    {
        QTest::addColumn<bool>("preferencias");
        QTest::addColumn<quint8>("estado");
        QTest::addColumn<QStringList>("enviados");
        QTest::addColumn<QStringList>("errores");
        QTest::newRow("preferences, waiting")
                << true << quint8(1) << QStringList {"CONFIG;4;1;0;0;"} << QStringList();
        QTest::newRow("preferences, busy")
                << true << quint8(2) << QStringList()
                << QStringList {"NO SE PUEDE CAMBIAR EL IDIOMA PORQUE LA MAQUINA NO ESTA EN ESPERA"};
        QTest::newRow("first start, waiting")
                << false << quint8(0) << QStringList {"CONFIG;4;0;0;0;"} << QStringList();
        QTest::newRow("first start, busy") << false << quint8(3) << QStringList() << QStringList();
    }
    void elIdiomaDeLaMaquina()
    {
        QFETCH(bool, preferencias);
        QFETCH(quint8, estado);
        QFETCH(QStringList, enviados);
        QFETCH(QStringList, errores);
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db {SqlEngine::SQLite};
        TDM dm {db.directory()};
        TPreferences prefs {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        OpcionesSimulador opciones = MaquinaPrueba::Rapida();
        opciones.config = {2, 1, 1, 1}; // sounds on; correction and start set
        Maquina m;
        QVERIFY(m.Arrancar(TMaquina::Conectada, opciones));
        m.link->FijarEstado(estado);
        if (preferencias) {
            TFormPreferencias pantalla;
            pantalla.show(); // reads the machine's settings
            auto *idioma = pantalla.findChild<QComboBox *>(QStringLiteral("cmbIdioma"));
            idioma->setCurrentIndex(4);
            emit idioma->activated(4);
            QCOMPARE(idioma->currentIndex(), errores.isEmpty() ? 4 : 0);
        } else {
            TDlgSelectLanguaje dialogo(&EnviarIdiomaInicial);
            dialogo.findChild<QListWidget *>(QStringLiteral("lstIdioma"))->setCurrentRow(4);
        }
        m.link->PedirIP(); // "CONFIG" is not answered: one answered request later it has arrived
        QCOMPARE(m.Configuraciones(), enviados);
        QCOMPARE(grabados.Textos(TTipo::Error), errores);
    }
};

QTEST_MAIN(TestConfiguracionMaquina)
#include "test_configuracion_maquina.moc"
