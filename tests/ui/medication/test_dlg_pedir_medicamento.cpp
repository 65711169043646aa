#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/medication/FDlgPedirMedicamento.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// "INTRODUCIR MEDICAMENTO" driven by its components.
class TestDlgPedirMedicamento : public QObject
{
    Q_OBJECT

    static constexpr qint64 kProducto = 1234568;
    static constexpr qint64 kPrincipio = 700001;

    struct Entorno
    {
        TLenguaje lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};
        TestDatabase db;
        TDM dm {db.directory()};
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        MensajesGrabados grabados;
        FixedClock reloj {QDate(2026, 3, 10)};

        Entorno()
        {
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), kProducto},
                       {QStringLiteral("Medicamento"), QStringLiteral("IBUPROFENO")},
                       {QStringLiteral("Descripcion"), QStringLiteral("600MG")}});
            dm.Anadir(QStringLiteral("Medicamento"),
                      {{QStringLiteral("idMedicamento"), kPrincipio},
                       {QStringLiteral("Medicamento"), QStringLiteral("IBUPROFENO")},
                       {QStringLiteral("Descripcion"), QStringLiteral("PRINCIPIO")},
                       {QStringLiteral("IPrinActiv"), 1}});
        }
    };

    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT(hijo);
        return hijo;
    }
    static void escribir(QLineEdit *campo, const QString &texto)
    {
        campo->setFocus();
        campo->clear();
        QTest::keyClicks(campo, texto);
        emit campo->editingFinished();
    }
    static void aceptar(QDialog &dialogo) { Hijo<QPushButton>(dialogo, "btnAceptar")->click(); }

