#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/uHistorialTratamiento.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <memory>

// Two workstations (two processes, each with its own connection) marking the same patient's
// treatment version as loaded while each changes one of the patient's lines, on a shared SQLite
// file and on PostgreSQL.
class TestMarcarVersionConcurrente : public QObject
{
    Q_OBJECT

    static constexpr int kRondas = 40;

    static qint64 linea(TDM &dm, qint64 paciente, qint64 medicamento)
    {
        return dm.Anadir(QStringLiteral("SPD"),
                         {{QStringLiteral("idPaciente"), paciente},
                          {QStringLiteral("idMedicamento"), medicamento},
                          {QStringLiteral("Dosis"), QStringLiteral("1-0-0-0:D:D:1")},
                          {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 5, 1))}});
    }

    static std::unique_ptr<QProcess> puesto(const TestDatabase &db, qint64 paciente, qint64 idLinea,
                                            const QString &marca)
    {
        auto proceso = std::make_unique<QProcess>();
        proceso->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proceso->start(QStringLiteral(PUESTO_MARCAR_VERSION),
                       {db.directory().path(), QString::number(paciente), QString::number(idLinea), marca,
                        QString::number(kRondas)});
        return proceso;
    }

    static int valor(TDM &dm, const QString &sql, qint64 paciente)
    {
        return dm.Valor(sql, {paciente}).toInt();
    }

private slots:
    void ningunaVersionPerdidaNiDuplicada()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 paciente
                = dm.Anadir(QStringLiteral("Paciente"), {{QStringLiteral("Nombre"), QStringLiteral("ANA")}});
        const qint64 lineaA = linea(dm, paciente, 100);
        const qint64 lineaB = linea(dm, paciente, 200);

        const std::unique_ptr<QProcess> a = puesto(db, paciente, lineaA, QStringLiteral("A"));
        const std::unique_ptr<QProcess> b = puesto(db, paciente, lineaB, QStringLiteral("B"));
        // Both are connected before either starts, so their rounds overlap.
        for (QProcess *p : {a.get(), b.get()}) {
            QVERIFY(p->waitForStarted(-1));
            while (!p->canReadLine() && p->state() == QProcess::Running)
                p->waitForReadyRead(-1);
            QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
        }
        for (QProcess *p : {a.get(), b.get()}) {
            p->write("go\n");
            p->waitForBytesWritten(-1); // now, not when the other one has finished
        }
        for (QProcess *p : {a.get(), b.get()}) {
            QVERIFY(p->waitForFinished(-1));
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QCOMPARE(p->exitCode(), 0);
        }

        const int ultima = valor(
                dm, QStringLiteral("SELECT MAX(IdVersion) FROM SPDHIST WHERE IDPaciente = ?"), paciente);
        QVERIFY(ultima >= 1);
        // Versions numbered 1 ... last without gaps, each a whole copy of the two lines, once.
        QCOMPARE(valor(dm,
                       QStringLiteral("SELECT COUNT(DISTINCT IdVersion) FROM SPDHIST WHERE IDPaciente = ?"),
                       paciente),
                 ultima);
        QCOMPARE(valor(dm, QStringLiteral("SELECT COUNT(*) FROM SPDHIST WHERE IDPaciente = ?"), paciente),
                 2 * ultima);
        QCOMPARE(valor(dm,
                       QStringLiteral("SELECT COUNT(*) FROM (SELECT DISTINCT IdVersion, ID FROM SPDHIST "
                                      "WHERE IDPaciente = ?) pares"),
                       paciente),
                 2 * ultima);
        // Every version was written by a mark, so every one is marked as loaded.
        QCOMPARE(valor(dm,
                       QStringLiteral("SELECT COUNT(*) FROM SPDHIST WHERE IDPaciente = ? AND "
                                      "(IuCarga IS NULL OR IuCarga <> 1)"),
                       paciente),
                 0);
        // Nothing lost: the last version holds both workstations' last change.
        TConsulta ultimas = dm.Consulta(
                QStringLiteral(
                        "SELECT Dosis FROM SPDHIST WHERE IDPaciente = ? AND IdVersion = ? ORDER BY ID"),
                {paciente, ultima});
        QStringList dosis;
        while (ultimas.next())
            dosis << ultimas.value(0).toString();
        QCOMPARE(dosis,
                 (QStringList {QStringLiteral("A-%1").arg(kRondas - 1),
                               QStringLiteral("B-%1").arg(kRondas - 1)}));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestMarcarVersionConcurrente)
#include "test_marcar_version_concurrente.moc"
