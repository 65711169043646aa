#include "core/common/Clock.h"
#include "core/patients/EditorTratamiento.h"
#include "core/patients/TratamientoPaciente.h"

#include <QTest>

// The treatment-line editor's state: opening from its inputs, the blister switch, the date checks
// and the line it hands over to be stored.
class TestEditorTratamiento : public QObject
{
    Q_OBJECT

    static TEntradaEditorTratamiento Entrada(bool spd, const QString &dosis, const QString &etiqueta,
                                             const QString &dosisS1)
    {
        TEntradaEditorTratamiento entrada;
        entrada.SPD = entrada.SPDInicial = spd;
        entrada.idMedicamento = 655432;
        entrada.Medicamento = QStringLiteral("SINTROM 4MG");
        entrada.Cantidad = 12.5;
        entrada.Medico = QStringLiteral("DRA. GIL");
        entrada.Inicio = QDate(2026, 3, 2);
        entrada.Notas = QStringLiteral("con agua");
        entrada.Dosis = dosis;
        entrada.DosisEtiqueta = etiqueta;
        entrada.DosisS1 = dosisS1;
        return entrada;
    }

private slots:
    void init() { Clock::fix(QDateTime(QDate(2026, 3, 10), QTime(9, 0))); }
    void cleanup() { Clock::reset(); }

    void opensFromTheInputs_data()
    {
        QTest::addColumn<bool>("spd");
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("dosisS1");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("libre");
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<QString>("alAbrir");
        QTest::newRow("blister line") << true << "1-0-0-0:D:D:1"
                                      << "1-0-0-0:D:D:1"
                                      << "DEFINIR TRATAMIENTO EMBLISTADO Kelvo"
                                      << ""
                                      << "UNA AL DIA"
                                      << "1-0-0-0:D:D:1";
        QTest::newRow("line outside the blister") << false << "1 cada 8 horas"
                                                  << "0-0-0-0:0"
                                                  << "DEFINIR TRATAMIENTO NO EMBLISTADO"
                                                  << "1 cada 8 horas"
                                                  << "UNA AL DIA"
                                                  << "";
        // The medication went into the blister after the line was stored outside it.
        QTest::newRow("stored outside, now blister") << true << "1 cada 8 horas"
                                                     << "0-0-0-0:0"
                                                     << "DEFINIR TRATAMIENTO EMBLISTADO Kelvo"
                                                     << ""
                                                     << ""
                                                     << "0-0-0-0:0";
    }
    void opensFromTheInputs()
    {
        QFETCH(bool, spd);
        QFETCH(QString, dosis);
        QFETCH(QString, dosisS1);
        QFETCH(QString, caption);
        QFETCH(QString, libre);
        QFETCH(QString, etiqueta);
        QFETCH(QString, alAbrir);
        const TEditorTratamiento editor(Entrada(spd, dosis, QStringLiteral("UNA AL DIA"), dosisS1));
        QCOMPARE(editor.Caption(), caption);
        QCOMPARE(editor.DosisLibre, libre);
        QCOMPARE(editor.DosisEtiqueta, etiqueta);
        QCOMPARE(editor.Dosis.AlAbrir(), alAbrir);
        QCOMPARE(editor.Medico, QStringLiteral("DRA. GIL"));
        QCOMPARE(editor.Inicio, QStringLiteral("02/03/2026"));
        QCOMPARE(editor.Fin, QString());
    }

    // The inputs of "MODIFICAR" on the treatment list, and of a version's line (read-only).
    void opensARowOfTheTreatmentList_data()
    {
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<bool>("soloLectura");
        QTest::addColumn<QString>("etiquetaAbierta");
        QTest::newRow("own label dose") << "UNA" << false << "UNA";
        QTest::newRow("no label dose") << "" << false << "1-0-0-0:D:D:1";
        QTest::newRow("version, read-only") << "UNA" << true << "UNA";
    }
    void opensARowOfTheTreatmentList()
    {
        QFETCH(QString, etiqueta);
        QFETCH(bool, soloLectura);
        QFETCH(QString, etiquetaAbierta);
        TFilaTratamiento fila;
        fila.IdMedicamento = 655432;
        fila.Medicamento = QStringLiteral("SINTROM 4MG");
        fila.Medico = QStringLiteral("DRA. GIL");
        fila.Cantidad = 7.5;
        fila.Dosis = QStringLiteral("1-0-0-0:D:D:1");
        fila.DosisEtiqueta = etiqueta;
        fila.DosisS1Real = QStringLiteral("0-0-0-0:0");
        fila.Inicio = QDate(2026, 1, 5);
        fila.Notas = QStringLiteral("con agua");
        fila.Kelvo = true;
        const TEntradaEditorTratamiento entrada = EntradaDeFila(fila, soloLectura);
        QVERIFY(entrada.SPD);
        QVERIFY(entrada.SPDInicial);
        QCOMPARE(entrada.SoloLectura, soloLectura);
        QCOMPARE(entrada.idMedicamento, 655432);
        QCOMPARE(entrada.Medicamento, QStringLiteral("SINTROM 4MG"));
        QCOMPARE(entrada.Cantidad, 7.5);
        QCOMPARE(entrada.Dosis, QStringLiteral("1-0-0-0:D:D:1"));
        QCOMPARE(entrada.DosisEtiqueta, etiquetaAbierta);
        QCOMPARE(entrada.DosisS1, QStringLiteral("0-0-0-0:0"));
        QCOMPARE(entrada.Inicio, QDate(2026, 1, 5));
        QVERIFY(!entrada.Fin.isValid());
        QCOMPARE(entrada.Medico, QStringLiteral("DRA. GIL"));
        QCOMPARE(entrada.Notas, QStringLiteral("con agua"));
        QVERIFY(entrada.Lote.isEmpty());
    }

