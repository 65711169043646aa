#include "core/shell/IniFile.h"
#include "support/MaquinaPrueba.h"
#include "support/MensajesGrabados.h"
#include "support/ServidorHttpPrueba.h"
#include "support/TestAppDirectory.h"
#include "ui/dispenser/ActualizacionSoftware.h"

#include <QApplication>

using TTipo = PresentadorMensajes::TTipo;

namespace {

enum class TEntrada { Preferencias, Inicio };
enum class TServidor { Ninguno, ConPaquete };

const QByteArray kPaquete = QByteArrayLiteral("\x1f\x8b\x08\x00") + QByteArray(70000, 'p');
const QString kPaquete19 = QStringLiteral("Kelvo_Version_19.tar.gz");

} // namespace

Q_DECLARE_METATYPE(TEntrada)
Q_DECLARE_METATYPE(TServidor)

// The machine software update as the user meets it: "ACTUALIZAR FIRMWARE" of the preferences
// (the update server's newest package) and a package waiting at start-up, against the machine
// simulator and a stand-in update server on loopback.
class TestActualizacionSoftware : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { AppDirectory::setCurrent(AppDirectory()); }

    void actualizar_data()
    {
        QTest::addColumn<TEntrada>("entrada");
        QTest::addColumn<bool>("conMaquina");
        QTest::addColumn<quint8>("estado");
        QTest::addColumn<TServidor>("servidor");
        QTest::addColumn<QList<int>>("respuestas");
        QTest::addColumn<QStringList>("errores");
        QTest::addColumn<QStringList>("avisos");
        QTest::addColumn<QString>("registrado");
        QTest::addColumn<bool>("paqueteQueda");
        const QString hecho = QStringLiteral("SOFTWARE DE LA MAQUINA ACTUALIZADO: ") + kPaquete19;
        const QString ocupada = QStringLiteral("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA EN ESPERA");
        QTest::newRow("no machine") << TEntrada::Preferencias << false << quint8(0) << TServidor::ConPaquete
                                    << QList<int>()
                                    << QStringList {"NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA CONECTADA"}
                                    << QStringList() << "" << false;
        QTest::newRow("machine busy")
                << TEntrada::Preferencias << true << quint8(2) << TServidor::ConPaquete << QList<int>()
                << QStringList {ocupada} << QStringList() << "" << false;
        QTest::newRow("no update server")
                << TEntrada::Preferencias << true << quint8(0) << TServidor::Ninguno << QList<int>()
                << QStringList {"NO HAY CONEXION CON EL SERVIDOR DE ACTUALIZACIONES"} << QStringList() << ""
                << false;
        QTest::newRow("downloaded and installed")
                << TEntrada::Preferencias << true << quint8(0) << TServidor::ConPaquete << QList<int>()
                << QStringList() << QStringList {hecho} << "19" << false;
        QTest::newRow("waiting package installed")
                << TEntrada::Inicio << true << quint8(0) << TServidor::Ninguno << QList<int>()
                << QStringList() << QStringList {hecho} << "19" << false;
        QTest::newRow("busy machine, left for later")
                << TEntrada::Inicio << true << quint8(2) << TServidor::Ninguno << QList<int> {1, 2}
                << QStringList() << QStringList() << "" << true;
    }
    void actualizar()
    {
        QFETCH(TEntrada, entrada);
        QFETCH(bool, conMaquina);
        QFETCH(quint8, estado);
        QFETCH(TServidor, servidor);
        QFETCH(QList<int>, respuestas);
        QFETCH(QStringList, errores);
        QFETCH(QStringList, avisos);
        QFETCH(QString, registrado);
        QFETCH(bool, paqueteQueda);
        std::unique_ptr<SimuladorDispensador> simulador;
        std::unique_ptr<TDispenserTCP> enlace;
        OpcionesSimulador opciones
                = MaquinaPrueba::ConSoftware(QStringLiteral("2.2"), QStringLiteral("2.2.18"));
        opciones.estadoReposo = estado;
        if (conMaquina)
            QVERIFY(MaquinaPrueba::Arrancar(opciones, simulador, enlace));
        ServidorHttpPrueba http;
        QVERIFY(http.escucha());
        http.publicar(QStringLiteral("Kelvo/update.ini"), "[VERSION]\r\nMAQ=19\r\n");
        http.publicar(QStringLiteral("Kelvo/MAQ_19.UPD"), kPaquete);
        TestAppDirectory dir;
        if (servidor == TServidor::ConPaquete)
            dir.write(QStringLiteral("pastillero.ini"),
                      http.conPuerto(QStringLiteral(
                                             "[ACTUALIZACION]\r\nServidorPrincipal=http://127.0.0.1:%1/\r\n"))
                              .toLatin1());
        AppDirectory::setCurrent(dir.directory());
        MensajesGrabados mensajes;
        for (int respuesta : respuestas)
            mensajes.Responder(respuesta);

        QString paquete = dir.file(QStringLiteral("UPDATE/") + kPaquete19);
        if (entrada == TEntrada::Inicio) {
            paquete = dir.write(kPaquete19, kPaquete);
            QCOMPARE(InstalarPaqueteAlIniciar(paquete, nullptr), !paqueteQueda);
        } else {
            ActualizarFirmwareMaquina(nullptr, false);
        }

        QCOMPARE(mensajes.Textos(TTipo::Error), errores);
        QCOMPARE(mensajes.Textos(TTipo::Aviso), avisos);
        QCOMPARE(IniFile(dir.directory().iniFile())
                         .readString(QStringLiteral("VERSION"), QStringLiteral("MAQ")),
                 registrado);
        QCOMPARE(QFile::exists(paquete), paqueteQueda);
    }
};

QTEST_MAIN(TestActualizacionSoftware)
#include "test_actualizacion_software.moc"
