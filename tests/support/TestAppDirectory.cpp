#include "support/TestAppDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestAppDirectory::TestAppDirectory()
    : m_directory(m_temp.path())
{ }

QString TestAppDirectory::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    out.write(bytes);
    return path;
}

QByteArray TestAppDirectory::read(const QString &name) const
{
    QFile in(file(name));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool TestAppDirectory::exists(const QString &name) const
{
    return QFileInfo::exists(file(name));
}
