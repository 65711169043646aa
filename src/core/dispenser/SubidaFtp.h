#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Where a machine software package is copied: the machine's own FTP service.
struct TDestinoFtp
{
    QString servidor; // the machine's address
    quint16 puerto = 21;
    QString usuario;
    QString clave;
    QString carpeta = QStringLiteral("/tmp");
};

struct TResultadoSubida
{
    bool completa = false; // libcurl reported success AND the bytes sent equal the file's size
    bool cancelada = false; // the progress callback asked to stop
    qint64 enviados = 0;
    qint64 tamano = 0;
    QString error; // a readable reason (libcurl's message, the FTP reply) when not complete
};

// Called on the caller's thread about every 100 ms; returning false cancels the upload.
using ProgresoSubida = std::function<bool(qint64 enviados, qint64 total)>;

// Uploads `archivo` into destino.carpeta under its own file name (no folders), replacing any
// file there: passive mode, binary, connect timeout 10 s, a stalled transfer ended after 20 s,
// no proxy from the environment. The transfer runs on a worker thread while the caller's thread
// runs a local event loop, so the window stays responsive (the caller keeps the user from
// starting a second update meanwhile); the function returns when the transfer ended.
TResultadoSubida SubirArchivoFtp(const TDestinoFtp &destino, const QString &archivo,
                                 const ProgresoSubida &progreso = {});
