#include "core/shell/IniDocument.h"

namespace {

std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

struct KeyValue
{
    QString key;
    QString value;
};

std::optional<KeyValue> keyValue(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const QString key = line.left(equals).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    QString value = line.mid(equals + 1).trimmed();
    // Windows drops one pair of quotes around a whole value.
    if (value.size() >= 2 && value.front() == value.back()
        && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        value = value.mid(1, value.size() - 2);
    return KeyValue {key, value};
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument IniDocument::parse(const QString &text)
{
    IniDocument doc;
    if (text.contains(QLatin1String("\r\n")))
        doc.m_lineEnd = QStringLiteral("\r\n");
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    doc.m_lines = normalised.split(QLatin1Char('\n'));
    if (!doc.m_lines.isEmpty() && doc.m_lines.constLast().isEmpty())
        doc.m_lines.removeLast();
    return doc;
}

QString IniDocument::text() const
{
    if (m_lines.isEmpty())
        return {};
    return m_lines.join(m_lineEnd) + m_lineEnd;
}

std::optional<IniDocument::Range> IniDocument::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines.at(i));
        if (!name || !sameName(*name, section))
            continue;
        Range range {i, static_cast<int>(m_lines.size())};
        for (int j = i + 1; j < m_lines.size(); ++j) {
            if (sectionName(m_lines.at(j))) {
                range.end = j;
                break;
            }
        }
        return range;
    }
    return std::nullopt;
}

int IniDocument::findKeyLine(const Range &range, const QString &key) const
{
    for (int i = range.header + 1; i < range.end; ++i) {
        const auto kv = keyValue(m_lines.at(i));
        if (kv && sameName(kv->key, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    const int line = findKeyLine(*range, key);
    if (line < 0)
        return std::nullopt;
    return keyValue(m_lines.at(line))->value;
}

bool IniDocument::hasSection(const QString &section) const
{
    return findSection(section).has_value();
}

QStringList IniDocument::sections() const
{
    QStringList names;
    for (const QString &line : m_lines) {
        if (const auto name = sectionName(line))
            names << *name;
    }
    return names;
}

QStringList IniDocument::keys(const QString &section) const
{
    QStringList names;
    if (const auto range = findSection(section)) {
        for (int i = range->header + 1; i < range->end; ++i) {
            if (const auto kv = keyValue(m_lines.at(i)))
                names << kv->key;
        }
    }
    return names;
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + QLatin1Char('=') + value;
    auto range = findSection(section);
    if (!range) {
        if (!m_lines.isEmpty() && !m_lines.constLast().trimmed().isEmpty())
            m_lines << QString();
        m_lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
        return;
    }
    const int existing = findKeyLine(*range, key);
    if (existing >= 0) {
        // Keep the spelling of the key already in the file.
        m_lines[existing] = keyValue(m_lines.at(existing))->key + QLatin1Char('=') + value;
        return;
    }
    // After the section's last non-blank line, so blank separators stay between sections.
    int insertAt = range->end;
    while (insertAt - 1 > range->header && m_lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, line);
}

void IniDocument::removeKey(const QString &section, const QString &key)
{
    if (const auto range = findSection(section)) {
        const int line = findKeyLine(*range, key);
        if (line >= 0)
            m_lines.removeAt(line);
    }
}

void IniDocument::removeSection(const QString &section)
{
    if (const auto range = findSection(section))
        m_lines.remove(range->header, range->end - range->header);
}
