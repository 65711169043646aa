#include "PngPrueba.h"
#include "core/loading/EtiquetaPrueba.h"
#include "core/loading/EtiquetasCarga.h"
#include "core/settings/uPreferencias.h"
#include "render/BarcodeSymbol.h"
#include "render/PdfExport.h"
#include "render/ReportLayout.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TFilaEtiqueta fila(const QString &id, const QString &nombre, const QString &posologia, const QString &lote,
                   double cantidad, bool enBlister = true)
{
    TFilaEtiqueta f;
    f.SPD = enBlister ? QStringLiteral("SI") : QStringLiteral("NO");
    f.idmedicamento = id;
    f.medicamento = id + QLatin1Char(' ') + nombre;
    f.descripcion = enBlister ? QStringLiteral("COM REDONDO BLANCO") : QString();
    f.posologia = posologia;
    f.lote = lote;
    f.caducidad = QStringLiteral("06/2026");
    f.Cantidad = cantidad;
    return f;
}

// A week of enalapril from two lots and halves of sintrom, a cream outside the blister.
TEtiquetaCarga etiqueta(int idPaciente, int refRecarga)
{
    TEtiquetaCarga e;
    e.datos.existe = true;
    e.datos.idPaciente = idPaciente;
    e.datos.ListaBlister = {fila(QStringLiteral("700001"), QStringLiteral("ENALAPRIL 10 MG"),
                                 QStringLiteral("1-0-0-0"), QStringLiteral("A1"), 4),
                            fila(QStringLiteral("700001"), QStringLiteral("ENALAPRIL 10 MG"),
                                 QStringLiteral("1-0-0-0"), QStringLiteral("B2"), 3),
                            fila(QStringLiteral("700002"), QStringLiteral("SINTROM 4 MG"),
                                 QStringLiteral("0-0-0,5-0"), QStringLiteral("C3"), 3.5)};
    e.datos.ListaOtros = {fila(QStringLiteral("700003"), QStringLiteral("CREMA"),
                               QStringLiteral("1 APLICACION"), QStringLiteral("*****"), 0, false)};
    int numero = 0;
    for (const TFilaEtiqueta &f : e.datos.ListaBlister) {
        TFilaLeyenda l;
        l.IDmedicamento = f.idmedicamento;
        l.IDmedicamentoR = f.idmedicamento;
        l.medicamento = f.medicamento;
        l.lote = f.lote;
        l.caducidad = f.caducidad;
        l.Numref = ++numero;
        e.datos.Leyenda << l;
        TFilaCelda celda;
        celda.Idmedicamento = f.idmedicamento.toLongLong();
        celda.Medicamento = f.medicamento.mid(7);
        celda.Numref = numero;
        celda.Cantidad = numero == 3 ? 0.5 : 1;
        celda.Porciones = 1;
        celda.Lote = f.lote;
        celda.Caducidad = f.caducidad;
        for (int dia = 0; dia < 7; ++dia)
            e.celdas[size_t(dia * kTomasDia + numero - 1)] << celda;
    }
    TCabeceraEtiqueta &c = e.cabecera;
    c.idPaciente = idPaciente;
    c.Nombre = QStringLiteral("ANA PEREZ GARCIA");
    c.refPaciente = QStringLiteral("R-12");
    c.refRecarga = refRecarga;
    c.FechaRealizado = QDateTime(QDate(2024, 5, 5), QTime(18, 30));
    c.FechaInicio = QDate(2024, 5, 6);
    c.FechaFin = QDate(2024, 5, 12);
    c.farmacia = QStringLiteral("FARMACIA CENTRAL");
    c.telefonoFarmacia = QStringLiteral("910000000");
    c.medico = QStringLiteral("DRA. RUIZ");
    c.telefonoMedico = QStringLiteral("600100200");
    c.imagen = PngPrueba(300, 100);
    c.codigo = QStringLiteral("%1%2")
                       .arg(idPaciente, 4, 10, QLatin1Char('0'))
                       .arg(refRecarga, 3, 10, QLatin1Char('0'))
            + QLatin1Char('0');
    return e;
}

