// The printed lists of medications pending prescription: the patient's, and the category's by
// patient and by medication.
#include "core/i18n/ULenguaje.h"
#include "core/loading/PacienteCarga.h"
#include "core/reports/ReportTextRows.h"
#include "core/stock/InformePendientesReceta.h"

#include <QTest>

namespace {

const QDate kLunes(2024, 5, 6);
const QString kInsuficiente = QStringLiteral("Insuficiente");
const QString kCaduca = QStringLiteral("Insuf. / Caduca.");

// Rows given out of order: LUIS before ANA, SINTROM before ENALAPRIL.
const QList<TPendienteReceta> kFilas {
        {2, "R2", "LUIS", kLunes, 700002, "SINTROM", 7, 3, kInsuficiente},
        {1, "R1", "ANA", kLunes, 700002, "SINTROM", 7, 1.5, kCaduca},
        {1, "R1", "ANA", kLunes, 700001, "ENALAPRIL", 7, 2, kInsuficiente},
};

// The report's group headings ("G:") and lines ("D:") in order, each line's cells joined by "|".
QStringList Lineas(const TReportDocument &informe)
{
    QStringList lineas;
    for (const ReportTextRow &fila : ReportTextRows::build(informe)) {
        QStringList textos;
        for (const ReportTextCell &celda : fila.cells)
            textos << celda.text;
        if (fila.band == ReportBand::Kind::GroupHeader)
            lineas << QStringLiteral("G:") + textos.join(QLatin1Char('|'));
        else if (fila.band == ReportBand::Kind::Detail)
            lineas << QStringLiteral("D:") + textos.join(QLatin1Char('|'));
    }
    return lineas;
}

QString Cabecera(const TReportDocument &informe)
{
    QStringList textos;
    for (const ReportTextRow &fila : ReportTextRows::build(informe)) {
        if (fila.band == ReportBand::Kind::PageHeader)
            for (const ReportTextCell &celda : fila.cells)
                textos << celda.text;
    }
    return textos.join(QLatin1Char('\n'));
}

} // namespace

class TestInformePendientesReceta : public QObject
{
    Q_OBJECT

    TLenguaje m_lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};

private slots:
    void laListaDelPaciente()
    {
        TPacienteCarga paciente;
        paciente.refPACIENTE = QStringLiteral("R1");
        paciente.NOMBRE = QStringLiteral("ANA");
        paciente.FechaAlta = QDate(2023, 2, 1);
        const TReportDocument informe
                = InformePendientesPaciente(paciente, {kFilas.at(2), kFilas.at(1)},
                                            {{}, QStringLiteral("CALLE MAYOR 1 - 912345678")}, kLunes);
        QCOMPARE(informe.title, QStringLiteral("PENDIENTE DE RECETA"));
        QCOMPARE(Lineas(informe),
                 (QStringList {"D:ENALAPRIL|7.00|2.00|" + kInsuficiente, "D:SINTROM|7.00|1.50|" + kCaduca}));
        const QString cabecera = Cabecera(informe);
        QVERIFY2(cabecera.contains(QStringLiteral("R1 - ANA")), qPrintable(cabecera));
        QVERIFY2(cabecera.contains(QStringLiteral("FECHA ALTA: 01/02/2023")), qPrintable(cabecera));
    }

    void laCategoriaPorPacienteYPorMedicamento_data()
    {
        QTest::addColumn<bool>("porMedicamento");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("lineas");
        QTest::newRow("by patient") << false << "PACIENTES CON MEDICAMENTOS PENDIENTES DE RECETA"
                                    << QStringList {"G:R1 - ANA", "D:700001 ENALAPRIL|2.00|" + kInsuficiente,
                                                    "D:700002 SINTROM|1.50|" + kCaduca, "G:R2 - LUIS",
                                                    "D:700002 SINTROM|3.00|" + kInsuficiente};
        QTest::newRow("by medication") << true << "MEDICAMENTOS PENDIENTES DE RECETA"
                                       << QStringList {"G:700001 ENALAPRIL",
                                                       "D:R1|ANA|2.00|" + kInsuficiente,
                                                       "D:TOTAL|2.00",
                                                       "G:700002 SINTROM",
                                                       "D:R1|ANA|1.50|" + kCaduca,
                                                       "D:R2|LUIS|3.00|" + kInsuficiente,
                                                       "D:TOTAL|4.50"};
    }
    void laCategoriaPorPacienteYPorMedicamento()
    {
        QFETCH(bool, porMedicamento);
        QFETCH(QString, titulo);
        QFETCH(QStringList, lineas);
        const TMembreteFarmacia membrete {{}, QStringLiteral("CALLE MAYOR 1")};
        const TReportDocument informe = porMedicamento
                ? InformeMedicamentosPendientes(QStringLiteral("RESIDENCIA SOL"), kFilas, membrete, kLunes)
                : InformePacientesPendientes(QStringLiteral("RESIDENCIA SOL"), kFilas, membrete, kLunes);
        QCOMPARE(informe.title, titulo);
        QCOMPARE(Lineas(informe), lineas);
        QVERIFY(Cabecera(informe).contains(QStringLiteral("RESIDENCIA SOL")));
    }

    void elStockDeLaCategoriaLlevaSuNombre()
    {
        const QList<TFilaInformeStock> filas = FilasInformeStockCategoria(
                {{1, "R1", "ANA", 700001, "700001 ENALAPRIL 10 MG", 12.5, "L1", QDate(2026, 1, 31)}},
                QStringLiteral("RESIDENCIA SOL"));
        QCOMPARE(filas.size(), 1);
        QCOMPARE(filas.first().Categoria, QStringLiteral("RESIDENCIA SOL"));
        QCOMPARE(filas.first().Medicamento, QStringLiteral("700001 ENALAPRIL 10 MG"));
        QCOMPARE(filas.first().Cantidad, 12.5);
    }
};

QTEST_GUILESS_MAIN(TestInformePendientesReceta)
#include "test_informe_pendientes_receta.moc"
