#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/medication/TPeticionMedicamento.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

// The acceptance rules of "INTRODUCIR MEDICAMENTO", on every engine.
class TestPeticionMedicamento : public QObject
{
    Q_OBJECT

    static constexpr qint64 kProducto = 654321;
    static constexpr qint64 kPrincipio = 700001;

    static void catalogue(TDM &dm)
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), kProducto},
                   {QStringLiteral("Medicamento"), QStringLiteral("OMEPRAZOL CINFA")},
                   {QStringLiteral("Descripcion"), QStringLiteral("20MG")}});
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), kPrincipio},
                   {QStringLiteral("Medicamento"), QStringLiteral("OMEPRAZOL")},
                   {QStringLiteral("Descripcion"), QStringLiteral("20MG")},
                   {QStringLiteral("IPrinActiv"), 1}});
    }

private slots:
    void init() { Clock::fix(QDateTime(QDate(2026, 3, 10), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    void rules_data()
    {
        QTest::addColumn<QString>("producto");
        QTest::addColumn<QString>("principio");
        QTest::addColumn<QString>("lote");
        QTest::addColumn<QString>("caducidad");
        QTest::addColumn<qint64>("esperado");
        QTest::addColumn<bool>("obligatorios"); // stock controlled and IdatMedOB 1
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("campo");
        QTest::addColumn<qint64>("idMedicamento");
        QTest::addColumn<qint64>("real");
        QTest::addColumn<QString>("loteGuardado");
        QTest::addColumn<QDate>("fecha");

        const QString lote = QStringLiteral("L1");
        const QString fecha = QStringLiteral("05/2027");
        const QDate mayo(2027, 5, 1);
        const int producto = int(TCampoPeticion::Producto);
        const int principio = int(TCampoPeticion::Principio);
        const int campoLote = int(TCampoPeticion::Lote);
        const int campoFecha = int(TCampoPeticion::Caducidad);
        const QString inexistente = QStringLiteral("MEDICAMENTO INEXITENTE");
        const QString sinCodigo = QStringLiteral("Obligatorio introducir CODIGO medicamento");
        const QString sinLote = QStringLiteral("Obligatorio introducir LOTE medicamento");
        const QString sinFecha = QStringLiteral("Obligatorio introducir CADUCIDAD medicamento");
        const qint64 p = kProducto;
        const qint64 a = kPrincipio;

        QTest::newRow("product") << "654321"
                                 << "" << lote << fecha << 0LL << true << "" << producto << p << p << lote
                                 << mayo;
        QTest::newRow("ingredient with its product")
                << "654321"
                << "700001" << lote << fecha << 0LL << true << "" << producto << a << p << lote << mayo;
        QTest::newRow("ingredient alone needs no lot")
                << ""
                << "700001"
                << ""
                << "" << 0LL << true << "" << producto << a << a << "*****" << QDate(2500, 12, 31);
        QTest::newRow("not required: defaults")
                << "654321"
                << ""
                << ""
                << "" << 0LL << false << "" << producto << p << p << "*****" << QDate(2500, 12, 31);
        QTest::newRow("not required keeps what was typed")
                << "654321"
                << "" << lote << fecha << 0LL << false << "" << producto << p << p << lote << mayo;
        QTest::newRow("no code") << ""
                                 << "" << lote << fecha << 0LL << true << sinCodigo << producto << 0LL << 0LL
                                 << "" << QDate();
        QTest::newRow("unknown product") << "999"
                                         << "" << lote << fecha << 0LL << true << inexistente << producto
                                         << 0LL << 0LL << "" << QDate();
        QTest::newRow("ingredient typed as product") << "700001"
                                                     << "" << lote << fecha << 0LL << true << inexistente
                                                     << producto << 0LL << 0LL << "" << QDate();
        QTest::newRow("product typed as ingredient")
                << ""
                << "654321" << lote << fecha << 0LL << true << inexistente << principio << 0LL << 0LL << ""
                << QDate();
        QTest::newRow("code with letters") << "65A321"
                                           << "" << lote << fecha << 0LL << true << inexistente << producto
                                           << 0LL << 0LL << "" << QDate();
        QTest::newRow("expected product")
                << "654321"
                << "" << lote << fecha << p << true << "" << producto << p << p << lote << mayo;
        QTest::newRow("other than expected")
                << "654321"
                << "" << lote << fecha << a << true << "No es el medicamento esperado: 700001" << principio
                << 0LL << 0LL << "" << QDate();
        QTest::newRow("expected ingredient")
                << "654321"
                << "700001" << lote << fecha << a << true << "" << producto << a << p << lote << mayo;
        QTest::newRow("no lot") << "654321"
                                << ""
                                << "  " << fecha << 0LL << true << sinLote << campoLote << 0LL << 0LL << ""
                                << QDate();
        QTest::newRow("lot of 50") << "654321"
                                   << "" << QString(50, QLatin1Char('L')) << fecha << 0LL << true << ""
                                   << producto << p << p << QString(50, QLatin1Char('L')) << mayo;
        QTest::newRow("lot of 51") << "654321"
                                   << "" << QString(51, QLatin1Char('L')) << fecha << 0LL << true
                                   << "EL LOTE NO PUEDE TENER MAS DE 50 CARACTERES" << campoLote << 0LL << 0LL
                                   << "" << QDate();
        QTest::newRow("lot with a protocol separator")
                << "654321"
                << ""
                << "L;1" << fecha << 0LL << true
                << "NO SE PERMITEN LOS CARACTERES PUNTO Y COMA NI BARRA VERTICAL" << campoLote << 0LL << 0LL
                << "" << QDate();
        QTest::newRow("no expiry") << "654321"
                                   << "" << lote << "" << 0LL << true << sinFecha << campoFecha << 0LL << 0LL
                                   << "" << QDate();
        QTest::newRow("expiry not a date") << "654321"
                                           << "" << lote << "31/02/2027" << 0LL << false << sinFecha
                                           << campoFecha << 0LL << 0LL << "" << QDate();
        QTest::newRow("two-digit year") << "654321"
                                        << "" << lote << "15/04/27" << 0LL << true << "" << producto << p << p
                                        << lote << QDate(2027, 4, 15);
        QTest::newRow("this month") << "654321"
                                    << "" << lote << "03/2026" << 0LL << true
                                    << "El medicamento se encuentra caducado" << campoFecha << 0LL << 0LL
                                    << "" << QDate();
        QTest::newRow("today") << "654321"
                               << "" << lote << "10/03/2026" << 0LL << true << "" << producto << p << p
                               << lote << QDate(2026, 3, 10);
        QTest::newRow("yesterday") << "654321"
                                   << "" << lote << "09/03/2026" << 0LL << true
                                   << "El medicamento se encuentra caducado" << campoFecha << 0LL << 0LL << ""
                                   << QDate();
    }
    void rules()
    {
        QFETCH(QString, producto);
        QFETCH(QString, principio);
        QFETCH(QString, lote);
        QFETCH(QString, caducidad);
        QFETCH(qint64, esperado);
        QFETCH(bool, obligatorios);
        QFETCH(QString, error);
        QFETCH(int, campo);
        QFETCH(qint64, idMedicamento);
        QFETCH(qint64, real);
        QFETCH(QString, loteGuardado);
        QFETCH(QDate, fecha);
        TestDatabase db;
        TDM dm(db.directory());
        catalogue(dm);
        TPeticionMedicamento::TContexto contexto;
        contexto.Esperado = esperado;
        contexto.DatosObligatorios = obligatorios;
        const TRespuestaPeticion respuesta
                = TPeticionMedicamento(dm, contexto).Validar({producto, principio, lote, caducidad});
        QCOMPARE(respuesta.Error, error);
        if (!error.isEmpty()) {
            QCOMPARE(int(respuesta.Campo), campo);
            return;
        }
        QCOMPARE(respuesta.Pedido.idMedicamento, idMedicamento);
        QCOMPARE(respuesta.Pedido.IdMedicamentoReal, real);
        QCOMPARE(respuesta.Pedido.Lote, loteGuardado);
        QCOMPARE(respuesta.Pedido.Caducidad, fecha);
    }

    void uncontrolledStockNeedsNoLot()
    {
        TestDatabase db;
        TDM dm(db.directory());
        catalogue(dm);
        TPeticionMedicamento::TContexto contexto;
        contexto.ConInventario = false;
        const TRespuestaPeticion respuesta
                = TPeticionMedicamento(dm, contexto).Validar({QStringLiteral("654321"), {}, {}, {}});
        QVERIFY(respuesta.Error.isEmpty());
        QCOMPARE(respuesta.Pedido.Lote, QStringLiteral("*****"));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestPeticionMedicamento)
#include "test_peticion_medicamento.moc"
