// The treatment screen: its lines, the rights on deleting one, the version stored on leaving, and
// the treatment sheet.
#include "../stock/StockEntorno.h"
#include "ui/patients/FPacienteTratamiento.h"
#include "ui/reports/Fpreview.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

class TestFormPacienteTratamiento : public QObject
{
    Q_OBJECT

    // The patient of StockEntorno with a blister line of IBUPROFENO, 28 units in stock.
    struct Entorno : StockEntorno
    {
        explicit Entorno(bool farmaceutico = true, const QString &pais = QStringLiteral("0"))
            : StockEntorno(farmaceutico)
        {
            preferencias.Pais = pais;
            preferencias.NoReinoUnido = pais != QLatin1String("3");
            dm.idPacienteActivo = int(paciente);
            dm.Ejecutar(QStringLiteral("UPDATE SPD SET Dosis = '1-0-0-0:D:D:1', Medico = 'DRA. GIL'"));
            stock(kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 28);
        }
        int versiones()
        {
            return dm.Valor(QStringLiteral("SELECT COUNT(DISTINCT IdVersion) FROM SPDHIST")).toInt();
        }
    };

    static QTableWidget *Rejilla(TFormPacienteTratamiento &form)
    {
        return form.findChild<QTableWidget *>(QStringLiteral("grdTratamiento"));
    }

private slots:
    void cleanup()
    {
        for (TFormPreview *vista : TFormPreview::abiertos())
            vista->close();
    }

    void listaLasLineasDelPacienteYSeAudita_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<bool>("conStock");
        QTest::newRow("Spain") << "0" << true;
        QTest::newRow("United Kingdom: no stock, quantity or prescriptions") << "3" << false;
    }
    void listaLasLineasDelPacienteYSeAudita()
    {
        QFETCH(QString, pais);
        QFETCH(bool, conStock);
        Entorno e(true, pais);
        TFormPacienteTratamiento form;
        form.show();
        QTableWidget *rejilla = Rejilla(form);
        QCOMPARE(rejilla->rowCount(), 1);
        QCOMPARE(rejilla->item(0, TFormPacienteTratamiento::kColMedicamento)->text(),
                 QString("IBUPROFENO CAJA"));
        QCOMPARE(rejilla->item(0, TFormPacienteTratamiento::kColDosis)->text(), QString("1-0-0-0:D:D:1"));
        QCOMPARE(rejilla->isColumnHidden(TFormPacienteTratamiento::kColCantidad), !conStock);
        if (conStock)
            QCOMPARE(rejilla->item(0, TFormPacienteTratamiento::kColCantidad)->text(), QString("28"));
        QCOMPARE(form.findChild<QWidget *>(QStringLiteral("grpRecetas"))->isVisible(), conStock);
        QCOMPARE(e.auditoria(), QStringList {"TRATAMIENTO|CONSULTA"});
    }

    void borrarUnaLinea_data()
    {
        QTest::addColumn<bool>("farmaceutico");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("quedan");
        QTest::newRow("pharmacist, confirmed") << true << 1 << 0;
        QTest::newRow("pharmacist, cancelled") << true << 2 << 1;
        QTest::newRow("assistant: no right") << false << 1 << 1;
    }
    void borrarUnaLinea()
    {
        QFETCH(bool, farmaceutico);
        QFETCH(int, respuesta);
        QFETCH(int, quedan);
        Entorno e(farmaceutico);
        TFormPacienteTratamiento form;
        form.show();
        e.grabados.Responder(respuesta);
        form.btnBorrarClick();
        QCOMPARE(e.filas(QStringLiteral("SPD")), quedan);
        QCOMPARE(Rejilla(form)->rowCount(), quedan);
        QCOMPARE(e.filas(QStringLiteral("Inventario")), 1); // the stock stays
        QCOMPARE(e.auditoria().contains("TRATAMIENTO BORR. TRATAMIENTO|BAJA"), quedan == 0);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Aviso).size(), farmaceutico ? 0 : 1);
    }

    void volverGuardaUnaVersionCuandoCambio()
    {
        Entorno e;
        TFormPacienteTratamiento form;
        form.show();
        QSignalSpy volver(&form, &TFormPacienteTratamiento::volver);
        form.btnVolverClick();
        QCOMPARE(e.versiones(), 1);
        form.btnVolverClick(); // nothing changed since
        QCOMPARE(e.versiones(), 1);
        e.dm.Ejecutar(QStringLiteral("UPDATE SPD SET Dosis = '2-0-0-0:D:D:1'"));
        form.btnHistoricoClick();
        QCOMPARE(e.versiones(), 2);
        QCOMPARE(volver.size(), 2);
        QCOMPARE(volver.first().first().toString(), QString("R1"));
    }

    void imprimirMuestraLaHojaDelTratamiento()
    {
        Entorno e;
        TFormPacienteTratamiento form;
        form.show();
        form.btnImprimirClick();
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        QCOMPARE(TFormPreview::abiertos().first()->informe().title(), QString("TRATAMIENTO DEL PACIENTE"));
        QVERIFY(e.auditoria().contains("Listado TRATAMIENTO DEL PACIENTE|CONSULTA"));
    }
};

QTEST_MAIN(TestFormPacienteTratamiento)
#include "test_form_paciente_tratamiento.moc"
