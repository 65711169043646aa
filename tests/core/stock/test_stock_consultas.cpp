#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/stock/StockCategoria.h"
#include "core/stock/StockPaciente.h"
#include "core/stock/ValorConsulta.h"
#include "core/stock/uInventario.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

// The stock read for display (a patient's rows, a category's report), the single-value query
// and who may add stock, on every engine.
class TestStockConsultas : public QObject
{
    Q_OBJECT

    static constexpr qint64 kPrincipio = 700001; // an active-ingredient entry
    static constexpr qint64 kProducto = 654321;
    static constexpr qint64 kPropio = 112233; // a product with the pharmacy's own name

    static void catalogue(TDM &dm)
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), kPrincipio},
                   {QStringLiteral("Medicamento"), QStringLiteral("OMEPRAZOL")},
                   {QStringLiteral("Descripcion"), QStringLiteral("20MG")},
                   {QStringLiteral("IPrinActiv"), 1}});
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), kProducto},
                   {QStringLiteral("Medicamento"), QStringLiteral("OMEPRAZOL CINFA")},
                   {QStringLiteral("Descripcion"), QStringLiteral("20MG 28 CAPS")}});
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), kPropio},
                   {QStringLiteral("Medicamento"), QStringLiteral("OMEPRAZOL NORMON")},
                   {QStringLiteral("Descripcion"), QStringLiteral("20MG")},
                   {QStringLiteral("DescUsuario"), QStringLiteral("OMEPRAZOL AZUL")}});
    }
    static qint64 patient(TDM &dm, const QString &ref, const QVariant &activo, int categoria)
    {
        return dm.Anadir(QStringLiteral("Paciente"),
                         {{QStringLiteral("refPaciente"), ref},
                          {QStringLiteral("Nombre"), QStringLiteral("PACIENTE ") + ref},
                          {QStringLiteral("Iactivo"), activo},
                          {QStringLiteral("CodCategoria"), categoria}});
    }
    static qint64 stock(TDM &dm, qint64 paciente, qint64 medicamento, const QVariant &real,
                        const QString &lote)
    {
        return dm.Anadir(QStringLiteral("Inventario"),
                         {{QStringLiteral("idPaciente"), paciente},
                          {QStringLiteral("idMedicamento"), medicamento},
                          {QStringLiteral("IdMedicamentoReal"), real},
                          {QStringLiteral("Lote"), lote},
                          {QStringLiteral("Caducidad"), SqlFecha::valor(QDate(2027, 5, 1))},
                          {QStringLiteral("CantidadRestante"), 2.5}});
    }