// The check digit of the seven digits of an EAN-8, computed the way a scanner checks it.
int digitoControl(const QString &siete)
{
    int suma = 0;
    for (int i = 0; i < 7; ++i)
        suma += siete.at(i).digitValue() * (i % 2 == 0 ? 3 : 1);
    return (10 - suma % 10) % 10;
}

} // namespace

// Each label layout laid out and written as a PDF.
class TestEtiquetasPdf : public QObject
{
    Q_OBJECT

    // The text of a PDF as pdftotext lays it out; empty when it cannot be read.
    static QString TextoDelPdf(const QString &ruta)
    {
        QProcess lector;
        lector.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ruta, QStringLiteral("-")});
        if (!lector.waitForFinished(60000))
            return {};
        return QString::fromUtf8(lector.readAllStandardOutput());
    }

private slots:
    void everyLayoutRendersToPdf_data()
    {
        QTest::addColumn<int>("formato");
        QTest::addColumn<QSizeF>("pagina");
        QTest::newRow("LB-m.000") << int(TFormatoEtiqueta::Base) << QSizeF(210, 148);
        QTest::newRow("LB-m.001") << int(TFormatoEtiqueta::BaseCantidades) << QSizeF(210, 148);
        QTest::newRow("LB-e.000") << int(TFormatoEtiqueta::Rotulada) << QSizeF(148, 210);
        QTest::newRow("Completo") << int(TFormatoEtiqueta::Completo) << QSizeF(297, 210);
    }
    void everyLayoutRendersToPdf()
    {
        QFETCH(int, formato);
        QFETCH(QSizeF, pagina);
        TOpcionesEtiqueta opciones;
        opciones.dx = 3;
        opciones.dy = 2;
        const TReportDocument informe
                = InformeEtiquetas(etiqueta(12, 5), TFormatoEtiqueta(formato), opciones);
        QCOMPARE(informe.title, QStringLiteral("Etiquetas ANA PEREZ GARCIA"));
        QCOMPARE(informe.page.pageSize(), pagina);
        QCOMPARE(informe.page.margins.left(), 3.0);
        const TLaidOutReport laidOut = ReportLayout::layOut(informe);
        QCOMPARE(laidOut.pageCount(), 1);
        QVERIFY2(laidOut.warnings.isEmpty(), qPrintable(laidOut.warnings.join(QLatin1Char('\n'))));

        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("etiqueta.pdf"));
        QVERIFY(PdfExport::write(laidOut, ruta).ok());
        QVERIFY(QFileInfo(ruta).size() > 1000);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        const QString texto = TextoDelPdf(ruta);
        QVERIFY(texto.contains(QStringLiteral("ANA PEREZ GARCIA")));
        QVERIFY(texto.contains(QStringLiteral("0-0-½-0")));
        QVERIFY(texto.contains(QStringLiteral("ENALAPRIL")));
        QVERIFY(texto.contains(QStringLiteral("CREMA")));
        if (TFormatoEtiqueta(formato) == TFormatoEtiqueta::BaseCantidades)
            QVERIFY(texto.contains(QRegularExpression(QStringLiteral("(^|\\s)7\\s+700001 ENALAPRIL"))));
        if (TFormatoEtiqueta(formato) == TFormatoEtiqueta::Completo)
            QVERIFY(texto.contains(QStringLiteral("0,5 (3) 700002")));
    }

    void theBarCodeCarriesTheLoadAndItsCheckDigit_data()
    {
        QTest::addColumn<int>("paciente");
        QTest::addColumn<int>("carga");
        QTest::newRow("patient 12, load 5") << 12 << 5;
        QTest::newRow("patient 345, load 67") << 345 << 67;
        QTest::newRow("patient 9999, load 999") << 9999 << 999;
    }
    void theBarCodeCarriesTheLoadAndItsCheckDigit()
    {
        QFETCH(int, paciente);
        QFETCH(int, carga);
        const TReportDocument informe
                = InformeEtiquetas(etiqueta(paciente, carga), TFormatoEtiqueta::Base, {});
        const ReportElement *codigo = nullptr;
        for (const ReportElement &elemento : informe.bands.at(0).elements) {
            if (elemento.kind == ReportElement::Kind::Barcode)
                codigo = &elemento;
        }
        QVERIFY(codigo);
        const BarcodeSymbol simbolo = BarcodeSymbol::encode(codigo->barcode, codigo->text);
        QVERIFY2(simbolo.isValid(), qPrintable(simbolo.error()));
        const QString leido = simbolo.text();
        QCOMPARE(leido.size(), 8);
        QCOMPARE(leido.left(4).toInt(), paciente);
        QCOMPARE(leido.mid(4, 3).toInt(), carga);
        QCOMPARE(leido.at(7).digitValue(), digitoControl(leido.left(7)));
    }

    void aCodeTooLongStillPrints()
    {
        const TLaidOutReport laidOut
                = ReportLayout::layOut(InformeEtiquetas(etiqueta(12, 1000), TFormatoEtiqueta::Completo, {}));
        QVERIFY(laidOut.warnings.isEmpty());
        QTemporaryDir dir;
        QVERIFY(PdfExport::write(laidOut, dir.filePath(QStringLiteral("larga.pdf"))).ok());
    }

    void aCorruptPictureLeavesItsPlaceEmpty()
    {
        TEtiquetaCarga e = etiqueta(12, 5);
        e.cabecera.imagen = QByteArray("not a picture");
        const TLaidOutReport laidOut
                = ReportLayout::layOut(InformeEtiquetas(e, TFormatoEtiqueta::Rotulada, {}));
        QCOMPARE(laidOut.warnings.size(), 1);
        QTemporaryDir dir;
        QVERIFY(PdfExport::write(laidOut, dir.filePath(QStringLiteral("sin-foto.pdf"))).ok());
    }

    // The preferences' test label: the pharmacy and a test patient on one sheet of each sheet
    // layout; the load summary and no layout print nothing.
    void theTestLabelPrintsOnTheSheetLayouts_data()
    {
        QTest::addColumn<int>("formato");
        QTest::addColumn<bool>("imprime");
        QTest::newRow("LB-m.000") << int(TFormatoEtiqueta::Base) << true;
        QTest::newRow("LB-m.001") << int(TFormatoEtiqueta::BaseCantidades) << true;
        QTest::newRow("LB-e.000") << int(TFormatoEtiqueta::Rotulada) << true;
        QTest::newRow("Completo") << int(TFormatoEtiqueta::Completo) << false;
        QTest::newRow("none") << int(TFormatoEtiqueta::Ninguno) << false;
    }
    void theTestLabelPrintsOnTheSheetLayouts()
    {
        QFETCH(int, formato);
        QFETCH(bool, imprime);
        QCOMPARE(FormatoConEtiquetaDePrueba(TFormatoEtiqueta(formato)), imprime);
        if (!imprime)
            return;
        TPreferenciasValores preferencias;
        preferencias.ofNombre = QStringLiteral("FARMACIA DEL PUERTO");
        preferencias.ofTelefono = QStringLiteral("910000000");
        const TEtiquetaCarga prueba = EtiquetaDePrueba(preferencias, PngPrueba(120, 60),
                                                       QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        const TLaidOutReport laidOut
                = ReportLayout::layOut(InformeEtiquetas(prueba, TFormatoEtiqueta(formato), {}));
        QCOMPARE(laidOut.pageCount(), 1);
        QVERIFY2(laidOut.warnings.isEmpty(), qPrintable(laidOut.warnings.join(QLatin1Char('\n'))));
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("prueba.pdf"));
        QVERIFY(PdfExport::write(laidOut, ruta).ok());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        const QString texto = TextoDelPdf(ruta);
        QVERIFY(texto.contains(QStringLiteral("PACIENTE DE PRUEBA")));
        QVERIFY(texto.contains(QStringLiteral("MEDICAMENTO DE PRUEBA")));
    }

    void noLayoutIsAnEmptyReport()
    {
        QVERIFY(InformeEtiquetas(etiqueta(12, 5), TFormatoEtiqueta::Ninguno, {}).bands.isEmpty());
    }
};

QTEST_MAIN(TestEtiquetasPdf)
#include "test_etiquetas_pdf.moc"
