// The treatment-line editor driven through its components: storing a new line and a changed one,
// the blister switch, the weekly table, the doctor list, read-only use, a store the database
// refuses, and the stock entry that opens it for a medication the patient has no line for.
#include "../stock/StockEntorno.h"
#include "core/patients/TratamientoPaciente.h"
#include "support/DialogoModal.h"
#include "support/RechazoEscritura.h"
#include "ui/patients/FDlgTratamientoEditarV2.h"
#include "ui/stock/TAltaStock.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

class TestDlgTratamientoEditar : public QObject
{
    Q_OBJECT

    static constexpr const char *kEmblistado = "DEFINIR TRATAMIENTO EMBLISTADO Kelvo";

    // The patient of StockEntorno, active, with a blister line of IBUPROFENO (a label dose of its
    // own) and none of ENALAPRIL.
    struct Entorno : StockEntorno
    {
        Entorno()
        {
            dm.idPacienteActivo = int(paciente);
            dm.Ejecutar(QStringLiteral("UPDATE SPD SET Dosis = '1-0-0-0:D:D:1', DosisS1 = '1-0-0-0:D:D:1', "
                                       "DosisEtiqueta = 'UNA AL DIA', Medico = 'DRA. GIL', Cantidad = 28"));
        }
        TEntradaEditorTratamiento lineaTratada()
        {
            return EntradaDeFila(LineasTratamiento(dm, paciente).constFirst());
        }
        TEntradaEditorTratamiento lineaNueva()
        {
            TEntradaEditorTratamiento entrada;
            entrada.SPD = entrada.SPDInicial = true;
            entrada.idMedicamento = kOtro;
            entrada.Medicamento = QStringLiteral("ENALAPRIL CAJA");
            entrada.Lote = QStringLiteral("L-7");
            entrada.Caducidad = QDate(2027, 6, 1);
            entrada.Cantidad = 14;
            entrada.Medico = QStringLiteral("DRA. GIL");
            return entrada;
        }
        QVariantMap fila(qint64 medicamento)
        {
            TConsulta q = dm.Consulta(
                    QStringLiteral("SELECT Dosis, DosisS1, DosisEtiqueta, SPDP, Cantidad, Inicio, "
                                   "Medico, Notas FROM SPD WHERE idMedicamento = ?"),
                    {medicamento});
            QVariantMap valores;
            if (q.next()) {
                const char *columnas[] = {"Dosis",    "DosisS1", "DosisEtiqueta", "SPDP",
                                          "Cantidad", "Inicio",  "Medico",        "Notas"};
                for (int i = 0; i < 8; ++i)
                    valores.insert(QLatin1String(columnas[i]), q.value(i));
            }
            return valores;
        }
    };

