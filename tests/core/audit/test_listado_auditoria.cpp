#include "core/audit/InformeAuditoria.h"
#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportTextRows.h"

#include <QCoreApplication>
#include <QTest>

namespace {

QList<QStringList> Filas(const TReportDocument &informe, ReportBand::Kind banda)
{
    QList<QStringList> filas;
    for (const ReportTextRow &fila : ReportTextRows::build(informe)) {
        if (fila.band != banda)
            continue;
        QStringList textos;
        for (const ReportTextCell &celda : fila.cells)
            textos << celda.text;
        filas << textos;
    }
    return filas;
}

} // namespace

// The audit view's date fields as typed, and its printed access listing.
class TestListadoAuditoria : public QObject
{
    Q_OBJECT

    TLenguaje m_lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};

private slots:
    void leerFechas_data()
    {
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<QDate>("fin");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("campo");
        const QString formato = QStringLiteral("EL FORMATO ES INCORRECTO");
        const int desde = int(TCampoAuditoria::Desde);
        const int hasta = int(TCampoAuditoria::Hasta);
        const int ninguno = int(TCampoAuditoria::Ninguno);
        QTest::newRow("leap February")
                << "01/02/2024"
                << "29/02/2024" << QDate(2024, 2, 1) << QDate(2024, 2, 29) << "" << ninguno;
        QTest::newRow("one day, digits alone and blanks around")
                << " 3/5/2024 "
                << "03/05/2024" << QDate(2024, 5, 3) << QDate(2024, 5, 3) << "" << ninguno;
        QTest::newRow("no dates: no bounds") << ""
                                             << "  " << QDate() << QDate() << "" << ninguno;
        QTest::newRow("29 February of a common year")
                << "01/02/2023"
                << "29/02/2023" << QDate() << QDate() << formato << hasta;
        QTest::newRow("start that is not a date") << "1-5-2024"
                                                  << "" << QDate() << QDate() << formato << desde;
        QTest::newRow("end before the start")
                << "02/05/2024"
                << "01/05/2024" << QDate() << QDate()
                << "LA FECHA FINAL NO PUEDE SER INFERIOR A LA FECHA INICIAL" << hasta;
    }
    void leerFechas()
    {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        TCamposAuditoria campos;
        campos.Accion = QStringLiteral("CARGA D'ANA");
        campos.Desde = desde;
        campos.Hasta = hasta;
        const TFiltroAuditoriaLeido leido = LeerFiltroAuditoria(campos);
        QTEST(leido.filtro.Desde, "inicio");
        QTEST(leido.filtro.Hasta, "fin");
        QTEST(leido.error, "error");
        QTEST(int(leido.campo), "campo");
        // A refused field searches nothing; an accepted one keeps the texts as typed.
        QCOMPARE(leido.filtro.Accion, leido.valido() ? campos.Accion : QString());
    }

    void elListadoDiceLoPedidoYUnaLineaPorFila()
    {
        TCamposAuditoria campos = CamposAuditoriaDelMes(QDate(2024, 2, 10));
        campos.Usuario = QStringLiteral("ana");
        campos.Operacion = QStringLiteral("Alta");
        TFilaAuditoria fila;
        fila.FAudit = QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 900));
        fila.Username = QStringLiteral("ana");
        fila.UserOS = QStringLiteral("farmacia");
        fila.Maquina = QStringLiteral("MOSTRADOR1");
        fila.Accion = QStringLiteral("CARGA D'ANA");
        fila.Resultado = QStringLiteral("ACEPTADO");
        fila.Operacion = QStringLiteral("ALTA");
        fila.refPaciente = QStringLiteral("7");

        const TReportDocument informe = InformeAuditoria(
                campos, {fila}, {{}, QStringLiteral("C/ Mayor 1 - 911")}, QDate(2024, 3, 1));
        QCOMPARE(informe.title, QStringLiteral("LISTADO ACCESOS LOPD"));
        QVERIFY(informe.page.landscape);
        QString cabecera;
        for (const QStringList &linea : Filas(informe, ReportBand::Kind::PageHeader))
            cabecera += linea.join(QLatin1Char(' ')) + QLatin1Char(' ');
        for (const QString &esperado :
             {QStringLiteral("USUARIO: ana"), QStringLiteral("OPERACION: Alta"),
              QStringLiteral("F. INICIO: 01/02/2024"), QStringLiteral("F. FIN: 29/02/2024")})
            QVERIFY2(cabecera.contains(esperado), qPrintable(esperado));
        QCOMPARE(Filas(informe, ReportBand::Kind::ColumnHeader),
                 (QList<QStringList> {{"Fecha", "Usuario", "OS Usuario", "Maquina", "Accion", "Resultado",
                                       "Paciente", "Operacion"}}));
        QCOMPARE(Filas(informe, ReportBand::Kind::Detail),
                 (QList<QStringList> {{"29/02/2024 23:59:59", "ana", "farmacia", "MOSTRADOR1", "CARGA D'ANA",
                                       "ACEPTADO", "7", "ALTA"}}));
    }
};

QTEST_GUILESS_MAIN(TestListadoAuditoria)
#include "test_listado_auditoria.moc"
