#include "core/loading/EtiquetasCarga.h"
#include "core/loading/QREtiquetasCompleto.h"
#include "core/loading/RepartoCeldas.h"
#include "core/loading/TextosEtiqueta.h"

#include <QTest>

using namespace TextosEtiqueta;

namespace {

// A week grid with the count in the first slot of every day.
QString unoAlDia(int cuenta = 1)
{
    QString lista;
    for (int celda = 0; celda < kCeldasSemana; ++celda)
        lista += QString::number(celda % kTomasDia == 0 ? cuenta : 0) + QLatin1Char(';');
    return lista;
}

TLineaReparto lote(const QString &nombre, double cantidad, const QString &numero, qint64 producto = 700001)
{
    TLineaReparto linea;
    linea.producto = producto;
    linea.nombre = nombre;
    linea.nombreProducto = SinPrefijoFraccion(nombre);
    linea.Cantidad = cantidad;
    linea.Lote = numero;
    linea.Caducidad = QStringLiteral("06/2026");
    return linea;
}

TDatosEtiquetas leyenda(const QStringList &lotes)
{
    TDatosEtiquetas datos;
    for (const QString &numero : lotes) {
        TFilaLeyenda fila;
        fila.IDmedicamentoR = QStringLiteral("700001");
        fila.lote = numero;
        fila.caducidad = QStringLiteral("06/2026");
        fila.Numref = int(datos.Leyenda.size()) + 1;
        datos.Leyenda << fila;
    }
    return datos;
}

// "cell:lot:units" for every cell row, in cell order.
QStringList contenido(const TCeldas &celdas)
{
    QStringList filas;
    for (size_t i = 0; i < celdas.size(); ++i) {
        for (const TFilaCelda &fila : celdas[i])
            filas << QStringLiteral("%1:%2:%3:%4").arg(i).arg(fila.Lote).arg(fila.Porciones).arg(fila.Numref);
    }
    return filas;
}

} // namespace

