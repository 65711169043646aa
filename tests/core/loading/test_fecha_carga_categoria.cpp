#include "CargaPrueba.h"
#include "core/common/Clock.h"
#include "core/loading/FechaCargaCategoria.h"
#include "support/TestDatabase.h"

#include <QTest>

// The start date proposed for a category's loads.
class TestFechaCargaCategoria : public QObject
{
    Q_OBJECT

    static constexpr int kCategoria = 5;

    static int Paciente(TDM &dm, const QString &ref, int categoria, int activo)
    {
        return int(dm.Anadir(QStringLiteral("Paciente"),
                             {{QStringLiteral("refPaciente"), ref},
                              {QStringLiteral("Nombre"), ref},
                              {QStringLiteral("CodCategoria"), categoria},
                              {QStringLiteral("Iactivo"), activo}}));
    }
    static void Carga(TDM &dm, int idPaciente, int numero, const QDate &inicio)
    {
        dm.Anadir(QStringLiteral("Recarga"),
                  {{QStringLiteral("idPaciente"), idPaciente},
                   {QStringLiteral("refRecarga"), numero},
                   {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
                   {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))}});
    }
    static void Linea(TDM &dm, int idPaciente, const QDate &fin)
    {
        dm.Anadir(QStringLiteral("SPD"),
                  {{QStringLiteral("idPaciente"), idPaciente},
                   {QStringLiteral("idMedicamento"), 1},
                   {QStringLiteral("Dosis"), QStringLiteral("1-0-0-0:D:D:1")},
                   {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2024, 1, 1))},
                   {QStringLiteral("Fin"), SqlFecha::valor(fin)}});
    }

private slots:
    // "ANA" was loaded for the week of 4 March, "BEA" only for the week before; both are in the
    // category, as is an inactive patient, and a patient of another category was loaded later.
    void fechaPropuesta_data()
    {
        QTest::addColumn<bool>("conCargas");
        QTest::addColumn<int>("beaActiva");
        QTest::addColumn<QDate>("finLineaBea");
        QTest::addColumn<bool>("beaCargada");
        QTest::addColumn<QDate>("esperada");
        const QDate abierta;
        QTest::newRow("sin cargas en la categoria: hoy")
                << false << 1 << abierta << false << QDate(2024, 3, 6);
        QTest::newRow("una paciente con tratamiento sin la carga de la semana: esa semana")
                << true << 1 << abierta << false << QDate(2024, 3, 4);
        QTest::newRow("su tratamiento termino: la semana siguiente")
                << true << 1 << QDate(2024, 2, 1) << false << QDate(2024, 3, 11);
        QTest::newRow("inactiva: no cuenta") << true << 0 << abierta << false << QDate(2024, 3, 11);
        QTest::newRow("todas cargadas: la semana siguiente")
                << true << 1 << abierta << true << QDate(2024, 3, 11);
    }
    void fechaPropuesta()
    {
        QFETCH(bool, conCargas);
        QFETCH(int, beaActiva);
        QFETCH(QDate, finLineaBea);
        QFETCH(bool, beaCargada);
        QFETCH(QDate, esperada);
        FixedClock reloj(QDate(2024, 3, 6));
        TestDatabase db;
        TDM dm(db.directory());
        const int ana = Paciente(dm, QStringLiteral("ANA"), kCategoria, 1);
        const int bea = Paciente(dm, QStringLiteral("BEA"), kCategoria, beaActiva);
        const int otro = Paciente(dm, QStringLiteral("OTRO"), kCategoria + 1, 1);
        Linea(dm, ana, QDate());
        Linea(dm, bea, finLineaBea);
        Carga(dm, otro, 1, QDate(2024, 4, 1));
        if (conCargas) {
            Carga(dm, ana, 1, QDate(2024, 3, 4));
            Carga(dm, bea, 1, QDate(2024, 2, 26));
        }
        if (beaCargada)
            Carga(dm, bea, 2, QDate(2024, 3, 4));
        QCOMPARE(FechaCargaCategoria(dm, kCategoria), esperada);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestFechaCargaCategoria)
#include "test_fecha_carga_categoria.moc"
