#include "core/common/Clock.h"
#include "core/dosing/URecarga.h"

#include <QTest>

namespace {

const QDate kDesde(2026, 6, 1); // a Monday
const QDate kHasta(2026, 6, 7);

TFilaPlan Fila(qint32 id, const QString &dosis, double cantidad)
{
    TFilaPlan fila;
    fila.id = id;
    fila.idMedicamento = 100 + id;
    fila.SPD = true;
    fila.Cantidad = cantidad;
    fila.Dosis = dosis;
    fila.DosisS1 = dosis;
    fila.Inicio = QDate(2026, 5, 1);
    fila.Lote = QStringLiteral("L1");
    fila.Caducidad = QDate(2027, 3, 31);
    fila.Medicamento = QStringLiteral("MED%1").arg(id);
    fila.Descripcion = QStringLiteral("1G");
    fila.Forma = QStringLiteral("REDONDO");
    fila.Color = QStringLiteral("BLANCO");
    return fila;
}

// A portion as the tests compare it: name, planned units, portion size, stock and state.
struct Porcion
{
    QString nombre;
    int carga;
    double porcion;
    double disponible;
    int estado;
    bool operator==(const Porcion &otra) const
    {
        return nombre == otra.nombre && carga == otra.carga && porcion == otra.porcion
                && EnCentesimas(disponible) == EnCentesimas(otra.disponible) && estado == otra.estado;
    }
};

QList<Porcion> Porciones(const TRecarga &carga)
{
    QList<Porcion> porciones;
    for (int i = 0; i < carga.Count(); ++i) {
        const TDosis &d = *carga.Linea(i);
        porciones.append({d.Nombre, d.Carga, d.Porcion, d.Disponible, d.Estado});
    }
    return porciones;
}

} // namespace

namespace QTest {
template<> char *toString(const Porcion &p)
{
    return qstrdup(QStringLiteral("(%1, %2, %3, %4, %5)")
                           .arg(p.nombre)
                           .arg(p.carga)
                           .arg(p.porcion)
                           .arg(p.disponible)
                           .arg(p.estado)
                           .toUtf8()
                           .constData());
}
} // namespace QTest

Q_DECLARE_METATYPE(std::vector<TFilaPlan>)

