#pragma once

#include <QHostAddress>
#include <QList>

// The workstation's address to announce to the machine. Taken from the network interfaces,
// not from the host name, which resolves to a loopback address on many systems.
namespace DireccionLocal {

// What counts of one interface.
struct Interfaz
{
    bool activa = false; // up and running
    bool loopback = false;
    QList<QHostAddress> direcciones;
};

// The first IPv4 address, not loopback nor link-local, of the first active interface that
// is not loopback; null when there is none.
QHostAddress Elegir(const QList<Interfaz> &interfaces);

// The same choice over the workstation's interfaces.
QHostAddress DeLaEstacion();

} // namespace DireccionLocal
