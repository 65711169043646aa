#pragma once

#include <QByteArray>
#include <QString>

// Text files of older installations are Windows-1252; this system writes UTF-8. Readers take
// UTF-8 when the bytes are valid UTF-8 and fall back to Windows-1252 otherwise.
namespace TextEncoding {

bool isValidUtf8(const QByteArray &bytes);
QString decodeUtf8OrWindows1252(const QByteArray &bytes);
QString fromWindows1252(const QByteArray &bytes);
// Characters Windows-1252 cannot hold become '?'.
QByteArray toWindows1252(const QString &text);

} // namespace TextEncoding
