#include "core/data/CopiaSeguridad.h"
#include "core/data/uDM.h"
#include "core/shell/IniFile.h"
#include "support/TestDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace CopiaSeguridad;

// Backups of the pharmacy's database and their restore, on every engine the test run has.
class TestCopiaSeguridad : public QObject
{
    Q_OBJECT

private:
    const QDateTime kAhora {QDate(2024, 5, 6), QTime(10, 30, 15)};

    static void anadirPaciente(TDM &dm, const QString &ref)
    {
        dm.Anadir(QStringLiteral("Paciente"),
                  {{QStringLiteral("refPaciente"), ref}, {QStringLiteral("Nombre"), QStringLiteral("ANA")}});
    }
    static QStringList pacientes(TDM &dm)
    {
        QStringList refs;
        for (TConsulta consulta = dm.Consulta(QStringLiteral("SELECT refPaciente FROM Paciente ORDER BY 1"));
             consulta.next();)
            refs << consulta.value(0).toString();
        return refs;
    }
    // The result of a statement on a backup file of its own connection.
    static QStringList leerFichero(const QString &fichero, const QString &sql)
    {
        QStringList filas;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lectura"));
            db.setDatabaseName(fichero);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (db.open()) {
                QSqlQuery consulta(db);
                consulta.exec(sql);
                while (consulta.next())
                    filas << consulta.value(0).toString();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("lectura"));
        return filas;
    }
    static QByteArray suma(const QString &fichero)
    {
        QFile file(fichero);
        file.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    static bool esSQLite() { return TestDatabase::current() == SqlEngine::SQLite; }

private slots:
    void initTestCase()
    {
        if (!BackupDisponible(TestDatabase::current()))
            QSKIP("pg_dump and pg_restore are not installed");
    }

    // What was written before the backup is in it, the file is whole, and a shutdown backup
    // replaces the previous one.
    void laCopiaGuardaLoEscrito_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("shutdown") << kBackupCierre << "Data_backup";
        QTest::newRow("manual") << kBackupManual << "Data_20240506_103015";
    }
    void laCopiaGuardaLoEscrito()
    {
        QFETCH(int, tipo);
        QFETCH(QString, nombre);
        TestDatabase db;
        TDM dm(db.directory());
        anadirPaciente(dm, QStringLiteral("R-1"));
        QVERIFY(HacerBackup(dm, tipo, kAhora));
        anadirPaciente(dm, QStringLiteral("R-2"));
        QVERIFY(HacerBackup(dm, tipo, kAhora));

        const QDir carpeta(db.directory().file(QStringLiteral("backup")));
        const QString extension = esSQLite() ? QStringLiteral(".dat") : QStringLiteral(".dump");
        QCOMPARE(carpeta.entryList(QDir::Files), QStringList {nombre + extension});
        if (!esSQLite())
            return;
        const QString fichero = carpeta.filePath(nombre + extension);
        QCOMPARE(leerFichero(fichero, QStringLiteral("PRAGMA integrity_check")), QStringList {"ok"});
        QCOMPARE(leerFichero(fichero, QStringLiteral("SELECT refPaciente FROM Paciente ORDER BY 1")),
                 (QStringList {"R-1", "R-2"}));
    }

    // The backup folder is beside the database the connection opened, wherever it is.
    void laCarpetaEstaJuntoALaBaseDeDatos()
    {
        if (!esSQLite())
            QSKIP("a server database has no file");
        TestDatabase otra;
        const QString fichero = QDir(otra.appDirectory().path()).filePath(QStringLiteral("farmacia.sqlite"));
        otra.appDirectory().write(QStringLiteral("farmacia.sqlite"), {}); // opened as a new database
        TestDatabase db;
        IniFile(db.directory().iniFile())
                .writeString(QStringLiteral("VERSION"), QStringLiteral("BDfile"), fichero);
        TDM dm(db.directory());
        QVERIFY(HacerBackup(dm, kBackupCierre, kAhora));
        QVERIFY(QFile::exists(otra.appDirectory().file(QStringLiteral("backup/Data_backup.dat"))));
        QVERIFY(!db.appDirectory().exists(QStringLiteral("backup")));
    }

