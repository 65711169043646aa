#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/ArchivosPaciente.h"
#include "core/patients/BorrarPaciente.h"
#include "core/shell/IniFile.h"
#include "core/shell/uLog.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using TResultado = TBorradoPaciente::TResultado;

namespace {

const QString kAccion = QStringLiteral("PACIENTES");
// Tables that hold a patient's rows, with the column naming the patient.
const QList<std::pair<QString, QString>> kTablas {
        {QStringLiteral("Paciente"), QStringLiteral("idPaciente")},
        {QStringLiteral("SPDHIST"), QStringLiteral("IDPaciente")},
        {QStringLiteral("Inventario"), QStringLiteral("idPaciente")},
        {QStringLiteral("Receta"), QStringLiteral("idPaciente")},
        {QStringLiteral("SPD"), QStringLiteral("idPaciente")},
        {QStringLiteral("Recarga"), QStringLiteral("idPaciente")},
};

} // namespace

// Deleting a patient from the patients list: the two refusals, what goes with the record, the
// patient's folder (only after the commit) and the audit row.
class TestBorrarPaciente : public QObject
{
    Q_OBJECT

    // A patient with treatment history, stock, a prescription and a folder holding a document.
    static int Paciente(TDM &dm, const QString &nombre)
    {
        const int id = int(dm.Anadir(QStringLiteral("Paciente"),
                                     {{QStringLiteral("Nombre"), nombre},
                                      {QStringLiteral("refPaciente"), nombre},
                                      {QStringLiteral("Iactivo"), 1}}));
        dm.Anadir(QStringLiteral("SPDHIST"),
                  {{QStringLiteral("IdVersion"), 1},
                   {QStringLiteral("ID"), 1},
                   {QStringLiteral("IDPaciente"), id},
                   {QStringLiteral("IDMedicamento"), 700001}});
        dm.Anadir(QStringLiteral("Inventario"),
                  {{QStringLiteral("idPaciente"), id},
                   {QStringLiteral("idMedicamento"), 700001},
                   {QStringLiteral("CantidadRestante"), 10}});
        dm.Anadir(QStringLiteral("Receta"),
                  {{QStringLiteral("idPaciente"), id}, {QStringLiteral("idMedicamento"), 700001}});
        QDir().mkpath(ArchivosPaciente::Carpeta(dm, id));
        QFile documento(ArchivosPaciente::Carpeta(dm, id) + QStringLiteral("/informe.pdf"));
        documento.open(QIODevice::WriteOnly);
        documento.write("%PDF");
        return id;
    }

    static QStringList Filas(TDM &dm, int id)
    {
        QStringList filas;
        for (const auto &[tabla, columna] : kTablas)
            filas << QStringLiteral("%1 %2").arg(tabla).arg(
                    dm.Valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(tabla, columna), {id})
                            .toInt());
        return filas;
    }

    static QStringList SinFilas()
    {
        QStringList filas;
        for (const auto &tabla : kTablas)
            filas << tabla.first + QStringLiteral(" 0");
        return filas;
    }

    static int Auditorias(TDM &dm)
    {
        return dm.Valor(QStringLiteral("SELECT COUNT(*) FROM LOPD_Auditoria")).toInt();
    }

    static TBorradoPaciente Borrado(TDM &dm)
    {
        // Tests never fill the desktop's trash.
        TBorradoPaciente borrado(dm);
        borrado.UsarPapelera(false);
        return borrado;
    }

    static void RechazarBorrado(TDM &dm, const QString &tabla)
    {
        if (dm.motor() == SqlEngine::SQLite) {
            dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazo BEFORE DELETE ON %1 "
                                       "BEGIN SELECT RAISE(ABORT, 'rechazada'); END")
                                .arg(tabla));
            return;
        }
        dm.Ejecutar(QStringLiteral("CREATE FUNCTION rechazo() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
                                   "'rechazada'; END $$ LANGUAGE plpgsql"));
        dm.Ejecutar(QStringLiteral("CREATE TRIGGER rechazo BEFORE DELETE ON %1 FOR EACH ROW "
                                   "EXECUTE FUNCTION rechazo()")
                            .arg(tabla));
    }

