#include "core/dispenser/ActualizacionMaquina.h"
#include "core/dispenser/CambioVersionMaquina.h"
#include "core/shell/IniFile.h"
#include "support/MaquinaPrueba.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ActualizacionMaquina;
using TDecision = ActualizacionMaquina::TDecision;
using TResultado = TActualizacionMaquina::TResultado;

namespace {

// Answers the update's questions from a script and remembers what it was shown. Waits are
// shortened: the simulated machine installs in a tenth of a second.
class TAvisosGuion : public TAvisosActualizacion
{
public:
    QList<bool> respuestas; // one per question, in order; yes when the script has run out
    QStringList preguntas;
    QStringList errores;

    bool Confirmar(const QString &pregunta) override
    {
        preguntas << pregunta;
        return respuestas.isEmpty() || respuestas.takeFirst();
    }
    void Error(const QString &mensaje) override { errores << mensaje; }
    void Informar(const QString &) override { }
    bool Progreso(qint64, qint64) override { return true; }
    bool Esperar(int ms) override
    {
        QTest::qWait(qMin(ms, 100));
        return true;
    }
};

enum class TContenido { Gzip, Vacio, Html };

QByteArray Contenido(TContenido contenido)
{
    switch (contenido) {
    case TContenido::Gzip:
        return QByteArray("\x1f\x8b\x08\x00", 4) + QByteArray(70000, 'p');
    case TContenido::Vacio:
        return {};
    case TContenido::Html:
        return "<html><body>404 Not Found</body></html>";
    }
    return {};
}

bool Escribir(const QString &ruta, const QByteArray &contenido)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::WriteOnly) && archivo.write(contenido) == contenido.size();
}

bool EnviadoActualizarSistema(const SimuladorDispensador &simulador)
{
    return simulador.Recibidos().contains(QByteArrayLiteral("UPDATESYSTEM;"));
}

} // namespace

Q_DECLARE_METATYPE(TContenido)
Q_DECLARE_METATYPE(TResultado)

