// The validation of a stored load: the wheel's units and each cell's lots read back from the
// stored lines, the header, the medication totals, and validating once with its audit row.
#include "core/common/Clock.h"
#include "core/loading/ValidacionCarga.h"
#include "support/CargasListadas.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTest>

using namespace CargasListadas;

namespace {

constexpr qint64 kEnalapril = 700001;
constexpr qint64 kSintrom = 700002;
const QDateTime kAhora(QDate(2024, 3, 13), QTime(11, 15));

void Medicamento(TDM &dm, qint64 id, const QString &nombre)
{
    dm.Anadir(QStringLiteral("Medicamento"),
              {{QStringLiteral("idMedicamento"), id},
               {QStringLiteral("Medicamento"), nombre},
               {QStringLiteral("Descripcion"), QStringLiteral("10 MG")},
               {QStringLiteral("Comprimido"), 1},
               {QStringLiteral("SPD"), 1}});
}

// A week grid: `cuenta` in each cell listed (comma-separated), 0 elsewhere.
QString Rejilla(const QString &celdas, int cuenta)
{
    QList<int> cuentas(28, 0);
    for (const QString &celda : celdas.split(QLatin1Char(','), Qt::SkipEmptyParts))
        cuentas[celda.toInt()] = cuenta;
    QString rejilla;
    for (const int c : cuentas)
        rejilla += QString::number(c) + QLatin1Char(';');
    return rejilla;
}

// One stored line from "medication|name|cells|count|quantity|lot[|product]", in the blister.
void Linea(TDM &dm, qint64 idRecarga, const QString &descripcion)
{
    const QStringList campos = descripcion.split(QLatin1Char('|'));
    const qint64 medicamento = campos.at(0).toLongLong();
    dm.Anadir(QStringLiteral("RecargaLinea"),
              {{QStringLiteral("idRecarga"), idRecarga},
               {QStringLiteral("idMedicamento"), medicamento},
               {QStringLiteral("idMedicamentoR"), campos.value(6, campos.at(0)).toLongLong()},
               {QStringLiteral("Medicamento"), campos.at(1)},
               {QStringLiteral("descripcion"), QStringLiteral("COM REDONDO BLANCO")},
               {QStringLiteral("Dosis"), Rejilla(campos.at(2), campos.at(3).toInt())},
               {QStringLiteral("Cantidad"), campos.at(4).toDouble()},
               {QStringLiteral("Lote"), campos.at(5)},
               {QStringLiteral("Caducidad"), SqlFecha::valor(QDate(2026, 6, 30))},
               {QStringLiteral("SPD"), campos.at(1).startsWith(QLatin1String("CREMA")) ? 0 : 1}});
}

struct TEscenario
{
    qint64 carga = 0;
    int paciente = 0;
    int otroPaciente = 0;
    int preparador = 0;
};

TEscenario Cargada(TDM &dm, const QStringList &lineas)
{
    TEscenario e;
    e.preparador = Usuario(dm, QStringLiteral("pepa"));
    e.paciente = Paciente(dm, QStringLiteral("REF-ANA"), QStringLiteral("ANA PEREZ"), 4);
    e.otroPaciente = Paciente(dm, QStringLiteral("REF-BEA"), QStringLiteral("BEA RUIZ"), 4);
    Medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
    Medicamento(dm, kSintrom, QStringLiteral("SINTROM"));
    e.carga = Carga(dm, e.preparador, {e.paciente, 5, QDateTime(QDate(2024, 3, 10), QTime(17, 30))});
    for (const QString &linea : lineas)
        Linea(dm, e.carga, linea);
    return e;
}

QString Unidades(const TValidacionCarga &carga)
{
    QStringList celdas;
    for (int celda = 0; celda < 28; ++celda) {
        const std::optional<int> unidades = carga.UnidadesCelda(celda);
        celdas << (unidades ? QString::number(*unidades) : QString());
    }
    return celdas.join(QLatin1Char(','));
}

// The texts "cell=units" of the cells that hold something.
QString Esperadas(const QString &celdas, int unidades)
{
    QStringList todas(28);
    for (const QString &celda : celdas.split(QLatin1Char(','), Qt::SkipEmptyParts))
        todas[celda.toInt()] = QString::number(unidades);
    return todas.join(QLatin1Char(','));
}

QStringList Auditoria(TDM &dm)
{
    QStringList filas;
    TConsulta query = dm.Consulta(QStringLiteral(
            "SELECT Accion, Operacion, Resultado, refPaciente FROM LOPD_Auditoria ORDER BY IdAudit"));
    while (query.next())
        filas << QStringLiteral("%1|%2|%3|%4")
                         .arg(query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                              query.value(3).toString());
    return filas;
}

const QString kDesayunos = QStringLiteral("0,4,8,12,16,20,24");
const QString kNoches = QStringLiteral("3,7,11,15,19,23,27");

} // namespace

