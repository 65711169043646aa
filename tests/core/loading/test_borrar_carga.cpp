#include "CargaPrueba.h"
#include "core/common/Clock.h"
#include "core/loading/BorrarCarga.h"
#include "core/loading/GuardarCarga.h"
#include "core/loading/LineasCarga.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
const QDate kLunes(2024, 5, 6);

// The stock as the pharmacist sees it: the assignment date of a recreated row aside.
QStringList inventario(TDM &dm)
{
    return volcado(dm, QStringLiteral("Inventario"), QStringLiteral("idInventario"),
                   {QStringLiteral("FechaAsignacion")});
}

QStringList tratamientos(TDM &dm)
{
    return volcado(dm, QStringLiteral("SPD"), QStringLiteral("id"));
}

int cuenta(TDM &dm, const QString &tabla)
{
    return dm.Valor(QStringLiteral("SELECT count(*) FROM ") + tabla).toInt();
}

std::pair<int, QDate> contador(TDM &dm, int idPaciente)
{
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT NumeroUltimaCargaRealizada, FechaUltimaCargaRealizada FROM "
                                         "Paciente WHERE idPaciente = ?"),
                          {idPaciente});
    query.next();
    return {query.value(0).toInt(), SqlFecha::leerDia(query.value(1))};
}

qint64 guardar(TDM &, int linea, double tamano, int unidades, const QDate &inicio = kLunes)
{
    TRecarga carga;
    carga.Add(porcion(linea, kEnalapril, tamano, unidades));
    return GuardarCarga(carga, inicio, inicio.addDays(6));
}

} // namespace

class TestBorrarCarga : public QObject
{
    Q_OBJECT

private slots:
    void deletingGivesBackExactlyWhatWasTaken_data()
    {
        QTest::addColumn<double>("tamano");
        QTest::addColumn<int>("unidades");
        QTest::addColumn<QList<double>>("filas");
        QTest::newRow("halves over two rows, the first used up") << 0.5 << 7 << QList<double> {2, 10};
        QTest::newRow("thirds") << 0.33 << 7 << QList<double> {5};
        QTest::newRow("wholes leaving a half") << 1.0 << 7 << QList<double> {5.5, 10};
        QTest::newRow("short of stock") << 1.0 << 7 << QList<double> {3};
        QTest::newRow("no stock row") << 1.0 << 7 << QList<double> {};
    }
    void deletingGivesBackExactlyWhatWasTaken()
    {
        QFETCH(double, tamano);
        QFETCH(int, unidades);
        QFETCH(QList<double>, filas);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        for (qsizetype i = 0; i < filas.size(); ++i)
            stock(dm, idPaciente, kEnalapril, filas.at(i), QStringLiteral("L%1").arg(i + 1));
        const QStringList stockAntes = inventario(dm);
        const QStringList tratamientoAntes = tratamientos(dm);

        const qint64 id = guardar(dm, linea, tamano, unidades);
        QVERIFY(id > 0);
        QCOMPARE(BorrarCarga(id), 1);
        QCOMPARE(inventario(dm), stockAntes);
        QCOMPARE(tratamientos(dm), tratamientoAntes);
        QCOMPARE(cuenta(dm, QStringLiteral("Recarga")), 0);
        QCOMPARE(cuenta(dm, QStringLiteral("RecargaLinea")), 0);
    }

