#pragma once

#include <QString>
#include <QStringList>

// The workstation's initialisation file with the semantics of Windows profile files: sections
// and keys are matched without regard to case, values are kept verbatim, unknown lines and the
// order of the file survive every write. Each read looks at the file as it is on disk and each
// write is saved at once, atomically, so several objects of the process (and other programs)
// can hold the same file open without losing each other's changes.
class IniFile
{
public:
    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // Leading digits of the value, as Windows reads a profile integer; the default when none.
    int readInteger(const QString &section, const QString &key, int defaultValue = 0) const;
    bool readBool(const QString &section, const QString &key, bool defaultValue = false) const;
    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    // Each write returns false when the file could not be saved; the file is then unchanged.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInteger(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value);
    bool deleteKey(const QString &section, const QString &key);
    bool eraseSection(const QString &section);

private:
    QString m_path;
};
