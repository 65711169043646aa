#include "core/dispenser/ValidacionRed.h"

#include <QtTest>

namespace {

const QString kPrimera = QStringLiteral("ERR_VAL_IP1");
const QString kOtra = QStringLiteral("ERR_VAL_IP2");

} // namespace

// The checks of the addresses typed for the machine's network.
class TestValidacionRed : public QObject
{
    Q_OBJECT

private slots:
    // An address is four plain numbers; anything else is refused with the message of the part
    // that fails, never with a crash.
    void direcciones_data()
    {
        QTest::addColumn<bool>("mascara");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("escrita");
        const auto ip = [](const char *fila, const char *texto, const QString &clave, const char *escrita) {
            QTest::newRow(fila) << false << texto << clave << escrita;
        };
        const auto mascara
                = [](const char *fila, const char *texto, const QString &clave, const char *escrita) {
                      QTest::newRow(fila) << true << texto << clave << escrita;
                  };
        ip("gateway", "192.168.1.1", "", "192.168.1.1");
        ip("blanks of a masked field", " 10. 0 .  0.  1", "", "10.0.0.1");
        ip("leading zeros read as decimal", "192.168.001.010", "", "192.168.1.10");
        ip("limits", "223.255.0.255", "", "223.255.0.255");
        ip("first part 0", "0.1.2.3", kPrimera, "");
        ip("first part 224", "224.0.0.1", kPrimera, "");
        ip("first part 256", "256.1.1.1", kPrimera, "");
        ip("first part not a number", "a.b.c.d", kPrimera, "");
        ip("first part empty", ".1.2.3", kPrimera, "");
        ip("signed first part", "+1.2.3.4", kPrimera, "");
        ip("last part 256", "1.2.3.256", kOtra, "");
        ip("three parts", "1.2.3", kOtra, "");
        ip("five parts", "1.2.3.4.5", kOtra, "");
        ip("negative part", "1.-2.3.4", kOtra, "");
        ip("empty", "", kPrimera, "");
        ip("untyped masked field", "...", kPrimera, "");
        ip("too many digits", "1.2.3.99999999999", kOtra, "");
        mascara("mask", "255.255.255.0", "", "255.255.255.0");
        mascara("mask of zeros", "0.0.0.0", "", "0.0.0.0");
        mascara("mask part 256", "255.255.256.0", kOtra, "");
        mascara("mask part not a number", "255.x.0.0", kOtra, "");
        mascara("mask first part missing", "", kOtra, "");
    }
    void direcciones()
    {
        QFETCH(bool, mascara);
        QFETCH(QString, texto);
        QFETCH(QString, clave);
        QFETCH(QString, escrita);
        const TResultadoDireccion resultado = mascara ? ValidarMascara(texto) : ValidarIP(texto);
        QCOMPARE(resultado.clave, clave);
        QCOMPARE(resultado.Valida(), clave.isEmpty());
        QCOMPARE(resultado.direccion, escrita);
        QCOMPARE(resultado.Mensaje().isEmpty(), clave.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestValidacionRed)
#include "test_validacion_red.moc"
