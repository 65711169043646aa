#include "core/common/TextEncoding.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>

namespace {

// Runs one conversion through glibc's iconv. `replacement` stands for every input unit the
// target cannot represent, so a conversion never fails part-way.
QByteArray convert(const char *to, const char *from, const QByteArray &input, int unitSize,
                   const QByteArray &replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray output;
    output.reserve(input.size() * 2 + 16);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char buffer[1024];
    while (inLeft > 0) {
        char *out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: replace one unit and go on.
            output.append(replacement);
            const size_t skip = std::min<size_t>(static_cast<size_t>(unitSize), inLeft);
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return output;
}

} // namespace

namespace TextEncoding {

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    Q_UNUSED(ignored);
    return !decoder.hasError();
}

QString decodeUtf8OrWindows1252(const QByteArray &bytes)
{
    if (isValidUtf8(bytes)) {
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    return fromWindows1252(bytes);
}

QString fromWindows1252(const QByteArray &bytes)
{
    // Five byte values are undefined in Windows-1252; they come out as U+FFFD.
    const QByteArray utf16 = convert("UTF-16LE", "WINDOWS-1252", bytes, 1, QByteArray("\xFD\xFF", 2));
    return QString(reinterpret_cast<const QChar *>(utf16.constData()), utf16.size() / 2);
}

QByteArray toWindows1252(const QString &text)
{
    const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return convert("WINDOWS-1252", "UTF-16LE", utf16, 2, QByteArray("?"));
}

} // namespace TextEncoding
