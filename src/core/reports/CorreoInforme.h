#pragma once

#include "core/reports/ReportIoResult.h"

#include <QStringList>

#include <functional>

// Hands a report file to the desktop's mail program as an attachment ("xdg-email --attach"),
// with no recipient, subject or body: the user completes and sends the message there. When no
// mail program takes it, the failure says where the file is, so it can be attached by hand.
class CorreoInforme
{
public:
    // Runs the mail hand-over; false when no mail program took the message.
    using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;

    explicit CorreoInforme(Launcher launcher = entregarAlCorreo);

    ReportIoResult enviar(const QString &attachment) const;

    // Starts the program and waits a moment for its answer: xdg-email ends at once with a
    // failure code when the desktop has no mail program, and either ends with success or keeps
    // running once a mail program opened the message.
    static bool entregarAlCorreo(const QString &program, const QStringList &arguments);

private:
    Launcher m_launcher;
};