private slots:
    void patientRowsNameTheRealProduct()
    {
        TestDatabase db;
        TDM dm(db.directory());
        catalogue(dm);
        const qint64 paciente = patient(dm, QStringLiteral("R1"), 1, 1);
        stock(dm, paciente, kPrincipio, kProducto, QStringLiteral("A"));
        stock(dm, paciente, kPrincipio, kPropio, QStringLiteral("B"));
        stock(dm, paciente, kProducto, kProducto, QStringLiteral("C"));
        stock(dm, paciente, kProducto, QVariant(), QStringLiteral("D"));
        const QList<TFilaStockPaciente> filas = StockPaciente(dm, paciente);
        QCOMPARE(filas.size(), 4);
        QCOMPARE(filas[0].Medicamento, QStringLiteral("OMEPRAZOL 20MG-654321 OMEPRAZOL CINFA "));
        QCOMPARE(filas[0].MedicamentoReal, QStringLiteral("OMEPRAZOL CINFA 20MG 28 CAPS"));
        QCOMPARE(filas[1].Medicamento, QStringLiteral("OMEPRAZOL 20MG-OMEPRAZOL AZUL"));
        QCOMPARE(filas[2].Medicamento, QStringLiteral("OMEPRAZOL CINFA 20MG 28 CAPS"));
        QCOMPARE(filas[3].Medicamento, QStringLiteral("OMEPRAZOL CINFA 20MG 28 CAPS"));
        QCOMPARE(filas[3].CantidadRestante, 2.5);
        QCOMPARE(filas[3].Caducidad, QDate(2027, 5, 1));
    }

    // Rows stored without a product or lot (older data) are still listed, not dropped.
    void rowsWithoutProductOrLot()
    {
        TestDatabase db;
        TDM dm(db.directory());
        catalogue(dm);
        const qint64 paciente = patient(dm, QStringLiteral("R1"), 1, 1);
        dm.Anadir(QStringLiteral("Inventario"),
                  {{QStringLiteral("idPaciente"), paciente}, {QStringLiteral("CantidadRestante"), 1.0}});
        const QList<TFilaStockPaciente> filas = StockPaciente(dm, paciente);
        QCOMPARE(filas.size(), 1);
        QCOMPARE(filas[0].idMedicamento, qint64(0));
        QCOMPARE(filas[0].Lote, QString());
        QVERIFY(!filas[0].Caducidad.isValid());
        QCOMPARE(StockCategoria(dm, 1).size(), 1);
    }

    void patientRowsOfOneMedicationInOrderOfEntry()
    {
        TestDatabase db;
        TDM dm(db.directory());
        catalogue(dm);
        const qint64 paciente = patient(dm, QStringLiteral("R1"), 1, 1);
        const qint64 otro = patient(dm, QStringLiteral("R2"), 1, 1);
        const qint64 primero = stock(dm, paciente, kProducto, QVariant(), QStringLiteral("1"));
        stock(dm, paciente, kPrincipio, QVariant(), QStringLiteral("X"));
        stock(dm, otro, kProducto, QVariant(), QStringLiteral("Y"));
        const qint64 segundo = stock(dm, paciente, kProducto, QVariant(), QStringLiteral("2"));
        const QList<TFilaStockPaciente> filas = StockPaciente(dm, paciente, kProducto);
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas[0].idInventario, primero);
        QCOMPARE(filas[1].idInventario, segundo);
    }

    void categoryStockOfActivePatientsOnly()
    {
        TestDatabase db;
        TDM dm(db.directory());
        catalogue(dm);
        const qint64 activo = patient(dm, QStringLiteral("R1"), 1, 3);
        const qint64 sinMarca = patient(dm, QStringLiteral("R2"), QVariant(), 3);
        const qint64 baja = patient(dm, QStringLiteral("R3"), 0, 3);
        const qint64 otraCategoria = patient(dm, QStringLiteral("R4"), 1, 4);
        stock(dm, activo, kPrincipio, kPropio, QStringLiteral("A"));
        stock(dm, sinMarca, kProducto, QVariant(), QStringLiteral("B"));
        stock(dm, baja, kProducto, QVariant(), QStringLiteral("C"));
        stock(dm, otraCategoria, kProducto, QVariant(), QStringLiteral("D"));
        const QList<TFilaStockCategoria> filas = StockCategoria(dm, 3);
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas[0].RefPaciente, QStringLiteral("R1"));
        QCOMPARE(filas[0].idPaciente, activo);
        QCOMPARE(filas[0].Nombre, QStringLiteral("PACIENTE R1"));
        QCOMPARE(filas[0].Medicamento, QStringLiteral("700001 OMEPRAZOL 20MG-OMEPRAZOL AZUL"));
        QCOMPARE(filas[0].Lote, QStringLiteral("A"));
        QCOMPARE(filas[0].Cantidad, 2.5);
        QCOMPARE(filas[0].Caducidad, QDate(2027, 5, 1));
        QCOMPARE(filas[1].RefPaciente, QStringLiteral("R2"));
        QCOMPARE(filas[1].Medicamento, QStringLiteral("654321 OMEPRAZOL CINFA 20MG 28 CAPS"));
    }

    void valueOfTheLastRow()
    {
        TestDatabase db;
        TDM dm(db.directory());
        catalogue(dm);
        const QString sql = QStringLiteral("SELECT idMedicamento FROM Medicamento WHERE idMedicamento > ? "
                                           "ORDER BY idMedicamento");
        QCOMPARE(ValorConsulta(dm, sql, {0}).toLongLong(), kPrincipio);
        QCOMPARE(ValorConsulta(dm, sql, {kProducto}).toLongLong(), kPrincipio);
        QVERIFY(ValorConsulta(dm, sql, {kPrincipio}).isNull());
    }

    void whoMayAddStock_data()
    {
        QTest::addColumn<bool>("farmaceutico");
        QTest::addColumn<bool>("conLinea");
        QTest::addColumn<bool>("puede");
        QTest::newRow("pharmacist, treated") << true << true << true;
        QTest::newRow("pharmacist, not treated") << true << false << true;
        QTest::newRow("auxiliary, treated") << false << true << true;
        QTest::newRow("auxiliary, not treated") << false << false << false;
    }
    void whoMayAddStock()
    {
        QFETCH(bool, farmaceutico);
        QFETCH(bool, conLinea);
        QFETCH(bool, puede);
        TestDatabase db;
        TDM dm(db.directory());
        catalogue(dm);
        const qint64 paciente = patient(dm, QStringLiteral("R1"), 1, 1);
        // Another patient's line for the medication does not count.
        dm.Anadir(
                QStringLiteral("SPD"),
                {{QStringLiteral("idPaciente"), paciente + 1}, {QStringLiteral("idMedicamento"), kProducto}});
        if (conLinea)
            dm.Anadir(
                    QStringLiteral("SPD"),
                    {{QStringLiteral("idPaciente"), paciente}, {QStringLiteral("idMedicamento"), kProducto}});
        QCOMPARE(TInventario(dm).PuedeAnadirStock(farmaceutico, paciente, kProducto), puede);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestStockConsultas)
#include "test_stock_consultas.moc"