    template<typename T> static T *Hijo(QWidget &padre, const char *nombre)
    {
        auto *hijo = padre.findChild<T *>(QString::fromLatin1(nombre));
        Q_ASSERT_X(hijo, "Hijo", nombre);
        return hijo;
    }
    static void Pulsar(QWidget &dialogo, const char *boton)
    {
        QTest::mouseClick(Hijo<QAbstractButton>(dialogo, boton), Qt::LeftButton);
    }
    static void Teclear(QWidget &dialogo, const char *campo, const QString &texto)
    {
        auto *edicion = Hijo<QLineEdit>(dialogo, campo);
        edicion->clear();
        QTest::keyClicks(edicion, texto);
    }
    static QStringList Errores(const Entorno &e)
    {
        return e.grabados.Textos(PresentadorMensajes::TTipo::Error);
    }

private slots:
    void storesANewLine()
    {
        Entorno e;
        TDlgTratamientoEditarv2 dialogo(e.lineaNueva());
        dialogo.show();
        QCOMPARE(dialogo.objectName(), QStringLiteral("DlgTratamientoEditarv2"));
        QCOMPARE(dialogo.windowTitle(), QLatin1String(kEmblistado));
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtLote")->text(), QStringLiteral("L-7"));
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtCaducidad")->text(), QStringLiteral("06/2027"));
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtCantidad")->text(), QStringLiteral("14"));
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtInicio")->text(), QStringLiteral("10/03/2026")); // today
        QVERIFY(Hijo<QRadioButton>(dialogo, "rbDiaria")->isChecked());

        Pulsar(dialogo, "btnMasDesayuno");
        Hijo<QComboBox>(dialogo, "cmbFraccionNoche")->setCurrentIndex(2); // 1/2
        Pulsar(dialogo, "rbCada");
        Teclear(dialogo, "edtCadaDias", QStringLiteral("2"));
        Teclear(dialogo, "edtFin", QStringLiteral("30/06/2026"));
        Pulsar(dialogo, "btnAceptar");

        QCOMPARE(Errores(e), QStringList());
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        const QVariantMap fila = e.fila(StockEntorno::kOtro);
        QCOMPARE(fila["Dosis"].toString(), QStringLiteral("1-0-0-0,5:D:D:2"));
        QCOMPARE(fila["DosisS1"].toString(), QStringLiteral("1-0-0-0,5:D:D:2"));
        QCOMPARE(fila["DosisEtiqueta"].toString(), QStringLiteral("1-0-0-0,5:D:D:2"));
        QVERIFY(fila["SPDP"].isNull());
        QCOMPARE(fila["Cantidad"].toDouble(), 14.0);
        QCOMPARE(SqlFecha::leerDia(fila["Inicio"]), QDate(2026, 3, 10));
        QCOMPARE(fila["Medico"].toString(), QStringLiteral("DRA. GIL"));
        QCOMPARE(e.auditoria(), QStringList {QLatin1String(kEmblistado) + QStringLiteral("|ALTA")});
        // The opener reads what was stored.
        QCOMPARE(dialogo.Entrada().Dosis, QStringLiteral("1-0-0-0,5:D:D:2"));
        QCOMPARE(dialogo.Entrada().Fin, QDate(2026, 6, 30));
    }

    // A check that fails is shown and the editor stays open with what was typed.
    void failedCheckKeepsTheEditorOpen()
    {
        Entorno e;
        TDlgTratamientoEditarv2 dialogo(e.lineaNueva());
        dialogo.show();
        Pulsar(dialogo, "btnMenosComida"); // never below 0
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtComida")->text(), QStringLiteral("0"));
        Pulsar(dialogo, "btnAceptar");
        Pulsar(dialogo, "btnMasComida");
        Pulsar(dialogo, "rbSemanal");
        Teclear(dialogo, "edtCadaSemanas", QStringLiteral("1"));
        Pulsar(dialogo, "btnAceptar");
        QCOMPARE(Errores(e),
                 (QStringList {QStringLiteral("NO SE HA ESPECIFICADO NINGUNA TOMA"),
                               QStringLiteral("FALTA MARCAR ALGUN DIA DE LA SEMANA")}));
        QVERIFY(dialogo.isVisible());
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtComida")->text(), QStringLiteral("1"));
        QCOMPARE(e.filas(QStringLiteral("SPD")), 1);
        Pulsar(dialogo, "chkMiercoles");
        Pulsar(dialogo, "btnAceptar");
        QCOMPARE(e.fila(StockEntorno::kOtro)["Dosis"].toString(), QStringLiteral("0-1-0-0:S:1:0010000"));
    }

