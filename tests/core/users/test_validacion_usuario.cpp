#include "core/users/ValidacionUsuario.h"

#include <QTest>

// The checks of the user dialog, first failure first.
class TestValidacionUsuario : public QObject
{
    Q_OBJECT

private slots:
    void firstFailure_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("confirmacion");
        QTest::addColumn<bool>("editando");
        QTest::addColumn<QString>("error");
        const QString usuario = QStringLiteral("Usuario es un campo obligatorio.");
        const QString nombre = QStringLiteral("NOMBRE ES UN CAMPO OBLIGATORIO");
        const QString clave = QStringLiteral("Clave es un campo obligatorio.");
        const QString confirmacion = QStringLiteral("La confirmación de la clave no es correcta.");
        QTest::newRow("everything empty: the user name first") << ""
                                                               << ""
                                                               << ""
                                                               << "" << false << usuario;
        QTest::newRow("blank user name") << "   "
                                         << "ANA"
                                         << "x"
                                         << "x" << false << usuario;
        QTest::newRow("blank full name before the password") << "ana"
                                                             << " "
                                                             << ""
                                                             << "" << false << nombre;
        QTest::newRow("no password for a new user") << "ana"
                                                    << "ANA"
                                                    << ""
                                                    << "" << false << clave;
        QTest::newRow("a password of blanks") << "ana"
                                              << "ANA"
                                              << "   "
                                              << "   " << false << clave;
        QTest::newRow("a password of blanks when editing") << "ana"
                                                           << "ANA"
                                                           << "   "
                                                           << "" << true << clave;
        QTest::newRow("confirmation differs") << "ana"
                                              << "ANA"
                                              << "abc"
                                              << "abd" << false << confirmacion;
        QTest::newRow("only the confirmation typed when editing: the password is missing")
                << "ana"
                << "ANA"
                << ""
                << "abc" << true << clave;
        QTest::newRow("blanks around are not a difference") << "ana"
                                                            << "ANA"
                                                            << " abc"
                                                            << "abc " << false << "";
        QTest::newRow("empty passwords keep the stored one when editing") << "ana"
                                                                          << "ANA"
                                                                          << ""
                                                                          << "" << true << "";
        QTest::newRow("all filled") << "ana"
                                    << "ANA"
                                    << "abc"
                                    << "abc" << false << "";
    }
    void firstFailure()
    {
        QFETCH(QString, usuario);
        QFETCH(QString, nombre);
        QFETCH(QString, clave);
        QFETCH(QString, confirmacion);
        QFETCH(bool, editando);
        QFETCH(QString, error);
        QCOMPARE(ValidacionUsuario::ErrorUsuario(usuario, nombre, clave, confirmacion, editando), error);
    }
};

QTEST_GUILESS_MAIN(TestValidacionUsuario)
#include "test_validacion_usuario.moc"
