#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The text of an initialisation file as lines, with the lookups and edits of profile files.
// Lines it does not understand (comments, blank lines, garbage) are kept where they are.
class IniDocument
{
public:
    static IniDocument parse(const QString &text);
    QString text() const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    void setValue(const QString &section, const QString &key, const QString &value);
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &section);

private:
    struct Range
    {
        int header = -1; // line of "[section]"
        int end = 0; // one past the section's last line
    };
    std::optional<Range> findSection(const QString &section) const;
    int findKeyLine(const Range &range, const QString &key) const;

    QStringList m_lines;
    QString m_lineEnd = QStringLiteral("\n");
};