    // Accepting the line with its dose untouched keeps its label dose; changing one fraction
    // replaces the label dose by the new dose.
    void changesAStoredLine_data()
    {
        QTest::addColumn<bool>("cambiarDosis");
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("etiqueta");
        QTest::newRow("dose untouched") << false << "1-0-0-0:D:D:1"
                                        << "UNA AL DIA";
        QTest::newRow("one fraction changed") << true << "1-0-0,25-0:D:D:1"
                                              << "1-0-0,25-0:D:D:1";
    }
    void changesAStoredLine()
    {
        QFETCH(bool, cambiarDosis);
        QFETCH(QString, dosis);
        QFETCH(QString, etiqueta);
        Entorno e;
        TDlgTratamientoEditarv2 dialogo(e.lineaTratada());
        dialogo.show();
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtDesayuno")->text(), QStringLiteral("1"));
        QVERIFY(Hijo<QRadioButton>(dialogo, "rbCada")->isChecked());
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtCadaDias")->text(), QStringLiteral("1"));
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtDosisEtiqueta")->text(), QStringLiteral("UNA AL DIA"));
        if (cambiarDosis)
            Hijo<QComboBox>(dialogo, "cmbFraccionCena")->setCurrentIndex(1); // 1/4
        Hijo<QPlainTextEdit>(dialogo, "memNotas")->setPlainText(QStringLiteral("con agua"));
        Pulsar(dialogo, "btnAceptar");
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(e.filas(QStringLiteral("SPD")), 1);
        const QVariantMap fila = e.fila(StockEntorno::kTratado);
        QCOMPARE(fila["Dosis"].toString(), dosis);
        QCOMPARE(fila["DosisEtiqueta"].toString(), etiqueta);
        QCOMPARE(fila["Notas"].toString(), QStringLiteral("con agua"));
        QCOMPARE(fila["Cantidad"].toDouble(), 28.0);
        QCOMPARE(e.auditoria(), QStringList {QLatin1String(kEmblistado) + QStringLiteral("|MODIFICACION")});
    }

    // "Si" -> "No" -> "Si" empties the dose choices; the label dose survives the switch to "No"
    // only. Stored as "No": free text, DosisS1 "0-0-0-0:0" and the line's own choice 0.
    void blisterSwitch()
    {
        Entorno e;
        TDlgTratamientoEditarv2 dialogo(e.lineaTratada());
        dialogo.show();
        Pulsar(dialogo, "rbSpdNo");
        QCOMPARE(dialogo.windowTitle(), QStringLiteral("DEFINIR TRATAMIENTO NO EMBLISTADO"));
        QVERIFY(!Hijo<QWidget>(dialogo, "pnlDosis")->isVisible());
        QVERIFY(Hijo<QLineEdit>(dialogo, "edtDosisLibre")->isVisible());
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtDosisLibre")->text(), QString());
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtDosisEtiqueta")->text(), QStringLiteral("UNA AL DIA"));
        Pulsar(dialogo, "rbSpdSi");
        QCOMPARE(dialogo.windowTitle(), QLatin1String(kEmblistado));
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtDesayuno")->text(), QStringLiteral("0"));
        QVERIFY(!Hijo<QRadioButton>(dialogo, "rbCada")->isChecked());
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtDosisEtiqueta")->text(), QString());
        Pulsar(dialogo, "rbSpdNo");
        Teclear(dialogo, "edtDosisLibre", QStringLiteral("1 cada 8 horas"));
        Pulsar(dialogo, "btnAceptar");
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        const QVariantMap fila = e.fila(StockEntorno::kTratado);
        QCOMPARE(fila["Dosis"].toString(), QStringLiteral("1 cada 8 horas"));
        QCOMPARE(fila["DosisS1"].toString(), QStringLiteral("0-0-0-0:0"));
        QCOMPARE(fila["DosisEtiqueta"].toString(), QStringLiteral("1 cada 8 horas"));
        QCOMPARE(fila["SPDP"].toInt(), 0);
        QCOMPARE(e.auditoria(),
                 QStringList {QStringLiteral("DEFINIR TRATAMIENTO NO EMBLISTADO|MODIFICACION")});
    }

