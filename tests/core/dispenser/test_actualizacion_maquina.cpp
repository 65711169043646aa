#include "core/dispenser/ActualizacionMaquina.h"

#include <QTest>

using namespace ActualizacionMaquina;
using TDecision = ActualizacionMaquina::TDecision;

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
};

QTEST_GUILESS_MAIN(TestActualizacionMaquina)
#include "test_actualizacion_maquina.moc"
