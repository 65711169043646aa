// The printed lists of the needs screen: their groups and the order of their rows.
#include "core/i18n/ULenguaje.h"
#include "core/reports/ReportTextRows.h"
#include "core/stock/InformesNecesidades.h"

#include <QLocale>
#include <QTest>

namespace {

const QDate kLunes(2024, 5, 6);
const TMembreteFarmacia kMembrete {{}, QStringLiteral("CALLE MAYOR 1")};

QString F(const QDate &fecha)
{
    return QLocale().toString(fecha, QLocale::ShortFormat);
}

QString Semana(int semana)
{
    return F(kLunes.addDays(7 * semana)) + QStringLiteral(" - ") + F(kLunes.addDays(7 * semana + 6));
}

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

TFilaNecesidad Fila(qint64 paciente, const QString &ref, const QString &categoria, int semana,
                    qint64 medicamento, double faltan, double cajas = 0)
{
    TFilaNecesidad fila;
    fila.IdPaciente = paciente;
    fila.RefPaciente = ref;
    fila.Nombre = QStringLiteral("PACIENTE ") + ref;
    fila.Categoria = categoria;
    fila.Fecini = kLunes.addDays(7 * semana);
    fila.Fecfin = fila.Fecini.addDays(6);
    fila.IdMedicamento = medicamento;
    fila.Medicamento = QStringLiteral("M%1").arg(medicamento);
    fila.Porciones = 7;
    fila.CantNeed = 7;
    fila.Faltan = faltan;
    fila.Cajas = cajas;
    return fila;
}

TAsignacion Asignada(const QString &ref, qint64 producto, const QString &lote)
{
    TAsignacion fila;
    fila.RefPaciente = ref;
    fila.Nombre = QStringLiteral("PACIENTE ") + ref;
    fila.Categoria = QStringLiteral(" ");
    fila.IdMedicamentoR = producto;
    fila.MedicamentoR = QStringLiteral("P%1").arg(producto);
    fila.Lote = lote;
    fila.Caducidad = QDate(2027, 5, 1);
    fila.Cajas = 2;
    fila.Unidades = 56;
    fila.FechaAsignacion = QDateTime(kLunes, QTime(10, 0));
    return fila;
}

} // namespace

Q_DECLARE_METATYPE(TReportDocument)

class TestInformesNecesidades : public QObject
{
    Q_OBJECT

    TLenguaje m_lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};

private slots:
    void gruposYOrden_data()
    {
        QTest::addColumn<TReportDocument>("informe");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("lineas");
        // Given out of order: category, patient, week and medication sort them.
        const QList<TFilaNecesidad> cargas {Fila(3, "R3", "SOL", 0, 10, 0), Fila(2, "R2", "LUNA", 1, 20, 7),
                                            Fila(1, "R1", "LUNA", 0, 20, 0),
                                            Fila(2, "R2", "LUNA", 0, 20, 2.5),
                                            Fila(2, "R2", "LUNA", 0, 10, 0)};
        QTest::newRow("planned loads by patient and week")
                << InformeCargasPlanificadas(cargas, kMembrete, kLunes) << "CARGAS PLANIFICADAS"
                << QStringList {"G:R1 - PACIENTE R1    LUNA    " + Semana(0),
                                "D:20|M20|7|7.00|0.00",
                                "G:R2 - PACIENTE R2    LUNA    " + Semana(0),
                                "D:10|M10|7|7.00|0.00",
                                "D:20|M20|7|7.00|2.50",
                                "G:R2 - PACIENTE R2    LUNA    " + Semana(1),
                                "D:20|M20|7|7.00|7.00",
                                "G:R3 - PACIENTE R3    SOL    " + Semana(0),
                                "D:10|M10|7|7.00|0.00"};
        TFilaNecesidad sinUnidades = Fila(1, "R1", " ", 1, 30, 7);
        sinUnidades.SinUnidadesCaja = true;
        const QList<TFilaNecesidad> pedido {Fila(1, "R1", " ", 0, 20, 7, 1), sinUnidades,
                                            Fila(1, "R1", " ", 0, 10, 31, 2)};
        QTest::newRow("order list by patient, period of its lines")
                << InformeNecesidadMedicamentos(pedido, kMembrete, kLunes) << "NECESIDAD DE MEDICAMENTOS"
                << QStringList {"G:R1 - PACIENTE R1        " + F(kLunes) + " - " + F(kLunes.addDays(13)),
                                "D:10|M10|31.00|2", "D:20|M20|7.00|1", "D:30|M30|7.00|SIN UNID./CAJA"};
        const QList<TAsignacion> asignaciones {Asignada("R2", 9, "B"), Asignada("R1", 5, "A"),
                                               Asignada("R3", 9, "A"), Asignada("R1", 9, "B")};
        const QString cabecera = QStringLiteral("    LOTE: %1    CADUCIDAD: ") + F(QDate(2027, 5, 1));
        const QString detalle = QStringLiteral("|2|56.00|") + F(kLunes);
        QTest::newRow("assignments by product, lot and expiry")
                << InformeAsignaciones(asignaciones, kMembrete, kLunes) << "ASIGNACION DE MEDICAMENTOS"
                << QStringList {"G:5 P5" + cabecera.arg("A"), "D:PACIENTE R1|R1|" + detalle,
                                "G:9 P9" + cabecera.arg("A"), "D:PACIENTE R3|R3|" + detalle,
                                "G:9 P9" + cabecera.arg("B"), "D:PACIENTE R2|R2|" + detalle,
                                "D:PACIENTE R1|R1|" + detalle};
    }
    void gruposYOrden()
    {
        QFETCH(TReportDocument, informe);
        QFETCH(QString, titulo);
        QFETCH(QStringList, lineas);
        QCOMPARE(informe.title, titulo);
        QCOMPARE(Lineas(informe), lineas);
    }
};

QTEST_GUILESS_MAIN(TestInformesNecesidades)
#include "test_informes_necesidades.moc"
