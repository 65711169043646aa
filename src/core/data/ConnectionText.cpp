#include "core/data/ConnectionText.h"

#include "core/shell/AppDirectory.h"
#include "core/shell/IniFile.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace {

bool isPostgresUrl(const QString &text)
{
    return text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
            || text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

// libpq's conninfo syntax: values in single quotes with quotes and backslashes escaped.
QString conninfoValue(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

QString firstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    }
    return {};
}

} // namespace

ConnectionText ConnectionText::forDirectory(const AppDirectory &directory)
{
    QString text;
    if (QFile::exists(directory.dataLinkFile()))
        text = firstLine(directory.dataLinkFile());
    else
        text = IniFile(directory.iniFile())
                       .readString(QStringLiteral("VERSION"), QStringLiteral("BDfile"))
                       .trimmed();
    if (text.isEmpty()) {
        ConnectionText connection = parse(directory.databaseFile(), directory.path());
        connection.m_defaultLocation = true;
        return connection;
    }
    ConnectionText connection = parse(text, directory.path());
    // "data.dat" of the application directory named explicitly is still the default file.
    connection.m_defaultLocation = connection.m_engine == SqlEngine::SQLite
            && connection.m_filePath == QDir::cleanPath(directory.databaseFile());
    return connection;
}

ConnectionText ConnectionText::parse(const QString &text, const QString &baseDir)
{
    ConnectionText connection;
    const QString trimmed = text.trimmed();
    if (!isPostgresUrl(trimmed)) {
        connection.m_engine = SqlEngine::SQLite;
        connection.m_valid = !trimmed.isEmpty();
        if (connection.m_valid)
            connection.m_filePath = QDir::cleanPath(QDir(baseDir).absoluteFilePath(trimmed));
        return connection;
    }

    connection.m_engine = SqlEngine::PostgreSQL;
    const QUrl url(trimmed, QUrl::TolerantMode);
    connection.m_host = url.host();
    connection.m_port = url.port(5432);
    connection.m_database = url.path().mid(1);
    connection.m_userName = url.userName(QUrl::FullyDecoded);
    connection.m_password = url.password(QUrl::FullyDecoded);
    QStringList options;
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto &[key, value] : items) {
        if (key == kCarpetaCompartida)
            connection.m_sharedFolder = value;
        else
            options << key + QLatin1Char('=') + conninfoValue(value);
    }
    connection.m_options = options.join(QLatin1Char(';'));
    connection.m_valid = url.isValid() && !connection.m_host.isEmpty() && !connection.m_database.isEmpty();
    return connection;
}

QString ConnectionText::describe() const
{
    if (m_engine == SqlEngine::SQLite)
        return m_filePath;
    QString text = QStringLiteral("postgresql://");
    if (!m_userName.isEmpty())
        text += m_userName + QLatin1Char('@');
    return text + m_host + QLatin1Char(':') + QString::number(m_port) + QLatin1Char('/') + m_database;
}
