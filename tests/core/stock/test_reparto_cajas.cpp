// Handing out the boxes that arrived: the panel read, the boxes given to the patients that miss
// them, the assignments, and boxes expiring before their load; on every engine.
#include "../loading/CargaPrueba.h"
#include "core/common/AppError.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/RepartoCajas.h"
#include "support/RechazoEscritura.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

#include <algorithm>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001; // the medication of the needs
constexpr qint64 kProducto = 1234568; // a product of it: the national code inside an EAN-13
const QDate kHoy(2024, 5, 6);
const QDateTime kAhora(kHoy, QTime(10, 30));

void Catalogo(TDM &dm, const QVariant &unidades = 28)
{
    medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
    medicamento(dm, kProducto, QStringLiteral("ENALAPRIL CINFA"));
    medicamento(dm, 12345678, QStringLiteral("ENALAPRIL BIOGARAN"));
    medicamento(dm, 800000, QStringLiteral("ENALAPRIL PA"));
    dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET IPrinActiv = 1 WHERE idMedicamento = 800000"));
    dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET Unidades = ?"), {unidades});
}

TCamposReparto Panel(const QString &producto, const QString &lote = QStringLiteral("L1"),
                     const QString &caducidad = QStringLiteral("05/2027"),
                     const QString &cajas = QStringLiteral("3"),
                     const QString &cn = QString::number(kEnalapril))
{
    return {producto, cn, lote, caducidad, cajas};
}

TRepartoLeido Reparto(int cajas)
{
    TRepartoLeido reparto;
    reparto.idMedicamento = kEnalapril;
    reparto.idProducto = kProducto;
    reparto.Lote = QStringLiteral("L9");
    reparto.Caducidad = QDate(2027, 5, 1);
    reparto.Cajas = cajas;
    return reparto;
}

// The assignments as "reference|boxes|units|product|lot|expiry|date", in reference order.
QStringList Asignadas(QList<TAsignacion> asignaciones)
{
    std::sort(asignaciones.begin(), asignaciones.end(),
              [](const TAsignacion &a, const TAsignacion &b) { return a.RefPaciente < b.RefPaciente; });
    QStringList filas;
    for (const TAsignacion &a : asignaciones)
        filas << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                         .arg(a.RefPaciente)
                         .arg(a.Cajas)
                         .arg(a.Unidades)
                         .arg(a.MedicamentoR, a.Lote, a.Caducidad.toString(Qt::ISODate),
                              a.FechaAsignacion.toString(Qt::ISODate));
    return filas;
}

// Two patients with a treatment line and a stock row of 5 units each; the second is listed first.
QList<TPacienteMedicamento> Pacientes(TDM &dm, int cajasBea, int cajasAna)
{
    QList<TPacienteMedicamento> lista;
    for (const QString &nombre : {QStringLiteral("ANA"), QStringLiteral("BEA")}) {
        const int id = paciente(dm, 1, nombre);
        tratamiento(dm, id, kEnalapril, 5);
        stock(dm, id, kEnalapril, 5);
        lista.prepend({id, QStringLiteral("REF-") + nombre, nombre, QStringLiteral(" "), 0,
                       double(nombre == QLatin1String("ANA") ? cajasAna : cajasBea)});
    }
    return lista;
}

TFilaNecesidad Semana(qint64 idPaciente, int semana, double faltan, qint64 idMedicamento = kEnalapril)
{
    TFilaNecesidad fila;
    fila.IdPaciente = idPaciente;
    fila.IdMedicamento = idMedicamento;
    fila.Fecini = kHoy.addDays(7 * semana);
    fila.Fecfin = fila.Fecini.addDays(6);
    fila.Faltan = faltan;
    return fila;
}

} // namespace

Q_DECLARE_METATYPE(TCamposReparto)
Q_DECLARE_METATYPE(TCampoReparto)

