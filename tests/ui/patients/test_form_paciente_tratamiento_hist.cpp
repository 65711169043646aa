// The treatment history screen: its versions and lines, the read-only line editor that stores
// nothing, the way back to the treatment, its printed documents and its texts in five languages.
#include "../stock/StockEntorno.h"
#include "core/patients/EntradaEditorTratamiento.h"
#include "support/EntornoIdioma.h"
#include "ui/patients/FDlgSeleccionarInforme.h"
#include "ui/patients/FDlgTratamientoEditarV2.h"
#include "ui/patients/FPacienteTratamientoHist.h"
#include "ui/reports/Fpreview.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

class TestFormPacienteTratamientoHist : public QObject
{
    Q_OBJECT

    static constexpr qint64 kBorrado = 999; // no longer in the catalogue

    // The patient of StockEntorno with versions 1 (loaded) and 2 (not loaded) of its treatment.
    struct Entorno : StockEntorno
    {
        explicit Entorno(bool farmaceutico = true)
            : StockEntorno(farmaceutico)
        {
            dm.idPacienteActivo = int(paciente);
            version(1, kTratado, QStringLiteral("1-0-0-0:D:D:1"), QVariant(), 1);
            version(2, kTratado, QStringLiteral("2-0-0-0:D:D:1"), QVariant(), 0);
            version(2, kBorrado, QStringLiteral("UNA AL DIA"), 0, 0);
        }
        void version(int numero, qint64 medicamento, const QString &dosis, const QVariant &spdp, int iucarga)
        {
            dm.Anadir(QStringLiteral("SPDHIST"),
                      {{QStringLiteral("IdVersion"), numero},
                       {QStringLiteral("ID"),
                        medicamento == kBorrado ? 2 : 1}, // the SPD row the line was copied from
                       {QStringLiteral("FechaActualizacion"), SqlFecha::valor(QDate(2026, 3, numero))},
                       {QStringLiteral("IDPaciente"), paciente},
                       {QStringLiteral("IDMedicamento"), medicamento},
                       {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 3, 1))},
                       {QStringLiteral("Dosis"), dosis},
                       {QStringLiteral("Medico"), QStringLiteral("DRA. GIL")},
                       {QStringLiteral("SPDP"), spdp},
                       {QStringLiteral("username"), QStringLiteral("ana")},
                       {QStringLiteral("IuCarga"), iucarga}});
        }
        // Everything the history must leave as it is.
        QString huella()
        {
            return dm.Valor(QStringLiteral("SELECT COUNT(*) || '/' || SUM(IuCarga) FROM SPDHIST")).toString()
                    + QLatin1Char('|') + dm.Valor(QStringLiteral("SELECT COUNT(*) FROM SPD")).toString()
                    + QLatin1Char('|')
                    + dm.Valor(QStringLiteral("SELECT COALESCE(MAX(Dosis), '') FROM SPD")).toString();
        }
    };

    static QStringList Columna(QTableWidget *rejilla, int columna)
    {
        QStringList textos;
        for (int fila = 0; fila < rejilla->rowCount(); ++fila)
            textos << rejilla->item(fila, columna)->text();
        return textos;
    }

