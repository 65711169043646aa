#include "core/dosing/UDispenserTypes.h"

#include <QTest>

#include <limits>

namespace {

TArrayPastillas Celdas(std::initializer_list<QPair<int, int>> cuentas)
{
    TArrayPastillas celdas(28, 0);
    for (const auto &[celda, cuenta] : cuentas)
        celdas[celda] = cuenta;
    return celdas;
}

QString Lista(const TArrayPastillas &celdas)
{
    QStringList textos;
    for (const qint32 cuenta : celdas)
        textos << QString::number(cuenta);
    return textos.join(QLatin1Char(';'));
}

// A portion as the load builder leaves it: planned, evaluated, nothing placed yet.
TDosis Planificada(const TArrayPastillas &plan, double porcion, double disponible)
{
    TDosis dosis(porcion);
    dosis.Disponible = disponible;
    if (!dosis.AsignarLista(Lista(plan) + QLatin1Char(';'), false))
        qFatal("plan rejected");
    dosis.VaciarActual();
    return dosis;
}

} // namespace

class TestTDosis : public QObject
{
    Q_OBJECT

private slots:
    void creada();
    void setCelda_data();
    void setCelda();
    void asignarListaComoPlan();
    void asignarListaSoloActualConservaLasDemasCeldas();
    void asignarListaRechazaLoQueNoEsEntero_data();
    void asignarListaRechazaLoQueNoEsEntero();
    void asignarArray();
    void actualizarEstado_data();
    void actualizarEstado();
    void listaPendienteSinNadaColocado();
    void listaPendienteTrasUnInformeParcial();
    void listaPendienteCompletaDevuelveLoColocado();
    void reiniciarVuelveAlPlan();
    void cargaManual();
    void sinExpandir();
};

void TestTDosis::creada()
{
    const TDosis dosis(kPorcionTercio);
    QCOMPARE(dosis.NumCeldas, 28);
    QCOMPARE(dosis.Plan, TArrayPastillas(28, 0));
    QCOMPARE(dosis.Actual, TArrayPastillas(28, 0));
    QCOMPARE(dosis.Carga, 0);
    QCOMPARE(dosis.SumaActual, 0);
    QCOMPARE(dosis.Cargadas, 0);
    QCOMPARE(dosis.Porcion, 0.33);
    QCOMPARE(dosis.Estado, EstadoDosis::kNuevo);
}

void TestTDosis::setCelda_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("guardada");
    QTest::newRow("first") << 0 << true;
    QTest::newRow("last") << 27 << true;
    QTest::newRow("negative") << -1 << false;
    QTest::newRow("past the grid") << 28 << false;
    QTest::newRow("far away") << 100000 << false;
}

void TestTDosis::setCelda()
{
    QFETCH(int, indice);
    QFETCH(bool, guardada);
    TDosis dosis;
    dosis.SetCelda(indice, 3);
    dosis.SetCelda(indice, 2);
    QCOMPARE(dosis.SumaActual, guardada ? 5 : 0);
    QCOMPARE(dosis.Actual, guardada ? Celdas({{indice, 2}}) : TArrayPastillas(28, 0));
}

void TestTDosis::asignarListaComoPlan()
{
    TDosis dosis;
    dosis.Disponible = 10;
    QVERIFY(dosis.AsignarLista(QStringLiteral("1;0;2;0;") + QStringLiteral("0;").repeated(24), false));
    QCOMPARE(dosis.Plan, Celdas({{0, 1}, {2, 2}}));
    QCOMPARE(dosis.Actual, dosis.Plan);
    QCOMPARE(dosis.Carga, 3);
    QCOMPARE(dosis.SumaActual, 3);
    QCOMPARE(dosis.Estado, EstadoDosis::kPendiente);
}

void TestTDosis::asignarListaSoloActualConservaLasDemasCeldas()
{
    TDosis dosis = Planificada(Celdas({{0, 4}, {5, 1}}), kPorcionEntera, 10);
    dosis.SetCelda(5, 1);
    QVERIFY(dosis.AsignarLista(QStringLiteral("2;0"), true));
    QCOMPARE(dosis.Actual, Celdas({{0, 2}, {5, 1}}));
    QCOMPARE(dosis.SumaActual, 2);
    QCOMPARE(dosis.Plan, Celdas({{0, 4}, {5, 1}}));
    QCOMPARE(dosis.Carga, 5);
}

void TestTDosis::asignarListaRechazaLoQueNoEsEntero_data()
{
    QTest::addColumn<QString>("lista");
    QTest::newRow("two separators") << "1;;2";
    QTest::newRow("letter") << "1;a;2";
    QTest::newRow("fraction") << "1;0,5";
    QTest::newRow("blank") << "1; 2";
    QTest::newRow("too large") << "99999999999";
    QTest::newRow("only a separator") << ";";
}

void TestTDosis::asignarListaRechazaLoQueNoEsEntero()
{
    QFETCH(QString, lista);
    TDosis dosis = Planificada(Celdas({{0, 4}}), kPorcionEntera, 10);
    dosis.SetCelda(1, 7);
    const TDosis antes = dosis;
    QVERIFY(!dosis.AsignarLista(lista, false));
    QCOMPARE(dosis.Actual, antes.Actual);
    QCOMPARE(dosis.Plan, antes.Plan);
    QCOMPARE(dosis.SumaActual, antes.SumaActual);
    QCOMPARE(dosis.Carga, antes.Carga);
    QCOMPARE(dosis.Estado, antes.Estado);
}