class TestValidacionCarga : public QObject
{
    Q_OBJECT

private slots:
    void unidadesDeCadaCelda_data()
    {
        QTest::addColumn<QStringList>("lineas");
        QTest::addColumn<QString>("unidades");
        QTest::newRow("one pill a day: cells 1, 5, 9 ... 25")
                << QStringList {"700001|ENALAPRIL 10 MG|" + kDesayunos + "|1|7|L1"}
                << Esperadas(kDesayunos, 1);
        QTest::newRow("halves show units, not pills")
                << QStringList {"700002|(1/2) SINTROM 4 MG|" + kNoches + "|1|3.5|L1"}
                << Esperadas(kNoches, 1);
        QTest::newRow("two pills a night")
                << QStringList {"700001|ENALAPRIL 10 MG|" + kNoches + "|2|14|L1"} << Esperadas(kNoches, 2);
        QTest::newRow("three thirds a cell")
                << QStringList {"700002|(1/3) SINTROM 4 MG|" + kDesayunos + "|3|6.93|L1"}
                << Esperadas(kDesayunos, 3);
        QTest::newRow("a lot that runs out: the next one fills the rest")
                << QStringList {"700001|ENALAPRIL 10 MG|" + kDesayunos + "|1|4|A1",
                                "700001|ENALAPRIL 10 MG|" + kDesayunos + "|1|3|B2"}
                << Esperadas(kDesayunos, 1);
        QTest::newRow("two medications in one cell add up")
                << QStringList {"700001|ENALAPRIL 10 MG|0|1|1|L1", "700002|SINTROM 4 MG|0|2|2|L1"}
                << QStringLiteral("3") + QString(27, QLatin1Char(','));
        QTest::newRow("a line with no quantity fills its whole grid")
                << QStringList {"700001|ENALAPRIL 10 MG|" + kDesayunos + "|1|0|*****"}
                << Esperadas(kDesayunos, 1);
        QTest::newRow("outside the blister: nothing on the wheel")
                << QStringList {"700003|CREMA TUBO||0|0|*****"} << QString(27, QLatin1Char(','));
    }
    void unidadesDeCadaCelda()
    {
        QFETCH(QStringList, lineas);
        QFETCH(QString, unidades);
        TestDatabase db;
        TDM dm(db.directory());
        const TEscenario e = Cargada(dm, lineas);
        const TValidacionCarga carga(e.carga);
        QVERIFY(carga.existe());
        QCOMPARE(Unidades(carga), unidades);
    }

