#include "CargaPrueba.h"
#include "core/loading/ConsultaCargas.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace CargaPrueba;

namespace {

int usuario(TDM &dm, const QString &username)
{
    return int(dm.Anadir(QStringLiteral("Usuario"),
                         {{QStringLiteral("Nombre"), username + QStringLiteral(" NOMBRE")},
                          {QStringLiteral("username"), username},
                          {QStringLiteral("idPerfil"), 1}}));
}

struct Carga
{
    int idPaciente = 0;
    int idUsuario = 0;
    QDate inicio;
    QDateTime realizado;
    QVariant validador;
    QDateTime entrega;
    QDateTime retornado;
};

qint64 carga(TDM &dm, const Carga &c)
{
    static int ref = 0;
    return dm.Anadir(QStringLiteral("Recarga"),
                     {{QStringLiteral("refRecarga"), ++ref},
                      {QStringLiteral("idPaciente"), c.idPaciente},
                      {QStringLiteral("idUsuario"), c.idUsuario},
                      {QStringLiteral("FechaRealizado"), SqlFecha::valor(c.realizado)},
                      {QStringLiteral("FechaInicio"), SqlFecha::valor(c.inicio)},
                      {QStringLiteral("FechaFin"), SqlFecha::valor(c.inicio.addDays(6))},
                      {QStringLiteral("IdValidador"), c.validador},
                      {QStringLiteral("FechaEntrega"), SqlFecha::valor(c.entrega)},
                      {QStringLiteral("FechaRetornado"), SqlFecha::valor(c.retornado)}});
}

const QDate kLunes(2024, 5, 6);
const QDateTime kMediodia(QDate(2024, 5, 3), QTime(12, 30));

QList<qint64> ids(const QList<TFilaCarga> &filas)
{
    QList<qint64> resultado;
    for (const TFilaCarga &fila : filas)
        resultado << fila.idRecarga;
    return resultado;
}

} // namespace

class TestConsultaCargas : public QObject
{
    Q_OBJECT

private slots:
    void filaConSusValoresMostrados()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int ana = paciente(dm);
        const int preparador = usuario(dm, QStringLiteral("pepa"));
        const int validador = usuario(dm, QStringLiteral("luis"));
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET CodCategoria = 4 WHERE idPaciente = ?"), {ana});
        const qint64 id = carga(dm, {ana, preparador, kLunes, kMediodia, validador, {}, {}});

        const QList<TFilaCarga> filas = ConsultarCargas(dm);
        QCOMPARE(filas.size(), 1);
        const TFilaCarga &fila = filas.first();
        QCOMPARE(fila.idRecarga, id);
        QCOMPARE(fila.idPaciente, ana);
        QCOMPARE(fila.RefPaciente, QStringLiteral("REF-ANA"));
        QCOMPARE(fila.Nombre, QStringLiteral("ANA PEREZ"));
        QCOMPARE(fila.CodCategoria.toInt(), 4);
        QCOMPARE(fila.FechaRealizado, kMediodia);
        QCOMPARE(fila.FechaInicio, kLunes);
        QCOMPARE(fila.FechaFin, kLunes.addDays(6));
        QCOMPARE(fila.Preparador, QStringLiteral("pepa"));
        QCOMPARE(fila.Validador, QStringLiteral("luis"));
        QCOMPARE(fila.SitEntrega, QStringLiteral("PREPARADO"));
        QCOMPARE(fila.CodEntrega, 1);
    }

    void situacionDeEntrega_data()
    {
        QTest::addColumn<QDateTime>("entrega");
        QTest::addColumn<QDateTime>("retornado");
        QTest::addColumn<QString>("situacion");
        QTest::addColumn<int>("codigo");
        const QDateTime dia(QDate(2024, 5, 13), QTime(9, 0));
        QTest::newRow("prepared") << QDateTime() << QDateTime() << QStringLiteral("PREPARADO") << 1;
        QTest::newRow("delivered") << dia << QDateTime() << QStringLiteral("ENTREGADO") << 2;
        QTest::newRow("returned") << dia << dia.addDays(7) << QStringLiteral("RETORNADO") << 3;
        QTest::newRow("returned never delivered")
                << QDateTime() << dia.addDays(7) << QStringLiteral("RETORNADO") << 3;
    }
    void situacionDeEntrega()
    {
        QFETCH(QDateTime, entrega);
        QFETCH(QDateTime, retornado);
        QFETCH(QString, situacion);
        QFETCH(int, codigo);
        TestDatabase db;
        TDM dm(db.directory());
        carga(dm,
              {paciente(dm), usuario(dm, QStringLiteral("pepa")), kLunes, kMediodia, {}, entrega, retornado});
        const TFilaCarga fila = ConsultarCargas(dm).value(0);
        QCOMPARE(fila.SitEntrega, situacion);
        QCOMPARE(fila.CodEntrega, codigo);
        QCOMPARE(fila.Validador, QString());
    }

    // A load whose preparer is no longer a user stays listed, with no preparer, so that it can
    // still be validated, delivered or deleted.
    void ordenadasPorIdentificadorSinPacientePerdido()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int ana = paciente(dm);
        const int pepa = usuario(dm, QStringLiteral("pepa"));
        const qint64 primera = carga(dm, {ana, pepa, kLunes, kMediodia, {}, {}, {}});
        const qint64 sinPreparador = carga(dm, {ana, 9999, kLunes, kMediodia, {}, {}, {}});
        carga(dm, {8888, pepa, kLunes, kMediodia, {}, {}, {}}); // patient gone
        const qint64 ultima = carga(dm, {ana, pepa, kLunes.addDays(7), kMediodia, {}, {}, {}});
        const QList<TFilaCarga> filas = ConsultarCargas(dm);
        QCOMPARE(ids(filas), (QList<qint64> {primera, sinPreparador, ultima}));
        QCOMPARE(filas.at(1).Preparador, QString());
    }

    void filtroFechaInicioExacta()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int ana = paciente(dm);
        const int pepa = usuario(dm, QStringLiteral("pepa"));
        const qint64 esta = carga(dm, {ana, pepa, kLunes, kMediodia, {}, {}, {}});
        const qint64 siguiente = carga(dm, {ana, pepa, kLunes.addDays(1), kMediodia, {}, {}, {}});
        const qint64 anterior = carga(dm, {ana, pepa, kLunes.addDays(-7), kMediodia, {}, {}, {}});

        QCOMPARE(ids(ConsultarCargas(dm, FiltroFechaInicio::Dia(kLunes))), QList<qint64> {esta});
        QVERIFY(ConsultarCargas(dm, FiltroFechaInicio::Dia(kLunes.addDays(2))).isEmpty());
        QCOMPARE(ids(ConsultarCargas(dm, FiltroFechaInicio::Ninguno())),
                 (QList<qint64> {esta, siguiente, anterior}));
        // Switched off, the date it holds does not matter.
        FiltroFechaInicio apagado = FiltroFechaInicio::Dia(kLunes);
        apagado.Activo = false;
        QCOMPARE(ConsultarCargas(dm, apagado).size(), 3);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestConsultaCargas)
#include "test_consulta_cargas.moc"
