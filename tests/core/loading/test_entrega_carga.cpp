// Delivering stored loads, one and several, with the database refusing some of them, on every
// engine.
#include "CargaPrueba.h"
#include "EntregaPrueba.h"
#include "core/common/Clock.h"
#include "core/loading/EntregaCarga.h"
#include "support/RechazoEscritura.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace EntregaPrueba;

namespace {

const QDate kHoy(2024, 5, 14);
const QDate kLunes(2024, 5, 6);

QStringList Cargas(TDM &dm)
{
    return CargaPrueba::volcado(dm, QStringLiteral("Recarga"), QStringLiteral("idRecarga"));
}

int Filas(TDM &dm, const QString &tabla)
{
    return dm.Valor(QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toInt();
}

} // namespace

class TestEntregaCarga : public QObject
{
    Q_OBJECT

private slots:
    void entregarGuardaSoloLaFechaDeHoy()
    {
        FixedClock reloj(kHoy, QTime(17, 45));
        TestDatabase db;
        TDM dm(db.directory());
        const int paciente = Paciente(dm, QStringLiteral("R1"));
        const qint64 carga = Carga(dm, Usuario(dm), paciente, 1, kLunes);
        const QStringList antes = CargaPrueba::volcado(
                dm, QStringLiteral("Recarga"), QStringLiteral("idRecarga"), {QStringLiteral("FechaEntrega")});

        const TEntrega entrega = EntregarCarga(dm, carga);
        QCOMPARE(int(entrega.Resultado), int(TResultadoEntrega::Entregada));
        QCOMPARE(FechaEntrega(dm, carga), QDateTime(kHoy, QTime(0, 0)));
        QCOMPARE(CargaPrueba::volcado(dm, QStringLiteral("Recarga"), QStringLiteral("idRecarga"),
                                      {QStringLiteral("FechaEntrega")}),
                 antes);
    }

    void unaCargaEntregadaConservaSuFecha()
    {
        FixedClock reloj(kHoy);
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 carga = Carga(dm, Usuario(dm), Paciente(dm, QStringLiteral("R1")), 1, kLunes, kLunes);
        QCOMPARE(int(EntregarCarga(dm, carga).Resultado), int(TResultadoEntrega::YaEntregada));
        QCOMPARE(FechaEntrega(dm, carga).date(), kLunes);
    }

    void unaCargaQueNoExiste()
    {
        TestDatabase db;
        TDM dm(db.directory());
        QCOMPARE(int(EntregarCarga(dm, 4711).Resultado), int(TResultadoEntrega::NoExiste));
    }

    void unaEntregaRechazadaNoCambiaNada()
    {
        FixedClock reloj(kHoy);
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 carga = Carga(dm, Usuario(dm), Paciente(dm, QStringLiteral("R1")), 1, kLunes);
        RechazarEscritura(dm, QStringLiteral("Recarga"), QStringLiteral("UPDATE"));
        const QStringList antes = Cargas(dm);

        const TEntrega entrega = EntregarCarga(dm, carga);
        QCOMPARE(int(entrega.Resultado), int(TResultadoEntrega::Fallida));
        QVERIFY2(entrega.Error.contains(QStringLiteral("rechazada")), qPrintable(entrega.Error));
        QCOMPARE(Cargas(dm), antes);
        QVERIFY(!FechaEntrega(dm, carga).isValid());
        QCOMPARE(Filas(dm, QStringLiteral("LOPD_Auditoria")), 0);
    }

    // Three loads of two patients, in list order; `rechazada` is the one the database refuses and
    // `entregada` one another workstation delivered meanwhile (-1: none).
    void entregarVariasHastaElPrimerFallo_data()
    {
        QTest::addColumn<int>("rechazada");
        QTest::addColumn<int>("entregada");
        QTest::addColumn<QList<int>>("impresas");
        QTest::addColumn<QList<int>>("entregadas");
        QTest::addColumn<QList<int>>("pendientes");
        QTest::newRow("every load") << -1 << -1 << QList<int> {0, 1, 2} << QList<int> {0, 1, 2}
                                    << QList<int> {};
        QTest::newRow("the second refused stops the run")
                << 1 << -1 << QList<int> {0, 1} << QList<int> {0} << QList<int> {1, 2};
        QTest::newRow("the first refused")
                << 0 << -1 << QList<int> {0} << QList<int> {} << QList<int> {0, 1, 2};
        QTest::newRow("the last refused")
                << 2 << -1 << QList<int> {0, 1, 2} << QList<int> {0, 1} << QList<int> {2};
        QTest::newRow("one delivered meanwhile is passed over")
                << -1 << 1 << QList<int> {0, 2} << QList<int> {0, 2} << QList<int> {};
    }
    void entregarVariasHastaElPrimerFallo()
    {
        QFETCH(int, rechazada);
        QFETCH(int, entregada);
        QFETCH(QList<int>, impresas);
        QFETCH(QList<int>, entregadas);
        QFETCH(QList<int>, pendientes);
        FixedClock reloj(kHoy);
        TestDatabase db;
        TDM dm(db.directory());
        const int usuario = Usuario(dm);
        const int ana = Paciente(dm, QStringLiteral("R1"));
        const int luis = Paciente(dm, QStringLiteral("R2"));
        const QList<qint64> cargas {Carga(dm, usuario, ana, 1, kLunes), Carga(dm, usuario, luis, 1, kLunes),
                                    Carga(dm, usuario, ana, 2, kLunes.addDays(7))};
        if (rechazada >= 0)
            RechazarEscritura(dm, QStringLiteral("Recarga"), QStringLiteral("UPDATE"),
                              QStringLiteral("OLD.idRecarga = %1").arg(cargas.at(rechazada)));
        if (entregada >= 0)
            dm.Ejecutar(QStringLiteral("UPDATE Recarga SET FechaEntrega = ? WHERE idRecarga = ?"),
                        {SqlFecha::valor(kLunes), cargas.at(entregada)});

        QList<qint64> antes;
        const TEntregaVarias resultado = EntregarCargas(dm, cargas, [&](qint64 id) { antes << id; });

        const auto ids = [&](const QList<int> &indices) {
            QList<qint64> lista;
            for (const int i : indices)
                lista << cargas.at(i);
            return lista;
        };
        QCOMPARE(antes, ids(impresas));
        QCOMPARE(resultado.Entregadas, ids(entregadas));
        QCOMPARE(resultado.Fallida.has_value(), rechazada >= 0);
        if (rechazada >= 0) {
            QCOMPARE(*resultado.Fallida, cargas.at(rechazada));
            QVERIFY(resultado.Error.contains(QStringLiteral("rechazada")));
        }
        for (qsizetype i = 0; i < cargas.size(); ++i) {
            const QDateTime fecha = FechaEntrega(dm, cargas.at(i));
            if (pendientes.contains(int(i)))
                QVERIFY2(!fecha.isValid(), qPrintable(QStringLiteral("load %1 delivered").arg(i)));
            else if (int(i) != entregada)
                QCOMPARE(fecha.date(), kHoy);
        }
    }
};

PASTILLERO_DATA_TEST_MAIN(TestEntregaCarga)
#include "test_entrega_carga.moc"
