#include "CargaPrueba.h"
#include "core/common/Clock.h"
#include "core/loading/GuardarCarga.h"
#include "core/loading/LineasCarga.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
const QDate kLunes(2024, 5, 6);

struct LineaGuardada
{
    double cantidad;
    QString lote;
    qint64 inventario;
    qint64 producto;
    QDate caducidad;
    bool spd;
};

QList<LineaGuardada> lineas(TDM &dm, qint64 idRecarga)
{
    QList<LineaGuardada> resultado;
    TConsulta query = dm.Consulta(
            QStringLiteral("SELECT Cantidad, Lote, idInventario, idMedicamentoR, Caducidad, SPD "
                           "FROM RecargaLinea WHERE idRecarga = ? ORDER BY idRecargaLinea"),
            {idRecarga});
    while (query.next())
        resultado.append({query.value(0).toDouble(), query.value(1).toString(), query.value(2).toLongLong(),
                          query.value(3).toLongLong(), SqlFecha::leerDia(query.value(4)),
                          query.value(5).toInt() != 0});
    return resultado;
}

// The rows' quantities by creation order; -1 for a row that is gone.
QList<double> restantes(TDM &dm, const QList<qint64> &ids)
{
    QList<double> resultado;
    for (const qint64 id : ids) {
        const QVariant valor = dm.Valor(
                QStringLiteral("SELECT CantidadRestante FROM Inventario WHERE idInventario = ?"), {id});
        resultado.append(valor.isNull() ? -1.0 : valor.toDouble());
    }
    return resultado;
}

double cantidadTratamiento(TDM &dm, int id)
{
    return dm.Valor(QStringLiteral("SELECT Cantidad FROM SPD WHERE id = ?"), {id}).toDouble();
}

// A statement that makes the database refuse the lines of one medication, as a full disk or a
// lost server would, part-way through storing a load.
void rechazarLineasDe(TDM &dm, qint64 idMedicamento)
{
    if (dm.motor() == SqlEngine::SQLite) {
        dm.Ejecutar(
                QStringLiteral(
                        "CREATE TRIGGER rechazo BEFORE INSERT ON RecargaLinea WHEN NEW.idMedicamento = %1 "
                        "BEGIN SELECT RAISE(ABORT, 'rechazada'); END")
                        .arg(idMedicamento));
        return;
    }
    dm.Ejecutar(QStringLiteral(
            "CREATE FUNCTION rechazo() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'rechazada'; "
            "END $$ LANGUAGE plpgsql"));
    dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazo BEFORE INSERT ON RecargaLinea FOR EACH ROW "
                               "WHEN (NEW.idMedicamento = %1) EXECUTE FUNCTION rechazo()")
                        .arg(idMedicamento));
}

} // namespace

