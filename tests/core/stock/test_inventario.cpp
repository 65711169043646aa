#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/stock/uInventario.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

#include <cmath>
#include <limits>

// A patient's stock rows and the stock figures of the treatment lines, on every engine.
class TestInventario : public QObject
{
    Q_OBJECT

    static constexpr qint64 kPaciente = 4;
    static constexpr qint64 kMedicamento = 650;

    static void addMedication(TDM &dm)
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), kMedicamento},
                   {QStringLiteral("Medicamento"), QStringLiteral("PARACETAMOL")},
                   {QStringLiteral("Descripcion"), QStringLiteral("650MG")}});
    }
    static qint64 addLine(TDM &dm, double cantidad)
    {
        return dm.Anadir(QStringLiteral("SPD"),
                         {{QStringLiteral("idPaciente"), kPaciente},
                          {QStringLiteral("idMedicamento"), kMedicamento},
                          {QStringLiteral("Dosis"), QStringLiteral("1-0-0-0:D:D:1")},
                          {QStringLiteral("Cantidad"), cantidad}});
    }
    static qint64 addStock(TDM &dm, const QString &lote, const QDate &caducidad, double cantidad)
    {
        return dm.Anadir(QStringLiteral("Inventario"),
                         {{QStringLiteral("idPaciente"), kPaciente},
                          {QStringLiteral("idMedicamento"), kMedicamento},
                          {QStringLiteral("Lote"), lote},
                          {QStringLiteral("Caducidad"), SqlFecha::valor(caducidad)},
                          {QStringLiteral("CantidadRestante"), cantidad}});
    }
    struct Linea
    {
        double cantidad;
        QString lote;
        QDate caducidad;
    };
    static Linea line(TDM &dm)
    {
        TConsulta q = dm.Consulta(
                QStringLiteral("SELECT Cantidad, Lote, Caducidad FROM SPD WHERE idPaciente = ?"),
                {kPaciente});
        q.next();
        return {q.value(0).toDouble(), q.value(1).toString(), SqlFecha::leerDia(q.value(2))};
    }