    void emptyStartShowsToday()
    {
        TEntradaEditorTratamiento entrada = Entrada(true, {}, {}, {});
        entrada.Inicio = QDate();
        entrada.Fin = QDate(2026, 12, 31);
        const TEditorTratamiento editor(entrada);
        QCOMPARE(editor.Inicio, QStringLiteral("10/03/2026"));
        QCOMPARE(editor.Fin, QStringLiteral("31/12/2026"));
    }

    // "Si" -> "No" -> "Si": every dose choice starts empty; the label dose survives only the
    // switch to "No"; what else was typed stays.
    void blisterSwitchEmptiesTheDose()
    {
        TEditorTratamiento editor(Entrada(true, QStringLiteral("1-0-0-0:D:D:1"), QStringLiteral("UNA"),
                                          QStringLiteral("1-0-0-0:D:D:1")));
        editor.Notas = QStringLiteral("tecleadas");
        editor.CambiarSPD(false);
        QVERIFY(!editor.SPD());
        QCOMPARE(editor.Caption(), QStringLiteral("DEFINIR TRATAMIENTO NO EMBLISTADO"));
        QCOMPARE(editor.DosisLibre, QString());
        QCOMPARE(editor.DosisEtiqueta, QStringLiteral("UNA"));
        editor.DosisLibre = QStringLiteral("media si dolor");
        editor.CambiarSPD(true);
        QCOMPARE(editor.Caption(), QStringLiteral("DEFINIR TRATAMIENTO EMBLISTADO Kelvo"));
        QCOMPARE(editor.DosisEtiqueta, QString());
        QCOMPARE(editor.DosisLibre, QString());
        QCOMPARE(editor.Dosis.Construir(), QStringLiteral("0-0-0-0"));
        QCOMPARE(editor.Notas, QStringLiteral("tecleadas"));
        QCOMPARE(editor.Validar()->Mensaje, QStringLiteral("NO SE HA ESPECIFICADO NINGUNA TOMA"));
    }

    void readOnlyEditorKeepsItsChoice()
    {
        TEntradaEditorTratamiento entrada = Entrada(true, QStringLiteral("1-0-0-0:D:D:1"), {}, {});
        entrada.SoloLectura = true;
        TEditorTratamiento editor(entrada);
        editor.CambiarSPD(false);
        QVERIFY(editor.SPD());
        QCOMPARE(editor.Dosis.Texto(), QStringLiteral("1-0-0-0:D:D:1"));
    }

    void checksTheDates_data()
    {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fin");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("campo");
        const QString formato = QStringLiteral("EL FORMATO ES INCORRECTO");
        QTest::newRow("empty start") << ""
                                     << "" << formato << int(TCampoEditor::Inicio);
        QTest::newRow("no such day") << "31/02/2026"
                                     << "" << formato << int(TCampoEditor::Inicio);
        QTest::newRow("end not a date") << "02/03/2026"
                                        << "marzo" << formato << int(TCampoEditor::Fin);
        QTest::newRow("end before start")
                << "02/03/2026"
                << "01/03/2026"
                << "LA FECHA FINAL NO PUEDE SER INFERIOR A LA FECHA INICIAL" << int(TCampoEditor::Fin);
        QTest::newRow("one day") << "2/3/2026"
                                 << "02/03/2026"
                                 << "" << int(TCampoEditor::Ninguno);
        QTest::newRow("no end") << "02/03/2026"
                                << "  "
                                << "" << int(TCampoEditor::Ninguno);
    }
    void checksTheDates()
    {
        QFETCH(QString, inicio);
        QFETCH(QString, fin);
        QFETCH(QString, mensaje);
        QFETCH(int, campo);
        TEditorTratamiento editor(Entrada(true, QStringLiteral("1-0-0-0:D:D:1"), {}, {}));
        editor.Inicio = inicio;
        editor.Fin = fin;
        const std::optional<TErrorEditor> error = editor.Validar();
        QCOMPARE(error ? error->Mensaje : QString(), mensaje);
        QCOMPARE(error ? int(error->Campo) : int(TCampoEditor::Ninguno), campo);
    }