    // Double-clicks fill a cell, a day or a slot with the table's counter and fraction.
    void weeklyTable()
    {
        Entorno e;
        TDlgTratamientoEditarv2 dialogo(e.lineaNueva());
        dialogo.show();
        Pulsar(dialogo, "btnSemanal");
        auto *tabla = Hijo<QTableWidget>(dialogo, "grdTabla");
        QVERIFY(tabla->isVisible());
        Pulsar(dialogo, "btnMasTabla");
        emit tabla->horizontalHeader()->sectionDoubleClicked(6); // Sunday's four slots: 1
        Hijo<QComboBox>(dialogo, "cmbFraccionTabla")->setCurrentIndex(2);
        emit tabla->cellDoubleClicked(2, 0); // Monday's evening meal: 1,5
        Pulsar(dialogo, "btnMenosTabla");
        emit tabla->verticalHeader()->sectionDoubleClicked(3); // every night: 0,5
        tabla->item(1, 2)->setText(QStringLiteral("2")); // typed: Wednesday's lunch
        QCOMPARE(tabla->item(2, 0)->text(), QStringLiteral("1,5"));
        Pulsar(dialogo, "btnAceptar");
        QCOMPARE(Errores(e), QStringList());
        QCOMPARE(e.fila(StockEntorno::kOtro)["Dosis"].toString(),
                 QStringLiteral("0-0-1,5-0,5-0-0-0-0,5-0-2-0-0,5-0-0-0-0,5-0-0-0-0,5-0-0-0-0,5-1-1-1-0,5:T"));
    }

