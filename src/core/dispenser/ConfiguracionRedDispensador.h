#pragma once

#include <QHostAddress>
#include <QString>

class IniFile;

// Where the dispenser link listens and where it sends its discovery datagram. Read from
// section "DISPENSADOR" of the initialisation file; every key is optional:
//   Escucha            address the server listens on         (every IPv4 interface)
//   Puerto             TCP port the machine connects to       (6341; 0 = any free port)
//   DestinoBusqueda    address of the discovery datagram      (255.255.255.255)
//   PuertoBusqueda     UDP port of the discovery datagram     (45454)
//   DireccionAnunciada address announced to the machine       (the first address of an
//                                                             active network interface)
//   PuertoFTP          the machine's FTP port (packages)     (21)
// A value that cannot be read is logged; a bad discovery address switches discovery off
// rather than sending the datagram somewhere nobody chose.
struct TConfiguracionRedDispensador
{
    static constexpr quint16 kPuertoServidor = 6341;
    static constexpr quint16 kPuertoBusqueda = 45454;
    static constexpr int kPeriodoBusquedaMs = 1000;
    static constexpr quint16 kPuertoFtp = 21;

    QHostAddress escucha = QHostAddress(QHostAddress::AnyIPv4);
    quint16 puerto = kPuertoServidor;
    QHostAddress destinoBusqueda = QHostAddress(QHostAddress::Broadcast);
    quint16 puertoBusqueda = kPuertoBusqueda;
    QHostAddress direccionAnunciada; // null: taken from the network interfaces
    bool busquedaPosible = true; // false when the discovery address could not be read
    int periodoBusquedaMs = kPeriodoBusquedaMs;
    quint16 puertoFtp = kPuertoFtp;

    static TConfiguracionRedDispensador Leer(const IniFile &ini);
    // Everything on loopback: the machine simulator and the tests.
    static TConfiguracionRedDispensador Local(quint16 puerto, quint16 puertoBusqueda);
};
