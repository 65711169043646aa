#include "DialogoModal.h"
#include "core/data/uDM.h"
#include "core/users/TUsuarios.h"
#include "support/MensajesGrabados.h"
#include "ui/users/FDlgUsuario.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The user dialog: its checks in order, through the error dialog, and what it stores.
class TestDlgUsuario : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TestDatabase db;
        TDM dm {db.directory()};
        TUsuarios usuarios {dm};
        MensajesGrabados grabados;
    };

    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT(hijo);
        return hijo;
    }
    static void Rellenar(TDlgUsuario &dialogo, const QString &usuario, const QString &nombre,
                         const QString &clave, const QString &confirmacion)
    {
        Hijo<QLineEdit>(dialogo, "edtUsuario")->setText(usuario);
        Hijo<QLineEdit>(dialogo, "edtNombre")->setText(nombre);
        Hijo<QLineEdit>(dialogo, "edtClave")->setText(clave);
        Hijo<QLineEdit>(dialogo, "edtConfirmar")->setText(confirmacion);
    }
    static int Usuarios(TDM &dm) { return dm.Valor(QStringLiteral("SELECT count(*) FROM Usuario")).toInt(); }

private slots:
    void theFirstFailedCheckIsShownAndNothingStored_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("confirmacion");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing typed") << ""
                                       << ""
                                       << ""
                                       << "" << QStringLiteral("Usuario es un campo obligatorio.");
        QTest::newRow("no full name") << "ana"
                                      << "  "
                                      << ""
                                      << "" << QStringLiteral("NOMBRE ES UN CAMPO OBLIGATORIO");
        QTest::newRow("a password of blanks") << "ana"
                                              << "ANA"
                                              << "  "
                                              << "  " << QStringLiteral("Clave es un campo obligatorio.");
        QTest::newRow("confirmation differs")
                << "ana"
                << "ANA"
                << "abc"
                << "abd" << QStringLiteral("La confirmación de la clave no es correcta.");
    }
    void theFirstFailedCheckIsShownAndNothingStored()
    {
        QFETCH(QString, usuario);
        QFETCH(QString, nombre);
        QFETCH(QString, clave);
        QFETCH(QString, confirmacion);
        QFETCH(QString, error);
        Entorno e;
        TDlgUsuario dialogo;
        dialogo.show();
        Rellenar(dialogo, usuario, nombre, clave, confirmacion);
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error), QStringList {error});
        QVERIFY(dialogo.isVisible());
        QCOMPARE(Usuarios(e.dm), 0);
    }

    void storesTheTextsAsTyped()
    {
        Entorno e;
        TDlgUsuario dialogo;
        dialogo.show();
        Rellenar(dialogo, QStringLiteral(" ana "), QStringLiteral("ANA "), QStringLiteral(" x"),
                 QStringLiteral("x"));
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QVERIFY(e.grabados.mensajes.isEmpty());
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral(" ana "), QStringLiteral(" x")));
        QCOMPARE(e.dm.Usuario->idUsuario, dialogo.idUsuario());
        QCOMPARE(e.dm.Usuario->Nombre, QStringLiteral("ANA "));
        QVERIFY(!e.dm.EsFarmaceutico());
    }

    void theLastPharmacistCannotBecomeAnAssistant()
    {
        Entorno e;
        const int id = e.usuarios.Anadir({QStringLiteral("farma"), QStringLiteral("ROSA"),
                                          Perfiles::kFarmaceutico, QStringLiteral("f")});
        TDlgUsuario dialogo(e.usuarios.Lista().first());
        dialogo.show();
        QCOMPARE(Hijo<QComboBox>(dialogo, "cmbPerfil")->currentIndex(), Perfiles::kFarmaceutico);
        Hijo<QComboBox>(dialogo, "cmbPerfil")->setCurrentIndex(Perfiles::kAuxiliar);
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error),
                 QStringList {QStringLiteral("Debe quedar al menos un usuario con el perfil FARMACEUTICO.")});
        QVERIFY(dialogo.isVisible());
        QCOMPARE(e.usuarios.Lista().first().idPerfil, Perfiles::kFarmaceutico);
        QCOMPARE(e.usuarios.Lista().first().idUsuario, id);
    }
};

PASTILLERO_UI_DATA_TEST_MAIN(TestDlgUsuario)
#include "test_dlg_usuario.moc"