    // A backup that cannot be written is reported as failed and leaves no partial file.
    void unaCopiaImposibleFalla_data()
    {
        QTest::addColumn<QString>("obstaculo"); // a file, or a folder, standing in the way
        QTest::addColumn<bool>("carpeta");
        QTest::newRow("backup folder is a file") << "backup" << false;
        QTest::newRow("backup file is a folder") << "backup/Data_backup" << true;
    }
    void unaCopiaImposibleFalla()
    {
        QFETCH(QString, obstaculo);
        QFETCH(bool, carpeta);
        TestDatabase db;
        TDM dm(db.directory());
        const QString extension = esSQLite() ? QStringLiteral(".dat") : QStringLiteral(".dump");
        if (carpeta)
            QVERIFY(QDir().mkpath(db.appDirectory().file(obstaculo + extension + QStringLiteral("/x"))));
        else
            db.appDirectory().write(obstaculo, "not a folder");
        QVERIFY(!HacerBackup(dm, kBackupCierre, kAhora));
        QVERIFY(!db.appDirectory().exists(QStringLiteral("backup/Data_backup") + extension + ".tmp"));
    }

    // A restored backup is what the next start sees; the replaced database is kept beside it.
    void laRestauracionDevuelveLosDatosDeLaCopia()
    {
        TestDatabase db;
        auto dm = std::make_unique<TDM>(db.directory());
        anadirPaciente(*dm, QStringLiteral("R-1"));
        QVERIFY(HacerBackup(*dm, kBackupCierre, kAhora));
        anadirPaciente(*dm, QStringLiteral("R-2"));
        const QString copia
                = QDir(CarpetaBackup(*dm)).filePath(NombreBackup(kBackupCierre, kAhora, dm->motor()));

        const TResultadoRestauracion resultado = RestaurarBaseDatos(*dm, copia);
        QVERIFY2(resultado.correcta, qPrintable(resultado.detalle));
        QVERIFY(resultado.conexionCerrada);
        dm.reset();
        TDM reabierta(db.directory());
        QCOMPARE(pacientes(reabierta), QStringList {"R-1"});
        if (esSQLite())
            QCOMPARE(leerFichero(db.directory().databaseFile() + ".before_restore",
                                 QStringLiteral("SELECT refPaciente FROM Paciente ORDER BY 1")),
                     (QStringList {"R-1", "R-2"}));
    }

    // A file that is not a whole backup is refused before anything changes.
    void unFicheroNoValidoSeRechaza_data()
    {
        QTest::addColumn<QString>("contenido"); // "text", "truncated", "empty database"
        QTest::newRow("text file") << "text";
        QTest::newRow("truncated backup") << "truncated";
        QTest::newRow("database without the pharmacy's tables") << "empty database";
    }
    void unFicheroNoValidoSeRechaza()
    {
        QFETCH(QString, contenido);
        TestDatabase db;
        TDM dm(db.directory());
        anadirPaciente(dm, QStringLiteral("R-1"));
        QVERIFY(HacerBackup(dm, kBackupCierre, kAhora));
        const QString copia
                = QDir(CarpetaBackup(dm)).filePath(NombreBackup(kBackupCierre, kAhora, dm.motor()));
        QByteArray bytes = db.appDirectory().read(QStringLiteral("backup/") + QFileInfo(copia).fileName());
        const QString elegido = db.appDirectory().file(QStringLiteral("backup/elegido"));
        if (contenido == QLatin1String("text")) {
            db.appDirectory().write(QStringLiteral("backup/elegido"), "R-1;ANA\nR-2;LUIS\n");
        } else if (contenido == QLatin1String("truncated")) {
            db.appDirectory().write(QStringLiteral("backup/elegido"), bytes.left(bytes.size() / 2));
        } else {
            QSqlDatabase vacia
                    = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("vacia"));
            vacia.setDatabaseName(elegido);
            QVERIFY(vacia.open());
            QSqlQuery(vacia).exec(QStringLiteral("CREATE TABLE Notas (texto TEXT)"));
            vacia.close();
            vacia = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("vacia"));
        }
        anadirPaciente(dm, QStringLiteral("R-2"));
        const QByteArray antes = esSQLite() ? suma(dm.RutaBaseDatos()) : QByteArray();

        const TResultadoRestauracion resultado = RestaurarBaseDatos(dm, elegido);
        QVERIFY(!resultado.correcta);
        QVERIFY(!resultado.conexionCerrada);
        if (esSQLite())
            QCOMPARE(suma(dm.RutaBaseDatos()), antes);
        QCOMPARE(pacientes(dm), (QStringList {"R-1", "R-2"}));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestCopiaSeguridad)
#include "test_copia_seguridad.moc"
