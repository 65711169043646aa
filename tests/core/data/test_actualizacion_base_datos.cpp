#include "core/common/AppError.h"
#include "core/data/ActualizacionBaseDatos.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "support/RechazoEscritura.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QSqlRecord>
#include <QTest>

namespace {

const QDate kHoy(2026, 12, 10);
const QDate kCaducidad(2027, 6, 30);
const QString kOtraLinea = QStringLiteral("OTRA=7");

void Registrar(TDM &dm, const QString &registro)
{
    dm.Anadir(QStringLiteral("CONF"),
              {{QStringLiteral("UPDVersion"), kOtraLinea + QStringLiteral("\r\n") + registro},
               {QStringLiteral("Medicos"), QStringLiteral("VIEJO")}});
}

// A database of an earlier version: four patients' doctors written in different ways, two
// treatment lines, two older history rows, one load of three lines and four stock rows (the first
// of another patient, two of the first patient that match the first line, one with its product).
void BaseAntigua(TDM &dm)
{
    for (const char *medico : {" dr. garcía ", "DR. GARCÍA", "dra. lópez", "   "})
        dm.Anadir(QStringLiteral("Paciente"), {{QStringLiteral("MedicoNombre"), QString::fromUtf8(medico)}});
    for (qint64 medicamento : {100, 200})
        dm.Anadir(QStringLiteral("SPD"),
                  {{QStringLiteral("idPaciente"), 1},
                   {QStringLiteral("idMedicamento"), medicamento},
                   {QStringLiteral("Dosis"), QStringLiteral("1-0-0-0:D:D:1")},
                   {QStringLiteral("Medico"), QStringLiteral("Dr. Pérez ")}});
    for (const char *medico : {" dr. pérez", "DRA. LÓPEZ "})
        dm.Anadir(QStringLiteral("SPDHIST"),
                  {{QStringLiteral("IdVersion"), 3},
                   {QStringLiteral("ID"), 99},
                   {QStringLiteral("IDPaciente"), 3},
                   {QStringLiteral("Medico"), QString::fromUtf8(medico)}});
    dm.Anadir(QStringLiteral("Recarga"), {{QStringLiteral("idPaciente"), 1}});
    const QList<QVariantList> lineas = {{0, QStringLiteral("L1"), QVariant()},
                                        {QVariant(), QStringLiteral("L9"), QVariant()},
                                        {300, QStringLiteral("L1"), 77}};
    for (const QVariantList &linea : lineas)
        dm.Anadir(QStringLiteral("RecargaLinea"),
                  {{QStringLiteral("idRecarga"), 1},
                   {QStringLiteral("idMedicamento"), 100},
                   {QStringLiteral("idMedicamentoR"), linea.at(0)},
                   {QStringLiteral("Lote"), linea.at(1)},
                   {QStringLiteral("Caducidad"), SqlFecha::valor(kCaducidad)},
                   {QStringLiteral("idInventario"), linea.at(2)}});
    const QList<QVariantList> stock = {{2, QStringLiteral("L1"), QVariant()},
                                       {1, QStringLiteral("L1"), QVariant()},
                                       {1, QStringLiteral("L1"), QVariant()},
                                       {1, QStringLiteral("L2"), 300}};
    for (const QVariantList &fila : stock)
        dm.Anadir(QStringLiteral("Inventario"),
                  {{QStringLiteral("idPaciente"), fila.at(0)},
                   {QStringLiteral("idMedicamento"), 100},
                   {QStringLiteral("Lote"), fila.at(1)},
                   {QStringLiteral("Caducidad"), SqlFecha::valor(kCaducidad)},
                   {QStringLiteral("IdMedicamentoReal"), fila.at(2)}});
}

// The rows of a query as text: columns joined by ",", rows by "|", dates as yyyy-MM-dd, Null empty.
QString Filas(TDM &dm, const QString &sql)
{
    QStringList filas;
    TConsulta consulta = dm.Consulta(sql);
    while (consulta.next()) {
        QStringList columnas;
        for (int i = 0; i < consulta.record().count(); ++i) {
            // Null is empty on both engines (PostgreSQL's null number would read as 0).
            const QVariant valor = consulta.value(i);
            const bool texto = valor.typeId() == QMetaType::QString || valor.typeId() == QMetaType::QDateTime;
            const QDateTime fecha = texto ? SqlFecha::leer(valor) : QDateTime();
            columnas << (valor.isNull()            ? QString()
                                 : fecha.isValid() ? fecha.date().toString(Qt::ISODate)
                                                   : valor.toString());
        }
        filas << columnas.join(QLatin1Char(','));
    }
    return filas.join(QLatin1Char('|'));
}

QString TodasLasTablas(TDM &dm)
{
    QStringList tablas;
    for (const char *sql :
         {"SELECT * FROM CONF", "SELECT * FROM Paciente ORDER BY idPaciente", "SELECT * FROM SPD ORDER BY id",
          "SELECT * FROM SPDHIST ORDER BY ID, Medico", "SELECT * FROM RecargaLinea ORDER BY idRecargaLinea",
          "SELECT * FROM Inventario ORDER BY idInventario"})
        tablas << Filas(dm, QString::fromLatin1(sql));
    return tablas.join(QLatin1Char('\n'));
}

QString Registro(TDM &dm)
{
    return dm.Valor(QStringLiteral("SELECT UPDVersion FROM CONF")).toString();
}

// The notice as the user answers it; counts how often it was shown.
struct AvisoPrueba
{
    bool acepta = true;
    int mostrado = 0;
    ActualizacionBaseDatos::Aviso funcion()
    {
        return [this](const QString &, const std::function<void()> &enlazar) {
            ++mostrado;
            if (acepta)
                enlazar();
        };
    }
};

void QuitarRechazo(TDM &dm, const QString &tabla, const QString &operacion)
{
    QString sql = QStringLiteral("DROP TRIGGER rechazo_%1_%2").arg(tabla, operacion);
    if (dm.motor() == SqlEngine::PostgreSQL)
        sql += QStringLiteral(" ON ") + tabla;
    dm.Ejecutar(sql);
}

} // namespace

