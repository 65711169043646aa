#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/medication/FDlgMedicamentoEditar.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The medication editor driven by its components.
class TestDlgMedicamentoEditar : public QObject
{
    Q_OBJECT

    struct Entorno
    {
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados mensajes;
        QStringList Errores() const { return mensajes.Textos(PresentadorMensajes::TTipo::Error); }
    };

    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT(hijo);
        return hijo;
    }
    static void addCatalogueEntry(TDM &dm, const QVariant &definido, const QVariant &forma)
    {
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), 654321},
                   {QStringLiteral("Medicamento"), QStringLiteral("CATALOGO")},
                   {QStringLiteral("Descripcion"), QStringLiteral("1G")},
                   {QStringLiteral("Definido"), definido},
                   {QStringLiteral("SPD"), 1},
                   {QStringLiteral("Forma"), forma}});
    }

private slots:
    void undefinedEntryNeedsTheBlisterDecision()
    {
        Entorno e;
        addCatalogueEntry(e.dm, 0, QVariant());
        TDlgMedicamentoEditar dialogo(654321);
        dialogo.show();
        QVERIFY(!Hijo<QRadioButton>(dialogo, "rbSpdSi")->isChecked());
        QVERIFY(!Hijo<QRadioButton>(dialogo, "rbSpdNo")->isChecked());
        QVERIFY(!Hijo<QGroupBox>(dialogo, "grpDetalle")->isVisible());
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        QCOMPARE(e.Errores(), QStringList {QStringLiteral("INDICAR SI EL MEDICAMENTO ES EMBLISTABLE")});
        QCOMPARE(dialogo.result(), int(QDialog::Rejected));

        Hijo<QRadioButton>(dialogo, "rbSpdSi")->click();
        QVERIFY(Hijo<QGroupBox>(dialogo, "grpDetalle")->isVisible());
        Hijo<QComboBox>(dialogo, "cmbForma")->setCurrentIndex(2); // CUADRADA
        Hijo<QLineEdit>(dialogo, "edtUnidades")->setText(QStringLiteral("20"));
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT Forma FROM Medicamento")).toString(),
                 QStringLiteral("CUADRADA"));
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT Unidades FROM Medicamento")).toInt(), 20);
    }

    void storedShapeIsSelectedAgain()
    {
        Entorno e;
        addCatalogueEntry(e.dm, 1, QStringLiteral("OCTOGONAL"));
        TDlgMedicamentoEditar dialogo(654321);
        dialogo.show();
        QVERIFY(Hijo<QRadioButton>(dialogo, "rbSpdSi")->isChecked());
        QCOMPARE(Hijo<QComboBox>(dialogo, "cmbForma")->currentIndex(), 3);
        QVERIFY(Hijo<QLineEdit>(dialogo, "edtNombre")->isReadOnly()); // a catalogue entry
    }

    void newEntryWithASeparatorIsRefused()
    {
        Entorno e;
        TDlgMedicamentoEditar dialogo(0);
        dialogo.show();
        Hijo<QLineEdit>(dialogo, "edtCodigo")->setText(QStringLiteral("999999"));
        Hijo<QLineEdit>(dialogo, "edtNombre")->setText(QStringLiteral("MI;MEDICAMENTO"));
        Hijo<QLineEdit>(dialogo, "edtDescripcion")->setText(QStringLiteral("1G"));
        Hijo<QRadioButton>(dialogo, "rbSpdNo")->click();
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        QCOMPARE(dialogo.result(), int(QDialog::Rejected));
        QCOMPARE(e.Errores().size(), 1);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT COUNT(*) FROM Medicamento")).toInt(), 0);
        Hijo<QLineEdit>(dialogo, "edtNombre")->setText(QStringLiteral("MI MEDICAMENTO"));
        Hijo<QPushButton>(dialogo, "btnAceptar")->click();
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT iManual FROM Medicamento")).toInt(), 1);
    }

    void wholeEanCodeShowsItsBarCode_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<bool>("dibujado");
        QTest::newRow("ean13") << QStringLiteral("8470001234568") << true;
        QTest::newRow("ean8") << QStringLiteral("96385074") << true;
        QTest::newRow("national code") << QStringLiteral("654321") << false;
        QTest::newRow("letters") << QStringLiteral("84700A1234568") << false;
    }
    void wholeEanCodeShowsItsBarCode()
    {
        QFETCH(QString, codigo);
        QFETCH(bool, dibujado);
        Entorno e;
        TDlgMedicamentoEditar dialogo(0);
        auto *imagen = Hijo<QLabel>(dialogo, "imgCodigoBarras");
        QTest::keyClicks(Hijo<QLineEdit>(dialogo, "edtCodigo"), codigo);
        QCOMPARE(!imagen->pixmap().isNull(), dibujado);
        Hijo<QLineEdit>(dialogo, "edtCodigo")->clear();
        QVERIFY(imagen->pixmap().isNull());
    }
};

QTEST_MAIN(TestDlgMedicamentoEditar)
#include "test_dlg_medicamento_editar.moc"
