#include "DialogoModal.h"
#include "core/data/uDM.h"
#include "core/shell/PasswordHash.h"
#include "core/users/TUsuarios.h"
#include "support/MensajesGrabados.h"
#include "ui/users/FDlgCambiarClave.h"
#include "ui/users/FDlgLogin.h"
#include "ui/users/Login.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

// The login of the start-up: the dialog, its one attempt, the audit rows and the change of
// password a new database's account requires.
class TestLogin : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TestDatabase db;
        TDM dm {db.directory()};
        TUsuarios usuarios {dm};
        MensajesGrabados grabados;
    };

    struct TAuditoria
    {
        QString username, accion, operacion, resultado, paciente;
        bool operator==(const TAuditoria &) const = default;
    };

    static QList<TAuditoria> Auditoria(TDM &dm)
    {
        TConsulta filas = dm.Consulta(QStringLiteral("SELECT Username, Accion, Operacion, Resultado, "
                                                     "refPaciente FROM LOPD_Auditoria ORDER BY IdAudit"));
        QList<TAuditoria> lista;
        while (filas.next())
            lista.append({filas.value(0).toString(), filas.value(1).toString(), filas.value(2).toString(),
                          filas.value(3).toString(), filas.value(4).toString()});
        return lista;
    }
    static TAuditoria Conexion(const QString &usuario, const char *resultado)
    {
        return {usuario, QStringLiteral("LOGIN"), QStringLiteral("CONEXION"), QString::fromLatin1(resultado),
                QStringLiteral("0")};
    }

    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT(hijo);
        return hijo;
    }
    static void Teclear(QWidget &dialogo, const QString &usuario, const QString &clave)
    {
        Hijo<QLineEdit>(dialogo, "edtUsuario")->setText(usuario);
        Hijo<QLineEdit>(dialogo, "edtClave")->setText(clave);
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
    }
    static void AlAbrirLogin(const QString &usuario, const QString &clave)
    {
        AlAbrir<TDlgLogin>([usuario, clave](TDlgLogin &dialogo) { Teclear(dialogo, usuario, clave); });
    }
    static void CambiarClave(QWidget &dialogo, const QString &clave, const QString &confirmacion)
    {
        Hijo<QLineEdit>(dialogo, "edtClave")->setText(clave);
        Hijo<QLineEdit>(dialogo, "edtConfirmar")->setText(confirmacion);
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
    }

