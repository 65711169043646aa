#include "core/shell/ComprobacionActualizaciones.h"
#include "core/shell/IniDocument.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestAppDirectory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kInstaladasUno
        = "[VERSION]\nMED=1\nKelvo=1\nMLINUX=1\nMPC=1\nMPIC=1\nBD=1\nUPDATE=1\nMAQ=1\n";

// Where the database lives: the application directory, or a network folder with or without
// the shared version file.
enum class Ubicacion { Local, RedConVersiones, RedSinVersiones };

void Escribir(const QString &ruta, const QByteArray &bytes)
{
    QFile archivo(ruta);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    archivo.write(bytes);
}

} // namespace

Q_DECLARE_METATYPE(Ubicacion)

class TestComprobacionActualizaciones : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { uLog::CerrarLog(); }

    void componentesNuevos_data()
    {
        QTest::addColumn<QByteArray>("servidor");
        QTest::addColumn<QByteArray>("estacion");
        QTest::addColumn<Ubicacion>("ubicacion");
        QTest::addColumn<QByteArray>("compartido");
        QTest::addColumn<QString>("pais");
        QTest::addColumn<QStringList>("nuevos");
        QTest::addColumn<QString>("registro"); // expected in the event log; empty: nothing

        for (const QString &clave : ComponentesActualizables(QStringLiteral("0")))
            QTest::addRow("only %s newer", qPrintable(clave))
                    << QByteArray("[VERSION]\n" + clave.toLatin1() + "=2\n") << kInstaladasUno
                    << Ubicacion::Local << QByteArray() << "0" << QStringList {clave} << "";
        QTest::newRow("all equal") << kInstaladasUno << kInstaladasUno << Ubicacion::Local << QByteArray()
                                   << "0" << QStringList {} << "";
        QTest::newRow("server older") << QByteArray("[version]\nkelvo=0\nBD=1\n") << kInstaladasUno
                                      << Ubicacion::Local << QByteArray() << "0" << QStringList {} << "";
        QTest::newRow("missing keys count as 0")
                << QByteArray("[VERSION]\nMPC=1\n") << QByteArray("[VERSION]\nMPIC=4\n") << Ubicacion::Local
                << QByteArray() << "0" << QStringList {QStringLiteral("MPC")} << "";
        QTest::newRow("no country: MED")
                << QByteArray("[VERSION]\nMED=2\nMED3=9\n") << kInstaladasUno << Ubicacion::Local
                << QByteArray() << "" << QStringList {QStringLiteral("MED")} << "";
        QTest::newRow("country 3: MED3 only, missing installed")
                << QByteArray("[VERSION]\nMED=9\nMED3=4\n") << kInstaladasUno << Ubicacion::Local
                << QByteArray() << "3" << QStringList {QStringLiteral("MED3")} << "";
        QTest::newRow("country 3: MED3 equal")
                << QByteArray("[VERSION]\nMED=9\nMED3=4\n") << QByteArray("[VERSION]\nMED3= 4 \n")
                << Ubicacion::Local << QByteArray() << "3" << QStringList {} << "";
        // MED and BD from the shared file, Kelvo from this workstation.
        QTest::newRow("shared version file")
                << QByteArray("[VERSION]\nMED=5\nBD=5\nKelvo=5\n")
                << QByteArray("[VERSION]\nMED=1\nBD=5\nKelvo=1\n") << Ubicacion::RedConVersiones
                << QByteArray("[VERSION]\nMED=5\nBD=1\nKelvo=9\n") << "0"
                << QStringList {QStringLiteral("Kelvo"), QStringLiteral("BD")} << "";
        QTest::newRow("network folder without shared file")
                << QByteArray("[VERSION]\nMED=5\nBD=5\nKelvo=5\n")
                << QByteArray("[VERSION]\nMED=1\nBD=5\nKelvo=5\n") << Ubicacion::RedSinVersiones
                << QByteArray() << "0" << QStringList {QStringLiteral("MED")} << "";
        QTest::newRow("installed not a number counts as 0")
                << QByteArray("[VERSION]\nKelvo=1\n") << QByteArray("[VERSION]\nKelvo=v2\n")
                << Ubicacion::Local << QByteArray() << "0" << QStringList {QStringLiteral("Kelvo")}
                << "Version instalada no valida Kelvo=\"v2\"";
        QTest::newRow("server not a number gives no update")
                << QByteArray("[VERSION]\nKelvo=9x\nMPC=2\n") << kInstaladasUno << Ubicacion::Local
                << QByteArray() << "0" << QStringList {QStringLiteral("MPC")}
                << "Version no valida en update.ini Kelvo=\"9x\"";
    }
    void componentesNuevos()
    {
        QFETCH(QByteArray, servidor);
        QFETCH(QByteArray, estacion);
        QFETCH(Ubicacion, ubicacion);
        QFETCH(QByteArray, compartido);
        QFETCH(QString, pais);
        QFETCH(QStringList, nuevos);
        QFETCH(QString, registro);
        TestAppDirectory dir;
        dir.write(QStringLiteral("pastillero.ini"), estacion + "LOG=1\n");
        uLog::IniciarLog(IniFile(dir.directory().iniFile()), dir.directory().logFile());
        QTemporaryDir red;
        if (ubicacion == Ubicacion::RedConVersiones)
            Escribir(red.filePath(QStringLiteral("Kelvo.INI")), compartido);
        const TVersionesInstaladas instaladas = TVersionesInstaladas::De(
                dir.directory(), ubicacion == Ubicacion::Local ? dir.path() : red.path());

        QCOMPARE(ComponentesNuevos(IniDocument::parse(QString::fromLatin1(servidor)), instaladas, pais),
                 nuevos);
        const QByteArray log = dir.read(QStringLiteral("pastillero.log"));
        if (registro.isEmpty())
            QVERIFY2(!log.contains("ERROR"), log.constData());
        else
            QVERIFY2(log.contains(registro.toUtf8()), log.constData());
    }

    void canalBeta_data()
    {
        QTest::addColumn<QString>("argumento");
        QTest::addColumn<bool>("desarrollo");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("beta");
        QTest::newRow("none") << "" << false << QByteArray("[VERSION]\nBETA=0\n") << false;
        QTest::newRow("beta switch") << "--beta" << false << QByteArray() << true;
        QTest::newRow("other argument") << "BETA" << false << QByteArray() << false;
        QTest::newRow("developer mode") << "" << true << QByteArray() << true;
        QTest::newRow("BETA=1") << "" << false << QByteArray("[version]\nbeta=1\n") << true;
        QTest::newRow("BETA=2") << "" << false << QByteArray("[VERSION]\nBETA=2\n") << false;
    }
    void canalBeta()
    {
        QFETCH(QString, argumento);
        QFETCH(bool, desarrollo);
        QFETCH(QByteArray, ini);
        QFETCH(bool, beta);
        TestAppDirectory dir;
        const IniFile archivo(dir.write(QStringLiteral("pastillero.ini"), ini));
        QCOMPARE(EsCanalBeta(argumento, desarrollo, archivo), beta);
    }

    // Launching the updater marks the day: the next start that day asks first.
    void primerInicioDelDia_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("primero");
        QTest::newRow("never launched") << QByteArray() << true;
        QTest::newRow("launched yesterday") << QByteArray("[VERSION]\nLASTVIEW=20260309\n") << true;
        QTest::newRow("launched today") << QByteArray("[VERSION]\nLASTVIEW=20260310\n") << false;
    }
    void primerInicioDelDia()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, primero);
        const QDate hoy(2026, 3, 10);
        TestAppDirectory dir;
        IniFile archivo(dir.write(QStringLiteral("pastillero.ini"), ini));
        QCOMPARE(PrimerInicioDelDia(archivo, hoy), primero);
        QVERIFY(AnotarLanzamientoActualizador(archivo, hoy));
        QVERIFY(!PrimerInicioDelDia(archivo, hoy));
        QVERIFY(PrimerInicioDelDia(archivo, hoy.addDays(1)));
    }
};

QTEST_GUILESS_MAIN(TestComprobacionActualizaciones)
#include "test_comprobacion_actualizaciones.moc"
