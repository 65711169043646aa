#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/ConsultaPlan.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

// The plan query and the load built from stored lines, on every engine of the test run.
class TestPlanQuery : public QObject
{
    Q_OBJECT

    static constexpr qint64 kPaciente = 3;
    const QDate kDesde {2026, 6, 1}; // a Monday
    const QDate kHasta {2026, 6, 7};

    static void addMedication(TDM &dm, qint64 codigo, const QVariant &spd, int volumen)
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), codigo},
                   {QStringLiteral("Medicamento"), QStringLiteral("MED%1").arg(codigo)},
                   {QStringLiteral("Descripcion"), QStringLiteral("1G")},
                   {QStringLiteral("SPD"), spd},
                   {QStringLiteral("Comprimido"), 1},
                   {QStringLiteral("Volumen"), volumen}});
    }
    static qint64 addLine(TDM &dm, qint64 medicamento, const QString &dosis, double cantidad,
                          const QDate &inicio = QDate(2026, 5, 1), const QDate &fin = QDate(),
                          const QVariant &spdp = QVariant())
    {
        return dm.Anadir(QStringLiteral("SPD"),
                         {{QStringLiteral("idPaciente"), kPaciente},
                          {QStringLiteral("idMedicamento"), medicamento},
                          {QStringLiteral("Dosis"), dosis},
                          {QStringLiteral("DosisS1"), dosis},
                          {QStringLiteral("Cantidad"), cantidad},
                          {QStringLiteral("Inicio"), SqlFecha::valor(inicio)},
                          {QStringLiteral("Fin"), SqlFecha::valor(fin)},
                          {QStringLiteral("SPDP"), spdp}});
    }
    QStringList names(TDM &dm)
    {
        dm.idPacienteActivo = kPaciente;
        TRecarga carga;
        ConstruirCarga(dm, carga, kDesde, kHasta);
        QStringList nombres;
        for (int i = 0; i < carga.Count(); ++i)
            nombres << QStringLiteral("%1/%2/%3")
                               .arg(carga.Linea(i)->Nombre)
                               .arg(carga.Linea(i)->Carga)
                               .arg(carga.Linea(i)->Estado);
        return nombres;
    }

private slots:
    void init() { Clock::fix(QDateTime(QDate(2026, 5, 30), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    void blisterLinesFirstThenSmallerThenByLine()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, 1, 0, 1); // not for the blister
        addMedication(dm, 2, 1, 3);
        addMedication(dm, 3, 1, 1);
        addMedication(dm, 4, QVariant(), 1); // a null flag is no
        addMedication(dm, 5, 1, 3);
        addLine(dm, 1, QStringLiteral("1-0-0-0:D:D:1"), 7);
        addLine(dm, 2, QStringLiteral("1-0-0-0:D:D:1"), 7);
        addLine(dm, 3, QStringLiteral("1-0-0-0:D:D:1"), 7);
        addLine(dm, 4, QStringLiteral("1-0-0-0:D:D:1"), 7, QDate(2026, 5, 1), QDate(), 1); // override: yes
        addLine(dm, 5, QStringLiteral("1-0-0-0:D:D:1"), 7, QDate(2026, 5, 1), QDate(), 0); // override: no
        QList<qint32> orden;
        for (const TFilaPlan &fila : ConsultaPlan(dm, kPaciente, kDesde, kHasta))
            orden << fila.idMedicamento;
        QCOMPARE(orden, (QList<qint32> {3, 4, 2, 1, 5}));
    }

    void window_data()
    {
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<QDate>("fin");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("starts on the window end")
                << QDate(2026, 6, 7) << QDate() << QStringList {QStringLiteral("MED1 1G/1/1")};
        QTest::newRow("ends on the window start")
                << QDate(2026, 5, 1) << QDate(2026, 6, 1) << QStringList {QStringLiteral("MED1 1G/1/1")};
        QTest::newRow("ends the day before") << QDate(2026, 5, 1) << QDate(2026, 5, 31) << QStringList {};
        QTest::newRow("starts the day after") << QDate(2026, 6, 8) << QDate() << QStringList {};
    }
    void window()
    {
        QFETCH(QDate, inicio);
        QFETCH(QDate, fin);
        QFETCH(QStringList, esperadas);
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, 1, 1, 1);
        addLine(dm, 1, QStringLiteral("1-0-0-0:D:D:1"), 10, inicio, fin);
        QCOMPARE(names(dm), esperadas);
    }

    void storedLinesBecomePortions()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, 1, 1, 2);
        addMedication(dm, 2, 0, 1);
        addMedication(dm, 3, 1, 1);
        addLine(dm, 1, QStringLiteral("1,5-0-0-0:D:D:1"), 5);
        addLine(dm, 2, QStringLiteral("UNO SI DOLOR"), 0);
        const qint64 libre = addLine(dm, 3, QStringLiteral("1-0-0-0:D:D:1"), 7);
        dm.Ejecutar(QStringLiteral("UPDATE SPD SET DosisS1 = '0-0-0-0:0' WHERE id = ?"), {libre});
        addLine(dm, 99, QStringLiteral("1-0-0-0:D:D:1"), 7); // its medication was deleted
        QCOMPARE(names(dm),
                 (QStringList {QStringLiteral("MED3 1G/-1/8"), QStringLiteral("(1/2) MED1 1G/7/1"),
                               QStringLiteral("MED1 1G/7/5"), QStringLiteral("MED2 1G/0/3")}));
    }

    void noLinesGiveAnEmptyLoad()
    {
        TestDatabase db;
        TDM dm(db.directory());
        dm.idPacienteActivo = kPaciente;
        TRecarga carga;
        ConstruirCarga(dm, carga, kDesde, kHasta);
        QCOMPARE(carga.Count(), 0);
        QVERIFY(carga.Completa());
    }
};

PASTILLERO_DATA_TEST_MAIN(TestPlanQuery)
#include "test_plan_query.moc"
