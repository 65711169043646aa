#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "ui/masters/FCategorias.h"
#include "ui/masters/FDlgTabMaestras.h"
#include "ui/patients/FPacienteFicha.h"
#include "ui/users/DialogoModal.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using TTipo = PresentadorMensajes::TTipo;

// The categories screen driven by its buttons and its dialog, and the patient card that lists the
// categories created there.
class TestFormCategorias : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        FixedClock reloj {QDate(2024, 5, 6)};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        TFormCategorias form;

        Entorno()
        {
            dm.Usuario = TUsuario {1, QStringLiteral("ana"), QStringLiteral("ANA"), {}, true};
            for (const auto &[codigo, nombre] : {std::pair {1, "RESIDENCIA SOL"}, std::pair {2, "PLANTA 2"}})
                dm.Anadir(QStringLiteral("TabMaestras"),
                          {{QStringLiteral("CodTab"), TDM::kListaCategorias},
                           {QStringLiteral("Codigo"), codigo},
                           {QStringLiteral("Descripcion"), QString::fromLatin1(nombre)}});
            form.show();
        }
        QTableView *Rejilla() { return form.findChild<QTableView *>(QStringLiteral("grdTabla")); }
        QStringList Filas()
        {
            QStringList filas;
            for (int fila = 0; fila < Rejilla()->model()->rowCount(); ++fila)
                filas << Rejilla()->model()->index(fila, 1).data().toString();
            return filas;
        }
        void Pulsar(const char *boton) { form.findChild<QPushButton *>(QString::fromLatin1(boton))->click(); }
    };

    // Types the description into the next entry dialog and accepts it.
    static void Escribir(const QString &descripcion, bool cerrarSiQuedaAbierto = false)
    {
        AlAbrir<TDlgTabMaestras>([=](TDlgTabMaestras &dialogo) {
            dialogo.findChild<QLineEdit *>(QStringLiteral("edtDescripcion"))->setText(descripcion);
            dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar"))->click();
            if (cerrarSiQuedaAbierto && dialogo.isVisible())
                dialogo.reject();
        });
    }

private slots:
    void aNewCategoryReachesThePatientCardAndCannotBeDeletedOnceUsed()
    {
        Entorno e;
        QCOMPARE(e.Filas(), (QStringList {"RESIDENCIA SOL", "PLANTA 2"}));
        QVERIFY(e.Rejilla()->isColumnHidden(0));
        Escribir(QStringLiteral("CENTRO DE DIA"));
        e.Pulsar("btnNuevo");
        QCOMPARE(e.Filas().last(), QStringLiteral("CENTRO DE DIA"));
        QCOMPARE(e.Rejilla()->currentIndex().row(), 2);
        QCOMPARE(e.form.Seleccionada()->Codigo, 3);

        const qint64 paciente
                = e.dm.Anadir(QStringLiteral("Paciente"),
                              {{QStringLiteral("refPaciente"), QStringLiteral("R1")},
                               {QStringLiteral("DNI"), QStringLiteral("11111111H")},
                               {QStringLiteral("Nombre"), QStringLiteral("ANA")},
                               {QStringLiteral("Telefono"), QStringLiteral("600000000")},
                               {QStringLiteral("FechaNacimiento"), SqlFecha::valor(QDate(1950, 3, 5))},
                               {QStringLiteral("Iactivo"), 0}});
        {
            TFormPacienteFicha ficha(paciente);
            ficha.show();
            auto *combo = ficha.findChild<QComboBox *>(QStringLiteral("cmbCategoria"));
            const int indice = combo->findData(3);
            QCOMPARE(combo->itemText(indice), QStringLiteral("CENTRO DE DIA"));
            e.grabados.Responder(1);
            combo->setCurrentIndex(indice);
            emit combo->activated(indice);
            ficha.findChild<QPushButton *>(QStringLiteral("btnAceptar"))->click();
            QCOMPARE(e.grabados.Textos(TTipo::Error), QStringList());
        }
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT CodCategoria FROM Paciente")).toInt(), 3);

        e.Pulsar("btnBorrar");
        QCOMPARE(e.grabados.Textos(TTipo::Error),
                 QStringList {QStringLiteral("LA CATEGORIA YA ESTA SIENDO UTILIZADO EN ALGUN PACIENTE")});
        QCOMPARE(e.Filas().size(), 3);
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QStringList>("filas");
        QTest::newRow("cancelled") << 2 << QStringList {"RESIDENCIA SOL", "PLANTA 2"};
        QTest::newRow("confirmed") << 1 << QStringList {"RESIDENCIA SOL"};
    }
    void deleteAsksFirst()
    {
        QFETCH(int, respuesta);
        QFETCH(QStringList, filas);
        Entorno e;
        e.Rejilla()->selectRow(1);
        e.grabados.Responder(respuesta);
        e.Pulsar("btnBorrar");
        QCOMPARE(e.grabados.Textos(TTipo::Confirmar),
                 QStringList {QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR ELEMENTO DE LA LISTA?")});
        QCOMPARE(e.Filas(), filas);
        QCOMPARE(e.dm.SiguienteCodigo(TDM::kListaCategorias), 3);
    }

    void theDialogRefusesBadDescriptions_data()
    {
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("filas");
        QTest::newRow("empty") << " "
                               << "Descripcion es un campo obligatorio."
                               << QStringList {"RESIDENCIA SOL", "PLANTA 2"};
        QTest::newRow("semicolon") << "A;B"
                                   << "La descripcion no puede contener el caracter ;"
                                   << QStringList {"RESIDENCIA SOL", "PLANTA 2"};
        QTest::newRow("edited") << "PLANTA DOS"
                                << "" << QStringList {"RESIDENCIA SOL", "PLANTA DOS"};
    }
    void theDialogRefusesBadDescriptions()
    {
        QFETCH(QString, descripcion);
        QFETCH(QString, error);
        QFETCH(QStringList, filas);
        Entorno e;
        e.Rejilla()->selectRow(1);
        Escribir(descripcion, true);
        emit e.Rejilla()->doubleClicked({});
        QCOMPARE(e.grabados.Textos(TTipo::Error), error.isEmpty() ? QStringList() : QStringList {error});
        QCOMPARE(e.Filas(), filas);
        QCOMPARE(e.form.Seleccionada()->Codigo, 2);
    }
};

PASTILLERO_UI_DATA_TEST_MAIN(TestFormCategorias)
#include "test_form_categorias.moc"