    void contenidoDeUnaCelda_data()
    {
        QTest::addColumn<QStringList>("lineas");
        QTest::addColumn<int>("celda");
        QTest::addColumn<QStringList>("contenido"); // quantity|medication|appearance|lot per row
        const QStringList lotes {"700001|ENALAPRIL 10 MG|" + kDesayunos + "|1|4|A1",
                                 "700001|ENALAPRIL 10 MG|" + kDesayunos + "|1|3|B2"};
        QTest::newRow("Thursday: the first lot")
                << lotes << 12 << QStringList {"1|700001   ENALAPRIL 10 MG|COM REDONDO BLANCO|A1"};
        QTest::newRow("Friday: the second lot")
                << lotes << 16 << QStringList {"1|700001   ENALAPRIL 10 MG|COM REDONDO BLANCO|B2"};
        QTest::newRow("an empty cell") << lotes << 1 << QStringList {};
        QTest::newRow("halves: the pills")
                << QStringList {"700002|(1/2) SINTROM 4 MG|" + kNoches + "|1|3.5|L1"} << 27
                << QStringList {"0,5|700002   SINTROM 4 MG|COM REDONDO BLANCO|L1"};
        QTest::newRow("two lines in one cell")
                << QStringList {"700001|ENALAPRIL 10 MG|0|1|1|L1", "700002|(1/2) SINTROM 4 MG|0|2|1|L1"} << 0
                << QStringList {"1|700001   ENALAPRIL 10 MG|COM REDONDO BLANCO|L1",
                                "1|700002   SINTROM 4 MG|COM REDONDO BLANCO|L1"};
        QTest::newRow("a product of another medication: the catalogue's name")
                << QStringList {"700001|ENALAPRIL 10 MG|0|1|1|L1|700002"} << 0
                << QStringList {"1|700002   SINTROM 10 MG||L1"};
    }
    void contenidoDeUnaCelda()
    {
        QFETCH(QStringList, lineas);
        QFETCH(int, celda);
        QFETCH(QStringList, contenido);
        TestDatabase db;
        TDM dm(db.directory());
        const TValidacionCarga carga(Cargada(dm, lineas).carga);
        QStringList filas;
        for (const TFilaAlveolo &fila : carga.Alveolo(celda))
            filas << QStringList {fila.Cantidad, fila.Medicamento, fila.Aspecto, fila.Lote}.join(
                    QLatin1Char('|'));
        QCOMPARE(filas, contenido);
    }

