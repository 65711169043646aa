#include "DialogoModal.h"
#include "core/data/uDM.h"
#include "core/shell/PasswordHash.h"
#include "core/users/TUsuarios.h"
#include "support/MensajesGrabados.h"
#include "ui/users/FDlgUsuario.h"
#include "ui/users/FUsuarios.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

// The users screen driven by its components.
class TestFormUsuarios : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TestDatabase db;
        TDM dm {db.directory()};
        TUsuarios usuarios {dm};
        MensajesGrabados grabados;
        int farma = usuarios.Anadir({QStringLiteral("farma"), QStringLiteral("ROSA MARTIN"),
                                     Perfiles::kFarmaceutico, QStringLiteral("f")});
        int aux = usuarios.Anadir({QStringLiteral("Aux"), QStringLiteral("JAVIER LEON"), Perfiles::kAuxiliar,
                                   QStringLiteral("a")});
    };

    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT(hijo);
        return hijo;
    }
    static QList<QStringList> Filas(TFormUsuarios &form)
    {
        QAbstractItemModel *modelo = Hijo<QTableView>(form, "grdUsuarios")->model();
        QList<QStringList> filas;
        for (int fila = 0; fila < modelo->rowCount(); ++fila) {
            QStringList celdas;
            for (int columna = 0; columna < modelo->columnCount(); ++columna)
                celdas << modelo->index(fila, columna).data().toString();
            filas << celdas;
        }
        return filas;
    }
    static void Pulsar(QWidget &form, const char *boton) { Hijo<QPushButton>(form, boton)->click(); }