    // A line outside the blister takes its dose as free text, unchecked.
    void freeTextDoseIsNotChecked()
    {
        const TEditorTratamiento editor(Entrada(false, {}, {}, {}));
        QVERIFY(!editor.Validar());
        QCOMPARE(editor.Linea().Dosis, QString());
    }

    void lineCarriesWhatWasTyped()
    {
        TEditorTratamiento editor(Entrada(true, QStringLiteral("1-0-0-0:D:D:1"), QStringLiteral("UNA"),
                                          QStringLiteral("1-0-0-0:D:D:1")));
        editor.Dosis.Fracciones[2] = TFraccion::Medio;
        editor.Medico = QStringLiteral(" DR. PEREZ ");
        editor.Fin = QStringLiteral("30/06/2026");
        const TLineaEditada linea = editor.Linea();
        QCOMPARE(linea.idMedicamento, 655432);
        QVERIFY(linea.SPD);
        QVERIFY(linea.SPDInicial);
        QCOMPARE(linea.Inicio, QDate(2026, 3, 2));
        QCOMPARE(linea.Fin, QDate(2026, 6, 30));
        QCOMPARE(linea.Dosis, QStringLiteral("1-0-0,5-0:D:D:1"));
        QCOMPARE(linea.DosisAlAbrir, QStringLiteral("1-0-0-0:D:D:1"));
        QCOMPARE(linea.DosisEtiqueta, QStringLiteral("UNA"));
        QCOMPARE(linea.Medico, QStringLiteral("DR. PEREZ"));
        QCOMPARE(linea.Notas, QStringLiteral("con agua"));
        QCOMPARE(linea.Cantidad, 12.5);
    }

    // The label dose a line is stored with.
    void labelDoseRule_data()
    {
        QTest::addColumn<bool>("spd");
        QTest::addColumn<QString>("alAbrir");
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<QString>("guardada");
        QTest::newRow("dose unchanged keeps the label") << true << "1-0-0-0:D:D:1"
                                                        << "1-0-0-0:D:D:1"
                                                        << "UNA"
                                                        << "UNA";
        QTest::newRow("dose changed resets it") << true << "1-0-0-0:D:D:1"
                                                << "1-0-0,5-0:D:D:1"
                                                << "UNA"
                                                << "1-0-0,5-0:D:D:1";
        QTest::newRow("new line keeps its label") << true << ""
                                                  << "1-0-0-0:D:D:1"
                                                  << "UNA"
                                                  << "UNA";
        QTest::newRow("empty label is the dose") << true << "1-0-0-0:D:D:1"
                                                 << "1-0-0-0:D:D:1"
                                                 << ""
                                                 << "1-0-0-0:D:D:1";
        QTest::newRow("outside the blister") << false << ""
                                             << "1 cada 8 horas"
                                             << "UNA"
                                             << "1 cada 8 horas";
    }
    void labelDoseRule()
    {
        QFETCH(bool, spd);
        QFETCH(QString, alAbrir);
        QFETCH(QString, dosis);
        QFETCH(QString, etiqueta);
        QFETCH(QString, guardada);
        TLineaEditada linea;
        linea.SPD = spd;
        linea.DosisAlAbrir = alAbrir;
        linea.Dosis = dosis;
        linea.DosisEtiqueta = etiqueta;
        QCOMPARE(DosisEtiquetaGuardada(linea), guardada);
    }

    void keepsTheStoredValuesForTheOpener()
    {
        TEditorTratamiento editor(Entrada(false, QStringLiteral("libre"), {}, QStringLiteral("0-0-0-0:0")));
        editor.DosisLibre = QStringLiteral("otra");
        editor.Fin = QStringLiteral("01/04/2026");
        const TLineaEditada linea = editor.Linea();
        editor.Guardada(linea, {false, QStringLiteral("otra"), QStringLiteral("otra")});
        QCOMPARE(editor.Entrada().Dosis, QStringLiteral("otra"));
        QCOMPARE(editor.Entrada().DosisEtiqueta, QStringLiteral("otra"));
        QCOMPARE(editor.Entrada().DosisS1, QStringLiteral("0-0-0-0:0"));
        QCOMPARE(editor.Entrada().Fin, QDate(2026, 4, 1));
        QCOMPARE(editor.Entrada().Inicio, QDate(2026, 3, 2));
    }
};

QTEST_GUILESS_MAIN(TestEditorTratamiento)
#include "test_editor_tratamiento.moc"
