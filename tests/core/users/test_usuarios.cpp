#include "core/common/AppError.h"
#include "core/data/DemoPharmacy.h"
#include "core/data/uDM.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/IniFile.h"
#include "core/shell/PasswordHash.h"
#include "core/users/TUsuarios.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

#include <optional>

// Users, their passwords and the login check, on every engine of the test run.
class TestUsuarios : public QObject
{
    Q_OBJECT

private:
    struct Entorno
    {
        TestDatabase db;
        TDM dm {db.directory()};
        TUsuarios usuarios {dm};
    };

    static int Anadir(TUsuarios &usuarios, const QString &usuario, const QString &clave,
                      int perfil = Perfiles::kAuxiliar)
    {
        return usuarios.Anadir({usuario, usuario.toUpper(), perfil, clave});
    }
    // A row as an older version or the installer writes it: the password as it stands.
    static int AnadirFila(TDM &dm, const QString &usuario, const QString &password, double supUser = 0,
                          int perfil = Perfiles::kAuxiliar)
    {
        return static_cast<int>(dm.Anadir(QStringLiteral("Usuario"),
                                          {{QStringLiteral("Nombre"), usuario.toUpper()},
                                           {QStringLiteral("username"), usuario},
                                           {QStringLiteral("password"), password},
                                           {QStringLiteral("idPerfil"), perfil},
                                           {QStringLiteral("iSupUser"), supUser}}));
    }
    static QString Guardada(TDM &dm, int id)
    {
        return dm.Valor(QStringLiteral("SELECT password FROM Usuario WHERE idUsuario = ?"), {id}).toString();
    }
    static QStringList Listados(TUsuarios &usuarios)
    {
        QStringList nombres;
        for (const TFilaUsuario &fila : usuarios.Lista())
            nombres << fila.username;
        return nombres;
    }

private slots:
    void aStoredPasswordIsASaltedHashThatLogsIn()
    {
        Entorno e;
        const int id = Anadir(e.usuarios, QStringLiteral("rosa"), QStringLiteral("Secreta1"),
                              Perfiles::kFarmaceutico);
        QVERIFY(PasswordHash::EsHash(Guardada(e.dm, id)));
        QVERIFY(!Guardada(e.dm, id).contains(QStringLiteral("Secreta1")));

        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("rosa"), QStringLiteral("Secreta1")));
        QCOMPARE(e.dm.Usuario->idUsuario, id);
        QCOMPARE(e.dm.Usuario->username, QStringLiteral("rosa"));
        QCOMPARE(e.dm.Usuario->Nombre, QStringLiteral("ROSA"));
        QCOMPARE(e.dm.Usuario->Perfil, QStringLiteral("FARMACEUTICO"));
        QVERIFY(e.dm.EsFarmaceutico());
    }

    void refusedLogins_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("clave");
        QTest::newRow("wrong password") << "rosa"
                                        << "Secreta2";
        QTest::newRow("trailing blank on the password") << "rosa"
                                                        << "Secreta1 ";
        QTest::newRow("password in other case") << "rosa"
                                                << "SECRETA1";
        QTest::newRow("trailing blank on the user name") << "rosa "
                                                         << "Secreta1";
        QTest::newRow("unknown user") << "pedro"
                                      << "Secreta1";
        QTest::newRow("nothing typed") << ""
                                       << "";
    }
    void refusedLogins()
    {
        QFETCH(QString, usuario);
        QFETCH(QString, clave);
        Entorno e;
        Anadir(e.usuarios, QStringLiteral("rosa"), QStringLiteral("Secreta1"), Perfiles::kFarmaceutico);
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("rosa"), QStringLiteral("Secreta1")));
        // A refused check also drops the user that was there.
        QVERIFY(!e.dm.ComprobarUsuario(usuario, clave));
        QVERIFY(!e.dm.Usuario.has_value());
        QVERIFY(!e.dm.EsFarmaceutico());
    }

    void twoRowsWithOneNameLogInByTheirPasswords()
    {
        Entorno e;
        const int primera = Anadir(e.usuarios, QStringLiteral("turno"), QStringLiteral("manana"));
        const int segunda = Anadir(e.usuarios, QStringLiteral("turno"), QStringLiteral("tarde"),
                                   Perfiles::kFarmaceutico);
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("turno"), QStringLiteral("tarde")));
        QCOMPARE(e.dm.Usuario->idUsuario, segunda);
        QVERIFY(e.dm.EsFarmaceutico());
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("turno"), QStringLiteral("manana")));
        QCOMPARE(e.dm.Usuario->idUsuario, primera);
        QVERIFY(!e.dm.EsFarmaceutico());
    }

    void aServiceUserIsNotListedButLogsIn()
    {
        Entorno e;
        Anadir(e.usuarios, QStringLiteral("ana"), QStringLiteral("clave"));
        AnadirFila(e.dm, QStringLiteral("tecnico"), PasswordHash::Crear(QStringLiteral("servicio")), 1);
        QCOMPARE(Listados(e.usuarios), QStringList {QStringLiteral("ana")});
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("tecnico"), QStringLiteral("servicio")));
    }

    void aPasswordStoredAsTypedLogsInOnceAndIsHashed()
    {
        Entorno e;
        const int id = AnadirFila(e.dm, QStringLiteral("antiguo"), QStringLiteral("1234"));
        QVERIFY(!e.dm.ComprobarUsuario(QStringLiteral("antiguo"), QStringLiteral("1234 ")));
        QCOMPARE(Guardada(e.dm, id), QStringLiteral("1234"));

        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("antiguo"), QStringLiteral("1234")));
        QCOMPARE(e.dm.Usuario->idUsuario, id);
        QVERIFY(PasswordHash::EsHash(Guardada(e.dm, id)));
        QVERIFY(PasswordHash::Verificar(Guardada(e.dm, id), QStringLiteral("1234")));
        // The hash now stands for the password: typing the hash itself is no way in.
        QVERIFY(!e.dm.ComprobarUsuario(QStringLiteral("antiguo"), Guardada(e.dm, id)));
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("antiguo"), QStringLiteral("1234")));
    }

    void aNewDatabaseGetsOnePharmacistWhoMustChangeThePassword()
    {
        Entorno e;
        QVERIFY(e.usuarios.CrearCuentaInicialSiFalta());
        QVERIFY(!e.usuarios.CrearCuentaInicialSiFalta());
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT count(*) FROM Usuario")).toInt(), 1);

        QVERIFY(e.dm.ComprobarUsuario(QString::fromLatin1(TUsuarios::kCuentaInicial),
                                      QString::fromLatin1(TUsuarios::kClaveInicial)));
        QVERIFY(e.dm.EsFarmaceutico());
        const int id = e.dm.Usuario->idUsuario;
        QVERIFY(e.usuarios.DebeCambiarClave(id));
        QVERIFY(e.usuarios.EsClaveActual(id, QString::fromLatin1(TUsuarios::kClaveInicial)));

        e.usuarios.CambiarClave(id, QStringLiteral("Nueva.2026"));
        QVERIFY(!e.usuarios.DebeCambiarClave(id));
        QVERIFY(!e.dm.ComprobarUsuario(QString::fromLatin1(TUsuarios::kCuentaInicial),
                                       QString::fromLatin1(TUsuarios::kClaveInicial)));
        QVERIFY(e.dm.ComprobarUsuario(QString::fromLatin1(TUsuarios::kCuentaInicial),
                                      QStringLiteral("Nueva.2026")));
    }

    void theDemoPharmacyKeepsItsUsersAndGetsNoOtherAccount()
    {
        Entorno e;
        TPreferences preferencias(IniFile(e.db.directory().iniFile()));
        QVERIFY(DemoPharmacy::Preparar(e.dm, preferencias));
        QVERIFY(!e.usuarios.CrearCuentaInicialSiFalta());
        QVERIFY(e.dm.ComprobarUsuario(QString::fromLatin1(DemoPharmacy::kFarmaceutico),
                                      QString::fromLatin1(DemoPharmacy::kClaveFarmaceutico)));
        QVERIFY(!e.usuarios.DebeCambiarClave(e.dm.Usuario->idUsuario));
        QVERIFY(e.dm.ComprobarUsuario(QString::fromLatin1(DemoPharmacy::kAuxiliar),
                                      QString::fromLatin1(DemoPharmacy::kClaveAuxiliar)));
        QVERIFY(!e.dm.EsFarmaceutico());
    }

    void anEmptyPasswordKeepsTheStoredOne()
    {
        Entorno e;
        const int id = Anadir(e.usuarios, QStringLiteral("ana"), QStringLiteral("clave"));
        e.usuarios.Modificar(
                id, {QStringLiteral("ana2"), QStringLiteral("ANA LOPEZ"), Perfiles::kFarmaceutico, {}});
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("ana2"), QStringLiteral("clave")));
        QCOMPARE(e.dm.Usuario->Nombre, QStringLiteral("ANA LOPEZ"));
        QVERIFY(e.dm.EsFarmaceutico());

        e.usuarios.Modificar(id,
                             {QStringLiteral("ana2"), QStringLiteral("ANA LOPEZ"), Perfiles::kFarmaceutico,
                              QStringLiteral("otra")});
        QVERIFY(!e.dm.ComprobarUsuario(QStringLiteral("ana2"), QStringLiteral("clave")));
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("ana2"), QStringLiteral("otra")));
    }

    void deletion_data()
    {
        QTest::addColumn<QString>("borrado");
        QTest::addColumn<QString>("motivo");
        const QString sesion = QStringLiteral("No se puede eliminar el usuario que ha iniciado la sesión.");
        const QString ultimo = QStringLiteral("Debe quedar al menos un usuario con el perfil FARMACEUTICO.");
        QTest::newRow("an assistant") << "aux"
                                      << "";
        QTest::newRow("the user of the session") << "aux2" << sesion;
        QTest::newRow("the last pharmacist (a service pharmacist does not count)") << "farma" << ultimo;
    }
    void deletion()
    {
        QFETCH(QString, borrado);
        QFETCH(QString, motivo);
        Entorno e;
        const QHash<QString, int> ids {
                {QStringLiteral("farma"),
                 Anadir(e.usuarios, QStringLiteral("farma"), QStringLiteral("f"), Perfiles::kFarmaceutico)},
                {QStringLiteral("aux"), Anadir(e.usuarios, QStringLiteral("aux"), QStringLiteral("a"))},
                {QStringLiteral("aux2"), Anadir(e.usuarios, QStringLiteral("aux2"), QStringLiteral("b"))}};
        AnadirFila(e.dm, QStringLiteral("tecnico"), PasswordHash::Crear(QStringLiteral("t")), 1,
                   Perfiles::kFarmaceutico);
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("aux2"), QStringLiteral("b")));

        const int id = ids.value(borrado);
        QCOMPARE(e.usuarios.MotivoBorradoImposible(id), motivo);
        if (motivo.isEmpty()) {
            e.usuarios.Borrar(id);
        } else {
            QVERIFY_THROWS_EXCEPTION(AppError, e.usuarios.Borrar(id));
        }
        QCOMPARE(Listados(e.usuarios).contains(borrado), !motivo.isEmpty());
    }

    void aPharmacistMayGoWhileAnotherRemains()
    {
        Entorno e;
        const int primera
                = Anadir(e.usuarios, QStringLiteral("f1"), QStringLiteral("x"), Perfiles::kFarmaceutico);
        const int segunda
                = Anadir(e.usuarios, QStringLiteral("f2"), QStringLiteral("x"), Perfiles::kFarmaceutico);
        QCOMPARE(e.usuarios.MotivoBorradoImposible(primera), QString());
        e.usuarios.Borrar(primera);
        QVERIFY(!e.usuarios.MotivoBorradoImposible(segunda).isEmpty());
    }

    void theLastPharmacistKeepsTheProfile()
    {
        Entorno e;
        const int id
                = Anadir(e.usuarios, QStringLiteral("farma"), QStringLiteral("x"), Perfiles::kFarmaceutico);
        QVERIFY(!e.usuarios.MotivoModificacionImposible(id, Perfiles::kAuxiliar).isEmpty());
        QVERIFY_THROWS_EXCEPTION(
                AppError,
                e.usuarios.Modificar(
                        id, {QStringLiteral("otro"), QStringLiteral("OTRO"), Perfiles::kAuxiliar, {}}));
        QCOMPARE(Listados(e.usuarios), QStringList {QStringLiteral("farma")});
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("farma"), QStringLiteral("x")));
        QVERIFY(e.dm.EsFarmaceutico());
        QCOMPARE(e.usuarios.MotivoModificacionImposible(id, Perfiles::kFarmaceutico), QString());
    }

    void anOlderDatabaseGainsTheNewColumnAndKeepsItsUsers()
    {
        TestDatabase db;
        int id = 0;
        {
            TDM dm(db.directory());
            dm.Ejecutar(QStringLiteral("ALTER TABLE Usuario DROP COLUMN CambiarClave"));
            id = AnadirFila(dm, QStringLiteral("antiguo"), QStringLiteral("1234"));
        }
        TDM dm(db.directory());
        TUsuarios usuarios(dm);
        QVERIFY(!usuarios.DebeCambiarClave(id));
        QVERIFY(dm.ComprobarUsuario(QStringLiteral("antiguo"), QStringLiteral("1234")));
        QCOMPARE(dm.Usuario->idUsuario, id);
    }

    void profileNames()
    {
        QCOMPARE(NombrePerfil(Perfiles::kAuxiliar), QStringLiteral("AUXILIAR"));
        QCOMPARE(NombrePerfil(Perfiles::kFarmaceutico), QStringLiteral("FARMACEUTICO"));
        QCOMPARE(NombrePerfil(2), QString());
        const QList<TCodigos> perfiles = ListaPerfiles();
        QCOMPARE(perfiles.size(), 2);
        for (int i = 0; i < perfiles.size(); ++i)
            QCOMPARE(perfiles.at(i).Codigo, i);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestUsuarios)
#include "test_usuarios.moc"
