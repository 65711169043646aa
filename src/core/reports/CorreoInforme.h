#pragma once

#include "core/reports/ReportIoResult.h"

#include <QStringList>

#include <functional>

// Hands a report file to the desktop's mail program as an attachment ("xdg-email --attach"),
// with no recipient, subject or body: the user completes and sends the message there.
class CorreoInforme
{
public:
    // Starts a program detached; false when it could not be started.
    using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;

    explicit CorreoInforme(Launcher launcher = startDetached);

    ReportIoResult enviar(const QString &attachment) const;

    static bool startDetached(const QString &program, const QStringList &arguments);

private:
    Launcher m_launcher;
};
