#include "core/common/Clock.h"
#include "core/data/SesionTypes.h"
#include "core/shell/TextosCabecera.h"
#include "core/shell/TituloVentana.h"

#include <QTest>

// The main window's caption and the header and footer of the screens.
class TestTituloVentana : public QObject
{
    Q_OBJECT

private slots:
    void titulo_data()
    {
        QTest::addColumn<double>("maquina");
        QTest::addColumn<bool>("beta");
        QTest::addColumn<bool>("desarrollo");
        QTest::addColumn<bool>("captura");
        QTest::addColumn<QString>("titulo");
        const QString base = QStringLiteral("Pastillero Version 1.2.3.4");
        QTest::newRow("sin maquina") << 0.0 << false << false << false << base;
        QTest::newRow("con maquina") << 2.2 << false << false << false << base + "   Firmware : 2.2";
        QTest::newRow("version entera con decimal")
                << 2.0 << false << false << false << base + "   Firmware : 2.0";
        QTest::newRow("beta") << 1.3 << true << false << false << base + "   Firmware : 1.3  (BETA)";
        QTest::newRow("desarrollo implica beta")
                << 0.0 << false << true << false << base + "  (BETA)  (DESARROLLO)";
        QTest::newRow("captura") << 0.0 << false << true << true
                                 << base + "  (BETA)  (DESARROLLO)  (CAPTURA LITERALES)";
        QTest::newRow("todo") << 2.2 << true << true << true
                              << base + "   Firmware : 2.2  (BETA)  (DESARROLLO)  (CAPTURA LITERALES)";
    }
    void titulo()
    {
        QFETCH(double, maquina);
        QFETCH(bool, beta);
        QFETCH(bool, desarrollo);
        QFETCH(bool, captura);
        QFETCH(QString, titulo);
        const TEstadoTitulo estado {QStringLiteral("Version 1.2.3.4"), maquina, beta, desarrollo, captura};
        QCOMPARE(TituloVentanaPrincipal(estado), titulo);
    }

    void versionMaquinaConPuntoEnCualquierIdioma()
    {
        const QLocale antes;
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        const QString titulo = TituloVentanaPrincipal({QStringLiteral("V"), 1.3, false, false, false});
        QLocale::setDefault(antes);
        QVERIFY(titulo.endsWith(QStringLiteral("Firmware : 1.3")));
    }

    void cabeceraEnMayusculasConElAnyoEnElPie()
    {
        TUsuario usuario;
        usuario.Nombre = QStringLiteral("María López");
        usuario.Perfil = QStringLiteral("Farmaceutico");
        const TTextosCabecera textos = TextosCabecera(usuario, QStringLiteral(" Ana Ruiz "),
                                                      QStringLiteral("Farmacia Sol"), QDate(2031, 1, 2));
        QCOMPARE(textos.usuario, QStringLiteral("MARÍA LÓPEZ - FARMACEUTICO"));
        QCOMPARE(textos.titular, QStringLiteral("ANA RUIZ"));
        QCOMPARE(textos.farmacia, QStringLiteral("FARMACIA SOL"));
        QVERIFY(textos.pie.contains(QStringLiteral("2031")));
    }

    void cabeceraSinUsuario()
    {
        const TTextosCabecera textos = TextosCabecera(std::nullopt, {}, {}, QDate(2030, 5, 5));
        QVERIFY(textos.usuario.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTituloVentana)
#include "test_titulo_ventana.moc"
