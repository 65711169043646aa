// The printed report of a load's returned cells.
#include "core/i18n/ULenguaje.h"
#include "core/reports/InformeTomasRetornadas.h"
#include "core/reports/ReportTextRows.h"

#include <QTest>

class TestInformeTomasRetornadas : public QObject
{
    Q_OBJECT

    TLenguaje m_lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};

    static TDatosTomasRetornadas Datos()
    {
        TDatosTomasRetornadas datos;
        datos.RefPaciente = QStringLiteral("R1");
        datos.Nombre = QStringLiteral("LUIS PEREZ");
        datos.refRecarga = 4;
        datos.Preparador = QStringLiteral("ROSA GIL");
        datos.Medico = QStringLiteral("DRA. SANZ");
        datos.FechaInicio = QDate(2024, 5, 6);
        datos.FechaFin = QDate(2024, 5, 12);
        datos.FechaRetorno = QDate(2024, 5, 14);
        datos.Humedad = QStringLiteral("40%");
        datos.Temperatura = QStringLiteral("21ºC");
        datos.Tomas = {{14, QStringLiteral("JUEVES COMIDA"), 1, QStringLiteral("NAUSEAS")},
                       {27, QStringLiteral("DOMINGO CENA"), 2, QStringLiteral("OLVIDO")}};
        return datos;
    }

    // The texts of the report's rows of one kind of band, each row's cells joined by "|".
    static QStringList Filas(const TReportDocument &informe, ReportBand::Kind tipo)
    {
        QStringList filas;
        for (const ReportTextRow &fila : ReportTextRows::build(informe)) {
            if (fila.band != tipo)
                continue;
            QStringList textos;
            for (const ReportTextCell &celda : fila.cells)
                textos << celda.text;
            filas << textos.join(QLatin1Char('|'));
        }
        return filas;
    }

private slots:
    void unaLineaPorTomaRetornada()
    {
        const TReportDocument informe = InformeTomasRetornadas(Datos(), {});
        QCOMPARE(informe.title, QString("TOMAS RETORNADAS"));
        QCOMPARE(Filas(informe, ReportBand::Kind::Detail),
                 (QStringList {"Toma 14|JUEVES COMIDA|1|NAUSEAS", "Toma 27|DOMINGO CENA|2|OLVIDO"}));
        QCOMPARE(Filas(informe, ReportBand::Kind::ColumnHeader), QStringList {"TOMA|DIA|CANTIDAD|MOTIVO"});
    }

    void laCabeceraDiceDeQueCargaSeTrata()
    {
        const TReportDocument informe = InformeTomasRetornadas(Datos(), {});
        const QString cabecera = Filas(informe, ReportBand::Kind::PageHeader).join(QLatin1Char('\n'));
        for (const char *texto :
             {"PACIENTE R1  LUIS PEREZ", "REF. BLISTER: 4", "PREPARADO POR: ROSA GIL", "MEDICO: DRA. SANZ",
              "FECHA INICIO 06/05/2024", "FECHA FIN: 12/05/2024", "FECHA RETORNO: 14/05/2024",
              "CONDICIONES CARGA", "HUMEDAD: 40%", "TEMPERATURA: 21ºC"})
            QVERIFY2(cabecera.contains(QString::fromUtf8(texto)), texto);
    }

    void laFarmaciaYElNumeroDePagina()
    {
        const TMembreteFarmacia membrete {QByteArray("logo"), QStringLiteral("C/ MAYOR 1 - 912345678")};
        const TReportDocument informe = InformeTomasRetornadas(Datos(), membrete);
        QStringList pie;
        QString paginas;
        QByteArray logo;
        for (const ReportBand &banda : informe.bands) {
            for (const ReportElement &elemento : banda.elements) {
                if (banda.kind == ReportBand::Kind::PageFooter && elemento.kind == ReportElement::Kind::Text)
                    pie << elemento.text;
                if (elemento.kind == ReportElement::Kind::PageNumber)
                    paginas = elemento.text;
                if (elemento.kind == ReportElement::Kind::Image)
                    logo = elemento.image;
            }
        }
        QVERIFY(pie.contains(QStringLiteral("C/ MAYOR 1 - 912345678")));
        QCOMPARE(paginas, QString("%1  / %2"));
        QCOMPARE(logo, QByteArray("logo"));
    }
};

QTEST_GUILESS_MAIN(TestInformeTomasRetornadas)
#include "test_informe_tomas_retornadas.moc"
