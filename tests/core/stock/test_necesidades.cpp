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
const QDate kLunes(2024, 5, 6);

TPacienteNecesidad Elegido(qint64 id, int numero = 1)
{
    return {id, QStringLiteral("R%1").arg(numero), {}, {}, QStringLiteral(" "), true};
}

// A planned line of medication 10 in portions of `porcion` (0: medication 20 in wholes).
TFilaNecesidad Fila(qint64 paciente, int semana, double porcion, int porciones, double inv, double cajas = 0)
{
    TFilaNecesidad f;
    f.IdPaciente = paciente;
    f.RefPaciente = QStringLiteral("R%1").arg(paciente);
    f.IdMedicamento = porcion == 0 ? 20 : 10;
    f.Medicamento = (porcion == 0.5 ? QStringLiteral("(1/2) M") : QStringLiteral("M"))
            + QString::number(f.IdMedicamento);
    f.Porcion = porcion == 0 ? 1 : porcion;
    f.Fecini = kLunes.addDays(7 * semana);
    f.Fecfin = f.Fecini.addDays(6);
    f.Porciones = porciones;
    f.CantNeed = porciones * f.Porcion;
    f.CantInv = inv;
    f.Faltan = f.CantNeed - inv;
    f.Cajas = cajas;
    return f;
}

template<typename T, typename Texto> QString Textos(const QList<T> &filas, const Texto &texto)
{
    QStringList textos;
    for (const T &fila : filas)
        textos << texto(fila);
    return textos.join(QLatin1Char(' '));
}

QString Cubierta(const TFilaNecesidad &f)
{
    return QStringLiteral("%1|%2|%3|%4")
            .arg(f.Porciones)
            .arg(f.CantNeed, 0, 'f', 2)
            .arg(f.CantInv, 0, 'f', 2)
            .arg(f.Faltan, 0, 'f', 2);
}

QString Suma(const TMedicamentoNecesidad &m)
{
    return QStringLiteral("%1|%2|%3").arg(m.Medicamento).arg(m.Faltan).arg(m.Cajas);
}

} // namespace

