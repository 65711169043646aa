#pragma once

#include <QByteArray>
#include <QList>

// Joins the bytes of one connection into whole messages. TCP delivers a stream: a message
// may be split across reads and one read may hold several messages, so only text up to a
// "|" is a message. The bytes kept waiting for their "|" are bounded: a run longer than any
// real message is dropped, and so is the rest of it up to its "|", so that endless data
// without a terminator never grows memory and never turns into a message.
class BufferRecepcion
{
public:
    // Far above the longest real message (a "status" is a few hundred bytes).
    static constexpr qsizetype kLimite = 64 * 1024;

    struct Lectura
    {
        QList<QByteArray> mensajes; // complete, non-empty, without their "|", in order
        qsizetype descartados = 0; // bytes dropped by this read for being too long
    };

    Lectura Anadir(const QByteArray &bytes);

    // Bytes waiting for their terminator.
    qsizetype Pendientes() const { return m_pendiente.size(); }
    const QByteArray &Pendiente() const { return m_pendiente; }

    // Drops the bytes waiting for their terminator, returning how many.
    qsizetype Descartar();

private:
    QByteArray m_pendiente;
    bool m_descartando = false; // inside an over-long run, dropping up to its "|"
};
