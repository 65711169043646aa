// The printed administration charts, laid out as the preview shows them.
#include "core/dosing/UDispenserTypes.h"
#include "core/patients/InformeHojaAdministracion.h"
#include "render/ReportLayout.h"

#include <QTest>

namespace {

TFilaHoja Fila(qint64 paciente, int medicamento, int emblistable = kHojaEnBlister)
{
    TFilaHoja fila;
    fila.IDPaciente = paciente;
    fila.Nombre = QStringLiteral("PACIENTE %1").arg(paciente);
    fila.IDmedicamento = medicamento;
    fila.medicamento = QStringLiteral("MEDICAMENTO %1").arg(medicamento);
    fila.Emblistable = emblistable;
    for (int semana = 0; semana < kSemanasHoja; ++semana) {
        fila.WD[semana] = QDate(2026, 6, 3).addDays(7 * semana);
        fila.DoW[semana] = QStringList(kCeldasSemana, QStringLiteral("0"));
        fila.DoW[semana][0] = QStringLiteral("1");
        fila.DoW[semana][3] = QStringLiteral("0,5");
    }
    return fila;
}

// `porPaciente` blister medications for each patient, and one given apart.
QList<TFilaHoja> Filas(int pacientes, int porPaciente)
{
    QList<TFilaHoja> filas;
    for (int paciente = 1; paciente <= pacientes; ++paciente) {
        filas << Fila(paciente, 999, kHojaFueraBlister);
        for (int medicamento = 1; medicamento <= porPaciente; ++medicamento)
            filas << Fila(paciente, medicamento);
    }
    return filas;
}

QStringList Textos(const ReportPage &pagina)
{
    QStringList textos;
    for (const PlacedElement &colocado : pagina.elements)
        textos << colocado.element.text;
    return textos;
}

} // namespace

class TestInformeHojaAdministracion : public QObject
{
    Q_OBJECT

private slots:
    // Every page belongs to one patient and shows the patient, the legend and "Páginas n / N";
    // the pages are filled by the chart, never broken by the layout.
    void cadaPaginaEsDeUnPaciente_data()
    {
        QTest::addColumn<bool>("porFranjas");
        QTest::addColumn<int>("pacientes");
        QTest::addColumn<int>("porPaciente");
        QTest::addColumn<int>("paginas");
        QTest::newRow("by week, 6 medications and one apart") << false << 1 << 6 << 1;
        QTest::newRow("by week, 10 medications") << false << 1 << 10 << 2;
        QTest::newRow("by week, two patients") << false << 2 << 3 << 2;
        QTest::newRow("by slot, 10 medications") << true << 1 << 10 << 1;
        QTest::newRow("by slot, 20 medications") << true << 1 << 20 << 2;
        QTest::newRow("by slot, two patients") << true << 2 << 3 << 2;
    }
    void cadaPaginaEsDeUnPaciente()
    {
        QFETCH(bool, porFranjas);
        QFETCH(int, pacientes);
        QFETCH(int, porPaciente);
        QFETCH(int, paginas);
        const QList<TFilaHoja> filas = Filas(pacientes, porPaciente);
        const TReportDocument documento = porFranjas
                ? InformeHojaFranjas(HojaAdministracionFranjas(filas), {}, {}, QDate(2026, 6, 2))
                : InformeHojaAdministracion(filas, {}, {}, QDate(2026, 6, 2));
        QVERIFY(documento.page.landscape);
        const TLaidOutReport informe = ReportLayout::layOut(documento);
        QCOMPARE(informe.pageCount(), paginas);
        QStringList todos;
        for (int p = 0; p < informe.pageCount(); ++p) {
            const QStringList textos = Textos(informe.pages[p]);
            QVERIFY(textos.contains(QStringLiteral("Páginas : %1 / %2").arg(p + 1).arg(paginas)));
            QVERIFY(textos.filter(QStringLiteral("Clave :    R  rechazado")).size() == 1);
            QVERIFY(textos.filter(QStringLiteral("PACIENTE ")).size() == 1);
            if (porFranjas) // a page that starts inside a group repeats its heading
                QVERIFY(!textos.filter(QStringLiteral("MEDICACION ")).isEmpty());
            todos << textos;
        }
        for (const TFilaHoja &fila : filas)
            QVERIFY2(todos.contains(fila.medicamento), qPrintable(fila.medicamento));
        if (porFranjas) {
            QCOMPARE(todos.count(QStringLiteral("Sin Especificar")), pacientes);
            QVERIFY(todos.contains(QStringLiteral("DESAYUNO")) && todos.contains(QStringLiteral("NOCHE")));
            QVERIFY(!todos.contains(QStringLiteral("COMIDA"))); // nothing due at lunch
        }
    }
};

QTEST_MAIN(TestInformeHojaAdministracion)
#include "test_informe_hoja_administracion.moc"
