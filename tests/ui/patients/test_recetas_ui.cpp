// Prescriptions on the treatment screen: the dialog that enters one and the panel that deletes
// or dispenses them into the patient's stock.
#include "../stock/StockEntorno.h"
#include "support/DialogoModal.h"
#include "support/RechazoEscritura.h"
#include "ui/patients/FDlgReceta.h"
#include "ui/patients/FPacienteTratamiento.h"
#include "ui/patients/PanelRecetas.h"

#include <QComboBox>
#include <QTableWidget>
#include <QTest>

class TestRecetasUi : public QObject
{
    Q_OBJECT

    // The patient of StockEntorno, active, with one prescription of IBUPROFENO.
    struct Entorno : StockEntorno
    {
        qint64 receta = 0;
        Entorno()
        {
            dm.idPacienteActivo = int(paciente);
            receta = dm.Anadir(QStringLiteral("Receta"),
                               {{QStringLiteral("idPaciente"), paciente},
                                {QStringLiteral("idMedicamento"), kTratado},
                                {QStringLiteral("FechaReceta"), SqlFecha::valor(QDate(2026, 3, 1))}});
        }
    };

    // Types the prescription into the dialog and presses "ACEPTAR".
    static void Rellenar(TDlgReceta &dialogo, const QString &fecha, qint64 producto)
    {
        dialogo.findChild<QLineEdit *>(QStringLiteral("edtFecha"))->setText(fecha);
        auto *lista = dialogo.findChild<QComboBox *>(QStringLiteral("cmbMedicamento"));
        lista->setCurrentIndex(lista->findData(producto));
        dialogo.findChild<QPushButton *>(QStringLiteral("btnAceptar"))->click();
    }

    static QTableWidget *Rejilla(TFormPacienteTratamiento &form)
    {
        return form.findChild<QTableWidget *>(QStringLiteral("grdRecetas"));
    }

private slots:
    void elDialogoGuardaSoloUnaRecetaValida_data()
    {
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<qint64>("producto");
        QTest::addColumn<bool>("guardada");
        QTest::newRow("today") << "10/03/2026" << StockEntorno::kOtro << true;
        QTest::newRow("31 February") << "31/02/2026" << StockEntorno::kOtro << false;
        QTest::newRow("not a date") << "ayer" << StockEntorno::kOtro << false;
        QTest::newRow("tomorrow") << "11/03/2026" << StockEntorno::kOtro << false;
        QTest::newRow("no medication") << "10/03/2026" << qint64(0) << false;
    }
    void elDialogoGuardaSoloUnaRecetaValida()
    {
        QFETCH(QString, fecha);
        QFETCH(qint64, producto);
        QFETCH(bool, guardada);
        StockEntorno e;
        e.dm.idPacienteActivo = int(e.paciente);
        TDlgReceta dialogo;
        dialogo.show();
        QCOMPARE(dialogo.findChild<QLineEdit *>(QStringLiteral("edtMedico"))->text(), QString("DRA. GIL"));
        Rellenar(dialogo, fecha, producto);
        QCOMPARE(dialogo.isVisible(), !guardada);
        QCOMPARE(e.filas(QStringLiteral("Receta")), guardada ? 1 : 0);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error).size(), guardada ? 0 : 1);
        QCOMPARE(e.auditoria(), guardada ? QStringList {"INTRODUCIR RECETA|ALTA"} : QStringList {});
    }

    void unaRecetaQueNoSeGuardaSeMuestraYElDialogoSigue()
    {
        StockEntorno e;
        e.dm.idPacienteActivo = int(e.paciente);
        RechazarEscritura(e.dm, QStringLiteral("Receta"), QStringLiteral("INSERT"));
        TDlgReceta dialogo;
        dialogo.show();
        Rellenar(dialogo, QStringLiteral("10/03/2026"), StockEntorno::kOtro);
        QVERIFY(dialogo.isVisible());
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error).size(), 1);
        QVERIFY(e.auditoria().isEmpty());
    }

    void dispensarDesdeLaPantallaDelTratamiento_data()
    {
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<bool>("rechazoStock");
        QTest::addColumn<bool>("dispensada");
        QTest::newRow("box entered") << true << false << true;
        QTest::newRow("box cancelled") << false << false << false;
        QTest::newRow("stock row refused") << true << true << false;
    }
    void dispensarDesdeLaPantallaDelTratamiento()
    {
        QFETCH(bool, acepta);
        QFETCH(bool, rechazoStock);
        QFETCH(bool, dispensada);
        Entorno e;
        if (rechazoStock)
            RechazarEscritura(e.dm, QStringLiteral("Inventario"), QStringLiteral("INSERT"));
        TFormPacienteTratamiento form;
        form.show();
        QCOMPARE(Rejilla(form)->rowCount(), 1);
        CuandoSeAbra<TDlgPedirMedicamento>([acepta](TDlgPedirMedicamento &dialogo) {
            if (acepta)
                ResponderPedido(dialogo, QString::number(StockEntorno::kTratado), QStringLiteral("L1"),
                                QStringLiteral("01/01/2027"));
            else
                dialogo.reject();
        });
        form.findChild<QPushButton *>(QStringLiteral("btnDispensar"))->click();
        QCOMPARE(e.filas(QStringLiteral("Receta")), dispensada ? 0 : 1);
        QCOMPARE(e.filas(QStringLiteral("Inventario")), dispensada ? 1 : 0);
        QCOMPARE(Rejilla(form)->rowCount(), dispensada ? 0 : 1);
        QCOMPARE(e.cantidadLinea(), dispensada ? 28.0 : 0.0);
        QCOMPARE(e.auditoria().contains("TRATAMIENTO DISPENSAR|ALTA"), dispensada);
    }

    void borrarSoloUnaRecetaDelPacienteActivo_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("otroPacienteActivo");
        QTest::addColumn<int>("quedan");
        QTest::newRow("confirmed") << 1 << false << 0;
        QTest::newRow("cancelled") << 2 << false << 1;
        QTest::newRow("list of a patient no longer active") << 1 << true << 1;
    }
    void borrarSoloUnaRecetaDelPacienteActivo()
    {
        QFETCH(int, respuesta);
        QFETCH(bool, otroPacienteActivo);
        QFETCH(int, quedan);
        Entorno e;
        TFormPacienteTratamiento form;
        form.show();
        if (otroPacienteActivo)
            e.dm.idPacienteActivo = int(e.paciente) + 1000;
        e.grabados.Responder(respuesta);
        form.findChild<QPushButton *>(QStringLiteral("btnBorrarReceta"))->click();
        QCOMPARE(e.filas(QStringLiteral("Receta")), quedan);
        QCOMPARE(e.auditoria().contains("TRATAMIENTO BORR. RECETA|BAJA"), quedan == 0);
    }
};

QTEST_MAIN(TestRecetasUi)
#include "test_recetas_ui.moc"