class TestRepartoCajas : public QObject
{
    Q_OBJECT

private slots:
    void leerElPanel_data()
    {
        QTest::addColumn<QString>("pais"); // a "-" after it: lot and expiry not required
        QTest::addColumn<TCamposReparto>("campos");
        QTest::addColumn<TCampoReparto>("campo");
        QTest::addColumn<QString>("leido"); // product|medication|lot|expiry|boxes, or the message
        const QString inexistente = QStringLiteral("MEDICAMENTO INEXITENTE");
        const QString sinCaducidad = QStringLiteral("Obligatorio introducir CADUCIDAD medicamento");
        const QString cajasMal = QStringLiteral("CANTIDAD DE CAJAS A REPARTIR INCORRECTA");
        const QString bien = QStringLiteral("1234568|700001|L1|2027-05-01|3");
        using C = TCampoReparto;
        QTest::newRow("Spain keeps the last 7") << "0" << Panel("8470001234568") << C::Ninguno << bien;
        QTest::newRow("France keeps the last 8")
                << "2" << Panel("3400912345678") << C::Ninguno << "12345678|700001|L1|2027-05-01|3";
        QTest::newRow("the UK keeps it whole") << "3" << Panel("8470001234568") << C::Producto << inexistente;
        QTest::newRow("a code too short") << "0" << Panel("12345") << C::Producto << inexistente;
        QTest::newRow("an active ingredient") << "0" << Panel("800000") << C::Producto << inexistente;
        QTest::newRow("no product: the medication")
                << "0" << Panel("") << C::Ninguno << "700001|700001|L1|2027-05-01|3";
        QTest::newRow("unknown medication") << "0" << Panel("", "L1", "05/2027", "3", "999") << C::CN
                                            << "Obligatorio introducir CODIGO medicamento";
        QTest::newRow("lot required")
                << "0" << Panel("1234568", "") << C::Lote << "Obligatorio introducir LOTE medicamento";
        QTest::newRow("expiry required") << "0" << Panel("1234568", "L1", "") << C::Caducidad << sinCaducidad;
        QTest::newRow("not required")
                << "0-" << Panel("1234568", "", "") << C::Ninguno << "1234568|700001|*****|2500-12-31|3";
        QTest::newRow("5/27") << "0" << Panel("1234568", "L1", "5/27") << C::Ninguno << bien;
        QTest::newRow("expiring today") << "0" << Panel("1234568", "L1", "06/05/2024") << C::Ninguno
                                        << "1234568|700001|L1|2024-05-06|3";
        QTest::newRow("02/2020 expired") << "0" << Panel("1234568", "L1", "02/2020") << C::Caducidad
                                         << "El medicamento se encuentra caducado";
        QTest::newRow("not a date") << "0" << Panel("1234568", "L1", "13/2027") << C::Caducidad
                                    << sinCaducidad;
        QTest::newRow("no boxes") << "0" << Panel("1234568", "L1", "05/2027", " ") << C::Cajas
                                  << "INTRODUCIR CAJAS DE MEDICAMENTOS A REPARTIR";
        QTest::newRow("1,5 boxes") << "0" << Panel("1234568", "L1", "05/2027", "1,5") << C::Cajas << cajasMal;
        QTest::newRow("0 boxes") << "0" << Panel("1234568", "L1", "05/2027", "0") << C::Cajas << cajasMal;
        QTest::newRow("-2 boxes") << "0" << Panel("1234568", "L1", "05/2027", "-2") << C::Cajas << cajasMal;
    }
    void leerElPanel()
    {
        QFETCH(QString, pais);
        QFETCH(TCamposReparto, campos);
        QFETCH(TCampoReparto, campo);
        QFETCH(QString, leido);
        TestDatabase db;
        TDM dm(db.directory());
        Catalogo(dm);
        TPreferenciasValores preferencias;
        preferencias.Pais = pais.left(1);
        preferencias.IdatMedOB = pais.endsWith(QLatin1Char('-')) ? 0 : 1;
        const TRepartoLeido r = LeerReparto(dm, preferencias, campos, kHoy);
        QCOMPARE(r.valido() ? QStringLiteral("%1|%2|%3|%4|%5")
                                      .arg(r.idProducto)
                                      .arg(r.idMedicamento)
                                      .arg(r.Lote, r.Caducidad.toString(Qt::ISODate))
                                      .arg(r.Cajas)
                            : r.error,
                 leido);
        QCOMPARE(r.campo, campo);
    }

