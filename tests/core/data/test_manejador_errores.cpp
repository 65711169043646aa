#include "core/common/AppError.h"
#include "core/data/ManejadorErrores.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestAppDirectory.h"

#include <QTest>

#include <stdexcept>

// The application-wide handler: logged as ": ERROR:", shown through the presenter, never fatal.
class TestManejadorErrores : public QObject
{
    Q_OBJECT

    TestAppDirectory m_dir;
    QStringList m_shown;

private slots:
    void init()
    {
        m_dir.write(QStringLiteral("pastillero.log"), {});
        m_dir.write(QStringLiteral("pastillero.ini"), "[VERSION]\r\nLOG=1\r\n");
        uLog::IniciarLog(IniFile(m_dir.directory().iniFile()), m_dir.directory().logFile());
        m_shown.clear();
        ManejadorErrores::EstablecerPresentador([this](const QString &message) { m_shown << message; });
    }
    void cleanup()
    {
        ManejadorErrores::EstablecerPresentador({});
        uLog::CerrarLog();
    }

    void failures_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("application error") << 0 << "No se puede abrir la base de datos";
        QTest::newRow("standard exception") << 1 << "bad_alloc-like failure";
        QTest::newRow("anything else") << 2 << "Error desconocido";
    }
    void failures()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        const bool ok = ManejadorErrores::Proteger([&] {
            if (kind == 0)
                throw AppError(message);
            if (kind == 1)
                throw std::runtime_error(message.toStdString());
            throw 42;
        });
        QVERIFY(!ok);
        QCOMPARE(m_shown, QStringList {message});
        const QString log = QString::fromUtf8(m_dir.read(QStringLiteral("pastillero.log")));
        QVERIFY(log.endsWith(QStringLiteral(" : ERROR:") + message + QStringLiteral("\r\n")));
    }

    void workThatSucceedsReportsNothing()
    {
        int runs = 0;
        QVERIFY(ManejadorErrores::Proteger([&] { ++runs; }));
        QCOMPARE(runs, 1);
        QVERIFY(m_shown.isEmpty());
        QVERIFY(m_dir.read(QStringLiteral("pastillero.log")).isEmpty());
    }

    void withoutPresenterTheErrorIsOnlyLogged()
    {
        ManejadorErrores::EstablecerPresentador({});
        ManejadorErrores::Reportar(QStringLiteral("sin pantalla"));
        QVERIFY(m_shown.isEmpty());
        QVERIFY(m_dir.read(QStringLiteral("pastillero.log")).contains(": ERROR:sin pantalla"));
    }
};

QTEST_GUILESS_MAIN(TestManejadorErrores)
#include "test_manejador_errores.moc"
