#pragma once

#include <QString>
#include <QStringList>

// A message prepared for the user's own mail program: the user checks it there and sends it.
// An empty part is left out of the message.
struct TMensajeCorreo
{
    QString para;
    QString asunto;
    QString cuerpo;
    // Full paths of the files to attach.
    QStringList adjuntos;
};

// Result of a hand-over that reached the mail program.
inline constexpr int kCorreoEntregado = 0;
// Result when no mail program could be started (xdg-email missing, not runnable or crashed).
inline constexpr int kCorreoSinPrograma = -1;

// The command line of "xdg-email" for the message (UTF-8 texts, recipient last).
QStringList ArgumentosXdgEmail(const TMensajeCorreo &mensaje);

// Runs the program found on PATH and waits a bounded time for its answer while the windows keep
// being painted (user input is held back, so nothing is started twice). Result: its exit code,
// kCorreoEntregado when it is still running after the wait (a mail program opened the message
// in the foreground), kCorreoSinPrograma when it could not run.
int EjecutarProgramaCorreo(const QString &programa, const QStringList &argumentos);

// Hands the message to the desktop's mail program with "xdg-email"; kCorreoEntregado when the
// program took it, any other value is a failure the caller reports.
int EnviarCorreo(const TMensajeCorreo &mensaje);