    void withoutStockControlTheTreatmentIsNotCreditedForLinesOfNoLot()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm, 0);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        stock(dm, idPaciente, kEnalapril, 10);
        const QStringList stockAntes = inventario(dm);
        const QStringList tratamientoAntes = tratamientos(dm);
        QCOMPARE(BorrarCarga(guardar(dm, linea, 1.0, 7)), 1);
        QCOMPARE(inventario(dm), stockAntes);
        QCOMPARE(tratamientos(dm), tratamientoAntes);
    }

    void aRowRemovedSinceComesBackUnderItsIdentifier()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        const qint64 fila
                = stock(dm, idPaciente, kEnalapril, 3, QStringLiteral("L7"), QDate(2026, 2, 28), 700009);
        const qint64 id = guardar(dm, linea, 1.0, 3);
        QCOMPARE(cuenta(dm, QStringLiteral("Inventario")), 0);
        QCOMPARE(BorrarCarga(id), 1);
        TConsulta query
                = dm.Consulta(QStringLiteral("SELECT idInventario, CantidadRestante, Lote, Caducidad, "
                                             "IdMedicamentoReal, idPaciente FROM Inventario"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toLongLong(), fila);
        QCOMPARE(query.value(1).toDouble(), 3.0);
        QCOMPARE(query.value(2).toString(), QStringLiteral("L7"));
        QCOMPARE(SqlFecha::leerDia(query.value(3)), QDate(2026, 2, 28));
        QCOMPARE(query.value(4).toLongLong(), 700009);
        QCOMPARE(query.value(5).toInt(), idPaciente);
        QVERIFY(!query.next());
    }

    void anIdentifierInUseIsNeverTakenAgain()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int otro = paciente(dm, 1, QStringLiteral("LUIS"));
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        const qint64 ajena = stock(dm, otro, kEnalapril, 50, QStringLiteral("OTRO"));
        const qint64 id = guardar(dm, linea, 1.0, 3);
        // The line claims a row of another patient's stock: that row must not be touched.
        dm.Ejecutar(
                QStringLiteral("UPDATE RecargaLinea SET idInventario = ?, Lote = 'L1' WHERE idRecarga = ?"),
                {ajena, id});
        QCOMPARE(BorrarCarga(id), 1);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT CantidadRestante FROM Inventario WHERE idInventario = ?"),
                          {ajena})
                         .toDouble(),
                 50.0);
        QCOMPARE(sumaStock(dm, idPaciente), 3.0); // a row of its own, under a new identifier
        QCOMPARE(cuenta(dm, QStringLiteral("Inventario")), 2);
    }

    void twoRowsOfOneLotGetTheirUnitsBackInThatLot()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        stock(dm, idPaciente, kEnalapril, 2);
        stock(dm, idPaciente, kEnalapril, 10);
        const qint64 id = guardar(dm, linea, 0.5, 7); // one line of 3.5 from both rows
        QCOMPARE(BorrarCarga(id), 1);
        QCOMPARE(sumaStock(dm, idPaciente), 12.0);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT count(DISTINCT Lote) FROM Inventario")).toInt(), 1);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT Cantidad FROM SPD WHERE id = ?"), {linea}).toDouble(), 20.0);
    }

    void theCounterNamesTheLatestLoadThatRemains()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm, 0);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        const qint64 primera = guardar(dm, linea, 1.0, 7, kLunes);
        const qint64 segunda = guardar(dm, linea, 1.0, 7, kLunes.addDays(7));
        const qint64 tercera = guardar(dm, linea, 1.0, 7, kLunes.addDays(14));
        QCOMPARE(contador(dm, idPaciente), std::make_pair(3, kLunes.addDays(14)));

        QCOMPARE(BorrarCarga(primera), 1); // an older load: the counter stays
        QCOMPARE(contador(dm, idPaciente), std::make_pair(3, kLunes.addDays(14)));
        QCOMPARE(BorrarCarga(tercera), 1); // the latest: back to the one before
        QCOMPARE(contador(dm, idPaciente), std::make_pair(2, kLunes.addDays(7)));
        QCOMPARE(BorrarCarga(segunda), 1); // the only one left
        QCOMPARE(contador(dm, idPaciente), std::make_pair(0, QDate(1899, 12, 30)));
    }

    void twoLoadsOfOneStartKeepDistinctNumbers()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm, 0);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        guardar(dm, linea, 1.0, 7);
        guardar(dm, linea, 1.0, 7);
        const qint64 tercera = guardar(dm, linea, 1.0, 7);
        QCOMPARE(BorrarCarga(tercera), 1);
        const qint64 nueva = guardar(dm, linea, 1.0, 7);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT refRecarga FROM Recarga WHERE idRecarga = ?"), {nueva})
                         .toInt(),
                 3);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT count(DISTINCT refRecarga) FROM Recarga")).toInt(), 3);
    }

    void anUnknownLoadChangesNothingAndIsNotAudited()
    {
        TestDatabase db;
        TDM dm(db.directory());
        paciente(dm);
        QCOMPARE(BorrarCarga(4711), 0);
        QCOMPARE(cuenta(dm, QStringLiteral("LOPD_Auditoria")), 0);
    }

    void aDeletionIsAudited()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm, 0);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        QCOMPARE(BorrarCarga(guardar(dm, linea, 1.0, 7)), 1);
        TConsulta query
                = dm.Consulta(QStringLiteral("SELECT Accion, Operacion, Resultado FROM LOPD_Auditoria"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral(" BORR. CARGAS"));
        QCOMPARE(query.value(1).toString(), QStringLiteral("BAJA"));
        QCOMPARE(query.value(2).toString(), QStringLiteral("ACEPTADO"));
    }

    void aFailurePartWayChangesNothing()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        stock(dm, idPaciente, kEnalapril, 2);
        stock(dm, idPaciente, kEnalapril, 10);
        const qint64 id = guardar(dm, linea, 1.0, 7);
        if (dm.motor() == SqlEngine::SQLite) {
            dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazo BEFORE DELETE ON Recarga "
                                       "BEGIN SELECT RAISE(ABORT, 'rechazada'); END"));
        } else {
            dm.Ejecutar(
                    QStringLiteral("CREATE FUNCTION rechazo() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
                                   "'rechazada'; END $$ LANGUAGE plpgsql"));
            dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazo BEFORE DELETE ON Recarga FOR EACH ROW "
                                       "EXECUTE FUNCTION rechazo()"));
        }
        const QStringList tablas {QStringLiteral("Paciente"),     QStringLiteral("SPD"),
                                  QStringLiteral("Inventario"),   QStringLiteral("Recarga"),
                                  QStringLiteral("RecargaLinea"), QStringLiteral("LOPD_Auditoria")};
        QList<QStringList> antes;
        for (const QString &tabla : tablas)
            antes << volcado(dm, tabla, QStringLiteral("1"));
        QCOMPARE(BorrarCarga(id), -1);
        for (qsizetype i = 0; i < tablas.size(); ++i)
            QCOMPARE(volcado(dm, tablas.at(i), QStringLiteral("1")), antes.at(i));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestBorrarCarga)
#include "test_borrar_carga.moc"
