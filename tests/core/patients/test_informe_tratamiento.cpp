// The treatment sheet built as data: the dose of each line, the version block and the order of
// the lines.
#include "core/dosing/UPosologia.h"
#include "core/patients/InformeTratamiento.h"

#include <QTest>

namespace {

TFilaTratamiento Linea(qint64 medicamento, bool blister, const QString &dosis)
{
    TFilaTratamiento linea;
    linea.Idpaciente = 1;
    linea.IdMedicamento = medicamento;
    linea.Medicamento = QStringLiteral("MED %1").arg(medicamento);
    linea.Kelvo = blister;
    linea.Dosis = dosis;
    return linea;
}

TReportDocument Hoja(const QList<TFilaTratamiento> &lineas,
                     const std::optional<TVersionInforme> &version = {})
{
    TPacienteInforme paciente;
    paciente.RefPaciente = QStringLiteral("R1");
    paciente.Nombre = QStringLiteral("ANA");
    return InformeTratamiento(QStringLiteral("TRATAMIENTO DEL PACIENTE"), paciente, lineas, version, {});
}

// The element printed right after a caption, in the band that holds the caption.
const ReportElement *Tras(const TReportDocument &hoja, const QString &rotulo, int vez = 0)
{
    for (const ReportBand &banda : hoja.bands) {
        for (qsizetype i = 0; i + 1 < banda.elements.size(); ++i) {
            if (banda.elements.at(i).text == rotulo && vez-- == 0)
                return &banda.elements.at(i + 1);
        }
    }
    return nullptr;
}

} // namespace

class TestInformeTratamiento : public QObject
{
    Q_OBJECT

private slots:
    void laPautaDeCadaLinea_data()
    {
        QTest::addColumn<bool>("blister");
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("impresa");
        QTest::addColumn<QString>("familia");
        QString palabras = TextoPosologia(QStringLiteral("1-0-0-0,5:D:D:2"));
        palabras.remove(QLatin1Char('\r'));
        QTest::newRow("blister line: in words, fixed pitch")
                << true << "1-0-0-0,5:D:D:2" << palabras.trimmed() << kReportMonoFamily;
        QTest::newRow("other line: as stored") << false << "APLICAR POR LA NOCHE"
                                               << "APLICAR POR LA NOCHE" << kReportSansFamily;
        QTest::newRow("blister rule without words: as stored") << true << "1-0-0-0:S:1:1010100"
                                                               << "1-0-0-0:S:1:1010100" << kReportSansFamily;
    }
    void laPautaDeCadaLinea()
    {
        QFETCH(bool, blister);
        QFETCH(QString, dosis);
        QFETCH(QString, impresa);
        QFETCH(QString, familia);
        const ReportElement *pauta
                = Tras(Hoja({Linea(7, blister, dosis)}), QStringLiteral("PAUTA POSOLOGICA:"));
        QVERIFY(pauta);
        QVERIFY(!impresa.isEmpty());
        QCOMPARE(pauta->text, impresa);
        QCOMPARE(pauta->font.family, familia);
        QVERIFY(pauta->wordWrap);
    }

    void elBloqueDeVersion_data()
    {
        QTest::addColumn<bool>("conVersion");
        QTest::addColumn<QString>("rotulo");
        QTest::newRow("treatment screen: blank") << false << QString();
        QTest::newRow("a stored version") << true << QStringLiteral("VERSION :");
    }
    void elBloqueDeVersion()
    {
        QFETCH(bool, conVersion);
        QFETCH(QString, rotulo);
        const std::optional<TVersionInforme> version = conVersion
                ? std::optional<TVersionInforme>(TVersionInforme {"3", "01/02/2026", "ana", "SI"})
                : std::nullopt;
        const TReportDocument hoja = Hoja({Linea(7, true, QStringLiteral("1-0-0-0:D:D:1"))}, version);
        const ReportBand &paciente = hoja.bands.at(1);
        QCOMPARE(paciente.kind, ReportBand::Kind::GroupHeader);
        QCOMPARE(paciente.elements.at(7).text, rotulo);
        QCOMPARE(paciente.elements.at(8).text, conVersion ? QStringLiteral("3") : QString());
    }

    void lasLineasPorCodigoYLaPagina()
    {
        const TReportDocument hoja
                = Hoja({Linea(900, false, QStringLiteral("A")), Linea(12, false, QStringLiteral("B"))});
        QCOMPARE(Tras(hoja, QStringLiteral("CODIGO MEDICAMENTO:"))->text, QStringLiteral("12"));
        QCOMPARE(Tras(hoja, QStringLiteral("CODIGO MEDICAMENTO:"), 1)->text, QStringLiteral("900"));
        QCOMPARE(hoja.bands.first().elements.at(3).text, QStringLiteral("%1  / %2"));
        QCOMPARE(hoja.bands.last().kind, ReportBand::Kind::GroupFooter);
    }
};

QTEST_GUILESS_MAIN(TestInformeTratamiento)
#include "test_informe_tratamiento.moc"
