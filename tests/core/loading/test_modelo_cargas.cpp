// The list of loads' model: read a page at a time, ordered by a column in the database, and the
// texts its columns show.
#include "core/loading/ModeloCargas.h"
#include "support/CargasListadas.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace CargasListadas;

Q_DECLARE_METATYPE(TColumnaCargas)

namespace {

QList<qint64> Ids(const TModeloCargas &modelo)
{
    QList<qint64> ids;
    for (int fila = 0; fila < modelo.rowCount(); ++fila)
        ids << modelo.Fila(fila).idRecarga;
    return ids;
}

// `cuantas` more loads of one patient, made one a day from New Year 2025.
void MasCargas(TDM &dm, int cuantas)
{
    const int usuario = Usuario(dm, QStringLiteral("eva"));
    const int paciente = Paciente(dm, QStringLiteral("REF-EVA"), QStringLiteral("EVA GIL"), 1);
    dm.EnTransaccion([&] {
        for (int i = 0; i < cuantas; ++i)
            Carga(dm, usuario, {paciente, i + 1, QDateTime(QDate(2025, 1, 1).addDays(i), QTime(9, 0))});
    });
}

} // namespace

class TestModeloCargas : public QObject
{
    Q_OBJECT

private slots:
    void unaPaginaCadaVez()
    {
        TestDatabase db;
        TDM dm(db.directory());
        MasCargas(dm, 2 * TModeloCargas::kFilasPagina + 50);
        TModeloCargas modelo(dm);
        modelo.Consultar({});
        QCOMPARE(modelo.rowCount(), TModeloCargas::kFilasPagina);
        QVERIFY(modelo.canFetchMore({}));
        modelo.fetchMore({});
        QCOMPARE(modelo.rowCount(), 2 * TModeloCargas::kFilasPagina);
        modelo.fetchMore({});
        QCOMPARE(modelo.rowCount(), 2 * TModeloCargas::kFilasPagina + 50);
        QVERIFY(!modelo.canFetchMore({}));
        // The pages together are the whole list, in its order, each load once.
        QList<qint64> todas;
        for (const TFilaCarga &fila : ConsultarCargas(dm))
            todas << fila.idRecarga;
        QCOMPARE(Ids(modelo), todas);
        QVERIFY(std::is_sorted(todas.cbegin(), todas.cend()));
    }

    void unaListaCortaNoPideMas()
    {
        TestDatabase db;
        TDM dm(db.directory());
        Escenario(dm);
        TModeloCargas modelo(dm);
        modelo.Consultar({});
        QCOMPARE(modelo.rowCount(), 5);
        QVERIFY(!modelo.canFetchMore({}));
    }

    void releerGuardaLasFilasVistas()
    {
        TestDatabase db;
        TDM dm(db.directory());
        MasCargas(dm, 2 * TModeloCargas::kFilasPagina + 50);
        TModeloCargas modelo(dm);
        modelo.Consultar({});
        modelo.fetchMore({});
        modelo.Releer();
        QCOMPARE(modelo.rowCount(), 2 * TModeloCargas::kFilasPagina);
        QVERIFY(modelo.canFetchMore({}));
    }

    void todasSonLasDelFiltro()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const QMap<QString, qint64> cargas = Escenario(dm);
        MasCargas(dm, TModeloCargas::kFilasPagina + 1);
        TModeloCargas modelo(dm);
        TFiltroCargas filtro;
        filtro.Situacion = TSituacionCargas::Entregados;
        modelo.Consultar(filtro);
        modelo.sort(int(TColumnaCargas::Paciente), Qt::DescendingOrder);
        QList<qint64> ids;
        for (const TFilaCarga &fila : modelo.Todas())
            ids << fila.idRecarga;
        QCOMPARE(Nombres(cargas, ids), (QStringList {"B2", "A2"}));
    }

    void ordenPorColumna_data()
    {
        QTest::addColumn<TColumnaCargas>("columna");
        QTest::addColumn<bool>("descendente");
        QTest::addColumn<QStringList>("cargas");
        using C = TColumnaCargas;
        QTest::newRow("made, newest first") << C::Fecha << true << QStringList {"B2", "B1", "A3", "A2", "A1"};
        QTest::newRow("load number, then identifier")
                << C::Recarga << false << QStringList {"A1", "B1", "A2", "B2", "A3"};
        QTest::newRow("patient, last first")
                << C::Paciente << true << QStringList {"B2", "B1", "A3", "A2", "A1"};
        QTest::newRow("situation") << C::SitEntrega << false << QStringList {"A1", "B1", "A2", "B2", "A3"};
        QTest::newRow("situation, last first")
                << C::SitEntrega << true << QStringList {"A3", "B2", "A2", "B1", "A1"};
        QTest::newRow("start") << C::Inicio << false << QStringList {"A1", "A2", "A3", "B1", "B2"};
        QTest::newRow("validator, not validated first")
                << C::Validador << false << QStringList {"A1", "A2", "A3", "B1", "B2"};
        QTest::newRow("validator, not validated last")
                << C::Validador << true << QStringList {"B2", "B1", "A3", "A2", "A1"};
    }
    void ordenPorColumna()
    {
        QFETCH(TColumnaCargas, columna);
        QFETCH(bool, descendente);
        QFETCH(QStringList, cargas);
        TestDatabase db;
        TDM dm(db.directory());
        const QMap<QString, qint64> escenario = Escenario(dm);
        TModeloCargas modelo(dm);
        modelo.Consultar({});
        modelo.sort(int(columna), descendente ? Qt::DescendingOrder : Qt::AscendingOrder);
        QCOMPARE(Nombres(escenario, Ids(modelo)), cargas);
    }

    void textosDeUnaFila()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const QMap<QString, qint64> escenario = Escenario(dm);
        TModeloCargas modelo(dm);
        modelo.Consultar({});
        const int fila = modelo.FilaDeCarga(escenario.value(QStringLiteral("B2")));
        QStringList textos;
        QStringList titulos;
        for (int columna = 0; columna < modelo.columnCount(); ++columna) {
            textos << modelo.index(fila, columna).data().toString();
            titulos << modelo.headerData(columna, Qt::Horizontal).toString();
        }
        QCOMPARE(titulos,
                 (QStringList {"FECHA", "RECARGA", "PACIENTE", "SIT. ENTREGA", "INICIO", "FIN",
                               "PREPARADO POR", "VALIDADO POR"}));
        QCOMPARE(textos,
                 (QStringList {"12/03/2024 09:00", "2", "REF-BEA", "ENTREGADO", "13/03/2024", "19/03/2024",
                               "pepa", "luis"}));
        QCOMPARE(modelo.FilaDeCarga(987654), -1);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestModeloCargas)
#include "test_modelo_cargas.moc"
