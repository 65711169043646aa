#pragma once

#include <QString>

// The checks of a dotted address typed for the machine's network (mask, gateway, name server):
// four parts separated by ".", each a decimal number written with digits only (blanks around a
// part are ignored). A part that is missing, empty or not a number is refused with the message
// of its position, as a number out of range would be.
struct TResultadoDireccion
{
    QString direccion; // the address written back as four plain numbers; empty when refused
    QString clave; // the message key when refused
    QString porDefecto; // its Spanish text

    bool Valida() const { return clave.isEmpty(); }
    // The message in the current language.
    QString Mensaje() const;
};

// An address of a machine or a gateway: the first part 1..223, the others 0..255.
TResultadoDireccion ValidarIP(const QString &texto);
// A network mask: every part 0..255.
TResultadoDireccion ValidarMascara(const QString &texto);
