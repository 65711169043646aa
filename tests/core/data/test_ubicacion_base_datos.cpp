// Moving a workstation's database: from the local file to a shared PostgreSQL database (data and
// keys kept, the shared folder's patient files never lost), pointing to an existing one, and a
// failing choice that leaves the workstation as it was. The server cases run when the test
// cluster's URL is set.
#include "core/data/DatabaseSchema.h"
#include "core/data/UbicacionBaseDatos.h"
#include "core/data/uDM.h"
#include "core/shell/IniFile.h"
#include "support/TestDatabase.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>

namespace {

using namespace UbicacionBaseDatos;

const QDateTime kAhora(QDate(2026, 12, 10), QTime(10, 15, 0));

// A local database with `pacientes` patients, each with a treatment line and a stock row; the
// first patient is deleted so that the keys have a gap the copy must keep.
void LlenarLocal(const AppDirectory &directorio, int pacientes)
{
    TDM dm(directorio);
    dm.Anadir(QStringLiteral("Medicamento"),
              {{QStringLiteral("idMedicamento"), 700001},
               {QStringLiteral("Medicamento"), QStringLiteral("ENALAPRIL")}});
    for (int i = 0; i < pacientes; ++i) {
        const qint64 id = dm.Anadir(
                QStringLiteral("Paciente"),
                {{QStringLiteral("Nombre"), QStringLiteral("P%1").arg(i)}, {QStringLiteral("Iactivo"), 1}});
        dm.Anadir(QStringLiteral("SPD"),
                  {{QStringLiteral("idPaciente"), id},
                   {QStringLiteral("idMedicamento"), 700001},
                   {QStringLiteral("Inicio"), QDateTime(QDate(2026, 1, 1), QTime(), Qt::UTC)}});
        dm.Anadir(QStringLiteral("Inventario"),
                  {{QStringLiteral("idPaciente"), id},
                   {QStringLiteral("idMedicamento"), 700001},
                   {QStringLiteral("Lote"), QStringLiteral("L%1").arg(i)},
                   {QStringLiteral("CantidadRestante"), 28.5}});
    }
    if (pacientes > 1)
        dm.Ejecutar(QStringLiteral("DELETE FROM Paciente WHERE idPaciente = 1"));
}

QVariantList Columna(TDM &dm, const QString &sql)
{
    QVariantList valores;
    TConsulta consulta = dm.Consulta(sql);
    while (consulta.next())
        valores << consulta.value(0).toLongLong();
    return valores;
}

QString UrlConClave(const QString &url, const QString &clave)
{
    QUrl cambiada(url);
    cambiada.setPassword(clave);
    return cambiada.toString(QUrl::FullyEncoded);
}

QString Leer(const QString &fichero)
{
    QFile f(fichero);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestUbicacionBaseDatos : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (TestDatabase::postgresUrl().isEmpty()
            && QByteArray(QTest::currentTestFunction()) != "unaEleccionFallidaDejaElAjuste"
            && QByteArray(QTest::currentTestFunction()) != "laInstalacionTieneBaseDeDatos")
            QSKIP("PASTILLERO_TEST_PGURL is not set");
    }

    // The location dialog can be left only while the installation has a database to start with.
    void laInstalacionTieneBaseDeDatos_data()
    {
        QTest::addColumn<bool>("conFicheroDatos");
        QTest::addColumn<bool>("conEnlace");
        QTest::addColumn<bool>("tiene");
        QTest::newRow("nothing yet") << false << false << false;
        QTest::newRow("the local database of a first start") << true << false << true;
        QTest::newRow("a connection setting") << false << true << true;
    }