class TestNecesidades : public QObject
{
    Q_OBJECT

private slots:
    void elStockCubreLasSemanas_data()
    {
        QTest::addColumn<QString>("dosis"); // "*" first: entered apart, now for the blister, never expanded
        QTest::addColumn<QString>("stock"); // "pills@days to expiry" rows; "-": no stock control
        QTest::addColumn<int>("semanas");
        QTest::addColumn<QString>("lineas"); // portions|need|covered|missing of each line
        const QString diaria = QStringLiteral("1-0-0-0:D:D:1");
        QTest::newRow("two weeks of wholes, 10 pills")
                << diaria << "10@60" << 2 << "7|7.00|7.00|0.00 7|7.00|3.00|4.00";
        QTest::newRow("halves, then wholes") << "1,5-0-0-0:D:D:1"
                                             << "10@60" << 1 << "7|3.50|3.50|0.00 7|7.00|6.00|1.00";
        QTest::newRow("expiring inside the week") << diaria << "20@3" << 1 << "7|7.00|0.00|7.00";
        QTest::newRow("expiring on its last day") << diaria << "20@6" << 1 << "7|7.00|0.00|7.00";
        QTest::newRow("expiring the day after") << diaria << "20@7" << 1 << "7|7.00|7.00|0.00";
        QTest::newRow("10.3 pills in quarters") << "0,25-0,25-0,25-0,25:D:D:1"
                                                << "10.3@60" << 2 << "28|7.00|7.00|0.00 28|7.00|3.25|3.75";
        QTest::newRow("1 pill in thirds") << "0,33-0-0-0:D:D:1"
                                          << "1@60" << 1 << "7|2.31|0.99|1.32";
        QTest::newRow("thirds exactly covered")
                << "0,33-0-0-0:D:D:1"
                << "2.31@60 2.31@60" << 2 << "7|2.31|2.31|0.00 7|2.31|2.31|0.00";
        QTest::newRow("no stock control") << diaria << "-" << 1 << "7|7.00|7.00|0.00";
        QTest::newRow("never expanded") << "*" + diaria << "" << 1 << "";
    }
    void elStockCubreLasSemanas()
    {
        QFETCH(QString, dosis);
        QFETCH(QString, stock);
        QFETCH(int, semanas);
        QFETCH(QString, lineas);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm, stock == QLatin1String("-") ? 0 : 1);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const bool nuncaExpandida = dosis.startsWith(QLatin1Char('*'));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 0, dosis.mid(nuncaExpandida ? 1 : 0));
        if (nuncaExpandida)
            dm.Ejecutar(QStringLiteral("UPDATE SPD SET DosisS1 = ? WHERE id = ?"), {kDosisNoBlister, linea});
        CargaPrueba::stock(dm, idPaciente, 700002, 50); // another medication's stock serves nothing
        for (const QString &fila : stock.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (fila != QLatin1String("-"))
                CargaPrueba::stock(dm, idPaciente, kEnalapril, fila.section('@', 0, 0).toDouble(),
                                   QStringLiteral("L1"), kLunes.addDays(fila.section('@', 1).toInt()));
        }
        const QList<TFilaNecesidad> cargas = CalcularNecesidades(dm, semanas, {Elegido(idPaciente)}, kLunes);
        QCOMPARE(Textos(cargas, Cubierta), lineas);
        // The order list has a line exactly when something is missing: never a phantom one.
        qint64 faltan = 0;
        for (const TFilaNecesidad &fila : cargas)
            faltan += EnCentesimas(fila.Faltan);
        const QList<TFilaNecesidad> pedido = ListaPedido(dm, cargas);
        QCOMPARE(pedido.size(), faltan > 0 ? 1 : 0);
        QCOMPARE(pedido.isEmpty() ? 0 : EnCentesimas(pedido.first().Faltan), faltan);
    }

    void lasSemanasEmpiezanTrasLaUltimaCarga_data()
    {
        QTest::addColumn<QDate>("ultima");
        QTest::addColumn<int>("hoy"); // day of May 2024
        QTest::addColumn<QString>("semanas");
        QTest::newRow("a week after the last load") << QDate(2024, 5, 1) << 3 << "8-14 15-21";
        QTest::newRow("never before today") << QDate(2024, 5, 1) << 20 << "20-26 27-2";
        QTest::newRow("no load yet") << QDate() << 3 << "3-9 10-16";
    }
    void lasSemanasEmpiezanTrasLaUltimaCarga()
    {
        QFETCH(QDate, ultima);
        QFETCH(int, hoy);
        QFETCH(QString, semanas);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET FechaUltimaCargaRealizada = ?"),
                    {SqlFecha::valor(ultima)});
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        tratamiento(dm, idPaciente, kEnalapril, 0);
        const auto semana = [](const TFilaNecesidad &f) {
            return QStringLiteral("%1-%2").arg(f.Fecini.day()).arg(f.Fecfin.day());
        };
        QCOMPARE(Textos(CalcularNecesidades(dm, 2, {Elegido(idPaciente)}, QDate(2024, 5, hoy)), semana),
                 semanas);
    }

    void pacientesDelFiltro_data()
    {
        QTest::addColumn<bool>("todos");
        QTest::addColumn<int>("categoria");
        QTest::addColumn<QString>("pacientes");
        QTest::newRow("a category") << false << 3 << "A|SOL";
        QTest::newRow("without category: none or 0") << false << 0 << "B|  C| ";
        QTest::newRow("every active patient") << true << 0 << "A|SOL B|  C|  E| ";
    }
    void pacientesDelFiltro()
    {
        QFETCH(bool, todos);
        QFETCH(int, categoria);
        QFETCH(QString, pacientes);
        TestDatabase db;
        TDM dm(db.directory());
        dm.Anadir(QStringLiteral("TabMaestras"),
                  {{QStringLiteral("CodTab"), 0},
                   {QStringLiteral("Codigo"), 3},
                   {QStringLiteral("Descripcion"), QStringLiteral("SOL")}});
        // Reference, category and active flag (a null flag is active).
        const QList<std::tuple<QString, QVariant, QVariant>> altas {
                {"E", 4, {}}, {"C", 0, 1}, {"A", 3, 1}, {"B", {}, 1}, {"D", 3, 0}};
        for (const auto &[ref, codigo, activo] : altas)
            dm.Anadir(QStringLiteral("Paciente"),
                      {{QStringLiteral("refPaciente"), ref},
                       {QStringLiteral("CodCategoria"), codigo},
                       {QStringLiteral("Iactivo"), activo}});
        const auto texto = [](const TPacienteNecesidad &p) {
            return p.refPaciente + (p.Selected ? "!" : "|") + p.Categoria;
        };
        QCOMPARE(Textos(PacientesNecesidad(dm, {todos, categoria}), texto), pacientes);
    }

    void avanceYPacienteActivo_data()
    {
        QTest::addColumn<int>("pararTras");
        QTest::addColumn<QString>("calculados");
        QTest::newRow("to the end") << 0 << "1:R1 2:R3 3:R4";
        QTest::newRow("stopped after two") << 2 << "1:R1 2:R3";
    }
    void avanceYPacienteActivo()
    {
        QFETCH(int, pararTras);
        QFETCH(QString, calculados);
        TestDatabase db;
        TDM dm(db.directory());
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        QList<TPacienteNecesidad> pacientes;
        for (int i = 1; i <= 4; ++i) {
            pacientes << Elegido(paciente(dm, 1, QStringLiteral("P%1").arg(i)), i);
            tratamiento(dm, int(pacientes.last().IdPaciente), kEnalapril, 0);
        }
        pacientes[1].Selected = false;
        dm.idPacienteActivo = 77;
        QStringList avances;
        const QList<TFilaNecesidad> cargas
                = CalcularNecesidades(dm, 1, pacientes, kLunes, [&](int hechos, int total) {
                      avances << QStringLiteral("%1/%2").arg(hechos).arg(total);
                      return hechos != pararTras;
                  });
        QCOMPARE(Textos(cargas,
                        [](const TFilaNecesidad &f) {
                            return QStringLiteral("%1:%2").arg(f.NCarga).arg(f.RefPaciente);
                        }),
                 calculados);
        QCOMPARE(avances.last(), QStringLiteral("%1/3").arg(avances.size()));
        QCOMPARE(dm.idPacienteActivo, 77);
    }

    void cajasDelPedido_data()
    {
        QTest::addColumn<QVariant>("unidades");
        QTest::addColumn<QList<double>>("faltan");
        QTest::addColumn<QString>("pedido"); // name|boxes|no units per box
        QTest::newRow("25 pills, 20 a box") << QVariant(20) << QList<double> {25} << "ENALAPRIL 10 MG|2|0";
        QTest::newRow("0.2 pills, 30 a box") << QVariant(30) << QList<double> {0.2} << "ENALAPRIL 10 MG|1|0";
        QTest::newRow("weeks summed") << QVariant(20) << QList<double> {7, 7, 7} << "ENALAPRIL 10 MG|2|0";
        QTest::newRow("no units per box") << QVariant(0) << QList<double> {7} << "ENALAPRIL 10 MG|0|1";
        QTest::newRow("units per box unknown") << QVariant() << QList<double> {7} << "ENALAPRIL 10 MG|0|1";
        QTest::newRow("a floating residue is nothing")
                << QVariant(20) << QList<double> {7 * 0.33 - 2.31, 0.1 + 0.2 - 0.3} << "";
    }
    void cajasDelPedido()
    {
        QFETCH(QVariant, unidades);
        QFETCH(QList<double>, faltan);
        QFETCH(QString, pedido);
        TestDatabase db;
        TDM dm(db.directory());
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET Unidades = ?"), {unidades});
        QList<TFilaNecesidad> cargas;
        for (const double falta : faltan) {
            cargas << Fila(1, 0, 0.5, 0,
                           0); // named "(1/2) M10": the order list names it as the catalogue does
            cargas.last().IdMedicamento = kEnalapril;
            cargas.last().Faltan = falta;
        }
        const auto texto = [](const TFilaNecesidad &f) {
            return QStringLiteral("%1|%2|%3").arg(f.Medicamento).arg(f.Cajas).arg(int(f.SinUnidadesCaja));
        };
        QCOMPARE(Textos(ListaPedido(dm, cargas), texto), pedido);
    }

    void losResumenes()
    {
        // Two patients, two weeks: halves and wholes of medication 10, and medication 20.
        const QList<TFilaNecesidad> cargas {Fila(1, 0, 0.5, 7, 3.5), Fila(1, 0, 1, 7, 7),
                                            Fila(1, 0, 0, 7, 0, 1),  Fila(1, 1, 0.5, 7, 0, 1),
                                            Fila(1, 1, 1, 7, 1, 1),  Fila(2, 0, 1, 14, 4, 1)};
        const auto resumen = [](const TFilaNecesidad &f) {
            return QStringLiteral("%1:%2:%3:%4-%5:")
                           .arg(f.NCarga)
                           .arg(f.RefPaciente, f.Medicamento)
                           .arg(f.Fecini.day())
                           .arg(f.Fecfin.day())
                    + Cubierta(f);
        };
        QCOMPARE(Textos(ResumenCargas(cargas), resumen),
                 QStringLiteral("1:R1:(1/2) M10:6-19:14|7.00|3.50|3.50 2:R1:M10:6-19:14|14.00|8.00|6.00 "
                                "3:R1:M20:6-12:7|7.00|0.00|7.00 4:R2:M10:6-12:14|14.00|4.00|10.00"));
        // Without stock the gross need; with stock what the order list misses.
        QCOMPARE(Textos(MedicamentosQueFaltan({}, cargas, false), Suma), QStringLiteral("M10|35|0 M20|7|0"));
        QCOMPARE(Textos(MedicamentosQueFaltan(cargas, {}, true), Suma), QStringLiteral("M10|19.5|3 M20|7|1"));
        QCOMPARE(Textos(MedicamentosNecesarios(cargas), Suma),
                 QStringLiteral("(1/2) M10|7|14 M10|28|28 M20|7|7"));
        const auto porPaciente = [](const TPacienteMedicamento &p) {
            return QStringLiteral("%1|%2|%3").arg(p.RefPaciente).arg(p.Faltan).arg(p.Cajas);
        };
        QCOMPARE(Textos(PacientesDeMedicamento(10, cargas), porPaciente), QStringLiteral("R1|9.5|2 R2|10|1"));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestNecesidades)
#include "test_necesidades.moc"