private slots:
    void init() { Clock::fix(QDateTime(QDate(2026, 3, 1), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    void summaryTakesTheEarliestLotAndTheExactSum()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addLine(dm, 0);
        addStock(dm, QStringLiteral("MARZO"), QDate(2027, 3, 10), 0.1);
        addStock(dm, QStringLiteral("FEBRERO"), QDate(2027, 2, 2), 0.2);
        addStock(dm, QStringLiteral("FEBRERO-BIS"), QDate(2027, 2, 2), 0.33);
        TInventario(dm).ResumenStockLinea(kPaciente, kMedicamento);
        const Linea l = line(dm);
        QCOMPARE(l.cantidad, 0.63);
        QCOMPARE(l.lote, QStringLiteral("FEBRERO"));
        QCOMPARE(l.caducidad, QDate(2027, 2, 2));
    }

    void summaryWithoutStock()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addLine(dm, 12);
        TInventario(dm).ResumenStockLinea(kPaciente, kMedicamento);
        const Linea l = line(dm);
        QCOMPARE(l.cantidad, 0.0);
        QCOMPARE(l.lote, QString());
        QCOMPARE(l.caducidad, QDate(3000, 1, 1));
    }

    void removingRecomputesTheSummary()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addLine(dm, 3); // the line's figure was stale
        const qint64 fila = addStock(dm, QStringLiteral("A"), QDate(2027, 1, 1), 5);
        addStock(dm, QStringLiteral("B"), QDate(2027, 5, 1), 2.5);
        TInventario inventario(dm);
        inventario.BorrarStock(fila);
        const Linea l = line(dm);
        QCOMPARE(l.cantidad, 2.5);
        QCOMPARE(l.lote, QStringLiteral("B"));
        QCOMPARE(dm.Valor(QStringLiteral("SELECT COUNT(*) FROM Inventario")).toInt(), 1);
    }

    void removingTheLastRowLeavesNothing()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addLine(dm, 3);
        TInventario(dm).BorrarStock(addStock(dm, QStringLiteral("A"), QDate(2027, 1, 1), 5));
        QCOMPARE(line(dm).cantidad, 0.0);
    }

    void entryStoresOneRowAndTheSummary()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm);
        addLine(dm, 0);
        TInventario inventario(dm);
        const qint64 id = inventario.AltaStock(
                {kPaciente, kMedicamento, 0, QStringLiteral("L7"), QDate(2027, 1, 31), 20});
        QVERIFY(id > 0);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT IdMedicamentoReal FROM Inventario WHERE idInventario = ?"),
                          {id})
                         .toLongLong(),
                 kMedicamento);
        QCOMPARE(line(dm).cantidad, 20.0);
        QCOMPARE(inventario.ModificarCantidad(id, 7.25, 20).resultado, TCorreccionStock::Guardada);
        QCOMPARE(line(dm).cantidad, 7.25);
    }

    // A correction typed against what the screen showed never erases what a load took meanwhile.
    void aCorrectionCarriesTheQuantitySeen_data()
    {
        QTest::addColumn<double>("vista");
        QTest::addColumn<bool>("borrada");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<double>("guardada");
        QTest::newRow("unchanged row: stored") << 12.0 << false << int(TCorreccionStock::Guardada) << 3.0;
        QTest::newRow("a load took from it: refused")
                << 20.0 << false << int(TCorreccionStock::Cambiada) << 12.0;
        QTest::newRow("the row is gone") << 12.0 << true << int(TCorreccionStock::NoExiste) << 0.0;
    }
    void aCorrectionCarriesTheQuantitySeen()
    {
        QFETCH(double, vista);
        QFETCH(bool, borrada);
        QFETCH(int, resultado);
        QFETCH(double, guardada);
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 fila = addStock(dm, QStringLiteral("A"), QDate(2027, 1, 1), 12);
        if (borrada)
            TInventario(dm).BorrarStock(fila);
        const TCorreccionStock correccion = TInventario(dm).ModificarCantidad(fila, 3, vista);
        QCOMPARE(int(correccion.resultado), resultado);
        QCOMPARE(correccion.CantidadGuardada, guardada);
        if (!borrada)
            QCOMPARE(dm.Valor(QStringLiteral("SELECT CantidadRestante FROM Inventario")).toDouble(),
                     guardada);
    }

    void badEntriesChangeNothing_data()
    {
        QTest::addColumn<qint64>("medicamento");
        QTest::addColumn<QString>("lote");
        QTest::addColumn<QDate>("caducidad");
        QTest::addColumn<double>("cantidad");
        QTest::newRow("no product") << qint64(0) << "L1" << QDate(2027, 1, 1) << 1.0;
        QTest::newRow("unknown product") << qint64(999) << "L1" << QDate(2027, 1, 1) << 1.0;
        QTest::newRow("no lot") << kMedicamento << "" << QDate(2027, 1, 1) << 1.0;
        QTest::newRow("lot of 51") << kMedicamento << QString(51, QLatin1Char('X')) << QDate(2027, 1, 1)
                                   << 1.0;
        QTest::newRow("expired") << kMedicamento << "L1" << QDate(2026, 2, 28) << 1.0;
        QTest::newRow("no expiry") << kMedicamento << "L1" << QDate() << 1.0;
        QTest::newRow("negative") << kMedicamento << "L1" << QDate(2027, 1, 1) << -1.0;
        QTest::newRow("not a number")
                << kMedicamento << "L1" << QDate(2027, 1, 1) << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite") << kMedicamento << "L1" << QDate(2027, 1, 1)
                                  << std::numeric_limits<double>::infinity();
    }
    void badEntriesChangeNothing()
    {
        QFETCH(qint64, medicamento);
        QFETCH(QString, lote);
        QFETCH(QDate, caducidad);
        QFETCH(double, cantidad);
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm);
        addLine(dm, 4);
        QVERIFY_THROWS_EXCEPTION(
                AppError, TInventario(dm).AltaStock({kPaciente, medicamento, 0, lote, caducidad, cantidad}));
        QCOMPARE(dm.Valor(QStringLiteral("SELECT COUNT(*) FROM Inventario")).toInt(), 0);
        QCOMPARE(line(dm).cantidad, 4.0);
    }

    void lotOfFiftyIsAccepted()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm);
        QVERIFY(TInventario(dm).AltaStock(
                        {kPaciente, kMedicamento, 0, QString(50, QLatin1Char('X')), QDate(2027, 1, 1), 1})
                > 0);
    }

    void negativeCorrectionIsRefused()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 fila = addStock(dm, QStringLiteral("A"), QDate(2027, 1, 1), 5);
        QVERIFY_THROWS_EXCEPTION(AppError, TInventario(dm).ModificarCantidad(fila, -0.5, 5));
        QCOMPARE(dm.Valor(QStringLiteral("SELECT CantidadRestante FROM Inventario")).toDouble(), 5.0);
    }

    // Hundredths would no longer be exact (and were silently capped) for such quantities.
    void implausibleQuantityIsRefused_data()
    {
        QTest::addColumn<double>("cantidad");
        QTest::addColumn<bool>("valida");
        QTest::newRow("a billion") << 1e9 << true;
        QTest::newRow("above a billion") << 1e9 + 1 << false;
        QTest::newRow("1e30") << 1e30 << false;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false;
    }
    void implausibleQuantityIsRefused()
    {
        QFETCH(double, cantidad);
        QFETCH(bool, valida);
        QCOMPARE(TInventario::ErrorCantidad(cantidad).isEmpty(), valida);
    }

    void stockOnEitherSideOfTheWeek()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const QDate d(2026, 6, 1);
        addStock(dm, QStringLiteral("A"), d.addDays(7), 1.1);
        addStock(dm, QStringLiteral("B"), d.addDays(6), 2.2);
        addStock(dm, QStringLiteral("C"), d.addDays(30), 0.33);
        TInventario inventario(dm);
        QCOMPARE(inventario.StockVigente(kPaciente, kMedicamento, d), 1.43);
        QCOMPARE(inventario.StockCaducado(kPaciente, kMedicamento, d), 2.2);
        QCOMPARE(inventario.StockVigente(kPaciente, 1, d), 0.0);
    }

    void quantitiesAreRecomputed()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addLine(dm, 99);
        for (int i = 0; i < 10; ++i)
            addStock(dm, QStringLiteral("L"), QDate(2027, 1, 1), 0.1);
        TInventario(dm).RecalcularCantidadesSPD(kPaciente);
        QCOMPARE(line(dm).cantidad, 1.0);
    }

    void consumptionFollowsTheOrderOfEntry()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 primera = addStock(dm, QStringLiteral("TARDE"), QDate(2028, 1, 1), 3);
        addStock(dm, QStringLiteral("VACIA"), QDate(2026, 12, 1), 0.004);
        const qint64 tercera = addStock(dm, QStringLiteral("PRONTO"), QDate(2026, 12, 1), 2.5);
        const QList<TFilaStock> filas = TInventario(dm).FilasConsumo(kPaciente, kMedicamento);
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas[0].idInventario, primera);
        QCOMPARE(filas[0].IdMedicamentoReal, kMedicamento);
        QCOMPARE(filas[1].idInventario, tercera);
        QCOMPARE(filas[1].CantidadRestante, 2.5);
    }

    void stockControl_data()
    {
        QTest::addColumn<QVariant>("iconinven");
        QTest::addColumn<bool>("control");
        QTest::newRow("null") << QVariant() << true;
        QTest::newRow("0") << QVariant(0) << false;
        QTest::newRow("1") << QVariant(1) << true;
    }
    void stockControl()
    {
        QFETCH(QVariant, iconinven);
        QFETCH(bool, control);
        TestDatabase db;
        TDM dm(db.directory());
        const qint64 id = dm.Anadir(QStringLiteral("Paciente"), {{QStringLiteral("IConInven"), iconinven}});
        TInventario inventario(dm);
        QCOMPARE(inventario.ConInventario(id), control);
        QVERIFY(inventario.ConInventario(id + 100)); // no such patient
    }

    void quantityText_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("cantidad");
        QTest::addColumn<bool>("valida");
        QTest::newRow("comma") << "3,5" << 3.5 << true;
        QTest::newRow("point") << "3.5" << 3.5 << true;
        QTest::newRow("whole") << " 12 " << 12.0 << true;
        QTest::newRow("letters") << "3a" << 0.0 << false;
        QTest::newRow("two separators") << "3,5,1" << 0.0 << false;
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("nan") << "nan" << 0.0 << false;
        QTest::newRow("beyond a double") << QString(400, QLatin1Char('9')) << 0.0 << false;
    }
    void quantityText()
    {
        QFETCH(QString, texto);
        QFETCH(double, cantidad);
        QFETCH(bool, valida);
        const std::optional<double> leida = LeerCantidad(texto);
        QCOMPARE(leida.has_value(), valida);
        if (valida)
            QCOMPARE(*leida, cantidad);
    }

    void expiryText_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("mesPrimero");
        QTest::addColumn<QDate>("fecha");
        QTest::newRow("full") << "15/03/2027" << false << QDate(2027, 3, 15);
        QTest::newRow("two-digit year") << "15/03/27" << false << QDate(2027, 3, 15);
        QTest::newRow("year 99") << "1/1/99" << false << QDate(2099, 1, 1);
        QTest::newRow("month and year") << "03/2027" << false << QDate(2027, 3, 1);
        QTest::newRow("month and short year") << "3/27" << false << QDate(2027, 3, 1);
        QTest::newRow("no month 13") << "13/2027" << false << QDate();
        QTest::newRow("letters") << "MARZO" << false << QDate();
        QTest::newRow("month first") << "03/15/2027" << true << QDate(2027, 3, 15);
        QTest::newRow("month first, short year") << "3/15/27" << true << QDate(2027, 3, 15);
        QTest::newRow("month first, month and year") << "03/2027" << true << QDate(2027, 3, 1);
        QTest::newRow("day first read month first") << "15/03/2027" << true << QDate();
    }
    void expiryText()
    {
        QFETCH(QString, texto);
        QFETCH(bool, mesPrimero);
        QFETCH(QDate, fecha);
        QCOMPARE(LeerCaducidad(texto, mesPrimero), fecha);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestInventario)
#include "test_inventario.moc"
