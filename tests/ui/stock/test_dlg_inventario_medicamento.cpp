#include "StockEntorno.h"

#include "support/DialogoModal.h"
#include "ui/stock/FDlgInventarioMedicamento.h"
#include "ui/stock/TGridStock.h"

#include <QApplication>
#include <QTest>

// "MODIFICAR INVENTARIO MEDICAMENTO" driven by its components, with its dialogs answered.
class TestDlgInventarioMedicamento : public QObject
{
    Q_OBJECT

    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT(hijo);
        return hijo;
    }
    static constexpr const char *kCaption = "MODIFICAR INVENTARIO MEDICAMENTO";

private slots:
    void showsThePatientsRowsOfTheMedication()
    {
        StockEntorno e;
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 10);
        e.stock(StockEntorno::kOtro, QStringLiteral("B"), QDate(2027, 1, 1), 10);
        e.stock(StockEntorno::kTratado, QStringLiteral("C"), QDate(2027, 1, 1), 2.5);
        TDlgInventarioMedicamento dialogo(e.paciente, StockEntorno::kTratado);
        dialogo.show();
        QCOMPARE(e.dm.idPacienteActivo, int(e.paciente));
        QCOMPARE(dialogo.windowTitle(), QString::fromLatin1(kCaption));
        auto *grid = Hijo<TGridStock>(dialogo, "grdStock");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("1234568"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("IBUPROFENO CAJA"));
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("C"));
    }

    // Only a pharmacist may enter stock of a medication the patient is not treated with.
    void newBoxFollowsTheProfile_data()
    {
        QTest::addColumn<bool>("farmaceutico");
        QTest::addColumn<qint64>("medicamento");
        QTest::addColumn<bool>("anadida");
        QTest::newRow("pharmacist, treated") << true << StockEntorno::kTratado << true;
        QTest::newRow("pharmacist, not treated") << true << StockEntorno::kOtro << true;
        QTest::newRow("auxiliary, treated") << false << StockEntorno::kTratado << true;
        QTest::newRow("auxiliary, not treated") << false << StockEntorno::kOtro << false;
    }
    void newBoxFollowsTheProfile()
    {
        QFETCH(bool, farmaceutico);
        QFETCH(qint64, medicamento);
        QFETCH(bool, anadida);
        StockEntorno e(farmaceutico);
        TDlgInventarioMedicamento dialogo(e.paciente, medicamento);
        dialogo.show();
        CuandoSeAbra<TDlgPedirMedicamento>([medicamento](TDlgPedirMedicamento &pedir) {
            ResponderPedido(pedir, QString::number(medicamento), QStringLiteral("L-7"),
                            QStringLiteral("06/27"));
        });
        dialogo.btnNuevoClick();
        QCOMPARE(e.filas(QStringLiteral("Inventario")), anadida ? 1 : 0);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Aviso),
                 anadida ? QStringList()
                         : QStringList {QStringLiteral("NO TIENES PERMISO PARA MODIFICAR TRATAMIENTO")});
        QCOMPARE(e.auditoria(), QStringList()); // the loading screens' stock dialog writes no row
        if (!anadida)
            return;
        // One whole box of the medication, selected in the grid.
        TConsulta fila = e.dm.Consulta(
                QStringLiteral("SELECT idMedicamento, Lote, Caducidad, CantidadRestante, TipoAsignacion "
                               "FROM Inventario"));
        QVERIFY(fila.next());
        QCOMPARE(fila.value(0).toLongLong(), medicamento);
        QCOMPARE(fila.value(1).toString(), QStringLiteral("L-7"));
        QCOMPARE(SqlFecha::leerDia(fila.value(2)), QDate(2027, 6, 1));
        QCOMPARE(fila.value(3).toDouble(), medicamento == StockEntorno::kTratado ? 28.0 : 14.0);
        QCOMPARE(fila.value(4).toInt(), 0);
        QVERIFY(Hijo<TGridStock>(dialogo, "grdStock")->FilaSeleccionada());
        if (medicamento == StockEntorno::kTratado)
            QCOMPARE(e.cantidadLinea(), 28.0);
    }

    void otherMedicationThanExpectedIsRefused()
    {
        StockEntorno e;
        TDlgInventarioMedicamento dialogo(e.paciente, StockEntorno::kTratado);
        dialogo.show();
        CuandoSeAbra<TDlgPedirMedicamento>([](TDlgPedirMedicamento &pedir) {
            ResponderPedido(pedir, QString::number(StockEntorno::kOtro), QStringLiteral("L"),
                            QStringLiteral("06/27"));
        });
        dialogo.btnNuevoClick();
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error),
                 QStringList {QStringLiteral("No es el medicamento esperado: 1234568")});
        QCOMPARE(e.filas(QStringLiteral("Inventario")), 0);
        QVERIFY(e.auditoria().isEmpty());
    }

    void modifyStoresAValidQuantityOnly_data()
    {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<double>("guardada");
        QTest::addColumn<bool>("aceptada");
        QTest::newRow("decimal comma") << "3,5" << 3.5 << true;
        QTest::newRow("negative refused") << "-2" << 10.0 << false;
    }
    void modifyStoresAValidQuantityOnly()
    {
        QFETCH(QString, tecleado);
        QFETCH(double, guardada);
        QFETCH(bool, aceptada);
        StockEntorno e;
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 10);
        e.dm.Ejecutar(QStringLiteral("UPDATE SPD SET Cantidad = 10"));
        TDlgInventarioMedicamento dialogo(e.paciente, StockEntorno::kTratado);
        dialogo.show();
        Hijo<TGridStock>(dialogo, "grdStock")->selectRow(0);
        CuandoSeAbra<TDlgModificarCantidad>(
                [tecleado](TDlgModificarCantidad &cantidad) { ResponderCantidad(cantidad, tecleado); });
        dialogo.btnModificarClick();
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT CantidadRestante FROM Inventario")).toDouble(), guardada);
        QCOMPARE(e.cantidadLinea(), guardada);
        QCOMPARE(Hijo<TGridStock>(dialogo, "grdStock")->FilaSeleccionada()->CantidadRestante, guardada);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Error).size(), aceptada ? 0 : 1);
        QCOMPARE(e.auditoria(), QStringList());
    }

    void removalAsksFirst_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("yes") << 1;
        QTest::newRow("no") << 2;
    }
    void removalAsksFirst()
    {
        QFETCH(int, respuesta);
        StockEntorno e;
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 5);
        e.stock(StockEntorno::kTratado, QStringLiteral("B"), QDate(2027, 2, 1), 3);
        TDlgInventarioMedicamento dialogo(e.paciente, StockEntorno::kTratado);
        dialogo.show();
        Hijo<TGridStock>(dialogo, "grdStock")->selectRow(0);
        e.grabados.Responder(respuesta);
        dialogo.btnBorrarClick();
        const bool borrada = respuesta == 1;
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Confirmar),
                 QStringList {
                         QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL MEDICAMENTE DEL INVENTARIO?")});
        QCOMPARE(e.filas(QStringLiteral("Inventario")), borrada ? 1 : 2);
        QCOMPARE(Hijo<TGridStock>(dialogo, "grdStock")->rowCount(), borrada ? 1 : 2);
        QCOMPARE(e.auditoria(), QStringList());
        if (borrada) {
            QCOMPARE(e.cantidadLinea(), 3.0);
            QCOMPARE(e.dm.Valor(QStringLiteral("SELECT Lote FROM SPD")).toString(), QStringLiteral("B"));
        }
    }

    // Enter accepts even with the focus on another button: it never removes a row.
    void enterAccepts()
    {
        StockEntorno e;
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 5);
        TDlgInventarioMedicamento dialogo(e.paciente, StockEntorno::kTratado);
        dialogo.show();
        Hijo<TGridStock>(dialogo, "grdStock")->selectRow(0);
        auto *btnBorrar = Hijo<QPushButton>(dialogo, "btnBorrar");
        btnBorrar->setFocus();
        QTest::keyClick(btnBorrar, Qt::Key_Return);
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QVERIFY(e.grabados.mensajes.isEmpty());
        QCOMPARE(e.filas(QStringLiteral("Inventario")), 1);
    }
};

QTEST_MAIN(TestDlgInventarioMedicamento)
#include "test_dlg_inventario_medicamento.moc"