    void laInstalacionTieneBaseDeDatos()
    {
        QFETCH(bool, conFicheroDatos);
        QFETCH(bool, conEnlace);
        QFETCH(bool, tiene);
        QTemporaryDir carpeta;
        const AppDirectory directorio(carpeta.path());
        const auto crear = [](const QString &fichero, const QByteArray &contenido) {
            QFile f(fichero);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contenido);
        };
        if (conFicheroDatos)
            crear(directorio.databaseFile(), {});
        if (conEnlace)
            crear(directorio.dataLinkFile(), QByteArrayLiteral("data.dat"));
        QCOMPARE(UbicacionBaseDatos::HayConexionConfigurada(directorio), tiene);
        QCOMPARE(UbicacionBaseDatos::Descripcion(directorio).isEmpty(), !tiene);
    }

    void laCopiaConservaFilasYClaves_data()
    {
        QTest::addColumn<int>("pacientes");
        QTest::newRow("sin datos") << 0;
        QTest::newRow("un paciente") << 1;
        QTest::newRow("con un hueco en las claves") << 25;
    }

    void laCopiaConservaFilasYClaves()
    {
        QFETCH(int, pacientes);
        TestDatabase local(SqlEngine::SQLite);
        TestDatabase servidor(SqlEngine::PostgreSQL);
        LlenarLocal(local.directory(), pacientes);
        QTemporaryDir compartida;

        const TResultado resultado = CrearInstalacionRed(local.directory(), servidor.connectionText(),
                                                         compartida.path(), kAhora);
        QVERIFY2(resultado.conectado, qPrintable(resultado.error));
        QVERIFY(!resultado.yaTeniaDatos);

        QMap<QString, QVariantList> claves;
        QMap<QString, qint64> filas;
        {
            TDM origen(ConnectionText::parse(local.directory().databaseFile(), {}), local.directory());
            for (const DatabaseSchema::Table &tabla : DatabaseSchema::tables()) {
                filas[tabla.name] = origen.Valor(QStringLiteral("SELECT count(*) FROM %1").arg(tabla.name))
                                            .toLongLong();
                if (const DatabaseSchema::Column *clave = tabla.autoKey())
                    claves[tabla.name] = Columna(
                            origen,
                            QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(clave->name, tabla.name));
            }
        }
        // The workstation's new setting leads to the server.
        TDM red(local.directory());
        QCOMPARE(red.motor(), SqlEngine::PostgreSQL);
        for (const DatabaseSchema::Table &tabla : DatabaseSchema::tables()) {
            QCOMPARE(red.Valor(QStringLiteral("SELECT count(*) FROM %1").arg(tabla.name)).toLongLong(),
                     filas[tabla.name]);
            if (const DatabaseSchema::Column *clave = tabla.autoKey())
                QCOMPARE(
                        Columna(red,
                                QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(clave->name, tabla.name)),
                        claves[tabla.name]);
        }
        const qint64 nuevo = red.Anadir(QStringLiteral("Paciente"),
                                        {{QStringLiteral("Nombre"), QStringLiteral("NUEVO")}});
        QCOMPARE(nuevo, qint64(pacientes + 1));
        QCOMPARE(red.DirectorioBaseDatos(), QDir::cleanPath(compartida.path()));
    }

    void laCarpetaCompartidaNoPierdeFicheros_data()
    {
        QTest::addColumn<bool>("servidorConDatos");
        QTest::addColumn<QStringList>("ficherosDespues");
        QTest::newRow("servidor con datos: nada cambia")
                << true << QStringList {QStringLiteral("files/7/FOTOPaciente.jpg")};
        QTest::newRow("servidor vacío: los anteriores se apartan con la hora")
                << false
                << QStringList {QStringLiteral("files-20261210-101500/7/FOTOPaciente.jpg"),
                                QStringLiteral("files/1/informe.pdf")};
    }

    void laCarpetaCompartidaNoPierdeFicheros()
    {
        QFETCH(bool, servidorConDatos);
        QFETCH(QStringList, ficherosDespues);
        TestDatabase local(SqlEngine::SQLite);
        TestDatabase servidor(SqlEngine::PostgreSQL);
        LlenarLocal(local.directory(), 3);
        local.appDirectory().write(QStringLiteral("files/1/informe.pdf"), "pdf");
        if (servidorConDatos) {
            TDM dm(servidor.directory());
            dm.Anadir(QStringLiteral("Paciente"),
                      {{QStringLiteral("Nombre"), QStringLiteral("DEL SERVIDOR")}});
        }
        TestAppDirectory compartida;
        compartida.write(QStringLiteral("files/7/FOTOPaciente.jpg"), "jpg");

        const TResultado resultado = CrearInstalacionRed(local.directory(), servidor.connectionText(),
                                                         compartida.path(), kAhora);
        QVERIFY2(resultado.conectado, qPrintable(resultado.error));
        QCOMPARE(resultado.yaTeniaDatos, servidorConDatos);
        for (const QString &fichero : ficherosDespues)
            QVERIFY2(compartida.exists(fichero), qPrintable(fichero));
        QCOMPARE(compartida.exists(QStringLiteral("files/1/informe.pdf")), !servidorConDatos);
        TDM red(local.directory());
        QCOMPARE(red.Valor(QStringLiteral("SELECT count(*) FROM Paciente")).toInt(),
                 servidorConDatos ? 1 : 2);
    }

    void unaEleccionFallidaDejaElAjuste_data()
    {
        QTest::addColumn<bool>("nueva");
        QTest::addColumn<bool>("claveErronea");
        QTest::addColumn<bool>("carpetaExiste");
        QTest::addColumn<bool>("servidorConTablas");
        QTest::newRow("nueva, contraseña errónea") << true << true << true << true;
        QTest::newRow("existente, contraseña errónea") << false << true << true << true;
        QTest::newRow("existente sin las tablas") << false << false << true << false;
        QTest::newRow("nueva, carpeta inexistente") << true << false << false << true;
        QTest::newRow("existente, carpeta inexistente") << false << false << false << true;
    }

    void unaEleccionFallidaDejaElAjuste()
    {
        QFETCH(bool, nueva);
        QFETCH(bool, claveErronea);
        QFETCH(bool, carpetaExiste);
        QFETCH(bool, servidorConTablas);
        const bool conServidor = claveErronea || !servidorConTablas;
        if (conServidor && TestDatabase::postgresUrl().isEmpty())
            QSKIP("PASTILLERO_TEST_PGURL is not set");
        TestAppDirectory puesto;
        puesto.write(QStringLiteral("data.udl"), "data.dat\n");
        IniFile(puesto.file(QStringLiteral("pastillero.ini")))
                .writeString(QStringLiteral("VERSION"), QStringLiteral("BDfile"), QString());
        const QByteArray iniAntes = puesto.read(QStringLiteral("pastillero.ini"));
        QString url = QStringLiteral("postgresql://u:p@127.0.0.1:1/nada");
        std::unique_ptr<TestDatabase> servidor;
        if (conServidor) {
            servidor = std::make_unique<TestDatabase>(SqlEngine::PostgreSQL);
            if (servidorConTablas)
                TDM esquema(servidor->directory());
            url = claveErronea ? UrlConClave(servidor->connectionText(), QStringLiteral("equivocada"))
                               : servidor->connectionText();
        }
        QTemporaryDir compartida;
        const QString carpeta
                = carpetaExiste ? compartida.path() : compartida.path() + QStringLiteral("/no-existe");

        const TResultado resultado = nueva ? CrearInstalacionRed(puesto.directory(), url, carpeta, kAhora)
                                           : ConectarInstalacionExistente(puesto.directory(), url, carpeta);
        QVERIFY(!resultado.conectado);
        QVERIFY(!resultado.error.isEmpty());
        QCOMPARE(puesto.read(QStringLiteral("data.udl")), QByteArray("data.dat\n"));
        QCOMPARE(puesto.read(QStringLiteral("pastillero.ini")), iniAntes);
        QVERIFY(!puesto.exists(QFileInfo(FicheroClaves(puesto.directory())).fileName()));
    }

    void laClaveSoloEnElFicheroDeClaves_data()
    {
        QTest::addColumn<bool>("nueva");
        QTest::newRow("nueva instalación") << true;
        QTest::newRow("instalación existente") << false;
    }

    void laClaveSoloEnElFicheroDeClaves()
    {
        QFETCH(bool, nueva);
        TestDatabase local(SqlEngine::SQLite);
        TestDatabase servidor(SqlEngine::PostgreSQL);
        LlenarLocal(local.directory(), 2);
        if (!nueva)
            TDM esquema(servidor.directory());
        QTemporaryDir compartida;
        const QString clave = QUrl(servidor.connectionText()).password();

        const TResultado resultado = nueva
                ? CrearInstalacionRed(local.directory(), servidor.connectionText(), compartida.path(), kAhora)
                : ConectarInstalacionExistente(local.directory(), servidor.connectionText(),
                                               compartida.path());
        QVERIFY2(resultado.conectado, qPrintable(resultado.error));
        QVERIFY(!Leer(local.directory().iniFile()).contains(clave));
        QVERIFY(!Leer(local.directory().dataLinkFile()).contains(clave));
        QVERIFY(Leer(FicheroClaves(local.directory())).contains(clave));
        QCOMPARE(QFileInfo(FicheroClaves(local.directory())).permissions()
                         & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                            | QFileDevice::WriteOther),
                 QFileDevice::Permissions());
        TDM red(local.directory()); // connects through the password file
        QVERIFY(!UbicacionBaseDatos::Descripcion(local.directory()).contains(clave));
    }
};

QTEST_GUILESS_MAIN(TestUbicacionBaseDatos)
#include "test_ubicacion_base_datos.moc"
