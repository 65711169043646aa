// Handing out the boxes that arrived: the panel read and checked, the boxes given to the patients
// that miss them, the assignments, and the warning of boxes expiring before their load; on every
// engine.
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
constexpr qint64 kProducto = 1234568; // a product of it, the national code inside an EAN-13
constexpr qint64 kProductoFrancia = 12345678;
constexpr qint64 kPrincipio = 800000; // an active ingredient
constexpr int kUnidades = 28;
const QDate kHoy(2024, 5, 6);
const QDate kCaducidad(2027, 5, 1);
const QDateTime kAhora(kHoy, QTime(10, 30));

void Catalogo(TDM &dm, const QVariant &unidades = kUnidades)
{
    medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
    medicamento(dm, kProducto, QStringLiteral("ENALAPRIL CINFA"));
    medicamento(dm, kProductoFrancia, QStringLiteral("ENALAPRIL BIOGARAN"));
    medicamento(dm, kPrincipio, QStringLiteral("ENALAPRIL PA"));
    dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET IPrinActiv = 1 WHERE idMedicamento = ?"),
                {kPrincipio});
    dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET Unidades = ? WHERE idMedicamento = ?"),
                {unidades, kEnalapril});
}

TCamposReparto Panel(const QString &producto, const QString &lote = QStringLiteral("L1"),
                     const QString &caducidad = QStringLiteral("05/2027"),
                     const QString &cajas = QStringLiteral("3"),
                     const QString &cn = QString::number(kEnalapril))
{
    return {producto, cn, lote, caducidad, cajas};
}

QString Leido(const TRepartoLeido &leido)
{
    if (!leido.valido())
        return leido.error;
    return QStringLiteral("%1|%2|%3|%4|%5")
            .arg(leido.idProducto)
            .arg(leido.idMedicamento)
            .arg(leido.Lote, leido.Caducidad.toString(Qt::ISODate))
            .arg(leido.Cajas);
}

// The assignments as "reference|boxes|units", in reference order.
QStringList Asignadas(QList<TAsignacion> asignaciones)
{
    std::sort(asignaciones.begin(), asignaciones.end(),
              [](const TAsignacion &a, const TAsignacion &b) { return a.RefPaciente < b.RefPaciente; });
    QStringList filas;
    for (const TAsignacion &a : asignaciones) {
        filas << QStringLiteral("%1|%2|%3").arg(a.RefPaciente).arg(a.Cajas).arg(a.Unidades);
        if (a.IdMedicamentoR != kProducto || a.Lote != QLatin1String("L9") || a.Caducidad != kCaducidad
            || a.FechaAsignacion != kAhora || a.MedicamentoR != QLatin1String("ENALAPRIL CINFA 10 MG"))
            filas << QStringLiteral("wrong product, lot, expiry or date");
    }
    return filas;
}

TRepartoLeido Reparto(int cajas)
{
    TRepartoLeido reparto;
    reparto.idMedicamento = kEnalapril;
    reparto.idProducto = kProducto;
    reparto.Lote = QStringLiteral("L9");
    reparto.Caducidad = kCaducidad;
    reparto.Cajas = cajas;
    return reparto;
}

TFilaNecesidad Semana(qint64 idPaciente, int semana, qint64 idMedicamento, double faltan)
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

    // Two patients with a treatment line and 5 units in stock each; the second is listed first.
    struct Pacientes
    {
        int a = 0;
        int b = 0;
        QList<TPacienteMedicamento> lista(int cajasB, int cajasA) const
        {
            return {{b, QStringLiteral("REF-BEA"), QStringLiteral("BEA"), QStringLiteral(" "), 0,
                     double(cajasB)},
                    {a, QStringLiteral("REF-ANA"), QStringLiteral("ANA"), QStringLiteral(" "), 0,
                     double(cajasA)}};
        }
    };
    static Pacientes Alta(TDM &dm)
    {
        Pacientes p;
        p.a = paciente(dm, 1, QStringLiteral("ANA"));
        p.b = paciente(dm, 1, QStringLiteral("BEA"));
        for (const int id : {p.a, p.b}) {
            tratamiento(dm, id, kEnalapril, 5);
            stock(dm, id, kEnalapril, 5);
        }
        return p;
    }

