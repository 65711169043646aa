#include "PngPrueba.h"
#include "core/loading/EtiquetasCarga.h"
#include "render/ReportFonts.h"
#include "render/ReportLayout.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QtTest>

namespace {

constexpr double kHolgura = 0.01; // millimetres two measures may differ by rounding
constexpr int kPixelesPorEm = 1000;

// `base` repeated and cut to `largo` characters: more than any column prints.
QString DeLargo(const QString &base, int largo)
{
    return base.repeated(largo / int(base.size()) + 1).left(largo);
}

// A medication with a 13-digit code, a name, appearance, dose and lot longer than every label
// prints, and wide letters throughout.
TFilaEtiqueta Fila(int numero, bool enBlister)
{
    TFilaEtiqueta f;
    f.SPD = enBlister ? QStringLiteral("SI") : QStringLiteral("NO");
    f.idmedicamento = QStringLiteral("84700012345%1").arg(numero, 2, 10, QLatin1Char('0'));
    f.medicamento
            = f.idmedicamento + QLatin1Char(' ') + DeLargo(QStringLiteral("WOLFRAMIO MAGNESIO MW "), 90);
    f.descripcion = enBlister ? DeLargo(QStringLiteral("COM OVALADO MARRON "), 45) : QString();
    f.posologia = enBlister ? QStringLiteral("12,5-10,75-10,25-12,5-11-10-12")
                            : QStringLiteral("2 INHALACIONES CADA 12 HORAS SI HAY AHOGO");
    f.lote = DeLargo(QStringLiteral("WM-"), 50);
    f.caducidad = QStringLiteral("06/2026");
    f.Cantidad = 13.75;
    return f;
}

// Four blister medications of two lots each (27,5 pills of each), three outside the blister,
// every cell of the week holding four lots, and a header as long as its fields allow.
TEtiquetaCarga EtiquetaMasLarga(bool conFoto)
{
    TEtiquetaCarga e;
    e.datos.existe = true;
    e.datos.idPaciente = 9999;
    for (int m = 1; m <= 4; ++m) {
        for (int lote = 0; lote < 2; ++lote) {
            TFilaEtiqueta f = Fila(m, true);
            f.lote.replace(0, 1, QString::number(lote));
            e.datos.ListaBlister << f;
            TFilaLeyenda l;
            l.IDmedicamento = l.IDmedicamentoR = f.idmedicamento;
            l.medicamento = f.medicamento;
            l.lote = f.lote;
            l.caducidad = f.caducidad;
            l.Numref = int(e.datos.Leyenda.size()) + 1;
            e.datos.Leyenda << l;
        }
    }
    for (int m = 5; m <= 7; ++m)
        e.datos.ListaOtros << Fila(m, false);
    for (QList<TFilaCelda> &celda : e.celdas) {
        for (int m = 1; m <= 4; ++m) {
            TFilaCelda fila;
            fila.Idmedicamento = Fila(m, true).idmedicamento.toLongLong();
            fila.Medicamento = DeLargo(QStringLiteral("WOLFRAMIO MAGNESIO MW "), 20);
            fila.Numref = 10 + m;
            fila.Cantidad = 12.75;
            fila.Porciones = 51;
            celda << fila;
        }
    }
    TCabeceraEtiqueta &c = e.cabecera;
    c.idPaciente = 9999;
    c.Nombre = DeLargo(QStringLiteral("MARÍA ÁNGELES WOLFF-MONTESINOS "), 50);
    c.refPaciente = DeLargo(QStringLiteral("REF-WM-"), 50);
    c.refRecarga = 999;
    c.FechaRealizado = QDateTime(QDate(2024, 12, 28), QTime(23, 59));
    c.FechaInicio = QDate(2024, 12, 30);
    c.FechaFin = QDate(2025, 1, 5);
    c.farmacia = DeLargo(QStringLiteral("FARMACIA WAGNER MONTEMAYOR "), 60);
    c.telefonoFarmacia = QStringLiteral("+34 912 345 678");
    c.medico = DeLargo(QStringLiteral("DRA. WANDA MONTSERRAT "), 50);
    c.telefonoMedico = QStringLiteral("+34 600 100 200");
    c.imagen = PngPrueba(300, 200);
    c.esFoto = conFoto;
    c.codigo = QStringLiteral("99999990");
    return e;
}

bool EsPieza(const ReportElement &e)
{
    switch (e.kind) {
    case ReportElement::Kind::Text:
        return !e.text.isEmpty();
    case ReportElement::Kind::Image:
        return !e.image.isEmpty();
    case ReportElement::Kind::Barcode:
        return true;
    default:
        return false; // rules and frames are drawn around and under the texts
    }
}

// The room a text needs in its laid-out font, in millimetres, measured here on its own at a
// large whole pixel size so that no rounding of the font's size enters the measure.
QSizeF Necesario(const PlacedElement &colocado)
{
    const ReportElement &e = colocado.element;
    QFont fuente = toQFont(e.font);
    fuente.setPixelSize(kPixelesPorEm);
    const double mmPorPixel = e.font.pointSize * 25.4 / 72.0 / kPixelesPorEm;
    int flags = int(e.alignment);
    double ancho = 1.0e9;
    if (e.wordWrap) {
        flags |= Qt::TextWordWrap;
        ancho = colocado.rect.width() / mmPorPixel;
    }
    return QFontMetricsF(fuente).boundingRect(QRectF(0, 0, ancho, 1.0e9), flags, e.text).size() * mmPorPixel;
}

bool Dentro(const QRectF &caja, const QRectF &marco)
{
    return caja.left() >= marco.left() - kHolgura && caja.top() >= marco.top() - kHolgura
            && caja.right() <= marco.right() + kHolgura && caja.bottom() <= marco.bottom() + kHolgura;
}

QString Nombre(const PlacedElement &colocado)
{
    const QRectF &r = colocado.rect;
    const QString que = colocado.element.kind == ReportElement::Kind::Text ? colocado.element.text.left(30)
                                                                           : QStringLiteral("(picture)");
    return QStringLiteral("\"%1\" at (%2, %3, %4 x %5)")
            .arg(que)
            .arg(r.x(), 0, 'f', 1)
            .arg(r.y(), 0, 'f', 1)
            .arg(r.width(), 0, 'f', 1)
            .arg(r.height(), 0, 'f', 1);
}

// Every way a piece of the sheet is not printed whole: a text larger than its box, a box outside
// its band or the page, two pieces on top of each other.
QStringList Cortes(const TLaidOutReport &hoja)
{
    const ReportPageSetup &pagina = hoja.document.page;
    const QRectF contenido = pagina.contentRect();
    const QRectF banda(contenido.topLeft(), QSizeF(contenido.width(), hoja.document.bands.first().height));
    const QRectF papel(QPointF(0, 0), pagina.pageSize());
    QList<PlacedElement> piezas;
    for (const PlacedElement &colocado : hoja.pages.first().elements) {
        if (EsPieza(colocado.element))
            piezas << colocado;
    }
    QStringList cortes;
    for (qsizetype i = 0; i < piezas.size(); ++i) {
        const PlacedElement &pieza = piezas.at(i);
        if (!Dentro(pieza.rect, banda) || !Dentro(pieza.rect, papel))
            cortes << QStringLiteral("off its band: ") + Nombre(pieza);
        if (pieza.element.kind == ReportElement::Kind::Text) {
            const QSizeF necesario = Necesario(pieza);
            if (necesario.width() > pieza.rect.width() + kHolgura
                || necesario.height() > pieza.rect.height() + kHolgura)
                cortes << QStringLiteral("clipped (needs %1 x %2): ")
                                        .arg(necesario.width(), 0, 'f', 1)
                                        .arg(necesario.height(), 0, 'f', 1)
                                + Nombre(pieza);
        }
        for (qsizetype j = i + 1; j < piezas.size(); ++j) {
            const QRectF comun = pieza.rect.intersected(piezas.at(j).rect);
            if (comun.width() > kHolgura && comun.height() > kHolgura)
                cortes << QStringLiteral("overlap: ") + Nombre(pieza) + QStringLiteral(" and ")
                                + Nombre(piezas.at(j));
        }
    }
    return cortes;
}

// The left edge of the first text that starts with `inicio`; NaN when there is none.
double Izquierda(const TLaidOutReport &hoja, const QString &inicio)
{
    for (const PlacedElement &colocado : hoja.pages.first().elements) {
        if (colocado.element.kind == ReportElement::Kind::Text && colocado.element.text.startsWith(inicio))
            return colocado.rect.left();
    }
    return qQNaN();
}

void Formatos()
{
    QTest::addColumn<int>("formato");
    QTest::newRow("LB-m.000") << int(TFormatoEtiqueta::Base);
    QTest::newRow("LB-m.001") << int(TFormatoEtiqueta::BaseCantidades);
    QTest::newRow("LB-e.000") << int(TFormatoEtiqueta::Rotulada);
    QTest::newRow("Completo") << int(TFormatoEtiqueta::Completo);
}

} // namespace

