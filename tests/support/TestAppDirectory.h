#pragma once

#include "core/shell/AppDirectory.h"

#include <QByteArray>
#include <QTemporaryDir>

// A throwaway application directory with helpers to put files in it and read them back.
class TestAppDirectory
{
public:
    TestAppDirectory();

    const AppDirectory &directory() const { return m_directory; }
    QString path() const { return m_directory.path(); }
    QString file(const QString &name) const { return m_directory.file(name); }

    // Writes the bytes as the named file (creating folders), returning its path.
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

private:
    QTemporaryDir m_temp;
    AppDirectory m_directory;
};
