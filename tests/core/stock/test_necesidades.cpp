// What the coming loads need and the stock covers, the order list and the summaries of the needs
// screen, on every engine.
#include "../loading/CargaPrueba.h"
#include "core/stock/Necesidades.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
constexpr qint64 kSintrom = 700002;
const QDate kLunes(2024, 5, 6); // today in every calculation unless said otherwise

// A stock row: its quantity and its expiry in days from the first week's start.
struct TStockPrueba
{
    double cantidad;
    int caducaDias;
};

// How a treatment line goes into the blister.
enum TBlister { kEnBlister, kAparte, kNuncaExpandida };

TPacienteNecesidad Elegido(qint64 id, const QString &ref = QStringLiteral("R1"))
{
    TPacienteNecesidad paciente;
    paciente.IdPaciente = id;
    paciente.refPaciente = ref;
    paciente.Nombre = QStringLiteral("PACIENTE ") + ref;
    paciente.Categoria = QStringLiteral(" ");
    paciente.Selected = true;
    return paciente;
}

// Each planned line as "portion|portions|need|covered|missing".
QStringList Lineas(const QList<TFilaNecesidad> &cargas)
{
    QStringList lineas;
    for (const TFilaNecesidad &fila : cargas)
        lineas << QStringLiteral("%1|%2|%3|%4|%5")
                          .arg(QString::number(fila.Porcion))
                          .arg(fila.Porciones)
                          .arg(fila.CantNeed, 0, 'f', 2)
                          .arg(fila.CantInv, 0, 'f', 2)
                          .arg(fila.Faltan, 0, 'f', 2);
    return lineas;
}

TFilaNecesidad Falta(qint64 idPaciente, qint64 idMedicamento, double faltan)
{
    TFilaNecesidad fila;
    fila.IdPaciente = idPaciente;
    fila.IdMedicamento = idMedicamento;
    fila.Medicamento = QStringLiteral("(1/2) ENALAPRIL 10 MG");
    fila.Fecini = kLunes;
    fila.Fecfin = kLunes.addDays(6);
    fila.CantNeed = faltan;
    fila.Faltan = faltan;
    return fila;
}

} // namespace

Q_DECLARE_METATYPE(QList<TStockPrueba>)
Q_DECLARE_METATYPE(TBlister)