    void doctorJoinsTheList_data()
    {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("pregunta");
        QTest::addColumn<QStringList>("medicos");
        QTest::newRow("new, added") << "dr. nuevo " << 1 << true << QStringList {"DRA. GIL", "DR. NUEVO"};
        QTest::newRow("new, not added") << "dr. nuevo" << 2 << true << QStringList {"DRA. GIL"};
        QTest::newRow("already listed") << " dra. gil" << 1 << false << QStringList {"DRA. GIL"};
    }
    void doctorJoinsTheList()
    {
        QFETCH(QString, tecleado);
        QFETCH(int, respuesta);
        QFETCH(bool, pregunta);
        QFETCH(QStringList, medicos);
        Entorno e;
        e.preferencias.AnadirMedico(QStringLiteral("dra. gil"));
        TDlgTratamientoEditarv2 dialogo(e.lineaNueva());
        dialogo.show();
        auto *medico = Hijo<QComboBox>(dialogo, "cmbMedico");
        e.grabados.Responder(respuesta);
        medico->setEditText(tecleado);
        emit medico->lineEdit()->editingFinished();
        QCOMPARE(medico->currentText(), tecleado.trimmed().toUpper());
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Confirmar).size(), pregunta ? 1 : 0);
        QCOMPARE(e.preferencias.Medicos, medicos);
        QCOMPARE(e.dm.Valor(QStringLiteral("SELECT Medicos FROM CONF")).toString(), medicos.join("\r\n"));
        QCOMPARE(medico->count(), medicos.size());
    }

    void calendarWritesTheDay()
    {
        Entorno e;
        TDlgTratamientoEditarv2 dialogo(e.lineaNueva());
        dialogo.show();
        auto *calendario = Hijo<QCalendarWidget>(dialogo, "calFecha");
        QVERIFY(!calendario->isVisible());
        Pulsar(dialogo, "btnCalendarioFin");
        QVERIFY(calendario->isVisible());
        QCOMPARE(calendario->selectedDate(), QDate(2026, 3, 10)); // no end yet: today
        emit calendario->activated(QDate(2026, 4, 1));
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtFin")->text(), QStringLiteral("01/04/2026"));
        QVERIFY(!calendario->isVisible());
    }

    void readOnlyShowsOnly()
    {
        Entorno e;
        TEntradaEditorTratamiento entrada = e.lineaTratada();
        entrada.SoloLectura = true;
        TDlgTratamientoEditarv2 dialogo(entrada);
        dialogo.show();
        for (const char *nombre :
             {"cmbMedico", "edtInicio", "edtFin", "rbSpdSi", "rbSpdNo", "pnlDosis", "edtDosisEtiqueta"})
            QVERIFY2(!Hijo<QWidget>(dialogo, nombre)->isEnabled(), nombre);
        for (const char *nombre : {"pnlStock", "btnCalendarioInicio", "btnCalendarioFin"})
            QVERIFY2(!Hijo<QWidget>(dialogo, nombre)->isVisible(), nombre);
        Pulsar(dialogo, "btnAceptar");
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(e.fila(StockEntorno::kTratado)["DosisEtiqueta"].toString(), QStringLiteral("UNA AL DIA"));
        QCOMPARE(e.auditoria(), QStringList());
    }

    void unitedKingdomHidesStockFigures()
    {
        Entorno e;
        e.preferencias.NoReinoUnido = false;
        TDlgTratamientoEditarv2 dialogo(e.lineaNueva());
        dialogo.show();
        QVERIFY(!Hijo<QWidget>(dialogo, "pnlStock")->isVisible());
        QVERIFY(Hijo<QWidget>(dialogo, "pnlDosis")->isVisible());
    }

    // A line the database refuses is not taken as stored: the error is shown and the editor
    // stays open with what the user typed.
    void refusedStoreKeepsWhatWasTyped()
    {
        Entorno e;
        RechazarEscritura(e.dm, QStringLiteral("SPD"), QStringLiteral("UPDATE"));
        TDlgTratamientoEditarv2 dialogo(e.lineaTratada());
        dialogo.show();
        Teclear(dialogo, "edtCadaDias", QStringLiteral("3"));
        Pulsar(dialogo, "btnAceptar");
        QCOMPARE(Errores(e).size(), 1);
        QVERIFY2(Errores(e).constFirst().contains(QStringLiteral("rechazada")),
                 qPrintable(Errores(e).constFirst()));
        QVERIFY(dialogo.isVisible());
        QVERIFY(dialogo.result() != QDialog::Accepted);
        QCOMPARE(Hijo<QLineEdit>(dialogo, "edtCadaDias")->text(), QStringLiteral("3"));
        QCOMPARE(dialogo.Entrada().Dosis, QStringLiteral("1-0-0-0:D:D:1"));
        QCOMPARE(e.fila(StockEntorno::kTratado)["Dosis"].toString(), QStringLiteral("1-0-0-0:D:D:1"));
        QCOMPARE(e.auditoria(), QStringList());
    }

    // The stock entry opens the editor prefilled for a medication the patient has no line for;
    // the line is stored before the box.
    void stockEntryOpensTheEditor()
    {
        Entorno e;
        TAltaStock alta(e.paciente, nullptr);
        alta.CompletarAntes(
                [](const TNuevaLineaTratamiento &nueva) { return EditarNuevaLinea(nueva, nullptr); });
        CuandoSeAbra<TDlgPedirMedicamento>([](TDlgPedirMedicamento &pedir) {
            ResponderPedido(pedir, QString::number(StockEntorno::kOtro), QStringLiteral("L-7"),
                            QStringLiteral("06/27"));
        });
        QString lote;
        CuandoSeAbra<TDlgTratamientoEditarv2>([&lote](TDlgTratamientoEditarv2 &editor) {
            lote = Hijo<QLineEdit>(editor, "edtLote")->text();
            Pulsar(editor, "btnMasNoche");
            Pulsar(editor, "rbCada");
            Teclear(editor, "edtCadaDias", QStringLiteral("1"));
            Pulsar(editor, "btnAceptar");
        });
        const std::optional<TStockAnadido> anadido = alta.Ejecutar();
        QVERIFY(anadido);
        QCOMPARE(lote, QStringLiteral("L-7"));
        const QVariantMap fila = e.fila(StockEntorno::kOtro);
        QCOMPARE(fila["Dosis"].toString(), QStringLiteral("0-0-0-1:D:D:1"));
        QCOMPARE(fila["Medico"].toString(), QStringLiteral("DRA. GIL")); // the patient's doctor
        QCOMPARE(fila["Cantidad"].toDouble(), 14.0);
        QCOMPARE(e.filas(QStringLiteral("Inventario")), 1);
    }
};

QTEST_MAIN(TestDlgTratamientoEditar)
#include "test_dlg_tratamiento_editar.moc"
