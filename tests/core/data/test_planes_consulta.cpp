#include "core/audit/ConsultaAuditoria.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/ConsultaCargas.h"
#include "core/loading/FechasCarga.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "core/stock/Trazabilidad.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QTest>

// The queries of the screens that look into the tables that grow with every day of use must be
// answered through an index: their plans, read from a database with years of rows, show no full
// scan of those tables.
class TestPlanesConsulta : public QObject
{
    Q_OBJECT

private:
    static constexpr int kFilas = 3000;
    static constexpr int kPacientes = 100;
    static constexpr int kMedicamentos = 500;
    static constexpr qint64 kPrimerMedicamento = 1000;
    static constexpr qint64 kPrimerProducto = 5000;
    inline static const QDate kPrimerDia {2016, 1, 4};
    inline static const QStringList kTablasQueCrecen {
            QStringLiteral("Recarga"),    QStringLiteral("RecargaLinea"),   QStringLiteral("SPDHIST"),
            QStringLiteral("Inventario"), QStringLiteral("LOPD_Auditoria"),
    };

    static QVariantList serie(int filas, const std::function<QVariant(int)> &valor)
    {
        QVariantList valores;
        for (int i = 0; i < filas; ++i)
            valores << valor(i);
        return valores;
    }

    static void insertar(TDM &dm, const QString &sql, const QList<QVariantList> &columnas)
    {
        QSqlQuery query(dm.database());
        QVERIFY(query.prepare(sql));
        for (const QVariantList &columna : columnas)
            query.addBindValue(columna);
        QVERIFY2(query.execBatch(), qPrintable(query.lastError().text()));
    }

    // Patients with ten years of weekly loads, their load lines, stock rows and treatment
    // versions, then the statistics the planner chooses by.
    static void llenar(TDM &dm)
    {
        const auto medicamento = [](int i) { return QVariant(kPrimerMedicamento + i % kMedicamentos); };
        const auto producto = [](int i) { return QVariant(kPrimerProducto + i % kMedicamentos); };
        const auto paciente = [](int i) { return QVariant(1 + i % kPacientes); };
        dm.EnTransaccion([&] {
            insertar(dm, QStringLiteral("INSERT INTO Paciente (refPaciente, Nombre) VALUES (?, ?)"),
                     {serie(kPacientes, [](int i) { return QVariant(QString::number(i)); }),
                      serie(kPacientes,
                            [](int i) { return QVariant(QStringLiteral("Paciente %1").arg(i)); })});
            insertar(dm,
                     QStringLiteral(
                             "INSERT INTO Recarga (idPaciente, refRecarga, FechaInicio, FechaRealizado) "
                             "VALUES (?, ?, ?, ?)"),
                     {serie(kFilas, paciente),
                      serie(kFilas, [](int i) { return QVariant(1 + i / kPacientes); }),
                      serie(kFilas, [](int i) { return SqlFecha::valor(kPrimerDia.addDays(i)); }),
                      serie(kFilas, [](int i) { return SqlFecha::valor(kPrimerDia.addDays(i)); })});
            insertar(dm,
                     QStringLiteral("INSERT INTO RecargaLinea (idRecarga, idMedicamento, idMedicamentoR) "
                                    "VALUES (?, ?, ?)"),
                     {serie(kFilas, [](int i) { return QVariant(1 + i); }), serie(kFilas, medicamento),
                      serie(kFilas, producto)});
            insertar(dm,
                     QStringLiteral("INSERT INTO Inventario (idPaciente, idMedicamento, IdMedicamentoReal) "
                                    "VALUES (?, ?, ?)"),
                     {serie(kFilas, paciente), serie(kFilas, medicamento), serie(kFilas, producto)});
            insertar(dm,
                     QStringLiteral(
                             "INSERT INTO SPDHIST (IdVersion, IDPaciente, IDMedicamento) VALUES (?, ?, ?)"),
                     {serie(kFilas, [](int i) { return QVariant(1 + i / kPacientes); }),
                      serie(kFilas, paciente), serie(kFilas, medicamento)});
            insertar(dm,
                     QStringLiteral(
                             "INSERT INTO LOPD_Auditoria (FAudit, Username, Accion, Operacion, refPaciente) "
                             "VALUES (?, ?, ?, ?, ?)"),
                     {serie(kFilas,
                            [](int i) {
                                return SqlFecha::valor(QDateTime(kPrimerDia.addDays(i), QTime(9, 30)));
                            }),
                      serie(kFilas, [](int i) { return QVariant(QStringLiteral("usuario%1").arg(i % 7)); }),
                      serie(kFilas, [](int i) { return QVariant(QStringLiteral("ACCION %1").arg(i % 40)); }),
                      serie(kFilas, [](int) { return QVariant(QStringLiteral("CONSULTA")); }),
                      serie(kFilas, paciente)});
        });
        dm.Ejecutar(QStringLiteral("ANALYZE"));
    }

    // The statement with its values written in as the engine's literals: PostgreSQL does not
    // prepare an EXPLAIN.
    static QString conValores(const QSqlDatabase &database, QString sql, const QVariantList &valores)
    {
        qsizetype desde = 0;
        for (const QVariant &valor : valores) {
            QSqlField campo(QString(), valor.metaType());
            campo.setValue(valor);
            const QString literal = database.driver()->formatValue(campo);
            desde = sql.indexOf(QLatin1Char('?'), desde);
            sql.replace(desde, 1, literal);
            desde += literal.size();
        }
        return sql;
    }

