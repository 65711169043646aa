// The printed list of loads: the filter on every page, the columns, the patient's column only
// when the list is not one patient's, and the pharmacy.
#include "core/loading/InformeCargas.h"

#include <QTest>

namespace {

QStringList Textos(const TReportDocument &informe, ReportBand::Kind tipo)
{
    QStringList textos;
    for (const ReportBand &banda : informe.bands) {
        if (banda.kind != tipo)
            continue;
        for (const ReportElement &elemento : banda.elements) {
            if (elemento.kind == ReportElement::Kind::Text
                || elemento.kind == ReportElement::Kind::PageNumber)
                textos << elemento.text;
        }
    }
    return textos;
}

TFilaCarga Fila(qint64 id, const QString &paciente, const QString &situacion, const QString &validador)
{
    TFilaCarga fila;
    fila.idRecarga = id;
    fila.RefPaciente = paciente;
    fila.FechaRealizado = QDateTime(QDate(2024, 3, 10), QTime(18, 5));
    fila.Preparador = QStringLiteral("pepa");
    fila.SitEntrega = situacion;
    fila.Validador = validador;
    return fila;
}

const TMembreteFarmacia kFarmacia {{}, QStringLiteral("C/ MAYOR 1 - 910000000")};

} // namespace

class TestInformeCargas : public QObject
{
    Q_OBJECT

private slots:
    void listaDeVariosPacientes()
    {
        const TCabeceraListaCargas cabecera {QStringLiteral("01/03/2024"), QString(),
                                             QStringLiteral("ENTREGADOS"), QStringLiteral("RESIDENCIA"),
                                             std::nullopt};
        const TReportDocument informe = InformeCargas(
                cabecera, {Fila(41, "REF-ANA", "ENTREGADO", "luis"), Fila(42, "REF-BEA", "ENTREGADO", "")},
                kFarmacia);
        QCOMPARE(informe.title, QStringLiteral("CARGAS REALIZADAS"));
        QCOMPARE(Textos(informe, ReportBand::Kind::PageHeader),
                 (QStringList {"CARGAS REALIZADAS", "%1  / %2", "FECHA DESDE: 01/03/2024     FECHA HASTA: ",
                               "SIT. ENTREGA: ENTREGADOS     CATEGORIA: RESIDENCIA",
                               "N/A     FECHA ALTA: N/A     FECHA BAJA: N/A"}));
        QCOMPARE(Textos(informe, ReportBand::Kind::ColumnHeader),
                 (QStringList {"FECHA", "REF. BLISTER Kelvo", "PREPARADOR", "SIT ENTREGA", "VALIDADOR",
                               "PACIENTE"}));
        QCOMPARE(Textos(informe, ReportBand::Kind::Detail),
                 (QStringList {"10/03/2024 18:05", "41", "pepa", "ENTREGADO", "luis", "REF-ANA",
                               "10/03/2024 18:05", "42", "pepa", "ENTREGADO", "", "REF-BEA"}));
        QCOMPARE(Textos(informe, ReportBand::Kind::PageFooter), (QStringList {"C/ MAYOR 1 - 910000000", ""}));
    }

    void listaDeUnPaciente()
    {
        const TPacienteFiltroCargas ana {7, QStringLiteral("REF-ANA"), QStringLiteral("ANA PEREZ"),
                                         QDate(2023, 1, 9), QDate()};
        const TCabeceraListaCargas cabecera {QString(), QStringLiteral("31/03/2024"), QStringLiteral("TODAS"),
                                             QString(), ana};
        const TReportDocument informe
                = InformeCargas(cabecera, {Fila(41, "REF-ANA", "PREPARADO", "")}, kFarmacia);
        QCOMPARE(Textos(informe, ReportBand::Kind::PageHeader).last(),
                 QStringLiteral("REF-ANA ANA PEREZ     FECHA ALTA: 09/01/2023     FECHA BAJA: "));
        QCOMPARE(Textos(informe, ReportBand::Kind::ColumnHeader),
                 (QStringList {"FECHA", "REF. BLISTER Kelvo", "PREPARADOR", "SIT ENTREGA", "VALIDADOR"}));
        QCOMPARE(Textos(informe, ReportBand::Kind::Detail),
                 (QStringList {"10/03/2024 18:05", "41", "pepa", "PREPARADO", ""}));
    }
};

QTEST_APPLESS_MAIN(TestInformeCargas)
#include "test_informe_cargas.moc"