// Every layout printed with the longest texts it allows: each text whole inside its box, the
// boxes inside the sheet and apart.
class TestEtiquetasSinCortes : public QObject
{
    Q_OBJECT

private slots:
    void everyTextIsPrintedWhole_data()
    {
        QTest::addColumn<int>("formato");
        QTest::addColumn<bool>("conFoto");
        for (const bool foto : {true, false}) {
            const char *imagen = foto ? "photo" : "logo";
            QTest::addRow("LB-m.000, %s", imagen) << int(TFormatoEtiqueta::Base) << foto;
            QTest::addRow("LB-m.001, %s", imagen) << int(TFormatoEtiqueta::BaseCantidades) << foto;
            QTest::addRow("LB-e.000, %s", imagen) << int(TFormatoEtiqueta::Rotulada) << foto;
            QTest::addRow("Completo, %s", imagen) << int(TFormatoEtiqueta::Completo) << foto;
        }
    }
    void everyTextIsPrintedWhole()
    {
        QFETCH(int, formato);
        QFETCH(bool, conFoto);
        const TLaidOutReport hoja = ReportLayout::layOut(
                InformeEtiquetas(EtiquetaMasLarga(conFoto), TFormatoEtiqueta(formato), TOpcionesEtiqueta {}));
        QCOMPARE(hoja.pageCount(), 1);
        QVERIFY2(hoja.warnings.isEmpty(), qPrintable(hoja.warnings.join(QLatin1Char('\n'))));
        const QStringList cortes = Cortes(hoja);
        QVERIFY2(cortes.isEmpty(), qPrintable(cortes.join(QLatin1Char('\n'))));
    }

    void theDoseColumnsLineUp_data() { Formatos(); }
    void theDoseColumnsLineUp()
    {
        QFETCH(int, formato);
        const TLaidOutReport hoja = ReportLayout::layOut(
                InformeEtiquetas(EtiquetaMasLarga(false), TFormatoEtiqueta(formato), TOpcionesEtiqueta {}));
        const double enBlister = Izquierda(hoja, QStringLiteral("12½-"));
        const double fuera = Izquierda(hoja, QStringLiteral("2 INHALACIONES"));
        QVERIFY2(!qIsNaN(enBlister) && !qIsNaN(fuera), "a dose is not a text of its own");
        QCOMPARE(fuera, enBlister);
    }
};

QTEST_MAIN(TestEtiquetasSinCortes)
#include "test_etiquetas_sin_cortes.moc"
