#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

// The delete guard and the editor's checks of the medication catalogue, on every engine.
class TestCatalogoMedicamentos : public QObject
{
    Q_OBJECT

    static constexpr qint64 kCodigo = 999999;
    static constexpr qint64 kOtro = 123456;

    static void addMedication(TDM &dm, qint64 codigo, const QVariant &manual)
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), codigo},
                   {QStringLiteral("Medicamento"), QStringLiteral("PROPIO")},
                   {QStringLiteral("iManual"), manual}});
    }
    static bool exists(TDM &dm, qint64 codigo) { return TCatalogoMedicamentos(dm).Existe(codigo); }

private slots:
    void deleteGuard_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("columna");
        QTest::newRow("stock") << "Inventario"
                               << "idMedicamento";
        QTest::newRow("stock's real product") << "Inventario"
                                              << "IdMedicamentoReal";
        QTest::newRow("prescription") << "Receta"
                                      << "idMedicamento";
        QTest::newRow("treatment") << "SPD"
                                   << "idMedicamento";
        QTest::newRow("load line") << "RecargaLinea"
                                   << "idMedicamento";
        QTest::newRow("load line's real product") << "RecargaLinea"
                                                  << "idMedicamentoR";
        QTest::newRow("treatment history") << "SPDHIST"
                                           << "IDMedicamento";
    }
    void deleteGuard()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, columna);
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, kCodigo, 1);
        dm.Anadir(tabla, {{columna, kCodigo}});
        TCatalogoMedicamentos catalogo(dm);
        QVERIFY(catalogo.MotivoBorradoImposible(kCodigo).startsWith(
                QStringLiteral("BORRADO IMPOSIBLE. MEDICAMENTO YA")));
        QVERIFY_THROWS_EXCEPTION(AppError, catalogo.BorrarMedicamento(kCodigo));
        QVERIFY(exists(dm, kCodigo));
    }

    void unusedOwnEntryIsDeleted()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, kCodigo, 1);
        addMedication(dm, kOtro, 1);
        dm.Anadir(QStringLiteral("SPD"), {{QStringLiteral("idMedicamento"), kOtro}});
        TCatalogoMedicamentos(dm).BorrarMedicamento(kCodigo);
        QVERIFY(!exists(dm, kCodigo));
        QVERIFY(exists(dm, kOtro));
    }

    void catalogueEntriesAreNeverDeleted_data()
    {
        QTest::addColumn<QVariant>("manual");
        QTest::newRow("null") << QVariant();
        QTest::newRow("0") << QVariant(0);
    }
    void catalogueEntriesAreNeverDeleted()
    {
        QFETCH(QVariant, manual);
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, kCodigo, manual);
        QVERIFY_THROWS_EXCEPTION(AppError, TCatalogoMedicamentos(dm).BorrarMedicamento(kCodigo));
        QVERIFY(exists(dm, kCodigo));
    }

    void savingANewEntry()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TDatosMedicamento datos;
        datos.Codigo = QStringLiteral("999999");
        datos.PVP = QStringLiteral("2,5");
        datos.Medicamento = QStringLiteral("PROPIO");
        datos.Descripcion = QStringLiteral("5MG");
        datos.DescUsuario = QStringLiteral("PROPIO 5MG");
        datos.SPD = true;
        datos.Forma = QStringLiteral("CUADRADA");
        datos.Color = QStringLiteral("AZUL");
        datos.Volumen = 1;
        datos.Unidades = QStringLiteral("28");
        TCatalogoMedicamentos catalogo(dm);
        catalogo.GuardarMedicamento(datos, true, true);
        TConsulta fila
                = dm.Consulta(QStringLiteral("SELECT iManual, Definido, SPD, DescUsuario, Forma, Volumen, "
                                             "Unidades, PVP, Comprimido, Capsula FROM Medicamento"));
        QVERIFY(fila.next());
        QCOMPARE(fila.value(0).toInt(), 1);
        QCOMPARE(fila.value(1).toInt(), 1);
        QCOMPARE(fila.value(2).toInt(), 1);
        QCOMPARE(fila.value(3).toString(), QStringLiteral("PROPIO 5MG")); // a new entry: as typed
        QCOMPARE(fila.value(4).toString(), QStringLiteral("CUADRADA"));
        QCOMPARE(fila.value(5).toInt(), 1);
        QCOMPARE(fila.value(6).toInt(), 28);
        QCOMPARE(fila.value(7).toDouble(), 2.5);
        QCOMPARE(fila.value(8).toInt(), 1);
        QCOMPARE(fila.value(9).toInt(), 0);
        fila.finish();
        // Stored again as an existing entry, a user description equal to name and description is
        // cleared.
        catalogo.GuardarMedicamento(datos, false, true);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT DescUsuario FROM Medicamento")).toString(), QString());
        // The same code again is refused and changes nothing.
        datos.Medicamento = QStringLiteral("OTRO");
        QVERIFY_THROWS_EXCEPTION(AppError, catalogo.GuardarMedicamento(datos, true, true));
        QCOMPARE(dm.Valor(QStringLiteral("SELECT Medicamento FROM Medicamento")).toString(),
                 QStringLiteral("PROPIO"));
    }

    void completingACatalogueEntryKeepsItsNames()
    {
        TestDatabase db;
        TDM dm(db.directory());
        addMedication(dm, kOtro, 0);
        TDatosMedicamento datos;
        datos.Codigo = QString::number(kOtro);
        datos.Medicamento = QStringLiteral("CAMBIADO");
        datos.DescUsuario = QStringLiteral("MI NOMBRE");
        TCatalogoMedicamentos catalogo(dm);
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 catalogo.GuardarMedicamento(datos, false, true)); // blister undecided
        QCOMPARE(dm.Valor(QStringLiteral("SELECT COALESCE(Definido, 0) FROM Medicamento")).toInt(), 0);
        datos.SPD = false;
        catalogo.GuardarMedicamento(datos, false, true);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT Medicamento FROM Medicamento")).toString(),
                 QStringLiteral("PROPIO"));
        QCOMPARE(dm.Valor(QStringLiteral("SELECT DescUsuario FROM Medicamento")).toString(),
                 QStringLiteral("MI NOMBRE"));
        QCOMPARE(dm.Valor(QStringLiteral("SELECT Definido FROM Medicamento")).toInt(), 1);
    }

    void newCodes_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<bool>("valido");
        QTest::newRow("999999") << "999999" << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("1000000") << "1000000" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("negative") << "-5" << false;
        QTest::newRow("letters") << "12A" << false;
        QTest::newRow("decimal") << "12.5" << false;
        QTest::newRow("empty") << "" << false;
    }
    void newCodes()
    {
        QFETCH(QString, codigo);
        QFETCH(bool, valido);
        QCOMPARE(TCatalogoMedicamentos::ErrorCodigoNuevo(codigo).isEmpty(), valido);
    }

    void protocolSeparatorsAreRefused_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valido");
        QTest::newRow("plain") << "REDONDA BLANCA" << true;
        QTest::newRow("semicolon") << "A;B" << false;
        QTest::newRow("bar") << "A|B" << false;
    }
    void protocolSeparatorsAreRefused()
    {
        QFETCH(QString, texto);
        QFETCH(bool, valido);
        QCOMPARE(TCatalogoMedicamentos::ErrorSeparador(texto).isEmpty(), valido);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestCatalogoMedicamentos)
#include "test_catalogo_medicamentos.moc"
