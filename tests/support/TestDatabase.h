#pragma once

#include "core/data/ConnectionText.h"
#include "core/data/SqlEngine.h"
#include "support/TestAppDirectory.h"

#include <QList>
#include <QObject>
#include <QString>

// A throwaway database for one test: a SQLite file in a temporary application directory, or,
// when PASTILLERO_TEST_PGURL names a PostgreSQL database, a schema of its own in that database
// (dropped afterwards) whose URL is written as "BDfile" of the directory's initialisation file.
// Either way `TDM dm(db.directory())` opens it the way the application does.
class TestDatabase
{
public:
    TestDatabase(); // on the engine the test run is on (see runOnEveryEngine)
    explicit TestDatabase(SqlEngine engine);
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    SqlEngine engine() const { return m_engine; }
    const AppDirectory &directory() const { return m_appDirectory.directory(); }
    TestAppDirectory &appDirectory() { return m_appDirectory; }
    // The connection text that reaches this database (with the PostgreSQL password in it).
    const QString &connectionText() const { return m_connectionText; }

    // SQLite always, PostgreSQL when its test URL is set.
    static QList<SqlEngine> engines();
    static SqlEngine current();
    static QString engineName(SqlEngine engine);
    // The PostgreSQL test URL (empty when not set).
    static QString postgresUrl();

private:
    SqlEngine m_engine;
    TestAppDirectory m_appDirectory;
    QString m_schema;
    QString m_connectionText;
};

// Runs the QtTest object once per engine of TestDatabase::engines(); the failures of all runs
// add up to the exit code.
int runOnEveryEngine(QObject &test, int argc, char **argv);

#define PASTILLERO_DATA_TEST_MAIN(TestClass) \
    int main(int argc, char **argv) \
    { \
        QCoreApplication app(argc, argv); \
        TestClass test; \
        return runOnEveryEngine(test, argc, argv); \
    }