private slots:
    void leerElPanel_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<int>("obligatorios");
        QTest::addColumn<TCamposReparto>("campos");
        QTest::addColumn<TCampoReparto>("campo");
        QTest::addColumn<QString>("leido");
        const QString inexistente = QStringLiteral("MEDICAMENTO INEXITENTE");
        const QString sinCaducidad = QStringLiteral("Obligatorio introducir CADUCIDAD medicamento");
        const QString cajasMal = QStringLiteral("CANTIDAD DE CAJAS A REPARTIR INCORRECTA");
        const QString aceptado = QStringLiteral("1234568|700001|L1|2027-05-01|3");
        using C = TCampoReparto;
        QTest::newRow("Spain keeps the last 7 of a scan")
                << "0" << 1 << Panel("8470001234568") << C::Ninguno << aceptado;
        QTest::newRow("France keeps the last 8")
                << "2" << 1 << Panel("3400912345678") << C::Ninguno << "12345678|700001|L1|2027-05-01|3";
        QTest::newRow("the United Kingdom keeps the whole code")
                << "3" << 1 << Panel("8470001234568") << C::Producto << inexistente;
        QTest::newRow("a code of another length") << "0" << 1 << Panel("12345") << C::Producto << inexistente;
        QTest::newRow("an active ingredient is no product")
                << "0" << 1 << Panel("800000") << C::Producto << inexistente;
        QTest::newRow("no product: the medication itself")
                << "0" << 1 << Panel("") << C::Ninguno << "700001|700001|L1|2027-05-01|3";
        QTest::newRow("a medication not in the catalogue")
                << "0" << 1 << Panel("", "L1", "05/2027", "3", "999") << C::CN
                << "Obligatorio introducir CODIGO medicamento";
        QTest::newRow("lot required")
                << "0" << 1 << Panel("1234568", "") << C::Lote << "Obligatorio introducir LOTE medicamento";
        QTest::newRow("a lot with the protocol separator")
                << "0" << 1 << Panel("1234568", "L;1") << C::Lote
                << "NO SE PERMITEN LOS CARACTERES PUNTO Y COMA NI BARRA VERTICAL";
        QTest::newRow("expiry required")
                << "0" << 1 << Panel("1234568", "L1", "") << C::Caducidad << sinCaducidad;
        QTest::newRow("not required: unknown lot, far expiry")
                << "0" << 0 << Panel("1234568", "", "") << C::Ninguno << "1234568|700001|*****|2500-12-31|3";
        QTest::newRow("month and short year")
                << "0" << 1 << Panel("1234568", "L1", "5/27") << C::Ninguno << aceptado;
        QTest::newRow("a full date") << "0" << 1 << Panel("1234568", "L1", "15/06/2026") << C::Ninguno
                                     << "1234568|700001|L1|2026-06-15|3";
        QTest::newRow("expiring today") << "0" << 1 << Panel("1234568", "L1", "06/05/2024") << C::Ninguno
                                        << "1234568|700001|L1|2024-05-06|3";
        QTest::newRow("expired") << "0" << 1 << Panel("1234568", "L1", "02/2020") << C::Caducidad
                                 << "El medicamento se encuentra caducado";
        QTest::newRow("not a date") << "0" << 1 << Panel("1234568", "L1", "13/2027") << C::Caducidad
                                    << sinCaducidad;
        QTest::newRow("no boxes") << "0" << 1 << Panel("1234568", "L1", "05/2027", " ") << C::Cajas
                                  << "INTRODUCIR CAJAS DE MEDICAMENTOS A REPARTIR";
        QTest::newRow("a box and a half")
                << "0" << 1 << Panel("1234568", "L1", "05/2027", "1,5") << C::Cajas << cajasMal;
        QTest::newRow("no box") << "0" << 1 << Panel("1234568", "L1", "05/2027", "0") << C::Cajas << cajasMal;
        QTest::newRow("negative boxes")
                << "0" << 1 << Panel("1234568", "L1", "05/2027", "-2") << C::Cajas << cajasMal;
    }
    void leerElPanel()
    {
        QFETCH(QString, pais);
        QFETCH(int, obligatorios);
        QFETCH(TCamposReparto, campos);
        QFETCH(TCampoReparto, campo);
        QFETCH(QString, leido);
        TestDatabase db;
        TDM dm(db.directory());
        Catalogo(dm);
        TPreferenciasValores preferencias;
        preferencias.Pais = pais;
        preferencias.IdatMedOB = obligatorios;

        const TRepartoLeido reparto = LeerReparto(dm, preferencias, campos, kHoy);
        QCOMPARE(Leido(reparto), leido);
        QCOMPARE(reparto.campo, campo);
    }

    void repartirEnElOrdenDeLaLista_data()
    {
        QTest::addColumn<int>("cajas");
        QTest::addColumn<QStringList>("asignadas");
        QTest::newRow("3 boxes over 2 and 2") << 3 << QStringList {"REF-ANA|1|28", "REF-BEA|2|56"};
        QTest::newRow("more boxes than missing") << 10 << QStringList {"REF-ANA|2|56", "REF-BEA|2|56"};
        QTest::newRow("one box") << 1 << QStringList {"REF-BEA|1|28"};
    }
    void repartirEnElOrdenDeLaLista()
    {
        QFETCH(int, cajas);
        QFETCH(QStringList, asignadas);
        TestDatabase db;
        TDM dm(db.directory());
        Catalogo(dm);
        const Pacientes p = Alta(dm);
        // Stock entered by hand on the same day is no assignment.
        dm.Anadir(QStringLiteral("Inventario"),
                  {{QStringLiteral("idPaciente"), p.a},
                   {QStringLiteral("idMedicamento"), kEnalapril},
                   {QStringLiteral("CantidadRestante"), 30},
                   {QStringLiteral("FechaAsignacion"), SqlFecha::valor(kAhora)},
                   {QStringLiteral("TipoAsignacion"), 0}});

        QList<TAsignacion> asignaciones;
        RepartirCajas(dm, p.lista(2, 2), Reparto(cajas), kAhora, asignaciones);
        QCOMPARE(Asignadas(asignaciones), asignadas);
        QCOMPARE(Asignadas(AsignacionesDesde(dm, kHoy)), asignadas);
        QVERIFY(AsignacionesDesde(dm, kHoy.addDays(1)).isEmpty());

        // Each box is one row of a full box; the treatment lines carry the new stock.
        const int filasA
                = dm.Valor(QStringLiteral("SELECT COUNT(*) FROM Inventario WHERE idPaciente = ? AND "
                                          "TipoAsignacion = 1 AND CantidadRestante = ? AND "
                                          "IdMedicamentoReal = ? AND Lote = ? AND Caducidad = ?"),
                           {p.a, kUnidades, kProducto, QStringLiteral("L9"), SqlFecha::valor(kCaducidad)})
                          .toInt();
        QCOMPARE(filasA * kUnidades, cajas == 3 ? 28 : cajas == 10 ? 56 : 0);
        QCOMPARE(sumaStock(dm, p.b), 5.0 + (cajas == 1 ? 28 : 56));
        QSqlQuery linea
                = dm.Consulta(QStringLiteral("SELECT Cantidad, Lote FROM SPD WHERE idPaciente = ?"), {p.b});
        QVERIFY(linea.next());
        QCOMPARE(linea.value(0).toDouble(), sumaStock(dm, p.b));
        QCOMPARE(linea.value(1).toString(), QStringLiteral("L1")); // the row expiring first

        // A later distribution adds to the same patient, product, lot and expiry.
        RepartirCajas(dm, p.lista(1, 0), Reparto(1), kAhora, asignaciones);
        QCOMPARE(asignaciones.size(), asignadas.size());
        QCOMPARE(Asignadas(asignaciones), Asignadas(AsignacionesDesde(dm, kHoy)));
    }

    void nadaEscritoSiFalla_data()
    {
        QTest::addColumn<QVariant>("unidades");
        QTest::addColumn<bool>("rechazarSegundo");
        QTest::addColumn<QString>("error");
        QTest::newRow("no units per box")
                << QVariant(0) << false
                << "El medicamento no tiene unidades por caja: indíquelas en el catálogo";
        QTest::newRow("units per box unknown")
                << QVariant() << false
                << "El medicamento no tiene unidades por caja: indíquelas en el "
                   "catálogo";
        QTest::newRow("the second patient's row refused") << QVariant(kUnidades) << true << QString();
    }
    void nadaEscritoSiFalla()
    {
        QFETCH(QVariant, unidades);
        QFETCH(bool, rechazarSegundo);
        QFETCH(QString, error);
        TestDatabase db;
        TDM dm(db.directory());
        Catalogo(dm, unidades);
        const Pacientes p = Alta(dm);
        if (rechazarSegundo)
            RechazarEscritura(dm, QStringLiteral("Inventario"), QStringLiteral("INSERT"),
                              QStringLiteral("NEW.idPaciente = %1").arg(p.b));
        const QStringList inventario
                = volcado(dm, QStringLiteral("Inventario"), QStringLiteral("idInventario"));
        const QStringList lineas = volcado(dm, QStringLiteral("SPD"), QStringLiteral("id"));

        QList<TAsignacion> asignaciones;
        try {
            RepartirCajas(dm, p.lista(2, 2), Reparto(4), kAhora, asignaciones);
            QFAIL("nothing refused");
        } catch (const AppError &fallo) {
            if (!error.isEmpty())
                QCOMPARE(fallo.message(), error);
        }
        QVERIFY(asignaciones.isEmpty());
        QCOMPARE(volcado(dm, QStringLiteral("Inventario"), QStringLiteral("idInventario")), inventario);
        QCOMPARE(volcado(dm, QStringLiteral("SPD"), QStringLiteral("id")), lineas);
    }

    void caducanAntesDeLaCarga_data()
    {
        QTest::addColumn<QDate>("caducidad");
        QTest::addColumn<QDate>("aviso");
        const QDate finPrimera = kHoy.addDays(6);
        QTest::newRow("inside the first week") << kHoy.addDays(2) << finPrimera;
        QTest::newRow("on the first week's last day") << finPrimera << finPrimera;
        QTest::newRow("the day after: a later first week") << finPrimera.addDays(1) << kHoy.addDays(20);
        QTest::newRow("after every first week") << kHoy.addDays(21) << QDate();
    }
    void caducanAntesDeLaCarga()
    {
        QFETCH(QDate, caducidad);
        QFETCH(QDate, aviso);
        // Patient 1 misses the medication in its second week, patient 2 misses nothing of it,
        // patient 3 misses it only from a later first week.
        const QList<TFilaNecesidad> cargas {Semana(1, 0, kEnalapril, 0), Semana(1, 1, kEnalapril, 3),
                                            Semana(2, 0, kEnalapril, 0), Semana(3, 2, kEnalapril, 7),
                                            Semana(1, 0, kProducto, 7)};
        const std::optional<QDate> fin = CaducanAntesDeLaCarga(caducidad, cargas, kEnalapril);
        QCOMPARE(fin.value_or(QDate()), aviso);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestRepartoCajas)
#include "test_reparto_cajas.moc"