private slots:
    void listsTheUsersWithHiddenPasswordsAndReReadsWhenShown()
    {
        Entorno e;
        e.dm.Anadir(QStringLiteral("Usuario"),
                    {{QStringLiteral("username"), QStringLiteral("tecnico")},
                     {QStringLiteral("password"), QStringLiteral("t")},
                     {QStringLiteral("idPerfil"), 1},
                     {QStringLiteral("iSupUser"), 1}});
        TFormUsuarios form;
        form.show();
        QCOMPARE(Filas(form),
                 (QList<QStringList> {{"farma", "ROSA MARTIN", "****", "FARMACEUTICO"},
                                      {"Aux", "JAVIER LEON", "****", "AUXILIAR"}}));
        form.hide();
        e.usuarios.Anadir(
                {QStringLiteral("luis"), QStringLiteral("LUIS"), Perfiles::kAuxiliar, QStringLiteral("l")});
        form.show();
        QCOMPARE(Filas(form).size(), 3);
    }

    void searchFields_data()
    {
        QTest::addColumn<QByteArray>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("fila");
        QTest::newRow("user name, other case") << QByteArray("edtBuscarUsuario") << "aU" << 1;
        QTest::newRow("full name") << QByteArray("edtBuscarNombre") << "rosa" << 0;
        QTest::newRow("full name of the second") << QByteArray("edtBuscarNombre") << "jav" << 1;
    }
    void searchFields()
    {
        QFETCH(QByteArray, campo);
        QFETCH(QString, texto);
        QFETCH(int, fila);
        Entorno e;
        TFormUsuarios form;
        form.show();
        Hijo<QTableView>(form, "grdUsuarios")->selectRow(fila == 0 ? 1 : 0);
        QTest::keyClicks(Hijo<QLineEdit>(form, campo.constData()), texto);
        QCOMPARE(Hijo<QTableView>(form, "grdUsuarios")->currentIndex().row(), fila);
    }

    void newUserIsStoredAndSelected()
    {
        Entorno e;
        TFormUsuarios form;
        form.show();
        AlAbrir<TDlgUsuario>([](TDlgUsuario &dialogo) {
            QCOMPARE(dialogo.windowTitle(), QStringLiteral("NUEVO USUARIO"));
            QCOMPARE(Hijo<QComboBox>(dialogo, "cmbPerfil")->currentIndex(), Perfiles::kAuxiliar);
            Hijo<QLineEdit>(dialogo, "edtUsuario")->setText(QStringLiteral("luis"));
            Hijo<QLineEdit>(dialogo, "edtNombre")->setText(QStringLiteral("LUIS GIL"));
            Hijo<QComboBox>(dialogo, "cmbPerfil")->setCurrentIndex(Perfiles::kFarmaceutico);
            Hijo<QLineEdit>(dialogo, "edtClave")->setText(QStringLiteral("Clave 1 "));
            Hijo<QLineEdit>(dialogo, "edtConfirmar")->setText(QStringLiteral("Clave 1"));
            Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        });
        Pulsar(form, "btnNuevo");
        QCOMPARE(Filas(form).last(), (QStringList {"luis", "LUIS GIL", "****", "FARMACEUTICO"}));
        QCOMPARE(Hijo<QTableView>(form, "grdUsuarios")->currentIndex().row(), 2);
        // Stored as typed: the trailing blank belongs to the password.
        QVERIFY(!e.dm.ComprobarUsuario(QStringLiteral("luis"), QStringLiteral("Clave 1")));
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("luis"), QStringLiteral("Clave 1 ")));
        QVERIFY(e.dm.EsFarmaceutico());
    }

    void editingKeepsThePasswordLeftEmpty()
    {
        Entorno e;
        TFormUsuarios form;
        form.show();
        Hijo<QTableView>(form, "grdUsuarios")->selectRow(1);
        AlAbrir<TDlgUsuario>([](TDlgUsuario &dialogo) {
            QCOMPARE(dialogo.windowTitle(), QStringLiteral("EDITAR USUARIO"));
            QCOMPARE(Hijo<QLineEdit>(dialogo, "edtUsuario")->text(), QStringLiteral("Aux"));
            QCOMPARE(Hijo<QLineEdit>(dialogo, "edtNombre")->text(), QStringLiteral("JAVIER LEON"));
            QVERIFY(Hijo<QLineEdit>(dialogo, "edtClave")->text().isEmpty());
            QVERIFY(Hijo<QLineEdit>(dialogo, "edtConfirmar")->text().isEmpty());
            Hijo<QLineEdit>(dialogo, "edtNombre")->setText(QStringLiteral("JAVIER LEON RUIZ"));
            Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        });
        emit Hijo<QTableView>(form, "grdUsuarios")->doubleClicked({});
        QCOMPARE(Filas(form).at(1).at(1), QStringLiteral("JAVIER LEON RUIZ"));
        QCOMPARE(Hijo<QTableView>(form, "grdUsuarios")->currentIndex().row(), 1);
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("Aux"), QStringLiteral("a")));
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("filas");
        QTest::newRow("cancelled") << 2 << 3;
        QTest::newRow("confirmed") << 1 << 2;
    }
    void deleteAsksFirst()
    {
        QFETCH(int, respuesta);
        QFETCH(int, filas);
        Entorno e;
        e.usuarios.Anadir(
                {QStringLiteral("luis"), QStringLiteral("LUIS"), Perfiles::kAuxiliar, QStringLiteral("l")});
        TFormUsuarios form;
        form.show();
        Hijo<QTableView>(form, "grdUsuarios")->selectRow(2);
        e.grabados.Responder(respuesta);
        Pulsar(form, "btnBorrar");
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Confirmar),
                 QStringList {QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL USUARIO?")});
        QCOMPARE(Filas(form).size(), filas);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT count(*) FROM Usuario")).toInt(), filas);
    }

    void deleteRefusedWithAReason_data()
    {
        QTest::addColumn<int>("fila");
        QTest::addColumn<QString>("error");
        QTest::newRow("the user of the session")
                << 1 << QStringLiteral("No se puede eliminar el usuario que ha iniciado la sesión.");
        QTest::newRow("the last pharmacist")
                << 0 << QStringLiteral("Debe quedar al menos un usuario con el perfil FARMACEUTICO.");
    }
    void deleteRefusedWithAReason()
    {
        QFETCH(int, fila);
        QFETCH(QString, error);
        Entorno e;
        QVERIFY(e.dm.ComprobarUsuario(QStringLiteral("Aux"), QStringLiteral("a")));
        TFormUsuarios form;
        form.show();
        Hijo<QTableView>(form, "grdUsuarios")->selectRow(fila);
        Pulsar(form, "btnBorrar");
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error), QStringList {error});
        QVERIFY(e.grabados.Textos(PresentadorMensajes::TTipo::Confirmar).isEmpty());
        QCOMPARE(Filas(form).size(), 2);
    }

    void anEmptyListOpensNothing()
    {
        Entorno e;
        e.dm.Ejecutar(QStringLiteral("DELETE FROM Usuario"));
        TFormUsuarios form;
        form.show();
        Pulsar(form, "btnEditar");
        Pulsar(form, "btnBorrar");
        QVERIFY(e.grabados.mensajes.isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
    }
};

PASTILLERO_UI_DATA_TEST_MAIN(TestFormUsuarios)
#include "test_form_usuarios.moc"
