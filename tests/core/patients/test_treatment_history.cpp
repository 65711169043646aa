#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/uHistorialTratamiento.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

// Versions of a patient's treatment, on every engine of the test run.
class TestTreatmentHistory : public QObject
{
    Q_OBJECT

    static constexpr qint64 kPaciente = 7;

    static qint64 addLine(TDM &dm, qint64 medicamento, const QString &dosis, const QDate &inicio)
    {
        return dm.Anadir(QStringLiteral("SPD"),
                         {{QStringLiteral("idPaciente"), kPaciente},
                          {QStringLiteral("idMedicamento"), medicamento},
                          {QStringLiteral("Dosis"), dosis},
                          {QStringLiteral("DosisS1"), dosis},
                          {QStringLiteral("DosisEtiqueta"), dosis},
                          {QStringLiteral("Inicio"), SqlFecha::valor(inicio)},
                          {QStringLiteral("Cantidad"), 10.0},
                          {QStringLiteral("Lote"), QStringLiteral("L1")}});
    }
    static void set(TDM &dm, qint64 id, const QString &column, const QVariant &value)
    {
        dm.Ejecutar(QStringLiteral("UPDATE SPD SET %1 = ? WHERE id = ?").arg(column), {value, id});
    }
    static int versions(TDM &dm) { return THistorialTratamiento(dm).UltimaVersion(kPaciente); }
    static int marked(TDM &dm, int version)
    {
        return dm
                .Valor(QStringLiteral("SELECT COUNT(*) FROM SPDHIST WHERE IDPaciente = ? AND IdVersion = ? "
                                      "AND IuCarga = 1"),
                       {kPaciente, version})
                .toInt();
    }

private slots:
    void init() { Clock::fix(QDateTime(QDate(2026, 6, 1), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    void savingTwiceWithoutChangesStoresOneVersion()
    {
        TestDatabase db;
        TDM dm(db.directory());
        THistorialTratamiento historial(dm);
        QVERIFY(!historial.GuardarVersion(kPaciente)); // no lines, no version
        addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), QDate(2026, 5, 1));
        QVERIFY(historial.GuardarVersion(kPaciente));
        QVERIFY(!historial.GuardarVersion(kPaciente));
        QCOMPARE(versions(dm), 1);
    }

    void stockFiguresMakeNoVersion()
    {
        TestDatabase db;
        TDM dm(db.directory());
        THistorialTratamiento historial(dm);
        const qint64 id = addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), QDate(2026, 5, 1));
        historial.GuardarVersion(kPaciente);
        set(dm, id, QStringLiteral("Lote"), QStringLiteral("L2"));
        set(dm, id, QStringLiteral("Cantidad"), 3.5);
        QVERIFY(!historial.GuardarVersion(kPaciente));
        set(dm, id, QStringLiteral("Notas"), QStringLiteral("con agua"));
        QVERIFY(historial.GuardarVersion(kPaciente));
        QCOMPARE(versions(dm), 2);
    }

    void changesAreListed()
    {
        TestDatabase db;
        TDM dm(db.directory());
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), 100},
                   {QStringLiteral("Medicamento"), QStringLiteral("ASPIRINA")},
                   {QStringLiteral("Descripcion"), QStringLiteral("100MG")}});
        THistorialTratamiento historial(dm);
        const qint64 a = addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), QDate(2026, 5, 1));
        const qint64 b = addLine(dm, 200, QStringLiteral("0-1-0-0:D:D:1"), QDate(2026, 5, 1));
        const qint64 c = addLine(dm, 300, QStringLiteral("0-0-1-0:D:D:1"), QDate(2026, 5, 1));
        historial.GuardarVersion(kPaciente);
        set(dm, a, QStringLiteral("Dosis"), QStringLiteral("2-0-0-0:D:D:1"));
        set(dm, a, QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 5, 2)));
        set(dm, b, QStringLiteral("DosisEtiqueta"), QStringLiteral("UNA AL MEDIODIA"));
        dm.Ejecutar(QStringLiteral("DELETE FROM SPD WHERE id = ?"), {c});
        historial.GuardarVersion(kPaciente);

        const QList<TCambioTratamiento> cambios = historial.HistorialCambios(kPaciente, false, false);
        QCOMPARE(cambios.size(), 3 + 3); // version 1: three new lines; version 2: three changes
        QCOMPARE(cambios[0].Desccambio, QStringLiteral("NUEVO"));
        QCOMPARE(cambios[0].Medicamento, QStringLiteral("ASPIRINA 100MG"));
        QCOMPARE(cambios[3].IdVersion, 2);
        QCOMPARE(cambios[3].Desccambio, QStringLiteral("CAMBIO POSOLOGIA\n\rCAMBIO FECHAS"));
        QCOMPARE(cambios[4].Desccambio, QStringLiteral("OTROS CAMBIOS"));
        QCOMPARE(cambios[5].Desccambio, QStringLiteral("BORRADO"));
        QCOMPARE(cambios[5].idmedicamento, 300);
        QCOMPARE(cambios[5].Dosis, QStringLiteral("0-0-1-0:D:D:1"));
        QCOMPARE(cambios[5].Inicio, QDate(2026, 5, 1));
        QVERIFY(cambios[5].SPD);
    }

    void onlyLoadedVersionsSkipTheOthers()
    {
        TestDatabase db;
        TDM dm(db.directory());
        THistorialTratamiento historial(dm);
        const qint64 a = addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), QDate(2026, 5, 1));
        historial.MarcarVersionCargada(kPaciente); // version 1, loaded
        set(dm, a, QStringLiteral("Dosis"), QStringLiteral("2-0-0-0:D:D:1"));
        historial.GuardarVersion(kPaciente); // version 2, never loaded
        set(dm, a, QStringLiteral("Medico"), QStringLiteral("DRA. RUIZ"));
        historial.MarcarVersionCargada(kPaciente); // version 3, loaded

        const QList<TCambioTratamiento> cambios = historial.HistorialCambios(kPaciente, true, false);
        QCOMPARE(cambios.size(), 2);
        QCOMPARE(cambios[1].IdVersion, 3);
        // Against version 1: the dose and the doctor changed.
        QCOMPARE(cambios[1].Desccambio, QStringLiteral("CAMBIO POSOLOGIA\n\rOTROS CAMBIOS"));
        QCOMPARE(cambios[1].Iucarga, QStringLiteral("SI"));
    }

    void listingTheNewestVersionWritesNothing()
    {
        TestDatabase db;
        TDM dm(db.directory());
        THistorialTratamiento historial(dm);
        const qint64 a = addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), QDate(2026, 5, 1));
        historial.MarcarVersionCargada(kPaciente);
        set(dm, a, QStringLiteral("Dosis"), QStringLiteral("2-0-0-0:D:D:1"));
        historial.GuardarVersion(kPaciente);

        const QList<TCambioTratamiento> cambios = historial.HistorialCambios(kPaciente, true, true);
        QCOMPARE(cambios.size(), 2);
        QCOMPARE(cambios[1].IdVersion, 2);
        QCOMPARE(cambios[1].Iucarga, QStringLiteral("NO"));
        QCOMPARE(marked(dm, 2), 0);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT COUNT(*) FROM SPDHIST WHERE IuCarga <> 0 AND IuCarga <> 1"))
                         .toInt(),
                 0);
    }

    void markingStoresTheChangedLinesFirst()
    {
        TestDatabase db;
        TDM dm(db.directory());
        THistorialTratamiento historial(dm);
        const qint64 a = addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), QDate(2026, 5, 1));
        historial.GuardarVersion(kPaciente);
        set(dm, a, QStringLiteral("Dosis"), QStringLiteral("2-0-0-0:D:D:1"));
        historial.MarcarVersionCargada(kPaciente);
        QCOMPARE(versions(dm), 2);
        QCOMPARE(marked(dm, 1), 0);
        QCOMPARE(marked(dm, 2), 1);
        QCOMPARE(SqlFecha::leerDia(
                         dm.Valor(QStringLiteral("SELECT Fecultcarga FROM SPDHIST WHERE IdVersion = 2"))),
                 QDate(2026, 6, 1));
    }

    void markingTwiceKeepsOneVersion()
    {
        TestDatabase db;
        TDM dm(db.directory());
        THistorialTratamiento historial(dm);
        addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), QDate(2026, 5, 1));
        historial.MarcarVersionCargada(kPaciente);
        historial.MarcarVersionCargada(kPaciente);
        QCOMPARE(versions(dm), 1);
        QCOMPARE(marked(dm, 1), 1);
    }

    void activeLines_data()
    {
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<QDate>("fin");
        QTest::addColumn<bool>("activa");
        // The date asked is 2026-06-01 (today): lines starting before 06-08 that have not ended.
        QTest::newRow("starts within the week") << QDate(2026, 6, 7) << QDate() << true;
        QTest::newRow("starts a week later") << QDate(2026, 6, 8) << QDate() << false;
        QTest::newRow("ends today") << QDate(2026, 5, 1) << QDate(2026, 6, 1) << true;
        QTest::newRow("ended yesterday") << QDate(2026, 5, 1) << QDate(2026, 5, 31) << false;
    }
    void activeLines()
    {
        QFETCH(QDate, inicio);
        QFETCH(QDate, fin);
        QFETCH(bool, activa);
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 id = addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), inicio);
        set(dm, id, QStringLiteral("Fin"), SqlFecha::valor(fin));
        QCOMPARE(THistorialTratamiento(dm).TieneLineasActivas(kPaciente, QDate(2026, 6, 1)), activa);
    }

    void deletingTheHistoryLeavesOtherPatients()
    {
        TestDatabase db;
        TDM dm(db.directory());
        THistorialTratamiento historial(dm);
        addLine(dm, 100, QStringLiteral("1-0-0-0:D:D:1"), QDate(2026, 5, 1));
        historial.GuardarVersion(kPaciente);
        dm.Ejecutar(QStringLiteral("UPDATE SPD SET idPaciente = 8"));
        historial.GuardarVersion(8);
        historial.BorrarHistorialPaciente(kPaciente);
        QCOMPARE(versions(dm), 0);
        QCOMPARE(historial.UltimaVersion(8), 1);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestTreatmentHistory)
#include "test_treatment_history.moc"