// The text rules and the distribution of lots over the cells, without a database.
class TestTextosEtiqueta : public QObject
{
    Q_OBJECT

private slots:
    void fractionSigns_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QString>("impresa");
        QTest::newRow("half at night") << "1-0-0,5-0"
                                       << "1-0-½-0";
        QTest::newRow("quarter first") << "0,25-0-0-0"
                                       << "¼-0-0-0";
        QTest::newRow("one and three quarters") << "1,75"
                                                << "1¾";
        QTest::newRow("written half") << "0,50-1"
                                      << "½-1";
        QTest::newRow("ten and a half stays ten") << "10,5-0"
                                                  << "10½-0";
        QTest::newRow("twenty and a quarter") << "20,25"
                                              << "20¼";
        QTest::newRow("no fraction") << "1-0-1-0:D:D:1"
                                     << "1-0-1-0:D:D:1";
    }
    void fractionSigns()
    {
        QFETCH(QString, dosis);
        QFETCH(QString, impresa);
        QCOMPARE(SignosFraccion(dosis), impresa);
    }

    void prefixesAndPortionSizes_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("limpio");
        QTest::addColumn<double>("porcion");
        QTest::newRow("half") << "(1/2) SINTROM 4 MG"
                              << "SINTROM 4 MG" << 0.5;
        QTest::newRow("quarter") << "(1/4) SINTROM 4 MG"
                                 << "SINTROM 4 MG" << 0.25;
        QTest::newRow("third") << "(1/3) DIGOXINA"
                               << "DIGOXINA" << 0.33;
        QTest::newRow("whole") << "ENALAPRIL 10 MG"
                               << "ENALAPRIL 10 MG" << 1.0;
    }
    void prefixesAndPortionSizes()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, limpio);
        QFETCH(double, porcion);
        QCOMPARE(SinPrefijoFraccion(nombre), limpio);
        QCOMPARE(PorcionDelNombre(nombre), porcion);
    }

    void loadCode_data()
    {
        QTest::addColumn<int>("paciente");
        QTest::addColumn<int>("carga");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<bool>("ean8");
        QTest::newRow("patient 12, load 5") << 12 << 5 << "00120050" << true;
        QTest::newRow("largest that fits") << 9999 << 999 << "99999990" << true;
        QTest::newRow("load 1000") << 12 << 1000 << "001210000" << false;
        QTest::newRow("patient 10000") << 10000 << 1 << "100000010" << false;
    }
    void loadCode()
    {
        QFETCH(int, paciente);
        QFETCH(int, carga);
        QFETCH(QString, codigo);
        QFETCH(bool, ean8);
        QCOMPARE(CodigoCarga(paciente, carga), codigo);
        QCOMPARE(CabeEnEan8(codigo), ean8);
    }

    void aCodeTooLongIsPrintedAsText()
    {
        ReportBand banda;
        PiezasEtiqueta::CodigoBarras(banda, QRectF(0, 0, 40, 15), CodigoCarga(12, 1000));
        QCOMPARE(banda.elements.size(), 1);
        QCOMPARE(banda.elements.at(0).kind, ReportElement::Kind::Text);
        QCOMPARE(banda.elements.at(0).text, QStringLiteral("001210000"));
        ReportBand valida;
        PiezasEtiqueta::CodigoBarras(valida, QRectF(0, 0, 40, 15), CodigoCarga(12, 5));
        QCOMPARE(valida.elements.at(0).kind, ReportElement::Kind::Barcode);
        QCOMPARE(valida.elements.at(0).text, QStringLiteral("0012005"));
    }

    void layoutChoice_data()
    {
        QTest::addColumn<QString>("preferencia");
        QTest::addColumn<int>("tipoCarga");
        QTest::addColumn<int>("formato");
        QTest::newRow("empty") << "" << 0 << int(TFormatoEtiqueta::Base);
        QTest::newRow("zero") << "0" << 1 << int(TFormatoEtiqueta::Base);
        QTest::newRow("LB-m.001 automatic") << "LB-m.001" << 0 << int(TFormatoEtiqueta::BaseCantidades);
        QTest::newRow("LB-e.000 manual") << "LB-e.000" << 1 << int(TFormatoEtiqueta::Rotulada);
        QTest::newRow("LB-e.000 automatic") << "LB-e.000" << 0 << int(TFormatoEtiqueta::Ninguno);
        QTest::newRow("Completo manual") << "Completo" << 1 << int(TFormatoEtiqueta::Completo);
        QTest::newRow("Completo automatic") << "Completo" << 0 << int(TFormatoEtiqueta::Ninguno);
        QTest::newRow("unknown") << "LB-x" << 1 << int(TFormatoEtiqueta::Ninguno);
    }
    void layoutChoice()
    {
        QFETCH(QString, preferencia);
        QFETCH(int, tipoCarga);
        QFETCH(int, formato);
        QCOMPARE(int(FormatoEtiqueta(preferencia, tipoCarga)), formato);
    }

    void twoLotsFillTheWeekInOrder()
    {
        TCeldas celdas;
        RepartirLineas(celdas, unoAlDia(),
                       {lote(QStringLiteral("ENALAPRIL"), 4, QStringLiteral("A")),
                        lote(QStringLiteral("ENALAPRIL"), 3, QStringLiteral("B"))},
                       leyenda({QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(contenido(celdas),
                 (QStringList {"0:A:1:1", "4:A:1:1", "8:A:1:1", "12:A:1:1", "16:B:1:2", "20:B:1:2",
                               "24:B:1:2"}));
    }

    void aCellOfTwoPillsUsesTwoUnits()
    {
        TCeldas celdas;
        RepartirLineas(celdas, unoAlDia(2),
                       {lote(QStringLiteral("ENALAPRIL"), 5, QStringLiteral("A")),
                        lote(QStringLiteral("ENALAPRIL"), 9, QStringLiteral("B"))},
                       leyenda({QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(contenido(celdas),
                 (QStringList {"0:A:2:1", "4:A:2:1", "8:A:1:1", "8:B:1:2", "12:B:2:2", "16:B:2:2", "20:B:2:2",
                               "24:B:2:2"}));
        QCOMPARE(celdas[8].at(0).Cantidad, 1.0);
    }

    void thirdsAreCountedWithoutTruncation()
    {
        TCeldas celdas;
        // 7 thirds are 2.31 pills, which as a double divided by 0.33 is just under 7.
        RepartirLineas(celdas, unoAlDia(),
                       {lote(QStringLiteral("(1/3) DIGOXINA"), 2.31, QStringLiteral("A"))},
                       leyenda({QStringLiteral("A")}));
        QCOMPARE(contenido(celdas).size(), 7);
        QCOMPARE(celdas[24].at(0).Cantidad, 0.33);
    }

    void cellTextListsEachLot()
    {
        TCeldas celdas;
        RepartirLineas(celdas, unoAlDia(),
                       {lote(QStringLiteral("(1/2) SINTROM 4 MG COMPRIMIDOS"), 3.5, QStringLiteral("A"))},
                       leyenda({QStringLiteral("A")}));
        QCOMPARE(TQREtiquetasFormCompleto::TextoCelda(celdas[0], true),
                 QStringLiteral("0,5 (1) 700001 SINTROM 4 MG CO"));
        QCOMPARE(TQREtiquetasFormCompleto::TextoCelda(celdas[0], false),
                 QStringLiteral("0,5 700001 SINTROM 4 MG CO"));
    }
};

QTEST_GUILESS_MAIN(TestTextosEtiqueta)
#include "test_textos_etiqueta.moc"
