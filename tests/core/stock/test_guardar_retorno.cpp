// Storing the returned cells of a load: whole, in one transaction, never touching the stock.
#include "../loading/CargaPrueba.h"
#include "RetornoPrueba.h"
#include "core/data/ManejadorErrores.h"
#include "core/loading/ConsultaCargas.h"
#include "core/stock/CargaRetorno.h"
#include "core/stock/GuardarRetorno.h"
#include "support/RechazoEscritura.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace RetornoPrueba;

namespace {

struct Entorno
{
    TestDatabase db;
    TDM dm {db.directory()};
    int preparador = usuario(dm);
    qint64 idPaciente = paciente(dm);
    qint64 idRecarga = carga(dm, idPaciente, 1, preparador);
};

// Cells as "cell:units:reason" separated by blanks.
TTomasRetornadas Marcas(const QString &texto)
{
    TTomasRetornadas tomas;
    for (const QString &marca : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList partes = marca.split(QLatin1Char(':'));
        tomas.Marcar(partes.value(0).toInt(), partes.value(1).toInt(), partes.value(2));
    }
    return tomas;
}

} // namespace

class TestGuardarRetorno : public QObject
{
    Q_OBJECT

private slots:
    void guardaLasTomasMarcadasYSusTotales_data()
    {
        QTest::addColumn<QString>("antes"); // already stored
        QTest::addColumn<QString>("marcas");
        QTest::addColumn<QDate>("fecha");
        QTest::addColumn<QStringList>("filas");
        QTest::addColumn<QString>("totales");
        QTest::newRow("Thursday lunch and Sunday dinner")
                << ""
                << "27:2:OLVIDO 14:1:NAUSEAS" << QDate(2024, 5, 14)
                << QStringList {"14|1|NAUSEAS", "27|2|OLVIDO"} << "2024-05-14|2|3";
        QTest::newRow("a cell of no units")
                << ""
                << "5:0:VACIA" << QDate(2024, 5, 14) << QStringList {"5|0|VACIA"} << "2024-05-14|1|0";
        QTest::newRow("the stored cells are replaced")
                << "1:4:A 2:4:B"
                << "2:1:C" << QDate(2024, 5, 14) << QStringList {"2|1|C"} << "2024-05-14|1|1";
        QTest::newRow("every cell unmarked")
                << "1:4:A 2:4:B"
                << "" << QDate(2024, 5, 14) << QStringList {} << "2024-05-14|0|0";
        QTest::newRow("no date: not returned, the cells kept")
                << ""
                << "14:1:NAUSEAS" << QDate() << QStringList {"14|1|NAUSEAS"} << "|1|1";
    }
    void guardaLasTomasMarcadasYSusTotales()
    {
        QFETCH(QString, antes);
        QFETCH(QString, marcas);
        QFETCH(QDate, fecha);
        QFETCH(QStringList, filas);
        QFETCH(QString, totales);
        Entorno e;
        QCOMPARE(GuardarRetorno(e.dm, e.idRecarga, Marcas(antes), QDate(2024, 5, 13)),
                 TResultadoRetorno::Guardado);
        QCOMPARE(GuardarRetorno(e.dm, e.idRecarga, Marcas(marcas), fecha), TResultadoRetorno::Guardado);
        QCOMPARE(tomas(e.dm, e.idRecarga), filas);
        QCOMPARE(RetornoPrueba::totales(e.dm, e.idRecarga), totales);
    }

    void loGuardadoSeLeeDeVuelta()
    {
        Entorno e;
        GuardarRetorno(e.dm, e.idRecarga, Marcas("27:2:OLVIDO 14:1:NAUSEAS"), QDate(2024, 5, 14));
        const std::optional<TCargaRetorno> leida = LeerCargaRetorno(e.dm, e.idRecarga);
        QVERIFY(leida);
        QCOMPARE(leida->FechaRetornado, QDate(2024, 5, 14));
        QCOMPARE(leida->Tomas.Marcadas(), (QList<int> {14, 27}));
        QCOMPARE(leida->Tomas.Toma(27).Comprimidos, 2);
        QCOMPARE(leida->Tomas.Toma(14).Comentario, QString("NAUSEAS"));
    }

