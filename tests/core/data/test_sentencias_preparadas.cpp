#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

#include <functional>

// The connection keeps its prepared statements: a statement run again is not prepared again, two
// readers of one statement each read their own rows, the store stays bounded and releases on the
// server what it drops, and a statement the database refused is never kept.
class TestSentenciasPreparadas : public QObject
{
    Q_OBJECT

private:
    static constexpr int kPacientes = 5;
    inline static const QString kNombrePorId
            = QStringLiteral("SELECT Nombre FROM Paciente WHERE idPaciente = ?");

    static void llenar(TDM &dm)
    {
        for (int i = 1; i <= kPacientes; ++i)
            dm.Anadir(QStringLiteral("Paciente"),
                      {{QStringLiteral("refPaciente"), QString::number(i)},
                       {QStringLiteral("Nombre"), QStringLiteral("Paciente %1").arg(i)}});
    }

    static QString nombre(TDM &dm, int id) { return dm.Valor(kNombrePorId, {id}).toString(); }

    // Statements the PostgreSQL server holds prepared for this session.
    static int preparadasEnServidor(TDM &dm)
    {
        return dm.Valor(QStringLiteral("SELECT count(*) FROM pg_prepared_statements")).toInt();
    }

    using Uso = std::function<void(TDM &)>;

private slots:
    void laConexionGuardaSusSentencias_data()
    {
        QTest::addColumn<Uso>("uso");
        QTest::addColumn<int>("guardadas");

        QTest::newRow("one text run again with other values") << Uso([](TDM &dm) {
            for (int vuelta = 0; vuelta < 20; ++vuelta) {
                const int id = vuelta % kPacientes + 1;
                QCOMPARE(nombre(dm, id), QStringLiteral("Paciente %1").arg(id));
            }
        }) << 1;
        QTest::newRow("two readers of one text at once") << Uso([](TDM &dm) {
            TConsulta fuera = dm.Consulta(
                    QStringLiteral(
                            "SELECT idPaciente FROM Paciente WHERE idPaciente >= ? ORDER BY idPaciente"),
                    {1});
            int leidas = 0;
            while (fuera.next()) {
                ++leidas;
                QCOMPARE(fuera.value(0).toInt(), leidas);
                TConsulta dentro = dm.Consulta(QStringLiteral("SELECT idPaciente FROM Paciente WHERE "
                                                              "idPaciente >= ? ORDER BY idPaciente"),
                                               {kPacientes});
                QVERIFY(dentro.next());
                QCOMPARE(dentro.value(0).toInt(), kPacientes);
            }
            QCOMPARE(leidas, kPacientes);
        }) << 1;
        QTest::newRow("a reader given another statement") << Uso([](TDM &dm) {
            TConsulta filas = dm.Consulta(kNombrePorId, {1});
            filas = dm.Consulta(kNombrePorId, {2});
            QVERIFY(filas.next());
            QCOMPARE(filas.value(0).toString(), QStringLiteral("Paciente 2"));
        }) << 1;
        QTest::newRow("more texts than the store holds") << Uso([](TDM &dm) {
            for (int i = 0; i < TSentenciasPreparadas::kMaximo + 20; ++i)
                QCOMPARE(dm.Valor(QStringLiteral("SELECT ? + %1").arg(i), {1}).toInt(), i + 1);
        }) << TSentenciasPreparadas::kMaximo;
        QTest::newRow("a refused statement is not kept") << Uso([](TDM &dm) {
            const QString duplicado
                    = QStringLiteral("INSERT INTO Paciente (idPaciente, Nombre) VALUES (?, ?)");
            QVERIFY_THROWS_EXCEPTION(AppError, dm.Ejecutar(duplicado, {1, QStringLiteral("Otro")}));
            QCOMPARE(dm.SentenciasGuardadas(), 0);
            dm.Ejecutar(duplicado, {kPacientes + 1, QStringLiteral("Nuevo")});
            QCOMPARE(nombre(dm, kPacientes + 1), QStringLiteral("Nuevo"));
        }) << 2;
    }

    void laConexionGuardaSusSentencias()
    {
        QFETCH(Uso, uso);
        QFETCH(int, guardadas);
        TestDatabase db;
        {
            TDM dm(db.directory());
            llenar(dm);
        }
        // A connection opened again starts with no statements kept.
        TDM dm(db.directory());
        QCOMPARE(dm.SentenciasGuardadas(), 0);

        uso(dm);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(dm.SentenciasGuardadas(), guardadas);
        if (dm.motor() == SqlEngine::PostgreSQL)
            QCOMPARE(preparadasEnServidor(dm), guardadas);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestSentenciasPreparadas)
#include "test_sentencias_preparadas.moc"