private slots:
    void cleanup()
    {
        for (TFormPreview *vista : TFormPreview::abiertos())
            vista->close();
    }

    void listaLasVersionesYLasLineasDeLaSeleccionada_data()
    {
        QTest::addColumn<bool>("soloCarga");
        QTest::addColumn<QStringList>("versiones");
        QTest::addColumn<QStringList>("cargas");
        QTest::addColumn<QStringList>("dosis");
        QTest::newRow("every version, newest first")
                << false << QStringList {"2", "1"} << QStringList {"NO", "SI"}
                << QStringList {"2-0-0-0:D:D:1", "UNA AL DIA"};
        QTest::newRow("only versions used by a load")
                << true << QStringList {"1"} << QStringList {"SI"} << QStringList {"1-0-0-0:D:D:1"};
    }
    void listaLasVersionesYLasLineasDeLaSeleccionada()
    {
        QFETCH(bool, soloCarga);
        QFETCH(QStringList, versiones);
        QFETCH(QStringList, cargas);
        QFETCH(QStringList, dosis);
        Entorno e;
        const QString antes = e.huella();
        TFormPacienteTratamientoHist form;
        form.show();
        form.findChild<QCheckBox *>(QStringLiteral("chkSoloCarga"))->setChecked(soloCarga);
        auto *rejilla = form.findChild<QTableWidget *>(QStringLiteral("grdVersiones"));
        QCOMPARE(Columna(rejilla, TFormPacienteTratamientoHist::kColVersion), versiones);
        QCOMPARE(Columna(rejilla, TFormPacienteTratamientoHist::kColCarga), cargas);
        auto *lineas = form.findChild<QTableWidget *>(QStringLiteral("grdLineas"));
        QCOMPARE(Columna(lineas, TFormPacienteTratamientoHist::kColDosis), dosis);
        QCOMPARE(e.auditoria(), QStringList {"HISTORICO TRATAMIENTO|CONSULTA"});
        QCOMPARE(e.huella(), antes);
    }

    // A version's line with its medication deleted from the catalogue is listed, named as missing.
    void lineaDeMedicamentoBorrado()
    {
        Entorno e;
        TFormPacienteTratamientoHist form;
        form.show();
        QCOMPARE(form.Lineas().size(), 2);
        QVERIFY(form.Lineas().at(1).Medicamento.contains(QStringLiteral("999")));
        QVERIFY(!form.Lineas().at(1).Kelvo);
    }

    void verUnaLineaPideFarmaceutico_data()
    {
        QTest::addColumn<bool>("farmaceutico");
        QTest::addColumn<int>("vistas");
        QTest::addColumn<int>("avisos");
        QTest::newRow("pharmacist") << true << 1 << 0;
        QTest::newRow("assistant") << false << 0 << 1;
    }
    void verUnaLineaPideFarmaceutico()
    {
        QFETCH(bool, farmaceutico);
        QFETCH(int, vistas);
        QFETCH(int, avisos);
        Entorno e(farmaceutico);
        TFormPacienteTratamientoHist form;
        QList<TEntradaEditorTratamiento> abiertas;
        form.OnVerLinea = [&](const TEntradaEditorTratamiento &entrada) {
            abiertas << entrada;
            return true;
        };
        form.show();
        auto *lineas = form.findChild<QTableWidget *>(QStringLiteral("grdLineas"));
        emit lineas->cellDoubleClicked(0, TFormPacienteTratamientoHist::kColDosis);
        QCOMPARE(abiertas.size(), vistas);
        QCOMPARE(e.grabados.Textos(PresentadorMensajes::TTipo::Aviso).size(), avisos);
        if (vistas) {
            QVERIFY(abiertas.first().SoloLectura);
            QCOMPARE(abiertas.first().Dosis, QStringLiteral("2-0-0-0:D:D:1"));
        }
    }

    // Accepting the read-only editor on a version's line changes neither the treatment nor the audit.
    void elEditorDeSoloLecturaNoGuarda_data()
    {
        QTest::addColumn<int>("linea");
        QTest::newRow("blister line") << 0;
        QTest::newRow("line of a deleted medication, out of the blister") << 1;
    }
    void elEditorDeSoloLecturaNoGuarda()
    {
        QFETCH(int, linea);
        Entorno e;
        TFormPacienteTratamientoHist form;
        form.show();
        const int auditadas = int(e.auditoria().size());
        const QString antes = e.huella();
        TDlgTratamientoEditarv2 editor(EntradaDeFila(form.Lineas().at(linea), true));
        editor.btnAceptarClick();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(e.huella(), antes);
        QCOMPARE(e.auditoria().size(), auditadas);
    }

    void actualVuelveSinGuardarVersion()
    {
        Entorno e;
        e.dm.Ejecutar(QStringLiteral("UPDATE SPD SET Dosis = '3-0-0-0:D:D:1'"));
        const QString antes = e.huella();
        TFormPacienteTratamientoHist form;
        form.show();
        QSignalSpy actual(&form, &TFormPacienteTratamientoHist::actual);
        QSignalSpy volver(&form, &TFormPacienteTratamientoHist::volver);
        form.findChild<QAbstractButton *>(QStringLiteral("btnActual"))->click();
        form.findChild<QAbstractButton *>(QStringLiteral("btnVolver"))->click();
        QCOMPARE(actual.size(), 1);
        QCOMPARE(volver.size(), 1);
        QCOMPARE(volver.first().first().toString(), QStringLiteral("R1"));
        QCOMPARE(e.huella(), antes);
    }

    void imprimeSinEscribir_data()
    {
        QTest::addColumn<int>("documento");
        QTest::addColumn<QStringList>("auditoria");
        const QString abierta = QStringLiteral("HISTORICO TRATAMIENTO|CONSULTA");
        QTest::newRow("treatment sheet of a version")
                << 0 << QStringList {abierta, "Listado TRATAMIENTO DEL PACIENTE|CONSULTA"};
        QTest::newRow("change report") << 1 << QStringList {abierta};
        QTest::newRow("usage report") << 2 << QStringList {abierta};
    }
    void imprimeSinEscribir()
    {
        QFETCH(int, documento);
        QFETCH(QStringList, auditoria);
        Entorno e;
        const QString antes = e.huella();
        TFormPacienteTratamientoHist form;
        form.show();
        if (documento == 0)
            form.btnTratamientoClick();
        else if (documento == 1)
            form.ImprimirCambios();
        else
            form.ImprimirUso();
        QCOMPARE(TFormPreview::abiertos().size(), 1);
        QCOMPARE(e.auditoria(), auditoria);
        QCOMPARE(e.huella(), antes);
    }

    void textosEnCincoIdiomas_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QStringList>("textos"); // ACTUAL, VER SOLO CARGA, report choice
        QTest::newRow("Spanish") << 0
                                 << QStringList {"ACTUAL", "VER SOLO CARGA",
                                                 "HISTORICO DE USO DE MEDICAMENTOS"};
        QTest::newRow("Portuguese") << 1
                                    << QStringList {"ATUAL", "VER SÓ CARGAS",
                                                    "HISTÓRICO DE USO DE MEDICAMENTOS"};
        QTest::newRow("French") << 2
                                << QStringList {"ACTUEL", "VOIR SEULEMENT LES CHARGEMENTS",
                                                "HISTORIQUE D'UTILISATION DES MÉDICAMENTS"};
        QTest::newRow("English") << 3 << QStringList {"CURRENT", "LOADED ONLY", "MEDICATION USAGE HISTORY"};
        QTest::newRow("Italian") << 4 << QStringList {"ATTUALE", "SOLO CARICHI", "STORICO D'USO DEI FARMACI"};
    }
    void textosEnCincoIdiomas()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        EntornoIdioma entorno(idioma);
        entorno.dm.Usuario = TUsuario {1, QStringLiteral("rosa"), QStringLiteral("ROSA"), {}, true};
        TFormPacienteTratamientoHist form;
        form.show();
        TDlgSeleccionarInforme dialogo;
        dialogo.show();
        QCOMPARE((QStringList {form.findChild<QAbstractButton *>(QStringLiteral("btnActual"))->text(),
                               form.findChild<QAbstractButton *>(QStringLiteral("chkSoloCarga"))->text(),
                               dialogo.findChild<QAbstractButton *>(QStringLiteral("rbUso"))->text()}),
                 textos);
    }
};

QTEST_MAIN(TestFormPacienteTratamientoHist)
#include "test_form_paciente_tratamiento_hist.moc"
