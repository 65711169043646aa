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
