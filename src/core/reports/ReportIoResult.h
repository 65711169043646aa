#pragma once

#include <QString>

// The outcome of writing or reading a report file: empty when it worked, else the message
// (already translated) that tells the user what went wrong.
struct ReportIoResult
{
    QString error;

    bool ok() const { return error.isEmpty(); }
    static ReportIoResult success() { return {}; }
    static ReportIoResult failure(const QString &message) { return {message}; }
    // The one message for a file that could not be written; `detail` says why.
    static ReportIoResult cannotWrite(const QString &path, const QString &detail);
};

// Writes the bytes as the file, whole or not at all: on any failure the old file is kept.
ReportIoResult writeFileAtomically(const QString &path, const QByteArray &bytes);
