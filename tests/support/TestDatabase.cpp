#include "support/TestDatabase.h"

#include "core/shell/IniFile.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace {

SqlEngine g_current = SqlEngine::SQLite;

// Runs one statement on the test server outside any data module.
bool administer(const QString &statement)
{
    const ConnectionText target = ConnectionText::parse(TestDatabase::postgresUrl(), QString());
    const QString name = QStringLiteral("test-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(target.host());
        db.setPort(target.port());
        db.setDatabaseName(target.database());
        db.setUserName(target.userName());
        db.setPassword(target.password());
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(statement);
            if (!ok)
                qWarning() << "test database:" << query.lastError().text();
        } else {
            qWarning() << "test database:" << db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

TestDatabase::TestDatabase()
    : TestDatabase(g_current)
{ }

TestDatabase::TestDatabase(SqlEngine engine)
    : m_engine(engine)
{
    if (engine == SqlEngine::SQLite) {
        m_connectionText = m_appDirectory.directory().databaseFile();
        return;
    }
    static QAtomicInt counter;
    m_schema = QStringLiteral("t_%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(counter.fetchAndAddRelaxed(1));
    if (!administer(QStringLiteral("CREATE SCHEMA %1").arg(m_schema)))
        qFatal("cannot create the test schema");
    QUrl url(postgresUrl());
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("options"), QStringLiteral("-c search_path=%1").arg(m_schema));
    url.setQuery(query);
    m_connectionText = url.toString(QUrl::FullyEncoded);
    IniFile(m_appDirectory.directory().iniFile())
            .writeString(QStringLiteral("VERSION"), QStringLiteral("BDfile"), m_connectionText);
}

TestDatabase::~TestDatabase()
{
    if (!m_schema.isEmpty())
        administer(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
}

QList<SqlEngine> TestDatabase::engines()
{
    QList<SqlEngine> all {SqlEngine::SQLite};
    if (!postgresUrl().isEmpty())
        all << SqlEngine::PostgreSQL;
    return all;
}

SqlEngine TestDatabase::current()
{
    return g_current;
}

QString TestDatabase::engineName(SqlEngine engine)
{
    return engine == SqlEngine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
}

QString TestDatabase::postgresUrl()
{
    return qEnvironmentVariable("PASTILLERO_TEST_PGURL");
}

int runOnEveryEngine(QObject &test, int argc, char **argv)
{
    int failures = 0;
    for (SqlEngine engine : TestDatabase::engines()) {
        g_current = engine;
        qInfo().noquote() << "=== engine:" << TestDatabase::engineName(engine);
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}