class TestLoadBuilder : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::fix(QDateTime(QDate(2026, 5, 20), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    void construirCarga_data();
    void construirCarga();
    void textosDeLaPorcion();
    void semanaYPlanDeLaPorcion();
    void emblistableNoSeExpande();
    void lineasQueNoDanNadaSeNombran_data();
    void lineasQueNoDanNadaSeNombran();
    void reconstruirVaciaLaCarga();
    void siguienteYCompleta();
    void reiniciar();
    void lineaFueraDeRango();
};

void TestLoadBuilder::construirCarga_data()
{
    QTest::addColumn<std::vector<TFilaPlan>>("filas");
    QTest::addColumn<QList<Porcion>>("esperadas");

    QTest::newRow("halves covered, wholes insufficient")
            << std::vector {Fila(1, "1,5-0-0-0:D:D:1", 5)}
            << QList<Porcion> {{"(1/2) MED1 1G", 7, 0.5, 3.5, 1}, {"MED1 1G", 7, 1.0, 1.5, 5}};
    QTest::newRow("every fraction, thirds first")
            << std::vector {Fila(1, "1,75-0-2-0,33:D:D:1", 30)}
            << QList<Porcion> {{"(1/3) MED1 1G", 7, 0.33, 2.31, 1},
                               {"(1/4) MED1 1G", 7, 0.25, 1.75, 1},
                               {"(1/2) MED1 1G", 7, 0.5, 3.5, 1},
                               {"MED1 1G", 21, 1.0, 30 - 2.31 - 1.75 - 3.5, 1}};
    QTest::newRow("21 thirds are covered by 6.93") << std::vector {Fila(1, "0,66-0-0,33-0:D:D:1", 6.93)}
                                                   << QList<Porcion> {{"(1/3) MED1 1G", 21, 0.33, 6.93, 1}};
    QTest::newRow("21 thirds are not covered by 6.92")
            << std::vector {Fila(1, "0,66-0-0,33-0:D:D:1", 6.92)}
            << QList<Porcion> {{"(1/3) MED1 1G", 21, 0.33, 6.92, 5}};
    QTest::newRow("3 thirds need 0.99") << std::vector {Fila(1, "0,33-0-0-0:D:D:2", 0.99)}
                                        << QList<Porcion> {{"(1/3) MED1 1G", 3, 0.33, 0.99, 1}};
    QTest::newRow("quarters covered by halves only")
            << std::vector {Fila(1, "0,75-0-0-0:D:D:1", 1)}
            << QList<Porcion> {{"(1/4) MED1 1G", 7, 0.25, 1.75, 1}, {"(1/2) MED1 1G", 7, 0.5, 1 - 1.75, 5}};

    TFilaPlan alFinal = Fila(1, "1-0-0-0:D:D:1", 10);
    alFinal.Inicio = kHasta;
    QTest::newRow("line starting on the window end")
            << std::vector {alFinal} << QList<Porcion> {{"MED1 1G", 1, 1.0, 10, 1}};
    TFilaPlan terminada = Fila(1, "1-0-0-0:D:D:1", 10);
    terminada.Fin = kDesde.addDays(-1);
    QTest::newRow("line ending the day before") << std::vector {terminada} << QList<Porcion> {};
    QTest::newRow("no lines") << std::vector<TFilaPlan> {} << QList<Porcion> {};

    TFilaPlan fueraPorLinea = Fila(1, "1-0-0-0:D:D:1", 0);
    fueraPorLinea.SPDP = 0;
    QTest::newRow("line override keeps it out of the blister")
            << std::vector {fueraPorLinea} << QList<Porcion> {{"MED1 1G", 0, 1.0, 0, 3}};
    TFilaPlan dentroPorLinea = Fila(1, "1-0-0-0:D:D:1", 7);
    dentroPorLinea.SPD = false;
    dentroPorLinea.SPDP = 1;
    QTest::newRow("line override puts it in the blister")
            << std::vector {dentroPorLinea} << QList<Porcion> {{"MED1 1G", 7, 1.0, 7, 1}};
    TFilaPlan otroValor = Fila(1, "1-0-0-0:D:D:1", 7);
    otroValor.SPDP = 2;
    QTest::newRow("any other override is no")
            << std::vector {otroValor} << QList<Porcion> {{"MED1 1G", 0, 1.0, 0, 3}};

    TFilaPlan textoLibre = Fila(1, "UNO SI DOLOR", 0);
    textoLibre.SPD = false;
    textoLibre.DosisS1 = kDosisNoBlister;
    QTest::newRow("free text outside the blister")
            << std::vector {textoLibre} << QList<Porcion> {{"MED1 1G", 0, 1.0, 0, 3}};

    TFilaPlan basura = Fila(2, "1-0-0-0:D:D:0", 10);
    QTest::newRow("a dose that does not parse leaves the others")
            << std::vector {basura, Fila(3, "0-1-0-0:S:1:1010100", 3)}
            << QList<Porcion> {{"MED3 1G", 3, 1.0, 3, 1}};

    TFilaPlan mismaMedicacion = Fila(2, "0-0-1-0:D:D:1", 4);
    mismaMedicacion.idMedicamento = 101;
    mismaMedicacion.Medicamento = QStringLiteral("MED1");
    QTest::newRow("two lines of one medication keep their own stock")
            << std::vector {Fila(1, "1-0-0-0:D:D:1", 7), mismaMedicacion}
            << QList<Porcion> {{"MED1 1G", 7, 1.0, 7, 1}, {"MED1 1G", 7, 1.0, 4, 5}};

    QStringList celdas(28, QStringLiteral("0"));
    celdas[0] = QStringLiteral("1,5");
    celdas[26] = QStringLiteral("0,50");
    QTest::newRow("weekly table") << std::vector {
            Fila(1, celdas.join(QLatin1Char('-')) + QStringLiteral(":T"),
                 2)} << QList<Porcion> {{"(1/2) MED1 1G", 2, 0.5, 1, 1}, {"MED1 1G", 1, 1.0, 1, 1}};

    TFilaPlan propio = Fila(1, "1-0-0-0:D:D:1", 7);
    propio.DescUsuario = QStringLiteral("MI PASTILLA");
    QTest::newRow("own description") << std::vector {propio}
                                     << QList<Porcion> {{"MI PASTILLA", 7, 1.0, 7, 1}};
}

void TestLoadBuilder::construirCarga()
{
    QFETCH(std::vector<TFilaPlan>, filas);
    QFETCH(QList<Porcion>, esperadas);
    TRecarga carga;
    ConstruirCarga(carga, filas, kDesde, kHasta);
    QCOMPARE(Porciones(carga), esperadas);
    QCOMPARE(carga.Completa(),
             esperadas.isEmpty() || std::all_of(esperadas.cbegin(), esperadas.cend(), [](auto &p) {
                 return p.estado == 3;
             }));
}

void TestLoadBuilder::textosDeLaPorcion()
{
    TFilaPlan fila = Fila(7, "1-0-0-0:D:D:1", 7);
    fila.Lote.reset();
    fila.Medico = QStringLiteral("DRA. RUIZ");
    fila.Comprimido = false;
    TRecarga carga;
    ConstruirCarga(carga, {fila}, kDesde, kHasta);
    QCOMPARE(carga.Count(), 1);
    const TDosis &porcion = *carga.Linea(0);
    QCOMPARE(porcion.IdLinea, 7);
    QCOMPARE(porcion.IdMedicamento, 107);
    QVERIFY(porcion.EsSPD);
    QCOMPARE(porcion.Lote, QStringLiteral("******"));
    QCOMPARE(porcion.Caducidad, QStringLiteral("31/03/2027"));
    QCOMPARE(porcion.Medico, QStringLiteral("DRA. RUIZ"));
    QCOMPARE(porcion.Dosis, QStringLiteral("1-0-0-0:D:D:1"));
    QCOMPARE(porcion.DosisEtiqueta, QStringLiteral("1-0-0-0:D:D:1"));
    QCOMPARE(porcion.Aspecto, QStringLiteral("CAPSULA REDONDO BLANCO"));
    QCOMPARE(porcion.AspectoCorto, QStringLiteral("CAP REDONDO BLANCO"));

    fila.Comprimido = true;
    fila.DosisEtiqueta = QStringLiteral("1 al desayuno");
    ConstruirCarga(carga, {fila}, kDesde, kHasta);
    QCOMPARE(carga.Linea(0)->Aspecto, QStringLiteral("COMPRIMIDO REDONDO BLANCO"));
    QCOMPARE(carga.Linea(0)->AspectoCorto, QStringLiteral("COM REDONDO BLANCO"));
    QCOMPARE(carga.Linea(0)->DosisEtiqueta, QStringLiteral("1 al desayuno"));
}

void TestLoadBuilder::semanaYPlanDeLaPorcion()
{
    TFilaPlan fila = Fila(1, "1-0-0-2:D:D:2", 20);
    fila.Inicio = kDesde;
    TRecarga carga;
    ConstruirCarga(carga, {fila}, kDesde, kHasta);
    const TDosis &porcion = *carga.Linea(0);
    const QString dia = QStringLiteral("1;0;0;2;");
    const QString nada = QStringLiteral("0;0;0;0;");
    QCOMPARE(porcion.ListaSemana, dia + nada + dia + nada + dia + nada + dia);
    QCOMPARE(porcion.Plan.at(0), 1);
    QCOMPARE(porcion.Plan.at(27), 2);
    QCOMPARE(porcion.Carga, 12);
    QVERIFY(EsArrayVacio(porcion.Actual));
}

void TestLoadBuilder::emblistableNoSeExpande()
{
    TFilaPlan fila = Fila(1, "1,5-0-0-0:D:D:1", 10);
    fila.DosisS1 = kDosisNoBlister;
    TRecarga carga;
    ConstruirCarga(carga, {fila}, kDesde, kHasta);
    QCOMPARE(carga.Count(), 2);
    for (int i = 0; i < carga.Count(); ++i) {
        const TDosis &porcion = *carga.Linea(i);
        QCOMPARE(porcion.Dosis, kDosisEmblistable);
        QCOMPARE(porcion.Estado, EstadoDosis::kSpdMal);
        QVERIFY(porcion.EsSPD);
        QVERIFY(porcion.SinExpandir());
    }
    QCOMPARE(carga.Linea(0)->Nombre, QStringLiteral("(1/2) MED1 1G"));
    QVERIFY(!carga.Completa());
}

// A blister line whose dose has no take at all would vanish from the blister unseen.
void TestLoadBuilder::lineasQueNoDanNadaSeNombran_data()
{
    QTest::addColumn<QString>("dosis");
    QTest::addColumn<bool>("nombrada");
    QTest::newRow("no take") << "0-0-0-0:D:D:1" << true;
    QTest::newRow("values that cannot be read") << "x-y-0-0:D:D:1" << true;
    QTest::newRow("a rule that never applies") << "1-0-0-0:D:D:0" << true;
    QTest::newRow("a table of zeros")
            << QStringList(28, QStringLiteral("0")).join(QLatin1Char('-')) + ":T" << true;
    QTest::newRow("a monthly take outside this week") << "1-0-0-0:M:D:20:1" << false;
    QTest::newRow("a daily take") << "1-0-0-0:D:D:1" << false;
}

void TestLoadBuilder::lineasQueNoDanNadaSeNombran()
{
    QFETCH(QString, dosis);
    QFETCH(bool, nombrada);
    TRecarga carga;
    ConstruirCarga(carga, {Fila(1, dosis, 10), Fila(2, "1-0-0-0:D:D:1", 10)}, kDesde, kHasta);
    QCOMPARE(carga.SinDosis, nombrada ? QStringList {QStringLiteral("MED1 1G")} : QStringList());
    ConstruirCarga(carga, {Fila(2, "1-0-0-0:D:D:1", 10)}, kDesde, kHasta);
    QVERIFY(carga.SinDosis.isEmpty()); // rebuilt from nothing
}

void TestLoadBuilder::reconstruirVaciaLaCarga()
{
    TRecarga carga;
    ConstruirCarga(carga, {Fila(1, "1,5-0-0-0:D:D:1", 5)}, kDesde, kHasta);
    QCOMPARE(carga.Count(), 2);
    ConstruirCarga(carga, {}, kDesde, kHasta);
    QCOMPARE(carga.Count(), 0);
    QVERIFY(carga.Completa());
}

void TestLoadBuilder::siguienteYCompleta()
{
    TFilaPlan fuera = Fila(1, "1-0-0-0:D:D:1", 0);
    fuera.SPDP = 0;
    TRecarga carga;
    ConstruirCarga(carga, {fuera, Fila(2, "1-0-0-0:D:D:1", 7), Fila(3, "0-1-0-0:D:D:1", 7)}, kDesde, kHasta);
    QCOMPARE(carga.PrimeraPendiente(), 1);

    TDosis *primera = carga.Siguiente();
    QCOMPARE(primera, carga.Linea(1));
    QCOMPARE(primera->Estado, EstadoDosis::kCargando);
    QCOMPARE(carga.Estado, EstadoDosis::kCargando);
    QCOMPARE(carga.Siguiente(), primera);

    primera->Estado = EstadoDosis::kCompletado;
    carga.Linea(2)->Estado = EstadoDosis::kCompletado;
    QVERIFY(carga.Completa());
    carga.Estado = 0;
    QCOMPARE(carga.Siguiente(), nullptr);
    QCOMPARE(carga.Estado, 0);
}

void TestLoadBuilder::reiniciar()
{
    TRecarga carga;
    ConstruirCarga(carga, {Fila(1, "1-0-0-0:D:D:1", 7)}, kDesde, kHasta);
    TDosis *porcion = carga.Siguiente();
    porcion->AsignarArray({1});
    porcion->Cargadas = 1;
    carga.Reiniciar();
    QCOMPARE(carga.Estado, EstadoDosis::kReiniciado);
    QCOMPARE(porcion->Estado, EstadoDosis::kReiniciado);
    QCOMPARE(porcion->Actual, porcion->Plan);
    QCOMPARE(porcion->Cargadas, 0);
    QCOMPARE(porcion->SumaActual, 7);
}

void TestLoadBuilder::lineaFueraDeRango()
{
    TRecarga carga;
    QCOMPARE(carga.Linea(0), nullptr);
    QCOMPARE(carga.Linea(-1), nullptr);
    ConstruirCarga(carga, {Fila(1, "1-0-0-0:D:D:1", 7)}, kDesde, kHasta);
    QVERIFY(carga.Linea(0));
    QCOMPARE(carga.Linea(1), nullptr);
}

QTEST_GUILESS_MAIN(TestLoadBuilder)
#include "test_load_builder.moc"
