// The medications whose stock will not cover a patient's next load, for the patient and for a
// category, and the category's condensed lists, on every engine.
#include "../loading/CargaPrueba.h"
#include "core/common/Clock.h"
#include "core/stock/PendientesReceta.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
constexpr qint64 kSintrom = 700002;
const QDate kLunes(2024, 5, 6);
const QString kInsuficiente = QStringLiteral("Insuficiente");
const QString kCaduca = QStringLiteral("Insuf. / Caduca.");

// A stock row: its quantity and its expiry in days from the window's first day.
struct TFilaPrueba
{
    double cantidad;
    int caducaDias;
};

int Paciente(TDM &dm, const QString &ref, int categoria, const QVariant &activo = 1,
             const QDate &ultimaCarga = {})
{
    return int(dm.Anadir(QStringLiteral("Paciente"),
                         {{QStringLiteral("refPaciente"), ref},
                          {QStringLiteral("Nombre"), QStringLiteral("PACIENTE ") + ref},
                          {QStringLiteral("CodCategoria"), categoria},
                          {QStringLiteral("Iactivo"), activo},
                          {QStringLiteral("IConInven"), 1},
                          {QStringLiteral("FechaUltimaCargaRealizada"), SqlFecha::valor(ultimaCarga)}}));
}

} // namespace

Q_DECLARE_METATYPE(QList<TFilaPrueba>)

class TestPendientesReceta : public QObject
{
    Q_OBJECT

private slots:
    void inicioDeLaProximaCarga_data()
    {
        QTest::addColumn<QDate>("ultima");
        QTest::addColumn<QDate>("inicio");
        const QDate hoy(2024, 5, 10);
        QTest::newRow("a week after the last start") << QDate(2024, 5, 8) << QDate(2024, 5, 15);
        QTest::newRow("a week after falls on today") << QDate(2024, 5, 3) << hoy;
        QTest::newRow("a week after is past") << QDate(2024, 4, 1) << hoy;
        QTest::newRow("no last load") << QDate() << hoy;
        QTest::newRow("the zero date of deleted loads") << QDate(1899, 12, 30) << hoy;
    }
    void inicioDeLaProximaCarga()
    {
        QFETCH(QDate, ultima);
        QFETCH(QDate, inicio);
        QCOMPARE(InicioProximaCarga(ultima, QDate(2024, 5, 10)), inicio);
    }

