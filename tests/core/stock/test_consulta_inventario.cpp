#include "core/common/AppError.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/stock/ConsultaInventario.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

// The stock inquiry over all patients, on every engine.
class TestConsultaInventario : public QObject
{
    Q_OBJECT

    static void llenar(TDM &dm)
    {
        dm.Anadir(QStringLiteral("TabMaestras"),
                  {{QStringLiteral("CodTab"), 0},
                   {QStringLiteral("Codigo"), 1},
                   {QStringLiteral("Descripcion"), QStringLiteral("RESIDENCIA")}});
        const qint64 ana = dm.Anadir(QStringLiteral("Paciente"),
                                     {{QStringLiteral("refPaciente"), QStringLiteral("Ab-1")},
                                      {QStringLiteral("Nombre"), QStringLiteral("ANA PEREZ")},
                                      {QStringLiteral("CodCategoria"), 1}});
        const qint64 luis = dm.Anadir(QStringLiteral("Paciente"),
                                      {{QStringLiteral("refPaciente"), QStringLiteral("X'2")},
                                       {QStringLiteral("Nombre"), QStringLiteral("LUIS GIL")},
                                       {QStringLiteral("CodCategoria"), 9}});
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), 10},
                   {QStringLiteral("Medicamento"), QStringLiteral("OMEPRAZOL")},
                   {QStringLiteral("Descripcion"), QStringLiteral("20MG")},
                   {QStringLiteral("IPrinActiv"), 1}});
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), 11},
                   {QStringLiteral("Medicamento"), QStringLiteral("OMEPRAZOL CINFA")},
                   {QStringLiteral("Descripcion"), QStringLiteral("20MG 28")}});
        stock(dm, ana, QStringLiteral("L1"), 28.0);
        stock(dm, luis, QStringLiteral("L2"), 28.0);
    }
    static void stock(TDM &dm, qint64 paciente, const QString &lote, double cantidad)
    {
        dm.Anadir(QStringLiteral("Inventario"),
                  {{QStringLiteral("idPaciente"), paciente},
                   {QStringLiteral("idMedicamento"), 10},
                   {QStringLiteral("IdMedicamentoReal"), 11},
                   {QStringLiteral("Lote"), lote},
                   {QStringLiteral("Caducidad"), SqlFecha::valor(QDate(2027, 1, 1))},
                   {QStringLiteral("CantidadRestante"), cantidad}});
    }
    static QStringList lotes(const QList<TFilaInventario> &filas)
    {
        QStringList lista;
        for (const TFilaInventario &fila : filas)
            lista << fila.Lote;
        return lista;
    }
    static QStringList refs(const QList<TFilaInventario> &filas)
    {
        QStringList lista;
        for (const TFilaInventario &fila : filas)
            lista << fila.RefPaciente + QLatin1Char(':') + QString::number(fila.Codigo) + QLatin1Char(':')
                            + fila.Categoria;
        return lista;
    }