// The upgrades of an older database at start-up, on every engine.
class TestActualizacionBaseDatos : public QObject
{
    Q_OBJECT

private slots:
    void eachStepRunsOnlyWhenNotRecorded_data()
    {
        QTest::addColumn<QString>("registro");
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<QString>("registroFinal");
        QTest::addColumn<int>("avisos");
        const QString sin1 = QStringLiteral("ACTDB2=1\r\nACTDB4=1\r\nACTDB5=1");
        QTest::newRow("product on load lines: 0 and Null filled, another kept")
                << sin1 << "SELECT idMedicamentoR FROM RecargaLinea ORDER BY idRecargaLinea"
                << "100|100|300" << sin1 + "\r\nACTDB1=1" << 0;
        QTest::newRow("product on stock rows")
                << sin1 << "SELECT IdMedicamentoReal FROM Inventario ORDER BY idInventario"
                << "100|100|100|300" << sin1 + "\r\nACTDB1=1" << 0;
        QTest::newRow("a value other than 1 is not done, and is set to 1")
                << "ACTDB1=0\r\n" + sin1 << "SELECT idMedicamentoR FROM RecargaLinea ORDER BY idRecargaLinea"
                << "100|100|300"
                << "ACTDB1=1\r\n" + sin1 << 0;
        const QString sin2 = QStringLiteral("ACTDB1=1\r\nACTDB4=1\r\nACTDB5=1");
        QTest::newRow("treatment lines become version 1")
                << sin2
                << "SELECT IdVersion, ID, FechaActualizacion, IDPaciente, IDMedicamento, Dosis, Medico, "
                   "username, "
                   "IuCarga FROM SPDHIST WHERE IdVersion = 1 ORDER BY ID"
                << "1,1,2026-12-10,1,100,1-0-0-0:D:D:1,Dr. Pérez "
                   ",TZR,1|1,2,2026-12-10,1,200,1-0-0-0:D:D:1,Dr. Pérez ,TZR,1"
                << sin2 + "\r\nACTDB2=1" << 0;
        const QString sin4 = QStringLiteral("ACTDB1=1\r\nACTDB2=1\r\nACTDB5=1");
        QTest::newRow("doctors: patients trimmed, history untrimmed, old list replaced")
                << sin4 << "SELECT Medicos FROM CONF"
                << "DR. GARCÍA\r\nDRA. LÓPEZ\r\n DR. PÉREZ" << sin4 + "\r\nACTDB4=1" << 0;
        const QString sin5 = QStringLiteral("ACTDB1=1\r\nACTDB2=1\r\nACTDB4=1");
        QTest::newRow("stock links: the patient's first match, none, one kept")
                << sin5 << "SELECT idInventario FROM RecargaLinea ORDER BY idRecargaLinea"
                << "2||77" << sin5 + "\r\nACTDB5=1" << 1;
        QTest::newRow("all steps of an empty record, in order")
                << QString() << "SELECT COUNT(*) FROM SPDHIST"
                << "4"
                << "ACTDB1=1\r\nACTDB2=1\r\nACTDB4=1\r\nACTDB5=1" << 1;
    }

    void eachStepRunsOnlyWhenNotRecorded()
    {
        QFETCH(QString, registro);
        QFETCH(QString, consulta);
        TestDatabase db;
        TDM dm(db.directory());
        Registrar(dm, registro);
        BaseAntigua(dm);
        AvisoPrueba aviso;
        ActualizarBaseDatos(dm, kHoy, aviso.funcion());
        QTEST(Filas(dm, consulta), "esperado");
        QFETCH(QString, registroFinal);
        QCOMPARE(Registro(dm), kOtraLinea + QStringLiteral("\r\n") + registroFinal);
        QTEST(aviso.mostrado, "avisos");
    }

    void doneDatabaseIsLeftUntouched_data()
    {
        QTest::addColumn<bool>("nueva");
        QTest::newRow("older database with every step recorded") << false;
        QTest::newRow("new database") << true;
    }

