// Several workstations (processes, each with its own data module and connection) acting on one
// patient at the same instant, or a few milliseconds apart: storing loads, deleting one, entering,
// correcting and recounting stock. After every round the database must hold what one operation
// after the other would have left: one number per load, each stock row what the loads took from
// it, each treatment line's stock figure the sum of its stock, and no operation failed.
// PASTILLERO_RONDAS_CONCURRENCIA sets the rounds per scenario.
#include "CargaPrueba.h"
#include "core/loading/GuardarCarga.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

#include <memory>
#include <numeric>

using namespace CargaPrueba;

namespace {

constexpr qint64 kMedicamento = 8470001234567;
constexpr double kStockInicial = 100000;
const QDate kLunes(2024, 5, 6);

using TCantidades = QMap<qint64, qint64>; // hundredths by stock row

int Rondas()
{
    bool numero = false;
    const int rondas = qEnvironmentVariableIntValue("PASTILLERO_RONDAS_CONCURRENCIA", &numero);
    return numero && rondas > 0 ? rondas : 15;
}

// One workstation process.
class Puesto
{
public:
    Puesto(const TestDatabase &db, qint64 paciente, int linea)
    {
        m_proceso.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_proceso.start(QStringLiteral(PUESTO_CARGA_CONCURRENTE),
                        {db.directory().path(), QString::number(paciente), QString::number(linea),
                         QString::number(kMedicamento)});
        m_proceso.waitForStarted(-1);
    }
    ~Puesto()
    {
        m_proceso.closeWriteChannel();
        m_proceso.waitForFinished(10000);
    }

    QString Leer()
    {
        while (!m_proceso.canReadLine() && m_proceso.state() == QProcess::Running)
            m_proceso.waitForReadyRead(30000);
        return QString::fromUtf8(m_proceso.readLine()).trimmed();
    }
    void Enviar(const QString &orden)
    {
        m_proceso.write(orden.toUtf8() + '\n');
        m_proceso.waitForBytesWritten(-1); // now, not when the other one has finished
    }

private:
    QProcess m_proceso;
};

} // namespace