    void pendientesContraElStock_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QVariant>("conInventario");
        QTest::addColumn<QList<TFilaPrueba>>("filas");
        QTest::addColumn<bool>("pendiente");
        QTest::addColumn<double>("necesaria");
        QTest::addColumn<double>("falta");
        QTest::addColumn<QString>("estado");
        const QString diaria = QStringLiteral("1-0-0-0:D:D:1");
        const QVariant control = 1;
        QTest::newRow("covered by stock expiring on the window's start + 7")
                << diaria << control << QList<TFilaPrueba> {{7, 7}} << false << 0.0 << 0.0 << QString();
        QTest::newRow("stock expiring on the start + 6 is not usable")
                << diaria << control << QList<TFilaPrueba> {{7, 6}} << true << 7.0 << 7.0 << kCaduca;
        QTest::newRow("short, nothing expiring")
                << diaria << control << QList<TFilaPrueba> {{5, 30}} << true << 7.0 << 2.0 << kInsuficiente;
        QTest::newRow("short, some expiring within the week")
                << diaria << control << QList<TFilaPrueba> {{5, 30}, {3, 2}} << true << 7.0 << 2.0 << kCaduca;
        QTest::newRow("long expired stock counts as expiring")
                << diaria << control << QList<TFilaPrueba> {{1, -400}} << true << 7.0 << 7.0 << kCaduca;
        QTest::newRow("halves plus wholes need 10.5, 10 in stock")
                << QStringLiteral("1,5-0-0-0:D:D:1") << control << QList<TFilaPrueba> {{10, 30}} << true
                << 10.5 << 0.5 << kInsuficiente;
        QTest::newRow("halves plus wholes covered by 10.5")
                << QStringLiteral("1,5-0-0-0:D:D:1") << control << QList<TFilaPrueba> {{6, 30}, {4.5, 9}}
                << false << 0.0 << 0.0 << QString();
        QTest::newRow("thirds in hundredths")
                << QStringLiteral("0,33-0-0-0:D:D:1") << control << QList<TFilaPrueba> {{2, 30}} << true
                << 2.31 << 0.31 << kInsuficiente;
        QTest::newRow("no stock control")
                << diaria << QVariant(0) << QList<TFilaPrueba> {} << false << 0.0 << 0.0 << QString();
        QTest::newRow("a null flag counts as stock control")
                << diaria << QVariant() << QList<TFilaPrueba> {} << true << 7.0 << 7.0 << kInsuficiente;
    }
    void pendientesContraElStock()
    {
        QFETCH(QString, dosis);
        QFETCH(QVariant, conInventario);
        QFETCH(QList<TFilaPrueba>, filas);
        QFETCH(bool, pendiente);
        QFETCH(double, necesaria);
        QFETCH(double, falta);
        QFETCH(QString, estado);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm, conInventario);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        tratamiento(dm, idPaciente, kEnalapril, 0, dosis);
        for (const TFilaPrueba &fila : filas)
            stock(dm, idPaciente, kEnalapril, fila.cantidad, QStringLiteral("L1"),
                  kLunes.addDays(fila.caducaDias));

        const QList<TPendienteReceta> pendientes = PendientesDeReceta(dm, idPaciente, kLunes);
        QCOMPARE(pendientes.size(), pendiente ? 1 : 0);
        if (!pendiente)
            return;
        const TPendienteReceta &fila = pendientes.first();
        QCOMPARE(fila.IdMedicamento, kEnalapril);
        QCOMPARE(fila.Medicamento, QStringLiteral("ENALAPRIL 10 MG"));
        QCOMPARE(fila.CantidadNecesaria, necesaria);
        QCOMPARE(fila.CantidadFalta, falta);
        QCOMPARE(fila.Estado, estado);
        QCOMPARE(fila.FechaCarga, kLunes);
    }

    void unaPorcionSinExpandirNoNecesitaNada()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        medicamento(dm, kSintrom, QStringLiteral("SINTROM"));
        // Entered as not going into the blister, its medication now does: listed, never expanded.
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 0);
        dm.Ejecutar(QStringLiteral("UPDATE SPD SET DosisS1 = ? WHERE id = ?"),
                    {QStringLiteral("0-0-0-0:0"), linea});
        tratamiento(dm, idPaciente, kSintrom, 0);

        const QList<TPendienteReceta> pendientes = PendientesDeReceta(dm, idPaciente, kLunes);
        QCOMPARE(pendientes.size(), 1);
        QCOMPARE(pendientes.first().IdMedicamento, kSintrom);
    }

    // The window follows the patient's last load: stock that expires 10 days from today covers a
    // load starting today, not one starting 4 days from now.
    void laVentanaEsLaDeLaProximaCarga_data()
    {
        QTest::addColumn<QDate>("ultima");
        QTest::addColumn<bool>("pendiente");
        QTest::newRow("no load yet: from today") << QDate() << false;
        QTest::newRow("last load 3 days ago: from 4 days on") << kLunes.addDays(-3) << true;
        QTest::newRow("last load long ago: from today") << kLunes.addDays(-30) << false;
        QTest::newRow("all loads deleted: from today") << QDate(1899, 12, 30) << false;
    }
    void laVentanaEsLaDeLaProximaCarga()
    {
        QFETCH(QDate, ultima);
        QFETCH(bool, pendiente);
        FixedClock reloj(kLunes);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = Paciente(dm, QStringLiteral("R1"), 1, 1, ultima);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        tratamiento(dm, idPaciente, kEnalapril, 0);
        stock(dm, idPaciente, kEnalapril, 7, QStringLiteral("L1"), kLunes.addDays(10));
        QCOMPARE(PendientesDeReceta(dm, idPaciente).size(), pendiente ? 1 : 0);
    }

    void laCategoriaRecorreSusPacientesActivosPorReferencia()
    {
        FixedClock reloj(kLunes);
        TestDatabase db;
        TDM dm(db.directory());
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int segundo = Paciente(dm, QStringLiteral("B-2"), 5);
        const int primero = Paciente(dm, QStringLiteral("A-1"), 5, QVariant());
        const int inactivo = Paciente(dm, QStringLiteral("A-0"), 5, 0);
        const int otraCategoria = Paciente(dm, QStringLiteral("A-9"), 6);
        // The second patient's last load started two days ago: its next week starts in five days.
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET FechaUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                    {SqlFecha::valor(kLunes.addDays(-2)), segundo});
        for (const int id : {segundo, primero, inactivo, otraCategoria})
            tratamiento(dm, id, kEnalapril, 0);

        const QList<TPendienteReceta> pendientes = PendientesDeRecetaCategoria(dm, 5);
        QCOMPARE(pendientes.size(), 2);
        QCOMPARE(pendientes.at(0).idPaciente, qint64(primero));
        QCOMPARE(pendientes.at(0).FechaCarga, kLunes);
        QCOMPARE(pendientes.at(1).idPaciente, qint64(segundo));
        QCOMPARE(pendientes.at(1).FechaCarga, kLunes.addDays(5));
    }

    void pacientesUnaVezPorEstado()
    {
        const QList<TPendienteReceta> filas {
                {1, "R1", "ANA", kLunes, kEnalapril, "ENALAPRIL", 7, 2, kInsuficiente},
                {1, "R1", "ANA", kLunes, kSintrom, "SINTROM", 7, 7, kInsuficiente},
                {1, "R1", "ANA", kLunes, 700003, "PARCHE", 1, 1, kCaduca},
                {2, "R2", "LUIS", kLunes, kEnalapril, "ENALAPRIL", 7, 3, kCaduca},
        };
        const QList<TPacientePendiente> pacientes = PacientesPendientes(filas);
        QStringList vistos;
        for (const TPacientePendiente &p : pacientes)
            vistos << p.Nombre + QLatin1Char('|') + p.Estado;
        QCOMPARE(vistos, (QStringList {"ANA|" + kInsuficiente, "ANA|" + kCaduca, "LUIS|" + kCaduca}));
    }

    void medicamentosSumanLoQueFaltaPorEstado()
    {
        const QList<TPendienteReceta> filas {
                {1, "R1", "ANA", kLunes, kSintrom, "SINTROM", 7, 2.5, kInsuficiente},
                {2, "R2", "LUIS", kLunes, kEnalapril, "ENALAPRIL", 7, 0.33, kInsuficiente},
                {3, "R3", "EVA", kLunes, kSintrom, "SINTROM", 7, 1.25, kInsuficiente},
                {4, "R4", "JOSE", kLunes, kEnalapril, "ENALAPRIL", 7, 0.66, kInsuficiente},
                {5, "R5", "JUAN", kLunes, kEnalapril, "ENALAPRIL", 7, 4, kCaduca},
        };
        const QList<TMedicamentoPendiente> medicamentos = MedicamentosPendientes(filas);
        QCOMPARE(medicamentos.size(), 3);
        QCOMPARE(medicamentos.at(0).Medicamento, QStringLiteral("700001 ENALAPRIL"));
        QCOMPARE(medicamentos.at(0).Estado, kCaduca);
        QCOMPARE(medicamentos.at(0).Cantidad, 4.0);
        QCOMPARE(medicamentos.at(1).Estado, kInsuficiente);
        QCOMPARE(medicamentos.at(1).Cantidad, 0.99);
        QCOMPARE(medicamentos.at(2).Medicamento, QStringLiteral("700002 SINTROM"));
        QCOMPARE(medicamentos.at(2).Cantidad, 3.75);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestPendientesReceta)
#include "test_pendientes_receta.moc"
