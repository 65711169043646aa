#include "core/common/AppError.h"
#include "core/data/TablasMaestras.h"
#include "core/data/uDM.h"
#include "support/TestDatabase.h"

#include <QTest>

#include <functional>

// The master lists' changes: codes never given twice, the categories patients belong to, and the
// descriptions refused. Run on every engine the test run has.
class TestTablasMaestras : public QObject
{
    Q_OBJECT

    static void Entrada(TDM &dm, int codTab, int codigo)
    {
        dm.Anadir(QStringLiteral("TabMaestras"),
                  {{QStringLiteral("CodTab"), codTab},
                   {QStringLiteral("Codigo"), codigo},
                   {QStringLiteral("Descripcion"), QStringLiteral("C%1").arg(codigo)}});
    }

private slots:
    void aDeletedCodeIsNeverGivenAgain_data()
    {
        QTest::addColumn<QList<int>>("codigos");
        QTest::addColumn<QList<int>>("borrados");
        QTest::addColumn<int>("siguiente");
        QTest::newRow("empty list") << QList<int> {} << QList<int> {} << 1;
        QTest::newRow("after 1, 2, 7") << QList<int> {1, 2, 7} << QList<int> {} << 8;
        QTest::newRow("the highest deleted") << QList<int> {1, 2, 7} << QList<int> {7} << 8;
        QTest::newRow("every one deleted") << QList<int> {1, 2} << QList<int> {2, 1} << 3;
        QTest::newRow("a lower one after the highest") << QList<int> {1, 2, 7} << QList<int> {7, 2} << 8;
        QTest::newRow("a lower one only") << QList<int> {1, 2, 7} << QList<int> {2} << 8;
    }
    void aDeletedCodeIsNeverGivenAgain()
    {
        QFETCH(QList<int>, codigos);
        QFETCH(QList<int>, borrados);
        QFETCH(int, siguiente);
        TestDatabase db;
        TDM dm(db.directory());
        TTablasMaestras tablas(dm);
        for (int codigo : codigos)
            Entrada(dm, TDM::kListaCategorias, codigo);
        Entrada(dm, 3, 50); // another list's codes and deletions do not count
        tablas.Borrar(3, 50);
        for (int codigo : borrados)
            tablas.Borrar(TDM::kListaCategorias, codigo);
        QCOMPARE(dm.SiguienteCodigo(TDM::kListaCategorias), siguiente);
        QCOMPARE(tablas.Anadir(TDM::kListaCategorias, QStringLiteral("NUEVA")), siguiente);
        // The record of deleted codes is no entry of any list the application shows.
        QCOMPARE(tablas.Lista(TDM::kListaCategorias).size(), codigos.size() - borrados.size() + 1);
        QCOMPARE(dm.ListaCategorias().size(), codigos.size() - borrados.size() + 1);
        QVERIFY(tablas.Lista(3).isEmpty());
    }

    void aCategoryOfAnyPatientIsNotDeleted_data()
    {
        QTest::addColumn<QVariant>("categoriaPaciente");
        QTest::addColumn<QVariant>("activo");
        QTest::addColumn<bool>("borrada");
        QTest::newRow("active patient") << QVariant(4) << QVariant(1) << false;
        QTest::newRow("inactive patient") << QVariant(4) << QVariant(0) << false;
        QTest::newRow("patient of another category") << QVariant(5) << QVariant(1) << true;
        QTest::newRow("patient without category") << QVariant() << QVariant(1) << true;
    }
    void aCategoryOfAnyPatientIsNotDeleted()
    {
        QFETCH(QVariant, categoriaPaciente);
        QFETCH(QVariant, activo);
        QFETCH(bool, borrada);
        TestDatabase db;
        TDM dm(db.directory());
        TTablasMaestras tablas(dm);
        Entrada(dm, TDM::kListaCategorias, 4);
        dm.Anadir(QStringLiteral("Paciente"),
                  {{QStringLiteral("CodCategoria"), categoriaPaciente}, {QStringLiteral("Iactivo"), activo}});
        const QString rechazo = QStringLiteral("LA CATEGORIA YA ESTA SIENDO UTILIZADO EN ALGUN PACIENTE");
        QCOMPARE(tablas.MotivoBorradoImposible(TDM::kListaCategorias, 4), borrada ? QString() : rechazo);
        try {
            tablas.Borrar(TDM::kListaCategorias, 4);
            QVERIFY(borrada);
        } catch (const AppError &error) {
            QCOMPARE(error.message(), rechazo);
        }
        QCOMPARE(tablas.Lista(TDM::kListaCategorias).isEmpty(), borrada);
    }

    void badDescriptionsAreRefused_data()
    {
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << ""
                               << "Descripcion es un campo obligatorio.";
        QTest::newRow("blanks") << "   "
                                << "Descripcion es un campo obligatorio.";
        QTest::newRow("bar") << "PLANTA|2"
                             << "La descripcion no puede contener el caracter |";
        QTest::newRow("semicolon") << "PLANTA;2"
                                   << "La descripcion no puede contener el caracter ;";
        QTest::newRow("as typed") << " Residencia Sol "
                                  << "";
    }
    void badDescriptionsAreRefused()
    {
        QFETCH(QString, descripcion);
        QFETCH(QString, error);
        TestDatabase db;
        TDM dm(db.directory());
        TTablasMaestras tablas(dm);
        Entrada(dm, TDM::kListaCategorias, 1);
        QCOMPARE(TTablasMaestras::ErrorDescripcion(descripcion), error);
        const auto rechazo = [&](const std::function<void()> &cambio) {
            try {
                cambio();
                return QString();
            } catch (const AppError &e) {
                return e.message();
            }
        };
        QCOMPARE(rechazo([&] { tablas.Modificar(TDM::kListaCategorias, 1, descripcion); }), error);
        QCOMPARE(rechazo([&] { tablas.Anadir(TDM::kListaCategorias, descripcion); }), error);
        const QList<TEntradaMaestra> lista = tablas.Lista(TDM::kListaCategorias);
        QCOMPARE(lista.size(), error.isEmpty() ? 2 : 1);
        // Editing changes only the description; the code stays.
        QCOMPARE(lista.first().Codigo, 1);
        QCOMPARE(lista.first().Descripcion, error.isEmpty() ? descripcion : QStringLiteral("C1"));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestTablasMaestras)
#include "test_tablas_maestras.moc"
