#include "core/i18n/ULenguaje.h"
#include "core/stock/InformeStock.h"

#include <QCoreApplication>
#include <QTest>

// The printed stock report: what its header says of the inquiry, the order of its rows and what
// every page carries.
class TestInformeStock : public QObject
{
    Q_OBJECT

    TLenguaje m_lenguaje {QStringLiteral("/nonexistent/pastillero.lng")};

    static QStringList textos(const ReportBand &banda)
    {
        QStringList lista;
        for (const ReportElement &elemento : banda.elements) {
            if (elemento.kind == ReportElement::Kind::Text
                || elemento.kind == ReportElement::Kind::PageNumber)
                lista << elemento.text;
        }
        return lista;
    }
    static const ReportBand *banda(const TReportDocument &informe, ReportBand::Kind tipo)
    {
        for (const ReportBand &b : informe.bands) {
            if (b.kind == tipo)
                return &b;
        }
        return nullptr;
    }

private slots:
    void headerTellsWhatWasAskedFor_data()
    {
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<QString>("paciente");
        QTest::addColumn<QString>("medicamento");
        QTest::newRow("both halves") << "r-1"
                                     << "ana"
                                     << "712729"
                                     << "omeprazol"
                                     << "R-1 - ANA"
                                     << "712729 - OMEPRAZOL";
        QTest::newRow("first half alone") << "r-1"
                                          << ""
                                          << "712729"
                                          << ""
                                          << "R-1"
                                          << "712729";
        QTest::newRow("second half alone") << ""
                                           << "ana"
                                           << ""
                                           << "omeprazol"
                                           << "ANA"
                                           << "OMEPRAZOL";
        QTest::newRow("nothing asked") << ""
                                       << ""
                                       << ""
                                       << ""
                                       << ""
                                       << "";
    }
    void headerTellsWhatWasAskedFor()
    {
        QFETCH(QString, referencia);
        QFETCH(QString, nombre);
        QFETCH(QString, codigo);
        QFETCH(QString, descripcion);
        QFETCH(QString, paciente);
        QFETCH(QString, medicamento);
        const TCabeceraInventario cabecera {QStringLiteral("Residencia Sol"),   referencia, nombre,
                                            QStringLiteral("Ver medicamentos"), codigo,     descripcion};
        QCOMPARE(cabecera.Textos(),
                 (QStringList {QStringLiteral("Residencia Sol"), paciente, QStringLiteral("VER MEDICAMENTOS"),
                               medicamento}));
    }

    void rowsAreSortedByCategoryPatientCodeAndRow()
    {
        const auto fila = [](const char *categoria, const char *ref, qint64 codigo, qint64 id) {
            TFilaInventario f;
            f.Categoria = QString::fromLatin1(categoria);
            f.RefPaciente = QString::fromLatin1(ref);
            f.Codigo = codigo;
            f.idInventario = id;
            f.Medicamento = QStringLiteral("OMEPRAZOL 20MG");
            return f;
        };
        const QList<TFilaInformeStock> filas = FilasInformeInventario(
                {fila("B", "R1", 10, 1), fila("A", "R2", 10, 2), fila("A", "R1", 20, 3),
                 fila("A", "R1", 10, 9), fila("A", "R1", 10, 4)});
        QStringList orden;
        for (const TFilaInformeStock &f : filas)
            orden << f.Categoria + QLatin1Char('/') + f.RefPaciente + QLatin1Char('/') + f.Medicamento;
        QCOMPARE(orden,
                 (QStringList {
                         QStringLiteral("A/R1/10 OMEPRAZOL 20MG"), QStringLiteral("A/R1/10 OMEPRAZOL 20MG"),
                         QStringLiteral("A/R1/20 OMEPRAZOL 20MG"), QStringLiteral("A/R2/10 OMEPRAZOL 20MG"),
                         QStringLiteral("B/R1/10 OMEPRAZOL 20MG")}));
    }

    void everyPageCarriesThePharmacy_data()
    {
        QTest::addColumn<QByteArray>("logo");
        QTest::addColumn<int>("imagenes");
        QTest::newRow("with logo") << QByteArray("\x89PNG", 4) << 1;
        QTest::newRow("without logo") << QByteArray() << 0;
    }
    void everyPageCarriesThePharmacy()
    {
        QFETCH(QByteArray, logo);
        QFETCH(int, imagenes);
        const TReportDocument informe = InformeStock(
                QStringLiteral("INVENTARIO DE MEDICAMENTOS"), {QStringLiteral("RESIDENCIA SOL")}, {},
                {logo, QStringLiteral("C/ Mayor 1 - 911 000 000")}, QDate(2026, 12, 9));
        const ReportBand *cabecera = banda(informe, ReportBand::Kind::PageHeader);
        const ReportBand *pie = banda(informe, ReportBand::Kind::PageFooter);
        QVERIFY(cabecera && pie);
        QVERIFY(textos(*cabecera).contains(QStringLiteral("INVENTARIO DE MEDICAMENTOS")));
        QVERIFY(textos(*cabecera).contains(QStringLiteral("RESIDENCIA SOL")));
        QVERIFY(textos(*cabecera).contains(QStringLiteral("%1 / %2")));
        QCOMPARE(std::count_if(cabecera->elements.begin(), cabecera->elements.end(),
                               [](const ReportElement &e) { return e.kind == ReportElement::Kind::Image; }),
                 imagenes);
        QVERIFY(textos(*pie).contains(QStringLiteral("C/ Mayor 1 - 911 000 000")));
        QVERIFY(textos(*pie).contains(QLocale().toString(QDate(2026, 12, 9), QLocale::ShortFormat)));
    }
};

QTEST_GUILESS_MAIN(TestInformeStock)
#include "test_informe_stock.moc"
