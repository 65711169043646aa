// A load whose blister has left the pharmacy is never deleted: the deletion looks at the load
// under the patient's lock, so a delivery stored after the list was read still refuses it.
#include "CargaPrueba.h"
#include "core/loading/BorrarCarga.h"
#include "core/loading/GuardarCarga.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
const QDate kLunes(2024, 5, 6);
const QDateTime kEntrega(QDate(2024, 5, 6), QTime(10, 0));

// Everything a deletion could change.
QStringList Todo(TDM &dm)
{
    return volcado(dm, QStringLiteral("Recarga"), QStringLiteral("idRecarga"))
            + volcado(dm, QStringLiteral("RecargaLinea"), QStringLiteral("idRecargaLinea"))
            + volcado(dm, QStringLiteral("Inventario"), QStringLiteral("idInventario"))
            + volcado(dm, QStringLiteral("SPD"), QStringLiteral("id"))
            + volcado(dm, QStringLiteral("Paciente"), QStringLiteral("idPaciente"))
            + volcado(dm, QStringLiteral("LOPD_Auditoria"), QStringLiteral("IdAudit"));
}

} // namespace

class TestBorrarCargaEntregada : public QObject
{
    Q_OBJECT

private slots:
    void soloSeBorraLaQueNoSalio_data()
    {
        QTest::addColumn<QDateTime>("entrega");
        QTest::addColumn<QDateTime>("retornado");
        QTest::addColumn<int>("resultado");
        QTest::newRow("prepared: deleted") << QDateTime() << QDateTime() << 1;
        QTest::newRow("delivered: refused") << kEntrega << QDateTime() << kCargaEntregada;
        QTest::newRow("returned: refused") << kEntrega << kEntrega.addDays(7) << kCargaEntregada;
        QTest::newRow("returned without a delivery: refused")
                << QDateTime() << kEntrega.addDays(7) << kCargaEntregada;
    }
    void soloSeBorraLaQueNoSalio()
    {
        QFETCH(QDateTime, entrega);
        QFETCH(QDateTime, retornado);
        QFETCH(int, resultado);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        stock(dm, idPaciente, kEnalapril, 20);
        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, 1.0, 7));
        const qint64 id = GuardarCarga(carga, kLunes, kLunes.addDays(6));
        // Another workstation delivers (or returns) the blister after this one listed it.
        dm.Ejecutar(
                QStringLiteral("UPDATE Recarga SET FechaEntrega = ?, FechaRetornado = ? WHERE idRecarga = ?"),
                {SqlFecha::valor(entrega), SqlFecha::valor(retornado), id});
        const QStringList antes = Todo(dm);

        QCOMPARE(BorrarCarga(id), resultado);
        if (resultado == kCargaEntregada)
            QCOMPARE(Todo(dm), antes);
        else
            QVERIFY(dm.Valor(QStringLiteral("SELECT 1 FROM Recarga WHERE idRecarga = ?"), {id}).isNull());
    }

    // The deletion's row names the deleted load's patient, whichever patient is active.
    void laAuditoriaNombraAlPacienteDeLaCarga()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, 1.0, 7));
        const qint64 id = GuardarCarga(carga, kLunes, kLunes.addDays(6));
        dm.idPacienteActivo = paciente(dm, 1, QStringLiteral("BEA RUIZ"));

        QCOMPARE(BorrarCarga(id), 1);
        TConsulta auditoria = dm.Consulta(
                QStringLiteral("SELECT Accion, Operacion, refPaciente FROM LOPD_Auditoria ORDER BY IdAudit"));
        QVERIFY(auditoria.next());
        QCOMPARE(auditoria.value(0).toString(), QStringLiteral(" BORR. CARGAS"));
        QCOMPARE(auditoria.value(1).toString(), QStringLiteral("BAJA"));
        QCOMPARE(auditoria.value(2).toString(), QString::number(idPaciente));
        QVERIFY(!auditoria.next());
    }
};

PASTILLERO_DATA_TEST_MAIN(TestBorrarCargaEntregada)
#include "test_borrar_carga_entregada.moc"