private slots:
    void scannedCode_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<bool>("elegido");
        QTest::newRow("Spain cuts the bar code") << "0"
                                                 << "1234568" << true;
        QTest::newRow("no country cuts it") << ""
                                            << "1234568" << true;
        QTest::newRow("France keeps the last 8") << "2"
                                                 << "01234568" << true;
        QTest::newRow("United Kingdom keeps it") << "3"
                                                 << "8470001234568" << false;
    }
    void scannedCode()
    {
        QFETCH(QString, pais);
        QFETCH(QString, codigo);
        QFETCH(bool, elegido);
        Entorno e;
        e.preferencias.Pais = pais;
        TDlgPedirMedicamento dialogo(0);
        dialogo.show();
        auto *edtCodigo = Hijo<QLineEdit>(dialogo, "edtCodigo");
        escribir(edtCodigo, QStringLiteral("8470001234568"));
        QCOMPARE(edtCodigo->text(), codigo);
        auto *lista = Hijo<QComboBox>(dialogo, "cmbMedicamento");
        QCOMPARE(lista->currentData().toLongLong() == kProducto, elegido);
    }

    // A scanner ends the code with Enter: the code is cut and the dialog stays open.
    void enterAfterTheCodeMovesOn()
    {
        Entorno e;
        TDlgPedirMedicamento dialogo(0);
        dialogo.show();
        QApplication::setActiveWindow(&dialogo);
        auto *edtCodigo = Hijo<QLineEdit>(dialogo, "edtCodigo");
        edtCodigo->setFocus();
        QTest::keyClicks(edtCodigo, QStringLiteral("8470001234568"));
        QTest::keyClick(edtCodigo, Qt::Key_Return);
        QVERIFY(dialogo.isVisible());
        QVERIFY(e.grabados.mensajes.isEmpty());
        QVERIFY(!edtCodigo->hasFocus());
        QCOMPARE(edtCodigo->text(), QStringLiteral("1234568"));
    }

    void choosingAnEntryFillsTheCode()
    {
        Entorno e;
        TDlgPedirMedicamento dialogo(0);
        dialogo.show();
        auto *lista = Hijo<QComboBox>(dialogo, "cmbPrincipio");
        const int indice = lista->findData(kPrincipio);
        QVERIFY(indice > 0);
        QCOMPARE(lista->itemText(indice), QStringLiteral("IBUPROFENO PRINCIPIO"));
        lista->setCurrentIndex(indice);
        emit lista->activated(indice);
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtPrincipio")->text(), QStringLiteral("700001"));
        QCOMPARE(Hijo<QComboBox>(dialogo, "cmbMedicamento")->findData(kPrincipio), -1);
    }

    void expectedCodeIsPrefilledInItsBox_data()
    {
        QTest::addColumn<qint64>("esperado");
        QTest::addColumn<QString>("caja");
        QTest::newRow("product") << kProducto << "edtCodigo";
        QTest::newRow("active ingredient") << kPrincipio << "edtPrincipio";
    }
    void expectedCodeIsPrefilledInItsBox()
    {
        QFETCH(qint64, esperado);
        QFETCH(QString, caja);
        Entorno e;
        TDlgPedirMedicamento dialogo(esperado);
        dialogo.show();
        QCOMPARE(dialogo.findChild<QLineEdit *>(caja)->text(), QString::number(esperado));
    }

    void refusalShowsTheErrorAndKeepsTheDialog_data()
    {
        QTest::addColumn<QString>("lote");
        QTest::addColumn<QString>("caducidad");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("foco");
        QTest::newRow("past expiry") << "L1"
                                     << "02/2026"
                                     << "El medicamento se encuentra caducado"
                                     << "edtCaducidad";
        QTest::newRow("no lot") << ""
                                << "05/27"
                                << "Obligatorio introducir LOTE medicamento"
                                << "edtLote";
        QTest::newRow("lot too long") << QString(51, QLatin1Char('X')) << "05/27"
                                      << "EL LOTE NO PUEDE TENER MAS DE 50 CARACTERES"
                                      << "edtLote";
    }
    void refusalShowsTheErrorAndKeepsTheDialog()
    {
        QFETCH(QString, lote);
        QFETCH(QString, caducidad);
        QFETCH(QString, error);
        QFETCH(QString, foco);
        Entorno e;
        TDlgPedirMedicamento dialogo(0);
        dialogo.show();
        QApplication::setActiveWindow(&dialogo);
        escribir(Hijo<QLineEdit>(dialogo, "edtCodigo"), QStringLiteral("1234568"));
        Hijo<QLineEdit>(dialogo, "edtLote")->setText(lote);
        Hijo<QLineEdit>(dialogo, "edtCaducidad")->setText(caducidad);
        aceptar(dialogo);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error), QStringList {error});
        QVERIFY(dialogo.isVisible());
        QCOMPARE(dialogo.result(), int(QDialog::Rejected));
        QCOMPARE(dialogo.focusWidget()->objectName(), foco);
    }

    void acceptedReturnsTheMedication()
    {
        Entorno e;
        TDlgPedirMedicamento dialogo(0);
        dialogo.show();
        escribir(Hijo<QLineEdit>(dialogo, "edtCodigo"), QStringLiteral("1234568"));
        escribir(Hijo<QLineEdit>(dialogo, "edtPrincipio"), QStringLiteral("700001"));
        Hijo<QLineEdit>(dialogo, "edtLote")->setText(QStringLiteral(" LX-9 "));
        Hijo<QLineEdit>(dialogo, "edtCaducidad")->setText(QStringLiteral("15/04/27"));
        aceptar(dialogo);
        QVERIFY(e.grabados.mensajes.isEmpty());
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(dialogo.Pedido().idMedicamento, kPrincipio);
        QCOMPARE(dialogo.Pedido().IdMedicamentoReal, kProducto);
        QCOMPARE(dialogo.Pedido().Lote, QStringLiteral("LX-9"));
        QCOMPARE(dialogo.Pedido().Caducidad, QDate(2027, 4, 15));
    }

    void calendarFillsTheExpiry()
    {
        Entorno e;
        TDlgPedirMedicamento dialogo(0);
        dialogo.show();
        Hijo<QToolButton>(dialogo, "btnCalendario")->click();
        auto *calendario = Hijo<QCalendarWidget>(dialogo, "calCaducidad");
        QCOMPARE(calendario->minimumDate(), QDate(2026, 3, 10)); // no day in the past
        emit calendario->clicked(QDate(2027, 8, 9));
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtCaducidad")->text(), QStringLiteral("09/08/2027"));
    }

    void patientWithoutStockControlNeedsNoLot()
    {
        Entorno e;
        e.dm.idPacienteActivo = static_cast<int>(e.dm.Anadir(
                QStringLiteral("Paciente"),
                {{QStringLiteral("refPaciente"), QStringLiteral("R1")}, {QStringLiteral("IConInven"), 0}}));
        TDlgPedirMedicamento dialogo(0);
        dialogo.show();
        escribir(Hijo<QLineEdit>(dialogo, "edtCodigo"), QStringLiteral("1234568"));
        aceptar(dialogo);
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(dialogo.Pedido().Lote, QStringLiteral("*****"));
        QCOMPARE(dialogo.Pedido().Caducidad, QDate(2500, 12, 31));
    }
};

QTEST_MAIN(TestDlgPedirMedicamento)
#include "test_dlg_pedir_medicamento.moc"
