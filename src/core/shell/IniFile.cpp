#include "core/shell/IniFile.h"

#include "core/common/EscrituraSegura.h"
#include "core/common/TextEncoding.h"
#include "core/shell/IniDocument.h"

#include <QFile>
#include <QSaveFile>

#include <optional>

namespace {

// Anything larger is not an initialisation file; it reads as empty rather than filling memory.
constexpr qint64 kMaxIniSize = 4 * 1024 * 1024;

// Nothing when the file exists but cannot be read: an edit must not replace what it never saw.
std::optional<IniDocument> read(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return IniDocument {};
    if (file.size() > kMaxIniSize || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IniDocument::parse(TextEncoding::decodeUtf8OrWindows1252(file.readAll()));
}

IniDocument load(const QString &path)
{
    return read(path).value_or(IniDocument {});
}

bool save(const QString &path, const IniDocument &doc)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(doc.text().toUtf8());
    return ConfirmarEscritura(file);
}

template<typename Edit> bool edit(const QString &path, Edit change)
{
    std::optional<IniDocument> doc = read(path);
    if (!doc)
        return false;
    change(*doc);
    return save(path, *doc);
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{ }

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return load(m_path).value(section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = readString(section, key).trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text.at(0) == QLatin1Char('-') || text.at(0) == QLatin1Char('+')))
        ++end;
    const qsizetype digitsStart = end;
    while (end < text.size() && text.at(end).isDigit() && end - digitsStart < 10)
        ++end;
    if (end == digitsStart)
        return defaultValue;
    bool ok = false;
    const int value = text.left(end).toInt(&ok);
    return ok ? value : defaultValue;
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::sectionExists(const QString &section) const
{
    return load(m_path).hasSection(section);
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return load(m_path).value(section, key).has_value();
}

QStringList IniFile::sections() const
{
    return load(m_path).sections();
}

QStringList IniFile::keys(const QString &section) const
{
    return load(m_path).keys(section);
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    // A line break inside a value would become a line of its own on reading back.
    QString single = value;
    single.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return edit(m_path, [&](IniDocument &doc) { doc.setValue(section, key, single); });
}

bool IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeInteger(section, key, value ? 1 : 0);
}

bool IniFile::deleteKey(const QString &section, const QString &key)
{
    return edit(m_path, [&](IniDocument &doc) { doc.removeKey(section, key); });
}

bool IniFile::eraseSection(const QString &section)
{
    return edit(m_path, [&](IniDocument &doc) { doc.removeSection(section); });
}
