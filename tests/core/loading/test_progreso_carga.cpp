#include "core/dosing/URecarga.h"
#include "core/loading/ProgresoCarga.h"

#include <QTest>

namespace {

TArrayPastillas Celdas(std::initializer_list<std::pair<int, qint32>> valores)
{
    TArrayPastillas celdas(kCeldasSemana, 0);
    for (const auto &[celda, unidades] : valores)
        celdas[celda] = unidades;
    return celdas;
}

QString Lista(const TArrayPastillas &celdas)
{
    QString lista;
    for (const qint32 cuenta : celdas)
        lista += QString::number(cuenta) + QLatin1Char(';');
    return lista;
}

// A blister portion planned with the cells, as the load builder leaves it.
std::unique_ptr<TDosis> Porcion(const TArrayPastillas &plan, bool enBlister = true)
{
    auto porcion = std::make_unique<TDosis>(1.0);
    porcion->EsSPD = enBlister;
    porcion->Disponible = 100;
    porcion->AsignarLista(Lista(plan), false);
    porcion->VaciarActual();
    return porcion;
}

const TArrayPastillas kPlanA = Celdas({{0, 2}, {4, 2}});
const TArrayPastillas kPlanB = Celdas({{1, 1}});

// Two blister portions and one outside the blister; the first is being placed.
TRecarga DosPorciones(int &indice)
{
    TRecarga carga;
    carga.Add(Porcion(kPlanA));
    carga.Add(Porcion(kPlanB));
    auto fuera = std::make_unique<TDosis>(1.0);
    fuera->ActualizarEstado(); // nothing to place: completed
    carga.Add(std::move(fuera));
    indice = carga.PrimeraPendiente();
    carga.Siguiente();
    return carga;
}

} // namespace

// How the machine's progress reports move the load on.
class TestProgresoCarga : public QObject
{
    Q_OBJECT

private slots:
    void unInformeActualizaLaPorcionEnCurso()
    {
        int indice = 0;
        TRecarga carga = DosPorciones(indice);
        QCOMPARE(AplicarInforme(carga, indice, Celdas({{0, 1}}), 2, 1), TEfectoInforme::Actualizado);
        QCOMPARE(indice, 0);
        QCOMPARE(carga.Linea(0)->Estado, quint8(2));
        QCOMPARE(carga.Linea(0)->Cargadas, 1);
        QCOMPARE(carga.Linea(0)->Actual, Celdas({{0, 1}}));
    }

    void completarPasaALaSiguiente()
    {
        int indice = 0;
        TRecarga carga = DosPorciones(indice);
        QCOMPARE(AplicarInforme(carga, indice, kPlanA, 3, 4), TEfectoInforme::Actualizado);
        QCOMPARE(indice, 1);
        QCOMPARE(AplicarInforme(carga, indice, kPlanB, 3, 1), TEfectoInforme::Actualizado);
        QVERIFY(carga.Completa());
        // Once complete, nothing more is taken.
        QCOMPARE(AplicarInforme(carga, indice, kPlanB, 2, 1), TEfectoInforme::Ignorado);
    }

    void informeVacioNoBorraElProgreso_data()
    {
        QTest::addColumn<bool>("conProgreso");
        QTest::newRow("portion not started") << false;
        QTest::newRow("after progress was reported") << true;
    }
    void informeVacioNoBorraElProgreso()
    {
        QFETCH(bool, conProgreso);
        int indice = 0;
        TRecarga carga = DosPorciones(indice);
        if (conProgreso)
            AplicarInforme(carga, indice, Celdas({{0, 1}}), 2, 1);
        const TArrayPastillas antes = carga.Linea(0)->Actual;
        QCOMPARE(AplicarInforme(carga, indice, Celdas({}), 2, 0), TEfectoInforme::Ignorado);
        QCOMPARE(carga.Linea(0)->Actual, antes);
    }

    void estadoCuatroCancela()
    {
        int indice = 0;
        TRecarga carga = DosPorciones(indice);
        QCOMPARE(AplicarInforme(carga, indice, Celdas({}), 4, 0), TEfectoInforme::Cancelar);
    }

    void informeFueraDelPlanSeIgnora_data()
    {
        QTest::addColumn<TArrayPastillas>("pastillas");
        QTest::newRow("a cell no portion plans") << Celdas({{27, 1}});
        QTest::newRow("more than any plan in a cell") << Celdas({{0, 3}});
        QTest::newRow("a negative count") << Celdas({{0, -1}});
        QTest::newRow("more cells than a blister") << TArrayPastillas(kCeldasSemana + 1, 0);
    }
    void informeFueraDelPlanSeIgnora()
    {
        QFETCH(TArrayPastillas, pastillas);
        int indice = 0;
        TRecarga carga = DosPorciones(indice);
        QCOMPARE(AplicarInforme(carga, indice, pastillas, 2, 1), TEfectoInforme::Ignorado);
        QCOMPARE(indice, 0);
        QCOMPARE(carga.Linea(0)->Estado, quint8(2));
        QCOMPARE(carga.Linea(1)->Estado, quint8(1));
    }

    // The machine reports "not enough units" for the first medication and goes on with the next:
    // the next reports go to the next portion, also when they would fit the insufficient one.
    void trasInsuficienteSigueConLaSiguiente()
    {
        int indice = 0;
        TRecarga carga = DosPorciones(indice);
        QCOMPARE(AplicarInforme(carga, indice, Celdas({{0, 2}, {4, 1}}), 5, 3), TEfectoInforme::Actualizado);
        QCOMPARE(indice, 1);
        QCOMPARE(AplicarInforme(carga, indice, kPlanB, 3, 1), TEfectoInforme::Actualizado);
        QCOMPARE(carga.Linea(0)->Estado, quint8(5));
        QCOMPARE(carga.Linea(0)->Cargadas, 3);
        QCOMPARE(carga.Linea(1)->Estado, quint8(3));
        QVERIFY(!carga.Completa());
    }

    // A report that does not fit the portion being placed belongs to the next one it fits.
    void informeDeLaSiguientePorcion()
    {
        int indice = 0;
        TRecarga carga = DosPorciones(indice);
        QCOMPARE(AplicarInforme(carga, indice, kPlanB, 2, 1), TEfectoInforme::Actualizado);
        QCOMPARE(indice, 1);
        QCOMPARE(carga.Linea(1)->Cargadas, 1);
        QCOMPARE(carga.Linea(0)->Cargadas, 0);
    }

    void sinPorcionEnCursoSeIgnora()
    {
        TRecarga carga;
        carga.Add(Porcion(kPlanA, false));
        carga.Linea(0)->Estado = 1;
        int indice = 0;
        QCOMPARE(AplicarInforme(carga, indice, Celdas({{0, 1}}), 2, 1), TEfectoInforme::Ignorado);
        indice = 7;
        QCOMPARE(AplicarInforme(carga, indice, Celdas({{0, 1}}), 2, 1), TEfectoInforme::Ignorado);
    }
};

QTEST_GUILESS_MAIN(TestProgresoCarga)
#include "test_progreso_carga.moc"