    void repartirEnElOrdenDeLaLista_data()
    {
        QTest::addColumn<int>("cajas");
        QTest::addColumn<QStringList>("asignadas");
        const QString caja = QStringLiteral("|ENALAPRIL CINFA 10 MG|L9|2027-05-01|2024-05-06T10:30:00");
        QTest::newRow("3 boxes over 2 and 2")
                << 3 << QStringList {"REF-ANA|1|28" + caja, "REF-BEA|2|56" + caja};
        QTest::newRow("more than missing")
                << 10 << QStringList {"REF-ANA|2|56" + caja, "REF-BEA|2|56" + caja};
        QTest::newRow("one box") << 1 << QStringList {"REF-BEA|1|28" + caja};
    }
    void repartirEnElOrdenDeLaLista()
    {
        QFETCH(int, cajas);
        QFETCH(QStringList, asignadas);
        TestDatabase db;
        TDM dm(db.directory());
        Catalogo(dm);
        const QList<TPacienteMedicamento> pacientes = Pacientes(dm, 2, 2);
        // Stock entered by hand the same day is no assignment.
        dm.Anadir(QStringLiteral("Inventario"),
                  {{QStringLiteral("idPaciente"), pacientes.first().IdPaciente},
                   {QStringLiteral("FechaAsignacion"), SqlFecha::valor(kAhora)},
                   {QStringLiteral("TipoAsignacion"), 0}});

        QList<TAsignacion> asignaciones;
        RepartirCajas(dm, pacientes, Reparto(cajas), kAhora, asignaciones);
        QCOMPARE(Asignadas(asignaciones), asignadas);
        QCOMPARE(Asignadas(AsignacionesDesde(dm, kHoy)), asignadas);
        QVERIFY(AsignacionesDesde(dm, kHoy.addDays(1)).isEmpty());
        // Each box is a stock row of a full box; the treatment line carries the summary again.
        const qint64 bea = pacientes.first().IdPaciente;
        QCOMPARE(sumaStock(dm, int(bea)), 5.0 + 28 * qMin(cajas, 2));
        TConsulta linea
                = dm.Consulta(QStringLiteral("SELECT Cantidad, Lote FROM SPD WHERE idPaciente = ?"), {bea});
        QVERIFY(linea.next());
        QCOMPARE(linea.value(0).toDouble(), sumaStock(dm, int(bea)));
        QCOMPARE(linea.value(1).toString(), QStringLiteral("L1")); // the row expiring first
        // A later distribution of the same product, lot and expiry adds to its line.
        RepartirCajas(dm, {pacientes.first()}, Reparto(1), kAhora, asignaciones);
        QCOMPARE(asignaciones.size(), asignadas.size());
        QCOMPARE(Asignadas(asignaciones), Asignadas(AsignacionesDesde(dm, kHoy)));
    }

    void nadaEscritoSiFalla_data()
    {
        QTest::addColumn<QVariant>("unidades");
        QTest::addColumn<QString>("error"); // empty: the second patient's rows are refused
        const QString sinUnidades
                = QStringLiteral("El medicamento no tiene unidades por caja: indíquelas en el catálogo");
        QTest::newRow("no units per box") << QVariant(0) << sinUnidades;
        QTest::newRow("units per box unknown") << QVariant() << sinUnidades;
        QTest::newRow("a row refused") << QVariant(28) << QString();
    }
    void nadaEscritoSiFalla()
    {
        QFETCH(QVariant, unidades);
        QFETCH(QString, error);
        TestDatabase db;
        TDM dm(db.directory());
        Catalogo(dm, unidades);
        const QList<TPacienteMedicamento> pacientes = Pacientes(dm, 2, 2);
        if (error.isEmpty()) // ANA is written first (lower identifier), then BEA is refused
            RechazarEscritura(dm, QStringLiteral("Inventario"), QStringLiteral("INSERT"),
                              QStringLiteral("NEW.idPaciente = %1").arg(pacientes.first().IdPaciente));
        const QStringList inventario
                = volcado(dm, QStringLiteral("Inventario"), QStringLiteral("idInventario"));
        const QStringList lineas = volcado(dm, QStringLiteral("SPD"), QStringLiteral("id"));
        QList<TAsignacion> asignaciones;
        try {
            RepartirCajas(dm, pacientes, Reparto(4), kAhora, asignaciones);
            QFAIL("nothing refused");
        } catch (const AppError &fallo) {
            QVERIFY(error.isEmpty() || fallo.message() == error);
        }
        QVERIFY(asignaciones.isEmpty());
        QCOMPARE(volcado(dm, QStringLiteral("Inventario"), QStringLiteral("idInventario")), inventario);
        QCOMPARE(volcado(dm, QStringLiteral("SPD"), QStringLiteral("id")), lineas);
    }

    void caducanAntesDeLaCarga_data()
    {
        QTest::addColumn<int>("caduca"); // days from today
        QTest::addColumn<int>("aviso"); // the week's end in days from today; -1: none
        QTest::newRow("inside the first week") << 2 << 6;
        QTest::newRow("on its last day") << 6 << 6;
        QTest::newRow("the day after: a later first week") << 7 << 20;
        QTest::newRow("after every first week") << 21 << -1;
    }
    void caducanAntesDeLaCarga()
    {
        QFETCH(int, caduca);
        QFETCH(int, aviso);
        // Patient 1 misses the medication in its second week, patient 2 misses nothing, patient 3
        // has it from its third week.
        const QList<TFilaNecesidad> cargas {Semana(1, 0, 0), Semana(1, 1, 3), Semana(2, 0, 0),
                                            Semana(3, 2, 7), Semana(2, 0, 7, kProducto)};
        const std::optional<QDate> fin = CaducanAntesDeLaCarga(kHoy.addDays(caduca), cargas, kEnalapril);
        QCOMPARE(fin.value_or(QDate()), aviso < 0 ? QDate() : kHoy.addDays(aviso));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestRepartoCajas)
#include "test_reparto_cajas.moc"
