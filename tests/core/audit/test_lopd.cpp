#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QSqlRecord>
#include <QTest>

// The audit rows, on every engine of the test run.
class TestLOPD : public QObject
{
    Q_OBJECT

private:
    static QSqlRecord lastRow(TDM &dm)
    {
        TConsulta query
                = dm.Consulta(QStringLiteral("SELECT * FROM LOPD_Auditoria ORDER BY IdAudit DESC LIMIT 1"));
        return query.next() ? query.record() : QSqlRecord();
    }
    static int rows(TDM &dm)
    {
        return dm.Valor(QStringLiteral("SELECT count(*) FROM LOPD_Auditoria")).toInt();
    }

private slots:
    void words_data()
    {
        QTest::addColumn<int>("operacion");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("operationWord");
        QTest::addColumn<QString>("resultWord");
        QTest::newRow("query accepted") << LOPD::kConsulta << LOPD::kAceptado << "CONSULTA"
                                        << "ACEPTADO";
        QTest::newRow("creation accepted") << LOPD::kAlta << LOPD::kAceptado << "ALTA"
                                           << "ACEPTADO";
        QTest::newRow("change accepted") << LOPD::kModificacion << LOPD::kAceptado << "MODIFICACION"
                                         << "ACEPTADO";
        QTest::newRow("removal accepted") << LOPD::kBaja << LOPD::kAceptado << "BAJA"
                                          << "ACEPTADO";
        QTest::newRow("login refused") << LOPD::kConexion << LOPD::kRechazado << "CONEXION"
                                       << "RECHAZADO";
        QTest::newRow("login pending") << LOPD::kConexion << LOPD::kPendiente << "CONEXION"
                                       << "PENDIENTE";
        QTest::newRow("unknown codes") << 5 << 3 << ""
                                       << "";
    }
    void words()
    {
        QFETCH(int, operacion);
        QFETCH(int, resultado);
        QFETCH(QString, operationWord);
        QFETCH(QString, resultWord);
        TestDatabase db;
        TDM dm(db.directory());
        FixedClock clock(QDateTime(QDate(2024, 5, 6), QTime(9, 15, 30)));
        Auditar(QStringLiteral("FICHA PACIENTE"), operacion, resultado);
        const QSqlRecord row = lastRow(dm);
        QCOMPARE(row.value(QStringLiteral("Operacion")).toString(), operationWord);
        QCOMPARE(row.value(QStringLiteral("Resultado")).toString(), resultWord);
        QCOMPARE(row.value(QStringLiteral("Accion")).toString(), QStringLiteral("FICHA PACIENTE"));
        QCOMPARE(SqlFecha::leer(row.value(QStringLiteral("FAudit"))), Clock::now());
    }

    void aLoginWritesTwoRowsWithoutPatient()
    {
        TestDatabase db;
        TDM dm(db.directory());
        dm.idPacienteActivo = 17;
        Auditar(QStringLiteral("ACCESO"), LOPD::kConexion, LOPD::kPendiente);
        QCOMPARE(lastRow(dm).value(QStringLiteral("Username")).toString(), QString());
        QCOMPARE(lastRow(dm).value(QStringLiteral("refPaciente")).toString(), QStringLiteral("0"));
        dm.Usuario = TUsuario {1, QStringLiteral("farmaceutico"), QStringLiteral("ANA"),
                               QStringLiteral("FARMACEUTICO"), true};
        Auditar(QStringLiteral("ACCESO"), LOPD::kConexion, LOPD::kAceptado);
        QCOMPARE(rows(dm), 2);
        QCOMPARE(lastRow(dm).value(QStringLiteral("Username")).toString(), QStringLiteral("farmaceutico"));
        QCOMPARE(lastRow(dm).value(QStringLiteral("refPaciente")).toString(), QStringLiteral("0"));
    }

    void thePatientComesFromTheSession_data()
    {
        QTest::addColumn<int>("active");
        QTest::addColumn<QString>("stored");
        QTest::newRow("active patient") << 42 << "42";
        QTest::newRow("no active patient") << 0 << "0";
    }
    void thePatientComesFromTheSession()
    {
        QFETCH(int, active);
        QFETCH(QString, stored);
        TestDatabase db;
        TDM dm(db.directory());
        dm.idPacienteActivo = active;
        Auditar(QStringLiteral("TRATAMIENTO"), LOPD::kModificacion, LOPD::kAceptado);
        QCOMPARE(lastRow(dm).value(QStringLiteral("refPaciente")).toString(), stored);
    }

    void longTextsAreCutNotRefused()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const QByteArray previousUser = qgetenv("USER");
        qputenv("USER", QByteArray(40, 'u'));
        const QString action = QStringLiteral("PACIENTE CARGAS ") + QString(60, QLatin1Char('x'));
        Auditar(action, LOPD::kConsulta, LOPD::kAceptado);
        qputenv("USER", previousUser);
        const QSqlRecord row = lastRow(dm);
        QCOMPARE(row.value(QStringLiteral("Accion")).toString(), action.left(50));
        QCOMPARE(row.value(QStringLiteral("UserOS")).toString(), QString(30, QLatin1Char('u')));
        QVERIFY(row.value(QStringLiteral("Maquina")).toString().size() <= 30);
    }

    void anInjectionAttemptStaysPlainText()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const QString action = QStringLiteral("x'); DROP TABLE Paciente; --");
        Auditar(action, LOPD::kConsulta, LOPD::kAceptado);
        QCOMPARE(lastRow(dm).value(QStringLiteral("Accion")).toString(), action);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt(), 0);
    }

    void aFailedAuditNeverStopsTheOperation()
    {
        TestDatabase db;
        TDM dm(db.directory());
        QStringList shown;
        ManejadorErrores::EstablecerPresentador([&](const QString &message) { shown << message; });
        dm.Ejecutar(QStringLiteral("DROP TABLE LOPD_Auditoria"));
        dm.EnTransaccion([&] {
            dm.Anadir(QStringLiteral("Paciente"), {{QStringLiteral("Nombre"), QStringLiteral("ANA")}});
            Auditar(QStringLiteral("FICHA PACIENTE"), LOPD::kAlta, LOPD::kAceptado);
            dm.Anadir(QStringLiteral("Paciente"), {{QStringLiteral("Nombre"), QStringLiteral("LUIS")}});
        });
        ManejadorErrores::EstablecerPresentador({});
        QCOMPARE(shown.size(), 1);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt(), 2);
    }

    void registerWritesTheGivenPatient()
    {
        TestDatabase db;
        TDM dm(db.directory());
        dm.idPacienteActivo = 3;
        TLOPD(dm).Registrar(QStringLiteral("auxiliar"), QStringLiteral("PACIENTES"), 99, LOPD::kBaja,
                            LOPD::kAceptado);
        QCOMPARE(lastRow(dm).value(QStringLiteral("refPaciente")).toString(), QStringLiteral("99"));
        QCOMPARE(lastRow(dm).value(QStringLiteral("Username")).toString(), QStringLiteral("auxiliar"));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestLOPD)
#include "test_lopd.moc"