class TestActualizacionMaquina : public QObject
{
    Q_OBJECT

private slots:
    void buildDeLaVersion_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("build");
        QTest::newRow("major.minor.build") << "2.2.18" << 18;
        QTest::newRow("text after the build") << "2.2.19 beta" << 19;
        QTest::newRow("more parts") << "2.2.20.1" << 20;
        QTest::newRow("two parts") << "2.2" << -1;
        QTest::newRow("no number after the second dot") << "2.2.x" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("a build too long to be one") << "2.2.12345678901234" << -1;
    }
    void buildDeLaVersion()
    {
        QFETCH(QString, texto);
        QFETCH(int, build);
        QCOMPARE(BuildMaquina(texto).value_or(-1), build);
    }

    // Machine software version × machine build × package number × forced.
    void decisionDeInstalar_data()
    {
        QTest::addColumn<double>("version");
        QTest::addColumn<int>("build");
        QTest::addColumn<int>("numero");
        QTest::addColumn<bool>("forzar");
        QTest::addColumn<TDecision>("decision");
        QTest::newRow("no machine") << 0.0 << kBuildDesconocido << 19 << true << TDecision::NoProcede;
        QTest::newRow("old software") << 1.3 << 10 << 19 << true << TDecision::NoProcede;
        QTest::newRow("newer package") << 2.2 << 18 << 19 << false << TDecision::Instalar;
        QTest::newRow("same build") << 2.2 << 18 << 18 << false << TDecision::YaInstalado;
        QTest::newRow("older package") << 2.2 << 19 << 18 << false << TDecision::YaInstalado;
        QTest::newRow("same build forced") << 2.0 << 18 << 18 << true << TDecision::Instalar;
        QTest::newRow("build unknown") << 2.2 << kBuildDesconocido << 1 << false << TDecision::Instalar;
    }
    void decisionDeInstalar()
    {
        QFETCH(double, version);
        QFETCH(int, build);
        QFETCH(int, numero);
        QFETCH(bool, forzar);
        QFETCH(TDecision, decision);
        QCOMPARE(Decidir(version, build, numero, forzar), decision);
    }

    void versionesAntiguas_data()
    {
        QTest::addColumn<double>("version");
        QTest::addColumn<bool>("antigua");
        QTest::addColumn<QString>("clave");
        QTest::newRow("1.0") << 1.0 << true << "vemo";
        QTest::newRow("1.3") << 1.3 << true << "vemo";
        QTest::newRow("1.35") << 1.35 << false << "vemo";
        QTest::newRow("0.9") << 0.9 << false << "vemo";
        QTest::newRow("2.0") << 2.0 << false << "lantrobeks";
        QTest::newRow("none") << 0.0 << false << "vemo";
    }
    void versionesAntiguas()
    {
        QFETCH(double, version);
        QFETCH(bool, antigua);
        QFETCH(QString, clave);
        QCOMPARE(NecesitaCambioVersion(version), antigua);
        QCOMPARE(ClaveMaquina(version), clave);
        if (antigua)
            QVERIFY(TextoVersionInstalada(version).endsWith(QLatin1String(":  ")
                                                            + QString::number(version, 'f', 1)));
    }

    // A package in front of the simulated machine and its FTP service: what the update ends in,
    // what reached the machine, whether the package stays and what was recorded.
    void instalarPaquete_data()
    {
        QTest::addColumn<OpcionesSimulador>("opciones");
        QTest::addColumn<QString>("paquete");
        QTest::addColumn<TContenido>("contenido");
        QTest::addColumn<QList<bool>>("respuestas");
        QTest::addColumn<TResultado>("resultado");
        QTest::addColumn<bool>("ordenEnviada");
        QTest::addColumn<bool>("paqueteQueda");
        QTest::addColumn<QString>("registrado");
        const OpcionesSimulador v22 = MaquinaPrueba::ConSoftware("2.2", "2.2.18");
        const QString p19 = QStringLiteral("Kelvo_Version_19.tar.gz");
        const QList<bool> si;
        QTest::newRow("installed") << v22 << p19 << TContenido::Gzip << si << TResultado::Instalada << true
                                   << false << "19";
        QTest::newRow("already installed") << v22 << "Kelvo_Version_18.tar.gz" << TContenido::Gzip << si
                                           << TResultado::YaInstalada << false << false << "";
        QTest::newRow("the user says no") << v22 << p19 << TContenido::Gzip << QList<bool> {false}
                                          << TResultado::Cancelada << false << true << "";
        QTest::newRow("empty package")
                << v22 << p19 << TContenido::Vacio << si << TResultado::Fallida << false << false << "";
        QTest::newRow("an error page")
                << v22 << p19 << TContenido::Html << si << TResultado::Fallida << false << false << "";
        QTest::newRow("software below 2.0")
                << MaquinaPrueba::ConSoftware("1.3", "1.3.0") << p19 << TContenido::Gzip << si
                << TResultado::NoProcede << false << true << "";
        OpcionesSimulador rechaza = v22;
        rechaza.ftpRechazar = true;
        QTest::newRow("upload refused")
                << rechaza << p19 << TContenido::Gzip << si << TResultado::Fallida << false << true << "";
        OpcionesSimulador cortada = v22;
        cortada.ftpCortar = 1000;
        QTest::newRow("upload cut") << cortada << p19 << TContenido::Gzip << si << TResultado::Fallida
                                    << false << true << "";
        OpcionesSimulador desaparece = v22;
        desaparece.desaparecerActualizando = true;
        QTest::newRow("machine gone")
                << desaparece << p19 << TContenido::Gzip << si << TResultado::Fallida << true << true << "";
        OpcionesSimulador sinCambio = v22;
        sinCambio.sinCambioVersion = true;
        QTest::newRow("old version reported")
                << sinCambio << p19 << TContenido::Gzip << si << TResultado::Fallida << true << true << "";
        OpcionesSimulador ocupada = v22;
        ocupada.estadoReposo = 2;
        QTest::newRow("busy, left for later")
                << ocupada << p19 << TContenido::Gzip << QList<bool> {true, true, false}
                << TResultado::Aplazada << false << true << "";
        QTest::newRow("build unknown: installed without waiting")
                << MaquinaPrueba::ConSoftware("2.2", "SIM 2.2") << p19 << TContenido::Gzip << si
                << TResultado::Instalada << true << false << "19";
    }
    void instalarPaquete()
    {
        QFETCH(OpcionesSimulador, opciones);
        QFETCH(QString, paquete);
        QFETCH(TContenido, contenido);
        QFETCH(QList<bool>, respuestas);
        QFETCH(TResultado, resultado);
        QFETCH(bool, ordenEnviada);
        QFETCH(bool, paqueteQueda);
        QFETCH(QString, registrado);
        std::unique_ptr<SimuladorDispensador> simulador;
        std::unique_ptr<TDispenserTCP> enlace;
        QVERIFY(MaquinaPrueba::Arrancar(opciones, simulador, enlace));
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(paquete);
        QVERIFY(Escribir(ruta, Contenido(contenido)));
        IniFile ini(carpeta.filePath(QStringLiteral("pastillero.ini")));
        TAvisosGuion avisos;
        avisos.respuestas = respuestas;
        TActualizacionMaquina actualizacion(*enlace, ini, avisos);
        actualizacion.FijarEsperaVersionMs(2000);

        const TResultado obtenido = actualizacion.ActualizarSoftwareMaquina(ruta, kClaveNueva, false);

        QCOMPARE(obtenido, resultado);
        QTRY_COMPARE(EnviadoActualizarSistema(*simulador), ordenEnviada);
        QCOMPARE(QFile::exists(ruta), paqueteQueda);
        QCOMPARE(ini.readString(QStringLiteral("VERSION"), QStringLiteral("MAQ")), registrado);
        QCOMPARE(avisos.errores.isEmpty(), resultado != TResultado::Fallida);
    }

    void sinMaquinaNoSeCopiaNada()
    {
        TConfiguracionRedDispensador configuracion = TConfiguracionRedDispensador::Local(0, 0);
        configuracion.busquedaPosible = false;
        TDispenserTCP enlace(configuracion);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("Kelvo_Version_19.tar.gz"));
        QVERIFY(Escribir(ruta, Contenido(TContenido::Gzip)));
        IniFile ini(carpeta.filePath(QStringLiteral("pastillero.ini")));
        TAvisosGuion avisos;
        TActualizacionMaquina actualizacion(enlace, ini, avisos);
        QCOMPARE(actualizacion.ActualizarSoftwareMaquina(ruta, kClaveNueva, true), TResultado::NoProcede);
        QVERIFY(!actualizacion.ActualizarSistema(ruta, kClaveNueva));
        QCOMPARE(avisos.errores, QStringList {MensajeMaquinaDesconectada()});
        QVERIFY(QFile::exists(ruta));
    }

    // The guided change of old software: the steps taken, the named packages fetched, and the
    // version the machine ends on.
    void cambioGuiado_data()
    {
        QTest::addColumn<QString>("software");
        QTest::addColumn<bool>("descargaPosible");
        QTest::addColumn<bool>("completado");
        QTest::addColumn<QStringList>("descargados");
        QTest::addColumn<QString>("softwareFinal");
        const QStringList ambos {QStringLiteral("Kelvo_uPC_v1.3"),
                                 QStringLiteral("Kelvo_Version_2-0.tar.gz")};
        QTest::newRow("1.2 through 1.3 to 2.0") << "1.2" << true << true << ambos << "2.0";
        QTest::newRow("1.3 to 2.0") << "1.3" << true << true << ambos.mid(1) << "2.0";
        QTest::newRow("2.2 needs nothing") << "2.2" << true << true << QStringList() << "2.2";
        QTest::newRow("server unreachable") << "1.3" << false << false << ambos.mid(1) << "1.3";
    }
    void cambioGuiado()
    {
        QFETCH(QString, software);
        QFETCH(bool, descargaPosible);
        QFETCH(bool, completado);
        QFETCH(QStringList, descargados);
        QFETCH(QString, softwareFinal);
        std::unique_ptr<SimuladorDispensador> simulador;
        std::unique_ptr<TDispenserTCP> enlace;
        QVERIFY(MaquinaPrueba::Arrancar(MaquinaPrueba::ConSoftware(software, software + ".0"), simulador,
                                        enlace));
        QTemporaryDir carpeta;
        IniFile ini(carpeta.filePath(QStringLiteral("pastillero.ini")));
        TAvisosGuion avisos;
        TActualizacionMaquina actualizacion(*enlace, ini, avisos);
        QStringList pedidos;
        TCambioVersionMaquina cambio(*enlace, actualizacion, avisos,
                                     [&](const QString &nombre) -> std::optional<QString> {
                                         pedidos << nombre;
                                         const QString ruta = carpeta.filePath(nombre);
                                         if (!descargaPosible || !Escribir(ruta, Contenido(TContenido::Gzip)))
                                             return std::nullopt;
                                         return ruta;
                                     });
        cambio.FijarLimiteEsperaMs(5000);

        QCOMPARE(cambio.Ejecutar(TCambioVersionMaquina::Clave(ini)), completado);
        QCOMPARE(pedidos, descargados);
        QCOMPARE(enlace->PedirInfo().value_or(TInfoMaquina()).Ver_uPC, softwareFinal);
        QCOMPARE(QDir(carpeta.path()).entryList({QStringLiteral("Kelvo_*")}, QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestActualizacionMaquina)
#include "test_actualizacion_maquina.moc"
