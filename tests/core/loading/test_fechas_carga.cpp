#include "CargaPrueba.h"
#include "core/common/Clock.h"
#include "core/loading/FechasCarga.h"
#include "core/loading/PacienteCarga.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

void Carga(TDM &dm, int idPaciente, int referencia, const QDate &inicio, const QDate &fin)
{
    dm.Anadir(QStringLiteral("Recarga"),
              {{QStringLiteral("idPaciente"), idPaciente},
               {QStringLiteral("refRecarga"), referencia},
               {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
               {QStringLiteral("FechaFin"), SqlFecha::valor(fin)}});
}

} // namespace

// The dates of the stored loads that choose the next load's window.
class TestFechasCarga : public QObject
{
    Q_OBJECT

private slots:
    void fechaSiguiente_data()
    {
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<QDate>("esperada");
        QTest::newRow("before the last load ends: the day after it")
                << QDate(2024, 3, 5) << QDate(2024, 3, 11);
        QTest::newRow("after it: today") << QDate(2024, 3, 20) << QDate(2024, 3, 20);
    }
    void fechaSiguiente()
    {
        QFETCH(QDate, hoy);
        QFETCH(QDate, esperada);
        FixedClock reloj(hoy);
        TestDatabase db;
        TDM dm(db.directory());
        const int paciente = CargaPrueba::paciente(dm);
        const int otro = CargaPrueba::paciente(dm, 1, QStringLiteral("LUIS GOMEZ"));
        // The last load is the one with the highest number, whatever its dates.
        Carga(dm, paciente, 2, QDate(2024, 3, 4), QDate(2024, 3, 10));
        Carga(dm, paciente, 1, QDate(2024, 3, 11), QDate(2024, 3, 17));
        Carga(dm, otro, 9, QDate(2024, 4, 1), QDate(2024, 4, 7));
        QCOMPARE(FechaSiguienteCarga(dm, paciente), esperada);
        QCOMPARE(FinUltimaCarga(dm, paciente), std::optional<QDate>(QDate(2024, 3, 10)));
    }

    void sinCargasEsHoy()
    {
        FixedClock reloj(QDate(2024, 3, 5));
        TestDatabase db;
        TDM dm(db.directory());
        const int paciente = CargaPrueba::paciente(dm);
        QCOMPARE(FechaSiguienteCarga(dm, paciente), QDate(2024, 3, 5));
        QCOMPARE(FinUltimaCarga(dm, paciente), std::nullopt);
    }

    void existeCarga()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int paciente = CargaPrueba::paciente(dm);
        const int otro = CargaPrueba::paciente(dm, 1, QStringLiteral("LUIS GOMEZ"));
        Carga(dm, paciente, 1, QDate(2024, 3, 4), QDate(2024, 3, 10));
        QVERIFY(ExisteCarga(dm, paciente, QDate(2024, 3, 4)));
        QVERIFY(!ExisteCarga(dm, paciente, QDate(2024, 3, 5)));
        QVERIFY(!ExisteCarga(dm, otro, QDate(2024, 3, 4)));
    }

    // A patient of a category loads whole weeks; code 0 is "no category assigned".
    void pacienteDeCategoria_data()
    {
        QTest::addColumn<QVariant>("categoria");
        QTest::addColumn<bool>("conCategoria");
        QTest::newRow("null") << QVariant(QMetaType(QMetaType::Int)) << false;
        QTest::newRow("no category assigned") << QVariant(0) << false;
        QTest::newRow("a category") << QVariant(2) << true;
    }
    void pacienteDeCategoria()
    {
        QFETCH(QVariant, categoria);
        QFETCH(bool, conCategoria);
        TestDatabase db;
        TDM dm(db.directory());
        const int paciente = CargaPrueba::paciente(dm);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET CodCategoria = ?, NumeroUltimaCargaRealizada = 4 "
                                   "WHERE idPaciente = ?"),
                    {categoria, paciente});
        Carga(dm, paciente, 6, QDate(2024, 3, 4), QDate(2024, 3, 10));
        const std::optional<TPacienteCarga> leido = LeerPacienteCarga(dm, paciente);
        QVERIFY(leido);
        QCOMPARE(leido->conCategoria, conCategoria);
        // The machine's reference names the number the load will be stored with.
        QCOMPARE(ReferenciaCarga(*leido), QString("REF-ANA-7"));
        QVERIFY(!LeerPacienteCarga(dm, paciente + 100));
    }

    void unaBaseQueFallaDaHoyYNo()
    {
        FixedClock reloj(QDate(2024, 3, 5));
        TestDatabase db;
        TDM dm(db.directory());
        const int paciente = CargaPrueba::paciente(dm);
        Carga(dm, paciente, 1, QDate(2024, 3, 4), QDate(2024, 3, 10));
        dm.Ejecutar(QStringLiteral("DROP TABLE Recarga"));
        QCOMPARE(FechaSiguienteCarga(dm, paciente), QDate(2024, 3, 5));
        QVERIFY(!ExisteCarga(dm, paciente, QDate(2024, 3, 4)));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestFechasCarga)
#include "test_fechas_carga.moc"