    void totalesDelBlister()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const TValidacionCarga carga(
                Cargada(dm,
                        {"700001|ENALAPRIL 10 MG|" + kDesayunos + "|1|4|A1",
                         "700002|(1/2) SINTROM 4 MG|" + kNoches + "|1|3.5|L1",
                         "700001|ENALAPRIL 10 MG|" + kDesayunos + "|1|3|B2", "700003|CREMA TUBO||0|0|*****"})
                        .carga);
        const QList<TFilaMedicacionBlister> filas = carga.MedicacionBlister();
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas.at(0).Cantidad, QStringLiteral("7"));
        QCOMPARE(filas.at(0).Medicamento, QStringLiteral("700001 ENALAPRIL 10 MG").leftJustified(65));
        QCOMPARE(filas.at(1).Cantidad, QStringLiteral("3,5"));
        QCOMPARE(filas.at(1).Medicamento.trimmed(), QStringLiteral("700002 SINTROM 4 MG"));
    }

    void nombreDeLaCelda_data()
    {
        QTest::addColumn<int>("celda");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("first") << 0 << "LUNES DESAYUNO";
        QTest::newRow("Tuesday lunch") << 5 << "MARTES COMIDA";
        QTest::newRow("Wednesday evening meal") << 10 << "MIERCOLES CENA";
        QTest::newRow("last") << 27 << "DOMINGO NOCHE";
        QTest::newRow("outside the week") << 28 << "";
    }
    void nombreDeLaCelda()
    {
        QFETCH(int, celda);
        QFETCH(QString, nombre);
        QCOMPARE(TValidacionCarga::NombreCelda(celda), nombre);
    }

    void cabecera()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const TEscenario e = Cargada(dm, {});
        const TCabeceraValidacion c = TValidacionCarga(e.carga).Cabecera();
        QCOMPARE(c.refRecarga, 5);
        QCOMPARE(c.idPaciente, e.paciente);
        QCOMPARE(c.Paciente, QStringLiteral("ANA PEREZ"));
        QCOMPARE(c.RefPaciente, QStringLiteral("REF-ANA"));
        QCOMPARE(c.Preparador, QStringLiteral("PEPA"));
        QCOMPARE(c.FechaRealizado, QDateTime(QDate(2024, 3, 10), QTime(17, 30)));
        QCOMPARE(c.FechaInicio, QDate(2024, 3, 11));
        QCOMPARE(c.FechaFin, QDate(2024, 3, 17));
        QVERIFY(!c.Validada());
        QCOMPARE(c.Validador, QString());
        QVERIFY(!TValidacionCarga(4711).existe());
    }

    // The rows name the load's patient, not the patient active on this workstation.
    void validaUnaVezConSuAuditoria()
    {
        TestDatabase db;
        TDM dm(db.directory());
        FixedClock reloj(kAhora);
        const TEscenario e = Cargada(dm, {});
        const int luis = Usuario(dm, QStringLiteral("luis"));
        dm.Usuario = TUsuario {luis, QStringLiteral("luis"), QStringLiteral("LUIS"), {}, true};
        dm.idPacienteActivo = e.otroPaciente;
        TValidacionCarga carga(e.carga);
        carga.AuditarConsulta();
        QCOMPARE(carga.Validar(), TValidacionCarga::TResultado::Validada);
        QCOMPARE(carga.Cabecera().Validador, QStringLiteral("LUIS"));
        QCOMPARE(carga.Cabecera().FechaValidado, kAhora);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT IdValidador FROM Recarga WHERE idRecarga = ?"), {e.carga})
                         .toInt(),
                 luis);
        QCOMPARE(carga.Validar(), TValidacionCarga::TResultado::YaValidada);
        const QString paciente = QString::number(e.paciente);
        QCOMPARE(Auditoria(dm),
                 (QStringList {"CONSULTA - VALIDACION DE CARGA|CONSULTA|ACEPTADO|" + paciente,
                               "VALIDACION CARGA|MODIFICACION|ACEPTADO|" + paciente}));
    }

    // Two dialogs opened on one load before either validated it.
    void elSegundoNoValidaOtraVez()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const TEscenario e = Cargada(dm, {});
        const int luis = Usuario(dm, QStringLiteral("luis"));
        TValidacionCarga primero(e.carga);
        TValidacionCarga segundo(e.carga);
        dm.Usuario = TUsuario {luis, QStringLiteral("luis"), QStringLiteral("LUIS"), {}, true};
        {
            FixedClock reloj(kAhora);
            QCOMPARE(primero.Validar(), TValidacionCarga::TResultado::Validada);
        }
        dm.Usuario = TUsuario {e.preparador, QStringLiteral("pepa"), QStringLiteral("PEPA"), {}, true};
        FixedClock despues(kAhora.addSecs(60));
        QVERIFY(!segundo.Cabecera().Validada());
        QCOMPARE(segundo.Validar(), TValidacionCarga::TResultado::YaValidada);
        // The second one now shows who validated it and when.
        QCOMPARE(segundo.Cabecera().Validador, QStringLiteral("LUIS"));
        QCOMPARE(segundo.Cabecera().FechaValidado, kAhora);
        QCOMPARE(Auditoria(dm).size(), 1);
    }

    void unaCargaBorradaNoSeValida()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const TEscenario e = Cargada(dm, {});
        TValidacionCarga carga(e.carga);
        dm.Ejecutar(QStringLiteral("DELETE FROM Recarga WHERE idRecarga = ?"), {e.carga});
        QCOMPARE(carga.Validar(), TValidacionCarga::TResultado::NoExiste);
        QVERIFY(Auditoria(dm).isEmpty());
    }
};

PASTILLERO_DATA_TEST_MAIN(TestValidacionCarga)
#include "test_validacion_carga.moc"
