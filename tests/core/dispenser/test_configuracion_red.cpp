#include "core/dispenser/ConfiguracionRedDispensador.h"
#include "core/dispenser/DireccionLocal.h"
#include "core/dispenser/UDispenserTCP.h"

#include "core/shell/IniFile.h"
#include "support/TestAppDirectory.h"

#include <QtTest>

using DireccionLocal::Interfaz;

class TestConfiguracionRed : public QObject
{
    Q_OBJECT

private slots:
    void sinClavesValenLosValoresDeSiempre()
    {
        TestAppDirectory directorio;
        const auto config = TConfiguracionRedDispensador::Leer(IniFile(directorio.file("pastillero.ini")));
        QCOMPARE(config.escucha, QHostAddress(QHostAddress::AnyIPv4));
        QCOMPARE(config.puerto, quint16(6341));
        QCOMPARE(config.destinoBusqueda, QHostAddress("255.255.255.255"));
        QCOMPARE(config.puertoBusqueda, quint16(45454));
        QVERIFY(config.direccionAnunciada.isNull());
        QVERIFY(config.busquedaPosible);
    }

    void lasClavesLocales()
    {
        TestAppDirectory directorio;
        directorio.write("pastillero.ini",
                         "[dispensador]\r\nEscucha=127.0.0.1\r\nPuerto=16341\r\n"
                         "DestinoBusqueda=127.0.0.1\r\nPuertoBusqueda=15454\r\n"
                         "DireccionAnunciada=127.0.0.1\r\n");
        const auto config = TConfiguracionRedDispensador::Leer(IniFile(directorio.file("pastillero.ini")));
        QCOMPARE(config.escucha, QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(config.puerto, quint16(16341));
        QCOMPARE(config.destinoBusqueda, QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(config.puertoBusqueda, quint16(15454));
        QCOMPARE(config.direccionAnunciada, QHostAddress(QHostAddress::LocalHost));
    }

    void valoresIlegibles_data()
    {
        QTest::addColumn<QByteArray>("linea");
        QTest::addColumn<bool>("busquedaPosible");
        QTest::addColumn<quint16>("puerto");
        QTest::newRow("discovery address not an address")
                << QByteArray("DestinoBusqueda=broadcast") << false << quint16(6341);
        QTest::newRow("discovery address IPv6")
                << QByteArray("DestinoBusqueda=::1") << false << quint16(6341);
        QTest::newRow("port too large") << QByteArray("Puerto=70000") << true << quint16(6341);
        QTest::newRow("port not a number") << QByteArray("Puerto=abc") << true << quint16(6341);
        QTest::newRow("port 0 means any free port") << QByteArray("Puerto=0") << true << quint16(0);
    }
    void valoresIlegibles()
    {
        QFETCH(QByteArray, linea);
        QFETCH(bool, busquedaPosible);
        QFETCH(quint16, puerto);
        TestAppDirectory directorio;
        directorio.write("pastillero.ini", "[DISPENSADOR]\r\n" + linea + "\r\n");
        const auto config = TConfiguracionRedDispensador::Leer(IniFile(directorio.file("pastillero.ini")));
        QCOMPARE(config.busquedaPosible, busquedaPosible);
        QCOMPARE(config.puerto, puerto);
    }

    void eleccionDeLaDireccion_data()
    {
        QTest::addColumn<QList<Interfaz>>("interfaces");
        QTest::addColumn<QHostAddress>("elegida");
        const Interfaz lo {true, true, {QHostAddress("127.0.0.1"), QHostAddress("::1")}};
        const Interfaz eth {true, false, {QHostAddress("fe80::1"), QHostAddress("192.168.1.20")}};
        const Interfaz caida {false, false, {QHostAddress("10.0.0.9")}};
        const Interfaz enlaceLocal {true, false, {QHostAddress("169.254.3.4")}};
        const Interfaz wifi {true, false, {QHostAddress("10.1.1.7")}};
        QTest::newRow("loopback only") << QList<Interfaz> {lo} << QHostAddress();
        QTest::newRow("ethernet after loopback") << QList<Interfaz> {lo, eth} << QHostAddress("192.168.1.20");
        QTest::newRow("down interface skipped") << QList<Interfaz> {caida, wifi} << QHostAddress("10.1.1.7");
        QTest::newRow("link-local skipped")
                << QList<Interfaz> {enlaceLocal, wifi} << QHostAddress("10.1.1.7");
        QTest::newRow("first active wins") << QList<Interfaz> {wifi, eth} << QHostAddress("10.1.1.7");
        QTest::newRow("none") << QList<Interfaz> {} << QHostAddress();
    }
    void eleccionDeLaDireccion()
    {
        QFETCH(QList<Interfaz>, interfaces);
        QFETCH(QHostAddress, elegida);
        QCOMPARE(DireccionLocal::Elegir(interfaces), elegida);
    }

    void datagramaDeBusqueda()
    {
        QCOMPARE(TDispenserTCP::DatagramaBusqueda(QHostAddress("192.168.1.20"), 6341),
                 QByteArray("M-SEARCH;Host:192.168.1.20:6341;"));
    }
};

QTEST_GUILESS_MAIN(TestConfiguracionRed)
#include "test_configuracion_red.moc"
