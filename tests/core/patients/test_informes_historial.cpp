#include "core/patients/InformesHistorial.h"

#include <QTest>

// The change and usage reports as data: their groups and lines in the order printed.
class TestInformesHistorial : public QObject
{
    Q_OBJECT

    // "G heading" per group and "cell|cell|…" per line, in the order of the bands.
    static QStringList Bandas(const TReportDocument &informe)
    {
        QStringList bandas;
        for (const ReportBand &banda : informe.bands) {
            QStringList textos;
            for (const ReportElement &elemento : banda.elements)
                textos << elemento.text;
            if (banda.kind == ReportBand::Kind::GroupHeader)
                bandas << QStringLiteral("G ") + textos.join(QLatin1Char('|'));
            else if (banda.kind == ReportBand::Kind::Detail)
                bandas << textos.join(QLatin1Char('|'));
        }
        return bandas;
    }

    static TCambioTratamiento Cambio(int version, qint64 medicamento, const QString &descripcion)
    {
        TCambioTratamiento cambio;
        cambio.IdVersion = version;
        cambio.Fecha = QDate(2026, 3, version);
        cambio.username = QStringLiteral("ana");
        cambio.idmedicamento = medicamento;
        cambio.Medicamento = QStringLiteral("M%1").arg(medicamento);
        cambio.Desccambio = descripcion;
        cambio.Inicio = QDate(2026, 3, 1);
        cambio.Dosis = cambio.Dosis_et = QStringLiteral("1-0-0-0,5:D:D:1");
        cambio.Iucarga = QStringLiteral("SI");
        return cambio;
    }

private slots:
    void cambiosPorVersionYMedicamento()
    {
        const QList<TCambioTratamiento> cambios {
                Cambio(2, 200, QStringLiteral("CAMBIO POSOLOGIA\n\rCAMBIO FECHAS")),
                Cambio(1, 200, QStringLiteral("NUEVO")), Cambio(1, 100, QStringLiteral("NUEVO"))};
        const QStringList bandas = Bandas(InformeCambios({}, cambios, {}, QDate(2026, 3, 30)));
        QCOMPARE(bandas.size(), 5);
        QVERIFY(bandas.at(0).startsWith(QStringLiteral("G VERSION : 1")));
        QCOMPARE(bandas.at(1), QStringLiteral("M100|NUEVO|100|01/03/2026"));
        QCOMPARE(bandas.at(2), QStringLiteral("M200|NUEVO|200|01/03/2026"));
        QVERIFY(bandas.at(3).startsWith(QStringLiteral("G VERSION : 2")));
        QCOMPARE(bandas.at(4), QStringLiteral("M200|CAMBIO POSOLOGIA\nCAMBIO FECHAS|200|01/03/2026"));
    }

    void usoPorMedicamentoYVersion()
    {
        const QList<TUsoMedicamento> usos = PeriodosUso({Cambio(1, 200, QStringLiteral("NUEVO")),
                                                         Cambio(1, 100, QStringLiteral("NUEVO")),
                                                         Cambio(3, 200, QStringLiteral("CAMBIO FECHAS"))});
        const QStringList bandas = Bandas(InformeUso({}, usos, {}, QDate(2026, 3, 30)));
        QCOMPARE(bandas,
                 (QStringList {"G MEDICAMENTO 100  M100", "NUEVO|01/03/2026||1|0|0|0,5|1-0-0-0,5:D:D:1",
                               "G MEDICAMENTO 200  M200",
                               "NUEVO|01/03/2026|02/03/2026|1|0|0|0,5|1-0-0-0,5:D:D:1",
                               "CAMBIO FECHAS|03/03/2026||1|0|0|0,5|1-0-0-0,5:D:D:1"}));
    }
};

QTEST_GUILESS_MAIN(TestInformesHistorial)
#include "test_informes_historial.moc"
