#include "core/patients/BusquedaPaciente.h"
#include "core/patients/TarjetasPaciente.h"
#include "core/patients/TextoBusqueda.h"

#include <QTest>

Q_DECLARE_METATYPE(BarcodeType)

namespace {

QList<const ReportElement *> Elementos(const TReportDocument &informe, ReportElement::Kind tipo)
{
    QList<const ReportElement *> elementos;
    for (const ReportBand &banda : informe.bands) {
        for (const ReportElement &elemento : banda.elements) {
            if (elemento.kind == tipo)
                elementos << &elemento;
        }
    }
    return elementos;
}

QStringList Textos(const TReportDocument &informe)
{
    QStringList textos;
    for (const ReportElement *elemento : Elementos(informe, ReportElement::Kind::Text))
        textos << elemento->text;
    return textos;
}

} // namespace

// The printed patient cards: which bar code each card carries and that the main screen's search
// reads it back to the same patient.
class TestTarjetasPaciente : public QObject
{
    Q_OBJECT

private slots:
    void codigoDeLaTarjeta_data()
    {
        QTest::addColumn<qint64>("id");
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("pais");
        QTest::addColumn<bool>("conCodigo");
        QTest::addColumn<BarcodeType>("tipo");
        QTest::addColumn<QString>("datos");
        const BarcodeType ean8 = BarcodeType::Ean8;
        const BarcodeType code128 = BarcodeType::Code128;
        QTest::newRow("id 12") << qint64(12) << "ANA"
                               << "0" << true << ean8 << "00120005";
        QTest::newRow("id 1") << qint64(1) << "1"
                              << "0" << true << ean8 << "00010009";
        QTest::newRow("id 9999, el mayor en EAN-8") << qint64(9999) << "X"
                                                    << "0" << true << ean8 << "99990008";
        QTest::newRow("id 10000: la referencia") << qint64(10000) << "10000"
                                                 << "0" << true << code128 << "10000";
        QTest::newRow("referencia de texto") << qint64(12345) << "Carlos-7"
                                             << "0" << true << code128 << "Carlos-7";
        QTest::newRow("referencia con blancos dentro") << qint64(12345) << "RES 12"
                                                       << "0" << true << code128 << "RES 12";
        QTest::newRow("referencia de ocho digitos EAN-8") << qint64(20000) << "00120005"
                                                          << "0" << true << code128 << "00120005";
        QTest::newRow("DNI fuera de Espana") << qint64(20000) << "12345678Z"
                                             << "1" << true << code128 << "12345678Z";
        QTest::newRow("referencia vacia") << qint64(10000) << ""
                                          << "0" << false << code128 << "";
        QTest::newRow("nueve digitos: un telefono") << qint64(10000) << "600111222"
                                                    << "0" << false << code128 << "";
        QTest::newRow("un DNI en Espana") << qint64(10000) << "12345678Z"
                                          << "0" << false << code128 << "";
        QTest::newRow("un EAN-13: un medicamento") << qint64(10000) << "4006381333931"
                                                   << "0" << false << code128 << "";
        QTest::newRow("blanco al final") << qint64(10000) << "ANA "
                                         << "0" << false << code128 << "";
        QTest::newRow("letra que un lector no teclea") << qint64(10000) << "NUÑEZ"
                                                       << "0" << false << code128 << "";
        QTest::newRow("demasiado larga") << qint64(10000) << "ABCDEFGHIJKLMNOPQRSTU"
                                         << "0" << false << code128 << "";
        QTest::newRow("identificador no valido") << qint64(0) << "ANA"
                                                 << "0" << false << code128 << "";
    }
    void codigoDeLaTarjeta()
    {
        QFETCH(qint64, id);
        QFETCH(QString, referencia);
        QFETCH(QString, pais);
        QFETCH(bool, conCodigo);
        QFETCH(BarcodeType, tipo);
        QFETCH(QString, datos);
        const std::optional<TCodigoTarjeta> codigo = CodigoTarjetaPaciente({id, referencia, {}}, pais);
        QCOMPARE(codigo.has_value(), conCodigo);
        if (conCodigo)
            QCOMPARE(*codigo, (TCodigoTarjeta {tipo, datos}));
    }