class TestCargaConcurrente : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<TDM> m_dm;
    int m_paciente = 0;
    int m_linea = 0;

    TCantidades Filas()
    {
        TCantidades filas;
        TConsulta query = m_dm->Consulta(
                QStringLiteral("SELECT idInventario, CantidadRestante FROM Inventario WHERE idPaciente = ?"),
                {m_paciente});
        while (query.next())
            filas.insert(query.value(0).toLongLong(), EnCentesimas(query.value(1).toDouble()));
        return filas;
    }

    // The stock each stored load took, by load and stock row.
    QMap<qint64, TCantidades> Cargas()
    {
        QMap<qint64, TCantidades> cargas;
        TConsulta query
                = m_dm->Consulta(QStringLiteral("SELECT R.idRecarga, L.idInventario, L.Cantidad "
                                                "FROM Recarga R LEFT JOIN RecargaLinea L "
                                                "ON L.idRecarga = R.idRecarga WHERE R.idPaciente = ?"),
                                 {m_paciente});
        while (query.next()) {
            TCantidades &lineas = cargas[query.value(0).toLongLong()];
            if (!query.value(1).isNull())
                lineas[query.value(1).toLongLong()] += EnCentesimas(query.value(2).toDouble());
        }
        return cargas;
    }

    qint64 Valor(const QString &sql) { return m_dm->Valor(sql, {m_paciente}).toLongLong(); }

    // What the round changed that one operation after the other would not have: empty when nothing.
    QStringList Anomalias(const TCantidades &antes, const QMap<qint64, TCantidades> &cargasAntes,
                          const QStringList &ordenes, const QStringList &respuestas)
    {
        QStringList anomalias;
        for (const QString &respuesta : respuestas) {
            if (!respuesta.startsWith(QLatin1String("ok")))
                anomalias << QStringLiteral("failed: ") + respuesta;
        }
        const QMap<qint64, TCantidades> cargas = Cargas();
        TCantidades esperadas = antes;
        int nuevas = 0;
        for (auto it = cargas.cbegin(); it != cargas.cend(); ++it) {
            if (cargasAntes.contains(it.key()))
                continue;
            ++nuevas;
            for (auto linea = it->cbegin(); linea != it->cend(); ++linea)
                esperadas[linea.key()] -= linea.value();
        }
        for (auto it = cargasAntes.cbegin(); it != cargasAntes.cend(); ++it) {
            if (cargas.contains(it.key()))
                continue;
            for (auto linea = it->cbegin(); linea != it->cend(); ++linea)
                esperadas[linea.key()] += linea.value();
        }
        if (nuevas != ordenes.count(QStringLiteral("guardar")))
            anomalias << QStringLiteral("%1 loads stored").arg(nuevas);
        for (int i = 0; i < ordenes.size(); ++i) {
            const QStringList orden = ordenes.at(i).split(QLatin1Char(' '));
            const QStringList respuesta = respuestas.at(i).split(QLatin1Char(' '));
            if (orden.first() == QLatin1String("alta"))
                esperadas[respuesta.value(1).toLongLong()] = EnCentesimas(orden.value(1).toDouble());
            // A correction that was stored came before the load: the load took from its value.
            if (orden.first() == QLatin1String("corregir") && respuesta.value(1) == QLatin1String("0"))
                esperadas[orden.value(1).toLongLong()]
                        += EnCentesimas(orden.value(3).toDouble()) - EnCentesimas(orden.value(2).toDouble());
            // A correction is refused only when a load took from the row meanwhile.
            if (orden.first() == QLatin1String("corregir") && respuesta.value(1) != QLatin1String("0")
                && nuevas == 0)
                anomalias << QStringLiteral("a correction refused although nothing changed");
        }
        if (Filas() != esperadas)
            anomalias << QStringLiteral("stock rows differ from what the loads took");
        const qint64 suma = std::accumulate(esperadas.cbegin(), esperadas.cend(), qint64(0));
        const qint64 linea = EnCentesimas(
                m_dm->Valor(QStringLiteral("SELECT Cantidad FROM SPD WHERE id = ?"), {m_linea}).toDouble());
        if (linea != suma)
            anomalias << QStringLiteral("treatment line holds %1, its stock %2").arg(linea).arg(suma);
        if (Valor(QStringLiteral(
                    "SELECT COUNT(*) - COUNT(DISTINCT refRecarga) FROM Recarga WHERE idPaciente = ?"))
            != 0)
            anomalias << QStringLiteral("two loads share a number");
        return anomalias;
    }

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>();
        m_dm = std::make_unique<TDM>(m_db->directory());
        m_paciente = paciente(*m_dm);
        medicamento(*m_dm, kMedicamento, QStringLiteral("ENALAPRIL"));
        m_linea = tratamiento(*m_dm, m_paciente, kMedicamento, kStockInicial);
        stock(*m_dm, m_paciente, kMedicamento, kStockInicial, QStringLiteral("L1"), QDate(2035, 1, 31));
    }
    void cleanup()
    {
        m_dm.reset();
        m_db.reset();
    }

    void unoDespuesDeOtro_data()
    {
        QTest::addColumn<QStringList>("ordenes");
        QTest::newRow("two loads") << QStringList {"guardar", "guardar"};
        QTest::newRow("four loads") << QStringList {"guardar", "guardar", "guardar", "guardar"};
        QTest::newRow("a load and a new stock row") << QStringList {"guardar", "alta 10"};
        QTest::newRow("a load and a correction") << QStringList {"guardar", "corregir"};
        QTest::newRow("a load and a delete") << QStringList {"guardar", "borrar"};
        QTest::newRow("a load and a recount") << QStringList {"guardar", "recalcular"};
    }
    void unoDespuesDeOtro()
    {
        QFETCH(QStringList, ordenes);
        std::vector<std::unique_ptr<Puesto>> puestos;
        for (qsizetype i = 0; i < ordenes.size(); ++i)
            puestos.push_back(std::make_unique<Puesto>(*m_db, m_paciente, m_linea));
        for (const auto &puesto : puestos)
            QCOMPARE(puesto->Leer(), QStringLiteral("ready"));

        const int rondas = Rondas();
        int fallidas = 0;
        for (int ronda = 0; ronda < rondas; ++ronda) {
            // What the round's operations act on, as the user's screens would have shown it.
            QStringList concretas = ordenes;
            for (QString &orden : concretas) {
                if (orden == QLatin1String("borrar")) {
                    TRecarga carga;
                    carga.Add(porcion(m_linea, kMedicamento, 1.0, 7));
                    orden += QStringLiteral(" %1").arg(GuardarCarga(carga, kLunes, kLunes.addDays(6)));
                } else if (orden == QLatin1String("corregir")) {
                    const TCantidades filas = Filas();
                    orden += QStringLiteral(" %1 %2 %3")
                                     .arg(filas.firstKey())
                                     .arg(filas.first() / 100.0)
                                     .arg(filas.first() / 100.0 + 3);
                }
            }
            const TCantidades antes = Filas();
            const QMap<qint64, TCantidades> cargasAntes = Cargas();
            // Half the rounds at the same instant, half with a random offset of 0 to 8 ms.
            for (size_t i = 0; i < puestos.size(); ++i) {
                const int pausa = ronda % 2 ? int(QRandomGenerator::global()->bounded(9)) : 0;
                puestos[i]->Enviar(QStringLiteral("%1 %2").arg(pausa).arg(concretas.at(qsizetype(i))));
            }
            QStringList respuestas;
            for (const auto &puesto : puestos)
                respuestas << puesto->Leer();
            const QStringList anomalias = Anomalias(antes, cargasAntes, concretas, respuestas);
            if (!anomalias.isEmpty()) {
                ++fallidas;
                qWarning("round %d: %s", ronda, qPrintable(anomalias.join(QStringLiteral("; "))));
            }
        }
        qInfo("%d rounds, %d with anomalies", rondas, fallidas);
        QCOMPARE(fallidas, 0);
    }

    // A write lock held longer than a statement waits for it: the load is stored once it is released.
    void unBloqueoLargoSeEsperaYLaCargaSeGuarda()
    {
        Puesto puesto(*m_db, m_paciente, m_linea);
        QCOMPARE(puesto.Leer(), QStringLiteral("ready"));
        puesto.Enviar(QStringLiteral("espera 300"));
        QCOMPARE(puesto.Leer(), QStringLiteral("ok 0"));

        QSqlQuery bloqueo(m_dm->database());
        if (m_dm->motor() == SqlEngine::SQLite) {
            QVERIFY(bloqueo.exec(QStringLiteral("BEGIN IMMEDIATE")));
        } else {
            QVERIFY(bloqueo.exec(QStringLiteral("BEGIN")));
            QVERIFY(bloqueo.exec(
                    QStringLiteral("SELECT idPaciente FROM Paciente WHERE idPaciente = %1 FOR UPDATE")
                            .arg(m_paciente)));
        }
        puesto.Enviar(QStringLiteral("guardar"));
        QThread::msleep(900); // three times what the workstation waits for the lock
        QVERIFY(bloqueo.exec(QStringLiteral("COMMIT")));

        QVERIFY(puesto.Leer().startsWith(QLatin1String("ok")));
        QCOMPARE(Valor(QStringLiteral("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?")), qint64(1));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestCargaConcurrente)
#include "test_carga_concurrente.moc"
