#pragma once

#include "core/shell/EnviarCorreo.h"

class IniFile;
struct TPreferenciasValores;

// The support request: an e-mail to the supplier's support service with the pharmacy's name and
// telephone and the event log attached, handed to the user's mail program to check and send.

// The support address for the country of the preferences ("1" to "5"; any other value takes the
// general address). Section "SOPORTE" of the initialisation file may replace each one: key
// "EMAIL" the general address, "EMAIL1" to "EMAIL5" the country's.
QString DireccionSoporte(const IniFile &ini, const QString &pais);

// The message: the country's address, the subject, the pharmacy's data and the event log when
// that file exists.
TMensajeCorreo MensajeSoporte(const TPreferenciasValores &preferencias, const IniFile &ini,
                              const QString &ficheroLog);

// Builds the message from the preferences and the installation's files and hands it to the mail
// program; the result of EnviarCorreo (kCorreoEntregado when the mail program took it).
int SolicitudSoporte();