private slots:
    void cleanup() { uLog::CerrarLog(); }

    void seNiegaConCargasOTratamientos_data()
    {
        QTest::addColumn<bool>("carga");
        QTest::addColumn<bool>("tratamiento");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("mensaje");
        const QString cargas = QStringLiteral("BORRADO IMPOSIBLE, EXISTEN CARGAS DEL PACIENTE");
        const QString tratamientos = QStringLiteral("BORRADO IMPOSIBLE, EXISTEN TRATAMIENTOS DEL PACIENTE");
        QTest::newRow("una carga") << true << false << int(TResultado::ConCargas) << cargas;
        QTest::newRow("una linea de tratamiento")
                << false << true << int(TResultado::ConTratamientos) << tratamientos;
        QTest::newRow("las cargas se comprueban antes")
                << true << true << int(TResultado::ConCargas) << cargas;
    }
    void seNiegaConCargasOTratamientos()
    {
        QFETCH(bool, carga);
        QFETCH(bool, tratamiento);
        QFETCH(int, resultado);
        QFETCH(QString, mensaje);
        TestDatabase db;
        TDM dm(db.directory());
        const int id = Paciente(dm, QStringLiteral("ANA"));
        if (carga)
            dm.Anadir(QStringLiteral("Recarga"),
                      {{QStringLiteral("idPaciente"), id}, {QStringLiteral("refRecarga"), 1}});
        if (tratamiento)
            dm.Anadir(QStringLiteral("SPD"),
                      {{QStringLiteral("idPaciente"), id}, {QStringLiteral("idMedicamento"), 700001}});
        const QStringList antes = Filas(dm, id);

        const TResultado obtenido = Borrado(dm).Borrar(id, kAccion);
        QCOMPARE(int(obtenido), resultado);
        QCOMPARE(TBorradoPaciente::Mensaje(obtenido), mensaje);
        QCOMPARE(Filas(dm, id), antes);
        QVERIFY(QFile::exists(ArchivosPaciente::Carpeta(dm, id) + QStringLiteral("/informe.pdf")));
        QCOMPARE(Auditorias(dm), 0);
    }

    void borraSusFilasYRetiraSuCarpetaFechada()
    {
        FixedClock reloj(QDateTime(QDate(2024, 5, 6), QTime(9, 30, 15)));
        TestDatabase db;
        TDM dm(db.directory());
        const int otro = Paciente(dm, QStringLiteral("BEA"));
        const int id = Paciente(dm, QStringLiteral("ANA"));
        const QStringList delOtro = Filas(dm, otro);
        QVERIFY(dm.PacienteActivoPorId(QString::number(id)));

        QCOMPARE(Borrado(dm).Borrar(id, kAccion), TResultado::Borrado);
        QCOMPARE(dm.idPacienteActivo, 0);
        QVERIFY(!dm.PacienteActivo);
        QCOMPARE(Filas(dm, id), SinFilas());
        QCOMPARE(Filas(dm, otro), delOtro);
        QVERIFY(!QFileInfo::exists(ArchivosPaciente::Carpeta(dm, id)));
        QVERIFY(QFile::exists(TBorradoPaciente::CarpetaBorrados(dm)
                              + QStringLiteral("/%1-20240506-093015/informe.pdf").arg(id)));
        QVERIFY(QFile::exists(ArchivosPaciente::Carpeta(dm, otro) + QStringLiteral("/informe.pdf")));
    }

    void unSegundoBorradoEnElMismoSegundoNoPisaElPrimero()
    {
        FixedClock reloj(QDateTime(QDate(2024, 5, 6), QTime(9, 30, 15)));
        TestDatabase db;
        TDM dm(db.directory());
        const int id = Paciente(dm, QStringLiteral("ANA"));
        const QString primero
                = TBorradoPaciente::CarpetaBorrados(dm) + QStringLiteral("/%1-20240506-093015").arg(id);
        QVERIFY(QDir().mkpath(primero));
        QCOMPARE(Borrado(dm).Borrar(id, kAccion), TResultado::Borrado);
        QVERIFY(QFile::exists(primero + QStringLiteral("-2/informe.pdf")));
    }

    void unPacienteSinCarpetaSeBorraIgual()
    {
        TestDatabase db;
        TDM dm(db.directory());
        const int id = Paciente(dm, QStringLiteral("ANA"));
        QVERIFY(QDir(ArchivosPaciente::Carpeta(dm, id)).removeRecursively());
        QCOMPARE(Borrado(dm).Borrar(id, kAccion), TResultado::Borrado);
        QCOMPARE(Filas(dm, id), SinFilas());
        QVERIFY(!QFileInfo::exists(TBorradoPaciente::CarpetaBorrados(dm)));
    }

    void elBorradoSeAuditaConElIdentificador()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TUsuario usuario;
        usuario.username = QStringLiteral("luisa");
        dm.Usuario = usuario;
        const int id = Paciente(dm, QStringLiteral("ANA"));
        QCOMPARE(Borrado(dm).Borrar(id, kAccion), TResultado::Borrado);
        TConsulta fila = dm.Consulta(QStringLiteral(
                "SELECT Username, Accion, Operacion, Resultado, refPaciente FROM LOPD_Auditoria"));
        QVERIFY(fila.next());
        QCOMPARE(fila.value(0).toString(), QStringLiteral("luisa"));
        QCOMPARE(fila.value(1).toString(), kAccion);
        QCOMPARE(fila.value(2).toString(), QStringLiteral("BAJA"));
        QCOMPARE(fila.value(3).toString(), QStringLiteral("ACEPTADO"));
        QCOMPARE(fila.value(4).toString(), QString::number(id));
        QVERIFY(!fila.next());
    }

    void unPacienteQueYaNoExisteNoSeAudita()
    {
        TestDatabase db;
        TDM dm(db.directory());
        QCOMPARE(Borrado(dm).Borrar(99, kAccion), TResultado::NoExiste);
        QCOMPARE(Auditorias(dm), 0);
    }

    void unFalloDeLaBaseDeDatosNoPierdeNada_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::newRow("el paciente") << "Paciente";
        QTest::newRow("sus recetas") << "Receta";
    }
    void unFalloDeLaBaseDeDatosNoPierdeNada()
    {
        QFETCH(QString, tabla);
        TestDatabase db;
        TDM dm(db.directory());
        const int id = Paciente(dm, QStringLiteral("ANA"));
        RechazarBorrado(dm, tabla);
        const QStringList antes = Filas(dm, id);
        QVERIFY_THROWS_EXCEPTION(AppError, Borrado(dm).Borrar(id, kAccion));
        QCOMPARE(Filas(dm, id), antes);
        QVERIFY(QFile::exists(ArchivosPaciente::Carpeta(dm, id) + QStringLiteral("/informe.pdf")));
        QVERIFY(!QFileInfo::exists(TBorradoPaciente::CarpetaBorrados(dm)));
        QCOMPARE(Auditorias(dm), 0);
    }

    void unaCarpetaQueNoSePuedeRetirarQuedaEnElRegistro()
    {
        TestDatabase db;
        db.appDirectory().write(QStringLiteral("pastillero.ini"), "[TALLER]\r\nTEST=1\r\n");
        uLog::IniciarLog(IniFile(db.directory().iniFile()),
                         db.directory().file(QStringLiteral("pastillero.log")));
        TDM dm(db.directory());
        const int id = Paciente(dm, QStringLiteral("ANA"));
        // A file where the folder of deleted patients' files should be.
        QFile estorbo(TBorradoPaciente::CarpetaBorrados(dm));
        QVERIFY(estorbo.open(QIODevice::WriteOnly));
        estorbo.close();

        QCOMPARE(Borrado(dm).Borrar(id, kAccion), TResultado::Borrado);
        QCOMPARE(Filas(dm, id), SinFilas());
        QVERIFY(QFile::exists(ArchivosPaciente::Carpeta(dm, id) + QStringLiteral("/informe.pdf")));
        QFile log(db.directory().file(QStringLiteral("pastillero.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains(
                QStringLiteral(": ERROR: la carpeta del paciente borrado %1 no se pudo retirar")
                        .arg(id)
                        .toUtf8()));
        QCOMPARE(Auditorias(dm), 1);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestBorrarPaciente)
#include "test_borrar_paciente.moc"
