// The loads waiting to be delivered as the delivery screens list them, and a blister's code looked
// for among them, on every engine.
#include "EntregaPrueba.h"
#include "core/loading/BusquedaCodigoCarga.h"
#include "core/loading/CargasPendientes.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace EntregaPrueba;

namespace {

const QDate kLunes(2024, 5, 6);
const QDate kAnterior = kLunes.addDays(-7);
constexpr int kCategoria = 5;

// Three patients: ANA and LUIS of the category, EVA of another one. ANA's load 1 of this week is
// pending, her load 2 was delivered; LUIS's load of the week before is pending; EVA's is pending.
struct Farmacia
{
    TestDatabase db;
    TDM dm {db.directory()};
    int ana = 0;
    int luis = 0;
    int eva = 0;
    qint64 cargaAna = 0;

    Farmacia()
    {
        const int usuario = Usuario(dm);
        ana = Paciente(dm, QStringLiteral("R1"), kCategoria);
        luis = Paciente(dm, QStringLiteral("R2"), kCategoria);
        eva = Paciente(dm, QStringLiteral("R3"), kCategoria + 1);
        cargaAna = Carga(dm, usuario, ana, 1, kLunes);
        Carga(dm, usuario, ana, 2, kLunes, kLunes.addDays(1));
        Carga(dm, usuario, luis, 1, kAnterior);
        Carga(dm, usuario, eva, 1, kLunes);
    }

    int Id(const QString &nombre) const
    {
        return nombre == QLatin1String("ana") ? ana : nombre == QLatin1String("luis") ? luis : eva;
    }
};

QList<qint64> Ids(const QList<TFilaCarga> &cargas)
{
    QList<qint64> ids;
    for (const TFilaCarga &carga : cargas)
        ids << carga.idRecarga;
    return ids;
}

} // namespace

class TestCargasPendientes : public QObject
{
    Q_OBJECT

private slots:
    void lasCargasPendientesDelPaciente()
    {
        Farmacia f;
        const QList<TFilaCarga> cargas = CargasPendientesPaciente(f.dm, f.ana);
        QCOMPARE(Ids(cargas), QList<qint64> {f.cargaAna});
        QCOMPARE(CodigoBlister(cargas.first()),
                 QStringLiteral("%1").arg(f.ana, 4, 10, QLatin1Char('0')) + QStringLiteral("001"));
    }

    void lasFechasDeLaCategoriaSonLasDeSusCargasPendientes()
    {
        Farmacia f;
        // The patient's own date of the last load plays no part.
        f.dm.Ejecutar(QStringLiteral("UPDATE Paciente SET FechaUltimaCargaRealizada = NULL"));
        QCOMPARE(FechasPendientesCategoria(f.dm, kCategoria), (QList<QDate> {kLunes, kAnterior}));
        QCOMPARE(FechasPendientesCategoria(f.dm, kCategoria + 2), QList<QDate> {});
    }

    void lasCargasDeLaCategoriaDeUnDia()
    {
        Farmacia f;
        QCOMPARE(Ids(CargasPendientesCategoria(f.dm, kCategoria, kLunes)), QList<qint64> {f.cargaAna});
        QCOMPARE(CargasPendientesCategoria(f.dm, kCategoria, kAnterior).size(), 1);
        QCOMPARE(CargasPendientesCategoria(f.dm, kCategoria, kLunes.addDays(7)).size(), 0);
    }

    // The code of a patient's load (7 digits typed, 8 scanned, or 8 with a misread check digit)
    // looked for on the patient screen of ANA or on the category screen of the week.
    void buscarPorCodigo_data()
    {
        QTest::addColumn<bool>("categoria");
        QTest::addColumn<QString>("paciente");
        QTest::addColumn<int>("carga");
        QTest::addColumn<QString>("forma");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("detalle");
        QTest::newRow("patient, typed") << false << "ana" << 1 << "7" << int(TCargaBuscada::Encontrada) << "";
        QTest::newRow("patient, scanned")
                << false << "ana" << 1 << "8" << int(TCargaBuscada::Encontrada) << "";
        QTest::newRow("patient, misread")
                << false << "ana" << 1 << "mal" << int(TCargaBuscada::Ilegible) << "";
        QTest::newRow("patient, another patient's")
                << false << "luis" << 1 << "8" << int(TCargaBuscada::OtroPaciente) << "R2";
        QTest::newRow("patient, delivered")
                << false << "ana" << 2 << "7" << int(TCargaBuscada::YaEntregada) << "07/05/2024";
        QTest::newRow("patient, unknown") << false << "ana" << 9 << "7" << int(TCargaBuscada::NoExiste) << "";
        QTest::newRow("category, typed") << true << "ana" << 1 << "7" << int(TCargaBuscada::Encontrada) << "";
        QTest::newRow("category, scanned")
                << true << "ana" << 1 << "8" << int(TCargaBuscada::Encontrada) << "";
        QTest::newRow("category, another week")
                << true << "luis" << 1 << "7" << int(TCargaBuscada::OtraFecha) << "29/04/2024";
        QTest::newRow("category, another category")
                << true << "eva" << 1 << "8" << int(TCargaBuscada::OtraCategoria) << "";
        QTest::newRow("category, delivered")
                << true << "ana" << 2 << "7" << int(TCargaBuscada::YaEntregada) << "07/05/2024";
    }
    void buscarPorCodigo()
    {
        QFETCH(bool, categoria);
        QFETCH(QString, paciente);
        QFETCH(int, carga);
        QFETCH(QString, forma);
        QFETCH(int, resultado);
        QFETCH(QString, detalle);
        Farmacia f;
        const int id = f.Id(paciente);
        QString codigo = CodigoEscaneado(id, carga);
        if (forma == QLatin1String("7"))
            codigo.chop(1);
        else if (forma == QLatin1String("mal"))
            codigo.back() = QChar(u'0' + (codigo.back().digitValue() + 1) % 10);
        const TAmbitoEntrega ambito
                = categoria ? TAmbitoEntrega::Categoria(kCategoria, kLunes) : TAmbitoEntrega::Paciente(f.ana);
        const QList<TFilaCarga> pendientes = categoria ? CargasPendientesCategoria(f.dm, kCategoria, kLunes)
                                                       : CargasPendientesPaciente(f.dm, f.ana);

        const TCargaBuscada busqueda = BuscarCargaPorCodigo(f.dm, codigo, pendientes, ambito);
        QCOMPARE(int(busqueda.Resultado), resultado);
        if (resultado == TCargaBuscada::Encontrada)
            QCOMPARE(busqueda.Carga.idRecarga, f.cargaAna);
        const QString aviso = AvisoCodigo(busqueda);
        QCOMPARE(aviso.isEmpty(), resultado == TCargaBuscada::Encontrada);
        if (!aviso.isEmpty())
            QVERIFY(aviso.startsWith(QStringLiteral("NO SE HA ENCONTRADO LA ROSSETA SOLICITADA")));
        QVERIFY2(aviso.contains(detalle), qPrintable(aviso));
    }

    void sinCargasPendientesNingunCodigoSirve()
    {
        Farmacia f;
        const TCargaBuscada busqueda
                = BuscarCargaPorCodigo(f.dm, CodigoEscaneado(f.ana, 1), {}, TAmbitoEntrega::Paciente(f.ana));
        QCOMPARE(int(busqueda.Resultado), int(TCargaBuscada::SinPendientes));
        QCOMPARE(AvisoCodigo(busqueda), QStringLiteral("NO SE HA ENCONTRADO LA ROSSETA SOLICITADA"));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestCargasPendientes)
#include "test_cargas_pendientes.moc"
