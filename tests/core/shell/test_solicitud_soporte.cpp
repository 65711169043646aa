#include "core/settings/uPreferencias.h"
#include "core/shell/IniFile.h"
#include "core/shell/SolicitudSoporte.h"
#include "support/ProgramaCorreoPrueba.h"
#include "support/TestAppDirectory.h"

#include <QtTest>

namespace {

TPreferenciasValores Farmacia(const QString &pais)
{
    TPreferenciasValores preferencias;
    preferencias.ofNombre = QStringLiteral("Farmacia Peña");
    preferencias.ofTelefono = QStringLiteral("981 000 111");
    preferencias.Pais = pais;
    return preferencias;
}

} // namespace

class TestSolicitudSoporte : public QObject
{
    Q_OBJECT

private slots:
    // Each country index 1 to 5 has its own address, anything else the general one; the
    // initialisation file may replace any of them.
    void destinatarioPorPais_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("esperado");
        const QString general = QStringLiteral("soporte@pastillero.example");
        QTest::newRow("Spain") << "0"
                               << ""
                               << "" << general;
        QTest::newRow("Portugal") << "1"
                                  << ""
                                  << ""
                                  << "suporte.pt@pastillero.example";
        QTest::newRow("France") << "2"
                                << ""
                                << ""
                                << "support.fr@pastillero.example";
        QTest::newRow("United Kingdom") << "3"
                                        << ""
                                        << ""
                                        << "support.uk@pastillero.example";
        QTest::newRow("Italy") << "4"
                               << ""
                               << ""
                               << "assistenza.it@pastillero.example";
        QTest::newRow("Slovenia") << "5"
                                  << ""
                                  << ""
                                  << "podpora.si@pastillero.example";
        QTest::newRow("unknown index") << "6"
                                       << ""
                                       << "" << general;
        QTest::newRow("no country") << ""
                                    << ""
                                    << "" << general;
        QTest::newRow("not a number") << "x1"
                                      << "EMAIL1"
                                      << "otro@farmacia.example" << general;
        QTest::newRow("own country address") << "2"
                                             << "EMAIL2"
                                             << "sav@farmacia.example"
                                             << "sav@farmacia.example";
        QTest::newRow("own general address") << "0"
                                             << "email"
                                             << "sat@farmacia.example"
                                             << "sat@farmacia.example";
        QTest::newRow("empty own address") << "4"
                                           << "EMAIL4"
                                           << " "
                                           << "assistenza.it@pastillero.example";
    }
    void destinatarioPorPais()
    {
        QFETCH(QString, pais);
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        QFETCH(QString, esperado);
        TestAppDirectory directorio;
        IniFile ini(directorio.directory().iniFile());
        if (!clave.isEmpty())
            QVERIFY(ini.writeString(QStringLiteral("SOPORTE"), clave, valor));
        QCOMPARE(DireccionSoporte(ini, pais), esperado);
    }

    // The message is handed to xdg-email as given; the event log goes along only when it exists,
    // and a mail program that is missing or refuses the message is a failure.
    void entregaAlProgramaDeCorreo_data()
    {
        QTest::addColumn<bool>("conLog");
        QTest::addColumn<int>("salida");
        QTest::addColumn<int>("resultado");
        QTest::newRow("handed over with the log") << true << 0 << kCorreoEntregado;
        QTest::newRow("handed over without log") << false << 0 << kCorreoEntregado;
        QTest::newRow("mail program refuses") << true << 3 << 3;
        QTest::newRow("no mail program")
                << true << int(ProgramaCorreoPrueba::kSinPrograma) << kCorreoSinPrograma;
    }
    void entregaAlProgramaDeCorreo()
    {
        QFETCH(bool, conLog);
        QFETCH(int, salida);
        QFETCH(int, resultado);
        TestAppDirectory directorio;
        const QString log = directorio.directory().logFile();
        if (conLog)
            directorio.write(QStringLiteral("pastillero.log"), "11/12/26 01:00:00 : LOGIN: \r\n");
        const TMensajeCorreo mensaje = MensajeSoporte(Farmacia(QStringLiteral("1")),
                                                      IniFile(directorio.directory().iniFile()), log);

        QCOMPARE(mensaje.asunto, QStringLiteral("Soporte SAT"));
        QCOMPARE(mensaje.cuerpo,
                 QStringLiteral("DATOS DE LA FARMACIA \n\r\n\rNombre Farmacia :  Farmacia "
                                "Peña\n\rTelefono : 981 000 111\n\r"));
        QCOMPARE(mensaje.adjuntos, conLog ? QStringList {log} : QStringList {});

        ProgramaCorreoPrueba programa(salida);
        QCOMPARE(EnviarCorreo(mensaje), resultado);
        if (salida == ProgramaCorreoPrueba::kSinPrograma)
            return;
        QStringList esperados {
                "--utf8", "--subject", "Soporte SAT", "--body",
                "DATOS DE LA FARMACIA \n\nNombre Farmacia :  Farmacia Peña\nTelefono : 981 000 111\n"};
        if (conLog)
            esperados << "--attach" << log;
        esperados << "suporte.pt@pastillero.example";
        QCOMPARE(programa.argumentos(), esperados);
    }
};

QTEST_GUILESS_MAIN(TestSolicitudSoporte)
#include "test_solicitud_soporte.moc"
