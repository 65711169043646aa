// Two workstations (processes, each with its own data module and connection) validating one load
// at the same instant, both having opened it before either validated: one validates it, the other
// is told it was validated already, and one audit row is written. Round after round, on SQLite
// and PostgreSQL. PASTILLERO_RONDAS_CONCURRENCIA sets the rounds.
#include "core/loading/ValidacionCarga.h"
#include "support/CargasListadas.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace CargasListadas;

namespace {

int Rondas()
{
    bool numero = false;
    const int rondas = qEnvironmentVariableIntValue("PASTILLERO_RONDAS_CONCURRENCIA", &numero);
    return numero && rondas > 0 ? rondas : 15;
}

class Puesto
{
public:
    Puesto(const TestDatabase &db, int usuario)
    {
        m_proceso.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_proceso.start(QStringLiteral(PUESTO_VALIDACION), {db.directory().path(), QString::number(usuario)});
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
        m_proceso.waitForBytesWritten(-1);
    }

private:
    QProcess m_proceso;
};

const QString kValidada = QStringLiteral("ok %1").arg(int(TValidacionCarga::TResultado::Validada));
const QString kYaValidada = QStringLiteral("ok %1").arg(int(TValidacionCarga::TResultado::YaValidada));

} // namespace

class TestValidacionConcurrente : public QObject
{
    Q_OBJECT

private slots:
    void unaValidacionPorCarga()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int ana = Paciente(dm, QStringLiteral("REF-ANA"), QStringLiteral("ANA PEREZ"), 4);
        const int luis = Usuario(dm, QStringLiteral("luis"));
        const int rosa = Usuario(dm, QStringLiteral("rosa"));
        Puesto uno(db, luis);
        Puesto otro(db, rosa);
        QCOMPARE(uno.Leer(), QStringLiteral("ready"));
        QCOMPARE(otro.Leer(), QStringLiteral("ready"));

        for (int ronda = 1; ronda <= Rondas(); ++ronda) {
            const qint64 carga
                    = Carga(dm, luis, {ana, ronda, QDateTime(QDate(2024, 3, 1).addDays(ronda), QTime(9, 0))});
            const QString abrir = QStringLiteral("abrir %1").arg(carga);
            uno.Enviar(abrir);
            otro.Enviar(abrir);
            QCOMPARE(uno.Leer(), QStringLiteral("ok 1"));
            QCOMPARE(otro.Leer(), QStringLiteral("ok 1"));

            uno.Enviar(QStringLiteral("validar"));
            otro.Enviar(QStringLiteral("validar"));
            const QStringList respuestas {uno.Leer(), otro.Leer()};
            QVERIFY2(respuestas.count(kValidada) == 1 && respuestas.count(kYaValidada) == 1,
                     qPrintable(QStringLiteral("round %1: %2")
                                        .arg(ronda)
                                        .arg(respuestas.join(QStringLiteral(", ")))));
            const int ganador = respuestas.first() == kValidada ? luis : rosa;
            QCOMPARE(dm.Valor(QStringLiteral("SELECT IdValidador FROM Recarga WHERE idRecarga = ?"), {carga})
                             .toInt(),
                     ganador);
        }
        QCOMPARE(dm.Valor(QStringLiteral(
                                  "SELECT COUNT(*) FROM LOPD_Auditoria WHERE Accion = 'VALIDACION CARGA'"))
                         .toInt(),
                 Rondas());
    }
};

PASTILLERO_DATA_TEST_MAIN(TestValidacionConcurrente)
#include "test_validacion_concurrente.moc"