void TestTDosis::asignarArray()
{
    TDosis dosis = Planificada(Celdas({{0, 4}}), kPorcionEntera, 10);
    dosis.AsignarArray({3, 0, 1});
    QCOMPARE(dosis.Actual, Celdas({{0, 3}, {2, 1}}));
    QCOMPARE(dosis.SumaActual, 4);
    QCOMPARE(dosis.Plan, Celdas({{0, 4}}));

    dosis.AsignarArray({});
    QCOMPARE(dosis.SumaActual, 4);

    const qint32 mucho = std::numeric_limits<qint32>::max();
    dosis.AsignarArray({mucho, mucho});
    QCOMPARE(dosis.SumaActual, mucho);
}

void TestTDosis::actualizarEstado_data()
{
    QTest::addColumn<int>("carga");
    QTest::addColumn<int>("cargadas");
    QTest::addColumn<double>("porcion");
    QTest::addColumn<double>("disponible");
    QTest::addColumn<int>("estado");
    QTest::newRow("pending, exact stock") << 7 << 0 << 1.0 << 7.0 << 1;
    QTest::newRow("short by a hundredth") << 7 << 0 << 1.0 << 6.99 << 5;
    QTest::newRow("all placed") << 7 << 7 << 1.0 << 7.0 << 3;
    QTest::newRow("nothing planned") << 0 << 0 << 1.0 << 0.0 << 3;
    QTest::newRow("dose not for the blister") << -1 << -1 << 1.0 << 0.0 << 8;
    QTest::newRow("21 thirds are 6.93") << 21 << 0 << 0.33 << 6.93 << 1;
    QTest::newRow("21 thirds short") << 21 << 0 << 0.33 << 6.92 << 5;
    QTest::newRow("3 thirds need 0.99") << 3 << 0 << 0.33 << 0.99 << 1;
    QTest::newRow("7 halves need 3.5") << 7 << 0 << 0.5 << 3.5 << 1;
    QTest::newRow("stock computed as 5 - 3.5") << 7 << 0 << 1.0 << 5.0 - 3.5 << 5;
    QTest::newRow("insufficient wins over completed") << 7 << 7 << 1.0 << 1.5 << 5;
    QTest::newRow("quarters from a sum of doubles") << 3 << 0 << 0.25 << 0.1 + 0.2 + 0.45 << 1;
    QTest::newRow("unknown stock is not enough") << 7 << 0 << 1.0 << qQNaN() << 5;
    QTest::newRow("unbounded stock") << 7 << 0 << 1.0 << qInf() << 1;
}

void TestTDosis::actualizarEstado()
{
    QFETCH(int, carga);
    QFETCH(int, cargadas);
    QFETCH(double, porcion);
    QFETCH(double, disponible);
    TDosis dosis(porcion);
    dosis.Carga = carga;
    dosis.Cargadas = cargadas;
    dosis.Disponible = disponible;
    dosis.ActualizarEstado();
    QTEST(int(dosis.Estado), "estado");
}

void TestTDosis::listaPendienteSinNadaColocado()
{
    const TDosis dosis = Planificada(Celdas({{0, 4}, {27, 2}}), kPorcionEntera, 10);
    QCOMPARE(dosis.ListaPendiente(), Lista(Celdas({{0, 4}, {27, 2}})));
}

void TestTDosis::listaPendienteTrasUnInformeParcial()
{
    TDosis dosis = Planificada(Celdas({{0, 4}, {9, 1}}), kPorcionEntera, 10);
    dosis.AsignarArray(Celdas({{0, 3}}));
    QVERIFY(!dosis.ActualIgualPlan());
    QCOMPARE(dosis.ListaPendiente(), Lista(Celdas({{0, 1}, {9, 1}})));

    dosis.AsignarArray(Celdas({{0, 4}}));
    QCOMPARE(dosis.ListaPendiente(), Lista(Celdas({{9, 1}})));
}

void TestTDosis::listaPendienteCompletaDevuelveLoColocado()
{
    TDosis dosis = Planificada(Celdas({{0, 4}, {9, 1}}), kPorcionEntera, 10);
    dosis.AsignarArray(Celdas({{0, 4}, {9, 1}}));
    QVERIFY(dosis.ActualIgualPlan());
    QCOMPARE(dosis.ListaPendiente(), Lista(Celdas({{0, 4}, {9, 1}})));
}

void TestTDosis::reiniciarVuelveAlPlan()
{
    TDosis dosis = Planificada(Celdas({{0, 4}, {9, 1}}), kPorcionEntera, 10);
    dosis.AsignarArray(Celdas({{0, 2}}));
    dosis.Cargadas = 2;
    dosis.Estado = EstadoDosis::kCargando;
    dosis.Reiniciar();
    QCOMPARE(dosis.Actual, dosis.Plan);
    QCOMPARE(dosis.SumaActual, 5);
    QCOMPARE(dosis.Cargadas, 0);
    QCOMPARE(dosis.Estado, EstadoDosis::kPendiente);
}

void TestTDosis::cargaManual()
{
    TDosis dosis = Planificada(Celdas({{0, 4}}), kPorcionEntera, 10);
    dosis.Cargadas = dosis.Carga;
    dosis.ActualizarEstado();
    QCOMPARE(dosis.Estado, EstadoDosis::kCompletado);

    dosis.Disponible = 3;
    dosis.ActualizarEstado();
    QCOMPARE(dosis.Estado, EstadoDosis::kInsuficiente);
}

void TestTDosis::sinExpandir()
{
    TDosis emblistable;
    emblistable.Carga = emblistable.Cargadas = -1;
    emblistable.ActualizarEstado();
    QCOMPARE(emblistable.Estado, EstadoDosis::kSpdMal);
    QVERIFY(emblistable.SinExpandir());
    QVERIFY(!Planificada(Celdas({{0, 1}}), kPorcionEntera, 1).SinExpandir());
    QVERIFY(!TDosis().SinExpandir());
}

QTEST_GUILESS_MAIN(TestTDosis)
#include "test_tdosis.moc"