    void laFechaDecideSiLaCargaEstaRetornada_data()
    {
        QTest::addColumn<QDate>("fecha");
        QTest::addColumn<int>("situacion");
        QTest::newRow("a return date: RETORNADO") << QDate(2024, 5, 14) << 3;
        QTest::newRow("no date: back to ENTREGADO") << QDate() << 2;
    }
    void laFechaDecideSiLaCargaEstaRetornada()
    {
        QFETCH(QDate, fecha);
        QFETCH(int, situacion);
        Entorno e;
        e.dm.Ejecutar(QStringLiteral("UPDATE Recarga SET FechaEntrega = ?"),
                      {SqlFecha::valor(QDate(2024, 5, 6))});
        GuardarRetorno(e.dm, e.idRecarga, Marcas("1:1:"), QDate(2024, 5, 10));
        GuardarRetorno(e.dm, e.idRecarga, Marcas("1:1:"), fecha);
        const QList<TFilaCarga> cargas = ConsultarCargas(e.dm);
        QCOMPARE(cargas.size(), 1);
        QCOMPARE(cargas.first().CodEntrega, situacion);
    }

    void otraCargaNoCambia()
    {
        Entorno e;
        const qint64 otra = carga(e.dm, e.idPaciente, 2, e.preparador);
        GuardarRetorno(e.dm, otra, Marcas("3:1:X"), QDate(2024, 5, 14));
        GuardarRetorno(e.dm, e.idRecarga, Marcas(""), QDate(2024, 5, 14));
        QCOMPARE(tomas(e.dm, otra), QStringList {"3|1|X"});
        QCOMPARE(RetornoPrueba::totales(e.dm, otra), QString("2024-05-14|1|1"));
    }

    void elStockNoCambia()
    {
        Entorno e;
        const qint64 medicamento = 700001;
        CargaPrueba::medicamento(e.dm, medicamento, QStringLiteral("ENALAPRIL"));
        CargaPrueba::tratamiento(e.dm, int(e.idPaciente), medicamento, 20);
        CargaPrueba::stock(e.dm, int(e.idPaciente), medicamento, 10);
        const QStringList inventario
                = CargaPrueba::volcado(e.dm, QStringLiteral("Inventario"), QStringLiteral("1"));
        const QStringList tratamiento
                = CargaPrueba::volcado(e.dm, QStringLiteral("SPD"), QStringLiteral("1"));
        GuardarRetorno(e.dm, e.idRecarga, Marcas("1:3:A 2:4:B"), QDate(2024, 5, 14));
        QCOMPARE(CargaPrueba::volcado(e.dm, QStringLiteral("Inventario"), QStringLiteral("1")), inventario);
        QCOMPARE(CargaPrueba::volcado(e.dm, QStringLiteral("SPD"), QStringLiteral("1")), tratamiento);
    }

    void unaCargaInexistenteNoEscribeNada()
    {
        Entorno e;
        QCOMPARE(GuardarRetorno(e.dm, e.idRecarga + 100, Marcas("1:1:A"), QDate(2024, 5, 14)),
                 TResultadoRetorno::CargaInexistente);
        QCOMPARE(filas(e.dm, QStringLiteral("RecargaTomasRetornadas")), 0);
    }

    void unFalloNoDejaNadaAMedias_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("operacion");
        QTest::newRow("the load's totals refused") << "Recarga"
                                                   << "UPDATE";
        QTest::newRow("the old cells not deleted") << "RecargaTomasRetornadas"
                                                   << "DELETE";
        QTest::newRow("a new cell refused") << "RecargaTomasRetornadas"
                                            << "INSERT";
    }
    void unFalloNoDejaNadaAMedias()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, operacion);
        Entorno e;
        GuardarRetorno(e.dm, e.idRecarga, Marcas("1:4:A 2:4:B"), QDate(2024, 5, 13));
        QStringList errores;
        ManejadorErrores::EstablecerPresentador([&](const QString &mensaje) { errores << mensaje; });
        RechazarEscritura(e.dm, tabla, operacion);
        const QStringList tablas {QStringLiteral("Recarga"), QStringLiteral("RecargaTomasRetornadas"),
                                  QStringLiteral("LOPD_Auditoria")};
        QList<QStringList> antes;
        for (const QString &t : tablas)
            antes << CargaPrueba::volcado(e.dm, t, QStringLiteral("1, 2"));

        const TResultadoRetorno resultado
                = GuardarRetorno(e.dm, e.idRecarga, Marcas("2:1:C 3:1:D"), QDate(2024, 5, 14));
        ManejadorErrores::EstablecerPresentador({});
        QCOMPARE(resultado, TResultadoRetorno::Fallo);
        for (qsizetype i = 0; i < tablas.size(); ++i)
            QCOMPARE(CargaPrueba::volcado(e.dm, tablas.at(i), QStringLiteral("1, 2")), antes.at(i));
        QCOMPARE(errores.size(), 1);
        QVERIFY2(errores.first().contains(QStringLiteral("rechazada")), qPrintable(errores.first()));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestGuardarRetorno)
#include "test_guardar_retorno.moc"
