#include "StockEntorno.h"

#include "support/DialogoModal.h"
#include "ui/medication/FDlgMedicamentoEditar.h"
#include "ui/stock/FrameStockPaciente.h"
#include "ui/stock/TAltaStock.h"
#include "ui/stock/TGridStock.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// The stock panel hosted by a stand-in for the treatment screen, whose caption heads the audit
// actions.
class TestFrameStockPaciente : public QObject
{
    Q_OBJECT

    struct Pantalla
    {
        QWidget ventana;
        TFrameStockPaciente *panel = nullptr;

        Pantalla()
        {
            ventana.setWindowTitle(QStringLiteral("TRATAMIENTO"));
            panel = new TFrameStockPaciente(&ventana);
            (new QVBoxLayout(&ventana))->addWidget(panel);
            ventana.show();
        }
        TGridStock *grid() { return panel->findChild<TGridStock *>(QStringLiteral("grdStock")); }
    };

    static void pedir(qint64 codigo)
    {
        CuandoSeAbra<TDlgPedirMedicamento>([codigo](TDlgPedirMedicamento &dialogo) {
            ResponderPedido(dialogo, QString::number(codigo), QStringLiteral("L1"),
                            QStringLiteral("12/2026"));
        });
    }

private slots:
    void unitedKingdomHidesTheStock_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<bool>("visible");
        QTest::newRow("Spain") << "0" << true;
        QTest::newRow("United Kingdom") << "3" << false;
    }
    void unitedKingdomHidesTheStock()
    {
        QFETCH(QString, pais);
        QFETCH(bool, visible);
        StockEntorno e;
        e.preferencias.Pais = pais;
        e.preferencias.NoReinoUnido = pais != QLatin1String("3");
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 4);
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        QCOMPARE(pantalla.panel->isVisible(), visible);
        QCOMPARE(pantalla.grid()->rowCount(), visible ? 1 : 0);
        if (!visible)
            QVERIFY(!pantalla.panel->Dispensar(StockEntorno::kTratado));
    }

    void pharmacistEntersAnUntreatedMedicationThroughTheLineEditor_data()
    {
        QTest::addColumn<bool>("lineaGuardada");
        QTest::newRow("line stored") << true;
        QTest::newRow("editor cancelled") << false;
    }
    void pharmacistEntersAnUntreatedMedicationThroughTheLineEditor()
    {
        QFETCH(bool, lineaGuardada);
        StockEntorno e;
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        QList<TNuevaLineaTratamiento> abiertas;
        pantalla.panel->EstablecerEditorLinea([&](const TNuevaLineaTratamiento &linea) {
            abiertas << linea;
            return lineaGuardada;
        });
        QSignalSpy cambios(pantalla.panel, &TFrameStockPaciente::StockCambiado);
        pedir(StockEntorno::kOtro);
        pantalla.panel->btnIntroducirClick();
        QCOMPARE(abiertas.size(), 1);
        QCOMPARE(abiertas[0].idMedicamento, StockEntorno::kOtro);
        QCOMPARE(abiertas[0].Medicamento, QStringLiteral("ENALAPRIL CAJA"));
        QCOMPARE(abiertas[0].Lote, QStringLiteral("L1"));
        QCOMPARE(abiertas[0].Caducidad, QDate(2026, 12, 1));
        QCOMPARE(abiertas[0].Unidades, 14);
        QCOMPARE(abiertas[0].Medico, QStringLiteral("DRA. GIL"));
        QVERIFY(abiertas[0].SPD);
        QCOMPARE(e.filas(QStringLiteral("Inventario")), lineaGuardada ? 1 : 0);
        QCOMPARE(pantalla.grid()->rowCount(), lineaGuardada ? 1 : 0);
        QCOMPARE(cambios.size(), lineaGuardada ? 1 : 0);
        QCOMPARE(e.auditoria(), QStringList()); // stock entered by hand writes no row
    }

    void treatedMedicationNeedsNoLineEditor()
    {
        StockEntorno e;
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        bool abierto = false;
        pantalla.panel->EstablecerEditorLinea([&](const TNuevaLineaTratamiento &) { return abierto = true; });
        pedir(StockEntorno::kTratado);
        pantalla.panel->btnIntroducirClick();
        QVERIFY(!abierto);
        QCOMPARE(e.cantidadLinea(), 28.0);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT Lote FROM SPD")).toString(), QStringLiteral("L1"));
    }

    void incompleteMedicationIsCompletedFirst()
    {
        StockEntorno e;
        e.dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET Definido = 0 WHERE idMedicamento = ?"),
                      {StockEntorno::kTratado});
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        pedir(StockEntorno::kTratado);
        // The editor opens once the medication was asked for; leaving it enters nothing.
        CuandoSeAbra<TDlgMedicamentoEditar>([](TDlgMedicamentoEditar &editor) { editor.reject(); });
        pantalla.panel->btnIntroducirClick();
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Aviso),
                 QStringList {QStringLiteral("TIENE PENDIENTE DE COMPLETAR LOS DATOS DEL MEDICAMENTO")});
        QCOMPARE(e.filas(QStringLiteral("Inventario")), 0);
    }

    void doubleClickModifiesTheRow()
    {
        StockEntorno e;
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 28);
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        QSignalSpy cambios(pantalla.panel, &TFrameStockPaciente::StockCambiado);
        pantalla.grid()->selectRow(0);
        CuandoSeAbra<TDlgModificarCantidad>(
                [](TDlgModificarCantidad &dialogo) { ResponderCantidad(dialogo, QStringLiteral("12.25")); });
        emit pantalla.grid()->cellDoubleClicked(0, 1);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT CantidadRestante FROM Inventario")).toDouble(), 12.25);
        QCOMPARE(e.cantidadLinea(), 12.25);
        QCOMPARE(e.auditoria(), QStringList {QStringLiteral("TRATAMIENTO MOD. INVENTARIO|MODIFICACION")});
        QCOMPARE(cambios.size(), 1);
        QCOMPARE(cambios[0][0].toLongLong(), StockEntorno::kTratado);
    }

    void modifyActsOnTheRowShownAfterSorting()
    {
        StockEntorno e;
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 9);
        const qint64 mayor = e.stock(StockEntorno::kTratado, QStringLiteral("B"), QDate(2027, 2, 1), 10);
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        // Twice on "CANTIDAD": descending by value, so 10 comes before 9.
        for (int vez = 0; vez < 2; ++vez)
            emit pantalla.grid()->horizontalHeader()->sectionClicked(4);
        pantalla.grid()->selectRow(0);
        CuandoSeAbra<TDlgModificarCantidad>(
                [](TDlgModificarCantidad &dialogo) { ResponderCantidad(dialogo, QStringLiteral("4")); });
        pantalla.panel->btnModificarClick();
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT CantidadRestante FROM Inventario WHERE idInventario = ?"),
                            {mayor})
                         .toDouble(),
                 4.0);
        QCOMPARE(e.cantidadLinea(), 13.0);
    }

    void hiddenToggleShowsTheSelectedLineOnly()
    {
        StockEntorno e;
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 9);
        e.stock(StockEntorno::kOtro, QStringLiteral("B"), QDate(2027, 2, 1), 10);
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        auto *boton = pantalla.panel->findChild<QPushButton *>(QStringLiteral("btnCompleto"));
        QVERIFY(boton && !boton->isVisible());
        QCOMPARE(boton->text(), QStringLiteral("ACTUAL"));
        pantalla.panel->SeleccionarLinea(StockEntorno::kOtro);
        QCOMPARE(pantalla.grid()->rowCount(), 2);
        boton->click();
        QCOMPARE(boton->text(), QStringLiteral("COMPLETO"));
        QCOMPARE(pantalla.grid()->rowCount(), 1);
        pantalla.grid()->selectRow(0);
        QCOMPARE(pantalla.grid()->FilaSeleccionada()->Lote, QStringLiteral("B"));
        pantalla.panel->SeleccionarLinea(StockEntorno::kTratado);
        QCOMPARE(pantalla.grid()->item(0, 2)->text(), QStringLiteral("A"));
        boton->click();
        QCOMPARE(pantalla.grid()->rowCount(), 2);
    }

    void removingTheLastRowLeavesTheLineAtZero()
    {
        StockEntorno e;
        e.dm.Ejecutar(QStringLiteral("UPDATE SPD SET Cantidad = 3"));
        e.stock(StockEntorno::kTratado, QStringLiteral("A"), QDate(2027, 1, 1), 5);
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        pantalla.grid()->selectRow(0);
        pantalla.panel->btnBorrarClick();
        QCOMPARE(e.filas(QStringLiteral("Inventario")), 0);
        QCOMPARE(e.cantidadLinea(), 0.0);
        QCOMPARE(pantalla.grid()->rowCount(), 0);
        QCOMPARE(e.auditoria(), QStringList {QStringLiteral("TRATAMIENTO BORR. INVENTARIO|BAJA")});
    }

    void dispensingAPrescription()
    {
        StockEntorno e;
        e.dm.idPacienteActivo = int(e.paciente);
        Pantalla pantalla;
        pedir(StockEntorno::kTratado);
        QVERIFY(pantalla.panel->Dispensar(StockEntorno::kTratado));
        QCOMPARE(e.filas(QStringLiteral("Inventario")), 1);
        QCOMPARE(e.auditoria(), QStringList {QStringLiteral("TRATAMIENTO DISPENSAR|ALTA")});
    }
};

QTEST_MAIN(TestFrameStockPaciente)
#include "test_frame_stock_paciente.moc"