private slots:
    void anAcceptedLoginKeepsTheUserAndIsAudited()
    {
        Entorno e;
        const int id = e.usuarios.Anadir({QStringLiteral("rosa"), QStringLiteral("ROSA"),
                                          Perfiles::kFarmaceutico, QStringLiteral("Secreta1")});
        AlAbrirLogin(QStringLiteral("rosa"), QStringLiteral("Secreta1"));
        QVERIFY(Login());
        QCOMPARE(e.dm.Usuario->idUsuario, id);
        QVERIFY(e.dm.EsFarmaceutico());
        QCOMPARE(Auditoria(e.dm),
                 (QList<TAuditoria> {Conexion({}, "PENDIENTE"),
                                     Conexion(QStringLiteral("rosa"), "ACEPTADO")}));
        QVERIFY(PasswordHash::EsHash(
                e.dm.Valor(QStringLiteral("SELECT password FROM Usuario WHERE idUsuario = ?"), {id})
                        .toString()));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("clave");
        QTest::newRow("wrong password") << "rosa"
                                        << "Secreta2";
        QTest::newRow("a trailing blank") << "rosa"
                                          << "Secreta1 ";
        QTest::newRow("unknown user") << "nadie"
                                      << "Secreta1";
    }
    void refused()
    {
        QFETCH(QString, usuario);
        QFETCH(QString, clave);
        Entorno e;
        e.usuarios.Anadir({QStringLiteral("rosa"), QStringLiteral("ROSA"), Perfiles::kFarmaceutico,
                           QStringLiteral("Secreta1")});
        AlAbrirLogin(usuario, clave);
        QVERIFY(!Login());
        QVERIFY(!e.dm.Usuario.has_value());
        QCOMPARE(Auditoria(e.dm), (QList<TAuditoria> {Conexion({}, "PENDIENTE"), Conexion({}, "RECHAZADO")}));
    }

    void closingTheDialogIsARefusal()
    {
        Entorno e;
        AlAbrir<TDlgLogin>([](TDlgLogin &dialogo) { dialogo.reject(); });
        QVERIFY(!Login());
        QCOMPARE(Auditoria(e.dm).last(), Conexion({}, "RECHAZADO"));
    }

    void enterMovesBetweenTheFieldsAndAcceptsFromThePassword()
    {
        Entorno e;
        e.usuarios.Anadir(
                {QStringLiteral("ana"), QStringLiteral("ANA"), Perfiles::kAuxiliar, QStringLiteral("x")});
        TDlgLogin dialogo;
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialogo));
        auto *usuario = Hijo<QLineEdit>(dialogo, "edtUsuario");
        auto *clave = Hijo<QLineEdit>(dialogo, "edtClave");

        usuario->setFocus();
        QTest::keyClick(usuario, Qt::Key_Return);
        QCOMPARE(dialogo.focusWidget(), clave);
        // No user name yet: Enter in the password field does not accept.
        QTest::keyClick(clave, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(dialogo.focusWidget(), clave);
        QVERIFY(dialogo.isVisible());
        QTest::keyClick(clave, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(dialogo.focusWidget(), usuario);

        QTest::keyClicks(usuario, QStringLiteral("ana"));
        QTest::keyClick(usuario, Qt::Key_Return);
        QTest::keyClicks(clave, QStringLiteral("x"));
        QTest::keyClick(clave, Qt::Key_Return);
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(e.dm.Usuario->username, QStringLiteral("ana"));
        // The typed password does not stay in the dialog.
        QVERIFY(clave->text().isEmpty());
    }

    void aNewDatabaseAccountChoosesItsPasswordAtTheFirstLogin()
    {
        Entorno e;
        const QString cuenta = QString::fromLatin1(TUsuarios::kCuentaInicial);
        AlAbrirLogin(cuenta, QString::fromLatin1(TUsuarios::kClaveInicial));
        AlAbrir<TDlgCambiarClave>([&e](TDlgCambiarClave &dialogo) {
            CambiarClave(dialogo, QString::fromLatin1(TUsuarios::kClaveInicial),
                         QString::fromLatin1(TUsuarios::kClaveInicial));
            CambiarClave(dialogo, QStringLiteral("Nueva.1"), QStringLiteral("Nueva.2"));
            CambiarClave(dialogo, QStringLiteral("   "), QStringLiteral("   "));
            QVERIFY(dialogo.isVisible());
            CambiarClave(dialogo, QStringLiteral("Nueva.1"), QStringLiteral("Nueva.1"));
        });
        QVERIFY(Login());
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error),
                 (QStringList {QStringLiteral("La clave nueva debe ser distinta de la actual."),
                               QStringLiteral("La confirmación de la clave no es correcta."),
                               QStringLiteral("Clave es un campo obligatorio.")}));
        QCOMPARE(e.dm.Usuario->username, cuenta);
        QVERIFY(e.dm.EsFarmaceutico());
        QVERIFY(!e.usuarios.DebeCambiarClave(e.dm.Usuario->idUsuario));
        QCOMPARE(Auditoria(e.dm),
                 (QList<TAuditoria> {Conexion({}, "PENDIENTE"), Conexion(cuenta, "ACEPTADO")}));
        QVERIFY(e.dm.ComprobarUsuario(cuenta, QStringLiteral("Nueva.1")));
    }

    void leavingTheChangeOfPasswordRefusesTheLogin()
    {
        Entorno e;
        const QString cuenta = QString::fromLatin1(TUsuarios::kCuentaInicial);
        AlAbrirLogin(cuenta, QString::fromLatin1(TUsuarios::kClaveInicial));
        AlAbrir<TDlgCambiarClave>([](TDlgCambiarClave &dialogo) { dialogo.reject(); });
        QVERIFY(!Login());
        QVERIFY(!e.dm.Usuario.has_value());
        QCOMPARE(Auditoria(e.dm), (QList<TAuditoria> {Conexion({}, "PENDIENTE"), Conexion({}, "RECHAZADO")}));
        QVERIFY(e.dm.ComprobarUsuario(cuenta, QString::fromLatin1(TUsuarios::kClaveInicial)));
        QVERIFY(e.usuarios.DebeCambiarClave(e.dm.Usuario->idUsuario));
    }
};

PASTILLERO_UI_DATA_TEST_MAIN(TestLogin)
#include "test_login.moc"
