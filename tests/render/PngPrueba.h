#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

// The bytes of a PNG picture of one colour: a logo or photo for a report built in a test.
inline QByteArray PngPrueba(int ancho, int alto, const QColor &color = Qt::darkCyan)
{
    QImage imagen(ancho, alto, QImage::Format_RGB32);
    imagen.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    return bytes;
}
