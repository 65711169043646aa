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

class QSaveFile;

// Writes the bytes as the file, whole or not at all: on any failure the old file is kept.
ReportIoResult writeFileAtomically(const QString &path, const QByteArray &bytes);

// Ends writing an open save file: replaces the target only when every byte reached the disk,
// otherwise discards the new file and keeps the old one.
ReportIoResult commitWhole(QSaveFile &file);