    // What the main screen does with a scanned card: it must name this patient first.
    void laBusquedaLeeLaTarjetaComoEstePaciente_data()
    {
        QTest::addColumn<qint64>("id");
        QTest::addColumn<QString>("referencia");
        for (const qint64 id : {1, 7, 12, 100, 999, 1234, 5000, 9999})
            QTest::addRow("id %lld", id) << id << QStringLiteral("R%1").arg(id);
        QTest::newRow("id 10000") << qint64(10000) << "10000";
        QTest::newRow("id 123456") << qint64(123456) << "MARIA-3";
    }
    void laBusquedaLeeLaTarjetaComoEstePaciente()
    {
        QFETCH(qint64, id);
        QFETCH(QString, referencia);
        const std::optional<TCodigoTarjeta> codigo
                = CodigoTarjetaPaciente({id, referencia, {}}, QStringLiteral("0"));
        QVERIFY(codigo);
        const TTipoTextoBusqueda tipo = TipoTextoBusqueda(codigo->datos, QStringLiteral("0"));
        const QList<TIntentoBusqueda> intentos = IntentosBusqueda(codigo->datos, tipo);
        if (codigo->tipo == BarcodeType::Ean8) {
            QCOMPARE(tipo, TTipoTextoBusqueda::EAN8);
            QCOMPARE(intentos.last().columna, TIntentoBusqueda::TColumna::Id);
            QCOMPARE(intentos.last().valor.toLongLong(), id);
        } else {
            QCOMPARE(intentos.first(),
                     (TIntentoBusqueda {TIntentoBusqueda::TColumna::Referencia, referencia}));
        }
    }

    void referenciaRellenaConCeros_data()
    {
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("impresa");
        QTest::newRow("un digito") << "7"
                                   << "0007";
        QTest::newRow("tres letras") << "ANA"
                                     << "0ANA";
        QTest::newRow("cuatro") << "1234"
                                << "1234";
        QTest::newRow("mas larga se deja entera") << "123456"
                                                  << "123456";
    }
    void referenciaRellenaConCeros()
    {
        QFETCH(QString, referencia);
        QFETCH(QString, impresa);
        QCOMPARE(ReferenciaTarjeta(referencia), impresa);
    }

    void unaTarjetaPorPaciente_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("con nombre en el pais 2")
                << "2" << QStringList {"0012", "ANA RUIZ", "0ANA", "BEA GIL", "12345", "CARLOS PAZ"};
        QTest::newRow("sin nombre en los demas") << "0" << QStringList {"0012", "0ANA", "12345"};
    }
    void unaTarjetaPorPaciente()
    {
        QFETCH(QString, pais);
        QFETCH(QStringList, textos);
        const TReportDocument informe
                = InformeTarjetasPacientes({{12, QStringLiteral("12"), QStringLiteral("ANA RUIZ")},
                                            {13, QStringLiteral("ANA"), QStringLiteral("BEA GIL")},
                                            {12345, QStringLiteral("12345"), QStringLiteral("CARLOS PAZ")}},
                                           pais);
        QCOMPARE(informe.title, QStringLiteral("LISTADO DE PACIENTES"));
        QCOMPARE(Textos(informe), textos);
        QCOMPARE(Elementos(informe, ReportElement::Kind::Box).size(), 3);
        QStringList codigos;
        for (const ReportElement *elemento : Elementos(informe, ReportElement::Kind::Barcode))
            codigos << elemento->text;
        QCOMPARE(codigos, (QStringList {"00120005", "00130004", "12345"}));
        // Every card lies inside the page's printable width, none overlaps the next.
        const double ancho = informe.page.contentRect().width();
        for (const ReportBand &banda : informe.bands) {
            for (const ReportElement &elemento : banda.elements) {
                QVERIFY(elemento.rect.right() <= ancho);
                QVERIFY(elemento.rect.bottom() <= banda.height);
            }
        }
    }

    void unaTarjetaSinCodigoMuestraSoloLaReferencia()
    {
        const TReportDocument informe = InformeTarjetasPacientes(
                {{10000, QStringLiteral("600111222"), QStringLiteral("ANA")}}, QStringLiteral("0"));
        QCOMPARE(Textos(informe), QStringList {"600111222"});
        QVERIFY(Elementos(informe, ReportElement::Kind::Barcode).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTarjetasPaciente)
#include "test_tarjetas_paciente.moc"