private slots:
    void filters_data()
    {
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<bool>("verMedicamentos");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("everything") << ""
                                    << ""
                                    << ""
                                    << "" << false << QStringList {"Ab-1:10:RESIDENCIA", "X'2:10:"};
        QTest::newRow("reference without regard to case")
                << "ab-1"
                << ""
                << ""
                << "" << false << QStringList {"Ab-1:10:RESIDENCIA"};
        QTest::newRow("reference with a quote") << "x'2"
                                                << ""
                                                << ""
                                                << "" << false << QStringList {"X'2:10:"};
        QTest::newRow("name part") << ""
                                   << "gil"
                                   << ""
                                   << "" << false << QStringList {"X'2:10:"};
        QTest::newRow("by ingredient") << ""
                                       << ""
                                       << "10"
                                       << "" << false << QStringList {"Ab-1:10:RESIDENCIA", "X'2:10:"};
        QTest::newRow("by product") << ""
                                    << ""
                                    << "11"
                                    << "cinfa" << true << QStringList {"Ab-1:11:RESIDENCIA", "X'2:11:"};
        QTest::newRow("product text is not the ingredient's") << ""
                                                              << ""
                                                              << ""
                                                              << "cinfa" << false << QStringList {};
    }
    void filters()
    {
        QFETCH(QString, referencia);
        QFETCH(QString, nombre);
        QFETCH(QString, codigo);
        QFETCH(QString, descripcion);
        QFETCH(bool, verMedicamentos);
        QFETCH(QStringList, esperadas);
        TestDatabase db;
        TDM dm(db.directory());
        llenar(dm);
        TFiltroInventario filtro;
        filtro.Referencia = referencia;
        filtro.Nombre = nombre;
        filtro.Codigo = codigo;
        filtro.Descripcion = descripcion;
        filtro.VerMedicamentos = verMedicamentos;
        QCOMPARE(refs(ConsultarInventario(dm, filtro)), esperadas);
    }

    void pagesJoinedAreTheWholeList_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("columna"); // -1: the usual order
        QTest::addColumn<bool>("descendente");
        QTest::addColumn<int>("cuantas");
        QTest::addColumn<QStringList>("esperados");
        const QStringList usual {"L1", "b", "C", "L2", "a"};
        QTest::newRow("usual order, pages of 2") << "" << -1 << false << 2 << usual;
        QTest::newRow("one page as long as the list") << "" << -1 << false << 5 << usual;
        QTest::newRow("by lot without regard to case") << "" << int(TColumnaInventario::Lote) << false << 3
                                                       << QStringList {"a", "b", "C", "L1", "L2"};
        QTest::newRow("by quantity descending, equal ones in the usual order")
                << "" << int(TColumnaInventario::Cantidad) << true << 2
                << QStringList {"L1", "L2", "C", "b", "a"};
        QTest::newRow("name filter on rows already read")
                << "gil" << -1 << false << 1 << QStringList {"L2", "a"};
    }
    void pagesJoinedAreTheWholeList()
    {
        QFETCH(QString, nombre);
        QFETCH(int, columna);
        QFETCH(bool, descendente);
        QFETCH(int, cuantas);
        QFETCH(QStringList, esperados);
        TestDatabase db;
        TDM dm(db.directory());
        llenar(dm);
        const qint64 ana
                = dm.Valor(QStringLiteral("SELECT idPaciente FROM Paciente WHERE Nombre = 'ANA PEREZ'"))
                          .toLongLong();
        const qint64 luis
                = dm.Valor(QStringLiteral("SELECT idPaciente FROM Paciente WHERE Nombre = 'LUIS GIL'"))
                          .toLongLong();
        stock(dm, ana, QStringLiteral("b"), 0.0);
        stock(dm, ana, QStringLiteral("C"), 5.5);
        stock(dm, luis, QStringLiteral("a"), 0.0);
        TFiltroInventario filtro;
        filtro.Nombre = nombre;
        TOrdenInventario orden;
        if (columna >= 0)
            orden = {TColumnaInventario(columna), descendente};

        QList<TFilaInventario> unidas;
        TPaginaInventario pagina;
        do {
            pagina = ConsultarPaginaInventario(dm, filtro, orden, pagina.Siguiente, cuantas);
            QVERIFY(pagina.Filas.size() >= cuantas || !pagina.HayMas);
            unidas << pagina.Filas;
        } while (pagina.HayMas);
        QCOMPARE(lotes(unidas), esperados);
        QCOMPARE(lotes(ConsultarInventario(dm, filtro, orden)), esperados);
    }

    void categoryFilter()
    {
        TestDatabase db;
        TDM dm(db.directory());
        llenar(dm);
        TFiltroInventario filtro;
        filtro.Categoria = 9;
        QCOMPARE(refs(ConsultarInventario(dm, filtro)), QStringList {QStringLiteral("X'2:10:")});
    }

    void codeWithLettersIsRefused()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TFiltroInventario filtro;
        filtro.Codigo = QStringLiteral("12A");
        QVERIFY_THROWS_EXCEPTION(AppError, ConsultarInventario(dm, filtro));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestConsultaInventario)
#include "test_consulta_inventario.moc"