class TestGuardarCarga : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { uLog::CerrarLog(); }

    // One portion against the patient's stock rows of its medication, in entry order. Lines
    // are "quantity@row" (row 1, 2 ... of the list) or "quantity@*" for the line of no lot.
    void consumption_data()
    {
        QTest::addColumn<double>("tamano");
        QTest::addColumn<int>("unidades");
        QTest::addColumn<QList<double>>("filas");
        QTest::addColumn<QStringList>("esperadas");
        QTest::addColumn<QList<double>>("quedan");
        QTest::newRow("wholes from a row with a half left, then the next row")
                << 1.0 << 7 << QList<double> {5.5, 10} << QStringList {"5@1", "2@2"}
                << QList<double> {0.5, 8};
        QTest::newRow("halves empty the first row, which goes")
                << 0.5 << 7 << QList<double> {2, 10} << QStringList {"2@1", "1.5@2"}
                << QList<double> {-1, 8.5};
        QTest::newRow("thirds in hundredths")
                << 0.33 << 3 << QList<double> {5} << QStringList {"0.99@1"} << QList<double> {4.01};
        QTest::newRow("need met, later rows untouched")
                << 1.0 << 2 << QList<double> {5, 5} << QStringList {"2@1"} << QList<double> {3, 5};
        QTest::newRow("rows run out: the rest has no lot")
                << 1.0 << 7 << QList<double> {3} << QStringList {"3@1", "4@*"} << QList<double> {-1};
        QTest::newRow("no stock row at all")
                << 1.0 << 7 << QList<double> {} << QStringList {"7@*"} << QList<double> {};
        QTest::newRow("a half is no whole")
                << 1.0 << 7 << QList<double> {0.5} << QStringList {"7@*"} << QList<double> {0.5};
        QTest::newRow("quarters leave a sliver that goes")
                << 0.25 << 5 << QList<double> {1.1} << QStringList {"1@1", "0.25@*"} << QList<double> {-1};
        QTest::newRow("a sliver below a quarter is tidied away")
                << 1.0 << 2 << QList<double> {0.2, 10} << QStringList {"2@2"} << QList<double> {-1, 8};
    }
    void consumption()
    {
        QFETCH(double, tamano);
        QFETCH(int, unidades);
        QFETCH(QList<double>, filas);
        QFETCH(QStringList, esperadas);
        QFETCH(QList<double>, quedan);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        QList<qint64> ids;
        for (const double cantidad : filas)
            ids << stock(dm, idPaciente, kEnalapril, cantidad, QStringLiteral("L%1").arg(ids.size() + 1));

        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, tamano, unidades));
        const qint64 id = GuardarCarga(carga, kLunes, kLunes.addDays(6));
        QVERIFY(id > 0);

        QStringList guardadas;
        for (const LineaGuardada &l : lineas(dm, id)) {
            const qsizetype fila = ids.indexOf(l.inventario);
            guardadas << QString::number(l.cantidad) + QLatin1Char('@')
                            + (l.inventario == 0 ? QStringLiteral("*") : QString::number(fila + 1));
            QCOMPARE(l.lote == kLoteSinStock, l.inventario == 0);
        }
        QCOMPARE(guardadas, esperadas);
        QCOMPARE(restantes(dm, ids), quedan);
        const double necesidad = EnCentesimas(tamano) * unidades / 100.0;
        QCOMPARE(cantidadTratamiento(dm, linea), (EnCentesimas(20) - EnCentesimas(necesidad)) / 100.0);
        QCOMPARE(carga.Linea(0)->Disponible, cantidadTratamiento(dm, linea));
    }

    void twoRowsOfOneLotMakeOneLine()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        const qint64 primera = stock(dm, idPaciente, kEnalapril, 3);
        stock(dm, idPaciente, kEnalapril, 3);
        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, 1.0, 5));
        const QList<LineaGuardada> guardadas = lineas(dm, GuardarCarga(carga, kLunes, kLunes.addDays(6)));
        QCOMPARE(guardadas.size(), 1);
        QCOMPARE(guardadas.at(0).cantidad, 5.0);
        QCOMPARE(guardadas.at(0).inventario, primera);
    }

    void theProductUsedIsTheStockRowsProduct()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        stock(dm, idPaciente, kEnalapril, 3, QStringLiteral("GEN"), QDate(2027, 1, 31), 700002);
        stock(dm, idPaciente, kEnalapril, 9, QStringLiteral("L1"), QDate(2026, 3, 31));
        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, 1.0, 7));
        const QList<LineaGuardada> guardadas = lineas(dm, GuardarCarga(carga, kLunes, kLunes.addDays(6)));
        QCOMPARE(guardadas.size(), 2);
        QCOMPARE(guardadas.at(0).producto, 700002);
        QCOMPARE(guardadas.at(0).caducidad, QDate(2027, 1, 31));
        QCOMPARE(guardadas.at(0).lote, QStringLiteral("GEN"));
        QCOMPARE(guardadas.at(1).producto, kEnalapril);
        QCOMPARE(guardadas.at(1).caducidad, QDate(2026, 3, 31));
    }

    void withoutStockControlNothingIsTaken_data()
    {
        QTest::addColumn<QVariant>("conInventario");
        QTest::addColumn<bool>("controla");
        QTest::newRow("flag 0") << QVariant(0) << false;
        QTest::newRow("flag Null counts as control") << QVariant() << true;
        QTest::newRow("flag 1") << QVariant(1) << true;
    }
    void withoutStockControlNothingIsTaken()
    {
        QFETCH(QVariant, conInventario);
        QFETCH(bool, controla);
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm, conInventario);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        const qint64 fila = stock(dm, idPaciente, kEnalapril, 10);
        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, 0.5, 7));
        const QList<LineaGuardada> guardadas = lineas(dm, GuardarCarga(carga, kLunes, kLunes.addDays(6)));
        QCOMPARE(guardadas.size(), 1);
        QCOMPARE(guardadas.at(0).cantidad, 3.5);
        QCOMPARE(guardadas.at(0).inventario, controla ? fila : 0);
        QCOMPARE(guardadas.at(0).lote, controla ? QStringLiteral("L1") : kLoteSinStock);
        if (!controla)
            QCOMPARE(guardadas.at(0).caducidad, kCaducidadSinStock);
        QCOMPARE(restantes(dm, {fila}), QList<double> {controla ? 6.5 : 10.0});
        QCOMPARE(cantidadTratamiento(dm, linea), controla ? 16.5 : 20.0);
    }

    void aMedicationOutsideTheBlisterIsListedWithoutTakingStock()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        const qint64 fila = stock(dm, idPaciente, kEnalapril, 10);
        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, 1.0, 0, false));
        const QList<LineaGuardada> guardadas = lineas(dm, GuardarCarga(carga, kLunes, kLunes.addDays(6)));
        QCOMPARE(guardadas.size(), 1);
        QCOMPARE(guardadas.at(0).cantidad, 0.0);
        QCOMPARE(guardadas.at(0).lote, kLoteSinStock);
        QCOMPARE(guardadas.at(0).spd, false);
        QCOMPARE(restantes(dm, {fila}), QList<double> {10.0});
        QCOMPARE(cantidadTratamiento(dm, linea), 20.0);
    }

    void aPortionListedWithoutItsWeekNeedsNothing()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        TRecarga carga;
        auto sinSemana = porcion(linea, kEnalapril, 0.5, 0, false);
        sinSemana->Carga = -1;
        carga.Add(std::move(sinSemana));
        const QList<LineaGuardada> guardadas = lineas(dm, GuardarCarga(carga, kLunes, kLunes.addDays(6)));
        QCOMPARE(guardadas.size(), 1);
        QCOMPARE(guardadas.at(0).cantidad, 0.0);
        QCOMPARE(cantidadTratamiento(dm, linea), 20.0);
    }

    void aRemovedTreatmentLineStillRecordsThePortion()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const qint64 fila = stock(dm, idPaciente, kEnalapril, 10);
        TRecarga carga;
        carga.Add(porcion(999, kEnalapril, 1.0, 7));
        const QList<LineaGuardada> guardadas = lineas(dm, GuardarCarga(carga, kLunes, kLunes.addDays(6)));
        QCOMPARE(guardadas.size(), 1);
        QCOMPARE(guardadas.at(0).cantidad, 7.0);
        QCOMPARE(guardadas.at(0).lote, kLoteSinStock);
        QCOMPARE(restantes(dm, {fila}), QList<double> {10.0});
    }

    void theHeaderAndTheCounter()
    {
        TestDatabase db;
        TDM dm(db.directory());
        FixedClock reloj(QDateTime(QDate(2024, 5, 5), QTime(18, 30, 0)));
        const int idPaciente = paciente(dm);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET NumeroUltimaCargaRealizada = 4 WHERE idPaciente = ?"),
                    {idPaciente});
        const int idUsuario = int(
                dm.Anadir(QStringLiteral("Usuario"), {{QStringLiteral("username"), QStringLiteral("ana")}}));
        dm.Usuario = TUsuario {idUsuario, QStringLiteral("ana"), QStringLiteral("ANA"),
                               QStringLiteral("AUXILIAR"), false};
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        TRecarga carga;
        carga.Humedad = 45;
        carga.Temperatura = 21;
        carga.Add(porcion(linea, kEnalapril, 1.0, 7));
        const qint64 id = GuardarCarga(carga, kLunes, kLunes.addDays(6));
        TConsulta cabecera = dm.Consulta(QStringLiteral("SELECT * FROM Recarga WHERE idRecarga = ?"), {id});
        QVERIFY(cabecera.next());
        const QSqlRecord fila = cabecera.record();
        QCOMPARE(fila.value(QStringLiteral("refRecarga")).toInt(), 5);
        QCOMPARE(fila.value(QStringLiteral("idPaciente")).toInt(), idPaciente);
        QCOMPARE(SqlFecha::leer(fila.value(QStringLiteral("FechaRealizado"))), Clock::now());
        QCOMPARE(SqlFecha::leerDia(fila.value(QStringLiteral("FechaInicio"))), kLunes);
        QCOMPARE(SqlFecha::leerDia(fila.value(QStringLiteral("FechaFin"))), kLunes.addDays(6));
        QCOMPARE(fila.value(QStringLiteral("Estado")).toInt(), 0);
        QCOMPARE(fila.value(QStringLiteral("idUsuario")).toInt(), idUsuario);
        QCOMPARE(fila.value(QStringLiteral("Humedad")).toInt(), 45);
        QCOMPARE(fila.value(QStringLiteral("Temperatura")).toInt(), 21);
        QCOMPARE(fila.value(QStringLiteral("TomasRetornadas")).toInt(), 0);
        TConsulta contador
                = dm.Consulta(QStringLiteral("SELECT NumeroUltimaCargaRealizada, FechaUltimaCargaRealizada "
                                             "FROM Paciente WHERE idPaciente = ?"),
                              {idPaciente});
        QVERIFY(contador.next());
        QCOMPARE(contador.value(0).toInt(), 5);
        QCOMPARE(SqlFecha::leerDia(contador.value(1)), kLunes);
    }

    void aNumberOfAStoredLoadIsNeverGivenAgain()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        dm.Anadir(QStringLiteral("Recarga"),
                  {{QStringLiteral("idPaciente"), idPaciente}, {QStringLiteral("refRecarga"), 8}});
        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, 1.0, 1));
        const qint64 id = GuardarCarga(carga, kLunes, kLunes.addDays(6));
        QCOMPARE(dm.Valor(QStringLiteral("SELECT refRecarga FROM Recarga WHERE idRecarga = ?"), {id}).toInt(),
                 9);
    }

    void anEmptyLoadWritesNothing()
    {
        TestDatabase db;
        TDM dm(db.directory());
        paciente(dm);
        const QStringList pacientes = volcado(dm, QStringLiteral("Paciente"), QStringLiteral("idPaciente"));
        TRecarga carga;
        QCOMPARE(GuardarCarga(carga, kLunes, kLunes.addDays(6)), -1);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT count(*) FROM Recarga")).toInt(), 0);
        QCOMPARE(volcado(dm, QStringLiteral("Paciente"), QStringLiteral("idPaciente")), pacientes);
    }

    void withoutAnActivePatientNothingIsWritten()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TRecarga carga;
        carga.Add(porcion(1, kEnalapril, 1.0, 7));
        QCOMPARE(GuardarCarga(carga, kLunes, kLunes.addDays(6)), -1);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT count(*) FROM Recarga")).toInt(), 0);
    }

    void aFailurePartWayChangesNothing()
    {
        TestDatabase db;
        TDM dm(db.directory());
        db.appDirectory().write(QStringLiteral("pastillero.ini"), "[TALLER]\nTEST=1\n");
        uLog::IniciarLog(IniFile(db.directory().iniFile()), db.directory().logFile());
        const int idPaciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        medicamento(dm, 666, QStringLiteral("RECHAZADO"));
        const int linea = tratamiento(dm, idPaciente, kEnalapril, 20);
        const int otra = tratamiento(dm, idPaciente, 666, 20);
        stock(dm, idPaciente, kEnalapril, 3);
        stock(dm, idPaciente, kEnalapril, 10);
        stock(dm, idPaciente, 666, 10);
        rechazarLineasDe(dm, 666);
        const QStringList tablas {QStringLiteral("Paciente"), QStringLiteral("SPD"),
                                  QStringLiteral("Inventario"), QStringLiteral("Recarga"),
                                  QStringLiteral("RecargaLinea")};
        QList<QStringList> antes;
        for (const QString &tabla : tablas)
            antes << volcado(dm, tabla, QStringLiteral("1"));

        TRecarga carga;
        carga.Add(porcion(linea, kEnalapril, 1.0, 7));
        carga.Add(porcion(otra, 666, 1.0, 7));
        const double disponibleAntes = carga.Linea(0)->Disponible;
        QCOMPARE(GuardarCarga(carga, kLunes, kLunes.addDays(6)), -1);

        for (qsizetype i = 0; i < tablas.size(); ++i)
            QCOMPARE(volcado(dm, tablas.at(i), QStringLiteral("1")), antes.at(i));
        QCOMPARE(carga.Linea(0)->Disponible, disponibleAntes);
        QVERIFY(!dm.enTransaccion());
        QFile log(db.directory().logFile());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray texto = log.readAll();
        QVERIFY(texto.contains(": SAVE_RECARGA: Numero de lineas para guardar 2"));
        QVERIFY(texto.contains(": ERROR:"));
    }

    // Stock before minus stock after equals the units of the stored lines drawn from stock, and
    // the treatment lines lose exactly what the blister holds.
    void stockAddsUp()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int idPaciente = paciente(dm);
        const QList<qint64> medicamentos {700001, 700002, 700003};
        QList<int> lineasTratamiento;
        for (const qint64 id : medicamentos) {
            medicamento(dm, id, QStringLiteral("MED %1").arg(id));
            lineasTratamiento << tratamiento(dm, idPaciente, id, 30);
        }
        stock(dm, idPaciente, 700001, 2.5);
        stock(dm, idPaciente, 700001, 4);
        stock(dm, idPaciente, 700002, 1.32);
        stock(dm, idPaciente, 700002, 6.75, QStringLiteral("L2"));
        stock(dm, idPaciente, 700003, 1);
        const double stockAntes = sumaStock(dm, idPaciente);

        TRecarga carga;
        carga.Add(porcion(lineasTratamiento.at(0), 700001, 0.5, 7));
        carga.Add(porcion(lineasTratamiento.at(0), 700001, 1.0, 3));
        carga.Add(porcion(lineasTratamiento.at(1), 700002, 0.33, 7));
        carga.Add(porcion(lineasTratamiento.at(1), 700002, 0.25, 7));
        carga.Add(porcion(lineasTratamiento.at(2), 700003, 1.0, 7));
        const qint64 id = GuardarCarga(carga, kLunes, kLunes.addDays(6));
        QVERIFY(id > 0);

        qint64 deStock = 0;
        qint64 total = 0;
        for (const LineaGuardada &l : lineas(dm, id)) {
            total += EnCentesimas(l.cantidad);
            if (l.inventario != 0)
                deStock += EnCentesimas(l.cantidad);
        }
        QCOMPARE(EnCentesimas(stockAntes) - EnCentesimas(sumaStock(dm, idPaciente)), deStock);
        const qint64 necesidad = 350 + 300 + 7 * 33 + 7 * 25 + 700;
        QCOMPARE(total, necesidad);
        qint64 tratamientos = 0;
        for (const int linea : lineasTratamiento)
            tratamientos += EnCentesimas(cantidadTratamiento(dm, linea));
        QCOMPARE(3 * 3000 - tratamientos, necesidad);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestGuardarCarga)
#include "test_guardar_carga.moc"