    static QStringList plan(TDM &dm, const QString &sql)
    {
        const bool sqlite = dm.motor() == SqlEngine::SQLite;
        QSqlQuery query(dm.database());
        if (!query.exec((sqlite ? QStringLiteral("EXPLAIN QUERY PLAN ") : QStringLiteral("EXPLAIN ")) + sql))
            qFatal("%s", qPrintable(query.lastError().text()));
        QStringList lineas;
        while (query.next())
            lineas << query.value(sqlite ? 3 : 0).toString();
        return lineas;
    }

    // The names a growing table goes by in the statement: its own and its alias, if any.
    static QStringList nombres(const QString &tabla, const QString &sql)
    {
        static const QStringList reservadas {QStringLiteral("WHERE"), QStringLiteral("JOIN"),
                                             QStringLiteral("LEFT"),  QStringLiteral("INNER"),
                                             QStringLiteral("ON"),    QStringLiteral("ORDER"),
                                             QStringLiteral("GROUP"), QStringLiteral("LIMIT")};
        QStringList encontrados {tabla};
        const QRegularExpression alias(QStringLiteral("\\b%1\\s+(?:AS\\s+)?(\\w+)").arg(tabla),
                                       QRegularExpression::CaseInsensitiveOption);
        for (const QRegularExpressionMatch &m : alias.globalMatch(sql)) {
            if (!reservadas.contains(m.captured(1), Qt::CaseInsensitive))
                encontrados << m.captured(1);
        }
        return encontrados;
    }

    // The growing table a plan line reads whole: SQLite "SCAN <name>" with no index,
    // PostgreSQL "Seq Scan on <table>"; empty when the line reads none.
    static QString tablaLeidaEntera(const QString &linea, SqlEngine motor, const QString &sql)
    {
        static const QRegularExpression scanSqlite(QStringLiteral("^SCAN (\\w+)"));
        static const QRegularExpression seqScan(QStringLiteral("Seq Scan on (\\w+)"));
        const QRegularExpressionMatch m = (motor == SqlEngine::SQLite ? scanSqlite : seqScan).match(linea);
        if (!m.hasMatch() || linea.contains(QStringLiteral("USING INDEX"))
            || linea.contains(QStringLiteral("USING COVERING INDEX")))
            return {};
        for (const QString &tabla : kTablasQueCrecen) {
            if (nombres(tabla, sql).contains(m.captured(1), Qt::CaseInsensitive))
                return tabla;
        }
        return {};
    }

private slots:
    void ningunaConsultaLeeEnteraUnaTablaQueCrece_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("valores");

        const qint64 medicamento = kPrimerMedicamento + 7;
        QTest::newRow("medicamento en uso")
                << TCatalogoMedicamentos::SentenciaEnUso() << QVariantList(7, QVariant(medicamento));
        TFiltroCargas filtro;
        filtro.FechaInicio = FiltroFechaInicio::Dia(kPrimerDia.addDays(400));
        const TSentenciaCargas cargas = SentenciaCargas(filtro);
        QTest::newRow("cargas de un dia de inicio") << cargas.sql << cargas.valores;
        TFiltroCargas ventana;
        ventana.Desde = kPrimerDia.addDays(2000);
        ventana.Hasta = kPrimerDia.addDays(2030);
        const TSentenciaCargas mes = SentenciaCargas(ventana, {}, 0, 200);
        QTest::newRow("primera pagina de cargas de un mes") << mes.sql << mes.valores;
        QTest::newRow("ultimo numero de carga del paciente")
                << SentenciaUltimoNumeroCarga() << QVariantList {QVariant(qint64(42))};
        const TSentenciaAuditoria auditoria
                = SentenciaAuditoria(FiltroAuditoriaDelMes(kPrimerDia.addDays(1500)), 0, 200);
        QTest::newRow("registro de accesos, primera pagina del mes") << auditoria.sql << auditoria.valores;
        QTest::newRow("acciones del registro de accesos") << SentenciaAccionesAuditoria() << QVariantList {};
        const TSentenciaTrazabilidad traza = SentenciaTrazabilidad(kPrimerProducto + 7);
        QTest::newRow("trazabilidad de un medicamento") << traza.sql << traza.valores;
        const TSentenciaTrazabilidad lote = SentenciaTrazabilidad(kPrimerProducto + 7, QStringLiteral("L7"));
        QTest::newRow("trazabilidad de un lote") << lote.sql << lote.valores;
    }

    void ningunaConsultaLeeEnteraUnaTablaQueCrece()
    {
        QFETCH(QString, sql);
        QFETCH(QVariantList, valores);
        QCOMPARE(sql.count(QLatin1Char('?')), valores.size());
        TestDatabase db;
        TDM dm(db.directory());
        llenar(dm);

        const QStringList lineas = plan(dm, conValores(dm.database(), sql, valores));
        for (const QString &linea : lineas) {
            const QString tabla = tablaLeidaEntera(linea, dm.motor(), sql);
            QVERIFY2(
                    tabla.isEmpty(),
                    qPrintable(
                            QStringLiteral("%1 read whole:\n%2").arg(tabla, lineas.join(QLatin1Char('\n')))));
        }
    }
};

PASTILLERO_DATA_TEST_MAIN(TestPlanesConsulta)
#include "test_planes_consulta.moc"