    void doneDatabaseIsLeftUntouched()
    {
        QFETCH(bool, nueva);
        TestDatabase db;
        TDM dm(db.directory());
        if (nueva) {
            // The first preferences stored create the CONF row of a new database.
            TPreferences(IniFile(db.directory().iniFile())).Guardar();
            QCOMPARE(Registro(dm), QStringLiteral("ACTDB1=1\r\nACTDB2=1\r\nACTDB4=1\r\nACTDB5=1"));
        } else {
            Registrar(dm, QStringLiteral("ACTDB5=1\r\nACTDB4=1\r\nACTDB1=1\r\nACTDB2=1"));
        }
        BaseAntigua(dm);
        const QString antes = TodasLasTablas(dm);
        AvisoPrueba aviso;
        ActualizarBaseDatos(dm, kHoy, aviso.funcion());
        QCOMPARE(TodasLasTablas(dm), antes);
        QCOMPARE(aviso.mostrado, 0);
    }

    void noticeDecidesTheLinkingAndTheStepIsRecordedEitherWay_data()
    {
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("enlaces");
        QTest::newRow("accepted") << true << "2||77";
        QTest::newRow("closed") << false << "||77";
    }

    void noticeDecidesTheLinkingAndTheStepIsRecordedEitherWay()
    {
        QFETCH(bool, acepta);
        TestDatabase db;
        db.appDirectory().write(QStringLiteral("pastillero.log"), {});
        uLog::IniciarLog(
                IniFile(db.appDirectory().write(QStringLiteral("log.ini"), "[VERSION]\r\nLOG=1\r\n")),
                db.directory().logFile());
        TDM dm(db.directory());
        Registrar(dm, QStringLiteral("ACTDB1=1\r\nACTDB2=1\r\nACTDB4=1"));
        BaseAntigua(dm);
        AvisoPrueba aviso;
        aviso.acepta = acepta;
        ActualizarBaseDatos(dm, kHoy, aviso.funcion());
        uLog::CerrarLog();
        QTEST(Filas(dm, QStringLiteral("SELECT idInventario FROM RecargaLinea ORDER BY idRecargaLinea")),
              "enlaces");
        QVERIFY(Registro(dm).endsWith(QStringLiteral("ACTDB4=1\r\nACTDB5=1")));
        QVERIFY(db.appDirectory()
                        .read(QStringLiteral("pastillero.log"))
                        .contains(": F_ERROR:SE VA HA PROCEDER A ACTUALIZAR LA BASE DE DATOS. ESTE PROCESO "
                                  "LLEVARA "
                                  "ALGUNOS MINUTOS\r\n"));
    }

    // Another workstation may run the step while the notice waits: the record is read again.
    void stepRecordedMeanwhileIsNotRunAgain()
    {
        TestDatabase db;
        TDM dm(db.directory());
        Registrar(dm, QStringLiteral("ACTDB1=1\r\nACTDB2=1\r\nACTDB4=1"));
        BaseAntigua(dm);
        ActualizarBaseDatos(dm, kHoy, [&dm](const QString &, const std::function<void()> &enlazar) {
            dm.Ejecutar(QStringLiteral("UPDATE CONF SET UPDVersion = ?"), {QStringLiteral("ACTDB5=1")});
            enlazar();
        });
        QCOMPARE(Filas(dm, QStringLiteral("SELECT idInventario FROM RecargaLinea ORDER BY idRecargaLinea")),
                 QStringLiteral("||77"));
        QCOMPARE(Registro(dm), QStringLiteral("ACTDB5=1"));
    }

    void interruptedStepLeavesNothingAndRunsAgain_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("history copied, its record refused")
                << "CONF"
                << "NEW.UPDVersion LIKE '%ACTDB2%'"
                << "SELECT ID, COUNT(*) FROM SPDHIST WHERE IdVersion = 1 GROUP BY ID ORDER BY ID"
                << "1,1|2,1";
        QTest::newRow("a stock link refused")
                << "RecargaLinea"
                << "NEW.idInventario = 2"
                << "SELECT idInventario FROM RecargaLinea ORDER BY idRecargaLinea"
                << "2||77";
    }

    void interruptedStepLeavesNothingAndRunsAgain()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, condicion);
        QFETCH(QString, consulta);
        TestDatabase db;
        TDM dm(db.directory());
        Registrar(dm, {});
        BaseAntigua(dm);
        RechazarEscritura(dm, tabla, QStringLiteral("UPDATE"), condicion);
        AvisoPrueba aviso;
        QVERIFY_THROWS_EXCEPTION(AppError, ActualizarBaseDatos(dm, kHoy, aviso.funcion()));
        QuitarRechazo(dm, tabla, QStringLiteral("UPDATE"));
        ActualizarBaseDatos(dm, kHoy, aviso.funcion());
        QTEST(Filas(dm, consulta), "esperado");
        QCOMPARE(Registro(dm),
                 kOtraLinea + QStringLiteral("\r\nACTDB1=1\r\nACTDB2=1\r\nACTDB4=1\r\nACTDB5=1"));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestActualizacionBaseDatos)
#include "test_actualizacion_base_datos.moc"
