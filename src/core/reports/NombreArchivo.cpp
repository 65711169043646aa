#include "core/reports/NombreArchivo.h"

namespace {

constexpr qsizetype kMaxLength = 100;

bool refused(QChar c)
{
    static const QString kRefused = QStringLiteral("/\\:*?\"<>|");
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
            || kRefused.contains(c);
}

QString trimBlanksAndDots(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    auto ignored = [](QChar c) { return c.isSpace() || c == QLatin1Char('.'); };
    while (first < last && ignored(text.at(first)))
        ++first;
    while (last > first && ignored(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

} // namespace

QString NombreArchivoSeguro(const QString &titulo)
{
    QString name;
    name.reserve(titulo.size());
    for (const QChar c : titulo)
        name += c.isSpace() ? QChar(QLatin1Char(' ')) : refused(c) ? QChar(QLatin1Char('_')) : c;
    name = trimBlanksAndDots(name.simplified());
    if (name.size() > kMaxLength) {
        name.truncate(kMaxLength);
        if (name.back().isHighSurrogate())
            name.chop(1);
        name = trimBlanksAndDots(name);
    }
    return name.isEmpty() ? QStringLiteral("informe") : name;
}