class TestNecesidades : public QObject
{
    Q_OBJECT

private slots:
    void elStockCubreLasSemanas_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<TBlister>("blister");
        QTest::addColumn<QVariant>("conInventario");
        QTest::addColumn<QList<TStockPrueba>>("stock");
        QTest::addColumn<int>("semanas");
        QTest::addColumn<QStringList>("lineas");
        const QString diaria = QStringLiteral("1-0-0-0:D:D:1");
        const QVariant control = 1;
        QTest::newRow("two weeks of wholes, 10 in stock")
                << diaria << kEnBlister << control << QList<TStockPrueba> {{10, 60}} << 2
                << QStringList {"1|7|7.00|7.00|0.00", "1|7|7.00|3.00|4.00"};
        QTest::newRow("halves first, the wholes take whole pills only")
                << QStringLiteral("1,5-0-0-0:D:D:1") << kEnBlister << control
                << QList<TStockPrueba> {{10, 60}} << 1
                << QStringList {"0.5|7|3.50|3.50|0.00", "1|7|7.00|6.00|1.00"};
        QTest::newRow("stock expiring inside the week is not used")
                << diaria << kEnBlister << control << QList<TStockPrueba> {{20, 3}} << 1
                << QStringList {"1|7|7.00|0.00|7.00"};
        QTest::newRow("stock expiring on the week's last day is not used")
                << diaria << kEnBlister << control << QList<TStockPrueba> {{20, 6}} << 1
                << QStringList {"1|7|7.00|0.00|7.00"};
        QTest::newRow("stock expiring the day after the week is used")
                << diaria << kEnBlister << control << QList<TStockPrueba> {{20, 7}} << 1
                << QStringList {"1|7|7.00|7.00|0.00"};
        QTest::newRow("stock lasting one week of two")
                << diaria << kEnBlister << control << QList<TStockPrueba> {{4, 7}, {5, 60}} << 2
                << QStringList {"1|7|7.00|7.00|0.00", "1|7|7.00|2.00|5.00"};
        QTest::newRow("10.3 pills give 10.25 in quarters")
                << QStringLiteral("0,25-0,25-0,25-0,25:D:D:1") << kEnBlister << control
                << QList<TStockPrueba> {{10.3, 60}} << 2
                << QStringList {"0.25|28|7.00|7.00|0.00", "0.25|28|7.00|3.25|3.75"};
        QTest::newRow("one pill gives 0.99 in thirds")
                << QStringLiteral("0,33-0-0-0:D:D:1") << kEnBlister << control
                << QList<TStockPrueba> {{1, 60}} << 1 << QStringList {"0.33|7|2.31|0.99|1.32"};
        QTest::newRow("thirds covered exactly over two weeks")
                << QStringLiteral("0,33-0-0-0:D:D:1") << kEnBlister << control
                << QList<TStockPrueba> {{4.62, 60}} << 2
                << QStringList {"0.33|7|2.31|2.31|0.00", "0.33|7|2.31|2.31|0.00"};
        QTest::newRow("no stock control: all covered")
                << diaria << kEnBlister << QVariant(0) << QList<TStockPrueba> {} << 2
                << QStringList {"1|7|7.00|7.00|0.00", "1|7|7.00|7.00|0.00"};
        QTest::newRow("given apart: nothing to fill")
                << diaria << kAparte << control << QList<TStockPrueba> {} << 1 << QStringList {};
        QTest::newRow("never expanded: no negative need")
                << diaria << kNuncaExpandida << control << QList<TStockPrueba> {} << 1 << QStringList {};
    }
    void elStockCubreLasSemanas()
    {
        QFETCH(QString, dosis);
        QFETCH(TBlister, blister);
        QFETCH(QVariant, conInventario);
        QFETCH(QList<TStockPrueba>, stock);
        QFETCH(int, semanas);
        QFETCH(QStringList, lineas);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm, conInventario);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        medicamento(dm, kSintrom, QStringLiteral("SINTROM"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 0, dosis);
        if (blister == kAparte)
            dm.Ejecutar(QStringLiteral("UPDATE SPD SET SPDP = 0 WHERE id = ?"), {linea});
        if (blister == kNuncaExpandida)
            dm.Ejecutar(QStringLiteral("UPDATE SPD SET DosisS1 = ? WHERE id = ?"), {kDosisNoBlister, linea});
        CargaPrueba::stock(dm, idPaciente, kSintrom, 50); // another medication's stock serves nothing
        for (const TStockPrueba &fila : stock)
            CargaPrueba::stock(dm, idPaciente, kEnalapril, fila.cantidad, QStringLiteral("L1"),
                               kLunes.addDays(fila.caducaDias));

        const QList<TFilaNecesidad> cargas = CalcularNecesidades(dm, semanas, {Elegido(idPaciente)}, kLunes);
        QCOMPARE(Lineas(cargas), lineas);

        // The order list shows a line exactly when something is missing, never a phantom one.
        qint64 faltan = 0;
        for (const TFilaNecesidad &fila : cargas)
            faltan += EnCentesimas(fila.Faltan);
        const QList<TFilaNecesidad> pedido = ListaPedido(dm, cargas);
        QCOMPARE(pedido.size(), faltan > 0 ? 1 : 0);
        if (faltan > 0)
            QCOMPARE(EnCentesimas(pedido.first().Faltan), faltan);
    }

    void lasSemanasEmpiezanTrasLaUltimaCarga_data()
    {
        QTest::addColumn<QDate>("ultimaCarga");
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<QList<QDate>>("semanas");
        QTest::newRow("a week after the last load") << QDate(2024, 5, 1) << QDate(2024, 5, 3)
                                                    << QList<QDate> {QDate(2024, 5, 8), QDate(2024, 5, 15)};
        QTest::newRow("never before today") << QDate(2024, 5, 1) << QDate(2024, 5, 20)
                                            << QList<QDate> {QDate(2024, 5, 20), QDate(2024, 5, 27)};
        QTest::newRow("no load yet: today")
                << QDate() << QDate(2024, 5, 3) << QList<QDate> {QDate(2024, 5, 3), QDate(2024, 5, 10)};
    }
    void lasSemanasEmpiezanTrasLaUltimaCarga()
    {
        QFETCH(QDate, ultimaCarga);
        QFETCH(QDate, hoy);
        QFETCH(QList<QDate>, semanas);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET FechaUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                    {SqlFecha::valor(ultimaCarga), idPaciente});
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        tratamiento(dm, idPaciente, kEnalapril, 0);

        QList<QDate> inicios;
        for (const TFilaNecesidad &fila : CalcularNecesidades(dm, 2, {Elegido(idPaciente)}, hoy)) {
            inicios << fila.Fecini;
            QCOMPARE(fila.Fecfin, fila.Fecini.addDays(6));
        }
        QCOMPARE(inicios, semanas);
    }

    void pacientesDelFiltro_data()
    {
        QTest::addColumn<bool>("todos");
        QTest::addColumn<int>("categoria");
        QTest::addColumn<QStringList>("pacientes");
        QTest::newRow("a category") << false << 3 << QStringList {"A|SOL"};
        QTest::newRow("without category: none or 0") << false << 0 << QStringList {"B| ", "C| "};
        QTest::newRow("every active patient") << true << 0 << QStringList {"A|SOL", "B| ", "C| ", "E|LUNA"};
    }
    void pacientesDelFiltro()
    {
        QFETCH(bool, todos);
        QFETCH(int, categoria);
        QFETCH(QStringList, pacientes);
        TestDatabase db;
        TDM dm(db.directory());
        dm.Anadir(QStringLiteral("TabMaestras"),
                  {{QStringLiteral("CodTab"), 0},
                   {QStringLiteral("Codigo"), 3},
                   {QStringLiteral("Descripcion"), QStringLiteral("SOL")}});
        dm.Anadir(QStringLiteral("TabMaestras"),
                  {{QStringLiteral("CodTab"), 0},
                   {QStringLiteral("Codigo"), 4},
                   {QStringLiteral("Descripcion"), QStringLiteral("LUNA")}});
        const auto alta = [&](const QString &ref, const QVariant &codigo, const QVariant &activo) {
            dm.Anadir(QStringLiteral("Paciente"),
                      {{QStringLiteral("refPaciente"), ref},
                       {QStringLiteral("Nombre"), ref},
                       {QStringLiteral("CodCategoria"), codigo},
                       {QStringLiteral("Iactivo"), activo}});
        };
        alta(QStringLiteral("E"), 4, QVariant());
        alta(QStringLiteral("C"), 0, 1);
        alta(QStringLiteral("A"), 3, 1);
        alta(QStringLiteral("B"), QVariant(), 1);
        alta(QStringLiteral("D"), 3, 0);

        QStringList leidos;
        for (const TPacienteNecesidad &paciente : PacientesNecesidad(dm, {todos, categoria})) {
            QVERIFY(!paciente.Selected);
            leidos << paciente.refPaciente + QLatin1Char('|') + paciente.Categoria;
        }
        QCOMPARE(leidos, pacientes);
    }

    void avanceYPacienteActivo_data()
    {
        QTest::addColumn<int>("pararTras");
        QTest::addColumn<QStringList>("calculados");
        QTest::newRow("to the end") << 0 << QStringList {"R1", "R3", "R4"};
        QTest::newRow("stopped after two") << 2 << QStringList {"R1", "R3"};
    }
    void avanceYPacienteActivo()
    {
        QFETCH(int, pararTras);
        QFETCH(QStringList, calculados);
        TestDatabase db;
        TDM dm(db.directory());
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        QList<TPacienteNecesidad> pacientes;
        for (int i = 1; i <= 4; ++i) {
            const int id = paciente(dm, 1, QStringLiteral("P%1").arg(i));
            tratamiento(dm, id, kEnalapril, 0);
            pacientes << Elegido(id, QStringLiteral("R%1").arg(i));
        }
        pacientes[1].Selected = false;
        dm.idPacienteActivo = 77;

        QList<QPair<int, int>> avances;
        const QList<TFilaNecesidad> cargas
                = CalcularNecesidades(dm, 1, pacientes, kLunes, [&](int hechos, int total) {
                      avances.append({hechos, total});
                      return hechos != pararTras;
                  });
        QStringList referencias;
        for (const TFilaNecesidad &fila : cargas) {
            referencias << fila.RefPaciente;
            QCOMPARE(fila.NCarga, int(referencias.size()));
        }
        QCOMPARE(referencias, calculados);
        QCOMPARE(avances.size(), calculados.size());
        QCOMPARE(avances.last(), qMakePair(int(calculados.size()), 3));
        QCOMPARE(dm.idPacienteActivo, 77);
        QVERIFY(!dm.PacienteActivo);
    }

    void cajasDelPedido_data()
    {
        QTest::addColumn<QVariant>("unidades");
        QTest::addColumn<QList<double>>("faltan");
        QTest::addColumn<bool>("listado");
        QTest::addColumn<double>("cajas");
        QTest::addColumn<bool>("sinUnidades");
        QTest::newRow("25 pills, 20 a box") << QVariant(20) << QList<double> {25} << true << 2.0 << false;
        QTest::newRow("0.2 pills, 30 a box") << QVariant(30) << QList<double> {0.2} << true << 1.0 << false;
        QTest::newRow("exactly two boxes") << QVariant(20) << QList<double> {20, 20} << true << 2.0 << false;
        QTest::newRow("weeks summed") << QVariant(20) << QList<double> {7, 7, 7} << true << 2.0 << false;
        QTest::newRow("no units per box") << QVariant(0) << QList<double> {7} << true << 0.0 << true;
        QTest::newRow("units per box unknown") << QVariant() << QList<double> {7} << true << 0.0 << true;
        QTest::newRow("nothing missing") << QVariant(20) << QList<double> {0, 0} << false << 0.0 << false;
        QTest::newRow("a floating residue is nothing")
                << QVariant(20) << QList<double> {7 * 0.33 - 2.31, 0.1 + 0.2 - 0.3} << false << 0.0 << false;
    }
    void cajasDelPedido()
    {
        QFETCH(QVariant, unidades);
        QFETCH(QList<double>, faltan);
        QFETCH(bool, listado);
        QFETCH(double, cajas);
        QFETCH(bool, sinUnidades);
        TestDatabase db;
        TDM dm(db.directory());
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET Unidades = ?"), {unidades});
        QList<TFilaNecesidad> cargas;
        for (const double falta : faltan)
            cargas << Falta(1, kEnalapril, falta);

        const QList<TFilaNecesidad> pedido = ListaPedido(dm, cargas);
        QCOMPARE(pedido.size(), listado ? 1 : 0);
        if (!listado)
            return;
        QCOMPARE(pedido.first().Medicamento, QStringLiteral("ENALAPRIL 10 MG")); // no fraction prefix
        QCOMPARE(pedido.first().Cajas, cajas);
        QCOMPARE(pedido.first().SinUnidadesCaja, sinUnidades);
    }

    void losResumenes()
    {
        // Two patients, two weeks: halves and wholes of one medication, and another medication.
        auto fila = [](qint64 paciente, int semana, qint64 medicamento, double porcion, int porciones,
                       double inv) {
            TFilaNecesidad f;
            f.IdPaciente = paciente;
            f.RefPaciente = QStringLiteral("R%1").arg(paciente);
            f.IdMedicamento = medicamento;
            f.Medicamento = (porcion == 0.5 ? QStringLiteral("(1/2) ") : QString())
                    + QStringLiteral("M%1").arg(medicamento);
            f.Fecini = kLunes.addDays(7 * semana);
            f.Fecfin = f.Fecini.addDays(6);
            f.Porcion = porcion;
            f.Porciones = porciones;
            f.CantNeed = porciones * porcion;
            f.CantInv = inv;
            f.Faltan = f.CantNeed - inv;
            f.Cajas = f.Faltan > 0 ? 1 : 0;
            return f;
        };
        const QList<TFilaNecesidad> cargas {fila(1, 0, 10, 0.5, 7, 3.5), fila(1, 0, 10, 1, 7, 7),
                                            fila(1, 0, 20, 1, 7, 0),     fila(1, 1, 10, 0.5, 7, 0),
                                            fila(1, 1, 10, 1, 7, 1),     fila(2, 0, 10, 1, 14, 4)};

        QStringList resumen;
        for (const TFilaNecesidad &f : ResumenCargas(cargas))
            resumen << QStringLiteral("%1 %2 %3 %4 %5 %6-%7 %8")
                               .arg(f.NCarga)
                               .arg(f.IdPaciente)
                               .arg(f.Medicamento)
                               .arg(f.Porciones)
                               .arg(f.Faltan)
                               .arg(f.Fecini.day())
                               .arg(f.Fecfin.day())
                               .arg(f.CantInv);
        QCOMPARE(resumen,
                 (QStringList {"1 1 (1/2) M10 14 3.5 6-19 3.5", "2 1 M10 14 6 6-19 8", "3 1 M20 7 7 6-12 0",
                               "4 2 M10 14 10 6-12 4"}));

        // Without stock, the gross need; with stock, what the order list misses.
        QStringList bruto;
        for (const TMedicamentoNecesidad &m : MedicamentosQueFaltan({}, cargas, false))
            bruto << QStringLiteral("%1 %2 %3").arg(m.Medicamento).arg(m.Faltan).arg(m.Cajas);
        QCOMPARE(bruto, (QStringList {"M10 35 0", "M20 7 0"}));
        QStringList faltan;
        for (const TMedicamentoNecesidad &m : MedicamentosQueFaltan(cargas, {}, true))
            faltan << QStringLiteral("%1 %2 %3").arg(m.Medicamento).arg(m.Faltan).arg(m.Cajas);
        QCOMPARE(faltan, (QStringList {"M10 19.5 3", "M20 7 1"}));

        QStringList necesarios;
        for (const TMedicamentoNecesidad &m : MedicamentosNecesarios(cargas))
            necesarios << QStringLiteral("%1 %2 %3").arg(m.Medicamento).arg(m.Faltan).arg(m.Cajas);
        QCOMPARE(necesarios, (QStringList {"(1/2) M10 7 14", "M10 28 28", "M20 7 7"}));

        QStringList pacientes;
        for (const TPacienteMedicamento &p : PacientesDeMedicamento(10, cargas))
            pacientes << QStringLiteral("%1 %2 %3").arg(p.RefPaciente).arg(p.Faltan).arg(p.Cajas);
        QCOMPARE(pacientes, (QStringList {"R1 9.5 2", "R2 10 1"}));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestNecesidades)
#include "test_necesidades.moc"
