// The list of loads' filter: each field alone and together, as the user types them, and the
// fields that are refused.
#include "core/loading/FiltroCargas.h"
#include "support/CargasListadas.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace CargasListadas;

Q_DECLARE_METATYPE(TSituacionCargas)
Q_DECLARE_METATYPE(TCampoFiltroCargas)

namespace {

QList<qint64> Ids(const QList<TFilaCarga> &filas)
{
    QList<qint64> ids;
    for (const TFilaCarga &fila : filas)
        ids << fila.idRecarga;
    return ids;
}

TCamposFiltroCargas Campos(const QString &desde, const QString &hasta, const QString &paciente,
                           const QString &recarga, TSituacionCargas situacion, int categoria)
{
    TCamposFiltroCargas campos {desde, hasta, paciente, recarga, situacion, std::nullopt};
    if (categoria != 0)
        campos.Categoria = categoria;
    return campos;
}

const QString kFormato = QStringLiteral("EL FORMATO ES INCORRECTO");

} // namespace

class TestFiltroCargas : public QObject
{
    Q_OBJECT

    void columnas()
    {
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QString>("paciente");
        QTest::addColumn<QString>("recarga");
        QTest::addColumn<TSituacionCargas>("situacion");
        QTest::addColumn<int>("categoria");
    }

private slots:
    void cargasQuePasan_data()
    {
        columnas();
        QTest::addColumn<QStringList>("cargas");
        using S = TSituacionCargas;
        const QStringList todas {"A1", "A2", "A3", "B1", "B2"};
        QTest::newRow("nothing filled") << ""
                                        << ""
                                        << ""
                                        << "" << S::Todas << 0 << todas;
        QTest::newRow("blanks only") << "  "
                                     << " "
                                     << " "
                                     << "  " << S::Todas << 0 << todas;
        QTest::newRow("from a day") << "10/03/2024"
                                    << ""
                                    << ""
                                    << "" << S::Todas << 0 << QStringList {"A2", "A3", "B1", "B2"};
        QTest::newRow("from a day, short form")
                << "10/3/2024"
                << ""
                << ""
                << "" << S::Todas << 0 << QStringList {"A2", "A3", "B1", "B2"};
        QTest::newRow("up to a day: all of it, nothing of the next")
                << ""
                << "10/03/2024"
                << ""
                << "" << S::Todas << 0 << QStringList {"A1", "A2", "A3"};
        QTest::newRow("one day") << "10/03/2024"
                                 << "10/03/2024"
                                 << ""
                                 << "" << S::Todas << 0 << QStringList {"A2", "A3"};
        QTest::newRow("a patient") << ""
                                   << ""
                                   << "REF-BEA"
                                   << "" << S::Todas << 0 << QStringList {"B1", "B2"};
        QTest::newRow("a patient in other case, with blanks")
                << ""
                << ""
                << " ref-ana "
                << "" << S::Todas << 0 << QStringList {"A1", "A2", "A3"};
        QTest::newRow("a reference of no patient") << ""
                                                   << ""
                                                   << "REF-ZOE"
                                                   << "" << S::Todas << 0 << QStringList {};
        QTest::newRow("a load number") << ""
                                       << ""
                                       << ""
                                       << "2" << S::Todas << 0 << QStringList {"A2", "B2"};
        QTest::newRow("a load number with blanks") << ""
                                                   << ""
                                                   << ""
                                                   << " 1 " << S::Todas << 0 << QStringList {"A1", "B1"};
        QTest::newRow("every situation") << ""
                                         << ""
                                         << ""
                                         << "" << S::Todas << 0 << todas;
        QTest::newRow("prepared") << ""
                                  << ""
                                  << ""
                                  << "" << S::Preparados << 0 << QStringList {"A1", "B1"};
        QTest::newRow("delivered") << ""
                                   << ""
                                   << ""
                                   << "" << S::Entregados << 0 << QStringList {"A2", "B2"};
        QTest::newRow("returned") << ""
                                  << ""
                                  << ""
                                  << "" << S::Retornados << 0 << QStringList {"A3"};
        QTest::newRow("a category") << ""
                                    << ""
                                    << ""
                                    << "" << S::Todas << 7 << QStringList {"B1", "B2"};
        QTest::newRow("a category of no patient") << ""
                                                  << ""
                                                  << ""
                                                  << "" << S::Todas << 9 << QStringList {};
        QTest::newRow("patient and situation") << ""
                                               << ""
                                               << "REF-ANA"
                                               << "" << S::Entregados << 0 << QStringList {"A2"};
        QTest::newRow("dates and category") << "10/03/2024"
                                            << "11/03/2024"
                                            << ""
                                            << "" << S::Todas << 7 << QStringList {"B1"};
        QTest::newRow("every field") << "09/03/2024"
                                     << "12/03/2024"
                                     << "REF-ANA"
                                     << "3" << S::Retornados << 4 << QStringList {"A3"};
        QTest::newRow("fields that exclude each other") << ""
                                                        << ""
                                                        << "REF-ANA"
                                                        << "" << S::Todas << 7 << QStringList {};
    }
    void cargasQuePasan()
    {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QString, paciente);
        QFETCH(QString, recarga);
        QFETCH(TSituacionCargas, situacion);
        QFETCH(int, categoria);
        QFETCH(QStringList, cargas);
        TestDatabase db;
        TDM dm(db.directory());
        const QMap<QString, qint64> escenario = Escenario(dm);
        const TFiltroCargasLeido leido
                = LeerFiltroCargas(dm, Campos(desde, hasta, paciente, recarga, situacion, categoria));
        QVERIFY2(leido.valido(), qPrintable(leido.error));
        QCOMPARE(Nombres(escenario, Ids(ConsultarCargas(dm, leido.filtro))), cargas);
    }

    void elPacienteNombrado_data()
    {
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("nombre"); // empty: no patient
        QTest::newRow("none asked") << ""
                                    << "";
        QTest::newRow("found") << "ref-bea"
                               << "BEA RUIZ";
        QTest::newRow("not found") << "REF-ZOE"
                                   << "";
    }
    void elPacienteNombrado()
    {
        QFETCH(QString, referencia);
        QFETCH(QString, nombre);
        TestDatabase db;
        TDM dm(db.directory());
        Escenario(dm);
        const TFiltroCargasLeido leido
                = LeerFiltroCargas(dm, Campos({}, {}, referencia, {}, TSituacionCargas::Todas, 0));
        QCOMPARE(leido.paciente ? leido.paciente->Nombre : QString(), nombre);
        if (leido.paciente) {
            QCOMPARE(leido.paciente->refPaciente, QStringLiteral("REF-BEA"));
            QCOMPARE(leido.paciente->FechaAlta, QDate(2023, 1, 9));
            QVERIFY(!leido.paciente->FechaBaja.isValid());
        }
    }

    void camposRechazados_data()
    {
        columnas();
        QTest::addColumn<TCampoFiltroCargas>("campo");
        QTest::addColumn<QString>("mensaje");
        using S = TSituacionCargas;
        using C = TCampoFiltroCargas;
        QTest::newRow("a start that is not a date") << "31/02/2024"
                                                    << ""
                                                    << ""
                                                    << "" << S::Todas << 0 << C::Desde << kFormato;
        QTest::newRow("a start that is text") << "ayer"
                                              << ""
                                              << ""
                                              << "" << S::Todas << 0 << C::Desde << kFormato;
        QTest::newRow("an end that is not a date") << ""
                                                   << "10-03-2024"
                                                   << ""
                                                   << "" << S::Todas << 0 << C::Hasta << kFormato;
        QTest::newRow("an end before the start")
                << "11/03/2024"
                << "10/03/2024"
                << ""
                << "" << S::Todas << 0 << C::Hasta
                << QStringLiteral("LA FECHA HASTA NO PUEDE SER ANTERIOR A LA FECHA DESDE");
        QTest::newRow("a load number with letters") << ""
                                                    << ""
                                                    << ""
                                                    << "2a" << S::Todas << 0 << C::Recarga << kFormato;
        QTest::newRow("a load number with decimals") << ""
                                                     << ""
                                                     << ""
                                                     << "1,5" << S::Todas << 0 << C::Recarga << kFormato;
        QTest::newRow("a load number too large") << ""
                                                 << ""
                                                 << ""
                                                 << "99999999999" << S::Todas << 0 << C::Recarga << kFormato;
        QTest::newRow("the first field refused is named")
                << "hoy"
                << ""
                << "REF-ANA"
                << "x" << S::Retornados << 4 << C::Desde << kFormato;
    }
    void camposRechazados()
    {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QString, paciente);
        QFETCH(QString, recarga);
        QFETCH(TSituacionCargas, situacion);
        QFETCH(int, categoria);
        QFETCH(TCampoFiltroCargas, campo);
        QFETCH(QString, mensaje);
        TestDatabase db;
        TDM dm(db.directory());
        Escenario(dm);
        const TFiltroCargasLeido leido
                = LeerFiltroCargas(dm, Campos(desde, hasta, paciente, recarga, situacion, categoria));
        QVERIFY(!leido.valido());
        QCOMPARE(leido.campo, campo);
        QCOMPARE(leido.error, mensaje);
        // Nothing of a refused filter is left for a caller to apply by mistake.
        QVERIFY(!leido.paciente);
        QVERIFY(!leido.filtro.Desde.isValid() && !leido.filtro.idPaciente && !leido.filtro.Categoria);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestFiltroCargas)
#include "test_filtro_cargas.moc"
